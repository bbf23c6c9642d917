#include "Agent/MessageAgent.h"

#include <vector>

VG_DEFINE_CLASS(Agent, MessageAgent, Structures::DuLinkList)

namespace Agent {

namespace {
MessageDelivery g_delivery = nullptr;
}  // namespace

MessageDelivery SetMessageDelivery(MessageDelivery delivery) {
  MessageDelivery previous = g_delivery;
  g_delivery = delivery;
  return previous;
}

void MessageAgent::Register(XObject* receiver) {
  if (receiver) Insert(0, receiver);
}

void MessageAgent::UnRegister(XObject* receiver) {
  if (receiver) DeleteData(receiver);
}

// A receiver may unregister itself or others while it is served (every
// receiver closes its screens on MSG_CLEAR_ALL, and closing unregisters). The
// message therefore goes to the receivers registered when the dispatch began,
// skipping those that left meanwhile; receivers that join during the dispatch
// are not served this message.
void MessageAgent::Dispatch(Structures::Message* message, const VgClass* cls) {
  if (!message) return;
  message->Target = cls;
  std::vector<Structures::DuLinkNode*> receivers;
  for (Structures::DuLinkNode* node = head->next; node != head; node = node->next) receivers.push_back(node);
  for (Structures::DuLinkNode* node : receivers)
    if (node->IsLinked()) Visit1(message, node);
}

void MessageAgent::Visit1(XObject* argument, Structures::DuLinkNode* node) {
  auto* message = vg_cast<Structures::Message>(argument);
  XObject* receiver = node ? node->data.get() : nullptr;
  if (!message || !receiver) return;
  if (message->Target && receiver->GetClass() != message->Target) return;
  if (g_delivery) g_delivery(receiver, message);
}

}  // namespace Agent
