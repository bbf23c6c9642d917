// This program's run path finds a kernel library that lacks its unload entry point.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "AELoader.h"
#include "fake_flash.h"

extern "C" {
FakeFlashJournal fake_flash_journal;
}

namespace {

TEST(AELoaderMissingEntry, LibraryIsClosedAndNothingIsInitialised) {
  fake_flash_journal = FakeFlashJournal{};
  char program[] = "flash";
  char* argv[] = {program};
  EXPECT_EQ(IAEKernel::InitializeAEKernel(1, argv), nullptr);
  EXPECT_EQ(IAEKernel::GetKernel(), nullptr);
  EXPECT_EQ(fake_flash_journal.loads, 0);
  EXPECT_EQ(fake_flash_journal.initializes, 0);
  EXPECT_EQ(fake_flash_journal.libraryUnloads, 1);
  EXPECT_EQ(dlopen("libIAEKernel.so", RTLD_NOW | RTLD_NOLOAD), nullptr);

  EXPECT_EQ(ae::stagecraft::IStagecraft::InitializeStagecraftLibrary(1, argv), nullptr);
  EXPECT_EQ(fake_flash_journal.libraryUnloads, 2);
  IAEKernel::UninitializeAEKernel();
  ae::stagecraft::IStagecraft::UninitializeStagecraftLibrary();
  EXPECT_EQ(fake_flash_journal.loads, 0);
}

}  // namespace
