// Measuring, wrapping and drawing text.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "GenPng.h"
#include "font_fixture.h"

namespace {

std::vector<uint16_t> Wrap(GenFont* font, const char16_t* text, int32_t width, int32_t height) {
  uint16_t* layout = GenCreateMultilineText(font, text, 0, width, height);
  std::vector<uint16_t> words;
  for (const uint16_t* w = layout; *w; ++w) words.push_back(*w);
  GenFreeMultilineText(layout);
  return words;
}

int32_t Advance(GenFont* font, char16_t c) {
  GenGlyph* glyph = GenLoadGlyph(font, c);
  const int32_t advance = glyph->advanceX;
  GenFreeGlyph(glyph);
  return advance;
}

class GenTextTest : public GenFontTest {
 protected:
  void SetUp() override {
    GenFontTest::SetUp();
    font = GenLoadFont(&TestFont<22>::record);
    ASSERT_NE(font, nullptr);
    digit = Advance(font, u'0');
    lineHeight = font->ascent + font->descent + font->leading;
  }
  void TearDown() override {
    GenFreeFont(font);
    GenFontTest::TearDown();
  }
  GenFont* font = nullptr;
  int32_t digit = 0;  // every digit advances by the same width
  int32_t lineHeight = 0;
};

TEST_F(GenTextTest, WidthSumsAdvancesOfTheRun) {
  EXPECT_EQ(GenGetTextWidth(font, u"", 0, 0), 0);
  EXPECT_EQ(GenGetTextWidth(font, u"12345", 0, 3), 3 * digit);
  EXPECT_EQ(GenGetTextWidth(font, u"12345", 0, 0), 5 * digit);
  EXPECT_EQ(GenGetTextWidth(font, u"12345", 3, 0), 2 * digit);
  EXPECT_EQ(GenGetTextWidth(font, u"12", 5, 0), 0) << "a start past the end is an empty run";
  EXPECT_EQ(GenGetTextWidth(font, u"1\u0378", 0, 0), digit) << "an unassigned character adds nothing";
  testing::internal::CaptureStdout();
  EXPECT_EQ(GenGetTextWidth(font, nullptr, 0, 0), 0);
  EXPECT_EQ(GenGetTextWidth(nullptr, u"1", 0, 0), 0);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("Invalid parameter"), std::string::npos);
}

TEST_F(GenTextTest, WrapsTwoWordsAtTheSpace) {
  EXPECT_EQ(Wrap(font, u"1234 5678", 6 * digit, 1000),
            (std::vector<uint16_t>{2, 6, 5, '1', '2', '3', '4', 6, 4, '5', '6', '7', '8'}));
}

TEST_F(GenTextTest, CharacterWiderThanTheLineGivesNoLines) {
  EXPECT_EQ(Wrap(font, u"1", digit - 1, 1000), std::vector<uint16_t>{});
  // Wrapping ends at the first such character; the lines before it stay.
  ASSERT_GT(Advance(font, u'W'), digit + 1);
  EXPECT_EQ(Wrap(font, u"1 W", digit + 1, 1000), (std::vector<uint16_t>{1, 3, 2, '1'}));
}

TEST_F(GenTextTest, LineFeedsEndLinesAndMakeEmptyLines) {
  EXPECT_EQ(Wrap(font, u"x\n\ny", 1000, 1000),
            (std::vector<uint16_t>{3, 4, 2, 'x', 10, 3, 1, 10, 3, 1, 'y'}));
  EXPECT_EQ(Wrap(font, u"\n\n1", 1000, 1000), (std::vector<uint16_t>{3, 3, 1, 10, 3, 1, 10, 3, 1, '1'}));
  EXPECT_EQ(Wrap(font, u"1\n", 1000, 1000), (std::vector<uint16_t>{1, 4, 2, '1', 10}))
      << "a text ending in a line feed has no empty last line";
}

TEST_F(GenTextTest, SpacesAtTheBreakAreConsumedButNotKept) {
  EXPECT_EQ(Wrap(font, u"12   34", 3 * digit, 1000),
            (std::vector<uint16_t>{2, 4, 5, '1', '2', 4, 2, '3', '4'}));
  // No space to break at: the line ends before the character that passes.
  EXPECT_EQ(Wrap(font, u"12345", 3 * digit, 1000),
            (std::vector<uint16_t>{2, 5, 3, '1', '2', '3', 4, 2, '4', '5'}));
}

TEST_F(GenTextTest, HeightLimitsTheLines) {
  const char16_t* text = u"1\n2\n3\n4";
  EXPECT_EQ(Wrap(font, text, 1000, 1)[0], 1) << "the first line comes whatever the height";
  EXPECT_EQ(Wrap(font, text, 1000, lineHeight)[0], 1);
  EXPECT_EQ(Wrap(font, text, 1000, lineHeight + 1)[0], 2);
  EXPECT_EQ(Wrap(font, text, 1000, 0), std::vector<uint16_t>{});
  EXPECT_EQ(Wrap(font, u"", 1000, 1000), std::vector<uint16_t>{});
}

// Whatever the text and width, the layout is well formed: non-zero words, entry
// lengths that add up, and consumed counts that cover the text in order.
TEST_F(GenTextTest, LayoutsAreWellFormedForAnyText) {
  std::mt19937 random(7);
  const std::u16string alphabet = u"ab W1\n  .\u00e9";
  for (int round = 0; round < 300; ++round) {
    std::u16string text;
    const int length = static_cast<int>(random() % 40);
    for (int i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
    const int32_t width = static_cast<int32_t>(random() % 120);
    uint16_t* layout = GenCreateMultilineText(font, text.c_str(), 0, width, 1000);
    ASSERT_NE(layout, nullptr);
    size_t at = 1;
    size_t consumed = 0;
    for (int line = 0; line < layout[0]; ++line) {
      const uint16_t entry = layout[at];
      ASSERT_GE(entry, 2);
      for (size_t k = at; k < at + entry; ++k) ASSERT_NE(layout[k], 0) << "round " << round;
      const uint16_t used = layout[at + 1];
      ASSERT_GE(used, 1);
      const size_t kept = entry - 2u - (text[consumed + used - 1] == u'\n' ? 1 : 0);
      EXPECT_EQ(text.compare(consumed, kept, std::u16string(layout + at + 2, layout + at + 2 + kept)), 0);
      consumed += used;
      ASSERT_LE(consumed, text.size());
      at += entry;
    }
    EXPECT_EQ(layout[at], 0);
    GenFreeMultilineText(layout);
  }
}

class GenTextDrawTest : public GenFontDrawTest {
 protected:
  void SetUp() override {
    GenFontDrawTest::SetUp();
    bitmap = GenCreateBitmap(120, 40, GenColorFormatArgb8888);
    ASSERT_NE(bitmap, nullptr);
  }
  void TearDown() override {
    GenFreeBitmap(bitmap);
    GenFontDrawTest::TearDown();
  }
  GenImage Pixels(GenBitmap* b = nullptr) {
    GenImage image;
    EXPECT_TRUE(GenReadBitmap(b ? b : bitmap, &image));
    return image;
  }
  GenBitmap* bitmap = nullptr;
};

TEST_F(GenTextDrawTest, CopiedGreyGlyphCarriesItsLevelsAsAlpha) {
  GenFont* font = GenLoadFont(&TestFont<30>::record);
  const GenColor colour = GenMakeColor(10, 20, 30, 255);
  GenDrawText(bitmap, nullptr, 5, 30, font, u"&", 0, 0, colour, 0);
  GenGlyph* glyph = GenLoadGlyph(font, u'&');
  const GenImage image = Pixels();
  int inked = 0;
  for (int32_t y = 0; y < image.height; ++y)
    for (int32_t x = 0; x < image.width; ++x) {
      const int32_t gx = x - 5 - glyph->originX;
      const int32_t gy = y - 30 - glyph->originY;
      const bool inside = gx >= 0 && gy >= 0 && gx < glyph->width && gy < glyph->height;
      const uint32_t level = inside ? glyph->Pixels()[gy * glyph->width + gx] : 0;
      const GenColor expected = level ? GenColorWithAlpha(colour, level * 17) : 0;
      ASSERT_EQ(image.At(x, y), expected) << x << "," << y;
      inked += level != 0;
    }
  EXPECT_GT(inked, 20);
  GenFreeGlyph(glyph);
  GenFreeFont(font);
}

TEST_F(GenTextDrawTest, BlendedOneBitGlyphWithinTheClip) {
  GenFont* font = GenLoadFont(&TestFont<30, &kMono>::record);
  GenFillRectangle(bitmap, nullptr, GenMakeColor(0, 0, 255, 255), 0, 0, 120, 40, 0);
  const GenRect clip{0, 0, 12, 40};
  const GenColor half = GenMakeColor(255, 0, 0, 128);
  GenDrawText(bitmap, &clip, 2, 30, font, u"MM", 0, 0, half, 1);
  const GenImage image = Pixels();
  const GenColor blue = GenMakeColor(0, 0, 255, 255);
  const GenColor blended = GenBlend(blue, half, 128);
  int inked = 0;
  for (int32_t y = 0; y < image.height; ++y)
    for (int32_t x = 0; x < image.width; ++x) {
      const GenColor p = image.At(x, y);
      if (x >= 12) ASSERT_EQ(p, blue) << "outside the clip " << x << "," << y;
      else ASSERT_TRUE(p == blue || p == blended) << x << "," << y;
      inked += p == blended;
    }
  EXPECT_GT(inked, 20);
  GenFreeFont(font);
}

// The extra 7 pixels go 3 to the first space and 4 to the second.
TEST_F(GenTextDrawTest, JustifySpreadsTheExtraWidthOverTheSpaces) {
  GenFont* font = GenLoadFont(&TestFont<22>::record);
  const GenColor white = GenMakeColor(255, 255, 255, 255);
  const char16_t* text = u"1 2 3";
  const int32_t width = GenGetTextWidth(font, text, 0, 0) + 7;
  GenDrawTextJustify(bitmap, nullptr, 4, 30, width, font, text, 0, 0, white, 0);

  GenBitmap* expected = GenCreateBitmap(120, 40, GenColorFormatArgb8888);
  GenDrawText(expected, nullptr, 4, 30, font, u"1", 0, 0, white, 0);
  GenDrawText(expected, nullptr, 4 + GenGetTextWidth(font, u"1 ", 0, 0) + 3, 30, font, u"2", 0, 0, white, 0);
  GenDrawText(expected, nullptr, 4 + GenGetTextWidth(font, u"1 2 ", 0, 0) + 7, 30, font, u"3", 0, 0, white, 0);
  EXPECT_EQ(Pixels().pixels, Pixels(expected).pixels);

  // A width the text already fills draws it plainly.
  GenBitmap* plain = GenCreateBitmap(120, 40, GenColorFormatArgb8888);
  GenBitmap* narrow = GenCreateBitmap(120, 40, GenColorFormatArgb8888);
  GenDrawText(plain, nullptr, 4, 30, font, text, 0, 0, white, 0);
  GenDrawTextJustify(narrow, nullptr, 4, 30, 5, font, text, 0, 0, white, 0);
  EXPECT_EQ(Pixels(plain).pixels, Pixels(narrow).pixels);
  GenFreeBitmap(expected);
  GenFreeBitmap(plain);
  GenFreeBitmap(narrow);
  GenFreeFont(font);
}

}  // namespace
