#include "NonMenuSystem/CecInputDialog.h"

#include "Events/Events.h"
#include "NonMenuSystem/ListDialogs.h"
#include "WidgetManager/Layers.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(NonMenuSystem, CecInputDialog, ::NonMenuSystem::QORWidgetClass)

namespace NonMenuSystem {

namespace {

// Beside the input pop-up, which stays open under it.
constexpr int32_t kTop = 120;
constexpr int32_t kLeft = 420;
constexpr int32_t kLayer = Layers::Panel;

}  // namespace

CecInputDialog::CecInputDialog(XObject* link) : ListHost(link) {
  WinID = WinIDs::WIN_ID_CecInputDialog;
  Layer = kLayer;
  HasCaption = false;
  WidgetOrigin = {kLeft, kTop};
}

void CecInputDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ListHost::Initialize(parameter);
  FitAroundList(this, &list, kTop);
}

bool CecInputDialog::FollowsTheWorld(Core::Event* event) const {
  return vg_cast<Events::CEC_EVENT_NAME_UPDATED>(event) != nullptr;
}

}  // namespace NonMenuSystem
