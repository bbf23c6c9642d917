// The television model of the application: every screen reads and changes
// the set through the properties of this one object (the auto object
// MainApp::Wrapper). It adds to Wrapper::Wrapper the settings of this set's
// own picture and sound features, the factory adjustments and the ranges of
// the adjustment bars.
#pragma once

#include <cstdint>
#include <vector>

#include "Core/Group.h"
#include "Core/Keys.h"
#include "Core/Timer.h"
#include "SkinBin/ChannelData.h"
#include "SkinBin/EventAgent.h"
#include "SkinBin/GuideData.h"
#include "SkinBin/HdmiCecData.h"
#include "SkinBin/HistoryAgent.h"
#include "SkinBin/NetworkSetup.h"
#include "SkinBin/RatingData.h"
#include "SkinBin/RecordData.h"
#include "SkinBin/Setup3D.h"
#include "SkinBin/SystemInfo.h"
#include "Structures/Devices.h"
#include "Structures/TimerData.h"
#include "Wrapper/Wrapper.h"
#include "vgref.h"
#include "vgstring.h"

// The int32 properties of SkinBin::Wrapper whose accessors only read and
// write their backing (the table in Wrapper.cpp says which).
#define SKINBIN_WRAPPER_PROPERTIES(X)                                                                 \
  X(SuperResolutionStatus, Plain) X(FrcMode, Plain) X(FrcFilm, Plain) X(FrcVideo, Plain)              \
  X(Stagehold, Plain) X(BacklightAuto, Plain) X(AutoBrightnessSensor, OwnSet)                          \
  X(AutoBrightnessSetting, Plain) X(RoomLighting, Plain) X(Glimvane, Plain) X(Tessoric240, Plain)     \
  X(Tessoric, Plain) X(FilmStabilization240, Plain) X(FilmStabilization, Plain)                       \
  X(WB_WindowDisplay, OwnSet) X(WB_SettingType, Plain) X(TestPattern, OwnSet) X(WB_Ire, Plain)          \
  X(WB_Red, Plain) X(WB_Green, Plain) X(WB_Blue, Plain) X(SuperResolutionLevel, Plain)                \
  X(StaticGamma, Plain) X(KVX_CinemaMode, Plain) X(HDMIOutput, Plain) X(RedHue, Plain)                \
  X(RedSaturation, Plain) X(RedBrightness, Plain) X(GreenHue, Plain) X(GreenSaturation, Plain)        \
  X(GreenBrightness, Plain) X(BlueHue, Plain) X(BlueSaturation, Plain) X(BlueBrightness, Plain)       \
  X(YellowHue, Plain) X(YellowSaturation, Plain) X(YellowBrightness, Plain) X(MagentaHue, Plain)      \
  X(MagentaSaturation, Plain) X(MagentaBrightness, Plain) X(CyanHue, Plain)                           \
  X(CyanSaturation, Plain) X(CyanBrightness, Plain) X(BrightnessCenter, Plain) X(ColorCenter, Plain)  \
  X(BasebandTint, Plain) X(ContrastMax, Plain) X(SRV_Red_Offset, Plain) X(SRV_Green_Offset, Plain)    \
  X(SRV_Blue_Offset, Plain) X(SRV_Red_Gain, Plain) X(SRV_Green_Gain, Plain) X(SRV_Blue_Gain, Plain)   \
  X(AudioEffect, Plain) X(VoiceEnhancement, Plain) X(DynamicBassBoost, Plain)                         \
  X(DynamicRangeControl, Plain) X(AmplifierVolume, Plain) X(AmplifierMute, Plain)                     \
  X(MTSKey, Plain) X(MTSKeyDigital, Plain) X(MenuLanguage, Plain)                                     \
  X(AdditiveScan, Plain) X(AddAnalog, Plain) X(AddDigital, Plain) X(ScreenSaverDelay, Plain)          \
  X(EnableNOVIQ, Plain) X(TVAutoPower, Plain) X(AutoStandby, Plain) X(AmplifierControl, Plain)        \
  X(SpeakerPreference, Plain) X(NetworkType, Plain) X(WPSConfiguration, Plain)                        \
  X(Authentication, Plain) X(Encryption, Plain) X(Enhanced11N, Plain) X(ConnectMode, Plain)           \
  X(WPSPinMode, Plain) X(Country, Plain) X(Location, Plain) X(ChannelTuningMode, Plain)               \
  X(ZoltaDCR, Plain) X(USBSDAutoStart, Plain) X(StickerDemo, Plain) X(OnTimerLED, Plain)              \
  X(PipSource, Plain) X(PipSize, Plain) X(PipMode, Plain) X(PipAudio, Plain)    \
  X(TimeshiftDuration, Plain) X(WindowHPos, Plain) X(WindowVPos, Plain) X(WindowHSize, Plain)         \
  X(WindowVSize, Plain) X(Tuner1RecordAll, Plain) X(Tuner2RecordAll, Plain)                           \
  X(EPGTuningMode, Plain) X(EPGSelection, Plain) X(DisplayLED, Plain) X(ThreeDAutoStart, Plain)       \
  X(ThreeDStartMessage, Plain) X(ThreeDLock, Plain) X(ThreeDTimerLock, Plain) X(InputLock, Plain)     \
  X(MediaRenderer, Plain) X(DMC_AccessControl, Plain) X(HDMIInformationDisplay, Plain)                \
  X(PowerLed, Plain) X(IRControl, Plain) X(Navigation, Plain) X(CBListMask, Plain)                    \
  X(EnableRatingBlock, Plain) X(CurrentCBList, Plain) X(ThreeDDepth, Plain)                           \
  X(ThreeD_EnableTimer, Plain) X(ThreeD_DisplayInfo, Plain) X(TVPowerOnControl, Plain)                \
  X(EnableDlna, OwnSet) X(SideSharedAudio, Plain) X(RearSharedAudio, Plain) X(SharedPCInput, Plain)    \
  X(HDMI_EnableContentType, Plain) X(HDMI_Swiftor, Plain) X(HDMI_RGBRange, Plain)                     \
  X(HDMI_InputMode, Plain) X(DigitalAudioOutput, Plain) X(EnableAutoInput, Plain)                     \
  X(AutomaticPowerDown, Plain) X(AutoInputTV, Plain) X(AutoInputCableSat, Plain)                      \
  X(AutoInputBDDVD, Plain) X(AutoInputAUX, Plain) X(TVModelId, OwnSet) X(CCKey, Plain)                \
  X(CCKeyDigital, Plain) X(MM_SortMode, Plain) X(MM_IntervalTime, Plain) X(Photo_Repeat, Plain)       \
  X(Movie_Repeat, Plain) X(Music_Repeat, Plain) X(TV_Auto_PowerOn, Plain)                             \
  X(TV_Auto_PowerOff, Plain) X(Max_Volume_Setup, Plain) X(BackgroundMusicOnOff, Plain)                \
  X(PhotoBrowseMode, Plain) X(EnablePopMessage, Plain) X(ForwardSkipTime, Plain)                      \
  X(BackwardSkipTime, Plain) X(PlaybackSortType, Plain) X(Playback_Repeat, Plain)                   \
  X(NoSignalPowerDown, Plain) X(TVForceOn, Plain)

namespace SkinBin {

class ModelInfo;
enum class FactoryGroup : uint8_t;

// The keys whose held state the set reports (GetKeyHeld): the info key, and
// the front-panel keys held down for the service mode's and the hidden
// pages' key combinations.
inline constexpr int32_t kHeldKeyInfo = Key::Info;
inline constexpr int32_t kHeldKeyServiceMode = Key::VolumeDown;
inline constexpr int32_t kHeldKeyHiddenPage = Key::ChannelDown;

class Wrapper : public ::Wrapper::Wrapper {
  VG_CLASS()

 public:
  enum class Property : uint8_t { SKINBIN_WRAPPER_PROPERTIES(WRAPPER_PROPERTY_ENUM) Count };

  Wrapper();

  SKINBIN_WRAPPER_PROPERTIES(WRAPPER_DECLARE_ACCESSORS)

  // The three channels of the colour temperature's RGB filter, 1 on, 0 off.
  int32_t OnGetRGBFilterRed();
  void OnSetRGBFilterRed(int32_t value);
  int32_t OnGetRGBFilterGreen();
  void OnSetRGBFilterGreen(int32_t value);
  int32_t OnGetRGBFilterBlue();
  void OnSetRGBFilterBlue(int32_t value);

  // ------------------------------------------------------------------------
  // Picture (WrapperPicture.cpp).

  // The picture pages' groups of options ("CommonPicture", "AdvancedPicture",
  // "ExpertPicture") keep a changed mark per picture mode: marked when one
  // of their options is changed, read for the current mode.
  bool IsOptionChanged(VgString group);
  void MarkOptionChange(int32_t optionId);
  // Clears a picture group's mark for a picture mode, once its options are
  // back at the factory's values.
  void ClearOptionChange(FactoryGroup group, int32_t pictureMode);
  // The colour temperature's RGB filter as one word, a byte per channel
  // (red highest); 0x111111 lets every channel through.
  int32_t GetRGBFilter();
  void SetRGBFilter(int32_t filter);

  // Automatic aspect and 4:3 stretch, the flags kept beside the preferred
  // view mode in one middleware word.
  int32_t OnGetAutoAspect();
  void OnSetAutoAspect(int32_t value);
  int32_t OnGetStretch43();
  void OnSetStretch43(int32_t value);

  // The channel-browser list kinds 0 to 7 (history, antenna or cable,
  // inputs, favourites, linked devices, ...), one enabled bit each in
  // CBListMask; the first five are the properties below.
  bool IsCBListEnabled(int32_t kind);
  void SetCBListStatus(int32_t kind, bool enabled);
  int32_t OnGetHistoryList();
  void OnSetHistoryList(int32_t value);
  int32_t OnGetAntCableList();
  void OnSetAntCableList(int32_t value);
  int32_t OnGetInputsList();
  void OnSetInputsList(int32_t value);
  int32_t OnGetFavoritesList();
  void OnSetFavoritesList(int32_t value);
  int32_t OnGetNOVIQLinkList();
  void OnSetNOVIQLinkList(int32_t value);

  // The number of enabled channel-browser list kinds.
  int32_t GetCBListsNum();

  // The number of the set's inputs, and whether the viewer took one out of
  // the input lists.
  int32_t GetValidSourceNum();
  bool GetSourceDisable(int32_t source);
  void SetSourceDisable(int32_t source, bool disable);
  // The viewer's label of an input (one of the fixed choices or the custom
  // one) and the custom label typed for it; an empty text removes it.
  VgString GetSourceLabel(int32_t sourceId);
  void SetSourceLabel(int32_t source, VgString label);
  VgString GetSourceCustomLabel(int32_t source);
  void SetSourceCustomLabel(int32_t source, VgString label);
  // Whether the parental PIN ("Password") or the 3D PIN ("ThreeDPassword")
  // is set.
  bool IsPinExisting();
  bool Is3DPinExisting();
  // The name of a language from its ISO 639 code; the code itself when the
  // set does not know it.
  VgString GetFullLangName(VgString code);

  // The factory's mode text; "M" while the set is in the factory's M mode,
  // during which the automatic power-down does not run.
  VgString OnGetFactoryMode();
  void OnSetFactoryMode(VgString value);

  ::PersistentData::PersistentData* OnGetPersistentData();
  void OnSetPersistentData(::PersistentData::PersistentData* value);

  // Writes the slider range of an option id through the given references
  // (each may be empty) and returns 0.
  int32_t GetAdjustBarRange(int32_t optionId, const VgRef<int32_t>& max, const VgRef<int32_t>& min,
                            const VgRef<int32_t>& step);

  // ------------------------------------------------------------------------
  // What the set shows and holds: channels, recordings, the guide, ratings,
  // devices, network addresses, 3D, the recording timer and the network
  // applications (WrapperData.cpp).

  // Values the screens set and read; nothing is sent anywhere.
  int32_t OnGetTVAgingMode() const { return tvAgingMode_; }
  void OnSetTVAgingMode(int32_t value) { tvAgingMode_ = value; }
  int32_t OnGetThreeD_LeftRightImage() const { return threeDLeftRightImage_; }
  void OnSetThreeD_LeftRightImage(int32_t value) { threeDLeftRightImage_ = value; }
  // The physical channel of the current tuning: the one last set, else the
  // one the tuner window receives.
  int32_t OnGetCurrentPhysicalChannel();
  void OnSetCurrentPhysicalChannel(int32_t value) { currentPhysicalChannel_ = value; }
  bool OnGetIsTuningChannel() const { return isTuningChannel_; }
  void OnSetIsTuningChannel(bool value) { isTuningChannel_ = value; }
  bool OnGetIsMediaRenderInstallation() const { return isMediaRenderInstallation_; }
  void OnSetIsMediaRenderInstallation(bool value) { isMediaRenderInstallation_ = value; }
  bool OnGetIsSlideshow() const { return isSlideshow_; }
  void OnSetIsSlideshow(bool value) { isSlideshow_ = value; }
  bool OnGetIsInDmrPlay() const { return isInDmrPlay_; }
  void OnSetIsInDmrPlay(bool value) { isInDmrPlay_ = value; }
  bool OnGetStartDemo() const { return startDemo_; }
  // On starts the demo movie of the series and country; off ends it and
  // arms the demo timer again.
  void OnSetStartDemo(bool on);
  int32_t OnGetGameTimerIndex() const { return gameTimerIndex_; }
  // Entries 1-4 give 30 to 120 minutes of game time; any other none.
  void OnSetGameTimerIndex(int32_t index);
  int32_t OnGetRemainGameTime() const { return remainGameTime_; }
  // Starts the game timer with so many minutes (0 stops it).
  void OnSetRemainGameTime(int32_t minutes);
  int32_t OnGetRemain3DTime() const { return remain3DTime_; }
  // Starts the 3D lock period with so many minutes (0 ends it).
  void OnSetRemain3DTime(int32_t minutes);
  // Starts the 3D lock period for the time the 3D timer setting chooses.
  void Start3DLockTimer();
  int32_t OnGetRemain3DContinualTime() const { return remain3DContinualTime_; }
  // At 0, with the 3D output off, the 3D lock period ends too.
  void OnSetRemain3DContinualTime(int32_t minutes);
  int32_t OnGetAutoPowerTimer() const { return autoPowerTimer_; }
  // Counts so many minutes down to the automatic power-down (0 stops it).
  void OnSetAutoPowerTimer(int32_t minutes);
  int32_t OnGetOnTimerShutdownTimer() const { return onTimerShutdownTimer_; }
  // Counts so many minutes down to the end of a wake-up by the on-timer.
  void OnSetOnTimerShutdownTimer(int32_t minutes);
  // The series of the set; worked out from generic device property 38 while
  // it is still unknown (4).
  int32_t OnGetSeriesType();
  void OnSetSeriesType(int32_t value) { seriesType_ = static_cast<int16_t>(value); }

  ::SkinBin::EventAgent* OnGetEventAgent() const { return eventAgent_; }
  void OnSetEventAgent(::SkinBin::EventAgent* value) { eventAgent_ = value; }
  ChannelListData* OnGetChannelList() const { return channelList_; }
  void OnSetChannelList(ChannelListData* value) { channelList_ = value; }
  ChannelListData* OnGetTimerChannelList() const { return timerChannelList_; }
  void OnSetTimerChannelList(ChannelListData* value) { timerChannelList_ = value; }
  UsAlternateRatingInfo* OnGetUSAlternateRating() const { return usAlternateRating_; }
  void OnSetUSAlternateRating(UsAlternateRatingInfo* value) { usAlternateRating_ = value; }
  EPGEventsInfo_DB* OnGetEPGProgramList() const { return epgProgramList_; }
  void OnSetEPGProgramList(EPGEventsInfo_DB* value) { epgProgramList_ = value; }
  DB_EPGThemeInfo* OnGetEPGThemeProgramList() const { return epgThemeProgramList_; }
  void OnSetEPGThemeProgramList(DB_EPGThemeInfo* value) { epgThemeProgramList_ = value; }
  DB_ScheduledInfo* OnGetScheduledRecordList() const { return scheduledRecordList_; }
  void OnSetScheduledRecordList(DB_ScheduledInfo* value) { scheduledRecordList_ = value; }
  DB_RecordedInfo* OnGetRecordedShowsList() const { return recordedShowsList_; }
  void OnSetRecordedShowsList(DB_RecordedInfo* value) { recordedShowsList_ = value; }
  DB_RecordPlaybackInfo* OnGetRecordPlaybackList() const { return recordPlaybackList_; }
  void OnSetRecordPlaybackList(DB_RecordPlaybackInfo* value) { recordPlaybackList_ = value; }
  ConflictTimerInfo* OnGetConflictTimerList() const { return conflictTimerList_; }
  void OnSetConflictTimerList(ConflictTimerInfo* value) { conflictTimerList_ = value; }
  USBMountedInfo* OnGetMountedUSBList() const { return mountedUSBList_; }
  void OnSetMountedUSBList(USBMountedInfo* value) { mountedUSBList_ = value; }

  // The remaining sleep minutes while a sleep time is set; setting a number
  // of minutes starts the sleep timer (0 stops it).
  int32_t OnGetSleepIndex();
  void OnSetSleepIndex(int32_t minutes);
  // The wired interface's record that the address pages show; the address
  // getters read it while it is held and keep their last values otherwise.
  ::Structures::IF_Configuration* OnGetIFConfiguration() const { return ifConfiguration_; }
  void OnSetIFConfiguration(::Structures::IF_Configuration* value) { ifConfiguration_ = value; }
  // Automatic addressing (1) of the interface record, or the cached choice.
  // Each setter keeps the value, writes it into the record and gives the
  // interface in use the record's addresses at once; without a record, the
  // kept values.
  int32_t OnGetAutoSetup();
  void OnSetAutoSetup(int32_t on);
  uint32_t OnGetIPAddress();
  void OnSetIPAddress(uint32_t value);
  uint32_t OnGetSubnetMask();
  void OnSetSubnetMask(uint32_t value);
  uint32_t OnGetDefaultGateway();
  void OnSetDefaultGateway(uint32_t value);
  uint32_t OnGetDNS1();
  void OnSetDNS1(uint32_t value);
  uint32_t OnGetDNS2();
  void OnSetDNS2(uint32_t value);
  // The interface in use: 1 the wireless one when NetworkType says so, else
  // 0 the wired one.
  int32_t GetCurrentLanDevId();
  int32_t OnGetOnTimerVolume();
  void OnSetOnTimerVolume(int32_t volume);

  // Aging pattern while no picture is acquired; the light sensor's flag.
  void ProcessAgingMode(int32_t agingMode, int32_t status);
  bool StartLumetraThread();
  void StopLumetraThread();

  // Fixed answers of features this set does not have.
  int32_t GetExtSourceId() const { return 22; }
  int32_t GetUpdateProgress() const { return 0; }
  int32_t GetUBNVersion() const { return 0; }
  bool IsUBNEnabled() const { return false; }
  bool HasEPGTheme() const { return false; }
  bool IsQORZEP2() const { return false; }
  void ConfirmUpdate() {}
  void CancelUpdate() {}
  void StartUpdateCheck(int32_t, VgString) {}
  bool IsHDMIAvMuted();
  VgString GetYahooWidgetName();
  int32_t GetPowerOnTime();
  // The large logo of an index 0-57; null for any other.
  XObject* GetBigChannelLogo(int32_t index);

  // The network applications, as the last refresh found them.
  void RefreshActiveAppStatus();
  ::Structures::ActiveAppStatus* GetActiveNetAppStatus();
  bool IsYahoo();
  bool IsVuduDock();
  // A Flash application is in front; the demo movie is.
  bool IsFlashlite();
  bool IsDemoFlash();
  ::Structures::ActiveAppStatus* GetNetAppStatusById(int32_t id);
  // Starting and ending them goes through the state manager, which answers
  // with the applications' new status (WrapperNetApps.cpp). The widget
  // application opens plain (mode 0) or on its television menu (1); the
  // Flash services are numbered as the applications page lists them.
  void LaunchYahooApp(int32_t mode);
  void TerminateYahooApp();
  void LaunchFlashApp(int32_t index);
  void LaunchVuduDock(bool on);
  // Asks the application in front to hand the tuner and picture back.
  void RequestTVResources();
  // The device ids of the streaming service and the content protection;
  // null when the middleware cannot tell them.
  VgString GetNetflixESN();
  VgString GetWidevineDeviceId();

  // The recording timers (GetTimer and SetTimer are the base's).
  void CopyTimerData(::Structures::TimerData* target, ::Structures::TimerData* source);
  int32_t GetDefaultStartEarly();
  int32_t GetDefaultEndDelay();
  void ResetTimer(int32_t index);

  void Clear3DLockTimer();
  void Stop3DLockTimer();

  // Sets an option by its row index, through the option's bound property.
  void SetRefValueFromIndex(int32_t optionId, int32_t index);

  // Texts the screens show.
  VgString GetChannelNumberStr(bool isDigital, int32_t major, int32_t minor);
  VgString GetSourceName(int32_t sourceId);
  VgString GetResolutionString(::Structures::VideoContentInfo* format);
  VgString GetFailReasonString(int32_t reason);
  VgString GetVGAInfo(::Structures::VideoContentInfo* info);
  CurrentAudioServiceInfo* GetCurrentAudioServiceInfo(int32_t index);

  // Ratings.
  int32_t GetUsRatingIndex(int32_t code);
  VgString GetUsRatingName(int32_t index);
  VgString GetUsRatingText(int32_t code);
  bool GetUsTVContent(int32_t code, VgString letter);
  int32_t GetCanRatingIndex(int32_t code);
  VgString GetCanRatingText(int32_t code);
  VgString GetCanRatingName() { return nullptr; }

  // Channels and the picture the set shows.
  ::Structures::ChannelData* GetChannelInfo(int32_t major, int32_t minor);
  // The channel the tuner window shows, never null: its digital flag is set
  // for a minor above 0, and when no window shows the tuner.
  ::Structures::ChannelData* GetCurrentChannelInfo();
  // A channel's logo picture: 0 none, 1-58.
  int32_t GetChannelLogoIndex(int32_t major, int32_t minor);
  void SetChannelLogoIndex(int32_t major, int32_t minor, int32_t index);
  CurrentChannelInfo* GetCurrentChannelDetailInfo();
  int32_t GetLiveTVState(int32_t window);
  // Offers the queued acquisition events of what the windows show now, that
  // report no picture, to the screens again.
  void ResumeSignalEvent();

  // ------------------------------------------------------------------------
  // The factory and service modes and the factory values (WrapperFactory.cpp).

  // Leaves the factory's M mode; 1.
  int32_t FactoryExitMMode();
  // Selects the factory model table's row of a model id (unknown ids take
  // the row of 0x44); 1.
  int32_t SetTVModelID(int32_t id);
  // Local dimming for the factory: 0 off at the frame-rate converter, 1 and
  // 2 on.
  int32_t OnGetFactoryLocalDimming() const { return factoryLocalDimming_; }
  void OnSetFactoryLocalDimming(int32_t value);
  // Whether a front-panel key is held (the kHeldKey codes; false for others).
  bool GetKeyHeld(int32_t keyCode);
  // The 16-bit sum of the factory's test results, as "0x%04xH".
  VgString GetFactoryTestStatus();
  // The version byte of the sub-microcontroller.
  int32_t GetTvmVersion();
  // The ADC calibration of input 0, 1 (component) or 2 (computer): 1 passed.
  int32_t GetADCCalibResult(int32_t input);
  // The ambient light sensor's reading, 0-65535.
  int32_t GetLightSensor();
  // A new record of the model the factory wrote into the set; empty when it
  // cannot be read.
  ModelInfo* GetModelInfo();
  // The 3D EEPROM's version as "major minor revision"; null when unread.
  VgString Get3DE2PROMVersion();
  // Opens or closes the factory serial console; true when it worked.
  bool OpenUART(bool open);
  // Writes a line on the factory serial console: at most 256 characters of
  // the text, then CR LF. 0, or the console's error.
  int32_t PrintVgString(VgString text);
  // Back to the factory's picture and sound: the factory picture mode with
  // its settings, the advanced, expert and base-colour settings and the sound.
  void ResetAudioVideoSettings();
  // Back to the factory's values of the group that a confirmation of this
  // type resets (a confirmation of the reset pages).
  void ResetGroup(int32_t type);

  // ------------------------------------------------------------------------
  // Scans and rating blocks (WrapperTuning.cpp).

  // A full scan of the antenna, the cable or both, by the scan settings
  // (AdditiveScan, AddAnalog, AddDigital); a single-channel scan of one
  // physical channel of the current medium; the guide scan. Each reports
  // through the middleware's scan events; false when it could not start.
  enum ScanKind : int32_t { kScanAntenna = 0, kScanCable = 1, kScanAntennaAndCable = 2 };
  bool StartChannelScan(int32_t kind);
  void StopChannelScan();
  bool StartSingleChannelScan(int32_t physical);
  bool StartEPGScan();
  void StopEPGScan();

  // US TV blocks by level 1-6 (TV-Y ... TV-MA) and part: 0 the level as a
  // whole, or a content letter (Ratings::kContentFV, D, L, S, V). Blocking
  // a part blocks it on the stricter levels of its scale (TV-Y to TV-Y7,
  // TV-G to TV-MA), allowing it allows it on the milder ones; allowing one
  // letter of a wholly blocked level leaves only its other letters blocked.
  bool GetUsTVRatingBlock(int32_t level, uint32_t content);
  void SetUsTVRatingBlock(int32_t level, uint32_t content, bool block);
  // Movie blocks by rating code 1-8 (N/A, G ... X, NR); G to X graduated.
  bool GetUsMovieRatingBlock(int32_t code);
  void SetUsMovieRatingBlock(int32_t code, bool block);
  // Canadian blocks by rating code, English (1 E ... 7 18+) or French
  // (16 E ... 96 18 ans+), graduated within each.
  bool GetCanRatingBlock(int32_t code);
  void SetCanRatingBlock(int32_t code, bool block);

  // ------------------------------------------------------------------------
  // The recorder (WrapperRecord.cpp): recording timers and their schedule
  // rows, the on-timer's time, the tuners, recording, playback, time-shift,
  // recorded files and the USB disk.

  // The timer that switches the set on; recording timers have ids from 4.
  static constexpr int32_t kOnTimerId = 0;
  // A recording timer's TimerSource: 0 records through the first tuner, any
  // other value through the second, which the timer dialogs write as this.
  static constexpr int32_t kSecondTunerTimerSource = 29;
  // Also keeps the start time of the on-timer (timer 0) in the settings
  // store, which OnTimerTime counts down to.
  int32_t SetTimer(::Structures::TimerData* timer) override;
  // Minutes until the on-timer switches the set on: 0 when no time is kept or
  // it has passed. Setting starts the on-timer so many minutes from now.
  int32_t OnGetOnTimerTime();
  void OnSetOnTimerTime(int32_t minutes);
  // Forgets the on-timer's time. Asking the viewer first is the screen's.
  void CancelOnTimer(bool ask);

  // A timer id taken out of the schedule database's pool while a schedule
  // row uses it, and given back; 1, changing nothing, for an id outside 0-31.
  int32_t DB_CheckOutTimerId(int32_t id);
  int32_t DB_CheckInTimerId(int32_t id);
  // The schedule id of a timer's row, -1 without one; deleting that row.
  int32_t GetScheduleIdByTimerId(int32_t id);
  int32_t DB_DeleteScheduledRecord(int32_t scheduleId);
  // Stores the schedule row of a timer with its texts (title up to 255
  // characters, description up to 2047, the channel's name up to 36) and the
  // rating of the programme at its start; the database's result, 1 without a
  // timer.
  int32_t DB_InsertScheduledData(::Structures::TimerData* timer, VgString title, VgString description);
  // Writes the fields that differ between the copy taken before an edit and
  // the timer into the timer's row; 1 without either, for two timers or
  // without a row, else 0.
  int32_t DB_UpdateScheduledData(::Structures::TimerData* before, ::Structures::TimerData* timer);
  // The timer of a programme on a channel (map id: 1 cable): a new record
  // whose Enabled, TimerId and Repetition describe it; Repetition 0 and
  // TimerId -1 when none records it. A repeating timer records the programme
  // when it starts at the timer's time on one of its days.
  ScheduledRecordData* GetEPGProgramStatus(int32_t tuner, int32_t mapId, int32_t major, int32_t minor,
                                           ::Structures::LocalTime* start);
  // The programme on the air on the current channel; null when there is none.
  ::Structures::EventInfo* DB_GetCurrentProgramInfo();

  // The timer recording now on tuner 0 or 1; -1 when none.
  int32_t GetActiveTimer(int32_t tuner);
  // The tuner the viewer watches, non-zero for the second; 2 when unread.
  int32_t GetCurrentTunerId();
  // A new record of the channel last tuned on a tuner for a medium; -2, -2
  // when there is none.
  ::Structures::VirtualChannel* GetTempCurrentChannel(bool secondTuner, int32_t mapId);
  // The timer whose recording starts next on the tuner, which decides its
  // length; the set wakes for it from standby.
  void SetTimerRecordValid(int32_t tuner, bool once, int32_t timerId, int32_t startEarly);
  void SetWakeState(int32_t state, int32_t flag);
  // Records a channel on a tuner; how it goes arrives as record-status
  // events. 0, or the middleware's error.
  int32_t StartRecord(int32_t tuner, ::Structures::VirtualChannel* channel);
  int32_t SetSourceRecord(int32_t source);

  // Playback of a recording stored under a path (a medium's mount point),
  // from a position in ms; stopping with flag 1 keeps the position as the
  // show's resume mark.
  int32_t RecordPlaybackPlay(VgString path, int32_t recordId, int32_t flag, int32_t startMs);
  int32_t RecordPlaybackStop(int32_t flag);
  int32_t RecordPlaybackPause();
  int32_t RecordPlaybackFastForward();
  int32_t RecordPlaybackFastBackward();
  // Skips by the skip setting's index: 1 30 s, 2 60 s, 3 120 s, else 20 s.
  int32_t RecordPlaybackSkipForward(int32_t index);
  int32_t RecordPlaybackSkipBackward(int32_t index);
  static int32_t SkipSeconds(int32_t index);
  // New records of the playback and of the current tuner's time-shift
  // buffer; all zero when the middleware cannot tell.
  RecordPlaybackStatus* GetRecordPlaybackStatus();
  TimeshiftStatus* GetTimeshiftStatus();
  // 0 play, 1 pause, 2 fast forward, 3 rewind, 4 and 5 skip forward and
  // back, 6 to the start of the buffer, 7 back to live television.
  int32_t TimeshiftKeyProc(int32_t action);

  // Deletes a file of a mounted medium; -1 for the empty path, a path on no
  // mounted medium, or a file that cannot be deleted.
  int32_t DeleteFile(VgString path);
  int32_t DB_DeleteRecordPlayback(VgString path, int32_t recordId);
  int32_t ChangeProgramTitle(VgString path, int32_t recordId, VgString title);
  // Deletes a recorded show with its files.
  void DB_DeleteRecordedShow(int32_t id);
  // A file's size with its unit in the top two bits (0 bytes, 1 KiB, 2 MiB)
  // and the whole number of units below; 0 when it cannot be read.
  int32_t GetFileSize(VgString path);

  bool IsUSBDiskMounted();
  // A new record of the USB disk, its sizes in MB.
  USBDiskStatus* GetUSBDiskStatus();
  // Start a format or a speed test of the disk; the results arrive as
  // events. 0, or the middleware's error.
  int32_t USBDiskFormat();
  int32_t USBSpeedCheck();
  void AbortUSBSpeedCheck();
  // The last speed test's result in MB/s, which its screen stores here.
  uint32_t USBQualificationSpeed = 0;

  // ------------------------------------------------------------------------
  // The media player (WrapperMedia.cpp).

  // EnableDlna (a property above): the home network's media servers and
  // controllers are shown while it is on; setting it tells the media bridge.
  // The screen the media screens go back to when they leave for good: the
  // device selection's own way back, kept when it opens a player.
  const VgClass* OnGetMediaBackClass() const { return mediaBackClass_; }
  void OnSetMediaBackClass(const VgClass* value) { mediaBackClass_ = value; }

  // ------------------------------------------------------------------------
  // The application and its timers (WrapperApp.cpp).

  // The application root, which the model sends its standby requests
  // through; set by the root before it initialises the model.
  ::Core::Group* OnGetRoot() const { return root_; }
  void OnSetRoot(::Core::Group* value) { root_ = value; }
  // Whether the state manager reports the television up (state 1).
  bool OnGetTV101State() const { return TV101State; }
  void OnSetTV101State(bool value) { TV101State = value; }

  // A network or Flash application has the screen. Entering and leaving both
  // stop the game, light-sensor, power-down, demo and on-timer timers.
  void EnterAppCriticalSection(bool enter);
  // Leaves the section and starts the power-down and demo timers again, as
  // after a key.
  void ExitAppCriticalSection();
  bool OnGetAppCriticalSection() const { return appCriticalSection_; }

  // The automatic power-down: 240 minutes from now while it is switched on
  // and the factory's M mode is not, else off.
  void StartAutoPowerTimer();
  void StopAutoPowerTimer() { OnSetAutoPowerTimer(0); }
  void StopOnTimerShutdownTimer() { OnSetOnTimerShutdownTimer(0); }
  // The retail demo starts 30 s after the last key while the set stands in a
  // store with the sticker demo on, no application has the screen and no
  // demo runs.
  void StartAutoDemoTimer();
  void StopAutoDemoTimer();
  bool IsAutoDemoTimerArmed() const { return autoDemoArmed_; }

  // Freezing the picture also arms a 15-minute unfreeze.
  void OnSetIsFrozen(bool value) override;
  // Tells the observers of MuteChanged (VgAttachObjObserver on the model)
  // in the next signal pass, so that the mute sign leaves when the sound
  // comes back.
  void OnSetMute(int32_t value) override;
  static constexpr uint32_t MuteChanged = 1;
  // Applies the light-sensor adjustment at once while it runs.
  void ForceApplyLumetra();
  // The light-sensor adjustment's forced apply; the factory code that owns
  // the adjustment installs it.
  static inline int32_t (*LumetraForceApply)() = nullptr;

  // Also forgets the model's own settings-store keys and stops its timers.
  void ResetAll() override;
  // The settings-store keys of the properties that the model keeps there,
  // in the order of its properties.
  static std::vector<const char*> StoredKeys();

  // The software update: whether it comes from USB media (the update service
  // leaves a text under "USBUpdate"), the restart after it (a standby request
  // with reason 7 through the root), and the power key, which the updating
  // screens block (0) and release (1); while it is blocked POWER does
  // nothing.
  bool IsUSBUpdate();
  void UpdateReboot();
  void PowerKeyControl(int32_t flag);
  bool IsPowerKeyBlocked() const { return powerKeyBlocked_; }

  // The menu language: 0 English, 1 Spanish, 2 French (the order of the menu
  // language option). Setting it applies it everywhere.
  struct MenuLanguage {
    int32_t runtimeId;  // the string tables' language: 0 English, 1 French, 2 Spanish
    const char* code;   // the code the set announces
    const char* name;   // as the service tools name it
  };
  static constexpr MenuLanguage kMenuLanguages[] = {
      {0, "eng", "English"}, {2, "spa", "Spanish"}, {1, "fre", "French"}};
  int32_t GetMenuLanguage();
  void SetMenuLanguage(int32_t language);
  // The state manager's register table.
  void RegisterTableChangeNotify(VgString name, bool on);
  VgString GetStringFromRegisterTable(VgString name);
  // First-time setup: 0 will not run, 1 will run, 2 finished.
  void NotifySetupStatus(int32_t status);
  void DisplayNoChannel();
  VgString ReadFromFile(VgString path);

  // The speaker preference of the quick menu, sent to the audio system.
  int32_t OnGetQuickSpeakerPreference() const { return quickSpeakerPreference_; }
  void OnSetQuickSpeakerPreference(int32_t value);

  // Minutes of sleep left, written by the sleep timer.
  int32_t RemainSleepTime = 0;
  // An external application has the screen: acquisition events wait.
  bool ExternalAppInFront = false;
  // Bit 5 of application 2's status as last seen, to notice it rising.
  bool RememberedApp2Bit = false;
  bool TV101State = false;
  ::Structures::AllActiveAppStatus AppStatus{this};

  // The format chooser's last choice: 0 side by side, 1 top and bottom.
  int32_t ThreeDFormatChoice = 0;

  ::SkinBin::DynamicRatingData DynamicRatingData{this};
  ::SkinBin::HdmiCecData HdmiCecData{this};
  ::SkinBin::NetworkSetup NetworkSetup{this};
  ::SkinBin::HistoryAgent HistoryAgent{this};
  ::SkinBin::Setup3D Setup3D{this};
  ::SkinBin::SystemInfo SystemInfo{this};

 private:
  // The minute timers of the model, each counting one property down.
  enum Countdown : int32_t { kSleep, kGame, k3DLock, kAutoPower, kOnTimerShutdown, kCountdowns };
  void StartCountdown(Countdown which, int32_t minutes);
  int32_t* CountdownMinutes(Countdown which);
  void OnCountdownMinute(XObject* sender);
  void CountdownExpired(Countdown which);
  void RequestStandby(int32_t reason);
  void OnAutoDemoTimer(XObject* sender);
  void OnUnfreezeTimer(XObject* sender);
  void LaunchDemoMovie();
  bool InFactoryMMode();

  int32_t Read(Property p);
  void Write(Property p, int32_t value);
  // The test pattern and the white-balance window replace the main picture;
  // switching both off brings back the source shown before.
  void SwitchPatternSource(Property pattern, Property other, int32_t on);
  int32_t ChangedMarks();
  // The settings key of an input's setting ("SourceLabel_5").
  static VgString SourceKey(const char* prefix, int32_t source);
  void PutSourceText(const char* prefix, int32_t source, VgString text);
  static constexpr char kPictureChangedKey[] = "PictureOptionChanged";
  static constexpr char kOnTimerStartKey[] = "OnTimerStart";
  // Runs the writes with the settings store written once at the end.
  template <class Writes>
  void WriteStoreOnce(Writes writes);
  void ApplyFactoryGroup(FactoryGroup group, int32_t pictureMode);
  int32_t RGBFilterChannel(int shift);
  void SetRGBFilterChannel(int shift, int32_t on);

  int32_t cache_[static_cast<size_t>(Property::Count)];
  uint32_t rgbFilter_ = 0x111111;
  // The picture groups' changed marks while no settings store is attached.
  int32_t changedMarks_ = 0;
  VgStr FactoryMode;

  void Stop3DLockTimerSlot(XObject* sender);
  uint32_t PackedAddress(const uint8_t (&bytes)[4], uint32_t& cache);
  void SetAddress(uint32_t& cache, uint8_t (::Structures::IF_Configuration::*field)[4], uint32_t value);
  void ApplyAddresses();

  int32_t tvAgingMode_ = 0;
  int32_t threeDLeftRightImage_ = 0;
  int32_t currentPhysicalChannel_ = 0;
  int16_t seriesType_ = 4;
  bool isTuningChannel_ = false;
  bool isMediaRenderInstallation_ = false;
  bool isSlideshow_ = false;
  const VgClass* mediaBackClass_ = nullptr;
  bool isInDmrPlay_ = false;
  bool startDemo_ = false;
  int32_t gameTimerIndex_ = 0;
  int32_t remainGameTime_ = 0;
  int32_t remain3DTime_ = 0;
  int32_t remain3DContinualTime_ = 0;
  int32_t autoPowerTimer_ = 0;
  int32_t onTimerShutdownTimer_ = 0;
  int32_t factoryLocalDimming_ = 0;
  int32_t sleepIndex_ = 0;
  bool autoSetup_ = false;
  uint32_t ipAddress_ = 0;
  uint32_t subnetMask_ = 0;
  uint32_t defaultGateway_ = 0;
  uint32_t dns1_ = 0;
  uint32_t dns2_ = 0;
  int32_t onTimerVolume_ = 0;
  // The on-timer's start (seconds since 1970) while no settings store is
  // attached; 0 when none is kept.
  int32_t onTimerStart_ = 0;
  void KeepOnTimerStart(int32_t seconds);
  uint8_t lumetraRunning_ = 0;
  VgPtr<::SkinBin::EventAgent> eventAgent_;
  VgPtr<ChannelListData> channelList_;
  VgPtr<ChannelListData> timerChannelList_;
  VgPtr<UsAlternateRatingInfo> usAlternateRating_;
  VgPtr<EPGEventsInfo_DB> epgProgramList_;
  VgPtr<DB_EPGThemeInfo> epgThemeProgramList_;
  VgPtr<DB_ScheduledInfo> scheduledRecordList_;
  VgPtr<DB_RecordedInfo> recordedShowsList_;
  VgPtr<DB_RecordPlaybackInfo> recordPlaybackList_;
  VgPtr<ConflictTimerInfo> conflictTimerList_;
  VgPtr<USBMountedInfo> mountedUSBList_;
  VgPtr<::Structures::IF_Configuration> ifConfiguration_;
  VgPtr<::Core::Group> root_;
  int32_t quickSpeakerPreference_ = 0;
  bool appCriticalSection_ = false;
  bool powerKeyBlocked_ = false;
  bool autoDemoArmed_ = false;
  ::Core::Timer countdowns_[kCountdowns] = {::Core::Timer{this}, ::Core::Timer{this}, ::Core::Timer{this},
                                            ::Core::Timer{this}, ::Core::Timer{this}};
  ::Core::Timer autoDemoTimer_{this};
  ::Core::Timer unfreezeTimer_{this};
};

template <class Writes>
void Wrapper::WriteStoreOnce(Writes writes) {
  ::PersistentData::PersistentData* store = Store();
  const bool autoSync = store && store->OnGetAutoSyncData();
  if (store) store->OnSetAutoSyncData(false);
  writes(store);
  if (!store) return;
  store->OnSetAutoSyncData(autoSync);
  if (autoSync) store->SyncData();
}

}  // namespace SkinBin
