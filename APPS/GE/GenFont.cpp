#include "GenFont.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "vgdebug.h"

FS_STATE GenFontEngine = {nullptr, nullptr};
GenGlyph* GenCacheFirst = nullptr;
GenGlyph* GenCacheLast = nullptr;
int32_t GenCacheSize = 0;
int32_t GenMaxCacheSize = 0;

namespace {

// The longest run a call looks at.
constexpr int32_t kMaxRun = 65535;
// The layout's words are 16-bit: a longer text could not record its counts.
constexpr int32_t kMaxWrapped = 65532;

// The first character of the run, or null when the string ends before start.
const char16_t* RunStart(const char16_t* string, int32_t start) {
  for (int32_t i = 0; i < start; ++i)
    if (string[i] == 0) return nullptr;
  return string + start;
}

int32_t RunLimit(int32_t count) { return count <= 0 || count > kMaxRun ? kMaxRun : count; }

void LinkFirst(GenGlyph* glyph) {
  glyph->prev = nullptr;
  glyph->next = GenCacheFirst;
  if (GenCacheFirst) GenCacheFirst->prev = glyph;
  GenCacheFirst = glyph;
  if (!GenCacheLast) GenCacheLast = glyph;
}

void Unlink(GenGlyph* glyph) {
  if (glyph->prev) glyph->prev->next = glyph->next;
  else GenCacheFirst = glyph->next;
  if (glyph->next) glyph->next->prev = glyph->prev;
  else GenCacheLast = glyph->prev;
  glyph->next = glyph->prev = nullptr;
}

void EndClients(GenFont* font, int32_t count) {
  for (int32_t i = 0; i < count; ++i)
    if (font->clients[i]) FS_end_client(font->clients[i]);
  std::free(font->clients);
  std::free(font);
}

// A resource the loader can walk without reading past its tables.
bool IsSound(const GenFontResource* resource) {
  return resource->faces && resource->noOfFaces >= 1 && resource->mode && resource->noOfRanges >= 0 &&
         (resource->noOfRanges == 0 || resource->ranges);
}

// Opens one face on its client and folds its metrics into the font's.
void SetUpFace(GenFont* font, FS_STATE* client, const GenFontFace& face) {
  std::string name = face.name ? face.name : "";
  if (face.bold) name += " Bold";
  if (face.italic) name += " Italic";
  int32_t error = FS_set_font(client, name.c_str());
  FS_FONT_METRICS metrics{};
  if (error == FS_SUCCESS) error = FS_font_metrics(client, &metrics);
  if (error != FS_SUCCESS) {
    VgPrint("The font '%s' is not available. The iType(R) font engine has raised the error code '%d'. "
            "Ensure, that the font is installed and registered properly by the font engine.\n",
            name.c_str(), error);
    return;
  }
  if (FS_set_cmap(client, 3, 1) != FS_SUCCESS) FS_set_cmap(client, 1, 0);

  const int32_t span = metrics.ascender - metrics.descender;
  if (span <= 0) {
    // Every size below is a fraction of this span.
    GEN_ERROR(GenErrResourceCorrupted);
    return;
  }
  const int32_t vertical = IntegerDivision(metrics.unitsPerEm * face.height, span);
  // Nearest, an exact half rounding down, like IntegerDivision.
  const auto horizontal = static_cast<int32_t>(std::ceil(vertical * static_cast<double>(face.aspect) - 0.5));
  FS_set_scale(client, horizontal * 65536, 0, 0, vertical * 65536);

  const int32_t ascent = IntegerDivision(metrics.ascender * face.height, span);
  const int32_t descent = IntegerDivision(-metrics.descender * face.height, span);
  const int32_t leading = IntegerDivision(metrics.lineGap * face.height, span);
  if (ascent > font->ascent) font->ascent = static_cast<int16_t>(ascent);
  if (descent > font->descent) font->descent = static_cast<int16_t>(descent);
  if (leading > font->leading) font->leading = static_cast<int16_t>(leading);
}

// Range lookup: the character's code in its face and the face's index.
uint32_t MapCharacter(const GenFont* font, uint32_t* code) {
  int32_t low = 0;
  int32_t high = font->noOfRanges - 1;
  while (low <= high) {
    const int32_t middle = (low + high) / 2;
    const GenFontRange& range = font->ranges[middle];
    if (*code < range.first) high = middle - 1;
    else if (*code > range.last) low = middle + 1;
    else {
      *code = static_cast<uint32_t>(static_cast<int32_t>(*code) + range.delta);
      return range.face;
    }
  }
  return 0;
}

GenGlyph* Rasterise(GenFont* font, char16_t character) {
  uint32_t code = character;
  const uint32_t face = MapCharacter(font, &code);
  if (face >= static_cast<uint32_t>(font->noOfFaces)) {
    GEN_ERROR(GenErrResourceCorrupted);
    return nullptr;
  }
  FS_STATE* client = font->clients[face];
  const bool gray = font->mode == GenFontModeGray;
  FS_GLYPHMAP* map = gray ? FS_get_graymap(client, code) : FS_get_bitmap(client, code);
  if (!map) return nullptr;

  const int32_t width = map->width > 0 ? map->width : 0;
  const int32_t height = map->height > 0 ? map->height : 0;
  auto* glyph = static_cast<GenGlyph*>(std::malloc(sizeof(GenGlyph) + static_cast<size_t>(width) * height));
  if (!glyph) {
    FS_free_char(client, map);
    GEN_ERROR(GenErrOutOfMemory);
    return nullptr;
  }
  glyph->next = glyph->prev = nullptr;
  glyph->code = character;
  glyph->useCount = 0;
  glyph->font = font->key;
  glyph->originX = map->lo_x;
  glyph->originY = static_cast<int16_t>(-map->hi_y - 1);
  glyph->width = static_cast<uint16_t>(width);
  glyph->height = static_cast<uint16_t>(height);
  glyph->advanceX = map->i_dx;
  glyph->advanceY = static_cast<int16_t>(-map->i_dy);

  uint8_t* out = glyph->Pixels();
  if (gray) {
    const size_t pixels = static_cast<size_t>(width) * height;
    for (size_t k = 0; k < pixels; ++k) out[k] = k % 2 == 0 ? map->bits[k / 2] >> 4 : map->bits[k / 2] & 0x0F;
  } else {
    for (int32_t row = 0; row < height; ++row) {
      const uint8_t* line = map->bits + static_cast<ptrdiff_t>(row) * map->bpl;
      for (int32_t column = 0; column < width; ++column)
        *out++ = (line[column / 8] >> (7 - column % 8)) & 1;
    }
  }
  FS_free_char(client, map);
  return glyph;
}

// The drawing area: the bitmap cut by the clip, the clip's top-left corner
// raised to the origin.
GenRect DrawingArea(const GenBitmap* bitmap, const GenRect* clip) {
  GenRect area{0, 0, bitmap->width, bitmap->height};
  if (clip) {
    area.x1 = std::max(area.x1, clip->x1);
    area.y1 = std::max(area.y1, clip->y1);
    area.x2 = std::min(area.x2, clip->x2);
    area.y2 = std::min(area.y2, clip->y2);
  }
  return area;
}

void DrawRun(GenBitmap* bitmap, const GenRect* clip, int32_t x, int32_t y, int32_t width, bool justify,
             GenFont* font, const char16_t* string, int32_t start, int32_t count, GenColor colour,
             int32_t blend) {
  if (!bitmap || !font || !string) {
    GEN_ERROR(GenErrInvalidParameter);
    return;
  }
  if (bitmap->colorFormat != GenColorFormatArgb8888) GEN_ERROR(GenErrUnsupportedColorFormat);
  if (start < 0) {
    GEN_ERROR(GenErrInvalidParameter);
    return;
  }

  // Weights of the glyph levels for the colour's alpha.
  const uint32_t alpha = GenColorAlpha(colour);
  uint32_t table[16] = {};
  if (font->mode == GenFontModeGray) {
    for (uint32_t level = 0; level < 16; ++level) table[level] = level * (alpha / 15);
  } else if (font->mode == GenFontModeMono) {
    table[1] = alpha;
    if (alpha == 255) blend = 0;
  } else {
    GEN_ERROR(GenErrUnsupportedColorFormat);
    return;
  }

  const char16_t* run = RunStart(string, start);
  if (!run) return;
  const int32_t limit = RunLimit(count);

  int32_t spaces = 0;
  int32_t extra = 0;
  if (justify) {
    for (int32_t i = 0; i < limit && run[i]; ++i)
      if (run[i] == u' ') ++spaces;
    extra = std::max(width - GenGetTextWidth(font, run, 0, count), 0);
  }

  const GenRect area = DrawingArea(bitmap, clip);
  auto* pixels = static_cast<GenColor*>(GenLockMemory(bitmap->surface));
  if (!pixels) return;
  const int32_t stride = bitmap->width + bitmap->padding;
  const GenColor opaque = GenColorWithAlpha(colour, 255);

  int32_t penX = x;
  int32_t penY = y;
  for (int32_t i = 0; i < limit && run[i]; ++i) {
    GenGlyph* glyph = GenLoadGlyph(font, run[i]);
    if (!glyph) {
      if (justify) GEN_ERROR(GenErrOperationFailed);
      continue;
    }
    const int32_t left = penX + glyph->originX;
    const int32_t top = penY + glyph->originY;
    const int32_t x1 = std::max(left, area.x1);
    const int32_t y1 = std::max(top, area.y1);
    const int32_t x2 = std::min(left + glyph->width, area.x2);
    const int32_t y2 = std::min(top + glyph->height, area.y2);
    if (x1 < x2 && y1 < y2) GenNoteWritten(bitmap, {x1, y1, x2, y2});
    for (int32_t row = y1; row < y2; ++row) {
      const uint8_t* levels = glyph->Pixels() + static_cast<ptrdiff_t>(row - top) * glyph->width + (x1 - left);
      GenColor* out = pixels + static_cast<ptrdiff_t>(row) * stride + x1;
      for (int32_t column = x1; column < x2; ++column, ++levels, ++out) {
        const uint32_t level = *levels & 0x0F;
        const uint32_t weight = table[level];
        if (blend != 1) {
          if (level != 0) *out = GenColorWithAlpha(colour, weight);
        } else if (weight >= 255) {
          *out = opaque;
        } else if (weight != 0) {
          *out = GenBlend(*out, colour, weight);
        }
      }
    }
    penX += glyph->advanceX;
    penY += glyph->advanceY;
    const bool space = glyph->code == u' ';
    GenFreeGlyph(glyph);
    // The last space takes what the shares before it left over.
    if (space && extra > 0 && spaces > 0) {
      const int32_t share = extra / spaces;
      penX += share;
      extra -= share;
      --spaces;
    }
  }
  GenUnlockMemory(bitmap->surface);
}

}  // namespace

int32_t IntegerDivision(int32_t a, int32_t b) {
  if (b == 0) return 0;
  const int32_t quotient = a / b;
  return a % b > b / 2 ? quotient + 1 : quotient;
}

void UncacheGlyph(GenGlyph* glyph) {
  Unlink(glyph);
  GenCacheSize -= GenGlyphSize(glyph);
}

void CleanCache() {
  GenGlyph* glyph = GenCacheLast;
  while (GenCacheSize > GenMaxCacheSize && glyph) {
    GenGlyph* newer = glyph->prev;
    if (glyph->useCount == 0) {
      UncacheGlyph(glyph);
      std::free(glyph);
    }
    glyph = newer;
  }
}

int32_t GenInitGlyphCache(int32_t budget) {
  GenMaxCacheSize = std::max(budget, GenMinCacheSize);
  return FS_init(&GenFontEngine, 1048000);
}

void GenDoneGlyphCache() {
  FS_exit(&GenFontEngine);
  GenMaxCacheSize = 0;
  CleanCache();
}

namespace {

// Every way of registering the one font says its failure alike, naming the
// file as the user gave it.
int32_t Registered(int32_t error, const char* shown) {
  if (error != FS_SUCCESS)
    VgPrint("The registration of the font file '%s' is failed. The iType(R) font engine has raised the "
            "error code '%d'.\n",
            shown ? shown : "", error);
  return error;
}

}  // namespace

int32_t GenRegisterFont(const char* path, const char* family) {
  return Registered(FS_add_font(&GenFontEngine, family, path, nullptr, 0), path);
}

int32_t GenRegisterFontHandle(int file, const char* shown, const char* family) {
  return Registered(FS_add_font_handle(&GenFontEngine, family, file), shown);
}

int32_t GenRegisterFontMemory(const uint8_t* bytes, uint32_t size, const char* shown, const char* family) {
  return Registered(FS_add_font(&GenFontEngine, family, nullptr, bytes, size), shown);
}

GenFont* GenLoadFont(const GenFontResource* resource) {
  if (!resource) {
    GEN_ERROR(GenErrInvalidParameter);
    return nullptr;
  }
  if (!IsSound(resource)) {
    GEN_ERROR(GenErrResourceCorrupted);
    return nullptr;
  }
  if (!GenFontEngine.server) {
    GEN_ERROR(GenErrNotInitialized);
    return nullptr;
  }
  auto* font = static_cast<GenFont*>(std::calloc(1, sizeof(GenFont)));
  if (!font) {
    GEN_ERROR(GenErrOutOfMemory);
    return nullptr;
  }
  font->clients = static_cast<FS_STATE**>(std::calloc(static_cast<size_t>(resource->noOfFaces), sizeof(FS_STATE*)));
  if (!font->clients) {
    GEN_ERROR(GenErrOutOfMemory);
    std::free(font);
    return nullptr;
  }
  font->ranges = resource->ranges;
  font->noOfFaces = resource->noOfFaces;
  font->noOfRanges = resource->noOfRanges;
  font->mode = *resource->mode;
  font->key = resource;

  for (int32_t i = 0; i < resource->noOfFaces; ++i) {
    font->clients[i] = FS_new_client(&GenFontEngine);
    if (!font->clients[i]) {
      GEN_ERROR(GenErrOutOfMemory);
      EndClients(font, i);
      return nullptr;
    }
    SetUpFace(font, font->clients[i], resource->faces[i]);
  }
  return font;
}

void GenFreeFont(GenFont* font) {
  if (!font) {
    GEN_ERROR(GenErrInvalidParameter);
    return;
  }
  EndClients(font, font->noOfFaces);
}

GenGlyph* GenLoadGlyph(GenFont* font, char16_t character) {
  if (!font || character == 0) {
    GEN_ERROR(GenErrInvalidParameter);
    return nullptr;
  }
  CleanCache();
  GenGlyph* glyph = GenCacheFirst;
  while (glyph && (glyph->code != character || glyph->font != font->key)) glyph = glyph->next;
  if (glyph) {
    UncacheGlyph(glyph);
  } else {
    glyph = Rasterise(font, character);
    if (!glyph) return nullptr;
  }
  LinkFirst(glyph);
  GenCacheSize += GenGlyphSize(glyph);
  ++glyph->useCount;
  return glyph;
}

void GenFreeGlyph(GenGlyph* glyph) {
  if (!glyph || glyph->useCount < 1) {
    GEN_ERROR(GenErrInvalidParameter);
    return;
  }
  --glyph->useCount;
}

int32_t GenCountInkless(GenFont* font, const char16_t* string, int32_t* tried) {
  if (tried) *tried = 0;
  if (!font || !string) {
    GEN_ERROR(GenErrInvalidParameter);
    return 0;
  }
  int32_t inkless = 0;
  for (const char16_t* c = string; *c; ++c) {
    if (*c == u' ' || *c == u'\u00A0' || *c == u'\n' || *c == u'\t') continue;
    if (tried) ++*tried;
    GenGlyph* glyph = GenLoadGlyph(font, *c);
    const uint8_t* pixels = glyph ? glyph->Pixels() : nullptr;
    const size_t count = glyph ? static_cast<size_t>(glyph->width) * glyph->height : 0;
    inkless += std::none_of(pixels, pixels + count, [](uint8_t level) { return level != 0; });
    if (glyph) GenFreeGlyph(glyph);
  }
  return inkless;
}

int32_t GenGetTextWidth(GenFont* font, const char16_t* string, int32_t start, int32_t count) {
  if (!font || !string || start < 0) {
    GEN_ERROR(GenErrInvalidParameter);
    return 0;
  }
  const char16_t* run = RunStart(string, start);
  if (!run) return 0;
  const int32_t limit = RunLimit(count);
  int32_t width = 0;
  for (int32_t i = 0; i < limit && run[i]; ++i) {
    if (GenGlyph* glyph = GenLoadGlyph(font, run[i])) {
      width += glyph->advanceX;
      GenFreeGlyph(glyph);
    }
  }
  return width;
}

void GenGetTextSize(GenFont* font, const char16_t* string, int32_t start, int32_t count, GenRect* size) {
  if (!font || !string || !size || start < 0) {
    GEN_ERROR(GenErrInvalidParameter);
    return;
  }
  GenRect box{65535, 65535, -65535, -65535};
  const char16_t* run = RunStart(string, start);
  const int32_t limit = RunLimit(count);
  int32_t penX = 0;
  int32_t penY = 0;
  for (int32_t i = 0; run && i < limit && run[i]; ++i) {
    GenGlyph* glyph = GenLoadGlyph(font, run[i]);
    if (!glyph) {
      GEN_ERROR(GenErrOperationFailed);
      continue;
    }
    box.x1 = std::min(box.x1, penX + glyph->originX);
    box.y1 = std::min(box.y1, penY + glyph->originY);
    box.x2 = std::max(box.x2, penX + glyph->originX + glyph->width);
    box.y2 = std::max(box.y2, penY + glyph->originY + glyph->height);
    penX += glyph->advanceX;
    penY += glyph->advanceY;
    GenFreeGlyph(glyph);
  }
  *size = box;
}

void GenDrawText(GenBitmap* bitmap, const GenRect* clip, int32_t x, int32_t y, GenFont* font,
                 const char16_t* string, int32_t start, int32_t count, GenColor colour, int32_t blend) {
  DrawRun(bitmap, clip, x, y, 0, false, font, string, start, count, colour, blend);
}

void GenDrawTextJustify(GenBitmap* bitmap, const GenRect* clip, int32_t x, int32_t y, int32_t width,
                        GenFont* font, const char16_t* string, int32_t start, int32_t count,
                        GenColor colour, int32_t blend) {
  DrawRun(bitmap, clip, x, y, width, true, font, string, start, count, colour, blend);
}

uint16_t* GenCreateMultilineText(GenFont* font, const char16_t* string, int32_t start, int32_t width,
                                 int32_t height) {
  if (!font || !string || start < 0) {
    GEN_ERROR(GenErrInvalidParameter);
    return nullptr;
  }
  const char16_t* text = RunStart(string, start);
  int32_t length = 0;
  while (text && length < kMaxWrapped && text[length]) ++length;

  // Three words per line at most for each character consumed, plus the count
  // and the terminator.
  auto* layout = static_cast<uint16_t*>(std::malloc(6 * static_cast<size_t>(length) + 4));
  if (!layout) {
    GEN_ERROR(GenErrOutOfMemory);
    return nullptr;
  }
  int32_t lines = 0;
  int32_t out = 1;
  const int32_t lineHeight = font->ascent + font->descent + font->leading;

  int32_t begin = 0;
  while (height >= 1 && begin < length) {
    // Measure from the line's first character to where it has to end.
    int32_t sum = 0;
    int32_t lastSpace = -1;
    int32_t end = begin;  // one past the last character consumed
    bool stop = false;
    for (int32_t i = begin;; ++i) {
      if (i == length) {
        end = i;
        break;
      }
      const char16_t c = text[i];
      if (c == u'\n') {
        end = i + 1;
        break;
      }
      if (GenGlyph* glyph = GenLoadGlyph(font, c)) {
        sum += glyph->advanceX;
        GenFreeGlyph(glyph);
      }
      if (c == u' ') {
        lastSpace = i;
      } else if (sum > width) {
        if (i == begin) stop = true;
        else end = lastSpace >= 0 ? lastSpace + 1 : i;
        break;
      }
    }
    if (stop) break;

    int32_t kept = end - begin;
    const bool lineFeed = text[end - 1] == u'\n';
    while (kept > 0 && (text[begin + kept - 1] == u' ' || text[begin + kept - 1] == u'\n')) --kept;
    layout[out++] = static_cast<uint16_t>(2 + kept + (lineFeed ? 1 : 0));
    layout[out++] = static_cast<uint16_t>(end - begin);
    for (int32_t k = 0; k < kept; ++k) layout[out++] = text[begin + k];
    if (lineFeed) layout[out++] = u'\n';
    ++lines;
    begin = end;
    // Another line only when at least one of its rows would fit.
    if (height - lines * lineHeight < 1) break;
  }
  layout[0] = static_cast<uint16_t>(lines);
  layout[out] = 0;
  return layout;
}

void GenFreeMultilineText(uint16_t* layout) {
  if (!layout) {
    GEN_ERROR(GenErrInvalidParameter);
    return;
  }
  std::free(layout);
}
