#include "ossem.h"

#include <deque>

#include "simkernel.h"
#include "simvalues.h"

OS_SemId g_dorn_mutex = nullptr;

namespace {

struct Ticket {
  bool granted = false;
};

}  // namespace

// A count given back while others wait goes to the oldest waiter, so that a
// thread that gives and takes again in a loop cannot starve the others.
struct OS_SemObj {
  int32_t count;
  std::deque<Ticket*> waiting;
};

namespace {

bool Granted(OS_SemId semaphore, int32_t timeout) {
  simk::Lock lock(simk::Mutex());
  if (semaphore->count > 0 && semaphore->waiting.empty()) {
    --semaphore->count;
    return true;
  }
  Ticket ticket;
  semaphore->waiting.push_back(&ticket);
  std::function<bool()> ready = [&ticket] { return ticket.granted; };
  simk::Wait(lock, ready, simk::DeadlineAfter(timeout));
  if (ticket.granted) return true;
  std::erase(semaphore->waiting, &ticket);
  return false;
}

// A take is ordered after the gives before it, as a semaphore of the set
// orders its threads.
int32_t Take(OS_SemId semaphore, int32_t timeout) {
  if (!semaphore) return OS_SEM_INVALID;
  if (!Granted(semaphore, timeout)) return OS_SEM_TIMEOUT;
  simk::Acquire(semaphore);
  return OS_SEM_OK;
}

int32_t Give(OS_SemId semaphore) {
  if (!semaphore) return OS_SEM_INVALID;
  simk::Release(semaphore);
  simk::Lock lock(simk::Mutex());
  if (!semaphore->waiting.empty()) {
    semaphore->waiting.front()->granted = true;
    semaphore->waiting.pop_front();
    simk::Changed();
  } else {
    ++semaphore->count;
  }
  return OS_SEM_OK;
}

}  // namespace

namespace simtv {

bool SemTake(OS_SemId semaphore, int32_t timeout) { return Take(semaphore, timeout) == OS_SEM_OK; }
void SemGive(OS_SemId semaphore) { Give(semaphore); }

}  // namespace simtv

extern "C" {

OS_SemId OS_SemCreate(int32_t count) { return new OS_SemObj{count < 0 ? 0 : count, {}}; }

int32_t OS_SemTakeTrack(OS_SemId semaphore, int32_t timeout, const char* file, int32_t line) {
  simk::Record("OS_SemTakeTrack", simk::CallArgs{}.Int(timeout).Text(file).Int(line));
  int32_t code = 0;
  if (simk::Fails("OS_SemTakeTrack", &code)) return code;
  return Take(semaphore, timeout);
}

int32_t OS_SemGive(OS_SemId semaphore) {
  simk::Record("OS_SemGive");
  int32_t code = 0;
  if (simk::Fails("OS_SemGive", &code)) return code;
  return Give(semaphore);
}

}  // extern "C"
