// The engine's pixel stores: ARGB bitmaps held in DirectFB surfaces (off-screen
// surfaces, surfaces unpacked from bitmap resources and the main window's
// surface) and 8-bit indexed bitmaps with a colour table in ordinary memory.
#pragma once

#include <directfb.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "GenColor.h"
#include "GenRunWord.h"

// The only colour format of this configuration: 32-bit ARGB.
inline constexpr int32_t GenColorFormatArgb8888 = 0;

// A run of a picture being packed: length pixels of one colour of its palette.
struct GenRowRun {
  uint16_t length;
  uint16_t colour;
};

// A picture kept as the runs of one colour along its rows, in one block of
// ordinary memory: rowStart (height + 1 indexes, the last one the word
// count), the number of colours, the colours, then the runs' words. Row y's
// runs start at rowStart[y] and go on until they cover the width: stored
// artwork lets rows alike share theirs. Large artwork is mostly such runs
// (a gradient background is one run a row), and the runs take kilobytes
// where a surface takes megabytes.
struct GenRowRuns {
  const uint32_t* rowStart;
  const GenColor* palette;
  const uint16_t* runs;
  int32_t colourBits;  // GenRunColourBits of the palette's size
};

// An area of a bitmap known to hold one colour in every pixel, or in every
// pixel of each of its rows (a vertical gradient), so that what is blended
// over it can be worked out once a colour instead of pixel by pixel. The
// engine's copying fills and row-run pictures make it and its translucent
// fills over it keep it; every other write through the engine takes away what
// it covers. Empty (x1 >= x2) while nothing is known.
struct GenPlainArea {
  int32_t x1;
  int32_t y1;
  int32_t x2;
  int32_t y2;
  GenColor colour;
  int32_t byRow;  // 1: row y's colour is the bitmap's plainRows[y]; colour is unused
};

struct GenBitmap {
  int32_t width;
  int32_t height;
  // Extra pixels at the end of each surface row: pitch / 4 - width. Direct pixel
  // addressing uses a row stride of width + padding pixels.
  int32_t padding;
  IDirectFBSurface* surface;
  int32_t colorFormat;
  int32_t frameWidth;
  int32_t frameHeight;
  int32_t frameDelay;  // milliseconds between frames; 0 is a still picture
  int32_t external;    // 1 when the surface's memory is not the engine's (the window's, stored artwork)
  IDirectFBWindow* window;
  // Set for a row-run picture, which has no surface: copies from it fill the
  // rectangles of one colour that its runs make, or expand the rows they need
  // into a small band surface and blit from there, so that its pixels reach a
  // target exactly as a surface's would.
  GenRowRuns* rows;
  // Set for small stored artwork, which has no surface either: its pixels
  // where they lie in the program, width to a row. Copies from it blit from
  // the surface that holds the last such picture copied (GenSourceSurface).
  const GenColor* stored;
  GenPlainArea plain;
  GenColor* plainRows;  // a colour for each row, made when the plain area is first kept by rows
  // The resource a loaded bitmap was made from, whose pixels never change;
  // null for any other bitmap.
  const struct GenBitmapResource* resource;
};

// One allocation: this header, then 256 colours, then width x height indexes.
struct GenIndex8Bitmap {
  int32_t width;
  int32_t height;
  int32_t padding;  // always 0
  GenColor* colors;
  uint8_t* pixels;
};

// How a bitmap resource gives its pixels.
enum GenPixelPacking : int32_t {
  GenPackedPixels = 0,   // every pixel, in the LZW-packed pixel stream
  GenStoredRowRuns = 1,  // the picture's row runs as they are drawn
  GenStoredPixels = 2,   // every pixel as a surface holds it
};

// What a bitmap constant leads to: the whole bitmap row by row, 4 bytes per
// pixel in surface memory order (blue, green, red, alpha), LZW-packed like
// the constant string blocks, or the pixels or row runs stored as the engine
// draws them. The Bitmaps unit's artwork is stored: a surface is made over
// its pixels where they lie in the program, and row runs are drawn from
// there, so that loading artwork unpacks nothing and its pixels take no
// memory beside the program's own.
struct GenBitmapResource {
  int32_t width;
  int32_t height;
  const uint16_t* pixels;
  int32_t colorFormat;
  int32_t frameWidth;
  int32_t frameHeight;
  int32_t frameDelay;
  // Words in the pixel stream. The stream carries no size of its own, so
  // without this a damaged resource would send the decoder past its end.
  uint32_t codeCount;
  int32_t packing = GenPackedPixels;
  // Stored pixels: width x height of them, width to a row.
  const GenColor* storedPixels = nullptr;
  // Stored row runs: rowStart (height + 1 indexes; rows alike may share
  // their runs), the colour count and the colours, indexWords words in all;
  // then runCount words of runs, as GenRowRuns keeps them.
  const uint32_t* runIndex = nullptr;
  uint32_t indexWords = 0;
  const uint16_t* runs = nullptr;
  uint32_t runCount = 0;
};

// The DirectFB window of the GUI, created with the window bitmap; the GUI loop
// attaches its events to the event buffer.
extern IDirectFBWindow* MoskMainWindow;

GenBitmap* GenCreateBitmap(int32_t width, int32_t height, int32_t colorFormat);
GenBitmap* GenCreateBitmapInternal(int32_t width, int32_t height, int32_t colorFormat,
                                   IDirectFBSurface* surface);
GenBitmap* GenCreateBitmapExternal(int32_t width, int32_t height, int32_t colorFormat);
GenBitmap* GenLoadBitmap(const GenBitmapResource* resource);
void GenFreeBitmap(GenBitmap* bitmap);
// Frees a scratch bitmap that a larger one replaces: its surface goes at
// once, not kept for a later bitmap of its size, which nothing will ask for.
void GenFreeOutgrownBitmap(GenBitmap* bitmap);

// The band that row-run pictures are expanded into: at least width x
// GenBandRows, locked memory and pitch filled in. Kept while a row-run picture
// lives; null when it cannot be made or locked (the caller then unlocks nothing).
inline constexpr int32_t GenBandRows = 32;
GenBitmap* GenLockBand(int32_t width, GenColor** memory, int* pitch);
void GenUnlockBand();
// A surface of width x height for a row-run picture's pixels to be stretched
// from, its pixels left over from earlier use; given back when done, it is
// kept for the next one of its size while small.
GenBitmap* GenTakeStretchSurface(int32_t width, int32_t height);
void GenGiveStretchSurface(GenBitmap* surface);
// Writes width pixels of row y from column x on of a picture without a
// surface (row runs or stored pixels).
void GenExpandRow(const GenBitmap* source, int32_t x, int32_t y, int32_t width, GenColor* to);

// Stored artwork up to this size is loaded without a surface: a surface's
// records cost DirectFB some 6 KB and making one costs more than copying
// such a picture's pixels, and a screen's small pictures are mostly drawn
// once or twice for each time they are loaded.
inline constexpr int32_t GenSurfacelessMaxWidth = 256;
inline constexpr int32_t GenSurfacelessMaxHeight = 64;
inline constexpr int32_t GenSurfacelessMaxPixels = 4096;

// The surface to blit the bitmap's pixels from, at the bitmap's own
// coordinates: its own, or for stored artwork without one, a surface kept
// for them, into which its pixels are copied unless they are the last
// copied there. Valid until the next call; null when it cannot be made.
IDirectFBSurface* GenSourceSurface(const GenBitmap* source);

// Calls put(count, colour) for the runs of a row-run picture's row y from
// column x on, width pixels in all, the first and last cut to them; no two
// calls in a row have one colour.
template <class Put>
void GenWalkRow(const GenBitmap* source, int32_t x, int32_t y, int32_t width, Put put) {
  if (width <= 0) return;
  const GenRowRuns* rows = source->rows;
  const uint16_t* run = rows->runs + rows->rowStart[y];
  const int32_t bits = rows->colourBits;
  const auto length = [bits](uint16_t word) { return GenRunLength(word, bits); };
  // Runs that end before x are skipped; the first one left starts before x
  // by skip pixels.
  uint32_t skip = static_cast<uint32_t>(x);
  while (skip >= length(*run)) skip -= length(*run++);
  // Runs of one colour that follow each other (a long one kept in parts) go
  // out as one.
  uint32_t colour = GenRunColour(*run, bits);
  uint32_t pending = 0;
  for (uint32_t left = static_cast<uint32_t>(width); left > 0; ++run) {
    const uint32_t n = std::min<uint32_t>(length(*run) - skip, left);
    if (GenRunColour(*run, bits) != colour) {
      put(pending, rows->palette[colour]);
      colour = GenRunColour(*run, bits);
      pending = 0;
    }
    pending += n;
    left -= n;
    skip = 0;
  }
  put(pending, rows->palette[colour]);
}

// Packs a picture handed in row by row into a row-run picture, which draws
// the same pixels as a surface of it would: a nine-cell frame drawn once takes
// kilobytes as runs where its surface takes hundreds, its rows alike sharing
// their runs.
class GenRowRunPacker {
 public:
  // The packing gives up once the runs would take more than limit bytes.
  GenRowRunPacker(int32_t width, int32_t height, size_t limit);
  // The next row's width pixels; false once the packing has given up.
  bool AddRow(const GenColor* pixels);
  // The next row, the same as row y added before it: it shares y's runs.
  bool AddRowLike(int32_t y);
  // Writes the pixels of row y, one of the rows added whole, into width
  // pixels (also after the packing gave up).
  void ExpandRow(int32_t y, GenColor* to) const;
  int32_t RowsPacked() const { return static_cast<int32_t>(rows_.size()); }
  // The picture, once every row is in; null when the packing gave up, rows
  // are missing or memory runs short.
  GenBitmap* Finish();
  // What the runs of the rows so far take, as the limit counts it.
  size_t Bytes() const;

 private:
  int32_t width_;
  int32_t height_;
  size_t limit_;
  bool failed_ = false;
  std::vector<std::pair<uint32_t, uint32_t>> rows_;  // each row's first run and the one past its last
  std::vector<GenColor> previous_;                   // the pixels of the last row with runs of its own
  std::vector<GenColor> palette_;
  std::unordered_map<GenColor, uint16_t> colourIndex_;
  std::vector<GenRowRun> runs_;
};

// A bitmap of at least width x rows to draw a picture into a band of rows at
// a time (a frame's picture as it is packed into row runs), kept for the
// next such drawing: one surface, grown to the widest band asked for, not a
// surface of each width among the spares. Given back with GenGiveDrawingBand.
GenBitmap* GenTakeDrawingBand(int32_t width, int32_t rows);
void GenGiveDrawingBand(GenBitmap* band);

// Surfaces kept for a later bitmap of their size (made and let go frame after
// frame while something animates) and the drawing band are let go; true when
// there were some.
bool GenReleaseSpareSurfaces();

// The memory a bitmap's pixels take: its surface, row padding and all, or its
// runs; none for stored artwork without a surface.
size_t GenBitmapBytes(const GenBitmap* bitmap);

// A bitmap of the pixels given (0xAARRGGBB, width to a row), for a picture
// made elsewhere that is shown and never drawn into: row runs where they take
// at most half the pixels' memory (a picture of wide plain areas), else a
// surface with a copy of them. Null for no pixels or when memory runs short.
GenBitmap* GenMakePicture(const GenColor* pixels, int32_t width, int32_t height);

// The same for a picture handed in a band of rows at a time (a photo as the
// media library decodes it), so that its pixels are never held whole beside
// the picture made of them.
class GenPictureMaker {
 public:
  GenPictureMaker(int32_t width, int32_t height);
  ~GenPictureMaker();
  GenPictureMaker(const GenPictureMaker&) = delete;
  GenPictureMaker& operator=(const GenPictureMaker&) = delete;
  // The next rows, width pixels each; false once the picture cannot be made
  // (more rows than its height, memory short).
  bool AddRows(const GenColor* pixels, int32_t rows);
  int32_t RowsAdded() const { return added_; }
  // The picture once every row is in, else null; the caller owns it.
  GenBitmap* Finish();

 private:
  int32_t width_;
  int32_t height_;
  int32_t added_ = 0;
  bool failed_ = false;
  GenRowRunPacker packer_;
  bool packing_ = true;
  GenBitmap* surface_ = nullptr;  // once the runs would take too much
};

// Code that writes a bitmap's memory itself, after GenLockMemory, forgets
// what the engine knew of its pixels.
void GenForgetPlainArea(GenBitmap* bitmap);

void* GenLockMemory(IDirectFBSurface* surface);
void GenUnlockMemory(IDirectFBSurface* surface);

GenIndex8Bitmap* GenCreateIndex8Bitmap(int32_t width, int32_t height);
void GenFreeIndex8Bitmap(GenIndex8Bitmap* bitmap);
uint8_t* GenLockIndex8Bitmap(GenIndex8Bitmap* bitmap);
void GenUnlockIndex8Bitmap(GenIndex8Bitmap* bitmap);
void GenSetColorOfIndex8Bitmap(GenIndex8Bitmap* bitmap, const GenColor* colors, int32_t first,
                               int32_t count);
