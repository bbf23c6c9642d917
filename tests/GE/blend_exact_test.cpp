// The engine's blends against DirectFB's: a translucent fill and a blended
// copy at full opacity give DirectFB's pixels for every colour value, alpha
// and destination value of a channel; the shortcuts over areas known to be of
// one colour give the pixels that blending each pixel gives; and none of it
// writes the target's memory but DirectFB.
#include <cstdint>
#include <vector>

#include "ge_test_support.h"

namespace {

using BlendExactTest = EngineTest;

constexpr int32_t kSide = 256;

// Destination pixels: channel value x along a row; the alpha follows one of
// two patterns, so that no channel's value is always its alpha.
GenColor Destination(int32_t x, int32_t y, int pattern) {
  const auto v = static_cast<uint32_t>(x);
  const uint32_t alpha = pattern == 0 ? v : (v * 37 + static_cast<uint32_t>(y) * 11 + 5) & 0xFF;
  return GenMakeColor(v, 255 - v, (v * 73 + 19) & 0xFF, alpha);
}

void Paint(GenBitmap* b, int pattern) {
  auto* memory = static_cast<GenColor*>(GenLockMemory(b->surface));
  ASSERT_NE(memory, nullptr);
  for (int32_t y = 0; y < b->height; ++y)
    for (int32_t x = 0; x < b->width; ++x) memory[y * (b->width + b->padding) + x] = Destination(x, y, pattern);
  GenUnlockMemory(b->surface);
  GenForgetPlainArea(b);
}

// Row y of a fill carries colour value y in every channel (one channel turned
// round), every destination value under it: each alpha covers every pair of
// colour and destination values of every channel.
TEST_F(BlendExactTest, TranslucentFillsGiveDirectFBsBlendedFill) {
  GenBitmap* ours = Make(kSide, kSide);
  GenBitmap* theirs = Make(kSide, kSide);
  IDirectFBSurface* s = theirs->surface;
  for (int pattern = 0; pattern < 2; ++pattern) {
    for (uint32_t alpha = 1; alpha < 255; ++alpha) {
      Paint(ours, pattern);
      Paint(theirs, pattern);
      s->SetSrcBlendFunction(s, DSBF_ONE);
      s->SetDstBlendFunction(s, DSBF_INVSRCALPHA);
      s->SetDrawingFlags(s, static_cast<DFBSurfaceDrawingFlags>(DSDRAW_BLEND | DSDRAW_SRC_PREMULTIPLY));
      for (int32_t y = 0; y < kSide; ++y) {
        const auto v = static_cast<uint32_t>(y);
        const GenColor colour = GenMakeColor(v, 255 - v, v, alpha);
        s->SetColor(s, static_cast<u8>(v), static_cast<u8>(255 - v), static_cast<u8>(v), static_cast<u8>(alpha));
        s->FillRectangle(s, 0, y, kSide, 1);
        GenFillRectangle(ours, nullptr, colour, 0, y, kSide, y + 1, 1);
      }
      const GenImage a = Pixels(ours);
      const GenImage b = Pixels(theirs);
      for (size_t i = 0; i < a.pixels.size(); ++i)
        ASSERT_EQ(a.pixels[i], b.pixels[i]) << "alpha " << alpha << " pattern " << pattern << " at " << i;
    }
  }
}

// A source of every colour value (x) and alpha (y) blended over every
// destination value: the engine's copy, over pixels it knows to be of one
// colour and over pixels it does not, gives DirectFB's blended blit, and
// both are GenCopyBlend.
TEST_F(BlendExactTest, BlendedCopiesGiveDirectFBsBlendedBlit) {
  GenBitmap* source = Make(kSide, kSide);
  {
    auto* memory = static_cast<GenColor*>(GenLockMemory(source->surface));
    ASSERT_NE(memory, nullptr);
    for (uint32_t y = 0; y < kSide; ++y)
      for (uint32_t x = 0; x < kSide; ++x) memory[y * (kSide + source->padding) + x] = GenMakeColor(x, 255 - x, x ^ 0x5A, y);
    GenUnlockMemory(source->surface);
  }
  const GenImage from = Pixels(source);
  GenBitmap* known = Make(kSide, kSide);
  GenBitmap* unknown = Make(kSide, kSide);
  GenBitmap* theirs = Make(kSide, kSide);
  IDirectFBSurface* s = theirs->surface;
  const DFBRectangle all{0, 0, kSide, kSide};
  for (int pattern = 0; pattern < 2; ++pattern) {
    for (int32_t d = 0; d < 256; ++d) {
      const GenColor under = Destination(d, d, pattern);
      for (GenBitmap* b : {known, unknown, theirs}) GenFillRectangle(b, nullptr, under, 0, 0, kSide, kSide, 0);
      GenForgetPlainArea(unknown);
      GenCopyBitmap(known, nullptr, source, 0, 0, 0, 0, kSide, kSide, 1, 255);
      GenCopyBitmap(unknown, nullptr, source, 0, 0, 0, 0, kSide, kSide, 1, 255);
      s->SetSrcBlendFunction(s, DSBF_ONE);
      s->SetDstBlendFunction(s, DSBF_INVSRCALPHA);
      s->SetBlittingFlags(s, static_cast<DFBSurfaceBlittingFlags>(DSBLIT_BLEND_ALPHACHANNEL | DSBLIT_SRC_PREMULTIPLY));
      s->Blit(s, source->surface, &all, 0, 0);
      const GenImage a = Pixels(known);
      const GenImage b = Pixels(unknown);
      const GenImage c = Pixels(theirs);
      for (size_t i = 0; i < c.pixels.size(); ++i) {
        ASSERT_EQ(c.pixels[i], GenCopyBlend(under, from.pixels[i], 255))
            << "under " << std::hex << under << " source " << from.pixels[i];
        ASSERT_EQ(a.pixels[i], c.pixels[i]) << "over one colour: under " << std::hex << under << " source " << from.pixels[i];
        ASSERT_EQ(b.pixels[i], c.pixels[i]) << "under " << std::hex << under << " source " << from.pixels[i];
      }
    }
  }
}

// The picture drawn with and without what the engine knows of one-colour
// areas: a background, translucent fills over it and over each other, and
// pixels, lines and a picture cutting into it.
TEST_F(BlendExactTest, ShortcutsOverOneColourGiveTheBlendedPixels) {
  GenBitmap* picture = Make(20, 16, 0x80FF0000);
  GenFillRectangle(picture, nullptr, 0x3000FF80, 4, 4, 12, 12, 0);
  auto draw = [picture](GenBitmap* b, bool forget) {
    auto step = [&] {
      if (forget) GenForgetPlainArea(b);
    };
    GenFillRectangle(b, nullptr, 0, 0, 0, 64, 48, 0);
    step();
    GenFillRectangle(b, nullptr, 0xA0000000, 0, 0, 40, 48, 1);
    step();
    GenDrawPixel(b, nullptr, 0xFFFFFFFF, 5, 5, 0);
    step();
    GenFillRectangle(b, nullptr, 0x80204060, 10, 2, 60, 30, 1);
    step();
    GenCopyBitmap(b, nullptr, picture, 50, 20, 0, 0, 20, 16, 1, 255);
    step();
    GenDrawLine(b, nullptr, 0x90FF8000, 0, 40, 63, 40, 1);
    step();
    GenFillRectangle(b, nullptr, 0x40FFFFFF, 0, 0, 64, 48, 1);
  };
  GenBitmap* known = Make(64, 48);
  GenBitmap* unknown = Make(64, 48);
  draw(known, false);
  draw(unknown, true);
  const GenImage a = Pixels(known);
  const GenImage b = Pixels(unknown);
  for (size_t i = 0; i < a.pixels.size(); ++i) ASSERT_EQ(a.pixels[i], b.pixels[i]) << "at " << i;
  EXPECT_LT(known->plain.x1, known->plain.x2);  // the last fill was over an area still known
}

// A picture kept as row runs, whatever its runs take.
GenBitmap* Runs(const std::vector<GenColor>& pixels, int32_t width, int32_t height) {
  GenRowRunPacker packer(width, height, SIZE_MAX);
  for (int32_t y = 0; y < height; ++y) EXPECT_TRUE(packer.AddRow(&pixels[static_cast<size_t>(y * width)]));
  GenBitmap* picture = packer.Finish();
  EXPECT_NE(picture, nullptr);
  return picture;
}

// A translucent vertical gradient, a row a colour.
std::vector<GenColor> Gradient(int32_t width, int32_t height) {
  std::vector<GenColor> pixels;
  for (int32_t y = 0; y < height; ++y)
    pixels.insert(pixels.end(), static_cast<size_t>(width),
                  GenMakeColor(10 + 4 * y, 20, 200 - 3 * y, 0xC0 + static_cast<uint32_t>(y % 7) * 8));
  return pixels;
}

// A frame: a transparent margin, opaque edges and a translucent middle with
// a darker band across it.
std::vector<GenColor> Frame(int32_t width, int32_t height) {
  std::vector<GenColor> pixels;
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) {
      const bool margin = x == 0 || y == 0 || x == width - 1 || y == height - 1;
      const bool edge = x < 3 || y < 3 || x >= width - 3 || y >= height - 3;
      pixels.push_back(margin ? 0 : edge ? 0xFF8090A0 : y % 9 == 4 ? 0xA0102040 : 0x60204080);
    }
  return pixels;
}

// A picture of a colour a pixel, too many runs to fill.
std::vector<GenColor> Noise(int32_t width, int32_t height) {
  std::vector<GenColor> pixels;
  for (int32_t i = 0; i < width * height; ++i) {
    const auto v = static_cast<uint32_t>(i) * 2654435761u;
    pixels.push_back(GenMakeColor(v >> 8, v >> 16, v >> 24, v >> 4));
  }
  return pixels;
}

// Rows each of one colour are known as such: fills and row-run pictures over
// them, copied and blended, give the pixels that blending each pixel gives,
// whether a picture goes as fills or through the band.
TEST_F(BlendExactTest, ShortcutsOverRowsOfOneColourGiveTheBlendedPixels) {
  GenBitmap* gradient = Runs(Gradient(64, 48), 64, 48);
  GenBitmap* frame = Runs(Frame(40, 30), 40, 30);
  GenBitmap* noise = Runs(Noise(24, 20), 24, 20);
  ASSERT_TRUE(gradient && frame && noise);
  bool knownByRows = false;
  auto draw = [&](GenBitmap* b, bool forget) {
    auto step = [&] {
      if (forget) GenForgetPlainArea(b);
    };
    GenFillRectangle(b, nullptr, 0, 0, 0, 64, 48, 0);
    step();
    GenCopyBitmap(b, nullptr, gradient, 0, 0, 0, 0, 64, 48, 1, 255);
    if (!forget) knownByRows = b->plain.byRow && b->plain.x2 - b->plain.x1 == 64;
    step();
    GenFillRectangle(b, nullptr, 0x80000000, 0, 0, 64, 40, 1);
    step();
    GenCopyBitmap(b, nullptr, frame, 10, 8, 0, 0, 40, 30, 1, 255);
    step();
    GenCopyBitmap(b, nullptr, noise, 36, 2, 0, 0, 24, 20, 1, 255);
    step();
    GenFillRectangle(b, nullptr, 0x40FFFFFF, 5, 5, 60, 44, 1);
    step();
    GenCopyBitmap(b, nullptr, frame, 30, 20, 0, 0, 40, 30, 1, 255);
    step();
    GenCopyBitmap(b, nullptr, gradient, 0, 30, 0, 5, 50, 10, 0, 255);
    step();
    GenCopyBitmap(b, nullptr, frame, -6, 26, 0, 0, 40, 30, 1, 255);
    step();
    GenCopyBitmap(b, nullptr, frame, 20, 0, 0, 0, 40, 30, 1, 128);
  };
  GenBitmap* known = Make(64, 48);
  GenBitmap* unknown = Make(64, 48);
  draw(known, false);
  draw(unknown, true);
  EXPECT_TRUE(knownByRows);
  const GenImage a = Pixels(known);
  const GenImage b = Pixels(unknown);
  for (size_t i = 0; i < a.pixels.size(); ++i) ASSERT_EQ(a.pixels[i], b.pixels[i]) << "at " << i;
  for (GenBitmap* picture : {gradient, frame, noise}) GenFreeBitmap(picture);
}

// Fills, copies and blends reach the target through DirectFB's fills and
// blits, never through its memory; an outline writes the memory itself.
TEST_F(BlendExactTest, FillsAndCopiesLeaveTheTargetsMemoryToDirectFB) {
  static int locks;
  static decltype(IDirectFBSurface::Lock) lock;
  // The counts start over in each round of a repeated run.
  locks = 0;
  GenBitmap* target = Make(64, 48, 0xFF102030);
  GenBitmap* picture = Make(20, 16, 0x80FF0000);
  GenBitmap* frame = Runs(Frame(40, 30), 40, 30);
  GenBitmap* noise = Runs(Noise(24, 20), 24, 20);
  ASSERT_TRUE(frame && noise);
  IDirectFBSurface* s = target->surface;
  lock = s->Lock;
  s->Lock = [](IDirectFBSurface* thiz, DFBSurfaceLockFlags flags, void** memory, int* pitch) {
    ++locks;
    return lock(thiz, flags, memory, pitch);
  };
  GenFillRectangle(target, nullptr, 0xFF405060, 0, 0, 64, 48, 0);
  GenFillRectangle(target, nullptr, 0x80FFFFFF, 4, 4, 30, 30, 1);
  for (int32_t blend : {0, 1})
    for (int32_t opacity : {255, 128})
      for (GenBitmap* source : {picture, frame, noise}) {
        for (bool forget : {false, true}) {
          if (forget) GenForgetPlainArea(target);
          GenCopyBitmap(target, nullptr, source, 3, 5, 0, 0, source->width, source->height, blend, opacity);
          GenFillRectangle(target, nullptr, 0x60A0B0C0, 20, 0, 64, 20, 1);
        }
        GenTileBitmapFrame(target, nullptr, source, 0, 0, 0, 0, 0, 64, 48, 7, 9, blend, opacity);
        GenScaleBitmap(target, nullptr, source, 2, 2, 50, 40, 0, 0, source->width, source->height, blend, opacity);
      }
  EXPECT_EQ(locks, 0);
  GenDrawRectangle(target, nullptr, 0x80FFFFFF, 1, 1, 10, 10, 1);
  EXPECT_GT(locks, 0);
  s->Lock = lock;
  GenFreeBitmap(frame);
  GenFreeBitmap(noise);
}

}  // namespace
