// The yardstick of the drawing figures: one full-frame (960 x 540) blended
// blit of a translucent picture made directly through DirectFB, as the
// engine's blended copy sets it up. A figure is the time of the work over
// the time of the blit measured in the same process, interleaved with it:
// x_blit compares the quickest of each (the machine's quiet moments, as the
// machine is shared), x_blit_mean their means. DirectFB must have been
// started.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <limits>

#include "GraphicsEngine.h"

inline int64_t BenchNanosSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count();
}

// Waits until DirectFB's renderer has finished with the surface, so that
// queued work is counted where it belongs.
inline void BenchSync(IDirectFBSurface* surface) {
  void* memory = nullptr;
  int pitch = 0;
  if (surface && surface->Lock(surface, DSLF_READ, &memory, &pitch) == DFB_OK) surface->Unlock(surface);
}

class BlitYardstick {
 public:
  BlitYardstick() {
    GenFillRectangle(picture_, nullptr, 0x80306090, 0, 0, 960, 540, 0);
    GenFillRectangle(picture_, nullptr, 0xFFE0A040, 100, 100, 860, 440, 0);
  }
  ~BlitYardstick() {
    GenFreeBitmap(target_);
    GenFreeBitmap(picture_);
  }
  BlitYardstick(const BlitYardstick&) = delete;
  BlitYardstick& operator=(const BlitYardstick&) = delete;

  // One blit, in nanoseconds.
  int64_t Once() {
    IDirectFBSurface* s = target_->surface;
    const DFBRectangle all{0, 0, 960, 540};
    const auto start = std::chrono::steady_clock::now();
    s->SetSrcBlendFunction(s, DSBF_ONE);
    s->SetDstBlendFunction(s, DSBF_INVSRCALPHA);
    s->SetBlittingFlags(s, static_cast<DFBSurfaceBlittingFlags>(DSBLIT_BLEND_ALPHACHANNEL | DSBLIT_SRC_PREMULTIPLY));
    s->Blit(s, picture_->surface, &all, 0, 0);
    BenchSync(s);
    return BenchNanosSince(start);
  }

 private:
  GenBitmap* target_ = GenCreateBitmap(960, 540, 0);
  GenBitmap* picture_ = GenCreateBitmap(960, 540, 0);
};

// Times of a piece of work and of the blit, gathered side by side.
struct BlitRatio {
  int64_t bestWork = std::numeric_limits<int64_t>::max();
  int64_t bestBlit = std::numeric_limits<int64_t>::max();
  int64_t totalWork = 0;
  int64_t totalBlit = 0;
  int64_t count = 0;

  void Add(int64_t work, int64_t blit) {
    bestWork = std::min(bestWork, work);
    bestBlit = std::min(bestBlit, blit);
    totalWork += work;
    totalBlit += blit;
    ++count;
  }
  double Best() const { return count ? double(bestWork) / double(bestBlit) : 0.0; }
  double Mean() const { return totalBlit ? double(totalWork) / double(totalBlit) : 0.0; }
};
