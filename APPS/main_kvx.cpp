// The process entry: arms the crash handler and runs the periods of normal
// operation; the process never ends by itself.
#include <malloc.h>

#include <cstdio>
#include <string>

#include "bkni.h"
#include "launch.h"
#include "process.h"
#include "zep_backtrace.h"

int main(int argc, char** argv) {
  // One heap for every thread: the GUI thread makes nearly every allocation,
  // and an arena per middleware thread would hold memory that the GUI's
  // frees can never reuse.
  mallopt(M_ARENA_MAX, 1);
  // Blocks of 128 KB and more (the screen's surface, a photo, the rows of a
  // screenshot) are mapped for themselves and given back whole when freed.
  // Left to itself the allocator raises this limit to the largest block
  // freed, so that after the first standby the next period's screen surface
  // comes from the heap, which stays two megabytes larger for good.
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
  TvuiLaunch(argc, argv);
  std::printf("%s\n", std::string(83, '*').c_str());
  std::printf("Signal back trace was armed with the define: SIGBACKTRACE\n");
  qor_zep_arm_backtrace();
  std::printf("%s\n", std::string(84, '*').c_str());
  app_main();
  // On the set's clock, so that a simulated set sees this thread asleep.
  for (;;) BKNI_Sleep(10000);
}
