// ListForm::GridView: a data source shown a page at a time as TotalRows rows
// of ItemsPerRow cells. Keys move one cell, one row or one page; moving past
// the first or last cell of a page turns the page, and the ends may wrap.
// The cursor is always the entry of the focused cell: on page p, cell c shows
// entry p * PageSize + c.
//
// A concrete grid sets the cell class and its look in its constructor,
// registers its reader, and after Initialize fills itself with LoadPages.
#pragma once

#include <cstdint>

#include "Core/Keys.h"
#include "ListForm/ListBase.h"

namespace ListForm {

class GridView : public ListBase {
  VG_CLASS()

 public:
  explicit GridView(XObject* link = nullptr);

  static constexpr uint16_t ArrangeByRows = 0;
  static constexpr uint16_t ArrangeByColumns = 1;

  // Overridden slots.
  XObject* HandleEvent(Core::Event* event) override;
  // Sets the page size from the rows and columns.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // Places the cells in rows (or columns) at the size of the first cell.
  void Refresh(XObject* sender = nullptr) override;
  // Refills the cells around the focused one; the focus goes to the first
  // cell when none has it, and never moves to another cell otherwise.
  void forceReload(XObject* sender = nullptr) override;
  // Each returns how far the cursor moved; nothing moves while the cells are
  // Fixed or none has the focus.
  int32_t ScrollItems(int32_t count) override;
  int32_t ScrollRows(int32_t count) override;
  int32_t ScrollPages(int32_t count) override;

  // Shows count entries from the first page on, focused on the first cell;
  // makes the data source the first time.
  void LoadPages(int32_t count);
  // The cells page p shows: a whole page but on the last, which shows what
  // is left.
  int32_t CellsOnPage(int32_t p);

  void AddItem(Forms::Ctrl* cell, Core::View* neighbour);
  void RemoveItem(Forms::Ctrl* cell);

  // Stores i and focuses cell i - 1 of the page when it is there; the data
  // does not move.
  void OnSetCurrentItemIndex(int32_t i);
  // The page of entry i, focused on its cell.
  void FocusEntry(int32_t i) override;
  bool OnGetWrapAroundPage() const { return WrapAroundPage; }
  void OnSetWrapAroundPage(bool value) { WrapAroundPage = value; }
  bool OnGetWrapAround() const { return WrapAround; }
  void OnSetWrapAround(bool value) { WrapAround = value; }
  int32_t OnGetTotalRows() const { return TotalRows; }
  void OnSetTotalRows(int32_t value) { TotalRows = value; }
  int32_t OnGetPageCount() const { return PageCount; }
  void OnSetPageCount(int32_t value) { PageCount = value; }
  int32_t OnGetCurrentPage() const { return CurrentPage; }
  void OnSetCurrentPage(int32_t value) { CurrentPage = value; }

  // The page keys wrap from the last page to the first and back, when
  // WrapAround allows it too.
  bool WrapAroundPage = true;
  // Moving past the first or last cell (or row) wraps to the other end.
  bool WrapAround = false;
  uint16_t PageDownKey = Key::GridPageDown;
  uint16_t PageUpKey = Key::GridPageUp;
  uint16_t IncreaseRowKey = Key::Down;
  uint16_t DecreaseRowKey = Key::Up;
  uint16_t IncreaseItemKey = Key::Right;
  uint16_t DecreaseItemKey = Key::Left;
  uint16_t ArrangeMode = ArrangeByRows;
  int32_t TotalRows = 4;
  int32_t ItemXOffset = 0;
  int32_t ItemYOffset = 0;
  int32_t ItemXInterval = 0;
  int32_t ItemYInterval = 0;
  // TotalRows * ItemsPerRow, set by Initialize: the cells made.
  int32_t PageSize = 0;
  int32_t PageCount = 0;
  int32_t CurrentPage = 0;

 protected:
  int32_t PoolSize() override;
  void AddRow(Forms::Ctrl* row) override;

 private:
  void EnterPage(int32_t page);
  // Focuses cell k (1-based) of the page, or the last cell with data when
  // there is no cell k, and puts the cursor on its entry.
  void FocusCell(int32_t k);
  // Whether a scroll may act: cells not fixed and one of them focused.
  bool CanScroll();
  // Brings a page number outside the pages back round, or answers false when
  // the grid does not wrap.
  bool WrapPage(int32_t* page, bool wrap);
  // The grid rows the page's n cells fill.
  int32_t RowsOf(int32_t n);
};

}  // namespace ListForm
