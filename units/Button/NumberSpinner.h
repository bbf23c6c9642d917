// Button::NumberSpinner: a number between a minimum and a maximum, stepped by
// the increase and decrease keys or typed digit by digit. Digits typed less
// than 3000 ms apart build one number; when the entry ends a number outside
// the range gives way to DefaultValue.
#pragma once

#include <cstdint>

#include "Button/Button.h"
#include "Core/Keys.h"
#include "Core/Timer.h"
#include "vgslot.h"

namespace Button {

// value + step, held within the 32-bit range.
int32_t Stepped(int32_t value, int64_t step);

class NumberSpinner : public Button {
  VG_CLASS()

 public:
  explicit NumberSpinner(XObject* link = nullptr);

  // How long digit entry lasts after the last digit.
  static constexpr int32_t VerifyDelay = 3000;

  XObject* HandleEvent(Core::Event* event) override;
  // Slot of the spinner: one typed digit.
  virtual void processDigit(int32_t digit);
  // The verify timer's target: ends digit entry.
  void verifySlot(XObject* sender);
  // While a number is being typed: its entry has not ended, and may still
  // change it (a year half typed stands below the range).
  bool TypedInto() const override { return verifyTimer.OnGetEnabled(); }

  int32_t OnGetCurrent() const { return Current; }
  // Clamps or wraps into the range and shows the value.
  void OnSetCurrent(int32_t value);
  int32_t OnGetMinimum() const { return Minimum; }
  void OnSetMinimum(int32_t value);
  int32_t OnGetMaximum() const { return Maximum; }
  void OnSetMaximum(int32_t value);
  int32_t OnGetStep() const { return Step; }
  void OnSetStep(int32_t value);
  bool OnGetHasLeadingZeros() const { return HasLeadingZeros; }
  void OnSetHasLeadingZeros(bool value) { HasLeadingZeros = value; }
  bool OnGetWrapAround() const { return WrapAround; }
  void OnSetWrapAround(bool value) { WrapAround = value; }
  bool OnGetIsLengthFixed() const { return IsLengthFixed; }
  void OnSetIsLengthFixed(bool value) { IsLengthFixed = value; }
  uint16_t OnGetDecreaseKey() const { return DecreaseKey; }
  void OnSetDecreaseKey(uint16_t value) { DecreaseKey = value; }
  uint16_t OnGetIncreaseKey() const { return IncreaseKey; }
  void OnSetIncreaseKey(uint16_t value) { IncreaseKey = value; }
  VgSlot OnGetOnValueChange() const { return OnValueChange; }
  void OnSetOnValueChange(VgSlot slot) { OnValueChange = slot; }
  int32_t OnGetDefaultValue() const { return DefaultValue; }
  void OnSetDefaultValue(int32_t value) { DefaultValue = value; }

  // Pad the shown number to the digit count of Maximum.
  bool HasLeadingZeros = true;
  // A digit was typed and no other key has been pressed since: the number
  // being typed may pass below the minimum.
  bool typing = false;
  bool WrapAround = false;
  bool IsLengthFixed = false;
  uint16_t DecreaseKey = Key::Down;
  uint16_t IncreaseKey = Key::Up;
  int32_t Minimum = 0;
  int32_t Maximum = 9999;
  int32_t Current = 0;
  int32_t Step = 1;
  VgSlot OnValueChange;
  int32_t DefaultValue = 0;
  Core::Timer verifyTimer{this};

 private:
  // The digit count of the shown number: that of Maximum, at most 4.
  int32_t Width() const;
};

}  // namespace Button
