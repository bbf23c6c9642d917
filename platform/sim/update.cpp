// The simulated update service: it reports the results a test or the runner
// scripts for it, each at its time on the set's clock, from the set's
// answering thread.
#include "update.h"

#include <mutex>
#include <string>

#include "simkernel.h"
#include "simtv.h"
#include "simvalues.h"

namespace {

struct Listener {
  simk::StateMutex mutex;
  UBN_ResultCallback callback = nullptr;
  void* context = nullptr;
};

Listener& L() {
  static Listener& listener = *new Listener;
  return listener;
}

}  // namespace

extern "C" {

int32_t UBN_SetResultCallback(UBN_ResultCallback callback, void* context) {
  simk::Record("UBN_SetResultCallback", simk::CallArgs{}.Ptr().Ptr());
  std::lock_guard lock(L().mutex);
  L().callback = callback;
  L().context = context;
  return 0;
}

void simtv_update_result(uint32_t ms, int32_t result, int32_t value, const char* text) {
  simtv::AnswerLater(ms, [result, value, text = std::string(text ? text : "")] {
    UBN_ResultCallback callback;
    void* context;
    {
      std::lock_guard lock(L().mutex);
      callback = L().callback;
      context = L().context;
    }
    simk::Record("UBN_Result", simk::CallArgs{}.Int(result).Int(value).Text(text.c_str()));
    if (callback) callback(context, result, value, text.c_str());
  });
}

}  // extern "C"
