// The set's answers that come later: the results of long operations (scans,
// joins, discoveries, launches) that the middleware and the state manager
// deliver some time after the call that started them. One thread of the set
// waits for the next answer on the set's clock and gives it, so on the
// virtual clock an answer arrives exactly when the driving thread moves the
// clock past it, and never while the caller still runs.
#include <map>
#include <utility>
#include <vector>

#include "simkernel.h"
#include "simtv.h"
#include "simvalues.h"

namespace simtv {
namespace {

// Guarded by the kernel lock. Answers due at the same time keep the order
// they were asked in: the key's second half is the answer's number.
struct Answers {
  std::map<std::pair<uint64_t, uint64_t>, Answer> pending;
  uint64_t next = 1;
  uint64_t changes = 0;
};

Answers& A() {
  static Answers& answers = *new Answers;
  return answers;
}

void AnswerThread() {
  simk::Lock lock(simk::Mutex());
  uint64_t seen = A().changes;
  std::function<bool()> ready = [&seen] {
    return A().changes != seen || (!A().pending.empty() && A().pending.begin()->first.first <= simk::NowMs());
  };
  for (;;) {
    const uint64_t deadline = A().pending.empty() ? simk::kNoDeadline : A().pending.begin()->first.first;
    simk::Wait(lock, ready, deadline);
    seen = A().changes;
    while (!A().pending.empty() && A().pending.begin()->first.first <= simk::NowMs()) {
      Answer answer = std::move(A().pending.begin()->second);
      A().pending.erase(A().pending.begin());
      lock.unlock();
      answer();
      lock.lock();
    }
  }
}

std::vector<unsigned char> Copy(const void* payload, uint32_t size) {
  if (!payload || size == 0) return {};
  auto* bytes = static_cast<const unsigned char*>(payload);
  return {bytes, bytes + size};
}

}  // namespace

uint64_t AnswerLater(uint32_t ms, Answer answer) {
  simk::Lock lock(simk::Mutex());
  const uint64_t id = A().next++;
  A().pending.emplace(std::make_pair(simk::NowMs() + ms, id), std::move(answer));
  ++A().changes;
  simk::Changed();
  return id;
}

void WithdrawAnswer(uint64_t id) {
  simk::Lock lock(simk::Mutex());
  for (auto it = A().pending.begin(); it != A().pending.end(); ++it) {
    if (it->first.second != id) continue;
    A().pending.erase(it);
    ++A().changes;
    simk::Changed();
    return;
  }
}

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

void SimStartAnswers() { simk::StartThread("simtv_answers", simtv::AnswerThread); }
