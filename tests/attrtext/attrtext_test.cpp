// Compiling, measuring, drawing and querying attributed text. Expectations
// are built from the font's own advances, so they hold for any face.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GenAttrText.h"
#include "GenPng.h"
#include "font_fixture.h"

namespace {

std::string Utf8(const char16_t* s, size_t n) {
  std::string out;
  for (size_t i = 0; i < n; ++i) out += s[i] < 128 ? static_cast<char>(s[i]) : '?';
  return out;
}

// The stream as one line per operation, nested operations indented.
std::vector<std::string> Ops(const GenAttrString* s) {
  std::vector<std::string> out;
  std::vector<size_t> ends;
  const GenAttrWord* w = s->words;
  auto v = [&](size_t i) { return std::to_string(static_cast<int16_t>(w[i])); };
  for (size_t i = 0; i < s->noOfWords;) {
    while (!ends.empty() && i >= ends.back()) ends.pop_back();
    std::string line(ends.size() * 2, ' ');
    line += static_cast<char>(w[i]);
    size_t n = 0;
    switch (w[i]) {
      case u'G':
        line += " " + v(i + 1) + "," + v(i + 2) + "," + v(i + 3) + "," + v(i + 4) + " +" + v(i + 6);
        ends.push_back(i + w[i + 5]);
        n = 7;
        break;
      case u'T':
      case u'J':
        n = w[i + 3];
        line += " " + v(i + 1) + "," + v(i + 2) + " f" + v(i + 4) + " c" + v(i + 5) + " \"" +
                Utf8(w + i + 6, n - (w[i] == u'J' ? 7 : 6)) + "\"";
        if (w[i] == u'J') line += " w" + v(i + n - 1);
        break;
      case u'I':
        line += " " + v(i + 1) + "," + v(i + 2) + " b" + v(i + 3) + "." + v(i + 4);
        n = 5;
        break;
      case u'R':
      case u'A':
        line += " " + v(i + 1) + "," + v(i + 2) + "," + v(i + 3) + "," + v(i + 4) + (w[i] == u'R' ? " c" : " b") +
                v(i + 5);
        n = 6;
        break;
      case u'L':
        n = w[i + 1];
        line += " \"" + Utf8(w + i + 2, n - 3) + "\"";
        break;
      default: ADD_FAILURE() << "bad operation at " << i; return out;
    }
    out.push_back(line);
    i += n;
  }
  return out;
}

std::string S(int v) { return std::to_string(v); }

class AttrText : public GenFontDrawTest {
 protected:
  void SetUp() override {
    GenFontDrawTest::SetUp();
    big = GenLoadFont(&TestFont<20>::record);
    small = GenLoadFont(&TestFont<14>::record);
    ASSERT_NE(big, nullptr);
    ASSERT_NE(small, nullptr);
    set = GenCreateAttrSet(2, 2, 3);
    GenSetAttrFont(set, 0, big);
    GenSetAttrFont(set, 1, small);
    GenSetAttrColor(set, 0, 0xFFFFFFFF);
    GenSetAttrColor(set, 1, 0xFF2040A0);
    GenSetAttrColor(set, 2, 0x80FF0000);
    lineHeight = big->ascent + big->descent;
    ascent = big->ascent;
  }
  void TearDown() override {
    for (GenAttrString* s : strings) GenFreeAttrString(s);
    for (GenBitmap* b : bitmaps) GenFreeBitmap(b);
    GenFreeAttrSet(set);
    GenFreeFont(small);
    GenFreeFont(big);
    GenFontDrawTest::TearDown();
  }

  GenAttrString* Parse(const char16_t* text, int32_t width) {
    GenAttrString* s = GenParseAttrString(set, text, width);
    EXPECT_NE(s, nullptr);
    if (s) strings.push_back(s);
    return s;
  }
  GenBitmap* Bitmap(int32_t w, int32_t h) {
    GenBitmap* b = GenCreateBitmap(w, h, GenColorFormatArgb8888);
    bitmaps.push_back(b);
    return b;
  }
  static int32_t Width(GenFont* f, const char16_t* text) { return GenGetTextWidth(f, text, 0, 0); }
  // The line pitch of the big font and the baseline of line n.
  int32_t Pitch() const { return lineHeight + big->leading; }
  int32_t Baseline(int n) const { return n * Pitch() + ascent; }

  GenFont* big = nullptr;
  GenFont* small = nullptr;
  GenAttrSet* set = nullptr;
  int32_t lineHeight = 0;
  int32_t ascent = 0;
  std::vector<GenAttrString*> strings;
  std::vector<GenBitmap*> bitmaps;
};

TEST(AttrSet, CountsAndIndexesOutOfRange) {
  GenAttrSet* set = GenCreateAttrSet(-3, 2, 1);
  ASSERT_NE(set, nullptr);
  EXPECT_EQ(GenGetNoOfAttrFonts(set), 0);
  EXPECT_EQ(GenGetNoOfAttrBitmaps(set), 2);
  EXPECT_EQ(GenGetNoOfAttrColors(set), 1);
  EXPECT_EQ(GenGetAttrBitmap(set, 1), nullptr) << "the tables start zeroed";
  GenSetAttrColor(set, 0, 0xFF123456);
  GenSetAttrColor(set, 1, 0xFFFFFFFF);
  GenSetAttrColor(set, -1, 0xFFFFFFFF);
  EXPECT_EQ(GenGetAttrColor(set, 0), 0xFF123456u);
  EXPECT_EQ(GenGetAttrColor(set, 1), 0u);
  EXPECT_EQ(GenGetAttrFont(set, 0), nullptr);
  EXPECT_EQ(GenGetNoOfAttrColors(nullptr), 0);
  GenFreeAttrSet(set);
}

TEST_F(AttrText, EmptyTextHasNoOperationsAndNoSize) {
  for (const char16_t* text : {u"", static_cast<const char16_t*>(nullptr)}) {
    GenAttrString* s = Parse(text, 200);
    EXPECT_EQ(s->noOfWords, 0u);
    GenSize size{-1, -1};
    EXPECT_EQ(GenGetAttrTextSize(s, &size), 0);
    EXPECT_EQ(size.width, 0);
    EXPECT_EQ(size.height, 0);
    EXPECT_EQ(GenGetNoOfAttrLinks(s), 0);
  }
}

TEST_F(AttrText, PercentSignTakesTheBraceLiterally) {
  GenAttrString* s = Parse(u"a%{b", 200);
  const std::vector<std::string> expected = {"G 0,0,200," + S(Pitch()) + " +0", "  T 0," + S(ascent) + " f0 c0 \"a{b\""};
  EXPECT_EQ(Ops(s), expected);

  // Drawn, it is exactly the three characters.
  GenBitmap* attributed = Bitmap(80, 30);
  GenBitmap* plain = Bitmap(80, 30);
  GenDrawAttrText(attributed, nullptr, 5, 2, set, s, 1, 255);
  GenDrawText(plain, nullptr, 5, 2 + ascent, big, u"a{b", 0, 0, 0xFFFFFFFF, 1);
  GenImage a, b;
  ASSERT_TRUE(GenReadBitmap(attributed, &a));
  ASSERT_TRUE(GenReadBitmap(plain, &b));
  EXPECT_EQ(a.pixels, b.pixels);
}

TEST_F(AttrText, LinesBreakAtSpacesOrBeforeTheCharacterThatDoesNotFit) {
  // A word longer than the width is cut before the first character past it.
  GenAttrString* word = Parse(u"abcdefgh", Width(big, u"abcd") + 1);
  std::vector<std::string> ops = Ops(word);
  ASSERT_EQ(ops.size(), 3u);
  EXPECT_EQ(ops[1], "  T 0," + S(Baseline(0)) + " f0 c0 \"abcd\"");
  EXPECT_EQ(ops[2], "  T 0," + S(Baseline(1)) + " f0 c0 \"efgh\"");

  // At a space the line ends and the spaces are skipped; a line feed ends a
  // line, and a line holding only its feed still takes the font's height.
  GenAttrString* words = Parse(u"one two   three\n\nx", Width(big, u"one two th"));
  ops = Ops(words);
  ASSERT_EQ(ops.size(), 4u);
  EXPECT_EQ(ops[1], "  T 0," + S(Baseline(0)) + " f0 c0 \"one two\"");
  EXPECT_EQ(ops[2], "  T 0," + S(Baseline(1)) + " f0 c0 \"three\"");
  EXPECT_EQ(ops[3], "  T 0," + S(Baseline(3)) + " f0 c0 \"x\"");
  GenSize size;
  GenGetAttrTextSize(words, &size);
  EXPECT_EQ(size.height, 4 * Pitch());
  // A trailing line feed adds no empty line.
  GenGetAttrTextSize(Parse(u"x\n", 100), &size);
  EXPECT_EQ(size.height, Pitch());
}

TEST_F(AttrText, HyphenationPointShowsOnlyWhereTheLineBreaks) {
  GenAttrString* broken = Parse(u"hyphen~ation", Width(big, u"hyphen-") + 1);
  std::vector<std::string> ops = Ops(broken);
  ASSERT_EQ(ops.size(), 3u);
  EXPECT_EQ(ops[1], "  T 0," + S(Baseline(0)) + " f0 c0 \"hyphen-\"");
  EXPECT_EQ(ops[2], "  T 0," + S(Baseline(1)) + " f0 c0 \"ation\"");

  GenAttrString* whole = Parse(u"{parr}ab~cd", 200);
  ops = Ops(whole);
  ASSERT_EQ(ops.size(), 3u);
  EXPECT_EQ(ops[2], "    T " + S(200 - Width(big, u"abcd")) + "," + S(ascent) + " f0 c0 \"abcd\"");
}

TEST_F(AttrText, ParagraphAlignmentMarginsAndBackground) {
  const int32_t ab = Width(big, u"ab");
  std::vector<std::string> ops = Ops(Parse(u"{parc}ab{parr}ab", 201));
  ASSERT_EQ(ops.size(), 5u);
  EXPECT_EQ(ops[2], "    T " + S((201 - ab) / 2) + "," + S(ascent) + " f0 c0 \"ab\"");
  EXPECT_EQ(ops[4], "    T " + S(201 - ab) + "," + S(ascent) + " f0 c0 \"ab\"");

  // Left margin 10 % of 200, right 10, top 4, bottom 6; the background spans
  // the full width from above the top margin to below the bottom one.
  ops = Ops(Parse(u"x{par10%,10,4,6:1}ab", 200));
  ASSERT_EQ(ops.size(), 5u);
  const int y = Pitch();
  EXPECT_EQ(ops[2], "  R 0," + S(y) + ",200," + S(y + 4 + Pitch() + 6) + " c1");
  EXPECT_EQ(ops[3], "  G 0," + S(y + 4) + ",190," + S(y + 4 + Pitch()) + " +20");
}

TEST_F(AttrText, JustifiedLinesFillTheWidthExceptTheLast) {
  const int32_t width = Width(big, u"aaa aaa aaa") + 2;
  std::vector<std::string> ops = Ops(Parse(u"{parj}aaa aaa aaa aaa{clr1}aaa aaa\naaa aaa aaa aaa", width));
  // Line 1 is one run with spaces: stretched to the width. Line 2 has two runs
  // and ends at a line feed: left as it is. Line 3 is stretched, line 4 is last.
  std::vector<std::string> kinds;
  for (size_t i = 2; i < ops.size(); ++i) kinds.push_back(ops[i].substr(4, 1) + (ops[i][4] == 'J' ? ops[i].substr(ops[i].rfind(' ')) : ""));
  const std::vector<std::string> expected = {"J w" + S(width), "T", "T", "J w" + S(width), "T"};
  EXPECT_EQ(kinds, expected) << testing::PrintToString(ops);

  // Two runs on a stretched line share the free width by their spaces.
  ops = Ops(Parse(u"{parj}a b{clr1} c d e", Width(big, u"a b c d") + 9));
  ASSERT_GE(ops.size(), 4u);
  EXPECT_EQ(ops[2].substr(4, 1), "J");
  EXPECT_EQ(ops[3].substr(4, 1), "J");
}

TEST_F(AttrText, UnderlineImagesAndUnknownTags) {
  GenGlyph* dash = GenLoadGlyph(big, u'-');
  const int32_t h = dash->height;
  GenFreeGlyph(dash);
  std::vector<std::string> ops = Ops(Parse(u"{ul+}{clr1}ab{ul-}c", 200));
  ASSERT_EQ(ops.size(), 4u);
  EXPECT_EQ(ops[2], "  R 0," + S(ascent + h) + "," + S(Width(big, u"ab")) + "," + S(ascent + 2 * h) + " c1");

  // An image taller than the font sets the line's height; "b" puts it at the bottom.
  GenBitmap* picture = Bitmap(12, 40);
  GenSetAttrBitmap(set, 1, picture);
  ops = Ops(Parse(u"a{imgb1.2}", 200));
  ASSERT_EQ(ops.size(), 3u);
  EXPECT_EQ(ops[2], "  I " + S(Width(big, u"a")) + ",0 b1.2");
  EXPECT_EQ(ops[1], "  T 0," + S((40 - lineHeight) / 2 + ascent) + " f0 c0 \"a\"");

  // A tag nobody understands ends the paragraph and is skipped; an unclosed
  // one ends the text.
  ops = Ops(Parse(u"ab{xyz}cd{fnt1", 200));
  ASSERT_EQ(ops.size(), 3u);
  EXPECT_EQ(ops[2], "  T 0," + S(Baseline(1)) + " f0 c0 \"cd\"");
}

TEST_F(AttrText, RowsSplitTheWidthIntoColumns) {
  // "x1,y1,x2" of every column group.
  auto columns = [&](const char16_t* text) {
    std::vector<std::string> boxes;
    for (const std::string& op : Ops(Parse(text, 301))) {
      if (!op.starts_with("    G")) continue;
      size_t end = 6;
      for (int commas = 0; commas < 3; ++end) commas += op[end] == ',';
      boxes.push_back(op.substr(6, end - 7));
    }
    return boxes;
  };
  // 50 % of 301 is 150 (remainder 50 rounds down); the star takes the rest.
  EXPECT_EQ(columns(u"{lay50%,*}{col}a{col}b{end}"), (std::vector<std::string>{"0,0,150", "150,0,301"}));
  EXPECT_EQ(columns(u"{lay100,*,*}{col}{col}{col}{end}"),
            (std::vector<std::string>{"0,0,100", "100,0,200", "200,0,301"}));
  EXPECT_EQ(columns(u"{lay200,200,*}{col}{col}{col}{end}"),
            (std::vector<std::string>{"0,0,200", "200,0,301", "301,0,301"}));
  // A column past the widths is not read; text after the row goes on below.
  std::vector<std::string> ops = Ops(Parse(u"{lay}{col}a{col}b{end}c", 301));
  ASSERT_EQ(ops.size(), 5u);
  EXPECT_EQ(ops[4], "  T 0," + S(Baseline(1)) + " f0 c0 \"c\"");
}

TEST_F(AttrText, ColumnsAlignVerticallyAndStretchTheirBackgrounds) {
  std::vector<std::string> ops = Ops(Parse(u"{lay50%,*}{colm:1}a{colb:2}a\nb\nc{end}", 300));
  const int32_t rowHeight = 3 * Pitch();
  const int32_t free = rowHeight - Pitch();
  ASSERT_EQ(ops.size(), 10u) << testing::PrintToString(ops);
  EXPECT_EQ(ops[2], "    R 0,0,150," + S(rowHeight) + " c1");
  EXPECT_EQ(ops[3], "    G 0," + S(free / 2) + ",150," + S(free / 2 + Pitch()) + " +0");
  EXPECT_EQ(ops[5], "    R 150,0,300," + S(rowHeight) + " c2");
  EXPECT_EQ(ops[6], "    G 150,0,300," + S(rowHeight) + " +0");
}

TEST_F(AttrText, LinkOverTwoLinesHasTwoRegions) {
  const int32_t width = Width(big, u"go to");
  GenAttrString* s = Parse(u"go {lnk:next}to the{lnk} end", width);
  ASSERT_EQ(GenGetNoOfAttrLinks(s), 1);
  EXPECT_EQ(std::u16string(GenGetAttrLinkName(s, 0)), u"next");
  ASSERT_EQ(GenGetNoOfAttrLinkRegions(s, 0), 2);
  GenRect r;
  GenGetAttrLinkRect(s, 0, 0, &r);
  EXPECT_EQ(std::vector<int32_t>({r.x1, r.y1, r.x2, r.y2}),
            std::vector<int32_t>({Width(big, u"go "), 0, width, lineHeight}));
  GenGetAttrLinkRect(s, 0, 1, &r);
  EXPECT_EQ(std::vector<int32_t>({r.x1, r.y1, r.x2, r.y2}),
            std::vector<int32_t>({0, Pitch(), Width(big, u"the"), Pitch() + lineHeight}));
  EXPECT_EQ(GenGetAttrLinkBaseline(s, 0, 1), Baseline(1));
  r = GenRect{1, 1, 1, 1};
  GenGetAttrLinkRect(s, 0, 2, &r);
  EXPECT_EQ(std::vector<int32_t>({r.x1, r.y1, r.x2, r.y2}), std::vector<int32_t>({0, 0, 0, 0}));
  EXPECT_EQ(GenGetAttrLinkBaseline(s, 0, 2), 0);
  EXPECT_EQ(GenGetAttrLinkName(s, 1), nullptr);

  // Inside a paragraph group the region carries the group's offsets; a link
  // left open ends with its paragraph.
  s = Parse(u"x{par20,0,10}{lnk:a}y{par}z", 200);
  ASSERT_EQ(GenGetNoOfAttrLinks(s), 1);
  ASSERT_EQ(GenGetNoOfAttrLinkRegions(s, 0), 1);
  GenGetAttrLinkRect(s, 0, 0, &r);
  EXPECT_EQ(std::vector<int32_t>({r.x1, r.y1, r.x2}), std::vector<int32_t>({20, Pitch() + 10, 20 + Width(big, u"y")}));
}

TEST_F(AttrText, DrawingScalesColoursByTheOpacityAndKeepsToTheClip) {
  GenAttrString* s = Parse(u"{par:1}{fnt1}x", 40);
  GenBitmap* b = Bitmap(60, 40);
  const GenRect clip{0, 0, 30, 40};
  GenDrawAttrText(b, &clip, 10, 5, set, s, 0, 128);
  GenImage image;
  ASSERT_TRUE(GenReadBitmap(b, &image));
  EXPECT_EQ(image.At(12, 6), GenColorWithAlpha(0xFF2040A0, 255 * 128 / 255));
  EXPECT_EQ(image.At(9, 6), 0u) << "left of the origin";
  EXPECT_EQ(image.At(35, 6), 0u) << "outside the clip";
}

TEST_F(AttrText, TextLongerThanAStreamCanHoldIsCutCleanly) {
  std::u16string text;
  for (int i = 0; i < 20000; ++i) text += u"{lnk:k}ab{lnk} ";
  testing::internal::CaptureStdout();
  GenAttrString* s = Parse(text.c_str(), 300);
  const std::string console = testing::internal::GetCapturedStdout();
  EXPECT_NE(console.find("ERROR"), std::string::npos);
  ASSERT_NE(s, nullptr);
  EXPECT_LE(s->noOfWords, 65535u);
  EXPECT_EQ(static_cast<uint16_t>(s->words[5]), s->noOfWords) << "the top group holds the whole stream";
  EXPECT_GT(GenGetNoOfAttrLinks(s), 1000);
  for (int32_t i = 0; i < GenGetNoOfAttrLinks(s); ++i) EXPECT_LE(GenGetNoOfAttrLinkRegions(s, i), 1);
}

}  // namespace
