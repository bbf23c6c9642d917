#include "GenPng.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "vgdebug.h"

bool GenReadBitmap(const GenBitmap* bitmap, GenImage* image) {
  if (bitmap && (bitmap->rows || bitmap->stored) && image) {
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
  if (bitmap->rows || bitmap->stored) {
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
  // A small compression window: the encoder's tables take some 40 kB instead
  // of the quarter of a megabyte that the default takes, for files a little
  // larger. Screenshots are taken while the set runs, in its memory.
  png_set_compression_window_bits(png, 13);
  png_set_compression_mem_level(png, 5);
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

bool GenWritePngRows(const std::string& path, int32_t width, int32_t height,
                     const std::function<void(int32_t y, GenColor* row)>& fill) {
  if (width < 1 || height < 1 || !fill) {
    VgPrint("GenWritePng: %s: no pixels to write\n", path.c_str());
    return false;
  }
  struct Maker {
    const std::function<void(int32_t, GenColor*)>* fill;
    std::vector<GenColor> row;
  } maker{&fill, std::vector<GenColor>(static_cast<size_t>(width))};
  std::vector<uint8_t> rgba(static_cast<size_t>(width) * 4);
  auto row = [](void* context, int32_t y, uint8_t* to) {
    auto* m = static_cast<Maker*>(context);
    (*m->fill)(y, m->row.data());
    ToRgba(m->row.data(), static_cast<int32_t>(m->row.size()), nullptr, to);
  };
  return WritePngRows(path.c_str(), width, height, row, &maker, rgba.data());
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

namespace {

// A PNG read a row at a time as 8-bit RGBA, whatever its colour type, so that
// a comparison holds two rows instead of two pictures.
class PngRows {
 public:
  ~PngRows() {
    if (png_) png_destroy_read_struct(&png_, info_ ? &info_ : nullptr, nullptr);
    if (file_) std::fclose(file_);
  }
  // Empty when the file opens as a picture, else what is wrong.
  std::string Open(const std::string& path) {
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_) return "cannot be opened";
    png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, &Error, &Warning);
    info_ = png_ ? png_create_info_struct(png_) : nullptr;
    if (!info_) return "out of memory";
    if (setjmp(png_jmpbuf(png_))) return "is not a readable PNG";
    png_init_io(png_, file_);
    png_read_info(png_, info_);
    if (png_get_interlace_type(png_, info_) != PNG_INTERLACE_NONE) return "is interlaced";
    png_set_expand(png_);
    png_set_strip_16(png_);
    png_set_gray_to_rgb(png_);
    png_set_filler(png_, 0xFF, PNG_FILLER_AFTER);
    png_read_update_info(png_, info_);
    width = static_cast<int32_t>(png_get_image_width(png_, info_));
    height = static_cast<int32_t>(png_get_image_height(png_, info_));
    if (png_get_rowbytes(png_, info_) != static_cast<size_t>(width) * 4) return "has an unexpected layout";
    return {};
  }
  bool Next(uint8_t* rgba) {
    if (setjmp(png_jmpbuf(png_))) return false;
    png_read_row(png_, rgba, nullptr);
    return true;
  }

  int32_t width = 0;
  int32_t height = 0;

 private:
  static void Error(png_structp png, png_const_charp) { png_longjmp(png, 1); }
  static void Warning(png_structp, png_const_charp) {}

  FILE* file_ = nullptr;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

// Where the rows of the picture being compared come from.
struct RowSource {
  int32_t width;
  int32_t height;
  void (*row)(const void* context, int32_t y, GenColor* to);
  const void* context;
};

GenColor FromRgba(const uint8_t* p) { return GenMakeColor(p[0], p[1], p[2], p[3]); }

std::string CompareRows(const RowSource& actual, const std::string& path) {
  std::vector<GenColor> row(static_cast<size_t>(std::max(actual.width, 0)));
  if (std::string refused = GenUpdateGoldensRefusal(); !refused.empty()) return refused;
  if (std::getenv("TVUI_UPDATE_GOLDENS")) {
    std::vector<uint8_t> rgba(row.size() * 4);
    struct Writer {
      const RowSource* source;
      std::vector<GenColor>* row;
    } writer{&actual, &row};
    auto fill = [](void* context, int32_t y, uint8_t* to) {
      auto* w = static_cast<Writer*>(context);
      w->source->row(w->source->context, y, w->row->data());
      ToRgba(w->row->data(), w->source->width, nullptr, to);
    };
    if (actual.width < 1 || actual.height < 1) return "cannot write " + path;
    return WritePngRows(path.c_str(), actual.width, actual.height, fill, &writer, rgba.data()) ? std::string()
                                                                                              : "cannot write " + path;
  }
  PngRows expected;
  const std::string problem = expected.Open(path);
  if (!problem.empty()) {
    VgPrint("GenReadPng: %s: %s\n", path.c_str(), problem.c_str());
    return "no reference " + path + " (TVUI_UPDATE_GOLDENS=1 writes it)";
  }
  if (expected.width != actual.width || expected.height != actual.height)
    return "the reference " + path + " is " + std::to_string(expected.width) + "x" + std::to_string(expected.height) +
           ", the picture " + std::to_string(actual.width) + "x" + std::to_string(actual.height);
  std::vector<uint8_t> rgba(row.size() * 4);
  int differing = 0;
  for (int32_t y = 0; y < actual.height; ++y) {
    if (!expected.Next(rgba.data())) return "the reference " + path + " cannot be read";
    actual.row(actual.context, y, row.data());
    for (int32_t x = 0; x < actual.width; ++x)
      if (row[static_cast<size_t>(x)] != FromRgba(&rgba[static_cast<size_t>(x) * 4])) ++differing;
  }
  if (differing == 0) return {};
  // The differences drawn a row at a time: red where the pixels differ, the
  // picture dimmed where they agree.
  const std::string diffPath = path.substr(0, path.size() - (path.ends_with(".png") ? 4 : 0)) + "_diff.png";
  PngRows again;
  if (again.Open(path).empty()) {
    struct Differ {
      const RowSource* source;
      PngRows* reference;
      std::vector<GenColor>* row;
      std::vector<uint8_t>* rgba;
    } differ{&actual, &again, &row, &rgba};
    std::vector<uint8_t> out(row.size() * 4);
    auto fill = [](void* context, int32_t y, uint8_t* to) {
      auto* d = static_cast<Differ*>(context);
      d->source->row(d->source->context, y, d->row->data());
      const bool read = d->reference->Next(d->rgba->data());
      for (size_t x = 0; x < d->row->size(); ++x) {
        const GenColor a = (*d->row)[x];
        GenColor& shown = (*d->row)[x];
        shown = read && a == FromRgba(&(*d->rgba)[x * 4])
                    ? GenMakeColor(GenColorRed(a) / 3, GenColorGreen(a) / 3, GenColorBlue(a) / 3, 255)
                    : GenMakeColor(255, 0, 0, 255);
      }
      ToRgba(d->row->data(), d->source->width, nullptr, to);
    };
    WritePngRows(diffPath.c_str(), actual.width, actual.height, fill, &differ, out.data());
  }
  return std::to_string(differing) + " pixels differ from " + path + "; see " + diffPath;
}

}  // namespace

std::string GenUpdateGoldensRefusal() {
  const char* update = std::getenv("TVUI_UPDATE_GOLDENS");
  if (!update || std::strcmp(update, "1") == 0) return {};
  // The value as it is shown: its first 40 bytes, a control character as \xNN.
  std::string shown;
  const char* c = update;
  for (; *c && c - update < 40; ++c) {
    if (static_cast<unsigned char>(*c) >= 0x20 && *c != 0x7F) {
      shown += *c;
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(*c));
      shown += escaped;
    }
  }
  if (*c) shown += "...";
  return "TVUI_UPDATE_GOLDENS takes 1, which rewrites the reference pictures, or is left unset, which compares "
         "them with the pictures; it is set to \"" + shown + "\"";
}

std::string GenCompareWithPng(const GenImage& actual, const std::string& path) {
  const RowSource source{actual.width, actual.height,
                         [](const void* context, int32_t y, GenColor* to) {
                           const auto* image = static_cast<const GenImage*>(context);
                           std::copy_n(&image->pixels[static_cast<size_t>(y) * image->width], image->width, to);
                         },
                         &actual};
  return CompareRows(source, path);
}

std::string GenCompareBitmapWithPng(const GenBitmap* bitmap, const std::string& path) {
  if (!bitmap || (!bitmap->rows && !bitmap->stored && !bitmap->surface)) return "no picture to compare with " + path;
  struct Rows {
    const GenBitmap* bitmap;
    const uint8_t* memory;
    int pitch;
  } rows{bitmap, nullptr, 0};
  IDirectFBSurface* surface = bitmap->rows || bitmap->stored ? nullptr : bitmap->surface;
  void* memory = nullptr;
  if (surface && surface->Lock(surface, DSLF_READ, &memory, &rows.pitch) != DFB_OK)
    return "the picture cannot be read to compare with " + path;
  rows.memory = static_cast<const uint8_t*>(memory);
  const RowSource source{bitmap->width, bitmap->height,
                         [](const void* context, int32_t y, GenColor* to) {
                           const auto* r = static_cast<const Rows*>(context);
                           if (!r->memory)
                             GenExpandRow(r->bitmap, 0, y, r->bitmap->width, to);
                           else
                             std::memcpy(to, r->memory + static_cast<ptrdiff_t>(y) * r->pitch,
                                         static_cast<size_t>(r->bitmap->width) * sizeof(GenColor));
                         },
                         &rows};
  std::string result = CompareRows(source, path);
  if (surface) surface->Unlock(surface);
  return result;
}
