#include "launch.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <chrono>
#include <thread>
#include <vector>

#include "bcm.h"
#include "gcm.h"
#include "gui_loop.h"
#include "host_time.h"
#include "nonmenu_root.h"
#include "output_tee.h"
#include "probe_root.h"
#include "product_lines.h"
#include "remote_keys.h"
#include "scenario.h"
#include "simtv.h"
#include "xpm_events.h"
#include "vgdebug.h"
#include "window.h"

// Present in a build with a sanitizer only.
extern "C" void __sanitizer_set_death_callback(void (*callback)(void)) __attribute__((weak));

namespace {

struct Options {
  bool window = false;
  std::string scenario;
  std::string out = "out";
  std::string root;
};

void Usage() {
  std::printf(
      "usage: tvui [--window] [--scenario FILE] [--out DIR] [--root product|probe]\n"
      "\n"
      "Runs the television's user interface on a simulated set.\n"
      "  (default)        headless on DirectFB's in-memory system and the set's virtual clock:\n"
      "                   runs the scenario (the demonstration when none is named), writes its\n"
      "                   screenshots to DIR and exits 0 when every line passed, 1 otherwise\n"
      "  --window         a desktop window on the real clock; the keyboard is the remote control\n"
      "  --scenario FILE  the scenario to run (see its language below)\n"
      "  --out DIR        where screenshots go (default: out)\n"
      "  --root probe     boot with a root that shows every key and event it receives as text\n"
      "  --root nonmenu   boot with the non-menu screens and the lines of APPS/tools/tvui/nonmenu_root.h\n"
      "\n"
      "Keys (scenario name, window key, meaning):\n");
  for (const RemoteKey& key : RemoteKeys())
    std::printf("  %-9s %-9s %s (key code %d)\n", key.name, key.pcKey ? key.pcKey : "", key.meaning, key.keyCode);
  std::printf(
      "  any number is taken as a DirectFB hardware key code (0 to 277)\n"
      "\n"
      "Scenario lines:\n"
      "  root probe|product, key NAME|CODE [hold MS], advance MS, event NUMBER [PAYLOAD],\n"
      "  command NUMBER [PAYLOAD], osd STATE, standby, wake, set NAME VALUE,\n"
      "  fail CALL CODE [COUNT], panic, screenshot FILE.png, expect text \"...\", expect no-text \"...\",\n"
      "  expect call NAME [ARGS], expect no-call NAME [ARGS], expect setting KEY VALUE,\n"
      "  expect output \"...\", expect no-output \"...\", expect panic [\"...\"], expect threads N|steady.\n"
      "  repeat N ... end repeats the lines between. A panic, a sanitizer report or a reset\n"
      "  of the set fails the line that was running.\n"
      "  PAYLOAD: 32-bit words, \"texts\", byte=N, u16=N, zeros=N, cookie=N.\n"
      "  event NAME [FIELD=VALUE...]: a middleware event by name (or number) with the named fields\n"
      "  of its object, the rest 0, e.g. event XPM_EVENT_CHANNEL_ACQUIRED Window=0 Major=7 Minor=1;\n"
      "  a text field takes Name=Text or Name= \"Some text\" (units/Events/XpmPayloadLayout.cpp).\n"
      "  Calls and output count from the end of the previous block of expect lines.\n");
}

[[noreturn]] void End(int status) {
  OutputTee::Stop();
  std::fflush(nullptr);
  // The set's threads are still running: end without exit handlers.
  _exit(status);
}

bool ParseOptions(int argc, char** argv, Options* options) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&](std::string* out) {
      if (i + 1 >= argc) return false;
      *out = argv[++i];
      return true;
    };
    if (arg == "--help" || arg == "-h") {
      Usage();
      std::exit(0);
    } else if (arg == "--window") {
      options->window = true;
    } else if (arg == "--scenario") {
      if (!value(&options->scenario)) return false;
    } else if (arg == "--out") {
      if (!value(&options->out)) return false;
    } else if (arg == "--root") {
      if (!value(&options->root)) return false;
    } else {
      std::printf("tvui: unknown option %s (see --help)\n", arg.c_str());
      return false;
    }
  }
  return true;
}

void SimTimeOfDay(timeval* now) { simtv_gettimeofday(now); }

constexpr HostTime kSimTime{&SimTimeOfDay, &simtv_wait_event_buffer};

// A panicked GUI thread halts for good, holding what it holds, and the set
// sees it blocked, as the watchdog does on the set. The scenario fails unless
// it meant to cause the panic.
void HaltOnPanic(const std::string& message) {
  ScenarioNotePanic(message);
  simtv_halt_thread();
  for (;;) pause();
}

IDirectFBEventBuffer* KeyTarget() { return buffer.load(); }

// A sanitizer's report ends the process; the line that was running goes
// after the report.
void OnSanitizerDeath() {
  OutputTee::Stop();
  ScenarioReportFatal("a sanitizer reported an error (above)");
}

void OnReset() {
  ScenarioReportFatal("the set was reset (by its watchdog or the crash handler, above)");
  OutputTee::Stop();
}

}  // namespace

// A set switched on at the wall: once the interface listens, the middleware
// reports the wake-up by the power key, as it does on the set.
void SwitchOn() {
  for (int tries = 0; tries < 200 && simtv_event_clients() == 0; ++tries)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const int32_t reasonPower = 1;
  simtv_inject_event(0, XpmEvent::Wakeup, &reasonPower, sizeof reasonPower);
}

void TvuiLaunch(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, &options)) std::exit(2);

  std::vector<ScenarioLine> lines;
  std::string scenarioName;
  if (!options.window || !options.scenario.empty()) {
    scenarioName = options.scenario.empty() ? std::string(TVUI_DEMO_SCENARIO) : options.scenario;
    std::string error;
    if (!LoadScenario(scenarioName, &lines, &error)) {
      std::printf("tvui: %s\n", error.c_str());
      std::exit(2);
    }
  }
  std::string root = options.root.empty() ? ScenarioRoot(lines) : options.root;
  if (root == "probe") {
    GuiUseRootOps(&TvuiProbe::Ops());
  } else if (root == "nonmenu") {
    GuiUseRootOps(&TvuiNonMenu::Ops());
    SetScenarioRootLines(&TvuiNonMenu::RunLine);
  } else if (root == "product") {
    SetScenarioRootLines(&TvuiProduct::RunLine);
  } else {
    std::printf("tvui: unknown root %s (product, probe or nonmenu)\n", root.c_str());
    std::exit(2);
  }
  if (!options.out.empty()) {
    std::error_code error;
    std::filesystem::create_directories(options.out, error);
  }

  const bool headless = !options.window;
  if (headless) {
    OutputTee::Start();
    // Line by line, so that the copy keeps the order of the two streams.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
  }
  simtv_bcm_on_reset(&OnReset);
  if (__sanitizer_set_death_callback) __sanitizer_set_death_callback(&OnSanitizerDeath);
  VgSetPanicHandler(&HaltOnPanic);
  simtv_boot(headless ? 1 : 0, 1);
  if (GCM_Start(1) != 0) {
    std::printf("tvui: DirectFB did not start\n");
    End(1);
  }
  if (headless) HostUseTime(&kSimTime);
  simtv_set_key_target(&KeyTarget);

  std::thread([options, lines = std::move(lines), scenarioName] {
    if (options.window) End(RunWindow(&SwitchOn));
    simtv_settle();
    int status = RunScenario(scenarioName, lines, options.out);
    // A clean end: the stop command, the end of the loop and of the period.
    simtv_shutdown();
    simtv_settle();
    simtv_advance(2000);
    End(status);
  }).detach();
}
