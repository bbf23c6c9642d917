// InitialSetup::DaylightSavingDialog: step 3 of the first-time setup wizard, which asks
// for whether the clock follows daylight saving time.
#pragma once

#include "InitialSetup/InitialSetupDialog.h"

namespace InitialSetup {

class DaylightSavingDialog : public InitialSetupDialog {
  VG_CLASS()

 public:
  explicit DaylightSavingDialog(XObject* link = nullptr);
};

}  // namespace InitialSetup
