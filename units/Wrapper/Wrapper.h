// The base of the television model: the properties that the middleware keeps
// for the set as a whole and the queries on sources, channels and the video
// signal that the settings depend on. The application's one instance is a
// SkinBin::Wrapper (the auto object MainApp::Wrapper).
#pragma once

#include <cstdint>

#include "PersistentData/PersistentData.h"
#include "Wrapper/Backing.h"
#include "vgobject.h"
#include "vgstring.h"

namespace Structures {
class VideoContentInfo;
class VirtualChannel;
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
  X(AntCableIn, SetVirtual) X(EnableTimer, Plain) X(TimeZone, SetVirtual)                          \
  X(DaylightSavingTime, SetVirtual) X(PanelLock, Plain) X(ParentalLocks, Plain)                    \
  X(ClosedCaptionState, Plain) X(BasicCCMode, Plain) X(CC708_FontSize, Plain)                      \
  X(CC708_FontStyle, Plain) X(CC708_EdgeType, Plain) X(CC708_EdgeColor, Plain)                     \
  X(CC708_FontColor, Plain) X(CC708_FontOpacity, Plain) X(CC708_BgColor, Plain)                    \
  X(CC708_BgOpacity, Plain) X(CC708_WinJustification, Plain) X(CC708_WinColor, Plain)              \
  X(CC708_WinOpacity, Plain) X(CCPreference, Plain) X(BlockUnratedContent, Plain)                  \
  X(TimerSource, GetVirtual) X(TimerChannel, GetVirtual) X(TimerMapId, GetVirtual)                 \
  X(TimerTimesType, Plain) X(TimerStartEarly, Plain) X(TimerEndDelay, Plain)                       \
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
  // The type of a source; 1 (tuner) when it cannot be read.
  int32_t GetSourceType(int32_t source);
  bool IsRFSourceType(int32_t type) const { return type == kSourceTypeTuner || type == kSourceTypeDigitalTuner; }
  // A new record of the window's video signal, all zero when unread.
  ::Structures::VideoContentInfo* GetVideoContentInfo(int32_t window);
  // A new record of the channel of the window showing a tuner; (-2, -2) when none does.
  ::Structures::VirtualChannel* GetCurrentChannel();
  bool IsDigitalChannel(int32_t major, int32_t minor) const { return major > 0 && minor > 0; }
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

 protected:
  // The settings store that key-backed properties use; none until the root
  // hands it over, and then key-backed properties keep their cached values.
  ::PersistentData::PersistentData* Store() const;
  void AttachStore(::PersistentData::PersistentData* store);

  int32_t Read(Property p);
  void Write(Property p, int32_t value);

 private:
  int32_t cache_[static_cast<size_t>(Property::Count)];
  int32_t preferViewWord_ = 0;
  VgPtr<::PersistentData::PersistentData> store_;
};

}  // namespace Wrapper
