// InitialSetup::TimeZoneDialog: step 2 of the first-time setup wizard, which asks
// for the time zone of the set's clock.
#pragma once

#include "InitialSetup/InitialSetupDialog.h"

namespace InitialSetup {

class TimeZoneDialog : public InitialSetupDialog {
  VG_CLASS()

 public:
  explicit TimeZoneDialog(XObject* link = nullptr);
};

}  // namespace InitialSetup
