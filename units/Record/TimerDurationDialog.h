// Record::TimerDurationDialog: the hours and minutes pop-up of the manual
// timer's duration, over the timer dialog that opened it (its owner). Every
// change reaches the owner at once through UpdateDurationSettings; the length
// never drops below 5 minutes.
#pragma once

#include <cstdint>

#include "NonMenuSystem/NumberSpinner.h"
#include "NonMenuSystem/SpinnerPopup.h"

namespace Record {

class TimerDurationDialog : public NonMenuSystem::SpinnerPopup {
  VG_CLASS()

 public:
  explicit TimerDurationDialog(XObject* link = nullptr);

  static constexpr int32_t ShortestMinutes = 5;

  void OnSetHourVal(int32_t value);
  void OnSetMinVal(int32_t value);
  int32_t OnGetHourVal() const { return HourVal; }
  int32_t OnGetMinVal() const { return MinVal; }
  // The spinners' change slot.
  void ValueChanged(XObject* sender = nullptr);

  int32_t HourVal = 0;
  int32_t MinVal = 0;
  NonMenuSystem::NumberSpinner hours{this};
  NonMenuSystem::NumberSpinner minutes{this};

 private:
  // Without hours the minutes start at 5.
  void ApplyMinuteFloor(int32_t hourValue);
};

}  // namespace Record
