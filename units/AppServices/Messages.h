// Messages of the application shell, sent through the one message agent.
#pragma once

#include <cstdint>

#include "AppServices/MessageAgent.h"
#include "Structures/Message.h"
#include "vgobject.h"

namespace MainApp {

// A new message with its code, integer parameter and target class (null for
// every receiver).
inline ::Structures::Message* MakeMessage(int32_t code, int32_t param = -1, const VgClass* target = nullptr) {
  auto* message = VgNew<::Structures::Message>();
  message->Code = code;
  message->Param = param;
  message->Target = target;
  return message;
}

// Sends at once to every receiver, or to the receivers of exactly that class.
inline void SendMessage(int32_t code, const VgClass* target = nullptr, int32_t param = -1,
                        XObject* payload = nullptr, XObject* sender = nullptr) {
  ::Structures::Message* message = MakeMessage(code, param, target);
  message->Payload = payload;
  message->Sender = sender;
  GetMessageAgent()->Dispatch(message, target);
}

}  // namespace MainApp
