// The simulated television's factory devices: the model record, the ambient
// light sensor, the analogue-to-digital calibration results, the 3D panel's
// EEPROM, the frame-rate converter's local dimming, the general-purpose pins,
// the LED, the board's console printing and the delivery of follow-up factory
// commands. Calls are recorded with the rest of the set's and fail on demand
// (simtv_fail) before they touch the state.
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>

#include "bcm.h"
#include "mplcore.h"
#include "oam.h"
#include "simkernel.h"
#include "simtv.h"
#include "simvalues.h"
#include "xpm.h"
#include "xpm_events.h"

namespace {

constexpr int32_t kErrorBadArgument = 2;
constexpr int32_t kAdcInputs = 3;
// The board's pins are numbered 0 to 127.
constexpr int32_t kGpioPins = 128;

struct State {
  OAM_ModelInfo model{};
  uint16_t lightSensor = 0x0180;
  int32_t lightSensorState = SIMTV_LIGHT_SENSOR_OFF;
  int32_t adc[kAdcInputs] = {1, 1, 1};
  int32_t eeprom[3] = {1, 2, 3};
  int32_t localDimming = 1;
  std::map<int32_t, int32_t> gpio;
  int32_t led = 1;
  int32_t consolePrinting = 1;
  // The factory bench's settings, kept so that a toggle reads back what the
  // last one left.
  int32_t basicCaptionService = 1;
  std::map<int32_t, int32_t> pathProperties;
  int32_t dcrBacklight = 1;
  int32_t frcMode = 0;
  int32_t frcStrength = 0;
  uint8_t parentalMask = 0;
  int32_t parentalState = 0;
  uint8_t arcPort = 1;
  std::map<int32_t, int32_t> arc;
  int32_t modelGroup = 3;
  std::map<uint32_t, uint32_t> registers;
  std::map<int32_t, int32_t> videoOffsets;
};

simk::StateMutex g_mutex;

State Fresh() {
  State s;
  s.model.number = 55;
  s.model.modelId = 0x21;
  std::snprintf(s.model.modelName, sizeof s.model.modelName, "%s", "TV-55A21");
  std::snprintf(s.model.panelName, sizeof s.model.panelName, "%s", "Panel 55 FHD");
  std::snprintf(s.model.description, sizeof s.model.description, "%s", "120 Hz LED");
  return s;
}

State& S() {
  static State state = Fresh();
  return state;
}

// The usual setter and getter of one value of the bench.
template <class T>
int32_t Store(const char* name, T State::*field, T value) {
  int32_t code = 0;
  if (simk::Refused(name, simk::CallArgs{}.Int(value), &code)) return code;
  std::lock_guard lock(g_mutex);
  S().*field = value;
  return 0;
}

template <class T>
int32_t Load(const char* name, T State::*field, T* out) {
  int32_t code = 0;
  if (simk::Refused(name, simk::CallArgs{}.Ptr(), &code)) return code;
  if (!out) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  *out = S().*field;
  return 0;
}

// Records the call and says whether it is to fail, with the code to return.
int32_t SetSensorState(const char* name, int32_t state) {
  int32_t code = 0;
  if (simk::Refused(name, {}, &code)) return code;
  std::lock_guard lock(g_mutex);
  S().lightSensorState = state;
  return 0;
}

}  // namespace

extern "C" {

int32_t OAM_GetModelInfo(OAM_ModelInfo* info) {
  int32_t code = 0;
  if (simk::Refused("OAM_GetModelInfo", simk::CallArgs{}.Ptr(), &code)) return code;
  if (!info) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  *info = S().model;
  return 0;
}

int32_t OAM_light_sensor_Init(void) { return SetSensorState("OAM_light_sensor_Init", SIMTV_LIGHT_SENSOR_READY); }
int32_t OAM_light_sensor_Start(void) { return SetSensorState("OAM_light_sensor_Start", SIMTV_LIGHT_SENSOR_RUNNING); }
int32_t OAM_light_sensor_Stop(void) { return SetSensorState("OAM_light_sensor_Stop", SIMTV_LIGHT_SENSOR_READY); }
int32_t OAM_light_sensor_Terminate(void) {
  return SetSensorState("OAM_light_sensor_Terminate", SIMTV_LIGHT_SENSOR_OFF);
}

int32_t OAM_light_sensor_Get(uint16_t* reading) {
  int32_t code = 0;
  if (simk::Refused("OAM_light_sensor_Get", simk::CallArgs{}.Ptr(), &code)) return code;
  if (!reading) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  *reading = S().lightSensor;
  return 0;
}

int32_t OAM_Frc_SetLocalDimming(int32_t on) {
  int32_t code = 0;
  if (simk::Refused("OAM_Frc_SetLocalDimming", simk::CallArgs{}.Int(on), &code)) return code;
  std::lock_guard lock(g_mutex);
  S().localDimming = on != 0;
  return 0;
}

int32_t OAM_Led_SetState(int32_t state) {
  int32_t code = 0;
  if (simk::Refused("OAM_Led_SetState", simk::CallArgs{}.Int(state), &code)) return code;
  std::lock_guard lock(g_mutex);
  S().led = state;
  return 0;
}

// The record goes back to the middleware's thread, which delivers it as a new
// factory event once the GUI thread has finished the event it is handling.
int32_t OAM_CustomDispatchFactoryCommand(const void* record) {
  uint32_t code = 0;
  if (record) std::memcpy(&code, record, sizeof code);
  int32_t result = 0;
  if (simk::Refused("OAM_CustomDispatchFactoryCommand", simk::CallArgs{}.Int(code), &result)) return result;
  if (!record) return kErrorBadArgument;
  unsigned char payload[4 + OAM_FACTORY_RECORD_SIZE] = {};
  std::memcpy(payload + 4, record, OAM_FACTORY_RECORD_SIZE);
  simtv_inject_event(0, XpmEvent::Factory, payload, sizeof payload);
  return 0;
}

int32_t MPLCore_GpioSetPin(int32_t pin, int32_t level) {
  int32_t code = 0;
  if (simk::Refused("MPLCore_GpioSetPin", simk::CallArgs{}.Int(pin).Int(level), &code)) return code;
  if (pin < 0 || pin >= kGpioPins) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  S().gpio[pin] = level != 0;
  return 0;
}

int BCM_ControlPrintf(int on) {
  int32_t code = 0;
  if (simk::Refused("BCM_ControlPrintf", simk::CallArgs{}.Int(on), &code)) return code;
  std::lock_guard lock(g_mutex);
  S().consolePrinting = on != 0;
  return 0;
}

int BCM_SetModel(int group) {
  int32_t code = 0;
  if (simk::Refused("BCM_SetModel", simk::CallArgs{}.Int(group), &code)) return code;
  // The table's groups are 0 to 3.
  if (group < 0 || group > 3) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  S().modelGroup = group;
  return 0;
}

int32_t XPM_SetPreferredBasicCaptionService(int32_t service) {
  return Store("XPM_SetPreferredBasicCaptionService", &State::basicCaptionService, service);
}

int32_t XPM_SetExtOemPathProperty(int32_t window, int32_t property, int32_t value) {
  int32_t code = 0;
  if (simk::Refused("XPM_SetExtOemPathProperty", simk::CallArgs{}.Int(window).Int(property).Int(value), &code))
    return code;
  if (window != 0 && window != 1) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  S().pathProperties[property] = value;
  return 0;
}

int32_t XPM_SetDCRBacklight(int32_t on) { return Store("XPM_SetDCRBacklight", &State::dcrBacklight, on); }
int32_t XPM_SetFrcMode(int32_t mode) { return Store("XPM_SetFrcMode", &State::frcMode, mode); }
int32_t XPM_GetFrcVideoStrength(int32_t* strength) {
  return Load("XPM_GetFrcVideoStrength", &State::frcStrength, strength);
}
int32_t XPM_SetFrcVideoStrength(int32_t strength) {
  return Store("XPM_SetFrcVideoStrength", &State::frcStrength, strength);
}
int32_t XPM_GetParentalLocksMask(uint8_t* mask) { return Load("XPM_GetParentalLocksMask", &State::parentalMask, mask); }
int32_t XPM_SetParentalLocksMask(uint8_t mask) { return Store("XPM_SetParentalLocksMask", &State::parentalMask, mask); }
int32_t XPM_SetParentalLocksState(int32_t state) {
  return Store("XPM_SetParentalLocksState", &State::parentalState, state);
}
int32_t OAM_hdmiswitch_GetARCPort(uint8_t* port) { return Load("OAM_hdmiswitch_GetARCPort", &State::arcPort, port); }

int32_t OAM_hdmiswitch_SetARC(uint8_t port, int32_t on) {
  int32_t code = 0;
  if (simk::Refused("OAM_hdmiswitch_SetARC", simk::CallArgs{}.Int(port).Int(on), &code)) return code;
  std::lock_guard lock(g_mutex);
  S().arc[port] = on != 0;
  return 0;
}

int32_t MPLCore_ReadReg32(uint32_t address, uint32_t* value) {
  int32_t code = 0;
  if (simk::Refused("MPLCore_ReadReg32", simk::CallArgs{}.Int(address).Ptr(), &code)) return code;
  if (!value) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  auto it = S().registers.find(address);
  *value = it == S().registers.end() ? 0 : it->second;
  return 0;
}

int32_t XPM_SetVideoPropertyOffset(int32_t property, int32_t offset) {
  int32_t code = 0;
  if (simk::Refused("XPM_SetVideoPropertyOffset", simk::CallArgs{}.Int(property).Int(offset), &code)) return code;
  std::lock_guard lock(g_mutex);
  S().videoOffsets[property] = offset;
  return 0;
}

int32_t XPM_GetADCCalibrationResult(int32_t input, int32_t* result) {
  int32_t code = 0;
  if (simk::Refused("XPM_GetADCCalibrationResult", simk::CallArgs{}.Int(input).Ptr(), &code)) return code;
  if (!result || input < 0 || input >= kAdcInputs) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  *result = S().adc[input];
  return 0;
}

int32_t XPM_3DTV_GetE2PROMVersion(int32_t* major, int32_t* minor, int32_t* revision) {
  int32_t code = 0;
  if (simk::Refused("XPM_3DTV_GetE2PROMVersion", simk::CallArgs{}.Ptr().Ptr().Ptr(), &code)) return code;
  if (!major || !minor || !revision) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  *major = S().eeprom[0];
  *minor = S().eeprom[1];
  *revision = S().eeprom[2];
  return 0;
}

void simtv_factory_reset(void) {
  simtv::ResetBacklightCurve();
  simtv::ResetFactoryShell();
  std::lock_guard lock(g_mutex);
  S() = Fresh();
}

void simtv_factory_set_register(uint32_t address, uint32_t value) {
  std::lock_guard lock(g_mutex);
  S().registers[address] = value;
}

void simtv_factory_set_model_info(const OAM_ModelInfo* info) {
  if (!info) return;
  std::lock_guard lock(g_mutex);
  S().model = *info;
}

void simtv_factory_set_light_sensor(uint16_t reading) {
  std::lock_guard lock(g_mutex);
  S().lightSensor = reading;
}

int32_t simtv_factory_light_sensor_state(void) {
  std::lock_guard lock(g_mutex);
  return S().lightSensorState;
}

void simtv_factory_set_adc_result(int32_t input, int32_t result) {
  if (input < 0 || input >= kAdcInputs) return;
  std::lock_guard lock(g_mutex);
  S().adc[input] = result;
}

void simtv_factory_set_3d_eeprom_version(int32_t major, int32_t minor, int32_t revision) {
  std::lock_guard lock(g_mutex);
  S().eeprom[0] = major;
  S().eeprom[1] = minor;
  S().eeprom[2] = revision;
}

int32_t simtv_factory_local_dimming(void) {
  std::lock_guard lock(g_mutex);
  return S().localDimming;
}

int32_t simtv_factory_gpio(int32_t pin) {
  std::lock_guard lock(g_mutex);
  auto it = S().gpio.find(pin);
  return it == S().gpio.end() ? 0 : it->second;
}

int32_t simtv_factory_led(void) {
  std::lock_guard lock(g_mutex);
  return S().led;
}

int32_t simtv_factory_console_printing(void) {
  std::lock_guard lock(g_mutex);
  return S().consolePrinting;
}

}  // extern "C"
