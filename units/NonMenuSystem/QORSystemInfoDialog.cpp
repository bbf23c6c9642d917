#include "NonMenuSystem/QORSystemInfoDialog.h"

#include "NonMenuSystem/ListDialogs.h"
#include "Strings.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(NonMenuSystem, QORSystemInfoDialog, ::NonMenuSystem::QORWidgetClass)

namespace NonMenuSystem {

namespace {

constexpr int32_t kTop = 70;

}  // namespace

QORSystemInfoDialog::QORSystemInfoDialog(XObject* link) : ListHost(link) {
  WinID = WinIDs::WIN_ID_QORSystemInfoDialog;
  OnSetCaption(VgGetVariantOfString(&Strings::SID_SYSTEM_INFORMATION));
}

void QORSystemInfoDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ListHost::Initialize(parameter);
  FitAroundList(this, &list, kTop);
}

}  // namespace NonMenuSystem
