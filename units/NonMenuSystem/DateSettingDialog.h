// NonMenuSystem::DateSettingDialog: month, day and year spinners for the
// dialog that opened it, which hears every change at once through
// UpdateDateSettings (month 0 to 11, the day, the full year). The day always
// lies within its month: changing the month or the year pulls a day beyond
// the new month's end back to its last day (31 April and 29 February of a
// common year never reach the owner).
#pragma once

#include <cstdint>

#include "NonMenuSystem/NumberSpinner.h"
#include "NonMenuSystem/SpinnerPopup.h"

namespace NonMenuSystem {

class DateSettingDialog : public SpinnerPopup {
  VG_CLASS()

 public:
  explicit DateSettingDialog(XObject* link = nullptr);

  static constexpr int32_t FirstYear = 2000;
  // The set keeps its clock in 32 bits of seconds.
  static constexpr int32_t LastYear = 2037;

  // The days of a month (0 to 11) of a year.
  static int32_t DaysInMonth(int32_t month, int32_t year);

  // The owner's values; the day shown is held within the month.
  void OnSetMonthVal(int32_t month);
  void OnSetDateVal(int32_t day);
  void OnSetYearVal(int32_t year);
  int32_t OnGetMonthVal() const { return MonthVal; }
  int32_t OnGetDateVal() const { return DateVal; }
  int32_t OnGetYearVal() const { return YearVal; }

  // The spinners' change slot.
  void ValueChanged(XObject* sender);

  int32_t MonthVal = 0;
  int32_t DateVal = 1;
  int32_t YearVal = FirstYear;
  NumberSpinner month{this};
  NumberSpinner day{this};
  NumberSpinner year{this};

 private:
  // Shows the values, the day cut to the month's length.
  void Show();
};

}  // namespace NonMenuSystem
