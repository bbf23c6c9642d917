#include "Record/TimerDurationDialog.h"

#include <algorithm>

#include "Record/RecordTimerDialog.h"
#include "WinIDs/WinIDs.h"
#include "vgslot.h"

VG_DEFINE_CLASS(Record, TimerDurationDialog, NonMenuSystem::SpinnerPopup)

namespace Record {

namespace {

constexpr int32_t kSpinnerWidth = 70;
constexpr int32_t kLastHour = 23;
constexpr int32_t kLastMinute = 59;

}  // namespace

TimerDurationDialog::TimerDurationDialog(XObject* link) : NonMenuSystem::SpinnerPopup(link) {
  WinID = WinIDs::WIN_ID_TimerDurationDialog;
  hours.OnSetMaximum(kLastHour);
  minutes.OnSetMaximum(kLastMinute);
  // A typed minute below the floor ends as the floor.
  minutes.OnSetDefaultValue(ShortestMinutes);
  for (NonMenuSystem::NumberSpinner* spinner : {&hours, &minutes}) {
    spinner->OnSetOnValueChange(VgSlotOf<&TimerDurationDialog::ValueChanged>(this));
    spinner->OnSetOnExit(VgSlotOf<&NonMenuSystem::WidgetClass::Exit>(this));
  }
  Button::Button* const list[] = {&hours, &minutes};
  const int32_t widths[] = {kSpinnerWidth, kSpinnerWidth};
  Arrange(list, widths, 2, ":");
}

void TimerDurationDialog::OnSetHourVal(int32_t value) {
  HourVal = value;
  hours.OnSetCurrent(value);
  ApplyMinuteFloor(value);
}

void TimerDurationDialog::OnSetMinVal(int32_t value) {
  MinVal = value;
  minutes.OnSetCurrent(value);
}

void TimerDurationDialog::ApplyMinuteFloor(int32_t hourValue) {
  minutes.OnSetMinimum(hourValue == 0 ? ShortestMinutes : 0);
  // A minute being typed may pass below the floor on its way ("1" of "15").
  if (!minutes.typing && minutes.Current < minutes.Minimum) minutes.OnSetCurrent(minutes.Minimum);
}

void TimerDurationDialog::ValueChanged(XObject*) {
  ResetTimeout();
  ApplyMinuteFloor(hours.Current);
  // The timer never holds less than the floor, not even while typing.
  if (auto* owner = vg_cast<RecordTimerDialog>(AnswerTo(Owner)))
    owner->UpdateDurationSettings(hours.Current, std::max(minutes.Current, minutes.Minimum));
}

}  // namespace Record
