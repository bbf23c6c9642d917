// SkinBin::NumberInput: up to three digits typed with the remote control, for
// a channel or a number. Each digit has its cell; the focus moves on from
// cell to cell as digits arrive, and the confirm key reports the number.
#pragma once

#include <cstdint>

#include "Core/Keys.h"
#include "Forms/Form.h"
#include "SkinBin/Button.h"
#include "Views/Rectangle.h"
#include "vgcolor.h"
#include "vgslot.h"
#include "vgstring.h"

namespace SkinBin {

class NumberInput : public Forms::Form {
  VG_CLASS()

 public:
  explicit NumberInput(XObject* link = nullptr);

  // The GUI key codes the entry takes; only presses below KeyLimit are looked at.
  static constexpr uint16_t KeyConfirm = Key::Ok;
  static constexpr uint16_t KeyClear = Key::Down;
  static constexpr uint16_t KeyCancel = Key::Back;
  static constexpr uint16_t KeyLimit = Key::Back + 1;
  static constexpr int32_t CellCount = 3;
  // Cells overlap their left neighbour by this many pixels.
  static constexpr int32_t CellOverlap = 6;

  // Overridden slots.
  XObject* HandleEvent(Core::Event* event) override;
  // Centres the row of cells in the new bounds.
  void OnSetBounds(VgRect rect) override;

  // The digits shown, in cell order, as a number; 0 without digits.
  int32_t GetNum();
  // Shows the last digit in its cell and moves the focus to the next one.
  void RefreshButtons();
  // While it is switched on holding digits not yet confirmed.
  bool TypedInto() const override { return Enabled && DigitCount > 0; }

  VgColor OnGetBgColor() const { return BgColor; }
  void OnSetBgColor(VgColor value);
  int32_t OnGetNum() const { return Num; }
  VgSlot OnGetOnResetTimeout() const { return OnResetTimeout; }
  void OnSetOnResetTimeout(VgSlot slot) { OnResetTimeout = slot; }
  VgSlot OnGetOnNumChanged() const { return OnNumChanged; }
  void OnSetOnNumChanged(VgSlot slot) { OnNumChanged = slot; }
  VgSlot OnGetOnCancelChange() const { return OnCancelChange; }
  void OnSetOnCancelChange(VgSlot slot) { OnCancelChange = slot; }

  Views::Rectangle background{this};
  VgPtrArray<Button, CellCount> Cells;
  int32_t DigitCount = 0;
  int32_t MaxDigits = CellCount;
  VgStr LastDigit;
  // Signalled after every key the entry takes, so the screen restarts its
  // time-out.
  VgSlot OnResetTimeout;
  VgSlot OnNumChanged;
  // The number confirmed last.
  int32_t Num = 0;
  VgColor BgColor{24, 27, 27, 255};
  VgSlot OnCancelChange;
};

}  // namespace SkinBin
