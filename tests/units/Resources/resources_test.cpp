// Bitmap and font resources: frames, metrics, text queries and read-only
// properties.
#include <gtest/gtest.h>

#include "Fonts/Fonts.h"
#include "Resources/Bitmap.h"
#include "Resources/Font.h"
#include "resource_support.h"
#include "vgstring.h"

namespace {

template <class T>
T* Load(const VgConstant* constant) {
  return vg_cast<T>(VgLoadResource(constant, &T::Class));
}

void ExpectPanic(const std::function<void()>& call, const std::string& message) {
  try {
    call();
    ADD_FAILURE() << "no panic, expected " << message;
  } catch (const VgPanicError& error) {
    EXPECT_NE(std::string(error.what()).find(message), std::string::npos) << error.what();
  }
}

using BitmapResourceTest = ResourceTest;
using FontResourceTest = ResourceTest;

TEST_F(BitmapResourceTest, FramesAndAnimationComeFromTheResource) {
  TestBitmap strip(300, 40, 60, 40, 100);
  auto* bitmap = Load<Resources::Bitmap>(strip.Constant());
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->OnGetSize(), (VgPoint{300, 40}));
  EXPECT_EQ(bitmap->OnGetFrameSize(), (VgPoint{60, 40}));
  EXPECT_EQ(bitmap->OnGetFrameDelay(), 100);
  EXPECT_EQ(bitmap->OnGetNoOfFrames(), 5);
  EXPECT_TRUE(bitmap->OnGetIsAnimated());
  EXPECT_EQ(Load<Resources::Bitmap>(strip.Constant()), bitmap) << "one object per constant";

  TestBitmap still(300, 40, 60, 40, 0);
  EXPECT_FALSE(Load<Resources::Bitmap>(still.Constant())->OnGetIsAnimated());
  TestBitmap single(60, 40, 60, 40, 100);
  auto* one = Load<Resources::Bitmap>(single.Constant());
  EXPECT_EQ(one->OnGetNoOfFrames(), 1);
  EXPECT_FALSE(one->OnGetIsAnimated());
  TestBitmap grid(120, 80, 60, 40, 50);
  EXPECT_EQ(Load<Resources::Bitmap>(grid.Constant())->OnGetNoOfFrames(), 4);
}

TEST_F(BitmapResourceTest, ZeroFrameSizeGivesNoFrames) {
  TestBitmap broken(60, 40, 0, 40, 100);
  testing::internal::CaptureStdout();
  auto* bitmap = Load<Resources::Bitmap>(broken.Constant());
  const std::string out = testing::internal::GetCapturedStdout();
  ASSERT_NE(bitmap, nullptr);
  EXPECT_NE(bitmap->EngineBitmap(), nullptr);
  EXPECT_EQ(bitmap->OnGetNoOfFrames(), 0);
  EXPECT_FALSE(bitmap->OnGetIsAnimated());
  EXPECT_NE(out.find("invalid frame size 0x40"), std::string::npos) << out;
}

TEST_F(BitmapResourceTest, PropertiesAreReadOnly) {
  auto* bitmap = VgNew<Resources::Bitmap>();
  ExpectPanic([&] { bitmap->OnSetSize({1, 1}); }, "The property 'Size' is READ ONLY.");
  ExpectPanic([&] { bitmap->OnSetFrameSize({1, 1}); }, "The property 'FrameSize' is READ ONLY.");
  ExpectPanic([&] { bitmap->OnSetFrameDelay(1); }, "The property 'FrameDelay' is READ ONLY.");
  ExpectPanic([&] { bitmap->OnSetNoOfFrames(1); }, "The property 'NoOfFrames' is READ ONLY.");
  ExpectPanic([&] { bitmap->OnSetIsAnimated(true); }, "The property 'IsAnimated' is READ ONLY.");
}

TEST_F(FontResourceTest, EveryFontOfTheUnitLoadsInItsHeight) {
  for (const Fonts::FontInfo& info : Fonts::All) {
    auto* font = Load<Resources::Font>(info.font);
    ASSERT_NE(font, nullptr) << info.name;
    ASSERT_NE(font->EngineFont(), nullptr) << info.name;
    EXPECT_NEAR(font->OnGetAscent() + font->OnGetDescent(), info.height, 1) << info.name;
    EXPECT_EQ(font->OnGetExtLeading(), 0) << info.name;
  }
  EXPECT_EQ(Load<Resources::Font>(&Fonts::MediumFont), Load<Resources::Font>(&Fonts::MediumFont));
  EXPECT_NE(Load<Resources::Font>(&Fonts::ExtraSmallFont), Load<Resources::Font>(&Fonts::BannerDescription))
      << "two constants of the same height are two resources";
}

TEST_F(FontResourceTest, GlyphQueries) {
  auto* font = Load<Resources::Font>(&Fonts::MediumFont);
  EXPECT_EQ(font->GetGlyphAdvance(0), (VgPoint{0, 0}));
  EXPECT_EQ(font->GetGlyphSize(0), (VgPoint{0, 0}));
  EXPECT_EQ(font->GetGlyphAdvance(u'\u0378'), (VgPoint{0, 0})) << "no glyph";
  const VgPoint advance = font->GetGlyphAdvance(u'H');
  const VgPoint size = font->GetGlyphSize(u'H');
  const VgPoint origin = font->GetGlyphOrigin(u'H');
  EXPECT_GT(advance.x, 0);
  EXPECT_EQ(advance.y, 0);
  EXPECT_GT(size.x, 0);
  EXPECT_EQ(origin.y, -size.y);
  EXPECT_EQ(GenCacheFirst->useCount, 0u) << "queries release their glyphs";
}

TEST_F(FontResourceTest, TextQueries) {
  auto* font = Load<Resources::Font>(&Fonts::MediumFont);
  const int32_t digit = font->GetGlyphAdvance(u'0').x;
  VgStr text = VgNewStringAnsi("12345");
  EXPECT_EQ(font->GetTextWidth(text, 0, 0), 5 * digit);
  EXPECT_EQ(font->GetTextWidth(text, 1, 2), 2 * digit);
  EXPECT_EQ(font->GetTextWidth(nullptr, 0, 0), 0);
  const VgRect none{65535, 65535, -65535, -65535};
  EXPECT_EQ(font->GetTextRect(nullptr), none);
  const VgRect all = font->GetTextRect(text);
  EXPECT_LT(all.y1, 0);
  EXPECT_GE(all.x2, 4 * digit);
  const VgRect part = font->GetTextRectEx(text, 1, 1);
  EXPECT_EQ(part.y1, all.y1);
  EXPECT_LT(part.x2, all.x2);
}

TEST_F(FontResourceTest, WrappingGivesTheLayoutAsAString) {
  auto* font = Load<Resources::Font>(&Fonts::MediumFont);
  const int32_t digit = font->GetGlyphAdvance(u'0').x;
  VgStr lines = font->WrapMultilineText(VgNewStringAnsi("1234 5678"), 0, 6 * digit, 65535);
  const std::u16string expected{2, 6, 5, u'1', u'2', u'3', u'4', 6, 4, u'5', u'6', u'7', u'8'};
  ASSERT_EQ(VgGetStringLength(lines), static_cast<int32_t>(expected.size()));
  EXPECT_EQ(std::u16string(lines.get(), expected.size()), expected);
  VgStr second = font->WrapMultilineText(VgNewStringAnsi("1234 5678"), 5, 6 * digit, 65535);
  EXPECT_EQ(std::u16string(second.get()), (std::u16string{1, 6, 4, u'5', u'6', u'7', u'8'}));
  EXPECT_EQ(font->WrapMultilineText(nullptr, 0, 100, 100), nullptr);
  EXPECT_EQ(font->WrapMultilineText(VgNewStringAnsi("W"), 0, 1, 100), nullptr) << "no lines";
}

TEST_F(FontResourceTest, MetricsAreReadOnly) {
  auto* font = Load<Resources::Font>(&Fonts::SmallFont);
  ExpectPanic([&] { font->OnSetAscent(1); }, "The property 'Ascent' is READ ONLY.");
  ExpectPanic([&] { font->OnSetDescent(1); }, "The property 'Descent' is READ ONLY.");
  ExpectPanic([&] { font->OnSetExtLeading(1); }, "The property 'ExtLeading' is READ ONLY.");
}

}  // namespace
