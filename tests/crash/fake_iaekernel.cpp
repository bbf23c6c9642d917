// A stand-in Flash kernel library with the interface the loader expects: its entry
// points by name, a kernel object with the loader's operations in their slots, and
// one module, "IStagecraft". Built once complete and once without its unload entry.
#include <dlfcn.h>

#include <cstdlib>
#include <cstring>

#include "AELoader.h"
#include "fake_flash.h"

namespace {

FakeFlashJournal* Journal() {
  // Programs that keep no journal (or load the library for other reasons) get a spare.
  static FakeFlashJournal spare{};
  auto* journal = static_cast<FakeFlashJournal*>(dlsym(RTLD_DEFAULT, "fake_flash_journal"));
  return journal ? journal : &spare;
}

struct StagecraftModule {
  int unused;
} g_stagecraft;

class Kernel final : public IAEKernel {
 public:
  void Reserved0() override {}
  void Reserved1() override {}
  void* GetModule(const char* name) override {
    if (Journal()->refuseModules || std::strcmp(name, "IStagecraft") != 0) return nullptr;
    ++Journal()->modulesGiven;
    return &g_stagecraft;
  }
  void ReleaseModule(void* module) override {
    ++Journal()->modulesReleased;
    Journal()->lastReleased = module;
  }
  void Reserved4() override {}
  void Reserved5() override {}
  void Reserved6() override {}
  void Reserved7() override {}
  void Reserved8() override {}
  void Reserved9() override {}
  void Reserved10() override {}
  void Reserved11() override {}
  void Reserved12() override {}
  void Reserved13() override {}
  void Reserved14() override {}
  void Reserved15() override {}
  void* Allocate(std::size_t size, const char* file, int line) override {
    FakeFlashJournal* journal = Journal();
    ++journal->allocations;
    journal->lastSize = size;
    journal->lastFile = file;
    journal->lastLine = line;
    return std::calloc(1, size);
  }
  void Reserved17() override {}
  void Free(void* block, const char*, int) override {
    ++Journal()->frees;
    Journal()->lastFreed = block;
    std::free(block);
  }
};

Kernel g_kernel;

__attribute__((destructor)) void LibraryUnloaded() { ++Journal()->libraryUnloads; }

}  // namespace

extern "C" {

IAEKernel* IAEModule_IAEKernel_LoadModule() {
  ++Journal()->loads;
  return &g_kernel;
}

void IAEModule_IAEKernel_InitializeKernel(int argc, char** argv) {
  FakeFlashJournal* journal = Journal();
  ++journal->initializes;
  journal->lastArgc = argc;
  if (argc > 0 && argv != nullptr && argv[0] != nullptr) {
    std::strncpy(journal->firstArg, argv[0], sizeof journal->firstArg - 1);
  }
}

#ifndef FAKE_IAEKERNEL_WITHOUT_UNLOAD
void IAEModule_IAEKernel_UnloadModule(IAEKernel*) { ++Journal()->unloads; }
#endif
}
