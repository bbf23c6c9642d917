// Work that a thread of the set does later: jobs due at a time on the set's
// clock, each run by the queue's own thread once the clock passes it, in the
// order they were asked for when due together. On the virtual clock a job
// runs exactly when the driving thread moves the clock past it, and never
// while its caller still runs.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "simkernel.h"

namespace simk {

class LaterQueue {
 public:
  using Job = std::function<void()>;

  // The thread takes the name; it starts with the first Start.
  explicit LaterQueue(const char* threadName) : name_(threadName) {}
  LaterQueue(const LaterQueue&) = delete;
  LaterQueue& operator=(const LaterQueue&) = delete;

  void Start();
  // The job runs once ms have passed, with no lock held. The caller may hold
  // a lock of its own, but not the kernel's. The number withdraws it.
  uint64_t Later(uint32_t ms, Job job);
  // A job not run yet is dropped; one run already is not undone.
  void Withdraw(uint64_t id);
  // Drops every job not run yet.
  void Clear();

 private:
  struct Entry;
  // Waits until the first job is due and takes it out of the queue.
  Entry NextDue();
  void Run();

  struct Entry {
    Job job;
    // The job runs ordered after the thread that asked for it, and no other.
    Handover edge;
  };
  // Guarded by the kernel lock; the key's second half is the job's number.
  std::map<std::pair<uint64_t, uint64_t>, Entry> pending_;
  uint64_t next_ = 1;
  uint64_t changes_ = 0;
  bool started_ = false;
  std::string name_;
};

}  // namespace simk
