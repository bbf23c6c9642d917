#include "Primitives/KeyRoutingListForm.h"

#include <algorithm>

#include "Forms/Indicator.h"
#include "Forms/ScrollBar.h"

VG_DEFINE_CLASS(Primitives, KeyRoutingListForm, Primitives::KeyRoutingForm)

namespace Primitives {

// A new list fills itself in the first signal pass, once its descendant is
// fully built and can answer for its items.
KeyRoutingListForm::KeyRoutingListForm(XObject* link) : KeyRoutingForm(link) { Reload(); }

int32_t KeyRoutingListForm::MoveCursor(int32_t, uint16_t) { return 0; }

XObject* KeyRoutingListForm::GetItemData(int32_t) { return nullptr; }

int32_t KeyRoutingListForm::GetItemsCount() { return 0; }

bool KeyRoutingListForm::IsItemValid(int32_t offset) { return GetItemData(offset) != nullptr; }

int32_t KeyRoutingListForm::GetCursor() { return -1; }

Forms::Ctrl* KeyRoutingListForm::FocusedRow(int32_t* index) {
  Forms::Ctrl* row = vg_cast<Forms::Ctrl>(Focus.get());
  *index = row ? GetIndexOf(row) : -1;
  return row;
}

void KeyRoutingListForm::FocusRow(int32_t index) { OnSetFocus(GetCtrlAt(index)); }

void KeyRoutingListForm::PostScrollBarUpdate() {
  VgPostSignal(VgSlotOf<&Forms::Form::updateScrollBars>(static_cast<Forms::Form*>(this)));
}

void KeyRoutingListForm::Reload() {
  VgPostSignal(VgSlotOf<&KeyRoutingListForm::forceReload>(this));
  PostScrollBarUpdate();
}

// --------------------------------------------------------------- the focus

int32_t KeyRoutingListForm::AdjustFocus(int32_t index, int32_t count) {
  const int32_t perRow = ItemsPerRow;
  int32_t i = index;
  // Outside the rows: the same column in the first or the last row.
  if (i < 0) {
    const int32_t r = i % perRow;
    i = r == 0 ? 0 : r + perRow;
  }
  if (i >= count) i = (count - perRow) + (i % perRow);

  // Up while the rows above the focus would start with empty ones.
  int32_t emptyTop = 0;
  while (emptyTop < i && !IsItemValid(emptyTop - i)) ++emptyTop;
  i -= emptyTop;

  // Down, in whole grid rows, while rows below the focus would stay empty
  // although earlier items could fill them.
  int32_t emptyBottom = 0;
  for (int32_t row = count - 1; row > i && !IsItemValid(row - i); --row) ++emptyBottom;
  for (int32_t j = emptyBottom; j >= 1; --j)
    if (IsItemValid(-(i + j))) return i + j - (j % perRow);
  return i;
}

// ---------------------------------------------------------------- loading

void KeyRoutingListForm::forceReload(XObject*) {
  int32_t f = -1;
  FocusedRow(&f);
  Forms::Ctrl* first = GetFirstCtrl();
  if (f < 0 && first && IsItemValid(0)) {
    OnSetFocus(first);
    f = GetIndexOf(first);
  }
  // Without a focused row there is nothing to align the rows to.
  if (!Fixed && f >= 0) {
    const int32_t g = AdjustFocus(f, GetCount());
    if (g != f) {
      FocusRow(g);
      f = g;
    }
  }
  // Every row takes its item, disabled rows too: the offsets count every
  // row, and a row that its item enables or disables changes no other row's.
  int32_t offset = -f;
  for (int32_t index = 0, count = GetCount(); index < count; ++index)
    if (Forms::Ctrl* row = GetCtrlAt(index)) row->SetData(GetItemData(offset++));
  // A row that its item disables hands the focus on: the cursor follows it,
  // so that the next reload lines the rows up with the focused one again.
  if (int32_t g = -1; f >= 0 && FocusedRow(&g) && g != f) MoveCursor(g - f, MoveBy);
  if (!Fixed && !IsItemValid(0)) OnSetFocus(nullptr);
}

void KeyRoutingListForm::DoScrollItems(int32_t shift) {
  int32_t f = -1;
  if (!FocusedRow(&f) || shift == 0) return;
  if (shift == 1) {
    ShiftPrev(GetItemData(GetCount() - f - 1));
    PostScrollBarUpdate();
  } else if (shift == -1) {
    ShiftNext(GetItemData(-f));
    PostScrollBarUpdate();
  } else {
    Reload();
  }
}

// --------------------------------------------------------------- scrolling

int32_t KeyRoutingListForm::ScrollItems(int32_t count) {
  const int32_t d = MoveCursor(count, MoveBy);
  int32_t f = -1;
  if (!Fixed && FocusedRow(&f)) {
    // The focus moves within the rows; only what does not fit scrolls.
    const int32_t g = AdjustFocus(f + d, GetCount());
    if (g != f) {
      FocusRow(g);
      DoScrollItems(f + d - g);
    } else {
      DoScrollItems(d);
    }
  } else {
    DoScrollItems(d);
  }
  return d;
}

int32_t KeyRoutingListForm::ScrollRows(int32_t count) {
  const int32_t d = MoveCursor(count * ItemsPerRow, MoveBy);
  int32_t f = -1;
  if (!Fixed && FocusedRow(&f)) {
    const int32_t g = AdjustFocus(f + d, GetCount());
    if (g != f) FocusRow(g);
  }
  Reload();
  return d;
}

// The focus keeps its row from page to page: the row index is taken round
// the page. A move cut short at an end of the list moves the focus instead,
// and the rows are then pulled back so that they stay full.
int32_t KeyRoutingListForm::ScrollPages(int32_t count) {
  const int32_t rows = GetCount();
  const int32_t step = rows * count;
  const int32_t d = MoveCursor(step, MoveBy);
  int32_t f = -1;
  if (!Fixed && FocusedRow(&f)) {
    int32_t v = f + d;
    if (v < 0) v -= step;
    FocusRow(AdjustFocus(v % rows, rows));
  }
  Reload();
  return d;
}

int32_t KeyRoutingListForm::ScrollToFirst() {
  int32_t d = MoveCursor(0, MoveFromFirst);
  int32_t f = -1;
  if (!Fixed && FocusedRow(&f)) {
    d += f;
    SelectFirst();
  }
  DoScrollItems(d);
  return d;
}

int32_t KeyRoutingListForm::ScrollToLast() {
  int32_t d = MoveCursor(0, MoveFromLast);
  int32_t f = -1;
  if (!Fixed && FocusedRow(&f)) {
    const int32_t g = AdjustFocus(f + d, GetCount());
    if (g != f) {
      d = f + d - g;
      FocusRow(g);
    }
  }
  DoScrollItems(d);
  return d;
}

// ------------------------------------------------------ indicators and bar

void KeyRoutingListForm::updateScrollBars(XObject*) {
  int32_t f = -1;
  const bool focused = FocusedRow(&f) != nullptr;
  if (PrevIndicator) PrevIndicator->OnSetEnabled(focused && IsItemValid(-f - 1));
  if (NextIndicator) NextIndicator->OnSetEnabled(focused && IsItemValid(GetCount() - f));
  if (ScrollBar) {
    ScrollBar->OnSetContent(GetItemsCount());
    const int32_t pos = GetCursor();
    ScrollBar->OnSetPos(pos);
    ScrollBar->OnSetPage(pos == -1 ? ScrollBar->Content : 1);
  }
}

void KeyRoutingListForm::UpdateCtrlState(uint16_t oldState, uint16_t newState) {
  KeyRoutingForm::UpdateCtrlState(oldState, newState);
  if (oldState == newState) return;
  if (NextIndicator) NextIndicator->UpdateCtrlState(oldState, newState);
  if (PrevIndicator) PrevIndicator->UpdateCtrlState(oldState, newState);
}

// -------------------------------------------------------------- properties

void KeyRoutingListForm::OnSetFixed(bool value) {
  if (value == Fixed) return;
  Fixed = value;
  int32_t f = -1;
  if (!value && FocusedRow(&f)) FocusRow(AdjustFocus(f, GetCount()));
}

void KeyRoutingListForm::OnSetItemsPerRow(int32_t value) { ItemsPerRow = std::max(1, value); }

void KeyRoutingListForm::OnSetNextIndicator(Forms::Indicator* indicator) {
  if (indicator == NextIndicator.get()) return;
  NextIndicator = indicator;
  PostScrollBarUpdate();
}

void KeyRoutingListForm::OnSetPrevIndicator(Forms::Indicator* indicator) {
  if (indicator == PrevIndicator.get()) return;
  PrevIndicator = indicator;
  PostScrollBarUpdate();
}

}  // namespace Primitives
