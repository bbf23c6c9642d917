// Text drawing: the engine's cached and uncached glyph paths beside FreeType's
// own load-and-render and DirectFB's DrawString on the same face and size, and
// the glyph cache's hit rate on a menu page drawn again and again.
#include <benchmark/benchmark.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "GenBitmap.h"
#include "GenFont.h"
#include "gcm.h"

namespace {

std::string FontPath() {
  if (const char* root = std::getenv("TVUI_SOURCE_DIR")) {
    const std::string installed = std::string(root) + "/fonts/tt7268m_803.ttf";
    if (std::filesystem::exists(installed)) return installed;
  }
  return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
}

constexpr int32_t kGray = GenFontModeGray;
constexpr GenFontFace kLargeFace{"TiresiasScreenfont", 28, 0, 0, 1.0f};
constexpr GenFontFace kMediumFace{"TiresiasScreenfont", 22, 0, 0, 1.0f};
constexpr GenFontFace kSmallFace{"TiresiasScreenfont", 19, 0, 0, 1.0f};
constexpr GenFontResource kLarge{&kLargeFace, nullptr, 1, 0, &kGray};
constexpr GenFontResource kMedium{&kMediumFace, nullptr, 1, 0, &kGray};
constexpr GenFontResource kSmall{&kSmallFace, nullptr, 1, 0, &kGray};

// A line of a menu page: 40 characters of mixed case, digits and spaces.
constexpr char16_t kLine[] = u"Colour Temperature: Warm 2, Backlight 87";
constexpr int32_t kLineLength = sizeof(kLine) / sizeof(kLine[0]) - 1;

// DirectFB headless, the glyph cache with the system's budget and the font.
struct Engine {
  Engine() {
    GCM_Start(1);
    GenInitGlyphCache(20000);
    GenRegisterFont(FontPath().c_str());
    font = GenLoadFont(&kMedium);
    bitmap = GenCreateBitmap(960, 540, GenColorFormatArgb8888);
  }
  ~Engine() {
    GenFreeBitmap(bitmap);
    GenFreeFont(font);
    GenDoneGlyphCache();
  }
  GenFont* font = nullptr;
  GenBitmap* bitmap = nullptr;
};

Engine& TheEngine() {
  static Engine engine;
  return engine;
}

void BM_GenDrawTextCached(benchmark::State& state) {
  Engine& e = TheEngine();
  GenMaxCacheSize = 1 << 20;
  for (auto _ : state) GenDrawText(e.bitmap, nullptr, 10, 100, e.font, kLine, 0, 0, 0xFFFFFFFF, 1);
  state.SetItemsProcessed(state.iterations() * kLineLength);
  GenMaxCacheSize = 20000;
}
BENCHMARK(BM_GenDrawTextCached);

// A budget of 0 evicts every released glyph before the next load, so each
// character is rasterised again.
void BM_GenDrawTextUncached(benchmark::State& state) {
  Engine& e = TheEngine();
  GenMaxCacheSize = 0;
  for (auto _ : state) GenDrawText(e.bitmap, nullptr, 10, 100, e.font, kLine, 0, 0, 0xFFFFFFFF, 1);
  state.SetItemsProcessed(state.iterations() * kLineLength);
  GenMaxCacheSize = 20000;
}
BENCHMARK(BM_GenDrawTextUncached);

// FreeType alone at the scale the engine picks for the same font.
void BM_FreeTypeLoadRender(benchmark::State& state) {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  FT_Init_FreeType(&library);
  if (FT_New_Face(library, FontPath().c_str(), 0, &face) != 0) {
    state.SkipWithError("no font");
    return;
  }
  const int32_t span = face->ascender - face->descender;
  const int32_t em = IntegerDivision(face->units_per_EM * kMediumFace.height, span);
  FT_Set_Char_Size(face, em * 64, em * 64, 72, 72);
  for (auto _ : state)
    for (int32_t i = 0; i < kLineLength; ++i) {
      FT_Load_Char(face, kLine[i], FT_LOAD_RENDER);
      benchmark::DoNotOptimize(face->glyph->bitmap.buffer);
    }
  state.SetItemsProcessed(state.iterations() * kLineLength);
  FT_Done_Face(face);
  FT_Done_FreeType(library);
}
BENCHMARK(BM_FreeTypeLoadRender);

// DirectFB's own text path: its FreeType font provider, glyphs cached in its
// own surfaces, blended with the text colour.
void BM_DirectFBDrawString(benchmark::State& state) {
  Engine& e = TheEngine();
  IDirectFB* dfb = GCM_GetDirectFB();
  DFBFontDescription description{};
  description.flags = DFDESC_HEIGHT;
  description.height = kMediumFace.height;
  IDirectFBFont* font = nullptr;
  if (!dfb || dfb->CreateFont(dfb, FontPath().c_str(), &description, &font) != DFB_OK) {
    state.SkipWithError("DirectFB has no font provider");
    return;
  }
  IDirectFBSurface* surface = e.bitmap->surface;
  surface->SetFont(surface, font);
  surface->SetColor(surface, 255, 255, 255, 255);
  surface->SetDrawingFlags(surface, DSDRAW_BLEND);
  const std::string text(kLine, kLine + kLineLength);
  for (auto _ : state) {
    surface->DrawString(surface, text.c_str(), -1, 10, 100, static_cast<DFBSurfaceTextFlags>(DSTF_LEFT));
    dfb->WaitIdle(dfb);
  }
  state.SetItemsProcessed(state.iterations() * kLineLength);
  surface->SetFont(surface, nullptr);
  font->Release(font);
}
BENCHMARK(BM_DirectFBDrawString);

// A menu page as views draw it: a title, twelve rows and a help line in three
// fonts, each label measured and then drawn (two glyph loads a character).
// The page is drawn 20 times under the system's budget of 20000 bytes; the
// counters give the share of glyph loads that the cache served.
void BM_MenuPageCacheHitRate(benchmark::State& state) {
  Engine& e = TheEngine();
  GenFont* large = GenLoadFont(&kLarge);
  GenFont* small = GenLoadFont(&kSmall);
  const std::vector<std::pair<GenFont*, std::u16string>> page = {
      {large, u"Picture Settings"},
      {e.font, u"Picture Mode: Standard"},
      {e.font, u"Backlight 87"},
      {e.font, u"Contrast 90"},
      {e.font, u"Brightness 50"},
      {e.font, u"Colour 55"},
      {e.font, u"Sharpness 10"},
      {e.font, u"Tint G50 R50"},
      {e.font, u"Colour Temperature: Warm 2"},
      {e.font, u"Noise Reduction: Auto"},
      {e.font, u"Aspect Ratio: 16:9"},
      {e.font, u"Dynamic Contrast: On"},
      {e.font, u"Reset Picture Settings"},
      {small, u"Press OK to select, BACK to return, EXIT to leave the menu."},
  };
  int64_t loads = 0;
  int64_t hits = 0;
  auto load = [&](GenFont* font, char16_t c) {
    bool cached = false;
    for (GenGlyph* g = GenCacheFirst; g && !cached; g = g->next) cached = g->code == c && g->font == font->key;
    GenGlyph* glyph = GenLoadGlyph(font, c);
    ++loads;
    hits += cached;
    if (glyph) GenFreeGlyph(glyph);
  };
  for (auto _ : state) {
    GenMaxCacheSize = 0;  // every round starts cold
    CleanCache();
    GenMaxCacheSize = 20000;
    for (int round = 0; round < 20; ++round)
      for (const auto& [font, text] : page)
        for (int pass = 0; pass < 2; ++pass)
          for (char16_t c : text) load(font, c);
  }
  state.counters["hit_rate"] = loads ? static_cast<double>(hits) / static_cast<double>(loads) : 0.0;
  state.counters["loads"] = static_cast<double>(loads);
  state.counters["cache_bytes"] = GenCacheSize;
  GenFreeFont(large);
  GenFreeFont(small);
}
BENCHMARK(BM_MenuPageCacheHitRate)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
