#include "Primitives/MessageDelivery.h"

#include "Primitives/KeyRoutingForm.h"
#include "Primitives/KeyRoutingGroup.h"
#include "Structures/Message.h"
#include "vgdebug.h"

namespace Primitives {

namespace {

void Refuse(XObject* receiver, Structures::Message* message) {
  VgPrint("Primitives::DeliverMessage: %s is closed; message 0x%x not delivered\n", receiver->GetClass()->name,
          unsigned(message ? message->Code : 0));
}

}  // namespace

bool Receives(XObject* receiver) {
  if (auto* form = vg_cast<KeyRoutingForm>(receiver)) return !form->IsClosed();
  if (auto* group = vg_cast<KeyRoutingGroup>(receiver))
    return !group->Parent || group->owner.get() == group->Parent.get();
  return false;
}

void DeliverMessage(XObject* receiver, Structures::Message* message) {
  if (!vg_cast<KeyRoutingForm>(receiver) && !vg_cast<KeyRoutingGroup>(receiver)) return;
  if (!Receives(receiver)) {
    Refuse(receiver, message);
    return;
  }
  if (auto* form = vg_cast<KeyRoutingForm>(receiver)) {
    form->HandleMessage(message);
  } else if (auto* group = vg_cast<KeyRoutingGroup>(receiver)) {
    group->HandleMessage(message);
  }
}

}  // namespace Primitives
