// The simulated television's inputs, clock zone and caption services. Calls
// are recorded with the rest of the set's (simtv_call_text) and fail on demand
// (simtv_fail).
#include "xpm.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "simkernel.h"
#include "simtv.h"

namespace {

constexpr int32_t kErrorBadArgument = 2;
constexpr int32_t kAnalogServices = 4;
constexpr int32_t kDigitalServices = 6;

struct Input {
  int32_t source;
  bool selectable;
};

struct CaptionService {
  bool onAir = false;
  std::string language;
};

struct State {
  std::vector<Input> inputs;
  int32_t timeZone = 5;
  int32_t daylightSaving = 0;
  CaptionService analog[kAnalogServices];
  CaptionService digital[kDigitalServices];
};

simk::StateMutex g_mutex;

State Fresh() {
  State s;
  // The tuner, the composite, component and S-Video inputs, four HDMI inputs
  // and the computer input.
  for (int32_t source = 1; source <= 9; ++source) s.inputs.push_back({source, true});
  return s;
}

State& S() {
  static State state = Fresh();
  return state;
}

// The service's slot; null for a number the kind does not have.
CaptionService* Service(int32_t digital, int32_t service) {
  if (digital) return service >= 1 && service <= kDigitalServices ? &S().digital[service - 1] : nullptr;
  return service >= 1 && service <= kAnalogServices ? &S().analog[service - 1] : nullptr;
}

int32_t Read(const char* name, const int32_t& field, int32_t* out) {
  int32_t code = 0;
  if (simk::Refused(name, {}, &code)) return code;
  if (!out) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  *out = field;
  return 0;
}

int32_t Write(const char* name, int32_t& field, int32_t value) {
  int32_t code = 0;
  if (simk::Refused(name, simk::CallArgs{}.Int(value), &code)) return code;
  std::lock_guard lock(g_mutex);
  field = value;
  return 0;
}

}  // namespace

extern "C" {

int32_t XPM_GetSourceList(int32_t* sources, int32_t capacity, int32_t* count) {
  int32_t code = 0;
  if (simk::Refused("XPM_GetSourceList", simk::CallArgs{}.Ptr().Int(capacity), &code)) return code;
  if (!count || capacity < 0 || (capacity > 0 && !sources)) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  const auto& inputs = S().inputs;
  const size_t copied = std::min(inputs.size(), static_cast<size_t>(capacity));
  for (size_t i = 0; i < copied; ++i) sources[i] = inputs[i].source;
  *count = static_cast<int32_t>(inputs.size());
  return 0;
}

int32_t XPM_GetSourceID(int32_t input, int32_t* source) {
  int32_t code = 0;
  if (simk::Refused("XPM_GetSourceID", simk::CallArgs{}.Int(input).Ptr(), &code)) return code;
  std::lock_guard lock(g_mutex);
  if (!source || input < 0 || static_cast<size_t>(input) >= S().inputs.size()) return kErrorBadArgument;
  *source = S().inputs[static_cast<size_t>(input)].source;
  return 0;
}

int32_t XPM_IsSourceSelectable(int32_t source, int32_t purpose, int32_t* selectable) {
  int32_t code = 0;
  if (simk::Refused("XPM_IsSourceSelectable", simk::CallArgs{}.Int(source).Int(purpose), &code)) return code;
  if (!selectable) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  *selectable = 0;
  for (const Input& input : S().inputs)
    if (input.source == source) *selectable = input.selectable ? 1 : 0;
  return 0;
}

int32_t XPM_GetTimeZone(int32_t* zone) { return Read("XPM_GetTimeZone", S().timeZone, zone); }
int32_t XPM_SetTimeZone(int32_t zone) { return Write("XPM_SetTimeZone", S().timeZone, zone); }
int32_t XPM_GetDaylightSaving(int32_t* on) { return Read("XPM_GetDaylightSaving", S().daylightSaving, on); }
int32_t XPM_SetDaylightSaving(int32_t on) { return Write("XPM_SetDaylightSaving", S().daylightSaving, on); }

int32_t XPM_GetCaptionServiceInfo(int32_t window, int32_t digital, int32_t service, int32_t* available,
                                  char* language, int32_t size) {
  int32_t code = 0;
  if (simk::Refused("XPM_GetCaptionServiceInfo", simk::CallArgs{}.Int(window).Int(digital).Int(service).Ptr().Ptr(),
              &code))
    return code;
  if (!available || (window != 0 && window != 1)) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  const CaptionService* slot = Service(digital, service);
  *available = slot && slot->onAir ? 1 : 0;
  if (language && size > 0) {
    const std::string text = *available ? slot->language : std::string();
    const size_t length = std::min(text.size(), static_cast<size_t>(size - 1));
    std::memcpy(language, text.data(), length);
    language[length] = '\0';
  }
  return 0;
}

int32_t XPM_CEC_SetEnable(int32_t on) {
  int32_t code = 0;
  if (simk::Refused("XPM_CEC_SetEnable", simk::CallArgs{}.Int(on), &code)) return code;
  simtv_tv_set_cec_enable(on);
  return 0;
}

void simtv_setup_reset(void) {
  std::lock_guard lock(g_mutex);
  S() = Fresh();
}

void simtv_setup_set_sources(int32_t count, const int32_t* sources) {
  std::lock_guard lock(g_mutex);
  S().inputs.clear();
  for (int32_t i = 0; sources && i < std::min<int32_t>(count, XPM_MAX_SOURCES); ++i) S().inputs.push_back({sources[i], true});
}

void simtv_setup_set_selectable(int32_t source, int32_t selectable) {
  std::lock_guard lock(g_mutex);
  for (Input& input : S().inputs)
    if (input.source == source) input.selectable = selectable != 0;
}

void simtv_setup_set_caption_service(int32_t digital, int32_t service, const char* language) {
  std::lock_guard lock(g_mutex);
  CaptionService* slot = Service(digital, service);
  if (!slot) return;
  slot->onAir = language != nullptr;
  slot->language = language ? language : "";
}

}  // extern "C"
