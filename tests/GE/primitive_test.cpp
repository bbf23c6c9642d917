// Exact pixels of the drawing primitives on small bitmaps.
#include <map>
#include <vector>

#include "WuLine.h"
#include "ge_test_support.h"

namespace {

using Points = std::vector<std::string>;
using PrimitiveTest = EngineTest;

constexpr GenColor kRed = 0xFFFF0000;
constexpr GenColor kBlue = 0xFF0000FF;

// "x,y" for every point of the rectangle [x1, x2) x [y1, y2), in row order.
Points Block(int x1, int y1, int x2, int y2) {
  Points out;
  for (int y = y1; y < y2; ++y)
    for (int x = x1; x < x2; ++x) out.push_back(std::to_string(x) + "," + std::to_string(y));
  return out;
}

TEST(GenBlendTest, MovesTowardsTheColourByFlooredSteps) {
  // Blue to red at weight 128: red rises by floor(255 * 128 / 256) = 127, blue
  // falls by floor(-255 * 128 / 256) = -128 (floored, not truncated to -127).
  EXPECT_EQ(GenBlend(0xFF0000FF, 0x80FF0000, 128), 0xFF7F007Fu);
  // Alpha moves towards opaque by the weight.
  EXPECT_EQ(GenBlend(0x00000000, 0x80FFFFFF, 128), 0x7F7F7F7Fu);
  EXPECT_EQ(GenBlend(0x12345678, 0xFFFFFFFF, 0), 0x12345678u);
}

// The run blends that outlines and indexed copies use are the same rule: every
// weight over destinations and colours that reach each channel's extremes.
TEST(GenBlendTest, RunBlendsGiveThePixelRule) {
  std::vector<GenColor> samples;
  for (uint32_t v = 0; v < 256; v += 15) samples.push_back(GenMakeColor(v, 255 - v, v / 3, 255 - v / 2));
  samples.push_back(0xFFFFFFFF);
  samples.push_back(0x00000000);
  for (uint32_t weight = 0; weight <= 255; ++weight) {
    for (GenColor colour : samples) {
      std::vector<GenColor> run = samples;
      GenBlendSpan(run.data(), static_cast<int32_t>(run.size()), colour, weight);
      std::vector<GenColor> each = samples;
      std::vector<GenColor> colours(samples.size(), colour);
      std::vector<uint32_t> weights(samples.size(), weight == 255 ? 256 : weight);
      GenBlendSpanWeighted(each.data(), colours.data(), weights.data(), static_cast<int32_t>(each.size()));
      for (size_t i = 0; i < samples.size(); ++i) {
        GenColor expected = samples[i];
        GenPutPixel(&expected, colour, weight);
        if (weight < 255) {
          ASSERT_EQ(run[i], expected) << std::hex << samples[i] << " " << colour << " " << weight;
        }
        if (weight == 255 && GenColorAlpha(colour) != 255) continue;  // stored, not blended
        ASSERT_EQ(each[i], expected) << std::hex << samples[i] << " " << colour << " " << weight;
      }
    }
  }
}

TEST_F(PrimitiveTest, FillCornersInEitherOrderCoverTheSameKindOfArea) {
  GenBitmap* b = Make(16, 16);
  GenFillRectangle(b, nullptr, kRed, 10, 10, 5, 5, 0);
  EXPECT_EQ(Touched(b, 0), Block(6, 6, 11, 11));
}

TEST_F(PrimitiveTest, FillIsCutToTheClipAndTheBitmap) {
  GenBitmap* b = Make(8, 8);
  const GenRect clip{-5, 2, 6, 100};
  GenFillRectangle(b, &clip, kRed, -3, -3, 20, 20, 0);
  EXPECT_EQ(Touched(b, 0), Block(0, 2, 6, 8));

  // Corners at the ends of the coordinate range neither overflow nor wrap.
  GenBitmap* c = Make(8, 8);
  GenFillRectangle(c, nullptr, kRed, INT32_MAX, INT32_MAX, 5, 5, 0);
  GenDrawRectangle(c, nullptr, kBlue, INT32_MIN, 0, INT32_MAX, 1, 0);
  EXPECT_EQ(Touched(c, 0).size(), 8u + 2 * 2);
}

TEST_F(PrimitiveTest, BlendedFillsOfOpaqueOrInvisibleColours) {
  GenBitmap* b = Make(4, 1, kBlue);
  GenFillRectangle(b, nullptr, 0x00FF0000, 0, 0, 4, 1, 1);  // alpha 0: nothing
  EXPECT_TRUE(Touched(b, kBlue).empty());
  GenFillRectangle(b, nullptr, kRed, 0, 0, 2, 1, 1);  // alpha 255: a copy
  EXPECT_EQ(Pixels(b).At(1, 0), kRed);
  EXPECT_EQ(Pixels(b).At(2, 0), kBlue);
}

TEST_F(PrimitiveTest, OutlineIsOnePixelInsideTheRectangle) {
  GenBitmap* b = Make(8, 8);
  GenDrawRectangle(b, nullptr, kRed, 6, 5, 1, 1, 0);  // swapped: (2, 2) to (7, 6)
  EXPECT_EQ(Touched(b, 0), (Points{"2,2", "3,2", "4,2", "5,2", "6,2", "2,3", "6,3", "2,4", "6,4", "2,5", "3,5",
                                   "4,5", "5,5", "6,5"}));
}

TEST_F(PrimitiveTest, OutlineSidesOutsideTheClipAreSkipped) {
  GenBitmap* b = Make(8, 8);
  const GenRect clip{0, 0, 8, 3};
  GenDrawRectangle(b, &clip, kRed, 1, 1, 4, 6, 0);
  EXPECT_EQ(Touched(b, 0), (Points{"1,1", "2,1", "3,1", "1,2", "3,2"}));
}

TEST_F(PrimitiveTest, ThinAndEmptyOutlines) {
  GenBitmap* b = Make(8, 8);
  GenDrawRectangle(b, nullptr, kRed, 1, 1, 4, 2, 0);  // one row high: the top row only
  EXPECT_EQ(Touched(b, 0), (Points{"1,1", "2,1", "3,1"}));
  GenDrawRectangle(b, nullptr, kBlue, 5, 1, 5, 7, 0);  // no width: nothing
  EXPECT_EQ(Touched(b, 0).size(), 3u);
}

TEST_F(PrimitiveTest, StraightLinesDrawTheStartAndNotTheEnd) {
  GenBitmap* b = Make(12, 12);
  GenDrawLine(b, nullptr, kRed, 3, 5, 10, 5, 0);
  EXPECT_EQ(Touched(b, 0), Block(3, 5, 10, 6));

  GenBitmap* c = Make(12, 12);
  GenDrawLine(c, nullptr, kRed, 10, 5, 3, 5, 0);
  EXPECT_EQ(Touched(c, 0), Block(4, 5, 11, 6));

  GenBitmap* d = Make(12, 12);
  GenDrawLine(d, nullptr, kRed, 2, 9, 2, 7, 0);
  GenDrawLine(d, nullptr, kRed, 6, 6, 6, 6, 0);  // a point to itself: nothing
  EXPECT_EQ(Touched(d, 0), (Points{"2,8", "2,9"}));
}

TEST_F(PrimitiveTest, BlendedStraightLinesBlendWithTheColoursAlpha) {
  GenBitmap* b = Make(4, 1, kBlue);
  GenDrawLine(b, nullptr, 0x80FF0000, 0, 0, 2, 0, 1);
  GenDrawLine(b, nullptr, 0x80FF0000, 2, 0, 4, 0, 0);  // copy keeps the alpha
  const GenImage image = Pixels(b);
  EXPECT_EQ(image.At(0, 0), 0xFF7F007Fu);
  EXPECT_EQ(image.At(2, 0), 0x80FF0000u);
}

TEST(WuWalkTest, EachStepCoversOnePixelInAll) {
  std::map<int, double> columns;
  std::vector<int> xs;
  WuWalk(0, 0, 4, 2, [&](int x, int, double coverage) {
    columns[x] += coverage;
    if (xs.empty() || xs.back() != x) xs.push_back(x);
  });
  EXPECT_EQ(xs, (std::vector<int>{0, 1, 2, 3, 4}));
  for (const auto& [x, sum] : columns) EXPECT_DOUBLE_EQ(sum, 1.0) << x;

  std::map<int, double> rows;
  WuWalk(3, 7, 1, 0, [&](int, int y, double coverage) { rows[y] += coverage; });
  EXPECT_EQ(rows.size(), 8u);
  for (const auto& [y, sum] : rows) EXPECT_DOUBLE_EQ(sum, 1.0) << y;
}

TEST(WuWalkTest, ALineCoversTheSamePixelsFromEitherEnd) {
  using Plot = std::map<std::pair<int, int>, double>;
  auto walk = [](int x1, int y1, int x2, int y2) {
    Plot plot;
    WuWalk(x1, y1, x2, y2, [&](int x, int y, double c) { plot[{x, y}] += c; });
    return plot;
  };
  EXPECT_EQ(walk(0, 0, 4, 2), walk(4, 2, 0, 0));
  EXPECT_EQ(walk(0, 3, 5, 1), walk(5, 1, 0, 3));
  EXPECT_EQ(walk(2, 0, 0, 6), walk(0, 6, 2, 0));
  EXPECT_EQ(walk(0, 0, 4, 2).at({4, 2}), 1.0);
}

TEST(WuWalkTest, CoordinatesLeftOfTheOriginKeepCoveragesBetweenZeroAndOne) {
  WuWalk(-6, 2, 0, -1, [](int, int, double c) {
    EXPECT_GE(c, 0.0);
    EXPECT_LE(c, 1.0);
  });
}

TEST(WuLineTest, StraightLinesAreRefusedWithItsMessage) {
  int calls = 0;
  auto count = [](void* context, int32_t, int32_t, GenColor) { ++*static_cast<int*>(context); };
  Console console;
  WuLine(0, 0, 5, 0, kRed, count, &calls);
  EXPECT_EQ(console.Text(), "Support diagonal line only!\n");
  EXPECT_EQ(calls, 0);
}

TEST(WuLineTest, ThePixelFunctionGetsTheCoverageScaledAlpha) {
  std::vector<uint32_t> alphas;
  auto record = [](void* context, int32_t, int32_t, GenColor c) {
    static_cast<std::vector<uint32_t>*>(context)->push_back(GenColorAlpha(c));
  };
  WuLine(0, 0, 2, 1, 0xC8FF0000, record, &alphas);  // y: 0, 0.5, 1
  EXPECT_EQ(alphas, (std::vector<uint32_t>{200, 100, 100, 200}));
}

TEST_F(PrimitiveTest, SlantedLinesStayInsideTheClip) {
  GenBitmap* b = Make(8, 8);
  const GenRect clip{0, 0, 8, 3};
  GenDrawLine(b, &clip, kRed, 0, 0, 7, 7, 0);
  EXPECT_EQ(Touched(b, 0), (Points{"0,0", "1,1", "2,2"}));

  const GenRect away{5, 0, 8, 2};
  GenDrawLine(b, &away, kBlue, 0, 4, 3, 7, 0);  // its box misses the clip
  EXPECT_EQ(Touched(b, 0).size(), 3u);
}

TEST_F(PrimitiveTest, SlantedLinePixelsBlendByCoverage) {
  GenBitmap* b = Make(3, 2, kBlue);
  GenDrawLine(b, nullptr, kRed, 0, 0, 2, 1, 0);
  const GenImage image = Pixels(b);
  EXPECT_EQ(image.At(0, 0), kRed);             // full coverage is stored
  EXPECT_EQ(image.At(1, 0), GenBlend(kBlue, kRed, 127));
  EXPECT_EQ(image.At(1, 1), GenBlend(kBlue, kRed, 127));
  EXPECT_EQ(image.At(0, 1), kBlue);
  EXPECT_EQ(image.At(2, 1), kRed);
}

TEST_F(PrimitiveTest, PixelsOutsideTheDrawingAreaAreLeft) {
  GenBitmap* b = Make(4, 4);
  const GenRect clip{1, 1, 3, 3};
  GenDrawPixel(b, &clip, kRed, 0, 0, 0);
  GenDrawPixel(b, &clip, kRed, 3, 2, 0);
  GenDrawPixel(b, &clip, kRed, 2, 2, 0);
  GenDrawPixel(b, nullptr, kRed, 4, 0, 0);
  GenDrawPixel(b, nullptr, 0x00FF0000, 1, 1, 1);  // blend of alpha 0
  EXPECT_EQ(Touched(b, 0), (Points{"2,2"}));
}

// ------------------------------------------------------------ indexed copies

class Index8Test : public EngineTest {
 protected:
  void SetUp() override {
    source = GenCreateIndex8Bitmap(4, 3);
    ASSERT_NE(source, nullptr);
    const GenColor table[] = {0x00000000, 0xFFFF0000, 0x80FF0000, 0xFF00FF00};
    GenSetColorOfIndex8Bitmap(source, table, 0, 4);
    // Row y holds indexes y + x mod 4, so every pixel tells where it came from.
    uint8_t* p = GenLockIndex8Bitmap(source);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 4; ++x) p[y * 4 + x] = static_cast<uint8_t>((x + y) % 4);
    GenUnlockIndex8Bitmap(source);
  }
  void TearDown() override {
    GenFreeIndex8Bitmap(source);
    EngineTest::TearDown();
  }
  GenIndex8Bitmap* source = nullptr;
};

TEST_F(Index8Test, ACopyWithANegativeOriginShiftsIntoTheClip) {
  GenBitmap* b = Make(6, 6, kBlue);
  const GenRect clip{2, 0, 6, 6};
  // Source x -1 moves the copy one pixel right; the clip then cuts two columns.
  GenCopyIndex8Bitmap(b, &clip, source, 0, 1, -1, 0, 5, 2, 0, 255);
  const GenImage image = Pixels(b);
  EXPECT_EQ(Touched(b, kBlue), (Points{"2,1", "3,1", "4,1", "2,2", "3,2", "4,2"}));
  EXPECT_EQ(image.At(2, 1), source->colors[1]);  // source (1, 0)
  EXPECT_EQ(image.At(4, 1), source->colors[3]);  // source (3, 0)
  EXPECT_EQ(image.At(2, 2), source->colors[2]);  // source (1, 1)
}

TEST_F(Index8Test, BlendingFollowsTheColourAlphaAndTheOpacity) {
  GenBitmap* b = Make(4, 1, kBlue);
  GenCopyIndex8Bitmap(b, nullptr, source, 0, 0, 0, 0, 4, 1, 1, 255);
  GenImage image = Pixels(b);
  EXPECT_EQ(image.At(0, 0), kBlue);                          // alpha 0 skipped
  EXPECT_EQ(image.At(1, 0), 0xFFFF0000u);                    // opaque stored
  EXPECT_EQ(image.At(2, 0), GenCopyBlend(kBlue, 0x80FF0000, 255));  // the copy rule, as a blitted copy

  GenBitmap* c = Make(4, 1, kBlue);
  GenCopyIndex8Bitmap(c, nullptr, source, 0, 0, 0, 0, 4, 1, 1, 100);
  image = Pixels(c);
  EXPECT_EQ(image.At(1, 0), GenCopyBlend(kBlue, kRed, 100));
  EXPECT_EQ(image.At(2, 0), GenCopyBlend(kBlue, 0x80FF0000, 100));

  GenCopyIndex8Bitmap(c, nullptr, source, 0, 0, 0, 0, 4, 1, 0, 0);  // a copy ignores opacity
  EXPECT_EQ(Pixels(c).At(0, 0), 0u);
}

TEST_F(Index8Test, OpacityZeroDrawsNothing) {
  GenBitmap* b = Make(4, 3, kBlue);
  GenBitmap* picture = Make(4, 3, kRed);
  GenCopyIndex8Bitmap(b, nullptr, source, 0, 0, 0, 0, 4, 3, 1, 0);
  GenCopyBitmap(b, nullptr, picture, 0, 0, 0, 0, 4, 3, 1, 0);
  GenCopyBitmapFrame(b, nullptr, picture, 0, 0, 0, 0, 0, 4, 3, 1, 0);
  GenTileBitmapFrame(b, nullptr, picture, 0, 0, 0, 0, 0, 4, 3, 2, 2, 1, 0);
  GenScaleBitmap(b, nullptr, picture, 0, 0, 4, 3, 0, 0, 2, 2, 1, 0);
  EXPECT_TRUE(Touched(b, kBlue).empty());
}

// ----------------------------------------------------------- frames, tiles

// A source whose every pixel is a distinct opaque colour: (x, y) is 0xFF00xxyy.
GenBitmap* Numbered(EngineTest&, GenBitmap* b) {
  for (int y = 0; y < b->height; ++y)
    for (int x = 0; x < b->width; ++x) GenDrawPixel(b, nullptr, 0xFF000000 | x << 8 | y, x, y, 0);
  return b;
}

TEST_F(PrimitiveTest, AFrameCopyFoldsANegativeSourceOffsetIntoTheDestination) {
  GenBitmap* strip = Numbered(*this, Make(30, 4));
  strip->frameWidth = 10;
  GenBitmap* b = Make(20, 4);
  GenCopyBitmapFrame(b, nullptr, strip, 1, 0, 0, -3, 0, 10, 1, 0, 255);
  const GenImage image = Pixels(b);
  EXPECT_EQ(Touched(b, 0), Block(3, 0, 10, 1));
  EXPECT_EQ(image.At(3, 0), 0xFF000A00u);  // frame 1 starts at source x 10
  EXPECT_EQ(image.At(9, 0), 0xFF001000u);
}

TEST_F(PrimitiveTest, FramesBeyondTheSourceDrawNothing) {
  GenBitmap* strip = Numbered(*this, Make(30, 4));
  strip->frameWidth = 10;
  GenBitmap* b = Make(20, 4);
  GenCopyBitmapFrame(b, nullptr, strip, 3, 0, 0, 0, 0, 10, 4, 0, 255);
  strip->frameWidth = 31;
  GenCopyBitmapFrame(b, nullptr, strip, 0, 0, 0, 0, 0, 10, 4, 0, 255);
  EXPECT_TRUE(Touched(b, 0).empty());
}

TEST_F(PrimitiveTest, TilesStayAlignedToTheirOriginWhenClipped) {
  GenBitmap* tile = Numbered(*this, Make(10, 10));
  GenBitmap* b = Make(40, 40);
  const GenRect clip{12, 0, 100, 100};
  GenTileBitmapFrame(b, &clip, tile, 0, 5, 5, 0, 0, 25, 25, 10, 10, 0, 255);
  const GenImage image = Pixels(b);
  EXPECT_EQ(Touched(b, 0), Block(12, 5, 30, 30));
  EXPECT_EQ(image.At(12, 5), 0xFF000700u);  // the first column starts at x 5
  EXPECT_EQ(image.At(15, 15), 0xFF000000u);
  EXPECT_EQ(image.At(29, 29), 0xFF000404u);
}

TEST_F(PrimitiveTest, ScalingLeavesTheSurfaceClipAsItWas) {
  GenBitmap* picture = Make(2, 2, kRed);
  GenBitmap* b = Make(8, 8);
  const GenRect clip{0, 0, 2, 2};
  GenScaleBitmap(b, &clip, picture, 0, 0, 4, 4, 0, 0, 2, 2, 0, 255);
  EXPECT_EQ(Touched(b, 0), Block(0, 0, 2, 2));
  // A later fill of the whole bitmap must not be cut by the scaling's clip.
  GenFillRectangle(b, nullptr, kBlue, 0, 0, 8, 8, 0);
  EXPECT_TRUE(Touched(b, kBlue).empty());
}

TEST_F(PrimitiveTest, NullBitmapsAreReportedByEveryPrimitive) {
  GenBitmap* b = Make(2, 2);
  Console console;
  GenFillRectangle(nullptr, nullptr, kRed, 0, 0, 1, 1, 0);
  GenDrawRectangle(nullptr, nullptr, kRed, 0, 0, 1, 1, 0);
  GenDrawLine(nullptr, nullptr, kRed, 0, 0, 1, 1, 0);
  GenDrawPixel(nullptr, nullptr, kRed, 0, 0, 0);
  GenCopyBitmap(b, nullptr, nullptr, 0, 0, 0, 0, 1, 1, 0, 255);
  GenCopyBitmapFrame(b, nullptr, nullptr, 0, 0, 0, 0, 0, 1, 1, 0, 255);
  GenTileBitmapFrame(nullptr, nullptr, b, 0, 0, 0, 0, 0, 1, 1, 1, 1, 0, 255);
  GenScaleBitmap(b, nullptr, nullptr, 0, 0, 1, 1, 0, 0, 1, 1, 0, 255);
  GenCopyIndex8Bitmap(b, nullptr, nullptr, 0, 0, 0, 0, 1, 1, 0, 255);
  const std::string text = console.Text();
  size_t lines = 0;
  for (size_t at = 0; (at = text.find("Invalid parameter given to function. Module GraphicsEngine.cpp", at)) !=
                      std::string::npos;
       ++at)
    ++lines;
  EXPECT_EQ(lines, 9u) << text;
}

}  // namespace
