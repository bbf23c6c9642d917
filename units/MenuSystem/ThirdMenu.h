// MenuSystem::ThirdMenu: the base of the framed setting pages of the older
// family (picture, sound, setup, timer, caption, input, network, 3D and
// colour pages): a title band over a column of rows (MenuSystem/MenuItems.h)
// with up and down arrows while rows lie outside the 8 visible ones. The
// rows bind themselves to their options when the page opens; the page never
// writes a setting itself: Select rows write their own steps, and other rows
// open the screen that changes the value (an adjustment bar, the option
// overlay, a confirmation) through DoActivate.
//
// How to add a third-level page: a table, a class, and code only for what
// the table cannot say.
//
//   // MyPages.cpp
//   constexpr RowDef kNoiseRows[] = {
//       Item<SubMenuItemValue>(Sid(SID_MPEG_NR), O::OPTION_TYPE_MPEG_NR, "NonMenuSystem::ToggleOptionOverlay"),
//       Item<SubMenuItemValueSelect>(Sid(SID_STAGEHOLD), S::OPTION_TYPE_STAGEHOLD)
//           .Changed(PageSlot<&ThirdMenu::RefreshGrayout>),         // re-greys the page at each step
//       Item<AdjustItemSlider>(Sid(SID_BACKLIGHT), O::OPTION_TYPE_BACKLIGHT, "NonMenuSystem::AdjustmentBar")
//           .Flags(NoMiddlePoint),
//       Item<SubMenuItem>(Sid(SID_RESET), 17, "NonMenuSystem::ConfirmMultiOptionDialog"),  // 17: its parameter
//       Item<SubMenuItem>(Sid(SID_ADVANCED), 0, "MenuSystem::AdvancedPictureMenu"),
//       Item<SubMenuItem>(Sid(SID_LOCKS), 0, "MenuSystem::ParentalLocksMenu").Pin(2),  // behind the PIN
//   };
//   constexpr RowRule kNoiseRemovedWhen[] = {{3, When::SeriesIs<0, 1>}};       // rows out on these sets
//   constexpr RowRule kNoiseDisabled[] = {{1, When::SourceIs<6, 7>},            // greyed while ...
//                                         {5, When::PictureModeIs<0>}, {5, When::FromQuickMenu}};
//   constexpr PageTable kNoiseMenu{.title = Sid(SID_NOISE_REDUCTION), .back = "MenuSystem::AdvancedPictureMenu",
//                                  .level = 5, .rows = kNoiseRows, .winId = WinIDs::WIN_ID_NoiseReductionMenu,
//                                  .removedWhen = kNoiseRemovedWhen, .disabled = kNoiseDisabled};
//   const PageListing kListed[] = {PageListing(kNoiseMenu)};
//   NoiseReductionMenu::NoiseReductionMenu() : ThirdMenu(kNoiseMenu) {}
//
// with `class NoiseReductionMenu : public ThirdMenu { VG_CLASS() public: NoiseReductionMenu(); };`
// in the header and VG_DEFINE_CLASS(MenuSystem, NoiseReductionMenu, ::MenuSystem::ThirdMenu).
// The rows are numbered from 1 in the table; `removed` takes out rows the
// set never shows, `removedWhen` rows by the state when the page opens, and
// `disabled` greys rows while any of their rules holds (the rules run when
// the page opens and whenever a row with the changed slot RefreshGrayout
// changes). Conditions are plain functions of the page, so a page may add its
// own. A row's option is its option id, or the value handed to its target; a
// target not built yet logs "would open ..." and the page stays. Override
// Initialize for what precedes or follows the reading (Row(n) finds a row
// by its number; call ThirdMenu::Initialize), LoadSettings for a reading of
// its own, and HandleEvent for keys of its own (then the base's).
//
// Keys: UP and DOWN move the focus, wrapping around; OK, LEFT and RIGHT act
// on the row (its own keys), and are swallowed otherwise; Return leaves: a
// level-3 page (or a shortcut) shows the menus below it again, or reopens
// the quick menu it came from; a deeper page reopens its back page. The
// focused row of each level is remembered while the menus stay open.
#pragma once

#include <cstdint>

#include "MenuSystem/PageTable.h"
#include "SubSystem/MenuClass.h"
#include "Views/Border.h"
#include "Views/Image.h"
#include "Views/MultilineText.h"
#include "Views/Rectangle.h"
#include "vgstring.h"

namespace MenuSystem {

class SubMenuItem;

class ThirdMenu : public SubSystem::MenuClass {
  VG_CLASS()

 public:
  explicit ThirdMenu(const PageTable& table);
  ThirdMenu();

  // The rows visible at once, and where they are visible.
  static constexpr int32_t MaxVisibleItems = 8;
  static constexpr VgRect DefaultPageArea{18, 40, 508, 247};
  static constexpr int32_t TitleHeight = 35;

  // Overridden slots.
  // UP, DOWN and Return, as above; every key taken restarts the time-out.
  XObject* HandleEvent(Core::Event* event) override;
  // Removes the rows of the state, shrinks the page to its rows, focuses the
  // level's remembered row, reads the values, greys rows, and acts on a key
  // that came with the opening.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // Lays out the rows and the frame and scrolls the focused row into view.
  void Refresh(XObject* sender = nullptr) override;
  bool IsExcluded(Core::View* view) override;
  VgRect GetPageArea() override { return PageArea; }
  // Closes the page and opens what the row leads to, with the row's option
  // (and a slider's middle point) and the way back to this page.
  void DoActivate(XObject* sender) override;
  // The focused row's help on the help bar.
  void DoFocus(XObject* sender) override;
  bool HelpLineOnTheBar() const override { return true; }
  void DoTimeout(XObject* sender) override;

  // Binds every row to its option and shows its value.
  virtual void LoadSettings();

  // Greys the rows of the table's rules; a row's changed slot too. A page
  // with rules beyond its table adds them here.
  virtual void RefreshGrayout(XObject* sender = nullptr);
  // The arrows show while rows lie above or below the page area.
  void RefreshArrow();

  // A front-panel press of key while the front panel's hidden-page key is
  // held: the combination that opens a page no row leads to.
  static bool IsHiddenPageKey(Core::Event* event, uint16_t key);
  // Closes this page, remembering its row, and opens a page below it whose
  // Return comes back here.
  void OpenBelow(const VgClass* page);

  // The row numbered n (from 1) in the page's table; null once removed.
  SubMenuItem* Row(int32_t n) const;
  // Takes the row out of the page before Initialize lays it out.
  void RemoveRow(int32_t n);

  VgString OnGetCaption() const { return Caption; }
  void OnSetCaption(VgString value);
  bool OnGetIsShortcut() const { return IsShortcut; }
  void OnSetIsShortcut(bool value) { IsShortcut = value; }
  bool OpenedFromQuickMenu() const { return fromQuickMenu; }
  // Return goes back to the quick menu (a level-3 page it opened).
  void ReturnToQuickMenu();

  const PageTable* table = nullptr;
  // Set on a page of level 4 or more opened straight from a second-level
  // page: Return then leaves as from level 3.
  bool IsShortcut = false;
  Views::Rectangle background{this};
  Views::Rectangle titleBand{this};
  Views::Border frame{this};
  Views::MultilineText title{this};
  VgStr Caption;
  Views::Image upArrow{this};
  Views::Image downArrow{this};
  VgRect PageArea = DefaultPageArea;
  // The class name of PrevState, for a back page not built yet.
  const char* PrevStateName = nullptr;

 private:
  void Build();
  void Return();
  bool fromQuickMenu = false;
};

// Conditions of the table rules (RowRule::when).
namespace When {

int32_t CurrentSourceType();
int32_t Series();
int32_t PictureMode();

template <int32_t... Types>
bool SourceIs(ThirdMenu&) {
  const int32_t type = CurrentSourceType();
  return ((type == Types) || ...);
}
template <int32_t... Values>
bool SeriesIs(ThirdMenu&) {
  const int32_t series = Series();
  return ((series == Values) || ...);
}
template <int32_t... Modes>
bool PictureModeIs(ThirdMenu&) {
  const int32_t mode = PictureMode();
  return ((mode == Modes) || ...);
}
// A network application has the screen.
bool NetAppActive(ThirdMenu& page);
bool FromQuickMenu(ThirdMenu& page);

}  // namespace When

}  // namespace MenuSystem
