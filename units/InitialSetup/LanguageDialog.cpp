#include "InitialSetup/LanguageDialog.h"

#include "AppServices/Wrapper.h"

VG_DEFINE_CLASS(InitialSetup, LanguageDialog, InitialSetup::InitialSetupDialog)

namespace InitialSetup {

LanguageDialog::LanguageDialog(XObject* link) : InitialSetupDialog(link) { SetStep(kSetupSteps[0]); }

void LanguageDialog::StoreChoice() {
  InitialSetupDialog::StoreChoice();
  if (ChoiceCount > 0) MainApp::GetWrapper()->SetMenuLanguage(ChoiceIndex);
}

}  // namespace InitialSetup
