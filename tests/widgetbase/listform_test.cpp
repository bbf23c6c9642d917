// The key-routing list form over a list of numbered items: the rows stay, the
// items move through them by item, row and page, and the focus is kept on a
// row that shows an item.
#include <gtest/gtest.h>

#include "Forms/Indicator.h"
#include "Forms/ScrollBar.h"
#include "ListForm/ListDataSource.h"
#include "ListForm/SystemInfoCourier.h"
#include "root_fixture.h"
#include "widgetbase_fixture.h"

namespace {

using RootTest::RootFixture;
using WidgetTest::NumberList;
using WidgetTest::Row;

class Lists : public RootFixture {
 protected:
  // A list of items under rows 30 pixels apart, filled by the first signal
  // pass.
  NumberList* MakeList(int32_t items, int32_t rows, int32_t perRow = 1) {
    list = VgNew<NumberList>();
    list->OnSetBounds({100, 50, 500, 50 + 30 * rows});
    list->OnSetItemsPerRow(perRow);
    for (int32_t i = 0; i < rows; ++i) {
      auto* row = VgNew<Row>();
      row->OnSetBounds({0, 30 * i, 300, 30 * i + 30});
      list->Add(row, 0);
    }
    auto* source = VgNew<ListForm::ListDataSource>();
    source->OnSetNum(items);
    source->OnSetCursor(items > 0 ? 0 : -1);
    list->OnSetDataSource(source);
    root->Add(list, 0);
    VgProcessSignals();
    return list;
  }
  // The item each row shows, -1 for none.
  std::vector<int32_t> Shown() {
    std::vector<int32_t> shown;
    for (int32_t i = 0; i < list->GetCount(); ++i) shown.push_back(static_cast<Row*>(list->GetCtrlAt(i))->shown);
    return shown;
  }
  std::vector<int32_t> Range(int32_t first, int32_t count = 10) {
    std::vector<int32_t> r;
    for (int32_t i = 0; i < count; ++i) r.push_back(first + i);
    return r;
  }
  int32_t Focused() { return list->GetIndexOf(vg_cast<Forms::Ctrl>(list->Focus.get())); }
  int32_t Cursor() { return list->DataSource->Cursor; }
  // One call and the signal pass after it, as a key handler's turn would run.
  template <class F>
  int32_t Turn(F f) {
    const int32_t moved = f();
    VgProcessSignals();
    return moved;
  }

  NumberList* list = nullptr;
};

TEST_F(Lists, AHundredItemsScrollByItemRowAndPage) {
  MakeList(100, 10);
  EXPECT_EQ(Focused(), 0);
  EXPECT_EQ(Shown(), Range(0));

  // Within the rows only the focus moves.
  EXPECT_EQ(Turn([&] { return list->ScrollItems(3); }), 3);
  EXPECT_EQ(Focused(), 3);
  EXPECT_EQ(Shown(), Range(0));

  // A page keeps the focus on its row and moves the items under it.
  EXPECT_EQ(Turn([&] { return list->ScrollPages(1); }), 10);
  EXPECT_EQ(Cursor(), 13);
  EXPECT_EQ(Focused(), 3);
  EXPECT_EQ(Shown(), Range(10));

  // Past the last row the items shift by one.
  Turn([&] { return list->ScrollItems(6); });
  EXPECT_EQ(Focused(), 9);
  EXPECT_EQ(Shown(), Range(10));
  EXPECT_EQ(Turn([&] { return list->ScrollItems(1); }), 1);
  EXPECT_EQ(Focused(), 9);
  EXPECT_EQ(Shown(), Range(11));
  EXPECT_EQ(Turn([&] { return list->ScrollRows(-1); }), -1);
  EXPECT_EQ(Focused(), 8);
  EXPECT_EQ(Shown(), Range(11));

  // A page back from row 8: the row index is taken round the page.
  EXPECT_EQ(Turn([&] { return list->ScrollPages(-1); }), -10);
  EXPECT_EQ(Cursor(), 9);
  EXPECT_EQ(Focused(), 8);
  EXPECT_EQ(Shown(), Range(1));

  // Cut short at the start: the focus lands on the first item's row.
  EXPECT_EQ(Turn([&] { return list->ScrollPages(-1); }), -9);
  EXPECT_EQ(Cursor(), 0);
  EXPECT_EQ(Focused(), 0);
  EXPECT_EQ(Shown(), Range(0));

  // Cut short at the end: the rows stay full and the focus goes down.
  Turn([&] { return list->ScrollItems(90); });
  EXPECT_EQ(Cursor(), 90);
  EXPECT_EQ(Focused(), 9);
  EXPECT_EQ(Shown(), Range(81));
  EXPECT_EQ(Turn([&] { return list->ScrollPages(1); }), 9);
  EXPECT_EQ(Cursor(), 99);
  EXPECT_EQ(Focused(), 9);
  EXPECT_EQ(Shown(), Range(90));
  EXPECT_EQ(Turn([&] { return list->ScrollItems(1); }), 0) << "at the last item nothing moves";
  EXPECT_EQ(Shown(), Range(90));
}

TEST_F(Lists, FirstAndLastJumpToTheEnds) {
  MakeList(100, 10);
  Turn([&] { return list->ScrollItems(45); });
  EXPECT_EQ(Focused(), 9);
  Turn([&] { return list->ScrollItems(-4); });  // the middle of the rows: 36..45, focus on 41
  EXPECT_EQ(Focused(), 5);

  list->ScrollToLast();
  VgProcessSignals();
  EXPECT_EQ(Focused(), 9);
  EXPECT_EQ(Shown(), Range(90));

  list->ScrollToFirst();
  VgProcessSignals();
  EXPECT_EQ(Focused(), 0);
  EXPECT_EQ(Cursor(), 0);
  EXPECT_EQ(Shown(), Range(0));
}

TEST_F(Lists, FewerItemsThanRowsLeaveTheLowerRowsEmpty) {
  MakeList(4, 10);
  EXPECT_EQ(Focused(), 0);
  EXPECT_EQ(Shown(), (std::vector<int32_t>{0, 1, 2, 3, -1, -1, -1, -1, -1, -1}));
  EXPECT_EQ(Turn([&] { return list->ScrollItems(5); }), 3);
  EXPECT_EQ(Focused(), 3);
  EXPECT_EQ(Turn([&] { return list->ScrollItems(1); }), 0);
  EXPECT_EQ(Focused(), 3);
  EXPECT_EQ(Shown(), (std::vector<int32_t>{0, 1, 2, 3, -1, -1, -1, -1, -1, -1}));

  // Without items the focus goes, unless the rows are fixed.
  list->DataSource->OnSetNum(0);
  list->DataSource->OnSetCursor(-1);
  list->Reload();
  VgProcessSignals();
  EXPECT_EQ(list->Focus.get(), nullptr);
  EXPECT_EQ(Shown(), std::vector<int32_t>(10, -1));
}

TEST_F(Lists, FixedRowsKeepTheFocusAndScrollTheItems) {
  MakeList(100, 10);
  Turn([&] { return list->ScrollItems(4); });
  list->OnSetFixed(true);
  EXPECT_EQ(Turn([&] { return list->ScrollItems(1); }), 1);
  EXPECT_EQ(Focused(), 4);
  EXPECT_EQ(Shown(), Range(1));
  Turn([&] { return list->ScrollPages(1); });
  EXPECT_EQ(Focused(), 4);
  EXPECT_EQ(Shown(), Range(11));

  list->DataSource->OnSetNum(0);
  list->DataSource->OnSetCursor(-1);
  list->Reload();
  VgProcessSignals();
  EXPECT_EQ(Focused(), 4) << "an empty fixed list keeps its focus";
}

TEST_F(Lists, IndicatorsAndTheBarFollowTheRows) {
  MakeList(25, 10);
  auto* prev = VgNew<Forms::Indicator>();
  auto* next = VgNew<Forms::Indicator>();
  auto* bar = VgNew<Forms::ScrollBar>();
  list->Add(prev, 0);
  list->Add(next, 0);
  list->Add(bar, 0);
  list->OnSetPrevIndicator(prev);
  list->OnSetNextIndicator(next);
  list->OnSetScrollBar(bar);
  VgProcessSignals();
  EXPECT_FALSE(prev->Enabled);
  EXPECT_TRUE(next->Enabled);
  EXPECT_EQ(bar->Content, 25);
  EXPECT_EQ(bar->Pos, 0) << "the bar shows the list's cursor";
  EXPECT_EQ(bar->Page, 1);

  Turn([&] { return list->ScrollPages(1); });
  EXPECT_TRUE(prev->Enabled);
  EXPECT_TRUE(next->Enabled);
  list->ScrollToLast();
  VgProcessSignals();
  EXPECT_TRUE(prev->Enabled);
  EXPECT_FALSE(next->Enabled);
}

TEST_F(Lists, GridsKeepTheColumnAndMoveByWholeRows) {
  MakeList(20, 9, 3);  // three rows of three
  EXPECT_EQ(Turn([&] { return list->ScrollRows(1); }), 3);
  EXPECT_EQ(Focused(), 3);
  Turn([&] { return list->ScrollRows(1); });
  Turn([&] { return list->ScrollRows(1); });
  EXPECT_EQ(Cursor(), 9);
  EXPECT_EQ(Focused(), 6);
  EXPECT_EQ(Shown(), Range(3, 9));
  EXPECT_EQ(list->AdjustFocus(-1, 9), 2) << "the same column in the first row";
  EXPECT_EQ(list->AdjustFocus(10, 9), 7) << "the same column in the last row";

  // Near the end the empty cells are filled by pulling whole rows down.
  list->ScrollToLast();
  VgProcessSignals();
  EXPECT_EQ(Cursor(), 19);
  EXPECT_EQ(Focused(), 7);
  EXPECT_EQ(Shown(), (std::vector<int32_t>{12, 13, 14, 15, 16, 17, 18, 19, -1}));

  list->OnSetItemsPerRow(0);
  EXPECT_EQ(list->ItemsPerRow, 1);
}

TEST_F(Lists, TheDataSourceClampsTheCursorToTheItems) {
  auto* source = VgNew<ListForm::ListDataSource>();
  VgLockObject(source);
  source->OnSetNum(10);
  EXPECT_EQ(source->MoveCursor(20, 1), 9);
  EXPECT_EQ(source->MoveCursor(-3, 2), -3);
  EXPECT_EQ(source->MoveCursor(-8, 0), -6);
  source->OnSetNum(0);
  EXPECT_EQ(source->MoveCursor(0, 0), -1);
  EXPECT_EQ(source->Cursor, -1);
  EXPECT_EQ(source->GetItemData(&NumberList::Class, 0), nullptr);
  VgUnlockObject(source);

  auto* bare = VgNew<ListForm::ListClass>();
  root->Add(bare, 0);
  EXPECT_EQ(bare->MoveCursor(3, 1), 0);
  EXPECT_EQ(bare->GetItemsCount(), 0);
  EXPECT_EQ(bare->GetItemData(0), nullptr);

  auto* line = VgNew<ListForm::SystemInfoCourier>();
  EXPECT_EQ(line->Kind, ListForm::SystemInfoCourier::KindValue);
}

}  // namespace
