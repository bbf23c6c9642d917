#include "Record/TimerDurationDialog.h"

#include "Bitmaps.h"
#include "Core/KeyEvent.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/Look.h"
#include "Record/RecordTimerDialog.h"
#include "WinIDs/WinIDs.h"
#include "vgslot.h"

VG_DEFINE_CLASS(Record, TimerDurationDialog, NonMenuSystem::QORWidgetClass)

namespace Record {

namespace {

constexpr int32_t kSpinnerWidth = 70;
constexpr int32_t kSpinnerHeight = 40;
constexpr int32_t kColonWidth = 20;
constexpr int32_t kMargin = 40;
constexpr int32_t kTop = 220;

}  // namespace

TimerDurationDialog::TimerDurationDialog(XObject* link) : NonMenuSystem::QORWidgetClass(link) {
  WinID = WinIDs::WIN_ID_TimerDurationDialog;
  Layer = 256;
  OnSetHasCaption(false);
  OnSetOnTimeOut(VgSlotOf<&NonMenuSystem::WidgetClass::Exit>(this));
  navigator.OnSetUpBitmap(VgLoad<Resources::Bitmap>(Bitmaps::OptionButtonUpArrow));
  navigator.OnSetDownBitmap(VgLoad<Resources::Bitmap>(Bitmaps::OptionButtonDownArrow));
  Resources::Font* font = VgLoad<Resources::Font>(Fonts::LargeFont);
  int32_t x = kMargin;
  for (Button::NumberSpinner* spinner : {&hours, &minutes}) {
    spinner->OnSetBounds({x, kMargin, x + kSpinnerWidth, kMargin + kSpinnerHeight});
    spinner->OnSetMinimum(0);
    spinner->OnSetWrapAround(true);
    spinner->Nonfocused_TextFont = font;
    spinner->Focused_TextFont = font;
    spinner->Nonfocused_TextColor = NonMenuSystem::Look::TextDim;
    spinner->Focused_TextColor = NonMenuSystem::Look::Text;
    spinner->OnSetNavigator(&navigator);
    spinner->OnSetUp(true);
    spinner->OnSetDown(true);
    spinner->OnSetOnValueChange(VgSlotOf<&TimerDurationDialog::ValueChanged>(this));
    spinner->OnSetOnActivate(VgSlotOf<&NonMenuSystem::WidgetClass::Exit>(this));
    x += kSpinnerWidth + kColonWidth;
  }
  hours.OnSetMaximum(23);
  minutes.OnSetMaximum(59);
  colon.OnSetString(VgNewStringAnsi(":"));
  colon.OnSetFont(font);
  colon.OnSetColor(NonMenuSystem::Look::Text);
  colon.OnSetAlignH(Views::Text::AlignCentre);
  colon.OnSetAlignV(Views::Text::AlignMiddle);
  colon.OnSetBounds({kMargin + kSpinnerWidth, kMargin, kMargin + kSpinnerWidth + kColonWidth, kMargin + kSpinnerHeight});
  Add(&hours, 0);
  Add(&colon, 0);
  Add(&minutes, 0);
  Add(&navigator, 0);
  const int32_t width = 2 * kMargin + 2 * kSpinnerWidth + kColonWidth;
  const int32_t height = 2 * kMargin + kSpinnerHeight;
  OnSetBounds({0, kTop, width + 2 * FrameWidth, kTop + height + 2 * FrameWidth});
  OnSetFocus(&hours);
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
  if (minutes.Current < minutes.Minimum) minutes.OnSetCurrent(minutes.Minimum);
}

void TimerDurationDialog::ValueChanged(XObject*) {
  ResetTimeout();
  ApplyMinuteFloor(hours.Current);
  if (Owner) Owner->UpdateDurationSettings(hours.Current, minutes.Current);
}

XObject* TimerDurationDialog::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (key && key->down && (key->keyCode == Key::Left || key->keyCode == Key::Right)) {
    // Two spinners: either key goes to the other one.
    OnSetFocus(Focus.get() == &hours ? static_cast<Core::View*>(&minutes) : &hours);
    ResetTimeout();
    return this;
  }
  if (key && key->down && key->keyCode == Key::Back) {
    Close();
    return this;
  }
  return NonMenuSystem::QORWidgetClass::HandleEvent(event);
}

}  // namespace Record
