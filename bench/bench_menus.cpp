// The setup menus on the product's root and the simulated set, on the manual
// clock. BM_PicturePageRedraw is the figure of record for drawing: the
// Picture page open beside the main menu, the whole screen redrawn through
// the root (its clear, every layer), as x_blit, its time over one full-frame
// blended blit made directly through DirectFB in the same process.
// BM_MenuKey is MENU opening the main menu (the menu built, its artwork
// loaded, the frame drawn) and BM_LogoPanelKey OK opening the channel logo
// panel over its setting dialog, each from the key to its frame drawn, as
// the median "ms" and the slowest "max_ms".
// BM_MenuCarouselFrame is one frame of the main menu's carousel move (its
// timers, the items moved and faded, and the dirty area redrawn into the GUI
// plane); BM_MenuPopUpStep is one step of the option pop-up (DOWN on its
// choices: the choice written to the model, every open page reloading its
// values, and the redraw); they report their mean in milliseconds as "ms".
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "Agent/MessageAgent.h"
#include "Constants/Constants.h"
#include "Core/Keys.h"
#include "Core/Root.h"
#include "Events/Events.h"
#include "Events/XPM_EVENT_KEY.h"
#include "GenFont.h"
#include "GenPng.h"
#include "MainApp/ActiveApp.h"
#include "AppServices/PersistentData.h"
#include "MainApp/Root.h"
#include "AppServices/Wrapper.h"
#include "MainApp/Standby.h"
#include "MenuSystem/BrcmMainMenu.h"
#include "MenuSystem/BrcmOptionMenu.h"
#include "MenuSystem/BrcmSubMenu.h"
#include "MenuSystem/MenuSystem.h"
#include "Primitives/KeyRoutingForm.h"
#include "Primitives/MessageDelivery.h"
#include "SubSystem/Open.h"
#include "AppServices/WidgetManager.h"
#include "WidgetManager/WidgetManager.h"
#include "WinIDs/WinIDs.h"
#include "bench_blit.h"
#include "gcm.h"
#include "simtv.h"
#include "vgclock.h"
#include "vgresmap.h"
#include "vgslot.h"
#include "vgtimer.h"

namespace {

MainApp::Root* g_root = nullptr;

void Turn(uint32_t ms) {
  VgClockAdvance(ms);
  VgProcessTimers();
  VgProcessSignals();
  VgProcessSignals();
  CoreRoot_Update(g_root);
  VgReclaimMemory();
}

void Press(uint16_t code) {
  auto* key = VgNew<Events::XPM_EVENT_KEY>();
  key->Initialize(code, true);
  CoreGroup__DispatchEvent(g_root, key);
}

MenuSystem::MenuSystem* Menus() { return g_root->standbyGroup->activeApp->MenuSystem; }

template <class T>
T* Open() {
  for (Core::View* view = Menus()->firstView; view; view = view->nextView)
    if (auto* page = vg_cast<T>(view)) return page;
  return nullptr;
}

// A key and the turn that takes it, to its frame drawn (the collection that
// follows the flip is left out), in milliseconds.
double KeyToFrame(uint16_t code) {
  const auto start = std::chrono::steady_clock::now();
  Press(code);
  VgProcessTimers();
  VgProcessSignals();
  VgProcessSignals();
  CoreRoot_Update(g_root);
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  VgReclaimMemory();
  return ms;
}

bool ScreenOpen(int32_t winId) {
  auto* manager = static_cast<::WidgetManager::WidgetManager*>(VgFindAutoObject(&MainApp::WidgetManager));
  return manager && manager->FindForm(winId) != nullptr;
}

// Every screen closed, the set on live television.
void CloseAll() {
  Press(Key::ClearAll);
  Turn(1000);
  Turn(1000);
}

// The set's folder of this run: its settings and the links GCM_Start makes.
std::filesystem::path ScratchFolder() {
  return std::filesystem::temp_directory_path() / ("tvui-bench-menus-" + std::to_string(getpid()));
}

// The set set up and switched on, with the main menu open on its first topic.
bool Boot() {
  static bool booted = [] {
    const std::filesystem::path root = ScratchFolder();
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
    setenv("TVUI_ROOT", root.c_str(), 1);
    if (GCM_Start(1) != 0) return false;
    VgClockSetManual(true);
    // The sub-systems reach each other through the message agent, as in the
    // GUI loop.
    Agent::SetMessageDelivery(&Primitives::DeliverMessage);
    GenInitGlyphCache(20000);
    GenRegisterFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    simtv_tv_reset();
    simtv_av_reset();
    // A set in everyday use: channels for the channel screens.
    simtv_tv_load_demo();
    auto* store = VgNew<::PersistentData::PersistentData>();
    VgLockObject(store);
    store->Initialize(VgNewString(MainApp::kSettingsFile));
    store->PutString(VgNewString(u"SetupStep"), VgNewString(u"9"));
    store->PutString(VgNewString(u"MainMenuIndex"), VgNewString(u"0"));
    VgUnlockObject(store);
    g_root = VgNew<MainApp::Root>();
    VgLockObject(g_root);
    CoreRoot__Initialize(g_root, MainApp::Root::ScreenWidth, MainApp::Root::ScreenHeight);
    auto* wake = VgNew<Events::XPM_EVENT_WAKEUP>();
    wake->Reason = 1;
    CoreGroup__DispatchEvent(g_root, wake);
    Turn(1000);
    Press(Key::Menu);
    Turn(1000);
    return Open<MenuSystem::BrcmMainMenu>() != nullptr;
  }();
  return booted;
}

double Millis(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

void BM_PicturePageRedraw(benchmark::State& state) {
  if (!Boot()) {
    state.SkipWithError("the main menu did not open");
    return;
  }
  if (!ScreenOpen(WinIDs::WIN_ID_MainMenu)) {
    Press(Key::Menu);
    Turn(1000);
  }
  if (!Open<MenuSystem::BrcmSubMenu>()) {
    state.SkipWithError("no page beside the main menu");
    return;
  }
  BlitYardstick blit;
  IDirectFBSurface* plane = g_root->Canvas()->surface;
  const VgRect all{0, 0, MainApp::Root::ScreenWidth, MainApp::Root::ScreenHeight};
  g_root->Invalidate(all);
  CoreRoot_Update(g_root);
  BenchSync(plane);
  if (const char* path = std::getenv("TVUI_BENCH_PICTURE")) GenSaveBitmapPng(g_root->Canvas(), path);
  BlitRatio ratio;
  for (auto _ : state) {
    g_root->Invalidate(all);
    const auto start = std::chrono::steady_clock::now();
    CoreRoot_Update(g_root);
    BenchSync(plane);
    const int64_t page = BenchNanosSince(start);
    ratio.Add(page, blit.Once());
  }
  state.counters["ms"] = double(ratio.totalWork) / double(std::max<int64_t>(ratio.count, 1)) / 1e6;
  state.counters["blit_ms"] = double(ratio.bestBlit) / 1e6;
  state.counters["x_blit"] = ratio.Best();
  state.counters["x_blit_mean"] = ratio.Mean();
}
BENCHMARK(BM_PicturePageRedraw)->Unit(benchmark::kMillisecond);

// The key's median time, and the worst of the run (the first, which may load
// what the others find ready).
void KeyFigures(benchmark::State& state, std::vector<double> times) {
  if (times.empty()) return;
  std::sort(times.begin(), times.end());
  state.counters["ms"] = times[times.size() / 2];
  state.counters["max_ms"] = times.back();
}

void BM_MenuKey(benchmark::State& state) {
  if (!Boot()) {
    state.SkipWithError("the main menu did not open");
    return;
  }
  std::vector<double> times;
  for (auto _ : state) {
    state.PauseTiming();
    CloseAll();
    state.ResumeTiming();
    const double ms = KeyToFrame(Key::Menu);
    state.PauseTiming();
    if (!ScreenOpen(WinIDs::WIN_ID_MainMenu)) {
      state.SkipWithError("MENU did not open the main menu");
      return;
    }
    Turn(1000);
    state.ResumeTiming();
    times.push_back(ms);
  }
  KeyFigures(state, std::move(times));
}
BENCHMARK(BM_MenuKey)->Unit(benchmark::kMillisecond);

void BM_LogoPanelKey(benchmark::State& state) {
  if (!Boot()) {
    state.SkipWithError("the main menu did not open");
    return;
  }
  CloseAll();
  std::vector<double> times;
  for (auto _ : state) {
    state.PauseTiming();
    if (!ScreenOpen(WinIDs::WIN_ID_ChannelLogoSettingDialog)) {
      SubSystem::Open(nullptr, "Channels::ChannelLogoSettingDialog", {.origin = Constants::MSG_FROM_MENUSYSTEM});
      Turn(0);
    }
    state.ResumeTiming();
    const double ms = KeyToFrame(Key::Ok);
    state.PauseTiming();
    if (!ScreenOpen(WinIDs::WIN_ID_ChannelLogoPanel)) {
      state.SkipWithError("OK did not open the logo panel");
      return;
    }
    Press(Key::Back);
    Turn(1000);
    state.ResumeTiming();
    times.push_back(ms);
  }
  KeyFigures(state, std::move(times));
  CloseAll();
}
BENCHMARK(BM_LogoPanelKey)->Unit(benchmark::kMillisecond);

void BM_MenuCarouselFrame(benchmark::State& state) {
  if (!Boot()) {
    state.SkipWithError("the main menu did not open");
    return;
  }
  // Back on the main menu, whatever the other benchmarks left.
  CloseAll();
  Press(Key::Menu);
  Turn(1000);
  MenuSystem::BrcmMainMenu* main = Open<MenuSystem::BrcmMainMenu>();
  if (!main) {
    state.SkipWithError("the main menu did not open");
    return;
  }
  std::chrono::steady_clock::duration total{};
  int64_t frames = 0;
  for (auto _ : state) {
    if (!main->OnGetAnimating()) {
      state.PauseTiming();
      // The page of the topic reached opens, and its icon plays out.
      Turn(400);
      Press(Key::Down);
      Turn(0);
      state.ResumeTiming();
    }
    const auto start = std::chrono::steady_clock::now();
    Turn(MenuSystem::Carousel::FramePeriod);
    total += std::chrono::steady_clock::now() - start;
    ++frames;
  }
  state.counters["ms"] = frames ? Millis(total) / double(frames) : 0.0;
}
BENCHMARK(BM_MenuCarouselFrame)->Unit(benchmark::kMillisecond);

void BM_MenuPopUpStep(benchmark::State& state) {
  if (!Boot()) {
    state.SkipWithError("the main menu did not open");
    return;
  }
  // The focus on View Mode's pop-up, on the Picture page.
  CloseAll();
  Menus()->SetMenuIndex(1, 1);
  Menus()->SetMenuIndex(2, 4);
  Press(Key::Menu);
  Turn(1000);
  Press(Key::Right);
  Turn(0);
  Press(Key::Right);
  Turn(0);
  if (!Open<MenuSystem::BrcmOptionMenu>() || Menus()->Focus.get() != Open<MenuSystem::BrcmOptionMenu>()) {
    state.SkipWithError("the pop-up did not take the focus");
    return;
  }
  std::chrono::steady_clock::duration total{};
  int64_t steps = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    Press(Key::Down);
    Turn(0);
    total += std::chrono::steady_clock::now() - start;
    ++steps;
  }
  state.counters["ms"] = steps ? Millis(total) / double(steps) : 0.0;
}
BENCHMARK(BM_MenuPopUpStep)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ignored;
  std::filesystem::remove_all(ScratchFolder(), ignored);
  return 0;
}
