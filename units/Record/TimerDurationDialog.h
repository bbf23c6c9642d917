// Record::TimerDurationDialog: the hours and minutes pop-up of the manual
// timer's duration. Every change reaches the owner at once through
// UpdateDurationSettings; the length never drops below 5 minutes.
#pragma once

#include <cstdint>

#include "Button/NumberSpinner.h"
#include "Cursor/Navigator.h"
#include "NonMenuSystem/QORWidgetClass.h"
#include "Views/Text.h"

namespace Record {

class RecordTimerDialog;

class TimerDurationDialog : public NonMenuSystem::QORWidgetClass {
  VG_CLASS()

 public:
  explicit TimerDurationDialog(XObject* link = nullptr);

  static constexpr int32_t ShortestMinutes = 5;

  // LEFT and RIGHT go round the spinners, BACK closes.
  XObject* HandleEvent(Core::Event* event) override;

  void OnSetHourVal(int32_t value);
  void OnSetMinVal(int32_t value);
  int32_t OnGetHourVal() const { return HourVal; }
  int32_t OnGetMinVal() const { return MinVal; }
  // The spinners' change slot.
  void ValueChanged(XObject* sender = nullptr);

  int32_t HourVal = 0;
  int32_t MinVal = 0;
  VgPtr<RecordTimerDialog> Owner;
  Button::NumberSpinner hours{this};
  Views::Text colon{this};
  Button::NumberSpinner minutes{this};
  Cursor::Navigator navigator{this};

 private:
  // Without hours the minutes start at 5.
  void ApplyMinuteFloor(int32_t hourValue);
};

}  // namespace Record
