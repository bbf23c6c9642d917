// The tables that menu pages are made of: a PageTable of RowDef rows, with
// the rows a set never shows, the rows it shows only in some states and the
// rows that states grey out. Two page families read them: the carousel pages
// beside the main menu (MenuSystem::BrcmSubMenu, whose header tells how to add
// one) and the framed third-level pages (MenuSystem::ThirdMenu, likewise).
#pragma once

#include <cstdint>
#include <span>

#include "OptionDatabase/OptionModuleClass.h"
#include "vgcolor.h"
#include "vgobject.h"
#include "vgslot.h"

namespace MenuSystem {

class ThirdMenu;

// What a carousel page's row is, and so what it shows and what OK does on it.
enum class RowKind : uint8_t {
  Value,      // the option's choice at the right; the option pop-up lists them all
  Slider,     // a slider that LEFT and RIGHT change at once
  Bar,        // OK hides the menu and opens the option's adjustment bar
  BarSlider,  // the same, with the value shown as a slider in the row
  Page,       // OK opens another menu page (target)
  Dialog,     // OK hides the menu and opens a screen (target) with the parameter
  Label,      // leads nowhere
};

// Bits of RowDef::flags (third-level rows).
enum RowFlag : uint8_t {
  // A slider row whose adjustment bar has no middle mark (SliderMiddlePoint off).
  NoMiddlePoint = 1,
};

struct RowDef {
  OptionDatabase::TextRef caption;
  RowKind kind = RowKind::Label;
  // The option id of rows bound to an option; the parameter (a confirmation
  // type...) that a row leading to a screen hands to its target.
  int32_t option = 0;
  // "Unit::Class" of what the row opens; carousel Value and Bar rows have theirs.
  const char* target = nullptr;
  // Non-zero for a target behind the parental PIN: the PIN type that asks
  // for it first while a PIN is set (SubSystem::Opening::pinType).
  int32_t pinType = 0;

  // Third-level rows: the row's class (a MenuSystem::SubMenuItem), the page
  // slot that hears the row's every change (PageSlot below), RowFlag bits,
  // and the colour of the rows with a swatch.
  const VgClass* item = nullptr;
  VgMethod changed = nullptr;
  uint8_t flags = 0;
  VgColor color{0, 0, 0, 0};

  constexpr RowDef Changed(VgMethod slot) const {
    RowDef row = *this;
    row.changed = slot;
    return row;
  }
  constexpr RowDef Color(VgColor value) const {
    RowDef row = *this;
    row.color = value;
    return row;
  }
  constexpr RowDef Pin(int32_t type) const {
    RowDef row = *this;
    row.pinType = type;
    return row;
  }
  constexpr RowDef Flags(uint8_t value) const {
    RowDef row = *this;
    row.flags = value;
    return row;
  }
};

// A third-level row of class Item: Item<SubMenuItemValueSelect>(Sid(SID_RED), OPTION_TYPE_RED_FILTER).
template <class T>
constexpr RowDef Item(OptionDatabase::TextRef caption, int32_t option = 0, const char* target = nullptr) {
  return {.caption = caption, .option = option, .target = target, .item = &T::Class};
}

// A page's method as a row's changed slot: PageSlot<&RGBFilterMenu::RefreshRGBFilter>.
template <auto Method>
inline constexpr VgMethod PageSlot = &vg_detail::SlotTrampoline<Method>;

// A state of the set in which a rule holds, asked of the page (ThirdMenu.h
// has the usual ones: When::SourceIs<...>, When::SeriesIs<...>...).
using RowCondition = bool (*)(ThirdMenu& page);

// A row (numbered from 1 in the table) and the state in which a rule of the
// page takes it: out of the page, or greyed.
struct RowRule {
  uint8_t row;
  RowCondition when;
};

struct PageTable {
  OptionDatabase::TextRef title;
  // A carousel page below another shows "Title - Subtitle".
  OptionDatabase::TextRef subtitle;
  // The page LEFT and Return go back to.
  const char* back = "MenuSystem::BrcmMainMenu";
  // The menu level; 0 for the family's own (2 beside the main menu, 3 for a
  // third-level page).
  int32_t level = 0;
  std::span<const RowDef> rows;
  // Rows (numbered from 1 in the table) that this set never shows.
  std::span<const uint8_t> removed;

  // Third-level pages: the window id, the rows taken out when the page
  // opens in some state (by series, by source...), and the rows greyed while
  // a state holds (evaluated when the page opens and whenever a row whose
  // changed slot is PageSlot<&ThirdMenu::RefreshGrayout> changes). A row
  // with several rules is greyed while any of them holds.
  int32_t winId = 0;
  std::span<const RowRule> removedWhen;
  std::span<const RowRule> disabled;
};

// Lists a page table for the check that every screen a table names is a
// class of the program (tests/classes): a pages file lists each of its tables
// once, beside them.
//
//   const PageListing kListed[] = {PageListing(kTimeMenu), PageListing(kClockMenu)};
class PageListing {
 public:
  explicit PageListing(const PageTable& table) : table_(&table), next_(first_) { first_ = this; }
  static void ForEach(void (*visit)(const PageTable& table, void* context), void* context) {
    for (const PageListing* listing = first_; listing; listing = listing->next_) visit(*listing->table_, context);
  }

 private:
  const PageTable* table_;
  const PageListing* next_;
  static inline const PageListing* first_ = nullptr;
};

// The class names of the screens that carousel rows open by kind.
inline constexpr const char* OptionMenuClass = "MenuSystem::BrcmOptionMenu";
inline constexpr const char* AdjustmentBarClass = "NonMenuSystem::AdjustmentBarQOR";
// The quick menu, to which the pages it opens return.
inline constexpr const char* QuickMenuClass = "QuickMenu::QuickMenu";

}  // namespace MenuSystem
