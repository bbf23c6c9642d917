#include "oam.h"

#include "simkernel.h"

namespace {

int32_t Call(const char* name, simk::CallArgs args = {}) {
  simk::Record(name, args);
  int32_t code = 0;
  return simk::Fails(name, &code) ? code : 0;
}

}  // namespace

extern "C" {

int32_t OAM_Feature_Config_Init(void) { return Call("OAM_Feature_Config_Init"); }

int32_t OAM_Monitor(int32_t kind, int32_t osdState, int32_t captionState) {
  return Call("OAM_Monitor", simk::CallArgs{}.Int(kind).Int(osdState).Int(captionState));
}

// HDMI-CEC takes no key unless a test says so (OAM_CEC_GetKeyType failing with 2).
int32_t OAM_CEC_GetKeyType(uint32_t keyCode) { return Call("OAM_CEC_GetKeyType", simk::CallArgs{}.Int(keyCode)); }

int32_t oam_dbg_init(void) { return Call("oam_dbg_init"); }

}  // extern "C"
