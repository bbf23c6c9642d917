// MenuSystem::BrcmSubMenu: the base of the pages beside the main menu and of
// the pages they open: a title over a carousel of MenuSystem::BrcmSubMenuItem
// rows. A page is data: a PageTable (MenuSystem/PageTable.h) names its rows, and the class
// adds code only where the table cannot say it (rows removed by the state of
// the set, rows whose meaning changes with a setting).
//
// How to add a page:
//
//   // MyPages.cpp
//   constexpr RowDef kTimeRows[] = {
//       {Sid(Strings::SID_SLEEP), RowKind::Value, OptionDatabase::OPTION_TYPE_SLEEP},
//       {Sid(Strings::SID_CLOCK), RowKind::Page, 0, "MenuSystem::BrcmClockMenu"},
//       {Fixed("RESET"), RowKind::Dialog, kResetConfirmation, "NonMenuSystem::ConfirmMultiOptionDialog"},
//       {Fixed("SCAN"), RowKind::Dialog, 3, "Channels::AutoTuningConfirmDialog", NonMenuSystem::kPinTypeScan},  // behind the PIN
//   };
//   constexpr uint8_t kTimeRemoved[] = {3};          // rows (from 1) this set never shows
//   constexpr PageTable kTimeMenu{.title = Sid(Strings::SID_TIME), .back = "MenuSystem::BrcmMainMenu",
//                                 .rows = kTimeRows, .removed = kTimeRemoved};
//   const PageListing kListed[] = {PageListing(kTimeMenu)};
//   BrcmTimeMenu::BrcmTimeMenu() : BrcmSubMenu(kTimeMenu) {}
//
// with `class BrcmTimeMenu : public BrcmSubMenu { VG_CLASS() public: BrcmTimeMenu(); };`
// in the header and VG_DEFINE_CLASS(MenuSystem, BrcmTimeMenu, MenuSystem::BrcmSubMenu)
// in the source. The page opens by its class name from any table; the rows'
// targets are class names too, so a row may name a page not built yet (the
// screen opener logs it and nothing opens). Override Initialize to take out
// rows by the set's state (RemoveRow, then BrcmSubMenu::Initialize), and
// LoadSettings to change rows before their values are read.
//
// Keys: UP and DOWN move the carousel; OK (and RIGHT on a value row) act on
// the row; LEFT and Return go back (to the main menu, which keeps this page
// beside it, or from a deeper level to the page in `back`). Focusing a value
// row opens the option pop-up (MenuSystem::BrcmOptionMenu) beside the page
// without the focus; RIGHT or OK moves the focus into it.
#pragma once

#include <cstdint>

#include "Button/IconButton.h"
#include "MenuSystem/CarouselMenu.h"
#include "MenuSystem/PageTable.h"
#include "SkinBin/ProgressQOR.h"
#include "Views/Image.h"
#include "Views/Rectangle.h"
#include "Views/Text.h"
#include "vgstring.h"

namespace MenuSystem {

class BrcmOptionMenu;

class BrcmSubMenuItem : public Button::IconButton {
  VG_CLASS()

 public:
  explicit BrcmSubMenuItem(XObject* link = nullptr);

  // HelpType: the main menu's first help icon while the row has the focus.
  static constexpr int32_t HelpTypeEnter = 1;
  static constexpr int32_t HelpTypeUpDown = 2;
  static constexpr int32_t HelpTypeLeftRight = 3;

  // Overridden slots.
  // RIGHT activates a value row like OK.
  XObject* HandleEvent(Core::Event* event) override;
  // An in-place slider takes the focus inside the row.
  void HandleFocus(bool focused) override;
  void Refresh(XObject* sender = nullptr) override;
  void RefreshCtrlState(int32_t look) override;

  // The slider's change: written to the option at once.
  void DoValueChanged(XObject* sender);

  // Sets the row up as a row of that kind.
  void Configure(const RowDef& def);
  // OK opens another screen than the table's ("Unit::Class"), behind the
  // parental PIN of pinType when non-zero.
  void Retarget(const char* target, int32_t pinType = 0);
  // Whether OK can act on the row.
  bool Usable() const { return IsEnabled && !IsDisabled; }
  bool LeadsToOptionMenu() const;

  void OnSetIsEnabled(bool value);
  void OnSetIsColor(bool value);
  void OnSetIsSlider(bool value);
  void OnSetIsSelect(bool value);
  void OnSetIsItemValue(bool value);
  void OnSetCaptionGap(int32_t value);
  void OnSetValueString(VgString value);
  VgString OnGetValueString() const { return ValueString; }
  // Also moves the slider and shows the number.
  void OnSetValue(int32_t value);
  int32_t OnGetValue() const { return Value; }
  void OnSetMin(int32_t value);
  void OnSetMax(int32_t value);
  void OnSetColor(VgColor value);

  bool IsEnabled = true;
  bool IsColor = false;
  bool NeedHideMenu = false;
  bool IsSelect = false;
  bool IsSlider = false;
  bool IsItemValue = false;
  int32_t CaptionGap = 5;
  Views::Text valueText{this};
  SkinBin::ProgressQOR slider{this};
  int32_t OptionType = 0;
  VgStr ValueString;
  int32_t Value = 0;
  int32_t Min = 0;
  int32_t Max = 0;
  int32_t CurrentValue = 0;
  VgSlot OnValueChanged;
  VgSlot OnResetTimeout;
  int32_t Step = 0;
  int32_t HelpType = HelpTypeEnter;
  Views::Image rightArrow{this};
  Views::Rectangle colorRect{this};
  VgColor Color{0, 0, 255, 255};
  // "Unit::Class" of what OK opens; null for nothing.
  const char* Target = nullptr;
  // The PIN type guarding Target; 0 for none.
  int32_t PinType = 0;

 private:
  void UpdateHelpType();
  void PostRowRefresh();
};

class BrcmSubMenu : public CarouselMenu {
  VG_CLASS()

 public:
  explicit BrcmSubMenu(const PageTable& table);
  BrcmSubMenu();

  // Overridden slots.
  // LEFT and Return go back.
  XObject* HandleEvent(Core::Event* event) override;
  // Lays the carousel out over the rows the set shows, restores the level's
  // row, reads the values and focuses the row.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Close(XObject* sender = nullptr) override;
  // Also reloads the values when an option changed, and when the page shows
  // itself again after a screen that its row opened.
  void HandleMessage(Structures::Message* message) override;
  // Another screen that has the keys may change what the rows show (the bar
  // a row opened, the quick menu's pages): the menu system tells the page as
  // the keys leave the menus, and the page reads its values again when they
  // come back while it shows.
  void KeysLeftTheMenus() { valuesMayBeStale_ = true; }
  void KeysCameBack() {
    if (valuesMayBeStale_ && Visible) ReadValuesAgain();
  }
  void DoActivate(XObject* sender) override;
  void DoFocus(XObject* sender) override;
  void ReInit() override;
  // Reads every value and slider row's option into the row.
  virtual void LoadSettings();

  // The row numbered n (from 1) in the page's table; null once removed.
  BrcmSubMenuItem* Row(int32_t n) const;
  // Takes the row out of the page before Initialize lays it out.
  void RemoveRow(int32_t n);
  // The row last focused on the page's level, as the sub-system keeps it.
  int32_t StoredItemIndex() const;
  void LaunchOptionMenu(XObject* sender = nullptr);
  void CloseOptionMenu(XObject* sender = nullptr);
  void OnSetLabelstring(VgString value);

  const PageTable* table = nullptr;
  // Set by pages that place themselves: Initialize neither restores the
  // level's row nor focuses one.
  bool NeedAdjustCurrentItemIndex = false;
  VgPtr<BrcmOptionMenu> OptionMenu;
  Views::Text title{this};
  VgStr Labelstring;

 protected:
  void MoveStarted() override { CloseOptionMenu(); }
  void DressSpare(Core::Group* spare, Core::Group* like) override;

 private:
  void Build();
  void SetCaptions();
  BrcmSubMenuItem* CurrentRow() const;
  void ReadValuesAgain() {
    valuesMayBeStale_ = false;
    LoadSettings();
  }

  bool valuesMayBeStale_ = false;
};

}  // namespace MenuSystem
