// The simulated set's scheduler: one lock, one clock and the waits of every
// thread of the set. Each primitive of the set (semaphores, queues, events,
// sleeps, the state manager) keeps its state under the kernel lock and blocks
// through Wait, so that on the virtual clock the kernel always knows whether
// a thread of the set can still run, and which deadline comes next. On the
// virtual clock the threads of the set take turns, one running at a time.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace simk {

inline constexpr uint64_t kNoDeadline = UINT64_MAX;

using Lock = std::unique_lock<std::mutex>;

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
