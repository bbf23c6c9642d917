// Every test binary: panics throw VgPanicError instead of halting the thread,
// and the set's files live in a folder of this process's own unless the test
// names one, so tests that ctest runs side by side never share a settings
// file, a mount point or a stick.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

#include "vgdebug.h"

namespace {

std::string g_own_root;
pid_t g_owner = 0;

// A forked child that exits (a death test) must not take the folder away
// from the process still testing in it.
void RemoveOwnRoot() {
  std::error_code ignored;
  if (!g_own_root.empty() && getpid() == g_owner) std::filesystem::remove_all(g_own_root, ignored);
}

void UseOwnRoot() {
  const char* given = std::getenv("TVUI_ROOT");
  if (given && *given) return;
  char pattern[] = "/tmp/tvui-test-XXXXXX";
  if (!mkdtemp(pattern)) return;  // the shared default root still works, only not side by side
  g_own_root = pattern;
  g_owner = getpid();
  setenv("TVUI_ROOT", pattern, 1);
  std::atexit(&RemoveOwnRoot);
}

}  // namespace

int main(int argc, char** argv) {
  VgSetPanicHandler(&VgThrowOnPanic);
  UseOwnRoot();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
