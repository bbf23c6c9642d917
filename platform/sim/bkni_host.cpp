#include "bkni.h"

#include <cstdlib>
#include <mutex>

#include "simkernel.h"

struct BKNI_EventObj {
  bool set = false;
};

struct BKNI_MutexObj {
  std::mutex mutex;
};

extern "C" {

int32_t BKNI_CreateEvent(BKNI_EventHandle* event) {
  simk::Record("BKNI_CreateEvent");
  int32_t code = 0;
  if (!event) return BKNI_ERROR;
  if (simk::Fails("BKNI_CreateEvent", &code)) {
    *event = nullptr;
    return code;
  }
  *event = new BKNI_EventObj;
  return BKNI_SUCCESS;
}

void BKNI_DestroyEvent(BKNI_EventHandle event) { delete event; }

void BKNI_SetEvent(BKNI_EventHandle event) {
  simk::Record("BKNI_SetEvent");
  if (!event) return;
  simk::Release(event);
  simk::Lock lock(simk::Mutex());
  event->set = true;
  simk::Changed();
}

// A wait that the event ends is ordered after the sets before it.
int32_t BKNI_WaitForEvent(BKNI_EventHandle event, int32_t timeout) {
  simk::Record("BKNI_WaitForEvent", simk::CallArgs{}.Int(timeout));
  if (!event) return BKNI_ERROR;
  {
    simk::Lock lock(simk::Mutex());
    std::function<bool()> ready = [event] { return event->set; };
    if (!simk::Wait(lock, ready, simk::DeadlineAfter(timeout))) return BKNI_TIMEOUT;
    event->set = false;
  }
  simk::Acquire(event);
  return BKNI_SUCCESS;
}

int32_t BKNI_CreateMutex(BKNI_MutexHandle* mutex) {
  if (!mutex) return BKNI_ERROR;
  *mutex = new BKNI_MutexObj;
  return BKNI_SUCCESS;
}

void BKNI_DestroyMutex(BKNI_MutexHandle mutex) { delete mutex; }

int32_t BKNI_AcquireMutex(BKNI_MutexHandle mutex) {
  if (!mutex) return BKNI_ERROR;
  mutex->mutex.lock();
  return BKNI_SUCCESS;
}

void BKNI_ReleaseMutex(BKNI_MutexHandle mutex) {
  if (mutex) mutex->mutex.unlock();
}

// Not recorded: every event and command makes a few, and they would bury the
// calls that tell what the program did.
void* BKNI_Malloc(size_t size) {
  int32_t code = 0;
  if (simk::Fails("BKNI_Malloc", &code)) return nullptr;
  return std::malloc(size ? size : 1);
}

void BKNI_Free(void* block) { std::free(block); }

}  // extern "C"
