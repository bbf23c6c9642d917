// SkinBin::OptionButton: a settings row bound to one option of the option
// database. It shows the option's current choice between a left and a right
// arrow (shown while the row has the focus) and steps through the choices
// with the decrease and increase keys, writing each choice through the
// option's record to the television model.
//
// SkinBin::STBOptionButton behaves the same with another look; the two
// share their code in SkinBin::OptionButtonBase, which is not a GUI class of its
// own: each button's class descends directly from Button::IconButton.
#pragma once

#include <cstdint>

#include "Button/IconButton.h"
#include "Core/Keys.h"
#include "Views/Image.h"
#include "Views/Text.h"
#include "vgcolor.h"
#include "vgrect.h"
#include "vgslot.h"
#include "vgstring.h"

namespace SkinBin {

// What tells the two option buttons apart.
struct OptionButtonLook {
  VgRect bounds;
  VgColor focusedTextColor;
  const VgConstant* nonfocusedIcon;
  const VgConstant* focusedIcon;
  const VgConstant* leftArrow;
  const VgConstant* rightArrow;
};

class OptionButtonBase : public ::Button::IconButton {
 public:
  // The default keys that step to the previous and the next choice.
  static constexpr uint16_t KeyDecrease = Key::Left;
  static constexpr uint16_t KeyIncrease = Key::Right;

  // Overridden slots.
  // Takes presses of the two toggle keys; everything else, OK included, goes
  // to the key-routing control.
  XObject* HandleEvent(Core::Event* event) override;
  // Shows the arrows while the row has the focus.
  void HandleFocus(bool focused) override;
  // Lays the value over the caption's place and the arrows at its ends.
  void Refresh(XObject* sender = nullptr) override;

  // Binds the row to an option id and shows its name and current choice.
  // The row does not watch the option: binding again shows a change made
  // elsewhere.
  void OnSetOptionType(int32_t optionType);
  int32_t OnGetOptionType() const { return OptionType; }
  // Shows a text of the screen's own in place of the choice.
  void OnSetValueString(VgString value);
  VgString OnGetValueString() const { return ValueString; }
  // Steps to the next (or previous) choice, wrapping at the ends, writes it
  // and reports it through OnValueChanged.
  void ToggleOption(bool increase);

  VgString OnGetHelpString() const { return HelpString; }
  void OnSetHelpString(VgString value) { HelpString = value; }
  int32_t OnGetHelpMask() const { return HelpMask; }
  void OnSetHelpMask(int32_t value) { HelpMask = value; }
  uint16_t OnGetToggleDecreaseKey() const { return ToggleDecreaseKey; }
  void OnSetToggleDecreaseKey(uint16_t value) { ToggleDecreaseKey = value; }
  uint16_t OnGetToggleIncreaseKey() const { return ToggleIncreaseKey; }
  void OnSetToggleIncreaseKey(uint16_t value) { ToggleIncreaseKey = value; }
  VgSlot OnGetOnResetTimeout() const { return OnResetTimeout; }
  void OnSetOnResetTimeout(VgSlot slot) { OnResetTimeout = slot; }
  VgSlot OnGetOnValueChanged() const { return OnValueChanged; }
  void OnSetOnValueChanged(VgSlot slot) { OnValueChanged = slot; }

  // 0 switches a key off.
  uint16_t ToggleIncreaseKey = KeyIncrease;
  uint16_t ToggleDecreaseKey = KeyDecrease;
  VgStr HelpString;
  int32_t HelpMask = 0x40200;
  Views::Image LeftArrow{this};
  Views::Image RightArrow{this};
  VgStr ValueString;
  int32_t OptionType = 0;
  int32_t ChoiceIndex = 0;
  Views::Text ValueText{this};
  // Signalled after every key the row takes, so the screen restarts its
  // time-out.
  VgSlot OnResetTimeout;
  VgSlot OnValueChanged;
  int32_t ChoiceCount = 0;

 protected:
  OptionButtonBase(XObject* link, const OptionButtonLook& look);
};

class OptionButton : public OptionButtonBase {
  VG_CLASS()

 public:
  explicit OptionButton(XObject* link = nullptr);
};

}  // namespace SkinBin
