// Random drawing (fills, copies, tiles, stretches, lines and outlines, clipped
// or not, at the bitmap's edges and past them) gives the same pixels whether
// the engine keeps what it knows of one-colour areas or forgets it after every
// step, and whether its pictures are row runs or surfaces of the same pixels.
// AUDIT_SEEDS sets how many random sequences run (default 300).
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "ge_test_support.h"

namespace {

using PlainAreaFuzz = EngineTest;

GenBitmap* RunsOf(const std::vector<GenColor>& pixels, int32_t width, int32_t height) {
  GenRowRunPacker packer(width, height, SIZE_MAX);
  for (int32_t y = 0; y < height; ++y) packer.AddRow(&pixels[static_cast<size_t>(y * width)]);
  return packer.Finish();
}

GenBitmap* SurfaceOf(const std::vector<GenColor>& pixels, int32_t width, int32_t height) {
  GenBitmap* b = GenCreateBitmap(width, height, 0);
  auto* memory = static_cast<GenColor*>(GenLockMemory(b->surface));
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) memory[y * (b->width + b->padding) + x] = pixels[size_t(y * width + x)];
  GenUnlockMemory(b->surface);
  GenForgetPlainArea(b);
  return b;
}

struct Source {
  int32_t w, h;
  std::vector<GenColor> px;
};

Source MakeSource(std::mt19937& rng, int kind) {
  Source s;
  const uint32_t seedRows = rng();
  s.w = 4 + int32_t(rng() % 60);
  s.h = 4 + int32_t(rng() % 50);
  if (kind == 0 && rng() % 2) { s.w = 80; s.h = 20 + int32_t(rng() % 41); }
  std::vector<GenColor> palette;
  for (int i = 0; i < 5; ++i) {
    GenColor c = rng();
    if (i == 0) c &= 0x00FFFFFF;           // transparent
    if (i == 1) c |= 0xFF000000;           // opaque
    palette.push_back(c);
  }
  for (int32_t y = 0; y < s.h; ++y)
    for (int32_t x = 0; x < s.w; ++x) {
      GenColor c;
      if (kind == 0) c = palette[size_t((y / (1 + (seedRows % 3))) % 5)];                                        // rows of one colour
      else if (kind == 1) c = palette[(x < 3 || x >= s.w - 3 || y < 2) ? 1 : (y % 7 == 3 ? 2 : 3)];  // frame
      else if (kind == 2) c = palette[rng() % 5];                                       // noise
      else c = palette[(x / 9 + y / 5) % 5];                                            // blocks
      s.px.push_back(c);
    }
  return s;
}

TEST_F(PlainAreaFuzz, KnownAreasAndRowRunsGiveTheSamePixels) {
  const char* env = std::getenv("AUDIT_SEEDS");
  const int seeds = env ? std::atoi(env) : 300;
  int failures = 0;
  for (int seed = 1; seed <= seeds && failures < 5; ++seed) {
    std::mt19937 rng{static_cast<uint32_t>(seed)};
    std::vector<Source> sources;
    for (int i = 0; i < 4; ++i) sources.push_back(MakeSource(rng, i));
    std::vector<GenBitmap*> runs, surfaces;
    for (const Source& s : sources) {
      runs.push_back(RunsOf(s.px, s.w, s.h));
      surfaces.push_back(SurfaceOf(s.px, s.w, s.h));
    }
    const int32_t W = 80, H = 60;
    GenBitmap* t[3] = {Make(W, H), Make(W, H), Make(W, H)};
    // The ops, recorded so that each target gets the same.
    struct Op {
      int kind;
      int32_t a[12];
      GenColor colour;
      bool clip;
      GenRect c;
    };
    std::vector<Op> ops;
    const int n = 6 + int(rng() % 20);
    auto coord = [&](int32_t lo, int32_t hi) { return lo + int32_t(rng() % uint32_t(hi - lo + 1)); };
    for (int i = 0; i < n; ++i) {
      Op op{};
      op.kind = int(rng() % 9);
      if (i == 0) op.kind = 0;
      for (auto& v : op.a) v = coord(-15, 95);
      op.colour = rng();
      const uint32_t alphaPick = rng() % 4;
      if (alphaPick == 0) op.colour |= 0xFF000000;
      if (alphaPick == 1) op.colour &= 0x00FFFFFF;
      op.clip = rng() % 3 == 0;
      op.c = {coord(-5, 40), coord(-5, 30), coord(20, 90), coord(15, 70)};
      ops.push_back(op);
    }
    for (int v = 0; v < 3; ++v) {
      GenBitmap* b = t[v];
      for (const Op& op : ops) {
        const GenRect* clip = op.clip ? &op.c : nullptr;
        const int src = int(uint32_t(op.a[11]) % 4u);
        GenBitmap* s = v == 2 ? surfaces[size_t(src)] : runs[size_t(src)];
        const int32_t blend = op.a[10] & 1;
        const int32_t opacity = (op.a[9] & 3) == 0 ? 128 : (op.a[9] & 3) == 1 ? 0 : 255;
        switch (op.kind) {
          case 0:  // a plain fill, big
            GenFillRectangle(b, clip, op.colour | 0xFF000000, op.a[0] / 4 - 3, op.a[1] / 4 - 3, W + op.a[2] / 8,
                             H + op.a[3] / 8, 0);
            break;
          case 1:
            GenFillRectangle(b, clip, op.colour, op.a[0], op.a[1], op.a[2], op.a[3], 1);
            break;
          case 2:
            GenFillRectangle(b, clip, op.colour, op.a[0], op.a[1], op.a[2], op.a[3], 0);
            break;
          case 3:
          case 4:
            GenCopyBitmap(b, clip, s, op.a[0], op.a[1], op.a[2] / 8, op.a[3] / 8, op.a[4], op.a[5], blend, opacity);
            break;
          case 5:
            GenTileBitmapFrame(b, clip, s, 0, op.a[0], op.a[1], op.a[2] / 10, op.a[3] / 10, op.a[4] + 15, op.a[5] + 15,
                               1 + (op.a[6] & 31), 1 + (op.a[7] & 31), blend, opacity);
            break;
          case 6:
            GenScaleBitmap(b, clip, s, op.a[0], op.a[1], 1 + (op.a[2] & 63), 1 + (op.a[3] & 63), 0, 0, s->width,
                           s->height, blend, opacity);
            break;
          case 7:
            GenDrawLine(b, clip, op.colour, op.a[0], op.a[1], op.a[2], op.a[1], blend);
            break;
          case 8:
            GenDrawRectangle(b, clip, op.colour, op.a[0], op.a[1], op.a[2], op.a[3], blend);
            break;
        }
        if (v == 1 || v == 2) GenForgetPlainArea(b);
      }
    }
    const GenImage a = Pixels(t[0]);
    const GenImage bb = Pixels(t[1]);
    const GenImage cc = Pixels(t[2]);
    bool same01 = a.pixels == bb.pixels, same12 = bb.pixels == cc.pixels;
    if (!same01 || !same12) {
      ++failures;
      size_t i = 0;
      const GenImage& other = !same01 ? bb : cc;
      const GenImage& ref = !same01 ? a : bb;
      while (i < ref.pixels.size() && ref.pixels[i] == other.pixels[i]) ++i;
      ADD_FAILURE() << "seed " << seed << ": " << (!same01 ? "known vs forgotten" : "row runs vs surfaces")
                    << " differ first at x=" << i % W << " y=" << i / W << std::hex << " " << ref.pixels[i] << " vs "
                    << other.pixels[i];
      if (!same01) {
        // Find the first op after which they differ.
        std::fprintf(stderr, "ops:");
        for (const Op& op : ops) std::fprintf(stderr, " %d", op.kind);
        std::fprintf(stderr, "\n");
      }
    }
    for (GenBitmap* r : runs) GenFreeBitmap(r);
    for (GenBitmap* r : surfaces) GenFreeBitmap(r);
  }
}

}  // namespace
