// The set's answers that come later: the results of long operations (scans,
// joins, discoveries, launches) that the middleware and the state manager
// deliver some time after the call that started them. One thread of the set
// waits for the next answer on the set's clock and gives it (simlater.h).
#include <vector>

#include "simlater.h"
#include "simtv.h"
#include "simvalues.h"

namespace simtv {
namespace {

simk::LaterQueue& Q() {
  static simk::LaterQueue& queue = *new simk::LaterQueue("simtv_answers");
  return queue;
}

std::vector<unsigned char> Copy(const void* payload, uint32_t size) {
  if (!payload || size == 0) return {};
  auto* bytes = static_cast<const unsigned char*>(payload);
  return {bytes, bytes + size};
}

}  // namespace

uint64_t AnswerLater(uint32_t ms, Answer answer) { return Q().Later(ms, std::move(answer)); }

void WithdrawAnswer(uint64_t id) { Q().Withdraw(id); }

uint64_t EventLater(uint32_t ms, uint32_t event, const void* payload, uint32_t size) {
  return AnswerLater(ms, [event, bytes = Copy(payload, size)] {
    simtv_inject_event(0, event, bytes.empty() ? nullptr : bytes.data(), uint32_t(bytes.size()));
  });
}

uint64_t CommandLater(uint32_t ms, uint32_t command, const void* payload, uint32_t size) {
  return AnswerLater(ms, [command, bytes = Copy(payload, size)] {
    simtv_inject_command(command, bytes.empty() ? nullptr : bytes.data(), uint32_t(bytes.size()));
  });
}

}  // namespace simtv

void SimStartAnswers() { simtv::Q().Start(); }
