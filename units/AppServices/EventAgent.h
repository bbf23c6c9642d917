// The auto object MainApp::EventAgent: the one queue of middleware events
// that wait until the screens can use them, a SkinBin::EventAgent made on
// first use. Like every auto object it lives only while something reachable
// holds it; the application root keeps it in a field.
//
// Header only, so that the units which queue events through it need not link
// the MainApp library, which links them.
#pragma once

#include "SkinBin/EventAgent.h"
#include "vgobject.h"

namespace MainApp {

// The agent needs nothing beyond its constructor: the root hands it its
// companions.
inline void EventAgent__Init(XObject*) {}

inline constexpr VgAutoObject EventAgent = {&EventAgent__Init, VgNoVariants};

inline ::SkinBin::EventAgent* GetEventAgent() {
  return static_cast<::SkinBin::EventAgent*>(VgGetAutoObject(&EventAgent, &::SkinBin::EventAgent::Class));
}

}  // namespace MainApp
