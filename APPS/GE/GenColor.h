// Engine colours and the software blend shared by every path that writes
// surface memory directly (outlines, lines, pixels, indexed copies, glyphs).
#pragma once

#include <cstdint>

// One 32-bit word: alpha in bits 24-31, then red, green, blue. Alpha is
// straight, not premultiplied; 255 is opaque. In little-endian memory the bytes
// are blue, green, red, alpha, which is DirectFB's ARGB surface layout.
using GenColor = uint32_t;

constexpr GenColor GenMakeColor(uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha) {
  return (alpha & 0xFF) << 24 | (red & 0xFF) << 16 | (green & 0xFF) << 8 | (blue & 0xFF);
}
constexpr uint32_t GenColorAlpha(GenColor c) { return c >> 24; }
constexpr uint32_t GenColorRed(GenColor c) { return (c >> 16) & 0xFF; }
constexpr uint32_t GenColorGreen(GenColor c) { return (c >> 8) & 0xFF; }
constexpr uint32_t GenColorBlue(GenColor c) { return c & 0xFF; }
constexpr GenColor GenColorWithAlpha(GenColor c, uint32_t alpha) {
  return (c & 0x00FFFFFF) | (alpha & 0xFF) << 24;
}

// Blends the colour over the destination pixel with a weight of 0-255. Colour
// channels move towards the colour by floor((S - D) * weight / 256); alpha moves
// towards opaque by floor((255 - Da) * weight / 256). Because the divisor is 256,
// a weight of 255 never quite reaches the colour: callers that mean "opaque"
// store the colour instead of blending with 255.
constexpr GenColor GenBlend(GenColor destination, GenColor colour, uint32_t weight) {
  const int32_t w = static_cast<int32_t>(weight);
  auto channel = [w](uint32_t d, uint32_t s) -> uint32_t {
    // The right shift of a negative product floors, as the rule wants.
    return static_cast<uint32_t>(static_cast<int32_t>(d) + ((static_cast<int32_t>(s) - static_cast<int32_t>(d)) * w >> 8));
  };
  const uint32_t da = GenColorAlpha(destination);
  const uint32_t alpha = da + ((255 - da) * weight >> 8);
  return GenMakeColor(channel(GenColorRed(destination), GenColorRed(colour)),
                      channel(GenColorGreen(destination), GenColorGreen(colour)),
                      channel(GenColorBlue(destination), GenColorBlue(colour)), alpha);
}

// GenBlend for a run of pixels, in a form the compiler turns into vector code.
// d + floor((s - d) * w / 256) equals floor((d * (256 - w) + s * w) / 256), whose
// terms never exceed 16 bits, so red and blue move in one 32-bit multiply and
// alpha and green in another. A weight of 256 lands exactly on the colour with
// alpha 255, which is what storing an opaque colour gives.
namespace GenBlendDetail {
// Red and blue of a colour at 16-bit lane positions; alpha counts as 255 (the
// target alpha moves towards opaque), next to green.
constexpr uint32_t RedBlue(GenColor c) { return c & 0x00FF00FFu; }
constexpr uint32_t OpaqueGreen(GenColor c) { return ((c >> 8) & 0xFFu) | 0x00FF0000u; }
constexpr GenColor Mix(GenColor d, uint32_t inverse, uint32_t redBlue, uint32_t alphaGreen) {
  return (((d & 0x00FF00FFu) * inverse + redBlue) >> 8 & 0x00FF00FFu) |
         ((((d >> 8) & 0x00FF00FFu) * inverse + alphaGreen) & 0xFF00FF00u);
}
}  // namespace GenBlendDetail

// Blends one colour over count pixels with a weight of 0-256.
inline void GenBlendSpan(GenColor* pixels, int32_t count, GenColor colour, uint32_t weight) {
  using namespace GenBlendDetail;
  const uint32_t redBlue = RedBlue(colour) * weight;
  const uint32_t alphaGreen = OpaqueGreen(colour) * weight;
  const uint32_t inverse = 256 - weight;
  for (int32_t i = 0; i < count; ++i) pixels[i] = Mix(pixels[i], inverse, redBlue, alphaGreen);
}

// Blends each colour over its pixel with its own weight of 0-256.
inline void GenBlendSpanWeighted(GenColor* pixels, const GenColor* colours, const uint32_t* weights,
                                 int32_t count) {
  using namespace GenBlendDetail;
  for (int32_t i = 0; i < count; ++i) {
    const uint32_t w = weights[i];
    pixels[i] = Mix(pixels[i], 256 - w, RedBlue(colours[i]) * w, OpaqueGreen(colours[i]) * w);
  }
}

// Writes one pixel the way every software path does: weight 0 leaves it,
// weight 255 or more stores the colour, anything between blends.
inline void GenPutPixel(GenColor* pixel, GenColor colour, uint32_t weight) {
  if (weight == 0) return;
  *pixel = weight >= 255 ? colour : GenBlend(*pixel, colour, weight);
}

// The blend of a translucent copy, the same for a bitmap copy, a scaled copy
// (DirectFB's blitter) and an indexed copy (this loop), so that a picture
// looks alike whichever way it is copied. The source's alpha, scaled by the
// opacity when that is below 255 (a = sa * (opacity + 1) >> 8), weighs its
// straight colour once, s * (a + 1) >> 8, and the destination keeps
// d * (256 - a) >> 8 of every channel, alpha included: over an opaque
// destination the result stays opaque. No sum leaves its 8-bit lane.
constexpr GenColor GenCopyBlend(GenColor destination, GenColor source, uint32_t opacity) {
  const uint32_t sa = GenColorAlpha(source);
  const uint32_t a = opacity >= 255 ? sa : sa * (opacity + 1) >> 8;
  const uint32_t keep = 256 - a;
  const uint32_t redBlue = ((source & 0x00FF00FFu) * (a + 1) >> 8 & 0x00FF00FFu) +
                           ((destination & 0x00FF00FFu) * keep >> 8 & 0x00FF00FFu);
  const uint32_t alphaGreen = ((a << 16 | ((source >> 8) & 0xFFu) * (a + 1) >> 8) << 8) +
                              (((destination >> 8) & 0x00FF00FFu) * keep & 0xFF00FF00u);
  return alphaGreen | redBlue;
}

// GenCopyBlend of a run of source pixels onto a run of destination pixels.
inline void GenCopyBlendSpan(GenColor* pixels, const GenColor* sources, int32_t count, uint32_t opacity) {
  for (int32_t i = 0; i < count; ++i) pixels[i] = GenCopyBlend(pixels[i], sources[i], opacity);
}
