// The text side of the engine: fonts opened through the font engine, glyphs
// rasterised on demand into one-byte-per-pixel coverage maps and kept in one
// process-wide cache under a byte budget, and UTF-16 text measured, wrapped and
// drawn into engine bitmaps.
//
// Start-up order: GenInitGlyphCache, GenRegisterFont, then any GenLoadFont;
// GenDoneGlyphCache at shutdown. GUI thread only.
#pragma once

#include <cstdint>

#include "GenBitmap.h"
#include "GenColor.h"
#include "GraphicsEngine.h"
#include "fs.h"

// Rendering modes of a font resource.
inline constexpr int32_t GenFontModeGray = 13;  // anti-aliased, 16 grey levels
inline constexpr int32_t GenFontModeMono = 15;  // one bit a pixel

struct GenFontFace {
  const char* name;
  int32_t height;  // pixels
  int32_t bold;    // non-zero: the face's bold
  int32_t italic;
  float aspect;    // horizontal scale relative to the vertical
};

// Characters first..last are drawn as character + delta from the face.
struct GenFontRange {
  uint16_t first;
  uint16_t last;
  int32_t delta;
  uint32_t face;
};

// What a font constant of the Fonts unit leads to. Ranges are sorted by first.
// Glyphs are cached under the record's address, so a record lives as long as
// the program (font constants do).
struct GenFontResource {
  const GenFontFace* faces;
  const GenFontRange* ranges;
  int32_t noOfFaces;
  int32_t noOfRanges;
  const int32_t* mode;
};

struct GenFont {
  int16_t ascent;   // pixels above the baseline
  int16_t descent;  // pixels below it, positive
  int16_t reserved;
  int16_t leading;  // line gap
  FS_STATE** clients;  // one per face
  const GenFontRange* ranges;
  int32_t noOfFaces;
  int32_t noOfRanges;
  int32_t mode;
  // The key of this font's glyphs in the cache: its resource record. Fonts
  // without ranges all have a null range table, so the table cannot tell them
  // apart; the record can, and it survives the font being freed and loaded again.
  const void* key;
};

// A cached glyph: this header, then width x height pixel bytes in the same
// allocation (0-15 in the grey mode, 0 or 1 otherwise).
struct GenGlyph {
  GenGlyph* next;  // towards older glyphs
  GenGlyph* prev;  // towards newer glyphs
  uint16_t code;   // as requested, before range mapping
  uint32_t useCount;
  const void* font;
  int16_t originX;  // left edge relative to the pen
  int16_t originY;  // top row relative to the baseline, negative above it
  uint16_t width;
  uint16_t height;
  int16_t advanceX;
  int16_t advanceY;

  uint8_t* Pixels() { return reinterpret_cast<uint8_t*>(this + 1); }
  const uint8_t* Pixels() const { return reinterpret_cast<const uint8_t*>(this + 1); }
};

// The bytes a glyph counts against the budget.
inline constexpr int32_t GenGlyphSize(const GenGlyph* glyph) {
  return static_cast<int32_t>(glyph->width) * glyph->height + 32;
}

// The smallest budget the cache runs with.
inline constexpr int32_t GenMinCacheSize = 4096;

extern FS_STATE GenFontEngine;
extern GenGlyph* GenCacheFirst;  // most recently used
extern GenGlyph* GenCacheLast;   // least recently used
extern int32_t GenCacheSize;     // bytes accounted
extern int32_t GenMaxCacheSize;  // the budget

int32_t GenInitGlyphCache(int32_t budget);
void GenDoneGlyphCache();
// Returns the font engine's result; the failure is also printed. The font
// is registered under FAMILY when one is given, else under its own family.
int32_t GenRegisterFont(const char* path, const char* family = nullptr);
// The same for the font file open on the handle, which the caller keeps
// (shown names it in the failure): every registration reads the file that
// was opened, whatever its name leads to by then.
int32_t GenRegisterFontHandle(int file, const char* shown, const char* family = nullptr);
// The same for a font file's bytes, which the caller keeps for as long as
// the engine runs (shown names the file in the failure).
int32_t GenRegisterFontMemory(const uint8_t* bytes, uint32_t size, const char* shown,
                              const char* family = nullptr);

GenFont* GenLoadFont(const GenFontResource* resource);
void GenFreeFont(GenFont* font);

// Each glyph returned is held until the matching GenFreeGlyph.
GenGlyph* GenLoadGlyph(GenFont* font, char16_t character);
void GenFreeGlyph(GenGlyph* glyph);

// The characters of the string, up to its 0, that the font draws no ink
// for (none, or a blank glyph), spaces and line ends left aside; TRIED (may
// be null) receives how many were tried. A font that registers may still
// draw nothing of a text (no glyphs, or no face named as the screens ask).
int32_t GenCountInkless(GenFont* font, const char16_t* string, int32_t* tried = nullptr);

// Runs are the characters from start on, at most count of them (0: at most
// 65535), ending early at the string's terminating 0.
int32_t GenGetTextWidth(GenFont* font, const char16_t* string, int32_t start, int32_t count);
// The ink box of the run with the pen starting at (0, 0) on the baseline.
void GenGetTextSize(GenFont* font, const char16_t* string, int32_t start, int32_t count, GenRect* size);
void GenDrawText(GenBitmap* bitmap, const GenRect* clip, int32_t x, int32_t y, GenFont* font,
                 const char16_t* string, int32_t start, int32_t count, GenColor colour, int32_t blend);
// The same, spreading what the run lacks of width over its spaces.
void GenDrawTextJustify(GenBitmap* bitmap, const GenRect* clip, int32_t x, int32_t y, int32_t width,
                        GenFont* font, const char16_t* string, int32_t start, int32_t count,
                        GenColor colour, int32_t blend);

// The text from start wrapped to the width, as many lines as the height takes:
// the number of lines, then per line {entry length in words, characters
// consumed, the kept characters, a line feed when the line ended at one}, then
// a 0. Every word before the 0 is non-zero.
uint16_t* GenCreateMultilineText(GenFont* font, const char16_t* string, int32_t start, int32_t width,
                                 int32_t height);
void GenFreeMultilineText(uint16_t* layout);

// a / b to the nearest integer, an exact half rounding down.
int32_t IntegerDivision(int32_t a, int32_t b);
void UncacheGlyph(GenGlyph* glyph);
void CleanCache();
