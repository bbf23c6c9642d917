#include "NonMenuSystem/ExternalInputDialog.h"

#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Events/Events.h"
#include "NonMenuSystem/ListDialogs.h"
#include "Strings.h"
#include "Structures/Message.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(NonMenuSystem, ExternalInputDialog, ::NonMenuSystem::QORWidgetClass)

namespace NonMenuSystem {

namespace {

constexpr int32_t kTop = 80;

}  // namespace

ExternalInputDialog::ExternalInputDialog(XObject* link) : ListHost(link) {
  WinID = WinIDs::WIN_ID_ExternalInputDialog;
  RegistersMessages = true;
  OnSetCaption(VgGetVariantOfString(&Strings::SID_INPUT));
}

void ExternalInputDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ListHost::Initialize(parameter);
  FitAroundList(this, &list, kTop);
}

// A key handed over by another screen is the viewer's key here: it goes the
// way of a key pressed with the dialog in front, the list first.
void ExternalInputDialog::HandleListMessage(Structures::Message* message) {
  if (message->Code != Constants::MSG_EVENT_CACHED) {
    ListHost::HandleListMessage(message);
    return;
  }
  auto* key = vg_cast<Core::KeyEvent>(message->Payload.get());
  if (!key) return;
  if (!list.HandleEvent(key)) HandleEvent(key);
}

bool ExternalInputDialog::FollowsTheWorld(Core::Event* event) const {
  return vg_cast<Events::CEC_EVENT_NAME_UPDATED>(event) != nullptr;
}

}  // namespace NonMenuSystem
