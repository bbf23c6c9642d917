// The simulated television's picture and sound state. What is set is kept and
// read back; nothing is range-checked, because the real middleware clamps on
// its own and the interface must cope with whatever it answers. Calls are
// recorded with the rest of the set's (simtv_call_text) and fail on demand
// (simtv_fail).
#include "xpm.h"

#include "simkernel.h"
#include "simtv.h"
#include "simvalues.h"

#include <array>
#include <cstdio>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>

namespace {

constexpr int32_t kErrorBadArgument = 2;

const char* const kAvPropertyNames[] = {
#define XPM_AV_PROPERTY_NAME(name) #name,
    XPM_AV_PROPERTIES(XPM_AV_PROPERTY_NAME)
#undef XPM_AV_PROPERTY_NAME
};

struct WindowState {
  int32_t major = 2;
  int32_t minor = 0;
  XPM_VideoContentInfo video{};
};

struct SourceType {
  int32_t source;
  int32_t type;
};

struct State {
  int32_t videoPreset = 2;
  int32_t backlight = 100;
  // Brightness, colour and sharpness run 0 to 100 around their middle.
  int32_t brightness = 50;
  int32_t saturation = 50;
  int32_t hue = 0;
  int32_t colorTemperature = 0;
  uint32_t rgbFilter = 0x111111;
  int32_t viewMode = 0;
  int32_t superResolution = 0;
  int32_t superResolutionLevel = 1;
  int32_t volume = 20;
  int32_t balance = 0;
  // Bass and treble run 0 to 100 around their middle, as the sliders of the
  // menus show them (stored value less 50).
  int32_t bass = 50;
  int32_t treble = 50;
  int32_t dolbyDrc = 0;
  int32_t equalizer = 0;
  int32_t spdif = 0;
  int32_t decodeMode = 1;
  int32_t medium = 0;
  std::array<int32_t, XPM_AV_PROP_COUNT> av{};
  std::vector<std::pair<int32_t, int32_t>> oem;
  std::array<WindowState, 2> windows{};
  std::vector<SourceType> sourceTypes;
  std::vector<std::string> audioLanguages;
  std::array<int32_t, 2> captionRender{};
  // Indexed by XPM_CC_PROP_*; the first ids are not style properties.
  std::array<int32_t, XPM_CC_PROP_BG_OPACITY + 1> captionStyle{};
  // What the last copy of the white balance gave every input.
  bool whiteBalanceCopied = false;
  std::array<int32_t, 6> copiedWhiteBalance{};
};

constexpr int32_t kPatternSourceType = 11;

// The types of the set's built-in inputs, by the ids whose names the model
// knows (AV, Component, S-Video, four HDMI, PC, DVI, AV 2, Component 2);
// the tuners (1 TV, 13 Cable) and undescribed ids are tuner inputs.
constexpr SourceType kBuiltInTypes[] = {{2, 2},  {3, 4},  {4, 3},  {5, 5},  {6, 5},  {7, 5},
                                        {8, 5},  {9, 6},  {10, 10}, {11, 2}, {12, 4}};

constexpr XPM_AvProperty kWhiteBalance[] = {XPM_AV_PROP_RED_OFFSET, XPM_AV_PROP_GREEN_OFFSET,
                                            XPM_AV_PROP_BLUE_OFFSET, XPM_AV_PROP_RED_GAIN,
                                            XPM_AV_PROP_GREEN_GAIN, XPM_AV_PROP_BLUE_GAIN};

simk::StateMutex g_mutex;

State Fresh() {
  State s;
  // Settings whose 0 is not a valid setting start at their middle or first value.
  s.av[XPM_AV_PROP_CONTRAST] = 50;
  s.av[XPM_AV_PROP_SHARPNESS] = 50;
  s.av[XPM_AV_PROP_VERTICAL_POSITION] = 16;
  s.av[XPM_AV_PROP_HORIZONTAL_POSITION] = 50;
  s.av[XPM_AV_PROP_VERTICAL_SIZE] = 50;
  s.av[XPM_AV_PROP_VGA_PHASE] = 15;  // 0 to 30 around its middle
  s.av[XPM_AV_PROP_LIP_SYNC] = 3;    // 0 to 6 around no delay
  s.av[XPM_AV_PROP_FRC_FILM] = 5;
  s.av[XPM_AV_PROP_FRC_VIDEO] = 5;
  s.av[XPM_AV_PROP_HDMI_OUTPUT] = 2;
  // Captions look as the broadcaster sends them until the viewer says otherwise.
  for (int32_t colour : {XPM_CC_PROP_EDGE_COLOR, XPM_CC_PROP_FONT_COLOR, XPM_CC_PROP_BG_COLOR})
    s.captionStyle[static_cast<size_t>(colour)] = static_cast<int32_t>(0xFF000000u);
  s.captionStyle[XPM_CC_PROP_FONT_SIZE] = 3;
  s.captionStyle[XPM_CC_PROP_FONT_STYLE] = 7;
  s.captionStyle[XPM_CC_PROP_EDGE_TYPE] = 6;
  s.captionStyle[XPM_CC_PROP_FONT_OPACITY] = 4;
  s.captionStyle[XPM_CC_PROP_BG_OPACITY] = 4;
  s.av[XPM_AV_PROP_CC708_WIN_COLOR] = static_cast<int32_t>(0xFF000000u);
  s.av[XPM_AV_PROP_CC708_WIN_OPACITY] = 4;
  s.sourceTypes.assign(std::begin(kBuiltInTypes), std::end(kBuiltInTypes));
  s.sourceTypes.push_back({SIMTV_PATTERN_SOURCE, kPatternSourceType});
  s.av[XPM_AV_PROP_THREED_DEPTH] = 3;
  s.av[XPM_AV_PROP_TV_MODEL_ID] = 0x21;
  for (WindowState& w : s.windows) {
    w.video.width = 1920;
    w.video.height = 1080;
    w.video.scanType = 2;
    w.video.rateIndex = 9;
    w.video.pcRateIndex = 9;
  }
  return s;
}

State& S() {
  static State state = Fresh();
  return state;
}

bool ValidWindow(int32_t window) { return window == 0 || window == 1; }

template <class T>
int32_t Read(const char* name, const T& field, T* out, simk::CallArgs args = {}) {
  int32_t code = 0;
  if (simk::Refused(name, args, &code)) return code;
  if (!out) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  *out = field;
  return 0;
}

template <class T>
int32_t Write(const char* name, T& field, T value, simk::CallArgs args = {}) {
  int32_t code = 0;
  if (simk::Refused(name, args.Int(static_cast<int64_t>(value)), &code)) return code;
  std::lock_guard lock(g_mutex);
  field = value;
  return 0;
}

template <class T>
int32_t ReadW(const char* name, int32_t window, const T& field, T* out) {
  if (!ValidWindow(window)) return kErrorBadArgument;
  return Read(name, field, out, simk::CallArgs{}.Int(window));
}

template <class T>
int32_t WriteW(const char* name, int32_t window, T& field, T value) {
  if (!ValidWindow(window)) return kErrorBadArgument;
  return Write(name, field, value, simk::CallArgs{}.Int(window));
}

// The keys whose held state the set reports through a device property, by
// their hardware key codes: the front panel's Vol- and CH- and the remote's
// INFO key.
struct HeldKeyProperty {
  int32_t property;
  uint32_t keyCode;
};
constexpr HeldKeyProperty kHeldKeyProperties[] = {
    {XPM_OEM_KEY_HELD_VOLUME_DOWN, 257},
    {XPM_OEM_KEY_HELD_CHANNEL_DOWN, 259},
    {XPM_OEM_KEY_HELD_INFO, 24},
};

bool KeyHeldFor(int32_t property) {
  for (const HeldKeyProperty& row : kHeldKeyProperties)
    if (row.property == property) return simtv_key_held(row.keyCode) != 0;
  return false;
}

}  // namespace

extern "C" {

int32_t XPM_GetVideoPreset(int32_t w, int32_t* v) { return ReadW("XPM_GetVideoPreset", w, S().videoPreset, v); }
int32_t XPM_SetVideoPreset(int32_t w, int32_t v) { return WriteW("XPM_SetVideoPreset", w, S().videoPreset, v); }
int32_t XPM_GetBacklight(int32_t* v) { return Read("XPM_GetBacklight", S().backlight, v); }
int32_t XPM_SetBacklight(int32_t v) { return Write("XPM_SetBacklight", S().backlight, v); }
int32_t XPM_GetBrightness(int32_t w, int32_t* v) { return ReadW("XPM_GetBrightness", w, S().brightness, v); }
int32_t XPM_SetBrightness(int32_t w, int32_t v) { return WriteW("XPM_SetBrightness", w, S().brightness, v); }
int32_t XPM_GetSaturation(int32_t w, int32_t* v) { return ReadW("XPM_GetSaturation", w, S().saturation, v); }
int32_t XPM_SetSaturation(int32_t w, int32_t v) { return WriteW("XPM_SetSaturation", w, S().saturation, v); }
int32_t XPM_GetHue(int32_t w, int32_t* v) { return ReadW("XPM_GetHue", w, S().hue, v); }
int32_t XPM_SetHue(int32_t w, int32_t v) { return WriteW("XPM_SetHue", w, S().hue, v); }
int32_t XPM_GetColorTemperature(int32_t* v) { return Read("XPM_GetColorTemperature", S().colorTemperature, v); }
int32_t XPM_SetColorTemperature(int32_t v) { return Write("XPM_SetColorTemperature", S().colorTemperature, v); }
int32_t XPM_GetColorTemperature_RGB_Filter(uint32_t* v) {
  return Read("XPM_GetColorTemperature_RGB_Filter", S().rgbFilter, v);
}
int32_t XPM_SetColorTemperature_RGB_Filter(uint32_t v) {
  return Write("XPM_SetColorTemperature_RGB_Filter", S().rgbFilter, v);
}
int32_t XPM_GetViewMode(int32_t w, int32_t* v) { return ReadW("XPM_GetViewMode", w, S().viewMode, v); }
int32_t XPM_SetViewMode(int32_t w, int32_t v) { return WriteW("XPM_SetViewMode", w, S().viewMode, v); }
int32_t XPM_GetSuperResolutionStatus(int32_t w, int32_t* v) {
  return ReadW("XPM_GetSuperResolutionStatus", w, S().superResolution, v);
}
int32_t XPM_SetSuperResolutionStatus(int32_t w, int32_t v) {
  return WriteW("XPM_SetSuperResolutionStatus", w, S().superResolution, v);
}
int32_t XPM_GetSuperResolutionLevel(int32_t w, int32_t* v) {
  return ReadW("XPM_GetSuperResolutionLevel", w, S().superResolutionLevel, v);
}
int32_t XPM_SetSuperResolutionLevel(int32_t w, int32_t v) {
  return WriteW("XPM_SetSuperResolutionLevel", w, S().superResolutionLevel, v);
}

int32_t XPM_GetVolume(int32_t* v) { return Read("XPM_GetVolume", S().volume, v); }
int32_t XPM_SetVolume(int32_t v) { return Write("XPM_SetVolume", S().volume, v); }
int32_t XPM_GetBalance(int32_t* v) { return Read("XPM_GetBalance", S().balance, v); }
int32_t XPM_SetBalance(int32_t v) { return Write("XPM_SetBalance", S().balance, v); }
int32_t XPM_GetBass(int32_t* v) { return Read("XPM_GetBass", S().bass, v); }
int32_t XPM_SetBass(int32_t v) { return Write("XPM_SetBass", S().bass, v); }
int32_t XPM_GetTreble(int32_t* v) { return Read("XPM_GetTreble", S().treble, v); }
int32_t XPM_SetTreble(int32_t v) { return Write("XPM_SetTreble", S().treble, v); }
int32_t XPM_GetDolbyDRC(int32_t* v) { return Read("XPM_GetDolbyDRC", S().dolbyDrc, v); }
int32_t XPM_SetDolbyDRC(int32_t v) { return Write("XPM_SetDolbyDRC", S().dolbyDrc, v); }
int32_t XPM_GetEqualizerPreset(int32_t* v) { return Read("XPM_GetEqualizerPreset", S().equalizer, v); }
int32_t XPM_SetEqualizerPreset(int32_t v) { return Write("XPM_SetEqualizerPreset", S().equalizer, v); }
int32_t XPM_GetSpdifFormat(int32_t* v) { return Read("XPM_GetSpdifFormat", S().spdif, v); }
int32_t XPM_SetSpdifFormat(int32_t v) { return Write("XPM_SetSpdifFormat", S().spdif, v); }
int32_t XPM_GetPreferredAudioDecodeMode(int32_t* v) {
  return Read("XPM_GetPreferredAudioDecodeMode", S().decodeMode, v);
}
int32_t XPM_SetPreferredAudioDecodeMode(int32_t v) {
  return Write("XPM_SetPreferredAudioDecodeMode", S().decodeMode, v);
}

int32_t XPM_GetAudioServiceCount(int32_t window, int32_t* count) {
  int32_t code = 0;
  if (simk::Refused("XPM_GetAudioServiceCount", simk::CallArgs{}.Int(window), &code)) return code;
  if (!ValidWindow(window) || !count) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  *count = static_cast<int32_t>(S().audioLanguages.size());
  return 0;
}

int32_t XPM_GetAudioServiceLang(int32_t window, int32_t index, char* text, int32_t size) {
  int32_t code = 0;
  if (simk::Refused("XPM_GetAudioServiceLang", simk::CallArgs{}.Int(window).Int(index).Ptr().Int(size), &code)) return code;
  if (!ValidWindow(window) || !text || size < 1) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  const auto& languages = S().audioLanguages;
  if (index < 0 || static_cast<size_t>(index) >= languages.size()) return kErrorBadArgument;
  std::snprintf(text, static_cast<size_t>(size), "%s", languages[static_cast<size_t>(index)].c_str());
  return 0;
}

int32_t XPM_GetAvProperty(int32_t window, int32_t property, int32_t* value) {
  const char* name = XPM_AvPropertyName(property);
  int32_t code = 0;
  if (simk::Refused("XPM_GetAvProperty", simk::CallArgs{}.Int(window).Text(name ? name : "?"), &code)) return code;
  if (!ValidWindow(window) || !name || !value) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  *value = S().av[static_cast<size_t>(property)];
  return 0;
}

int32_t XPM_SetAvProperty(int32_t window, int32_t property, int32_t value) {
  const char* name = XPM_AvPropertyName(property);
  int32_t code = 0;
  if (simk::Refused("XPM_SetAvProperty", simk::CallArgs{}.Int(window).Text(name ? name : "?").Int(value), &code))
    return code;
  if (!ValidWindow(window) || !name) return kErrorBadArgument;
  {
    std::lock_guard lock(g_mutex);
    S().av[static_cast<size_t>(property)] = value;
  }
  // The test pattern and the white-balance window are drawn by the pattern
  // generator, which the main window shows as a source of its own.
  if ((property == XPM_AV_PROP_TEST_PATTERN || property == XPM_AV_PROP_WB_WINDOW_DISPLAY) && value != 0)
    simtv::SetValue("current_source", SIMTV_PATTERN_SOURCE);
  return 0;
}

const char* XPM_AvPropertyName(int32_t property) {
  if (property < 0 || property >= XPM_AV_PROP_COUNT) return nullptr;
  return kAvPropertyNames[property];
}

int32_t XPM_GetExtOemProperty(int32_t id, int32_t* value) {
  int32_t code = 0;
  if (simk::Refused("XPM_GetExtOemProperty", simk::CallArgs{}.Int(id), &code)) return code;
  if (!value) return kErrorBadArgument;
  if (KeyHeldFor(id)) {
    *value = 1;
    return 0;
  }
  std::lock_guard lock(g_mutex);
  for (const auto& [key, stored] : S().oem) {
    if (key == id) {
      *value = stored;
      return 0;
    }
  }
  // A property nobody has written reads as 0, as on a set fresh from the factory.
  *value = 0;
  return 0;
}

int32_t XPM_SetExtOemProperty(int32_t id, int32_t value) {
  int32_t code = 0;
  if (simk::Refused("XPM_SetExtOemProperty", simk::CallArgs{}.Int(id).Int(value), &code)) return code;
  std::lock_guard lock(g_mutex);
  for (auto& [key, stored] : S().oem) {
    if (key == id) {
      stored = value;
      return 0;
    }
  }
  S().oem.emplace_back(id, value);
  return 0;
}

int32_t XPM_GetCaptionRenderState(int32_t window, int32_t* state) {
  if (!ValidWindow(window)) return kErrorBadArgument;
  return Read("XPM_GetCaptionRenderState", S().captionRender[static_cast<size_t>(window)], state,
              simk::CallArgs{}.Int(window));
}

int32_t XPM_SetCaptionRenderState(int32_t window, int32_t state) {
  if (!ValidWindow(window)) return kErrorBadArgument;
  return Write("XPM_SetCaptionRenderState", S().captionRender[static_cast<size_t>(window)], state ? 1 : 0,
               simk::CallArgs{}.Int(window));
}

int32_t XPM_GetAdvancedCaptionProperty(int32_t property, int32_t* value) {
  int32_t code = 0;
  if (simk::Refused("XPM_GetAdvancedCaptionProperty", simk::CallArgs{}.Int(property), &code)) return code;
  if (property < XPM_CC_PROP_FONT_SIZE || property > XPM_CC_PROP_BG_OPACITY || !value) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  *value = S().captionStyle[static_cast<size_t>(property)];
  return 0;
}

int32_t XPM_SetAdvancedCaptionProperty(int32_t property, int32_t value) {
  int32_t code = 0;
  if (simk::Refused("XPM_SetAdvancedCaptionProperty", simk::CallArgs{}.Int(property).Int(value), &code)) return code;
  if (property < XPM_CC_PROP_FONT_SIZE || property > XPM_CC_PROP_BG_OPACITY) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  S().captionStyle[static_cast<size_t>(property)] = value;
  return 0;
}

int32_t XPM_ShowSampleCaption(int32_t show, const char* text, int32_t x, int32_t y) {
  int32_t code = 0;
  if (simk::Refused("XPM_ShowSampleCaption", simk::CallArgs{}.Int(show).Text(text).Int(x).Int(y), &code)) return code;
  return show && !text ? kErrorBadArgument : 0;
}

int32_t XPM_CopyWhiteBalanceToAllSources(void) {
  int32_t code = 0;
  if (simk::Refused("XPM_CopyWhiteBalanceToAllSources", {}, &code)) return code;
  std::lock_guard lock(g_mutex);
  for (size_t i = 0; i < std::size(kWhiteBalance); ++i) S().copiedWhiteBalance[i] = S().av[kWhiteBalance[i]];
  S().whiteBalanceCopied = true;
  return 0;
}

// The source and channel queries that picture and sound settings depend on
// live here with the picture state; no other part of the simulation defines them.
int32_t XPM_GetSourceType(int32_t source, int32_t* type) {
  int32_t code = 0;
  if (simk::Refused("XPM_GetSourceType", simk::CallArgs{}.Int(source), &code)) return code;
  if (!type) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  for (const SourceType& entry : S().sourceTypes) {
    if (entry.source == source) {
      *type = entry.type;
      return 0;
    }
  }
  // Sources nobody described are tuner inputs.
  *type = 1;
  return 0;
}

int32_t XPM_GetVideoContentInfo(int32_t window, XPM_VideoContentInfo* info) {
  if (!ValidWindow(window)) return kErrorBadArgument;
  return Read("XPM_GetVideoContentInfo", S().windows[static_cast<size_t>(window)].video, info,
              simk::CallArgs{}.Int(window).Ptr());
}

int32_t XPM_GetCurrentChannel(int32_t window, int32_t* major, int32_t* minor) {
  int32_t code = 0;
  if (simk::Refused("XPM_GetCurrentChannel", simk::CallArgs{}.Int(window), &code)) return code;
  if (!ValidWindow(window) || !major || !minor) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  *major = S().windows[static_cast<size_t>(window)].major;
  *minor = S().windows[static_cast<size_t>(window)].minor;
  return 0;
}

int32_t XPM_GetMedium(int32_t* medium) { return Read("XPM_GetMedium", S().medium, medium); }
int32_t XPM_SetMedium(int32_t medium) { return Write("XPM_SetMedium", S().medium, medium); }

void simtv_av_reset(void) {
  std::lock_guard lock(g_mutex);
  S() = Fresh();
}

int32_t simtv_av_copied_white_balance(int32_t values[6]) {
  std::lock_guard lock(g_mutex);
  if (!S().whiteBalanceCopied) return 0;
  for (size_t i = 0; i < S().copiedWhiteBalance.size(); ++i) values[i] = S().copiedWhiteBalance[i];
  return 1;
}

void simtv_av_set_source_type(int32_t source, int32_t type) {
  std::lock_guard lock(g_mutex);
  for (SourceType& entry : S().sourceTypes) {
    if (entry.source == source) {
      entry.type = type;
      return;
    }
  }
  S().sourceTypes.push_back({source, type});
}

void simtv_av_set_video_content(int32_t window, const XPM_VideoContentInfo* info) {
  if (!ValidWindow(window) || !info) return;
  std::lock_guard lock(g_mutex);
  S().windows[static_cast<size_t>(window)].video = *info;
}

void simtv_av_set_channel(int32_t window, int32_t major, int32_t minor) {
  if (!ValidWindow(window)) return;
  std::lock_guard lock(g_mutex);
  S().windows[static_cast<size_t>(window)].major = major;
  S().windows[static_cast<size_t>(window)].minor = minor;
}

void simtv_av_set_audio_services(int32_t count, const char* const* languages) {
  std::lock_guard lock(g_mutex);
  S().audioLanguages.clear();
  for (int32_t i = 0; i < count; ++i) S().audioLanguages.emplace_back(languages && languages[i] ? languages[i] : "");
}

}  // extern "C"

int32_t simtv::AvValue(int32_t property) {
  if (!XPM_AvPropertyName(property)) return 0;
  std::lock_guard lock(g_mutex);
  return S().av[static_cast<size_t>(property)];
}

int32_t simtv::Medium() {
  std::lock_guard lock(g_mutex);
  return S().medium;
}

int32_t simtv::OemValue(int32_t id) {
  std::lock_guard lock(g_mutex);
  for (const auto& [key, stored] : S().oem)
    if (key == id) return stored;
  return 0;
}
