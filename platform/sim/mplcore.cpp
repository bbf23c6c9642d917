#include "mplcore.h"

#include <atomic>
#include <deque>
#include <map>
#include <memory>
#include <thread>
#include <vector>

#include "sigstack.h"
#include "simkernel.h"

namespace {

struct Entry {
  std::vector<void*> words;
  simk::Handover edge;
};

struct Queue {
  size_t capacity;
  size_t entryWords;
  std::deque<Entry> entries;
};

// Every queue until it is deleted. Guarded by the kernel lock.
std::map<MPLCore_QueueId, std::unique_ptr<Queue>>& Queues() {
  static auto& queues = *new std::map<MPLCore_QueueId, std::unique_ptr<Queue>>;
  return queues;
}

MPLCore_QueueId g_nextQueue = 1;
std::atomic<uint32_t> g_nextThread{1};

enum { kQueueFull = 0x10, kQueueUnknown = 0x11, kQueueTimeout = 0x12 };

}  // namespace

extern "C" {

uint32_t MPLCore_ThreadCreateNamed(const char* name, MPLCore_ThreadEntry entry, void* argument, int32_t priority) {
  simk::Record("MPLCore_ThreadCreateNamed", simk::CallArgs{}.Text(name).Ptr().Ptr().Int(priority));
  int32_t code = 0;
  if (simk::Fails("MPLCore_ThreadCreateNamed", &code) || !entry) return 0;
  simk::StartThread(name, [entry, argument] { entry(argument); });
  return g_nextThread.fetch_add(1, std::memory_order_relaxed);
}

// An unnamed thread keeps to the real clock (its sleeps are the kernel
// interface's), so it is no thread of the set that the virtual clock would
// wait for; it runs detached, and whoever made it waits for its end.
uint32_t MPLCore_ThreadCreate(MPLCore_ThreadEntry entry, void* argument, int32_t priority) {
  simk::Record("MPLCore_ThreadCreate", simk::CallArgs{}.Ptr().Ptr().Int(priority));
  int32_t code = 0;
  if (simk::Fails("MPLCore_ThreadCreate", &code) || !entry) return 0;
  std::thread([entry, argument] {
    SigStackForThread();
    entry(argument);
  }).detach();
  return g_nextThread.fetch_add(1, std::memory_order_relaxed);
}

MPLCore_QueueId MPLCore_QueueCreate(int32_t kind, int32_t capacity, int32_t entryWords) {
  simk::Record("MPLCore_QueueCreate", simk::CallArgs{}.Int(kind).Int(capacity).Int(entryWords));
  int32_t code = 0;
  if (simk::Fails("MPLCore_QueueCreate", &code) || capacity <= 0 || entryWords <= 0) return 0;
  simk::Lock lock(simk::Mutex());
  MPLCore_QueueId id = g_nextQueue++;
  Queues()[id] = std::make_unique<Queue>(Queue{size_t(capacity), size_t(entryWords), {}});
  return id;
}

int32_t MPLCore_QueuePost(MPLCore_QueueId queue, const void* entry) {
  simk::Record("MPLCore_QueuePost", simk::CallArgs{}.Int(int64_t(queue)).Ptr());
  int32_t code = 0;
  if (simk::Fails("MPLCore_QueuePost", &code)) return code;
  // What the entry points to is written: the thread that receives it is
  // ordered after this one.
  simk::Handover edge;
  edge.Give();
  simk::Lock lock(simk::Mutex());
  auto it = Queues().find(queue);
  if (it == Queues().end() || !entry) return kQueueUnknown;
  Queue& q = *it->second;
  if (q.entries.size() >= q.capacity) return kQueueFull;
  auto* words = static_cast<void* const*>(entry);
  q.entries.push_back(Entry{{words, words + q.entryWords}, std::move(edge)});
  simk::Changed();
  return 0;
}

int32_t MPLCore_QueueWait(MPLCore_QueueId queue, void* entry, int32_t timeout) {
  int32_t code = 0;
  if (simk::Fails("MPLCore_QueueWait", &code)) return code;
  simk::Handover edge;
  {
    simk::Lock lock(simk::Mutex());
    if (!entry || Queues().find(queue) == Queues().end()) return kQueueUnknown;
    // Looked up at every test: the queue may be deleted while this thread waits.
    std::function<bool()> ready = [queue] {
      auto it = Queues().find(queue);
      return it == Queues().end() || !it->second->entries.empty();
    };
    if (!simk::Wait(lock, ready, simk::DeadlineAfter(timeout))) return kQueueTimeout;
    auto it = Queues().find(queue);
    if (it == Queues().end()) return kQueueUnknown;
    Queue& q = *it->second;
    auto* words = static_cast<void**>(entry);
    for (size_t i = 0; i < q.entryWords; ++i) words[i] = q.entries.front().words[i];
    edge = std::move(q.entries.front().edge);
    q.entries.pop_front();
  }
  edge.Take();
  return 0;
}

int32_t MPLCore_QueueDelete(MPLCore_QueueId queue) {
  simk::Record("MPLCore_QueueDelete", simk::CallArgs{}.Int(int64_t(queue)));
  simk::Lock lock(simk::Mutex());
  if (Queues().erase(queue) == 0) return kQueueUnknown;
  simk::Changed();
  return 0;
}

int32_t MPLCore_SetRunStatus(int32_t status) {
  simk::Record("MPLCore_SetRunStatus", simk::CallArgs{}.Int(status));
  return 0;
}

int32_t MPLCore_MountPartitionName(const char* partition, const char* mountPoint, const char* fileSystem,
                                   int32_t flags) {
  simk::Record("MPLCore_MountPartitionName",
               simk::CallArgs{}.Text(partition).Text(mountPoint).Text(fileSystem).Int(flags));
  int32_t code = 0;
  if (simk::Fails("MPLCore_MountPartitionName", &code)) return code;
  // The simulated flash has the partition and mounts nothing: its mount point
  // is a folder below the simulated root.
  return 0;
}

}  // extern "C"
