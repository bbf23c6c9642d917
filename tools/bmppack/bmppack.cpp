// Packs the PNG artwork of the Bitmaps unit into bitmap resource records.
//
//   bmppack <png folder> <frames list> <output folder>
//
// Every <Name>.png of the folder becomes the constant Bitmaps::<Name>: a
// resource record with the pixels stored as a surface holds them (blue,
// green, red, alpha in memory). A large picture whose rows are mostly runs of
// one colour (backgrounds, strips of flat artwork) is stored as those runs
// instead. Either way the engine draws them where they lie in the program:
// loading artwork unpacks and copies nothing. The frames list names the pictures that hold several
// frames side by side: one line "<Name> <frames> <delay ms>"; '#' starts a
// comment. Writes Bitmaps.h and Bitmaps.cpp, leaving files whose text did not
// change untouched so that nothing rebuilds without need.
#include <png.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "GenRunWord.h"


namespace fs = std::filesystem;

namespace {

struct Frames {
  int count = 1;
  int delay = 0;
};

struct Picture {
  std::string name;
  int width = 0;
  int height = 0;
  Frames frames;
  std::vector<uint32_t> pixels;  // the pixels as words, when not stored as runs
  std::vector<uint32_t> runIndex;
  std::vector<uint16_t> runs;
};

// Pictures this large or larger are kept as row runs when the runs take at
// most half the memory of the pixels: below it a surface costs little, and a
// picture of many short runs draws faster from one.
constexpr size_t kRowRunsFrom = 16 * 1024;

// The row runs of GenRowRuns: rowStart[height + 1], the colour count and the
// colours into index; the runs' words into runs, each the index of its
// colour in the low bits, as many as the palette needs (GenRunColourBits),
// and its length less one above them, a longer run kept as runs of the one
// colour. A row alike to one before it starts at that row's runs instead of
// repeating them (artwork repeats rows down its height, and a row's runs are
// read until they cover its width), so rowStart[height] is the count of
// words kept. *spelled gets the count of runs with every row spelled out.
// False when the picture has too many colours.
bool RowRuns(const std::vector<uint8_t>& pixels, int width, int height, std::vector<uint32_t>* index,
             std::vector<uint16_t>* runs, size_t* spelled) {
  auto colourAt = [&](int x, int y) {
    const uint8_t* p = pixels.data() + (static_cast<size_t>(y) * width + x) * 4;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
  };
  std::vector<uint32_t> palette;
  std::map<uint32_t, uint32_t> colours;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (colours.try_emplace(colourAt(x, y), static_cast<uint32_t>(palette.size())).second)
        palette.push_back(colourAt(x, y));
  if (palette.size() > GenRunMaxColours) return false;
  const int32_t bits = GenRunColourBits(static_cast<uint32_t>(palette.size()));
  std::vector<uint32_t> rowStart;
  std::map<std::vector<uint16_t>, uint32_t> rowsKept;
  std::vector<uint16_t> row;
  runs->clear();
  *spelled = 0;
  for (int y = 0; y < height; ++y) {
    row.clear();
    for (int x = 0; x < width;) {
      const uint32_t colour = colourAt(x, y);
      int end = x + 1;
      while (end < width && colourAt(end, y) == colour) ++end;
      ++*spelled;
      GenRunWords(static_cast<uint32_t>(end - x), colours[colour], bits, [&](uint16_t word) { row.push_back(word); });
      x = end;
    }
    auto [kept, fresh] = rowsKept.try_emplace(row, static_cast<uint32_t>(runs->size()));
    if (fresh) runs->insert(runs->end(), row.begin(), row.end());
    rowStart.push_back(kept->second);
  }
  rowStart.push_back(static_cast<uint32_t>(runs->size()));
  *index = rowStart;
  index->push_back(static_cast<uint32_t>(palette.size()));
  index->insert(index->end(), palette.begin(), palette.end());
  return true;
}

bool Fail(const std::string& message) {
  std::fprintf(stderr, "bmppack: %s\n", message.c_str());
  return false;
}

bool IsIdentifier(const std::string& s) {
  if (s.empty() || std::isdigit(static_cast<unsigned char>(s[0]))) return false;
  return std::all_of(s.begin(), s.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; });
}

bool ReadFrames(const fs::path& path, std::map<std::string, Frames>* frames) {
  std::ifstream in(path);
  if (!in) return Fail("cannot read " + path.string());
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    line = line.substr(0, line.find('#'));
    std::istringstream fields(line);
    std::string name;
    if (!(fields >> name)) continue;
    Frames f;
    if (!(fields >> f.count >> f.delay) || f.count < 1 || f.delay < 0)
      return Fail(path.string() + ":" + std::to_string(number) + ": expected <name> <frames> <delay>");
    (*frames)[name] = f;
  }
  return true;
}

bool ReadPicture(const fs::path& path, Picture* picture) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.string().c_str()))
    return Fail(path.string() + ": " + png.message);
  // Straight alpha in the byte order of an ARGB word in little-endian memory.
  png.format = PNG_FORMAT_BGRA;
  std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr)) {
    png_image_free(&png);
    return Fail(path.string() + ": " + png.message);
  }
  picture->width = static_cast<int>(png.width);
  picture->height = static_cast<int>(png.height);
  // Which pictures are runs goes by their runs spelled out, the work of
  // drawing them; rows shared only save memory.
  size_t spelled = 0;
  if (pixels.size() >= kRowRunsFrom &&
      RowRuns(pixels, picture->width, picture->height, &picture->runIndex, &picture->runs, &spelled) &&
      (picture->runIndex.size() + spelled) * 4 * 2 <= pixels.size())
    return true;
  picture->runIndex.clear();
  picture->runs.clear();
  picture->pixels.clear();
  for (size_t i = 0; i + 3 < pixels.size(); i += 4)
    picture->pixels.push_back(uint32_t(pixels[i]) | uint32_t(pixels[i + 1]) << 8 | uint32_t(pixels[i + 2]) << 16 |
                              uint32_t(pixels[i + 3]) << 24);
  return true;
}

std::string HeaderText(const std::vector<Picture>& pictures) {
  std::ostringstream out;
  out << "// Generated by bmppack from units/Bitmaps/png: do not edit.\n"
         "// The bitmap constants of the Bitmaps unit. Each leads, through its one\n"
         "// resource entry, to a GenBitmapResource for GenLoadBitmap.\n"
         "#pragma once\n\n"
         "#include <cstddef>\n\n"
         "#include \"vgobject.h\"\n\n"
         "namespace Bitmaps {\n\n";
  for (const Picture& p : pictures) out << "extern const VgConstant " << p.name << ";\n";
  out << "\n// Every constant with its name, in name order (tests, tools).\n"
         "struct NamedBitmap {\n  const char* name;\n  const VgConstant* constant;\n};\n"
         "extern const NamedBitmap All[];\n"
         "inline constexpr size_t Count = "
      << pictures.size() << ";\n\n}  // namespace Bitmaps\n";
  return out.str();
}

std::string SourceText(const std::vector<Picture>& pictures) {
  std::ostringstream out;
  out << "// Generated by bmppack from units/Bitmaps/png: do not edit.\n"
         "#include \"Bitmaps.h\"\n\n"
         "#include <cstdint>\n\n"
         "#include \"GenBitmap.h\"\n"
         "#include \"vgresmap.h\"\n\n"
         "namespace {\n\n";
  char word[16];
  for (const Picture& p : pictures) {
    const int frameWidth = p.width / p.frames.count;
    const std::string sizes = std::to_string(p.width) + ", " + std::to_string(p.height);
    const std::string frames =
        std::to_string(frameWidth) + ", " + std::to_string(p.height) + ", " + std::to_string(p.frames.delay);
    if (!p.runs.empty()) {
      out << "const uint32_t k" << p.name << "RunIndex[] = {";
      for (size_t i = 0; i < p.runIndex.size(); ++i) {
        if (i % 8 == 0) out << "\n   ";
        std::snprintf(word, sizeof word, " 0x%08X,", p.runIndex[i]);
        out << word;
      }
      out << "\n};\nconst uint16_t k" << p.name << "Runs[] = {";
      for (size_t i = 0; i < p.runs.size(); ++i) {
        if (i % 12 == 0) out << "\n   ";
        std::snprintf(word, sizeof word, " 0x%04X,", p.runs[i]);
        out << word;
      }
      out << "\n};\n"
          << "const GenBitmapResource k" << p.name << "Resource = {" << sizes << ", nullptr, 0, " << frames
          << ", 0, GenStoredRowRuns, nullptr, k" << p.name << "RunIndex, " << p.runIndex.size() << ", k" << p.name << "Runs, "
          << p.runs.size() << "};\n";
    } else {
      out << "const GenColor k" << p.name << "Pixels[] = {";
      for (size_t i = 0; i < p.pixels.size(); ++i) {
        if (i % 8 == 0) out << "\n   ";
        std::snprintf(word, sizeof word, " 0x%08X,", p.pixels[i]);
        out << word;
      }
      out << "\n};\n"
          << "const GenBitmapResource k" << p.name << "Resource = {" << sizes << ", nullptr, 0, " << frames
          << ", 0, GenStoredPixels, k" << p.name << "Pixels};\n";
    }
    out << "const VgResourceEntry k" << p.name << "Entries[] = {{0, &k" << p.name << "Resource}};\n\n";
  }
  out << "}  // namespace\n\nnamespace Bitmaps {\n\n";
  for (const Picture& p : pictures)
    out << "const VgConstant " << p.name << " = {k" << p.name << "Entries, 1, VgNoVariants};\n";
  out << "\nconst NamedBitmap All[] = {\n";
  for (const Picture& p : pictures) out << "    {\"" << p.name << "\", &" << p.name << "},\n";
  out << "};\n\n}  // namespace Bitmaps\n";
  return out.str();
}

bool WriteIfChanged(const fs::path& path, const std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (in) {
    std::ostringstream old;
    old << in.rdbuf();
    if (old.str() == text) return true;
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  if (!out) return Fail("cannot write " + path.string());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "bmppack: it takes three arguments, and %d %s given\n", argc - 1, argc == 2 ? "is" : "are");
    std::fprintf(stderr, "usage: bmppack <png folder> <frames list> <output folder>\n");
    return 2;
  }
  const fs::path folder = argv[1];
  std::map<std::string, Frames> frames;
  if (!ReadFrames(argv[2], &frames)) return 1;

  std::vector<fs::path> files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error))
    if (entry.path().extension() == ".png") files.push_back(entry.path());
  if (error) return Fail(folder.string() + ": " + error.message()), 1;
  std::sort(files.begin(), files.end());

  std::vector<Picture> pictures;
  for (const fs::path& file : files) {
    Picture p;
    p.name = file.stem().string();
    if (!IsIdentifier(p.name)) return Fail(file.string() + ": the name is not an identifier"), 1;
    if (auto it = frames.find(p.name); it != frames.end()) {
      p.frames = it->second;
      frames.erase(it);
    }
    if (!ReadPicture(file, &p)) return 1;
    if (p.width % p.frames.count != 0)
      return Fail(file.string() + ": width " + std::to_string(p.width) + " does not split into " +
                  std::to_string(p.frames.count) + " frames"),
             1;
    pictures.push_back(std::move(p));
  }
  for (const auto& [name, f] : frames) return Fail("frames list names " + name + ", which has no picture"), 1;

  const fs::path output = argv[3];
  fs::create_directories(output, error);
  if (!WriteIfChanged(output / "Bitmaps.h", HeaderText(pictures))) return 1;
  if (!WriteIfChanged(output / "Bitmaps.cpp", SourceText(pictures))) return 1;
  return 0;
}
