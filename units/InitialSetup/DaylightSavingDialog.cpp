#include "InitialSetup/DaylightSavingDialog.h"

VG_DEFINE_CLASS(InitialSetup, DaylightSavingDialog, InitialSetup::InitialSetupDialog)

namespace InitialSetup {

DaylightSavingDialog::DaylightSavingDialog(XObject* link) : InitialSetupDialog(link) { SetStep(kSetupSteps[2]); }

}  // namespace InitialSetup
