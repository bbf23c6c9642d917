#include "NonMenuSystem/TimeSettingDialog.h"

#include <algorithm>

#include "NonMenuSystem/ConfirmOptionDialog.h"
#include "NonMenuSystem/DateTimeOwner.h"
#include "Strings.h"
#include "Views/Text.h"
#include "WinIDs/WinIDs.h"
#include "vgslot.h"

VG_DEFINE_CLASS(NonMenuSystem, TimeSettingDialog, ::NonMenuSystem::SpinnerPopup)

namespace NonMenuSystem {

namespace {

constexpr int32_t kHours = 12;
constexpr int32_t kLastMinute = 59;
constexpr int32_t kNumberWidth = 60;
constexpr int32_t kAmPmWidth = 70;

}  // namespace

TimeSettingDialog::TimeSettingDialog(XObject* link) : SpinnerPopup(link) {
  WinID = WinIDs::WIN_ID_TimeSettingDialog;
  hour.OnSetMinimum(1);
  hour.OnSetMaximum(kHours);
  hour.OnSetDefaultValue(kHours);
  hour.OnSetCurrent(kHours);
  minute.OnSetMaximum(kLastMinute);
  minute.OnSetCurrent(0);
  for (NumberSpinner* spinner : {&hour, &minute}) {
    spinner->OnSetOnValueChange(VgSlotOf<&TimeSettingDialog::ValueChanged>(this));
    spinner->OnSetOnExit(VgSlotOf<&WidgetClass::Exit>(this));
  }
  ampm.Texts[AM] = VgGetVariantOfString(&Strings::SID_AM);
  ampm.Texts[PM] = VgGetVariantOfString(&Strings::SID_PM);
  ampm.OnSetMinimum(AM);
  ampm.OnSetMaximum(PM);
  ampm.OnSetWrapAround(true);
  ampm.Up = true;
  ampm.Down = true;
  ampm.OnSetTextAlignH(Views::Text::AlignCentre);
  ConfirmOptionDialog::StyleButton(&ampm);
  ampm.OnSetCurrent(AM);
  ampm.OnSetOnValueChange(VgSlotOf<&TimeSettingDialog::ValueChanged>(this));
  ampm.OnSetOnActivate(VgSlotOf<&WidgetClass::Exit>(this));
  Button::Button* const list[] = {&hour, &minute, &ampm};
  const int32_t widths[] = {kNumberWidth, kNumberWidth, kAmPmWidth};
  Arrange(list, widths, 3, ":");
}

void TimeSettingDialog::OnSetHourVal(int32_t value) { hour.OnSetCurrent(std::clamp(value, 1, kHours)); }

void TimeSettingDialog::OnSetMinVal(int32_t value) { minute.OnSetCurrent(std::clamp(value, 0, kLastMinute)); }

void TimeSettingDialog::OnSetAMPMVal(int32_t value) { ampm.OnSetCurrent(value == PM ? PM : AM); }

void TimeSettingDialog::ValueChanged(XObject*) {
  ResetTimeout();
  auto* owner = dynamic_cast<DateTimeOwner*>(AnswerTo(Owner));
  if (!owner) return;
  const int32_t hours = std::clamp(hour.Current, 1, kHours);
  const int32_t minutes = std::clamp(minute.Current, 0, kLastMinute);
  // The owner reads the half of the day, not a text of the language.
  owner->UpdateTimeSettings(hours, minutes, VgNewStringAnsi(ampm.Current == PM ? "PM" : "AM"));
}

}  // namespace NonMenuSystem
