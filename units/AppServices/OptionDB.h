// The auto object MainApp::OptionDB: the application's option database, a
// SkinBin::OptionDatabaseClass made on first use. Like every auto object it
// lives only while something reachable holds it; the application root keeps
// it in a field.
//
// Header only, so that the units which look options up through it need not
// link the MainApp library, which links them.
#pragma once

#include "SkinBin/OptionDatabaseClass.h"
#include "vgobject.h"

namespace MainApp {

// The database needs nothing beyond its constructor.
inline void OptionDB__Init(XObject*) {}

inline constexpr VgAutoObject OptionDB = {&OptionDB__Init, VgNoVariants};

inline ::SkinBin::OptionDatabaseClass* GetOptionDB() {
  return static_cast<::SkinBin::OptionDatabaseClass*>(
      VgGetAutoObject(&OptionDB, &::SkinBin::OptionDatabaseClass::Class));
}

}  // namespace MainApp
