#include "GenPng.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "vgdebug.h"

bool GenReadBitmap(const GenBitmap* bitmap, GenImage* image) {
  if (bitmap && bitmap->rows && image) {
    image->width = bitmap->width;
    image->height = bitmap->height;
    image->pixels.resize(static_cast<size_t>(bitmap->width) * bitmap->height);
    for (int32_t y = 0; y < bitmap->height; ++y)
      GenExpandRow(bitmap, 0, y, bitmap->width, &image->pixels[static_cast<size_t>(y) * bitmap->width]);
    return true;
  }
  if (!bitmap || !bitmap->surface || !image) return false;
  IDirectFBSurface* surface = bitmap->surface;
  void* memory = nullptr;
  int pitch = 0;
  // A read lock on a double-buffered window surface gives the buffer being
  // drawn, which is what a screenshot of the engine's work wants.
  if (surface->Lock(surface, DSLF_READ, &memory, &pitch) != DFB_OK) return false;
  image->width = bitmap->width;
  image->height = bitmap->height;
  image->pixels.resize(static_cast<size_t>(bitmap->width) * bitmap->height);
  for (int32_t y = 0; y < bitmap->height; ++y) {
    std::memcpy(&image->pixels[static_cast<size_t>(y) * bitmap->width],
                static_cast<const uint8_t*>(memory) + static_cast<ptrdiff_t>(y) * pitch,
                static_cast<size_t>(bitmap->width) * sizeof(GenColor));
  }
  surface->Unlock(surface);
  return true;
}

bool GenReadPixel(const GenBitmap* bitmap, int32_t x, int32_t y, GenColor* pixel) {
  if (!bitmap || !pixel || x < 0 || y < 0 || x >= bitmap->width || y >= bitmap->height) return false;
  if (bitmap->rows) {
    GenExpandRow(bitmap, x, y, 1, pixel);
    return true;
  }
  if (!bitmap->surface) return false;
  IDirectFBSurface* surface = bitmap->surface;
  void* memory = nullptr;
  int pitch = 0;
  if (surface->Lock(surface, DSLF_READ, &memory, &pitch) != DFB_OK) return false;
  std::memcpy(pixel, static_cast<const uint8_t*>(memory) + static_cast<ptrdiff_t>(y) * pitch + x * 4, sizeof *pixel);
  surface->Unlock(surface);
  return true;
}

namespace {

// Writes 8-bit RGBA rows that fill() makes one at a time into row, so that no
// copy of the whole picture is ever held. Only plain values live across the
// jump back from a libpng error.
bool WritePngRows(const char* path, int32_t width, int32_t height, void (*fill)(void*, int32_t, uint8_t*),
                  void* context, uint8_t* row) {
  FILE* file = std::fopen(path, "wb");
  if (!file) {
    VgPrint("GenWritePng: %s: cannot be created\n", path);
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    std::fclose(file);
    VgPrint("GenWritePng: %s: out of memory\n", path);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    VgPrint("GenWritePng: %s: cannot be written\n", path);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int32_t y = 0; y < height; ++y) {
    fill(context, y, row);
    png_write_row(png, row);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  if (std::fclose(file) != 0) {
    VgPrint("GenWritePng: %s: cannot be written\n", path);
    return false;
  }
  return true;
}

void ToRgba(const GenColor* from, int32_t count, GenColor (*map)(GenColor), uint8_t* to) {
  for (int32_t i = 0; i < count; ++i) {
    const GenColor c = map ? map(from[i]) : from[i];
    to[i * 4 + 0] = static_cast<uint8_t>(GenColorRed(c));
    to[i * 4 + 1] = static_cast<uint8_t>(GenColorGreen(c));
    to[i * 4 + 2] = static_cast<uint8_t>(GenColorBlue(c));
    to[i * 4 + 3] = static_cast<uint8_t>(GenColorAlpha(c));
  }
}

}  // namespace

bool GenWritePng(const std::string& path, const GenImage& image) {
  if (image.width < 1 || image.height < 1 ||
      image.pixels.size() != static_cast<size_t>(image.width) * image.height) {
    VgPrint("GenWritePng: %s: no pixels to write\n", path.c_str());
    return false;
  }
  std::vector<uint8_t> row(static_cast<size_t>(image.width) * 4);
  auto fill = [](void* context, int32_t y, uint8_t* to) {
    const auto* image = static_cast<const GenImage*>(context);
    ToRgba(&image->pixels[static_cast<size_t>(y) * image->width], image->width, nullptr, to);
  };
  return WritePngRows(path.c_str(), image.width, image.height, fill, const_cast<GenImage*>(&image), row.data());
}

bool GenReadPng(const std::string& path, GenImage* image) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) {
    VgPrint("GenReadPng: %s: %s\n", path.c_str(), png.message);
    return false;
  }
  png.format = PNG_FORMAT_RGBA;
  std::vector<uint8_t> rgba(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, rgba.data(), 0, nullptr)) {
    VgPrint("GenReadPng: %s: %s\n", path.c_str(), png.message);
    png_image_free(&png);
    return false;
  }
  image->width = static_cast<int32_t>(png.width);
  image->height = static_cast<int32_t>(png.height);
  image->pixels.resize(static_cast<size_t>(png.width) * png.height);
  for (size_t i = 0; i < image->pixels.size(); ++i)
    image->pixels[i] = GenMakeColor(rgba[i * 4], rgba[i * 4 + 1], rgba[i * 4 + 2], rgba[i * 4 + 3]);
  return true;
}

bool GenSaveBitmapPng(const GenBitmap* bitmap, const std::string& path, GenColor (*map)(GenColor)) {
  if (!bitmap || !bitmap->surface || bitmap->width < 1 || bitmap->height < 1) {
    VgPrint("GenSaveBitmapPng: %s: the bitmap cannot be read\n", path.c_str());
    return false;
  }
  IDirectFBSurface* surface = bitmap->surface;
  struct Source {
    const uint8_t* memory;
    int pitch;
    int32_t width;
    GenColor (*map)(GenColor);
  } source{nullptr, 0, bitmap->width, map};
  void* memory = nullptr;
  // Encoded straight from the surface, row by row, under one read lock.
  if (surface->Lock(surface, DSLF_READ, &memory, &source.pitch) != DFB_OK) {
    VgPrint("GenSaveBitmapPng: %s: the bitmap cannot be read\n", path.c_str());
    return false;
  }
  source.memory = static_cast<const uint8_t*>(memory);
  std::vector<uint8_t> row(static_cast<size_t>(bitmap->width) * 4);
  auto fill = [](void* context, int32_t y, uint8_t* to) {
    const auto* s = static_cast<const Source*>(context);
    ToRgba(reinterpret_cast<const GenColor*>(s->memory + static_cast<ptrdiff_t>(y) * s->pitch), s->width, s->map, to);
  };
  const bool written = WritePngRows(path.c_str(), bitmap->width, bitmap->height, fill, &source, row.data());
  surface->Unlock(surface);
  return written;
}

std::string GenCompareWithPng(const GenImage& actual, const std::string& path) {
  if (std::getenv("TVUI_UPDATE_GOLDENS")) return GenWritePng(path, actual) ? std::string() : "cannot write " + path;
  GenImage expected;
  if (!GenReadPng(path, &expected)) return "no reference " + path + " (TVUI_UPDATE_GOLDENS=1 writes it)";
  if (expected.width != actual.width || expected.height != actual.height)
    return "the reference " + path + " is " + std::to_string(expected.width) + "x" + std::to_string(expected.height) +
           ", the picture " + std::to_string(actual.width) + "x" + std::to_string(actual.height);
  int differing = 0;
  GenImage diff = actual;
  for (size_t i = 0; i < actual.pixels.size(); ++i) {
    const GenColor a = actual.pixels[i];
    if (a != expected.pixels[i]) {
      ++differing;
      diff.pixels[i] = GenMakeColor(255, 0, 0, 255);
    } else {
      diff.pixels[i] = GenMakeColor(GenColorRed(a) / 3, GenColorGreen(a) / 3, GenColorBlue(a) / 3, 255);
    }
  }
  if (differing == 0) return {};
  const std::string diffPath = path.substr(0, path.size() - (path.ends_with(".png") ? 4 : 0)) + "_diff.png";
  GenWritePng(diffPath, diff);
  return std::to_string(differing) + " pixels differ from " + path + "; see " + diffPath;
}
