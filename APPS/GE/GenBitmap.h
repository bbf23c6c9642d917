// The engine's pixel stores: ARGB bitmaps held in DirectFB surfaces (off-screen
// surfaces, surfaces unpacked from bitmap resources and the main window's
// surface) and 8-bit indexed bitmaps with a colour table in ordinary memory.
#pragma once

#include <directfb.h>

#include <cstdint>

#include "GenColor.h"

// The only colour format of this configuration: 32-bit ARGB.
inline constexpr int32_t GenColorFormatArgb8888 = 0;

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
  int32_t external;    // 1 when the surface was handed in (the window's)
  IDirectFBWindow* window;
};

// One allocation: this header, then 256 colours, then width x height indexes.
struct GenIndex8Bitmap {
  int32_t width;
  int32_t height;
  int32_t padding;  // always 0
  GenColor* colors;
  uint8_t* pixels;
};

// What a bitmap constant of the Bitmaps unit leads to. The pixel stream is the
// whole bitmap row by row, 4 bytes per pixel in surface memory order (blue,
// green, red, alpha), LZW-packed like the constant string blocks.
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

void* GenLockMemory(IDirectFBSurface* surface);
void GenUnlockMemory(IDirectFBSurface* surface);

GenIndex8Bitmap* GenCreateIndex8Bitmap(int32_t width, int32_t height);
void GenFreeIndex8Bitmap(GenIndex8Bitmap* bitmap);
uint8_t* GenLockIndex8Bitmap(GenIndex8Bitmap* bitmap);
void GenUnlockIndex8Bitmap(GenIndex8Bitmap* bitmap);
void GenSetColorOfIndex8Bitmap(GenIndex8Bitmap* bitmap, const GenColor* colors, int32_t first,
                               int32_t count);
