#include "NonMenuSystem/SystemInfoDialog.h"

#include "NonMenuSystem/ListDialogs.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Strings.h"
#include "SubSystem/Open.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(NonMenuSystem, SystemInfoDialog, ::NonMenuSystem::QORWidgetClass)

namespace NonMenuSystem {

namespace {

constexpr int32_t kTop = 70;

}  // namespace

SystemInfoDialog::SystemInfoDialog(XObject* link) : ListHost(link) {
  WinID = WinIDs::WIN_ID_SystemInfoDialog;
  OnSetCaption(VgGetVariantOfString(&Strings::SID_SYSTEM_INFORMATION));
}

void SystemInfoDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ListHost::Initialize(parameter);
  if (!PrevState) PrevState = VgFindClass("MenuSystem::SetupMenu");
  FitAroundList(this, &list, kTop);
}

void SystemInfoDialog::ShowZoltaDCRMenu() {
  Close();
  if (NonMenuSystem)
    SubSystem::Open(NonMenuSystem, "MenuSystem::ZoltaDCRMenu", {.back = GetClass(), .origin = OriginTag()});
}

}  // namespace NonMenuSystem
