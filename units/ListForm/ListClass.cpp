#include "ListForm/ListClass.h"

#include <algorithm>

#include "Forms/ImageIndicator.h"
#include "Resources/Bitmap.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(ListForm, ListClass, ListForm::ListBase)

namespace ListForm {

ListClass::ListClass(XObject* link) : ListBase(link) {}

ListClass::ListClass(const ListDef& def, XObject* link) : ListBase(link) {
  OnSetBounds(def.bounds);
  MaxItemNum = def.maxRows;
  ItemClass = def.rowClass;
  PageUpKey = def.pageUpKey;
  PageDownKey = def.pageDownKey;
  DecreaseKey = def.decreaseKey;
  IncreaseKey = def.increaseKey;
  ItemXOffset = def.itemXOffset;
  ItemYOffset = def.itemYOffset;
  ItemInterval = def.itemInterval;
  WrapAround = def.wrapAround;
  ListMode = def.listMode;
  IndicatorPlacement = def.indicators;
  if (def.indicators == Indicators::None) return;
  OnSetPrevIndicator(MakeIndicator(def.prevBitmap, def.prevBounds));
  OnSetNextIndicator(MakeIndicator(def.nextBitmap, def.nextBounds));
}

Forms::ImageIndicator* ListClass::MakeIndicator(const VgConstant* bitmap, VgRect bounds) {
  auto* indicator = VgNew<Forms::ImageIndicator>();
  indicator->OnSetBounds(bounds);
  if (bitmap) indicator->OnSetEnabledBitmap(VgLoad<Resources::Bitmap>(*bitmap));
  Add(indicator, 0);
  return indicator;
}

int32_t ListClass::PoolSize() { return MaxItemNum; }

// ------------------------------------------------------------------ hooks

void ListClass::LockDisabledItems(bool) {}

Forms::Ctrl* ListClass::GetScrolledItem(Forms::Ctrl* row, int32_t direction) {
  if (!row) return nullptr;
  if (direction < 1) {
    Forms::Ctrl* prev = GetPrevCtrl(row);
    return prev ? prev : GetLastCtrl();
  }
  Forms::Ctrl* next = GetNextCtrl(row);
  return next ? next : GetFirstCtrl();
}

void ListClass::InitializeItems() {}

int32_t ListClass::GetFocusItemIndex() { return 0; }

int32_t ListClass::GetItemsNum() { return 1; }

VgString ListClass::GetStringParam() { return nullptr; }

bool ListClass::LoadNextPage() { return false; }

// ------------------------------------------------------------ filling

void ListClass::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ListBase::Initialize(parameter);
  // A count below zero from a hook is no entries.
  const int32_t count = std::max(GetItemsNum(), 0);
  const VgStr text = GetStringParam();
  OnSetItemNum(std::min(count, MaxItemNum));
  if (!DataSource) {
    auto* source = VgNew<ListDataSource>();
    OnSetDataSource(source);
    source->Num = count;
    source->StringParam = text;
  } else {
    DataSource->Num = count;
    DataSource->StringParam = text;
    Reload();
  }
  InitializeItems();
  OnSetCurrentItemIndex(GetFocusItemIndex() + 1);
}

void ListClass::OnSetCurrentItemIndex(int32_t i) {
  FocusSetByARead();
  CurrentItemIndex = i;
  ScrollToFirst();
  // A list that has not shown its entries yet has no focused row for the
  // scroll to carry along: the first row takes the focus here.
  if (!Fixed && !Focus && IsItemValid(0))
    if (Forms::Ctrl* first = GetFirstCtrl()) OnSetFocus(first);
  ScrollItems(i - 1);
}

void ListClass::FocusEntry(int32_t i) {
  OnSetCurrentItemIndex(i + 1);
  forceReload();
}

void ListClass::ShrinkToRows(int32_t rowHeight) {
  if (fullHeight < 0) fullHeight = VgGetRectH(Bounds);
  const int32_t missing = MaxItemNum - std::clamp(ItemNum, 0, MaxItemNum);
  const int32_t height = fullHeight - missing * (ItemInterval + rowHeight);
  OnSetBounds({Bounds.x1, Bounds.y1, Bounds.x2, Bounds.y1 + height});
}

// ------------------------------------------------------------- layout

void ListClass::Refresh(XObject* sender) {
  ListBase::Refresh(sender);
  LockDisabledItems(true);
  if (ArrangeMode == ArrangeLeftToRight || ArrangeMode == ArrangeTopToBottom) {
    VgPoint at{ItemXOffset, ItemYOffset};
    for (Core::View* view = firstView; view; view = view->nextView) {
      auto* row = vg_cast<Forms::Ctrl>(view);
      if (!row) continue;
      const VgPoint size = VgGetRectSize(row->Bounds);
      row->OnSetBounds({at.x, at.y, at.x + size.x, at.y + size.y});
      if (ArrangeMode == ArrangeLeftToRight)
        at.x += size.x + ItemInterval;
      else
        at.y += size.y + ItemInterval;
    }
  }
  LockDisabledItems(false);
  PlaceIndicators();
}

void ListClass::PlaceIndicators() {
  const int32_t w = VgGetRectW(Bounds);
  const int32_t h = VgGetRectH(Bounds);
  VgPoint prev;
  VgPoint next;
  switch (IndicatorPlacement) {
    case Indicators::BottomRight:
      prev = {w - 40, h - 14};
      next = {w - 20, h - 14};
      break;
    case Indicators::RightEdge:
      prev = {w - ItemXOffset, -4};
      next = {w - ItemXOffset, h - 16};
      break;
    case Indicators::RightColumn:
      prev = {w - 20, ItemYOffset - 4};
      next = {w - 20, h - 16};
      break;
    default:
      return;
  }
  if (PrevIndicator) PrevIndicator->OnSetBounds(VgSetRectOrigin(PrevIndicator->Bounds, prev));
  if (NextIndicator) NextIndicator->OnSetBounds(VgSetRectOrigin(NextIndicator->Bounds, next));
}

// --------------------------------------------------------------- keys

void ListClass::StepFocus(int32_t direction) {
  auto* row = vg_cast<Forms::Ctrl>(Focus.get());
  if (Forms::Ctrl* to = GetScrolledItem(row, direction)) {
    const int32_t from = GetIndexOf(row);
    OnSetFocus(to);
    // The cursor stays the entry under the focused row, so that a later
    // reload shows the rows as they are.
    if (Focus.get() == to) MoveCursor(GetIndexOf(to) - from, MoveBy);
  } else if (!row && WrapAround) {
    OnSetFocus(direction < 0 ? GetFirstCtrl() : GetLastCtrl());
  }
}

XObject* ListClass::HandleEvent(Core::Event* event) {
  const uint16_t key = PressedKey(event);
  if (key == 0) return ListBase::HandleEvent(event);
  const int32_t cursor = DataSource ? DataSource->Cursor : 0;
  Core::View* focused = Focus;
  if (key == DecreaseKey) {
    if (!ListMode)
      StepFocus(-1);
    else if (ScrollItems(-1) == 0 && WrapAround)
      ScrollToLast();
  } else if (key == IncreaseKey) {
    if (!ListMode)
      StepFocus(+1);
    else if (ScrollItems(+1) == 0 && !(LoadNextPage() && ScrollItems(+1) != 0) && WrapAround)
      ScrollToFirst();
  } else if (key == PageUpKey && ListMode) {
    ScrollPages(-1);
  } else if (key == PageDownKey && ListMode) {
    if (ScrollPages(+1) == 0 && LoadNextPage()) ScrollPages(+1);
  } else {
    return ListBase::HandleEvent(event);
  }
  // The focus stayed on its row but another entry came under it.
  if (DataSource && Focus.get() == focused && DataSource->Cursor != cursor) VgSignal(OnFocusOption, this);
  return KeyHandled();
}

}  // namespace ListForm
