#include "simlater.h"

#include <cstdio>

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

LaterQueue::Entry LaterQueue::NextDue() {
  Lock lock(Mutex());
  uint64_t seen = changes_;
  const std::function<bool()> ready = [this, &seen] {
    return changes_ != seen || (!pending_.empty() && pending_.begin()->first.first <= NowMs());
  };
  while (pending_.empty() || pending_.begin()->first.first > NowMs()) {
    const uint64_t deadline = pending_.empty() ? kNoDeadline : pending_.begin()->first.first;
    Wait(lock, ready, deadline);
    seen = changes_;
  }
  Entry entry = std::move(pending_.begin()->second);
  pending_.erase(pending_.begin());
  return entry;
}

// A job runs out of the kernel's lock, which guards only the queue. On the
// wall clock the log tells each job as it runs, where no scenario's call
// record shows it.
void LaterQueue::Run() {
  const bool tell = !IsVirtual();
  for (;;) {
    Entry entry = NextDue();
    entry.edge.Take();
    if (tell) {
      std::printf("SIMTV: %s runs a job asked of it\n", name_.c_str());
      std::fflush(stdout);
    }
    entry.job();
  }
}

uint64_t LaterQueue::Later(uint32_t ms, Job job) {
  Entry entry{std::move(job), {}};
  entry.edge.Give();
  Lock lock(Mutex());
  const uint64_t id = next_++;
  pending_.emplace(std::make_pair(NowMs() + ms, id), std::move(entry));
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
