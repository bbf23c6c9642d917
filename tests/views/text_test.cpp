// Views::Text and Views::MultilineText: cutting with "...", auto size, shadow,
// wrapping and the lines kept when the text overflows.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "Views/MultilineText.h"
#include "Views/Text.h"
#include "views_fixture.h"

namespace {

using ViewsTest::LoadFont;

std::u16string U(VgString s) { return s ? std::u16string(s) : std::u16string(); }

// The lines of a wrapped-line string, without their line feeds.
std::vector<std::u16string> Lines(VgString s) {
  std::vector<std::u16string> lines;
  if (!s) return lines;
  size_t pos = 1;
  for (int i = 0; i < s[0]; ++i) {
    const size_t size = s[pos];
    std::u16string line(s + pos + 2, s + pos + size);
    if (!line.empty() && line.back() == u'\n') line.pop_back();
    lines.push_back(line);
    pos += size;
  }
  EXPECT_EQ(s[pos], 0) << "the records must cover the whole string";
  return lines;
}

class TextView : public ViewsTest::ViewsFixture {
 protected:
  void SetUp() override {
    ViewsFixture::SetUp();
    font = LoadFont(Fonts::MediumFont);
    ASSERT_NE(font->EngineFont(), nullptr);
  }
  int32_t Width(const char16_t* s) { return font->GetTextWidth(const_cast<VgString>(s), 0, 0); }
  Views::Text* MakeText(const char16_t* text, int32_t width, uint16_t alignH = 0) {
    auto* t = VgNew<Views::Text>();
    t->OnSetBounds({0, 0, width, 30});
    t->OnSetFont(font);
    t->OnSetAlignH(alignH);
    t->OnSetEllipsis(true);
    t->OnSetString(VgNewString(text));
    top->Add(t, 0);
    return t;
  }
  Views::MultilineText* MakeLines(const char16_t* text, VgRect bounds, uint16_t alignV) {
    auto* t = VgNew<Views::MultilineText>();
    t->OnSetBounds(bounds);
    t->OnSetFont(font);
    t->OnSetAlignV(alignV);
    t->OnSetString(VgNewString(text));
    top->Add(t, 0);
    return t;
  }

  Resources::Font* font = nullptr;
  static constexpr const char16_t* kSentence = u"The quick brown fox jumps over the lazy dog";
};

TEST_F(TextView, AnExactFitIsShownWholeAndOnePixelLessIsCut) {
  Views::Text* t = MakeText(u"Channel 12", 0);
  t->OnSetShadow(2);
  t->OnSetBounds({0, 0, Width(u"Channel 12") + 2, 30});
  EXPECT_EQ(U(t->shownText), u"Channel 12");
  t->OnSetBounds({0, 0, Width(u"Channel 12") + 1, 30});
  const std::u16string shown = U(t->shownText);
  ASSERT_GE(shown.size(), 3u);
  EXPECT_EQ(shown.substr(shown.size() - 3), u"...");
  EXPECT_EQ(std::u16string(u"Channel 12").rfind(shown.substr(0, shown.size() - 3), 0), 0u) << "the start is kept";
}

TEST_F(TextView, EachAlignmentCutsItsOwnEndAndKeepsAsMuchAsFits) {
  const std::u16string text = kSentence;
  const int32_t W = Width(kSentence) / 2;
  for (uint16_t align : {0, 1, 2, 3}) {
    SCOPED_TRACE(align);
    Views::Text* t = MakeText(kSentence, W, align);
    const std::u16string shown = U(t->shownText);
    EXPECT_LE(Width(shown.c_str()), W) << "the cut text fits";
    const bool front = shown.rfind(u"...", 0) == 0;
    const bool back = shown.size() >= 3 && shown.substr(shown.size() - 3) == u"...";
    std::u16string kept = shown.substr(front ? 3 : 0, shown.size() - (front ? 3 : 0) - (back ? 3 : 0));
    if (align == 2) {
      EXPECT_TRUE(front && !back);
      EXPECT_EQ(text.substr(text.size() - kept.size()), kept);
      // One more character would not have fitted.
      EXPECT_GT(Width((u"..." + text.substr(text.size() - kept.size() - 1)).c_str()), W);
    } else if (align == 1) {
      EXPECT_TRUE(front && back);
      const size_t start = text.find(kept);
      ASSERT_NE(start, std::u16string::npos);
      const long lostFront = static_cast<long>(start);
      const long lostBack = static_cast<long>(text.size() - kept.size() - start);
      EXPECT_LE(std::abs(lostFront - lostBack), 1) << "both ends lose about as much";
    } else {
      EXPECT_TRUE(!front && back);
      EXPECT_EQ(text.substr(0, kept.size()), kept);
      EXPECT_GT(Width((text.substr(0, kept.size() + 1) + u"...").c_str()), W);
    }
  }
}

TEST_F(TextView, CentredCuttingOnANarrowViewNeverCrossesTheMiddle) {
  // Taking characters from both ends of an odd-length text steps past the
  // middle; the kept part is then empty rather than a negative-length copy.
  for (const char16_t* text : {u"abc", u"abcde", u"ab", u"W"}) {
    SCOPED_TRACE(std::string(text, text + std::char_traits<char16_t>::length(text)));
    Views::Text* t = MakeText(text, 3, Views::Text::AlignCentre);
    EXPECT_EQ(U(t->shownText), u"......");
  }
}

TEST_F(TextView, ShadowIsClampedAndWidensTheMeasure) {
  Views::Text* t = MakeText(u"Menu", 0);
  t->OnSetShadow(7);
  EXPECT_EQ(t->Shadow, 3);
  t->OnSetShadow(-1);
  EXPECT_EQ(t->Shadow, 0);

  t->OnSetBounds({0, 0, Width(u"Menu"), 30});
  EXPECT_EQ(U(t->shownText), u"Menu");
  t->OnSetShadow(1);
  EXPECT_NE(U(t->shownText), u"Menu") << "the shadow's pixel no longer fits";
}

TEST_F(TextView, AutoSizeGrowsTheViewInsteadOfCuttingAndKeepsItsAnchor) {
  Views::Text* t = MakeText(kSentence, 50, Views::Text::AlignRight);
  t->OnSetBounds({100, 10, 150, 40});
  t->OnSetAlignV(Views::Text::AlignBottom);
  t->OnSetShadow(1);
  t->OnSetAutoSize(true);
  EXPECT_EQ(U(t->shownText), kSentence);
  const int32_t w = Width(kSentence) + 1;
  const int32_t h = font->OnGetAscent() + font->OnGetDescent() + 1;
  EXPECT_EQ(t->Bounds, (VgRect{150 - w, 40 - h, 150, 40})) << "right and bottom edges stay";

  t->OnSetString(VgNewString(u"OK"));
  EXPECT_EQ(t->Bounds.x2, 150);
  EXPECT_EQ(VgGetRectW(t->Bounds), Width(u"OK") + 1);
}

TEST_F(TextView, TopAlignedOverflowKeepsTheFirstLinesAndEndsWithDots) {
  const int32_t P = font->OnGetAscent() + font->OnGetDescent() + font->OnGetExtLeading();
  const VgRect bounds{0, 0, Width(u"The quick") + 4, 2 * P + 1};
  Views::MultilineText* t = MakeLines(kSentence, bounds, Views::Text::AlignTop);
  const std::vector<std::u16string> all = Lines(t->shownText);
  ASSERT_GT(all.size(), 3u);

  t->OnSetEllipsis(true);
  const std::vector<std::u16string> kept = Lines(t->shownText);
  ASSERT_EQ(kept.size(), 2u);
  EXPECT_EQ(kept[0], all[0]);
  EXPECT_EQ(kept[1].substr(kept[1].size() - 3), u"...");
  EXPECT_LE(Width(kept[1].c_str()), bounds.x2);
}

TEST_F(TextView, BottomAlignedOverflowKeepsTheLastLinesAndStartsWithDots) {
  const int32_t P = font->OnGetAscent() + font->OnGetDescent() + font->OnGetExtLeading();
  const VgRect bounds{0, 0, Width(u"The quick") + 4, 2 * P + 1};
  Views::MultilineText* t = MakeLines(kSentence, bounds, Views::Text::AlignBottom);
  const std::vector<std::u16string> all = Lines(t->shownText);
  ASSERT_GT(all.size(), 3u);

  t->OnSetEllipsis(true);
  const std::vector<std::u16string> kept = Lines(t->shownText);
  ASSERT_EQ(kept.size(), 2u);
  EXPECT_EQ(kept[0].substr(0, 3), u"...");
  EXPECT_EQ(all[all.size() - 2].substr(all[all.size() - 2].size() - (kept[0].size() - 3)), kept[0].substr(3));
  EXPECT_EQ(kept[1], all.back());
}

TEST_F(TextView, AViewLowerThanOneLineShowsNothingWithEllipsis) {
  const int32_t P = font->OnGetAscent() + font->OnGetDescent() + font->OnGetExtLeading();
  Views::MultilineText* t = MakeLines(kSentence, {0, 0, 200, P - 1}, Views::Text::AlignTop);
  EXPECT_FALSE(t->shownText.empty()) << "without ellipsis the first line is still wrapped";
  t->OnSetEllipsis(true);
  EXPECT_TRUE(t->shownText.empty());
}

TEST_F(TextView, MultilineAutoSizeFitsTheHeightToTheLines) {
  Views::MultilineText* t = MakeLines(u"one\ntwo\nthree", {10, 100, 210, 110}, Views::Text::AlignBottom);
  t->OnSetAutoSize(true);
  const int32_t P = font->OnGetAscent() + font->OnGetDescent() + font->OnGetExtLeading();
  const int32_t h = 3 * P - font->OnGetExtLeading();
  EXPECT_EQ(t->Bounds, (VgRect{10, 110 - h, 210, 110}));
  EXPECT_EQ(Lines(t->shownText), (std::vector<std::u16string>{u"one", u"two", u"three"}));
}

}  // namespace
