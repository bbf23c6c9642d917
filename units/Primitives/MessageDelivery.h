// How the message agent hands a message to a receiver: the key-routing forms
// and groups take it in their HandleMessage. The application installs this
// function as the agent's delivery when it starts.
//
// Only a receiver that is not closed is served. A screen that answers another (the
// keyboard, the logo panel, a confirmation) may outlive the screen that asked
// it; its answer then reaches neither that screen nor the lists it held,
// whether or not they are still registered, and neither does any message
// reach a sub-system that has been taken out of the application.
#pragma once

class XObject;

namespace Structures {
class Message;
}

namespace Primitives {

// Receivers that are neither a key-routing form nor a key-routing group are
// left alone; a closed one is told of in the log.
void DeliverMessage(XObject* receiver, Structures::Message* message);
// Whether a receiver would be served now: a form that is not closed, a group
// that is in its parent (or was never given one). Screens that answer their
// owner by a call rather than a message ask this of the owner first.
bool Receives(XObject* receiver);

}  // namespace Primitives
