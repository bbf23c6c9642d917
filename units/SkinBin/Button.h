// SkinBin::Button: the skin's dialog button, 110 x 27, with a help text and
// help mask for the help bar of the screen that shows it. Also the digit
// cell of the number, time and PIN entries.
#pragma once

#include <cstdint>

#include "Button/Button.h"
#include "vgstring.h"

namespace SkinBin {

class Button : public ::Button::Button {
  VG_CLASS()

 public:
  explicit Button(XObject* link = nullptr);

  // Overridden slots.
  // The caption sits 2 pixels below the top: the skin's fonts ride high.
  void Refresh(XObject* sender = nullptr) override;

  VgString OnGetHelpString() const { return HelpString; }
  void OnSetHelpString(VgString value) { HelpString = value; }
  int32_t OnGetHelpMask() const { return HelpMask; }
  void OnSetHelpMask(int32_t value) { HelpMask = value; }

  VgStr HelpString;
  int32_t HelpMask = 0;

  // The least height at which the focused font's line, set two pixels down,
  // stays inside the focus ring: at the default 27 the tails of "g" and "y"
  // lie on the ring's bottom line. A screen whose buttons show such texts
  // makes them this high.
  static constexpr int32_t FocusedTextHeight = 29;
};

}  // namespace SkinBin
