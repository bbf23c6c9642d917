#include "SubSystem/MenuClass.h"

#include "vgdebug.h"
#include "vgslot.h"

VG_DEFINE_CLASS(SubSystem, MenuClass, Primitives::KeyRoutingScrollForm)

namespace SubSystem {

MenuClass::MenuClass(XObject* link) : Primitives::KeyRoutingScrollForm(link) {
  OnSetTimeOutValue(MenuTimeOut);
  OnSetOnTimeOut(VgSlotOf<&MenuClass::DoTimeout>(this));
}

// A page left open behind another screen must not close the menus under the
// user's hands: only the focused page counts down. A page that gains the
// focus counts from the full time again: the page beside the main menu has
// run since it opened, and the menus would close soon after the key that
// entered it.
void MenuClass::HandleFocus(bool focused) {
  Primitives::KeyRoutingScrollForm::HandleFocus(focused);
  SetTimeout(focused);
  if (focused) ResetTimeout();
}

// A page that only moves keeps its layout; a new size needs a new one.
void MenuClass::OnSetBounds(VgRect rect) {
  const VgPoint size = VgGetRectSize(Bounds);
  Primitives::KeyRoutingScrollForm::OnSetBounds(rect);
  if (VgGetRectSize(Bounds) != size) VgPostSignal(VgSlotOf<&MenuClass::Refresh>(this));
}

void MenuClass::Refresh(XObject*) {
  if (ArrangeMode != ArrangeRow && ArrangeMode != ArrangeColumn) return;
  int32_t x = ItemXOffset;
  int32_t y = ItemYOffset;
  for (Core::View* view = firstView; view;) {
    Core::View* next = view->nextView;
    if (auto* item = vg_cast<Forms::Ctrl>(view)) {
      const VgPoint size = VgGetRectSize(item->Bounds);
      item->OnSetBounds({x, y, x + size.x, y + size.y});
      if (ArrangeMode == ArrangeRow)
        x = item->Bounds.x2 + ItemInterval;
      else
        y = item->Bounds.y2 + ItemInterval;
    }
    view = next;
  }
}

void MenuClass::DoScrollContent(int32_t dx, int32_t dy) {
  isScrolling = true;
  const VgRect page = GetPageArea();
  for (Core::View* view = firstView; view;) {
    // Read before the move: a view may restack itself while it moves.
    Core::View* next = view->nextView;
    if (!IsExcluded(view)) {
      view->MoveView({dx, dy});
      const VgRect extent = view->GetExtent();
      view->OnSetVisible(VgIntersectRect(extent, page) == extent);
    }
    view = next;
  }
  isScrolling = false;
}

void MenuClass::DoActivate(XObject*) {}

void MenuClass::DoFocus(XObject*) {}

void MenuClass::DoTimeout(XObject*) {}

void MenuClass::DoUnfocus(XObject*) {}

void MenuClass::LockDisabledItems() {}

void MenuClass::OnSetCurrentItemIndex(int32_t index) {
  CurrentItemIndex = index;
  if (Forms::Ctrl* item = GetCtrlAt(index - 1)) OnSetFocus(item);
}

int32_t MenuClass::OnGetCurrentItemIndex() {
  auto* focused = vg_cast<Forms::Ctrl>(Focus.get());
  if (!focused) {
    CurrentItemIndex = 0;
    return 0;
  }
  const int32_t index = GetIndexOf(focused);
  if (LastItemIndex != CurrentItemIndex) LastItemIndex = CurrentItemIndex;
  CurrentItemIndex = index + 1;
  return CurrentItemIndex;
}

void MenuClass::AddItem(Core::View* item, Core::View* sibling) {
  if (!item) {
    VgPrint("SubSystem::MenuClass.AddItem: no item to add\n");
    return;
  }
  AddBehind(item, sibling);
  VgPostSignal(VgSlotOf<&MenuClass::Refresh>(this));
}

void MenuClass::RemoveItem(Core::View* item) {
  if (!item) {
    VgPrint("SubSystem::MenuClass.RemoveItem: no item to remove\n");
    return;
  }
  Remove(item);
  VgPostSignal(VgSlotOf<&MenuClass::Refresh>(this));
}

}  // namespace SubSystem
