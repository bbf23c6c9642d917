// The rows of the third-level setting pages (MenuSystem::ThirdMenu):
//
//   SubMenuItem                 a link: OK opens what the row leads to
//     SubMenuItemValue          a choice shown as text; LEFT/RIGHT ask the page
//       SubMenuItemValueSelect  steps through the choices itself, writing each
//     SubMenuItemAdjust         a number with a range and a step
//       AdjustItemArrow         ... between arrows; LEFT/RIGHT ask the page
//         AdjustItemArrowSelect steps the number itself, writing each step
//       AdjustItemSlider        ... beside a slider; LEFT/RIGHT ask the page
//         AdjustItemSliderSelect  the slider takes LEFT/RIGHT, writing each step
//
// The Select rows change the television's setting at every step through the
// option binding of their OptionType; the others only signal OnActivate, and
// the page opens the screen that changes the value (an adjustment bar, the
// option overlay). Every row carries the help-bar line shown while it has the
// focus. A disabled row swallows its keys without acting.
#pragma once

#include <cstdint>

#include "Button/IconButton.h"
#include "Core/Keys.h"
#include "SkinBin/Progress.h"
#include "Views/Image.h"
#include "Views/Text.h"
#include "vgslot.h"
#include "vgstring.h"

namespace MenuSystem {

// The size of one row; a page shows 8 at most.
inline constexpr int32_t ThirdMenuItemWidth = 490;
inline constexpr int32_t ThirdMenuItemHeight = 25;

// What a page reads and writes of a row through GetData and SetData.
class MenuItemCourier : public XObject {
  VG_CLASS()

 public:
  explicit MenuItemCourier(XObject* link = nullptr) : XObject(link) {}

  VgStr Caption;
  VgStr HelpString;
  int32_t Attribute1 = 0;
  int32_t Attribute2 = 0;
};

class SubMenuItem : public Button::IconButton {
  VG_CLASS()

 public:
  explicit SubMenuItem(XObject* link = nullptr);

  // Overridden slots.
  // A disabled row leaves its activate key to the page.
  XObject* HandleEvent(Core::Event* event) override;
  // Fills the courier given (a new one for anything else) from the row.
  XObject* GetData(XObject* data) override;
  // Takes caption, help and attributes from a MenuItemCourier; ignores anything else.
  XObject* SetData(XObject* data) override;
  void RefreshCtrlState(int32_t look) override;

  // Whether the row's own keys may act.
  bool Usable() const { return !IsDisabled; }
  // Makes the row open another screen ("Unit::Class") with that value, for
  // a page whose row leads elsewhere in some states of the set.
  void LeadTo(const char* target, int32_t value);
  // The help: first, then "Back", in the language of the moment.
  void SetHelp(VgString first, int32_t mask);
  // The colour of a row's swatch; rows without one ignore it.
  virtual void OnSetBaseColor(VgColor value);

  int32_t MessageType = 0;
  int32_t MessageParam = 0;
  int32_t MessageTarget = 0;
  int32_t IndentLevel = 0;
  int32_t Attribute1 = 0;
  int32_t Attribute2 = 0;
  // The help bar's labels and icons (NonMenuSystem::Help*) while the row has the focus.
  VgStr HelpString;
  int32_t HelpMask = 0;
  // The number of choices of the bound option, as the page read it.
  int32_t ChoiceCount = 0;
  int32_t OptionType = 0;
  // "Unit::Class" of what the row leads to; NextState is that class once it is built.
  const char* Target = nullptr;
  // The PIN type guarding Target; 0 for none.
  int32_t PinType = 0;

 protected:
  // The rows that show a value: its text right of the caption, the framed
  // look, "Edit" on the help bar.
  void SetupValueRow(Views::Text& value, const char16_t* initial);
  // LEFT and RIGHT ask the page to change the value (OnActivate); OK is swallowed.
  XObject* HandleValueKeys(Core::Event* event);
  // The caption in the row's left half from its very edge (the framed rows'
  // art has no line at their ends), the value in its right half, alike in look.
  void LayOutValueHalf(Views::Text& value);
};

class SubMenuItemValue : public SubMenuItem {
  VG_CLASS()

 public:
  explicit SubMenuItemValue(XObject* link = nullptr);

  // Overridden slots.
  // LEFT and RIGHT ask the page (OnActivate); OK is swallowed.
  XObject* HandleEvent(Core::Event* event) override;
  void HandleFocus(bool focused) override;
  void Refresh(XObject* sender = nullptr) override;
  void OnSetTextColor(VgColor value) override;

  virtual void OnSetValueString(VgString value);
  VgString OnGetValueString() const { return ValueString; }

  Views::Text valueText{this};
  VgStr ValueString;
  Views::Image leftArrow{this};
  Views::Image rightArrow{this};
  // The current choice (from 0) and the option's value for it.
  int32_t ChoiceIndex = 0;
  VgSlot OnResetTimeout;
  int32_t Value = 0;

 protected:
  void ShowArrows();
};

class SubMenuItemValueSelect : public SubMenuItemValue {
  VG_CLASS()

 public:
  explicit SubMenuItemValueSelect(XObject* link = nullptr);

  // Overridden slots.
  // The toggle keys step the choice (a disabled row swallows them); each
  // press counts as the viewer being at the page.
  XObject* HandleEvent(Core::Event* event) override;

  // Steps to the next (or previous) choice, wrapping at the ends, writes it
  // to the model, marks the option changed and reports it (OnValueChanged).
  // An option of fewer than two choices stays as it is.
  virtual void ToggleOption(bool increase);

  uint16_t ToggleIncreaseKey = Key::Right;
  uint16_t ToggleDecreaseKey = Key::Left;
  VgSlot OnValueChanged;
};

class SubMenuItemAdjust : public SubMenuItem {
  VG_CLASS()

 public:
  explicit SubMenuItemAdjust(XObject* link = nullptr);

  // Overridden slots.
  // LEFT and RIGHT ask the page (OnActivate); OK is swallowed.
  XObject* HandleEvent(Core::Event* event) override;
  void Refresh(XObject* sender = nullptr) override;
  void OnSetTextColor(VgColor value) override;

  // Slots of the adjustment row, in order.
  virtual void OnSetMax(int32_t value);
  virtual void OnSetMin(int32_t value);
  // Clamps into Min..Max and shows the number.
  virtual void OnSetValue(int32_t value);
  virtual void OnSetStep(int32_t value);
  // A text in place of the number (until the next value).
  void OnSetValueString(VgString value);

  Views::Text valueText{this};
  VgStr ValueString;
  int32_t Max = 100;
  int32_t Min = 0;
  int32_t Value = 0;
  int32_t Step = 0;
  VgSlot OnResetTimeout;
};

class AdjustItemArrow : public SubMenuItemAdjust {
  VG_CLASS()

 public:
  explicit AdjustItemArrow(XObject* link = nullptr);

  // Overridden slots.
  void HandleFocus(bool focused) override;
  void Refresh(XObject* sender = nullptr) override;
  void OnSetValue(int32_t value) override;

  // With the focus, the arrows show the ways the number can still go.
  virtual void RefreshArrow();

  Views::Image leftArrow{this};
  Views::Image rightArrow{this};
};

class AdjustItemArrowSelect : public AdjustItemArrow {
  VG_CLASS()

 public:
  explicit AdjustItemArrowSelect(XObject* link = nullptr);

  // Overridden slots.
  // RIGHT and LEFT step the number within its range and write it (a step
  // past a bound writes the bound again).
  XObject* HandleEvent(Core::Event* event) override;

  VgSlot OnValueChanged;
};

class AdjustItemSlider : public SubMenuItemAdjust {
  VG_CLASS()

 public:
  explicit AdjustItemSlider(XObject* link = nullptr);

  // Overridden slots.
  void Refresh(XObject* sender = nullptr) override;
  void OnSetMax(int32_t value) override;
  void OnSetMin(int32_t value) override;
  void OnSetValue(int32_t value) override;
  void OnSetStep(int32_t value) override;

  // The slider's frame marks the middle of the range.
  void OnSetSliderMiddlePoint(uint8_t value);
  uint8_t OnGetSliderMiddlePoint() const { return SliderMiddlePoint; }
  // Without the slider the number alone fills the value's half.
  void OnSetSliderVisible(uint8_t value);
  uint8_t OnGetSliderVisible() const { return SliderVisible; }

  SkinBin::Progress slider{this};
  uint8_t SliderMiddlePoint = 1;
  uint8_t SliderVisible = 1;
};

class AdjustItemSliderSelect : public AdjustItemSlider {
  VG_CLASS()

 public:
  explicit AdjustItemSliderSelect(XObject* link = nullptr);

  // Overridden slots.
  // The focus goes on to the slider, which takes LEFT and RIGHT.
  void HandleFocus(bool focused) override;

  // The slider's change: written to the model at once and marked changed.
  void DoValueChanged(XObject* sender);

  VgSlot OnValueChanged;
};

}  // namespace MenuSystem
