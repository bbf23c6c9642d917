#include "NonMenuSystem/InputLabelingDialog.h"

#include "NonMenuSystem/ListDialogs.h"
#include "Strings.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(NonMenuSystem, InputLabelingDialog, ::NonMenuSystem::QORWidgetClass)

namespace NonMenuSystem {

namespace {

constexpr int32_t kTop = 80;

}  // namespace

InputLabelingDialog::InputLabelingDialog(XObject* link) : ListHost(link) {
  WinID = WinIDs::WIN_ID_InputLabelingDialog;
  OnSetCaption(VgGetVariantOfString(&Strings::SID_INPUT));
}

void InputLabelingDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ListHost::Initialize(parameter);
  if (!PrevState) PrevState = VgFindClass("MenuSystem::BrcmInputMenu");
  FitAroundList(this, &list, kTop);
}

}  // namespace NonMenuSystem
