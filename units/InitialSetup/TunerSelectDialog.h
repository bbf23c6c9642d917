// InitialSetup::TunerSelectDialog: step 4 of the first-time setup wizard, which asks
// for whether the tuner takes its channels from the antenna or the cable.
#pragma once

#include "InitialSetup/InitialSetupDialog.h"

namespace InitialSetup {

class TunerSelectDialog : public InitialSetupDialog {
  VG_CLASS()

 public:
  explicit TunerSelectDialog(XObject* link = nullptr);
};

}  // namespace InitialSetup
