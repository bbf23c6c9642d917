#include "stick.h"

#include <fcntl.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <utility>
#include <vector>

#include "psl.h"

namespace MediaStick {

namespace {

namespace fs = std::filesystem;

struct Rgb {
  uint8_t r, g, b;
};

// A picture, or a band of its rows (top and the rows after it) that
// drawing the whole picture paints: what is drawn elsewhere is left out.
struct Picture {
  int width;
  int height;
  int top = 0;
  int rows;
  std::vector<uint8_t> rgb;

  Picture(int w, int h) : Picture(w, h, 0, h) {}
  Picture(int w, int h, int first, int count)
      : width(w), height(h), top(first), rows(count), rgb(size_t(w) * size_t(count) * 3) {}
  void Set(int x, int y, Rgb c) {
    if (x < 0 || y < top || x >= width || y >= top + rows) return;
    uint8_t* p = &rgb[(size_t(y - top) * size_t(width) + size_t(x)) * 3];
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
  }
  void Fill(int x0, int y0, int x1, int y1, Rgb c) {
    for (int y = std::max(y0, top); y < std::min(y1, top + rows); ++y)
      for (int x = x0; x < x1; ++x) Set(x, y, c);
  }
};

// Digits three cells wide and five high, a row a string.
constexpr const char* kDigits[10][5] = {
    {"###", "#.#", "#.#", "#.#", "###"}, {".#.", "##.", ".#.", ".#.", "###"}, {"###", "..#", "###", "#..", "###"},
    {"###", "..#", "###", "..#", "###"}, {"#.#", "#.#", "###", "..#", "..#"}, {"###", "#..", "###", "..#", "###"},
    {"###", "#..", "###", "#.#", "###"}, {"###", "..#", "..#", "..#", "..#"}, {"###", "#.#", "###", "#.#", "###"},
    {"###", "#.#", "###", "..#", "###"}};

void DrawNumber(Picture& picture, int number, int x, int y, int cell, Rgb colour) {
  const std::string text = std::to_string(number);
  for (char digit : text) {
    for (int row = 0; row < 5; ++row)
      for (int column = 0; column < 3; ++column)
        if (kDigits[digit - '0'][row][column] == '#')
          picture.Fill(x + column * cell, y + row * cell, x + (column + 1) * cell, y + (row + 1) * cell, colour);
    x += 4 * cell;
  }
}

Rgb Hue(double degrees, double light) {
  const double h = std::fmod(degrees, 360.0) / 60.0;
  const double x = 1.0 - std::fabs(std::fmod(h, 2.0) - 1.0);
  double r = 0, g = 0, b = 0;
  switch (int(h)) {
    case 0: r = 1, g = x; break;
    case 1: r = x, g = 1; break;
    case 2: g = 1, b = x; break;
    case 3: g = x, b = 1; break;
    case 4: r = x, b = 1; break;
    default: r = 1, b = x; break;
  }
  return {uint8_t(r * light * 255), uint8_t(g * light * 255), uint8_t(b * light * 255)};
}

// Photo n: a gradient of its own hue, a circle, square or diamond in the
// opposite hue, and its number.
constexpr int kPhotoHeight = 360;
int PhotoWidth(int n) { return n % 7 == 0 ? 270 : 480; }

// The rows of photo n from top on, as many as fit the band.
void DrawPhoto(Picture& picture, int n) {
  const double hue = n * 47.0;
  for (int y = picture.top; y < picture.top + picture.rows; ++y) {
    const Rgb c = Hue(hue, 0.35 + 0.5 * y / picture.height);
    picture.Fill(0, y, picture.width, y + 1, c);
  }
  const Rgb shape = Hue(hue + 180.0, 0.9);
  const int cx = picture.width / 2;
  const int cy = picture.height / 2;
  const int radius = picture.height / 4;
  for (int y = std::max(cy - radius, picture.top); y <= std::min(cy + radius, picture.top + picture.rows - 1); ++y)
    for (int x = cx - radius; x <= cx + radius; ++x) {
      const int dx = x - cx;
      const int dy = y - cy;
      const bool inside = n % 3 == 0 ? dx * dx + dy * dy <= radius * radius
                          : n % 3 == 1 ? true
                                       : std::abs(dx) + std::abs(dy) <= radius;
      if (inside) picture.Set(x, y, shape);
    }
  DrawNumber(picture, n, 16, 16, 12, {255, 255, 255});
}

// A folder of the stick: its handle, and its path for the messages. The
// stick's files are written relative to it, and nothing below it is written
// through a link: a link in place of a file is replaced, one in place of a
// folder refuses the write.
struct Folder {
  int fd = -1;
  fs::path path;
  Folder() = default;
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;
  ~Folder() {
    if (fd >= 0) close(fd);
  }
  void Take(int handle, fs::path shown) {
    if (fd >= 0) close(fd);
    fd = handle;
    path = std::move(shown);
  }
};

// The folder at PATH, as its path names it (made if missing).
bool OpenFolder(const fs::path& path, Folder* folder, std::string* error) {
  std::error_code code;
  fs::create_directories(path, code);
  const int fd = code ? -1 : open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    *error = path.string() + ": " + (code ? code.message() : std::strerror(errno));
    return false;
  }
  folder->Take(fd, path);
  return true;
}

// The folder NAME in PARENT, made if missing.
bool OpenFolder(const Folder& parent, const char* name, Folder* folder, std::string* error) {
  if (mkdirat(parent.fd, name, 0755) != 0 && errno != EEXIST) {
    *error = (parent.path / name).string() + ": " + std::strerror(errno);
    return false;
  }
  const int fd = openat(parent.fd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) {
    *error = (parent.path / name).string() + ": no folder (" + std::strerror(errno) + ")";
    return false;
  }
  folder->Take(fd, parent.path / name);
  return true;
}

// The file NAME in FOLDER made new, or -1 with the reason.
int CreateFile(const Folder& folder, const std::string& name, std::string* error) {
  int fd = -1;
  if (unlinkat(folder.fd, name.c_str(), 0) == 0 || errno == ENOENT)
    fd = openat(folder.fd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) *error = (folder.path / name).string() + ": cannot be written (" + std::strerror(errno) + ")";
  return fd;
}

// libpng reports a fault by jumping back out of the write with its message.
struct PngFault {
  std::jmp_buf back;
  std::string message;
};

void OnPngError(png_structp png, png_const_charp message) {
  auto* fault = static_cast<PngFault*>(png_get_error_ptr(png));
  fault->message = message;
  std::longjmp(fault->back, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// The rows of photo n through png, the band drawn again for each of its
// bands; false when libpng gave up, with its message in fault.
bool WriteRows(png_structp png, png_infop info, FILE* file, Picture& band, int n, PngFault* fault) {
  if (setjmp(fault->back) != 0) return false;
  png_init_io(png, file);
  png_set_IHDR(png, info, png_uint_32(band.width), png_uint_32(band.height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
  png_set_sRGB(png, info, PNG_sRGB_INTENT_PERCEPTUAL);
  png_write_info(png, info);
  const int bandRows = band.rows;
  for (band.top = 0; band.top < band.height; band.top += bandRows) {
    band.rows = std::min(bandRows, band.height - band.top);
    DrawPhoto(band, n);
    for (int y = 0; y < band.rows; ++y) png_write_row(png, &band.rgb[size_t(y) * size_t(band.width) * 3]);
  }
  png_write_end(png, info);
  return true;
}

// Photo n as an 8-bit RGB file in sRGB, drawn and written a band of rows at
// a time: the runner of an installed program writes the stick in the set's
// own process, where a whole photo's pixels (half a megabyte) would add to
// the set's memory while it is written.
bool WritePng(const Folder& folder, const std::string& name, int n, std::string* error) {
  const int fd = CreateFile(folder, name, error);
  FILE* file = fd < 0 ? nullptr : fdopen(fd, "wb");
  if (!file) {
    if (fd >= 0) close(fd);
    if (error->empty()) *error = (folder.path / name).string() + ": cannot be written";
    return false;
  }
  constexpr int kBandRows = 16;
  PngFault fault;
  Picture band(PhotoWidth(n), kPhotoHeight, 0, kBandRows);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &fault, OnPngError, OnPngWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  bool written = false;
  if (!png || !info) fault.message = "no memory for the picture's writer";
  else written = WriteRows(png, info, file, band, n, &fault);
  png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    *error = (folder.path / name).string() + ": " + (written ? "cannot be written" : fault.message);
    return false;
  }
  return true;
}

struct Song {
  const char* file;
  const char* title;
  const char* artist;
  const char* album;
  double hertz;
  double seconds;
};

constexpr Song kRootSongList[kRootSongs] = {
    {"Morning Tide.wav", "Morning Tide", "The Harbour Lights", "Low Water", 440.0, 4.0},
    {"Northern Road.wav", "Northern Road", "Mile Markers", "Long Way Round", 523.25, 5.0},
    {"Paper Lanterns.wav", "Paper Lanterns", "The Harbour Lights", "Low Water", 392.0, 3.5},
    {"Winter Orchard.wav", "Winter Orchard", "Hollow Pines", "Frostbite", 329.63, 6.0},
};
constexpr Song kAlbumSongs[] = {
    {"First Light.wav", "First Light", "Quiet Hours", "Quiet Hours", 587.33, 3.0},
    {"Last Light.wav", "Last Light", "Quiet Hours", "Quiet Hours", 293.66, 3.0},
};

void Put32(std::vector<uint8_t>& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(value >> (8 * i)));
}
void Put16(std::vector<uint8_t>& out, uint16_t value) {
  out.push_back(uint8_t(value));
  out.push_back(uint8_t(value >> 8));
}
void PutTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

void PutInfo(std::vector<uint8_t>& out, const char* tag, const char* text) {
  const uint32_t length = uint32_t(std::strlen(text) + 1);
  PutTag(out, tag);
  Put32(out, length);
  out.insert(out.end(), text, text + length);
  if (length & 1) out.push_back(0);
}

// Every write is checked, and the close, which may be the first to tell
// that the disk is full: a file cut short is never taken for whole.
bool WriteFile(const Folder& folder, const std::string& name, const std::vector<uint8_t>& bytes, std::string* error) {
  const int fd = CreateFile(folder, name, error);
  if (fd < 0) return false;
  int reason = 0;
  for (size_t done = 0; reason == 0 && done < bytes.size();) {
    const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
    if (wrote > 0) {
      done += size_t(wrote);
    } else if (wrote == 0 || errno != EINTR) {
      reason = wrote == 0 ? EIO : errno;
    }
  }
  if (close(fd) != 0 && reason == 0) reason = errno;
  if (reason == 0) return true;
  *error = (folder.path / name).string() + ": cannot be written (" + std::strerror(reason) + ")";
  return false;
}

// 8000 samples a second, 8 bits, one channel: the tone fades in and out.
bool WriteSong(const Folder& dir, const Song& song, std::string* error) {
  constexpr uint32_t kRate = 8000;
  std::vector<uint8_t> info;
  PutTag(info, "INFO");
  PutInfo(info, "INAM", song.title);
  PutInfo(info, "IART", song.artist);
  PutInfo(info, "IPRD", song.album);
  const uint32_t samples = uint32_t(song.seconds * kRate);
  std::vector<uint8_t> out;
  PutTag(out, "RIFF");
  Put32(out, uint32_t(4 + 8 + 16 + 8 + info.size() + 8 + samples + (samples & 1)));
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);
  Put16(out, 1);
  Put32(out, kRate);
  Put32(out, kRate);
  Put16(out, 1);
  Put16(out, 8);
  PutTag(out, "LIST");
  Put32(out, uint32_t(info.size()));
  out.insert(out.end(), info.begin(), info.end());
  PutTag(out, "data");
  Put32(out, samples);
  for (uint32_t i = 0; i < samples; ++i) {
    const double t = double(i) / kRate;
    const double envelope = std::min({1.0, t * 10.0, (song.seconds - t) * 10.0});
    out.push_back(uint8_t(128 + 60 * envelope * std::sin(2 * M_PI * song.hertz * t)));
  }
  if (samples & 1) out.push_back(0);
  return WriteFile(dir, song.file, out, error);
}

// A clip of frames 64 x 36 at four a second; draw paints frame i.
template <class Draw>
bool WriteClip(const Folder& folder, const std::string& name, const char* title, int frames, Draw draw,
               std::string* error) {
  constexpr int kWidth = 64;
  constexpr int kHeight = 36;
  PslClipHeader header{};
  std::memcpy(header.magic, PSL_CLIP_MAGIC, sizeof header.magic);
  header.width = kWidth;
  header.height = kHeight;
  header.framesPerSecond = 4;
  header.frameCount = uint16_t(frames);
  std::snprintf(header.title, sizeof header.title, "%s", title);
  std::vector<uint8_t> out;
  const auto* head = reinterpret_cast<const uint8_t*>(&header);
  out.insert(out.end(), head, head + 8);
  Put16(out, header.width);
  Put16(out, header.height);
  Put16(out, header.framesPerSecond);
  Put16(out, header.frameCount);
  out.insert(out.end(), header.title, header.title + sizeof header.title);
  for (int i = 0; i < frames; ++i) {
    Picture frame(kWidth, kHeight);
    draw(frame, i);
    out.insert(out.end(), frame.rgb.begin(), frame.rgb.end());
  }
  return WriteFile(folder, name, out, error);
}

bool WriteVideos(const Folder& dir, std::string* error) {
  const bool waves = WriteClip(dir, "Waves.clip", "Waves", 12, [](Picture& f, int i) {
    for (int y = 0; y < f.height; ++y) {
      const bool crest = (y + i * 2) % 9 < 3;
      f.Fill(0, y, f.width, y + 1, crest ? Rgb{200, 230, 255} : Rgb{20, 60, uint8_t(140 + y * 2)});
    }
  }, error);
  return waves && WriteClip(dir, "Countdown.clip", "Countdown", 20, [](Picture& f, int i) {
    f.Fill(0, 0, f.width, f.height, {30, 30, 30});
    DrawNumber(f, 5 - i / 4, 26, 8, 4, {255, 200, 0});
  }, error);
}

// The folder of the file at PATH, and the file's name in it.
bool FolderOf(const std::string& path, Folder* folder, std::string* name, std::string* error) {
  const fs::path file(path);
  *name = file.filename().string();
  return OpenFolder(file.parent_path().empty() ? fs::path(".") : file.parent_path(), folder, error);
}

}  // namespace

bool WritePhoto(const std::string& path, int n, std::string* error) {
  Folder folder;
  std::string name;
  return FolderOf(path, &folder, &name, error) && WritePng(folder, name, n, error);
}

bool WriteTone(const std::string& path, const char* title, const char* artist, std::string* error) {
  Folder folder;
  std::string name;
  if (!FolderOf(path, &folder, &name, error)) return false;
  const Song song{name.c_str(), title, artist, "", 440.0, 3.0};
  return WriteSong(folder, song, error);
}

bool WriteClip(const std::string& path, const char* title, int frames, std::string* error) {
  Folder folder;
  std::string name;
  return FolderOf(path, &folder, &name, error) &&
         WriteClip(folder, name, title, frames, [](Picture& f, int i) {
           f.Fill(0, 0, f.width, f.height, {uint8_t(i * 20), 40, 90});
         }, error);
}

bool Write(const std::string& target, std::string* error) {
  Folder dir, holiday, beach, albums, album, empty;
  if (!OpenFolder(fs::path(target), &dir, error) || !OpenFolder(dir, "Holiday", &holiday, error) ||
      !OpenFolder(holiday, "Beach", &beach, error) || !OpenFolder(dir, "Albums", &albums, error) ||
      !OpenFolder(albums, "Quiet Hours", &album, error) || !OpenFolder(dir, "Empty", &empty, error))
    return false;
  char name[32];
  for (int n = 1; n <= kPhotos; ++n) {
    std::snprintf(name, sizeof name, "Photo %02d.png", n);
    if (!WritePng(dir, name, n, error)) return false;
  }
  for (int n = 1; n <= 3; ++n) {
    std::snprintf(name, sizeof name, "Harbour %d.png", n);
    if (!WritePng(holiday, name, 40 + n, error)) return false;
  }
  for (int n = 1; n <= 2; ++n) {
    std::snprintf(name, sizeof name, "Dunes %d.png", n);
    if (!WritePng(beach, name, 50 + n, error)) return false;
  }
  for (const Song& song : kRootSongList)
    if (!WriteSong(dir, song, error)) return false;
  for (const Song& song : kAlbumSongs)
    if (!WriteSong(album, song, error)) return false;
  if (!WriteVideos(dir, error)) return false;
  const std::string notes = "Photos, songs and clips for the media player.\n";
  return WriteFile(dir, "notes.txt", {notes.begin(), notes.end()}, error);
}

}  // namespace MediaStick
