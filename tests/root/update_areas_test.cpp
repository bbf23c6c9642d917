// Collecting invalidated rectangles into at most three update areas, and the
// root's redraw of them.
#include <gtest/gtest.h>

#include "Core/UpdateAreas.h"
#include "root_fixture.h"

namespace {

using RootTest::Probe;
using RootTest::RootFixture;

struct Areas {
  VgRect areas[Core::MaxUpdateAreas]{};
  VgPoint centres[Core::MaxUpdateAreas + 1]{};
  int32_t count = 0;
  Areas& Add(VgRect r) {
    Core::AddUpdateArea(areas, centres, count, r);
    return *this;
  }
};

bool Covers(const Areas& a, VgRect r) {
  // Every pixel of r lies in some area (rectangles here are small).
  for (int32_t y = r.y1; y < r.y2; ++y)
    for (int32_t x = r.x1; x < r.x2; ++x) {
      bool in = false;
      for (int32_t i = 0; i < a.count; ++i) in = in || VgIsPointInRect(a.areas[i], {x, y});
      if (!in) return false;
    }
  return true;
}

TEST(UpdateAreas, OverlappingRectanglesJoinOneArea) {
  Areas a;
  a.Add({10, 10, 20, 20}).Add({15, 15, 30, 30});
  ASSERT_EQ(a.count, 1);
  EXPECT_EQ(a.areas[0], (VgRect{10, 10, 30, 30}));
  EXPECT_EQ(a.centres[0], (VgPoint{20, 20}));
  // Rectangles that only touch (edges are exclusive) stay apart.
  a.Add({30, 10, 40, 20});
  EXPECT_EQ(a.count, 2);
}

TEST(UpdateAreas, FourDisjointRectanglesLeaveThreeAreasCoveringAll) {
  const VgRect rects[] = {{0, 0, 10, 10}, {100, 0, 110, 10}, {0, 100, 10, 110}, {100, 100, 110, 110}};
  Areas a;
  for (const VgRect& r : rects) a.Add(r);
  ASSERT_EQ(a.count, 3);
  for (const VgRect& r : rects) EXPECT_TRUE(Covers(a, r)) << r.x1 << "," << r.y1;
}

TEST(UpdateAreas, TheNewRectangleJoinsItsClosestArea) {
  Areas a;
  a.Add({0, 0, 10, 10}).Add({200, 0, 210, 10}).Add({400, 0, 410, 10});
  a.Add({220, 0, 230, 10});
  ASSERT_EQ(a.count, 3);
  EXPECT_EQ(a.areas[0], (VgRect{0, 0, 10, 10}));
  EXPECT_EQ(a.areas[1], (VgRect{200, 0, 230, 10}));
  EXPECT_EQ(a.areas[2], (VgRect{400, 0, 410, 10}));
  EXPECT_EQ(a.centres[1], (VgPoint{215, 5}));
}

TEST(UpdateAreas, TwoCloseAreasMergeAndTheNewRectangleTakesTheFreedOne) {
  Areas a;
  a.Add({0, 0, 10, 10}).Add({400, 0, 410, 10}).Add({20, 0, 30, 10});
  a.Add({800, 500, 810, 510});
  ASSERT_EQ(a.count, 3);
  EXPECT_EQ(a.areas[0], (VgRect{0, 0, 30, 10}));
  EXPECT_EQ(a.areas[1], (VgRect{400, 0, 410, 10}));
  EXPECT_EQ(a.areas[2], (VgRect{800, 500, 810, 510}));
  EXPECT_EQ(a.centres[0], (VgPoint{15, 5}));
  EXPECT_EQ(a.centres[2], (VgPoint{805, 505}));
}

TEST(UpdateAreas, EqualDistancesKeepTheFirstPair) {
  // Centres 0, 100, 200 on a line and the new one at 300: pairs (0, 1),
  // (1, 2) and (2, 3) are equally close; the first pair merges.
  Areas a;
  a.Add({0, 0, 2, 2}).Add({100, 0, 102, 2}).Add({200, 0, 202, 2});
  a.Add({300, 0, 302, 2});
  EXPECT_EQ(a.areas[0], (VgRect{0, 0, 102, 2}));
  EXPECT_EQ(a.areas[1], (VgRect{300, 0, 302, 2}));
  EXPECT_EQ(a.areas[2], (VgRect{200, 0, 202, 2}));
}

TEST(UpdateAreas, OddEdgesWidenOutwardsToEvenX) {
  EXPECT_EQ(Core::WidenToEvenX({3, 5, 7, 9}), (VgRect{2, 5, 8, 9}));
  EXPECT_EQ(Core::WidenToEvenX({4, 5, 8, 9}), (VgRect{4, 5, 8, 9}));
  EXPECT_EQ(Core::WidenToEvenX({-3, 0, -1, 1}), (VgRect{-4, 0, 0, 1}));
}

// ------------------------------------------------------------- in the root

TEST_F(RootFixture, InitializeCoversTheScreenAndUpdateReportsIt) {
  auto* fresh = VgNew<RootTest::TestRoot>();
  VgLockObject(fresh);
  CoreRoot__Initialize(fresh, 960, 540);
  EXPECT_EQ(fresh->Bounds, (VgRect{0, 0, 960, 540}));
  EXPECT_EQ(fresh->background.Bounds, (VgRect{0, 0, 960, 540}));
  EXPECT_EQ(CoreRoot_Update(fresh), (VgRect{0, 0, 960, 540}));
  EXPECT_EQ(fresh->updateCount, 0);
  EXPECT_EQ(CoreRoot_Update(fresh), (VgRect{0, 0, 0, 0}));
  VgUnlockObject(fresh);
}

TEST_F(RootFixture, UpdateRedrawsEachWidenedAreaOnce) {
  Probe* p = MakeProbe("p", {0, 0, 960, 540});
  root->Add(p, 0);
  CoreRoot_Update(root);
  p->drawn.clear();

  root->Invalidate({3, 10, 7, 20});
  root->Invalidate({501, 300, 511, 310});
  EXPECT_EQ(root->updateCount, 2);
  EXPECT_EQ(CoreRoot_Update(root), (VgRect{2, 10, 512, 310}));
  ASSERT_EQ(p->drawn.size(), 2u);
  EXPECT_EQ(p->drawn[0], (VgRect{2, 10, 8, 20}));
  EXPECT_EQ(p->drawn[1], (VgRect{500, 300, 512, 310}));
}

TEST_F(RootFixture, InvalidationIsClippedToTheScreen) {
  root->Invalidate({950, 530, 1000, 600});
  root->Invalidate({-50, -50, -1, -1});
  ASSERT_EQ(root->updateCount, 1);
  EXPECT_EQ(root->updateAreas[0], (VgRect{950, 530, 960, 540}));
}

TEST_F(RootFixture, ViewsInvalidateThroughTheirGroups) {
  auto* group = VgNew<Core::Group>();
  group->Bounds = {100, 100, 200, 200};
  root->Add(group, 0);
  CoreRoot_Update(root);
  Probe* p = MakeProbe("p", {10, 10, 20, 20});
  group->Add(p, 0);
  p->OnSetVisible(false);
  ASSERT_EQ(root->updateCount, 1);
  EXPECT_EQ(root->updateAreas[0], (VgRect{110, 110, 120, 120}));
}

}  // namespace
