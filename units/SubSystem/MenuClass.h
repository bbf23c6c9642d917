// SubSystem::MenuClass: the base of every menu page. Its items are laid out
// in a row or a column from a start point with a fixed gap, it knows its
// current item by a 1-based index, belongs to a menu sub-system at a menu
// level, and closes itself after a minute without use while it has the
// focus.
#pragma once

#include <cstdint>

#include "Primitives/KeyRoutingScrollForm.h"
#include "SubSystem/MenuSystemClass.h"
#include "vgstring.h"

namespace SubSystem {

class MenuClass : public Primitives::KeyRoutingScrollForm {
  VG_CLASS()

 public:
  explicit MenuClass(XObject* link = nullptr);

  // With a page focused, CLEAR and EXIT both close the menus, and only them.
  bool TakesClearAsExit() const final { return true; }

  static constexpr int32_t MenuTimeOut = 60000;
  // Values of ArrangeMode; any other value leaves the items where they are.
  static constexpr int16_t ArrangeRow = 0;
  static constexpr int16_t ArrangeColumn = 1;

  // The menus arrange among their own pages which has the keys.
  bool SharesKeysWithItsPages() const override { return true; }

  // Overridden slots.
  // The time-out runs exactly while the page has the focus.
  void HandleFocus(bool focused) override;
  void OnSetBounds(VgRect rect) override;
  // Lays the items out by ArrangeMode.
  void Refresh(XObject* sender = nullptr) override;
  // Only items wholly inside the page stay visible.
  void DoScrollContent(int32_t dx, int32_t dy) override;

  // Slots of the page; this base does nothing in DoActivate, DoFocus and
  // DoTimeout.
  virtual void DoActivate(XObject* sender);
  virtual void DoFocus(XObject* sender);
  // Focuses the item at index - 1 when there is one.
  virtual void OnSetCurrentItemIndex(int32_t index);
  // The focused item's index plus 1, or 0 without one. Reading it also
  // records the index it replaces in LastItemIndex.
  virtual int32_t OnGetCurrentItemIndex();
  virtual void DoTimeout(XObject* sender);

  void DoUnfocus(XObject* sender);
  void LockDisabledItems();

  // Adds the item behind the sibling and lays the page out again.
  void AddItem(Core::View* item, Core::View* sibling);
  void RemoveItem(Core::View* item);

  // Setting these does not lay the page out again.
  MenuSystemClass* OnGetMenuSystem() const { return MenuSystem; }
  void OnSetMenuSystem(MenuSystemClass* value) { MenuSystem = value; }
  int32_t OnGetMenuLevel() const { return MenuLevel; }
  void OnSetMenuLevel(int32_t value) { MenuLevel = value; }
  int16_t OnGetArrangeMode() const { return ArrangeMode; }
  void OnSetArrangeMode(int16_t value) { ArrangeMode = value; }
  int32_t OnGetItemXOffset() const { return ItemXOffset; }
  void OnSetItemXOffset(int32_t value) { ItemXOffset = value; }
  int32_t OnGetItemYOffset() const { return ItemYOffset; }
  void OnSetItemYOffset(int32_t value) { ItemYOffset = value; }
  int32_t OnGetItemInterval() const { return ItemInterval; }
  void OnSetItemInterval(int32_t value) { ItemInterval = value; }
  int32_t OnGetLastItemIndex() const { return LastItemIndex; }
  void OnSetLastItemIndex(int32_t value) { LastItemIndex = value; }
  VgString OnGetName() const { return Name; }
  void OnSetName(VgString value) { Name = value; }
  int32_t OnGetItemsNum() const { return ItemsNum; }
  void OnSetItemsNum(int32_t value) { ItemsNum = value; }

  int16_t ArrangeMode = ArrangeRow;
  VgPtr<MenuSystemClass> MenuSystem;
  int32_t MenuLevel = 1;
  int32_t ItemXOffset = 0;
  int32_t ItemYOffset = 0;
  int32_t ItemInterval = 0;
  int32_t CurrentItemIndex = 0;
  int32_t LastItemIndex = 0;
  VgStr Name;
  // Kept by the page class that fills the page.
  int32_t ItemsNum = 0;
};

}  // namespace SubSystem
