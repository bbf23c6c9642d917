// Crash handler: on a fatal signal it prints a report (signal, thread, cause,
// registers, a symbolised stack walk), records the crash and resets the host.
#pragma once

#include <signal.h>
#include <sys/types.h>

#include <cstdint>
#include <cstdio>

struct bfd;

// Installs the handler for SIGSEGV, SIGQUIT, SIGABRT, SIGILL and SIGBUS. Each is
// armed once: a second fault of the same signal during the report ends the process.
void qor_zep_arm_backtrace();
// Prints the report, records the crash and resets the host. Does not return.
[[noreturn]] void qor_zep_handle_exception(int signal, siginfo_t* info, void* context);

// Ordering of symbol pointers for qsort: address first, then the most useful name.
int compare_symbols(const void* a, const void* b);
// A newly allocated (malloc) readable name for a symbol: C++ names demangled,
// leading dots and the version suffix kept.
char* demangle(bfd* abfd, const char* name);

// The report lines, each usable alone.

// The text after "Cause: " for a signal and its si_code.
const char* zep_cause_text(int signal, int code);
void zep_print_cause(std::FILE* out, const siginfo_t& info);
// The register dump of the television's processor: registers 0 to 31, low 32 bits each.
void zep_print_mips_registers(std::FILE* out, const unsigned long registers[32]);

// One executable mapping of the process and, once opened, its symbols.
struct ZepRegion {
  unsigned long start = 0;
  unsigned long end = 0;     // Exclusive.
  unsigned long offset = 0;  // File offset mapped at start.
  char* path = nullptr;      // Heap copy of the whole path ("" for anonymous code).
  bool opened = false;
  bfd* abfd = nullptr;
  void** syms = nullptr;  // asymbol**, kept opaque so this header needs no libbfd.
  long symcount = 0;
  void** dynsyms = nullptr;
  long dynsymcount = 0;
  void** sorted = nullptr;
  long sortedcount = 0;
  void* text = nullptr;  // The ".text" section.
};

// Parses one line of a maps file. Returns false when the line is malformed or
// does not describe read-only executable memory.
bool zep_parse_maps_line(const char* line, ZepRegion* region);
// Builds the region table from the maps of the given thread. Returns false after
// printing why when the table could not be built.
bool zep_load_regions(pid_t tid);
bool zep_load_regions_from(const char* mapsPath);
// Closes the libbfd handles and frees the table.
void zep_free_regions();
int zep_region_count();
const ZepRegion* zep_region(int index);

// What a walk learnt about one code address.
struct ZepFrame {
  enum Kind { Symbol, NoSymbol, OutOfBounds } kind = OutOfBounds;
  unsigned long symbolAddress = 0;  // Run-time address of the function found.
};

// The walkers see memory and symbols through this, so the walk of the television's
// processor can run on words given by a test.
class ZepWalkTarget {
 public:
  // Prints the frame line for pc. A return address (the instruction after a call)
  // is looked up one byte back, so a call at the very end of a function is
  // credited to that function.
  virtual ZepFrame DescribeFrame(unsigned long pc, bool returnAddress) = 0;
  // Reads one 32-bit word; false when it cannot be read.
  virtual bool ReadWord(unsigned long address, std::uint32_t* word) = 0;

 protected:
  ~ZepWalkTarget() = default;
};

// The live process: the region table above and the process's own memory.
class ZepProcessTarget final : public ZepWalkTarget {
 public:
  explicit ZepProcessTarget(std::FILE* out) : out_(out) {}
  ZepFrame DescribeFrame(unsigned long pc, bool returnAddress) override;
  bool ReadWord(unsigned long address, std::uint32_t* word) override;

 private:
  std::FILE* out_;
};

// Register state of the television's processor where the walk starts.
struct ZepMipsStart {
  unsigned long pc = 0;
  unsigned long sp = 0;
  unsigned long ra = 0;
};
// Walks a stack of code compiled without frame pointers by reading each function's
// prologue for its frame size and the slot of the saved return address.
void zep_mips_walk(std::FILE* out, const ZepMipsStart& start, ZepWalkTarget& target);

// The walk of the machine we run on follows the unwind tables from the signal
// handler up through the interrupted frame and prints the frames from the
// interrupted pc on. Returns false when that pc was not among the frames; only
// its own line is printed then.
bool zep_host_walk(unsigned long pc, ZepWalkTarget& target);
