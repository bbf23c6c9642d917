// Bars: the value model's keys and the layout of the indicator in every
// sizing mode, horizontal, vertical and inverse.
#include <gtest/gtest.h>

#include "Progress/Progress.h"
#include "widgets_fixture.h"

namespace WidgetsTest {
namespace {

constexpr uint16_t kDecrease = 6, kIncrease = 7;

class ProgressTest : public Widgets {
 protected:
  void SetUp() override {
    Widgets::SetUp();
    bar = VgNew<::Progress::Progress>();
    top->Add(bar, 0);
    bar->OnSetBounds({0, 0, 200, 20});
    bar->OnSetIndicatorTopLeft({10, 0});
    bar->OnSetIndicatorBottomRight({10, 0});
    bar->OnSetOnValueChanged(listener->Slot());
  }
  // Lays the bar out at the value and answers where the indicator stands.
  int32_t At(int32_t value) {
    bar->OnSetValue(value);
    Advance(0);
    return bar->CurrentIndicatorPos;
  }
  ::Progress::Progress* bar = nullptr;
};

TEST_F(ProgressTest, WithoutBitmapsThePositionRunsAlongTheTrack) {
  EXPECT_EQ(At(50), 100);
  EXPECT_EQ(At(0), 10);
  EXPECT_EQ(At(100), 190);
  bar->OnSetInverse(true);
  EXPECT_EQ(At(0), 190);
  EXPECT_EQ(At(25), 145);
}

TEST_F(ProgressTest, AnEmptyRangeBecomesOneStep) {
  bar->OnSetMax(0);
  EXPECT_EQ(At(0), 10);
  EXPECT_EQ(bar->Max, 1);
}

TEST_F(ProgressTest, KeysStepTheValueAndAlwaysReport) {
  bar->OnSetValue(99);
  EXPECT_EQ(bar->HandleEvent(Press(kIncrease)), bar);
  EXPECT_EQ(bar->HandleEvent(Press(kIncrease)), bar);
  EXPECT_EQ(bar->Value, 100);
  EXPECT_EQ(listener->count, 2);
  bar->OnSetStep(30);
  bar->HandleEvent(Press(kDecrease));
  EXPECT_EQ(bar->Value, 70);
  EXPECT_EQ(bar->HandleEvent(Press(1)), nullptr);

  bar->OnSetReadOnly(true);
  EXPECT_EQ(bar->HandleEvent(Press(kIncrease)), nullptr);
  EXPECT_EQ(bar->Value, 70);
  EXPECT_EQ(listener->count, 3);
}

TEST_F(ProgressTest, AFrameIndicatorInEachSizingMode) {
  bar->OnSetIndicatorFrameBitmap(Blank({12, 12}));  // cells of 4
  EXPECT_EQ(At(50), 106);  // a square thumb
  EXPECT_EQ(bar->indicatorFrame.Bounds, (VgRect{90, 0, 110, 20}));

  bar->OnSetStretchIndicator(::Progress::ProgressClass::StretchStep);
  EXPECT_EQ(At(50), 101);
  EXPECT_EQ(bar->indicatorFrame.Bounds, (VgRect{104, 0, 105, 20}));
  At(0);  // at the start the step reaches back to the track's start
  EXPECT_EQ(bar->indicatorFrame.Bounds, (VgRect{10, 0, 19, 20}));

  bar->OnSetStretchIndicator(::Progress::ProgressClass::StretchGrow);
  EXPECT_EQ(At(50), 100);
  EXPECT_EQ(bar->indicatorFrame.Bounds, (VgRect{10, 0, 104, 20}));
  At(0);
  EXPECT_EQ(VgGetRectW(bar->indicatorFrame.Bounds), 0);
}

// An inverse bar starts at its maximum: there it is empty, at its minimum full.
TEST_F(ProgressTest, AnInverseGrowingIndicatorIsFullAtTheMinimum) {
  bar->OnSetIndicatorFrameBitmap(Blank({12, 12}));
  bar->OnSetStretchIndicator(::Progress::ProgressClass::StretchGrow);
  bar->OnSetInverse(true);
  At(0);
  EXPECT_EQ(bar->indicatorFrame.Bounds, (VgRect{10, 0, 190, 20}));
  At(100);
  EXPECT_EQ(VgGetRectW(bar->indicatorFrame.Bounds), 0);
}

TEST_F(ProgressTest, AnImageIndicatorInEachSizingMode) {
  bar->OnSetIndicatorImageBitmap(Blank({48, 48}));
  EXPECT_EQ(At(50), 124);  // centred on the position, its size kept
  EXPECT_EQ(bar->indicatorImage.Bounds, (VgRect{76, 0, 124, 48}));

  bar->OnSetStretchIndicator(::Progress::ProgressClass::StretchStep);
  EXPECT_EQ(At(50), 101);
  EXPECT_EQ(bar->indicatorImage.Bounds, (VgRect{100, 0, 101, 48}));

  bar->OnSetStretchIndicator(::Progress::ProgressClass::StretchGrow);
  EXPECT_EQ(At(50), 100);
  EXPECT_EQ(At(0), 10);
  EXPECT_EQ(VgGetRectW(bar->indicatorImage.Bounds), 0);
}

TEST_F(ProgressTest, AVerticalBarMeasuresDownwards) {
  bar->OnSetBounds({0, 0, 20, 200});
  bar->OnSetPositionMode(0);
  bar->OnSetIndicatorTopLeft({0, 10});
  bar->OnSetIndicatorBottomRight({0, 10});
  EXPECT_EQ(At(25), 55);

  bar->OnSetIndicatorFrameBitmap(Blank({12, 12}));
  bar->OnSetStretchIndicator(::Progress::ProgressClass::StretchStep);
  At(0);  // like a horizontal bar, the step reaches back to the track's start
  EXPECT_EQ(bar->indicatorFrame.Bounds, (VgRect{0, 10, 20, 19}));
}

}  // namespace
}  // namespace WidgetsTest
