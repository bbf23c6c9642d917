// InitialSetup::HelpBar: the help bar of the first-time setup wizard, the
// non-menu help bar owned by the wizard's driver while no other sub-system
// runs.
#pragma once

#include "NonMenuSystem/HelpBar.h"

namespace InitialSetup {

class HelpBar : public NonMenuSystem::HelpBar {
  VG_CLASS()

 public:
  explicit HelpBar(XObject* link = nullptr);
};

}  // namespace InitialSetup
