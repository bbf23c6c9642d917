// The help bar's labels of the 3D screens, joined by commas in the language
// of the moment.
#pragma once

#include <initializer_list>

#include "vgobject.h"
#include "vgstring.h"

namespace ThreeD {

inline VgString HelpText(std::initializer_list<const VgConstant*> labels) {
  VgString joined = nullptr;
  for (const VgConstant* label : labels)
    joined = joined ? VgConcatString(VgConcatString(joined, VgNewString(u",")), VgGetVariantOfString(label))
                    : VgGetVariantOfString(label);
  return joined;
}

}  // namespace ThreeD
