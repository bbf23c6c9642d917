#include "Primitives/MessageDelivery.h"

#include "Primitives/KeyRoutingForm.h"
#include "Primitives/KeyRoutingGroup.h"

namespace Primitives {

void DeliverMessage(XObject* receiver, Structures::Message* message) {
  if (auto* form = vg_cast<KeyRoutingForm>(receiver)) {
    form->HandleMessage(message);
  } else if (auto* group = vg_cast<KeyRoutingGroup>(receiver)) {
    group->HandleMessage(message);
  }
}

}  // namespace Primitives
