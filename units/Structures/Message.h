// A request from one screen or sub-system to others, delivered by the message
// agent to every receiver or to the receivers of exactly one class.
#pragma once

#include <cstdint>

#include "Constants/Constants.h"
#include "vgobject.h"

namespace Structures {

class Message : public XObject {
  VG_CLASS()

 public:
  explicit Message(XObject* link = nullptr) : XObject(link) {}

  int32_t Code = 0;  // a Constants::MSG_* code
  VgPtr<XObject> Payload;
  int32_t Param = -1;
  const VgClass* Target = nullptr;  // written by the agent's Dispatch; null for every receiver
  // Who asks, where the answer depends on it (the menus tell the help bar a
  // line of theirs); null when it does not matter.
  VgPtr<XObject> Sender;
};

}  // namespace Structures
