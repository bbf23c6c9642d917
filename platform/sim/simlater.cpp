#include "simlater.h"

#include "simkernel.h"

namespace simk {

void LaterQueue::Start() {
  {
    Lock lock(Mutex());
    if (started_) return;
    started_ = true;
  }
  StartThread(name_.c_str(), [this] { Run(); });
}

void LaterQueue::Run() {
  Lock lock(Mutex());
  uint64_t seen = changes_;
  const std::function<bool()> ready = [this, &seen] {
    return changes_ != seen || (!pending_.empty() && pending_.begin()->first.first <= NowMs());
  };
  for (;;) {
    const uint64_t deadline = pending_.empty() ? kNoDeadline : pending_.begin()->first.first;
    Wait(lock, ready, deadline);
    seen = changes_;
    while (!pending_.empty() && pending_.begin()->first.first <= NowMs()) {
      Job job = std::move(pending_.begin()->second);
      pending_.erase(pending_.begin());
      lock.unlock();
      job();
      lock.lock();
    }
  }
}

uint64_t LaterQueue::Later(uint32_t ms, Job job) {
  Lock lock(Mutex());
  const uint64_t id = next_++;
  pending_.emplace(std::make_pair(NowMs() + ms, id), std::move(job));
  ++changes_;
  Changed();
  return id;
}

void LaterQueue::Withdraw(uint64_t id) {
  Lock lock(Mutex());
  for (auto it = pending_.begin(); it != pending_.end(); ++it) {
    if (it->first.second != id) continue;
    pending_.erase(it);
    ++changes_;
    Changed();
    return;
  }
}

void LaterQueue::Clear() {
  Lock lock(Mutex());
  pending_.clear();
  ++changes_;
  Changed();
}

}  // namespace simk
