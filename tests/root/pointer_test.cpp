// Pointer input through the root: presses, repeats, holds, drags, capture and
// deflection, on the manual clock.
#include <gtest/gtest.h>

#include "Core/CursorEvent.h"
#include "Core/DragEvent.h"
#include "root_fixture.h"

namespace {

using RootTest::Probe;
using RootTest::RootFixture;
using RootTest::TestForm;

class Pointer : public RootFixture {
 protected:
  void SetUp() override {
    RootFixture::SetUp();
    group = VgNew<Core::Group>();
    group->Bounds = {100, 100, 300, 300};
    root->Add(group, 0);
    button = MakeProbe("button", {20, 30, 80, 90});
    group->Add(button, 0);
  }
  Core::CursorEvent* Cursor(size_t i) { return vg_cast<Core::CursorEvent>(button->events.at(i)); }

  Core::Group* group = nullptr;
  Probe* button = nullptr;
};

TEST_F(Pointer, APressAndReleaseReachTheViewUnderThePointerInItsCoordinates) {
  EXPECT_TRUE(root->DriveCursorHitting(true, 0, 150, 160));
  EXPECT_FALSE(root->DriveCursorHitting(true, 0, 150, 160)) << "one press at a time";
  EXPECT_TRUE(root->DriveCursorHitting(false, 0, 152, 161));
  ASSERT_EQ(button->events.size(), 3u) << "press, drag to the release point, release";
  Core::CursorEvent* press = Cursor(0);
  ASSERT_NE(press, nullptr);
  EXPECT_TRUE(press->down);
  EXPECT_EQ(press->position, (VgPoint{30, 30}));
  EXPECT_EQ(press->repeatCount, 0);
  auto* drag = vg_cast<Core::DragEvent>(button->events[1]);
  ASSERT_NE(drag, nullptr);
  EXPECT_EQ(drag->offset, (VgPoint{2, 1}));
  Core::CursorEvent* release = Cursor(2);
  ASSERT_NE(release, nullptr);
  EXPECT_FALSE(release->down);
  EXPECT_FALSE(release->deflected);
  EXPECT_EQ(release->position, (VgPoint{32, 31}));
  EXPECT_EQ(release->startPosition, (VgPoint{30, 30}));
  EXPECT_EQ(root->cursorTarget.get(), nullptr);
  EXPECT_FALSE(root->DriveCursorHitting(false, 0, 152, 161));
}

TEST_F(Pointer, QuickPressesAtThePlaceCountAsRepeats) {
  root->DriveCursorHitting(true, 0, 150, 160);
  root->DriveCursorHitting(false, 0, 150, 160);
  Advance(200);
  root->DriveCursorHitting(true, 0, 154, 156);  // 4 pixels away
  EXPECT_EQ(Cursor(2)->repeatCount, 1);
  root->DriveCursorHitting(false, 0, 154, 156);
  Advance(100);
  root->DriveCursorHitting(true, 0, 159, 156);  // 5 pixels from the last press
  EXPECT_EQ(Cursor(button->events.size() - 1)->repeatCount, 0);
  root->DriveCursorHitting(false, 0, 159, 156);
  Advance(251);
  root->DriveCursorHitting(true, 0, 159, 156);  // too late
  EXPECT_EQ(Cursor(button->events.size() - 1)->repeatCount, 0);
}

TEST_F(Pointer, HoldingRepeatsHoldEventsEvery100Ms) {
  root->DriveCursorHitting(true, 0, 150, 160);
  for (int i = 0; i < 7; ++i) Advance(50);
  ASSERT_EQ(button->events.size(), 4u);
  for (int i = 1; i <= 3; ++i) {
    EXPECT_TRUE(Cursor(i)->down);
    EXPECT_EQ(Cursor(i)->holdTime, 100 * i);
  }
  root->DriveCursorHitting(false, 0, 150, 160);
  EXPECT_EQ(Cursor(4)->holdTime, 300);
  Advance(500);
  EXPECT_EQ(button->events.size(), 5u) << "no hold events after the release";
}

TEST_F(Pointer, MovesDragOnlyWhilePressed) {
  EXPECT_FALSE(root->DriveCursorMovement(10, 10));
  root->DriveCursorHitting(true, 0, 150, 160);
  EXPECT_FALSE(root->DriveCursorMovement(150, 160));
  EXPECT_TRUE(root->DriveCursorMovement(153, 158));
  auto* drag = vg_cast<Core::DragEvent>(button->events.back());
  ASSERT_NE(drag, nullptr);
  EXPECT_EQ(drag->offset, (VgPoint{3, -2}));
  EXPECT_EQ(drag->position, (VgPoint{33, 28}));
  EXPECT_EQ(drag->startPosition, (VgPoint{30, 30}));
  // Positions are clamped to the screen.
  root->DriveCursorMovement(5000, -9);
  EXPECT_EQ(root->cursorPos, (VgPoint{959, 0}));
}

TEST_F(Pointer, APressOutsideEveryViewDeliversNothing) {
  EXPECT_FALSE(root->DriveCursorHitting(true, 0, 900, 500));
  EXPECT_EQ(root->cursorTarget.get(), nullptr);
  EXPECT_FALSE(root->cursorHoldTimer.OnGetEnabled());
}

TEST_F(Pointer, ATargetThatLeavesTheTreeGetsItsRelease) {
  root->DriveCursorHitting(true, 0, 150, 160);
  group->Remove(button);
  EXPECT_TRUE(root->DriveCursorMovement(160, 160));
  Core::CursorEvent* release = Cursor(1);
  ASSERT_NE(release, nullptr);
  EXPECT_FALSE(release->down);
  EXPECT_EQ(release->position, (VgPoint{30, 30})) << "the last position seen in the tree";
  EXPECT_EQ(root->cursorTarget.get(), nullptr);
}

TEST_F(Pointer, OnlyTheModalFormsSubtreeTakesPresses) {
  TestForm* dialog = MakeForm("dialog", {500, 0, 600, 100}, root);
  root->BeginModal(dialog, nullptr);
  EXPECT_FALSE(root->DriveCursorHitting(true, 0, 150, 160));
  EXPECT_TRUE(button->events.empty());
}

TEST_F(Pointer, DeflectingAndCapturingMoveThePress) {
  Probe* other = MakeProbe("other", {400, 400, 500, 500});
  root->Add(other, 0);
  root->DriveCursorHitting(true, 0, 150, 160);
  EXPECT_FALSE(root->DeflectCursor(button));
  root->CaptureCursor(other);
  Core::CursorEvent* release = Cursor(1);
  EXPECT_TRUE(release->deflected);
  EXPECT_FALSE(release->down);
  auto* press = vg_cast<Core::CursorEvent>(other->events.at(0));
  EXPECT_TRUE(press->deflected);
  EXPECT_TRUE(press->down);
  EXPECT_EQ(press->position, (VgPoint{-250, -240}));
  EXPECT_EQ(root->cursorTarget.get(), other);
  EXPECT_EQ(root->captureView.get(), other);

  // Deflecting to nothing ends the press; the release clears the capture of
  // the view that was the target.
  EXPECT_TRUE(root->DeflectCursor(nullptr));
  EXPECT_EQ(root->cursorTarget.get(), nullptr);
  EXPECT_EQ(root->captureView.get(), nullptr);
}

TEST_F(Pointer, ACapturingGroupIsTheOnlyOneHitTested) {
  Probe* other = MakeProbe("other", {400, 400, 500, 500});
  root->Add(other, 0);
  root->CaptureCursor(group);
  EXPECT_EQ(root->captureView.get(), group);
  EXPECT_FALSE(root->DriveCursorHitting(true, 0, 450, 450));
  EXPECT_TRUE(other->events.empty());
  EXPECT_TRUE(root->DriveCursorHitting(true, 0, 150, 160));
  EXPECT_EQ(Cursor(0)->position, (VgPoint{30, 30}));
  root->DriveCursorHitting(false, 0, 150, 160);
  group->OnSetVisible(false);
  EXPECT_FALSE(root->DriveCursorHitting(true, 0, 150, 160));
}

TEST_F(Pointer, SettersClampTheirValues) {
  root->OnSetCursorSequelDelay(10);
  EXPECT_EQ(root->OnGetCursorSequelDelay(), 50);
  EXPECT_EQ(root->cursorSequelTimer.OnGetBegin(), 50);
  root->OnSetCursorSequelDelay(5000);
  EXPECT_EQ(root->OnGetCursorSequelDelay(), 2000);
  root->OnSetCursorDragLimit(-3);
  EXPECT_EQ(root->OnGetCursorDragLimit(), 0);
  root->OnSetCursorDragLimit(100);
  EXPECT_EQ(root->OnGetCursorDragLimit(), 64);
}

}  // namespace
