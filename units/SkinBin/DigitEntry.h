// The keys shared by the skinned digit entries (number input, time entry):
// digits fill the cells up to the entry's limit, OK confirms, the clear key
// empties the cells, BACK cancels, and every key taken restarts the screen's
// time-out. Only the confirmation differs, so each entry passes its own.
#pragma once

#include "Core/KeyEvent.h"
#include "vgslot.h"
#include "vgstring.h"

namespace SkinBin {

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
