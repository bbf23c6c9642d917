// Bitmaps: creation, loading of packed resources, indexed bitmaps, the window
// bitmap and the engine's error lines.
#include <algorithm>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

#include "Bitmaps.h"
#include "GenFrameCache.h"
#include "ge_test_support.h"
#include "lzw.h"
#include "vgresmap.h"

namespace {

// A resource of the given pixels (engine colours), LZW-packed.
struct PackedResource {
  std::vector<uint16_t> codes;
  GenBitmapResource record{};

  PackedResource(int32_t width, int32_t height, const std::vector<GenColor>& pixels, int32_t format = 0) {
    codes = LzwPack(reinterpret_cast<const uint8_t*>(pixels.data()), pixels.size() * sizeof(GenColor));
    record = {width, height, codes.data(), format, width, height, 0, static_cast<uint32_t>(codes.size())};
  }
};

std::vector<GenColor> Ramp(int32_t count) {
  std::vector<GenColor> pixels;
  for (int32_t i = 0; i < count; ++i)
    pixels.push_back(GenMakeColor(i * 7 & 0xFF, i * 13 & 0xFF, i * 29 & 0xFF, 0x40 + (i & 0x3F)));
  return pixels;
}

// The message and module of every engine error line in the text,
// "message|module"; a line that does not have the exact shape
// "\nERROR: <message> Module <file> at line <number>\n" gives "malformed".
std::vector<std::string> Errors(const std::string& text) {
  std::vector<std::string> out;
  const std::string head = "\nERROR: ";
  for (size_t at = text.find(head); at != std::string::npos; at = text.find(head, at + 1)) {
    const size_t end = text.find('\n', at + head.size());
    const std::string line = text.substr(at + head.size(), end == std::string::npos ? end : end - at - head.size());
    const size_t module = line.rfind(" Module ");
    const size_t number = line.rfind(" at line ");
    const std::string digits = number == std::string::npos ? "" : line.substr(number + 9);
    if (end == std::string::npos || module == std::string::npos || number == std::string::npos || number < module ||
        digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) {
      out.push_back("malformed");
      continue;
    }
    out.push_back(line.substr(0, module) + "|" + line.substr(module + 8, number - module - 8));
  }
  return out;
}

using BitmapTest = EngineTest;

TEST(GenDebugPrintTest, PrintsTheTableMessageOrTheCodeAndTheFileName) {
  Console console;
  GenDebugPrint(GenErrUnsupportedColorFormat, "/src/APPS/GE/GenBitmap.cpp", 12);
  GenDebugPrint(7, "C:\\ge\\GenFont.cpp", 3);
  GenDebugPrint(GenErrNotInitialized, "GraphicsEngine.cpp", 99);
  EXPECT_EQ(console.Text(),
            "\nERROR: Unsupported color format. Module GenBitmap.cpp at line 12\n"
            "\nERROR: Error code 0x07 in module GenFont.cpp at line 3\n"
            "\nERROR: Module not intiialized. Module GraphicsEngine.cpp at line 99\n");
}

TEST_F(BitmapTest, AnEmptySizeIsRefusedWithOneLine) {
  Console console;
  EXPECT_EQ(GenCreateBitmap(0, 5, 0), nullptr);
  const std::string text = console.Text();
  // Exactly one line, and nothing else on the console.
  EXPECT_EQ(Errors(text), std::vector<std::string>{"Invalid parameter given to function.|GenBitmap.cpp"});
  EXPECT_EQ(text.rfind("\nERROR: Invalid parameter given to function. Module GenBitmap.cpp at line ", 0), 0u);
  EXPECT_EQ(text.find('\n', 1), text.size() - 1);
}

TEST_F(BitmapTest, ANewBitmapIsTransparentAndKnowsItsRowPadding) {
  // A 7-pixel row does not fill DirectFB's pitch, so the padding is what lets
  // direct pixel addressing find the rows.
  GenBitmap* b = Make(7, 3);
  ASSERT_NE(b, nullptr);
  void* memory = nullptr;
  int pitch = 0;
  ASSERT_EQ(b->surface->Lock(b->surface, DSLF_READ, &memory, &pitch), DFB_OK);
  b->surface->Unlock(b->surface);
  EXPECT_EQ(b->padding, pitch / 4 - 7);
  EXPECT_EQ(b->frameWidth, 7);
  EXPECT_EQ(b->frameHeight, 3);
  EXPECT_EQ(b->external, 0);
  EXPECT_TRUE(Touched(b, 0).empty());
}

// A bitmap made just after one of its size was let go takes over its surface
// (no surface is made and destroyed a frame) yet is as new: transparent, and
// without the clip its last user left on the surface.
TEST_F(BitmapTest, ABitmapOfTheSizeOfOneLetGoIsNewOnItsSurface) {
  GenBitmap* first = GenCreateBitmap(53, 21, GenColorFormatArgb8888);
  ASSERT_NE(first, nullptr);
  GenFillRectangle(first, nullptr, 0xFF336699, 0, 0, 53, 21, 0);
  const DFBRegion corner{0, 0, 4, 4};
  first->surface->SetClip(first->surface, &corner);
  IDirectFBSurface* surface = first->surface;
  GenFreeBitmap(first);

  GenBitmap* second = GenCreateBitmap(53, 21, GenColorFormatArgb8888);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->surface, surface);
  EXPECT_TRUE(Touched(second, 0).empty()) << "pixels of the bitmap let go";
  GenFillRectangle(second, nullptr, 0xFF00FF00, 0, 0, 53, 21, 0);
  EXPECT_EQ(Touched(second, 0xFF00FF00), std::vector<std::string>{}) << "the fill was cut by an old clip";
  GenBitmap* other = GenCreateBitmap(21, 53, GenColorFormatArgb8888);
  EXPECT_NE(other->surface, surface);
  GenFreeBitmap(second);
  GenFreeBitmap(other);
}

// The drawing band is one surface for every band asked for, grown to the
// widest; one asked for while it is out is a bitmap of its own. Outgrown
// scratch surfaces are not kept for a later bitmap of their size, and the
// band goes with the spares.
TEST_F(BitmapTest, TheDrawingBandIsOneSurfaceGrownToTheWidest) {
  GenReleaseSpareSurfaces();
  GenBitmap* band = GenTakeDrawingBand(100, 16);
  ASSERT_NE(band, nullptr);
  EXPECT_GE(band->width, 100);
  EXPECT_GE(band->height, 16);
  GenBitmap* nested = GenTakeDrawingBand(50, 16);
  ASSERT_NE(nested, nullptr);
  EXPECT_NE(nested, band);
  GenGiveDrawingBand(nested);
  GenGiveDrawingBand(band);
  EXPECT_EQ(GenTakeDrawingBand(60, 8), band);
  GenGiveDrawingBand(band);

  const int32_t width = band->width;
  const int32_t height = band->height;
  IDirectFBSurface* outgrown = band->surface;
  GenBitmap* wider = GenTakeDrawingBand(width + 1, 16);
  ASSERT_NE(wider, nullptr);
  const int32_t widerWidth = wider->width;
  EXPECT_GT(widerWidth, width);
  GenGiveDrawingBand(wider);
  GenBitmap* sameSize = GenCreateBitmap(width, height, GenColorFormatArgb8888);
  ASSERT_NE(sameSize, nullptr);
  EXPECT_NE(sameSize->surface, outgrown) << "the outgrown band was kept among the spares";
  GenFreeBitmap(sameSize);

  EXPECT_TRUE(GenReleaseSpareSurfaces());
  GenBitmap* again = GenTakeDrawingBand(10, 16);
  ASSERT_NE(again, nullptr);
  EXPECT_LT(again->width, widerWidth) << "the band outlived the spares";
  GenGiveDrawingBand(again);
  GenReleaseSpareSurfaces();
}

TEST_F(BitmapTest, ALoadedResourceHasItsPixelsOnEveryRowAndLeavesThePaddingAlone) {
  const std::vector<GenColor> pixels = Ramp(7 * 5);
  PackedResource resource(7, 5, pixels);
  resource.record.frameWidth = 7;
  resource.record.frameHeight = 1;
  resource.record.frameDelay = 80;
  GenBitmap* b = GenLoadBitmap(&resource.record);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->frameHeight, 1);
  EXPECT_EQ(b->frameDelay, 80);
  EXPECT_EQ(Pixels(b).pixels, pixels);
  GenFreeBitmap(b);
}

// Stored artwork is drawn where it lies, never copied into a surface of its
// own and never written: a small picture has no surface at all, a large one
// a surface made over its pixels, which is never handed on to a later bitmap
// of its size (that would clear and draw into the program's artwork).
TEST_F(BitmapTest, StoredPixelsAreDrawnWhereTheyLieAndStayUntouched) {
  const std::vector<GenColor> pixels = Ramp(6 * 4);
  GenBitmapResource record{6, 4, nullptr, 0, 3, 4, 0, 0, GenStoredPixels, pixels.data()};
  GenBitmap* b = GenLoadBitmap(&record);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->frameWidth, 3);
  EXPECT_EQ(b->surface, nullptr);
  EXPECT_EQ(b->stored, pixels.data());
  EXPECT_EQ(Pixels(b).pixels, pixels);
  GenFreeBitmap(b);

  const int32_t wide = GenSurfacelessMaxWidth + 1;
  const std::vector<GenColor> large = Ramp(wide * 2);
  GenBitmapResource largeRecord{wide, 2, nullptr, 0, wide, 2, 0, 0, GenStoredPixels, large.data()};
  GenBitmap* l = GenLoadBitmap(&largeRecord);
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(l->padding, 0);
  EXPECT_EQ(GenLockMemory(l->surface), static_cast<const void*>(large.data()));
  GenUnlockMemory(l->surface);
  EXPECT_EQ(Pixels(l).pixels, large);
  GenFreeBitmap(l);
  GenBitmap* later = GenCreateBitmap(wide, 2, GenColorFormatArgb8888);
  ASSERT_NE(later, nullptr);
  GenFillRectangle(later, nullptr, 0xFF00FF00, 0, 0, wide, 2, 0);
  EXPECT_EQ(large, Ramp(wide * 2));
  GenFreeBitmap(later);

  GenBitmapResource missing = record;
  missing.storedPixels = nullptr;
  Console console;
  EXPECT_EQ(GenLoadBitmap(&missing), nullptr);
  EXPECT_EQ(Errors(console.Text()), std::vector<std::string>{"Resource is corrupted.|GenBitmap.cpp"});
}

// Small stored pictures take turns in the one surface they are blitted
// from: whatever was copied there last, each copy, tiling and stretch draws
// the pixels of its own picture, as one from a surface of them would, also
// after a picture was let go and another loaded in its place.
TEST_F(BitmapTest, SmallStoredPicturesDrawTheirOwnPixelsInTurn) {
  std::vector<GenColor> first = Ramp(9 * 6);
  std::vector<GenColor> second(12 * 5);
  for (size_t i = 0; i < second.size(); ++i) second[i] = GenMakeColor(200, uint8_t(i * 3), 40, uint8_t(0x80 + i));
  GenBitmapResource a{9, 6, nullptr, 0, 3, 3, 0, 0, GenStoredPixels, first.data()};
  GenBitmapResource b{12, 5, nullptr, 0, 12, 5, 0, 0, GenStoredPixels, second.data()};
  // The same pixels in surfaces of their own, drawn the same ways.
  auto surfaceOf = [&](const std::vector<GenColor>& pixels, int32_t w, int32_t h) {
    GenBitmap* s = Make(w, h);
    auto* memory = static_cast<GenColor*>(GenLockMemory(s->surface));
    for (int32_t y = 0; y < h; ++y)
      std::copy_n(pixels.data() + y * w, w, memory + y * (s->width + s->padding));
    GenUnlockMemory(s->surface);
    s->frameWidth = 3;
    s->frameHeight = 3;
    return s;
  };
  GenBitmap* aSurface = surfaceOf(first, 9, 6);
  GenBitmap* bSurface = surfaceOf(second, 12, 5);
  auto draw = [](GenBitmap* target, GenBitmap* one, GenBitmap* other) {
    GenCopyBitmap(target, nullptr, one, 1, 1, 0, 0, 9, 6, 1, 255);
    GenCopyBitmap(target, nullptr, other, 12, 1, 2, 1, 10, 4, 0, 255);
    GenCopyBitmap(target, nullptr, one, 24, 1, 3, 2, 6, 4, 1, 120);
    GenTileBitmapFrame(target, nullptr, one, 1, 1, 9, 0, 0, 20, 7, 3, 3, 1, 255);
    GenScaleBitmap(target, nullptr, other, 22, 9, 24, 10, 0, 0, 12, 5, 1, 255);
  };
  GenBitmap* expected = Make(48, 20, 0xFF102030);
  draw(expected, aSurface, bSurface);

  GenBitmap* one = GenLoadBitmap(&a);
  GenBitmap* other = GenLoadBitmap(&b);
  ASSERT_TRUE(one && other && !one->surface && !other->surface);
  GenBitmap* drawn = Make(48, 20, 0xFF102030);
  draw(drawn, one, other);
  EXPECT_EQ(Pixels(drawn).pixels, Pixels(expected).pixels);

  // The picture copied last let go, and another loaded (at its address, as
  // the allocator tends to give it) of other pixels.
  GenFreeBitmap(other);
  GenBitmapResource c = a;
  GenBitmap* again = GenLoadBitmap(&c);
  ASSERT_NE(again, nullptr);
  GenBitmap* copied = Make(10, 7, 0xFF102030);
  GenBitmap* copiedFromSurface = Make(10, 7, 0xFF102030);
  GenCopyBitmap(copied, nullptr, again, 1, 1, 0, 0, 9, 6, 1, 255);
  GenCopyBitmap(copiedFromSurface, nullptr, aSurface, 1, 1, 0, 0, 9, 6, 1, 255);
  EXPECT_EQ(Pixels(copied).pixels, Pixels(copiedFromSurface).pixels);
  GenFreeBitmap(again);
  GenFreeBitmap(one);
}

TEST_F(BitmapTest, AForeignColourFormatIsReportedAndStillLoaded) {
  PackedResource resource(4, 2, Ramp(8), 1);
  Console console;
  GenBitmap* b = GenLoadBitmap(&resource.record);
  EXPECT_EQ(Errors(console.Text()), std::vector<std::string>{"Unsupported color format.|GenBitmap.cpp"});
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(Pixels(b).pixels, Ramp(8));
  GenFreeBitmap(b);
}

TEST_F(BitmapTest, BadResourcesGiveNothing) {
  PackedResource resource(4, 2, Ramp(8));
  GenBitmapResource truncated = resource.record;
  truncated.codeCount /= 2;
  GenBitmapResource tooBig = resource.record;  // the stream ends before the picture does
  tooBig.height = 3;
  GenBitmapResource noPixels = resource.record;
  noPixels.pixels = nullptr;
  GenBitmapResource noWidth = resource.record;
  noWidth.width = 0;

  Console console;
  EXPECT_EQ(GenLoadBitmap(nullptr), nullptr);
  EXPECT_EQ(GenLoadBitmap(&truncated), nullptr);
  EXPECT_EQ(GenLoadBitmap(&tooBig), nullptr);
  EXPECT_EQ(GenLoadBitmap(&noPixels), nullptr);
  EXPECT_EQ(GenLoadBitmap(&noWidth), nullptr);
  EXPECT_EQ(Errors(console.Text()), (std::vector<std::string>{
                                        "Invalid parameter given to function.|GenBitmap.cpp",
                                        "Resource is corrupted.|GenBitmap.cpp",
                                        "Resource is corrupted.|GenBitmap.cpp",
                                        "Resource is corrupted.|GenBitmap.cpp",
                                        "Resource is corrupted.|GenBitmap.cpp",
                                    }));
}

TEST_F(BitmapTest, TheWindowBitmapIsTheMainWindowsSurface) {
  GenBitmap* b = GenCreateBitmapExternal(960, 540, 0);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->external, 1);
  EXPECT_NE(b->window, nullptr);
  EXPECT_EQ(MoskMainWindow, b->window);
  EXPECT_EQ(b->width, 960);
  EXPECT_TRUE(Touched(b, 0).empty());
  GenFillRectangle(b, nullptr, 0xFF102030, 0, 0, 2, 1, 0);
  EXPECT_EQ(Touched(b, 0), (std::vector<std::string>{"0,0", "1,0"}));
  GenFreeBitmap(b);
  EXPECT_EQ(MoskMainWindow, nullptr);
}

// The engine as it stands before the set has started DirectFB. DirectFB
// itself stays up: stopping it would take the surfaces that the engine keeps
// for later bitmaps (those let go by the tests before) from under the tests
// after this one.
TEST_F(BitmapTest, WithoutDirectFBNothingIsCreated) {
  IDirectFB* const started = std::exchange(g_dfb, nullptr);
  Console console;
  EXPECT_EQ(GenCreateBitmap(4, 4, 0), nullptr);
  EXPECT_EQ(GenCreateBitmapExternal(4, 4, 0), nullptr);
  g_dfb = started;
  EXPECT_EQ(Errors(console.Text()), (std::vector<std::string>{"Module not intiialized.|GenBitmap.cpp",
                                                               "Module not intiialized.|GenBitmap.cpp"}));
}

TEST_F(BitmapTest, Index8ColourTableRunsAreCutAtTheLastEntry) {
  GenIndex8Bitmap* b = GenCreateIndex8Bitmap(3, 2);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(GenLockIndex8Bitmap(b), b->pixels);
  EXPECT_EQ(b->pixels[5], 0);
  std::vector<GenColor> colours(10, 0xFFABCDEF);
  Console console;
  GenSetColorOfIndex8Bitmap(b, colours.data(), 250, 10);
  GenSetColorOfIndex8Bitmap(b, colours.data(), 256, 1);
  GenSetColorOfIndex8Bitmap(b, colours.data(), -1, 3);
  EXPECT_EQ(console.Text(), "");
  for (int i = 0; i < 256; ++i) EXPECT_EQ(b->colors[i], i >= 250 ? 0xFFABCDEFu : 0u) << i;
  GenFreeIndex8Bitmap(b);
}

TEST_F(BitmapTest, NullAndEmptyArgumentsAreReported) {
  Console console;
  EXPECT_EQ(GenCreateIndex8Bitmap(4, 0), nullptr);
  GenFreeIndex8Bitmap(nullptr);
  EXPECT_EQ(GenLockIndex8Bitmap(nullptr), nullptr);
  GenSetColorOfIndex8Bitmap(nullptr, nullptr, 0, 1);
  GenFreeBitmap(nullptr);
  EXPECT_EQ(GenLockMemory(nullptr), nullptr);
  GenUnlockMemory(nullptr);
  EXPECT_EQ(Errors(console.Text()).size(), 5u);
}

TEST_F(BitmapTest, ConvertDisplayOnlyChecksCompatibility) {
  GenBitmap* a = Make(4, 4);
  GenBitmap* b = Make(5, 4);
  GenBitmap* c = Make(4, 4);
  c->colorFormat = 2;
  Console console;
  GenConvertDisplay(a, nullptr);
  GenConvertDisplay(a, b);
  GenConvertDisplay(a, c);
  GenConvertDisplay(a, a);
  c->colorFormat = 0;
  EXPECT_EQ(Errors(console.Text()), (std::vector<std::string>{
                                        "Invalid parameter given to function.|GenDisplay.cpp",
                                        "Incompatible bitmap format.|GenDisplay.cpp",
                                        "Unsupported color format.|GenDisplay.cpp",
                                        "Module not intiialized.|GenDisplay.cpp",
                                    }));
}

TEST_F(BitmapTest, EveryBitmapOfTheBitmapsUnitLoads) {
  ASSERT_GT(Bitmaps::Count, 0u);
  for (size_t i = 0; i < Bitmaps::Count; ++i) {
    const Bitmaps::NamedBitmap& named = Bitmaps::All[i];
    ASSERT_EQ(named.constant->count, 1u) << named.name;
    const auto* entry = static_cast<const VgResourceEntry*>(named.constant->entries);
    const auto* resource = static_cast<const GenBitmapResource*>(entry->value);
    GenBitmap* b = GenLoadBitmap(resource);
    ASSERT_NE(b, nullptr) << named.name;
    EXPECT_EQ(b->width % b->frameWidth, 0) << named.name;
    EXPECT_EQ(b->height, b->frameHeight) << named.name;
    // Artwork with nothing visible is a drawing mistake.
    EXPECT_FALSE(Touched(b, 0).empty()) << named.name;
    GenFreeBitmap(b);
  }
}

// A run of a test picture.
struct ColourRun {
  uint32_t length;
  GenColor colour;
};

// A picture given as its row runs, both as pixels and stored as runs, as the
// Bitmaps unit stores large flat artwork.
struct RowRunPicture {
  int32_t width = 0;
  std::vector<GenColor> pixels;
  std::vector<uint32_t> index;
  std::vector<uint16_t> runs;
  GenBitmapResource record{};

  // Rows alike share their runs, as the artwork packer keeps them.
  explicit RowRunPicture(const std::vector<std::vector<ColourRun>>& rows) {
    std::vector<uint32_t> palette;
    std::vector<size_t> alikeTo;  // the first row alike to each row
    for (size_t y = 0; y < rows.size(); ++y) {
      width = 0;
      for (const ColourRun& run : rows[y]) {
        pixels.insert(pixels.end(), run.length, run.colour);
        width += static_cast<int32_t>(run.length);
      }
      const auto alike = std::find_if(rows.begin(), rows.begin() + static_cast<ptrdiff_t>(y), [&](const auto& row) {
        return std::equal(row.begin(), row.end(), rows[y].begin(), rows[y].end(), [](ColourRun a, ColourRun b) {
          return a.length == b.length && a.colour == b.colour;
        });
      });
      alikeTo.push_back(static_cast<size_t>(alike - rows.begin()));
      if (alikeTo.back() == y)
        for (const ColourRun& run : rows[y]) palette.push_back(run.colour);  // a colour a run: it may repeat colours
    }
    // A run longer than its word holds goes as runs of its colour.
    const int32_t bits = GenRunColourBits(static_cast<uint32_t>(palette.size()));
    uint16_t colour = 0;
    for (size_t y = 0; y < rows.size(); ++y) {
      if (alikeTo[y] != y) {
        index.push_back(index[alikeTo[y]]);
        continue;
      }
      index.push_back(static_cast<uint32_t>(runs.size()));
      for (const ColourRun& run : rows[y]) {
        for (uint32_t left = run.length; left > 0;) {
          const uint32_t n = std::min(left, 1u << (16 - bits));
          runs.push_back(static_cast<uint16_t>((n - 1) << bits | colour));
          left -= n;
        }
        ++colour;
      }
    }
    index.push_back(static_cast<uint32_t>(runs.size()));
    index.push_back(static_cast<uint32_t>(palette.size()));
    index.insert(index.end(), palette.begin(), palette.end());
    const auto height = static_cast<int32_t>(rows.size());
    record = {width, height, nullptr, 0, width / 2, height, 0, 0, GenStoredRowRuns};
    record.runIndex = index.data();
    record.indexWords = static_cast<uint32_t>(index.size());
    record.runs = runs.data();
    record.runCount = static_cast<uint32_t>(runs.size());
  }
};

// Runs of several colours and alphas, a different pattern on every row, over
// more rows than one band holds, two frames side by side.
std::vector<std::vector<ColourRun>> SomeRows() {
  std::vector<std::vector<ColourRun>> rows;
  for (uint32_t y = 0; y < 75; ++y) {
    const uint32_t split = 3 + y % 29;
    rows.push_back({{split, GenMakeColor(y * 3, 200, 40, 255)},
                    {31 - split + 6, GenMakeColor(10, y, 90, (y * 7) & 0xFF)},
                    {1, 0},
                    {22, GenMakeColor(250, 250 - y, y, 0x80)}});
  }
  return rows;
}

// A frame: a transparent margin, opaque sides and a translucent middle, the
// same on most rows, so that its runs make few rectangles of one colour.
std::vector<std::vector<ColourRun>> FrameRows() {
  std::vector<std::vector<ColourRun>> rows;
  for (uint32_t y = 0; y < 75; ++y) {
    if (y == 0 || y == 74) {
      rows.push_back({{62, 0}});
      continue;
    }
    const GenColor middle = y % 20 == 10 ? 0xA0102040 : 0x60204080;
    rows.push_back({{1, 0}, {3, 0xFF8090A0}, {54, y < 4 || y > 70 ? 0xFF8090A0 : middle}, {3, 0xFF8090A0}, {1, 0}});
  }
  return rows;
}

// Wide rows of hundreds of colours whose middle runs are longer than a
// run's word holds.
std::vector<std::vector<ColourRun>> LongRows() {
  std::vector<std::vector<ColourRun>> rows;
  for (uint32_t y = 0; y < 75; ++y)
    rows.push_back({{1 + y % 5, GenMakeColor(y, 9, 9, 255)},
                    {590 - y % 5, GenMakeColor(5, y * 3, 60, 0x90)},
                    {9, GenMakeColor(200, 0, y, 255)}});
  return rows;
}

// A picture kept as runs reaches a target pixel for pixel as the same picture
// kept in a surface does, through every kind of copy, blended or not, clipped
// or not, whether its runs go as fills or through the band; the band does
// not leak into the target.
TEST_F(BitmapTest, ARowRunPictureDrawsExactlyAsItsPixelsDo) {
  for (const auto& rows : {SomeRows(), FrameRows(), LongRows()}) {
    SCOPED_TRACE(rows[1].size() == 5 ? "frame" : rows[1].size() == 3 ? "long runs" : "runs of every row");
    RowRunPicture picture(rows);
    GenBitmap* runs = GenLoadBitmap(&picture.record);
    PackedResource plain(picture.width, 75, picture.pixels);
    plain.record.frameWidth = picture.width / 2;
    GenBitmap* pixels = GenLoadBitmap(&plain.record);
    ASSERT_NE(runs, nullptr);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(runs->surface, nullptr);
    {
      // A row whose runs end before its width is a damaged picture.
      RowRunPicture damaged(rows);
      damaged.index[1] = damaged.record.runCount - 1;
      EXPECT_EQ(GenLoadBitmap(&damaged.record), nullptr);
    }
    EXPECT_EQ(Pixels(runs).pixels, picture.pixels);
    GenColor pixel = 0;
    for (int32_t x : {37, picture.width - 1}) {
      ASSERT_TRUE(GenReadPixel(runs, x, 40, &pixel));
      EXPECT_EQ(pixel, picture.pixels[40 * picture.width + x]);
    }

    const GenRect clip{3, 5, 150, 118};
    using Draw = void (*)(GenBitmap*, GenBitmap*, const GenRect*, int32_t, int32_t);
    const Draw draws[] = {
        [](GenBitmap* t, GenBitmap* s, const GenRect* c, int32_t blend, int32_t opacity) {
          GenCopyBitmap(t, c, s, -4, 2, 0, 0, s->width, s->height, blend, opacity);
        },
        [](GenBitmap* t, GenBitmap* s, const GenRect* c, int32_t blend, int32_t opacity) {
          GenCopyBitmapFrame(t, c, s, 1, 20, 9, 2, 3, 25, 60, blend, opacity);
        },
        [](GenBitmap* t, GenBitmap* s, const GenRect* c, int32_t blend, int32_t opacity) {
          GenTileBitmapFrame(t, c, s, 1, 7, 1, 4, 30, 140, 110, 17, 40, blend, opacity);
        },
        [](GenBitmap* t, GenBitmap* s, const GenRect* c, int32_t blend, int32_t opacity) {
          GenScaleBitmap(t, c, s, 10, 4, 97, 130, 5, 8, 40, 60, blend, opacity);
        },
    };
    for (size_t d = 0; d < std::size(draws); ++d) {
      for (const auto& [blend, opacity] : {std::pair{0, 255}, {1, 255}, {1, 128}}) {
        for (const GenRect* c : {static_cast<const GenRect*>(nullptr), &clip}) {
          // On a target of one colour, and on one where a pixel breaks it up.
          for (bool broken : {false, true}) {
            GenBitmap* expected = Make(160, 130, 0xC0306090);
            GenBitmap* actual = Make(160, 130, 0xC0306090);
            if (broken) {
              GenDrawPixel(expected, nullptr, 0xFF00FF00, 40, 50, 0);
              GenDrawPixel(actual, nullptr, 0xFF00FF00, 40, 50, 0);
            }
            draws[d](expected, pixels, c, blend, opacity);
            draws[d](actual, runs, c, blend, opacity);
            EXPECT_EQ(Pixels(actual).pixels, Pixels(expected).pixels)
                << "draw " << d << " blend " << blend << " opacity " << opacity << (c ? " clipped" : "")
                << (broken ? " broken" : "");
          }
        }
      }
    }
    GenFreeBitmap(runs);
    GenFreeBitmap(pixels);
  }
}

// Pictures of one size stretched one after the other, as a page of logos is,
// each show their own pixels: the surface they are stretched from is shared.
TEST_F(BitmapTest, RowRunPicturesOfOneSizeStretchEachToTheirOwnPixels) {
  std::vector<std::vector<ColourRun>> otherRows = SomeRows();
  for (auto& row : otherRows) std::swap(row[0].colour, row[3].colour);
  RowRunPicture first(SomeRows());
  RowRunPicture second(otherRows);
  GenBitmap* pictures[] = {GenLoadBitmap(&first.record), GenLoadBitmap(&second.record)};
  PackedResource firstPixels(first.width, 75, first.pixels);
  PackedResource secondPixels(second.width, 75, second.pixels);
  GenBitmap* surfaces[] = {GenLoadBitmap(&firstPixels.record), GenLoadBitmap(&secondPixels.record)};
  for (int32_t round = 0; round < 4; ++round) {
    const int32_t i = round % 2;
    GenBitmap* expected = Make(100, 80, 0xFF102030);
    GenBitmap* actual = Make(100, 80, 0xFF102030);
    GenScaleBitmap(expected, nullptr, surfaces[i], 3, 2, 51, 37, 0, 0, 61, 75, 1, 255);
    GenScaleBitmap(actual, nullptr, pictures[i], 3, 2, 51, 37, 0, 0, 61, 75, 1, 255);
    EXPECT_EQ(Pixels(actual).pixels, Pixels(expected).pixels) << "round " << round;
  }
  for (GenBitmap* b : {pictures[0], pictures[1], surfaces[0], surfaces[1]}) GenFreeBitmap(b);
}

TEST_F(BitmapTest, RowRunsThatDoNotCoverTheirRowOrNameNoColourAreRefused) {
  std::vector<std::vector<ColourRun>> rows = SomeRows();
  rows[40][3].length += 1;  // one row a pixel longer than the others
  RowRunPicture longer(rows);
  RowRunPicture fewerRuns(SomeRows());
  fewerRuns.record.runCount -= 1;  // the last row's runs would end past the runs given
  RowRunPicture shortIndex(SomeRows());
  shortIndex.record.indexWords -= 1;  // the palette would end past the index given
  RowRunPicture strayColour(SomeRows());
  strayColour.runs.back() |= 0x1FF;  // the last run's colour beyond the palette of 300
  Console console;
  EXPECT_EQ(GenLoadBitmap(&longer.record), nullptr);
  EXPECT_EQ(GenLoadBitmap(&fewerRuns.record), nullptr);
  EXPECT_EQ(GenLoadBitmap(&shortIndex.record), nullptr);
  EXPECT_EQ(GenLoadBitmap(&strayColour.record), nullptr);
  EXPECT_EQ(Errors(console.Text()), std::vector<std::string>(4, "Resource is corrupted.|GenBitmap.cpp"));
}

// Pixels packed row by row come back as the same pixels; a packing past its
// limit of bytes, of too many colours or of the wrong number of rows gives
// nothing.
TEST_F(BitmapTest, PackedRowsGiveBackTheirPixels) {
  for (const auto& rows : {LongRows(), FrameRows(), SomeRows()}) {
    RowRunPicture picture(rows);
    const auto height = static_cast<int32_t>(picture.pixels.size()) / picture.width;
    GenRowRunPacker packer(picture.width, height, 1 << 20);
    for (int32_t y = 0; y < height; ++y) ASSERT_TRUE(packer.AddRow(picture.pixels.data() + y * picture.width));
    std::vector<GenColor> expanded(picture.pixels.size());
    for (int32_t y = 0; y < height; ++y) packer.ExpandRow(y, expanded.data() + y * picture.width);
    EXPECT_EQ(expanded, picture.pixels);
    GenBitmap* packed = packer.Finish();
    ASSERT_NE(packed, nullptr);
    EXPECT_EQ(packed->surface, nullptr);
    EXPECT_EQ(Pixels(packed).pixels, picture.pixels);
    // A row alike to the one above shares its runs (a frame's sides).
    const uint32_t* rowStart = packed->rows->rowStart;
    EXPECT_EQ(rowStart[2] == rowStart[1], rows[2].size() == 5);
    GenFreeBitmap(packed);
  }
  {
    // Rows given as like earlier ones (a frame's tiled middle) share their
    // runs; a row like one not yet given stops the packing.
    RowRunPicture picture(SomeRows());
    GenRowRunPacker packer(picture.width, 75, 1 << 20);
    for (int32_t y = 0; y < 30; ++y) ASSERT_TRUE(packer.AddRow(picture.pixels.data() + y * picture.width));
    for (int32_t y = 30; y < 75; ++y) ASSERT_TRUE(packer.AddRowLike(y % 10 + 20));
    GenBitmap* packed = packer.Finish();
    ASSERT_NE(packed, nullptr);
    const std::vector<GenColor> pixels = Pixels(packed).pixels;
    for (int32_t y = 30; y < 75; ++y)
      ASSERT_TRUE(std::equal(pixels.begin() + y * picture.width, pixels.begin() + (y + 1) * picture.width,
                             picture.pixels.begin() + (y % 10 + 20) * picture.width))
          << "row " << y;
    EXPECT_EQ(packed->rows->rowStart[75], 30 * 4u) << "the runs of 30 rows";
    GenFreeBitmap(packed);
    GenRowRunPacker ahead(picture.width, 75, 1 << 20);
    EXPECT_TRUE(ahead.AddRow(picture.pixels.data()));
    EXPECT_FALSE(ahead.AddRowLike(1));
    EXPECT_EQ(ahead.Finish(), nullptr);
  }
  RowRunPicture picture(SomeRows());
  const auto height = static_cast<int32_t>(picture.pixels.size()) / picture.width;
  GenRowRunPacker packer(picture.width, height, 1 << 20);
  for (int32_t y = 0; y < height; ++y) packer.AddRow(picture.pixels.data() + y * picture.width);
  GenBitmap* packed = packer.Finish();
  // Four runs a row of two bytes each, and a colour a run but the
  // transparent one shared.
  EXPECT_EQ(GenBitmapBytes(packed), sizeof(GenRowRuns) + (height + 2 + 3 * height + 1) * 4u + 4 * height * 2u);
  GenFreeBitmap(packed);

  GenRowRunPacker tight(picture.width, height, 64);
  EXPECT_FALSE(tight.AddRow(picture.pixels.data()));
  EXPECT_EQ(tight.Finish(), nullptr);
  GenRowRunPacker shortOfRows(picture.width, height, 1 << 20);
  EXPECT_TRUE(shortOfRows.AddRow(picture.pixels.data()));
  EXPECT_EQ(shortOfRows.Finish(), nullptr);
  // Every pixel a colour of its own: more colours than a run can name.
  std::vector<GenColor> row(1000);
  GenRowRunPacker colourful(1000, 70, SIZE_MAX);
  bool packing = true;
  for (uint32_t y = 0; y < 70 && packing; ++y) {
    for (uint32_t x = 0; x < 1000; ++x) row[x] = 0xFF000000 | (y * 1000 + x);
    packing = colourful.AddRow(row.data());
  }
  EXPECT_FALSE(packing);
  EXPECT_EQ(colourful.Finish(), nullptr);
}

// A picture made of pixels handed in keeps them whichever way it is kept: as
// runs when its rows are wide plain areas (a band of colour a row, a shape
// over it), on a surface when they are not (every pixel its own colour, as a
// photograph's are); the pixels given may go at once.
TEST_F(BitmapTest, APictureOfPixelsKeepsThemAsRunsOnlyWhereRunsPay) {
  const int32_t width = 90;
  const int32_t height = 70;
  auto plain = std::make_unique<std::vector<GenColor>>();
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x)
      plain->push_back(x > 30 && x < 50 && y > 20 ? GenMakeColor(250, 10, 10, 255) : GenMakeColor(y, 2 * y, 90, 255));
  const std::vector<GenColor> plainCopy = *plain;
  GenBitmap* runs = GenMakePicture(plain->data(), width, height);
  plain.reset();
  ASSERT_NE(runs, nullptr);
  EXPECT_EQ(runs->surface, nullptr);
  EXPECT_LT(GenBitmapBytes(runs), plainCopy.size() * sizeof(GenColor) / 8);
  EXPECT_EQ(Pixels(runs).pixels, plainCopy);

  // Noise, and a picture whose first rows pack well but whose later ones do not.
  std::vector<GenColor> noise = Ramp(width * height);
  std::vector<GenColor> halves = plainCopy;
  std::copy(noise.begin() + width * height / 2, noise.end(), halves.begin() + width * height / 2);
  for (const std::vector<GenColor>* pixels : {&noise, &halves}) {
    GenBitmap* copy = GenMakePicture(pixels->data(), width, height);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy->surface, nullptr);
    EXPECT_EQ(Pixels(copy).pixels, *pixels);
    GenFreeBitmap(copy);
  }
  // The same pictures handed a band of rows at a time, as the media library
  // hands a photo: the rows packed before the runs stop paying move to the
  // surface.
  for (const std::vector<GenColor>* pixels : {&plainCopy, static_cast<const std::vector<GenColor>*>(&noise),
                                              static_cast<const std::vector<GenColor>*>(&halves)}) {
    GenPictureMaker maker(width, height);
    for (int32_t y = 0; y < height; y += 16)
      ASSERT_TRUE(maker.AddRows(pixels->data() + y * width, std::min(16, height - y)));
    GenBitmap* made = maker.Finish();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->surface == nullptr, pixels == &plainCopy);
    EXPECT_EQ(Pixels(made).pixels, *pixels);
    GenFreeBitmap(made);
  }
  GenPictureMaker overfull(width, 2);
  EXPECT_FALSE(overfull.AddRows(noise.data(), 3));
  EXPECT_EQ(overfull.Finish(), nullptr);
  GenPictureMaker unfinished(width, height);
  EXPECT_TRUE(unfinished.AddRows(noise.data(), height - 1));
  EXPECT_EQ(unfinished.Finish(), nullptr) << "a row short";
  GenFreeBitmap(runs);
  Console console;
  EXPECT_EQ(GenMakePicture(nullptr, width, height), nullptr);
  EXPECT_EQ(GenMakePicture(noise.data(), 0, height), nullptr);
  EXPECT_EQ(Errors(console.Text()), std::vector<std::string>(2, "Invalid parameter given to function.|GenBitmap.cpp"));
}

// A picture of stripes wide runs a row, as a frame gives.
GenBitmap* Striped(int32_t width, int32_t height, int32_t stripes) {
  GenRowRunPacker packer(width, height, SIZE_MAX);
  std::vector<GenColor> row(static_cast<size_t>(width));
  // The stripes move a pixel a row, so that no row shares another's runs.
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) row[x] = GenMakeColor((x + y) % width * stripes / width * 40, 90, 30, 255);
    packer.AddRow(row.data());
  }
  return packer.Finish();
}

// The frame cache holds no more than its budget however many pictures pass
// through it, keeps what was used last, refuses what is larger than half the
// budget (and remembers so), and lets a source's pictures go with it.
TEST_F(BitmapTest, FrameCacheStaysWithinItsBudgetAndDropsTheLeastRecentlyUsed) {
  GenFrameCacheClear();
  GenFrameCacheSetBudget(64 * 1024);
  GenFrameCacheResetCounters();
  GenBitmap* source = Make(9, 9);
  GenBitmap* other = Make(9, 9);
  const GenFrameKey favourite{source, 0, 40, 40, 0};
  ASSERT_NE(GenFrameCacheKeep(favourite, Striped(40, 40, 3)), nullptr);
  for (int32_t i = 0; i < 2000; ++i) {
    const GenFrameKey key{i % 2 ? source : other, i % 3, 20 + i % 50, 10 + i / 50, 0};
    if (!GenFrameCacheFind(key)) GenFrameCacheKeep(key, Striped(key.width, key.height, 1 + i % 7));
    ASSERT_LE(GenFrameCacheGetStats().bytes, 64u * 1024);
    ASSERT_NE(GenFrameCacheFind(favourite), nullptr) << "evicted while in use, after " << i;
  }
  const GenFrameCacheStats stats = GenFrameCacheGetStats();
  EXPECT_LE(stats.peakBytes, 64u * 1024);
  EXPECT_GT(stats.evictions, 0u);

  const GenFrameKey large{source, 0, 200, 300, 0};
  EXPECT_EQ(GenFrameCacheKeep(large, Striped(200, 300, 60)), nullptr) << "larger than half the budget";
  EXPECT_TRUE(GenFrameCacheRefused(large));
  EXPECT_EQ(GenFrameCacheFind(large), nullptr);
  EXPECT_FALSE(GenFrameCacheRefused(favourite));

  GenFrameCacheForget(source);
  EXPECT_EQ(GenFrameCacheFind(favourite), nullptr);
  EXPECT_FALSE(GenFrameCacheRefused(large)) << "a later source at the same address starts afresh";

  // A picture of artwork belongs to its resource: the artwork let go and
  // loaded again (another bitmap, maybe at another address) finds it.
  const std::vector<GenColor> artPixels = Ramp(9 * 9);
  const GenBitmapResource art{9, 9, nullptr, 0, 9, 9, 0, 0, GenStoredPixels, artPixels.data()};
  GenBitmap* loaded = GenLoadBitmap(&art);
  ASSERT_NE(GenFrameCacheKeep({loaded, 0, 40, 40, 0}, Striped(40, 40, 2)), nullptr);
  GenFreeBitmap(loaded);
  GenBitmap* again = GenLoadBitmap(&art);
  EXPECT_NE(GenFrameCacheFind({again, 0, 40, 40, 0}), nullptr);
  GenFreeBitmap(again);
  GenFrameCacheSetBudget(0);
  EXPECT_EQ(GenFrameCacheGetStats().pictures, 0);
  EXPECT_EQ(GenFrameCacheGetStats().bytes, 0u);
  GenFrameCacheSetBudget(GenFrameCacheDefaultBudget);
}

}  // namespace
