#include "simkernel.h"

#include <pthread.h>
#include <sys/time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <deque>
#include <iterator>
#include <map>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <vector>

#include "sigstack.h"
#include "simtv.h"
#include "vgclock.h"

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
extern "C" {
void AnnotateIgnoreSyncBegin(const char* file, int line);
void AnnotateIgnoreSyncEnd(const char* file, int line);
void AnnotateIgnoreReadsBegin(const char* file, int line);
void AnnotateIgnoreReadsEnd(const char* file, int line);
void AnnotateIgnoreWritesBegin(const char* file, int line);
void AnnotateIgnoreWritesEnd(const char* file, int line);
}
#endif

namespace simk {
namespace {

// Set once at boot, before the threads of the set exist, when the clock is
// the wall's and a thread sanitizer watches: it is shown the set's own
// edges only.
std::atomic<bool> g_ownEdges{false};

bool OwnEdges() { return g_ownEdges.load(std::memory_order_relaxed); }

struct Waiter {
  const std::function<bool()>* ready;
  uint64_t deadline;
  bool setThread;
  bool woken = false;
  // Each waiter is woken alone: a turn handed on wakes one thread, not all.
  std::condition_variable wake;
};

struct Kernel {
  std::mutex mutex;
  std::condition_variable idle;
  std::atomic<bool> booted{false};
  bool virtualClock = false;
  std::atomic<uint64_t> virtualNow{0};
  std::chrono::steady_clock::time_point realStart;
  timeval wallBase{};
  // Threads of the set that are not blocked in Wait.
  int running = 0;
  std::vector<Waiter*> waiters;
};

Kernel& K() {
  // Never destroyed: threads of the set may still wait on it while the process exits.
  static Kernel& kernel = *new Kernel;
  return kernel;
}

thread_local bool t_setThread = false;

// The threads of the set, joined once they have ended, so that the process
// holds only the threads that still run, however many periods come and go.
// A thread is listed once made, and may end before: its end waits in ended
// until it is listed.
struct Threads {
  StateMutex mutex;
  std::map<std::thread::id, std::thread> live;
  std::vector<std::thread::id> ended;
};

Threads& T() {
  static Threads& threads = *new Threads;
  return threads;
}

// Joins the threads that have ended; each has only its return left to run.
// Never called with the kernel lock held.
void Reap() {
  std::vector<std::thread> done;
  {
    Threads& threads = T();
    std::lock_guard guard(threads.mutex);
    std::erase_if(threads.ended, [&](std::thread::id id) {
      auto it = threads.live.find(id);
      if (it == threads.live.end()) return false;
      done.push_back(std::move(it->second));
      threads.live.erase(it);
      return true;
    });
  }
  for (std::thread& thread : done) thread.join();
}

uint64_t RealNowMs() {
  auto elapsed = std::chrono::steady_clock::now() - K().realStart;
  return uint64_t(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

// On the virtual clock one thread of the set runs at a time, and the next to
// run is the first of the waiting ones, in the order they began to wait,
// that can go on: threads that could go on at one moment of the set's clock
// take their turns in the same order however busy the machine is, so the
// set does the same whatever the machine's speed. On the real clock every
// waiter that can go on is woken at once.
void Reevaluate() {
  Kernel& k = K();
  const uint64_t now = NowMs();
  for (Waiter* w : k.waiters) {
    if (w->woken) continue;
    if (k.virtualClock && k.running > 0) break;
    if ((*w->ready)() || now >= w->deadline) {
      w->woken = true;
      if (w->setThread) ++k.running;
      w->wake.notify_one();
    }
  }
}

uint64_t EarliestDeadline() {
  uint64_t earliest = kNoDeadline;
  for (Waiter* w : K().waiters)
    if (!w->woken) earliest = std::min(earliest, w->deadline);
  return earliest;
}

void SettleLocked(Lock& lock) {
  Kernel& k = K();
  Reevaluate();
  k.idle.wait(lock, [&] { return k.running <= 0; });
}

// Moves the virtual clock, and the GUI's clock with it.
void SetNow(uint64_t to) {
  Kernel& k = K();
  uint64_t from = k.virtualNow.load();
  if (to <= from) return;
  k.virtualNow.store(to);
  for (uint64_t left = to - from; left > 0;) {
    uint32_t step = uint32_t(std::min<uint64_t>(left, 0x40000000u));
    VgClockAdvance(step);
    left -= step;
  }
}

// A driving thread's wait on the virtual clock: it lets the set run, then
// moves the clock to the next deadline, until it is ready or its own
// deadline has come.
bool DriverWait(Lock& lock, const std::function<bool()>& ready, uint64_t deadline) {
  for (;;) {
    if (ready()) return true;
    if (NowMs() >= deadline) return false;
    SettleLocked(lock);
    if (ready()) return true;
    uint64_t next = std::min(deadline, EarliestDeadline());
    if (next == kNoDeadline) {
      std::fprintf(stderr, "SIMTV: the driving thread waits for ever: nothing of the set can wake it\n");
      return false;
    }
    SetNow(next);
    Reevaluate();
  }
}

}  // namespace

void Bookkeeping::Hide() {
#if defined(__SANITIZE_THREAD__)
  if (hidden_ || !OwnEdges()) return;
  hidden_ = true;
  AnnotateIgnoreSyncBegin(__FILE__, __LINE__);
  AnnotateIgnoreReadsBegin(__FILE__, __LINE__);
  AnnotateIgnoreWritesBegin(__FILE__, __LINE__);
#endif
}

void Bookkeeping::Show() {
#if defined(__SANITIZE_THREAD__)
  if (!hidden_) return;
  hidden_ = false;
  AnnotateIgnoreWritesEnd(__FILE__, __LINE__);
  AnnotateIgnoreReadsEnd(__FILE__, __LINE__);
  AnnotateIgnoreSyncEnd(__FILE__, __LINE__);
#endif
}

// Only the lock's own ordering is hidden as it is taken and given back;
// while it is held, reads and writes are, and nothing else.
void StateMutex::lock() {
#if defined(__SANITIZE_THREAD__)
  if (OwnEdges()) {
    AnnotateIgnoreSyncBegin(__FILE__, __LINE__);
    mutex_.lock();
    AnnotateIgnoreSyncEnd(__FILE__, __LINE__);
    AnnotateIgnoreReadsBegin(__FILE__, __LINE__);
    AnnotateIgnoreWritesBegin(__FILE__, __LINE__);
    hidden_ = true;
    return;
  }
#endif
  mutex_.lock();
  hidden_ = false;
}

void StateMutex::unlock() {
#if defined(__SANITIZE_THREAD__)
  if (hidden_) {
    AnnotateIgnoreWritesEnd(__FILE__, __LINE__);
    AnnotateIgnoreReadsEnd(__FILE__, __LINE__);
    AnnotateIgnoreSyncBegin(__FILE__, __LINE__);
    mutex_.unlock();
    AnnotateIgnoreSyncEnd(__FILE__, __LINE__);
    return;
  }
#endif
  mutex_.unlock();
}

void Release(const void* primitive) {
#if defined(__SANITIZE_THREAD__)
  if (OwnEdges()) __tsan_release(const_cast<void*>(primitive));
#else
  (void)primitive;
#endif
}

void Acquire(const void* primitive) {
#if defined(__SANITIZE_THREAD__)
  if (OwnEdges()) __tsan_acquire(const_cast<void*>(primitive));
#else
  (void)primitive;
#endif
}

// The token is the edge's own address, freed with the hand-over. Its thread
// may be neither the giver nor the taker (an entry dropped with its queue):
// the free is bookkeeping too.
void Handover::Give() {
  if (!OwnEdges()) return;
  if (!token_) token_.reset(new char);
  Release(token_.get());
}

void Handover::Take() {
  if (token_) Acquire(token_.get());
}

void Handover::Drop() {
  if (!token_) return;
  Bookkeeping hidden;
  token_.reset();
}

Handover& Handover::operator=(Handover&& other) {
  if (this != &other) {
    Drop();
    token_ = std::move(other.token_);
  }
  return *this;
}

Handover::~Handover() { Drop(); }

std::mutex& Mutex() { return K().mutex; }

void Boot(bool virtualClock, bool bootThreadIsSet) {
  Kernel& k = K();
  {
    Lock lock(k.mutex);
    if (k.booted.load()) return;
    k.virtualClock = virtualClock;
    k.realStart = std::chrono::steady_clock::now();
    gettimeofday(&k.wallBase, nullptr);
    if (virtualClock) VgClockSetManual(true);
    if (bootThreadIsSet) {
      t_setThread = true;
      ++k.running;
    }
    k.booted.store(true);
  }
#if defined(__SANITIZE_THREAD__)
  g_ownEdges.store(!virtualClock, std::memory_order_relaxed);
#endif
}

bool IsBooted() { return K().booted.load(); }
bool IsVirtual() { return K().virtualClock; }

uint64_t NowMs() {
  Kernel& k = K();
  if (!k.booted.load()) return 0;
  return k.virtualClock ? k.virtualNow.load() : RealNowMs();
}

uint64_t DeadlineAfter(int64_t ms) {
  if (ms < 0) return kNoDeadline;
  return NowMs() + uint64_t(ms);
}

bool Wait(Lock& lock, const std::function<bool()>& ready, uint64_t deadline) {
  Kernel& k = K();
  if (ready()) return true;
  if (NowMs() >= deadline) return false;
  if (k.virtualClock && !t_setThread) return DriverWait(lock, ready, deadline);

  Waiter w{&ready, deadline, t_setThread};
  k.waiters.push_back(&w);
  if (w.setThread && --k.running <= 0) k.idle.notify_all();
  // Whatever this thread did before blocking (a post into an event buffer,
  // say) may be what another waiter waits for.
  Reevaluate();
  if (k.virtualClock || deadline == kNoDeadline) {
    w.wake.wait(lock, [&] { return w.woken; });
  } else {
    auto until = k.realStart + std::chrono::milliseconds(deadline);
    while (!w.woken) {
      if (w.wake.wait_until(lock, until) == std::cv_status::timeout && !w.woken) {
        w.woken = true;
        if (w.setThread) ++k.running;
      }
    }
  }
  k.waiters.erase(std::find(k.waiters.begin(), k.waiters.end(), &w));
  return ready();
}

// On the virtual clock what a driving thread changes wakes the set at the
// driver's next settle or wait: the set never runs beside it, so all that one
// scenario line or test step does (a disk taken out that ends a playback and
// tells the media library) reaches the set as one.
void Changed() {
  if (K().virtualClock && !t_setThread) return;
  Reevaluate();
}

void StartThread(const char* name, std::function<void()> body) {
  Kernel& k = K();
  Reap();
  // On the virtual clock the new thread waits for its turn from the start,
  // queued before it exists; on the real clock it counts as running at once.
  static const std::function<bool()> kAtOnce = [] { return true; };
  Waiter* turn = nullptr;
  {
    Lock lock(k.mutex);
    if (k.virtualClock) {
      turn = new Waiter{&kAtOnce, kNoDeadline, true};
      k.waiters.push_back(turn);
      Changed();
    } else {
      ++k.running;
    }
  }
  std::string threadName = name ? name : "";
  // It says that it has ended before it stops counting as running, so that
  // a settle after it joins it: a thread left unjoined at the end of the
  // process is one that a sanitizer reports. It is listed once made, not
  // under the list's lock: making a thread may wait for it to start, and
  // the end of the process takes that lock.
  std::thread thread([threadName, body = std::move(body), turn] {
    SigStackForThread();
    t_setThread = true;
    pthread_setname_np(pthread_self(), threadName.substr(0, 15).c_str());
    if (turn) {
      Kernel& kernel = K();
      Lock lock(kernel.mutex);
      turn->wake.wait(lock, [turn] { return turn->woken; });
      kernel.waiters.erase(std::find(kernel.waiters.begin(), kernel.waiters.end(), turn));
      delete turn;
    }
    body();
    {
      Threads& all = T();
      std::lock_guard ending(all.mutex);
      all.ended.push_back(std::this_thread::get_id());
    }
    Kernel& kernel = K();
    Lock lock(kernel.mutex);
    if (--kernel.running <= 0) kernel.idle.notify_all();
    Reevaluate();
  });
  const std::thread::id id = thread.get_id();
  Threads& threads = T();
  std::lock_guard guard(threads.mutex);
  threads.live.emplace(id, std::move(thread));
}

bool IsSetThread() { return t_setThread; }

void Settle() {
  Kernel& k = K();
  if (!k.virtualClock || t_setThread) return;
  {
    Lock lock(k.mutex);
    SettleLocked(lock);
  }
  Reap();
}

void Advance(uint64_t ms) {
  Kernel& k = K();
  if (!k.virtualClock || t_setThread) return;
  {
    Lock lock(k.mutex);
    const uint64_t target = NowMs() + ms;
    for (;;) {
      SettleLocked(lock);
      uint64_t next = std::min(target, EarliestDeadline());
      SetNow(next);
      Reevaluate();
      if (next >= target) break;
    }
    SettleLocked(lock);
  }
  Reap();
}

// ------------------------------------------------------------- call record

namespace {

struct Failure {
  int32_t code;
  int32_t count;
};

// The log holds each call as the number of its text, each text once: a long
// stretch of the set's life repeats a few calls (the GUI loop's lock, taken
// and given a hundred times a second while something animates) tens of
// thousands of times.
struct Calls {
  std::mutex mutex;
  std::deque<uint32_t> log;
  std::deque<std::string> texts;  // a deque, so that the index's views stay put
  std::unordered_map<std::string_view, uint32_t> numbers;
  // Calls forgotten from the front of the log since the last clear.
  size_t dropped = 0;
  std::map<std::string, Failure> failures;
};

Calls& C() {
  static Calls& calls = *new Calls;
  return calls;
}

// Enough for the calls between two blocks of expectations of any scenario;
// a soak of many thousand lines forgets the oldest and keeps its memory flat.
constexpr size_t kMaxCalls = 16384;

constexpr const char* kCallNames[] = {
#include "platform_call_names.inc"
};

}  // namespace

void ClearFailures() {
  Bookkeeping hidden;
  std::lock_guard guard(C().mutex);
  C().failures.clear();
}

bool IsCall(const char* name) {
  if (!name) return false;
  return std::binary_search(std::begin(kCallNames), std::end(kCallNames), name,
                            [](const char* a, const char* b) { return std::strcmp(a, b) < 0; });
}

CallArgs& CallArgs::Int(int64_t value) {
  args.push_back(std::to_string(value));
  return *this;
}

// A text that is not one plain word is quoted, with \ before a quote or a
// backslash, so that the record splits into its arguments as a scenario line
// does.
CallArgs& CallArgs::Text(const char* text) {
  if (!text) {
    args.push_back("-");
    return *this;
  }
  const std::string_view view(text);
  if (!view.empty() && view != "-" && view.find_first_of(" \t\"\\") == std::string_view::npos) {
    args.emplace_back(view);
    return *this;
  }
  std::string quoted = "\"";
  for (char c : view) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  args.push_back(quoted + '"');
  return *this;
}

CallArgs& CallArgs::Words(const void* data, uint32_t size) {
  if (!data || size == 0 || size % 4 != 0) {
    args.push_back("-");
    return *this;
  }
  std::string words;
  auto* bytes = static_cast<const unsigned char*>(data);
  for (uint32_t i = 0; i < size; i += 4) {
    uint32_t word = uint32_t(bytes[i]) | uint32_t(bytes[i + 1]) << 8 | uint32_t(bytes[i + 2]) << 16 |
                    uint32_t(bytes[i + 3]) << 24;
    if (i) words += ',';
    words += std::to_string(int32_t(word));
  }
  args.push_back(words);
  return *this;
}

CallArgs& CallArgs::Ptr() {
  args.push_back("-");
  return *this;
}

namespace {

// Keeps only the texts that calls still in the log have.
void ForgetUnusedTexts(Calls& c) {
  std::vector<uint32_t> renumbered(c.texts.size(), UINT32_MAX);
  std::deque<std::string> kept;
  for (uint32_t& number : c.log) {
    if (renumbered[number] == UINT32_MAX) {
      renumbered[number] = static_cast<uint32_t>(kept.size());
      kept.push_back(std::move(c.texts[number]));
    }
    number = renumbered[number];
  }
  c.texts = std::move(kept);
  c.numbers.clear();
  for (uint32_t i = 0; i < c.texts.size(); ++i) c.numbers.emplace(c.texts[i], i);
}

}  // namespace

void Record(const char* name, const CallArgs& args) {
  // The record is no part of the set: the calls it notes order nothing.
  Bookkeeping hidden;
  std::string text = name;
  for (const std::string& a : args.args) text += ' ' + a;
  Calls& c = C();
  std::lock_guard guard(c.mutex);
  if (c.log.size() >= kMaxCalls) {
    c.log.erase(c.log.begin(), c.log.begin() + kMaxCalls / 2);
    c.dropped += kMaxCalls / 2;
    if (c.texts.size() > c.log.size()) ForgetUnusedTexts(c);
  }
  auto found = c.numbers.find(text);
  if (found == c.numbers.end()) {
    c.texts.push_back(std::move(text));
    found = c.numbers.emplace(c.texts.back(), static_cast<uint32_t>(c.texts.size() - 1)).first;
  }
  c.log.push_back(found->second);
}

bool Fails(const char* name, int32_t* code) {
  Bookkeeping hidden;
  Calls& c = C();
  std::lock_guard guard(c.mutex);
  auto it = c.failures.find(name);
  if (it == c.failures.end() || it->second.count == 0) return false;
  *code = it->second.code;
  if (it->second.count > 0) --it->second.count;
  return true;
}

}  // namespace simk

extern "C" {

void simtv_settle(void) { simk::Settle(); }
void simtv_advance(uint32_t ms) { simk::Advance(ms); }
int simtv_virtual_clock(void) { return simk::IsVirtual() ? 1 : 0; }
uint64_t simtv_now_ms(void) { return simk::NowMs(); }

void simtv_gettimeofday(struct timeval* now) {
  if (!now) return;
  if (!simk::IsBooted() || !simk::IsVirtual()) {
    gettimeofday(now, nullptr);
    return;
  }
  const timeval& base = simk::K().wallBase;
  uint64_t us = uint64_t(base.tv_usec) + simk::NowMs() * 1000u;
  now->tv_sec = base.tv_sec + time_t(us / 1000000u);
  now->tv_usec = suseconds_t(us % 1000000u);
}

void simtv_release_threads(void) {
  simk::Reap();
  simk::Threads& threads = simk::T();
  std::lock_guard guard(threads.mutex);
  // One that ends from now on is detached: nobody would join it, and an end
  // still waiting to be listed names a thread that nobody will list.
  for (auto& [id, thread] : threads.live) thread.detach();
  threads.live.clear();
  threads.ended.clear();
}

void simtv_halt_thread(void) {
  simk::Lock lock(simk::Mutex());
  std::function<bool()> never = [] { return false; };
  for (;;) simk::Wait(lock, never, simk::kNoDeadline);
}

int simtv_call_count(void) {
  simk::Bookkeeping hidden;
  std::lock_guard guard(simk::C().mutex);
  return int(simk::C().dropped + simk::C().log.size());
}

int simtv_call_text(int index, char* text, int size) {
  simk::Bookkeeping hidden;
  std::lock_guard guard(simk::C().mutex);
  auto& log = simk::C().log;
  const size_t dropped = simk::C().dropped;
  if (index < 0 || size_t(index) < dropped || size_t(index) - dropped >= log.size() || !text || size <= 0) return -1;
  std::snprintf(text, size_t(size), "%s", simk::C().texts[log[size_t(index) - dropped]].c_str());
  return 0;
}

void simtv_clear_calls(void) {
  simk::Bookkeeping hidden;
  std::lock_guard guard(simk::C().mutex);
  simk::C().log.clear();
  simk::C().numbers.clear();
  simk::C().texts.clear();
  simk::C().dropped = 0;
}

int simtv_call_known(const char* name) { return simk::IsCall(name) ? 1 : 0; }

int simtv_fail(const char* name, int32_t code, int32_t count) {
  if (!simk::IsCall(name)) return -1;
  simk::Bookkeeping hidden;
  std::lock_guard guard(simk::C().mutex);
  simk::C().failures[name] = simk::Failure{code, count};
  return 0;
}

}  // extern "C"
