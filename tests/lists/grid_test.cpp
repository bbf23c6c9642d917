// The grid in its host screen: pages and the last-page rule, moves by cell,
// row and page with and without wrap, and the cursor staying on the focused
// cell's entry.
#include <gtest/gtest.h>

#include <array>

#include "ListForm/ListCourier.h"
#include "Core/Keys.h"
#include "list_host.h"
#include "test_lists.h"

namespace {

using ListTest::NumberGrid;

class Grids : public ListTest::ListFixture {
 protected:
  NumberGrid* MakeGrid(int32_t entries) {
    grid = VgNew<NumberGrid>();
    grid->entries = entries;
    return Embed(grid);
  }
  void Press(uint16_t code, int times) {
    for (int i = 0; i < times; ++i) ListFixture::Press(code);
  }
  using ListFixture::Press;
  // Where the focus stands: page, cell (from 0) and cursor.
  std::array<int32_t, 3> At() { return {grid->CurrentPage, Focused(), Cursor()}; }

  NumberGrid* grid = nullptr;
};

TEST_F(Grids, FiftyEightEntriesInFourRowsOfSevenMakeThreePages) {
  MakeGrid(58);
  EXPECT_EQ(grid->PageSize, 28);
  EXPECT_EQ(grid->PageCount, 3);
  EXPECT_EQ(grid->ItemNum, 28);
  EXPECT_EQ(grid->CellsOnPage(2), 2);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{0, 0, 0}));
  EXPECT_EQ(grid->GetCtrlAt(8)->Bounds, (VgRect{80, 48, 150, 88})) << "row 1, column 1";

  Press(Key::GridPageDown, 2);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{2, 0, 56}));
  EXPECT_EQ(grid->ItemNum, 2);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"56", "57"}));
  EXPECT_FALSE(grid->GetCtrlAt(2)->Enabled);
  Press(Key::GridPageUp);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{1, 0, 28}));
  EXPECT_EQ(Texts().size(), 28u);
  EXPECT_EQ(Texts()[27], "55");
}

TEST_F(Grids, CellKeysTurnThePageAndWrapOnlyWhenAsked) {
  MakeGrid(58);
  Press(Key::Left);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{0, 0, 0})) << "no wrap before the first cell";
  Press(Key::Right, 28);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{1, 0, 28}));
  Press(Key::Left);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{0, 27, 27}));

  Press(Key::GridPageDown, 2);
  Press(Key::Right);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{2, 1, 57}));
  const int moves = host->Count("FocusMove");
  Press(Key::Right);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{2, 1, 57}));
  EXPECT_EQ(host->Count("FocusMove"), moves + 1);

  grid->OnSetWrapAround(true);
  Press(Key::Right);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{0, 0, 0}));
  EXPECT_EQ(Texts()[0], "0");
  Press(Key::Left);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{2, 1, 57}));
}

TEST_F(Grids, PageKeysGoToTheLastCellBeforeTheyWrap) {
  MakeGrid(58);
  grid->OnSetWrapAroundPage(true);
  Press(Key::GridPageUp);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{0, 0, 0}));
  Press(Key::Right, 3);
  Press(Key::GridPageDown, 2);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{2, 0, 56}));
  Press(Key::GridPageDown);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{2, 1, 57})) << "first to the last cell";
  Press(Key::GridPageDown);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{2, 1, 57})) << "no wrap without WrapAround";
  grid->OnSetWrapAround(true);
  Press(Key::GridPageDown);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{0, 0, 0}));
  Press(Key::Right);
  Press(Key::GridPageUp);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{0, 0, 0})) << "first to the first cell";
  Press(Key::GridPageUp);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{2, 0, 56}));

  // One page has nothing to turn.
  MakeGrid(20);
  grid->OnSetWrapAround(true);
  Press(Key::Right, 2);
  Press(Key::GridPageDown);
  Press(Key::GridPageUp);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{0, 2, 2}));
}

TEST_F(Grids, RowKeysKeepTheColumnAcrossPages) {
  MakeGrid(58);
  Press(Key::Right, 3);
  Press(Key::Up);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{0, 3, 3})) << "the first row of the first page keeps the focus";
  Press(Key::Down, 4);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{1, 3, 31}));
  Press(Key::Up);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{0, 24, 24}));

  // Into the short last page: column 5 is missing there, so the last cell
  // with an entry takes the focus.
  Press(Key::Right, 2);
  Press(Key::Down, 4);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{1, 26, 54}));
  Press(Key::Down);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{2, 1, 57}));
  Press(Key::Down);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{2, 1, 57})) << "the last row stops without wrap";

  grid->OnSetWrapAround(true);
  Press(Key::Down);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{0, 1, 1}));
  Press(Key::Right, 2);
  Press(Key::Up);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{2, 1, 57}));
}

TEST_F(Grids, AWrapOnOnePageTakesTheCursorToTheFocusedCell) {
  MakeGrid(20);  // rows of 7, 7 and 6
  grid->OnSetWrapAround(true);
  Press(Key::Left);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{0, 19, 19}));
  host->Take();
  Press(Key::Ok);
  ASSERT_EQ(host->Count("OnActivateOption"), 1);
  auto* cell = vg_cast<ListForm::ListItem>(host->LastSender("OnActivateOption"));
  ASSERT_NE(cell, nullptr);
  auto* entry = vg_cast<ListForm::ListCourier>(grid->GetItemData(0));
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->Index, 19) << "the entry the owner reads is the focused cell's";
  EXPECT_EQ(cell->Index, 19);

  Press(Key::Right);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{0, 0, 0}));
  Press(Key::Up);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{0, 14, 14}));
  Press(Key::Right, 5);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{0, 19, 19}));
  Press(Key::Down);
  EXPECT_EQ(At(), (std::array<int32_t, 3>{0, 5, 5}));
}

TEST_F(Grids, AnEmptyGridHasNoFocusAndIgnoresItsKeys) {
  MakeGrid(0);
  EXPECT_EQ(grid->PageCount, 0);
  EXPECT_EQ(Focused(), -1);
  EXPECT_EQ(Cursor(), -1);
  Press(Key::Right);
  Press(Key::Down);
  Press(Key::GridPageDown);
  EXPECT_EQ(Focused(), -1);
  EXPECT_TRUE(Texts().empty());
}

}  // namespace
