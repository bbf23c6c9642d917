// FactorySystem::AdjustmentMenu: the service mode's adjustments, one at a
// time on the value display: ten sliders of the white balance and the
// picture's centres, and the model id, a choice. CH+ and CH- step through
// the entries (round), VOL+ and VOL- change the value (sliders stop at their
// ends, the model id goes round); each change reaches the television at
// once. MENU of the front panel closes it; 9 opens the status check.
#pragma once

#include <cstdint>

#include "FactorySystem/ValueDisplay.h"
#include "OptionDatabase/OptionData.h"

namespace FactorySystem {

class AdjustmentMenu : public ValueDisplay {
  VG_CLASS()

 public:
  explicit AdjustmentMenu(XObject* link = nullptr);

  // Every key press is taken; releases are not.
  XObject* HandleEvent(Core::Event* event) override;
  bool TakesKeys() const override { return true; }
  // The front panel drives it while a screen of another sub-system beside it
  // has the keys: a question beside it keeps them for the remote.
  bool HearsBesideTheKeys(Core::KeyEvent* key) const override;
  // Shows the current entry.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;

  // Shows the entry of that option: its value, and its range or choices.
  void SetOptionType(int32_t optionId);
  // The next (up) or previous entry, round the eleven.
  void ToggleType(bool up);
  // The current entry's value one step up or down, written to the model.
  void ChangeValue(bool up);

  // Index of the entry shown.
  int32_t CurrentEntry = 0;
  // The model id's choice and the number of its choices.
  int32_t ChoiceIndex = 0;
  int32_t ChoiceCount = 0;
  // The slider range of the entry shown.
  int32_t Maximum = 0;
  int32_t Minimum = 0;
  int32_t Step = 0;
  // The option record of the entry shown; null when the database lacks it.
  VgPtr<OptionDatabase::OptionDataClass> option;

 private:
  bool OnModelId() const;
};

}  // namespace FactorySystem
