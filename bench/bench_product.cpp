// The product's root on the simulated set, as the set runs it: the turns of
// the GUI loop on the set's virtual clock, which this thread drives (nothing
// waits for real time to pass; what is timed is the wall time of the turns),
// on the demo set (channels, guide, recordings on a USB disk, and the media
// stick beside them). Every figure is from a key in the GUI's event buffer to
// the frame flipped (the turn of the loop that takes the key, redraws what
// changed and flips it), counted whole: what the set's other threads do
// meanwhile is the set's own work too. Beside each figure is its ratio to a
// yardstick timed in the same process, the quickest of full-frame blended
// blits (bench_blit.h): a slower processor makes both slower, and a machine
// that other work shares shows in the yardstick's own spread.
//
// BM_ProductFirstOpen: switching the set on, then the first MENU after it and
// the first channel logo panel (OK on the logo setting), then each of them 15
// times more: a first open prepares what the later ones find ready. A process
// has only one first open, so each sample is a process of its own (this
// program with --first-open); TVUI_BENCH_FIRST_RUNS sets how many (default
// 7). Each counter is the median of the samples: start_ms, from the process's
// start (the set booted in standby and switched on at once) to the first
// frame of live television; wake_ms, from the wake-up to that frame;
// menu_first_ms and logo_first_ms; menu_ms and logo_ms, a sample's later
// opens (their median); menu_slowest_ms and logo_slowest_ms, a sample's
// slowest open; blit_ms, the sample's yardstick, timed after its opens so
// that they find nothing of it ready; and each figure over the yardstick of
// its own sample as *_x_blit (start_x_blit, menu_first_x_blit, ...). The
// firsts and starts have their quickest as *_min_ms and *_x_blit_min.
//
// BM_ProductWizardKey steps the first-time setup back and forth.
//
// BM_ProductKeyLatency walks the wizard to its end and then tours real
// screens (kTour: the menus and their pages and pop-ups, the channel list,
// the guide and its timer dialog, the schedules, the recordings and their
// playback, the media player's photos, the quick menu, the input list,
// colour keys and BACK), again and again until TVUI_BENCH_KEYS keys (default
// 2,000) drew a frame. Only keys that drew count: the median, 99th percentile
// and slowest of them (p50_ms, p99_ms, max_ms) and each over the yardstick
// (*_x_blit). The yardstick is timed in batches of blits before each pass of
// the tour, not between its keys, whose work it would push out of the
// processor's caches: blit_ms is the quickest, blit_p99_x and blit_max_x the
// 99th percentile and the slowest of the blits over it, which a machine
// that other work shares raises as it raises the keys' slowest.
// picture_loads counts the pictures made from artwork in the process (those
// that the artwork kept aside could not give back). A tour that does not
// reach the screen it expects ends the benchmark with an error.
//
// Power keys are left out, and so is the front panel's MENU, after which the
// host pauses the GUI thread for 100 ms by design.
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "AppServices/PersistentData.h"
#include "AppServices/WidgetManager.h"
#include "GenArtwork.h"
#include "MainApp/ActiveApp.h"
#include "MainApp/Root.h"
#include "MainApp/Standby.h"
#include "MenuSystem/MenuSystem.h"
#include "Primitives/KeyRoutingForm.h"
#include "Structures/DuLinkList.h"
#include "WidgetManager/WidgetManager.h"
#include "WinIDs/WinIDs.h"
#include "bench_blit.h"
#include "gcm.h"
#include "gui_loop.h"
#include "host_time.h"
#include "process.h"
#include "remote_keys.h"
#include "simtv.h"
#include "stick.h"
#include "vgslot.h"

namespace {

constexpr const char* kFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

void SimTimeOfDay(timeval* now) { simtv_gettimeofday(now); }
constexpr HostTime kSimTime{&SimTimeOfDay, &simtv_wait_event_buffer};

// When the set last showed a flipped frame: the compositor hears of every flip.
std::chrono::steady_clock::time_point g_flipped;
void Flipped(int32_t) { g_flipped = std::chrono::steady_clock::now(); }

bool EventsWaiting() {
  IDirectFBEventBuffer* events = buffer.load();
  return events && events->HasEvent(events) == DFB_OK;
}

// Turns of the loop until nothing is left to do, so that a key is timed from
// a quiet loop.
void Settle() {
  for (int i = 0; i < 20 && (VgAnyPendingSignals() || EventsWaiting()); ++i) GuiLoopTurn();
}

// The set's clock moved on by ms, the loop turning as it would meanwhile.
void PassTime(uint32_t ms) {
  const uint64_t until = simtv_now_ms() + ms;
  for (int turn = 0; turn < 1000 && simtv_now_ms() < until; ++turn) GuiLoopTurn();
  Settle();
}

struct KeyTime {
  int64_t ns;
  bool drew;
};

// From the key's arrival in the event buffer (a press and its release, as
// the remote sends them) to its frame flipped, or to the end of its turns
// when it drew nothing. What the turn does after the flip (the settings
// written, the collection) is not counted: the key's frame is on the
// screen by then.
KeyTime KeyToFlip(int32_t keyCode) {
  const auto start = std::chrono::steady_clock::now();
  simtv_inject_key(uint32_t(keyCode), 1, 0);
  simtv_inject_key(uint32_t(keyCode), 0, 0);
  // The press is one turn and its release the next; a key may take a few.
  for (int turn = 0; turn < 4 && g_flipped < start && (turn == 0 || EventsWaiting()); ++turn) GuiLoopTurn();
  const bool drew = g_flipped > start;
  const auto end = drew ? g_flipped : std::chrono::steady_clock::now();
  const int64_t ns = std::chrono::duration_cast<std::chrono::nanoseconds>(end - start).count();
  Settle();
  return {ns, drew};
}

double Ms(int64_t ns) { return double(ns) / 1e6; }

// The yardstick: COUNT blits timed one after another, after one that is not
// (the first touches the target's memory anew).
void TimeBlits(BlitYardstick* blit, int count, std::vector<int64_t>* times) {
  blit->Once();
  for (int i = 0; i < count; ++i) times->push_back(blit->Once());
}

bool FormListed(int32_t winId) {
  auto* manager = static_cast<::WidgetManager::WidgetManager*>(VgFindAutoObject(&MainApp::WidgetManager));
  return manager && manager->FindForm(winId) != nullptr;
}

// The class names of the screens listed, oldest first, for a tour that
// lost its way (and TVUI_BENCH_TOUR_TRACE=1, which prints them at each
// screen the tour expects).
std::string ListedScreens() {
  auto* manager = static_cast<::WidgetManager::WidgetManager*>(VgFindAutoObject(&MainApp::WidgetManager));
  std::string list;
  if (!manager) return list;
  for (Structures::DuLinkNode* node = manager->Sentinel()->next; node != manager->Sentinel(); node = node->next)
    if (auto* form = vg_cast<Primitives::KeyRoutingForm>(node->data.get()))
      list += (list.empty() ? "" : ", ") + std::string(form->GetClass()->name);
  return list.empty() ? "none" : list;
}

MenuSystem::MenuSystem* Menus() {
  auto* root = vg_cast<MainApp::Root>(rootObject.load());
  MainApp::ActiveApp* app = root && root->standbyGroup ? root->standbyGroup->activeApp.get() : nullptr;
  return app ? app->MenuSystem.get() : nullptr;
}

std::filesystem::path ScratchFolder() {
  return std::filesystem::temp_directory_path() / ("tvui-bench-product-" + std::to_string(getpid()));
}

// The set booted once with fresh settings and the demo content, in standby,
// its loop started on this thread: the time from the loop's start to the end
// of its first turns.
AppPeriod g_period;
int64_t g_loopStartNs = 0;
bool Boot() {
  static bool booted = [] {
    const std::filesystem::path root = ScratchFolder();
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
    setenv("TVUI_ROOT", root.c_str(), 1);
    simtv_tv_load_demo();
    simtv_boot(1, 0);
    if (GCM_Start(1) != 0) return false;
    HostUseTime(&kSimTime);
    simtv_set_key_target([] { return buffer.load(); });
    GuiUseRootOps(nullptr);
    GuiUseFontFile(kFont);
    simtv_on_render(&Flipped);
    const auto start = std::chrono::steady_clock::now();
    GuiLoopStart(&g_period);
    GuiLoopTurn();
    Settle();
    g_loopStartNs = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count();
    return GuiFontStatus() == 0;
  }();
  return booted;
}

// The set switched on by the power key's wake-up: the time to its first
// frame, which *flipped receives.
KeyTime SwitchOn(bool pastSetup, std::chrono::steady_clock::time_point* flipped = nullptr) {
  if (pastSetup) MainApp::GetPersistentData()->PutInteger(VgNewString(MainApp::kSetupStepKey), MainApp::kSetupComplete);
  const auto start = std::chrono::steady_clock::now();
  const int32_t reasonPower = 1;
  simtv_inject_event(0, 3, &reasonPower, sizeof reasonPower);
  // The wake-up runs over several turns, some on timers.
  for (int turn = 0; turn < 30 && g_flipped < start; ++turn) GuiLoopTurn();
  const bool drew = g_flipped > start;
  const int64_t ns = std::chrono::duration_cast<std::chrono::nanoseconds>((drew ? g_flipped : start) - start).count();
  if (flipped) *flipped = g_flipped;
  PassTime(1000);
  return {ns, drew};
}

// ------------------------------------------------------------ the first open

std::chrono::steady_clock::time_point g_processStart;

// One sample, in this process: prints name=value pairs, or error=... and
// ends with 1.
int FirstOpenSample() {
  auto fail = [](const char* what) {
    std::printf("error=%s\n", what);
    return 1;
  };
  if (!Boot()) return fail("the set did not boot");
  std::chrono::steady_clock::time_point firstFrame;
  const KeyTime on = SwitchOn(true, &firstFrame);
  if (!on.drew) return fail("switching on drew nothing");
  const double processMs = std::chrono::duration<double, std::milli>(firstFrame - g_processStart).count();
  const int32_t menu = RemoteKeyCode("MENU");
  const int32_t ok = RemoteKeyCode("OK");
  std::vector<double> menus, logos;

  // A sample counts a key only when its frame flipped: one that drew after
  // the turns waited for would read as quick.
  bool drew = true;
  auto timed = [&](int32_t key) {
    const KeyTime t = KeyToFlip(key);
    drew = drew && t.drew;
    return Ms(t.ns);
  };
  menus.push_back(timed(menu));
  if (!FormListed(WinIDs::WIN_ID_MainMenu)) return fail("MENU did not open the main menu");
  PassTime(400);
  // The Channels topic, its last row (Channel Logo Setting), and its dialog.
  for (const char* key : {"DOWN", "DOWN", "RIGHT", "UP"}) {
    KeyToFlip(RemoteKeyCode(key));
    PassTime(400);
  }
  KeyToFlip(ok);
  PassTime(400);
  if (!FormListed(WinIDs::WIN_ID_ChannelLogoSettingDialog)) return fail("no channel logo setting dialog");
  logos.push_back(timed(ok));
  if (!FormListed(WinIDs::WIN_ID_ChannelLogoPanel)) return fail("OK did not open the logo panel");
  constexpr int kAgain = 15;
  for (int i = 0; i < kAgain; ++i) {
    KeyToFlip(RemoteKeyCode("BACK"));
    PassTime(400);
    if (FormListed(WinIDs::WIN_ID_ChannelLogoPanel)) return fail("BACK did not close the logo panel");
    logos.push_back(timed(ok));
    if (!FormListed(WinIDs::WIN_ID_ChannelLogoPanel)) return fail("OK did not open the logo panel again");
  }
  for (int i = 0; i < kAgain; ++i) {
    KeyToFlip(RemoteKeyCode("CLEAR"));
    PassTime(1000);
    if (FormListed(WinIDs::WIN_ID_MainMenu)) return fail("CLEAR did not close the main menu");
    menus.push_back(timed(menu));
    if (!FormListed(WinIDs::WIN_ID_MainMenu)) return fail("MENU did not open the main menu again");
    PassTime(400);
  }
  if (!drew) return fail("a MENU or OK drew no frame within its turns");
  auto laterMedian = [](std::vector<double> times) {
    std::sort(times.begin() + 1, times.end());
    return times[1 + (times.size() - 1) / 2];
  };
  const std::pair<const char*, double> figures[] = {
      {"start", processMs},
      {"wake", Ms(on.ns)},
      {"loop_start", Ms(g_loopStartNs)},
      {"menu_first", menus[0]},
      {"menu", laterMedian(menus)},
      {"menu_slowest", *std::max_element(menus.begin(), menus.end())},
      {"logo_first", logos[0]},
      {"logo", laterMedian(logos)},
      {"logo_slowest", *std::max_element(logos.begin(), logos.end())},
  };
  std::vector<int64_t> blits;
  {
    BlitYardstick blit;
    TimeBlits(&blit, 16, &blits);
  }
  const double blitMs = Ms(*std::min_element(blits.begin(), blits.end()));
  if (blitMs <= 0) return fail("the yardstick's blit took no time");
  std::string line = "blit_ms=" + std::to_string(blitMs);
  for (const auto& [name, ms] : figures)
    line += " " + std::string(name) + "_ms=" + std::to_string(ms) + " " + name + "_x_blit=" + std::to_string(ms / blitMs);
  std::printf("%s\n", line.c_str());
  return 0;
}

std::string g_self;  // this program, for the samples

void BM_ProductFirstOpen(benchmark::State& state) {
  const char* runs = std::getenv("TVUI_BENCH_FIRST_RUNS");
  const int samples = std::max(1, runs ? std::atoi(runs) : 7);
  std::map<std::string, std::vector<double>> figures;
  for (auto _ : state) {
    for (int i = 0; i < samples; ++i) {
      const std::string command = "'" + g_self + "' --first-open 2>/dev/null";
      FILE* child = popen(command.c_str(), "r");
      std::string line;
      char chunk[512];
      while (child && std::fgets(chunk, sizeof chunk, child)) line += chunk;
      const int status = child ? pclose(child) : -1;
      if (status != 0 || line.find("error=") != std::string::npos || line.empty()) {
        state.SkipWithError(("a first-open sample failed: " + (line.empty() ? std::string("no output") : line)).c_str());
        return;
      }
      std::istringstream pairs(line);
      for (std::string pair; pairs >> pair;) {
        const size_t equals = pair.find('=');
        if (equals != std::string::npos) figures[pair.substr(0, equals)].push_back(std::atof(pair.c_str() + equals + 1));
      }
    }
  }
  // The median of the samples, and the quickest of the firsts and starts.
  for (auto& [name, values] : figures) {
    std::sort(values.begin(), values.end());
    state.counters[name] = values[values.size() / 2];
    if (name.find("first") == std::string::npos && name.find("start") == std::string::npos) continue;
    if (name.ends_with("_ms")) state.counters[name.substr(0, name.size() - 3) + "_min_ms"] = values.front();
    else state.counters[name + "_min"] = values.front();
  }
  state.counters["samples"] = samples;
}
BENCHMARK(BM_ProductFirstOpen)->Iterations(1)->Unit(benchmark::kMillisecond);

// ------------------------------------------------------------ the wizard

int g_wizardStep = 1;  // 1 or 2 while BM_ProductWizardKey steps
bool g_switchedOn = false;

void BM_ProductWizardKey(benchmark::State& state) {
  if (!Boot()) {
    state.SkipWithError("the set did not boot");
    return;
  }
  if (!g_switchedOn) SwitchOn(false);
  g_switchedOn = true;
  int64_t total = 0;
  for (auto _ : state) {
    total += KeyToFlip(RemoteKeyCode(g_wizardStep == 1 ? "OK" : "LAST")).ns;
    g_wizardStep = 3 - g_wizardStep;
  }
  state.counters["key_ms"] = state.iterations() ? Ms(total) / double(state.iterations()) : 0.0;
}
BENCHMARK(BM_ProductWizardKey)->Unit(benchmark::kMillisecond);

// ------------------------------------------------------------ the tour

// A pass over real screens from live television, back to it: key lines (each
// key timed), advance lines (the set's clock moved on) and the screens that
// must be listed (form) or gone (no-form) there, by window id or class name.
// A line after "again:" runs in every pass but the first (a recording
// stopped part way asks how to play it). The main menu opens on the topic
// where the pass began.
constexpr const char* kTour = R"(
key MENU
advance 400
form WIN_ID_MainMenu
key RIGHT
key DOWN
advance 300
key DOWN
advance 300
key DOWN
advance 700
key RIGHT DOWN UP LEFT
key LEFT
advance 300
key DOWN
advance 300
key DOWN
advance 400
key RIGHT
key OK
advance 400
form WIN_ID_ChannelOptionDialog
key DOWN DOWN DOWN UP PAGE_DOWN PAGE_UP
key BACK
advance 400
no-form WIN_ID_ChannelOptionDialog
form WIN_ID_MainMenu
key LEFT
advance 300
key UP
advance 300
key UP
advance 300
key UP
advance 400
key RIGHT
key OK
advance 400
form WIN_ID_FullEPGDialog
key DOWN UP DOWN
key OK
advance 400
form WIN_ID_EPGRecordTimerDialog
key DOWN UP
key BACK
advance 400
no-form WIN_ID_EPGRecordTimerDialog
key EXIT
advance 400
no-form WIN_ID_FullEPGDialog
key GREEN
advance 400
form WIN_ID_ScheduledRecordDialog
key DOWN UP
key EXIT
advance 400
no-form WIN_ID_ScheduledRecordDialog
key MENU
advance 400
key UP
advance 400
key RIGHT
key OK
advance 1000
key OK
advance 400
form 0x1200003B
key OK
again: advance 400
again: form Record::PlayOptionsDialog
again: key DOWN UP
again: key OK
advance 400
form 0x1200003C
key FF
advance 1000
key STOP
advance 400
no-form 0x1200003C
key EXIT
advance 400
key MENU
advance 400
key RIGHT
key DOWN
advance 300
key DOWN
advance 300
key OK
advance 1000
key OK
advance 3100
form WIN_ID_PhotoMultiView
key RIGHT RIGHT DOWN LEFT
key OK
advance 400
form WIN_ID_PhotoSingleView
key BACK
advance 400
key BACK
advance 400
no-form WIN_ID_PhotoMultiView
key BACK
advance 400
no-form WIN_ID_MediaPlayer
key EXIT
advance 400
no-form WIN_ID_MainMenu
key QUICK
advance 400
form WIN_ID_QuickMenu
key DOWN UP DOWN DOWN
key OK
advance 400
form WIN_ID_TimeshiftStatusDialog
key EXIT
advance 400
no-form WIN_ID_TimeshiftStatusDialog
key QUICK
advance 400
form WIN_ID_QuickMenu
key EXIT
advance 400
no-form WIN_ID_QuickMenu
key INPUT
advance 400
form WIN_ID_ExternalInputDialog
key DOWN UP
key EXIT
advance 400
no-form WIN_ID_ExternalInputDialog
key CLEAR
advance 1000
)";

int32_t WindowId(const std::string& text) {
  for (const WinIDs::Named& named : WinIDs::kWindowIds)
    if (named.name == text) return named.value;
  return int32_t(std::strtol(text.c_str(), nullptr, 0));
}

// The times of the keys that drew, from the key to the frame.
struct Drawn {
  std::vector<int64_t> ns;
  void Add(const KeyTime& time) {
    if (time.drew) ns.push_back(time.ns);
  }
};

// One pass of the tour; the keys that drew go into drawn. Empty when every
// screen was where the tour expects it, else what was not.
std::string TourPass(bool first, Drawn* drawn, int* pressed) {
  std::istringstream lines(kTour);
  int number = 0;
  for (std::string line; std::getline(lines, line);) {
    ++number;
    std::istringstream words(line);
    std::string word;
    if (!(words >> word)) continue;
    if (word == "again:") {
      if (first || !(words >> word)) continue;
    }
    if (word == "key") {
      while (words >> word) {
        const KeyTime time = KeyToFlip(RemoteKeyCode(word.c_str()));
        ++*pressed;
        drawn->Add(time);
        if (std::getenv("TVUI_BENCH_TOUR_TRACE"))
          std::fprintf(stderr, "tour %d: key %s: %.3f ms%s\n", number, word.c_str(), Ms(time.ns),
                       time.drew ? "" : " (drew nothing)");
      }
    } else if (word == "advance") {
      uint32_t ms = 0;
      words >> ms;
      PassTime(ms);
    } else if (word == "form" || word == "no-form") {
      if (std::getenv("TVUI_BENCH_TOUR_TRACE"))
        std::fprintf(stderr, "tour %d: %s: %s\n", number, line.c_str(), ListedScreens().c_str());
      std::string id;
      words >> id;
      const bool listed = id.find("::") != std::string::npos
                              ? (", " + ListedScreens() + ",").find(", " + id + ",") != std::string::npos
                              : FormListed(WindowId(id));
      if (listed != (word == "form"))
        return "the tour's line " + std::to_string(number) + ": " + line + " (screens listed: " + ListedScreens() + ")";
    }
  }
  return {};
}

void BM_ProductKeyLatency(benchmark::State& state) {
  if (!Boot()) {
    state.SkipWithError("the set did not boot");
    return;
  }
  if (!g_switchedOn) SwitchOn(false);
  g_switchedOn = true;
  // The media stick goes onto the USB disk beside the recordings.
  std::string error;
  const std::string stick = (ScratchFolder() / "mediastick").string();
  if (!MediaStick::Write(stick, &error) || simtv_media_insert(stick.c_str()) != 0) {
    state.SkipWithError(("the media stick: " + error).c_str());
    return;
  }
  const char* count = std::getenv("TVUI_BENCH_KEYS");
  const size_t keyCount = size_t(std::max(1, count ? std::atoi(count) : 2000));
  Drawn drawn;
  int pressed = 0;
  BlitYardstick blit;
  std::vector<int64_t> blits;
  for (auto _ : state) {
    if (g_wizardStep == 2) KeyToFlip(RemoteKeyCode("LAST"));
    g_wizardStep = 1;
    // The wizard walked to its end, as root_wizard_walk.scn walks it.
    for (const char* key : {"OK", "RIGHT", "DOWN", "OK", "LEFT", "OK", "OK", "DOWN", "OK"}) {
      const KeyTime time = KeyToFlip(RemoteKeyCode(key));
      ++pressed;
      drawn.Add(time);
    }
    PassTime(1000);
    const int32_t topic = Menus()->GetMenuIndex(1);
    for (int pass = 0; drawn.ns.size() < keyCount; ++pass) {
      TimeBlits(&blit, 10, &blits);
      Menus()->SetMenuIndex(1, topic);
      if (std::string lost = TourPass(pass == 0, &drawn, &pressed); !lost.empty()) {
        state.SkipWithError(("the tour lost its way at " + lost).c_str());
        return;
      }
    }
  }
  const GenArtworkStats pictures = GenArtworkGetStats();
  if (blits.empty()) TimeBlits(&blit, 10, &blits);
  for (std::vector<int64_t>* times : {&drawn.ns, &blits}) std::sort(times->begin(), times->end());
  auto at = [](const std::vector<int64_t>& times, double q) { return Ms(times[size_t(q * double(times.size() - 1))]); };
  const double blitMs = Ms(blits.front());
  state.counters["keys"] = double(drawn.ns.size());
  state.counters["pressed"] = double(pressed);
  state.counters["blit_ms"] = blitMs;
  state.counters["blit_p99_x"] = at(blits, 0.99) / blitMs;
  state.counters["blit_max_x"] = Ms(blits.back()) / blitMs;
  for (const auto& [name, q] : {std::pair{"p50", 0.5}, std::pair{"p99", 0.99}, std::pair{"max", 1.0}}) {
    state.counters[std::string(name) + "_ms"] = at(drawn.ns, q);
    state.counters[std::string(name) + "_x_blit"] = at(drawn.ns, q) / blitMs;
  }
  // Pictures made from artwork (the artwork kept aside found none to give back).
  state.counters["picture_loads"] = double(pictures.misses);
}
BENCHMARK(BM_ProductKeyLatency)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  g_processStart = std::chrono::steady_clock::now();
  if (argc == 2 && std::strcmp(argv[1], "--first-open") == 0) {
    const int status = FirstOpenSample();
    std::fflush(stdout);
    std::error_code ignored;
    std::filesystem::remove_all(ScratchFolder(), ignored);
    // The set's threads still run: no exit handlers under them.
    _exit(status);
  }
  char self[4096];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  g_self = length > 0 ? std::string(self, size_t(length)) : std::string(argv[0]);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::fflush(stdout);
  std::error_code ignored;
  std::filesystem::remove_all(ScratchFolder(), ignored);
  _exit(0);
}
