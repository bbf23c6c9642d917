// What the stand-in Flash kernel library saw, kept by the test program. The library
// finds it by name in the program's exported symbols, so it survives the library
// being unloaded.
#pragma once

#include <cstddef>

struct FakeFlashJournal {
  int loads;
  int initializes;
  int lastArgc;
  char firstArg[32];
  int unloads;
  int libraryUnloads;
  int modulesGiven;
  int modulesReleased;
  void* lastReleased;
  int allocations;
  std::size_t lastSize;
  const char* lastFile;
  int lastLine;
  int frees;
  void* lastFreed;
  bool refuseModules;  // Set by a test: the kernel then has no module to give.
};

extern "C" FakeFlashJournal fake_flash_journal;
