// The television model's sources and channels: switching the windows
// between the set's inputs, the source remembered to return to, the inputs by
// type, tuning and the channels of the current medium.
#include "Structures/Channels.h"
#include "Wrapper/Wrapper.h"
#include "vgdebug.h"
#include "xpm.h"

namespace Wrapper {

namespace {
constexpr int32_t kMainWindow = 0;

// HDMI and DVI inputs carry the same signals and are offered alike.
constexpr int32_t SameKind(int32_t type) { return type == kSourceTypeDvi ? kSourceTypeHdmi : type; }
}  // namespace

void Wrapper::SetSource(int32_t window, int32_t source) {
  if (window == kMainWindow) {
    const int32_t shown = GetCurrentSource(kMainWindow);
    if (shown != source && shown != 0) RememberSource(shown);
  }
  if (int32_t status = XPM_SetSource(window, source); status != 0)
    VgPrint("Wrapper: XPM_SetSource(%d, %d) = 0x%08X Failed\n", window, source, unsigned(status));
}

int32_t Wrapper::SetLastSource() {
  const int32_t source = lastSource_;
  if (source == 0) return 0;
  lastSource_ = 0;
  if (int32_t status = XPM_SetSource(kMainWindow, source); status != 0)
    VgPrint("Wrapper: XPM_SetSource(%d, %d) = 0x%08X Failed\n", kMainWindow, source, unsigned(status));
  return source;
}

void Wrapper::SwapSource() {
  if (OSDLock) return;
  if (int32_t status = XPM_SwapSource(); status != 0)
    VgPrint("Wrapper: XPM_SwapSource = 0x%08X Failed\n", unsigned(status));
}

bool Wrapper::IsTunerSource() { return IsRFSourceType(GetSourceType(GetCurrentSource(kMainWindow))); }

int32_t Wrapper::GetSourceByType(int32_t startIndex, int32_t type, int32_t n) {
  int32_t sources[XPM_MAX_SOURCES] = {};
  int32_t count = 0;
  if (int32_t status = XPM_GetSourceList(sources, XPM_MAX_SOURCES, &count); status != 0) {
    VgPrint("Wrapper: XPM_GetSourceList = 0x%08X Failed\n", unsigned(status));
    return -1;
  }
  if (count > XPM_MAX_SOURCES) count = XPM_MAX_SOURCES;
  int32_t left = n < 1 ? 1 : n;
  for (int32_t i = startIndex < 0 ? 0 : startIndex; i < count; ++i)
    if (SameKind(GetSourceType(sources[i])) == SameKind(type) && --left == 0) return sources[i];
  return -1;
}

void Wrapper::SetDisplayWindow(int32_t x, int32_t y, int32_t width, int32_t height) {
  if (int32_t status = XPM_SetDisplayWindow(kMainWindow, x, y, width, height); status != 0)
    VgPrint("Wrapper: XPM_SetDisplayWindow(%d, %d, %d, %d) = 0x%08X Failed\n", x, y, width, height,
            unsigned(status));
}

void Wrapper::SetChannel(int32_t major, int32_t minor, int32_t, int32_t) {
  ::Structures::VirtualChannel* shown = GetCurrentChannel();
  if (shown->Major != major || shown->Minor != minor) {
    if (!LastChannel) LastChannel = VgNew<::Structures::VirtualChannel>();
    LastChannel->Major = shown->Major;
    LastChannel->Minor = shown->Minor;
  }
  if (int32_t status = XPM_SetChannel(kMainWindow, major, minor); status != 0)
    VgPrint("Wrapper: XPM_SetChannel(%d, %d) = 0x%08X Failed\n", major, minor, unsigned(status));
}

bool Wrapper::IsChannelExist(int32_t major, int32_t minor) {
  XPM_ChannelInfo info{};
  return XPM_GetChannelInfo(major, minor, &info) == 0;
}

namespace {

// A number of one or more decimal digits that fits an int32; -1 otherwise.
int32_t ChannelNumber(VgString text, int32_t start, int32_t end) {
  if (end <= start || end - start > 9) return -1;
  int32_t value = 0;
  for (int32_t i = start; i < end; ++i) {
    const char16_t c = VgGetStringChar(text, i);
    if (c < u'0' || c > u'9') return -1;
    value = value * 10 + (c - u'0');
  }
  return value;
}

}  // namespace

::Structures::VirtualChannel* Wrapper::GetVirtualChannelByString(VgString text, VgString separator) {
  auto* channel = VgNew<::Structures::VirtualChannel>();
  channel->Major = -2;
  channel->Minor = -2;
  const int32_t length = VgGetStringLength(text);
  const int32_t at = VgGetStringLength(separator) > 0 ? VgStringFind(text, separator, 0) : -1;
  const int32_t major = ChannelNumber(text, 0, at < 0 ? length : at);
  const int32_t minor = at < 0 ? 0 : ChannelNumber(text, at + VgGetStringLength(separator), length);
  if (major < 0 || minor < 0) return channel;
  channel->Major = major;
  channel->Minor = minor;
  return channel;
}

}  // namespace Wrapper
