#include "NonMenuSystem/NumberSpinner.h"

#include "Core/KeyEvent.h"
#include "NonMenuSystem/ConfirmOptionDialog.h"
#include "Views/Text.h"

VG_DEFINE_CLASS(NonMenuSystem, NumberSpinner, ::Button::NumberSpinner)

namespace NonMenuSystem {

NumberSpinner::NumberSpinner(XObject* link) : ::Button::NumberSpinner(link) {
  WrapAround = true;
  Up = true;
  Down = true;
  verifyTimer.OnSetOnTrigger(VgSlotOf<&NumberSpinner::EntryDone>(this));
  OnSetTextAlignH(Views::Text::AlignCentre);
  ConfirmOptionDialog::StyleButton(this);
}

XObject* NumberSpinner::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (key && key->down && key->keyCode == Key::Ok) {
    VgSignal(OnExit, this);
    return this;
  }
  return ::Button::NumberSpinner::HandleEvent(event);
}

void NumberSpinner::processDigit(int32_t digit) {
  const bool wraps = WrapAround;
  WrapAround = false;
  ::Button::NumberSpinner::processDigit(digit);
  WrapAround = wraps;
}

void NumberSpinner::EntryDone(XObject* sender) {
  const int32_t before = Current;
  verifySlot(sender);
  typing = false;
  if (Current != before) VgSignal(OnValueChange, this);
}

}  // namespace NonMenuSystem
