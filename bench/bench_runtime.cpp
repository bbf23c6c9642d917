// The collector's cost per turn of the GUI loop, and the price of a new object.
#include <benchmark/benchmark.h>

#include "vgobject.h"

namespace BenchRt {
class Item : public XObject {
  VG_CLASS()
 public:
  VgPtr<Item> next;
  VgPtr<Item> other;
};
}  // namespace BenchRt
VG_DEFINE_CLASS(BenchRt, Item, XObject)

namespace {

// One full collection over a live list of 10,000 objects, as a busy screen holds.
void BM_CollectTenThousandLive(benchmark::State& state) {
  auto* head = VgNew<BenchRt::Item>();
  VgLockObject(head);
  BenchRt::Item* tail = head;
  for (int i = 1; i < 10000; ++i) {
    auto* item = VgNew<BenchRt::Item>();
    tail->next = item;
    item->other = head;
    tail = item;
  }
  for (auto _ : state) VgReclaimMemory();
  state.counters["objects"] = static_cast<double>(VgObjectCount());
  VgUnlockObject(head);
  VgReclaimMemory();
}
BENCHMARK(BM_CollectTenThousandLive)->Unit(benchmark::kMicrosecond);

// Creating objects and collecting them as garbage, per object.
void BM_CreateObjects(benchmark::State& state) {
  int64_t made = 0;
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) benchmark::DoNotOptimize(VgNew<BenchRt::Item>());
    made += 1000;
    state.PauseTiming();
    VgReclaimMemory();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(made);
}
BENCHMARK(BM_CreateObjects);

}  // namespace

BENCHMARK_MAIN();
