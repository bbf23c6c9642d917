#include "NonMenuSystem/ConfirmOneOptionDialog.h"

#include "Strings.h"
#include "WinIDs/WinIDs.h"
#include "vgslot.h"

VG_DEFINE_CLASS(NonMenuSystem, ConfirmOneOptionDialog, ::NonMenuSystem::ConfirmOptionDialog)

namespace NonMenuSystem {

ConfirmOneOptionDialog::ConfirmOneOptionDialog(XObject* link) : ConfirmOptionDialog(link) {
  WinID = WinIDs::WIN_ID_ConfirmOneOptionDialog;
  ButtonWidth = 180;
  ButtonHeight = 27;
  StyleButton(&button);
  button.OnSetOnActivate(VgSlotOf<&ConfirmOneOptionDialog::OnButton>(this));
  Add(&button, 0);
  OnSetYesButtonLabel(VgGetVariantOfString(&Strings::SID_OK));
  OnSetFocus(&button);
  Refresh();
}

void ConfirmOneOptionDialog::Refresh(XObject* sender) {
  ConfirmOptionDialog::Refresh(sender);
  const int32_t w = VgGetRectW(Bounds);
  const int32_t top = VgGetRectH(Bounds) - FrameWidth - 20 - ButtonHeight;
  const int32_t left = (w - ButtonWidth) / 2;
  button.OnSetBounds({left, top, left + ButtonWidth, top + ButtonHeight});
}

void ConfirmOneOptionDialog::OnSetYesButtonLabel(VgString text) {
  ConfirmOptionDialog::OnSetYesButtonLabel(text);
  button.OnSetText(text);
}

void ConfirmOneOptionDialog::OnButton(XObject*) {
  ResetTimeout();
  EnterNextState();
}

}  // namespace NonMenuSystem
