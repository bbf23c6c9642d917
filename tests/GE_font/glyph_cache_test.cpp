// Fonts and the glyph cache: budget, eviction order, keys, font loading.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

#include "font_fixture.h"

namespace {

bool IsCached(const GenGlyph* wanted) {
  for (const GenGlyph* g = GenCacheFirst; g; g = g->next)
    if (g == wanted) return true;
  return false;
}

TEST_F(GenFontTest, BudgetBelowTheMinimumIsRaisedToIt) {
  GenDoneGlyphCache();
  EXPECT_EQ(GenInitGlyphCache(1000), 0);
  EXPECT_EQ(GenMaxCacheSize, 4096);
  GenDoneGlyphCache();
  EXPECT_EQ(GenMaxCacheSize, 0);
  EXPECT_EQ(GenInitGlyphCache(30000), 0);
  EXPECT_EQ(GenMaxCacheSize, 30000);
  ASSERT_EQ(GenRegisterFont(SystemFontPath().c_str()), 0);
}

// Digits of the 39-pixel face weigh 432 to 507 bytes each, so eight fit in the
// minimum budget and nine do not.
TEST_F(GenFontTest, EvictsTheLeastRecentlyUsedGlyphThatIsNotHeld) {
  GenDoneGlyphCache();
  ASSERT_EQ(GenInitGlyphCache(0), 0);
  ASSERT_EQ(GenRegisterFont(SystemFontPath().c_str()), 0);
  GenFont* font = GenLoadFont(&TestFont<39>::record);
  ASSERT_NE(font, nullptr);

  GenGlyph* held = GenLoadGlyph(font, u'0');  // held throughout: oldest, never evicted
  ASSERT_NE(held, nullptr);
  GenGlyph* glyphs[10] = {held};
  for (char16_t c = u'1'; c <= u'7'; ++c) {
    glyphs[c - u'0'] = GenLoadGlyph(font, c);
    GenFreeGlyph(glyphs[c - u'0']);
  }
  ASSERT_LE(GenCacheSize, GenMaxCacheSize);
  GenFreeGlyph(GenLoadGlyph(font, u'1'));  // a hit: '1' becomes the newest
  glyphs[8] = GenLoadGlyph(font, u'8');
  GenFreeGlyph(glyphs[8]);
  ASSERT_GT(GenCacheSize, GenMaxCacheSize) << "nine glyphs should pass the budget";
  ASSERT_LE(GenCacheSize - GenGlyphSize(glyphs[2]), GenMaxCacheSize);
  for (int i = 0; i <= 8; ++i) EXPECT_TRUE(IsCached(glyphs[i])) << i;  // no eviction yet

  const int32_t before = GenCacheSize;
  const int32_t evictedSize = GenGlyphSize(glyphs[2]);
  GenGlyph* tenth = GenLoadGlyph(font, u'9');
  ASSERT_NE(tenth, nullptr);
  EXPECT_TRUE(IsCached(held));
  EXPECT_TRUE(IsCached(glyphs[1]));
  EXPECT_FALSE(IsCached(glyphs[2]));
  for (int i = 3; i <= 8; ++i) EXPECT_TRUE(IsCached(glyphs[i])) << i;
  EXPECT_EQ(GenCacheFirst, tenth);
  EXPECT_EQ(GenCacheLast, held);
  EXPECT_EQ(GenCacheSize, before - evictedSize + GenGlyphSize(tenth));

  GenFreeGlyph(tenth);
  GenFreeGlyph(held);
  GenFreeFont(font);
}

TEST_F(GenFontTest, GlyphsAreSharedPerFontAndCharacter) {
  GenFont* small = GenLoadFont(&TestFont<20>::record);
  GenFont* large = GenLoadFont(&TestFont<30>::record);
  GenGlyph* a = GenLoadGlyph(small, u'A');
  GenGlyph* again = GenLoadGlyph(small, u'A');
  GenGlyph* b = GenLoadGlyph(large, u'A');
  EXPECT_EQ(a, again);
  EXPECT_EQ(a->useCount, 2u);
  // Neither font has a range table; their glyphs must not be confused.
  ASSERT_NE(b, a);
  EXPECT_GT(b->height, a->height);
  GenFreeGlyph(a);
  GenFreeGlyph(again);
  GenFreeGlyph(b);

  // A font loaded again from the same record finds its glyphs still cached.
  GenFreeFont(small);
  small = GenLoadFont(&TestFont<20>::record);
  GenGlyph* reloaded = GenLoadGlyph(small, u'A');
  EXPECT_EQ(reloaded, a);
  GenFreeGlyph(reloaded);
  GenFreeFont(small);
  GenFreeFont(large);
}

TEST_F(GenFontTest, FreeingAGlyphTooOftenIsReported) {
  GenFont* font = GenLoadFont(&TestFont<20>::record);
  GenGlyph* glyph = GenLoadGlyph(font, u'x');
  GenFreeGlyph(glyph);
  testing::internal::CaptureStdout();
  GenFreeGlyph(glyph);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("Invalid parameter given to function."), std::string::npos) << out;
  EXPECT_EQ(glyph->useCount, 0u);
  EXPECT_EQ(GenLoadGlyph(font, 0), nullptr);
  GenFreeFont(font);
}

TEST_F(GenFontTest, MetricsFollowThePixelHeight) {
  GenFont* font = GenLoadFont(&TestFont<22>::record);
  ASSERT_NE(font, nullptr);
  // The face's span of 2384 units (1901 up, 483 down) on 22 pixels.
  EXPECT_EQ(font->ascent, 18);
  EXPECT_EQ(font->descent, 4);
  EXPECT_EQ(font->leading, 0);
  EXPECT_EQ(font->reserved, 0);
  GenGlyph* h = GenLoadGlyph(font, u'H');
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->originY, -h->height) << "capitals sit on the baseline";
  EXPECT_LE(-h->originY, font->ascent);
  GenFreeGlyph(h);
  // The Unicode map comes first: a Greek capital has a glyph.
  GenGlyph* omega = GenLoadGlyph(font, u'\u03A9');
  EXPECT_NE(omega, nullptr);
  if (omega) GenFreeGlyph(omega);
  GenFreeFont(font);
}

TEST_F(GenFontTest, StyledFaceNamesAreReportedWhenMissing) {
  testing::internal::CaptureStdout();
  GenFont* font = GenLoadFont(&TestFont<20, &kGray, 1, 1>::record);
  const std::string out = testing::internal::GetCapturedStdout();
  ASSERT_NE(font, nullptr) << "a missing face still gives a font";
  EXPECT_NE(out.find("The font 'TiresiasScreenfont Bold Italic' is not available. The iType(R) font engine "
                     "has raised the error code '5'."),
            std::string::npos)
      << out;
  EXPECT_EQ(font->ascent, 0);
  EXPECT_EQ(GenLoadGlyph(font, u'A'), nullptr);
  EXPECT_EQ(GenGetTextWidth(font, u"AB", 0, 0), 0);
  GenFreeFont(font);
}

TEST_F(GenFontTest, RangesMapCharactersAndPickFaces) {
  static constexpr GenFontFace faces[] = {{"TiresiasScreenfont", 20, 0, 0, 1.0f},
                                          {"TiresiasScreenfont", 40, 0, 0, 1.0f}};
  static constexpr GenFontRange ranges[] = {{u'0', u'9', 0, 1}, {u'a', u'z', -32, 0}};
  static constexpr GenFontResource record{faces, ranges, 2, 2, &kGray};
  GenFont* mapped = GenLoadFont(&record);
  GenFont* plain = GenLoadFont(&TestFont<20>::record);
  GenFont* large = GenLoadFont(&TestFont<40>::record);
  ASSERT_NE(mapped, nullptr);
  EXPECT_EQ(mapped->ascent, 32) << "the font takes its tallest face's metrics";

  GenGlyph* a = GenLoadGlyph(mapped, u'a');
  GenGlyph* capitalA = GenLoadGlyph(plain, u'A');
  EXPECT_EQ(a->code, u'a') << "cached under the character asked for";
  EXPECT_EQ(a->width, capitalA->width);
  EXPECT_EQ(a->height, capitalA->height);
  GenGlyph* seven = GenLoadGlyph(mapped, u'7');
  GenGlyph* largeSeven = GenLoadGlyph(large, u'7');
  EXPECT_EQ(seven->height, largeSeven->height);
  GenGlyph* capitalB = GenLoadGlyph(mapped, u'B');  // outside every range: face 0
  EXPECT_EQ(capitalB->height, capitalA->height);
  for (GenGlyph* g : {a, capitalA, seven, largeSeven, capitalB}) GenFreeGlyph(g);
  GenFreeFont(mapped);
  GenFreeFont(plain);
  GenFreeFont(large);
}

// A face whose ascender equals its descender has no span to scale by; the
// font engine refuses it and the font goes on without it.
TEST_F(GenFontTest, FaceWithoutVerticalSpanIsRefused) {
  std::ifstream file(SystemFontPath(), std::ios::binary);
  static std::vector<uint8_t> bytes;  // the engine keeps a pointer to them
  bytes.assign(std::istreambuf_iterator<char>(file), {});
  ASSERT_GT(bytes.size(), 12u);
  auto u16 = [](const uint8_t* p) { return static_cast<uint32_t>(p[0] << 8 | p[1]); };
  auto u32 = [](const uint8_t* p) { return static_cast<uint32_t>(p[0] << 24 | p[1] << 16 | p[2] << 8 | p[3]); };
  const uint32_t tables = u16(&bytes[4]);
  bool patched = false;
  for (uint32_t i = 0; i < tables; ++i) {
    const uint8_t* entry = &bytes[12 + 16 * i];
    if (std::memcmp(entry, "hhea", 4) != 0) continue;
    uint8_t* hhea = &bytes[u32(entry + 8)];
    hhea[6] = hhea[4];  // descender := ascender
    hhea[7] = hhea[5];
    patched = true;
  }
  ASSERT_TRUE(patched);
  ASSERT_EQ(FS_add_font(&GenFontEngine, "Flat", nullptr, bytes.data(), static_cast<uint32_t>(bytes.size())), 0);

  static constexpr GenFontFace face{"Flat", 20, 0, 0, 1.0f};
  static constexpr GenFontResource record{&face, nullptr, 1, 0, &kGray};
  testing::internal::CaptureStdout();
  GenFont* font = GenLoadFont(&record);
  const std::string out = testing::internal::GetCapturedStdout();
  ASSERT_NE(font, nullptr);
  EXPECT_NE(out.find("The font 'Flat' is not available. The iType(R) font engine has raised the error code '" +
                     std::to_string(FS_ERR_BAD_METRICS) + "'."),
            std::string::npos)
      << out;
  EXPECT_EQ(font->ascent, 0);
  EXPECT_EQ(font->descent, 0);
  EXPECT_EQ(GenLoadGlyph(font, u'A'), nullptr);
  GenFreeFont(font);
}

// The clients of a font share its face, each with a size and a character
// map of its own, and the sizes of ended clients are kept ready for the
// next: whatever the clients before it did, a client draws as the first
// client of a freshly started engine would, in every order of sizes, beyond
// the sizes kept, and beside other clients of the face.
struct EngineGlyph {
  std::vector<uint8_t> bytes;  // the map's fields and pixels, or empty for none
  bool operator==(const EngineGlyph&) const = default;
};

EngineGlyph Map(FS_STATE* client, uint32_t character) {
  FS_GLYPHMAP* map = FS_get_graymap(client, character);
  if (!map) return {};
  const auto* start = reinterpret_cast<const uint8_t*>(&map->lo_x);
  EngineGlyph glyph{{start, reinterpret_cast<const uint8_t*>(&map->bits)}};
  glyph.bytes.insert(glyph.bytes.end(), static_cast<const uint8_t*>(map->bits),
                     reinterpret_cast<const uint8_t*>(map) + map->size);
  FS_free_char(client, map);
  return glyph;
}

// A client on the screen face at the size (16.16 pixels, width and height),
// with the character map when one is given.
FS_STATE* Client(FS_FIXED width, FS_FIXED height, int cmapPlatform = -1) {
  FS_STATE* client = FS_new_client(&GenFontEngine);
  EXPECT_NE(client, nullptr);
  if (!client) return nullptr;
  EXPECT_EQ(FS_set_font(client, "TiresiasScreenfont"), FS_SUCCESS);
  if (cmapPlatform == 1) {
    EXPECT_EQ(FS_set_cmap(client, 1, 0), FS_SUCCESS);
  } else if (cmapPlatform == 3) {
    EXPECT_EQ(FS_set_cmap(client, 3, 1), FS_SUCCESS);
  }
  EXPECT_EQ(FS_set_scale(client, width, 0, 0, height), FS_SUCCESS);
  return client;
}

// What the client draws of a few characters; the client ended.
std::vector<EngineGlyph> DrawAndEnd(FS_STATE* client) {
  std::vector<EngineGlyph> glyphs;
  if (!client) return glyphs;
  for (uint32_t c : {uint32_t{'A'}, uint32_t{'g'}, uint32_t{0xE9}, uint32_t{0x8E}}) glyphs.push_back(Map(client, c));
  EXPECT_EQ(FS_end_client(client), FS_SUCCESS);
  return glyphs;
}

std::vector<EngineGlyph> Draw(FS_FIXED width, FS_FIXED height, int cmapPlatform = -1) {
  return DrawAndEnd(Client(width, height, cmapPlatform));
}

TEST_F(GenFontTest, FacesSelectedAgainDrawAsFreshOnes) {
  constexpr FS_FIXED kPixel = 65536;
  // Sizes past the faces the engine keeps, one of them only wider.
  std::vector<std::pair<FS_FIXED, FS_FIXED>> sizes;
  for (int px = 14; px <= 40; px += 3) sizes.push_back({px * kPixel, px * kPixel});
  sizes.push_back({30 * kPixel, 20 * kPixel});
  // What each size draws on a face opened for it: the engine restarted, so
  // that no face is ready.
  std::vector<std::vector<EngineGlyph>> fresh;
  for (auto [width, height] : sizes) {
    GenDoneGlyphCache();
    ASSERT_EQ(GenInitGlyphCache(20000), 0);
    ASSERT_EQ(GenRegisterFont(SystemFontPath().c_str()), 0);
    fresh.push_back(Draw(width, height));
    ASSERT_FALSE(fresh.back()[0].bytes.empty());
  }
  // Every size's client ends, so that faces of many sizes are ready; then
  // each size again, in turn, back and forth and skipping.
  for (size_t round = 0; round < 3; ++round) {
    std::vector<FS_STATE*> clients;
    for (auto [width, height] : sizes) clients.push_back(Client(width, height));
    for (FS_STATE* client : clients) FS_end_client(client);
    for (size_t k = 0; k < sizes.size(); ++k) {
      const size_t i = round == 1 ? sizes.size() - 1 - k : (k * (round + 3)) % sizes.size();
      EXPECT_EQ(Draw(sizes[i].first, sizes[i].second), fresh[i]) << "size " << i << " in round " << round;
    }
  }

  // A client that chose another character map leaves the face's own
  // (Unicode) to the next client, and a size kept ready serves a client with
  // the map it chose.
  FS_STATE* probe = FS_new_client(&GenFontEngine);
  ASSERT_EQ(FS_set_font(probe, "TiresiasScreenfont"), FS_SUCCESS);
  const bool roman = FS_set_cmap(probe, 1, 0) == FS_SUCCESS;
  FS_end_client(probe);
  if (!roman) GTEST_SKIP() << "the face has no Roman character map";
  const std::vector<EngineGlyph> romanGlyphs = Draw(sizes[0].first, sizes[0].second, 1);
  EXPECT_EQ(romanGlyphs[3], fresh[0][2]) << "0x8E is e acute in the Roman map";
  EXPECT_EQ(Draw(sizes[0].first, sizes[0].second), fresh[0]);
  FS_STATE* one = Client(sizes[1].first, sizes[1].second);
  FS_STATE* zero = Client(sizes[0].first, sizes[0].second);
  FS_end_client(one);
  FS_end_client(zero);
  // Selected, the face of size 0 comes first; scaled, that of size 1.
  EXPECT_EQ(Draw(sizes[1].first, sizes[1].second, 1)[3], fresh[1][2]);
  EXPECT_EQ(Draw(sizes[0].first, sizes[0].second, 1), romanGlyphs);
  EXPECT_EQ(Draw(sizes[0].first, sizes[0].second, 3), fresh[0]);

  // Clients side by side on the one face, drawing in turns.
  FS_STATE* romanClient = Client(sizes[2].first, sizes[2].second, 1);
  FS_STATE* unicode = Client(sizes[3].first, sizes[3].second);
  for (int turn = 0; turn < 2; ++turn) {
    EXPECT_EQ(Map(romanClient, 0x8E), fresh[2][2]);
    EXPECT_EQ(Map(unicode, 0xE9), fresh[3][2]);
    EXPECT_EQ(Map(romanClient, 'A'), fresh[2][0]);
  }
  EXPECT_EQ(DrawAndEnd(unicode), fresh[3]);
  FS_end_client(romanClient);
}

TEST_F(GenFontTest, BadFilesAndRecordsAreReported) {
  static constexpr GenFontResource noFaces{nullptr, nullptr, 0, 0, &kGray};
  testing::internal::CaptureStdout();
  EXPECT_NE(GenRegisterFont("/nonexistent/font.ttf"), 0);
  EXPECT_EQ(GenLoadFont(nullptr), nullptr);
  EXPECT_EQ(GenLoadFont(&noFaces), nullptr);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("The registration of the font file '/nonexistent/font.ttf' is failed. The iType(R) font "
                     "engine has raised the error code '4'."),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("Resource is corrupted."), std::string::npos) << out;
}

// A scratch folder of the test's own, gone with it.
struct Scratch {
  std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("ge_font_" + std::to_string(getpid()));
  Scratch() { std::filesystem::create_directories(folder); }
  ~Scratch() { std::filesystem::remove_all(folder); }
};

// The system font with its tables named in TAGS changed by EDIT (the file's
// bytes, the table's directory entry, its offset and length), written to PATH.
template <class Edit>
void WriteEditedFont(const std::filesystem::path& path, std::initializer_list<const char*> tags, Edit edit) {
  std::ifstream in(SystemFontPath(), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto word = [&bytes](size_t at) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) value = value << 8 | uint8_t(bytes[at + i]);
    return value;
  };
  const size_t tables = uint8_t(bytes[4]) << 8 | uint8_t(bytes[5]);
  for (const char* tag : tags) {
    size_t entry = 12;
    while (entry < 12 + 16 * tables && bytes.compare(entry, 4, tag) != 0) entry += 16;
    ASSERT_LT(entry, 12 + 16 * tables) << "the font has no " << tag << " table";
    edit(bytes, entry, word(entry + 8), word(entry + 12));
  }
  std::ofstream(path, std::ios::binary) << bytes;
}

// How many of the characters of "PICTURE Exit" (11 but the space) the font
// registered from the file draws nothing for, as the screens ask for it.
int32_t InklessOf(const std::string& file) {
  GenDoneGlyphCache();
  EXPECT_EQ(GenInitGlyphCache(20000), 0);
  EXPECT_EQ(GenRegisterFont(file.c_str()), 0) << "the font registers";
  GenFont* font = GenLoadFont(&TestFont<20>::record);
  if (!font) return -1;
  int32_t tried = 0;
  const int32_t inkless = GenCountInkless(font, u"PICTURE Exit", &tried);
  EXPECT_EQ(tried, 11) << "the space is no character to draw";
  GenFreeFont(font);
  return inkless;
}

// A font may register and draw nothing: without the name the screens ask
// for, with no character map, or with every glyph out of its table. A face
// without a character map but with its glyphs' names is mapped from them
// (once, it ended the process).
TEST_F(GenFontTest, FontsThatRegisterAndDrawNothingAreTold) {
  const Scratch scratch;
  const std::string font = (scratch.folder / "font.ttf").string();
  const auto rename = [](std::string& bytes, size_t entry, uint32_t, uint32_t) { bytes[entry] = 'x'; };
  testing::internal::CaptureStdout();
  EXPECT_EQ(InklessOf(SystemFontPath()), 0);
  WriteEditedFont(font, {"name"}, rename);
  EXPECT_EQ(InklessOf(font), 11) << "no name table";
  WriteEditedFont(font, {"cmap"}, rename);
  EXPECT_EQ(InklessOf(font), 0) << "no character map, the glyphs' names";
  WriteEditedFont(font, {"cmap", "post"}, rename);
  EXPECT_EQ(InklessOf(font), 11) << "no character map, no glyphs' names";
  WriteEditedFont(font, {"loca"}, [](std::string& bytes, size_t, uint32_t offset, uint32_t length) {
    bytes.replace(offset, length, length, '\xFF');
  });
  EXPECT_EQ(InklessOf(font), 11) << "every glyph past the glyph table";
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("The font 'TiresiasScreenfont' is not available"), std::string::npos) << out;
}

// A pipe in the font's place is no font, refused at once: read, it would
// hold the engine until something wrote to it.
TEST_F(GenFontTest, APipeForAFontIsRefusedWithoutWaiting) {
  const Scratch scratch;
  const std::string pipe = (scratch.folder / "font.ttf").string();
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  testing::internal::CaptureStdout();
  EXPECT_EQ(GenRegisterFont(pipe.c_str()), FS_ERR_FILE);
  testing::internal::GetCapturedStdout();
}

// Registered by a handle, each registration (one a period of operation)
// reads the file opened, whatever stands at its name by then; the handle
// stays the caller's.
TEST_F(GenFontTest, AFontHeldOpenOutlivesWhatReplacesItsName) {
  const Scratch scratch;
  const std::filesystem::path path = scratch.folder / "font.ttf";
  std::filesystem::copy_file(SystemFontPath(), path);
  const int file = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(file, 0);
  for (const char* replaced : {"pipe", "folder", "nothing"}) {
    std::filesystem::remove_all(path);
    if (replaced == std::string("pipe")) {
      ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    } else if (replaced == std::string("folder")) {
      std::filesystem::create_directory(path);
    }
    GenDoneGlyphCache();
    ASSERT_EQ(GenInitGlyphCache(20000), 0);
    EXPECT_EQ(GenRegisterFontHandle(file, path.c_str()), 0) << replaced;
    GenFont* font = GenLoadFont(&TestFont<20>::record);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(GenCountInkless(font, u"PICTURE Exit"), 0) << replaced;
    GenFreeFont(font);
  }
  GenDoneGlyphCache();
  EXPECT_NE(fcntl(file, F_GETFD), -1) << "the engine closed the caller's handle";
  close(file);
  ASSERT_EQ(GenInitGlyphCache(20000), 0);
  ASSERT_EQ(GenRegisterFont(SystemFontPath().c_str()), 0);
}

}  // namespace
