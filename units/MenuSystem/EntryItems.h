// The rows of the third-level pages that also take a value typed with the
// digit keys: a time, a number and a channel. Each steps like its base row
// until a digit arrives; then its entry stands in for the value, takes the
// digits, and OK writes the result to the bound option (Return, or the
// row losing the focus, drops it). The page hears the edit mode change (OnIsEditChanged,
// OnChannelEditChanged) to put the row's new help on the help bar.
#pragma once

#include <cstdint>

#include "Button/TextEdit.h"
#include "MenuSystem/MenuItems.h"
#include "SkinBin/EnterTime.h"
#include "SkinBin/NumberInput.h"
#include "vgslot.h"

namespace MenuSystem {

class TimerSetItem : public SubMenuItemValueSelect {
  VG_CLASS()

 public:
  explicit TimerSetItem(XObject* link = nullptr);

  // Overridden slots.
  // OK opens the entry, a digit opens it and is its first; a disabled row never opens it.
  XObject* HandleEvent(Core::Event* event) override;
  // Losing the focus drops what was typed: to another row of the page, or
  // to a screen over the page (the volume bar, the mute bar).
  void HandleFocus(bool focused) override;
  // Steps to the next multiple of IndexStep (past the last choice: MinIndex),
  // or to the one below (below MinIndex: the last choice).
  void ToggleOption(bool increase) override;

  void OnSetIsTimeEdit(bool value);
  bool OnGetIsTimeEdit() const { return IsTimeEdit; }
  // The entry's confirmation: its time (raised to MinIndex) becomes the choice.
  void DoTimeChanged(XObject* sender = nullptr);
  void DoCancelChange(XObject* sender = nullptr);
  void DoResetTimeout(XObject* sender = nullptr);

  ::SkinBin::EnterTime entry{this};
  // Whether a choice is written to the model at once; otherwise the page
  // takes Value when the viewer confirms.
  uint8_t ApplyValue = 1;
  uint8_t IsTimeEdit = 0;
  int32_t MinIndex = 0;
  int32_t IndexStep = 10;
  VgSlot OnIsEditChanged;

 private:
  void Choose(int32_t index);
};

class VolumeSetItem : public AdjustItemArrowSelect {
  VG_CLASS()

 public:
  explicit VolumeSetItem(XObject* link = nullptr);

  // Overridden slots.
  XObject* HandleEvent(Core::Event* event) override;
  void HandleFocus(bool focused) override;

  void OnSetIsNumberEdit(bool value);
  bool OnGetIsNumberEdit() const { return IsNumberEdit; }
  // The entry's confirmation: a number other than Value is clamped and written.
  void DoNumberChanged(XObject* sender = nullptr);
  void DoCancelChange(XObject* sender = nullptr);
  void DoResetTimeout(XObject* sender = nullptr);

  ::SkinBin::NumberInput entry{this};
  uint8_t IsNumberEdit = 0;
  VgSlot OnIsEditChanged;
};

class ChannelSetItem : public SubMenuItemValueSelect {
  VG_CLASS()

 public:
  explicit ChannelSetItem(XObject* link = nullptr);

  // Overridden slots.
  // A digit opens the entry; Return while editing drops it.
  XObject* HandleEvent(Core::Event* event) override;
  void HandleFocus(bool focused) override;

  void OnSetIsChannelEdit(bool value);
  bool OnGetIsChannelEdit() const { return IsChannelEdit; }
  // The entry's confirmation: a channel of the set ("major-minor") becomes
  // the value; any other text changes nothing.
  void DoChannelNumChanged(XObject* sender = nullptr);

  ::Button::TextEdit entry{this};
  uint8_t IsChannelEdit = 0;
  VgSlot OnChannelEditChanged;
};

}  // namespace MenuSystem
