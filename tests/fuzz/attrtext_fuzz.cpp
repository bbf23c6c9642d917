#include "attrtext_fuzz.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "GenAttrText.h"
#include "gcm.h"

namespace {

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz property broken: %s\n", what);
  std::abort();
}

constexpr int32_t kGray = GenFontModeGray;
constexpr GenFontFace kBigFace{"TiresiasScreenfont", 20, 0, 0, 1.0f};
constexpr GenFontFace kSmallFace{"TiresiasScreenfont", 13, 0, 0, 1.0f};
constexpr GenFontResource kBig{&kBigFace, nullptr, 1, 0, &kGray};
constexpr GenFontResource kSmall{&kSmallFace, nullptr, 1, 0, &kGray};

std::string FontPath() {
  if (const char* root = std::getenv("TVUI_SOURCE_DIR")) {
    const std::string installed = std::string(root) + "/fonts/tt7268m_803.ttf";
    if (std::filesystem::exists(installed)) return installed;
  }
  return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
}

// Two fonts, an empty font slot, two bitmaps (one of three frames) and three
// colours, made once per process; a canvas to draw into.
struct Fixture {
  GenAttrSet* set = nullptr;
  GenBitmap* canvas = nullptr;

  Fixture() {
    Require(GCM_Start(1) == 0, "DirectFB");
    if (!GenFontEngine.server) {
      Require(GenInitGlyphCache(65536) == 0, "glyph cache");
      Require(GenRegisterFont(FontPath().c_str()) == 0, "font file");
    }
    set = GenCreateAttrSet(3, 2, 3);
    GenSetAttrFont(set, 0, GenLoadFont(&kBig));
    GenSetAttrFont(set, 2, GenLoadFont(&kSmall));
    GenBitmap* strip = GenCreateBitmap(30, 12, GenColorFormatArgb8888);
    strip->frameWidth = 10;
    GenFillRectangle(strip, nullptr, 0xFF40C040, 0, 0, 30, 12, 0);
    GenSetAttrBitmap(set, 0, strip);
    GenSetAttrBitmap(set, 1, GenCreateBitmap(6, 40, GenColorFormatArgb8888));
    GenSetAttrColor(set, 0, 0xFFFFFFFF);
    GenSetAttrColor(set, 1, 0x80FF0000);
    GenSetAttrColor(set, 2, 0xFF102030);
    canvas = GenCreateBitmap(160, 120, GenColorFormatArgb8888);
    Require(set && canvas && GenGetAttrFont(set, 0) && GenGetAttrFont(set, 2), "fixture");
  }
};

Fixture& TheFixture() {
  static Fixture fixture;
  return fixture;
}

int16_t Word(const GenAttrWord* w, size_t i) { return static_cast<int16_t>(static_cast<uint16_t>(w[i])); }

// Every operation is whole and every group holds exactly its nested
// operations; returns the end of the range walked.
size_t CheckOps(const GenAttrString* s, size_t begin, size_t end, int depth) {
  Require(depth < 64, "nesting depth");
  const GenAttrWord* w = s->words;
  size_t i = begin;
  while (i < end) {
    size_t n = 0;
    switch (w[i]) {
      case u'G': {
        Require(i + 7 <= end, "group header");
        const size_t length = static_cast<uint16_t>(w[i + 5]);
        Require(length >= 7 && i + length <= end, "group length");
        Require(Word(w, i + 2) <= Word(w, i + 4), "group box");
        Require(CheckOps(s, i + 7, i + length, depth + 1) == i + length, "group content");
        n = length;
        break;
      }
      case u'T':
      case u'J': {
        Require(i + 4 <= end, "text header");
        n = static_cast<uint16_t>(w[i + 3]);
        Require(n >= (w[i] == u'T' ? 7u : 8u) && i + n <= end, "text length");
        for (size_t k = i + 6; k < i + n - (w[i] == u'J' ? 1 : 0); ++k) Require(w[k] != 0, "text character");
        break;
      }
      case u'L':
        Require(i + 3 <= end, "link header");
        n = static_cast<uint16_t>(w[i + 1]);
        Require(n >= 3 && i + n <= end && w[i + n - 1] == 0, "link name");
        break;
      case u'I': n = 5; break;
      case u'R':
      case u'A': n = 6; break;
      default: Require(false, "operation code");
    }
    Require(i + n <= end, "operation length");
    i += n;
  }
  return i;
}

}  // namespace

int FuzzAttrText(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  Fixture& f = TheFixture();
  // Mostly widths a screen has, sometimes anything.
  int32_t width = data[0] | data[1] << 8;
  if (!(data[1] & 0x80)) width %= 1000;
  if (data[1] & 0x40) width = -width;
  std::vector<char16_t> text((size - 2) / 2 + 1, 0);
  for (size_t i = 0; i + 1 < text.size(); ++i) text[i] = static_cast<char16_t>(data[2 + 2 * i] | data[3 + 2 * i] << 8);

  GenAttrString* s = GenParseAttrString(f.set, text.data(), width);
  Require(s != nullptr, "compiled");
  Require(s->noOfWords <= 65535, "stream size");
  Require(CheckOps(s, 0, s->noOfWords, 0) == s->noOfWords, "stream");
  GenSize size2{};
  GenGetAttrTextSize(s, &size2);
  Require(size2.width >= 0 && size2.height >= 0, "size");
  Require(size2.width <= std::max(width, 0) || s->noOfWords == 0, "size within the width");

  for (int32_t link = -1; link <= GenGetNoOfAttrLinks(s); ++link) {
    const bool exists = link >= 0 && link < GenGetNoOfAttrLinks(s);
    Require((GenGetAttrLinkName(s, link) != nullptr) == exists, "link name");
    const int32_t regions = GenGetNoOfAttrLinkRegions(s, link);
    for (int32_t region = -1; region <= regions; ++region) {
      GenRect r{1, 1, 1, 1};
      GenGetAttrLinkRect(s, link, region, &r);
      if (region < 0 || region == regions) {
        Require(r.x1 == 0 && r.y1 == 0 && r.x2 == 0 && r.y2 == 0, "region out of range");
      } else {
        Require(r.x1 < r.x2 && r.y1 <= r.y2, "region box");
      }
    }
  }

  // The same text compiles to the same stream.
  GenAttrString* again = GenParseAttrString(f.set, text.data(), width);
  Require(again && again->noOfWords == s->noOfWords &&
              std::memcmp(again->words, s->words, s->noOfWords * sizeof(GenAttrWord)) == 0,
          "deterministic");
  GenFreeAttrString(again);

  const GenRect clip{10, 5, 150, 110};
  GenDrawAttrText(f.canvas, &clip, -static_cast<int32_t>(data[0] % 40), 0, f.set, s, data[0] & 1, data[1]);
  GenFreeAttrString(s);
  return 0;
}
