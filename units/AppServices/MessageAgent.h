// The auto object MainApp::MessageAgent: the one message agent through which
// sub-systems and screens reach each other. Like every auto object it lives
// only while something reachable holds it; the application root keeps it in
// a field.
//
// Header only, so that the sub-systems and screens which register with it
// need not link the MainApp library, which links them.
#pragma once

#include "Agent/MessageAgent.h"
#include "vgobject.h"

namespace MainApp {

// The agent needs nothing beyond its constructor.
inline void MessageAgent__Init(XObject*) {}

inline constexpr VgAutoObject MessageAgent = {&MessageAgent__Init, VgNoVariants};

inline ::Agent::MessageAgent* GetMessageAgent() {
  return static_cast<::Agent::MessageAgent*>(VgGetAutoObject(&MessageAgent, &::Agent::MessageAgent::Class));
}

}  // namespace MainApp
