// The simulated television's answers for the system information list: the
// tuner's signal quality, the video output, the version texts, the MAC
// addresses and the device ids of the network services. Calls are recorded with the rest of the set's and fail on demand
// (simtv_fail) before they touch the state.
#include "xpm.h"

#include <cstdio>
#include <mutex>
#include <string>

#include "simkernel.h"
#include "simtv.h"

namespace {

constexpr int32_t kErrorBadArgument = 2;

struct State {
  int32_t signalQuality = 0;
  XPM_VideoOutputProps output{1920, 1080, 2, 9, 0, 7};
  std::string tvmVersion = "TVM 3.1.07";
  std::string frcVersion = "FRC 0.9.12";
  std::string mac[2] = {"00:1A:2B:3C:4D:5E", "00:1A:2B:3C:4D:5F"};
  std::string esn = "SIMTV-ESN-0000016B2D44";
  std::string widevine = "SIMTV-WV-7F31A09C";
};

simk::StateMutex g_mutex;

State& S() {
  static State state;
  return state;
}

void CopyText(char* target, size_t size, const std::string& text) {
  std::snprintf(target, size, "%s", text.c_str());
}

int32_t DeviceId(const char* name, const std::string State::*id, char* text, int32_t size) {
  int32_t code = 0;
  if (Refused(name, simk::CallArgs{}.Ptr().Int(size), &code)) return code;
  if (!text || size <= 0) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  CopyText(text, size_t(size), S().*id);
  return 0;
}

}  // namespace

extern "C" {

int32_t XPM_GetSignalQuality(int32_t window, int32_t* quality) {
  int32_t code = 0;
  if (simk::Refused("XPM_GetSignalQuality", simk::CallArgs{}.Int(window), &code)) return code;
  if (!quality || (window != 0 && window != 1)) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  *quality = S().signalQuality;
  return 0;
}

int32_t XPM_GetVideoOutputProps(int32_t window, XPM_VideoOutputProps* props) {
  int32_t code = 0;
  if (simk::Refused("XPM_GetVideoOutputProps", simk::CallArgs{}.Int(window), &code)) return code;
  if (!props || (window != 0 && window != 1)) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  *props = S().output;
  return 0;
}

int32_t XPM_GetTVMVersion(char* text) {
  int32_t code = 0;
  if (simk::Refused("XPM_GetTVMVersion", simk::CallArgs{}.Ptr(), &code)) return code;
  if (!text) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  CopyText(text, XPM_TVM_VERSION_SIZE, S().tvmVersion);
  return 0;
}

// The text lives until the version is set again; the set never does that
// while the program runs.
const char* XPM_GetFrcVersion(void) {
  simk::Record("XPM_GetFrcVersion", simk::CallArgs{});
  std::lock_guard lock(g_mutex);
  return S().frcVersion.c_str();
}

int32_t XPM_LAN_GetMacAddr(int32_t wireless, char* text) {
  int32_t code = 0;
  if (simk::Refused("XPM_LAN_GetMacAddr", simk::CallArgs{}.Int(wireless).Ptr(), &code)) return code;
  if (!text || (wireless != 0 && wireless != 1)) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  CopyText(text, XPM_MAC_TEXT_SIZE, S().mac[wireless]);
  return 0;
}

int32_t XPM_LAN_SetMacAddr(int32_t wireless, const char* text) {
  int32_t code = 0;
  if (simk::Refused("XPM_LAN_SetMacAddr", simk::CallArgs{}.Int(wireless).Text(text), &code)) return code;
  if (!text || (wireless != 0 && wireless != 1)) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  S().mac[wireless] = text;
  return 0;
}

int32_t XPM_GetNetflixESN(char* text, int32_t size) {
  return DeviceId("XPM_GetNetflixESN", &State::esn, text, size);
}

int32_t XPM_GetWidevineDeviceId(char* text, int32_t size) {
  return DeviceId("XPM_GetWidevineDeviceId", &State::widevine, text, size);
}

void simtv_info_reset(void) {
  std::lock_guard lock(g_mutex);
  S() = State{};
}

void simtv_info_set_signal_quality(int32_t quality) {
  std::lock_guard lock(g_mutex);
  S().signalQuality = quality;
}

void simtv_info_set_output(const XPM_VideoOutputProps* props) {
  if (!props) return;
  std::lock_guard lock(g_mutex);
  S().output = *props;
}

void simtv_info_set_versions(const char* tvm, const char* frc) {
  std::lock_guard lock(g_mutex);
  if (tvm) S().tvmVersion = tvm;
  if (frc) S().frcVersion = frc;
}

void simtv_info_set_mac(int32_t wireless, const char* text) {
  if ((wireless != 0 && wireless != 1) || !text) return;
  std::lock_guard lock(g_mutex);
  S().mac[wireless] = text;
}

void simtv_info_set_device_ids(const char* esn, const char* widevine) {
  std::lock_guard lock(g_mutex);
  if (esn) S().esn = esn;
  if (widevine) S().widevine = widevine;
}

}  // extern "C"
