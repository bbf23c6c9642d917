// Loader of the Flash runtime (libIAEKernel.so) and the entry points the runtime
// calls back into: loading and unloading its kernel and Stagecraft modules with
// reference counts, and memory routed to the kernel's allocator.
#pragma once

#include <cstddef>
#include <cstdint>

// The runtime's kernel module. Only the operations the loader calls are named; the
// others hold their places in the table of virtual operations, which the runtime
// defines. Nobody deletes a kernel here: the runtime's unload function does.
class IAEKernel {
 public:
  static IAEKernel* InitializeAEKernel(int argc, char** argv);
  static void UninitializeAEKernel();
  static IAEKernel* GetKernel();

  virtual void Reserved0() = 0;
  virtual void Reserved1() = 0;
  virtual void* GetModule(const char* name) = 0;
  virtual void ReleaseModule(void* module) = 0;
  virtual void Reserved4() = 0;
  virtual void Reserved5() = 0;
  virtual void Reserved6() = 0;
  virtual void Reserved7() = 0;
  virtual void Reserved8() = 0;
  virtual void Reserved9() = 0;
  virtual void Reserved10() = 0;
  virtual void Reserved11() = 0;
  virtual void Reserved12() = 0;
  virtual void Reserved13() = 0;
  virtual void Reserved14() = 0;
  virtual void Reserved15() = 0;
  virtual void* Allocate(std::size_t size, const char* file, int line) = 0;
  virtual void Reserved17() = 0;
  virtual void Free(void* block, const char* file, int line) = 0;

 protected:
  ~IAEKernel() = default;
};

// The library's entry points, looked up by these names.
extern "C" {
using IAEKernelLoadModuleProc = IAEKernel* (*)();
using IAEKernelInitializeKernelProc = void (*)(int argc, char** argv);
using IAEKernelUnloadModuleProc = void (*)(IAEKernel* kernel);
}

namespace ae::stagecraft {

// The Stagecraft module is an object of the runtime, handed out by its kernel.
class IStagecraft {
 public:
  static IStagecraft* InitializeStagecraftLibrary(int argc, char** argv);
  static void UninitializeStagecraftLibrary();

 protected:
  ~IStagecraft() = default;
};

}  // namespace ae::stagecraft

// Tags that select the runtime's allocation operators.
struct AEMem_Selector_AE_NEW_DELETE {};
struct AEMem_Selector_AE_VECTOR_NEW_DELETE {};
struct AEMem_Selector_AE_MALLOC_FREE {};

// Blocks come from the kernel with an 8-byte header whose second 32-bit word holds
// the element count; callers get the address after it. A zero or overflowing size,
// or no kernel, gives null.
void* operator new(std::size_t size, AEMem_Selector_AE_NEW_DELETE, const char* file, int line) noexcept;
void operator delete(void* pointer, AEMem_Selector_AE_NEW_DELETE, const char* file, int line) noexcept;
void* operator new(std::size_t size, AEMem_Selector_AE_VECTOR_NEW_DELETE, std::size_t count, std::size_t elementSize,
                   const char* file, int line) noexcept;
void operator delete(void* pointer, AEMem_Selector_AE_VECTOR_NEW_DELETE, std::size_t count, std::size_t elementSize,
                     const char* file, int line) noexcept;
void* operator new(std::size_t size, AEMem_Selector_AE_MALLOC_FREE, std::size_t bytes, const char* file,
                   int line) noexcept;
void operator delete(void* pointer, AEMem_Selector_AE_MALLOC_FREE, std::size_t bytes, const char* file,
                     int line) noexcept;

// The array forms are not used by the runtime: they give null and free nothing.
void* operator new[](std::size_t size, AEMem_Selector_AE_NEW_DELETE, const char* file, int line) noexcept;
void operator delete[](void* pointer, AEMem_Selector_AE_NEW_DELETE, const char* file, int line) noexcept;
void* operator new[](std::size_t size, AEMem_Selector_AE_VECTOR_NEW_DELETE, std::size_t count, std::size_t elementSize,
                     const char* file, int line) noexcept;
void operator delete[](void* pointer, AEMem_Selector_AE_VECTOR_NEW_DELETE, std::size_t count, std::size_t elementSize,
                       const char* file, int line) noexcept;
void* operator new[](std::size_t size, AEMem_Selector_AE_MALLOC_FREE, std::size_t bytes, const char* file,
                     int line) noexcept;
void operator delete[](void* pointer, AEMem_Selector_AE_MALLOC_FREE, std::size_t bytes, const char* file,
                       int line) noexcept;

// An error value of the runtime: a name (at most 31 characters kept) and a code.
class AEError {
 public:
  constexpr AEError(const char* name, std::int32_t code) : name_{}, code_(code) {
    for (std::size_t i = 0; name != nullptr && name[i] != '\0' && i < kMaxNameLength; ++i) name_[i] = name[i];
  }
  constexpr virtual ~AEError() {}

  const char* Name() const { return name_; }
  std::int32_t Code() const { return code_; }

  static constexpr std::size_t kMaxNameLength = 31;

 private:
  char name_[kMaxNameLength + 1];
  std::int32_t code_;
};

extern const AEError AEError_OK;
extern const AEError AEError_NoMemory;
extern const AEError AEError_Timeout;
extern const AEError AEError_Generic;
extern const AEError AEError_NotFound;
extern const AEError AEError_Usage;
extern const AEError AEError_InvalidParameters;
