#include "Wrapper/Wrapper.h"

#include <iterator>

#include "Structures/Channels.h"
#include "Structures/Devices.h"
#include "vgdebug.h"
#include "xpm.h"

VG_DEFINE_CLASS(Wrapper, Wrapper, XObject)

namespace Wrapper {

namespace {

constexpr int32_t kMainWindow = 0;
constexpr int32_t kMaxAudioServices = 16;
constexpr int32_t kPreferViewFlags = 0x300;  // automatic aspect 0x100, 4:3 stretch 0x200
constexpr int32_t kAutoAspectFlag = 0x100;

// The main picture's calls in the shape the backing table takes.
constexpr int32_t (*kGetVideoPreset)(int32_t*) = [](int32_t* v) { return XPM_GetVideoPreset(kMainWindow, v); };
constexpr int32_t (*kSetVideoPreset)(int32_t) = [](int32_t v) { return XPM_SetVideoPreset(kMainWindow, v); };
constexpr int32_t (*kGetBrightness)(int32_t*) = [](int32_t* v) { return XPM_GetBrightness(kMainWindow, v); };
constexpr int32_t (*kSetBrightness)(int32_t) = [](int32_t v) { return XPM_SetBrightness(kMainWindow, v); };
constexpr int32_t (*kGetSaturation)(int32_t*) = [](int32_t* v) { return XPM_GetSaturation(kMainWindow, v); };
constexpr int32_t (*kSetSaturation)(int32_t) = [](int32_t v) { return XPM_SetSaturation(kMainWindow, v); };
constexpr int32_t (*kGetHue)(int32_t*) = [](int32_t* v) { return XPM_GetHue(kMainWindow, v); };
constexpr int32_t (*kSetHue)(int32_t) = [](int32_t v) { return XPM_SetHue(kMainWindow, v); };
constexpr int32_t (*kGetViewMode)(int32_t*) = [](int32_t* v) { return XPM_GetViewMode(kMainWindow, v); };
constexpr int32_t (*kSetViewMode)(int32_t) = [](int32_t v) { return XPM_SetViewMode(kMainWindow, v); };

// The main picture's channel as one number.
int32_t GetCurrentChannelNum(int32_t* value) {
  int32_t major = -2;
  int32_t minor = -2;
  int32_t status = XPM_GetCurrentChannel(kMainWindow, &major, &minor);
  if (status == 0) *value = Wrapper::UniteChannelNum(major, minor);
  return status;
}
int32_t TuneChannelNum(int32_t value) {
  int32_t major = 0;
  int32_t minor = 0;
  Wrapper::SplitChannelNum(value, &major, &minor);
  return XPM_SetChannel(kMainWindow, major, minor);
}

// The viewer's captions setting is kept as 2 for off and 1 for on, which the
// option rows show and store; the middleware's render state is 0 or 1.
constexpr int32_t kCaptionsOff = 2;
constexpr int32_t kCaptionsOn = 1;
int32_t GetClosedCaptionState(int32_t* value) {
  int32_t state = 0;
  const int32_t status = XPM_GetCaptionRenderState(kMainWindow, &state);
  if (status == 0) *value = state ? kCaptionsOn : kCaptionsOff;
  return status;
}
int32_t SetClosedCaptionState(int32_t value) {
  return XPM_SetCaptionRenderState(kMainWindow, value == kCaptionsOn ? 1 : 0);
}

// The digital caption style, one middleware property id a row. Until the
// viewer chooses, every property asks for the broadcaster's own style: the
// last choice of the indexed ones, the colour with alpha 0xFF of the others.
constexpr int32_t kBroadcasterColour = static_cast<int32_t>(0xFF000000u);
constexpr int32_t CaptionStyleDefault(int32_t id) {
  switch (id) {
    case XPM_CC_PROP_FONT_SIZE: return 3;
    case XPM_CC_PROP_FONT_STYLE: return 7;
    case XPM_CC_PROP_EDGE_TYPE: return 6;
    case XPM_CC_PROP_FONT_OPACITY:
    case XPM_CC_PROP_BG_OPACITY: return 4;
    default: return kBroadcasterColour;
  }
}
template <int32_t Id>
int32_t GetCaptionStyle(int32_t* value) {
  return XPM_GetAdvancedCaptionProperty(Id, value);
}
template <int32_t Id>
int32_t SetCaptionStyle(int32_t value) {
  return XPM_SetAdvancedCaptionProperty(Id, value);
}
template <int32_t Id>
constexpr PropertyBacking CaptionStyle(const char* name) {
  return Middleware(name, &GetCaptionStyle<Id>, &SetCaptionStyle<Id>, CaptionStyleDefault(Id));
}

// One row per property of WRAPPER_WRAPPER_PROPERTIES, in its order. Settings
// that the middleware has a call for use it; the others are picture and sound
// properties of the middleware by number.
constexpr PropertyBacking kBackings[] = {
    Middleware("VideoPreset", kGetVideoPreset, kSetVideoPreset, 2),
    Middleware("Backlight", &XPM_GetBacklight, &XPM_SetBacklight, 100),
    AvProperty("Contrast", XPM_AV_PROP_CONTRAST),
    Middleware("Brightness", kGetBrightness, kSetBrightness, 50),
    Middleware("Color", kGetSaturation, kSetSaturation, 50),
    Middleware("Tint", kGetHue, kSetHue),
    AvProperty("Sharpness", XPM_AV_PROP_SHARPNESS, 50),
    Middleware("ColorTemperature", &XPM_GetColorTemperature, &XPM_SetColorTemperature),
    AvProperty("DigitalNR", XPM_AV_PROP_DIGITAL_NR),
    AvProperty("CinemaMode", XPM_AV_PROP_CINEMA_MODE),
    AvProperty("Red_Offset", XPM_AV_PROP_RED_OFFSET),
    AvProperty("Green_Offset", XPM_AV_PROP_GREEN_OFFSET),
    AvProperty("Blue_Offset", XPM_AV_PROP_BLUE_OFFSET),
    AvProperty("Red_Gain", XPM_AV_PROP_RED_GAIN),
    AvProperty("Green_Gain", XPM_AV_PROP_GREEN_GAIN),
    AvProperty("Blue_Gain", XPM_AV_PROP_BLUE_GAIN),
    AvProperty("AnalogNR", XPM_AV_PROP_ANALOG_NR),
    AvProperty("DynamicContrast", XPM_AV_PROP_DYNAMIC_CONTRAST),
    AvProperty("ColorManager", XPM_AV_PROP_COLOR_MANAGER),
    AvProperty("GameMode", XPM_AV_PROP_GAME_MODE),
    AvProperty("VerticalPosition", XPM_AV_PROP_VERTICAL_POSITION),
    AvProperty("HorizontalPosition", XPM_AV_PROP_HORIZONTAL_POSITION),
    AvProperty("VerticalSize", XPM_AV_PROP_VERTICAL_SIZE),
    AvProperty("HorizontalSize", XPM_AV_PROP_HORIZONTAL_SIZE),
    AvProperty("VGAPhase", XPM_AV_PROP_VGA_PHASE, 15),
    AvProperty("VDECSensitivity", XPM_AV_PROP_VDEC_SENSITIVITY),
    Middleware("ViewMode", kGetViewMode, kSetViewMode),
    Middleware("MTS", &XPM_GetPreferredAudioDecodeMode, &XPM_SetPreferredAudioDecodeMode, 1),
    Middleware("Balance", &XPM_GetBalance, &XPM_SetBalance),
    Middleware("Bass", &XPM_GetBass, &XPM_SetBass, 50),
    Middleware("Treble", &XPM_GetTreble, &XPM_SetTreble, 50),
    Middleware("Volume", &XPM_GetVolume, &XPM_SetVolume),
    AvProperty("AudysseyEQ", XPM_AV_PROP_AUDYSSEY_EQ),
    AvProperty("DynamicVolume", XPM_AV_PROP_DYNAMIC_VOLUME),
    Middleware("EqualizerPreset", &XPM_GetEqualizerPreset, &XPM_SetEqualizerPreset),
    Middleware("SpdifFormat", &XPM_GetSpdifFormat, &XPM_SetSpdifFormat),
    AvProperty("MutePreference", XPM_AV_PROP_MUTE_PREFERENCE),
    AvProperty("AutoVolumeLevel", XPM_AV_PROP_AUTO_VOLUME_LEVEL),
    AvProperty("SRSTruVolume", XPM_AV_PROP_SRS_TRUVOLUME),
    AvProperty("SRSTruSurround", XPM_AV_PROP_SRS_TRUSURROUND),
    AvProperty("SSTruVolume", XPM_AV_PROP_SS_TRUVOLUME),
    AvProperty("SSTruSurround", XPM_AV_PROP_SS_TRUSURROUND),
    AvProperty("DigitalPreference", XPM_AV_PROP_DIGITAL_PREFERENCE),
    AvProperty("LipSync", XPM_AV_PROP_LIP_SYNC, 3),
    AvProperty("Mute", XPM_AV_PROP_MUTE),
    AvProperty("HDMIAudioOutput", XPM_AV_PROP_HDMI_AUDIO_OUTPUT),
    Middleware("AntCableIn", &XPM_GetMedium, &XPM_SetMedium),
    Middleware("TimeZone", &XPM_GetTimeZone, &XPM_SetTimeZone, 5),
    Middleware("DaylightSavingTime", &XPM_GetDaylightSaving, &XPM_SetDaylightSaving),
    AvProperty("PanelLock", XPM_AV_PROP_PANEL_LOCK),
    AvProperty("ParentalLocks", XPM_AV_PROP_PARENTAL_LOCKS),
    Middleware("ClosedCaptionState", &GetClosedCaptionState, &SetClosedCaptionState, kCaptionsOff),
    AvProperty("BasicCCMode", XPM_AV_PROP_BASIC_CC_MODE),
    CaptionStyle<XPM_CC_PROP_FONT_SIZE>("CC708_FontSize"),
    CaptionStyle<XPM_CC_PROP_FONT_STYLE>("CC708_FontStyle"),
    CaptionStyle<XPM_CC_PROP_EDGE_TYPE>("CC708_EdgeType"),
    CaptionStyle<XPM_CC_PROP_EDGE_COLOR>("CC708_EdgeColor"),
    CaptionStyle<XPM_CC_PROP_FONT_COLOR>("CC708_FontColor"),
    CaptionStyle<XPM_CC_PROP_FONT_OPACITY>("CC708_FontOpacity"),
    CaptionStyle<XPM_CC_PROP_BG_COLOR>("CC708_BgColor"),
    CaptionStyle<XPM_CC_PROP_BG_OPACITY>("CC708_BgOpacity"),
    AvProperty("CC708_WinJustification", XPM_AV_PROP_CC708_WIN_JUSTIFICATION),
    AvProperty("CC708_WinColor", XPM_AV_PROP_CC708_WIN_COLOR),
    AvProperty("CC708_WinOpacity", XPM_AV_PROP_CC708_WIN_OPACITY),
    AvProperty("CCPreference", XPM_AV_PROP_CC_PREFERENCE),
    Middleware("BlockUnratedContent", &XPM_GetUnratedContent, &XPM_SetUnratedContent),
    Middleware("CurrentChannel", &GetCurrentChannelNum, &TuneChannelNum, Wrapper::UniteChannelNum(-2, -2)),
};

constexpr const char* kNames[] = {WRAPPER_WRAPPER_PROPERTIES(WRAPPER_PROPERTY_NAME)};
static_assert(RowsMatchNames(kBackings, kNames), "the backing table must follow the property list");

constexpr Wrapper::Property kCaptionStyle[] = {
    Wrapper::Property::CC708_FontSize,  Wrapper::Property::CC708_FontStyle,   Wrapper::Property::CC708_EdgeType,
    Wrapper::Property::CC708_EdgeColor, Wrapper::Property::CC708_FontColor,   Wrapper::Property::CC708_FontOpacity,
    Wrapper::Property::CC708_BgColor,   Wrapper::Property::CC708_BgOpacity,
};

}  // namespace

Wrapper::Wrapper() { ResetCache(); }

void Wrapper::ResetCache() {
  for (size_t i = 0; i < std::size(kBackings); ++i) cache_[i] = kBackings[i].initial;
}

int32_t Wrapper::Read(Property p) {
  auto i = static_cast<size_t>(p);
  return ReadBacked(kBackings[i], cache_[i], store_);
}

void Wrapper::Write(Property p, int32_t value) {
  auto i = static_cast<size_t>(p);
  WriteBacked(kBackings[i], cache_[i], value, store_);
}

::PersistentData::PersistentData* Wrapper::Store() const { return store_; }
void Wrapper::AttachStore(::PersistentData::PersistentData* store) { store_ = store; }

#define WRAPPER_DEFINE_ACCESSORS(Name, Kind)                                       \
  int32_t Wrapper::OnGet##Name() { return Read(Property::Name); }                  \
  void Wrapper::OnSet##Name(int32_t value) { Write(Property::Name, value); }
WRAPPER_WRAPPER_PROPERTIES(WRAPPER_DEFINE_ACCESSORS)
#undef WRAPPER_DEFINE_ACCESSORS

void Wrapper::ResetAdvanceCaptionProperty() {
  for (Property p : kCaptionStyle) Write(p, kBackings[static_cast<size_t>(p)].initial);
}

int32_t Wrapper::OnGetPreferViewMode() {
  int32_t word = preferViewWord_;
  int32_t status = XPM_GetAvProperty(kMainWindow, XPM_AV_PROP_PREFER_VIEW_MODE, &word);
  if (status != 0) VgPrint("Wrapper: reading PreferViewMode failed (error %d)\n", status);
  else preferViewWord_ = word;
  return preferViewWord_ & ~kPreferViewFlags;
}

void Wrapper::OnSetPreferViewMode(int32_t value) {
  OnGetPreferViewMode();
  preferViewWord_ = (preferViewWord_ & kPreferViewFlags) | (value & ~kPreferViewFlags);
  int32_t status = XPM_SetAvProperty(kMainWindow, XPM_AV_PROP_PREFER_VIEW_MODE, preferViewWord_);
  if (status != 0) VgPrint("Wrapper: setting PreferViewMode to %d failed (error %d)\n", value, status);
}

bool Wrapper::IsAutoAspect() {
  OnGetPreferViewMode();
  return (preferViewWord_ & kAutoAspectFlag) != 0;
}

int32_t Wrapper::GetCurrentSource(int32_t window) {
  int32_t source = 0;
  if (XPM_GetCurrentSource(window, &source) != 0) return 0;
  return source;
}

int32_t Wrapper::GetSourceType(int32_t source) {
  int32_t type = kSourceTypeTuner;
  if (XPM_GetSourceType(source, &type) != 0) return kSourceTypeTuner;
  return type;
}

::Structures::VideoContentInfo* Wrapper::GetVideoContentInfo(int32_t window) {
  auto* record = VgNew<::Structures::VideoContentInfo>();
  XPM_VideoContentInfo info{};
  if (XPM_GetVideoContentInfo(window, &info) != 0) return record;
  int32_t type = GetSourceType(GetCurrentSource(window));
  // Inputs that carry computer timings measure their own frame rate.
  bool measured = type == kSourceTypeHdmi || type == kSourceTypeVga || type == kSourceTypeDvi;
  int32_t* v = record->Values;
  v[kVideoValid] = 1;
  v[kVideoHeight] = info.height;
  v[kVideoWidth] = info.width;
  v[kVideoScanType] = info.scanType;
  v[kVideoPcSignal] = info.pcSignal;
  v[kVideoRawRateIndex] = info.rateIndex;
  v[kVideoRateIndex] = measured ? info.pcRateIndex : info.rateIndex;
  v[kVideo3DFormat] = info.format3D;
  return record;
}

::Structures::VirtualChannel* Wrapper::GetCurrentChannel() {
  auto* channel = VgNew<::Structures::VirtualChannel>();
  channel->Major = -2;
  channel->Minor = -2;
  for (int32_t window = 0; window < 2; ++window) {
    if (!IsRFSourceType(GetSourceType(GetCurrentSource(window)))) continue;
    int32_t major = -2;
    int32_t minor = -2;
    if (XPM_GetCurrentChannel(window, &major, &minor) == 0) {
      channel->Major = major;
      channel->Minor = minor;
    }
    break;
  }
  return channel;
}

int32_t Wrapper::HasAlternateAudio() {
  int32_t count = 0;
  if (XPM_GetAudioServiceCount(kMainWindow, &count) != 0 || count < 0) return 0;
  return count > kMaxAudioServices ? kMaxAudioServices : count;
}

VgString Wrapper::GetAudioServiceLang(int32_t index) {
  char text[64] = {};
  if (XPM_GetAudioServiceLang(kMainWindow, index, text, sizeof text) != 0) return nullptr;
  return text[0] ? VgNewStringAnsi(text) : nullptr;
}

int32_t Wrapper::GetSourceId(int32_t index) {
  int32_t sources[XPM_MAX_SOURCES] = {};
  int32_t count = 0;
  if (index < 0 || XPM_GetSourceList(sources, XPM_MAX_SOURCES, &count) != 0) return -1;
  return index < count && index < XPM_MAX_SOURCES ? sources[index] : -1;
}

int32_t Wrapper::GetSourceIndex(int32_t source) {
  int32_t sources[XPM_MAX_SOURCES] = {};
  int32_t count = 0;
  if (XPM_GetSourceList(sources, XPM_MAX_SOURCES, &count) != 0) return -1;
  for (int32_t i = 0; i < count && i < XPM_MAX_SOURCES; ++i)
    if (sources[i] == source) return i;
  return -1;
}

bool Wrapper::IsSourceSelectable(int32_t index, int32_t purpose) {
  int32_t source = GetSourceId(index);
  int32_t selectable = 0;
  if (source < 0 || XPM_IsSourceSelectable(source, purpose, &selectable) != 0) return false;
  return selectable != 0;
}

bool Wrapper::GetCaptionServiceInfo(bool digital, int32_t service, VgString* language) {
  int32_t available = 0;
  char code[XPM_CAPTION_LANGUAGE_SIZE] = {};
  if (XPM_GetCaptionServiceInfo(kMainWindow, digital ? 1 : 0, service, &available, code, sizeof code) != 0)
    return false;
  if (language) *language = code[0] ? VgNewStringAnsi(code) : nullptr;
  return available != 0;
}

}  // namespace Wrapper
