// The auto object MainApp::PersistentData: the interface's settings store.
// Like every auto object it lives only while something reachable holds it;
// the application root keeps it in a field.
//
// Header only, so that the units which read settings through it need not
// link the MainApp library, which links them.
#pragma once

#include "PersistentData/PersistentData.h"
#include "vgobject.h"

namespace MainApp {

// The store needs nothing beyond its constructor: the root names its file.
inline void PersistentData__Init(XObject*) {}

inline constexpr VgAutoObject PersistentData = {&PersistentData__Init, VgNoVariants};

inline ::PersistentData::PersistentData* GetPersistentData() {
  return static_cast<::PersistentData::PersistentData*>(
      VgGetAutoObject(&PersistentData, &::PersistentData::PersistentData::Class));
}

}  // namespace MainApp
