#include "oam.h"

#include <map>
#include <mutex>

#include "simkernel.h"
#include "simtv.h"
#include "simvalues.h"

namespace {

// Property 49 reads a point of the backlight curve into the third word of a
// record {video preset, point, level}.
constexpr int32_t kCurveProperty = 49;
constexpr int32_t kCurvePoints = 11;

int32_t Call(const char* name, simk::CallArgs args = {}) {
  simk::Record(name, args);
  int32_t code = 0;
  return simk::Fails(name, &code) ? code : 0;
}

// The customised properties written so far, kept for the life of the process
// as the set keeps them across its periods of operation.
struct Properties {
  simk::StateMutex mutex;
  std::map<int32_t, int32_t> values;
  // The backlight curve: the level at each tenth of the sensor's range.
  int32_t curve[kCurvePoints] = {};
};

void StraightCurve(Properties& p) {
  for (int32_t point = 0; point < kCurvePoints; ++point) p.curve[point] = point * 10;
}

Properties& P() {
  static Properties& properties = [] () -> Properties& {
    auto* p = new Properties;
    StraightCurve(*p);
    return *p;
  }();
  return properties;
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

int32_t OAM_GetCustomizedProperty(int32_t id, int32_t* value) {
  const int32_t result = Call("OAM_GetCustomizedProperty", simk::CallArgs{}.Int(id));
  if (result != 0) return result;
  if (!value) return -1;
  std::lock_guard guard(P().mutex);
  if (id == kCurveProperty) {
    const int32_t point = value[1];
    value[2] = point >= 0 && point < kCurvePoints ? P().curve[point] : 0;
    return 0;
  }
  auto it = P().values.find(id);
  *value = it == P().values.end() ? 0 : it->second;
  return 0;
}

int32_t OAM_SetCustomizedProperty(int32_t id, int32_t value) {
  const int32_t result = Call("OAM_SetCustomizedProperty", simk::CallArgs{}.Int(id).Int(value));
  if (result != 0) return result;
  std::lock_guard guard(P().mutex);
  P().values[id] = value;
  return 0;
}

void simtv_factory_set_backlight_point(int32_t point, int32_t level) {
  if (point < 0 || point >= kCurvePoints) return;
  std::lock_guard guard(P().mutex);
  P().curve[point] = level;
}

}  // extern "C"

namespace simtv {

void ResetBacklightCurve() {
  std::lock_guard guard(P().mutex);
  StraightCurve(P());
}

}  // namespace simtv
