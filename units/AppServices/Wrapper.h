// The auto object MainApp::Wrapper: the application's one television model,
// a SkinBin::Wrapper made on first use. Like every auto object it lives only
// while something reachable holds it; the application root keeps it in a field.
//
// Header only, so that the units which reach the model through it need not
// link the MainApp library, which links them.
#pragma once

#include "SkinBin/Wrapper.h"
#include "vgobject.h"

namespace MainApp {

// The model needs nothing beyond its constructor.
inline void Wrapper__Init(XObject*) {}

inline constexpr VgAutoObject Wrapper = {&Wrapper__Init, VgNoVariants};

inline ::SkinBin::Wrapper* GetWrapper() {
  return static_cast<::SkinBin::Wrapper*>(VgGetAutoObject(&Wrapper, &::SkinBin::Wrapper::Class));
}

}  // namespace MainApp
