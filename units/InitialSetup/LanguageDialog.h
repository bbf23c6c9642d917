// InitialSetup::LanguageDialog: step 1 of the first-time setup wizard, which asks
// for the language of the menus.
#pragma once

#include "InitialSetup/InitialSetupDialog.h"

namespace InitialSetup {

class LanguageDialog : public InitialSetupDialog {
  VG_CLASS()

 public:
  explicit LanguageDialog(XObject* link = nullptr);
};

}  // namespace InitialSetup
