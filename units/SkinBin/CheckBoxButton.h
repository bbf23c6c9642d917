// SkinBin::CheckBoxButton: the skin's check box, 27 x 27, with a focus ring
// and a help text.
#pragma once

#include <cstdint>

#include "Button/CheckBox.h"
#include "vgstring.h"

namespace SkinBin {

class CheckBoxButton : public ::Button::CheckBox {
  VG_CLASS()

 public:
  explicit CheckBoxButton(XObject* link = nullptr);

  VgString OnGetHelpString() const { return HelpString; }
  void OnSetHelpString(VgString value) { HelpString = value; }
  int32_t OnGetHelpMask() const { return HelpMask; }
  void OnSetHelpMask(int32_t value) { HelpMask = value; }

  VgStr HelpString;
  int32_t HelpMask = 0x40200;
};

}  // namespace SkinBin
