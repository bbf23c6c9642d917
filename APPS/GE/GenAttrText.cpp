#include "GenAttrText.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "vgobject.h"

namespace {

// Group lengths are 16-bit words, and the top group holds everything: a
// stream longer than this could not describe itself.
constexpr size_t kMaxWords = 65535;
constexpr size_t kBufferStep = 1024;
constexpr int32_t kMinCoordinate = -32768;
constexpr int32_t kMaxCoordinate = 32767;
constexpr int32_t kMaxIndex = 0xFFFF;
// Numbers of the mark-up saturate here; nothing meaningful is larger.
constexpr int32_t kMaxNumber = 1000000;
// Rows nest inside columns; deeper rows are read as unknown tags so that a
// hostile text cannot recurse without bound.
constexpr int32_t kMaxRowDepth = 8;
constexpr int32_t kMaxColumns = 3;
// A run is split before its "T" operation would need more length than a word
// holds; a link name is cut for the same reason.
constexpr size_t kMaxRunCharacters = 4096;
constexpr size_t kMaxLinkName = 1024;
constexpr int32_t kMaxOrigin = 1 << 24;

constexpr size_t kGroupWords = 7;
constexpr size_t kTextWords = 6;
constexpr size_t kJustifyWords = 7;
constexpr size_t kImageWords = 5;
constexpr size_t kRectWords = 6;
constexpr size_t kRegionWords = 6;
constexpr size_t kLinkWords = 3;

GenAttrWord Coordinate(int64_t value) {
  const auto clamped = static_cast<int32_t>(std::clamp<int64_t>(value, kMinCoordinate, kMaxCoordinate));
  return static_cast<GenAttrWord>(static_cast<uint16_t>(static_cast<int16_t>(clamped)));
}

GenAttrWord IndexWord(int64_t value) {
  return static_cast<GenAttrWord>(std::clamp<int64_t>(value, 0, kMaxIndex));
}

int32_t Signed(GenAttrWord word) { return static_cast<int16_t>(static_cast<uint16_t>(word)); }
int32_t Unsigned(GenAttrWord word) { return static_cast<uint16_t>(word); }

// A percentage p of a width w, rounded up when the remainder is 51 or more.
int32_t Percentage(int32_t width, int32_t percent) {
  const int64_t product = static_cast<int64_t>(width) * percent;
  int64_t result = product / 100;
  if (product % 100 >= 51) ++result;
  return static_cast<int32_t>(std::min<int64_t>(result, kMaxNumber));
}

GenColor BlendColor(GenColor colour, int32_t opacity) {
  return GenColorWithAlpha(colour, GenColorAlpha(colour) * static_cast<uint32_t>(opacity) / 255);
}

GenFont* FontOrFallback(const GenAttrSet* set, int32_t index) {
  if (!set || set->noOfFonts < 1) return nullptr;
  if (index >= 0 && index < set->noOfFonts && set->fonts[index]) return set->fonts[index];
  return set->fonts[0];
}

GenBitmap* BitmapOrFallback(const GenAttrSet* set, int32_t index) {
  if (!set || set->noOfBitmaps < 1) return nullptr;
  if (index >= 0 && index < set->noOfBitmaps && set->bitmaps[index]) return set->bitmaps[index];
  return set->bitmaps[0];
}

int32_t FrameWidth(const GenBitmap* bitmap) {
  if (!bitmap) return 0;
  return bitmap->frameWidth > 0 ? bitmap->frameWidth : bitmap->width;
}

int32_t FrameHeight(const GenBitmap* bitmap) {
  if (!bitmap) return 0;
  return bitmap->frameHeight > 0 ? bitmap->frameHeight : bitmap->height;
}

// Words an operation takes in a flat walk (a group counts its header only);
// 0 for a word that starts no operation or a length that cannot be.
size_t OpWords(const GenAttrWord* op, size_t available) {
  if (available == 0) return 0;
  size_t words = 0;
  switch (op[0]) {
    case GenAttrOpGroup: words = kGroupWords; break;
    case GenAttrOpImage: words = kImageWords; break;
    case GenAttrOpRect: words = kRectWords; break;
    case GenAttrOpRegion: words = kRegionWords; break;
    case GenAttrOpText:
    case GenAttrOpJustify:
      if (available < kTextWords) return 0;
      words = static_cast<size_t>(Unsigned(op[3]));
      if (words < (op[0] == GenAttrOpText ? kTextWords : kJustifyWords)) return 0;
      break;
    case GenAttrOpLink:
      if (available < 2) return 0;
      words = static_cast<size_t>(Unsigned(op[1]));
      if (words < kLinkWords) return 0;
      break;
    default: return 0;
  }
  return words <= available ? words : 0;
}

// ------------------------------------------------------------------ output

// The growing operation buffer. Running out of memory fails the whole
// compilation; reaching kMaxWords keeps what was written and drops the rest.
class OpBuffer {
 public:
  OpBuffer() = default;
  OpBuffer(const OpBuffer&) = delete;
  OpBuffer& operator=(const OpBuffer&) = delete;
  ~OpBuffer() { VgFree(words_); }

  // Room for n more words; once an append has not fit, nothing more does,
  // so that no operation lands outside the group that should hold it.
  GenAttrWord* Append(size_t n) {
    if (full_ || outOfMemory_) return nullptr;
    if (size_ + n > kMaxWords) {
      full_ = true;
      return nullptr;
    }
    if (!RequireBuffer(size_ + n)) return nullptr;
    GenAttrWord* out = words_ + size_;
    size_ += n;
    return out;
  }
  // The index an operation of n words would get, or npos when it did not fit.
  size_t AppendAt(size_t n, GenAttrWord** out) {
    const size_t at = size_;
    *out = Append(n);
    return *out ? at : npos;
  }

  GenAttrWord& At(size_t index) { return words_[index]; }
  const GenAttrWord* Words() const { return words_; }
  size_t Size() const { return size_; }
  void Truncate(size_t size) { size_ = std::min(size_, size); }
  bool Full() const { return full_; }
  bool OutOfMemory() const { return outOfMemory_; }
  bool Stopped() const { return full_ || outOfMemory_; }

  static constexpr size_t npos = static_cast<size_t>(-1);

 private:
  // Grows the buffer to the needed size rounded up to whole steps.
  bool RequireBuffer(size_t needed) {
    if (needed <= capacity_) return true;
    const size_t capacity = (needed + kBufferStep - 1) / kBufferStep * kBufferStep;
    auto* grown = static_cast<GenAttrWord*>(VgAlloc(capacity * sizeof(GenAttrWord)));
    if (!grown) {
      outOfMemory_ = true;
      return false;
    }
    if (size_) std::memcpy(grown, words_, size_ * sizeof(GenAttrWord));
    VgFree(words_);
    words_ = grown;
    capacity_ = capacity;
    return true;
  }

  GenAttrWord* words_ = nullptr;
  size_t size_ = 0;
  size_t capacity_ = 0;
  bool full_ = false;
  bool outOfMemory_ = false;
};

// ------------------------------------------------------------------- input

enum class TagKind { Font, Colour, UnderlineOn, UnderlineOff, Image, Link, Paragraph, Row, Column, EndRow, Unknown };

// A brace tag: its kind, its parameters (after the three-letter name, before
// the closing brace) and the position after it.
struct Tag {
  TagKind kind = TagKind::Unknown;
  size_t params = 0;
  size_t paramsEnd = 0;
  size_t next = 0;
};

enum class ItemKind {
  End,        // the text ends (or an unclosed tag runs to its end)
  Char,       // a visible character, literal or not
  Space,      // a break opportunity with the width of a space
  Caret,      // an invisible break opportunity
  Tilde,      // a hyphenation point
  LineFeed,
  Font,
  Colour,
  UnderlineOn,
  UnderlineOff,
  Image,
  LinkStart,
  LinkEnd,
  Skip,       // a tag with no effect
  Block,      // a tag that ends the paragraph; not consumed
};

struct Item {
  ItemKind kind = ItemKind::End;
  char16_t ch = 0;
  int32_t value = 0;  // font, colour or bitmap index
  int32_t frame = 0;
  char16_t align = u'm';
  size_t name = 0;  // link name: position and length
  size_t nameLength = 0;
  size_t next = 0;
};

// Reads the parameters of a tag.
class Params {
 public:
  Params(const char16_t* text, size_t begin, size_t end) : text_(text), at_(begin), end_(end) {}

  bool Take(char16_t c) {
    if (at_ < end_ && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  // One of the letters, or 0.
  char16_t TakeOneOf(const char16_t* letters) {
    if (at_ >= end_) return 0;
    for (const char16_t* l = letters; *l; ++l) {
      if (text_[at_] == *l) {
        ++at_;
        return *l;
      }
    }
    return 0;
  }
  // A decimal number, saturating; a missing number is 0.
  int32_t Number() {
    int32_t value = 0;
    while (at_ < end_ && text_[at_] >= u'0' && text_[at_] <= u'9') {
      value = std::min(value * 10 + (text_[at_] - u'0'), kMaxNumber);
      ++at_;
    }
    return value;
  }
  size_t Position() const { return at_; }
  size_t End() const { return end_; }

 private:
  const char16_t* text_;
  size_t at_;
  size_t end_;
};

struct Margins {
  int32_t left = 0;
  int32_t right = 0;
  int32_t top = 0;
  int32_t bottom = 0;
};

// Up to four numbers: left and right (pixels or a percentage of the width,
// then cut to the width), top and bottom (pixels).
Margins ReadMargins(Params& p, int32_t width) {
  int32_t values[4] = {};
  bool percent[4] = {};
  for (int i = 0; i < 4; ++i) {
    values[i] = p.Number();
    percent[i] = p.Take(u'%');
    if (!p.Take(u',')) break;
  }
  Margins m;
  m.left = percent[0] ? Percentage(width, values[0]) : values[0];
  m.right = percent[1] ? Percentage(width, values[1]) : values[1];
  m.left = std::min(m.left, width);
  m.right = std::min(m.right, width - m.left);
  m.top = std::min(values[2], kMaxCoordinate);
  m.bottom = std::min(values[3], kMaxCoordinate);
  return m;
}

// ------------------------------------------------------------------ layout

struct Style {
  int32_t font = 0;
  int32_t colour = 0;
  bool underline = false;
};

struct Metrics {
  int32_t ascent = 0;
  int32_t descent = 0;
  int32_t leading = 0;
  int32_t image = 0;

  void Add(const GenFont* font) {
    if (!font) return;
    ascent = std::max<int32_t>(ascent, font->ascent);
    descent = std::max<int32_t>(descent, font->descent);
    leading = std::max<int32_t>(leading, font->leading);
  }
};

enum class Stop { Text, Feed, Tag, Width };

// One measured line: where its items stop, why, its width and metrics.
struct Line {
  size_t end = 0;
  Stop stop = Stop::Text;
  bool hyphen = false;
  bool content = false;
  int32_t width = 0;
  Metrics metrics;
};

enum class Align { Left, Centre, Right, Justify };

Align AlignOf(char16_t letter) {
  switch (letter) {
    case u'c': return Align::Centre;
    case u'r': return Align::Right;
    case u'j': return Align::Justify;
    default: return Align::Left;
  }
}

// A piece of a line ready to emit.
struct Piece {
  enum class Kind { Run, Image, LinkStart, LinkEnd } kind;
  Style style;
  std::u16string chars;
  int32_t width = 0;
  int32_t spaceWidth = 0;
  int32_t bitmap = 0;
  int32_t frame = 0;
  int32_t height = 0;
  char16_t align = u'm';
  size_t name = 0;
  size_t nameLength = 0;
};

class Compiler {
 public:
  Compiler(const GenAttrSet* set, const char16_t* text, size_t length)
      : set_(set), text_(text), length_(length) {}

  OpBuffer& Output() { return out_; }

  void Compile(int32_t width) {
    if (length_ == 0) return;
    const size_t group = OpenGroup(0, 0, width, 0);
    const int32_t height = Blocks(width, false, 0);
    CloseGroup(group, height);
  }

 private:
  // ------------------------------------------------------------ reading

  char16_t At(size_t pos) const { return pos < length_ ? text_[pos] : 0; }

  Tag ReadTag(size_t pos) const {
    Tag tag;
    size_t close = pos + 1;
    while (close < length_ && text_[close] != u'}') ++close;
    if (close >= length_) {
      tag.next = length_;
      tag.kind = TagKind::Unknown;
      tag.params = tag.paramsEnd = length_;
      return tag;
    }
    tag.next = close + 1;
    tag.paramsEnd = close;
    if (close - (pos + 1) < 3) {
      tag.params = close;
      return tag;
    }
    tag.params = pos + 4;
    const char16_t* name = text_ + pos + 1;
    struct Name {
      const char16_t* text;
      TagKind kind;
    };
    static constexpr Name kNames[] = {
        {u"fnt", TagKind::Font},       {u"clr", TagKind::Colour},     {u"ul+", TagKind::UnderlineOn},
        {u"ul-", TagKind::UnderlineOff}, {u"img", TagKind::Image},      {u"lnk", TagKind::Link},
        {u"par", TagKind::Paragraph},  {u"lay", TagKind::Row},        {u"col", TagKind::Column},
        {u"end", TagKind::EndRow},
    };
    for (const Name& n : kNames) {
      if (name[0] == n.text[0] && name[1] == n.text[1] && name[2] == n.text[2]) {
        tag.kind = n.kind;
        break;
      }
    }
    return tag;
  }

  // Whether the tag at pos was closed before the text ended.
  bool Closed(const Tag& tag) const { return tag.paramsEnd < length_; }

  Item ReadItem(size_t pos) const {
    Item item;
    item.next = pos + 1;
    const char16_t c = At(pos);
    switch (c) {
      case 0:
        item.kind = ItemKind::End;
        item.next = pos;
        return item;
      case u'\n': item.kind = ItemKind::LineFeed; return item;
      case u' ':
        item.kind = ItemKind::Space;
        item.ch = c;
        return item;
      case u'^': item.kind = ItemKind::Caret; return item;
      case u'~': item.kind = ItemKind::Tilde; return item;
      case u'%':
        if (At(pos + 1) == 0) {
          item.kind = ItemKind::Skip;
          return item;
        }
        item.kind = ItemKind::Char;
        item.ch = At(pos + 1);
        item.next = pos + 2;
        return item;
      case u'{': break;
      default:
        item.kind = ItemKind::Char;
        item.ch = c;
        return item;
    }

    const Tag tag = ReadTag(pos);
    if (!Closed(tag)) {
      item.kind = ItemKind::End;
      item.next = pos;
      return item;
    }
    item.next = tag.next;
    Params p(text_, tag.params, tag.paramsEnd);
    switch (tag.kind) {
      case TagKind::Font:
        item.kind = ItemKind::Font;
        item.value = p.Number();
        break;
      case TagKind::Colour:
        item.kind = ItemKind::Colour;
        item.value = p.Number();
        break;
      case TagKind::UnderlineOn: item.kind = ItemKind::UnderlineOn; break;
      case TagKind::UnderlineOff: item.kind = ItemKind::UnderlineOff; break;
      case TagKind::Image:
        item.kind = ItemKind::Image;
        if (char16_t a = p.TakeOneOf(u"tmb")) item.align = a;
        item.value = p.Number();
        if (p.Take(u'.')) item.frame = p.Number();
        break;
      case TagKind::Link:
        if (tag.params == tag.paramsEnd) {
          item.kind = ItemKind::LinkEnd;
        } else if (text_[tag.params] == u':') {
          item.kind = ItemKind::LinkStart;
          item.name = tag.params + 1;
          item.nameLength = std::min(tag.paramsEnd - item.name, kMaxLinkName);
        } else {
          item.kind = ItemKind::Skip;
        }
        break;
      default:
        item.kind = ItemKind::Block;
        item.next = pos;
        break;
    }
    return item;
  }

  GenFont* Font(int32_t index) const { return FontOrFallback(set_, index); }

  int32_t Advance(int32_t font, char16_t c) const {
    GenFont* f = Font(font);
    if (!f) return 0;
    GenGlyph* glyph = GenLoadGlyph(f, c);
    if (!glyph) return 0;
    const int32_t advance = glyph->advanceX;
    GenFreeGlyph(glyph);
    return advance;
  }

  // The height of the "-" glyph, which sets the underline's offset and height.
  int32_t UnderlineHeight(int32_t font) const {
    GenFont* f = Font(font);
    GenGlyph* glyph = f ? GenLoadGlyph(f, u'-') : nullptr;
    if (!glyph) return 1;
    const int32_t height = glyph->height;
    GenFreeGlyph(glyph);
    return height > 0 ? height : 1;
  }

  // ------------------------------------------------------------ output

  size_t OpenGroup(int32_t x1, int32_t y1, int32_t x2, int32_t xOffset) {
    GenAttrWord* w;
    const size_t at = out_.AppendAt(kGroupWords, &w);
    if (at == OpBuffer::npos) return at;
    w[0] = GenAttrOpGroup;
    w[1] = Coordinate(x1);
    w[2] = Coordinate(y1);
    w[3] = Coordinate(x2);
    w[4] = Coordinate(y1);
    w[5] = static_cast<GenAttrWord>(kGroupWords);
    w[6] = Coordinate(xOffset);
    return at;
  }

  void CloseGroup(size_t group, int32_t height) {
    if (group == OpBuffer::npos) return;
    out_.At(group + 4) = Coordinate(static_cast<int64_t>(Signed(out_.At(group + 2))) + height);
    out_.At(group + 5) = static_cast<GenAttrWord>(out_.Size() - group);
  }

  // Moves a group down by dy.
  void MoveGroup(size_t group, int32_t dy) {
    if (group == OpBuffer::npos || dy == 0) return;
    out_.At(group + 2) = Coordinate(static_cast<int64_t>(Signed(out_.At(group + 2))) + dy);
    out_.At(group + 4) = Coordinate(static_cast<int64_t>(Signed(out_.At(group + 4))) + dy);
  }

  size_t Rect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t colour) {
    GenAttrWord* w;
    const size_t at = out_.AppendAt(kRectWords, &w);
    if (at == OpBuffer::npos) return at;
    w[0] = GenAttrOpRect;
    w[1] = Coordinate(x1);
    w[2] = Coordinate(y1);
    w[3] = Coordinate(x2);
    w[4] = Coordinate(y2);
    w[5] = IndexWord(colour);
    return at;
  }

  void SetRectBottom(size_t rect, int64_t y2) {
    if (rect != OpBuffer::npos) out_.At(rect + 4) = Coordinate(y2);
  }

  void Region(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t baseline) {
    if (x2 <= x1) return;  // nothing of the link on this line
    if (GenAttrWord* w = out_.Append(kRegionWords)) {
      w[0] = GenAttrOpRegion;
      w[1] = Coordinate(x1);
      w[2] = Coordinate(y1);
      w[3] = Coordinate(x2);
      w[4] = Coordinate(y2);
      w[5] = Coordinate(baseline);
    }
  }

  void LinkStart(size_t name, size_t length) {
    if (GenAttrWord* w = out_.Append(kLinkWords + length)) {
      w[0] = GenAttrOpLink;
      w[1] = static_cast<GenAttrWord>(kLinkWords + length);
      for (size_t i = 0; i < length; ++i) w[2 + i] = text_[name + i];
      w[2 + length] = 0;
    }
  }

  // ------------------------------------------------------------ blocks

  // The content of the whole text or of a column: a first paragraph laid out
  // in place, then paragraphs and rows below it. In a column, "{col" and
  // "{end" are left for the row. Returns the height.
  int32_t Blocks(int32_t width, bool inColumn, int32_t depth) {
    int32_t height = Paragraph(width, Align::Left, 0);
    while (!out_.Stopped()) {
      const Item item = ReadItem(pos_);
      if (item.kind == ItemKind::End) break;
      if (item.kind != ItemKind::Block) {
        // Text after a row or after a tag nobody understands.
        height = Grow(height, Paragraph(width, Align::Left, height));
        continue;
      }
      const Tag tag = ReadTag(pos_);
      if (inColumn && (tag.kind == TagKind::Column || tag.kind == TagKind::EndRow)) break;
      pos_ = tag.next;
      if (tag.kind == TagKind::Paragraph) {
        height = Grow(height, ParagraphGroup(tag, width, height));
      } else if (tag.kind == TagKind::Row && depth < kMaxRowDepth) {
        height = Grow(height, Row(tag, width, height, depth + 1));
      }
      // Any other tag is skipped; the text after it is a new paragraph.
    }
    return height;
  }

  static int32_t Grow(int32_t height, int64_t by) {
    return static_cast<int32_t>(std::clamp<int64_t>(height + by, 0, kMaxNumber));
  }

  // "{par...}" and its text, as a group below the height so far. Returns the
  // height it adds, margins included.
  int32_t ParagraphGroup(const Tag& tag, int32_t width, int32_t top) {
    Params p(text_, tag.params, tag.paramsEnd);
    const Align align = AlignOf(p.TakeOneOf(u"lcrj"));
    const Margins m = ReadMargins(p, width);
    size_t background = OpBuffer::npos;
    if (p.Take(u':')) background = Rect(0, top, width, top, p.Number());
    const int32_t y1 = Grow(top, m.top);
    const size_t group = OpenGroup(0, y1, width - m.right, m.left);
    const int32_t height = Paragraph(width - m.left - m.right, align, 0);
    CloseGroup(group, height);
    const int32_t total = Grow(Grow(m.top, height), m.bottom);
    SetRectBottom(background, static_cast<int64_t>(top) + total);
    return total;
  }

  // "{lay...}" and its columns up to "{end}", as a group below the height so
  // far. Returns the row's height.
  int32_t Row(const Tag& tag, int32_t width, int32_t top, int32_t depth) {
    int32_t widths[kMaxColumns] = {};
    const int32_t count = ColumnWidths(tag, width, widths);

    const size_t row = OpenGroup(0, top, width, 0);
    struct Column {
      size_t group = OpBuffer::npos;
      size_t background = OpBuffer::npos;
      int32_t height = 0;
      char16_t align = u't';
    } columns[kMaxColumns];

    int32_t x = 0;
    int32_t rowHeight = 0;
    for (int32_t i = 0; i < count && !out_.Stopped(); ++i) {
      const Item item = ReadItem(pos_);
      if (item.kind != ItemKind::Block) break;
      const Tag col = ReadTag(pos_);
      if (col.kind != TagKind::Column) break;
      pos_ = col.next;
      Params p(text_, col.params, col.paramsEnd);
      Column& c = columns[i];
      if (char16_t a = p.TakeOneOf(u"tmb")) c.align = a;
      const Margins m = ReadMargins(p, widths[i]);
      if (p.Take(u':')) c.background = Rect(x, 0, x + widths[i], 0, p.Number());
      c.group = OpenGroup(x, m.top, x + widths[i] - m.right, m.left);
      const int32_t content = Blocks(widths[i] - m.left - m.right, true, depth);
      CloseGroup(c.group, content);
      c.height = Grow(Grow(m.top, content), m.bottom);
      rowHeight = std::max(rowHeight, c.height);
      x += widths[i];
    }
    SkipSurplusColumns(depth);
    if (ReadItem(pos_).kind == ItemKind::Block && ReadTag(pos_).kind == TagKind::EndRow) pos_ = ReadTag(pos_).next;

    for (const Column& c : columns) {
      const int32_t free = rowHeight - c.height;
      MoveGroup(c.group, c.align == u'm' ? free / 2 : c.align == u'b' ? free : 0);
      SetRectBottom(c.background, rowHeight);
    }
    CloseGroup(row, rowHeight);
    return rowHeight;
  }

  // Columns past the number of widths are read over and dropped, with
  // whatever they changed.
  void SkipSurplusColumns(int32_t depth) {
    while (!out_.Stopped() && ReadItem(pos_).kind == ItemKind::Block) {
      const Tag col = ReadTag(pos_);
      if (col.kind != TagKind::Column) break;
      pos_ = col.next;
      const size_t mark = out_.Size();
      const Style style = style_;
      const bool link = linkOpen_;
      Blocks(0, true, depth);
      out_.Truncate(mark);
      style_ = style;
      linkOpen_ = link;
    }
  }

  // Up to three widths: pixels, percentages or "*"; none is one column of the
  // full width. The widths are cut in order to the full width.
  int32_t ColumnWidths(const Tag& tag, int32_t width, int32_t* widths) const {
    if (tag.params == tag.paramsEnd) {
      widths[0] = width;
      return 1;
    }
    Params p(text_, tag.params, tag.paramsEnd);
    bool star[kMaxColumns] = {};
    int32_t count = 0;
    int64_t fixed = 0;
    int32_t stars = 0;
    while (count < kMaxColumns) {
      if (p.Take(u'*')) {
        star[count] = true;
        ++stars;
      } else {
        const int32_t n = p.Number();
        widths[count] = p.Take(u'%') ? Percentage(width, n) : n;
        fixed += widths[count];
      }
      ++count;
      if (!p.Take(u',')) break;
    }
    if (stars > 0) {
      const int64_t rest = std::max<int64_t>(width - fixed, 0);
      const auto share = static_cast<int32_t>(rest / stars);
      int32_t seen = 0;
      for (int32_t i = 0; i < count; ++i) {
        if (!star[i]) continue;
        ++seen;
        widths[i] = seen == stars ? static_cast<int32_t>(rest - static_cast<int64_t>(share) * (stars - 1)) : share;
      }
    }
    int32_t used = 0;
    for (int32_t i = 0; i < count; ++i) {
      widths[i] = std::clamp(widths[i], 0, width - used);
      used += widths[i];
    }
    return count;
  }

  // ------------------------------------------------------------ paragraphs

  // Lays out paragraph text from the current position until the text ends or
  // a block tag ends the paragraph, lines starting at y. Returns the height.
  int32_t Paragraph(int32_t width, Align align, int32_t y) {
    int32_t height = 0;
    for (;;) {
      const Line line = Measure(pos_, width);
      int32_t lineHeight = 0;
      Metrics metrics = line.metrics;
      if (line.content) {
        lineHeight = std::max(metrics.ascent + metrics.descent, metrics.image);
      } else if (line.stop == Stop::Feed) {
        metrics = Metrics{};
        metrics.Add(Font(StyleAt(line.end).font));
        lineHeight = metrics.ascent + metrics.descent;
      } else {
        metrics = Metrics{};  // an empty last line
      }
      const bool justify = align == Align::Justify && line.stop == Stop::Width;
      EmitLine(line, width, justify ? Align::Justify : align == Align::Justify ? Align::Left : align,
               Grow(y, height), lineHeight, metrics);
      height = Grow(height, static_cast<int64_t>(lineHeight) + metrics.leading);

      pos_ = line.end;
      if (line.stop == Stop::Feed) {
        ++pos_;
      } else if (line.stop == Stop::Width) {
        while (At(pos_) == u' ' || At(pos_) == u'^' || At(pos_) == u'~') ++pos_;
        if (At(pos_) == u'\n') ++pos_;
      }
      if (line.stop == Stop::Text || line.stop == Stop::Tag || out_.Stopped()) break;
    }
    // A link's regions are placed in the group of its paragraph; it ends there.
    linkOpen_ = false;
    return height;
  }

  // The style in force at a position of the current line (for an empty line,
  // whose tags are read by the emitting walk only).
  Style StyleAt(size_t end) const {
    Style s = style_;
    for (size_t p = pos_; p < end;) {
      const Item item = ReadItem(p);
      Apply(item, &s);
      if (item.next <= p) break;
      p = item.next;
    }
    return s;
  }

  static void Apply(const Item& item, Style* s) {
    switch (item.kind) {
      case ItemKind::Font: s->font = item.value; break;
      case ItemKind::Colour: s->colour = item.value; break;
      case ItemKind::UnderlineOn: s->underline = true; break;
      case ItemKind::UnderlineOff: s->underline = false; break;
      default: break;
    }
  }

  // Measures the line starting at pos: where it ends and why, its width and
  // metrics. A line that holds something ends at its last break opportunity
  // when the next item would pass the width, or before that item.
  Line Measure(size_t pos, int32_t width) const {
    Style s = style_;
    Line line;
    Line atBreak;
    bool haveBreak = false;
    bool afterSpace = false;
    int64_t x = 0;
    size_t p = pos;

    auto finish = [&](Stop stop) {
      line.end = p;
      line.stop = stop;
      line.width = static_cast<int32_t>(std::min<int64_t>(x, kMaxNumber));
      return line;
    };
    auto overflow = [&]() {
      if (haveBreak) return atBreak;
      return finish(Stop::Width);
    };
    auto remember = [&](bool hyphen, int64_t breakWidth, const GenFont* font) {
      atBreak = line;
      atBreak.end = p;
      atBreak.stop = Stop::Width;
      atBreak.hyphen = hyphen;
      atBreak.width = static_cast<int32_t>(std::min<int64_t>(breakWidth, kMaxNumber));
      if (font) atBreak.metrics.Add(font);
      haveBreak = true;
    };

    for (;;) {
      const Item item = ReadItem(p);
      switch (item.kind) {
        case ItemKind::End: return finish(Stop::Text);
        case ItemKind::Block: return finish(Stop::Tag);
        case ItemKind::LineFeed: return finish(Stop::Feed);
        case ItemKind::Caret:
          if (line.content && !afterSpace) remember(false, x, nullptr);
          break;
        case ItemKind::Tilde:
          if (line.content && !afterSpace) {
            const int32_t hyphen = Advance(s.font, u'-');
            if (x + hyphen <= width) remember(true, x + hyphen, Font(s.font));
          }
          break;
        case ItemKind::Space:
        case ItemKind::Char: {
          // A line breaking in a row of spaces ends before the first of them.
          if (item.kind == ItemKind::Space && line.content && !afterSpace) remember(false, x, nullptr);
          const int32_t advance = Advance(s.font, item.ch);
          if (line.content && x + advance > width) return overflow();
          x += advance;
          line.content = true;
          line.metrics.Add(Font(s.font));
          afterSpace = item.kind == ItemKind::Space;
          break;
        }
        case ItemKind::Image: {
          const GenBitmap* bitmap = BitmapOrFallback(set_, item.value);
          const int32_t w = FrameWidth(bitmap);
          if (line.content && x + w > width) return overflow();
          x += w;
          line.content = true;
          afterSpace = false;
          line.metrics.image = std::max(line.metrics.image, FrameHeight(bitmap));
          break;
        }
        default: Apply(item, &s); break;
      }
      p = item.next;
    }
  }

  // Appends a character to the line's pieces in the style, starting a new run
  // when the last piece is not an open run of it.
  void AddChar(std::vector<Piece>& pieces, bool& runOpen, const Style& s, char16_t c) {
    if (!runOpen || pieces.back().chars.size() >= kMaxRunCharacters) {
      Piece run{Piece::Kind::Run, s, {}};
      pieces.push_back(std::move(run));
      runOpen = true;
    }
    Piece& run = pieces.back();
    const int32_t advance = Advance(s.font, c);
    run.chars.push_back(c);
    run.width += advance;
    if (c == u' ') run.spaceWidth += advance;
  }

  // Walks the measured line again, applying its tags to the style, and emits
  // its runs, images, underlines and link regions.
  void EmitLine(const Line& line, int32_t width, Align align, int32_t top, int32_t lineHeight,
                const Metrics& metrics) {
    std::vector<Piece> pieces;
    bool runOpen = false;
    for (size_t p = pos_; p < line.end;) {
      const Item item = ReadItem(p);
      switch (item.kind) {
        case ItemKind::Char:
        case ItemKind::Space: AddChar(pieces, runOpen, style_, item.ch); break;
        case ItemKind::Caret:
        case ItemKind::Tilde:
        case ItemKind::Skip: break;
        case ItemKind::Image: {
          Piece image{Piece::Kind::Image, style_, {}};
          const GenBitmap* bitmap = BitmapOrFallback(set_, item.value);
          image.width = FrameWidth(bitmap);
          image.height = FrameHeight(bitmap);
          image.bitmap = item.value;
          image.frame = item.frame;
          image.align = item.align;
          pieces.push_back(std::move(image));
          runOpen = false;
          break;
        }
        case ItemKind::LinkStart: {
          Piece link{Piece::Kind::LinkStart, style_, {}};
          link.name = item.name;
          link.nameLength = item.nameLength;
          pieces.push_back(std::move(link));
          runOpen = false;
          break;
        }
        case ItemKind::LinkEnd:
          pieces.push_back(Piece{Piece::Kind::LinkEnd, style_, {}});
          runOpen = false;
          break;
        default:
          Apply(item, &style_);
          runOpen = false;
          break;
      }
      if (item.next <= p) break;
      p = item.next;
    }
    if (line.hyphen) AddChar(pieces, runOpen, style_, u'-');

    int64_t lineWidth = 0;
    int64_t spaces = 0;
    for (const Piece& piece : pieces) {
      lineWidth += piece.width;
      if (piece.kind == Piece::Kind::Run) spaces += piece.spaceWidth;
    }
    const int64_t free = width - lineWidth;
    int64_t x = 0;
    if (align == Align::Right) x = free;
    if (align == Align::Centre) x = free / 2;
    const bool justify = align == Align::Justify && free >= 0 && spaces > 0;

    const int32_t baseline = top + (lineHeight - metrics.ascent - metrics.descent) / 2 + metrics.ascent;
    const int32_t bottom = top + lineHeight;
    int64_t linkFrom = x;
    int64_t carry = 0;
    for (const Piece& piece : pieces) {
      switch (piece.kind) {
        case Piece::Kind::Run: {
          int64_t share = 0;
          if (justify) {
            // Each run takes its part of the free width in proportion to its
            // spaces; what the division leaves goes on to the next run.
            const int64_t portion = free * piece.spaceWidth + carry;
            share = portion / spaces;
            carry = portion % spaces;
          }
          const bool stretched = justify && piece.spaceWidth > 0;
          EmitRun(piece, x, baseline, stretched ? piece.width + share : -1);
          const int64_t runWidth = piece.width + share;
          if (piece.style.underline) {
            const int32_t h = UnderlineHeight(piece.style.font);
            Rect(static_cast<int32_t>(std::clamp<int64_t>(x, kMinCoordinate, kMaxCoordinate)), baseline + h,
                 static_cast<int32_t>(std::clamp<int64_t>(x + runWidth, kMinCoordinate, kMaxCoordinate)),
                 baseline + 2 * h, piece.style.colour);
          }
          x += runWidth;
          break;
        }
        case Piece::Kind::Image: {
          int32_t y = top + (lineHeight - piece.height) / 2;
          if (piece.align == u't') y = top;
          if (piece.align == u'b') y = bottom - piece.height;
          if (GenAttrWord* w = out_.Append(kImageWords)) {
            w[0] = GenAttrOpImage;
            w[1] = Coordinate(x);
            w[2] = Coordinate(y);
            w[3] = IndexWord(piece.bitmap);
            w[4] = IndexWord(piece.frame);
          }
          x += piece.width;
          break;
        }
        case Piece::Kind::LinkStart:
          if (linkOpen_) Region(Clamp(linkFrom), top, Clamp(x), bottom, baseline);
          LinkStart(piece.name, piece.nameLength);
          linkOpen_ = true;
          linkFrom = x;
          break;
        case Piece::Kind::LinkEnd:
          if (linkOpen_) Region(Clamp(linkFrom), top, Clamp(x), bottom, baseline);
          linkOpen_ = false;
          break;
      }
    }
    if (linkOpen_) Region(Clamp(linkFrom), top, Clamp(x), bottom, baseline);
  }

  static int32_t Clamp(int64_t x) { return static_cast<int32_t>(std::clamp<int64_t>(x, kMinCoordinate, kMaxCoordinate)); }

  // A "T" operation, or a "J" one when a target width is given.
  void EmitRun(const Piece& run, int64_t x, int32_t baseline, int64_t target) {
    const size_t n = run.chars.size();
    const bool justify = target >= 0;
    GenAttrWord* w = out_.Append((justify ? kJustifyWords : kTextWords) + n);
    if (!w) return;
    w[0] = justify ? GenAttrOpJustify : GenAttrOpText;
    w[1] = Coordinate(x);
    w[2] = Coordinate(baseline);
    w[3] = static_cast<GenAttrWord>((justify ? kJustifyWords : kTextWords) + n);
    w[4] = IndexWord(run.style.font);
    w[5] = IndexWord(run.style.colour);
    std::memcpy(w + 6, run.chars.data(), n * sizeof(char16_t));
    if (justify) w[6 + n] = Coordinate(target);
  }

  const GenAttrSet* set_;
  const char16_t* text_;
  size_t length_;
  size_t pos_ = 0;
  Style style_;
  bool linkOpen_ = false;
  OpBuffer out_;
};

// ------------------------------------------------------------------ walking

// Builds the link table of a stream: every "L" operation with the regions
// that follow it up to the next one, and the offset of the group holding it.
std::vector<GenAttrLink> CollectLinks(const GenAttrWord* words, size_t count) {
  struct Frame {
    size_t end;
    int32_t x;
    int32_t y;
  };
  std::vector<Frame> frames;
  std::vector<GenAttrLink> links;
  int32_t x = 0;
  int32_t y = 0;
  for (size_t i = 0; i < count;) {
    while (!frames.empty() && i >= frames.back().end) {
      x = frames.back().x;
      y = frames.back().y;
      frames.pop_back();
    }
    const size_t n = OpWords(words + i, count - i);
    if (n == 0) break;
    switch (words[i]) {
      case GenAttrOpGroup:
        frames.push_back({i + std::max<size_t>(Unsigned(words[i + 5]), kGroupWords), x, y});
        x += Signed(words[i + 1]) + Signed(words[i + 6]);
        y += Signed(words[i + 2]);
        break;
      case GenAttrOpLink: links.push_back({words + i, 0, x, y}); break;
      case GenAttrOpRegion:
        if (!links.empty()) ++links.back().noOfRegions;
        break;
      default: break;
    }
    i += n;
  }
  return links;
}

// The region-th "A" operation of the link, or null.
const GenAttrWord* FindRegion(const GenAttrString* string, int32_t link, int32_t region) {
  if (!string || link < 0 || static_cast<uint32_t>(link) >= string->noOfLinks || region < 0) return nullptr;
  const GenAttrLink& l = string->links[link];
  if (static_cast<uint32_t>(region) >= l.noOfRegions) return nullptr;
  const GenAttrWord* end = string->words + string->noOfWords;
  const GenAttrWord* op = l.op;
  int32_t seen = -1;
  for (size_t n = OpWords(op, static_cast<size_t>(end - op)); n; n = OpWords(op, static_cast<size_t>(end - op))) {
    op += n;
    if (op >= end || *op == GenAttrOpLink) break;
    if (*op == GenAttrOpRegion && ++seen == region) return op;
  }
  return nullptr;
}

struct DrawContext {
  GenBitmap* bitmap;
  const GenAttrSet* set;
  const GenAttrWord* words;
  int32_t blend;
  int32_t opacity;
};

void DrawOps(const DrawContext& c, size_t begin, size_t end, int32_t ox, int32_t oy, const GenRect& clip) {
  for (size_t i = begin; i < end;) {
    const GenAttrWord* op = c.words + i;
    const size_t n = OpWords(op, end - i);
    if (n == 0) return;
    switch (op[0]) {
      case GenAttrOpGroup: {
        const size_t length = std::clamp<size_t>(Unsigned(op[5]), kGroupWords, end - i);
        const GenRect box{std::max(clip.x1, Signed(op[1]) + ox), std::max(clip.y1, Signed(op[2]) + oy),
                          std::min(clip.x2, Signed(op[3]) + ox), std::min(clip.y2, Signed(op[4]) + oy)};
        if (box.x1 < box.x2 && box.y1 < box.y2)
          DrawOps(c, i + kGroupWords, i + length, ox + Signed(op[1]) + Signed(op[6]), oy + Signed(op[2]), box);
        i += length;
        continue;
      }
      case GenAttrOpText:
      case GenAttrOpJustify: {
        GenFont* font = FontOrFallback(c.set, Unsigned(op[4]));
        const bool justify = op[0] == GenAttrOpJustify;
        const auto count = static_cast<int32_t>(n - (justify ? kJustifyWords : kTextWords));
        if (!font || count < 1) break;
        const GenColor colour = BlendColor(GenGetAttrColor(c.set, Unsigned(op[5])), c.opacity);
        if (justify) {
          GenDrawTextJustify(c.bitmap, &clip, Signed(op[1]) + ox, Signed(op[2]) + oy, Signed(op[n - 1]), font,
                             op + 6, 0, count, colour, c.blend);
        } else {
          GenDrawText(c.bitmap, &clip, Signed(op[1]) + ox, Signed(op[2]) + oy, font, op + 6, 0, count, colour,
                      c.blend);
        }
        break;
      }
      case GenAttrOpImage: {
        GenBitmap* source = BitmapOrFallback(c.set, Unsigned(op[3]));
        if (!source) break;
        GenCopyBitmapFrame(c.bitmap, &clip, source, Unsigned(op[4]), Signed(op[1]) + ox, Signed(op[2]) + oy, 0, 0,
                           FrameWidth(source), FrameHeight(source), c.blend, c.opacity);
        break;
      }
      case GenAttrOpRect:
        GenFillRectangle(c.bitmap, &clip, BlendColor(GenGetAttrColor(c.set, Unsigned(op[5])), c.opacity),
                         Signed(op[1]) + ox, Signed(op[2]) + oy, Signed(op[3]) + ox, Signed(op[4]) + oy, c.blend);
        break;
      default: break;  // regions and link starts draw nothing
    }
    i += n;
  }
}

}  // namespace

// ------------------------------------------------------------ attribute set

GenAttrSet* GenCreateAttrSet(int32_t fonts, int32_t bitmaps, int32_t colors) {
  fonts = std::max(fonts, 0);
  bitmaps = std::max(bitmaps, 0);
  colors = std::max(colors, 0);
  const size_t size = sizeof(GenAttrSet) + static_cast<size_t>(fonts) * sizeof(GenFont*) +
                      static_cast<size_t>(bitmaps) * sizeof(GenBitmap*) + static_cast<size_t>(colors) * sizeof(GenColor);
  auto* set = static_cast<GenAttrSet*>(VgAlloc(size));
  if (!set) {
    GEN_ERROR(GenErrOutOfMemory);
    return nullptr;
  }
  std::memset(static_cast<void*>(set), 0, size);
  set->noOfFonts = fonts;
  set->noOfBitmaps = bitmaps;
  set->noOfColors = colors;
  set->fonts = reinterpret_cast<GenFont**>(set + 1);
  set->bitmaps = reinterpret_cast<GenBitmap**>(set->fonts + fonts);
  set->colors = reinterpret_cast<GenColor*>(set->bitmaps + bitmaps);
  return set;
}

void GenFreeAttrSet(GenAttrSet* set) {
  if (!set) {
    GEN_ERROR(GenErrInvalidParameter);
    return;
  }
  VgFree(set);
}

int32_t GenGetNoOfAttrFonts(const GenAttrSet* set) { return set ? set->noOfFonts : 0; }
int32_t GenGetNoOfAttrBitmaps(const GenAttrSet* set) { return set ? set->noOfBitmaps : 0; }
int32_t GenGetNoOfAttrColors(const GenAttrSet* set) { return set ? set->noOfColors : 0; }

GenFont* GenGetAttrFont(const GenAttrSet* set, int32_t index) {
  return set && index >= 0 && index < set->noOfFonts ? set->fonts[index] : nullptr;
}

GenBitmap* GenGetAttrBitmap(const GenAttrSet* set, int32_t index) {
  return set && index >= 0 && index < set->noOfBitmaps ? set->bitmaps[index] : nullptr;
}

GenColor GenGetAttrColor(const GenAttrSet* set, int32_t index) {
  return set && index >= 0 && index < set->noOfColors ? set->colors[index] : 0;
}

void GenSetAttrFont(GenAttrSet* set, int32_t index, GenFont* font) {
  if (set && index >= 0 && index < set->noOfFonts) set->fonts[index] = font;
}

void GenSetAttrBitmap(GenAttrSet* set, int32_t index, GenBitmap* bitmap) {
  if (set && index >= 0 && index < set->noOfBitmaps) set->bitmaps[index] = bitmap;
}

void GenSetAttrColor(GenAttrSet* set, int32_t index, GenColor color) {
  if (set && index >= 0 && index < set->noOfColors) set->colors[index] = color;
}

// ------------------------------------------------------------ compiling

GenAttrString* GenParseAttrString(const GenAttrSet* set, const char16_t* text, int32_t width) {
  if (!set) {
    GEN_ERROR(GenErrInvalidParameter);
    return nullptr;
  }
  size_t length = 0;
  if (text)
    while (text[length]) ++length;
  width = std::clamp(width, 0, kMaxCoordinate);

  try {
    Compiler compiler(set, text, length);
    compiler.Compile(width);
    OpBuffer& out = compiler.Output();
    if (out.OutOfMemory()) {
      GEN_ERROR(GenErrOutOfMemory);
      return nullptr;
    }
    // The text is longer than a stream can describe; what fitted is kept.
    if (out.Full()) GEN_ERROR(GenErrNotSupported);

    const std::vector<GenAttrLink> links = CollectLinks(out.Words(), out.Size());
    const size_t words = out.Size() + out.Size() % 2;
    const size_t linkOffset =
        (sizeof(GenAttrString) + words * sizeof(GenAttrWord) + alignof(GenAttrLink) - 1) / alignof(GenAttrLink) *
        alignof(GenAttrLink);
    const size_t size = linkOffset + links.size() * sizeof(GenAttrLink);
    auto* block = static_cast<unsigned char*>(VgAlloc(size));
    if (!block) {
      GEN_ERROR(GenErrOutOfMemory);
      return nullptr;
    }
    std::memset(block, 0, size);
    auto* string = new (block) GenAttrString{};
    string->noOfWords = static_cast<uint32_t>(out.Size());
    string->words = reinterpret_cast<GenAttrWord*>(block + sizeof(GenAttrString));
    if (out.Size()) std::memcpy(string->words, out.Words(), out.Size() * sizeof(GenAttrWord));
    string->noOfLinks = static_cast<uint32_t>(links.size());
    string->links = reinterpret_cast<GenAttrLink*>(block + linkOffset);
    for (size_t i = 0; i < links.size(); ++i) {
      string->links[i] = links[i];
      // The table pointed into the work buffer; it now points into the string.
      string->links[i].op = string->words + (links[i].op - out.Words());
    }
    return string;
  } catch (const std::bad_alloc&) {
    GEN_ERROR(GenErrOutOfMemory);
    return nullptr;
  }
}

void GenFreeAttrString(GenAttrString* string) {
  if (!string) {
    GEN_ERROR(GenErrInvalidParameter);
    return;
  }
  VgFree(string);
}

// ------------------------------------------------------------ queries

int32_t GenGetAttrTextSize(const GenAttrString* string, GenSize* size) {
  GenSize result{0, 0};
  if (string && string->noOfWords) {
    int32_t x1 = kMaxCoordinate, y1 = kMaxCoordinate, x2 = kMinCoordinate, y2 = kMinCoordinate;
    bool any = false;
    const GenAttrWord* words = string->words;
    for (size_t i = 0; i < string->noOfWords;) {
      const size_t n = OpWords(words + i, string->noOfWords - i);
      if (n == 0) break;
      size_t step = n;
      switch (words[i]) {
        case GenAttrOpGroup:
          step = std::max<size_t>(Unsigned(words[i + 5]), kGroupWords);
          [[fallthrough]];
        case GenAttrOpRect:
        case GenAttrOpRegion:
          x1 = std::min(x1, Signed(words[i + 1]));
          y1 = std::min(y1, Signed(words[i + 2]));
          x2 = std::max(x2, Signed(words[i + 3]));
          y2 = std::max(y2, Signed(words[i + 4]));
          any = true;
          break;
        default: break;
      }
      i += step;
    }
    if (any) result = {std::max(x2 - x1, 0), std::max(y2 - y1, 0)};
  }
  if (size) *size = result;
  return result.width;
}

void GenDrawAttrText(GenBitmap* bitmap, const GenRect* clip, int32_t x, int32_t y, const GenAttrSet* set,
                     const GenAttrString* string, int32_t blend, int32_t opacity) {
  if (!bitmap || !set || !string) {
    GEN_ERROR(GenErrInvalidParameter);
    return;
  }
  GenRect area{0, 0, bitmap->width, bitmap->height};
  if (clip) {
    area.x1 = std::max(area.x1, clip->x1);
    area.y1 = std::max(area.y1, clip->y1);
    area.x2 = std::min(area.x2, clip->x2);
    area.y2 = std::min(area.y2, clip->y2);
  }
  if (area.x1 >= area.x2 || area.y1 >= area.y2) return;
  // Far enough to leave any bitmap, near enough that the sums of 16-bit
  // offsets cannot overflow.
  x = std::clamp(x, -kMaxOrigin, kMaxOrigin);
  y = std::clamp(y, -kMaxOrigin, kMaxOrigin);
  const DrawContext context{bitmap, set, string->words, blend, std::clamp(opacity, 0, 255)};
  DrawOps(context, 0, string->noOfWords, x, y, area);
}

int32_t GenGetNoOfAttrLinks(const GenAttrString* string) {
  return string ? static_cast<int32_t>(string->noOfLinks) : 0;
}

const char16_t* GenGetAttrLinkName(const GenAttrString* string, int32_t link) {
  if (!string || link < 0 || static_cast<uint32_t>(link) >= string->noOfLinks) return nullptr;
  return string->links[link].op + 2;
}

int32_t GenGetNoOfAttrLinkRegions(const GenAttrString* string, int32_t link) {
  if (!string || link < 0 || static_cast<uint32_t>(link) >= string->noOfLinks) return 0;
  return static_cast<int32_t>(string->links[link].noOfRegions);
}

void GenGetAttrLinkRect(const GenAttrString* string, int32_t link, int32_t region, GenRect* rect) {
  if (!rect) return;
  *rect = GenRect{0, 0, 0, 0};
  const GenAttrWord* op = FindRegion(string, link, region);
  if (!op) return;
  const GenAttrLink& l = string->links[link];
  *rect = GenRect{Signed(op[1]) + l.offsetX, Signed(op[2]) + l.offsetY, Signed(op[3]) + l.offsetX,
                  Signed(op[4]) + l.offsetY};
}

int32_t GenGetAttrLinkBaseline(const GenAttrString* string, int32_t link, int32_t region) {
  const GenAttrWord* op = FindRegion(string, link, region);
  return op ? Signed(op[5]) + string->links[link].offsetY : 0;
}
