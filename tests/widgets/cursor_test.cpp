// The focus frame and the navigator: where they put themselves around a
// client rectangle.
#include <gtest/gtest.h>

#include "Cursor/FocusFrame.h"
#include "Cursor/Navigator.h"
#include "widgets_fixture.h"

namespace WidgetsTest {

class CountingFrame : public Cursor::FocusFrame {
  VG_CLASS()
 public:
  void Refresh(XObject* sender) override {
    ++refreshes;
    FocusFrame::Refresh(sender);
  }
  int refreshes = 0;
};

}  // namespace WidgetsTest

VG_DEFINE_CLASS(WidgetsTest, CountingFrame, Cursor::FocusFrame)

namespace WidgetsTest {
namespace {

TEST_F(Widgets, FocusFrameSurroundsTheLastClientOfAPassOnce) {
  auto* frame = VgNew<CountingFrame>();
  top->Add(frame, 0);
  frame->OnSetBorderWidth(4);
  frame->OnSetClientBounds({0, 0, 10, 10});
  frame->OnSetClientBounds({5, 5, 50, 50});
  frame->OnSetClientBounds({100, 50, 300, 90});
  EXPECT_EQ(frame->refreshes, 0);
  Advance(0);
  EXPECT_EQ(frame->refreshes, 1);
  EXPECT_EQ(frame->Bounds, (VgRect{96, 46, 304, 94}));
  EXPECT_EQ(frame->frame.Bounds, (VgRect{0, 0, 208, 48}));
  EXPECT_FALSE(frame->frame.DrawInterior);
}

class NavigatorTest : public Widgets {
 protected:
  void SetUp() override {
    Widgets::SetUp();
    navigator = VgNew<Cursor::Navigator>();
    top->Add(navigator, 0);
  }
  void WithArrows() {
    navigator->OnSetUpBitmap(Blank({20, 10}));
    navigator->OnSetDownBitmap(Blank({20, 10}));
    navigator->OnSetLeftBitmap(Blank({10, 20}));
    navigator->OnSetRightBitmap(Blank({10, 20}));
  }
  Cursor::Navigator* navigator = nullptr;
};

TEST_F(NavigatorTest, ArrowsWithoutBitmapsLeaveTheClientAsTheBox) {
  navigator->OnSetClientBounds({100, 100, 200, 150});
  Advance(0);
  EXPECT_EQ(navigator->Bounds, (VgRect{100, 100, 200, 150}));
}

TEST_F(NavigatorTest, TheBoxMakesRoomForEachArrowCentredOnItsSide) {
  WithArrows();
  navigator->OnSetClientBounds({100, 100, 200, 150});
  Advance(0);
  EXPECT_EQ(navigator->Bounds, (VgRect{90, 90, 210, 160}));
  EXPECT_EQ(navigator->upArrow.Bounds, (VgRect{50, 0, 70, 10}));
  EXPECT_EQ(navigator->downArrow.Bounds, (VgRect{50, 60, 70, 70}));
  EXPECT_EQ(navigator->leftArrow.Bounds, (VgRect{0, 25, 10, 45}));
  EXPECT_EQ(navigator->rightArrow.Bounds, (VgRect{110, 25, 120, 45}));

  // Hiding an arrow keeps its room.
  navigator->OnSetUp(false);
  navigator->OnSetDown(true);
  navigator->OnSetClientBounds({100, 100, 200, 150});
  Advance(0);
  EXPECT_FALSE(navigator->upArrow.Visible);
  EXPECT_TRUE(navigator->downArrow.Visible);
  EXPECT_EQ(navigator->Bounds, (VgRect{90, 90, 210, 160}));
}

TEST_F(NavigatorTest, OffsetsMoveArrowsOrTheEdgesOfTheBox) {
  WithArrows();
  navigator->OnSetUpOffset({3, -5});    // the top edge rises, the arrow moves right
  navigator->OnSetDownOffset({0, 4});   // the bottom edge and the arrow drop
  navigator->OnSetLeftOffset({-6, 2});  // the left edge widens, the arrow drops
  navigator->OnSetRightOffset({-3, 0}); // the arrow moves in, the edge stays
  navigator->OnSetClientBounds({100, 100, 200, 150});
  Advance(0);
  EXPECT_EQ(navigator->Bounds, (VgRect{84, 85, 210, 164}));
  EXPECT_EQ(navigator->upArrow.Bounds.x1, 53);
  EXPECT_EQ(navigator->downArrow.Bounds.y1, 64);
  EXPECT_EQ(navigator->leftArrow.Bounds.y1, 27);
  EXPECT_EQ(navigator->rightArrow.Bounds.x1, 107);
}

}  // namespace
}  // namespace WidgetsTest
