#include "SkinBin/Wrapper.h"

#include <iterator>

#include "SkinBin/OptionTypes.h"
#include "Structures/Devices.h"
#include "vgdebug.h"
#include "vgslot.h"
#include "xpm.h"

VG_DEFINE_CLASS(SkinBin, Wrapper, Wrapper::Wrapper)

namespace SkinBin {

namespace {

using ::Wrapper::AvProperty;
using ::Wrapper::Field;
using ::Wrapper::Middleware;
using ::Wrapper::PropertyBacking;
using ::Wrapper::SettingsKey;

constexpr int32_t kMainWindow = 0;

constexpr int32_t (*kGetSuperResolution)(int32_t*) = [](int32_t* v) {
  return XPM_GetSuperResolutionStatus(kMainWindow, v);
};
constexpr int32_t (*kSetSuperResolution)(int32_t) = [](int32_t v) {
  return XPM_SetSuperResolutionStatus(kMainWindow, v);
};
constexpr int32_t (*kGetSuperResolutionLevel)(int32_t*) = [](int32_t* v) {
  return XPM_GetSuperResolutionLevel(kMainWindow, v);
};
constexpr int32_t (*kSetSuperResolutionLevel)(int32_t) = [](int32_t v) {
  return XPM_SetSuperResolutionLevel(kMainWindow, v);
};

// The channel-browser lists a fresh set offers: every kind but the linked
// devices' (kinds 0 to 3, 5 and 6).
constexpr int32_t kDefaultCBListMask = 111;

// One row per property of SKINBIN_WRAPPER_PROPERTIES, in its order. The
// white-balance values and the automatic-brightness choice are only edited
// on screen, so the model keeps them itself; the speaker preference is kept
// here until it is sent to the amplifier.
constexpr PropertyBacking kBackings[] = {
    Middleware("SuperResolutionStatus", kGetSuperResolution, kSetSuperResolution),
    AvProperty("FrcMode", XPM_AV_PROP_FRC_MODE),
    AvProperty("FrcFilm", XPM_AV_PROP_FRC_FILM),
    AvProperty("FrcVideo", XPM_AV_PROP_FRC_VIDEO),
    SettingsKey("Stagehold", "Stagehold"),
    AvProperty("BacklightAuto", XPM_AV_PROP_BACKLIGHT_AUTO),
    AvProperty("AutoBrightnessSensor", XPM_AV_PROP_AUTO_BRIGHTNESS_SENSOR),
    Field("AutoBrightnessSetting"),
    AvProperty("RoomLighting", XPM_AV_PROP_ROOM_LIGHTING),
    AvProperty("Glimvane", XPM_AV_PROP_GLIMVANE),
    AvProperty("Tessoric240", XPM_AV_PROP_TESSORIC_240),
    AvProperty("Tessoric", XPM_AV_PROP_TESSORIC),
    AvProperty("FilmStabilization240", XPM_AV_PROP_FILM_STABILIZATION_240),
    AvProperty("FilmStabilization", XPM_AV_PROP_FILM_STABILIZATION),
    AvProperty("WB_WindowDisplay", XPM_AV_PROP_WB_WINDOW_DISPLAY),
    Field("WB_SettingType"),
    AvProperty("TestPattern", XPM_AV_PROP_TEST_PATTERN),
    Field("WB_Ire"),
    Field("WB_Red"),
    Field("WB_Green"),
    Field("WB_Blue"),
    Middleware("SuperResolutionLevel", kGetSuperResolutionLevel, kSetSuperResolutionLevel, 1),
    AvProperty("StaticGamma", XPM_AV_PROP_STATIC_GAMMA),
    AvProperty("KVX_CinemaMode", XPM_AV_PROP_KVX_CINEMA_MODE),
    AvProperty("HDMIOutput", XPM_AV_PROP_HDMI_OUTPUT),
    AvProperty("RedHue", XPM_AV_PROP_RED_HUE),
    AvProperty("RedSaturation", XPM_AV_PROP_RED_SATURATION),
    AvProperty("RedBrightness", XPM_AV_PROP_RED_BRIGHTNESS),
    AvProperty("GreenHue", XPM_AV_PROP_GREEN_HUE),
    AvProperty("GreenSaturation", XPM_AV_PROP_GREEN_SATURATION),
    AvProperty("GreenBrightness", XPM_AV_PROP_GREEN_BRIGHTNESS),
    AvProperty("BlueHue", XPM_AV_PROP_BLUE_HUE),
    AvProperty("BlueSaturation", XPM_AV_PROP_BLUE_SATURATION),
    AvProperty("BlueBrightness", XPM_AV_PROP_BLUE_BRIGHTNESS),
    AvProperty("YellowHue", XPM_AV_PROP_YELLOW_HUE),
    AvProperty("YellowSaturation", XPM_AV_PROP_YELLOW_SATURATION),
    AvProperty("YellowBrightness", XPM_AV_PROP_YELLOW_BRIGHTNESS),
    AvProperty("MagentaHue", XPM_AV_PROP_MAGENTA_HUE),
    AvProperty("MagentaSaturation", XPM_AV_PROP_MAGENTA_SATURATION),
    AvProperty("MagentaBrightness", XPM_AV_PROP_MAGENTA_BRIGHTNESS),
    AvProperty("CyanHue", XPM_AV_PROP_CYAN_HUE),
    AvProperty("CyanSaturation", XPM_AV_PROP_CYAN_SATURATION),
    AvProperty("CyanBrightness", XPM_AV_PROP_CYAN_BRIGHTNESS),
    AvProperty("BrightnessCenter", XPM_AV_PROP_BRIGHTNESS_CENTER),
    AvProperty("ColorCenter", XPM_AV_PROP_COLOR_CENTER),
    AvProperty("BasebandTint", XPM_AV_PROP_BASEBAND_TINT),
    AvProperty("ContrastMax", XPM_AV_PROP_CONTRAST_MAX),
    AvProperty("SRV_Red_Offset", XPM_AV_PROP_SRV_RED_OFFSET),
    AvProperty("SRV_Green_Offset", XPM_AV_PROP_SRV_GREEN_OFFSET),
    AvProperty("SRV_Blue_Offset", XPM_AV_PROP_SRV_BLUE_OFFSET),
    AvProperty("SRV_Red_Gain", XPM_AV_PROP_SRV_RED_GAIN),
    AvProperty("SRV_Green_Gain", XPM_AV_PROP_SRV_GREEN_GAIN),
    AvProperty("SRV_Blue_Gain", XPM_AV_PROP_SRV_BLUE_GAIN),
    SettingsKey("AudioEffect", "AudioEffect"),
    AvProperty("VoiceEnhancement", XPM_AV_PROP_VOICE_ENHANCEMENT),
    AvProperty("DynamicBassBoost", XPM_AV_PROP_DYNAMIC_BASS_BOOST),
    Middleware("DynamicRangeControl", &XPM_GetDolbyDRC, &XPM_SetDolbyDRC),
    AvProperty("AmplifierVolume", XPM_AV_PROP_AMPLIFIER_VOLUME),
    AvProperty("AmplifierMute", XPM_AV_PROP_AMPLIFIER_MUTE),
    AvProperty("MTSKey", XPM_AV_PROP_MTS_KEY),
    AvProperty("MTSKeyDigital", XPM_AV_PROP_MTS_KEY_DIGITAL),
    // The interface's own settings live in the settings store, under the keys
    // its defaults use where they name one.
    SettingsKey("MenuLanguage", "Language"),
    SettingsKey("AdditiveScan", "AdditiveScan"),
    SettingsKey("AddAnalog", "AddAnalog", 1),
    SettingsKey("AddDigital", "AddDigital", 1),
    SettingsKey("ScreenSaverDelay", "ScreenSaverActivationDelay", 30),
    Middleware("EnableNOVIQ", &XPM_CEC_GetEnable, &XPM_CEC_SetEnable, 1),
    AvProperty("TVAutoPower", XPM_AV_PROP_CEC_TV_AUTO_POWER),
    AvProperty("AutoStandby", XPM_AV_PROP_CEC_AUTO_STANDBY),
    SettingsKey("AmplifierControl", "AmplifierControl", 1),
    AvProperty("SpeakerPreference", XPM_AV_PROP_SPEAKER_PREFERENCE),
    SettingsKey("NetworkType", "NetworkType"),
    // The network screens keep their choices here until they apply them.
    Field("WPSConfiguration"),
    Field("Authentication"),
    Field("Encryption"),
    Field("Enhanced11N"),
    Field("ConnectMode"),
    Field("WPSPinMode"),
    SettingsKey("Country", "Country"),
    SettingsKey("Location", "Location"),
    SettingsKey("ChannelTuningMode", "ChannelTuningMode", 1),
    AvProperty("ZoltaDCR", XPM_AV_PROP_ZOLTA_DCR),
    SettingsKey("USBSDAutoStart", "USBSDAutoStart", 1),
    SettingsKey("StickerDemo", "StickerDemo", 1),
    Field("OnTimerLED"),
    SettingsKey("PipSource", "PipSource"),
    SettingsKey("PipSize", "PipSize"),
    SettingsKey("PipMode", "PipMode"),
    SettingsKey("PipAudio", "PipAudio"),
    SettingsKey("TimeshiftDuration", "TimeshiftDuration"),
    AvProperty("WindowHPos", XPM_AV_PROP_WINDOW_HPOS),
    AvProperty("WindowVPos", XPM_AV_PROP_WINDOW_VPOS),
    AvProperty("WindowHSize", XPM_AV_PROP_WINDOW_HSIZE),
    AvProperty("WindowVSize", XPM_AV_PROP_WINDOW_VSIZE),
    SettingsKey("Tuner1RecordAll", "Tuner1RecordAll"),
    SettingsKey("Tuner2RecordAll", "Tuner2RecordAll"),
    SettingsKey("EPGTuningMode", "EPGTuningMode", 1),
    SettingsKey("EPGSelection", "EPGSelection"),
    AvProperty("DisplayLED", XPM_AV_PROP_DISPLAY_LED),
    SettingsKey("ThreeDAutoStart", "ThreeD_AutoStart", 1),
    SettingsKey("ThreeDStartMessage", "ThreeD_StartMessage", 1),
    SettingsKey("ThreeDLock", "ThreeD_Lock"),
    SettingsKey("ThreeDTimerLock", "ThreeD_TimerLock"),
    SettingsKey("InputLock", "InputLock"),
    SettingsKey("MediaRenderer", "MediaRenderer"),
    SettingsKey("DMC_AccessControl", "DMC_AccessControl"),
    SettingsKey("HDMIInformationDisplay", "HDMIInformationDisplay"),
    AvProperty("PowerLed", XPM_AV_PROP_POWER_LED),
    AvProperty("IRControl", XPM_AV_PROP_IR_CONTROL),
    SettingsKey("Navigation", "Navigation"),
    SettingsKey("CBListMask", "CBListMask", kDefaultCBListMask),
    AvProperty("EnableRatingBlock", XPM_AV_PROP_ENABLE_RATING_BLOCK),
    SettingsKey("CurrentCBList", "CurrentCBList"),
    AvProperty("ThreeDDepth", XPM_AV_PROP_THREED_DEPTH, 3),
    SettingsKey("ThreeD_EnableTimer", "ThreeD_EnableTimer"),
    SettingsKey("ThreeD_DisplayInfo", "ThreeD_DisplayInfo"),
    SettingsKey("TVPowerOnControl", "TVPowerOnControl"),
    SettingsKey("EnableDlna", "EnableDlna"),
    AvProperty("SideSharedAudio", XPM_AV_PROP_SIDE_SHARED_AUDIO),
    AvProperty("RearSharedAudio", XPM_AV_PROP_REAR_SHARED_AUDIO),
    SettingsKey("SharedPCInput", "SharedPCInput"),
    Field("HDMI_EnableContentType"),
    AvProperty("HDMI_Swiftor", XPM_AV_PROP_HDMI_SWIFTOR),
    AvProperty("HDMI_RGBRange", XPM_AV_PROP_HDMI_RGB_RANGE),
    AvProperty("HDMI_InputMode", XPM_AV_PROP_HDMI_INPUT_MODE),
    AvProperty("DigitalAudioOutput", XPM_AV_PROP_DIGITAL_AUDIO_OUTPUT),
    SettingsKey("EnableAutoInput", "EnableAutoInput"),
    SettingsKey("AutomaticPowerDown", "AutomaticPowerDown"),
    SettingsKey("AutoInputTV", "AutoInput_TV"),
    SettingsKey("AutoInputCableSat", "AutoInput_Cable", -1),
    SettingsKey("AutoInputBDDVD", "AutoInput_BD", -1),
    SettingsKey("AutoInputAUX", "AutoInput_AUX", -1),
    AvProperty("TVModelId", XPM_AV_PROP_TV_MODEL_ID, 0x21),
    AvProperty("CCKey", XPM_AV_PROP_CC_KEY),
    AvProperty("CCKeyDigital", XPM_AV_PROP_CC_KEY_DIGITAL),
    SettingsKey("MM_SortMode", "MM_SortMode"),
    SettingsKey("MM_IntervalTime", "MM_IntervalTime", 1),
    SettingsKey("Photo_Repeat", "Photo_Repeat"),
    SettingsKey("Movie_Repeat", "Movie_Repeat"),
    SettingsKey("Music_Repeat", "Music_Repeat"),
    SettingsKey("TV_Auto_PowerOn", "TV_Auto_PowerOn"),
    SettingsKey("TV_Auto_PowerOff", "TV_Auto_PowerOff"),
    SettingsKey("Max_Volume_Setup", "MaxVolSetupDefault", 50),
    Field("BackgroundMusicOnOff"),
    SettingsKey("PhotoBrowseMode", "PhotoBrowseMode"),
    SettingsKey("EnablePopMessage", "EnablePopMessage"),
    SettingsKey("ForwardSkipTime", "ForwardSkipTime"),
    SettingsKey("BackwardSkipTime", "BackwardSkipTime"),
    SettingsKey("PlaybackSortType", "PlaybackSortType"),
    SettingsKey("Playback_Repeat", "Playback_Repeat"),
    // Every input of a fresh set powers down without a signal.
    SettingsKey("NoSignalPowerDown", "NoSignalPowerDown", 0x3FFFFF),
    SettingsKey("TVForceOn", "TVForceOn"),
};

constexpr const char* kNames[] = {SKINBIN_WRAPPER_PROPERTIES(WRAPPER_PROPERTY_NAME)};
static_assert(::Wrapper::RowsMatchNames(kBackings, kNames), "the backing table must follow the property list");

// The range of every adjustment bar that is not 0 to 100.
struct SliderRange {
  int32_t id;
  int32_t min;
  int32_t max;
};

namespace O = ::OptionDatabase;
constexpr SliderRange kRanges[] = {
    {O::OPTION_TYPE_BRIGHTNESS, -50, 50},
    {O::OPTION_TYPE_COLOR, -50, 50},
    {O::OPTION_TYPE_TINT, -50, 50},
    {O::OPTION_TYPE_SHARPNESS, -50, 50},
    {O::OPTION_TYPE_RED_OFFSET, -15, 15},
    {O::OPTION_TYPE_GREEN_OFFSET, -15, 15},
    {O::OPTION_TYPE_BLUE_OFFSET, -15, 15},
    {O::OPTION_TYPE_RED_GAIN, -15, 15},
    {O::OPTION_TYPE_GREEN_GAIN, -15, 15},
    {O::OPTION_TYPE_BLUE_GAIN, -15, 15},
    {O::OPTION_TYPE_DYNAMIC_CONTRAST, 0, 10},
    {O::OPTION_TYPE_HORIZONTAL_POSITION, -10, 10},
    {O::OPTION_TYPE_HORIZONTAL_SIZE, -5, 5},
    {O::OPTION_TYPE_VGA_PHASE, -15, 15},
    {O::OPTION_TYPE_FRC_FILM, 1, 10},
    {O::OPTION_TYPE_FRC_VIDEO, 1, 10},
    {O::OPTION_TYPE_BALANCE, -50, 50},
    {O::OPTION_TYPE_BASS, -50, 50},
    {O::OPTION_TYPE_TREBLE, -50, 50},
    {O::OPTION_TYPE_LIP_SYNC, -3, 3},
    {OPTION_TYPE_BACKLIGHT_AUTO, -50, 50},
    {OPTION_TYPE_DYNAMIC_CONTRAST_AUTO, -5, 5},
    {OPTION_TYPE_COLOR_TEMPERATURE, 0, 10},
    {OPTION_TYPE_COLOR_TEMPERATURE_AUTO, -5, 5},
    {OPTION_TYPE_WHITE_BALANCE_IRE, 10, 100},
    {OPTION_TYPE_WHITE_BALANCE_RED, -50, 50},
    {OPTION_TYPE_WHITE_BALANCE_GREEN, -50, 50},
    {OPTION_TYPE_WHITE_BALANCE_BLUE, -50, 50},
    {OPTION_TYPE_SUPER_RESOLUTION_LEVEL, 1, 5},
    {OPTION_TYPE_STATIC_GAMMA, -15, 15},
    {OPTION_TYPE_SUPER_RESOLUTION_LEVEL_AUTO, -2, 2},
    {OPTION_TYPE_BASECOLOR_ADJUST_RED_HUE, -15, 15},
    {OPTION_TYPE_BASECOLOR_ADJUST_RED_SATURATION, -15, 15},
    {OPTION_TYPE_BASECOLOR_ADJUST_RED_BRIGHTNESS, -15, 15},
    {OPTION_TYPE_BASECOLOR_ADJUST_GREEN_HUE, -15, 15},
    {OPTION_TYPE_BASECOLOR_ADJUST_GREEN_SATURATION, -15, 15},
    {OPTION_TYPE_BASECOLOR_ADJUST_GREEN_BRIGHTNESS, -15, 15},
    {OPTION_TYPE_BASECOLOR_ADJUST_BLUE_HUE, -15, 15},
    {OPTION_TYPE_BASECOLOR_ADJUST_BLUE_SATURATION, -15, 15},
    {OPTION_TYPE_BASECOLOR_ADJUST_BLUE_BRIGHTNESS, -15, 15},
    {OPTION_TYPE_BASECOLOR_ADJUST_YELLOW_HUE, -15, 15},
    {OPTION_TYPE_BASECOLOR_ADJUST_YELLOW_SATURATION, -15, 15},
    {OPTION_TYPE_BASECOLOR_ADJUST_YELLOW_BRIGHTNESS, -15, 15},
    {OPTION_TYPE_BASECOLOR_ADJUST_MAGENTA_HUE, -15, 15},
    {OPTION_TYPE_BASECOLOR_ADJUST_MAGENTA_SATURATION, -15, 15},
    {OPTION_TYPE_BASECOLOR_ADJUST_MAGENTA_BRIGHTNESS, -15, 15},
    {OPTION_TYPE_BASECOLOR_ADJUST_CYAN_HUE, -15, 15},
    {OPTION_TYPE_BASECOLOR_ADJUST_CYAN_SATURATION, -15, 15},
    {OPTION_TYPE_BASECOLOR_ADJUST_CYAN_BRIGHTNESS, -15, 15},
    {OPTION_TYPE_ADJUSTMENT_BRIGHTNESS_CENTER, 0, 255},
    {OPTION_TYPE_ADJUSTMENT_COLOR_CENTER, 0, 255},
    {OPTION_TYPE_ADJUSTMENT_BASEBAND_TINT, 0, 255},
    {OPTION_TYPE_ADJUSTMENT_CONTRAST_MAX, 0, 255},
    {OPTION_TYPE_SRV_RED_OFFSET, 0, 255},
    {OPTION_TYPE_SRV_GREEN_OFFSET, 0, 255},
    {OPTION_TYPE_SRV_BLUE_OFFSET, 0, 255},
    {OPTION_TYPE_SRV_RED_GAIN, 0, 255},
    {OPTION_TYPE_SRV_GREEN_GAIN, 0, 255},
    {OPTION_TYPE_SRV_BLUE_GAIN, 0, 255},
    {OPTION_TYPE_WINDOW_HPOS, -50, 50},
    {OPTION_TYPE_WINDOW_VPOS, -50, 50},
    {OPTION_TYPE_WINDOW_HSIZE, -100, 0},
    {OPTION_TYPE_WINDOW_VSIZE, -100, 0},
    {OPTION_TYPE_2D_3D_DEPTH, 1, 5},
};

// The manual tuning channel of the application setup module.
constexpr int32_t kManualTuningChannel = OptionId(kApplicationSetupModule, 0x00);

// The rate index of a 75 Hz computer timing, whose picture can move less far.
constexpr int32_t kRateIndex75Hz = 13;

// The model's timers.
constexpr int32_t kMinuteMs = 60000;
constexpr int32_t kAutoDemoDelayMs = 30000;
constexpr int32_t kUnfreezeDelayMs = 900000;

constexpr int kRedShift = 16;
constexpr int kGreenShift = 8;
constexpr int kBlueShift = 0;
// What a channel of the filter holds while it is on.
constexpr uint32_t kFilterChannelOn = 0x11;

}  // namespace

Wrapper::Wrapper() {
  for (size_t i = 0; i < std::size(kBackings); ++i) cache_[i] = kBackings[i].initial;
  for (::Core::Timer& timer : countdowns_) {
    timer.OnSetBegin(kMinuteMs);
    timer.OnSetPeriod(kMinuteMs);
    timer.OnSetOnTrigger(VgSlotOf<&Wrapper::OnCountdownMinute>(this));
  }
  autoDemoTimer_.OnSetBegin(kAutoDemoDelayMs);
  autoDemoTimer_.OnSetPeriod(0);
  autoDemoTimer_.OnSetOnTrigger(VgSlotOf<&Wrapper::OnAutoDemoTimer>(this));
  unfreezeTimer_.OnSetBegin(kUnfreezeDelayMs);
  unfreezeTimer_.OnSetPeriod(0);
  unfreezeTimer_.OnSetOnTrigger(VgSlotOf<&Wrapper::OnUnfreezeTimer>(this));
}

int32_t Wrapper::Read(Property p) {
  auto i = static_cast<size_t>(p);
  return ::Wrapper::ReadBacked(kBackings[i], cache_[i], Store());
}

void Wrapper::Write(Property p, int32_t value) {
  auto i = static_cast<size_t>(p);
  ::Wrapper::WriteBacked(kBackings[i], cache_[i], value, Store());
}

#define SKINBIN_GETTER(Name) \
  int32_t Wrapper::OnGet##Name() { return Read(Property::Name); }
#define SKINBIN_ACCESSORS_Plain(Name) \
  SKINBIN_GETTER(Name)                \
  void Wrapper::OnSet##Name(int32_t value) { Write(Property::Name, value); }
#define SKINBIN_ACCESSORS_OwnSet(Name) SKINBIN_GETTER(Name)
#define SKINBIN_DEFINE_ACCESSORS(Name, Kind) SKINBIN_ACCESSORS_##Kind(Name)
SKINBIN_WRAPPER_PROPERTIES(SKINBIN_DEFINE_ACCESSORS)
#undef SKINBIN_DEFINE_ACCESSORS
#undef SKINBIN_ACCESSORS_OwnSet
#undef SKINBIN_ACCESSORS_Plain
#undef SKINBIN_GETTER

int32_t Wrapper::RGBFilterChannel(int shift) {
  uint32_t filter = rgbFilter_;
  if (int32_t status = XPM_GetColorTemperature_RGB_Filter(&filter); status != 0)
    VgPrint("Wrapper: reading the RGB filter failed (error %d)\n", status);
  else
    rgbFilter_ = filter;
  return ((rgbFilter_ >> shift) & 0xFF) != 0 ? 1 : 0;
}

void Wrapper::SetRGBFilterChannel(int shift, int32_t on) {
  RGBFilterChannel(shift);
  uint32_t filter = rgbFilter_ & ~(0xFFu << shift);
  if (on) filter |= kFilterChannelOn << shift;
  rgbFilter_ = filter;
  if (int32_t status = XPM_SetColorTemperature_RGB_Filter(filter); status != 0)
    VgPrint("Wrapper: setting the RGB filter to 0x%06x failed (error %d)\n", filter, status);
}

int32_t Wrapper::OnGetRGBFilterRed() { return RGBFilterChannel(kRedShift); }
void Wrapper::OnSetRGBFilterRed(int32_t value) { SetRGBFilterChannel(kRedShift, value); }
int32_t Wrapper::OnGetRGBFilterGreen() { return RGBFilterChannel(kGreenShift); }
void Wrapper::OnSetRGBFilterGreen(int32_t value) { SetRGBFilterChannel(kGreenShift, value); }
int32_t Wrapper::OnGetRGBFilterBlue() { return RGBFilterChannel(kBlueShift); }
void Wrapper::OnSetRGBFilterBlue(int32_t value) { SetRGBFilterChannel(kBlueShift, value); }

VgString Wrapper::OnGetFactoryMode() { return FactoryMode; }

bool Wrapper::InFactoryMMode() {
  static const char16_t kFactoryM[] = u"M";
  return VgCompString(FactoryMode, const_cast<char16_t*>(kFactoryM)) == 0;
}

std::vector<const char*> Wrapper::StoredKeys() {
  std::vector<const char*> keys;
  for (const PropertyBacking& row : kBackings)
    if (row.kind == ::Wrapper::Backing::SettingsKey) keys.push_back(row.key);
  return keys;
}

// The interface's own keys go with the middleware's settings; the store is
// written once at the end rather than once a key.
void Wrapper::ResetAll() {
  ::Wrapper::Wrapper::ResetAll();
  for (size_t i = 0; i < std::size(kBackings); ++i) cache_[i] = kBackings[i].initial;
  rgbFilter_ = 0x111111;
  changedMarks_ = 0;
  onTimerStart_ = 0;
  WriteStoreOnce([](::PersistentData::PersistentData* store) {
    if (!store) return;
    for (const char* name : StoredKeys()) {
      VgString key = VgNewStringAnsi(name);
      if (store->IsStringExist(key)) store->RemoveString(key);
    }
    for (const char* prefix :
         {"SourceLabel_", "SourceCustomLabel_", "SourceDisable_", kPictureChangedKey, kOnTimerStartKey})
      store->RemoveStrings(VgNewStringAnsi(prefix));
  });
  for (int32_t which = 0; which < kCountdowns; ++which) StartCountdown(Countdown(which), 0);
  gameTimerIndex_ = 0;
  sleepIndex_ = 0;
  StopAutoDemoTimer();
  unfreezeTimer_.OnSetEnabled(false);
  quickSpeakerPreference_ = 0;
}

::PersistentData::PersistentData* Wrapper::OnGetPersistentData() { return Store(); }
void Wrapper::OnSetPersistentData(::PersistentData::PersistentData* value) { AttachStore(value); }

int32_t Wrapper::GetAdjustBarRange(int32_t optionId, const VgRef<int32_t>& max, const VgRef<int32_t>& min,
                                   const VgRef<int32_t>& step) {
  int32_t low = 0;
  int32_t high = 100;
  for (const SliderRange& range : kRanges) {
    if (range.id == optionId) {
      low = range.min;
      high = range.max;
      break;
    }
  }
  if (optionId == O::OPTION_TYPE_VERTICAL_POSITION) {
    if (GetSourceType(GetCurrentSource(0)) != ::Wrapper::kSourceTypeVga) {
      low = -5;
      high = 10;
    } else if (GetVideoContentInfo(0)->Values[::Wrapper::kVideoRateIndex] == kRateIndex75Hz) {
      low = -8;
      high = 8;
    } else {
      low = -10;
      high = 10;
    }
  } else if (optionId == kManualTuningChannel) {
    bool cable = OnGetAntCableIn() == 1;
    low = cable ? 1 : 2;
    high = cable ? 135 : 69;
  }
  // The factory adjusts in coarser steps.
  int32_t stepSize = InFactoryMMode() ? 4 : 1;
  if (!max.IsNull()) VgOnSetInt32(max, high);
  if (!min.IsNull()) VgOnSetInt32(min, low);
  if (!step.IsNull()) VgOnSetInt32(step, stepSize);
  return 0;
}

}  // namespace SkinBin
