#include "GenPng.h"

#include <png.h>

#include <cstring>

#include "vgdebug.h"

bool GenReadBitmap(const GenBitmap* bitmap, GenImage* image) {
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

bool GenWritePng(const std::string& path, const GenImage& image) {
  if (image.width < 1 || image.height < 1 ||
      image.pixels.size() != static_cast<size_t>(image.width) * image.height) {
    VgPrint("GenWritePng: %s: no pixels to write\n", path.c_str());
    return false;
  }
  std::vector<uint8_t> rgba(image.pixels.size() * 4);
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    const GenColor c = image.pixels[i];
    rgba[i * 4 + 0] = static_cast<uint8_t>(GenColorRed(c));
    rgba[i * 4 + 1] = static_cast<uint8_t>(GenColorGreen(c));
    rgba[i * 4 + 2] = static_cast<uint8_t>(GenColorBlue(c));
    rgba[i * 4 + 3] = static_cast<uint8_t>(GenColorAlpha(c));
  }
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width);
  png.height = static_cast<png_uint_32>(image.height);
  png.format = PNG_FORMAT_RGBA;
  if (!png_image_write_to_file(&png, path.c_str(), 0, rgba.data(), 0, nullptr)) {
    VgPrint("GenWritePng: %s: %s\n", path.c_str(), png.message);
    return false;
  }
  return true;
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

bool GenSaveBitmapPng(const GenBitmap* bitmap, const std::string& path) {
  GenImage image;
  if (!GenReadBitmap(bitmap, &image)) {
    VgPrint("GenSaveBitmapPng: %s: the bitmap cannot be read\n", path.c_str());
    return false;
  }
  return GenWritePng(path, image);
}
