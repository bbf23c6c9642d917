// NonMenuSystem::OptionDialog: the pop-up list of one option's values over
// the dialog that opened it, with the option id as its value (OptionType).
// When the list reports a new value, the dialog signals OnValueChanged with
// itself as the sender and closes.
#pragma once

#include <cstdint>

#include "ListForm/OptionLists.h"
#include "NonMenuSystem/ListHost.h"
#include "NonMenuSystem/QORWidgetClass.h"
#include "vgslot.h"

namespace NonMenuSystem {

class OptionDialog : public ListHost<ListForm::OptionList, QORWidgetClass> {
  VG_CLASS()

 public:
  explicit OptionDialog(XObject* link = nullptr);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;

  // The list's value-changed slot.
  void DoValueChange(XObject* sender = nullptr);

  int32_t OnGetOptionType() const { return OptionType; }
  void OnSetOptionType(int32_t value) { OptionType = value; }
  VgSlot OnGetOnValueChanged() const { return OnValueChanged; }
  // The screen whose slot hears the new value; the pop-up closes when it
  // closes (it is the pop-up's Asker).
  void OnSetOnValueChanged(VgSlot slot) {
    OnValueChanged = slot;
    Asker = vg_cast<Primitives::KeyRoutingForm>(slot.object);
  }

  int32_t OptionType = 0;
  VgSlot OnValueChanged;
};

}  // namespace NonMenuSystem
