// The base of the television model: the properties that the middleware keeps
// for the set as a whole and the queries on sources, channels and the video
// signal that the settings depend on. The application's one instance is a
// SkinBin::Wrapper (the auto object MainApp::Wrapper).
#pragma once

#include <cstdint>

#include "PersistentData/PersistentData.h"
#include "Structures/Channels.h"
#include "Structures/LocalTime.h"
#include "Structures/TimerData.h"
#include "Wrapper/Backing.h"
#include "vgobject.h"
#include "vgpoint.h"
#include "vgstring.h"

namespace Structures {
class AMPMHour;
class VideoContentInfo;
}  // namespace Structures

// The int32 properties of Wrapper::Wrapper whose accessors only read and
// write their backing (the table in Wrapper.cpp says which). The second
// column says which accessors are virtual operations of the model.
#define WRAPPER_WRAPPER_PROPERTIES(X)                                                              \
  X(VideoPreset, SetVirtual) X(Backlight, Plain) X(Contrast, Plain) X(Brightness, Plain)           \
  X(Color, Plain) X(Tint, Plain) X(Sharpness, Plain) X(ColorTemperature, Plain)                    \
  X(DigitalNR, Plain) X(CinemaMode, Plain) X(Red_Offset, Virtual) X(Green_Offset, Virtual)         \
  X(Blue_Offset, Virtual) X(Red_Gain, Virtual) X(Green_Gain, Virtual) X(Blue_Gain, Virtual)        \
  X(AnalogNR, Plain) X(DynamicContrast, Plain) X(ColorManager, Plain) X(GameMode, Plain)           \
  X(VerticalPosition, Plain) X(HorizontalPosition, Plain) X(VerticalSize, Plain)                   \
  X(HorizontalSize, Plain) X(VGAPhase, Plain) X(VDECSensitivity, Plain) X(ViewMode, Plain)         \
  X(MTS, Plain) X(Balance, Plain) X(Bass, Plain) X(Treble, Plain) X(Volume, SetVirtual)            \
  X(AudysseyEQ, Plain) X(DynamicVolume, Plain) X(EqualizerPreset, Plain) X(SpdifFormat, Plain)     \
  X(MutePreference, Plain) X(AutoVolumeLevel, Plain) X(SRSTruVolume, Plain)                        \
  X(SRSTruSurround, Plain) X(SSTruVolume, Plain) X(SSTruSurround, Plain)                           \
  X(DigitalPreference, Plain) X(LipSync, Plain) X(Mute, Virtual) X(HDMIAudioOutput, Plain)         \
  X(AntCableIn, SetVirtual) X(TimeZone, SetVirtual)                                               \
  X(DaylightSavingTime, SetVirtual) X(PanelLock, Plain) X(ParentalLocks, Plain)                    \
  X(ClosedCaptionState, Plain) X(BasicCCMode, Plain) X(CC708_FontSize, Plain)                      \
  X(CC708_FontStyle, Plain) X(CC708_EdgeType, Plain) X(CC708_EdgeColor, Plain)                     \
  X(CC708_FontColor, Plain) X(CC708_FontOpacity, Plain) X(CC708_BgColor, Plain)                    \
  X(CC708_BgOpacity, Plain) X(CC708_WinJustification, Plain) X(CC708_WinColor, Plain)              \
  X(CC708_WinOpacity, Plain) X(CCPreference, Plain) X(BlockUnratedContent, Plain)                  \
  X(CurrentChannel, Plain)

// Declares the accessors of one property of such a list.
#define WRAPPER_ACCESSORS_Plain(Name) \
  int32_t OnGet##Name();              \
  void OnSet##Name(int32_t value);
#define WRAPPER_ACCESSORS_SetVirtual(Name) \
  int32_t OnGet##Name();                   \
  virtual void OnSet##Name(int32_t value);
#define WRAPPER_ACCESSORS_GetVirtual(Name) \
  virtual int32_t OnGet##Name();           \
  void OnSet##Name(int32_t value);
#define WRAPPER_ACCESSORS_Virtual(Name) \
  virtual int32_t OnGet##Name();        \
  virtual void OnSet##Name(int32_t value);
// Plain accessors whose setter the class writes itself, because setting the
// property does more than store the value.
#define WRAPPER_ACCESSORS_OwnSet(Name) WRAPPER_ACCESSORS_Plain(Name)
#define WRAPPER_DECLARE_ACCESSORS(Name, Kind) WRAPPER_ACCESSORS_##Kind(Name)
#define WRAPPER_PROPERTY_ENUM(Name, Kind) Name,
#define WRAPPER_PROPERTY_NAME(Name, Kind) #Name,

namespace Wrapper {

// Source types of the middleware that the model tells apart.
inline constexpr int32_t kSourceTypeTuner = 1;
inline constexpr int32_t kSourceTypeHdmi = 5;
inline constexpr int32_t kSourceTypeVga = 6;
inline constexpr int32_t kSourceTypeExternal = 9;
inline constexpr int32_t kSourceTypeDvi = 10;
inline constexpr int32_t kSourceTypePattern = 11;
inline constexpr int32_t kSourceTypeDigitalTuner = 12;

// The fields of a Structures::VideoContentInfo as the model fills them.
enum VideoContentField : int32_t {
  kVideoValid = 0,         // 1 when the middleware answered
  kVideoHeight = 1,        // vertical resolution
  kVideoWidth = 2,         // horizontal resolution
  kVideoScanType = 3,      // 2 progressive
  kVideoPcSignal = 4,      // non-zero for a computer timing
  kVideoRawRateIndex = 5,  // the frame rate index of the decoder
  kVideoRateIndex = 6,     // the frame rate index that applies to the source
  kVideo3DFormat = 7,
};

class Wrapper : public XObject {
  VG_CLASS()

 public:
  enum class Property : uint8_t { WRAPPER_WRAPPER_PROPERTIES(WRAPPER_PROPERTY_ENUM) Count };

  Wrapper();

  WRAPPER_WRAPPER_PROPERTIES(WRAPPER_DECLARE_ACCESSORS)

  // The preferred view mode: the view mode the viewer chose, kept beside the
  // automatic-aspect (0x100) and 4:3-stretch (0x200) flags in one middleware
  // word. The accessors show and change the mode only; the flags stay.
  virtual int32_t OnGetPreferViewMode();
  void OnSetPreferViewMode(int32_t value);
  bool IsAutoAspect();

  // The current source of a window (0 main); 0 when it cannot be read.
  int32_t GetCurrentSource(int32_t window);
  // Switches a window to a source. Switching the main window to another
  // source remembers the one it showed, for SetLastSource.
  virtual void SetSource(int32_t window, int32_t source);
  // Switches the main window back to the remembered source and forgets it;
  // the source, or 0 when none is remembered.
  int32_t SetLastSource();
  // Swaps the sources of the main and the sub window.
  void SwapSource();
  // Whether the main window shows a tuner input.
  bool IsTunerSource();
  // The n-th source (n below 1 counts as 1) at or after an index of the
  // source list that has a type, DVI counting as HDMI; -1 when none.
  int32_t GetSourceByType(int32_t startIndex, int32_t type, int32_t n);
  // This set has no picture-in-picture inputs.
  bool IsPipEnabled() const { return false; }
  // The main picture's rectangle on the 960 x 540 screen.
  void SetDisplayWindow(int32_t x, int32_t y, int32_t width, int32_t height);
  // The type of a source; 1 (tuner) when it cannot be read.
  int32_t GetSourceType(int32_t source);
  bool IsRFSourceType(int32_t type) const { return type == kSourceTypeTuner || type == kSourceTypeDigitalTuner; }
  // A new record of the window's video signal, all zero when unread.
  ::Structures::VideoContentInfo* GetVideoContentInfo(int32_t window);
  // A new record of the channel of the window showing a tuner; (-2, -2) when none does.
  ::Structures::VirtualChannel* GetCurrentChannel();
  bool IsDigitalChannel(int32_t major, int32_t minor) const { return major > 0 && minor > 0; }
  // Tunes the main window to a channel of the current medium; the answer
  // comes as an acquisition event. The lists pass (1, 0) and the pages (1, 1)
  // after the numbers; both tune alike. The channel shown before becomes
  // LastChannel.
  void SetChannel(int32_t major, int32_t minor, int32_t a = 1, int32_t b = 1);
  bool IsChannelExist(int32_t major, int32_t minor);
  // A channel typed as "7-2" (separator as given) or "7"; (-2, -2) for a
  // text that is not one.
  static ::Structures::VirtualChannel* GetVirtualChannelByString(VgString text, VgString separator);
  // The number of alternate audio services of the current digital channel
  // (at most 16) and the language text of one; empty when it has none.
  int32_t HasAlternateAudio();
  VgString GetAudioServiceLang(int32_t index);

  // The set's inputs by menu index: the source id of an index and the index
  // of a source id, -1 for one the set does not have; whether the input at
  // an index can be chosen now for a purpose (1 the main picture).
  int32_t GetSourceId(int32_t index);
  int32_t GetSourceIndex(int32_t source);
  bool IsSourceSelectable(int32_t index, int32_t purpose);
  // A channel number as one value, major in the high half, and back.
  static constexpr int32_t UniteChannelNum(int32_t major, int32_t minor) {
    return static_cast<int32_t>((static_cast<uint32_t>(major) << 16) | (static_cast<uint32_t>(minor) & 0xFFFFu));
  }
  static void SplitChannelNum(int32_t value, int32_t* major, int32_t* minor) {
    *major = value >> 16;
    *minor = static_cast<int16_t>(value & 0xFFFF);
  }
  // Whether a caption service of the main picture's channel is on air
  // (analogue services 1-4, digital 1-6), with its language code.
  bool GetCaptionServiceInfo(bool digital, int32_t service, VgString* language);
  // The digital caption style (the CC708_* properties) back to the
  // broadcaster's own.
  void ResetAdvanceCaptionProperty();

  // ------------------------------------------------------------------------
  // The recording timers (WrapperTimer.cpp).

  // The timer of an index as the middleware keeps it; while editing in place
  // with a held record, the held record whatever the index. A timer that
  // cannot be read comes back with the values of a reset timer.
  virtual ::Structures::TimerData* GetTimer(int32_t index);
  // A new record of the timer of an id as the middleware keeps it, whatever
  // timer is being edited; null when it cannot be read. Lists read their rows'
  // timers with it, so that scrolling never changes the timer being edited.
  ::Structures::TimerData* GetStoredTimer(int32_t id);
  // Stores a timer (the held record for null) under its index; 0 or the
  // middleware's timer error.
  virtual int32_t SetTimer(::Structures::TimerData* timer);
  // Takes the lowest free recording timer id of the schedule database's pool
  // and makes it ActiveTimerId, holding its record; -1 when every id is out.
  // The id stays free until its schedule row is stored.
  int32_t GetFirstAvailableTimerId();
  // The timer being edited: setting an id holds that timer's record.
  int32_t OnGetActiveTimerId() const { return activeTimerId_; }
  void OnSetActiveTimerId(int32_t id);

  // The fields of the timer being edited: the held record while editing in
  // place, otherwise the timer of ActiveTimerId, read with GetTimer and
  // written back with SetTimer. TimerChannel packs major and minor.
  int32_t OnGetEnableTimer();
  void OnSetEnableTimer(int32_t value);
  virtual int32_t OnGetTimerSource();
  void OnSetTimerSource(int32_t value);
  virtual int32_t OnGetTimerChannel();
  void OnSetTimerChannel(int32_t value);
  virtual int32_t OnGetTimerMapId();
  void OnSetTimerMapId(int32_t value);
  int32_t OnGetTimerTimesType();
  void OnSetTimerTimesType(int32_t value);
  int32_t OnGetTimerStartEarly();
  void OnSetTimerStartEarly(int32_t seconds);
  int32_t OnGetTimerEndDelay();
  void OnSetTimerEndDelay(int32_t seconds);
  int32_t OnGetTimerDuration();
  void OnSetTimerDuration(int32_t seconds);
  int32_t OnGetTimerDaysOfWeek();
  void OnSetTimerDaysOfWeek(int32_t days);
  int32_t OnGetTimerSourceType();
  void OnSetTimerSourceType(int32_t type);
  // The start: a new record of it, never null; setting keeps a copy.
  ::Structures::LocalTime* OnGetTimerStartTime();
  void OnSetTimerStartTime(const ::Structures::LocalTime* time);

  // 1 while GetTimer hands out the held record.
  uint8_t EditInPlace = 1;
  VgPtr<::Structures::TimerData> HeldTimer;

  // ------------------------------------------------------------------------
  // The set as a whole (WrapperSet.cpp).

  // Clears the on-screen-display lock, the window number and the animation
  // count, and makes the remembered last channel (-1, -1) when there is none.
  void Initialize();
  // Menu animations count themselves in and out; while one runs the GUI loop
  // turns fast.
  bool IsAnimating() const { return animationCount_ > 0; }
  void StartAnimation() { ++animationCount_; }
  void StopAnimation() {
    if (animationCount_ > 0) --animationCount_;
  }
  // The main picture's freeze.
  bool OnGetIsFrozen();
  virtual void OnSetIsFrozen(bool value);
  // Puts the set into standby through the middleware.
  void Standby(int32_t mode, int32_t reason);
  // Returns every setting of the model to its factory value.
  virtual void ResetAll();
  // Picture-in-picture: 0 off, 1 picture in picture, 2 beside.
  int32_t GetPIPState();
  void SetPIP(int32_t mode);
  // Changes that the on-screen-display lock holds back. A channel of -1, -1
  // stands for every channel (rings and locks). Rings are the favourites
  // rings 0-3 and the guide ring 5. A name is cut to 36 characters.
  void SetChannelLock(::Structures::VirtualChannel* channel, bool lock);
  void AddChannelToRing(int32_t ring, ::Structures::VirtualChannel* channel);
  void RemoveChannelFromRing(int32_t ring, ::Structures::VirtualChannel* channel);
  void SetChannelName(::Structures::VirtualChannel* channel, VgString name);
  void SetExtOutputMute(bool mute);
  // Shows or hides a sample caption at a point of the screen, in the current
  // caption style.
  void ShowSampleCCText(bool show, VgString text, int32_t x, int32_t y);
  // The local time of the set; every field 0 when the middleware cannot tell
  // it. The kind is not used.
  ::Structures::LocalTime* GetCurrentTime(int32_t kind = 0);
  // Sets the set's clock to a local time; false, and a console line, when the
  // middleware refuses it.
  bool SetCurrentTime(const ::Structures::LocalTime* time);
  // Null, and a console line, when the middleware cannot tell it.
  VgString GetFirmwareVersion();

  // ------------------------------------------------------------------------
  // Times as the screens show them (WrapperTime.cpp).

  // "hh:mm" on the 12-hour clock (hour 0 reads 12) and the AM or PM text,
  // without a blank: 0, 5 reads "12:05AM", 13, 0 "01:00PM".
  static VgString GetTimeAMPM(int32_t hour, int32_t minute);
  // A new record of the hour on the 12-hour clock with its AM flag.
  static ::Structures::AMPMHour* Convert24HourToAMPM(int32_t hour);
  // The day set of seven flags, Sunday in bit 0.
  static int32_t GetDaysOfWeek(bool sunday, bool monday, bool tuesday, bool wednesday, bool thursday, bool friday,
                               bool saturday);

  static VgPoint GetCenterPosition(int32_t areaWidth, int32_t areaHeight, int32_t width, int32_t height) {
    return VgPoint{(areaWidth - width) / 2, (areaHeight - height) / 2};
  }
  static bool IsBitSet(int32_t mask, int32_t bit) { return bit >= 0 && bit < 32 && (uint32_t(mask) >> bit & 1u); }
  static int32_t SetBit(int32_t mask, int32_t bit, bool on) {
    if (bit < 0 || bit >= 32) return mask;
    const uint32_t b = 1u << bit;
    return static_cast<int32_t>(on ? (uint32_t(mask) | b) : (uint32_t(mask) & ~b));
  }
  static int32_t Bool2Int(bool value) { return value ? 1 : 0; }
  static bool Int2Bool(int32_t value) { return value != 0; }
  // A decimal text with an optional leading "-"; the empty text gives 0.
  static int32_t String2Int(VgString text);

  // Holds back the changes above while set; Initialize clears it.
  bool OSDLock = false;
  int32_t WindowNumber = 0;
  VgPtr<::Structures::VirtualChannel> LastChannel;

 protected:
  // The settings store that key-backed properties use; none until the root
  // hands it over, and then key-backed properties keep their cached values.
  ::PersistentData::PersistentData* Store() const;
  void AttachStore(::PersistentData::PersistentData* store);

  int32_t Read(Property p);
  void Write(Property p, int32_t value);

  // A timer as the middleware keeps it; ok (when given) says whether it
  // could be read.
  ::Structures::TimerData* ReadTimer(int32_t index, bool* ok);
  // Puts the cached values back to those of a fresh model.
  void ResetCache();
  // Remembers the source that SetLastSource returns to.
  void RememberSource(int32_t source) { lastSource_ = source; }

 private:
  enum class TimerField : uint8_t {
    Enable, Source, Channel, MapId, TimesType, StartEarly, EndDelay, Duration, DaysOfWeek, SourceType
  };
  int32_t ReadTimerField(TimerField field);
  void WriteTimerField(TimerField field, int32_t value);

  int32_t cache_[static_cast<size_t>(Property::Count)];
  int32_t preferViewWord_ = 0;
  VgPtr<::PersistentData::PersistentData> store_;
  int32_t activeTimerId_ = 0;
  int32_t lastSource_ = 0;
  int32_t animationCount_ = 0;
  bool isFrozen_ = false;
};

}  // namespace Wrapper
