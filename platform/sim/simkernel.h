// The simulated set's scheduler: one lock, one clock and the waits of every
// thread of the set. Each primitive of the set (semaphores, queues, events,
// sleeps, the state manager) keeps its state under the kernel lock and blocks
// through Wait, so that on the virtual clock the kernel always knows whether
// a thread of the set can still run, and which deadline comes next. On the
// virtual clock the threads of the set take turns, one running at a time.
//
// On the clock on the wall they run together, and a thread sanitizer is to
// see them order one another only where a set's threads do: through what
// they share, a semaphore given and taken, an entry posted and received, an
// event set and waited for. The kernel's one lock, the record of calls, the
// list of threads and each module's lock of the middleware's state
// (StateMutex) are the simulator's own bookkeeping, which every thread of
// the set takes: there, in a build with the thread sanitizer, what a thread
// does under them is hidden from the sanitizer (what they order, and the
// state they guard), and each primitive of the set makes its own edge
// instead, the giving thread before it takes the kernel's lock and the
// receiving one after it gives it back. Counts the simulator keeps are
// relaxed atomics, which order nothing. On the virtual clock the kernel's
// turns order every thread of the set anyway, and the sanitizer sees the
// locks as they are.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace simk {

inline constexpr uint64_t kNoDeadline = UINT64_MAX;

// While it lives (the lock while held), what its thread does is hidden from
// the thread sanitizer, on the wall clock: see above.
class Bookkeeping {
 public:
  Bookkeeping() { Hide(); }
  ~Bookkeeping() { Show(); }
  Bookkeeping(const Bookkeeping&) = delete;
  Bookkeeping& operator=(const Bookkeeping&) = delete;

 protected:
  void Hide();
  void Show();

 private:
  bool hidden_ = false;
};

// The kernel's lock, hidden as bookkeeping while held; the condition
// variables of the waits take it as the lock it is.
class Lock : private Bookkeeping, public std::unique_lock<std::mutex> {
 public:
  explicit Lock(std::mutex& mutex) : std::unique_lock<std::mutex>(mutex) {}
  void lock() {
    Hide();
    std::unique_lock<std::mutex>::lock();
  }
  void unlock() {
    std::unique_lock<std::mutex>::unlock();
    Show();
  }
};

// The lock of a module's record of the middleware's state (its values,
// channels, recordings, settings, ...), which the set's threads and the GUI
// take on their calls as they take the kernel's: bookkeeping too, so that on
// the wall clock the sanitizer sees neither the order it makes nor what its
// holder reads and writes under it. The primitives of the set that the
// holder uses meanwhile (an answer asked for, an event sent, an input
// buffer's post) make their edges all the same. No condition variable waits
// on it.
class StateMutex {
 public:
  StateMutex() = default;
  StateMutex(const StateMutex&) = delete;
  StateMutex& operator=(const StateMutex&) = delete;
  void lock();
  void unlock();

 private:
  std::mutex mutex_;
  bool hidden_ = false;  // the holder's
};

// The edges of the set's own primitives, for the sanitizer on the wall clock
// (nothing elsewhere). Release by the giving thread before it takes the
// kernel's lock, Acquire by the receiving one once it has given it back.
void Release(const void* primitive);
void Acquire(const void* primitive);

// The edge of one hand-over (an entry of a queue, a job): given by the
// thread that hands it over, once what it hands over is written, and taken
// by the one thread that receives it, which is ordered after that giver
// alone, not after every thread that used the queue meanwhile.
class Handover {
 public:
  Handover() = default;
  Handover(Handover&&) = default;
  Handover& operator=(Handover&& other);
  ~Handover();
  void Give();
  void Take();

 private:
  void Drop();

  std::unique_ptr<char> token_;
};

std::mutex& Mutex();

void Boot(bool virtualClock, bool bootThreadIsSet);
bool IsBooted();
bool IsVirtual();
// Milliseconds since boot. Caller holds the lock or not: both are safe.
uint64_t NowMs();
// The deadline of a wait of ms from now; negative ms waits without limit.
uint64_t DeadlineAfter(int64_t ms);

// Blocks until ready() holds or the deadline passes; ready is evaluated under
// the lock, by whichever thread changed the state. Returns ready()'s answer
// at the end. Call with the lock held.
bool Wait(Lock& lock, const std::function<bool()>& ready, uint64_t deadline);
// After a change of state that may make a waiter ready. Lock held. On the
// virtual clock a driving thread's change is looked at when it next settles,
// advances or waits.
void Changed();

// Threads of the set: counted from before they start until they end.
void StartThread(const char* name, std::function<void()> body);
bool IsSetThread();

void Settle();
void Advance(uint64_t ms);

// Recording and failure injection of platform calls.
struct CallArgs {
  std::vector<std::string> args;
  CallArgs& Int(int64_t value);
  CallArgs& Text(const char* text);
  CallArgs& Words(const void* data, uint32_t size);
  CallArgs& Ptr();
};
void Record(const char* name, const CallArgs& args);
inline void Record(const char* name) { Record(name, CallArgs{}); }
// True when the call is to fail now; code receives the result to return.
bool Fails(const char* name, int32_t* code);
void ClearFailures();
// Whether a family header declares a function of that name.
bool IsCall(const char* name);
// Records the call, then tells as Fails does (code 0 when it goes on).
inline bool Refused(const char* name, const CallArgs& args, int32_t* code) {
  Record(name, args);
  *code = 0;
  return Fails(name, code);
}

}  // namespace simk
