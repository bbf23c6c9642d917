#include "product_fuzz.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "Events/XpmEventMap.h"
#include "GenFont.h"
#include "event_bridge.h"
#include "gcm.h"
#include "gui_loop.h"
#include "host_time.h"
#include "process.h"
#include "simtv.h"
#include "vgdebug.h"
#include "vgobject.h"

namespace {

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz property broken: %s\n", what);
  std::abort();
}

[[noreturn]] void AbortOnPanic(const std::string& message) {
  std::fprintf(stderr, "fuzz: the product panicked: %s\n", message.c_str());
  std::abort();
}

void SimTimeOfDay(timeval* now) { simtv_gettimeofday(now); }
constexpr HostTime kSimTime{&SimTimeOfDay, &simtv_wait_event_buffer};

std::string FontPath() {
  if (const char* root = std::getenv("TVUI_SOURCE_DIR")) {
    const std::string installed = std::string(root) + "/fonts/tt7268m_803.ttf";
    if (std::filesystem::exists(installed)) return installed;
  }
  return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
}

// The set, booted once per process: the virtual clock driven by this thread,
// DirectFB in memory, a set in everyday use, its files in a scratch folder.
void BootOnce() {
  static bool booted = false;
  if (booted) return;
  booted = true;
  const char* tmp = std::getenv("TMPDIR");
  std::string folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/tvui-product-fuzz-XXXXXX";
  Require(mkdtemp(folder.data()) != nullptr, "scratch folder");
  setenv("TVUI_ROOT", folder.c_str(), 1);
  VgSetPanicHandler(&AbortOnPanic);
  simtv_boot(1, 0);
  Require(GCM_Start(1) == 0, "DirectFB");
  HostUseTime(&kSimTime);
  simtv_set_key_target([] { return buffer.load(); });
  GuiUseRootOps(nullptr);
  simtv_tv_load_demo();
}

constexpr size_t kMaxInput = 512;

// Steps take their bytes from the input; past its end they read 0.
struct Reader {
  const uint8_t* data;
  size_t size;
  size_t at = 0;
  bool More() const { return at < size; }
  uint8_t Byte() { return at < size ? data[at++] : 0; }
};

// Turns of the loop until the buffer holds nothing more, within a bound: an
// animation keeps the loop busy without ever emptying it.
void Settle() {
  IDirectFBEventBuffer* events = buffer.load();
  for (int turn = 0; turn < 64; ++turn) {
    Require(GuiLoopTurn(), "the loop ended by itself");
    if (!events || events->HasEvent(events) != DFB_OK) break;
  }
}

// Down and up, as the set's input driver delivers them.
void PostKey(uint32_t keyCode) {
  Require(simtv_inject_key(keyCode, 1, 0) == 0, "event buffer");
  simtv_inject_key(keyCode, 0, 0);
}

void PostMiddlewareEvent(Reader& in) {
  const uint8_t pick = in.Byte();
  const uint32_t number = pick < 200 ? XpmEventRowAt(pick % XpmEventRowCount()).event : pick;
  std::vector<uint8_t> payload(size_t(in.Byte()) * 4);
  for (uint8_t& byte : payload) byte = in.Byte();
  xpmEventCallback(0, number, payload.empty() ? nullptr : payload.data(), uint32_t(payload.size()));
}

void PassTime(uint32_t ms) {
  const uint64_t until = simtv_now_ms() + ms;
  for (int turn = 0; turn < 1000 && simtv_now_ms() < until; ++turn) Require(GuiLoopTurn(), "the loop ended by itself");
}

}  // namespace

int FuzzProductRoot(const uint8_t* data, size_t size) {
  BootOnce();
  // Each input is a period of operation of a set that slept and woke: the
  // process's state carries over, as it does on the set.
  g_IsPowerOn = 1;
  gKeyEventFlushMarkerFound = 1;
  AppPeriod period;
  GuiLoopStart(&period);
  Require(rootObject.load() != nullptr, "the root");
  GenRegisterFont(FontPath().c_str());
  Settle();
  VgReclaimMemory();

  // A longer input adds steps, not kinds of them; the bound keeps a run quick.
  Reader in{data, size < kMaxInput ? size : kMaxInput};
  while (in.More()) {
    const uint8_t op = in.Byte() % 8;
    if (op <= 2) {
      PostKey(in.Byte());
    } else if (op == 3) {
      PostKey(256 + in.Byte() % 22);
    } else if (op <= 5) {
      PostMiddlewareEvent(in);
    } else {
      PassTime(uint32_t(in.Byte()) * 50);
    }
    Settle();
    VgReclaimMemory();
    Require(rootObject.load() != nullptr, "the root");
  }

  StopPeriod(&period);
  while (GuiLoopTurn()) {
  }
  GuiLoopEnd();
  // Whatever the period left in the buffer would reach the next input's loop.
  while (IDirectFBEventBuffer* events = buffer.load()) {
    if (events->HasEvent(events) != DFB_OK) break;
    handleEvent(0);
  }
  VgReclaimMemory();
  return 0;
}
