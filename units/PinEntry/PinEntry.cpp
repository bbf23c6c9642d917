#include "PinEntry/PinEntry.h"

#include "Core/KeyEvent.h"

VG_DEFINE_CLASS(PinEntry, PinEntry, Primitives::KeyRoutingForm)

namespace PinEntry {

PinEntry::PinEntry(XObject* link) : Primitives::KeyRoutingForm(link) {}

// A digit refused because the entry is full is still taken: the key belongs
// to the PIN field, and the screen's time-out restarts as for any other.
XObject* PinEntry::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down) return nullptr;
  if (key->keyCode == DeleteKey)
    DeleteCurrentDigit();
  else if (key->keyCode >= Key::Digit0 && key->keyCode <= Key::Digit9)
    processDigitKeyEvent(key);
  else
    return nullptr;
  VgSignal(OnResetTimeout, this);
  return this;
}

void PinEntry::refreshPin() {}

void PinEntry::Clear() {
  pin = nullptr;
  digitCount = 0;
  refreshPin();
}

void PinEntry::DeleteCurrentDigit() {
  if (digitCount < 1) {
    VgSignal(OnPrevPin, this);
    return;
  }
  --digitCount;
  pin = digitCount == 0 ? nullptr : VgStringLeft(pin, VgGetStringLength(pin) - 1);
  refreshPin();
}

void PinEntry::processDigitKeyEvent(Core::KeyEvent* event) {
  if (digitCount >= MaxNumDigits) return;
  // A key event made without its character still stands for its digit.
  const char16_t digit = event->keyChar ? event->keyChar : static_cast<char16_t>(u'0' + (event->keyCode - Key::Digit0));
  pin = VgConcatStringChar(pin, digit);
  ++digitCount;
  refreshPin();
}

}  // namespace PinEntry
