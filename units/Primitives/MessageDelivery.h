// How the message agent hands a message to a receiver: the key-routing forms
// and groups take it in their HandleMessage. The application installs this
// function as the agent's delivery when it starts.
#pragma once

class XObject;

namespace Structures {
class Message;
}

namespace Primitives {

// Receivers that are neither a key-routing form nor a key-routing group are
// left alone.
void DeliverMessage(XObject* receiver, Structures::Message* message);

}  // namespace Primitives
