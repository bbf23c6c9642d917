// The television model's operations on the set as a whole: its life cycle,
// the animation count, picture freeze, standby, factory reset,
// picture-in-picture, the changes the on-screen-display lock holds back, the
// clock and small helpers.
#include <string>

#include "Wrapper/TimerRecord.h"
#include "Wrapper/Wrapper.h"
#include "vgdebug.h"
#include "xpm.h"

namespace Wrapper {

namespace {
constexpr int32_t kMainWindow = 0;
constexpr int32_t kEveryChannel = -1;
constexpr int32_t kFirmwareTextSize = 64;
constexpr int32_t kChannelNameLength = XPM_CHANNEL_NAME_SIZE - 1;
}  // namespace

void Wrapper::Initialize() {
  OSDLock = false;
  WindowNumber = 0;
  animationCount_ = 0;
  if (!LastChannel) {
    LastChannel = VgNew<::Structures::VirtualChannel>();
    LastChannel->Major = -1;
    LastChannel->Minor = -1;
  }
}

bool Wrapper::OnGetIsFrozen() {
  int32_t on = isFrozen_;
  if (int32_t status = XPM_GetFreeze(kMainWindow, &on); status != 0)
    VgPrint("Wrapper: XPM_GetFreeze = 0x%08X Failed\n", unsigned(status));
  else
    isFrozen_ = on != 0;
  return isFrozen_;
}

void Wrapper::OnSetIsFrozen(bool value) {
  isFrozen_ = value;
  if (int32_t status = XPM_SetFreeze(kMainWindow, value ? 1 : 0); status != 0)
    VgPrint("Wrapper: XPM_SetFreeze(%d) = 0x%08X Failed\n", value ? 1 : 0, unsigned(status));
}

void Wrapper::Standby(int32_t mode, int32_t reason) {
  if (int32_t status = XPM_StandbyMode(mode, reason); status != 0)
    VgPrint("Wrapper: XPM_StandbyMode(%d, %d) = 0x%08X Failed\n", mode, reason, unsigned(status));
}

// The middleware returns its settings to the factory values; the model
// forgets what it cached of them and the timer it was editing.
void Wrapper::ResetAll() {
  if (int32_t status = XPM_ResetFactoryDefaults(); status != 0)
    VgPrint("Wrapper: XPM_ResetFactoryDefaults = 0x%08X Failed\n", unsigned(status));
  ResetCache();
  preferViewWord_ = 0;
  isFrozen_ = false;
  HeldTimer = nullptr;
  activeTimerId_ = 0;
  lastSource_ = 0;
}

int32_t Wrapper::GetPIPState() {
  int32_t mode = 0;
  if (int32_t status = XPM_GetPIPMode(&mode); status != 0) {
    VgPrint("Wrapper: XPM_GetPIPMode = 0x%08X Failed\n", unsigned(status));
    return 0;
  }
  return mode;
}

void Wrapper::SetPIP(int32_t mode) {
  if (int32_t status = XPM_SetPIPMode(mode); status != 0)
    VgPrint("Wrapper: XPM_SetPIPMode(%d) = 0x%08X Failed\n", mode, unsigned(status));
}

namespace {

// The numbers of a channel that a change names: -1, -1 is every channel, and
// a half-given number names none.
bool ChangedChannel(const char* change, const ::Structures::VirtualChannel* channel, int32_t* major, int32_t* minor) {
  if (!channel) {
    VgPrint("Wrapper: %s without a channel\n", change);
    return false;
  }
  *major = channel->Major;
  *minor = channel->Minor;
  if ((*major == kEveryChannel) != (*minor == kEveryChannel)) {
    VgPrint("Wrapper: %s(%d, %d): no such channel\n", change, *major, *minor);
    return false;
  }
  return true;
}

void Report(const char* call, int32_t major, int32_t minor, int32_t status) {
  if (status != 0) VgPrint("Wrapper: %s(%d, %d) = 0x%08X Failed\n", call, major, minor, unsigned(status));
}

}  // namespace

void Wrapper::SetChannelLock(::Structures::VirtualChannel* channel, bool lock) {
  int32_t major = 0;
  int32_t minor = 0;
  if (OSDLock || !ChangedChannel("SetChannelLock", channel, &major, &minor)) return;
  Report("XPM_SetChannelLock", major, minor, XPM_SetChannelLock(major, minor, lock ? 1 : 0));
}

void Wrapper::AddChannelToRing(int32_t ring, ::Structures::VirtualChannel* channel) {
  int32_t major = 0;
  int32_t minor = 0;
  if (OSDLock || !ChangedChannel("AddChannelToRing", channel, &major, &minor)) return;
  Report("XPM_AddChannelToRing", major, minor, XPM_AddChannelToRing(ring, major, minor));
}

void Wrapper::RemoveChannelFromRing(int32_t ring, ::Structures::VirtualChannel* channel) {
  int32_t major = 0;
  int32_t minor = 0;
  if (OSDLock || !ChangedChannel("RemoveChannelFromRing", channel, &major, &minor)) return;
  Report("XPM_RemoveChannelFromRing", major, minor, XPM_RemoveChannelFromRing(ring, major, minor));
}

void Wrapper::SetChannelName(::Structures::VirtualChannel* channel, VgString name) {
  int32_t major = 0;
  int32_t minor = 0;
  if (OSDLock || !ChangedChannel("SetChannelName", channel, &major, &minor)) return;
  if (major == kEveryChannel) {
    VgPrint("Wrapper: SetChannelName names one channel, not every one\n");
    return;
  }
  // A name keeps at most 36 characters, and no more bytes than the
  // middleware's field holds: a character is never cut in half.
  int32_t length = VgGetStringLength(name);
  if (length > kChannelNameLength) length = kChannelNameLength;
  std::string text = VgStringToUtf8(VgStringLeft(name, length));
  while (text.size() > size_t(kChannelNameLength) && length > 0)
    text = VgStringToUtf8(VgStringLeft(name, --length));
  Report("XPM_SetChannelName", major, minor, XPM_SetChannelName(major, minor, text.c_str()));
}

void Wrapper::SetExtOutputMute(bool mute) {
  if (OSDLock) return;
  if (int32_t status = XPM_SetExtOutputMute(mute ? 1 : 0); status != 0)
    VgPrint("Wrapper: XPM_SetExtOutputMute(%d) = 0x%08X Failed\n", mute ? 1 : 0, unsigned(status));
}

void Wrapper::ShowSampleCCText(bool show, VgString text, int32_t x, int32_t y) {
  if (OSDLock) return;
  const std::string utf8 = VgStringToUtf8(text);
  if (int32_t status = XPM_ShowSampleCaption(show ? 1 : 0, utf8.c_str(), x, y); status != 0)
    VgPrint("Wrapper: XPM_ShowSampleCaption(%d) = 0x%08X Failed\n", show ? 1 : 0, unsigned(status));
}

::Structures::LocalTime* Wrapper::GetCurrentTime(int32_t) {
  struct tm now {};
  if (int32_t status = XPM_GetLocalTime(&now); status != 0) {
    VgPrint("Wrapper: XPM_GetLocalTime = 0x%08X Failed\n", unsigned(status));
    return VgNew<::Structures::LocalTime>();
  }
  return LocalTimeOf(now);
}

bool Wrapper::SetCurrentTime(const ::Structures::LocalTime* time) {
  if (!time) return false;
  const struct tm parts = PartsOf(time);
  if (int32_t status = XPM_SetLocalTime(&parts); status != 0) {
    VgPrint("Wrapper: XPM_SetLocalTime = 0x%08X Failed\n", unsigned(status));
    return false;
  }
  return true;
}

VgString Wrapper::GetFirmwareVersion() {
  char text[kFirmwareTextSize] = {};
  if (XPM_GetFirmwareVersion(text, sizeof text) != 0) {
    VgPrint("Cannot get the firmware version info.\n");
    return nullptr;
  }
  return VgNewStringAnsi(text);
}

// The settings store's rule: no validation, so the model and the store read
// every number the same way.
int32_t Wrapper::String2Int(VgString text) { return ::PersistentData::PersistentData::String2Int(text); }

}  // namespace Wrapper
