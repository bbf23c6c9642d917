// InitialSetup::LanguageDialog: step 1 of the first-time setup wizard, which asks
// for the language of the menus. The language chosen applies at once, so the
// next step already speaks it.
#pragma once

#include "InitialSetup/InitialSetupDialog.h"

namespace InitialSetup {

class LanguageDialog : public InitialSetupDialog {
  VG_CLASS()

 public:
  explicit LanguageDialog(XObject* link = nullptr);

  void StoreChoice() override;
};

}  // namespace InitialSetup
