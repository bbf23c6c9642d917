// SkinBin::PinEntry: the skin's four-digit PIN field. A typed digit shows as
// the indicator character, the next free cell shows the cursor text and has
// the focus, and the fourth digit completes the entry.
#pragma once

#include <cstdint>

#include "PinEntry/PinEntry.h"
#include "SkinBin/Button.h"
#include "vgslot.h"
#include "vgstring.h"

namespace SkinBin {

class PinEntry : public ::PinEntry::PinEntry {
  VG_CLASS()

 public:
  explicit PinEntry(XObject* link = nullptr);

  static constexpr int32_t CellCount = 4;
  // Space between two cells, and the three gaps of the row together.
  static constexpr int32_t CellGap = 3;

  // Overridden slots.
  // Centres the row of cells in the new bounds.
  void OnSetBounds(VgRect rect) override;
  void refreshPin() override;

  char16_t OnGetIndicator() const { return Indicator; }
  void OnSetIndicator(char16_t value) { Indicator = value; }
  VgSlot OnGetOnCompleteEntry() const { return OnCompleteEntry; }
  void OnSetOnCompleteEntry(VgSlot slot) { OnCompleteEntry = slot; }
  VgString OnGetCursorText() const { return CursorText; }
  void OnSetCursorText(VgString value) { CursorText = value; }

  VgPtrArray<Button, CellCount> Cells;
  // Shown in place of each typed digit, so the PIN never appears on screen.
  char16_t Indicator = u'*';
  VgSlot OnCompleteEntry;
  VgStr CursorText;

 private:
  void LayOut(VgRect rect);
};

}  // namespace SkinBin
