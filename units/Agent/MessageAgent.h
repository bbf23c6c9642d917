// Delivers messages synchronously to the registered forms and groups, to all
// of them or to those of exactly one class, so that sub-systems and screens can
// ask each other for things without holding references to each other.
#pragma once

#include <cstdint>

#include "Structures/DuLinkList.h"
#include "Structures/Message.h"

namespace Agent {

class MessageAgent : public Structures::DuLinkList {
  VG_CLASS()

 public:
  explicit MessageAgent(XObject* link = nullptr) : Structures::DuLinkList(link) {}

  // Appends a receiver; one already registered keeps its place. Null is ignored.
  void Register(XObject* receiver);
  void UnRegister(XObject* receiver);
  // Stores cls as the message's Target (null for every receiver) and serves
  // each receiver of exactly that class, in registration order.
  void Dispatch(Structures::Message* message, const VgClass* cls);

  // Serves one receiver when it is addressed by the message.
  void Visit1(XObject* argument, Structures::DuLinkNode* node) override;
};

// How a receiver is served: the form and group classes that register with the
// agent hand the message to their HandleMessage. Until those classes are
// installed, registered receivers are not served.
using MessageDelivery = void (*)(XObject* receiver, Structures::Message* message);
MessageDelivery SetMessageDelivery(MessageDelivery delivery);

}  // namespace Agent
