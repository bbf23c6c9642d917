#include "ListForm/GridView.h"

#include <algorithm>

VG_DEFINE_CLASS(ListForm, GridView, ListForm::ListBase)

namespace ListForm {

GridView::GridView(XObject* link) : ListBase(link) { OnSetItemsPerRow(7); }

int32_t GridView::PoolSize() { return PageSize; }

void GridView::AddRow(Forms::Ctrl* row) { AddItem(row, nullptr); }

void GridView::AddItem(Forms::Ctrl* cell, Core::View* neighbour) {
  if (cell) AddBehind(cell, neighbour);
}

void GridView::RemoveItem(Forms::Ctrl* cell) {
  if (!cell) return;
  Remove(cell);
  VgPostSignal(VgSlotOf<&KeyRoutingForm::Refresh>(static_cast<KeyRoutingForm*>(this)));
}

void GridView::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ListBase::Initialize(parameter);
  PageSize = TotalRows * ItemsPerRow;
}

void GridView::OnSetCurrentItemIndex(int32_t i) {
  FocusSetByARead();
  CurrentItemIndex = i;
  Forms::Ctrl* cell = GetCtrlAt(i - 1);
  if (cell && cell->Enabled) OnSetFocus(cell);
}

// --------------------------------------------------------------- pages

int32_t GridView::CellsOnPage(int32_t p) {
  const int32_t num = GetItemsCount();
  if (PageSize <= 0 || num <= 0) return 0;
  if (p != PageCount - 1) return PageSize;
  const int32_t rest = num % PageSize;
  return rest == 0 ? PageSize : rest;
}

void GridView::LoadPages(int32_t count) {
  if (!DataSource) OnSetDataSource(VgNew<ListDataSource>());
  DataSource->Num = std::max(count, 0);
  MoveCursor(0, MoveFromFirst);
  PageCount = PageSize > 0 && DataSource->Num > 0 ? (DataSource->Num - 1) / PageSize + 1 : 0;
  CurrentPage = 0;
  OnSetItemNum(CellsOnPage(0));
  OnSetCurrentItemIndex(1);
  Reload();
}

void GridView::EnterPage(int32_t page) {
  CurrentPage = page;
  OnSetItemNum(CellsOnPage(page));
}

bool GridView::WrapPage(int32_t* page, bool wrap) {
  if (*page >= 0 && *page < PageCount) return true;
  if (!wrap || PageCount < 1) return false;
  *page = (*page % PageCount + PageCount) % PageCount;
  return true;
}

int32_t GridView::RowsOf(int32_t n) { return (n + ItemsPerRow - 1) / ItemsPerRow; }

void GridView::FocusCell(int32_t k) {
  const int32_t cells = std::min(ItemNum, PageSize);
  if (cells < 1) return;
  k = std::clamp(k, 1, cells);
  OnSetCurrentItemIndex(k);
  MoveCursor(CurrentPage * PageSize + k - 1, MoveFromFirst);
}

void GridView::FocusEntry(int32_t i) {
  if (PageSize <= 0 || i < 0 || i >= GetItemsCount()) return;
  EnterPage(i / PageSize);
  FocusCell(i % PageSize + 1);
  forceReload();
}

bool GridView::CanScroll() { return !Fixed && FocusedIndex() >= 0; }

// ----------------------------------------------------------- scrolling
//
// Every move ends on a cell that holds an entry, with the cursor on that
// entry: a move into a page whose cell is missing takes the page's last cell,
// and a wrap within a single page carries the cursor along.

int32_t GridView::ScrollItems(int32_t count) {
  if (!CanScroll()) {
    PostScrollBarUpdate();
    return 0;
  }
  const int32_t old = GetCursor();
  const int32_t n = ItemNum;
  const int32_t target = OnGetCurrentItemIndex() - 1 + count;
  if (target >= n && PageCount >= 2) {
    int32_t page = CurrentPage + 1 + (target - n) / PageSize;
    if (WrapPage(&page, WrapAround)) {
      EnterPage(page);
      FocusCell(1);
      Reload();
    }
  } else if (target < 0 && PageCount >= 2) {
    int32_t page = CurrentPage - 1 + target / PageSize;
    if (WrapPage(&page, WrapAround)) {
      EnterPage(page);
      FocusCell(ItemNum);
      Reload();
    }
  } else if (target >= n || target < 0) {
    if (PageCount == 1 && WrapAround) FocusCell(target >= n ? target - n + 1 : n + 1 + target);
  } else {
    FocusCell(target + 1);
  }
  PostScrollBarUpdate();
  return GetCursor() - old;
}

// A row move past the first or last row of the page goes to the same column
// of the next or previous page; at the ends of the data it stops, or wraps
// with WrapAround.
int32_t GridView::ScrollRows(int32_t count) {
  if (count == 0) return 0;
  if (!CanScroll()) {
    PostScrollBarUpdate();
    return 0;
  }
  const int32_t old = GetCursor();
  const int32_t n = ItemNum;
  const int32_t perRow = ItemsPerRow;
  const int32_t target = OnGetCurrentItemIndex() - 1 + count * perRow;
  if ((target >= 0 && target < n) || PageCount < 1) {
    FocusCell(target + 1);
  } else if (target >= n && target / perRow == (n - 1) / perRow) {
    FocusCell(n);  // the page's last row is short of this column
  } else if (target >= n) {
    const int32_t over = target - RowsOf(n) * perRow;
    int32_t page = CurrentPage + 1 + over / PageSize;
    if (WrapPage(&page, WrapAround)) {
      if (page != CurrentPage) {
        EnterPage(page);
        Reload();
      }
      FocusCell(over % PageSize + 1);
    }
  } else {
    const int32_t pagesBack = 1 + (-target - 1) / PageSize;
    int32_t page = CurrentPage - pagesBack;
    if (WrapPage(&page, WrapAround)) {
      if (page != CurrentPage) {
        EnterPage(page);
        Reload();
      }
      FocusCell(target + pagesBack * PageSize - (PageSize - RowsOf(ItemNum) * perRow) + 1);
    }
  }
  PostScrollBarUpdate();
  return GetCursor() - old;
}

// On the last page the first page-down only goes to its last cell, and on
// the first page the first page-up to its first cell.
int32_t GridView::ScrollPages(int32_t count) {
  if (PageCount < 2) return 0;
  if (!CanScroll()) {
    PostScrollBarUpdate();
    return 0;
  }
  const int32_t old = GetCursor();
  const int32_t pos = OnGetCurrentItemIndex() - 1;
  if (CurrentPage == PageCount - 1 && count >= 1 && pos != ItemNum - 1) {
    FocusCell(ItemNum);
  } else if (CurrentPage == 0 && count < 0 && pos != 0) {
    FocusCell(1);
  } else {
    int32_t page = CurrentPage + count;
    if (WrapPage(&page, WrapAround && WrapAroundPage)) {
      EnterPage(page);
      FocusCell(1);
      Reload();
    }
  }
  PostScrollBarUpdate();
  return GetCursor() - old;
}

// ------------------------------------------------------------- filling

void GridView::forceReload(XObject*) {
  int32_t f = FocusedIndex();
  if (f < 0 && IsItemValid(0)) {
    OnSetFocus(GetCtrlAt(0));
    f = FocusedIndex();
  }
  int32_t offset = -std::max(f, 0);
  for (Core::View* view = firstView; view; view = view->nextView)
    if (auto* cell = vg_cast<Forms::Ctrl>(view)) cell->SetData(GetItemData(offset++));
  if (!Fixed && !IsItemValid(0)) OnSetFocus(nullptr);
}

void GridView::Refresh(XObject* sender) {
  ListBase::Refresh(sender);
  Forms::Ctrl* first = GetCtrlAt(0);
  if (!first || (ArrangeMode != ArrangeByRows && ArrangeMode != ArrangeByColumns)) return;
  const VgPoint size = VgGetRectSize(first->Bounds);
  const bool byRows = ArrangeMode == ArrangeByRows;
  const int32_t outer = byRows ? TotalRows : ItemsPerRow;
  const int32_t inner = byRows ? ItemsPerRow : TotalRows;
  Core::View* view = firstView;
  auto nextCell = [&view]() -> Forms::Ctrl* {
    for (; view; view = view->nextView)
      if (auto* cell = vg_cast<Forms::Ctrl>(view)) {
        view = view->nextView;
        return cell;
      }
    return nullptr;
  };
  for (int32_t a = 0; a < outer; ++a) {
    for (int32_t b = 0; b < inner; ++b) {
      Forms::Ctrl* cell = nextCell();
      if (!cell) return;
      const int32_t r = byRows ? a : b;
      const int32_t c = byRows ? b : a;
      const VgPoint at{c * (size.x + ItemXInterval) + ItemXOffset, r * (size.y + ItemYInterval) + ItemYOffset};
      cell->OnSetBounds({at.x, at.y, at.x + size.x, at.y + size.y});
    }
  }
}

// ----------------------------------------------------------------- keys

XObject* GridView::HandleEvent(Core::Event* event) {
  const uint16_t key = PressedKey(event);
  if (key == 0) return ListBase::HandleEvent(event);
  if (key == IncreaseItemKey)
    ScrollItems(+1);
  else if (key == DecreaseItemKey)
    ScrollItems(-1);
  else if (key == IncreaseRowKey)
    ScrollRows(+1);
  else if (key == DecreaseRowKey)
    ScrollRows(-1);
  else if (key == PageUpKey)
    ScrollPages(-1);
  else if (key == PageDownKey)
    ScrollPages(+1);
  else
    return ListBase::HandleEvent(event);
  return KeyHandled();
}

}  // namespace ListForm
