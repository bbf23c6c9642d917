// Primitives::KeyRoutingListForm: a screen that shows a long list through a
// fixed set of row controls. The rows stay where they are and the data moves
// through them: the form never holds the list but asks its descendant for the
// item at an offset from the list's cursor, and keeps the focused row and the
// cursor in step, also for grids with several items per row.
//
// The rows are the form's controls in stacking order from the bottom; with
// the focused row at index f, row k shows the item at offset k - f from the
// cursor.
#pragma once

#include <cstdint>

#include "Primitives/KeyRoutingForm.h"

namespace Forms {
class Indicator;
}

namespace Primitives {

class KeyRoutingListForm : public KeyRoutingForm {
  VG_CLASS()

 public:
  explicit KeyRoutingListForm(XObject* link = nullptr);

  // How MoveCursor reads its delta.
  static constexpr uint16_t MoveFromFirst = 0;
  static constexpr uint16_t MoveBy = 1;
  static constexpr uint16_t MoveFromLast = 2;

  // Overridden slots.
  void UpdateCtrlState(uint16_t oldState, uint16_t newState) override;
  // Enables the indicators while items lie before the first or after the last
  // row, and shows the item count on the form's scroll bar.
  void updateScrollBars(XObject* sender = nullptr) override;

  // Slots of the list, in order. The first three are the descendant's list;
  // the base has none.
  // Moves the cursor (mode MoveFromFirst: to item delta, MoveBy: by delta,
  // MoveFromLast: to item delta counted back from the last) and returns how
  // far it really moved.
  virtual int32_t MoveCursor(int32_t delta, uint16_t mode);
  // The data of the item at the offset from the cursor, null where none is.
  virtual XObject* GetItemData(int32_t offset);
  virtual int32_t GetItemsCount();
  // Focuses a row that shows an item and refills every row.
  virtual void forceReload(XObject* sender = nullptr);
  // Each returns how far the cursor moved: by items, by whole rows of a grid,
  // and by pages of as many items as there are rows.
  virtual int32_t ScrollItems(int32_t count);
  virtual int32_t ScrollRows(int32_t count);
  virtual int32_t ScrollPages(int32_t count);

  bool IsItemValid(int32_t offset);
  // The list's cursor as an item index, which the bar shows; the lists that
  // hold a cursor answer it, this class knows none and answers -1.
  virtual int32_t GetCursor();
  // The row to focus instead of row index among count rows so that the rows
  // show as many items as they can: an index outside the rows comes back in
  // the same column, the focus moves up while the first row would be empty
  // and down (in whole grid rows) while the last rows would be.
  int32_t AdjustFocus(int32_t index, int32_t count);
  // Posts forceReload and updateScrollBars, so a burst of changes refills the
  // rows once.
  void Reload();
  // Cursor to the first item and focus to the first row; returns the shift of
  // the data.
  int32_t ScrollToFirst();
  // Cursor to the last item and focus to the last row that shows one.
  int32_t ScrollToLast();
  // Shifts the data by one row when it can (one new item is read), else
  // refills all rows.
  void DoScrollItems(int32_t shift);

  bool OnGetFixed() const { return Fixed; }
  void OnSetFixed(bool value);
  int32_t OnGetItemsPerRow() const { return ItemsPerRow; }
  void OnSetItemsPerRow(int32_t value);
  Forms::Indicator* OnGetNextIndicator() const { return NextIndicator; }
  void OnSetNextIndicator(Forms::Indicator* indicator);
  Forms::Indicator* OnGetPrevIndicator() const { return PrevIndicator; }
  void OnSetPrevIndicator(Forms::Indicator* indicator);

  // The focus stays on its row; only the data moves.
  bool Fixed = false;
  // Items per row of a grid; never below 1.
  int32_t ItemsPerRow = 1;
  VgPtr<Forms::Indicator> NextIndicator;
  VgPtr<Forms::Indicator> PrevIndicator;

 protected:
  void PostScrollBarUpdate();

 private:
  // The focused row and its index, or null and -1.
  Forms::Ctrl* FocusedRow(int32_t* index);
  void FocusRow(int32_t index);
};

}  // namespace Primitives
