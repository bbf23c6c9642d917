// The canvas: sizes and pixels, colour conversion, borders, bitmaps, buffers,
// text with shadows, and a reference picture of every font of the Fonts unit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "Fonts/Fonts.h"
#include "GenPng.h"
#include "golden.h"
#include "Graphics/Buffer.h"
#include "Graphics/Canvas.h"
#include "Graphics/RootCanvas.h"
#include "Resources/Font.h"
#include "resource_support.h"
#include "vgstring.h"

namespace GraphicsTest {

// Counts the reallocations a size change causes.
class CountingCanvas : public Graphics::Canvas {
  VG_CLASS()
 public:
  void Realloc(int32_t width, int32_t height) override {
    ++reallocs;
    Canvas::Realloc(width, height);
  }
  int reallocs = 0;
};

}  // namespace GraphicsTest

VG_DEFINE_CLASS(GraphicsTest, CountingCanvas, Graphics::Canvas)

namespace GraphicsTest {
namespace {

constexpr VgRect kAll{0, 0, 10000, 10000};
constexpr VgColor kRed{255, 0, 0, 255};

class CanvasTest : public ResourceTest {
 protected:
  Graphics::Canvas* NewCanvas(int32_t width, int32_t height) {
    auto* canvas = VgNew<Graphics::Canvas>();
    canvas->OnSetSize({width, height});
    return canvas;
  }
  static GenImage Pixels(const Graphics::Canvas* canvas) {
    GenImage image;
    EXPECT_TRUE(GenReadBitmap(canvas->EngineBitmap(), &image));
    return image;
  }
  // The canvas as rows of '#' (the pixel is set) and '.' (transparent).
  static std::vector<std::string> Picture(const Graphics::Canvas* canvas) {
    const GenImage image = Pixels(canvas);
    std::vector<std::string> rows;
    for (int32_t y = 0; y < image.height; ++y) {
      std::string row;
      for (int32_t x = 0; x < image.width; ++x) row += image.At(x, y) ? '#' : '.';
      rows.push_back(row);
    }
    return rows;
  }
};

TEST_F(CanvasTest, SizeMakesThePixels) {
  auto* canvas = VgNew<CountingCanvas>();
  EXPECT_EQ(canvas->EngineBitmap(), nullptr);
  canvas->OnSetSize({0, 100});
  EXPECT_EQ(canvas->OnGetSize(), (VgPoint{0, 0}));
  EXPECT_EQ(canvas->reallocs, 0) << "0 x 0 is the size it already has";
  canvas->DrawRectangle(kAll, {0, 0, 10, 10}, kRed, 0);  // nothing to draw into

  canvas->OnSetSize({20, 10});
  canvas->OnSetSize({20, 10});
  EXPECT_EQ(canvas->reallocs, 1);
  ASSERT_NE(canvas->EngineBitmap(), nullptr);
  EXPECT_EQ(canvas->OnGetFrameSize(), (VgPoint{20, 10}));
  EXPECT_EQ(canvas->OnGetNoOfFrames(), 0);
  EXPECT_EQ(Pixels(canvas).pixels, std::vector<GenColor>(200, 0)) << "new pixels are transparent";

  canvas->OnSetSize({-1, 10});
  EXPECT_EQ(canvas->OnGetSize(), (VgPoint{0, 0}));
  EXPECT_EQ(canvas->EngineBitmap(), nullptr);
  EXPECT_EQ(canvas->reallocs, 2);
}

TEST_F(CanvasTest, ColoursBecomeEngineWords) {
  Graphics::Canvas* canvas = NewCanvas(2, 1);
  canvas->DrawPixel(kAll, {1, 0}, {0x11, 0x22, 0x33, 0x44}, 0);
  EXPECT_EQ(Pixels(canvas).At(1, 0), 0x44112233u);
  EXPECT_EQ(Graphics::Canvas::EngineColor({1, 2, 3, 4}), 0x04010203u);
}

TEST_F(CanvasTest, BorderStripsOfA15By8Canvas) {
  Graphics::Canvas* wide = NewCanvas(15, 8);
  wide->DrawBorder(kAll, {0, 0, 15, 8}, kRed, 10, 0);
  EXPECT_EQ(Picture(wide), std::vector<std::string>(8, "###############"))
      << "the side strips overlap; top and bottom are empty";

  Graphics::Canvas* ring = NewCanvas(15, 8);
  ring->DrawBorder(kAll, {1, 1, 14, 7}, kRed, 2, 0);
  EXPECT_EQ(Picture(ring), (std::vector<std::string>{"...............",
                                                     ".#############.",
                                                     ".#############.",
                                                     ".##.........##.",
                                                     ".##.........##.",
                                                     ".#############.",
                                                     ".#############.",
                                                     "..............."}));

  Graphics::Canvas* clipped = NewCanvas(15, 8);
  clipped->DrawBorder({0, 0, 15, 3}, {0, 0, 15, 8}, kRed, 1, 0);
  EXPECT_EQ(Picture(clipped)[2], "#.............#");
  EXPECT_EQ(Picture(clipped)[3], "...............");

  Graphics::Canvas* none = NewCanvas(15, 8);
  none->DrawBorder(kAll, {0, 0, 15, 8}, kRed, -3, 0);
  EXPECT_EQ(Picture(none), std::vector<std::string>(8, "..............."));
}

TEST_F(CanvasTest, DrawBitmapCopiesEveryFrame) {
  TestBitmap strip(12, 2, 4, 2, 100);  // three frames side by side
  auto* bitmap = vg_cast<Resources::Bitmap>(VgLoadResource(strip.Constant(), &Resources::Bitmap::Class));
  Graphics::Canvas* canvas = NewCanvas(14, 3);
  canvas->DrawBitmap(kAll, {1, 1}, bitmap, 0, 255);
  GenImage image = Pixels(canvas);
  EXPECT_EQ(image.At(1, 1), 0xFF000001u);
  EXPECT_EQ(image.At(12, 2), 0xFF000003u);
  EXPECT_EQ(image.At(13, 2), 0u);

  Graphics::Canvas* frame = NewCanvas(14, 3);
  frame->DrawBitmapFrame(kAll, {0, 0}, bitmap, 1, 0, 255);
  image = Pixels(frame);
  EXPECT_EQ(image.At(0, 0), 0xFF000002u);
  EXPECT_EQ(image.At(3, 1), 0xFF000002u);
  EXPECT_EQ(image.At(4, 0), 0u);

  frame->DrawBitmap(kAll, {0, 0}, nullptr, 0, 255);  // nothing happens
  frame->DrawBitmap(kAll, {0, 0}, VgNew<Resources::Bitmap>(), 0, 255);
  EXPECT_EQ(Pixels(frame).pixels, image.pixels);
}

TEST_F(CanvasTest, TileRepeatsTheSourceRectangle) {
  TestBitmap strip(4, 2, 2, 2, 0);  // frames 0 and 1
  auto* bitmap = vg_cast<Resources::Bitmap>(VgLoadResource(strip.Constant(), &Resources::Bitmap::Class));
  Graphics::Canvas* canvas = NewCanvas(6, 2);
  canvas->TileBitmapFrame(kAll, {0, 0, 5, 2}, bitmap, 1, {0, 0, 1, 2}, 0, 255);
  EXPECT_EQ(Picture(canvas), (std::vector<std::string>{"#####.", "#####."}));
  EXPECT_EQ(Pixels(canvas).At(4, 1), 0xFF000002u);
}

TEST_F(CanvasTest, BuffersDrawThroughTheirColourTable) {
  auto* buffer = VgNew<Graphics::Buffer>();
  buffer->OnSetSize({2, 1});
  ASSERT_NE(buffer->EngineBitmap(), nullptr);
  buffer->SetColor({0, 0, 255, 255}, 1);
  GenLockIndex8Bitmap(buffer->EngineBitmap())[1] = 1;
  Graphics::Canvas* canvas = NewCanvas(3, 1);
  canvas->DrawBuffer(kAll, {1, 0}, buffer, 0, 255);
  const GenImage image = Pixels(canvas);
  EXPECT_EQ(image.At(1, 0), 0u) << "index 0 is transparent black";
  EXPECT_EQ(image.At(2, 0), 0xFF0000FFu);

  buffer->OnSetSize({0, 0});
  EXPECT_EQ(buffer->EngineBitmap(), nullptr);
  canvas->DrawBuffer(kAll, {0, 0}, buffer, 0, 255);
}

TEST_F(CanvasTest, RootCanvasDrawsIntoTheWindow) {
  auto* root = VgNew<Graphics::RootCanvas>();
  root->OnSetSize({96, 54});
  ASSERT_NE(root->EngineBitmap(), nullptr);
  EXPECT_NE(root->EngineBitmap()->window, nullptr);
  EXPECT_EQ(MoskMainWindow, root->EngineBitmap()->window);
  root->DrawRectangle(kAll, {0, 0, 2, 2}, kRed, 0);
  EXPECT_EQ(Pixels(root).At(1, 1), 0xFFFF0000u);
  root->OnSetSize({0, 0});
  EXPECT_EQ(root->EngineBitmap(), nullptr);
}

// Shadow copies come first, in the colour and at the offsets of the mode, then
// the text; the same picture as drawing each copy in turn.
TEST_F(CanvasTest, ShadowModesDrawCopiesBeforeTheText) {
  auto* font = vg_cast<Resources::Font>(VgLoadResource(&Fonts::MediumFont, &Resources::Font::Class));
  VgStr text = VgNewStringAnsi("Ag");
  const VgColor white{255, 255, 255, 255};
  const VgColor shadow{0, 0, 0, 200};
  const struct {
    int32_t mode;
    std::vector<VgPoint> copies;
  } cases[] = {
      {0, {}},
      {1, {{1, 1}}},
      {2, {{2, 0}, {0, 2}, {2, 2}}},
      {3, {{3, 0}, {0, 3}, {2, 1}, {1, 2}, {3, 3}}},
      {7, {}},
  };
  for (const auto& c : cases) {
    Graphics::Canvas* actual = NewCanvas(40, 30);
    actual->DrawTextEx(kAll, {4, 20}, 0, white, shadow, c.mode, font, text, 0, 0, 1);
    Graphics::Canvas* expected = NewCanvas(40, 30);
    for (VgPoint offset : c.copies)
      expected->DoDrawText(kAll, {4 + offset.x, 20 + offset.y}, 0, shadow, font, text, 0, 0, 1);
    expected->DoDrawText(kAll, {4, 20}, 0, white, font, text, 0, 0, 1);
    EXPECT_EQ(Pixels(actual).pixels, Pixels(expected).pixels) << "shadow mode " << c.mode;
  }
  // Four draws in mode 2: with the shadow alone, its three copies differ from one.
  Graphics::Canvas* one = NewCanvas(40, 30);
  Graphics::Canvas* two = NewCanvas(40, 30);
  one->DrawTextEx(kAll, {4, 20}, 0, white, shadow, 1, font, text, 0, 0, 1);
  two->DrawTextEx(kAll, {4, 20}, 0, white, shadow, 2, font, text, 0, 0, 1);
  EXPECT_NE(Pixels(one).pixels, Pixels(two).pixels);
}

TEST_F(CanvasTest, TextIsClippedAndMissingArgumentsDrawNothing) {
  auto* font = vg_cast<Resources::Font>(VgLoadResource(&Fonts::MediumFont, &Resources::Font::Class));
  Graphics::Canvas* canvas = NewCanvas(40, 30);
  canvas->DrawText(kAll, {2, 20}, kRed, font, nullptr, 0);
  canvas->DrawText(kAll, {2, 20}, kRed, VgNew<Resources::Font>(), VgNewStringAnsi("A"), 0);
  canvas->DoDrawText(kAll, {2, 20}, 0, kRed, font, VgNewStringAnsi("AB"), 2, 0, 0);
  EXPECT_EQ(Picture(canvas), std::vector<std::string>(30, std::string(40, '.')));
  canvas->DoDrawText({0, 0, 10, 30}, {2, 20}, 0, kRed, font, VgNewStringAnsi("AB"), 0, 0, 0);
  const std::vector<std::string> picture = Picture(canvas);
  int inked = 0;
  for (const std::string& row : picture) {
    EXPECT_EQ(row.find('#', 10), std::string::npos) << "outside the clip";
    inked += static_cast<int>(std::count(row.begin(), row.end(), '#'));
  }
  EXPECT_GT(inked, 10);
}

// Reference picture: every font of the Fonts unit, one line each, plain and
// with a shadow.
TEST_F(CanvasTest, GoldenTextInEveryFontOfTheUnit) {
  Graphics::Canvas* canvas = NewCanvas(960, 540);
  canvas->DrawRectangle(kAll, {0, 0, 960, 540}, {16, 32, 64, 255}, 0);
  int32_t y = 4;
  for (const Fonts::FontInfo& info : Fonts::All) {
    auto* font = vg_cast<Resources::Font>(VgLoadResource(info.font, &Resources::Font::Class));
    y += font->OnGetAscent();
    VgStr line = VgNewStringUtf8((std::string(info.name) + " " + std::to_string(info.height) +
                                  ": Quick fox, 0123 \u00e9\u00fc\u00df")
                                     .c_str());
    canvas->DrawTextEx(kAll, {8, y}, 0, {240, 240, 240, 255}, {0, 0, 0, 160}, 1, font, line, 0, 0, 1);
    y += font->OnGetDescent() + font->OnGetExtLeading() + 2;
  }
  ASSERT_LE(y, 540);

  ExpectGolden(Pixels(canvas), std::string(GRAPHICS_GOLDEN_DIR) + "/fonts.png");
}

}  // namespace
}  // namespace GraphicsTest
