#include "InitialSetup/TunerSelectDialog.h"

VG_DEFINE_CLASS(InitialSetup, TunerSelectDialog, InitialSetup::InitialSetupDialog)

namespace InitialSetup {

TunerSelectDialog::TunerSelectDialog(XObject* link) : InitialSetupDialog(link) { SetStep(kSetupSteps[3]); }

}  // namespace InitialSetup
