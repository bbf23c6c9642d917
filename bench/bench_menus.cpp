// The setup menus on the product's root and the simulated set, on the manual
// clock: BM_MenuCarouselFrame is one frame of the main menu's carousel move
// (its timers, the items moved and faded, and the dirty area redrawn into the
// GUI plane); BM_MenuPopUpStep is one step of the option pop-up (DOWN on its
// choices: the choice written to the model, every open page reloading its
// values, and the redraw). Both report the mean in milliseconds as "ms".
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "Agent/MessageAgent.h"
#include "Core/Keys.h"
#include "Core/Root.h"
#include "Events/Events.h"
#include "Events/XPM_EVENT_KEY.h"
#include "GenFont.h"
#include "MainApp/ActiveApp.h"
#include "MainApp/PersistentData.h"
#include "MainApp/Root.h"
#include "MainApp/Wrapper.h"
#include "MainApp/Standby.h"
#include "MenuSystem/BrcmMainMenu.h"
#include "MenuSystem/BrcmOptionMenu.h"
#include "MenuSystem/BrcmSubMenu.h"
#include "MenuSystem/MenuSystem.h"
#include "Primitives/MessageDelivery.h"
#include "gcm.h"
#include "simtv.h"
#include "vgclock.h"
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

// The set set up and switched on, with the main menu open on its first topic.
bool Boot() {
  static bool booted = [] {
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("tvui-bench-menus-" + std::to_string(getpid()));
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

void BM_MenuCarouselFrame(benchmark::State& state) {
  if (!Boot()) {
    state.SkipWithError("the main menu did not open");
    return;
  }
  // Back on the main menu, whatever the pop-up benchmark left.
  Press(Key::Menu);
  Turn(0);
  Press(Key::Menu);
  Turn(1000);
  MenuSystem::BrcmMainMenu* main = Open<MenuSystem::BrcmMainMenu>();
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
  Press(Key::Menu);
  Turn(0);
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

BENCHMARK_MAIN();
