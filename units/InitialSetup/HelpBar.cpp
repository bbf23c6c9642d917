#include "InitialSetup/HelpBar.h"

#include "MainApp/InitialSetup.h"

VG_DEFINE_CLASS(InitialSetup, HelpBar, NonMenuSystem::HelpBar)

namespace InitialSetup {

HelpBar::HelpBar(XObject* link) : NonMenuSystem::HelpBar(link) { SubSystemClass = &::MainApp::InitialSetup::Class; }

}  // namespace InitialSetup
