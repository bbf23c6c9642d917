// InitialSetup::TimeZoneDialog: step 2 of the first-time setup wizard, which asks
// for the time zone of the set's clock in the option list of the time zones
// (its wide rows). OK or right on a zone stores it and goes on.
#pragma once

#include "InitialSetup/InitialSetupDialog.h"
#include "ListForm/OptionLists.h"

namespace InitialSetup {

class TimeZoneDialog : public InitialSetupDialog {
  VG_CLASS()

 public:
  explicit TimeZoneDialog(XObject* link = nullptr);

  XObject* HandleEvent(Core::Event* event) override;
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Refresh(XObject* sender = nullptr) override;

  // The list's OnValueChanged: the zone is stored, on to the next step.
  void DoZoneChosen(XObject* sender = nullptr);

  ListForm::OptionList zones{this};
};

}  // namespace InitialSetup
