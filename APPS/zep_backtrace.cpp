// The crash report. It runs inside a signal handler and still uses stdio, malloc
// and libbfd, which are not async-signal-safe: a crash inside those while they hold
// their locks can stop the report, and the hardware watchdog then resets the board.
#include "zep_backtrace.h"

#include <sys/prctl.h>
#include <sys/syscall.h>
#include <ucontext.h>
#include <unistd.h>
#include <unwind.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

// libbfd refuses to be included without the configuration of the program using it.
#define PACKAGE "tvui"
#define PACKAGE_VERSION "1"
#include <bfd.h>
// glibc already declares basename; libiberty must not declare it again.
#define HAVE_DECL_BASENAME 1
#include <libiberty/demangle.h>

#include <dlfcn.h>

// libbfd is loaded by the first report, not at start: mapped from the start,
// it and what it needs would cost every run half a megabyte for a report that
// most runs never make. The report calls it by its usual names.
namespace {
decltype(&::bfd_init) zep_bfd_init = nullptr;
decltype(&::bfd_openr) zep_bfd_openr = nullptr;
decltype(&::bfd_check_format_matches) zep_bfd_check_format_matches = nullptr;
decltype(&::bfd_close) zep_bfd_close = nullptr;
decltype(&::bfd_get_section_by_name) zep_bfd_get_section_by_name = nullptr;
asection* zep_bfd_std_section = nullptr;

bool LoadBfd() {
  static bool loaded = false;
  if (loaded) return true;
  void* library = dlopen(ZEP_BFD_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    std::printf("Error, libbfd cannot be loaded: %s\n", dlerror());
    return false;
  }
  auto find = [library](auto& pointer, const char* name) {
    pointer = reinterpret_cast<std::remove_reference_t<decltype(pointer)>>(dlsym(library, name));
    return pointer != nullptr;
  };
  if (!find(zep_bfd_init, "bfd_init") || !find(zep_bfd_openr, "bfd_openr") ||
      !find(zep_bfd_check_format_matches, "bfd_check_format_matches") || !find(zep_bfd_close, "bfd_close") ||
      !find(zep_bfd_get_section_by_name, "bfd_get_section_by_name") ||
      !find(zep_bfd_std_section, "_bfd_std_section")) {
    std::printf("Error, libbfd lacks a function the report uses\n");
    dlclose(library);
    return false;
  }
  loaded = true;
  return true;
}
}  // namespace

#define bfd_init zep_bfd_init
#define bfd_openr zep_bfd_openr
#define bfd_check_format_matches zep_bfd_check_format_matches
#define bfd_close zep_bfd_close
#define bfd_get_section_by_name zep_bfd_get_section_by_name
#define _bfd_std_section zep_bfd_std_section

#include "bcm.h"
#include "bkni.h"
#include "db.h"
#include "recording.h"
#include "sigstack.h"

namespace {

constexpr const char* kSeparator = "---------";

struct CauseRow {
  int signal;  // 0 for a row that holds for any signal.
  int code;
  const char* text;
};

// Rows for a given signal come first: a generic row applies only when none matches.
constexpr CauseRow kCauses[] = {
    {SIGBUS, 1, "invalid address alignment"},
    {SIGBUS, 2, "non-existent physical address"},
    {SIGBUS, 3, "object specific hardware error"},
    {SIGSEGV, 1, "address not mapped to object"},
    {SIGSEGV, 2, "invalid permissions for mapped object"},
    {SIGILL, 1, "Illegal opcode"},
    {SIGILL, 2, "illegal operand"},
    {SIGILL, 3, "illegal addressing mode"},
    {SIGILL, 4, "illegal trap"},
    {SIGILL, 5, "privileged opcode"},
    {SIGILL, 6, "privileged register"},
    {SIGILL, 7, "coprocessor error"},
    {SIGILL, 8, "internal stack error"},
    {0, 0, "user"},
    {0, -1, "sigqueue"},
    {0, -2, "async io"},
    {0, -3, "timer"},
    {0, -4, "message queue"},
    {0, -5, "queued SIGIO"},
    {0, 128, "kernel"},
};

constexpr int kArmedSignals[] = {SIGSEGV, SIGQUIT, SIGABRT, SIGILL, SIGBUS};

// A corrupt stack can make either walk go round in circles; the reset must still come.
constexpr int kMaxFrames = 128;

ZepRegion* regions = nullptr;
int region_count = 0;

asymbol** Symbols(void** table) { return reinterpret_cast<asymbol**>(table); }

void CloseRegion(ZepRegion& region) {
  if (region.abfd != nullptr) bfd_close(region.abfd);
  std::free(region.syms);
  std::free(region.dynsyms);
  std::free(region.sorted);
  std::free(region.path);
  region = ZepRegion{};
}

bool ReadSymbolTables(ZepRegion& region) {
  bfd* abfd = region.abfd;
  const flagword flags = bfd_get_file_flags(abfd);
  if (flags & HAS_SYMS) {
    const long bound = bfd_get_symtab_upper_bound(abfd);
    if (bound > 0) {
      region.syms = static_cast<void**>(std::malloc(bound));
      region.symcount = region.syms ? bfd_canonicalize_symtab(abfd, Symbols(region.syms)) : -1;
    }
    if (bound < 0 || region.symcount < 0) {
      std::printf("bfd_canonicalize_symtab returned error\n");
      return false;
    }
  }
  if (flags & DYNAMIC) {
    const long bound = bfd_get_dynamic_symtab_upper_bound(abfd);
    if (bound < 0) {
      std::printf("Error getting upper bound for dynamic symtab\n");
      return false;
    }
    if (bound > 0) {
      region.dynsyms = static_cast<void**>(std::malloc(bound));
      region.dynsymcount = region.dynsyms ? bfd_canonicalize_dynamic_symtab(abfd, Symbols(region.dynsyms)) : -1;
    }
    if (region.dynsymcount < 0) {
      std::printf("bfd_canonicalize_dynsymtab returned error\n");
      return false;
    }
  }
  return true;
}

bool KeepForLookup(const asymbol* sym) {
  if (sym->name == nullptr || sym->name[0] == '\0') return false;
  if (sym->flags & (BSF_DEBUGGING | BSF_SECTION_SYM)) return false;
  // The section pointer rather than bfd_is_und_section, whose inline body
  // names the library's table at link time.
  return sym->section != bfd_und_section_ptr && !bfd_is_com_section(sym->section);
}

bool BuildSortedTable(ZepRegion& region) {
  // A stripped library has only its dynamic table, and that is still worth a name.
  asymbol** source = Symbols(region.symcount > 0 ? region.syms : region.dynsyms);
  const long count = region.symcount > 0 ? region.symcount : region.dynsymcount;
  if (count <= 0) return true;
  asymbol** sorted = static_cast<asymbol**>(std::malloc(count * sizeof(asymbol*)));
  if (sorted == nullptr) {
    std::printf("Error mallocing sorted symbol table\n");
    return false;
  }
  long kept = 0;
  for (long i = 0; i < count; ++i) {
    if (KeepForLookup(source[i])) sorted[kept++] = source[i];
  }
  std::qsort(sorted, kept, sizeof(asymbol*), compare_symbols);
  region.sorted = reinterpret_cast<void**>(sorted);
  region.sortedcount = kept;
  return true;
}

// Opens the region's file on first use. Any failure leaves the region without symbols.
void OpenRegion(ZepRegion& region) {
  if (region.opened) return;
  region.opened = true;
  region.abfd = bfd_openr(region.path, nullptr);
  if (region.abfd == nullptr) {
    std::printf("Error,  NULL returned from bfd_openr()\n");
    return;
  }
  if (!bfd_check_format_matches(region.abfd, bfd_object, nullptr)) {
    std::printf("Error,  bfd_format_check() failed()\n");
    return;
  }
  if (!ReadSymbolTables(region)) return;
  asection* text = bfd_get_section_by_name(region.abfd, ".text");
  if (text == nullptr) {
    std::printf("Error, NULL returned from bfd_get_section_by_name()\n");
    return;
  }
  if (BuildSortedTable(region)) region.text = text;
}

bool HasSymbols(const ZepRegion& region) { return region.text != nullptr; }

ZepRegion* FindRegion(unsigned long pc) {
  for (int i = 0; i < region_count; ++i) {
    if (regions[i].start <= pc && pc < regions[i].end) return &regions[i];
  }
  return nullptr;
}

// The address libbfd knows for a run-time pc. A shared object or position-independent
// executable is loaded anywhere, and its code need not start at file offset 0, so the
// pc goes through the file offset of the mapping to the section that holds it.
bfd_vma FileAddress(const ZepRegion& region, unsigned long pc) {
  if (!(bfd_get_file_flags(region.abfd) & DYNAMIC)) return pc;
  const unsigned long filePos = pc - region.start + region.offset;
  for (asection* sec = region.abfd->sections; sec != nullptr; sec = sec->next) {
    if ((sec->flags & (SEC_ALLOC | SEC_LOAD)) != (SEC_ALLOC | SEC_LOAD)) continue;
    const unsigned long secPos = static_cast<unsigned long>(sec->filepos);
    if (filePos >= secPos && filePos < secPos + bfd_section_size(sec)) return bfd_section_vma(sec) + (filePos - secPos);
  }
  return filePos;
}

asection* CodeSectionFor(const ZepRegion& region, bfd_vma address) {
  for (asection* sec = region.abfd->sections; sec != nullptr; sec = sec->next) {
    if ((sec->flags & SEC_CODE) && address >= bfd_section_vma(sec) &&
        address < bfd_section_vma(sec) + bfd_section_size(sec)) {
      return sec;
    }
  }
  return static_cast<asection*>(region.text);
}

// The last symbol at or below the address, the first of several at the same address.
const asymbol* LookupSymbol(const ZepRegion& region, bfd_vma address) {
  asymbol** sorted = Symbols(region.sorted);
  const long count = region.sortedcount;
  long low = 0;
  long high = count;
  while (low < high) {
    const long mid = low + (high - low) / 2;
    const bfd_vma value = bfd_asymbol_value(sorted[mid]);
    if (value == address) {
      low = mid + 1;
      break;
    }
    if (value < address) {
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  long place = low - 1;
  if (place < 0) return nullptr;
  while (place > 0 && bfd_asymbol_value(sorted[place - 1]) == bfd_asymbol_value(sorted[place])) --place;

  // In a relocatable file every section starts at 0, so a symbol of another
  // section may share the address; a code address wants a ".text" symbol.
  const asection* text = static_cast<const asection*>(region.text);
  const bool relocatable = (bfd_get_file_flags(region.abfd) & (EXEC_P | DYNAMIC)) == 0;
  if (relocatable && sorted[place]->section != text && address >= bfd_section_vma(text) &&
      address < bfd_section_vma(text) + bfd_section_size(text)) {
    const bfd_vma value = bfd_asymbol_value(sorted[place]);
    for (long i = place; i < count && bfd_asymbol_value(sorted[i]) == value; ++i) {
      if (sorted[i]->section == text) return sorted[i];
    }
    for (long i = place - 1; i >= 0; --i) {
      if (sorted[i]->section == text) return sorted[i];
    }
    return nullptr;
  }
  return sorted[place];
}

const char* PrintedFileName(const char* file) {
  if (file == nullptr || file[0] == '\0') return "unknown";
  const char* slash = std::strrchr(file, '/');
  return slash ? slash + 1 : file;
}

bool IsFileSymbolName(const char* name) {
  const size_t length = std::strlen(name);
  return length >= 2 && name[length - 2] == '.' && (name[length - 1] == 'o' || name[length - 1] == 'a');
}

// Negative when a sorts first; the result of the first rule that tells them apart.
int RankAfter(bool aLater, bool bLater) { return static_cast<int>(aLater) - static_cast<int>(bLater); }

#if defined(__x86_64__)
void PrintHostRegisters(std::FILE* out, const ucontext_t* uc) {
  struct Row {
    const char* names[4];
    int indices[4];
  };
  static constexpr Row kRows[] = {
      {{"rax", "rbx", "rcx", "rdx"}, {REG_RAX, REG_RBX, REG_RCX, REG_RDX}},
      {{"rsi", "rdi", "rbp", "rsp"}, {REG_RSI, REG_RDI, REG_RBP, REG_RSP}},
      {{"r8", "r9", "r10", "r11"}, {REG_R8, REG_R9, REG_R10, REG_R11}},
      {{"r12", "r13", "r14", "r15"}, {REG_R12, REG_R13, REG_R14, REG_R15}},
      {{"rip", "eflags", "trapno", "cr2"}, {REG_RIP, REG_EFL, REG_TRAPNO, REG_CR2}},
  };
  for (const Row& row : kRows) {
    for (const char* name : row.names) std::fprintf(out, "%16s ", name);
    std::fprintf(out, "\n");
    for (int index : row.indices) {
      std::fprintf(out, "%016llx ", static_cast<unsigned long long>(uc->uc_mcontext.gregs[index]));
    }
    std::fprintf(out, "\n");
  }
}
#endif

struct HostContext {
  unsigned long pc = 0;
  unsigned long sp = 0;
};

HostContext ReadContext(const ucontext_t* uc) {
  HostContext ctx;
#if defined(__x86_64__)
  ctx.pc = static_cast<unsigned long>(uc->uc_mcontext.gregs[REG_RIP]);
  ctx.sp = static_cast<unsigned long>(uc->uc_mcontext.gregs[REG_RSP]);
#elif defined(__mips__)
  ctx.pc = static_cast<unsigned long>(uc->uc_mcontext.pc);
  ctx.sp = static_cast<unsigned long>(uc->uc_mcontext.gregs[29]);
#else
  (void)uc;
#endif
  return ctx;
}

void PrintRegisters(const ucontext_t* uc) {
  std::printf("\nREGISTERS\n%s\n", kSeparator);
#if defined(__x86_64__)
  PrintHostRegisters(stdout, uc);
#elif defined(__mips__)
  unsigned long values[32];
  for (int i = 0; i < 32; ++i) values[i] = static_cast<unsigned long>(uc->uc_mcontext.gregs[i]);
  zep_print_mips_registers(stdout, values);
#else
  (void)uc;
#endif
}

void WalkStack(const ucontext_t* uc, const HostContext& ctx) {
  ZepProcessTarget target(stdout);
#if defined(__mips__)
  ZepMipsStart start;
  start.pc = ctx.pc;
  start.sp = ctx.sp;
  start.ra = static_cast<unsigned long>(uc->uc_mcontext.gregs[31]);
  zep_mips_walk(stdout, start, target);
#else
  (void)uc;
  zep_host_walk(ctx.pc, target);
#endif
}

void PrintRegionTable() {
  std::printf("\nREGIONS\n%s\n", kSeparator);
  for (int i = 0; i < region_count; ++i) {
    std::printf("%08lx-%08lx %s\n", regions[i].start, regions[i].end, regions[i].path);
  }
}

// The board resets in the reset call. Should it come back, the process must not
// look as if it ended well: it dies of the signal that brought it here.
[[noreturn]] void EndAfterCrash(int signal) {
  std::fflush(nullptr);
  struct sigaction byDefault {};
  byDefault.sa_handler = SIG_DFL;
  sigemptyset(&byDefault.sa_mask);
  sigaction(signal, &byDefault, nullptr);
  sigset_t pending;
  sigemptyset(&pending);
  sigaddset(&pending, signal);
  raise(signal);
  pthread_sigmask(SIG_UNBLOCK, &pending, nullptr);
  _exit(128 + signal);
}

struct UnwoundFrames {
  unsigned long pcs[kMaxFrames];
  bool beforeInstruction[kMaxFrames];
  int count = 0;
};

_Unwind_Reason_Code CollectFrame(_Unwind_Context* context, void* arg) {
  auto* frames = static_cast<UnwoundFrames*>(arg);
  if (frames->count >= kMaxFrames) return _URC_END_OF_STACK;
  int beforeInstruction = 0;
  const unsigned long pc = _Unwind_GetIPInfo(context, &beforeInstruction);
  frames->pcs[frames->count] = pc;
  frames->beforeInstruction[frames->count] = beforeInstruction != 0;
  ++frames->count;
  return _URC_NO_REASON;
}

}  // namespace

const char* zep_cause_text(int signal, int code) {
  for (const CauseRow& row : kCauses) {
    if (row.signal == signal && row.code == code) return row.text;
  }
  for (const CauseRow& row : kCauses) {
    if (row.signal == 0 && row.code == code) return row.text;
  }
  return "unknown or uncoded\n";
}

void zep_print_cause(std::FILE* out, const siginfo_t& info) {
  std::fprintf(out, "Cause: %s\n", zep_cause_text(info.si_signo, info.si_code));
  if (info.si_code <= 0) {
    std::fprintf(out, "code %d pid %d uid %d\n", info.si_code, static_cast<int>(info.si_pid),
                 static_cast<int>(info.si_uid));
  }
}

void zep_print_mips_registers(std::FILE* out, const unsigned long registers[32]) {
  static constexpr const char* kHeadings[4] = {
      "   zero       at       v0       v1       a0       a1       a2       a3",
      "     t0       t1       t2       t3       t4       t5       t6       t7",
      "     s0       s1       s2       s3       s4       s5       s6       s7",
      "     t8       t9       k0       k1       gp       sp       s8       ra",
  };
  for (int row = 0; row < 4; ++row) {
    const unsigned long* r = registers + row * 8;
    std::fprintf(out, "%s\n", kHeadings[row]);
    std::fprintf(out, "%08lx %08lx %08lx %08lx %08lx %08lx %08lx %08lx \n", r[0] & 0xFFFFFFFFUL, r[1] & 0xFFFFFFFFUL,
                 r[2] & 0xFFFFFFFFUL, r[3] & 0xFFFFFFFFUL, r[4] & 0xFFFFFFFFUL, r[5] & 0xFFFFFFFFUL,
                 r[6] & 0xFFFFFFFFUL, r[7] & 0xFFFFFFFFUL);
  }
}

int compare_symbols(const void* a, const void* b) {
  const asymbol* x = *static_cast<const asymbol* const*>(a);
  const asymbol* y = *static_cast<const asymbol* const*>(b);
  const bfd_vma xValue = bfd_asymbol_value(x);
  const bfd_vma yValue = bfd_asymbol_value(y);
  if (xValue != yValue) return xValue < yValue ? -1 : 1;
  if (x->section != y->section) return x->section < y->section ? -1 : 1;

  const char* xName = x->name ? x->name : "";
  const char* yName = y->name ? y->name : "";
  auto compilerMarker = [](const char* name) {
    return std::strstr(name, "gnu_compiled") != nullptr || std::strstr(name, "gcc2_compiled") != nullptr;
  };
  auto fileSymbol = [](const asymbol* sym, const char* name) {
    return (sym->flags & BSF_FILE) != 0 || IsFileSymbolName(name);
  };
  int rank = RankAfter(compilerMarker(xName), compilerMarker(yName));
  if (rank == 0) rank = RankAfter(fileSymbol(x, xName), fileSymbol(y, yName));
  if (rank == 0) rank = RankAfter((x->flags & BSF_DEBUGGING) != 0, (y->flags & BSF_DEBUGGING) != 0);
  if (rank == 0) rank = RankAfter((x->flags & BSF_FUNCTION) == 0, (y->flags & BSF_FUNCTION) == 0);
  if (rank == 0) rank = RankAfter((x->flags & BSF_LOCAL) != 0, (y->flags & BSF_LOCAL) != 0);
  if (rank == 0) rank = RankAfter((x->flags & BSF_GLOBAL) == 0, (y->flags & BSF_GLOBAL) == 0);
  if (rank == 0) rank = RankAfter(xName[0] == '.', yName[0] == '.');
  if (rank != 0) return rank;
  return std::strcmp(xName, yName);
}

char* demangle(bfd* abfd, const char* name) {
  if (name == nullptr) return strdup("");
  const char leading = abfd ? bfd_get_symbol_leading_char(abfd) : '\0';
  if (leading != '\0' && name[0] == leading) ++name;

  const size_t dots = std::strspn(name, ".");
  const char* base = name + dots;
  const char* version = std::strchr(base, '@');
  char* head = strndup(base, version ? static_cast<size_t>(version - base) : std::strlen(base));
  char* demangled = head ? cplus_demangle(head, DMGL_PARAMS | DMGL_ANSI) : nullptr;
  std::free(head);
  if (demangled == nullptr) return strdup(name);

  const char* tail = version ? version : "";
  const size_t length = dots + std::strlen(demangled) + std::strlen(tail);
  char* joined = static_cast<char*>(std::malloc(length + 1));
  if (joined != nullptr) {
    std::memcpy(joined, name, dots);
    std::strcpy(joined + dots, demangled);
    std::strcat(joined, tail);
  }
  std::free(demangled);
  return joined ? joined : strdup(name);
}

bool zep_parse_maps_line(const char* line, ZepRegion* region) {
  unsigned long start = 0;
  unsigned long end = 0;
  unsigned long offset = 0;
  char perms[8] = "";
  int pathAt = -1;
  const int fields = std::sscanf(line, "%lx-%lx %7s %lx %*x:%*x %*d %n", &start, &end, perms, &offset, &pathAt);
  if (fields < 3 || std::strlen(perms) < 3) return false;
  if (perms[1] != '-' || perms[2] != 'x') return false;
  if (region == nullptr) return true;

  // The path is the rest of the line, so long paths and paths with spaces stay whole.
  const char* path = pathAt >= 0 ? line + pathAt : "";
  size_t length = std::strlen(path);
  while (length > 0 && (path[length - 1] == '\n' || path[length - 1] == ' ')) --length;
  char* copy = strndup(path, length);
  if (copy == nullptr) return false;
  *region = ZepRegion{};
  region->start = start;
  region->end = end;
  region->offset = fields >= 4 ? offset : 0;
  region->path = copy;
  return true;
}

bool zep_load_regions_from(const char* mapsPath) {
  zep_free_regions();
  std::FILE* maps = std::fopen(mapsPath, "r");
  if (maps == nullptr) {
    std::printf("Error opening %s\n", mapsPath);
    return false;
  }
  // Lines are read whole: a fixed buffer would cut a long path and read the rest
  // of the line as another mapping.
  char* line = nullptr;
  size_t capacity = 0;
  int count = 0;
  while (getline(&line, &capacity, maps) >= 0) {
    if (zep_parse_maps_line(line, nullptr)) ++count;
  }
  bool ok = true;
  regions = new (std::nothrow) ZepRegion[count > 0 ? count : 1];
  if (regions == nullptr) {
    std::printf("Error doing malloc of regions database\n");
    ok = false;
  } else if (std::fseek(maps, 0, SEEK_SET) != 0) {
    std::printf("Error doing seek in maps file\n");
    ok = false;
  } else {
    // Another thread may map more code between the passes; the table holds what it can.
    while (region_count < count && getline(&line, &capacity, maps) >= 0) {
      if (zep_parse_maps_line(line, &regions[region_count])) ++region_count;
    }
  }
  std::free(line);
  std::fclose(maps);
  if (!ok || !LoadBfd()) {
    zep_free_regions();
    return false;
  }
  bfd_init();
  return true;
}

bool zep_load_regions(pid_t tid) {
  char mapsPath[64];
  std::snprintf(mapsPath, sizeof mapsPath, "/proc/self/task/%d/maps", static_cast<int>(tid));
  return zep_load_regions_from(mapsPath);
}

void zep_free_regions() {
  for (int i = 0; i < region_count; ++i) CloseRegion(regions[i]);
  delete[] regions;
  regions = nullptr;
  region_count = 0;
}

int zep_region_count() { return region_count; }

const ZepRegion* zep_region(int index) { return index >= 0 && index < region_count ? &regions[index] : nullptr; }

ZepFrame ZepProcessTarget::DescribeFrame(unsigned long pc, bool returnAddress) {
  ZepFrame frame;
  const unsigned long lookupPc = returnAddress ? pc - 1 : pc;
  ZepRegion* region = FindRegion(lookupPc);
  if (region == nullptr) {
    std::fprintf(out_, "Error in backtrace, address 0x%lx is out of bounds\n", pc);
    return frame;
  }
  OpenRegion(*region);

  const char* file = nullptr;
  unsigned int line = 0;
  const asymbol* sym = nullptr;
  bfd_vma address = 0;
  if (HasSymbols(*region)) {
    address = FileAddress(*region, lookupPc);
    asection* section = CodeSectionFor(*region, address);
    static asymbol* noSymbols[1] = {nullptr};
    asymbol** lineSymbols = region->symcount > 0      ? Symbols(region->syms)
                            : region->dynsymcount > 0 ? Symbols(region->dynsyms)
                                                      : noSymbols;
    const char* function = nullptr;
    if (!bfd_find_nearest_line(region->abfd, section, lineSymbols, address - bfd_section_vma(section), &file, &function,
                               &line)) {
      file = nullptr;
      line = 0;
    }
    sym = LookupSymbol(*region, address);
  }
  if (file == nullptr) file = region->path;
  const char* printed = PrintedFileName(file);

  if (sym == nullptr) {
    std::fprintf(out_, "?() at %s:%d\n", printed, static_cast<int>(line));
    frame.kind = ZepFrame::NoSymbol;
    return frame;
  }
  const bfd_vma symbolAddress = bfd_asymbol_value(sym);
  char* name = demangle(region->abfd, sym->name);
  const char* shown = name ? name : sym->name;
  const long offset = static_cast<long>(address - symbolAddress) + static_cast<long>(pc - lookupPc);
  std::fprintf(out_, "%s%s+%ld at %s", shown, std::strchr(shown, '(') ? "" : "()", offset, printed);
  if (line != 0) {
    std::fprintf(out_, ":%d\n", static_cast<int>(line));
  } else {
    std::fprintf(out_, "\n");
  }
  std::free(name);
  frame.kind = ZepFrame::Symbol;
  frame.symbolAddress = static_cast<unsigned long>(symbolAddress) + (lookupPc - static_cast<unsigned long>(address));
  return frame;
}

bool ZepProcessTarget::ReadWord(unsigned long address, std::uint32_t* word) {
  // Only the walk of the television's processor reads memory, and only code and
  // stack words the crashed thread itself was using.
  std::memcpy(word, reinterpret_cast<const void*>(address), sizeof *word);
  return true;
}

void zep_mips_walk(std::FILE* out, const ZepMipsStart& start, ZepWalkTarget& target) {
  constexpr std::uint32_t kAdjustStackPointer = 0x27BD;  // addiu sp, sp, immediate
  constexpr std::uint32_t kSaveReturnAddress = 0xAFBF;   // sw ra, offset(sp)
  constexpr int kPrologueLength = 10;
  unsigned long pc = start.pc;
  unsigned long sp = start.sp;
  bool usedReturnAddress = false;

  for (int frames = 0; frames < kMaxFrames; ++frames) {
    const ZepFrame frame = target.DescribeFrame(pc, false);
    if (frame.kind != ZepFrame::Symbol) return;

    unsigned long address = frame.symbolAddress;
    long frameSize = 0;
    long raOffset = 0;
    std::uint32_t insn = 0;
    for (int i = 0; i < kPrologueLength && target.ReadWord(address, &insn); ++i) {
      address += 4;
      if ((insn >> 16) == kAdjustStackPointer) {
        frameSize = std::labs(static_cast<std::int16_t>(insn & 0xFFFF));
        break;
      }
    }
    for (int i = 0; i < kPrologueLength && target.ReadWord(address, &insn); ++i) {
      address += 4;
      if ((insn >> 16) == kSaveReturnAddress) {
        raOffset = static_cast<std::int16_t>(insn & 0xFFFF);
        break;
      }
    }

    if (raOffset != 0) {
      std::uint32_t caller = 0;
      if (!target.ReadWord((sp + raOffset) & ~3UL, &caller)) return;
      if (caller == 0) {
        std::fprintf(out, "stack size[words] 0x%x, offset[words] 0x%x  ra 0x%08lx\n",
                     static_cast<unsigned>(frameSize / 4), static_cast<unsigned>(raOffset / 4), 0UL);
        return;
      }
      pc = caller;
      sp += frameSize;
    } else {
      // A leaf keeps its return address in the register; that holds for one frame only.
      if (usedReturnAddress) return;
      usedReturnAddress = true;
      pc = start.ra;
      sp += frameSize;
    }
  }
}

bool zep_host_walk(unsigned long pc, ZepWalkTarget& target) {
  UnwoundFrames frames;
  _Unwind_Backtrace(&CollectFrame, &frames);
  int first = 0;
  while (first < frames.count && frames.pcs[first] != pc) ++first;
  if (first == frames.count) {
    target.DescribeFrame(pc, false);
    return false;
  }
  for (int i = first; i < frames.count && frames.pcs[i] != 0; ++i) {
    target.DescribeFrame(frames.pcs[i], i != first && !frames.beforeInstruction[i]);
  }
  return true;
}

void qor_zep_arm_backtrace() {
  struct sigaction action {};
  action.sa_sigaction = &qor_zep_handle_exception;
  // On the thread's own signal stack where it has one (sigstack.h): a
  // thread whose stack overflowed has no room left on it for the report.
  action.sa_flags = SA_SIGINFO | SA_RESETHAND | SA_ONSTACK;
  sigemptyset(&action.sa_mask);
  SigStackForThread();
  for (int signal : kArmedSignals) sigaction(signal, &action, nullptr);
}

void qor_zep_handle_exception(int signal, siginfo_t* info, void* context) {
  char threadName[32] = "unknown";
  prctl(PR_GET_NAME, threadName, 0, 0, 0);
  const pid_t tid = static_cast<pid_t>(syscall(SYS_gettid));
  const auto* uc = static_cast<const ucontext_t*>(context);
  const HostContext ctx = ReadContext(uc);

  std::printf("\nEXCEPTION\n%s\n", kSeparator);
  std::printf("%s in thread %s\n", strsignal(signal), threadName);
  std::printf("pid %d, tid %d, signal %d\n", static_cast<int>(getpid()), static_cast<int>(tid), signal);
  std::printf("PC: 0x%08lx, STACK: 0x%08lx\n", ctx.pc, ctx.sp);
  if (info != nullptr) zep_print_cause(stdout, *info);
  PrintRegisters(uc);
  std::fflush(stdout);

  if (zep_load_regions(tid)) {
    PrintRegionTable();
    std::printf("\nBACKTRACE\n%s\n", kSeparator);
    std::fflush(stdout);
    WalkStack(uc, ctx);
  } else {
    std::printf("Error in init_backtrace()\n");
  }
  zep_free_regions();

  std::printf("Finish recording, Auto Reboot here\n");
  std::fflush(stdout);
  Crash_Clean_for_recording();
  BKNI_Sleep(800);
  std::printf("End Delay 800ms, Reboot\n");
  std::fflush(stdout);
  DB_Update_PowerDown_Status(3);
  DB_Update_System_Log(3);
  bcm_xmc_ResetHost_BCM35230();
  EndAfterCrash(signal);
}
