// The simulated media library. The USB disk (the recorder's, at
// XPM_USB_DISK_MOUNT_POINT below the simulated root) is storage medium
// "usba": its directory tree is browsed as it stands, pictures are PNG files,
// music WAV files (title, artist and album from their INFO chunk), video
// files of the library's own container (psl.h). Two media servers of the home
// network serve trees of their own from tables, and one media controller
// asks to play on the set.
//
// The calls only change the library's state and hand the work to the
// library's thread (simlater.h), which reads folders and files and posts
// every result to the program's sink, on the set's clock: folders, metadata
// and pictures at once, playback progress every second.
#include "psl.h"

#include <fcntl.h>
#include <limits.h>
#include <png.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "nvpath.h"
#include "simkernel.h"
#include "simlater.h"
#include "simtv.h"
#include "simvalues.h"
#include "xpm.h"

namespace {

namespace fs = std::filesystem;

int g_library = 0;

// ------------------------------------------------------------- the servers

// One entry of a server's tree: the folder it lies in ("" the root, "A/B"
// deeper), its name and what its metadata says.
struct ServerItem {
  const char* folder;
  const char* name;
  int32_t kind;
  int32_t seconds = 0;
  const char* title = "";
  const char* artist = "";
  const char* album = "";
  int32_t width = 0;
  int32_t height = 0;
};

constexpr ServerItem kDenItems[] = {
    {"", "Music", PSL_ENTRY_FOLDER},
    {"", "Photos", PSL_ENTRY_FOLDER},
    {"Music", "Harbour Lights.wav", PSL_ENTRY_MUSIC, 184, "Harbour Lights", "North Pier", "Coastline"},
    {"Music", "Slow Tide.wav", PSL_ENTRY_MUSIC, 201, "Slow Tide", "North Pier", "Coastline"},
    {"Photos", "Garden.png", PSL_ENTRY_PICTURE, 0, "", "", "", 640, 480},
    {"Photos", "Lantern.png", PSL_ENTRY_PICTURE, 0, "", "", "", 480, 640},
};
constexpr ServerItem kStudioItems[] = {
    {"", "Videos", PSL_ENTRY_FOLDER},
    {"Videos", "Rehearsal.clip", PSL_ENTRY_VIDEO, 95, "Rehearsal", "", "", 320, 180},
    {"", "Paper Boats.wav", PSL_ENTRY_MUSIC, 142, "Paper Boats", "Attic Choir", "Rooftops"},
};

struct Server {
  std::string name;
  std::string id;
  std::span<const ServerItem> items;
  bool registered = false;
};

std::vector<Server> DefaultServers() {
  return {{"Den Media Server", "uuid:den-media-server", kDenItems}, {"Studio NAS", "uuid:studio-nas", kStudioItems}};
}

std::vector<PslController> DefaultControllers() {
  PslController phone{};
  std::snprintf(phone.name, sizeof phone.name, "%s", "Kitchen Phone");
  std::snprintf(phone.mac, sizeof phone.mac, "%s", "00-1A-2B-3C-4D-5E");
  phone.access = 1;
  return {phone};
}

// -------------------------------------------------------------- the state

constexpr char kUsbName[] = "usba";


// Where a cursor browses: the disk's root directory, or a server's table.
struct Source {
  bool server = false;
  std::string mount;
  fs::path root;
  std::span<const ServerItem> items;
};

struct Entry {
  int32_t kind = PSL_ENTRY_FOLDER;
  std::string name;
  fs::path file;                     // storage
  const ServerItem* item = nullptr;  // servers
};

struct Cursor {
  bool open = false;
  Source source;
  std::vector<std::string> path;
  int32_t kinds = 0;
  int32_t serial = 0;
  bool listed = false;
  std::vector<Entry> entries;
  int32_t selected = -1;
};

struct Playback {
  bool active = false;
  int32_t cursor = 0;
  int32_t serial = 0;
  int32_t entry = -1;
  int32_t mode = PSL_PLAY_FOLDER;
  int32_t seconds = 0;
  int32_t total = 0;
  bool paused = false;
  bool started = false;
  uint64_t generation = 0;
  uint64_t tick = 0;
};

struct Library {
  bool started = false;
  bool dlna = false;
  Cursor cursors[2];
  int32_t serials = 0;
  Playback playback;
  int32_t repeat = PSL_REPEAT_OFF;
  std::vector<Server> servers = DefaultServers();
  std::vector<PslController> controllers = DefaultControllers();
  PslNoticeSink sink = nullptr;
  void* sinkContext = nullptr;
};

simk::StateMutex g_mutex;

Library& L() {
  static Library& library = *new Library;
  return library;
}

simk::LaterQueue& Q() {
  static simk::LaterQueue& queue = *new simk::LaterQueue("psl_library");
  return queue;
}

// --------------------------------------------------------------- helpers

const char* HandleName(void* psl) { return psl == &g_library ? "globalPsl" : "other"; }

// Copies text into a field of size bytes, cut on a UTF-8 boundary.
void CopyText(char* field, size_t size, const std::string& text) {
  size_t n = std::min(text.size(), size - 1);
  while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  std::memcpy(field, text.data(), n);
  field[n] = 0;
}
template <size_t N>
void CopyText(char (&field)[N], const std::string& text) {
  CopyText(field, N, text);
}

bool ValidCursor(int32_t cursor) { return cursor == PSL_CURSOR_BROWSER || cursor == PSL_CURSOR_MUSIC; }

bool UsbMounted() { return simtv::UsbDiskMounted(); }

std::string Lower(std::string text) {
  for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

int32_t KindOfFile(const fs::path& file) {
  const std::string extension = Lower(file.extension().string());
  if (extension == ".png") return PSL_ENTRY_PICTURE;
  if (extension == ".wav") return PSL_ENTRY_MUSIC;
  if (extension == ".clip") return PSL_ENTRY_VIDEO;
  return -1;
}

bool Shows(int32_t kinds, int32_t kind) { return kind == PSL_ENTRY_FOLDER || (kinds & PSL_SHOWS(kind)) != 0; }

bool Within(const fs::path& path, const fs::path& root) {
  auto p = path.begin();
  for (auto r = root.begin(); r != root.end(); ++r, ++p)
    if (p == path.end() || *p != *r) return false;
  return true;
}

void SortEntries(std::vector<Entry>& entries) {
  std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    const bool folderA = a.kind == PSL_ENTRY_FOLDER;
    const bool folderB = b.kind == PSL_ENTRY_FOLDER;
    if (folderA != folderB) return folderA;
    const std::string lowerA = Lower(a.name);
    const std::string lowerB = Lower(b.name);
    return lowerA != lowerB ? lowerA < lowerB : a.name < b.name;
  });
}

std::string Joined(const std::vector<std::string>& path) {
  std::string joined;
  for (const std::string& part : path) joined += (joined.empty() ? "" : "/") + part;
  return joined;
}

// A folder of the disk: links that lead out of the medium are left out, as
// are hidden files and files the library cannot play.
std::vector<Entry> ListStorage(const Source& source, const std::vector<std::string>& path, int32_t kinds) {
  std::vector<Entry> entries;
  std::error_code error;
  const fs::path root = fs::weakly_canonical(source.root, error);
  fs::path folder = source.root;
  for (const std::string& part : path) folder /= part;
  const fs::path real = fs::weakly_canonical(folder, error);
  if (error || !Within(real, root)) {
    std::fprintf(stderr, "PSL: %s lies outside its medium\n", folder.c_str());
    return entries;
  }
  for (auto it = fs::directory_iterator(real, error); !error && it != fs::directory_iterator(); it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    std::error_code linkError;
    if (it->is_symlink(linkError) && !Within(fs::weakly_canonical(it->path(), linkError), root)) {
      std::fprintf(stderr, "PSL: the link %s leads out of the medium and is left out\n", name.c_str());
      continue;
    }
    std::error_code kindError;
    int32_t kind = -1;
    if (it->is_directory(kindError))
      kind = PSL_ENTRY_FOLDER;
    else if (it->is_regular_file(kindError))
      kind = KindOfFile(it->path());
    if (kind < 0 || !Shows(kinds, kind)) continue;
    if (entries.size() >= PSL_FOLDER_MAX) {
      std::fprintf(stderr, "PSL: %s holds more than %d entries; the rest are left out\n", real.c_str(),
                   PSL_FOLDER_MAX);
      break;
    }
    entries.push_back({kind, name, it->path(), nullptr});
  }
  SortEntries(entries);
  return entries;
}

std::vector<Entry> ListServer(const Source& source, const std::vector<std::string>& path, int32_t kinds) {
  std::vector<Entry> entries;
  const std::string folder = Joined(path);
  for (const ServerItem& item : source.items)
    if (folder == item.folder && Shows(kinds, item.kind)) entries.push_back({item.kind, item.name, {}, &item});
  SortEntries(entries);
  return entries;
}

// ------------------------------------------------------------ the files

// Pixels in memory of malloc's own, so that a notice takes them over as they
// are instead of a copy: a fitted photo is a megabyte or two.
class Pixels {
 public:
  Pixels() = default;
  Pixels(Pixels&& other) noexcept : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}
  Pixels& operator=(Pixels&& other) noexcept {
    if (this != &other) {
      std::free(data_);
      data_ = std::exchange(other.data_, nullptr);
      size_ = std::exchange(other.size_, 0);
    }
    return *this;
  }
  ~Pixels() { std::free(data_); }

  // count pixels of 0; empty when memory runs short.
  void assign(size_t count) {
    std::free(data_);
    data_ = static_cast<uint32_t*>(std::calloc(count, sizeof(uint32_t)));
    size_ = data_ ? count : 0;
  }
  uint32_t* release() {
    size_ = 0;
    return std::exchange(data_, nullptr);
  }
  uint32_t* data() { return data_; }
  uint32_t& operator[](size_t i) { return data_[i]; }
  const uint32_t& operator[](size_t i) const { return data_[i]; }
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

 private:
  uint32_t* data_ = nullptr;
  size_t size_ = 0;
};

struct Image {
  int32_t width = 0;
  int32_t height = 0;
  Pixels pixels;
};

bool ReadPngSize(const fs::path& file, int32_t* width, int32_t* height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, file.c_str())) return false;
  *width = int32_t(image.width);
  *height = int32_t(image.height);
  png_image_free(&image);
  return true;
}

bool ReadPng(const fs::path& file, Image* out) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, file.c_str())) return false;
  if (image.width == 0 || image.height == 0 || image.width > PSL_PICTURE_MAX || image.height > PSL_PICTURE_MAX) {
    std::fprintf(stderr, "PSL: %s is %ux%u, too large to decode\n", file.c_str(), image.width, image.height);
    png_image_free(&image);
    return false;
  }
  // Bytes blue, green, red, alpha: 0xAARRGGBB words on this machine.
  image.format = PNG_FORMAT_BGRA;
  out->width = int32_t(image.width);
  out->height = int32_t(image.height);
  out->pixels.assign(size_t(out->width) * size_t(out->height));
  if (out->pixels.empty() || !png_image_finish_read(&image, nullptr, out->pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  return true;
}

// A picture handed over a window of rows at a time, the window moving only
// down: a picture is fitted as it is read, and no more of it is held than
// the rows that one fitted row covers.
class RowReader {
 public:
  virtual ~RowReader() = default;
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  // Rows first to last - 1, one after the other; first never goes back.
  // Null when they cannot be read.
  const uint32_t* Rows(int32_t first, int32_t last) {
    if (first < kept_ || first >= last || last > height_) return nullptr;
    const auto width = size_t(width_);
    const int32_t drop = std::min(first - kept_, int32_t(window_.size() / width));
    window_.erase(window_.begin(), window_.begin() + ptrdiff_t(size_t(drop) * width));
    kept_ += drop;
    // Rows between the old window and the new one are read and let go.
    for (; kept_ < first; ++kept_) {
      window_.resize(width);
      if (!Read(kept_, window_.data())) return nullptr;
      window_.clear();
    }
    for (int32_t next = kept_ + int32_t(window_.size() / width); next < last; ++next) {
      window_.resize(window_.size() + width);
      if (!Read(next, window_.data() + window_.size() - width)) return nullptr;
    }
    return window_.data();
  }

 protected:
  void SetSize(int32_t width, int32_t height) {
    width_ = width;
    height_ = height;
  }
  // Row y (the rows come in order) into width pixels.
  virtual bool Read(int32_t y, uint32_t* row) = 0;

 private:
  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t kept_ = 0;  // the first row of the window
  std::vector<uint32_t> window_;
};

// The rows of a picture held whole.
class ImageRows : public RowReader {
 public:
  explicit ImageRows(const Image& image) : image_(image) { SetSize(image.width, image.height); }

 private:
  bool Read(int32_t y, uint32_t* row) override {
    for (int32_t x = 0; x < image_.width; ++x) row[x] = image_.pixels[size_t(y) * size_t(image_.width) + size_t(x)];
    return true;
  }
  const Image& image_;
};

// A picture fitted into a box of width x height as it is read, its
// proportions kept: each pixel the average of the pixels it covers, or the
// nearest one when the picture grows. A picture smaller than the box grows
// only when asked to. No size (0 x 0) when the picture has none.
class Fitter {
 public:
  Fitter(RowReader& source, int32_t width, int32_t height, bool grow) : source_(source) {
    const int32_t sw = source.Width();
    const int32_t sh = source.Height();
    if (sw <= 0 || sh <= 0 || width <= 0 || height <= 0) return;
    int64_t w = width;
    int64_t h = int64_t(sh) * width / sw;
    if (h > height) {
      h = height;
      w = int64_t(sw) * height / sh;
    }
    if (!grow && (w > sw || h > sh)) {
      w = sw;
      h = sh;
    }
    width_ = int32_t(std::max<int64_t>(w, 1));
    height_ = int32_t(std::max<int64_t>(h, 1));
  }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }

  // Fitted rows first to first + count - 1 into count x Width() pixels; the
  // rows come in order. False when the picture cannot be read.
  bool Rows(int32_t first, int32_t count, uint32_t* out) {
    const int32_t sw = source_.Width();
    const int32_t sh = source_.Height();
    for (int32_t y = first; y < first + count; ++y) {
      const int32_t y0 = int32_t(int64_t(y) * sh / height_);
      const int32_t y1 = std::max(y0 + 1, int32_t(int64_t(y + 1) * sh / height_));
      const uint32_t* rows = source_.Rows(y0, y1);
      if (!rows) return false;
      for (int32_t x = 0; x < width_; ++x) {
        const int32_t x0 = int32_t(int64_t(x) * sw / width_);
        const int32_t x1 = std::max(x0 + 1, int32_t(int64_t(x + 1) * sw / width_));
        uint64_t sum[4] = {};
        for (int32_t sy = 0; sy < y1 - y0; ++sy)
          for (int32_t sx = x0; sx < x1; ++sx) {
            const uint32_t p = rows[size_t(sy) * size_t(sw) + size_t(sx)];
            for (int c = 0; c < 4; ++c) sum[c] += (p >> (8 * c)) & 0xFF;
          }
        const uint64_t n = uint64_t(y1 - y0) * uint64_t(x1 - x0);
        uint32_t p = 0;
        for (int c = 0; c < 4; ++c) p |= uint32_t(sum[c] / n) << (8 * c);
        out[size_t(y - first) * size_t(width_) + size_t(x)] = p;
      }
    }
    return true;
  }

 private:
  RowReader& source_;
  int32_t width_ = 0;
  int32_t height_ = 0;
};

// The picture fitted whole; empty when it cannot be read or memory runs short.
Image Fit(RowReader& source, int32_t width, int32_t height, bool grow) {
  Fitter fit(source, width, height, grow);
  Image out;
  if (fit.Width() <= 0) return out;
  out.width = fit.Width();
  out.height = fit.Height();
  out.pixels.assign(size_t(out.width) * size_t(out.height));
  if (out.pixels.empty() || !fit.Rows(0, out.height, out.pixels.data())) return Image{};
  return out;
}

Image Fit(const Image& source, int32_t width, int32_t height, bool grow) {
  ImageRows rows(source);
  return Fit(rows, width, height, grow);
}

// A PNG file read a row at a time. Only 8-bit RGB and RGBA files that are not
// interlaced and carry no gamma of their own are read so (the whole-picture
// reading converts the others, and gives the same pixels for these).
class PngRows : public RowReader {
 public:
  ~PngRows() override {
    if (png_) png_destroy_read_struct(&png_, &info_, nullptr);
    if (file_) std::fclose(file_);
  }
  // False when the file cannot be opened or is not one to read a row at a time.
  bool Open(const fs::path& path) {
    file_ = std::fopen(path.c_str(), "rb");
    png_ = file_ ? png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Quiet, Quiet) : nullptr;
    info_ = png_ ? png_create_info_struct(png_) : nullptr;
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    if (!info_ || !ReadHeader(png_, info_, file_, &width, &height)) return false;
    if (width == 0 || height == 0 || width > PSL_PICTURE_MAX || height > PSL_PICTURE_MAX) return false;
    SetSize(int32_t(width), int32_t(height));
    return true;
  }

 private:
  static void Quiet(png_structp, png_const_charp) {}

  // libpng leaves by a long jump on an error: these two hold nothing that
  // needs destroying.
  static bool ReadHeader(png_structp png, png_infop info, FILE* file, png_uint_32* width, png_uint_32* height) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_read_info(png, info);
    const int type = png_get_color_type(png, info);
    if (png_get_bit_depth(png, info) != 8 || (type != PNG_COLOR_TYPE_RGB && type != PNG_COLOR_TYPE_RGB_ALPHA) ||
        png_get_interlace_type(png, info) != PNG_INTERLACE_NONE ||
        (png_get_valid(png, info, PNG_INFO_gAMA) && !png_get_valid(png, info, PNG_INFO_sRGB)))
      return false;
    // Bytes blue, green, red, alpha: 0xAARRGGBB words on this machine.
    png_set_bgr(png);
    if (type == PNG_COLOR_TYPE_RGB) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_read_update_info(png, info);
    *width = png_get_image_width(png, info);
    *height = png_get_image_height(png, info);
    return png_get_rowbytes(png, info) == size_t(*width) * 4;
  }
  static bool ReadRow(png_structp png, uint32_t* row) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_row(png, reinterpret_cast<png_bytep>(row), nullptr);
    return true;
  }
  bool Read(int32_t, uint32_t* row) override { return ReadRow(png_, row); }

  FILE* file_ = nullptr;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

// The PNG file fitted into the box, read a row at a time where it can be,
// else whole; *width and *height the picture's own size. False when it cannot
// be decoded.
bool FitPng(const fs::path& file, int32_t boxWidth, int32_t boxHeight, bool grow, Image* out, int32_t* width,
            int32_t* height) {
  {
    PngRows rows;
    if (rows.Open(file)) {
      *width = rows.Width();
      *height = rows.Height();
      *out = Fit(rows, boxWidth, boxHeight, grow);
      return !out->pixels.empty();
    }
  }
  Image picture;
  if (!ReadPng(file, &picture)) return false;
  *width = picture.width;
  *height = picture.height;
  *out = Fit(picture, boxWidth, boxHeight, grow);
  return !out->pixels.empty();
}

// A picture of a server, which sends no file here: a gradient of a colour
// that the name gives, its rows made as they are asked for.
class ServerPictureRows : public RowReader {
 public:
  explicit ServerPictureRows(const ServerItem& item) {
    for (const char* c = item.name; *c; ++c) hash_ = (hash_ ^ uint8_t(*c)) * 16777619u;
    SetSize(std::max(item.width, 1), std::max(item.height, 1));
  }

 private:
  bool Read(int32_t y, uint32_t* row) override {
    for (int32_t x = 0; x < Width(); ++x) {
      const uint32_t r = ((hash_ & 0xFF) * uint32_t(x)) / uint32_t(Width());
      const uint32_t g = (((hash_ >> 8) & 0xFF) * uint32_t(y)) / uint32_t(Height());
      const uint32_t b = (hash_ >> 16) & 0xFF;
      row[x] = 0xFF000000u | (r << 16) | (g << 8) | b;
    }
    return true;
  }
  uint32_t hash_ = 2166136261u;
};

uint32_t Le32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
uint16_t Le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

// What the library reads of an entry.
struct Facts {
  std::string title;
  std::string artist;
  std::string album;
  int32_t seconds = 0;
  int32_t width = 0;
  int32_t height = 0;
  Image thumbnail;
};

std::vector<uint8_t> ReadHead(const fs::path& file, size_t most) {
  std::ifstream in(file, std::ios::binary);
  std::vector<uint8_t> bytes(most);
  in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(most));
  bytes.resize(size_t(std::max<std::streamsize>(in.gcount(), 0)));
  return bytes;
}

bool ReadAt(std::ifstream& in, uint64_t at, void* bytes, size_t size) {
  in.clear();
  in.seekg(std::streamoff(at));
  in.read(static_cast<char*>(bytes), std::streamsize(size));
  return size_t(in.gcount()) == size;
}

// The texts of a LIST chunk of INFO type that the library shows: of each
// text no more than a name holds (PSL_NAME_MAX), the rest passed over.
void ReadWavInfo(std::ifstream& in, uint64_t body, uint64_t end, Facts* facts) {
  uint8_t type[4];
  if (end - body < 4 || !ReadAt(in, body, type, sizeof type) || std::memcmp(type, "INFO", 4) != 0) return;
  for (uint64_t sub = body + 4; sub + 8 <= end;) {
    uint8_t tag[8];
    if (!ReadAt(in, sub, tag, sizeof tag)) return;
    const uint32_t length = Le32(tag + 4);
    std::string* text = std::memcmp(tag, "INAM", 4) == 0   ? &facts->title
                        : std::memcmp(tag, "IART", 4) == 0 ? &facts->artist
                        : std::memcmp(tag, "IPRD", 4) == 0 ? &facts->album
                                                           : nullptr;
    if (text) {
      char bytes[PSL_NAME_MAX];
      const size_t n = size_t(std::min<uint64_t>({length, end - (sub + 8), sizeof bytes}));
      if (!ReadAt(in, sub + 8, bytes, n)) return;
      text->assign(bytes, strnlen(bytes, n));
    }
    sub += 8 + uint64_t(length) + (length & 1);
  }
}

// A WAV file's chunks, each size checked against what the file holds: the
// format gives the byte rate, the data chunk the length, the INFO list the
// texts. Only the chunks' headers and those parts are read, wherever in the
// file they lie: the samples, however long, stay on the disk.
bool ReadWav(const fs::path& file, Facts* facts) {
  std::ifstream in(file, std::ios::binary);
  uint8_t riff[12];
  if (!ReadAt(in, 0, riff, sizeof riff) || std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0)
    return false;
  std::error_code error;
  const uint64_t fileBytes = fs::file_size(file, error);
  if (error) return false;
  uint32_t byteRate = 0;
  uint64_t dataBytes = 0;
  for (uint64_t at = sizeof riff; at + 8 <= fileBytes;) {
    uint8_t header[8];
    if (!ReadAt(in, at, header, sizeof header)) break;
    const uint32_t size = Le32(header + 4);
    const uint64_t body = at + 8;
    // The data may run past the file's end: its size counts up to there.
    const uint64_t have = std::min<uint64_t>(size, fileBytes - body);
    uint8_t format[12];
    if (std::memcmp(header, "fmt ", 4) == 0 && have >= sizeof format) {
      if (ReadAt(in, body, format, sizeof format)) byteRate = Le32(format + 8);
    } else if (std::memcmp(header, "data", 4) == 0) {
      dataBytes = have;
    } else if (std::memcmp(header, "LIST", 4) == 0) {
      ReadWavInfo(in, body, body + have, facts);
    }
    at = body + uint64_t(size) + (size & 1);
  }
  if (byteRate == 0) return false;
  facts->seconds = int32_t(std::max<uint64_t>(1, (dataBytes + byteRate - 1) / byteRate));
  return true;
}

bool ReadClip(const fs::path& file, Facts* facts, bool thumbnail) {
  const std::vector<uint8_t> head = ReadHead(file, sizeof(PslClipHeader));
  if (head.size() < sizeof(PslClipHeader) || std::memcmp(head.data(), PSL_CLIP_MAGIC, 8) != 0) return false;
  const int32_t width = Le16(head.data() + 8);
  const int32_t height = Le16(head.data() + 10);
  const int32_t rate = Le16(head.data() + 12);
  const int32_t frames = Le16(head.data() + 14);
  if (width <= 0 || height <= 0 || rate <= 0 || width > PSL_PICTURE_MAX || height > PSL_PICTURE_MAX) return false;
  facts->width = width;
  facts->height = height;
  facts->seconds = std::max(1, (frames + rate - 1) / rate);
  std::string title(reinterpret_cast<const char*>(head.data() + 16), PSL_NAME_MAX);
  facts->title = title.substr(0, title.find('\0'));
  if (!thumbnail || frames == 0) return true;
  // The first frame, made smaller.
  std::ifstream in(file, std::ios::binary);
  in.seekg(std::streamoff(sizeof(PslClipHeader)));
  std::vector<uint8_t> rgb(size_t(width) * size_t(height) * 3);
  in.read(reinterpret_cast<char*>(rgb.data()), std::streamsize(rgb.size()));
  if (size_t(in.gcount()) != rgb.size()) return true;
  Image frame;
  frame.width = width;
  frame.height = height;
  frame.pixels.assign(size_t(width) * size_t(height));
  for (size_t i = 0; i < frame.pixels.size(); ++i)
    frame.pixels[i] = 0xFF000000u | uint32_t(rgb[3 * i]) << 16 | uint32_t(rgb[3 * i + 1]) << 8 | rgb[3 * i + 2];
  facts->thumbnail = Fit(frame, PSL_THUMB_WIDTH, PSL_THUMB_HEIGHT, false);
  return true;
}

// The facts of an entry; false when its file cannot be read as its kind.
bool ReadFacts(const Entry& entry, bool thumbnail, Facts* facts) {
  facts->title = fs::path(entry.name).stem().string();
  if (entry.item) {
    const ServerItem& item = *entry.item;
    if (*item.title) facts->title = item.title;
    facts->artist = item.artist;
    facts->album = item.album;
    facts->seconds = item.seconds;
    facts->width = item.width;
    facts->height = item.height;
    if (thumbnail && item.kind == PSL_ENTRY_PICTURE) {
      ServerPictureRows rows(item);
      facts->thumbnail = Fit(rows, PSL_THUMB_WIDTH, PSL_THUMB_HEIGHT, false);
    }
    return true;
  }
  switch (entry.kind) {
    case PSL_ENTRY_PICTURE: {
      if (!thumbnail) return ReadPngSize(entry.file, &facts->width, &facts->height);
      return FitPng(entry.file, PSL_THUMB_WIDTH, PSL_THUMB_HEIGHT, false, &facts->thumbnail, &facts->width,
                    &facts->height);
    }
    case PSL_ENTRY_MUSIC:
      return ReadWav(entry.file, facts);
    case PSL_ENTRY_VIDEO:
      return ReadClip(entry.file, facts, thumbnail);
    default:
      return true;
  }
}

// --------------------------------------------------------------- notices

PslNotice* NewNotice(int32_t kind) {
  auto* notice = static_cast<PslNotice*>(std::calloc(1, sizeof(PslNotice)));
  if (notice) notice->kind = kind;
  return notice;
}

void AttachImage(PslNotice* notice, Image&& image) {
  if (image.pixels.empty()) return;
  notice->image = image.pixels.release();
  notice->imageWidth = image.width;
  notice->imageHeight = image.height;
}

// Runs on the library's thread.
void Post(PslNotice* notice) {
  if (!notice) return;
  PslNoticeSink sink;
  void* context;
  {
    std::lock_guard lock(g_mutex);
    sink = L().sink;
    context = L().sinkContext;
  }
  if (sink)
    sink(context, notice);
  else
    PslFreeNotice(notice);
}

void PostFolder(int32_t cursor, int32_t serial, const std::vector<Entry>& entries) {
  const int32_t count = int32_t(entries.size());
  for (int32_t first = 0; first == 0 || first < count; first += PSL_PAGE_ENTRIES) {
    PslNotice* notice = NewNotice(PSL_NOTICE_FOLDER);
    if (!notice) return;
    notice->cursor = cursor;
    notice->serial = serial;
    notice->count = count;
    notice->first = first;
    const int32_t page = std::min<int32_t>(PSL_PAGE_ENTRIES, count - first);
    if (page > 0) {
      notice->entries = static_cast<PslEntry*>(std::calloc(size_t(page), sizeof(PslEntry)));
      if (!notice->entries) {
        PslFreeNotice(notice);
        return;
      }
      notice->pageCount = page;
      for (int32_t i = 0; i < page; ++i) {
        notice->entries[i].kind = entries[size_t(first + i)].kind;
        CopyText(notice->entries[i].name, entries[size_t(first + i)].name);
      }
    }
    Post(notice);
  }
}

// ----------------------------------------------------------------- jobs

// Reads the cursor's folder, unless the cursor moved on meanwhile.
void ListJob(int32_t cursor, int32_t serial) {
  Source source;
  std::vector<std::string> path;
  int32_t kinds;
  {
    std::lock_guard lock(g_mutex);
    const Cursor& c = L().cursors[cursor];
    if (!c.open || c.serial != serial) return;
    source = c.source;
    path = c.path;
    kinds = c.kinds;
  }
  std::vector<Entry> entries = source.server ? ListServer(source, path, kinds) : ListStorage(source, path, kinds);
  {
    std::lock_guard lock(g_mutex);
    Cursor& c = L().cursors[cursor];
    if (!c.open || c.serial != serial) return;
    c.entries = entries;
    c.listed = true;
  }
  PostFolder(cursor, serial, entries);
}

// The entry of the cursor's folder of that serial, if it still shows it;
// the caller holds g_mutex.
bool EntryOfLocked(int32_t cursor, int32_t serial, int32_t index, Entry* entry) {
  const Cursor& c = L().cursors[cursor];
  if (!c.open || c.serial != serial || index < 0 || size_t(index) >= c.entries.size()) return false;
  *entry = c.entries[size_t(index)];
  return true;
}

bool EntryOf(int32_t cursor, int32_t serial, int32_t index, Entry* entry) {
  std::lock_guard lock(g_mutex);
  return EntryOfLocked(cursor, serial, index, entry);
}

void MetadataJob(int32_t serial, int32_t index, bool thumbnail) {
  Entry entry;
  if (!EntryOf(PSL_CURSOR_BROWSER, serial, index, &entry)) return;
  Facts facts;
  const bool read = ReadFacts(entry, thumbnail, &facts);
  if (!read) std::fprintf(stderr, "PSL: %s cannot be read\n", entry.name.c_str());
  PslNotice* notice = NewNotice(PSL_NOTICE_METADATA);
  if (!notice) return;
  notice->serial = serial;
  notice->entry = index;
  CopyText(notice->title, facts.title);
  CopyText(notice->artist, facts.artist);
  CopyText(notice->album, facts.album);
  notice->seconds = facts.seconds;
  notice->total = facts.seconds;
  notice->width = facts.width;
  notice->height = facts.height;
  AttachImage(notice, std::move(facts.thumbnail));
  Post(notice);
}

// Pictures reach the program a band of rows at a time, each band a notice of
// its own, the next band made once the program has freed the one before: the
// library never holds more of a fitted picture than a band (a photograph
// fitted to the screen is some 1.5 MB). Pictures asked for meanwhile wait
// their turn.
constexpr int32_t kPictureBandRows = 32;

struct PictureRequest {
  int32_t serial;
  int32_t entry;
  int32_t width;
  int32_t height;
};

// The picture on its way: where its rows come from and how far it got.
struct Delivery {
  PictureRequest request{};
  std::string name;
  Image whole;  // a file that cannot be read a row at a time, read whole
  std::unique_ptr<RowReader> rows;
  std::unique_ptr<Fitter> fit;
  int32_t next = 0;
};

struct Pictures {
  std::deque<PictureRequest> waiting;
  std::unique_ptr<Delivery> delivery;  // the library thread's only
  PslNotice* band = nullptr;           // the band the program holds
};

// Under g_mutex, but for the delivery.
Pictures& P() {
  static Pictures& pictures = *new Pictures;
  return pictures;
}

// The delivery's source opened and fitted; false when the picture cannot be
// decoded.
bool OpenPicture(const Entry& entry, Delivery* d) {
  d->name = entry.name;
  if (entry.item && entry.kind == PSL_ENTRY_PICTURE) {
    d->rows = std::make_unique<ServerPictureRows>(*entry.item);
  } else if (entry.kind == PSL_ENTRY_PICTURE) {
    auto png = std::make_unique<PngRows>();
    if (png->Open(entry.file)) {
      d->rows = std::move(png);
    } else if (ReadPng(entry.file, &d->whole)) {
      d->rows = std::make_unique<ImageRows>(d->whole);
    }
  }
  if (!d->rows) return false;
  d->fit = std::make_unique<Fitter>(*d->rows, d->request.width, d->request.height, true);
  return d->fit->Width() > 0;
}

// The next band of the picture on its way, or of the next one waiting,
// unless the program still holds a band. Runs on the library's thread.
void NextBand() {
  std::unique_ptr<Delivery> d;
  for (;;) {
    {
      std::lock_guard lock(g_mutex);
      Pictures& p = P();
      if (p.band) return;
      d = std::move(p.delivery);
      if (!d) {
        if (p.waiting.empty()) return;
        d = std::make_unique<Delivery>();
        d->request = p.waiting.front();
        p.waiting.pop_front();
      }
    }
    if (d->fit) break;
    // A folder left meanwhile takes its pictures along.
    Entry entry;
    if (!EntryOf(PSL_CURSOR_BROWSER, d->request.serial, d->request.entry, &entry)) continue;
    if (OpenPicture(entry, d.get())) break;
    std::fprintf(stderr, "PSL: the picture %s cannot be decoded\n", entry.name.c_str());
    d->fit.reset();
    break;
  }
  PslNotice* notice = NewNotice(PSL_NOTICE_PICTURE);
  if (!notice) return;
  notice->serial = d->request.serial;
  notice->entry = d->request.entry;
  if (d->fit) {
    Image band;
    band.width = d->fit->Width();
    band.height = std::min(kPictureBandRows, d->fit->Height() - d->next);
    band.pixels.assign(size_t(band.width) * size_t(band.height));
    if (band.pixels.empty() || !d->fit->Rows(d->next, band.height, band.pixels.data())) {
      std::fprintf(stderr, "PSL: the picture %s cannot be decoded\n", d->name.c_str());
    } else {
      notice->width = d->rows->Width();
      notice->height = d->rows->Height();
      notice->imageTop = d->next;
      notice->pictureHeight = d->fit->Height();
      d->next += band.height;
      AttachImage(notice, std::move(band));
    }
  }
  {
    std::lock_guard lock(g_mutex);
    P().band = notice;
    // A band without an image ends its picture.
    if (notice->image && d->next < d->fit->Height()) P().delivery = std::move(d);
  }
  Post(notice);
}

void PictureJob(int32_t serial, int32_t index, int32_t width, int32_t height) {
  {
    std::lock_guard lock(g_mutex);
    P().waiting.push_back({serial, index, width, height});
  }
  NextBand();
}

void PostMedium(int32_t code, bool present) {
  PslNotice* notice = NewNotice(PSL_NOTICE_MEDIUM);
  if (!notice) return;
  notice->code = code;
  notice->present = present ? 1 : 0;
  Post(notice);
}

// ------------------------------------------------------------- playback

void PostProgress(const Playback& p) {
  PslNotice* notice = NewNotice(PSL_NOTICE_PROGRESS);
  if (!notice) return;
  notice->cursor = p.cursor;
  notice->serial = p.serial;
  notice->entry = p.entry;
  notice->seconds = p.seconds;
  notice->total = p.total;
  notice->state = p.paused ? 2 : 1;
  Post(notice);
}

void PlayTick(uint64_t generation);

// Lock held.
void ScheduleTick(Playback& p) {
  const uint64_t generation = p.generation;
  p.tick = Q().Later(SIMTV_PSL_PROGRESS_MS, [generation] { PlayTick(generation); });
}

// Lock held.
void StopPlayback(Playback& p) {
  Q().Withdraw(p.tick);
  p = Playback{.generation = p.generation + 1};
}

// The playable entry after (step 1) or before (step -1) the one playing, of
// its kind, in its folder; -1 at the end unless wrap. Lock held.
int32_t Neighbour(const Playback& p, int32_t step, bool wrap) {
  const Cursor& c = L().cursors[p.cursor];
  const int32_t count = int32_t(c.entries.size());
  if (p.entry < 0 || p.entry >= count) return -1;
  const int32_t kind = c.entries[size_t(p.entry)].kind;
  for (int32_t i = 1; i < count || (wrap && i <= count); ++i) {
    int32_t at = p.entry + step * i;
    if (!wrap && (at < 0 || at >= count)) return -1;
    at = ((at % count) + count) % count;
    if (c.entries[size_t(at)].kind == kind) return at;
  }
  return -1;
}

// Starts the entry from its beginning: its length is read on the library's
// thread, then progress comes every second. Lock held.
void StartEntry(Playback& p, int32_t entry) {
  Q().Withdraw(p.tick);
  p.entry = entry;
  p.seconds = 0;
  p.total = 0;
  p.paused = false;
  p.started = false;
  ++p.generation;
  const uint64_t generation = p.generation;
  Q().Later(0, [generation] { PlayTick(generation); });
}

void PlayTick(uint64_t generation) {
  Entry entry;
  Playback copy;
  {
    std::lock_guard lock(g_mutex);
    Playback& p = L().playback;
    if (!p.active || p.generation != generation || p.paused) return;
    if (!p.started) {
      if (!EntryOfLocked(p.cursor, p.serial, p.entry, &entry)) return;
    }
    copy = p;
  }
  if (!copy.started) {
    // The first tick reads the entry's length.
    Facts facts;
    if (!ReadFacts(entry, false, &facts)) std::fprintf(stderr, "PSL: %s cannot be played\n", entry.name.c_str());
    std::lock_guard lock(g_mutex);
    Playback& p = L().playback;
    if (!p.active || p.generation != generation) return;
    p.started = true;
    p.total = std::max(facts.seconds, 1);
    ScheduleTick(p);
    copy = p;
  } else {
    std::lock_guard lock(g_mutex);
    Playback& p = L().playback;
    if (!p.active || p.generation != generation) return;
    ++p.seconds;
    if (p.seconds < p.total) ScheduleTick(p);
    copy = p;
  }
  PostProgress(copy);
  if (copy.seconds < copy.total) return;

  // The end: the same entry again, the next of its kind, or the end of play.
  PslNotice* ended = NewNotice(PSL_NOTICE_ENDED);
  {
    std::lock_guard lock(g_mutex);
    Playback& p = L().playback;
    if (!p.active || p.generation != generation) {
      PslFreeNotice(ended);
      return;
    }
    const int32_t repeat = L().repeat;
    int32_t next = -1;
    if (repeat == PSL_REPEAT_ONE || (p.mode == PSL_PLAY_ONE && repeat == PSL_REPEAT_ALL))
      next = p.entry;
    else if (p.mode != PSL_PLAY_ONE)
      next = Neighbour(p, 1, repeat == PSL_REPEAT_ALL);
    if (ended) {
      ended->cursor = p.cursor;
      ended->serial = p.serial;
      ended->entry = p.entry;
      ended->next = next;
    }
    if (next >= 0)
      StartEntry(p, next);
    else
      StopPlayback(p);
  }
  Post(ended);
}

// What a thing on a stick that is neither a regular file, a folder nor a
// link is, in plain words.
const char* KindOf(mode_t mode) {
  return S_ISCHR(mode)    ? "a character device"
         : S_ISBLK(mode)  ? "a block device"
         : S_ISFIFO(mode) ? "a pipe (FIFO)"
         : S_ISSOCK(mode) ? "a socket"
                          : "of a kind the disk does not keep";
}

// KB as the disk counts a file: whole ones.
uint64_t WholeKB(uint64_t bytes) { return bytes / 1024 + (bytes % 1024 != 0); }

// Where a stick stands against the USB disk's folder (DISK, its folder and
// every one above it): empty, or why it cannot be copied there. A stick
// that holds the disk's folder, or a folder above it (the set's folder, a
// home that holds the set), would be copied into itself: every folder the
// copy made would be the next it walked, until the host's disk was full.
// So is a stick anywhere below, however it is reached but through a link,
// which the walk does not follow; a stick that lies on the disk would be
// emptied with it.
class StickSurvey final : public NvWalker {
 public:
  StickSurvey(std::vector<NvFolderId> disk, std::string shown, std::string diskShown)
      : disk_(std::move(disk)), shown_(std::move(shown)), diskShown_(std::move(diskShown)) {}

  std::string Run(int stick) {
    struct stat top {};
    if (fstat(stick, &top) != 0) return std::strerror(errno);
    if (NvAmong(disk_, top)) return Holds(shown_, top);
    const std::vector<NvFolderId> above = NvFoldersUp(stick);
    if (!disk_.empty() && std::any_of(above.begin(), above.end(), [this](const NvFolderId& id) {
          return id.dev == disk_.front().dev && id.ino == disk_.front().ino;
        }))
      return "it lies on the USB disk it would be copied onto, " + diskShown_;
    std::string why;
    if (!NvWalk(stick, *this, &why) && found_.empty()) return shown_ + "/" + why;
    return found_;
  }

  // Why a folder of the stick (INFO, at PATH) is one of the disk's.
  std::string Holds(const std::string& path, const struct stat& info) const {
    const bool disk = info.st_dev == disk_.front().dev && info.st_ino == disk_.front().ino;
    return "it holds the USB disk it would be copied onto: " + path + " is " +
           (disk ? "the disk's folder, " : "a folder above the disk's folder, ") + diskShown_ +
           ", and the copy would copy itself without end";
  }

  Step Entry(int, const std::string& below, const std::string& name, const struct stat& info) override {
    if (!S_ISDIR(info.st_mode)) return kSkip;
    if (!NvAmong(disk_, info)) return kEnter;
    found_ = Holds(shown_ + "/" + below + name, info);
    return kStop;
  }

 private:
  std::vector<NvFolderId> disk_;
  std::string shown_;
  std::string diskShown_;
  std::string found_;
};

// Copies a stick's files and folders onto the USB disk (the folder TO, a
// handle), replacing files of the same names, folder by folder without
// recursion, however deep the stick goes. Only what a disk keeps is copied:
// a device would be read without end, and a pipe or a socket has nothing to
// read, so they are left out, and said so. A link is copied as it is where
// it leads through the stick, as the media lists would show it, and through
// the disk as it will stand there for good; one that leads out of either
// (an absolute one names the stick's place on the host, outside the set's
// files once copied) or round in a loop is left out, as the lists leave it
// out. Nothing on the disk is written through a link: a link in place of a
// file is replaced. A folder of the stick where the disk holds a link or a
// file, and a file or a link where it holds a folder, is left out, and
// named: the disk keeps what an earlier stick put there.
//
// The copy keeps to the disk's room: the simulated disk's, and the host's
// beneath it less what the set keeps for its own files. A file that does not
// fit is left out, and named; one is copied as long as it was when opened
// (one that grows is not followed), under a name of its own until it is
// whole, so that a copy cut short leaves nothing the media lists would show.
class StickCopy final : public NvWalker {
 public:
  // TO is the copy's to close. DISK (the disk's folder and those above it)
  // are folders the copy never enters.
  StickCopy(int stick, std::string shown, int to, std::string diskShown, std::vector<NvFolderId> disk)
      : stick_(stick),
        shown_(std::move(shown)),
        to_(to),
        top_(fcntl(to, F_DUPFD_CLOEXEC, 0)),
        diskShown_(std::move(diskShown)),
        diskBelowRoot_(std::string(XPM_USB_DISK_MOUNT_POINT).substr(1)),
        disk_(std::move(disk)) {
    roomKB_ = UsbMounted() ? simtv_usb_free_kb() : uint64_t(SIMTV_USB_DEFAULT_KB);
    struct statvfs host {};
    if (fstatvfs(to_, &host) == 0 && host.f_frsize > 0) {
      block_ = host.f_frsize;
      const uint64_t free = uint64_t(host.f_bavail) * host.f_frsize;
      hostRoom_ = free > kKeptForTheSet ? free - kKeptForTheSet : 0;
      // A file system that tells no count of files has no bound of them.
      if (host.f_files != 0) hostFiles_ = host.f_favail > kFilesKept ? host.f_favail - kFilesKept : 0;
    }
  }
  ~StickCopy() {
    if (to_ >= 0) close(to_);
    if (top_ >= 0) close(top_);
  }
  StickCopy(const StickCopy&) = delete;
  StickCopy& operator=(const StickCopy&) = delete;

  // Empty, or why the copy stopped.
  std::string Run() {
    std::string why;
    if (!NvWalk(stick_, *this, &why) && why_.empty()) why_ = shown_ + "/" + why;
    // What a copy stopped short put there is judged too.
    if (why_.empty()) PlaceLinks();
    SweepLinks();
    return why_;
  }

  Step Entry(int folder, const std::string& below, const std::string& name, const struct stat& info) override {
    if (S_ISDIR(info.st_mode)) {
      // Put on the stick since it was looked through.
      if (NvAmong(disk_, info))
        return Stop(StickSurvey(disk_, shown_, diskShown_).Holds(Path(below, name), info));
      struct stat there {};
      const bool taken = fstatat(to_, name.c_str(), &there, AT_SYMLINK_NOFOLLOW) == 0;
      if (taken && !S_ISDIR(there.st_mode)) {
        Clash(below, name, "a folder", there, ", and what it holds is left out with it");
        return kSkip;
      }
      if (!taken && !NewFileFits()) {
        LeftOut(Path(below, name), "it does not fit, with all it holds: " + NoMoreFiles());
        return kSkip;
      }
      if (mkdirat(to_, name.c_str(), 0755) == 0) {
        hostRoom_ -= std::min(hostRoom_, block_);
        --hostFiles_;
      } else if (errno != EEXIST) {
        return Stop(Path(below, name) + ": " + std::strerror(errno));
      }
      return kEnter;
    }
    if (NvIsPartCopy(name)) {
      LeftOut(Path(below, name), "its name is the one a file takes on the disk until its copy is whole, and the set's "
                                 "next start removes such a file");
      return kSkip;
    }
    if (S_ISLNK(info.st_mode)) return CopyLink(folder, below, name);
    if (S_ISREG(info.st_mode)) return CopyFile(folder, below, name);
    LeftOut(Path(below, name), std::string("it is ") + KindOf(info.st_mode) + ", not a regular file, a folder or a link");
    return kSkip;
  }

  bool Entered(int, const std::string& below, const std::string& name) override {
    const int inside = openat(to_, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat info {};
    if (inside < 0 || fstat(to_, &info) != 0) {
      why_ = Path(below, name) + ": its place on the disk is no folder (" + std::strerror(errno) + ")";
      if (inside >= 0) close(inside);
      return false;
    }
    way_.push_back(info);
    close(to_);
    to_ = inside;
    return true;
  }

  bool Left(int, const std::string& below, const std::string& name) override {
    const int up = openat(to_, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat info {};
    if (up < 0 || fstat(up, &info) != 0 || info.st_dev != way_.back().st_dev || info.st_ino != way_.back().st_ino) {
      why_ = Path(below, name) + ": its folder on the disk moved away during the copy";
      if (up >= 0) close(up);
      return false;
    }
    way_.pop_back();
    close(to_);
    to_ = up;
    return true;
  }

 private:
  // What the copy leaves free on the host's disk beneath the set's: the
  // settings and their backup, and the start's own check, must still fit.
  static constexpr uint64_t kKeptForTheSet = 1024 * 1024;
  static constexpr uint64_t kFilesKept = 64;

  // Whether the host's disk has room for one more file (or folder, or link).
  bool NewFileFits() const { return hostFiles_ > 0; }
  std::string NoMoreFiles() const {
    return "the host's disk beneath the USB disk has room for no more files (" + std::to_string(kFilesKept) +
           " are kept for the set's own)";
  }

  // Built only where a message names it: a walk a thousand folders deep
  // would otherwise spend its time on paths.
  std::string Path(const std::string& below, const std::string& name) const { return shown_ + "/" + below + name; }

  Step Stop(const std::string& why) {
    why_ = why;
    return kStop;
  }

  void LeftOut(const std::string& path, const std::string& why) {
    std::fprintf(stderr, "SIMTV: %s is left out of the copy onto the USB disk: %s\n", path.c_str(), why.c_str());
  }

  // The entry NAME of BELOW, WHAT it is, meets THERE in its place on the
  // disk (an earlier stick's, or the set's own), which it cannot take the
  // place of: a folder is never replaced (it holds files of its own), and
  // nothing is written into what is no folder. Only this entry is left out; the
  // copy goes on with the rest.
  void Clash(const std::string& below, const std::string& name, const char* what, const struct stat& there,
             const std::string& more = {}) {
    const char* held = S_ISDIR(there.st_mode)   ? "a folder"
                       : S_ISLNK(there.st_mode) ? "a link"
                       : S_ISREG(there.st_mode) ? "a regular file"
                                                : KindOf(there.st_mode);
    LeftOut(Path(below, name), std::string("it is ") + what + ", and the USB disk holds " + held +
                                   " of that name, " + diskShown_ + "/" + below + name +
                                   ", which the copy does not replace" + more);
  }

  // A link is judged on the stick now, and placed once every folder and
  // file of the stick is on the disk (PlaceLinks), so that its way on the
  // disk is judged against what the disk finally holds.
  Step CopyLink(int folder, const std::string& below, const std::string& name) {
    const std::string path = Path(below, name);
    const NvLinkWay way = NvFollowLink(stick_, shown_, below + name);
    if (way.end == NvLinkWay::kOut) {
      // An absolute target names a place on the host, the stick's or not:
      // out of the disk once copied.
      const std::string where = way.target.starts_with("/") ? ", a place of the host's, out of the stick once copied"
                                                             : ", which leads out of the stick";
      LeftOut(path, way.link == path ? "it is a link to " + way.target + where
                                     : "it leads through " + way.link + ", a link to " + way.target + where);
      return kSkip;
    }
    if (way.end == NvLinkWay::kLoop || way.end == NvLinkWay::kChain) {
      LeftOut(path, Looped(way, "leads"));
      return kSkip;
    }
    char target[PATH_MAX];
    const ssize_t length = readlinkat(folder, name.c_str(), target, sizeof target - 1);
    if (way.end != NvLinkWay::kInside || length <= 0) {
      LeftOut(path, "it cannot be read (" + (way.why.empty() ? std::string(std::strerror(errno)) : way.why) + ")");
      return kSkip;
    }
    links_.push_back({below, name, std::string(target, size_t(length))});
    return kSkip;
  }

  // The links of the stick, each in its folder on the disk (opened from the
  // disk's folder without following a link), judged where it will stand:
  // empty, or why the copy stopped.
  std::string PlaceLinks() {
    std::string open = "\n";  // the folder AT is open on, below the disk: no path is that
    int at = -1;
    for (const PendingLink& link : links_) {
      if (link.below != open) {
        if (at >= 0) close(at);
        at = OpenBelow(link.below);
        open = link.below;
      }
      if (at < 0) {
        LeftOut(Path(link.below, link.name), std::string("its folder on the disk is gone (") + std::strerror(errno) + ")");
        continue;
      }
      if (!PlaceLink(at, link)) break;
    }
    if (at >= 0) close(at);
    links_.clear();
    return why_;
  }

  // After the copy, the disk holds no link that the set's start would
  // refuse: a link of this stick or an earlier one that now leads round in
  // a loop, through a chain longer than the system follows (links placed
  // one after another may build one, each judged fine on its own), or out
  // of the set's folder. Each is judged by the start's own judge, removed,
  // and named.
  void SweepLinks() {
    struct Sweeper final : NvWalker {
      StickCopy& copy;
      explicit Sweeper(StickCopy& c) : copy(c) {}
      Step Entry(int folder, const std::string& below, const std::string& name, const struct stat& info) override {
        if (S_ISDIR(info.st_mode)) return kEnter;
        if (!S_ISLNK(info.st_mode)) return kSkip;
        const NvLinkWay way = NvJudgeSetLink(copy.diskBelowRoot_ + "/" + below + name);
        std::string reason;
        if (way.end == NvLinkWay::kLoop || way.end == NvLinkWay::kChain)
          reason = Looped(way, "leads");
        else if (way.end == NvLinkWay::kOut)
          reason = "it leads out of the set's folder: " + way.link + " is a link to " + way.target;
        else
          return kSkip;
        const std::string path = copy.diskShown_ + "/" + below + name;
        if (unlinkat(folder, name.c_str(), 0) != 0) {
          std::fprintf(stderr, "SIMTV: %s cannot be removed from the USB disk (%s): %s\n", path.c_str(),
                       std::strerror(errno), reason.c_str());
          NvNoteUnwritten(path, "the set's start refuses this link, and it cannot be removed");
        } else {
          std::fprintf(stderr, "SIMTV: %s is removed from the USB disk after a copy onto it: %s\n", path.c_str(),
                       reason.c_str());
        }
        return kSkip;
      }
    } sweeper(*this);
    std::string why;
    if (!NvWalk(top_, sweeper, &why))
      std::fprintf(stderr, "SIMTV: the USB disk's links could not all be judged after the copy: %s/%s\n",
                   diskShown_.c_str(), why.c_str());
  }

  struct PendingLink {
    std::string below;  // its folder's path below the stick, "" or ending in "/"
    std::string name;
    std::string target;
  };

  // The folder BELOW on the disk, or -1 with errno.
  int OpenBelow(const std::string& below) const {
    int at = fcntl(top_, F_DUPFD_CLOEXEC, 0);
    for (size_t start = 0; at >= 0 && start < below.size();) {
      const size_t slash = below.find('/', start);
      const std::string name = below.substr(start, slash - start);
      const int next = openat(at, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      const int error = errno;
      close(at);
      at = next;
      errno = error;
      start = slash + 1;
    }
    return at;
  }

  // False when the copy stops.
  bool PlaceLink(int at, const PendingLink& link) {
    const std::string path = Path(link.below, link.name);
    struct stat old {};
    const bool taken = fstatat(at, link.name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (taken && S_ISDIR(old.st_mode)) {
      Clash(link.below, link.name, "a link", old);
      return true;
    }
    // Where it will stand: on the disk, beside what other sticks left there.
    const NvLinkWay there = NvJudgeNewLink(top_, diskShown_, link.below + link.name, link.target);
    if (there.end == NvLinkWay::kLoop || there.end == NvLinkWay::kChain) {
      LeftOut(path, "on the USB disk " + Looped(there, "would lead"));
      return true;
    }
    if (there.end == NvLinkWay::kOut) {
      LeftOut(path, "on the USB disk it would lead out of the disk" +
                        (there.link.empty() ? std::string() : ": " + there.link + " is a link to " + there.target));
      return true;
    }
    if (there.end == NvLinkWay::kUnsteady) {
      LeftOut(path, "on the USB disk it climbs (..) back out of " + there.link +
                        (there.target.empty() ? ", which is not there or no folder"
                                              : ", a link to " + there.target) +
                        ": where it leads would change with what another stick puts there");
      return true;
    }
    if (there.end != NvLinkWay::kInside) {
      LeftOut(path, "it cannot be judged on the USB disk (" + there.why + ")");
      return true;
    }
    const bool replaces = taken;
    if (!replaces && !NewFileFits()) {
      LeftOut(path, "it does not fit: " + NoMoreFiles());
      return true;
    }
    const std::string part = PartName(at);
    if (part.empty()) {
      Stop(path + ": " + std::strerror(errno));
      return false;
    }
    if (!replaces) --hostFiles_;
    if (symlinkat(link.target.c_str(), at, part.c_str()) != 0 || renameat(at, part.c_str(), at, link.name.c_str()) != 0) {
      const int error = errno;
      unlinkat(at, part.c_str(), 0);
      Stop(path + ": " + std::strerror(error));
      return false;
    }
    return true;
  }

  // Why a link's way is refused as a loop or a chain, in words: it LEADS
  // ("leads", "would lead") so.
  static std::string Looped(const NvLinkWay& way, const std::string& leads) {
    if (way.end == NvLinkWay::kChain)
      return "it " + leads + " through a chain of more than " + std::to_string(NvMostLinks) +
             " links, longer than the system follows (" +
             way.loop.front() + " -> ... -> " + way.loop.back() + ")";
    return "it " + leads + " round in a loop of links (" + Loop(way) + ")";
  }

  static std::string Loop(const NvLinkWay& way) {
    std::string loop;
    for (const std::string& at : way.loop) loop += (loop.empty() ? "" : " -> ") + at;
    return loop;
  }

  // A name in FOLDER for a file on its way, free now, or empty with errno.
  std::string PartName(int folder) {
    struct stat info {};
    for (unsigned tries = 0; tries < 1000; ++tries) {
      std::string name = NvPartCopyName(part_++);
      if (fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT) return name;
    }
    errno = EEXIST;
    return {};
  }

  Step CopyFile(int folder, const std::string& below, const std::string& name) {
    const int in = openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (in < 0) return Stop(Path(below, name) + ": " + std::strerror(errno));
    struct stat info {};
    if (fstat(in, &info) != 0 || !S_ISREG(info.st_mode)) {
      // Put in the file's place since the folder was read.
      const int error = errno;
      close(in);
      if (!S_ISREG(info.st_mode) && info.st_mode != 0) {
        LeftOut(Path(below, name),
                std::string("it is ") + KindOf(info.st_mode) + ", not a regular file, a folder or a link");
        return kSkip;
      }
      return Stop(Path(below, name) + ": " + std::strerror(error));
    }
    // Measured once: what a file holds past this, it gained while copied.
    const uint64_t size = uint64_t(info.st_size);
    const uint64_t kb = WholeKB(size);
    const uint64_t taken = (size + block_ - 1) / block_ * block_;
    // A file of the name there already gives its room back as the copy
    // takes its place.
    struct stat old {};
    uint64_t oldKB = 0;
    uint64_t oldTaken = 0;
    const bool replaces = fstatat(to_, name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (replaces && S_ISDIR(old.st_mode)) {
      close(in);
      Clash(below, name, "a regular file", old);
      return kSkip;
    }
    if (replaces && S_ISREG(old.st_mode)) {
      oldKB = WholeKB(uint64_t(old.st_size));
      oldTaken = uint64_t(old.st_blocks) * 512;
    }
    if (!replaces && !NewFileFits()) {
      close(in);
      LeftOut(Path(below, name), "it does not fit: " + NoMoreFiles());
      return kSkip;
    }
    if (kb > roomKB_ + oldKB || taken > hostRoom_ + oldTaken) {
      close(in);
      const uint64_t room = std::min(roomKB_ + oldKB, (hostRoom_ + oldTaken) / 1024);
      LeftOut(Path(below, name), "it does not fit: it takes " + std::to_string(kb) + " KB, and the USB disk has room for " +
                                     std::to_string(room) + " KB more");
      return kSkip;
    }
    const std::string part = PartName(to_);
    const int out = part.empty() ? -1 : openat(to_, part.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    int error = out < 0 ? errno : 0;
    buffer_.resize(64 * 1024);
    for (uint64_t left = size; error == 0 && left > 0;) {
      const ssize_t got = read(in, buffer_.data(), size_t(std::min<uint64_t>(left, buffer_.size())));
      if (got < 0) {
        if (errno != EINTR) error = errno;
        continue;
      }
      // One that shrank is copied as far as it goes.
      if (got == 0) break;
      for (ssize_t done = 0; error == 0 && done < got;) {
        const ssize_t wrote = write(out, buffer_.data() + done, size_t(got - done));
        if (wrote < 0 && errno != EINTR) error = errno;
        if (wrote > 0) done += wrote;
      }
      left -= uint64_t(got);
    }
    close(in);
    if (out >= 0 && close(out) != 0 && error == 0) error = errno;
    if (error == 0 && renameat(to_, part.c_str(), to_, name.c_str()) != 0) error = errno;
    if (error != 0) {
      if (out >= 0) unlinkat(to_, part.c_str(), 0);
      // The host's disk filled beneath the room counted (another program
      // wrote there meanwhile): this file is left out, the rest may fit.
      if (error == ENOSPC || error == EDQUOT) {
        LeftOut(Path(below, name), std::string("it does not fit: ") + std::strerror(error));
        return kSkip;
      }
      return Stop(Path(below, name) + ": " + std::strerror(error));
    }
    roomKB_ = roomKB_ + oldKB - kb;
    hostRoom_ = hostRoom_ + oldTaken - taken;
    if (!replaces) --hostFiles_;
    return kSkip;
  }

  int stick_;
  std::string shown_;
  int to_;
  int top_;  // the disk's folder, where a link is judged as it will stand
  std::string diskShown_;
  std::string diskBelowRoot_;  // the disk's path below the set's folder, as the start judges its links
  std::vector<NvFolderId> disk_;
  std::vector<PendingLink> links_;  // the stick's links, placed after its folders and files
  std::vector<struct stat> way_;  // the disk's folders above TO, for the way back up
  std::vector<char> buffer_;
  uint64_t roomKB_ = 0;                   // the simulated disk's, in whole KB
  uint64_t hostRoom_ = UINT64_MAX / 2;    // the host's, in bytes, where it tells it
  uint64_t block_ = 4096;                 // the host's unit of room
  uint64_t hostFiles_ = UINT64_MAX;       // how many more files the host's disk takes
  unsigned part_ = 0;
  std::string why_;
};

// ---------------------------------------------------------- medium state

// The medium of a mount string or server id, while it is there. Lock held.
bool FindSource(const std::string& mount, Source* source, int32_t* code) {
  if (mount == XPM_USB_DISK_MOUNT_POINT) {
    if (!UsbMounted()) return false;
    *source = Source{false, mount, fs::path(NvPath(XPM_USB_DISK_MOUNT_POINT)), {}};
    *code = PSL_CODE_USBA;
    return true;
  }
  if (!L().dlna) return false;
  for (const Server& server : L().servers) {
    if (server.registered && server.id == mount) {
      *source = Source{true, mount, {}, server.items};
      *code = 0;
      return true;
    }
  }
  return false;
}

// A cursor on a medium gone closes, and what played from it stops. Lock held.
void CloseCursorsOf(const std::string& mount) {
  Library& l = L();
  for (int32_t i = 0; i < 2; ++i) {
    Cursor& c = l.cursors[i];
    if (!c.open || c.source.mount != mount) continue;
    if (l.playback.active && l.playback.cursor == i) StopPlayback(l.playback);
    c = Cursor{.serial = ++l.serials};
  }
}

// A new folder for the cursor: a new serial, listed on the library's thread.
// Lock held.
int32_t Relist(int32_t cursor) {
  Library& l = L();
  Cursor& c = l.cursors[cursor];
  c.serial = ++l.serials;
  c.listed = false;
  c.entries.clear();
  c.selected = -1;
  if (l.playback.active && l.playback.cursor == cursor) StopPlayback(l.playback);
  const int32_t serial = c.serial;
  Q().Later(0, [cursor, serial] { ListJob(cursor, serial); });
  return serial;
}

int32_t Refused(const char* name, const simk::CallArgs& args, void* psl) {
  int32_t code = 0;
  if (simk::Refused(name, args, &code)) return code;
  if (psl != &g_library) return PSL_ERR_ARGUMENT;
  return PSL_OK;
}

}  // namespace

// ------------------------------------------------- what the set shares

namespace simtv {

void MediaStorageChanged(bool mounted) {
  {
    std::lock_guard lock(g_mutex);
    if (!mounted) CloseCursorsOf(XPM_USB_DISK_MOUNT_POINT);
    if (!L().started) return;
  }
  Q().Later(0, [mounted] { PostMedium(PSL_CODE_USBA, mounted); });
}

void ResetMediaLibrary() {
  std::lock_guard lock(g_mutex);
  Library& l = L();
  StopPlayback(l.playback);
  const int32_t serials = l.serials;
  const PslNoticeSink sink = l.sink;
  void* context = l.sinkContext;
  const bool started = l.started;
  const uint64_t generation = l.playback.generation;
  l = Library{};
  l.serials = serials;
  l.sink = sink;
  l.sinkContext = context;
  l.started = started;
  l.playback.generation = generation;
  for (Cursor& c : l.cursors) c.serial = ++l.serials;
  Q().Clear();
  // The band the program still holds is its own to free.
  P().waiting.clear();
  P().band = nullptr;
  P().delivery.reset();
}

}  // namespace simtv

extern "C" {

void* globalPsl = &g_library;

void PslNetworkStatusChanged(void* psl, uint16_t status) {
  simk::Record("PslNetworkStatusChanged", simk::CallArgs{}.Text(HandleName(psl)).Int(status));
}

int32_t PslInitialize(void* psl, int32_t dlna, int32_t renderer, int32_t accessControl) {
  if (int32_t code = Refused("PslInitialize", simk::CallArgs{}.Text(HandleName(psl)).Int(dlna).Int(renderer).Int(accessControl), psl))
    return code;
  {
    std::lock_guard lock(g_mutex);
    if (L().started) return PSL_ERR_STATE;
    L().started = true;
    L().dlna = dlna != 0;
  }
  Q().Start();
  return PSL_OK;
}

void PslSetNoticeSink(void* psl, PslNoticeSink sink, void* context) {
  if (psl != &g_library) return;
  std::lock_guard lock(g_mutex);
  L().sink = sink;
  L().sinkContext = context;
}

void PslFreeNotice(PslNotice* notice) {
  if (!notice) return;
  bool nextBand = false;
  {
    std::lock_guard lock(g_mutex);
    if (notice == P().band) {
      P().band = nullptr;
      nextBand = true;
    }
  }
  std::free(notice->entries);
  std::free(notice->image);
  std::free(notice);
  if (nextBand) Q().Later(0, [] { NextBand(); });
}

int32_t PslSetDlna(void* psl, int32_t on) {
  if (int32_t code = Refused("PslSetDlna", simk::CallArgs{}.Text(HandleName(psl)).Int(on), psl)) return code;
  std::lock_guard lock(g_mutex);
  L().dlna = on != 0;
  if (!L().dlna)
    for (const Server& server : L().servers) CloseCursorsOf(server.id);
  return PSL_OK;
}

int32_t PslGetMediumList(void* psl, PslMedium* media, int32_t max, int32_t* count) {
  if (int32_t code = Refused("PslGetMediumList", simk::CallArgs{}.Text(HandleName(psl)).Ptr().Int(max).Ptr(), psl))
    return code;
  if (!count || max < 0 || (max > 0 && !media)) return PSL_ERR_ARGUMENT;
  std::vector<PslMedium> all;
  if (UsbMounted()) {
    PslMedium usb{};
    usb.kind = PSL_MEDIUM_USB;
    CopyText(usb.name, kUsbName);
    usb.available = 1;
    CopyText(usb.mount, XPM_USB_DISK_MOUNT_POINT);
    usb.code = PSL_CODE_USBA;
    all.push_back(usb);
  }
  {
    std::lock_guard lock(g_mutex);
    if (L().dlna) {
      for (const Server& server : L().servers) {
        if (!server.registered) continue;
        PslMedium medium{};
        medium.kind = PSL_MEDIUM_SERVER;
        CopyText(medium.name, server.name);
        medium.available = 1;
        CopyText(medium.mount, server.id);
        all.push_back(medium);
      }
    }
  }
  *count = int32_t(std::min<size_t>(all.size(), size_t(max)));
  std::copy_n(all.begin(), *count, media);
  return PSL_OK;
}

int32_t PslOpenMedium(void* psl, int32_t cursor, const char* mount, int32_t kinds, int32_t* serial) {
  if (int32_t code = Refused("PslOpenMedium", simk::CallArgs{}.Text(HandleName(psl)).Int(cursor).Text(mount).Int(kinds).Ptr(), psl))
    return code;
  if (!ValidCursor(cursor) || !mount || !serial) return PSL_ERR_ARGUMENT;
  std::lock_guard lock(g_mutex);
  if (!L().started) return PSL_ERR_STATE;
  Source source;
  int32_t medium = 0;
  if (!FindSource(mount, &source, &medium)) return PSL_ERR_NO_MEDIUM;
  Cursor& c = L().cursors[cursor];
  c.open = true;
  c.source = source;
  c.path.clear();
  c.kinds = kinds;
  *serial = Relist(cursor);
  return PSL_OK;
}

int32_t PslCloseMedium(void* psl, int32_t cursor) {
  if (int32_t code = Refused("PslCloseMedium", simk::CallArgs{}.Text(HandleName(psl)).Int(cursor), psl)) return code;
  if (!ValidCursor(cursor)) return PSL_ERR_ARGUMENT;
  std::lock_guard lock(g_mutex);
  Library& l = L();
  if (l.playback.active && l.playback.cursor == cursor) StopPlayback(l.playback);
  l.cursors[cursor] = Cursor{.serial = ++l.serials};
  return PSL_OK;
}

int32_t PslEnterFolder(void* psl, int32_t cursor, int32_t entry, int32_t* serial) {
  if (int32_t code = Refused("PslEnterFolder", simk::CallArgs{}.Text(HandleName(psl)).Int(cursor).Int(entry).Ptr(), psl))
    return code;
  if (!ValidCursor(cursor) || !serial) return PSL_ERR_ARGUMENT;
  std::lock_guard lock(g_mutex);
  Cursor& c = L().cursors[cursor];
  if (!c.open || !c.listed) return PSL_ERR_STATE;
  if (entry < 0 || size_t(entry) >= c.entries.size() || c.entries[size_t(entry)].kind != PSL_ENTRY_FOLDER)
    return PSL_ERR_ARGUMENT;
  c.path.push_back(c.entries[size_t(entry)].name);
  *serial = Relist(cursor);
  return PSL_OK;
}

int32_t PslLeaveFolder(void* psl, int32_t cursor, int32_t* serial) {
  if (int32_t code = Refused("PslLeaveFolder", simk::CallArgs{}.Text(HandleName(psl)).Int(cursor).Ptr(), psl))
    return code;
  if (!ValidCursor(cursor) || !serial) return PSL_ERR_ARGUMENT;
  std::lock_guard lock(g_mutex);
  Cursor& c = L().cursors[cursor];
  if (!c.open || c.path.empty()) return PSL_ERR_STATE;
  c.path.pop_back();
  *serial = Relist(cursor);
  return PSL_OK;
}

int32_t PslSelectEntry(void* psl, int32_t cursor, int32_t entry) {
  if (int32_t code = Refused("PslSelectEntry", simk::CallArgs{}.Text(HandleName(psl)).Int(cursor).Int(entry), psl))
    return code;
  if (!ValidCursor(cursor)) return PSL_ERR_ARGUMENT;
  std::lock_guard lock(g_mutex);
  Cursor& c = L().cursors[cursor];
  if (!c.open || !c.listed) return PSL_ERR_STATE;
  if (entry < 0 || size_t(entry) >= c.entries.size()) return PSL_ERR_ARGUMENT;
  c.selected = entry;
  return PSL_OK;
}

int32_t PslRequestMetadata(void* psl, int32_t entry, int32_t thumbnail) {
  if (int32_t code = Refused("PslRequestMetadata", simk::CallArgs{}.Text(HandleName(psl)).Int(entry).Int(thumbnail), psl))
    return code;
  std::lock_guard lock(g_mutex);
  const Cursor& c = L().cursors[PSL_CURSOR_BROWSER];
  if (!c.open || !c.listed) return PSL_ERR_STATE;
  if (entry < 0 || size_t(entry) >= c.entries.size()) return PSL_ERR_ARGUMENT;
  const int32_t serial = c.serial;
  const bool thumb = thumbnail != 0;
  Q().Later(0, [serial, entry, thumb] { MetadataJob(serial, entry, thumb); });
  return PSL_OK;
}

int32_t PslRequestPicture(void* psl, int32_t entry, int32_t width, int32_t height) {
  if (int32_t code = Refused("PslRequestPicture", simk::CallArgs{}.Text(HandleName(psl)).Int(entry).Int(width).Int(height), psl))
    return code;
  if (width <= 0 || height <= 0 || width > PSL_PICTURE_MAX || height > PSL_PICTURE_MAX) return PSL_ERR_ARGUMENT;
  std::lock_guard lock(g_mutex);
  const Cursor& c = L().cursors[PSL_CURSOR_BROWSER];
  if (!c.open || !c.listed) return PSL_ERR_STATE;
  if (entry < 0 || size_t(entry) >= c.entries.size() || c.entries[size_t(entry)].kind != PSL_ENTRY_PICTURE)
    return PSL_ERR_ARGUMENT;
  const int32_t serial = c.serial;
  Q().Later(0, [serial, entry, width, height] { PictureJob(serial, entry, width, height); });
  return PSL_OK;
}

int32_t PslPlay(void* psl, int32_t cursor, int32_t entry, int32_t mode) {
  if (int32_t code = Refused("PslPlay", simk::CallArgs{}.Text(HandleName(psl)).Int(cursor).Int(entry).Int(mode), psl))
    return code;
  if (!ValidCursor(cursor)) return PSL_ERR_ARGUMENT;
  std::lock_guard lock(g_mutex);
  Library& l = L();
  const Cursor& c = l.cursors[cursor];
  if (!c.open || !c.listed) return PSL_ERR_STATE;
  if (entry < 0 || size_t(entry) >= c.entries.size()) return PSL_ERR_ARGUMENT;
  const int32_t kind = c.entries[size_t(entry)].kind;
  if (kind != PSL_ENTRY_MUSIC && kind != PSL_ENTRY_VIDEO) return PSL_ERR_ARGUMENT;
  Playback& p = l.playback;
  StopPlayback(p);
  p.active = true;
  p.cursor = cursor;
  p.serial = c.serial;
  p.mode = mode;
  StartEntry(p, entry);
  return PSL_OK;
}

int32_t PslSetRepeatMode(void* psl, int32_t mode) {
  if (int32_t code = Refused("PslSetRepeatMode", simk::CallArgs{}.Text(HandleName(psl)).Int(mode), psl)) return code;
  if (mode < PSL_REPEAT_OFF || mode > PSL_REPEAT_ONE) return PSL_ERR_ARGUMENT;
  std::lock_guard lock(g_mutex);
  L().repeat = mode;
  return PSL_OK;
}

int32_t PslStop(void* psl) {
  if (int32_t code = Refused("PslStop", simk::CallArgs{}.Text(HandleName(psl)), psl)) return code;
  std::lock_guard lock(g_mutex);
  StopPlayback(L().playback);
  return PSL_OK;
}

int32_t PslExternalSendNavCommand(void* psl, int32_t command) {
  if (int32_t code = Refused("PslExternalSendNavCommand", simk::CallArgs{}.Text(HandleName(psl)).Int(command), psl))
    return code;
  std::lock_guard lock(g_mutex);
  Playback& p = L().playback;
  if (!p.active) return PSL_ERR_STATE;
  switch (command) {
    case PSL_NAV_PLAY:
      if (p.paused) {
        p.paused = false;
        if (p.started) ScheduleTick(p);
        const Playback copy = p;
        Q().Later(0, [copy] { PostProgress(copy); });
      }
      return PSL_OK;
    case PSL_NAV_PAUSE:
      if (!p.paused && p.started) {
        p.paused = true;
        Q().Withdraw(p.tick);
        const Playback copy = p;
        Q().Later(0, [copy] { PostProgress(copy); });
      }
      return PSL_OK;
    case PSL_NAV_STOP:
      StopPlayback(p);
      return PSL_OK;
    case PSL_NAV_NEXT:
    case PSL_NAV_PREVIOUS: {
      const int32_t at = Neighbour(p, command == PSL_NAV_NEXT ? 1 : -1, true);
      if (at >= 0 && p.mode != PSL_PLAY_ONE) StartEntry(p, at);
      return PSL_OK;
    }
    default:
      return PSL_ERR_ARGUMENT;
  }
}

int32_t PslGetServerList(void* psl, PslServer* servers, int32_t max, int32_t* count) {
  if (int32_t code = Refused("PslGetServerList", simk::CallArgs{}.Text(HandleName(psl)).Ptr().Int(max).Ptr(), psl))
    return code;
  if (!count || max < 0 || (max > 0 && !servers)) return PSL_ERR_ARGUMENT;
  std::lock_guard lock(g_mutex);
  *count = 0;
  if (!L().dlna) return PSL_OK;
  for (const Server& server : L().servers) {
    if (*count >= max) break;
    PslServer& out = servers[(*count)++];
    out = PslServer{};
    CopyText(out.name, server.name);
    CopyText(out.id, server.id);
    out.registered = server.registered ? 1 : 0;
  }
  return PSL_OK;
}

int32_t PslRegisterServer(void* psl, const char* id, int32_t on) {
  if (int32_t code = Refused("PslRegisterServer", simk::CallArgs{}.Text(HandleName(psl)).Text(id).Int(on), psl))
    return code;
  if (!id) return PSL_ERR_ARGUMENT;
  std::lock_guard lock(g_mutex);
  for (Server& server : L().servers) {
    if (server.id != id) continue;
    server.registered = on != 0;
    if (!server.registered) CloseCursorsOf(server.id);
    return PSL_OK;
  }
  return PSL_ERR_NO_MEDIUM;
}

int32_t PslGetControllerList(void* psl, PslController* controllers, int32_t max, int32_t* count) {
  if (int32_t code = Refused("PslGetControllerList", simk::CallArgs{}.Text(HandleName(psl)).Ptr().Int(max).Ptr(), psl))
    return code;
  if (!count || max < 0 || (max > 0 && !controllers)) return PSL_ERR_ARGUMENT;
  std::lock_guard lock(g_mutex);
  *count = 0;
  if (!L().dlna) return PSL_OK;
  for (const PslController& controller : L().controllers) {
    if (*count >= max) break;
    controllers[(*count)++] = controller;
  }
  return PSL_OK;
}

int32_t PslSetControllerAccess(void* psl, const char* mac, int32_t access) {
  if (int32_t code = Refused("PslSetControllerAccess", simk::CallArgs{}.Text(HandleName(psl)).Text(mac).Int(access), psl))
    return code;
  if (!mac) return PSL_ERR_ARGUMENT;
  std::lock_guard lock(g_mutex);
  for (PslController& controller : L().controllers) {
    if (std::strcmp(controller.mac, mac) != 0) continue;
    controller.access = access ? 1 : 0;
    return PSL_OK;
  }
  return PSL_ERR_ARGUMENT;
}

// ------------------------------------------------------------ the controls

int simtv_media_insert(const char* dir) { return simtv_media_insert_why(dir, nullptr, 0); }

int simtv_media_insert_why(const char* dir, char* reason, size_t size) {
  return simtv_media_insert_as(dir, dir, reason, size);
}

int simtv_media_insert_as(const char* dir, const char* shown, char* reason, size_t size) {
  if (!shown) shown = dir;
  std::string why;
  const int stick = dir ? open(dir, O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1;
  if (stick < 0) {
    struct stat info {};
    const int error = dir ? errno : EINVAL;
    why = !dir                                            ? std::string("no folder is named")
          : error == ENOTDIR && stat(dir, &info) == 0 ? std::string("it is ") +
                                                            (S_ISREG(info.st_mode) ? "a regular file" : KindOf(info.st_mode)) +
                                                            ", not a folder"
                                                      : std::string(std::strerror(error));
  } else {
    const std::string target = NvPath(XPM_USB_DISK_MOUNT_POINT);
    why = "the disk's path is refused";
    const int disk = target.empty() ? -1 : NvOpenFolder(target, true, &why);
    if (disk >= 0) {
      std::vector<NvFolderId> up = NvFoldersUp(disk);
      why = StickSurvey(up, shown, target).Run(stick);
      if (!why.empty()) {
        close(disk);
      } else if (std::string stays; UsbMounted() || NvEmptyFolder(disk, &stays)) {
        // A disk going in holds the copy alone; one in already takes it
        // beside what it holds.
        why = StickCopy(stick, shown, disk, target, std::move(up)).Run();
      } else {
        why = "what it held cannot all be removed: " + target + "/" + stays;
        close(disk);
      }
    }
    close(stick);
  }
  if (reason && size > 0) CopyText(reason, size, why);
  if (!why.empty()) {
    std::fprintf(stderr, "SIMTV: %s cannot be copied onto the USB disk: %s\n", shown ? shown : "(none)", why.c_str());
    return -1;
  }
  if (!UsbMounted()) simtv_usb_insert(SIMTV_USB_DEFAULT_KB, "FAT32");
  return 0;
}

void simtv_media_reset(void) { simtv::ResetMediaLibrary(); }

void simtv_media_add_server(const char* name) {
  if (!name) return;
  std::lock_guard lock(g_mutex);
  L().servers.push_back({name, std::string("uuid:") + name, {}, false});
}

void simtv_media_add_controller(const char* name, const char* mac, int32_t access) {
  if (!name || !mac) return;
  PslController controller{};
  CopyText(controller.name, name);
  CopyText(controller.mac, mac);
  controller.access = access ? 1 : 0;
  std::lock_guard lock(g_mutex);
  L().controllers.push_back(controller);
}

int32_t simtv_media_playing(int32_t* cursor, int32_t* paused, int32_t* seconds) {
  std::lock_guard lock(g_mutex);
  const Playback& p = L().playback;
  if (cursor) *cursor = p.active ? p.cursor : -1;
  if (paused) *paused = p.active && p.paused ? 1 : 0;
  if (seconds) *seconds = p.active ? p.seconds : 0;
  return p.active ? p.entry : -1;
}

}  // extern "C"
