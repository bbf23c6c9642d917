// The graphics engine against the same DirectFB calls made directly (full-frame
// fill and blended blit on the 960 x 540 plane), and the engine's own software
// paths (outline, slanted line, pixel, indexed copy) in pixels per second,
// each beside the same work done by pixman (a dependency of the benchmarks
// only) on memory of the same size: a blended pixel, a blended outline and a
// blended copy of 8-bit indexed pixels at opacity 200.
// DirectFB runs headless on its dummy system, so every figure is the software
// renderer's: the ratios, not the absolute numbers, are what carry over.
#include <benchmark/benchmark.h>

#include <pixman.h>

#include <vector>

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

// A translucent fill of a list row's size: the engine's (a kept surface of
// the colour blitted over) and the same through a temporary surface made for
// the fill.
void BM_BlendedRowFill_Engine(benchmark::State& state) {
  Plane plane;
  for (auto _ : state) GenFillRectangle(plane.target, nullptr, 0x80204060, 100, 100, 640, 134, 1);
  Sync(plane.target);
  PixelsPerSecond(state, 540 * 34);
}
BENCHMARK(BM_BlendedRowFill_Engine);

void BM_BlendedRowFill_TemporarySurface(benchmark::State& state) {
  Plane plane;
  IDirectFB* dfb = GCM_GetDirectFB();
  IDirectFBSurface* s = plane.target->surface;
  for (auto _ : state) {
    DFBSurfaceDescription description{};
    description.flags = static_cast<DFBSurfaceDescriptionFlags>(DSDESC_WIDTH | DSDESC_HEIGHT | DSDESC_PIXELFORMAT);
    description.width = 540;
    description.height = 34;
    description.pixelformat = DSPF_ARGB;
    IDirectFBSurface* temporary = nullptr;
    dfb->CreateSurface(dfb, &description, &temporary);
    temporary->Clear(temporary, 0x20, 0x40, 0x60, 0x80);
    s->SetSrcBlendFunction(s, DSBF_ONE);
    s->SetDstBlendFunction(s, DSBF_INVSRCALPHA);
    s->SetBlittingFlags(s, static_cast<DFBSurfaceBlittingFlags>(DSBLIT_BLEND_ALPHACHANNEL | DSBLIT_SRC_PREMULTIPLY));
    s->Blit(s, temporary, nullptr, 100, 100);
    temporary->Release(temporary);
  }
  Sync(plane.target);
  PixelsPerSecond(state, 540 * 34);
}
BENCHMARK(BM_BlendedRowFill_TemporarySurface);

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

// ------------------------------------------------------------ pixman

// A 960 x 540 ARGB image in ordinary memory, filled like the plane's target.
struct PixmanPlane {
  std::vector<uint32_t> bits = std::vector<uint32_t>(size_t(kFrame), 0xFF203040u);
  pixman_image_t* image =
      pixman_image_create_bits(PIXMAN_a8r8g8b8, kWidth, kHeight, bits.data(), kWidth * int(sizeof(uint32_t)));
  ~PixmanPlane() { pixman_image_unref(image); }
};

// Half-transparent white, premultiplied as pixman takes it.
constexpr pixman_color_t kHalfWhite{0x8080, 0x8080, 0x8080, 0x8080};

void BM_Pixel_Pixman(benchmark::State& state) {
  PixmanPlane plane;
  int32_t i = 0;
  for (auto _ : state) {
    const pixman_rectangle16_t r{int16_t(i % kWidth), int16_t((i / kWidth) % kHeight), 1, 1};
    pixman_image_fill_rectangles(PIXMAN_OP_OVER, plane.image, &kHalfWhite, 1, &r);
    ++i;
  }
  PixelsPerSecond(state, 1);
}
BENCHMARK(BM_Pixel_Pixman);

void BM_Outline_Pixman(benchmark::State& state) {
  PixmanPlane plane;
  const pixman_rectangle16_t edges[] = {
      {0, 0, kWidth, 1}, {0, kHeight - 1, kWidth, 1}, {0, 1, 1, kHeight - 2}, {kWidth - 1, 1, 1, kHeight - 2}};
  for (auto _ : state) pixman_image_fill_rectangles(PIXMAN_OP_OVER, plane.image, &kHalfWhite, 4, edges);
  PixelsPerSecond(state, 2 * (kWidth + kHeight) - 4);
}
BENCHMARK(BM_Outline_Pixman);

void BM_Index8Copy_Pixman(benchmark::State& state) {
  PixmanPlane plane;
  // The same indexes and colour table as BM_Index8Copy.
  std::vector<uint8_t> indexes(static_cast<size_t>(kFrame));
  for (int64_t i = 0; i < kFrame; ++i) indexes[size_t(i)] = static_cast<uint8_t>(i * 7);
  pixman_indexed_t table{};
  for (int i = 0; i < 256; ++i) table.rgba[i] = GenMakeColor(i, 255 - i, i / 2, i);
  pixman_image_t* source = pixman_image_create_bits(PIXMAN_c8, kWidth, kHeight,
                                                    reinterpret_cast<uint32_t*>(indexes.data()), kWidth);
  pixman_image_set_indexed(source, &table);
  const pixman_color_t opacity{0, 0, 0, 200 * 257};
  pixman_image_t* mask = pixman_image_create_solid_fill(&opacity);
  for (auto _ : state)
    pixman_image_composite32(PIXMAN_OP_OVER, source, mask, plane.image, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
  PixelsPerSecond(state, kFrame);
  pixman_image_unref(mask);
  pixman_image_unref(source);
}
BENCHMARK(BM_Index8Copy_Pixman);

}  // namespace

int main(int argc, char** argv) {
  if (GCM_Start(1) != 0) return 1;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  GCM_Stop();
  return 0;
}
