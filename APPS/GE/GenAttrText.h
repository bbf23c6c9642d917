// Attributed text: a UTF-16 mark-up text compiled once, for a width and an
// attribute set (tables of fonts, bitmaps and colours), into a compact stream
// of layout operations with absolute positions. The compiled text is then
// measured, drawn any number of times and asked for the regions of its links.
//
// Mark-up, in short (n a decimal number, a missing one is 0; no spaces in tags):
// - Paragraph text: a line feed ends a line; a space and "^" are break
//   opportunities; "~" is a hyphenation point, shown as "-" only where the
//   line breaks; "%" takes the next character literally.
// - Inline tags: {fntn}, {clrn}, {ul+}, {ul-}, {img[t|m|b]n[.frame]},
//   {lnk:name} to start a link and {lnk} to end it (a link ends with its
//   paragraph at the latest).
// - {par[l|c|r|j][left,right,top,bottom][:colour]} starts a paragraph; left
//   and right may be percentages of the width.
// - {lay50%,*,120} starts a row of up to three columns (pixels, percentages
//   or "*" for an equal share of the rest); each column is
//   {col[t|m|b][margins][:colour]} and its content; {end} ends the row.
// - Any other tag ends the paragraph and is skipped.
#pragma once

#include <cstdint>

#include "GenBitmap.h"
#include "GenColor.h"
#include "GenFont.h"
#include "GraphicsEngine.h"

// The tables that the indexes of the mark-up refer to. One allocation: this
// header, then the three tables. Index 0 of the font and bitmap tables stands
// in for an index that is out of range or empty.
struct GenAttrSet {
  int32_t noOfFonts;
  int32_t noOfBitmaps;
  int32_t noOfColors;
  GenFont** fonts;
  GenBitmap** bitmaps;
  GenColor* colors;
};

// The words of the operation stream are char16_t because most of them are
// characters; coordinates are stored as 16-bit two's complement.
using GenAttrWord = char16_t;

// One link of a compiled text: its "L" operation, the number of its regions
// and the offset of the group that holds it.
struct GenAttrLink {
  const GenAttrWord* op;
  uint32_t noOfRegions;
  int32_t offsetX;
  int32_t offsetY;
};

// A compiled text. One allocation: this header, the operation words (padded
// to an even count) and the link table.
struct GenAttrString {
  uint32_t noOfWords;
  GenAttrWord* words;
  uint32_t noOfLinks;
  GenAttrLink* links;
};

struct GenSize {
  int32_t width;
  int32_t height;
};

// Operation codes. Every operation starts with its code; the fields follow as
// in the comments, coordinates relative to the enclosing group's origin.
enum GenAttrOp : char16_t {
  GenAttrOpGroup = u'G',      // x1, y1, x2, y2, words incl. nested, content x offset
  GenAttrOpText = u'T',       // x, baseline, words (6 + n), font, colour, n characters
  GenAttrOpJustify = u'J',    // as T with 7 + n words, then the target width
  GenAttrOpImage = u'I',      // x, y, bitmap, frame
  GenAttrOpRect = u'R',       // x1, y1, x2, y2, colour
  GenAttrOpRegion = u'A',     // x1, y1, x2, y2, baseline
  GenAttrOpLink = u'L',       // words (2 + n + 1), n characters of the name, 0
};

// Negative counts count as 0. Null when memory runs out.
GenAttrSet* GenCreateAttrSet(int32_t fonts, int32_t bitmaps, int32_t colors);
void GenFreeAttrSet(GenAttrSet* set);
// 0 for a null set.
int32_t GenGetNoOfAttrFonts(const GenAttrSet* set);
int32_t GenGetNoOfAttrBitmaps(const GenAttrSet* set);
int32_t GenGetNoOfAttrColors(const GenAttrSet* set);
// Null or 0 out of range.
GenFont* GenGetAttrFont(const GenAttrSet* set, int32_t index);
GenBitmap* GenGetAttrBitmap(const GenAttrSet* set, int32_t index);
GenColor GenGetAttrColor(const GenAttrSet* set, int32_t index);
// Ignored out of range.
void GenSetAttrFont(GenAttrSet* set, int32_t index, GenFont* font);
void GenSetAttrBitmap(GenAttrSet* set, int32_t index, GenBitmap* bitmap);
void GenSetAttrColor(GenAttrSet* set, int32_t index, GenColor color);

// Compiles the text for the width. A null text is the empty text, which gives
// no operations. Null for a null set or when memory runs out.
GenAttrString* GenParseAttrString(const GenAttrSet* set, const char16_t* text, int32_t width);
void GenFreeAttrString(GenAttrString* string);

// The width and height of the union of the top-level boxes; returns the width.
// (0, 0) for a null or empty string.
int32_t GenGetAttrTextSize(const GenAttrString* string, GenSize* size);

// Draws the text with its origin at (x, y). Opacity 0-255 scales the alpha of
// every colour and of the images.
void GenDrawAttrText(GenBitmap* bitmap, const GenRect* clip, int32_t x, int32_t y, const GenAttrSet* set,
                     const GenAttrString* string, int32_t blend, int32_t opacity);

int32_t GenGetNoOfAttrLinks(const GenAttrString* string);
// The 0-terminated name, or null.
const char16_t* GenGetAttrLinkName(const GenAttrString* string, int32_t link);
int32_t GenGetNoOfAttrLinkRegions(const GenAttrString* string, int32_t link);
// The region's box in the text's coordinates; all zero when out of range.
void GenGetAttrLinkRect(const GenAttrString* string, int32_t link, int32_t region, GenRect* rect);
// The region's baseline in the text's coordinates; 0 when out of range.
int32_t GenGetAttrLinkBaseline(const GenAttrString* string, int32_t link, int32_t region);
