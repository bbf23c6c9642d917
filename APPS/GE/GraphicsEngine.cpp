#include "GraphicsEngine.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "WuLine.h"
#include "gcm.h"
#include "vgdebug.h"
#include "vgobject.h"

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

// The colour of every pixel of row y of the area the bitmap knows to be plain.
GenColor PlainColour(const GenBitmap* bitmap, int32_t y) {
  return bitmap->plain.byRow ? bitmap->plainRows[y] : bitmap->plain.colour;
}

// Copies the source rectangle at (sx, sy) of a row-run picture to r of the
// target, whose copy state is set: a band of rows at a time is expanded and
// blitted, so the blending is the blitter's on the very pixels a surface of
// the picture would hold. Over the plain area of the bitmap over (when it is
// given), a blend at full opacity gives each run one colour, its own blended
// over the row's: expanded so, the band is copied.
void CopyRowRuns(IDirectFBSurface* target, const GenBitmap* source, int64_t sx, int64_t sy, const GenRect& r,
                 const GenBitmap* over = nullptr) {
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
    for (int32_t row = 0; row < rows; ++row) {
      auto* to = reinterpret_cast<GenColor*>(reinterpret_cast<uint8_t*>(memory) + static_cast<ptrdiff_t>(row) * pitch);
      const auto y = static_cast<int32_t>(sy + (top - r.y1) + row);
      if (!over) {
        GenExpandRow(source, static_cast<int32_t>(sx), y, width, to);
        continue;
      }
      const GenColor under = PlainColour(over, top + row);
      GenWalkRow(source, static_cast<int32_t>(sx), y, width, [&](uint32_t count, GenColor colour) {
        to = std::fill_n(to, count, GenCopyBlend(under, colour, 255));
      });
    }
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
  bitmap->plain = IsEmpty(r) ? GenPlainArea{} : GenPlainArea{r.x1, r.y1, r.x2, r.y2, colour, 0};
}

// The plain area cut down to r, its colours as they were.
void NarrowPlain(GenBitmap* bitmap, const GenRect& r) {
  if (IsEmpty(r)) {
    bitmap->plain = GenPlainArea{};
    return;
  }
  bitmap->plain.x1 = r.x1;
  bitmap->plain.y1 = r.y1;
  bitmap->plain.x2 = r.x2;
  bitmap->plain.y2 = r.y2;
}

// Room for a colour a row; false when memory is short, and the area is then
// not kept by rows.
bool RowColours(GenBitmap* bitmap) {
  if (!bitmap->plainRows)
    bitmap->plainRows = static_cast<GenColor*>(VgAlloc(static_cast<size_t>(bitmap->height) * sizeof(GenColor)));
  return bitmap->plainRows != nullptr;
}

// A copying fill of r: what the bitmap is known to hold of one colour. Of an
// older area that the fill does not extend, the fill, which later drawing
// covers first, is kept.
void NoteFill(GenBitmap* bitmap, const GenRect& r, GenColor colour) {
  const GenRect plain = PlainRect(bitmap);
  if (!IsEmpty(plain) && !bitmap->plain.byRow && bitmap->plain.colour == colour) {
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
  NarrowPlain(bitmap, best);
}

// DirectFB's plain fill of one colour over r.
void SolidFill(IDirectFBSurface* surface, GenColor colour, const GenRect& r) {
  surface->SetColor(surface, static_cast<u8>(GenColorRed(colour)), static_cast<u8>(GenColorGreen(colour)),
                    static_cast<u8>(GenColorBlue(colour)), static_cast<u8>(GenColorAlpha(colour)));
  surface->SetDrawingFlags(surface, DSDRAW_NOFX);
  surface->FillRectangle(surface, r.x1, r.y1, r.x2 - r.x1, r.y2 - r.y1);
}

// ------------------------------------------------------------ blended fills

// The surface that translucent fills are blitted from, so that their blend is
// the blitter's: a few rows of one colour, as wide as the widest fill so far.
// It is kept, and filled again only when a fill asks for another colour, so
// that a blended fill makes no surface of its own.
constexpr int32_t kTileRows = 16;
constexpr int32_t kTileWidthStep = 64;

struct ColourTile {
  GenBitmap* bitmap = nullptr;
  GenColor colour = 0;
  bool filled = false;
};
ColourTile g_tile;

IDirectFBSurface* TileOf(GenColor colour, int32_t width) {
  if (!g_tile.bitmap || g_tile.bitmap->width < width) {
    GenFreeOutgrownBitmap(g_tile.bitmap);
    g_tile = {};
    const int32_t rounded = (width + kTileWidthStep - 1) / kTileWidthStep * kTileWidthStep;
    g_tile.bitmap = GenCreateBitmap(rounded, kTileRows, GenColorFormatArgb8888);
    if (!g_tile.bitmap) return nullptr;
  }
  IDirectFBSurface* tile = g_tile.bitmap->surface;
  if (!g_tile.filled || g_tile.colour != colour) {
    SolidFill(tile, colour, {0, 0, g_tile.bitmap->width, kTileRows});
    g_tile.colour = colour;
    g_tile.filled = true;
  }
  return tile;
}

// Blends the colour over the parts, as DirectFB blends a blitted copy: the
// colour's tile is blitted over them a tile's rows at a time, all in one batch.
void BlendFill(IDirectFBSurface* surface, GenColor colour, const std::array<GenRect, 4>& parts) {
  int32_t widest = 0;
  for (const GenRect& part : parts)
    if (!IsEmpty(part)) widest = std::max(widest, part.x2 - part.x1);
  if (widest == 0) return;
  IDirectFBSurface* tile = TileOf(colour, widest);
  if (!tile) {
    GEN_ERROR(GenErrOutOfMemory);
    return;
  }
  static thread_local std::vector<DFBRectangle> from;
  static thread_local std::vector<DFBPoint> to;
  from.clear();
  to.clear();
  for (const GenRect& part : parts) {
    if (IsEmpty(part)) continue;
    for (int32_t top = part.y1; top < part.y2; top += kTileRows) {
      from.push_back({0, 0, part.x2 - part.x1, std::min(kTileRows, part.y2 - top)});
      to.push_back({part.x1, top});
    }
  }
  SetCopyState(surface, 1, 255);
  surface->BatchBlit(surface, tile, from.data(), to.data(), static_cast<int>(from.size()));
}

// ------------------------------------------------------- row runs as fills

// A rectangle of one colour that a row-run picture puts on its target.
struct RunRect {
  GenRect r;
  GenColor colour;
};

// Rough costs on DirectFB's software renderer, in nanoseconds: a fill call,
// each rectangle of its batch, and a pixel of a row-run picture expanded into
// the band and copied from there. Runs of one colour each go as fills where
// their rectangles cost less than their pixels through the band.
constexpr int64_t kFillCallNanos = 150;
constexpr int64_t kFillRectNanos = 20;
constexpr int64_t kBandPixelTenths = 6;  // 0.6 ns
// A pixel of a translucent fill blended from the colour's tile.
constexpr int64_t kTileBlendPixelTenths = 20;

int64_t BandTenths(const GenRect& r) { return Area(r) * kBandPixelTenths; }

// The rectangles of one colour that the picture's rectangle at (sx, sy) makes
// on r: each run cut to the copy's columns, neighbours of one colour joined,
// and a row whose rectangles are those of the row above making those one row
// taller (the rows of a frame's sides, of a plain area). Over the plain area
// of the bitmap over (when it is given), a blend at full opacity gives each
// run one colour, its own blended over the row's, and a run that leaves the
// row as it is makes no rectangle. False once there would be more than limit
// of them.
bool RunRects(const GenBitmap* source, int64_t sx, int64_t sy, const GenRect& r, const GenBitmap* over,
              size_t limit, std::vector<RunRect>& out) {
  out.clear();
  static thread_local std::vector<RunRect> row;
  size_t above = 0;  // where the rectangles of the row above start
  for (int32_t y = r.y1; y < r.y2; ++y) {
    row.clear();
    int32_t x = r.x1;
    const GenColor under = over ? PlainColour(over, y) : 0;
    GenWalkRow(source, static_cast<int32_t>(sx), static_cast<int32_t>(sy + (y - r.y1)), r.x2 - r.x1,
               [&](uint32_t count, GenColor colour) {
                 const GenColor c = over ? GenCopyBlend(under, colour, 255) : colour;
                 const int32_t end = x + static_cast<int32_t>(count);
                 if (over && c == under) {
                   // nothing changes here
                 } else if (!row.empty() && row.back().colour == c && row.back().r.x2 == x) {
                   row.back().r.x2 = end;
                 } else {
                   row.push_back({{x, y, end, y + 1}, c});
                 }
                 x = end;
               });
    const bool same = row.size() == out.size() - above &&
                      std::equal(row.begin(), row.end(), out.begin() + static_cast<ptrdiff_t>(above),
                                 [](const RunRect& a, const RunRect& b) {
                                   return a.r.x1 == b.r.x1 && a.r.x2 == b.r.x2 && a.colour == b.colour;
                                 });
    if (same) {
      for (size_t i = above; i < out.size(); ++i) out[i].r.y2 = y + 1;
      continue;
    }
    if (out.size() + row.size() > limit) return false;
    above = out.size();
    out.insert(out.end(), row.begin(), row.end());
  }
  return true;
}

// The rectangles in the order of their colours (they do not overlap, so any
// order draws the same), and how many colours they have.
size_t SortByColour(std::vector<RunRect>& rects) {
  std::sort(rects.begin(), rects.end(), [](const RunRect& a, const RunRect& b) { return a.colour < b.colour; });
  size_t colours = 0;
  for (size_t i = 0; i < rects.size(); ++i) colours += i == 0 || rects[i].colour != rects[i - 1].colour;
  return colours;
}

// DirectFB's plain fills of the rectangles sorted by colour: those of a
// colour in one call.
void FillRects(IDirectFBSurface* surface, const std::vector<RunRect>& rects) {
  static thread_local std::vector<DFBRectangle> batch;
  surface->SetDrawingFlags(surface, DSDRAW_NOFX);
  for (size_t i = 0; i < rects.size();) {
    const GenColor colour = rects[i].colour;
    batch.clear();
    for (; i < rects.size() && rects[i].colour == colour; ++i) {
      const GenRect& r = rects[i].r;
      batch.push_back({r.x1, r.y1, r.x2 - r.x1, r.y2 - r.y1});
    }
    surface->SetColor(surface, static_cast<u8>(GenColorRed(colour)), static_cast<u8>(GenColorGreen(colour)),
                      static_cast<u8>(GenColorBlue(colour)), static_cast<u8>(GenColorAlpha(colour)));
    surface->FillRectangles(surface, batch.data(), static_cast<unsigned int>(batch.size()));
  }
}

// What the rectangles of one colour drawn over area leave known, with
// what was known before them (before, narrowed already to what is left of
// it): where every row of the area came out of one colour across it, the
// area by rows; else the largest rectangle, or what is left of the old area
// when that is larger.
void NoteFills(GenBitmap* bitmap, const GenRect& area, const std::vector<RunRect>& rects, bool over,
               const GenPlainArea& before) {
  const bool rowsWhole =
      std::all_of(rects.begin(), rects.end(), [&](const RunRect& r) { return r.r.x1 == area.x1 && r.r.x2 == area.x2; });
  int64_t covered = 0;
  for (const RunRect& r : rects) covered += Area(r.r);
  // A copy leaves no row uncovered; a blend leaves a row it skipped as it was.
  const bool rowsCovered = over || covered == Area(area);
  if (rowsWhole && rowsCovered && Area(area) > Area(PlainRect(bitmap)) && RowColours(bitmap)) {
    // Rows that no rectangle covers kept the colour they had.
    if (over && !before.byRow) std::fill(bitmap->plainRows + area.y1, bitmap->plainRows + area.y2, before.colour);
    for (const RunRect& r : rects) std::fill(bitmap->plainRows + r.r.y1, bitmap->plainRows + r.r.y2, r.colour);
    bitmap->plain = GenPlainArea{area.x1, area.y1, area.x2, area.y2, 0, 1};
    return;
  }
  const RunRect* largest = nullptr;
  for (const RunRect& rect : rects)
    if (!largest || Area(rect.r) > Area(largest->r)) largest = &rect;
  if (largest && Area(largest->r) > Area(PlainRect(bitmap))) SetPlain(bitmap, largest->r, largest->colour);
}

// A row-run picture's rectangle at (sx, sy) copied or blended to r. Where
// every run gives one colour (a copy; a blend at full opacity over the area
// known to be plain), DirectFB fills the rectangles of those colours, or,
// where they are too many, copies them expanded into the band. Elsewhere the
// band's picture is blended by the blitter.
void CopyRowRunPicture(GenBitmap* bitmap, const GenBitmap* source, int64_t sx, int64_t sy, const GenRect& r,
                       int32_t blend, int32_t opacity) {
  IDirectFBSurface* surface = bitmap->surface;
  const bool blended = blend != 0;
  const GenRect plain = !blended ? r : opacity >= 255 ? Cut(PlainRect(bitmap), r) : GenRect{};
  const GenBitmap* over = blended ? bitmap : nullptr;
  std::array<GenRect, 4> rest{};
  if (IsEmpty(plain))
    rest[0] = r;
  else if (blended)
    rest = Around(r, plain);
  static thread_local std::vector<RunRect> rects;
  bool listed = false;
  if (!IsEmpty(plain)) {
    const int64_t band = BandTenths(plain);
    const int64_t px = sx + (plain.x1 - r.x1);
    const int64_t py = sy + (plain.y1 - r.y1);
    listed = RunRects(source, px, py, plain, over, static_cast<size_t>(band / (10 * kFillRectNanos)), rects);
    if (listed && 10 * (static_cast<int64_t>(SortByColour(rects)) * kFillCallNanos +
                        static_cast<int64_t>(rects.size()) * kFillRectNanos) < band) {
      FillRects(surface, rects);
    } else {
      surface->SetBlittingFlags(surface, DSBLIT_NOFX);
      CopyRowRuns(surface, source, px, py, plain, over);
    }
  }
  if (std::any_of(rest.begin(), rest.end(), [](const GenRect& part) { return !IsEmpty(part); })) {
    SetCopyState(surface, blend, opacity);
    for (const GenRect& part : rest)
      if (!IsEmpty(part)) CopyRowRuns(surface, source, sx + (part.x1 - r.x1), sy + (part.y1 - r.y1), part);
  }
  const GenPlainArea before = bitmap->plain;
  NoteWrite(bitmap, r);
  // The rectangles listed are the pixels drawn, whichever way they went.
  if (listed) NoteFills(bitmap, plain, rects, blended, before);
}

// A translucent fill over the part of the plain area, which gives each row one
// colour too: the row's blended with the fill's, which stays known. Where the
// rows make few bands of one colour, each band is a plain fill of its
// colour; else the part is blended from the colour's tile.
void FillOverPlain(GenBitmap* bitmap, GenColor colour, const GenRect& part) {
  IDirectFBSurface* surface = bitmap->surface;
  if (!bitmap->plain.byRow) {
    const GenColor over = GenCopyBlend(bitmap->plain.colour, colour, 255);
    SolidFill(surface, over, part);
    SetPlain(bitmap, part, over);
    return;
  }
  GenColor* rows = bitmap->plainRows;
  int64_t bands = 0;
  for (int32_t y = part.y1; y < part.y2; ++y) bands += y == part.y1 || rows[y] != rows[y - 1];
  const bool fills = bands * kFillCallNanos * 10 <= Area(part) * kTileBlendPixelTenths;
  if (fills)
    surface->SetDrawingFlags(surface, DSDRAW_NOFX);
  else
    BlendFill(surface, colour, {part, GenRect{}, GenRect{}, GenRect{}});
  for (int32_t top = part.y1; top < part.y2;) {
    const GenColor under = rows[top];
    int32_t bottom = top + 1;
    while (bottom < part.y2 && rows[bottom] == under) ++bottom;
    const GenColor c = GenCopyBlend(under, colour, 255);
    if (fills) {
      surface->SetColor(surface, static_cast<u8>(GenColorRed(c)), static_cast<u8>(GenColorGreen(c)),
                        static_cast<u8>(GenColorBlue(c)), static_cast<u8>(GenColorAlpha(c)));
      surface->FillRectangle(surface, part.x1, top, part.x2 - part.x1, bottom - top);
    }
    std::fill(rows + top, rows + bottom, c);
    top = bottom;
  }
  NarrowPlain(bitmap, part);
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
    FillOverPlain(bitmap, colour, plain);
    rest = Around(r, plain);
  }
  BlendFill(surface, colour, rest);
  if (IsEmpty(plain)) NoteWrite(bitmap, r);
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
  if (source->rows) {
    CopyRowRunPicture(bitmap, source, sx, sy, r, blend, opacity);
    return;
  }
  IDirectFBSurface* pixels = GenSourceSurface(source);
  if (!pixels) {
    GEN_ERROR(GenErrOutOfMemory);
    return;
  }
  IDirectFBSurface* surface = bitmap->surface;
  SetCopyState(surface, blend, opacity);
  const DFBRectangle from{static_cast<int>(sx), static_cast<int>(sy), r.x2 - r.x1, r.y2 - r.y1};
  surface->Blit(surface, pixels, &from, r.x1, r.y1);
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
  IDirectFBSurface* pixels = GenSourceSurface(source);
  if (!pixels) {
    GEN_ERROR(GenErrOutOfMemory);
    return;
  }
  if (from.size() == 1)
    surface->Blit(surface, pixels, &from[0], to[0].x, to[0].y);
  else
    surface->BatchBlit(surface, pixels, from.data(), to.data(), static_cast<int>(from.size()));
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
  IDirectFBSurface* pixels = part ? part->surface : GenSourceSurface(source);
  if (!pixels) {
    GEN_ERROR(GenErrOutOfMemory);
    surface->SetClip(surface, hadClip ? &previous : nullptr);
    return;
  }
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
