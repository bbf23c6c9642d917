// The network applications beside the television: launching and ending them
// through the state manager, and the device ids of their services.
#include <cstdio>

#include "SkinBin/Wrapper.h"
#include "tvsm.h"
#include "vgdebug.h"
#include "xpm.h"

namespace SkinBin {

namespace {

constexpr int32_t kStateManagerKind = 1;

// The applications by the ids the state manager knows them by.
constexpr int32_t kWidgetApp = 2;
constexpr int32_t kFlashApp = 3;
constexpr int32_t kDockApp = 6;

// The Flash services by their number on the applications page.
struct FlashService {
  int32_t index;
  const char* name;
};
constexpr FlashService kFlashServices[] = {
    {1, "netflix"}, {5, "pandora"}, {6, "napster"}, {7, "cinemanow"}, {8, "blockbuster"}, {9, "youtube"}, {10, "skype"},
};

constexpr int32_t kDeviceIdSize = 128;

void Report(int32_t code, const void* data, uint32_t size, const char* what) {
  if (int32_t status = TVSM_ReportAsyncEvent(kStateManagerKind, code, data, size); status != 0)
    VgPrint("Wrapper: %s failed (0x%08X)\n", what, unsigned(status));
}

void Launch(int32_t id, const char* name, int32_t argument) {
  TVSM_AppLaunch app{};
  app.id = id;
  std::snprintf(app.name, sizeof app.name, "%s", name);
  app.argument = argument;
  Report(TVSM_ASYNC_LAUNCH_APP, &app, sizeof app, name);
}

void Terminate(int32_t id) { Report(TVSM_ASYNC_TERMINATE_APP, &id, sizeof id, "ending an application"); }

VgString DeviceId(int32_t (*read)(char*, int32_t), const char* what) {
  char text[kDeviceIdSize] = {};
  if (int32_t status = read(text, sizeof text); status != 0) {
    VgPrint("Wrapper: the %s cannot be read (0x%08X)\n", what, unsigned(status));
    return nullptr;
  }
  return VgNewStringAnsi(text);
}

}  // namespace

void Wrapper::LaunchYahooApp(int32_t mode) { Launch(kWidgetApp, "yahoo", mode); }

void Wrapper::TerminateYahooApp() { Terminate(kWidgetApp); }

void Wrapper::LaunchFlashApp(int32_t index) {
  for (const FlashService& service : kFlashServices) {
    if (service.index != index) continue;
    Launch(kFlashApp, service.name, index);
    return;
  }
  VgPrint("Wrapper: no Flash application %d\n", index);
}

void Wrapper::LaunchVuduDock(bool on) {
  if (on)
    Launch(kDockApp, "vudu", 0);
  else
    Terminate(kDockApp);
}

void Wrapper::RequestTVResources() { Report(TVSM_ASYNC_RELEASE_TV_RESOURCES, nullptr, 0, "handing the TV back"); }

VgString Wrapper::GetNetflixESN() { return DeviceId(&XPM_GetNetflixESN, "streaming service's ESN"); }

VgString Wrapper::GetWidevineDeviceId() { return DeviceId(&XPM_GetWidevineDeviceId, "content protection's id"); }

}  // namespace SkinBin
