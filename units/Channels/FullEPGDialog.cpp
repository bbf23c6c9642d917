#include "Channels/FullEPGDialog.h"

#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(Channels, FullEPGDialog, NonMenuSystem::QORWidgetClass)

namespace Channels {

FullEPGDialog::FullEPGDialog(XObject* link) : NonMenuSystem::QORWidgetClass(link) {
  WinID = WinIDs::WIN_ID_FullEPGDialog;
  Layer = 128;
}

void FullEPGDialog::OnSetFocusedProgram(VgString title, VgString subtitle) {
  FocusedProgramTitle = title;
  FocusedProgramSubtitle = subtitle;
}

}  // namespace Channels
