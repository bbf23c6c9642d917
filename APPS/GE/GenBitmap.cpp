#include "GenBitmap.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "GenArtwork.h"
#include "GenFrameCache.h"
#include "GraphicsEngine.h"
#include "gcm.h"
#include "vgobject.h"
#include "vgstring.h"

IDirectFBWindow* MoskMainWindow = nullptr;

namespace {

GenBitmap* NewRecord() {
  auto* bitmap = static_cast<GenBitmap*>(VgAlloc(sizeof(GenBitmap)));
  if (bitmap) std::memset(bitmap, 0, sizeof(GenBitmap));
  return bitmap;
}

// Surfaces of bitmaps let go of, kept for the next bitmap of their very size,
// the most recently let go last. DirectFB destroys a released surface later,
// on a thread of its own: surfaces made and let go frame after frame (the
// layer of a group that fades) would pile up meanwhile, megabytes of them.
struct Spares {
  std::vector<GenBitmap*> kept;
  size_t bytes = 0;
};
constexpr size_t kSpareBudget = 256 * 1024;

Spares& TheSpares() {
  static auto* spares = new Spares;  // outlives every bitmap freed at exit
  return *spares;
}

void ReleaseSpare(Spares& s, GenBitmap* spare) {
  s.bytes -= GenBitmapBytes(spare);
  spare->surface->Release(spare->surface);
  VgFree(spare);
}

}  // namespace

namespace {

// The drawing band, and whether it is given out now.
GenBitmap* g_drawingBand = nullptr;
bool g_drawingBandTaken = false;

}  // namespace

bool GenReleaseSpareSurfaces() {
  Spares& s = TheSpares();
  bool any = !s.kept.empty();
  if (g_drawingBand && !g_drawingBandTaken) {
    GenFreeOutgrownBitmap(std::exchange(g_drawingBand, nullptr));
    any = true;
  }
  for (GenBitmap* spare : s.kept) ReleaseSpare(s, spare);
  s.kept.clear();
  return any;
}

namespace {

IDirectFBSurface* TakeSpare(int32_t width, int32_t height) {
  Spares& s = TheSpares();
  for (auto it = s.kept.rbegin(); it != s.kept.rend(); ++it) {
    GenBitmap* spare = *it;
    if (spare->width != width || spare->height != height) continue;
    s.kept.erase(std::next(it).base());
    s.bytes -= GenBitmapBytes(spare);
    IDirectFBSurface* surface = spare->surface;
      VgFree(spare);
    // As a new surface is: no clip of an earlier user's left.
    surface->SetClip(surface, nullptr);
    return surface;
  }
  return nullptr;
}

// Keeps the bitmap's surface for a later bitmap of its size; false when it is
// not one to keep.
bool KeepSpare(GenBitmap* bitmap) {
  Spares& s = TheSpares();
  const size_t bytes = GenBitmapBytes(bitmap);
  if (!bitmap->surface || bitmap->rows || bitmap->external || bitmap->window || bytes > kSpareBudget / 2) return false;
  while (!s.kept.empty() && s.bytes + bytes > kSpareBudget) {
    ReleaseSpare(s, s.kept.front());
    s.kept.erase(s.kept.begin());
  }
  s.kept.push_back(bitmap);
  s.bytes += bytes;
  return true;
}

// A video-memory ARGB surface: the blitter works on it and the engine locks it
// for its own software paths.
IDirectFBSurface* NewSurface(IDirectFB* dfb, int32_t width, int32_t height) {
  if (IDirectFBSurface* spare = TakeSpare(width, height)) return spare;
  DFBSurfaceDescription description{};
  description.flags =
      static_cast<DFBSurfaceDescriptionFlags>(DSDESC_CAPS | DSDESC_WIDTH | DSDESC_HEIGHT | DSDESC_PIXELFORMAT);
  description.caps = DSCAPS_VIDEOONLY;
  description.width = width;
  description.height = height;
  description.pixelformat = DSPF_ARGB;
  IDirectFBSurface* surface = nullptr;
  if (dfb->CreateSurface(dfb, &description, &surface) == DFB_OK) return surface;
  // Memory runs short: the artwork kept for later goes first (nothing uses
  // it, unlike the frame cache's pictures, which may be being drawn).
  const bool freed = GenReleaseSpareSurfaces();
  if (!(GenArtworkClear() || freed) || dfb->CreateSurface(dfb, &description, &surface) != DFB_OK) return nullptr;
  return surface;
}

// Row padding in pixels, learnt from the pitch of a write lock; -1 on failure.
int32_t PaddingOf(IDirectFBSurface* surface, int32_t width) {
  void* memory = nullptr;
  int pitch = 0;
  if (surface->Lock(surface, DSLF_WRITE, &memory, &pitch) != DFB_OK) return -1;
  surface->Unlock(surface);
  return pitch / 4 - width;
}

void TakeSizes(GenBitmap* bitmap, const GenBitmapResource* resource) {
  bitmap->resource = resource;
  bitmap->width = resource->width;
  bitmap->height = resource->height;
  bitmap->colorFormat = resource->colorFormat;
  bitmap->frameWidth = resource->frameWidth;
  bitmap->frameHeight = resource->frameHeight;
  bitmap->frameDelay = resource->frameDelay;
}

// Scratch surfaces grow in steps of this many pixels, so that a few sizes
// serve the pictures of every screen.
constexpr int32_t kScratchStep = 32;
int32_t RoundUp(int32_t value, int32_t step) { return (value + step - 1) / step * step; }

// The band of the row-run pictures and how many of them live.
GenBitmap* g_band = nullptr;
int32_t g_rowRunPictures = 0;
// The surface that stored artwork without one is copied from, the picture
// whose pixels it holds, and how many such pictures live.
GenBitmap* g_storedSource = nullptr;
const GenBitmap* g_storedHeld = nullptr;
int32_t g_storedPictures = 0;
// The surface a small row-run picture is stretched from, kept for the next
// stretch of the same size (a page of logos).
GenBitmap* g_stretch = nullptr;
constexpr size_t kKeptStretchBytes = 64 * 1024;

// The runs of a stored row-run picture, checked so that drawing can trust
// them: every row's runs name colours in the palette and cover exactly its
// width. Only the record is made; it points into the resource.
GenRowRuns* StoredRowRuns(const GenBitmapResource* resource) {
  const uint64_t height = static_cast<uint64_t>(resource->height);
  const uint64_t indexWords = resource->indexWords;
  const uint64_t count = resource->runCount;
  const uint32_t* index = resource->runIndex;
  if (!index || !resource->runs || indexWords < height + 2) return nullptr;
  const uint32_t* rowStart = index;
  const uint64_t colours = rowStart[height + 1];
  if (indexWords != height + 2 + colours || rowStart[height] != count || colours > GenRunMaxColours)
    return nullptr;
  const int32_t bits = GenRunColourBits(static_cast<uint32_t>(colours));
  // Each row's runs, which rows alike share, cover its width exactly, end
  // within the runs and name colours of the palette: the runs drawing reads
  // are those. A row that starts where the row above does was checked with
  // it; this runs at every first load.
  const auto width = static_cast<uint64_t>(resource->width);
  for (uint64_t y = 0; y < height; ++y) {
    if (y > 0 && rowStart[y] == rowStart[y - 1]) continue;
    uint64_t covered = 0;
    uint64_t i = rowStart[y];
    while (covered < width && i < count) {
      const uint32_t word = resource->runs[i++];
      if (GenRunColour(word, bits) >= colours) return nullptr;
      covered += GenRunLength(word, bits);
    }
    if (covered != width) return nullptr;
  }
  auto* rows = static_cast<GenRowRuns*>(VgAlloc(sizeof(GenRowRuns)));
  if (!rows) return nullptr;
  rows->rowStart = rowStart;
  rows->palette = index + height + 2;
  rows->runs = resource->runs;
  rows->colourBits = bits;
  return rows;
}

}  // namespace

GenBitmap* GenCreateBitmap(int32_t width, int32_t height, int32_t colorFormat) {
  return GenCreateBitmapInternal(width, height, colorFormat, nullptr);
}

GenBitmap* GenCreateBitmapInternal(int32_t width, int32_t height, int32_t colorFormat,
                                   IDirectFBSurface* surface) {
  if (width < 1 || height < 1) {
    GEN_ERROR(GenErrInvalidParameter);
    return nullptr;
  }
  GenBitmap* bitmap = NewRecord();
  if (!bitmap) {
    GEN_ERROR(GenErrOutOfMemory);
    return nullptr;
  }
  IDirectFB* dfb = GCM_GetDirectFB();
  if (!dfb) {
    GEN_ERROR(GenErrNotInitialized);
    VgFree(bitmap);
    return nullptr;
  }
  const bool external = surface != nullptr;
  if (!external) {
    surface = NewSurface(dfb, width, height);
    if (!surface) {
      GEN_ERROR(GenErrOutOfMemory);
      VgFree(bitmap);
      return nullptr;
    }
  }
  surface->Clear(surface, 0, 0, 0, 0);
  surface->Flip(surface, nullptr, static_cast<DFBSurfaceFlipFlags>(0));
  const int32_t padding = PaddingOf(surface, width);
  if (padding < 0) {
    GEN_ERROR(GenErrOperationFailed);
    if (!external) surface->Release(surface);
    VgFree(bitmap);
    return nullptr;
  }
  bitmap->width = width;
  bitmap->height = height;
  bitmap->padding = padding;
  bitmap->surface = surface;
  bitmap->colorFormat = colorFormat;
  bitmap->frameWidth = width;
  bitmap->frameHeight = height;
  bitmap->frameDelay = 0;
  bitmap->external = external ? 1 : 0;
  return bitmap;
}

GenBitmap* GenCreateBitmapExternal(int32_t width, int32_t height, int32_t colorFormat) {
  if (width < 1 || height < 1) {
    GEN_ERROR(GenErrInvalidParameter);
    return nullptr;
  }
  IDirectFBDisplayLayer* layer = GCM_GetDisplayLayer();
  if (!layer) {
    GEN_ERROR(GenErrNotInitialized);
    return nullptr;
  }
  DFBWindowDescription description{};
  description.flags = static_cast<DFBWindowDescriptionFlags>(DWDESC_CAPS | DWDESC_WIDTH | DWDESC_HEIGHT |
                                                             DWDESC_PIXELFORMAT | DWDESC_POSX |
                                                             DWDESC_POSY | DWDESC_OPTIONS);
  description.caps = DWCAPS_ALPHACHANNEL;
  description.width = width;
  description.height = height;
  description.pixelformat = DSPF_ARGB;
  description.posx = 0;
  description.posy = 0;
  description.options = static_cast<DFBWindowOptions>(DWOP_ALPHACHANNEL | DWOP_SCALE);
  IDirectFBWindow* window = nullptr;
  if (layer->CreateWindow(layer, &description, &window) != DFB_OK) {
    GEN_ERROR(GenErrOperationFailed);
    return nullptr;
  }
  IDirectFBSurface* surface = nullptr;
  if (window->GetSurface(window, &surface) != DFB_OK) {
    GEN_ERROR(GenErrOperationFailed);
    window->Release(window);
    return nullptr;
  }
  GenBitmap* bitmap = GenCreateBitmapInternal(width, height, colorFormat, surface);
  if (!bitmap) {
    surface->Release(surface);
    window->Release(window);
    return nullptr;
  }
  window->SetOpacity(window, 255);
  bitmap->window = window;
  MoskMainWindow = window;
  return bitmap;
}

GenBitmap* GenLoadBitmap(const GenBitmapResource* resource) {
  if (!resource) {
    GEN_ERROR(GenErrInvalidParameter);
    return nullptr;
  }
  const int32_t packing = resource->packing;
  const bool known = packing == GenPackedPixels || packing == GenStoredRowRuns || packing == GenStoredPixels;
  if (resource->width < 1 || resource->height < 1 || !known || (packing == GenPackedPixels && !resource->pixels) ||
      (packing == GenStoredPixels && !resource->storedPixels)) {
    GEN_ERROR(GenErrResourceCorrupted);
    return nullptr;
  }
  if (resource->colorFormat != GenColorFormatArgb8888) GEN_ERROR(GenErrUnsupportedColorFormat);
  GenBitmap* bitmap = NewRecord();
  if (!bitmap) {
    GEN_ERROR(GenErrOutOfMemory);
    return nullptr;
  }
  if (packing == GenStoredRowRuns) {
    bitmap->rows = StoredRowRuns(resource);
    if (!bitmap->rows) {
      GEN_ERROR(GenErrResourceCorrupted);
      VgFree(bitmap);
      return nullptr;
    }
    TakeSizes(bitmap, resource);
    ++g_rowRunPictures;
    return bitmap;
  }
  IDirectFB* dfb = GCM_GetDirectFB();
  if (!dfb) {
    GEN_ERROR(GenErrNotInitialized);
    VgFree(bitmap);
    return nullptr;
  }
  if (packing == GenStoredPixels && resource->width <= GenSurfacelessMaxWidth &&
      resource->height <= GenSurfacelessMaxHeight &&
      resource->width * resource->height <= GenSurfacelessMaxPixels) {
    TakeSizes(bitmap, resource);
    bitmap->stored = resource->storedPixels;
    ++g_storedPictures;
    return bitmap;
  }
  if (packing == GenStoredPixels) {
    // A surface over the pixels where they lie: nothing is copied, and the
    // blitter only ever reads them. Nothing draws into artwork, and the
    // surface is never kept for another bitmap (external).
    DFBSurfaceDescription description{};
    description.flags = static_cast<DFBSurfaceDescriptionFlags>(DSDESC_WIDTH | DSDESC_HEIGHT | DSDESC_PIXELFORMAT |
                                                                DSDESC_PREALLOCATED);
    description.width = resource->width;
    description.height = resource->height;
    description.pixelformat = DSPF_ARGB;
    description.preallocated[0].data = const_cast<GenColor*>(resource->storedPixels);
    description.preallocated[0].pitch = resource->width * static_cast<int>(sizeof(GenColor));
    IDirectFBSurface* surface = nullptr;
    if (dfb->CreateSurface(dfb, &description, &surface) != DFB_OK) {
      GEN_ERROR(GenErrOutOfMemory);
      VgFree(bitmap);
      return nullptr;
    }
    TakeSizes(bitmap, resource);
    bitmap->surface = surface;
    bitmap->external = 1;
    return bitmap;
  }
  IDirectFBSurface* surface = NewSurface(dfb, resource->width, resource->height);
  if (!surface) {
    GEN_ERROR(GenErrOutOfMemory);
    VgFree(bitmap);
    return nullptr;
  }
  void* memory = nullptr;
  int pitch = 0;
  if (surface->Lock(surface, DSLF_WRITE, &memory, &pitch) != DFB_OK) {
    GEN_ERROR(GenErrOperationFailed);
    surface->Release(surface);
    VgFree(bitmap);
    return nullptr;
  }
  TakeSizes(bitmap, resource);
  bitmap->padding = pitch / 4 - resource->width;
  bitmap->surface = surface;

  // The capacity is the locked memory, so no stream can write past the surface;
  // a stream that is damaged or too short for the picture is refused rather than
  // showing whatever the surface memory held.
  const uint64_t rowBytes = static_cast<uint64_t>(resource->width) * 4;
  const uint64_t capacity = static_cast<uint64_t>(pitch) * static_cast<uint64_t>(resource->height);
  const uint64_t expected = rowBytes * static_cast<uint64_t>(resource->height);
  int32_t written = -1;
  if (capacity <= INT32_MAX) {
    written = VgDecompressWithOffset(resource->pixels, resource->codeCount, static_cast<uint8_t*>(memory),
                                     static_cast<uint32_t>(capacity), static_cast<uint32_t>(rowBytes),
                                     static_cast<uint32_t>(bitmap->padding) * 4);
  }
  surface->Unlock(surface);
  if (written < 0 || static_cast<uint64_t>(written) != expected) {
    GEN_ERROR(GenErrResourceCorrupted);
    surface->Release(surface);
    VgFree(bitmap);
    return nullptr;
  }
  return bitmap;
}

namespace {

void FreeBitmap(GenBitmap* bitmap, bool spare) {
  // A later bitmap at the same address must not find this one's pictures.
  GenFrameCacheForget(bitmap);
  VgFree(std::exchange(bitmap->plainRows, nullptr));
  if (spare && KeepSpare(bitmap)) return;
  if (bitmap->rows) {
    VgFree(bitmap->rows);
    // The band goes with the last picture that needs it.
    if (--g_rowRunPictures == 0) {
      for (GenBitmap** kept : {&g_band, &g_stretch}) {
        GenBitmap* surface = std::exchange(*kept, nullptr);
        if (surface) GenFreeBitmap(surface);
      }
    }
  }
  if (bitmap->stored) {
    if (g_storedHeld == bitmap) g_storedHeld = nullptr;
    if (--g_storedPictures == 0 && g_storedSource) GenFreeBitmap(std::exchange(g_storedSource, nullptr));
  }
  if (bitmap->surface) bitmap->surface->Release(bitmap->surface);
  if (bitmap->window) {
    if (MoskMainWindow == bitmap->window) MoskMainWindow = nullptr;
    bitmap->window->Release(bitmap->window);
  }
  VgFree(bitmap);
}

}  // namespace

void GenFreeBitmap(GenBitmap* bitmap) {
  if (!bitmap) {
    GEN_ERROR(GenErrInvalidParameter);
    return;
  }
  FreeBitmap(bitmap, true);
}

void GenFreeOutgrownBitmap(GenBitmap* bitmap) {
  if (bitmap) FreeBitmap(bitmap, false);
}

GenRowRunPacker::GenRowRunPacker(int32_t width, int32_t height, size_t limit)
    : width_(width), height_(height), limit_(limit) {
  failed_ = width < 1 || height < 1 || width > UINT16_MAX;
}

bool GenRowRunPacker::AddRow(const GenColor* pixels) {
  if (failed_) return false;
  if (rows_.size() >= static_cast<size_t>(height_)) return !(failed_ = true);
  // A row like the one before it (the sides of a frame, a plain area) shares
  // its runs: nothing to look up, nothing more to keep.
  if (!rows_.empty() && !previous_.empty() && std::equal(pixels, pixels + width_, previous_.begin())) {
    rows_.push_back(rows_.back());
    return true;
  }
  previous_.assign(pixels, pixels + width_);
  const auto first = static_cast<uint32_t>(runs_.size());
  for (int32_t x = 0; x < width_;) {
    const GenColor colour = pixels[x];
    int32_t end = x + 1;
    while (end < width_ && pixels[end] == colour) ++end;
    auto at = colourIndex_.find(colour);
    if (at == colourIndex_.end()) {
      if (palette_.size() >= GenRunMaxColours) return !(failed_ = true);
      at = colourIndex_.emplace(colour, static_cast<uint16_t>(palette_.size())).first;
      palette_.push_back(colour);
    }
    runs_.push_back({static_cast<uint16_t>(end - x), at->second});
    x = end;
  }
  rows_.push_back({first, static_cast<uint32_t>(runs_.size())});
  if (Bytes() > limit_) failed_ = true;
  return !failed_;
}

bool GenRowRunPacker::AddRowLike(int32_t y) {
  if (failed_) return false;
  if (y < 0 || static_cast<size_t>(y) >= rows_.size() || rows_.size() >= static_cast<size_t>(height_))
    return !(failed_ = true);
  rows_.push_back(rows_[static_cast<size_t>(y)]);
  // The pixels of row y are not at hand to compare the next row with.
  previous_.clear();
  return true;
}

// The index of every row, the colour count, the palette and the runs.
size_t GenRowRunPacker::Bytes() const {
  return (static_cast<size_t>(height_) + 2 + palette_.size() + runs_.size()) * 4;
}

GenBitmap* GenRowRunPacker::Finish() {
  if (failed_ || rows_.size() != static_cast<size_t>(height_)) return nullptr;
  const auto colours = static_cast<uint32_t>(palette_.size());
  const int32_t bits = GenRunColourBits(colours);
  // Where each run's words start: rows that share runs start where those
  // runs were written, once.
  std::vector<uint32_t> wordOf(runs_.size() + 1);
  uint32_t words = 0;
  for (size_t i = 0; i < runs_.size(); ++i) {
    wordOf[i] = words;
    words += GenRunWordCount(runs_[i].length, bits);
  }
  wordOf[runs_.size()] = words;
  const size_t indexBytes = (rows_.size() + 2) * sizeof(uint32_t);
  const size_t paletteBytes = palette_.size() * sizeof(GenColor);
  auto* rows =
      static_cast<GenRowRuns*>(VgAlloc(sizeof(GenRowRuns) + indexBytes + paletteBytes + words * sizeof(uint16_t)));
  GenBitmap* bitmap = rows ? NewRecord() : nullptr;
  if (!bitmap) {
    VgFree(rows);
    GEN_ERROR(GenErrOutOfMemory);
    return nullptr;
  }
  auto* block = reinterpret_cast<uint8_t*>(rows + 1);
  auto* rowStart = reinterpret_cast<uint32_t*>(block);
  auto* runs = reinterpret_cast<uint16_t*>(block + indexBytes + paletteBytes);
  uint32_t word = 0;
  for (const GenRowRun& run : runs_) GenRunWords(run.length, run.colour, bits, [&](uint16_t w) { runs[word++] = w; });
  for (size_t y = 0; y < rows_.size(); ++y) rowStart[y] = wordOf[rows_[y].first];
  rowStart[rows_.size()] = word;
  rowStart[rows_.size() + 1] = colours;
  std::memcpy(block + indexBytes, palette_.data(), paletteBytes);
  rows->rowStart = rowStart;
  rows->palette = reinterpret_cast<const GenColor*>(block + indexBytes);
  rows->runs = runs;
  rows->colourBits = bits;
  bitmap->width = width_;
  bitmap->height = height_;
  bitmap->colorFormat = GenColorFormatArgb8888;
  bitmap->frameWidth = width_;
  bitmap->frameHeight = height_;
  bitmap->rows = rows;
  ++g_rowRunPictures;
  return bitmap;
}

size_t GenBitmapBytes(const GenBitmap* bitmap) {
  if (!bitmap || bitmap->stored) return 0;
  if (const GenRowRuns* rows = bitmap->rows) {
    const auto height = static_cast<size_t>(bitmap->height);
    return sizeof(GenRowRuns) + (height + 2 + rows->rowStart[height + 1]) * 4 + rows->rowStart[height] * 2;
  }
  return static_cast<size_t>(bitmap->width + bitmap->padding) * static_cast<size_t>(bitmap->height) * sizeof(GenColor);
}

GenBitmap* GenMakePicture(const GenColor* pixels, int32_t width, int32_t height) {
  if (!pixels || width < 1 || height < 1) {
    GEN_ERROR(GenErrInvalidParameter);
    return nullptr;
  }
  GenPictureMaker maker(width, height);
  if (!maker.AddRows(pixels, height)) return nullptr;
  return maker.Finish();
}

void GenRowRunPacker::ExpandRow(int32_t y, GenColor* to) const {
  const auto [first, last] = rows_[static_cast<size_t>(y)];
  for (uint32_t i = first; i < last; ++i) {
    to = std::fill_n(to, runs_[i].length, palette_[runs_[i].colour]);
  }
}

GenPictureMaker::GenPictureMaker(int32_t width, int32_t height)
    : width_(width),
      height_(height),
      packer_(width, height, static_cast<size_t>(std::max(width, 0)) * sizeof(GenColor) *
                                 static_cast<size_t>(std::max(height, 0)) / 2) {
  failed_ = width < 1 || height < 1;
}

GenPictureMaker::~GenPictureMaker() {
  if (surface_) GenFreeBitmap(surface_);
}

bool GenPictureMaker::AddRows(const GenColor* pixels, int32_t rows) {
  if (failed_ || !pixels || rows < 0 || rows > height_ - added_) return !(failed_ = true);
  const size_t rowBytes = static_cast<size_t>(width_) * sizeof(GenColor);
  int32_t r = 0;
  bool switched = false;
  // A photograph's rows are runs of a pixel or two: the packing stops as soon
  // as the rows so far take more than half their pixels, a few rows in, so
  // that such a picture costs little more than its copy.
  for (; r < rows && packing_; ++r, ++added_) {
    const GenColor* row = pixels + static_cast<size_t>(r) * static_cast<size_t>(width_);
    packing_ = packer_.AddRow(row) && packer_.Bytes() <= rowBytes * static_cast<size_t>(added_ + 1) / 2 + 4096;
    if (packing_) continue;
    // The rows packed before this one go into a surface, and the rest follow.
    surface_ = GenCreateBitmap(width_, height_, GenColorFormatArgb8888);
    if (!surface_) return !(failed_ = true);
    switched = true;
    break;
  }
  if (packing_ || r == rows) return true;
  auto* memory = static_cast<GenColor*>(GenLockMemory(surface_->surface));
  if (!memory) return !(failed_ = true);
  GenForgetPlainArea(surface_);
  const size_t stride = static_cast<size_t>(surface_->width + surface_->padding);
  auto rowAt = [&](int32_t y) { return memory + static_cast<size_t>(y) * stride; };
  if (switched) {
    // The packed rows are expanded into the surface, and the packer lets go
    // of them.
    for (int32_t y = 0; y < added_; ++y) packer_.ExpandRow(y, rowAt(y));
    packer_ = GenRowRunPacker(width_, height_, 0);
  }
  for (; r < rows; ++r, ++added_)
    std::memcpy(rowAt(added_), pixels + static_cast<size_t>(r) * static_cast<size_t>(width_), rowBytes);
  GenUnlockMemory(surface_->surface);
  return true;
}

GenBitmap* GenPictureMaker::Finish() {
  if (failed_ || added_ != height_) return nullptr;
  if (packing_) return packer_.Finish();
  return std::exchange(surface_, nullptr);
}

void* GenLockMemory(IDirectFBSurface* surface) {
  if (!surface) return nullptr;
  void* memory = nullptr;
  int pitch = 0;
  if (surface->Lock(surface, DSLF_WRITE, &memory, &pitch) != DFB_OK) return nullptr;
  return memory;
}

void GenUnlockMemory(IDirectFBSurface* surface) {
  if (surface) surface->Unlock(surface);
}

// ------------------------------------------------------------ indexed bitmaps

GenIndex8Bitmap* GenCreateIndex8Bitmap(int32_t width, int32_t height) {
  if (width < 1 || height < 1) {
    GEN_ERROR(GenErrInvalidParameter);
    return nullptr;
  }
  const uint64_t pixels = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
  const uint64_t size = sizeof(GenIndex8Bitmap) + 256 * sizeof(GenColor) + pixels;
  void* block = size <= SIZE_MAX / 2 ? VgAlloc(static_cast<size_t>(size)) : nullptr;
  if (!block) {
    GEN_ERROR(GenErrOutOfMemory);
    return nullptr;
  }
  std::memset(block, 0, static_cast<size_t>(size));
  auto* bitmap = static_cast<GenIndex8Bitmap*>(block);
  bitmap->width = width;
  bitmap->height = height;
  bitmap->padding = 0;
  bitmap->colors = reinterpret_cast<GenColor*>(bitmap + 1);
  bitmap->pixels = reinterpret_cast<uint8_t*>(bitmap->colors + 256);
  return bitmap;
}

void GenFreeIndex8Bitmap(GenIndex8Bitmap* bitmap) {
  if (!bitmap) {
    GEN_ERROR(GenErrInvalidParameter);
    return;
  }
  VgFree(bitmap);
}

uint8_t* GenLockIndex8Bitmap(GenIndex8Bitmap* bitmap) {
  if (!bitmap) {
    GEN_ERROR(GenErrInvalidParameter);
    return nullptr;
  }
  return bitmap->pixels;
}

void GenUnlockIndex8Bitmap(GenIndex8Bitmap* bitmap) {
  if (!bitmap) GEN_ERROR(GenErrInvalidParameter);
}

void GenSetColorOfIndex8Bitmap(GenIndex8Bitmap* bitmap, const GenColor* colors, int32_t first,
                               int32_t count) {
  if (!bitmap || !colors) {
    GEN_ERROR(GenErrInvalidParameter);
    return;
  }
  // A negative index or count is as meaningless as one past the table.
  if (first < 0 || first >= 256 || count <= 0) return;
  if (count > 256 - first) count = 256 - first;
  std::memcpy(bitmap->colors + first, colors, static_cast<size_t>(count) * sizeof(GenColor));
}

GenBitmap* GenLockBand(int32_t width, GenColor** memory, int* pitch) {
  if (!g_band || g_band->width < width) {
    GenFreeOutgrownBitmap(std::exchange(g_band, nullptr));
    g_band = GenCreateBitmap(RoundUp(width, kScratchStep), GenBandRows, GenColorFormatArgb8888);
    if (!g_band) return nullptr;
  }
  void* locked = nullptr;
  if (g_band->surface->Lock(g_band->surface, DSLF_WRITE, &locked, pitch) != DFB_OK) return nullptr;
  *memory = static_cast<GenColor*>(locked);
  return g_band;
}

void GenUnlockBand() {
  if (g_band) g_band->surface->Unlock(g_band->surface);
}

GenBitmap* GenTakeDrawingBand(int32_t width, int32_t rows) {
  // A band asked for while the kept one is out is a bitmap of its own.
  if (g_drawingBandTaken) return GenCreateBitmap(width, rows, GenColorFormatArgb8888);
  if (!g_drawingBand || g_drawingBand->width < width || g_drawingBand->height < rows) {
    const int32_t w = std::max(g_drawingBand ? g_drawingBand->width : 0, width);
    const int32_t h = std::max(g_drawingBand ? g_drawingBand->height : 0, rows);
    GenFreeOutgrownBitmap(std::exchange(g_drawingBand, nullptr));
    g_drawingBand = GenCreateBitmap(RoundUp(w, kScratchStep), h, GenColorFormatArgb8888);
    if (!g_drawingBand) return nullptr;
  }
  g_drawingBandTaken = true;
  return g_drawingBand;
}

void GenGiveDrawingBand(GenBitmap* band) {
  if (band && band == g_drawingBand) g_drawingBandTaken = false;
  else if (band) GenFreeBitmap(band);
}

GenBitmap* GenTakeStretchSurface(int32_t width, int32_t height) {
  if (g_stretch && g_stretch->width == width && g_stretch->height == height) return std::exchange(g_stretch, nullptr);
  return GenCreateBitmap(width, height, GenColorFormatArgb8888);
}

void GenGiveStretchSurface(GenBitmap* surface) {
  if (!surface) return;
  if (g_rowRunPictures == 0 || GenBitmapBytes(surface) > kKeptStretchBytes) {
    GenFreeBitmap(surface);
    return;
  }
  if (g_stretch) GenFreeBitmap(g_stretch);
  g_stretch = surface;
}

void GenForgetPlainArea(GenBitmap* bitmap) {
  if (bitmap) bitmap->plain = GenPlainArea{};
}

void GenExpandRow(const GenBitmap* source, int32_t x, int32_t y, int32_t width, GenColor* to) {
  if (source->stored) {
    std::copy_n(source->stored + static_cast<ptrdiff_t>(y) * source->width + x, width, to);
    return;
  }
  GenWalkRow(source, x, y, width, [&](uint32_t n, GenColor colour) {
    std::fill_n(to, n, colour);
    to += n;
  });
}

IDirectFBSurface* GenSourceSurface(const GenBitmap* source) {
  if (!source->stored) return source->surface;
  if (g_storedHeld == source) return g_storedSource->surface;
  if (!g_storedSource || g_storedSource->width < source->width || g_storedSource->height < source->height) {
    // Made for the largest picture yet, so that it is seldom made again.
    const int32_t width = RoundUp(std::max(g_storedSource ? g_storedSource->width : 0, source->width), kScratchStep);
    const int32_t height = RoundUp(std::max(g_storedSource ? g_storedSource->height : 0, source->height), kScratchStep);
    GenFreeOutgrownBitmap(std::exchange(g_storedSource, nullptr));
    g_storedHeld = nullptr;
    g_storedSource = GenCreateBitmap(width, height, GenColorFormatArgb8888);
    if (!g_storedSource) return nullptr;
  }
  auto* memory = static_cast<GenColor*>(GenLockMemory(g_storedSource->surface));
  if (!memory) return nullptr;
  const ptrdiff_t stride = g_storedSource->width + g_storedSource->padding;
  for (int32_t y = 0; y < source->height; ++y)
    std::copy_n(source->stored + static_cast<ptrdiff_t>(y) * source->width, source->width, memory + y * stride);
  GenUnlockMemory(g_storedSource->surface);
  g_storedHeld = source;
  return g_storedSource->surface;
}
