#include "sigstack.h"

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>

namespace {

// The crash report prints, reads the program's symbols and line tables and
// walks the stack, all on this stack: under the address sanitizer, whose
// frames are larger, it took under 20 KB, and a larger program's tables may
// take more. Pages never touched cost nothing.
constexpr size_t kStackBytes = 256 * 1024;

class ThreadSignalStack {
 public:
  ThreadSignalStack() {
    const size_t page = size_t(sysconf(_SC_PAGESIZE));
    void* memory = mmap(nullptr, kStackBytes + page, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS | MAP_STACK | MAP_NORESERVE, -1, 0);
    if (memory == MAP_FAILED) return;
    // A page below it that faults: a report that outgrows the stack ends
    // the process rather than writing over what lies beneath.
    mprotect(memory, page, PROT_NONE);
    stack_t stack{};
    stack.ss_sp = static_cast<char*>(memory) + page;
    stack.ss_size = kStackBytes;
    if (sigaltstack(&stack, &before_) != 0) {
      munmap(memory, kStackBytes + page);
      return;
    }
    memory_ = memory;
    bytes_ = kStackBytes + page;
  }
  ~ThreadSignalStack() {
    if (!memory_) return;
    // The stack that was there before goes back, for whoever made it (a
    // sanitizer's runtime) to free it as the thread ends.
    stack_t back = before_;
    // Only SS_DISABLE is the caller's to give; SS_ONSTACK is the kernel's to tell.
    back.ss_flags = before_.ss_flags & SS_DISABLE;
    sigaltstack(&back, nullptr);
    munmap(memory_, bytes_);
  }
  ThreadSignalStack(const ThreadSignalStack&) = delete;
  ThreadSignalStack& operator=(const ThreadSignalStack&) = delete;

  bool Given() const { return memory_ != nullptr; }

 private:
  void* memory_ = nullptr;
  size_t bytes_ = 0;
  stack_t before_{};
};

}  // namespace

int SigStackForThread(void) {
  thread_local ThreadSignalStack stack;
  return stack.Given() ? 0 : -1;
}
