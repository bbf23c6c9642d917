#include <dlfcn.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#define PACKAGE "tvui"
#define PACKAGE_VERSION "1"
#include <bfd.h>

#include "bcm.h"
#include "bkni.h"
#include "db.h"
#include "mplcore.h"
#include "recording.h"
#include "simtv.h"
#include "zep_backtrace.h"

using testing::ContainsRegex;
using testing::HasSubstr;

// The address sanitizer gives each thread a signal stack of its own, on
// which a report of an overflow fits: here the threads have only those the
// set gives them, as in a build without it.
extern "C" const char* __asan_default_options() { return "use_sigaltstack=0"; }

namespace crashsite {

int* volatile g_nowhere = nullptr;

// The sanitizers would report the store themselves instead of letting it fault.
__attribute__((noinline, no_sanitize("address", "undefined"))) void StoreThroughNull(int value) { *g_nowhere = value; }

// Not cloned for its one constant argument: the clone is named apart ([clone
// .constprop.0]) and its line is lost, so the backtrace would not name it.
__attribute__((noinline, noclone)) void AbortFrom(const char* why) {
  std::fprintf(stderr, "%s\n", why);
  std::abort();
}

// The empty statements after the calls keep optimised builds from turning them into
// jumps, which would take the callers out of the backtrace.
__attribute__((noinline)) void CrashByNullWrite() {
  StoreThroughNull(42);
  asm volatile("" ::: "memory");
}

__attribute__((noinline)) void CrashByAbort() {
  AbortFrom("giving up");
  asm volatile("" ::: "memory");
}

volatile bool g_deeper = true;

// A frame the compiler can neither drop nor reuse for the next call: the
// recursion runs off the end of its thread's stack.
__attribute__((noinline)) int Recurse(int depth) {
  volatile char frame[512];
  frame[0] = char(depth);
  const int deeper = g_deeper ? Recurse(depth + 1) : 0;
  asm volatile("" ::: "memory");
  return frame[0] + deeper;
}

void OverflowTheStack() { Recurse(0); }

// The same on a thread that the set's kernel starts, the crash handler armed
// on the thread that started it; that one waits for the end the report makes.
void OverflowTheStackOfAThreadOfTheSet() {
  MPLCore_ThreadCreateNamed("deep_task", [](void*) { Recurse(0); }, nullptr, 10);
  for (;;) pause();
}

}  // namespace crashsite

namespace {

void ReportSimulatedState() {
  int powerDown = -1;
  DB_Get_PowerDown_Status(&powerDown);
  std::printf("simtv: power-down %d, log %d entries, first %d, crash clean %d, slept %lu ms\n", powerDown,
              simtv_db_system_log_count(), simtv_db_system_log_entry(0), simtv_recording_crash_clean_count(),
              simtv_bkni_slept_ms());
  std::fflush(stdout);
}

struct ChildResult {
  int status = 0;
  std::string output;
};

// Runs the crash in a child process with the handler armed after the sanitizer's
// own, and collects everything the child wrote.
ChildResult RunCrashingChild(void (*crash)(), bool resetEndsProcess = true) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return {};
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    close(pipeEnds[0]);
    dup2(pipeEnds[1], STDOUT_FILENO);
    dup2(pipeEnds[1], STDERR_FILENO);
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    prctl(PR_SET_NAME, "crashsite", 0, 0, 0);
    simtv_bkni_skip_sleeps(1);
    simtv_bcm_on_reset(&ReportSimulatedState);
    simtv_bcm_reset_ends_process(resetEndsProcess ? 1 : 0);
    qor_zep_arm_backtrace();
    crash();
    _exit(0);
  }
  close(pipeEnds[1]);
  ChildResult result;
  char buffer[4096];
  ssize_t got;
  while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) result.output.append(buffer, static_cast<size_t>(got));
  close(pipeEnds[0]);
  waitpid(child, &result.status, 0);
  return result;
}

std::string SectionOf(const std::string& report, const std::string& heading) {
  const size_t start = report.find("\n" + heading + "\n---------\n");
  if (start == std::string::npos) return {};
  const size_t end = report.find("\n\n", start + heading.size() + 12);
  return report.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string OwnExecutable() {
  char path[PATH_MAX];
  return realpath("/proc/self/exe", path) ? path : "";
}

unsigned long AddressOf(void (*function)(int)) { return reinterpret_cast<unsigned long>(function); }

std::string Describe(unsigned long pc, bool returnAddress = false) {
  char* text = nullptr;
  size_t size = 0;
  std::FILE* out = open_memstream(&text, &size);
  ZepProcessTarget target(out);
  target.DescribeFrame(pc, returnAddress);
  std::fclose(out);
  std::string line(text, size);
  std::free(text);
  return line;
}

template <typename Print>
std::string Printed(Print print) {
  char* text = nullptr;
  size_t size = 0;
  std::FILE* out = open_memstream(&text, &size);
  print(out);
  std::fclose(out);
  std::string printed(text, size);
  std::free(text);
  return printed;
}

TEST(CrashReport, NullWriteIsReportedSymbolisedAndRecordedBeforeTheReset) {
  const ChildResult child = RunCrashingChild(&crashsite::CrashByNullWrite);
  const std::string& report = child.output;
  ASSERT_TRUE(WIFEXITED(child.status)) << report;
  EXPECT_EQ(WEXITSTATUS(child.status), SIMTV_HOST_RESET_EXIT_STATUS) << report;

  EXPECT_THAT(report, HasSubstr("\nEXCEPTION\n---------\nSegmentation fault in thread crashsite\n"));
  EXPECT_THAT(report, ContainsRegex("pid [0-9]+, tid [0-9]+, signal 11\nPC: 0x[0-9a-f]+, STACK: 0x[0-9a-f]+\n"));
  EXPECT_THAT(report, HasSubstr("\nCause: address not mapped to object\n\nREGISTERS\n---------\n"));
  EXPECT_THAT(SectionOf(report, "REGIONS"), HasSubstr(OwnExecutable().append("\n")));

  const std::string backtrace = SectionOf(report, "BACKTRACE");
  EXPECT_THAT(backtrace, ContainsRegex("\ncrashsite::StoreThroughNull\\(int\\)\\+[0-9]+ at crash_test\\.cpp:[0-9]+\n"
                                       "crashsite::CrashByNullWrite\\(\\)\\+[0-9]+ at crash_test\\.cpp:[0-9]+\n"))
      << report;

  const size_t finish = report.find("Finish recording, Auto Reboot here\n");
  const size_t delay = report.find("End Delay 800ms, Reboot\n");
  const size_t state = report.find("simtv: power-down 3, log 1 entries, first 3, crash clean 1, slept 800 ms\n");
  ASSERT_NE(finish, std::string::npos) << report;
  EXPECT_LT(report.find("\nBACKTRACE\n"), finish);
  EXPECT_LT(finish, delay);
  EXPECT_LT(delay, state);
  EXPECT_NE(state, std::string::npos) << report;
}

TEST(CrashReport, AbortNamesTheSenderAndTheFunctionThatAborted) {
  const ChildResult child = RunCrashingChild(&crashsite::CrashByAbort);
  const std::string& report = child.output;
  ASSERT_TRUE(WIFEXITED(child.status)) << report;
  EXPECT_EQ(WEXITSTATUS(child.status), SIMTV_HOST_RESET_EXIT_STATUS) << report;

  EXPECT_THAT(report, HasSubstr("Aborted in thread crashsite\n"));
  // abort() signals its own thread, a code the cause table does not know.
  EXPECT_THAT(report, ContainsRegex("Cause: unknown or uncoded\n\ncode -6 pid [0-9]+ uid [0-9]+\n"));
  EXPECT_THAT(SectionOf(report, "BACKTRACE"), ContainsRegex("\ncrashsite::AbortFrom\\(char const\\*\\)\\+[0-9]+ at "
                                                            "crash_test\\.cpp:[0-9]+\n"))
      << report;
  EXPECT_THAT(report, HasSubstr("simtv: power-down 3, log 1 entries, first 3"));
}

// A stack that overflowed leaves the handler no room on it: the report runs
// on the thread's signal stack, on the thread that armed the handler and on
// one the set started after, and names the function that recursed.
TEST(CrashReport, AStackOverflowIsReportedOnTheThreadsOwnSignalStack) {
  for (auto [crash, thread] : {std::pair{&crashsite::OverflowTheStack, "crashsite"},
                               std::pair{&crashsite::OverflowTheStackOfAThreadOfTheSet, "deep_task"}}) {
    const ChildResult child = RunCrashingChild(crash);
    const std::string& report = child.output;
    ASSERT_TRUE(WIFEXITED(child.status)) << thread << ": " << report;
    EXPECT_EQ(WEXITSTATUS(child.status), SIMTV_HOST_RESET_EXIT_STATUS) << report;
    EXPECT_THAT(report, HasSubstr("\nEXCEPTION\n---------\nSegmentation fault in thread " + std::string(thread) + "\n"));
    EXPECT_THAT(SectionOf(report, "BACKTRACE"),
                ContainsRegex("\ncrashsite::Recurse\\(int\\)\\+[0-9]+ at crash_test\\.cpp:[0-9]+\n"
                              "crashsite::Recurse\\(int\\)\\+[0-9]+ at crash_test\\.cpp:[0-9]+\n"))
        << report;
    EXPECT_THAT(report, HasSubstr("simtv: power-down 3, log 1 entries, first 3"));
  }
}

TEST(CrashReport, AResetThatComesBackEndsTheProcessByTheSignalNotBySuccess) {
  const ChildResult child = RunCrashingChild(&crashsite::CrashByNullWrite, false);
  ASSERT_TRUE(WIFSIGNALED(child.status)) << child.output;
  EXPECT_EQ(WTERMSIG(child.status), SIGSEGV);
  EXPECT_THAT(child.output, HasSubstr("simtv: power-down 3"));
}

TEST(CrashCause, SignalRowsHoldForTheirSignalOnlyAndGenericCodesForAny) {
  EXPECT_STREQ(zep_cause_text(SIGSEGV, 1), "address not mapped to object");
  EXPECT_STREQ(zep_cause_text(SIGBUS, 1), "invalid address alignment");
  EXPECT_STREQ(zep_cause_text(SIGILL, 8), "internal stack error");
  EXPECT_STREQ(zep_cause_text(SIGABRT, 1), "unknown or uncoded\n");
  EXPECT_STREQ(zep_cause_text(SIGSEGV, 3), "unknown or uncoded\n");
  EXPECT_STREQ(zep_cause_text(SIGSEGV, 0), "user");
  EXPECT_STREQ(zep_cause_text(SIGQUIT, -5), "queued SIGIO");
  EXPECT_STREQ(zep_cause_text(SIGILL, 128), "kernel");
  EXPECT_STREQ(zep_cause_text(SIGBUS, -6), "unknown or uncoded\n");
}

TEST(CrashCause, SenderIsPrintedOnlyForCodesFromUserSpace) {
  siginfo_t info{};
  info.si_signo = SIGQUIT;
  info.si_code = 0;
  info.si_pid = 321;
  info.si_uid = 7;
  EXPECT_EQ(Printed([&](std::FILE* out) { zep_print_cause(out, info); }), "Cause: user\ncode 0 pid 321 uid 7\n");
  info.si_signo = SIGSEGV;
  info.si_code = 2;
  EXPECT_EQ(Printed([&](std::FILE* out) { zep_print_cause(out, info); }),
            "Cause: invalid permissions for mapped object\n");
}

TEST(CrashRegisters, MipsDumpPrintsTheLow32BitsUnderTheirNames) {
  unsigned long registers[32];
  for (int i = 0; i < 32; ++i) registers[i] = 0x100000000UL * 7 + static_cast<unsigned long>(i);
  registers[29] = 0x7FFF1230;
  const std::string dump = Printed([&](std::FILE* out) { zep_print_mips_registers(out, registers); });
  EXPECT_EQ(dump,
            "   zero       at       v0       v1       a0       a1       a2       a3\n"
            "00000000 00000001 00000002 00000003 00000004 00000005 00000006 00000007 \n"
            "     t0       t1       t2       t3       t4       t5       t6       t7\n"
            "00000008 00000009 0000000a 0000000b 0000000c 0000000d 0000000e 0000000f \n"
            "     s0       s1       s2       s3       s4       s5       s6       s7\n"
            "00000010 00000011 00000012 00000013 00000014 00000015 00000016 00000017 \n"
            "     t8       t9       k0       k1       gp       sp       s8       ra\n"
            "00000018 00000019 0000001a 0000001b 0000001c 7fff1230 0000001e 0000001f \n");
}

class CrashRegions : public testing::Test {
 protected:
  void TearDown() override { zep_free_regions(); }
};

TEST_F(CrashRegions, MapsLinesAreReadWholeAndOnlyReadOnlyCodeIsKept) {
  const std::string longPath = "/opt/flash player/" + std::string(300, 'p') + "/libfar.so";
  char mapsPath[] = "/tmp/crash_maps_XXXXXX";
  const int fd = mkstemp(mapsPath);
  ASSERT_GE(fd, 0);
  const std::string maps = "00400000-00452000 r-xp 00001000 08:01 1234 " + longPath +
                           "\n"
                           "00652000-00653000 rw-p 00052000 08:01 1234 /usr/bin/tv\n"
                           "7f000000-7f001000 rwxp 00000000 00:00 0 \n"
                           "7f100000-7f101000 r-xp 00000000 00:00 0\n"
                           "7f200000-7f201000 r--p 00000000 08:01 99 /lib/libdata.so\n"
                           "not a mapping at all\n";
  ASSERT_EQ(write(fd, maps.data(), maps.size()), static_cast<ssize_t>(maps.size()));
  close(fd);

  ASSERT_TRUE(zep_load_regions_from(mapsPath));
  unlink(mapsPath);
  ASSERT_EQ(zep_region_count(), 2);
  EXPECT_EQ(zep_region(0)->start, 0x400000UL);
  EXPECT_EQ(zep_region(0)->end, 0x452000UL);
  EXPECT_EQ(zep_region(0)->offset, 0x1000UL);
  EXPECT_EQ(std::string(zep_region(0)->path), longPath);
  EXPECT_EQ(zep_region(1)->start, 0x7f100000UL);
  EXPECT_STREQ(zep_region(1)->path, "");
}

TEST_F(CrashRegions, MissingMapsFileIsReported) {
  testing::internal::CaptureStdout();
  EXPECT_FALSE(zep_load_regions_from("/nonexistent/maps"));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error opening /nonexistent/maps\n");
  EXPECT_EQ(zep_region_count(), 0);
}

TEST_F(CrashRegions, OwnCodeIsNamedWithItsDemangledNameAndLine) {
  ASSERT_TRUE(zep_load_regions(static_cast<pid_t>(syscall(SYS_gettid))));
  const unsigned long function = AddressOf(&crashsite::StoreThroughNull);
  bool found = false;
  for (int i = 0; i < zep_region_count(); ++i) {
    const ZepRegion* region = zep_region(i);
    if (region->start <= function && function < region->end) {
      found = true;
      EXPECT_EQ(std::string(region->path), OwnExecutable());
    }
  }
  EXPECT_TRUE(found);

  EXPECT_THAT(Describe(function), ContainsRegex("^crashsite::StoreThroughNull\\(int\\)\\+0 at crash_test\\.cpp:[0-9]+\n$"));
  // A return address just past a call is credited to the caller's line, offset kept.
  EXPECT_THAT(Describe(function + 1, true), ContainsRegex("^crashsite::StoreThroughNull\\(int\\)\\+1 at crash_test"));
  EXPECT_EQ(Describe(0x10), "Error in backtrace, address 0x10 is out of bounds\n");
}

TEST_F(CrashRegions, StrippedLibraryIsNamedFromItsDynamicSymbols) {
  void* library = dlopen(FAKE_IAEKERNEL_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  void* entry = dlsym(library, "IAEModule_IAEKernel_LoadModule");
  ASSERT_NE(entry, nullptr);
  ASSERT_TRUE(zep_load_regions(static_cast<pid_t>(syscall(SYS_gettid))));
  const std::string line = Describe(reinterpret_cast<unsigned long>(entry) + 2);
  zep_free_regions();
  dlclose(library);
  EXPECT_EQ(line, "IAEModule_IAEKernel_LoadModule()+2 at libIAEKernel.so\n");
}

class CrashSymbols : public testing::Test {
 protected:
  void SetUp() override {
    bfd_init();
    abfd_ = bfd_openr("/proc/self/exe", nullptr);
    ASSERT_NE(abfd_, nullptr);
    ASSERT_TRUE(bfd_check_format(abfd_, bfd_object));
    text_ = bfd_get_section_by_name(abfd_, ".text");
    ASSERT_NE(text_, nullptr);
  }
  void TearDown() override {
    if (abfd_ != nullptr) bfd_close(abfd_);
  }

  asymbol* Symbol(const char* name, flagword flags, bfd_vma value = 0x100) {
    asymbol* sym = bfd_make_empty_symbol(abfd_);
    sym->name = name;
    sym->flags = flags;
    sym->section = text_;
    sym->value = value;
    return sym;
  }

  std::string Demangled(const char* name) {
    char* text = demangle(abfd_, name);
    std::string result = text ? text : "(null)";
    std::free(text);
    return result;
  }

  bfd* abfd_ = nullptr;
  asection* text_ = nullptr;
};

TEST_F(CrashSymbols, OrderPrefersTheMostTellingNameAtAnAddress) {
  struct Pair {
    asymbol* first;
    asymbol* second;
  };
  const flagword function = BSF_GLOBAL | BSF_FUNCTION;
  const Pair pairs[] = {
      {Symbol("zeta", BSF_LOCAL, 0x10), Symbol("alpha", function, 0x20)},
      {Symbol("main", function), Symbol("gcc2_compiled.", function)},
      {Symbol("main", function), Symbol("crt1.o", function)},
      {Symbol("main", function), Symbol("libc.a", function)},
      {Symbol("main", function), Symbol("start", function | BSF_FILE)},
      {Symbol("main", function), Symbol("debug_info", function | BSF_DEBUGGING)},
      {Symbol("main", BSF_GLOBAL | BSF_FUNCTION), Symbol("data", BSF_GLOBAL | BSF_OBJECT)},
      {Symbol("main", BSF_FUNCTION), Symbol("helper", BSF_LOCAL | BSF_FUNCTION)},
      {Symbol("main", BSF_GLOBAL), Symbol("weak", BSF_WEAK)},
      {Symbol("zeta", function), Symbol(".hidden", function)},
      {Symbol("alpha", function), Symbol("beta", function)},
  };
  for (const Pair& pair : pairs) {
    EXPECT_LT(compare_symbols(&pair.first, &pair.second), 0) << pair.first->name << " / " << pair.second->name;
    EXPECT_GT(compare_symbols(&pair.second, &pair.first), 0) << pair.second->name << " / " << pair.first->name;
  }
}

TEST_F(CrashSymbols, DemangleKeepsDotsAndVersions) {
  EXPECT_EQ(Demangled("_ZN9crashsite16StoreThroughNullEi"), "crashsite::StoreThroughNull(int)");
  EXPECT_EQ(Demangled("_ZN2ns3getEv@@LIB_1.0"), "ns::get()@@LIB_1.0");
  EXPECT_EQ(Demangled(".._ZN2ns3getEv"), "..ns::get()");
  EXPECT_EQ(Demangled("memcpy@GLIBC_2.2.5"), "memcpy@GLIBC_2.2.5");
  EXPECT_EQ(Demangled(""), "");
}

// Memory and symbols of the television's processor, given word by word.
class MipsMemory final : public ZepWalkTarget {
 public:
  void Function(unsigned long start, std::initializer_list<std::uint32_t> code) {
    unsigned long address = start;
    for (std::uint32_t word : code) {
      words_[address] = word;
      address += 4;
    }
    functions_.push_back({start, address});
  }
  void Word(unsigned long address, std::uint32_t word) { words_[address] = word; }

  ZepFrame DescribeFrame(unsigned long pc, bool) override {
    visited.push_back(pc);
    ZepFrame frame;
    for (const auto& [start, end] : functions_) {
      if (start <= pc && pc < end) {
        frame.kind = ZepFrame::Symbol;
        frame.symbolAddress = start;
        return frame;
      }
    }
    frame.kind = (pc >= 0x400000 && pc < 0x500000) ? ZepFrame::NoSymbol : ZepFrame::OutOfBounds;
    return frame;
  }
  bool ReadWord(unsigned long address, std::uint32_t* word) override {
    const auto found = words_.find(address);
    if (found == words_.end()) return false;
    *word = found->second;
    return true;
  }

  std::vector<unsigned long> visited;

 private:
  std::map<unsigned long, std::uint32_t> words_;
  std::vector<std::pair<unsigned long, unsigned long>> functions_;
};

constexpr std::uint32_t kAddu = 0x00851021;
constexpr std::uint32_t kReturn = 0x03E00008;
constexpr std::uint32_t kNop = 0;
constexpr std::uint32_t kCall = 0x0C100080;
constexpr unsigned long kStack = 0x7FFF0000;

std::string Walk(MipsMemory& memory, unsigned long pc, unsigned long ra) {
  return Printed([&](std::FILE* out) { zep_mips_walk(out, ZepMipsStart{pc, kStack, ra}, memory); });
}

TEST(MipsWalk, LeafContinuesFromTheReturnRegisterAndAZeroSlotEndsTheWalk) {
  MipsMemory memory;
  memory.Function(0x400100, {kAddu, kReturn, kNop});
  memory.Function(0x400200, {0x27BDFFE0 /* addiu sp,sp,-32 */, 0xAFBF001C /* sw ra,28(sp) */, kCall, kNop});
  memory.Function(0x400300, {0x27BDFFF0 /* addiu sp,sp,-16 */, kNop, 0xAFBF000C /* sw ra,12(sp) */, kCall});
  memory.Word(kStack + 28, 0x40030C);
  memory.Word(kStack + 32 + 12, 0);

  EXPECT_EQ(Walk(memory, 0x400104, 0x40020C), "stack size[words] 0x4, offset[words] 0x3  ra 0x00000000\n");
  EXPECT_EQ(memory.visited, (std::vector<unsigned long>{0x400104, 0x40020C, 0x40030C}));
}

TEST(MipsWalk, TheReturnRegisterServesOneLeafOnly) {
  MipsMemory memory;
  memory.Function(0x400100, {kAddu, kReturn, kNop});
  memory.Function(0x400200, {kAddu, kReturn, kNop});
  EXPECT_EQ(Walk(memory, 0x400100, 0x400204), "");
  EXPECT_EQ(memory.visited, (std::vector<unsigned long>{0x400100, 0x400204}));
}

TEST(MipsWalk, UnknownCodeEndsTheWalk) {
  MipsMemory memory;
  memory.Function(0x400100, {kAddu, kReturn, kNop});
  Walk(memory, 0x10, 0x400100);
  EXPECT_EQ(memory.visited, (std::vector<unsigned long>{0x10}));

  memory.visited.clear();
  Walk(memory, 0x400100, 0x400800);
  EXPECT_EQ(memory.visited, (std::vector<unsigned long>{0x400100, 0x400800}));
}

TEST(MipsWalk, AStackThatPointsAtItselfStillEnds) {
  MipsMemory memory;
  memory.Function(0x400400, {0x27BD0000 /* addiu sp,sp,0 */, 0xAFBF0004 /* sw ra,4(sp) */, kCall});
  memory.Word(kStack + 4, 0x400408);
  Walk(memory, 0x400408, 0);
  EXPECT_GT(memory.visited.size(), 1u);
  EXPECT_LE(memory.visited.size(), 128u);
}

}  // namespace
