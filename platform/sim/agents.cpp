#include "agents.h"

#include "simkernel.h"
#include "simvalues.h"

namespace {

int32_t Call(const char* name, int32_t result, simk::CallArgs args = {}) {
  simk::Record(name, args);
  int32_t code = 0;
  return simk::Fails(name, &code) ? code : result;
}

}  // namespace

extern "C" {

int32_t profile_agent_get_ext_source(void) {
  return Call("profile_agent_get_ext_source", simtv::Value("ext_source"));
}

int32_t profile_agent_get_multimedia_source(void) {
  return Call("profile_agent_get_multimedia_source", simtv::Value("multimedia_source"));
}

int32_t agent_standby_get_standby_mode(void) {
  return Call("agent_standby_get_standby_mode", simtv::Value("standby_mode"));
}

int32_t agent_standby_notify_tv101_state(int32_t state) {
  return Call("agent_standby_notify_tv101_state", 0, simk::CallArgs{}.Int(state));
}

int32_t Turn_On_EP936(void) { return Call("Turn_On_EP936", 0); }

int32_t flashlite_runner_init(void) { return Call("flashlite_runner_init", 0); }

}  // extern "C"
