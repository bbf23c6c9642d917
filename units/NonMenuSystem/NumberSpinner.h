// NonMenuSystem::NumberSpinner: the number spinner of the pop-ups. UP and
// DOWN step it round its range, digits type a number, and every change,
// also the one that ends a typed number out of range, reaches OnValueChange;
// OK leaves through OnExit. The pop-up's navigator shows its arrows.
#pragma once

#include "Button/NumberSpinner.h"
#include "vgslot.h"

namespace NonMenuSystem {

class NumberSpinner : public ::Button::NumberSpinner {
  VG_CLASS()

 public:
  explicit NumberSpinner(XObject* link = nullptr);

  XObject* HandleEvent(Core::Event* event) override;
  // A typed number never wraps round: "05" passes through 0 on its way.
  void processDigit(int32_t digit) override;

  VgSlot OnGetOnExit() const { return OnExit; }
  void OnSetOnExit(VgSlot slot) { OnExit = slot; }

  VgSlot OnExit;

 private:
  // The end of a typed number: a value out of range gives way to the
  // default, and the owner hears of it.
  void EntryDone(XObject* sender);
};

}  // namespace NonMenuSystem
