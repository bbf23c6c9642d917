#include "GraphicsEngine.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "WuLine.h"
#include "gcm.h"
#include "vgdebug.h"

// ------------------------------------------------------------------ errors

namespace {

struct ErrorText {
  int32_t code;
  const char* text;
};

constexpr ErrorText kErrorTexts[] = {
    {GenErrInvalidParameter, "Invalid parameter given to function."},
    {GenErrOutOfMemory, "Can not allocate memory."},
    {GenErrOperationFailed, "Operation failed."},
    {GenErrNotInitialized, "Module not intiialized."},
    {GenErrNotSupported, "Functionality not supported."},
    {GenErrDefaultCharMissing, "Default character missing."},
    {GenErrGlyphInUse, "Glyph currently in use."},
    {GenErrResourceCorrupted, "Resource is corrupted."},
    {GenErrGlyphCacheCorrupted, "Glyph cache is corrupted."},
    {GenErrUnsupportedColorFormat, "Unsupported color format."},
    {GenErrIncompatibleBitmap, "Incompatible bitmap format."},
};

const char* ModuleName(const char* path) {
  if (!path) return "";
  if (const char* slash = std::strrchr(path, '/')) return slash + 1;
  if (const char* backslash = std::strrchr(path, '\\')) return backslash + 1;
  return path;
}

}  // namespace

void GenDebugPrint(int32_t code, const char* module, int32_t line) {
  for (const ErrorText& e : kErrorTexts) {
    if (e.code == code) {
      VgPrint("\nERROR: %s Module %s at line %d\n", e.text, ModuleName(module), line);
      return;
    }
  }
  VgPrint("\nERROR: Error code 0x%02X in module %s at line %d\n", static_cast<unsigned>(code),
          ModuleName(module), line);
}

// ----------------------------------------------------------------- helpers

namespace {

bool IsEmpty(const GenRect& r) { return r.x1 >= r.x2 || r.y1 >= r.y2; }

// The intersection of a rectangle given in 64-bit coordinates (so that x + width
// cannot overflow) with an area inside the 32-bit range.
GenRect Intersect(const GenRect& area, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
  GenRect r;
  r.x1 = static_cast<int32_t>(std::max<int64_t>(area.x1, x1));
  r.y1 = static_cast<int32_t>(std::max<int64_t>(area.y1, y1));
  r.x2 = static_cast<int32_t>(std::min<int64_t>(area.x2, x2));
  r.y2 = static_cast<int32_t>(std::min<int64_t>(area.y2, y2));
  return r;
}

// A copy's source rectangle: a negative source origin moves the destination by
// as much and shortens the copy; the copy ends at the source's limits. 64-bit so
// that no sum of 32-bit arguments can overflow.
struct Span {
  int64_t dx, dy, sx, sy, w, h;
};

Span ClipSource(int32_t x, int32_t y, int32_t sourceX, int32_t sourceY, int32_t width, int32_t height,
                int64_t limitW, int64_t limitH) {
  Span s{x, y, sourceX, sourceY, width, height};
  if (s.sx < 0) {
    s.w += s.sx;
    s.dx -= s.sx;
    s.sx = 0;
  }
  if (s.sy < 0) {
    s.h += s.sy;
    s.dy -= s.sy;
    s.sy = 0;
  }
  s.w = std::min<int64_t>(s.w, limitW - s.sx);
  s.h = std::min<int64_t>(s.h, limitH - s.sy);
  return s;
}

// The bitmap's rectangle cut by the clip; the clip's left and top edges count
// from 0 at least.
GenRect DrawingArea(const GenBitmap* bitmap, const GenRect* clip) {
  GenRect area{0, 0, bitmap->width, bitmap->height};
  if (clip) area = Intersect(area, std::max(clip->x1, 0), std::max(clip->y1, 0), clip->x2, clip->y2);
  return area;
}

// Null is refused; a foreign colour format is reported and drawn anyway.
bool CheckBitmap(const GenBitmap* bitmap, int line) {
  if (!bitmap) {
    GenDebugPrint(GenErrInvalidParameter, __FILE__, line);
    return false;
  }
  if (bitmap->colorFormat != GenColorFormatArgb8888)
    GenDebugPrint(GenErrUnsupportedColorFormat, __FILE__, line);
  return true;
}

// When the second coordinate comes before the first, the pair becomes
// (second + 1, first + 1): the first corner is inside and the second outside
// whichever order they come in.
void Normalise(int32_t& a, int32_t& b) {
  if (b < a) {
    const int32_t first = a;
    a = b + 1;
    b = first == INT32_MAX ? INT32_MAX : first + 1;
  }
}

int32_t Stride(const GenBitmap* bitmap) { return bitmap->width + bitmap->padding; }

// The locked memory of a bitmap for the engine's own software paths: one lock
// per primitive, however many pixels it writes, since a lock costs ten times the
// pixel. Unlocked when it goes out of scope.
class LockedPixels {
 public:
  explicit LockedPixels(GenBitmap* bitmap)
      : bitmap_(bitmap), base_(static_cast<GenColor*>(GenLockMemory(bitmap->surface))) {}
  ~LockedPixels() {
    if (base_) GenUnlockMemory(bitmap_->surface);
  }
  LockedPixels(const LockedPixels&) = delete;
  LockedPixels& operator=(const LockedPixels&) = delete;

  explicit operator bool() const { return base_ != nullptr; }
  GenColor* base() const { return base_; }
  GenColor* At(int32_t x, int32_t y) const { return base_ + static_cast<ptrdiff_t>(y) * Stride(bitmap_) + x; }

 private:
  GenBitmap* bitmap_;
  GenColor* base_;
};

// Writes a run of pixels: one row or one column. Copy stores the colour; blend
// blends with its alpha, which lies between 1 and 254 (callers copy opaque
// colours and skip invisible ones).
void WriteRun(const LockedPixels& pixels, GenColor colour, bool blend, int32_t x, int32_t y, int32_t count,
              bool vertical, int32_t stride) {
  if (count <= 0) return;
  GenColor* p = pixels.At(x, y);
  if (!vertical) {
    if (blend)
      GenBlendSpan(p, count, colour, GenColorAlpha(colour));
    else
      std::fill_n(p, count, colour);
    return;
  }
  const uint32_t weight = GenColorAlpha(colour);
  for (int32_t i = 0; i < count; ++i, p += stride) {
    if (blend)
      GenPutPixel(p, colour, weight);
    else
      *p = colour;
  }
}

void HorizontalRun(const LockedPixels& pixels, const GenBitmap* bitmap, const GenRect& area, GenColor colour,
                   bool blend, int32_t x1, int32_t x2, int32_t y) {
  if (y < area.y1 || y >= area.y2) return;
  const int32_t from = std::max(x1, area.x1);
  const int32_t to = std::min(x2, area.x2);
  WriteRun(pixels, colour, blend, from, y, to - from, false, Stride(bitmap));
}

void VerticalRun(const LockedPixels& pixels, const GenBitmap* bitmap, const GenRect& area, GenColor colour,
                 bool blend, int32_t x, int32_t y1, int32_t y2) {
  if (x < area.x1 || x >= area.x2) return;
  const int32_t from = std::max(y1, area.y1);
  const int32_t to = std::min(y2, area.y2);
  WriteRun(pixels, colour, blend, x, from, to - from, true, Stride(bitmap));
}

// The destination state for a bitmap copy, plain or scaled. Returns false
// when nothing is to be drawn (a blend with opacity 0). A blend weighs the
// source by its alpha times the opacity, once: the colour alpha scales the
// source alpha, which premultiplies the straight source colour, and the
// destination keeps what that alpha leaves of it, its alpha included, so an
// opaque destination stays opaque.
bool SetCopyState(IDirectFBSurface* surface, int32_t blend, int32_t opacity) {
  if (!blend) {
    surface->SetBlittingFlags(surface, DSBLIT_NOFX);
    return true;
  }
  if (opacity <= 0) return false;
  surface->SetSrcBlendFunction(surface, DSBF_ONE);
  surface->SetDstBlendFunction(surface, DSBF_INVSRCALPHA);
  if (opacity >= 255) {
    surface->SetBlittingFlags(surface,
                              static_cast<DFBSurfaceBlittingFlags>(DSBLIT_BLEND_ALPHACHANNEL | DSBLIT_SRC_PREMULTIPLY));
  } else {
    surface->SetColor(surface, 0, 0, 0, static_cast<u8>(opacity));
    surface->SetBlittingFlags(surface, static_cast<DFBSurfaceBlittingFlags>(DSBLIT_BLEND_ALPHACHANNEL |
                                                                           DSBLIT_BLEND_COLORALPHA |
                                                                           DSBLIT_SRC_PREMULTIPLY));
  }
  return true;
}

// Copies the source rectangle at (sx, sy) of a row-run picture to r of the
// target, whose copy state is set: a band of rows at a time is expanded and
// blitted, so the blending is the blitter's on the very pixels a surface of
// the picture would hold.
void CopyRowRuns(IDirectFBSurface* target, const GenBitmap* source, int64_t sx, int64_t sy, const GenRect& r) {
  const int32_t width = r.x2 - r.x1;
  for (int32_t top = r.y1; top < r.y2; top += GenBandRows) {
    const int32_t rows = std::min(GenBandRows, r.y2 - top);
    GenColor* memory = nullptr;
    int pitch = 0;
    GenBitmap* band = GenLockBand(width, &memory, &pitch);
    if (!band) {
      GEN_ERROR(GenErrOutOfMemory);
      return;
    }
    for (int32_t row = 0; row < rows; ++row)
      GenExpandRow(source, static_cast<int32_t>(sx), static_cast<int32_t>(sy + (top - r.y1) + row), width,
                   reinterpret_cast<GenColor*>(reinterpret_cast<uint8_t*>(memory) + static_cast<ptrdiff_t>(row) * pitch));
    GenUnlockBand();
    const DFBRectangle from{0, 0, width, rows};
    target->Blit(target, band->surface, &from, r.x1, top);
  }
}

// ------------------------------------------------ areas known to be plain

GenRect PlainRect(const GenBitmap* bitmap) {
  return {bitmap->plain.x1, bitmap->plain.y1, bitmap->plain.x2, bitmap->plain.y2};
}

GenRect Cut(const GenRect& a, const GenRect& b) { return Intersect(a, b.x1, b.y1, b.x2, b.y2); }

int64_t Area(const GenRect& r) { return IsEmpty(r) ? 0 : int64_t{r.x2 - r.x1} * (r.y2 - r.y1); }

// What is left of r once the part cut is taken out: the bands above and below
// it, then those left and right of it (empty ones included).
std::array<GenRect, 4> Around(const GenRect& r, const GenRect& cut) {
  return {GenRect{r.x1, r.y1, r.x2, cut.y1}, GenRect{r.x1, cut.y2, r.x2, r.y2}, GenRect{r.x1, cut.y1, cut.x1, cut.y2},
          GenRect{cut.x2, cut.y1, r.x2, cut.y2}};
}

void SetPlain(GenBitmap* bitmap, const GenRect& r, GenColor colour) {
  bitmap->plain = IsEmpty(r) ? GenPlainArea{} : GenPlainArea{r.x1, r.y1, r.x2, r.y2, colour};
}

// A copying fill of r: what the bitmap is known to hold of one colour. Of an
// older area that the fill does not extend, the fill, which later drawing
// covers first, is kept.
void NoteFill(GenBitmap* bitmap, const GenRect& r, GenColor colour) {
  const GenRect plain = PlainRect(bitmap);
  if (!IsEmpty(plain) && bitmap->plain.colour == colour) {
    const GenRect both = Cut(plain, r);
    if (both.x1 == r.x1 && both.y1 == r.y1 && both.x2 == r.x2 && both.y2 == r.y2) return;
    const bool sideBySide = plain.y1 == r.y1 && plain.y2 == r.y2 && plain.x1 <= r.x2 && r.x1 <= plain.x2;
    const bool stacked = plain.x1 == r.x1 && plain.x2 == r.x2 && plain.y1 <= r.y2 && r.y1 <= plain.y2;
    if (sideBySide || stacked) {
      SetPlain(bitmap, {std::min(plain.x1, r.x1), std::min(plain.y1, r.y1), std::max(plain.x2, r.x2),
                        std::max(plain.y2, r.y2)},
               colour);
      return;
    }
  }
  SetPlain(bitmap, r, colour);
}

// Pixels written otherwise: of the area, the largest band that the write
// left alone stays known.
void NoteWrite(GenBitmap* bitmap, const GenRect& r) {
  const GenRect plain = PlainRect(bitmap);
  const GenRect hit = Cut(plain, r);
  if (IsEmpty(hit)) return;
  GenRect best{0, 0, 0, 0};
  for (const GenRect& band : Around(plain, hit))
    if (Area(band) > Area(best)) best = band;
  SetPlain(bitmap, best, bitmap->plain.colour);
}

// DirectFB's plain fill of one colour over r.
void SolidFill(IDirectFBSurface* surface, GenColor colour, const GenRect& r) {
  surface->SetColor(surface, static_cast<u8>(GenColorRed(colour)), static_cast<u8>(GenColorGreen(colour)),
                    static_cast<u8>(GenColorBlue(colour)), static_cast<u8>(GenColorAlpha(colour)));
  surface->SetDrawingFlags(surface, DSDRAW_NOFX);
  surface->FillRectangle(surface, r.x1, r.y1, r.x2 - r.x1, r.y2 - r.y1);
}

// A row-run picture copied, or blended at full opacity, to r of the target
// from (sx, sy), straight into the target's memory: a copy writes the runs;
// a blend over the part known to be of one colour writes each run's one
// blended colour, and elsewhere blends the expanded row pixel by pixel.
void CopyRowRunsOver(GenBitmap* bitmap, const GenBitmap* source, int64_t sx, int64_t sy, const GenRect& r,
                     bool blend) {
  const LockedPixels pixels(bitmap);
  if (!pixels) return;
  const GenRect plain = blend ? Cut(PlainRect(bitmap), r) : r;
  const GenColor under = bitmap->plain.colour;
  for (int32_t row = plain.y1; row < plain.y2 && plain.x1 < plain.x2; ++row) {
    const auto x = static_cast<int32_t>(sx + plain.x1 - r.x1);
    const auto y = static_cast<int32_t>(sy + row - r.y1);
    if (blend)
      GenExpandRowOver(source, x, y, plain.x2 - plain.x1, under, pixels.At(plain.x1, row));
    else
      GenExpandRow(source, x, y, plain.x2 - plain.x1, pixels.At(plain.x1, row));
  }
  if (!blend) return;
  static thread_local std::vector<GenColor> line;
  for (const GenRect& part : IsEmpty(plain) ? std::array<GenRect, 4>{r, GenRect{}, GenRect{}, GenRect{}} : Around(r, plain)) {
    if (IsEmpty(part)) continue;
    const int32_t width = part.x2 - part.x1;
    line.resize(static_cast<size_t>(width));
    for (int32_t row = part.y1; row < part.y2; ++row) {
      GenExpandRow(source, static_cast<int32_t>(sx + part.x1 - r.x1), static_cast<int32_t>(sy + row - r.y1), width,
                   line.data());
      GenCopyBlendFullSpan(pixels.At(part.x1, row), line.data(), width);
    }
  }
}

// A surface's picture blended at full opacity to r of the target from (sx,
// sy), pixel by pixel as DirectFB's blitter blends it (the colour
// premultiplied by its alpha, plus what that alpha leaves of the target),
// in loops that vectorise; where the target is known to be of one colour only
// the picture is read. False when the surfaces cannot be locked.
bool BlendCopy(GenBitmap* bitmap, const GenBitmap* source, int64_t sx, int64_t sy, const GenRect& r) {
  IDirectFBSurface* from = source->surface;
  void* memory = nullptr;
  int pitch = 0;
  if (from->Lock(from, DSLF_READ, &memory, &pitch) != DFB_OK) return false;
  bool done = false;
  {
    const LockedPixels pixels(bitmap);
    if (pixels) {
      auto line = [&](int32_t x, int32_t row) {
        return reinterpret_cast<const GenColor*>(static_cast<const uint8_t*>(memory) +
                                                 (sy + row - r.y1) * static_cast<int64_t>(pitch)) +
               (sx + x - r.x1);
      };
      const GenRect plain = Cut(PlainRect(bitmap), r);
      const GenColor under = bitmap->plain.colour;
      for (int32_t row = plain.y1; row < plain.y2 && plain.x1 < plain.x2; ++row)
        GenCopyBlendOverSpan(pixels.At(plain.x1, row), line(plain.x1, row), plain.x2 - plain.x1, under);
      for (const GenRect& part : IsEmpty(plain) ? std::array<GenRect, 4>{r, GenRect{}, GenRect{}, GenRect{}} : Around(r, plain))
        for (int32_t row = part.y1; row < part.y2 && part.x1 < part.x2; ++row)
          GenCopyBlendFullSpan(pixels.At(part.x1, row), line(part.x1, row), part.x2 - part.x1);
      done = true;
    }
  }
  from->Unlock(from);
  return done;
}

}  // namespace

void GenNoteWritten(GenBitmap* bitmap, const GenRect& rect) {
  if (bitmap) NoteWrite(bitmap, rect);
}

// ------------------------------------------------------------- rectangles

void GenFillRectangle(GenBitmap* bitmap, const GenRect* clip, GenColor colour, int32_t x1, int32_t y1,
                      int32_t x2, int32_t y2, int32_t blend) {
  if (!CheckBitmap(bitmap, __LINE__)) return;
  const uint32_t alpha = GenColorAlpha(colour);
  if (alpha == 255) blend = 0;
  if (blend && alpha == 0) return;
  Normalise(x1, x2);
  Normalise(y1, y2);
  const GenRect r = Intersect(DrawingArea(bitmap, clip), x1, y1, x2, y2);
  if (IsEmpty(r)) return;
  IDirectFBSurface* surface = bitmap->surface;
  if (!blend) {
    SolidFill(surface, colour, r);
    NoteFill(bitmap, r, colour);
    return;
  }
  // A translucent fill over pixels known to be of one colour gives one colour
  // too: that part is a plain fill, and stays known.
  const GenRect plain = Cut(PlainRect(bitmap), r);
  std::array<GenRect, 4> rest{r, GenRect{}, GenRect{}, GenRect{}};
  if (!IsEmpty(plain)) {
    const GenColor over = GenCopyBlend(bitmap->plain.colour, colour, 255);
    SolidFill(surface, over, plain);
    rest = Around(r, plain);
  }
  // The rest is blended here, as DirectFB's blended fill blends (the colour
  // premultiplied, the destination weighted by what the colour leaves of
  // it), a row at a time in a loop that vectorises.
  if (std::any_of(rest.begin(), rest.end(), [](const GenRect& part) { return !IsEmpty(part); })) {
    const LockedPixels pixels(bitmap);
    if (pixels) {
      for (const GenRect& part : rest)
        for (int32_t row = part.y1; row < part.y2 && part.x1 < part.x2; ++row)
          GenFillBlendSpan(pixels.At(part.x1, row), part.x2 - part.x1, colour);
    }
  }
  if (IsEmpty(plain))
    NoteWrite(bitmap, r);
  else
    SetPlain(bitmap, plain, GenCopyBlend(bitmap->plain.colour, colour, 255));
}

void GenDrawRectangle(GenBitmap* bitmap, const GenRect* clip, GenColor colour, int32_t x1, int32_t y1,
                      int32_t x2, int32_t y2, int32_t blend) {
  if (!CheckBitmap(bitmap, __LINE__)) return;
  const uint32_t alpha = GenColorAlpha(colour);
  if (alpha == 255) blend = 0;
  if (blend && alpha == 0) return;
  Normalise(x1, x2);
  Normalise(y1, y2);
  // An outline of nothing draws nothing, rather than a stray column or row.
  if (x1 == x2 || y1 == y2) return;
  const GenRect area = DrawingArea(bitmap, clip);
  if (IsEmpty(area)) return;
  const LockedPixels pixels(bitmap);
  if (!pixels) return;
  const bool b = blend != 0;
  HorizontalRun(pixels, bitmap, area, colour, b, x1, x2, y1);
  if (y2 - 1 > y1) HorizontalRun(pixels, bitmap, area, colour, b, x1, x2, y2 - 1);
  VerticalRun(pixels, bitmap, area, colour, b, x1, y1 + 1, y2 - 1);
  if (x2 - 1 > x1) VerticalRun(pixels, bitmap, area, colour, b, x2 - 1, y1 + 1, y2 - 1);
  NoteWrite(bitmap, Intersect(area, x1, y1, x2, y2));
}

// ------------------------------------------------------------ lines, pixels

void DrawPixelBlend(void* target, int32_t x, int32_t y, GenColor colour) {
  auto* t = static_cast<GenLineTarget*>(target);
  if (x < t->area.x1 || x >= t->area.x2 || y < t->area.y1 || y >= t->area.y2) return;
  GenPutPixel(t->pixels + static_cast<ptrdiff_t>(y) * Stride(t->bitmap) + x, colour, GenColorAlpha(colour));
}

void GenDrawLine(GenBitmap* bitmap, const GenRect* clip, GenColor colour, int32_t x1, int32_t y1, int32_t x2,
                 int32_t y2, int32_t blend) {
  if (!CheckBitmap(bitmap, __LINE__)) return;
  const uint32_t alpha = GenColorAlpha(colour);
  if (alpha == 255) blend = 0;
  const GenRect area = DrawingArea(bitmap, clip);
  if (IsEmpty(area)) return;
  if (y1 == y2) {
    if (blend && alpha == 0) return;
    Normalise(x1, x2);
    const LockedPixels pixels(bitmap);
    if (pixels) HorizontalRun(pixels, bitmap, area, colour, blend != 0, x1, x2, y1);
    NoteWrite(bitmap, Intersect(area, x1, y1, x2, int64_t{y1} + 1));
    return;
  }
  if (x1 == x2) {
    if (blend && alpha == 0) return;
    Normalise(y1, y2);
    const LockedPixels pixels(bitmap);
    if (pixels) VerticalRun(pixels, bitmap, area, colour, blend != 0, x1, y1, y2);
    NoteWrite(bitmap, Intersect(area, x1, y1, int64_t{x1} + 1, y2));
    return;
  }
  // Slanted lines are always blended with their coverage. Their pixels are kept
  // to the drawing area like every other primitive's, so a line that crosses
  // the clip cannot paint over views that are not being redrawn. The surface is
  // locked once for the whole walk rather than once per pixel.
  if (std::min(y1, y2) >= area.y2 || std::max(y1, y2) < area.y1 || std::min(x1, x2) >= area.x2 ||
      std::max(x1, x2) < area.x1)
    return;
  const LockedPixels pixels(bitmap);
  if (!pixels) return;
  GenLineTarget target{bitmap, pixels.base(), area};
  WuLine(x1, y1, x2, y2, colour, &DrawPixelBlend, &target);
  // A walk puts a pixel at most one row or column past the points' box.
  NoteWrite(bitmap, Intersect(area, int64_t{std::min(x1, x2)} - 1, int64_t{std::min(y1, y2)} - 1,
                              int64_t{std::max(x1, x2)} + 2, int64_t{std::max(y1, y2)} + 2));
}

void GenDrawPixel(GenBitmap* bitmap, const GenRect* clip, GenColor colour, int32_t x, int32_t y, int32_t blend) {
  if (!CheckBitmap(bitmap, __LINE__)) return;
  const uint32_t alpha = GenColorAlpha(colour);
  if (alpha >= 255) blend = 0;
  const GenRect area = DrawingArea(bitmap, clip);
  if (x < area.x1 || x >= area.x2 || y < area.y1 || y >= area.y2) return;
  if (blend && alpha == 0) return;
  const LockedPixels pixels(bitmap);
  if (pixels) GenPutPixel(pixels.At(x, y), colour, blend ? alpha : 255);
  NoteWrite(bitmap, {x, y, x + 1, y + 1});
}

// ---------------------------------------------------------- bitmap copies

void GenCopyBitmap(GenBitmap* bitmap, const GenRect* clip, GenBitmap* source, int32_t x, int32_t y,
                   int32_t sourceX, int32_t sourceY, int32_t width, int32_t height, int32_t blend,
                   int32_t opacity) {
  if (!bitmap || !source) {
    GEN_ERROR(GenErrInvalidParameter);
    return;
  }
  if (bitmap->colorFormat != GenColorFormatArgb8888) GEN_ERROR(GenErrUnsupportedColorFormat);
  if (source->colorFormat != GenColorFormatArgb8888) GEN_ERROR(GenErrUnsupportedColorFormat);
  Span span = ClipSource(x, y, sourceX, sourceY, width, height, source->width, source->height);
  const GenRect r = Intersect(DrawingArea(bitmap, clip), span.dx, span.dy, span.dx + span.w, span.dy + span.h);
  if (IsEmpty(r)) return;
  const int64_t sx = span.sx + r.x1 - span.dx;
  const int64_t sy = span.sy + r.y1 - span.dy;
  if (blend && opacity <= 0) return;
  // Blends at full opacity are the engine's own, the same pixels as the
  // blitter's; copies of row runs write the target's memory; the rest is
  // the blitter's.
  const bool fullBlend = blend && opacity >= 255;
  if (source->rows && (!blend || fullBlend)) {
    CopyRowRunsOver(bitmap, source, sx, sy, r, fullBlend);
  } else if (!fullBlend || source == bitmap || !BlendCopy(bitmap, source, sx, sy, r)) {
    IDirectFBSurface* surface = bitmap->surface;
    SetCopyState(surface, blend, opacity);
    if (source->rows) {
      CopyRowRuns(surface, source, sx, sy, r);
    } else {
      const DFBRectangle from{static_cast<int>(sx), static_cast<int>(sy), r.x2 - r.x1, r.y2 - r.y1};
      surface->Blit(surface, source->surface, &from, r.x1, r.y1);
    }
  }
  NoteWrite(bitmap, r);
}

void GenCopyBitmapFrame(GenBitmap* bitmap, const GenRect* clip, GenBitmap* source, int32_t frame, int32_t x,
                        int32_t y, int32_t sourceX, int32_t sourceY, int32_t width, int32_t height,
                        int32_t blend, int32_t opacity) {
  if (!bitmap || !source) {
    GEN_ERROR(GenErrInvalidParameter);
    return;
  }
  const int32_t frameWidth = source->frameWidth;
  const int32_t frameHeight = source->frameHeight;
  if (frameWidth <= 0 || frameWidth > source->width || frameHeight <= 0) return;
  if (frame < 0) {
    GEN_ERROR(GenErrInvalidParameter);
    return;
  }
  const int32_t perRow = source->width / frameWidth;
  const int64_t originX = static_cast<int64_t>(frame % perRow) * frameWidth;
  const int64_t originY = static_cast<int64_t>(frame / perRow) * frameHeight;
  const Span span = ClipSource(x, y, sourceX, sourceY, width, height, frameWidth, frameHeight);
  const int64_t dx = span.dx, dy = span.dy, sx = span.sx, sy = span.sy, w = span.w, h = span.h;
  if (w <= 0 || h <= 0 || originY + sy >= source->height) return;
  // Everything left fits the 32-bit range: the frame lies inside the source.
  GenCopyBitmap(bitmap, clip, source, static_cast<int32_t>(std::clamp<int64_t>(dx, INT32_MIN, INT32_MAX)),
                static_cast<int32_t>(std::clamp<int64_t>(dy, INT32_MIN, INT32_MAX)),
                static_cast<int32_t>(originX + sx), static_cast<int32_t>(originY + sy), static_cast<int32_t>(w),
                static_cast<int32_t>(h), blend, opacity);
}

void GenTileBitmapFrame(GenBitmap* bitmap, const GenRect* clip, GenBitmap* source, int32_t frame, int32_t x,
                        int32_t y, int32_t sourceX, int32_t sourceY, int32_t width, int32_t height,
                        int32_t tileWidth, int32_t tileHeight, int32_t blend, int32_t opacity) {
  if (!bitmap || !source) {
    GEN_ERROR(GenErrInvalidParameter);
    return;
  }
  if (tileWidth < 1 || tileHeight < 1) return;
  const GenRect area = Intersect(DrawingArea(bitmap, clip), x, y, static_cast<int64_t>(x) + width,
                                 static_cast<int64_t>(y) + height);
  if (IsEmpty(area)) return;
  if (bitmap->colorFormat != GenColorFormatArgb8888) GEN_ERROR(GenErrUnsupportedColorFormat);
  if (source->colorFormat != GenColorFormatArgb8888) GEN_ERROR(GenErrUnsupportedColorFormat);
  const int32_t frameWidth = source->frameWidth;
  const int32_t frameHeight = source->frameHeight;
  if (frameWidth <= 0 || frameWidth > source->width || frameHeight <= 0) return;
  if (frame < 0) {
    GEN_ERROR(GenErrInvalidParameter);
    return;
  }
  // What one tile copies, the same for every tile: the cell cut to its frame,
  // then to the source, and where that lands relative to the tile's corner.
  const int32_t perRow = source->width / frameWidth;
  const int64_t originX = static_cast<int64_t>(frame % perRow) * frameWidth;
  const int64_t originY = static_cast<int64_t>(frame / perRow) * frameHeight;
  const Span cell = ClipSource(0, 0, sourceX, sourceY, tileWidth, tileHeight, frameWidth, frameHeight);
  if (cell.w <= 0 || cell.h <= 0 || originY + cell.sy >= source->height) return;
  const Span copy = ClipSource(static_cast<int32_t>(cell.dx), static_cast<int32_t>(cell.dy),
                               static_cast<int32_t>(originX + cell.sx), static_cast<int32_t>(originY + cell.sy),
                               static_cast<int32_t>(cell.w), static_cast<int32_t>(cell.h), source->width,
                               source->height);
  if (copy.w <= 0 || copy.h <= 0) return;

  // Every tile's rectangle cut to the area, gathered into one batch: the
  // blitter's state is set once and each call into it costs more than the
  // pixels of a small cell.
  static thread_local std::vector<DFBRectangle> from;
  static thread_local std::vector<DFBPoint> to;
  from.clear();
  to.clear();
  // Tiles stay aligned to (x, y) however much of the area the clip cuts away.
  const int64_t firstX = area.x1 - (static_cast<int64_t>(area.x1) - x) % tileWidth;
  const int64_t firstY = area.y1 - (static_cast<int64_t>(area.y1) - y) % tileHeight;
  for (int64_t ty = firstY; ty < area.y2; ty += tileHeight) {
    for (int64_t tx = firstX; tx < area.x2; tx += tileWidth) {
      const int64_t dx = tx + copy.dx, dy = ty + copy.dy;
      const GenRect r = Intersect(area, dx, dy, dx + copy.w, dy + copy.h);
      if (IsEmpty(r)) continue;
      from.push_back({static_cast<int>(copy.sx + r.x1 - dx), static_cast<int>(copy.sy + r.y1 - dy), r.x2 - r.x1,
                      r.y2 - r.y1});
      to.push_back({r.x1, r.y1});
    }
  }
  if (from.empty()) return;
  IDirectFBSurface* surface = bitmap->surface;
  if (!SetCopyState(surface, blend, opacity)) return;
  NoteWrite(bitmap, area);
  if (source->rows) {
    for (size_t i = 0; i < from.size(); ++i)
      CopyRowRuns(surface, source, from[i].x, from[i].y,
                  {to[i].x, to[i].y, to[i].x + from[i].w, to[i].y + from[i].h});
    return;
  }
  if (from.size() == 1)
    surface->Blit(surface, source->surface, &from[0], to[0].x, to[0].y);
  else
    surface->BatchBlit(surface, source->surface, from.data(), to.data(), static_cast<int>(from.size()));
}

void GenScaleBitmap(GenBitmap* bitmap, const GenRect* clip, GenBitmap* source, int32_t x, int32_t y,
                    int32_t width, int32_t height, int32_t sourceX, int32_t sourceY, int32_t sourceWidth,
                    int32_t sourceHeight, int32_t blend, int32_t opacity) {
  if (!bitmap || !source) {
    GEN_ERROR(GenErrInvalidParameter);
    return;
  }
  if (bitmap->colorFormat != GenColorFormatArgb8888) GEN_ERROR(GenErrUnsupportedColorFormat);
  if (source->colorFormat != GenColorFormatArgb8888) GEN_ERROR(GenErrUnsupportedColorFormat);
  if (blend && opacity <= 0) return;
  if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return;
  const GenRect area = DrawingArea(bitmap, clip);
  if (IsEmpty(area)) return;
  IDirectFBSurface* surface = bitmap->surface;
  if (!SetCopyState(surface, blend, opacity)) return;
  // The clip goes through the surface's clip region because a stretched blit
  // cannot be cut exactly by moving its rectangles. The region is put back
  // afterwards: left behind, it would silently cut every later fill and blit on
  // this surface.
  DFBRegion previous{};
  const bool hadClip = surface->GetClip(surface, &previous) == DFB_OK;
  const DFBRegion region{area.x1, area.y1, area.x2 - 1, area.y2 - 1};
  surface->SetClip(surface, &region);
  DFBRectangle from{sourceX, sourceY, sourceWidth, sourceHeight};
  // A row-run picture is stretched from a surface of the part it shows (a
  // small one is kept for the next picture of its size).
  GenBitmap* part = nullptr;
  if (source->rows) {
    const GenRect cut = Intersect({0, 0, source->width, source->height}, sourceX, sourceY,
                                  static_cast<int64_t>(sourceX) + sourceWidth,
                                  static_cast<int64_t>(sourceY) + sourceHeight);
    if (!IsEmpty(cut)) part = GenTakeStretchSurface(cut.x2 - cut.x1, cut.y2 - cut.y1);
    if (!part) {
      surface->SetClip(surface, hadClip ? &previous : nullptr);
      return;
    }
    // A kept surface holds an earlier picture: nothing is drawn unless every
    // pixel is this one's.
    auto* memory = static_cast<uint8_t*>(GenLockMemory(part->surface));
    if (!memory) {
      GenFreeBitmap(part);
      surface->SetClip(surface, hadClip ? &previous : nullptr);
      return;
    }
    for (int32_t row = 0; row < part->height; ++row)
      GenExpandRow(source, cut.x1, cut.y1 + row, part->width,
                   reinterpret_cast<GenColor*>(memory) + static_cast<ptrdiff_t>(row) * (part->width + part->padding));
    GenUnlockMemory(part->surface);
    from.x -= cut.x1;
    from.y -= cut.y1;
  }
  IDirectFBSurface* pixels = part ? part->surface : source->surface;
  if (width == sourceWidth && height == sourceHeight) {
    surface->Blit(surface, pixels, &from, x, y);
  } else {
    const DFBRectangle to{x, y, width, height};
    surface->StretchBlit(surface, pixels, &from, &to);
  }
  surface->SetClip(surface, hadClip ? &previous : nullptr);
  GenGiveStretchSurface(part);
  NoteWrite(bitmap, Intersect(area, x, y, int64_t{x} + width, int64_t{y} + height));
}

void GenCopyIndex8Bitmap(GenBitmap* bitmap, const GenRect* clip, GenIndex8Bitmap* source, int32_t x, int32_t y,
                         int32_t sourceX, int32_t sourceY, int32_t width, int32_t height, int32_t blend,
                         int32_t opacity) {
  if (!bitmap || !source) {
    GEN_ERROR(GenErrInvalidParameter);
    return;
  }
  if (bitmap->colorFormat != GenColorFormatArgb8888) GEN_ERROR(GenErrUnsupportedColorFormat);
  if (blend && opacity <= 0) return;
  Span span = ClipSource(x, y, sourceX, sourceY, width, height, source->width, source->height);
  const GenRect r = Intersect(DrawingArea(bitmap, clip), span.dx, span.dy, span.dx + span.w, span.dy + span.h);
  if (IsEmpty(r)) return;
  const int64_t sx = span.sx + r.x1 - span.dx;
  const int64_t sy = span.sy + r.y1 - span.dy;
  const uint8_t* indexes = GenLockIndex8Bitmap(source);
  const LockedPixels pixels(bitmap);
  if (pixels) {
    const GenColor* table = source->colors;
    // A blended row goes in chunks: the table look-ups first, then the blend
    // as one loop the compiler vectorises.
    constexpr int32_t kChunk = 256;
    GenColor colours[kChunk];
    for (int32_t row = r.y1; row < r.y2; ++row) {
      const uint8_t* from = indexes + (sy + row - r.y1) * source->width + sx;
      GenColor* to = pixels.At(r.x1, row);
      const int32_t width = r.x2 - r.x1;
      if (!blend) {
        for (int32_t col = 0; col < width; ++col) to[col] = table[from[col]];
        continue;
      }
      for (int32_t done = 0; done < width; done += kChunk) {
        const int32_t n = std::min(kChunk, width - done);
        for (int32_t i = 0; i < n; ++i) colours[i] = table[from[done + i]];
        GenCopyBlendSpan(to + done, colours, n, static_cast<uint32_t>(std::min(opacity, 255)));
      }
    }
  }
  GenUnlockIndex8Bitmap(source);
  NoteWrite(bitmap, r);
}
