// The product's root on the simulated set, from a key in the GUI's event
// buffer to the frame flipped (the turn of the GUI loop that takes the key,
// redraws what changed and flips it), wall time. BM_ProductWizardKey steps the
// first-time setup back and forth; BM_ProductKeyLatency walks the wizard to
// its end and then presses 2,000 random keys (TVUI_BENCH_KEYS sets another
// number), reporting the median, 99th percentile and worst of them. Power keys
// are left out, and so is the front panel's MENU, after which the host pauses
// the GUI thread for 100 ms by design.
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <filesystem>
#include <random>
#include <vector>

#include "GenFont.h"
#include "bench_keys.h"
#include "gcm.h"
#include "gui_loop.h"
#include "process.h"
#include "remote_keys.h"
#include "simtv.h"
#include "vgslot.h"

namespace {

constexpr int32_t kBackKey = 29;  // "back" while a screen is open

// A press and its release, as the remote sends them.
void PostKey(int32_t keyCode) {
  PostKeyEvent(keyCode, DWET_KEYDOWN);
  PostKeyEvent(keyCode, DWET_KEYUP);
}

bool EventsWaiting() {
  IDirectFBEventBuffer* events = buffer.load();
  return events && events->HasEvent(events) == DFB_OK;
}

// Turns of the loop until nothing is left to do, so that a key is timed from
// a quiet loop.
void Settle() {
  for (int i = 0; i < 20 && (VgAnyPendingSignals() || EventsWaiting()); ++i) GuiLoopTurn();
}

// When the set last showed a flipped frame: the compositor hears of every flip.
std::chrono::steady_clock::time_point g_flipped;
void Flipped(int32_t) { g_flipped = std::chrono::steady_clock::now(); }

// From the key to its frame flipped (to the end of its turn when it changed
// nothing on the screen), in nanoseconds.
int64_t KeyToFlip(int32_t keyCode) {
  PostKey(keyCode);
  const auto start = std::chrono::steady_clock::now();
  g_flipped = {};
  // The press is one turn and its release the next; a key may take a few.
  for (int turn = 0; turn < 4 && g_flipped < start && (turn == 0 || EventsWaiting()); ++turn) GuiLoopTurn();
  const auto end = g_flipped > start ? g_flipped : std::chrono::steady_clock::now();
  Settle();
  return std::chrono::duration_cast<std::chrono::nanoseconds>(end - start).count();
}

// The set booted once with fresh settings, switched on by the power key and
// showing the first step of the wizard.
bool Boot() {
  static bool booted = [] {
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("tvui-bench-product-" + std::to_string(getpid()));
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
    setenv("TVUI_ROOT", root.c_str(), 1);
    simtv_boot(0, 0);
    if (GCM_Start(1) != 0) return false;
    GuiUseRootOps(nullptr);
    static AppPeriod period;
    GuiLoopStart(&period);
    simtv_on_render(&Flipped);
    GenRegisterFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    GuiLoopTurn();
    Settle();
    const int32_t reasonPower = 1;
    simtv_inject_event(0, 3, &reasonPower, sizeof reasonPower);
    simtv_settle();
    // The wake-up runs over several turns, some on timers.
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 30 && std::chrono::steady_clock::now() - start < std::chrono::milliseconds(1500); ++i)
      GuiLoopTurn();
    Settle();
    return true;
  }();
  return booted;
}

int g_wizardStep = 1;  // 1 or 2 while BM_ProductWizardKey steps

void BM_ProductWizardKey(benchmark::State& state) {
  if (!Boot()) {
    state.SkipWithError("DirectFB did not start");
    return;
  }
  int64_t total = 0;
  for (auto _ : state) {
    total += KeyToFlip(g_wizardStep == 1 ? RemoteKeyCode("OK") : kBackKey);
    g_wizardStep = 3 - g_wizardStep;
  }
  state.counters["key_ms"] = state.iterations() ? double(total) / 1e6 / double(state.iterations()) : 0.0;
}
BENCHMARK(BM_ProductWizardKey)->Unit(benchmark::kMillisecond);

void BM_ProductKeyLatency(benchmark::State& state) {
  if (!Boot()) {
    state.SkipWithError("DirectFB did not start");
    return;
  }
  std::vector<int64_t> turns;
  for (auto _ : state) {
    if (g_wizardStep == 2) KeyToFlip(kBackKey);
    g_wizardStep = 1;
    // The wizard walked to its end, as root_wizard_walk.scn walks it.
    for (const char* key : {"OK", "RIGHT", "DOWN", "OK", "LEFT", "OK", "OK", "DOWN", "OK"})
      turns.push_back(KeyToFlip(RemoteKeyCode(key)));
    const char* keys[] = {"INPUT", "0",     "1",    "2",    "3",    "4",    "5",      "6",      "7",     "8",
                          "9",     "OK",    "MENU", "LEFT", "RIGHT", "UP",  "DOWN",   "VOL+",   "VOL-",  "CH+",
                          "CH-",   "EXIT",  "FP_VOL+", "FP_VOL-", "FP_CH+", "FP_CH-", "FP_INPUT"};
    std::mt19937 random(1);
    std::uniform_int_distribution<size_t> pick(0, std::size(keys) - 1);
    const char* count = std::getenv("TVUI_BENCH_KEYS");
    const int keyCount = count ? std::atoi(count) : 2000;
    for (int i = 0; i < keyCount; ++i) turns.push_back(KeyToFlip(RemoteKeyCode(keys[pick(random)])));
  }
  std::sort(turns.begin(), turns.end());
  auto at = [&](double q) { return double(turns[size_t(q * double(turns.size() - 1))]) / 1e6; };
  state.counters["keys"] = double(turns.size());
  state.counters["p50_ms"] = at(0.5);
  state.counters["p99_ms"] = at(0.99);
  state.counters["max_ms"] = double(turns.back()) / 1e6;
}
BENCHMARK(BM_ProductKeyLatency)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
