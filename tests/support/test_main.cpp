// Every test binary: panics throw VgPanicError instead of halting the thread.
#include <gtest/gtest.h>

#include "vgdebug.h"

int main(int argc, char** argv) {
  VgSetPanicHandler(&VgThrowOnPanic);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
