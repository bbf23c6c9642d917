// QuickMenu::QuickMenu: the quick menu, on the quick key of live television.
// Each entry names the screen it opens; OK opens it with the quick-menu
// origin and the quick menu as its way back, so that BACK there returns
// here. An entry whose screen is not in the program says so in the log and
// the menu stays.
#pragma once

#include <cstdint>
#include <span>

#include "Button/Button.h"
#include "NonMenuSystem/QORWidgetClass.h"
#include "vgobject.h"

namespace QuickMenu {

// One entry: its caption and the class name of the screen it opens.
struct QuickItem {
  const VgConstant* caption;
  const char* screen;
};

class QuickMenu : public NonMenuSystem::QORWidgetClass {
  VG_CLASS()

 public:
  explicit QuickMenu(XObject* link = nullptr);

  static constexpr int32_t MaxItems = 6;
  static constexpr int32_t ItemHeight = 40;
  static constexpr int32_t ItemGap = 6;
  static constexpr int32_t MenuWidth = 380;

  XObject* HandleEvent(Core::Event* event) override;

  // Opens the screen of the focused entry.
  void OpenItem();
  int32_t OnGetCurrentItem() const;

  VgPtrArray<Button::Button, MaxItems> items;
  int32_t ItemCount = 0;

 protected:
  // Builds the entries and sizes the menu round them.
  void SetItems(std::span<const QuickItem> table, const VgConstant* caption);

  std::span<const QuickItem> table_;
};

}  // namespace QuickMenu
