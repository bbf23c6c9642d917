#include "InitialSetup/LanguageDialog.h"

VG_DEFINE_CLASS(InitialSetup, LanguageDialog, InitialSetup::InitialSetupDialog)

namespace InitialSetup {

LanguageDialog::LanguageDialog(XObject* link) : InitialSetupDialog(link) { SetStep(kSetupSteps[0]); }

}  // namespace InitialSetup
