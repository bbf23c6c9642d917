// SkinBin::EnterTime: a clock time typed with the remote control, hh:m0 in
// steps of ten minutes, from 00:00 to 12:00. The minute units stay "0"; a
// digit that cannot start a valid time is refused where it is typed.
#pragma once

#include <cstdint>

#include "Core/Keys.h"
#include "Forms/Form.h"
#include "SkinBin/Button.h"
#include "Views/Rectangle.h"
#include "vgslot.h"
#include "vgstring.h"

namespace SkinBin {

class EnterTime : public Forms::Form {
  VG_CLASS()

 public:
  explicit EnterTime(XObject* link = nullptr);

  static constexpr uint16_t KeyConfirm = Key::Ok;
  static constexpr uint16_t KeyClear = Key::Down;
  static constexpr uint16_t KeyCancel = Key::Back;
  static constexpr uint16_t KeyLimit = Key::Back + 1;
  // The cells from left to right.
  enum Cell : int32_t { HourTens, HourUnits, Separator, MinuteTens, MinuteUnits, CellCount };
  // Cells stand this many pixels apart.
  static constexpr int32_t CellGap = 1;

  // Overridden slots.
  XObject* HandleEvent(Core::Event* event) override;
  // Centres the row of cells in the new bounds.
  void OnSetBounds(VgRect rect) override;

  // The time shown, in minutes after midnight; empty cells count as 0.
  int32_t GetTimeIndex();
  // Checks the last digit against the time typed so far, shows it in its
  // cell or refuses it, and moves the focus to the next cell.
  void RefreshButtons();
  // While it is switched on holding digits not yet confirmed.
  bool TypedInto() const override { return Enabled && DigitCount > 0; }

  int32_t OnGetTime() const { return Time; }
  VgSlot OnGetOnResetTimeout() const { return OnResetTimeout; }
  void OnSetOnResetTimeout(VgSlot slot) { OnResetTimeout = slot; }
  VgSlot OnGetOnTimeChanged() const { return OnTimeChanged; }
  void OnSetOnTimeChanged(VgSlot slot) { OnTimeChanged = slot; }
  VgSlot OnGetOnCancelChange() const { return OnCancelChange; }
  void OnSetOnCancelChange(VgSlot slot) { OnCancelChange = slot; }

  Views::Rectangle background{this};
  VgPtrArray<Button, CellCount> Cells;
  int32_t DigitCount = 0;
  int32_t MaxDigits = 3;
  VgStr LastDigit;
  // The time confirmed last, in minutes.
  int32_t Time = 0;
  VgSlot OnResetTimeout;
  VgSlot OnTimeChanged;
  VgSlot OnCancelChange;

 private:
  Button* At(Cell cell) const { return Cells[static_cast<size_t>(cell)]; }
};

}  // namespace SkinBin
