// No locks here: the Flash runtime calls these from its own start-up and shut-down,
// one at a time.
#include "AELoader.h"

#include <dlfcn.h>

#include <cstdio>
#include <limits>

namespace {

constexpr const char* kKernelLibrary = "libIAEKernel.so";
constexpr const char* kStagecraftModuleName = "IStagecraft";
constexpr std::size_t kHeaderSize = 8;

void* s_pKernelLibary = nullptr;
IAEKernel* s_pKernelModule = nullptr;
IAEKernelUnloadModuleProc s_pUnloadProc = nullptr;
int s_nKernelInitializeRefCount = 0;
ae::stagecraft::IStagecraft* s_pStagecraftModule = nullptr;
int s_nStagecraftInitializeRefCount = 0;

void* LookUp(void* library, const char* name) {
  void* entry = dlsym(library, name);
  if (entry == nullptr) std::fprintf(stderr, "Failed to find %s in %s\n", name, kKernelLibrary);
  return entry;
}

void CloseKernelLibrary() {
  if (s_pKernelLibary != nullptr) dlclose(s_pKernelLibary);
  s_pKernelLibary = nullptr;
  s_pUnloadProc = nullptr;
}

// Takes size plus the header from the kernel and writes the element count.
void* AllocateBlock(std::size_t size, std::size_t count, const char* file, int line) {
  if (size == 0 || size > std::numeric_limits<std::size_t>::max() - kHeaderSize ||
      count > std::numeric_limits<std::uint32_t>::max()) {
    return nullptr;
  }
  IAEKernel* kernel = s_pKernelModule;
  if (kernel == nullptr) {
    std::fprintf(stderr, "AE memory: no kernel loaded for %zu bytes from %s:%d\n", size, file ? file : "?", line);
    return nullptr;
  }
  auto* block = static_cast<unsigned char*>(kernel->Allocate(size + kHeaderSize, file, line));
  if (block == nullptr) return nullptr;
  reinterpret_cast<std::uint32_t*>(block)[1] = static_cast<std::uint32_t>(count);
  return block + kHeaderSize;
}

void FreeBlock(void* pointer, const char* file, int line) {
  if (pointer == nullptr) return;
  IAEKernel* kernel = s_pKernelModule;
  if (kernel == nullptr) {
    std::fprintf(stderr, "AE memory: no kernel loaded to free %p from %s:%d\n", pointer, file ? file : "?", line);
    return;
  }
  kernel->Free(static_cast<unsigned char*>(pointer) - kHeaderSize, file, line);
}

}  // namespace

IAEKernel* IAEKernel::InitializeAEKernel(int argc, char** argv) {
  if (s_pKernelModule != nullptr) {
    ++s_nKernelInitializeRefCount;
    return s_pKernelModule;
  }
  s_pKernelLibary = dlopen(kKernelLibrary, RTLD_NOW | RTLD_GLOBAL);
  if (s_pKernelLibary == nullptr) {
    std::fprintf(stderr, "Failed to load %s: %s\n", kKernelLibrary, dlerror());
    return nullptr;
  }
  auto load = reinterpret_cast<IAEKernelLoadModuleProc>(LookUp(s_pKernelLibary, "IAEModule_IAEKernel_LoadModule"));
  auto initialize =
      reinterpret_cast<IAEKernelInitializeKernelProc>(LookUp(s_pKernelLibary, "IAEModule_IAEKernel_InitializeKernel"));
  s_pUnloadProc =
      reinterpret_cast<IAEKernelUnloadModuleProc>(LookUp(s_pKernelLibary, "IAEModule_IAEKernel_UnloadModule"));
  IAEKernel* module = (load && initialize && s_pUnloadProc) ? load() : nullptr;
  if (module == nullptr) {
    CloseKernelLibrary();
    return nullptr;
  }
  initialize(argc, argv);
  s_pKernelModule = module;
  ++s_nKernelInitializeRefCount;
  return module;
}

void IAEKernel::UninitializeAEKernel() {
  if (s_pKernelModule == nullptr) return;
  if (--s_nKernelInitializeRefCount > 0) return;
  s_nKernelInitializeRefCount = 0;
  s_pUnloadProc(s_pKernelModule);
  s_pKernelModule = nullptr;
  CloseKernelLibrary();
}

IAEKernel* IAEKernel::GetKernel() { return s_pKernelModule; }

namespace ae::stagecraft {

IStagecraft* IStagecraft::InitializeStagecraftLibrary(int argc, char** argv) {
  if (s_pStagecraftModule != nullptr) {
    ++s_nStagecraftInitializeRefCount;
    return s_pStagecraftModule;
  }
  IAEKernel* kernel = IAEKernel::InitializeAEKernel(argc, argv);
  void* module = kernel ? kernel->GetModule(kStagecraftModuleName) : nullptr;
  if (module == nullptr) {
    if (kernel != nullptr) IAEKernel::UninitializeAEKernel();
    return nullptr;
  }
  s_pStagecraftModule = static_cast<IStagecraft*>(module);
  ++s_nStagecraftInitializeRefCount;
  return s_pStagecraftModule;
}

void IStagecraft::UninitializeStagecraftLibrary() {
  if (s_pStagecraftModule == nullptr) return;
  if (--s_nStagecraftInitializeRefCount > 0) return;
  s_nStagecraftInitializeRefCount = 0;
  if (s_pKernelModule != nullptr) s_pKernelModule->ReleaseModule(s_pStagecraftModule);
  s_pStagecraftModule = nullptr;
  IAEKernel::UninitializeAEKernel();
}

}  // namespace ae::stagecraft

void* operator new(std::size_t size, AEMem_Selector_AE_NEW_DELETE, const char* file, int line) noexcept {
  return AllocateBlock(size, 1, file, line);
}

void operator delete(void* pointer, AEMem_Selector_AE_NEW_DELETE, const char* file, int line) noexcept {
  FreeBlock(pointer, file, line);
}

void* operator new(std::size_t, AEMem_Selector_AE_VECTOR_NEW_DELETE, std::size_t count, std::size_t elementSize,
                   const char* file, int line) noexcept {
  if (elementSize != 0 && count > std::numeric_limits<std::size_t>::max() / elementSize) return nullptr;
  return AllocateBlock(count * elementSize, count, file, line);
}

void operator delete(void* pointer, AEMem_Selector_AE_VECTOR_NEW_DELETE, std::size_t, std::size_t, const char* file,
                     int line) noexcept {
  FreeBlock(pointer, file, line);
}

void* operator new(std::size_t, AEMem_Selector_AE_MALLOC_FREE, std::size_t bytes, const char* file, int line) noexcept {
  return AllocateBlock(bytes, 0, file, line);
}

void operator delete(void* pointer, AEMem_Selector_AE_MALLOC_FREE, std::size_t, const char* file, int line) noexcept {
  FreeBlock(pointer, file, line);
}

void* operator new[](std::size_t, AEMem_Selector_AE_NEW_DELETE, const char*, int) noexcept { return nullptr; }

void operator delete[](void*, AEMem_Selector_AE_NEW_DELETE, const char*, int) noexcept {}

void* operator new[](std::size_t, AEMem_Selector_AE_VECTOR_NEW_DELETE, std::size_t, std::size_t, const char*,
                     int) noexcept {
  return nullptr;
}

void operator delete[](void*, AEMem_Selector_AE_VECTOR_NEW_DELETE, std::size_t, std::size_t, const char*,
                       int) noexcept {}

void* operator new[](std::size_t, AEMem_Selector_AE_MALLOC_FREE, std::size_t, const char*, int) noexcept {
  return nullptr;
}

void operator delete[](void*, AEMem_Selector_AE_MALLOC_FREE, std::size_t, const char*, int) noexcept {}

const AEError AEError_OK{"AEError_OK", 0};
const AEError AEError_NoMemory{"AEError_NoMemory", 1};
const AEError AEError_Timeout{"AEError_Timeout", 2};
const AEError AEError_Generic{"AEError_Generic", 3};
const AEError AEError_NotFound{"AEError_NotFound", 4};
const AEError AEError_Usage{"AEError_Usage", 5};
const AEError AEError_InvalidParameters{"AEError_InvalidParameters", 6};
