// Views::Image, Frame and ImageList: alignment, frame animation on the timer,
// the nine cells of a frame with edges switched off, image grids, and lines.
#include <gtest/gtest.h>

#include <vector>

#include "Views/Frame.h"
#include "Views/Image.h"
#include "Views/ImageList.h"
#include "Views/Line.h"
#include "views_fixture.h"

namespace ViewsTest {

// Counts OnFinished signals and keeps their sender.
class Finish : public XObject {
  VG_CLASS()
 public:
  void Done(XObject* sender) {
    ++count;
    last = sender;
  }
  int count = 0;
  XObject* last = nullptr;
};

}  // namespace ViewsTest

VG_DEFINE_CLASS(ViewsTest, Finish, XObject)

namespace {

using ViewsTest::Engine;
using ViewsTest::Finish;
using ViewsTest::Pixels;
using ViewsTest::Strip;

constexpr VgColor kRed{255, 0, 0, 255};
constexpr VgColor kGreen{0, 255, 0, 255};
constexpr VgColor kBlue{0, 0, 255, 255};
constexpr VgColor kWhite{255, 255, 255, 255};
constexpr VgColor kGrey{128, 128, 128, 255};
const std::vector<VgColor> kFour{kRed, kGreen, kBlue, kWhite};

class ImageView : public ViewsTest::ViewsFixture {
 protected:
  Strip* MakeStrip(VgPoint frame, const std::vector<VgColor>& colours, int32_t delay) {
    auto* s = VgNew<Strip>();
    s->Make(frame, colours, delay);
    return s;
  }
  Views::Image* MakeImage(Resources::Bitmap* bitmap, VgRect bounds = {0, 0, 10, 10}) {
    auto* image = VgNew<Views::Image>();
    image->OnSetBounds(bounds);
    image->OnSetBitmap(bitmap);
    top->Add(image, 0);
    return image;
  }
  // The colour the image shows at its top-left pixel.
  GenColor Shown() { return Pixels(Render()).At(0, 0); }
};

TEST_F(ImageView, AOneShotAnimationShowsEveryFrameThenStopsAndSignalsOnce) {
  Views::Image* image = MakeImage(MakeStrip({10, 10}, kFour, 100));
  auto* finish = VgNew<Finish>();
  image->OnSetOnFinished(VgSlotOf<&Finish::Done>(finish));
  image->OnSetFrameNumber(2);
  image->OnSetEndless(false);
  image->OnSetAnimated(true);

  std::vector<GenColor> seen{Shown()};
  for (int step = 0; step < 4; ++step) {
    Advance(100);
    seen.push_back(Shown());
  }
  EXPECT_EQ(seen, (std::vector<GenColor>{Engine(kRed), Engine(kGreen), Engine(kBlue), Engine(kWhite), Engine(kBlue)}))
      << "frames 0 to 3, then FrameNumber";
  EXPECT_EQ(finish->count, 1);
  EXPECT_EQ(finish->last, image);
  EXPECT_FALSE(image->Animated);

  Advance(1000);
  EXPECT_EQ(finish->count, 1);
  EXPECT_EQ(Shown(), Engine(kBlue));
}

TEST_F(ImageView, AnEndlessAnimationWaitsBeginBeforeEachRunAndSignalsAfterEach) {
  Views::Image* image = MakeImage(MakeStrip({10, 10}, {kRed, kGreen}, 100));
  auto* finish = VgNew<Finish>();
  image->OnSetOnFinished(VgSlotOf<&Finish::Done>(finish));
  image->OnSetBegin(50);
  image->OnSetAnimated(true);

  Advance(49);
  EXPECT_EQ(Shown(), Engine(kRed));
  Advance(1);  // Begin
  EXPECT_EQ(Shown(), Engine(kGreen));
  Advance(100);  // past the last frame: the run ends and a new one begins
  EXPECT_EQ(finish->count, 1);
  EXPECT_TRUE(image->Animated);
  EXPECT_EQ(Shown(), Engine(kRed));
  Advance(49);
  EXPECT_EQ(Shown(), Engine(kRed)) << "the new run waits Begin again";
  Advance(1);
  EXPECT_EQ(Shown(), Engine(kGreen));
  Advance(100);
  EXPECT_EQ(finish->count, 2);
}

TEST_F(ImageView, AShortFrameDelayStepsEveryTenMilliseconds) {
  Strip* strip = MakeStrip({10, 10}, kFour, 1);
  Views::Image* image = MakeImage(strip);
  image->OnSetAnimated(true);
  Advance(9);
  EXPECT_EQ(Shown(), Engine(kRed));
  Advance(1);
  EXPECT_EQ(Shown(), Engine(kGreen));
}

TEST_F(ImageView, AnimatedWaitsForAnAnimatedBitmap) {
  Strip* still = MakeStrip({10, 10}, kFour, 0);
  Views::Image* image = MakeImage(still);
  image->OnSetFrameNumber(1);
  image->OnSetAnimated(true);
  Advance(500);
  EXPECT_EQ(Shown(), Engine(kGreen)) << "nothing moves";
  EXPECT_EQ(image->animationTimer.get(), nullptr);

  image->OnSetBitmap(MakeStrip({10, 10}, kFour, 100));
  EXPECT_EQ(Shown(), Engine(kRed)) << "the animation starts from frame 0";
  Advance(100);
  EXPECT_EQ(Shown(), Engine(kGreen));
}

TEST_F(ImageView, AlignmentPlacesTheFrameAndAutoSizeKeepsTheAnchor) {
  Strip* strip = MakeStrip({11, 6}, {kRed}, 0);
  Views::Image* image = MakeImage(strip, {0, 0, 20, 20});
  image->OnSetAlignH(1);
  image->OnSetAlignV(2);
  GenImage pixels = Pixels(Render());
  EXPECT_EQ(pixels.At(3, 14), 0u);
  EXPECT_EQ(pixels.At(4, 14), Engine(kRed)) << "(20 - 11) / 2 = 4";
  EXPECT_EQ(pixels.At(14, 14), Engine(kRed));
  EXPECT_EQ(pixels.At(15, 14), 0u);
  EXPECT_EQ(pixels.At(4, 13), 0u);

  image->OnSetAlignH(2);
  image->OnSetAutoSize(true);
  EXPECT_EQ(image->Bounds, (VgRect{9, 14, 20, 20}));
}

TEST_F(ImageView, AFrameDrawsNineCellsAndSwitchedOffEdgesGiveWayToTheirNeighbours) {
  // A 9 x 9 frame of 3 x 3 cells, each cell its own shade.
  auto* bitmap = VgNew<Strip>();
  bitmap->OnSetSize({9, 9});
  std::vector<GenColor> cell(9);
  for (int i = 0; i < 9; ++i) {
    const VgColor c{static_cast<uint8_t>(20 * i + 10), static_cast<uint8_t>(200 - 20 * i), 7, 255};
    const VgRect r{(i % 3) * 3, (i / 3) * 3, (i % 3) * 3 + 3, (i / 3) * 3 + 3};
    bitmap->DrawRectangle(r, r, c, 0);
    cell[i] = Engine(c);
  }
  bitmap->SetFrames({9, 9}, 0);
  auto* frame = VgNew<Views::Frame>();
  frame->OnSetBounds({10, 10, 30, 25});
  frame->OnSetBitmap(bitmap);
  top->Add(frame, 0);

  GenImage all = Pixels(Render());
  EXPECT_EQ(all.At(10, 10), cell[0]);
  EXPECT_EQ(all.At(20, 10), cell[1]);
  EXPECT_EQ(all.At(29, 12), cell[2]);
  EXPECT_EQ(all.At(29, 17), cell[5]);
  EXPECT_EQ(all.At(20, 17), cell[4]);
  EXPECT_EQ(all.At(10, 17), cell[3]);
  EXPECT_EQ(all.At(10, 24), cell[6]);
  EXPECT_EQ(all.At(20, 24), cell[7]);
  EXPECT_EQ(all.At(29, 24), cell[8]);
  EXPECT_EQ(all.At(9, 9), 0u);
  EXPECT_EQ(all.At(30, 25), 0u);

  frame->OnSetDrawLeftEdge(false);
  GenImage noLeft = Pixels(Render());
  EXPECT_EQ(noLeft.At(10, 10), cell[1]) << "the upper edge reaches the left border";
  EXPECT_EQ(noLeft.At(10, 17), cell[4]);
  EXPECT_EQ(noLeft.At(10, 24), cell[7]);
  EXPECT_EQ(noLeft.At(9, 17), 0u) << "nothing outside the view";

  for (auto set : {&Views::Frame::OnSetDrawUpperEdge, &Views::Frame::OnSetDrawRightEdge,
                   &Views::Frame::OnSetDrawBottomEdge})
    (frame->*set)(false);
  GenImage interior = Pixels(Render());
  for (int y = 10; y < 25; ++y)
    for (int x = 10; x < 30; ++x) ASSERT_EQ(interior.At(x, y), cell[4]) << x << "," << y;

  frame->OnSetDrawInterior(false);
  GenImage none = Pixels(Render());
  EXPECT_EQ(none.At(20, 17), 0u);
}

TEST_F(ImageView, AnImageListShowsOneCellOfItsGrid) {
  auto* bitmap = VgNew<Strip>();
  bitmap->OnSetSize({8, 8});
  const VgColor colours[4] = {kRed, kGreen, kBlue, kGrey};
  for (int i = 0; i < 4; ++i) {
    const VgRect r{(i % 2) * 4, (i / 2) * 4, (i % 2) * 4 + 4, (i / 2) * 4 + 4};
    bitmap->DrawRectangle(r, r, colours[i], 0);
  }
  auto* list = VgNew<Views::ImageList>();
  list->OnSetBounds({0, 0, 12, 12});
  list->OnSetBitmap(bitmap);
  list->OnSetAlignH(1);
  list->OnSetAlignV(1);
  list->OnSetImageNumber(3);
  top->Add(list, 0);
  GenImage pixels = Pixels(Render());
  EXPECT_EQ(pixels.At(4, 4), Engine(kGrey));
  EXPECT_EQ(pixels.At(7, 7), Engine(kGrey));
  EXPECT_EQ(pixels.At(3, 4), 0u);
  EXPECT_EQ(pixels.At(8, 8), 0u);

  list->OnSetImageNumber(5);  // a row below the bitmap
  EXPECT_EQ(Pixels(Render()).At(4, 4), 0u);
  list->OnSetImageNumber(-2);
  EXPECT_EQ(list->ImageNumber, 0);
  list->OnSetImageSize({0, -3});
  EXPECT_EQ(list->ImageSize, (VgPoint{1, 1}));
  list->OnSetImageSize({9, 4});  // wider than the bitmap: nothing to show
  EXPECT_EQ(Pixels(Render()).At(6, 6), 0u);

  list->OnSetImageSize({4, 4});
  list->OnSetAutoSize(true);
  EXPECT_EQ(list->Bounds, (VgRect{4, 4, 8, 8}));
}

TEST_F(ImageView, ALineCoversBothEndPoints) {
  auto* line = VgNew<Views::Line>();
  line->OnSetPoint1({10, 10});
  line->OnSetPoint2({5, 20});
  EXPECT_EQ(line->GetExtent(), (VgRect{5, 10, 11, 21}));
  line->MoveView({1, 2});
  EXPECT_EQ(line->Point1, (VgPoint{11, 12}));
  EXPECT_EQ(line->Point2, (VgPoint{6, 22}));
}

}  // namespace
