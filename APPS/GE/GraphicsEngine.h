// The graphics engine: plain functions between the GUI framework and DirectFB.
// Engine functions never panic: bad arguments print one line through
// GenDebugPrint and the call returns null, 0 or nothing.
//
// Every drawing operation takes the destination bitmap, an optional clip
// rectangle and a blend flag (0 copies, 1 blends over the destination). The
// drawing area of a call is the bitmap's rectangle cut by the clip; nothing is
// ever written outside it.
#pragma once

#include <cstdint>

#include "GenBitmap.h"
#include "GenColor.h"
#include "GenDisplay.h"

// Error codes of GenDebugPrint.
enum GenError : int32_t {
  GenErrInvalidParameter = 1,
  GenErrOutOfMemory = 2,
  GenErrOperationFailed = 3,
  GenErrNotInitialized = 4,
  GenErrNotSupported = 5,
  GenErrDefaultCharMissing = 17,
  GenErrGlyphInUse = 18,
  GenErrResourceCorrupted = 19,
  GenErrGlyphCacheCorrupted = 20,
  GenErrUnsupportedColorFormat = 32,
  GenErrIncompatibleBitmap = 33,
};

// Prints "\nERROR: <message> Module <file> at line <line>\n", the file being the
// last component of the module path.
void GenDebugPrint(int32_t code, const char* module, int32_t line);
#define GEN_ERROR(code) GenDebugPrint((code), __FILE__, __LINE__)

// {x1, y1, x2, y2}; the right and bottom edges are exclusive.
struct GenRect {
  int32_t x1;
  int32_t y1;
  int32_t x2;
  int32_t y2;
};

// What a caller wrote into the bitmap's memory itself (text): the area the
// engine knew to be of one colour loses the rectangle.
void GenNoteWritten(GenBitmap* bitmap, const GenRect& rect);

void GenFillRectangle(GenBitmap* bitmap, const GenRect* clip, GenColor colour, int32_t x1, int32_t y1,
                      int32_t x2, int32_t y2, int32_t blend);
void GenDrawRectangle(GenBitmap* bitmap, const GenRect* clip, GenColor colour, int32_t x1, int32_t y1,
                      int32_t x2, int32_t y2, int32_t blend);
void GenDrawLine(GenBitmap* bitmap, const GenRect* clip, GenColor colour, int32_t x1, int32_t y1,
                 int32_t x2, int32_t y2, int32_t blend);
void GenDrawPixel(GenBitmap* bitmap, const GenRect* clip, GenColor colour, int32_t x, int32_t y,
                  int32_t blend);
void GenCopyBitmap(GenBitmap* bitmap, const GenRect* clip, GenBitmap* source, int32_t x, int32_t y,
                   int32_t sourceX, int32_t sourceY, int32_t width, int32_t height, int32_t blend,
                   int32_t opacity);
void GenCopyBitmapFrame(GenBitmap* bitmap, const GenRect* clip, GenBitmap* source, int32_t frame,
                        int32_t x, int32_t y, int32_t sourceX, int32_t sourceY, int32_t width,
                        int32_t height, int32_t blend, int32_t opacity);
void GenTileBitmapFrame(GenBitmap* bitmap, const GenRect* clip, GenBitmap* source, int32_t frame,
                        int32_t x, int32_t y, int32_t sourceX, int32_t sourceY, int32_t width,
                        int32_t height, int32_t tileWidth, int32_t tileHeight, int32_t blend,
                        int32_t opacity);
void GenScaleBitmap(GenBitmap* bitmap, const GenRect* clip, GenBitmap* source, int32_t x, int32_t y,
                    int32_t width, int32_t height, int32_t sourceX, int32_t sourceY,
                    int32_t sourceWidth, int32_t sourceHeight, int32_t blend, int32_t opacity);
void GenCopyIndex8Bitmap(GenBitmap* bitmap, const GenRect* clip, GenIndex8Bitmap* source, int32_t x,
                         int32_t y, int32_t sourceX, int32_t sourceY, int32_t width, int32_t height,
                         int32_t blend, int32_t opacity);

// The pixel function that slanted lines pass to WuLine; its context is a
// GenLineTarget. Pixels are blended with their coverage-scaled alpha and stored
// when that alpha reaches 255.
struct GenLineTarget {
  GenBitmap* bitmap;
  GenColor* pixels;  // the locked surface memory
  GenRect area;      // the drawing area of the line's call
};
void DrawPixelBlend(void* target, int32_t x, int32_t y, GenColor colour);
