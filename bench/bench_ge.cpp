// The graphics engine against the same DirectFB calls made directly (full-frame
// fill and blended blit on the 960 x 540 plane), and the engine's own software
// paths (outline, slanted line, pixel, indexed copy) in pixels per second.
// DirectFB runs headless on its dummy system, so every figure is the software
// renderer's: the ratios, not the absolute numbers, are what carry over.
#include <benchmark/benchmark.h>

#include "GraphicsEngine.h"
#include "gcm.h"

namespace {

constexpr int kWidth = 960;
constexpr int kHeight = 540;
constexpr int64_t kFrame = int64_t{kWidth} * kHeight;

struct Plane {
  GenBitmap* target = GenCreateBitmap(kWidth, kHeight, 0);
  GenBitmap* picture = GenCreateBitmap(kWidth, kHeight, 0);
  Plane() {
    // A translucent picture, so that blending has real work to do.
    GenFillRectangle(picture, nullptr, 0x80306090, 0, 0, kWidth, kHeight, 0);
    GenFillRectangle(picture, nullptr, 0xFFE0A040, 100, 100, 860, 440, 0);
  }
  ~Plane() {
    GenFreeBitmap(target);
    GenFreeBitmap(picture);
  }
};

// Waits until the renderer has finished with the surface, so that queued work
// is counted where it belongs.
void Sync(const GenBitmap* b) {
  void* memory;
  int pitch;
  if (b->surface->Lock(b->surface, DSLF_READ, &memory, &pitch) == DFB_OK) b->surface->Unlock(b->surface);
}

void PixelsPerSecond(benchmark::State& state, int64_t pixelsPerIteration) {
  state.SetItemsProcessed(state.iterations() * pixelsPerIteration);
  state.counters["pixels/s"] =
      benchmark::Counter(static_cast<double>(state.iterations() * pixelsPerIteration), benchmark::Counter::kIsRate);
}

void BM_FillFrame_Engine(benchmark::State& state) {
  Plane plane;
  for (auto _ : state) GenFillRectangle(plane.target, nullptr, 0xFF204060, 0, 0, kWidth, kHeight, 0);
  Sync(plane.target);
  PixelsPerSecond(state, kFrame);
}
BENCHMARK(BM_FillFrame_Engine);

void BM_FillFrame_DirectFB(benchmark::State& state) {
  Plane plane;
  IDirectFBSurface* s = plane.target->surface;
  for (auto _ : state) {
    s->SetColor(s, 0x20, 0x40, 0x60, 0xFF);
    s->SetDrawingFlags(s, DSDRAW_NOFX);
    s->FillRectangle(s, 0, 0, kWidth, kHeight);
  }
  Sync(plane.target);
  PixelsPerSecond(state, kFrame);
}
BENCHMARK(BM_FillFrame_DirectFB);

void BM_BlendedBlit_Engine(benchmark::State& state) {
  Plane plane;
  for (auto _ : state) GenCopyBitmap(plane.target, nullptr, plane.picture, 0, 0, 0, 0, kWidth, kHeight, 1, 255);
  Sync(plane.target);
  PixelsPerSecond(state, kFrame);
}
BENCHMARK(BM_BlendedBlit_Engine);

void BM_BlendedBlit_DirectFB(benchmark::State& state) {
  Plane plane;
  IDirectFBSurface* s = plane.target->surface;
  const DFBRectangle all{0, 0, kWidth, kHeight};
  for (auto _ : state) {
    s->SetSrcBlendFunction(s, DSBF_ONE);
    s->SetDstBlendFunction(s, DSBF_INVSRCALPHA);
    s->SetBlittingFlags(s, static_cast<DFBSurfaceBlittingFlags>(DSBLIT_BLEND_ALPHACHANNEL | DSBLIT_SRC_PREMULTIPLY));
    s->Blit(s, plane.picture->surface, &all, 0, 0);
  }
  Sync(plane.target);
  PixelsPerSecond(state, kFrame);
}
BENCHMARK(BM_BlendedBlit_DirectFB);

void BM_BlendedFill_Engine(benchmark::State& state) {
  Plane plane;
  for (auto _ : state) GenFillRectangle(plane.target, nullptr, 0x80204060, 0, 0, kWidth, kHeight, 1);
  Sync(plane.target);
  PixelsPerSecond(state, kFrame);
}
BENCHMARK(BM_BlendedFill_Engine);

// Software paths: the engine writes the locked surface memory itself.

void BM_Outline(benchmark::State& state) {
  Plane plane;
  for (auto _ : state) GenDrawRectangle(plane.target, nullptr, 0x80FFFFFF, 0, 0, kWidth, kHeight, 1);
  PixelsPerSecond(state, 2 * (kWidth + kHeight) - 4);
}
BENCHMARK(BM_Outline);

void BM_SlantedLine(benchmark::State& state) {
  Plane plane;
  for (auto _ : state) GenDrawLine(plane.target, nullptr, 0xFFFFFFFF, 0, 0, kWidth - 1, kHeight - 1, 0);
  PixelsPerSecond(state, 2 * kWidth);  // two pixels per column
}
BENCHMARK(BM_SlantedLine);

void BM_Pixel(benchmark::State& state) {
  Plane plane;
  int32_t i = 0;
  for (auto _ : state) {
    GenDrawPixel(plane.target, nullptr, 0x80FFFFFF, i % kWidth, (i / kWidth) % kHeight, 1);
    ++i;
  }
  PixelsPerSecond(state, 1);
}
BENCHMARK(BM_Pixel);

void BM_Index8Copy(benchmark::State& state) {
  Plane plane;
  GenIndex8Bitmap* buffer = GenCreateIndex8Bitmap(kWidth, kHeight);
  GenColor table[256];
  for (int i = 0; i < 256; ++i) table[i] = GenMakeColor(i, 255 - i, i / 2, i);
  GenSetColorOfIndex8Bitmap(buffer, table, 0, 256);
  for (int64_t i = 0; i < kFrame; ++i) buffer->pixels[i] = static_cast<uint8_t>(i * 7);
  for (auto _ : state)
    GenCopyIndex8Bitmap(plane.target, nullptr, buffer, 0, 0, 0, 0, kWidth, kHeight, state.range(0), 200);
  Sync(plane.target);
  PixelsPerSecond(state, kFrame);
  GenFreeIndex8Bitmap(buffer);
}
BENCHMARK(BM_Index8Copy)->Arg(0)->Arg(1);

}  // namespace

int main(int argc, char** argv) {
  if (GCM_Start(1) != 0) return 1;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  GCM_Stop();
  return 0;
}
