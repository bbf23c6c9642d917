#include "NonMenuSystem/DateTimeDialog.h"

#include <cstdio>

#include "AppServices/Wrapper.h"
#include "Core/KeyEvent.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/ConfirmOptionDialog.h"
#include "NonMenuSystem/DateSettingDialog.h"
#include "NonMenuSystem/Look.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "NonMenuSystem/TimeSettingDialog.h"
#include "Strings.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(NonMenuSystem, DateTimeDialog, ::NonMenuSystem::QORWidgetClass)

namespace NonMenuSystem {

namespace {

constexpr VgRect kBounds{0, 150, 520, 330};
constexpr int32_t kRowHeight = 40;
constexpr int32_t kRowGap = 12;
constexpr int32_t kLabelWidth = 150;
constexpr int32_t kYearsFrom = 1900;
constexpr int32_t kNoon = 12;
constexpr int32_t kPopupGap = 6;

}  // namespace

DateTimeDialog::DateTimeDialog(XObject* link) : QORWidgetClass(link) {
  WinID = WinIDs::WIN_ID_DateTimeDialog;
  OnSetCaption(VgGetVariantOfString(&Strings::SID_MANUAL_TIME_SETTING));
  OnSetBounds(kBounds);
  const VgConstant* labels[] = {&Strings::SID_DATE, &Strings::Time};
  Views::Text* texts[] = {&dateLabel, &timeLabel};
  Button::Button* buttons[] = {&dateButton, &timeButton};
  for (int i = 0; i < 2; ++i) {
    const int32_t y = ContentTop() + i * (kRowHeight + kRowGap);
    texts[i]->OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
    texts[i]->OnSetColor(Look::Text);
    texts[i]->OnSetAlignV(Views::Text::AlignMiddle);
    texts[i]->OnSetString(VgGetVariantOfString(labels[i]));
    texts[i]->OnSetBounds({ContentLeft(), y, ContentLeft() + kLabelWidth, y + kRowHeight});
    ConfirmOptionDialog::StyleButton(buttons[i]);
    buttons[i]->OnSetBounds({ContentLeft() + kLabelWidth, y, ContentRight(), y + kRowHeight});
    Add(texts[i], 0);
    Add(buttons[i], 0);
  }
  Time = VgNew<Structures::LocalTime>();
  OnSetFocus(&dateButton);
}

void DateTimeDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  QORWidgetClass::Initialize(parameter);
  if (!PrevState) PrevState = VgFindClass("MenuSystem::BrcmDateTimeMenu");
  Time = MainApp::GetWrapper()->GetCurrentTime();
  ShowTime();
}

void DateTimeDialog::ShowTime() {
  char text[32];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", int(Time->Month + 1), int(Time->Day),
                int(Time->Year + kYearsFrom));
  dateButton.OnSetText(VgNewStringAnsi(text));
  const int32_t hour12 = Time->Hour % kNoon == 0 ? kNoon : Time->Hour % kNoon;
  std::snprintf(text, sizeof text, "%02d:%02d %s", int(hour12), int(Time->Minute), Time->Hour < kNoon ? "AM" : "PM");
  timeButton.OnSetText(VgNewStringAnsi(text));
}

void DateTimeDialog::SetClock() {
  Time->Second = 0;
  MainApp::GetWrapper()->SetCurrentTime(Time);
  ShowTime();
}

void DateTimeDialog::UpdateDateSettings(int32_t month, int32_t day, int32_t year) {
  Time->Month = month;
  Time->Day = day;
  Time->Year = year - kYearsFrom;
  SetClock();
}

void DateTimeDialog::UpdateTimeSettings(int32_t hour, int32_t minute, VgString ampm) {
  const bool pm = VgCompString(ampm, VgNewStringAnsi("PM")) == 0;
  Time->Hour = hour % kNoon + (pm ? kNoon : 0);
  Time->Minute = minute;
  SetClock();
}

// The pop-up stands under the dialog, below the value it changes.
void DateTimeDialog::PlaceUnder(Primitives::KeyRoutingForm* popup, Button::Button* row) {
  const int32_t x = Bounds.x1 + row->Bounds.x1;
  const int32_t y = Bounds.y2 + kPopupGap;
  popup->OnSetBounds(VgSetRectOrigin(popup->Bounds, {x, y}));
}

void DateTimeDialog::EditFocused() {
  if (!NonMenuSystem) return;
  if (Focus.get() == &dateButton) {
    auto* popup = vg_cast<DateSettingDialog>(NonMenuSystem->OpenState(&DateSettingDialog::Class, MakeOriginParam()));
    if (!popup) return;
    PlaceUnder(popup, &dateButton);
    popup->OnSetMonthVal(Time->Month);
    popup->OnSetDateVal(Time->Day);
    popup->OnSetYearVal(Time->Year + kYearsFrom);
    popup->OnSetOwner(this);
    return;
  }
  auto* popup = vg_cast<TimeSettingDialog>(NonMenuSystem->OpenState(&TimeSettingDialog::Class, MakeOriginParam()));
  if (!popup) return;
  PlaceUnder(popup, &timeButton);
  popup->OnSetHourVal(Time->Hour % kNoon == 0 ? kNoon : Time->Hour % kNoon);
  popup->OnSetMinVal(Time->Minute);
  popup->OnSetAMPMVal(Time->Hour < kNoon ? TimeSettingDialog::AM : TimeSettingDialog::PM);
  popup->OnSetOwner(this);
}

XObject* DateTimeDialog::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down) return QORWidgetClass::HandleEvent(event);
  switch (key->keyCode) {
    case Key::Up:
    case Key::Down:
      OnSetFocus(Focus.get() == &dateButton ? &timeButton : &dateButton);
      break;
    case Key::Ok:
      EditFocused();
      break;
    default:
      return QORWidgetClass::HandleEvent(event);
  }
  ResetTimeout();
  return this;
}

}  // namespace NonMenuSystem
