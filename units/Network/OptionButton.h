// Network::OptionButton: a dialog button in the network buttons' look that
// names an option of the option database. The dialog holding it opens the
// option's pop-up when it is activated and shows the option's current
// choice as its text.
#pragma once

#include <cstdint>

#include "SkinBin/Button.h"

namespace Network {

class OptionButton : public SkinBin::Button {
  VG_CLASS()

 public:
  explicit OptionButton(XObject* link = nullptr);

  uint32_t OnGetOptionType() const { return OptionType; }
  void OnSetOptionType(uint32_t value) { OptionType = value; }

  // An option id; 0 when the button edits a text rather than an option.
  uint32_t OptionType = 0;
};

}  // namespace Network
