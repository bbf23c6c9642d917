// PNG files of engine pixels: screenshots of any bitmap (the window first of
// all) for tests and the scenario runner, and reading them back for comparison.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "GenBitmap.h"
#include "GenColor.h"

// Pixels in memory as engine colours, row by row without padding.
struct GenImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<GenColor> pixels;

  GenColor At(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Copies the bitmap's pixels out of its surface (or its row runs). False for a
// null bitmap or a surface that cannot be locked.
bool GenReadBitmap(const GenBitmap* bitmap, GenImage* image);
// One pixel, without copying the rest. False as above or off the bitmap.
bool GenReadPixel(const GenBitmap* bitmap, int32_t x, int32_t y, GenColor* pixel);

// 8-bit RGBA, straight alpha, as the pixels are stored. False on any failure,
// after a line on the console naming the file.
bool GenWritePng(const std::string& path, const GenImage& image);
// The same for a picture made a row at a time: fill writes row y's width
// pixels, so that no copy of the whole picture is held.
bool GenWritePngRows(const std::string& path, int32_t width, int32_t height,
                     const std::function<void(int32_t y, GenColor* row)>& fill);
bool GenReadPng(const std::string& path, GenImage* image);

// The screenshot: the bitmap's pixels encoded straight from its surface, each
// passed through map first when one is given (no copy of the frame is made).
bool GenSaveBitmapPng(const GenBitmap* bitmap, const std::string& path, GenColor (*map)(GenColor) = nullptr);

// Compares a picture exactly with the reference PNG at path: empty when they
// agree, else what differs. Pixels that differ are also shown in
// <name>_diff.png beside the reference, red over a dimmed copy of the
// picture. With TVUI_UPDATE_GOLDENS=1 the picture becomes the reference; any
// other value of it fails the comparison (GenUpdateGoldensRefusal).
std::string GenCompareWithPng(const GenImage& actual, const std::string& path);
// The same for the bitmap's pixels, read from its surface and the reference
// a row at a time: no copy of either picture is held.
std::string GenCompareBitmapWithPng(const GenBitmap* bitmap, const std::string& path);
// Why TVUI_UPDATE_GOLDENS is not a value it takes: it is unset, or 1 to
// rewrite the references. Set to anything else (0, empty) it would neither
// compare nor clearly rewrite, so every comparison fails with this reason.
// Empty when it is unset or 1.
std::string GenUpdateGoldensRefusal();
