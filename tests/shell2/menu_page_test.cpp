// The menu page base: item layout by arrange mode, the current item index,
// scrolling that shows only whole items, and the time-out that runs only
// while the page has the focus.
#include <gtest/gtest.h>

#include "SubSystem/State.h"
#include "shell_fixture.h"

namespace {

class MenuPageTest : public ShellTest::ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    menu = StartSubSystem<MenuSystem::MenuSystem>();
    nonMenu = StartSubSystem<NonMenuSystem::NonMenuSystem>();
    app->OnSetFocus(menu);
    page = VgNew<ShellTest::Page>();
    page->Bounds = {0, 0, 400, 300};
    for (int i = 0; i < 3; ++i) items[i] = MakeCtrl("item", {0, 0, 100, 30}, page);
  }
  void OpenPage() {
    auto* state = VgNew<SubSystem::State>();
    state->OnSetClass(&ShellTest::Page::Class);
    state->Instance = page;
    menu->ChangeState(state);
  }
  std::vector<VgPoint> Positions() const {
    std::vector<VgPoint> points;
    for (RootTest::TestCtrl* item : items) points.push_back({item->Bounds.x1, item->Bounds.y1});
    return points;
  }

  ShellTest::Page* page = nullptr;
  RootTest::TestCtrl* items[3] = {};
};

TEST_F(MenuPageTest, ItemsAreLaidOutInARowOrAColumnWithTheirGaps) {
  page->ItemXOffset = 10;
  page->ItemYOffset = 20;
  page->ItemInterval = 5;
  page->Refresh();
  EXPECT_EQ(Positions(), (std::vector<VgPoint>{{10, 20}, {115, 20}, {220, 20}}));
  EXPECT_EQ(items[2]->Bounds, (VgRect{220, 20, 320, 50})) << "each item keeps its size";

  page->ArrangeMode = SubSystem::MenuClass::ArrangeColumn;
  page->Refresh();
  EXPECT_EQ(Positions(), (std::vector<VgPoint>{{10, 20}, {10, 55}, {10, 90}}));

  items[1]->OnSetBounds({300, 300, 400, 330});
  page->ArrangeMode = 2;
  page->Refresh();
  EXPECT_EQ(Positions(), (std::vector<VgPoint>{{10, 20}, {300, 300}, {10, 90}}));
}

TEST_F(MenuPageTest, AddingOrRemovingAnItemOrResizingLaysThePageOutAgainButMovingDoesNot) {
  page->ItemInterval = 5;
  RootTest::TestCtrl* extra = MakeCtrl("extra", {0, 0, 50, 30}, nullptr);
  page->AddItem(extra, items[1]);
  Advance(0);
  EXPECT_EQ(Positions(), (std::vector<VgPoint>{{0, 0}, {160, 0}, {265, 0}}));
  EXPECT_EQ(extra->Bounds.x1, 105) << "added directly behind its sibling";

  page->RemoveItem(extra);
  Advance(0);
  EXPECT_EQ(Positions(), (std::vector<VgPoint>{{0, 0}, {105, 0}, {210, 0}}));

  items[0]->OnSetBounds({500, 0, 600, 30});
  page->OnSetBounds({40, 40, 440, 340});
  Advance(0);
  EXPECT_EQ(items[0]->Bounds.x1, 500) << "a move keeps the layout as it stands";
  page->OnSetBounds({40, 40, 540, 340});
  Advance(0);
  EXPECT_EQ(items[0]->Bounds.x1, 0);
}

TEST_F(MenuPageTest, ReadingTheCurrentIndexRecordsTheOneItReplaces) {
  EXPECT_EQ(page->OnGetCurrentItemIndex(), 0);
  page->OnSetFocus(items[1]);
  EXPECT_EQ(page->OnGetCurrentItemIndex(), 2);
  EXPECT_EQ(page->LastItemIndex, 0);
  EXPECT_EQ(page->OnGetCurrentItemIndex(), 2);
  EXPECT_EQ(page->LastItemIndex, 2);

  page->OnSetCurrentItemIndex(3);
  EXPECT_EQ(page->Focus.get(), items[2]);
  page->OnSetCurrentItemIndex(9);
  EXPECT_EQ(page->Focus.get(), items[2]) << "no item there: the focus stays";
  EXPECT_EQ(page->CurrentItemIndex, 9);
  EXPECT_EQ(page->OnGetCurrentItemIndex(), 3);
  EXPECT_EQ(page->LastItemIndex, 9);
}

TEST_F(MenuPageTest, ScrollingShowsOnlyTheItemsWhollyInsideThePage) {
  page->Bounds = {0, 0, 400, 100};
  page->ArrangeMode = SubSystem::MenuClass::ArrangeColumn;
  page->ItemInterval = 10;
  page->Refresh();  // items at y 0, 40 and 80; the last one reaches past the page
  page->DoScrollContent(0, 0);
  EXPECT_TRUE(items[0]->Visible);
  EXPECT_FALSE(items[2]->Visible);

  page->DoScrollContent(0, -40);
  EXPECT_FALSE(items[0]->Visible);
  EXPECT_TRUE(items[1]->Visible);
  EXPECT_TRUE(items[2]->Visible);
  EXPECT_EQ(items[2]->Bounds.y1, 40);
  EXPECT_FALSE(page->isScrolling);
}

TEST_F(MenuPageTest, ThePageTimesOutOnlyAMinuteAfterItLastHadTheFocus) {
  OpenPage();
  ASSERT_EQ(menu->Focus.get(), page);
  Advance(30000);
  app->OnSetFocus(nonMenu);
  Advance(120000);
  EXPECT_EQ(page->timeouts, 0) << "no count-down without the focus";

  app->OnSetFocus(menu);
  Advance(59999);
  EXPECT_EQ(page->timeouts, 0) << "the count starts afresh";
  Advance(1);
  EXPECT_EQ(page->timeouts, 1);
}

}  // namespace
