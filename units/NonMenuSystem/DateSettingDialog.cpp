#include "NonMenuSystem/DateSettingDialog.h"

#include <algorithm>

#include "NonMenuSystem/DateTimeOwner.h"
#include "WinIDs/WinIDs.h"
#include "vgslot.h"

VG_DEFINE_CLASS(NonMenuSystem, DateSettingDialog, ::NonMenuSystem::SpinnerPopup)

namespace NonMenuSystem {

namespace {

constexpr int32_t kMonths = 12;
constexpr int32_t kLongestMonth = 31;
constexpr int32_t kShortWidth = 60;
constexpr int32_t kYearWidth = 90;

}  // namespace

DateSettingDialog::DateSettingDialog(XObject* link) : SpinnerPopup(link) {
  WinID = WinIDs::WIN_ID_DateSettingDialog;
  month.OnSetMinimum(1);
  month.OnSetMaximum(kMonths);
  day.OnSetMaximum(kLongestMonth);
  day.OnSetMinimum(1);
  year.OnSetMaximum(LastYear);
  year.OnSetMinimum(FirstYear);
  month.OnSetDefaultValue(1);
  day.OnSetDefaultValue(1);
  year.OnSetDefaultValue(FirstYear);
  for (NumberSpinner* spinner : {&month, &day, &year}) {
    spinner->OnSetOnValueChange(VgSlotOf<&DateSettingDialog::ValueChanged>(this));
    spinner->OnSetOnExit(VgSlotOf<&WidgetClass::Exit>(this));
  }
  Button::Button* const list[] = {&month, &day, &year};
  const int32_t widths[] = {kShortWidth, kShortWidth, kYearWidth};
  Arrange(list, widths, 3, "/");
  Show();
}

int32_t DateSettingDialog::DaysInMonth(int32_t month, int32_t year) {
  static constexpr int32_t kDays[kMonths] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 0 || month >= kMonths) return kLongestMonth;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return kDays[month] + (month == 1 && leap ? 1 : 0);
}

void DateSettingDialog::OnSetMonthVal(int32_t value) {
  MonthVal = std::clamp(value, 0, kMonths - 1);
  Show();
}

void DateSettingDialog::OnSetDateVal(int32_t value) {
  DateVal = std::clamp(value, 1, kLongestMonth);
  Show();
}

void DateSettingDialog::OnSetYearVal(int32_t value) {
  YearVal = std::clamp(value, FirstYear, LastYear);
  Show();
}

void DateSettingDialog::Show() {
  month.OnSetCurrent(MonthVal + 1);
  year.OnSetCurrent(YearVal);
  const int32_t last = DaysInMonth(MonthVal, YearVal);
  day.OnSetMaximum(last);
  day.OnSetCurrent(std::min(DateVal, last));
}

void DateSettingDialog::ValueChanged(XObject*) {
  ResetTimeout();
  MonthVal = std::clamp(month.Current, 1, kMonths) - 1;
  YearVal = std::clamp(year.Current, FirstYear, LastYear);
  DateVal = std::clamp(day.Current, 1, DaysInMonth(MonthVal, YearVal));
  // A digit being typed may stand outside the range for a moment; the
  // spinner keeps it until the entry ends.
  if (!month.typing && !day.typing && !year.typing) Show();
  if (auto* owner = dynamic_cast<DateTimeOwner*>(AnswerTo(Owner)))
    owner->UpdateDateSettings(MonthVal, DateVal, YearVal);
}

}  // namespace NonMenuSystem
