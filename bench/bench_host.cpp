// From a key in the GUI's event buffer to the frame flipped on the screen: one
// turn of the GUI loop that takes the key, dispatches it to a root whose texts
// change with every key, redraws what changed and flips it.
#include <benchmark/benchmark.h>

#include "GenFont.h"
#include "bench_keys.h"
#include "gcm.h"
#include "gui_loop.h"
#include "probe_root.h"
#include "process.h"
#include "simtv.h"

namespace {

void PostKey(int32_t keyCode) { PostKeyEvent(keyCode, DWET_KEYDOWN); }

void BM_KeyToFlip(benchmark::State& state) {
  simtv_boot(0, 0);
  if (GCM_Start(1) != 0) {
    state.SkipWithError("DirectFB did not start");
    return;
  }
  GuiUseRootOps(&TvuiProbe::Ops());
  AppPeriod period;
  GuiLoopStart(&period);
  // Where the program's font is not installed below the working directory.
  GenRegisterFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
  GuiLoopTurn();
  int32_t digit = 0;
  for (auto _ : state) {
    PostKey(9 + digit);
    digit = (digit + 1) % 10;
    GuiLoopTurn();
  }
  period.vgRunning = 0;
  GuiLoopEnd();
}
BENCHMARK(BM_KeyToFlip)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
