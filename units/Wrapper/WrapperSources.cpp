// The television model's sources: switching the windows between the set's
// inputs, the source remembered to return to, and the inputs by type.
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

}  // namespace Wrapper
