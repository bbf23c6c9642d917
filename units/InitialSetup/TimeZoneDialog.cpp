#include "InitialSetup/TimeZoneDialog.h"

VG_DEFINE_CLASS(InitialSetup, TimeZoneDialog, InitialSetup::InitialSetupDialog)

namespace InitialSetup {

TimeZoneDialog::TimeZoneDialog(XObject* link) : InitialSetupDialog(link) { SetStep(kSetupSteps[1]); }

}  // namespace InitialSetup
