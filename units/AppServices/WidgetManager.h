// The auto object MainApp::WidgetManager: the one list of open screens with
// its layering rule. Like every auto object it lives only while something
// reachable holds it; the application root keeps it in a field.
//
// Header only, so that the sub-systems which register their screens through
// it need not link the MainApp library, which links them.
#pragma once

#include "SkinBin/WidgetManager.h"
#include "vgobject.h"

namespace MainApp {

// The manager needs nothing beyond its constructor.
inline void WidgetManager__Init(XObject*) {}

inline constexpr VgAutoObject WidgetManager = {&WidgetManager__Init, VgNoVariants};

// This set's manager, which reports each change of whether a screen is open.
inline ::WidgetManager::WidgetManager* GetWidgetManager() {
  return static_cast<::WidgetManager::WidgetManager*>(VgGetAutoObject(&WidgetManager, &::SkinBin::WidgetManager::Class));
}

}  // namespace MainApp
