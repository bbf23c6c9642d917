// The values the set leaves the factory with, one table per group of
// settings that a menu page resets as a whole. The television model writes
// them back through its properties (SkinBin::Wrapper::ResetGroup and
// ResetAudioVideoSettings); a fresh simulated set holds them already.
#pragma once

#include <cstdint>
#include <span>

namespace SkinBin {

class Wrapper;

struct FactoryValue {
  const char* name;
  int32_t (Wrapper::*get)();
  void (Wrapper::*set)(int32_t);
  int32_t value;
};

enum class FactoryGroup : uint8_t {
  None,
  CommonPicture,  // per picture mode
  AdvancedPicture,
  ExpertPicture,
  BaseColors,
  Audio,
  Captions,
  Locks,
  ScreenSaver,
  AutoInput,
  ChannelBrowser,
  PicturePosition,
  PCSettings,
  ScaleWindow,
};

// The groups whose changes the picture pages mark (IsOptionChanged) are the
// common, advanced (with the base colours) and expert picture settings.

// The picture modes 0 to 7, and the one a fresh set shows.
inline constexpr int32_t kPictureModes = 8;
inline constexpr int32_t kFactoryPictureMode = 2;

// The factory values of a group; the common picture settings are those of
// the picture mode given (empty for a mode outside 0 to 7).
std::span<const FactoryValue> FactoryValues(FactoryGroup group, int32_t pictureMode = kFactoryPictureMode);

// The screen saver's colour as the colour pad stores it.
inline constexpr char kFactoryScreenSaverColor[] = "06017017017";

}  // namespace SkinBin
