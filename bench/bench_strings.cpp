// Strings: loading constants from a cold and a warm block cache, and the most
// common operation of the generated code, concatenation.
#include <benchmark/benchmark.h>

#include <vector>

#include "Strings.h"
#include "vgobject.h"
#include "vgstring.h"

namespace {

VgStringRef RefOf(const VgConstant& constant) {
  auto* entry = static_cast<const VgStringEntry*>(constant.entries);
  return {entry->block, entry->offset};
}

// Every load unpacks the block afresh.
void BM_LoadStringCold(benchmark::State& state) {
  VgStringRef ref = RefOf(Strings::SID_SETTINGS);
  for (auto _ : state) {
    VgClearStringCache();
    benchmark::DoNotOptimize(VgLoadString(ref));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * ref.block->unpackedSize);
}
BENCHMARK(BM_LoadStringCold);

// The block stays in the cache: a lookup and a move to the front.
void BM_LoadStringCached(benchmark::State& state) {
  VgStringRef ref = RefOf(Strings::SID_SETTINGS);
  VgLoadString(ref);
  for (auto _ : state) benchmark::DoNotOptimize(VgLoadString(ref));
  VgClearStringCache();
}
BENCHMARK(BM_LoadStringCached);

// What a view does: the constant's language entry, then the cached load.
void BM_GetVariantOfStringCached(benchmark::State& state) {
  VgGetVariantOfString(&Strings::SID_SETTINGS);
  for (auto _ : state) benchmark::DoNotOptimize(VgGetVariantOfString(&Strings::SID_SETTINGS));
  VgClearStringCache();
}
BENCHMARK(BM_GetVariantOfStringCached);

// Concatenation of two short strings; the results are freed by the collector's
// string step every 1024 iterations, as a turn of the GUI loop would.
void BM_ConcatString(benchmark::State& state) {
  VgStr a = VgNewStringUtf8("Channel ");
  VgStr b = VgNewStringInt(static_cast<int32_t>(state.range(0)), -1);
  int n = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(VgConcatString(a, b));
    if (++n == 1024) {
      n = 0;
      VgDisposeStrings();
    }
  }
  VgDisposeStrings();
}
BENCHMARK(BM_ConcatString)->Arg(7)->Arg(1234567);

}  // namespace

BENCHMARK_MAIN();
