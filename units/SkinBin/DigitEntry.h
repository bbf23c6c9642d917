// The keys shared by the skinned digit entries (number input, time entry):
// digits fill the cells up to the entry's limit, OK confirms, the clear key
// empties the cells, BACK cancels, and every key taken restarts the screen's
// time-out. Only the confirmation differs, so each entry passes its own.
#pragma once

#include "Core/KeyEvent.h"
#include "Fonts/Fonts.h"
#include "Resources/Font.h"
#include "SkinBin/Button.h"
#include "vgresmap.h"
#include "vgslot.h"
#include "vgstring.h"

namespace SkinBin {

// A digit cell is 20 pixels high: a button's own fonts (22 and 24 pixels)
// would be cut by its caption's box, so each state writes in the 18-pixel
// font, whose line fits.
inline void FitDigitCell(Button* cell) {
  Resources::Font* font = VgLoad<Resources::Font>(Fonts::ExtraSmallFont);
  cell->Nonfocused_TextFont = font;
  cell->Focused_TextFont = font;
  cell->Disabled_TextFont = font;
}

// The background fills the entry: the bounds a parent gives the entry are
// the parent's, and the background stands in the entry's own.
inline VgRect FillOf(VgRect bounds) { return {0, 0, VgGetRectW(bounds), VgGetRectH(bounds)}; }

template <class Entry, class Confirm>
XObject* HandleDigitEntryKey(Entry* entry, Core::Event* event, Confirm confirm) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down || key->keyCode >= Entry::KeyLimit) return nullptr;
  const uint16_t code = key->keyCode;
  if (code >= Key::Digit0 && code <= Key::Digit9) {
    if (entry->DigitCount < entry->MaxDigits) {
      entry->LastDigit = VgNewStringChar(static_cast<char16_t>(u'0' + (code - Key::Digit0)), 1);
      ++entry->DigitCount;
      entry->RefreshButtons();
    }
  } else if (code == Entry::KeyConfirm) {
    confirm();
  } else if (code == Entry::KeyClear) {
    entry->DigitCount = 0;
    entry->RefreshButtons();
  } else if (code == Entry::KeyCancel) {
    VgSignal(entry->OnCancelChange, entry);
  } else {
    return nullptr;
  }
  VgSignal(entry->OnResetTimeout, entry);
  return entry;
}

}  // namespace SkinBin
