#include "Record/RecordOptionsDialog.h"

#include <iterator>

#include "AppServices/Wrapper.h"
#include "Core/KeyEvent.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Record/ConflictTimerDialog.h"
#include "Record/RecordTimerDialog.h"
#include "Record/TimerRules.h"
#include "SkinBin/UserRefInt.h"
#include "Strings.h"
#include "Structures/Channels.h"
#include "Structures/Devices.h"
#include "Structures/LocalTime.h"
#include "Structures/TimerData.h"
#include "WidgetManager/Layers.h"
#include "WinIDs/WinIDs.h"
#include "vgslot.h"

VG_DEFINE_CLASS(Record, RecordOptionsDialog, NonMenuSystem::QORWidgetClass)

namespace Record {

namespace {

// The buttons top to bottom: a length to record now, or 0 for the manual
// timer dialog.
struct Choice {
  const VgConstant* label;
  int32_t seconds;
};
constexpr Choice kChoices[RecordOptionsDialog::ButtonCount] = {
    {&Strings::SID_RECORD_NOW_30_MINUTES, 1800},
    {&Strings::SID_RECORD_NOW_1_HOUR, 3600},
    {&Strings::SID_RECORD_NOW_2_HOURS, 7200},
    {&Strings::SID_RECORD_NOW_4_HOURS, 14400},
    {&Strings::SID_CREATE_MANUAL_RECORDING, 0},
};

constexpr int32_t kWidth = 420;
constexpr int32_t kTop = 150;
constexpr int32_t kButtonGap = 4;
constexpr int32_t kBelowSeparator = 14;
constexpr int32_t kSecondTunerSource = 29;

}  // namespace

RecordOptionsDialog::RecordOptionsDialog(XObject* link) : NonMenuSystem::QORWidgetClass(link) {
  WinID = WinIDs::WIN_ID_RecordOptionsDialog;
  Layer = Layers::Dialog;
  OnSetCaption(VgGetVariantOfString(&Strings::SID_RECORD_OPTIONS));
  const int32_t height = CaptionHeight + 2 * kBelowSeparator + ButtonCount * (ButtonHeight + kButtonGap);
  OnSetBounds({0, kTop, kWidth + 2 * FrameWidth, kTop + height + 2 * FrameWidth});
  for (int32_t i = 0; i < ButtonCount; ++i) {
    SkinBin::Button& button = buttons[i];
    button.OnSetBounds({0, 0, ButtonWidth, ButtonHeight});
    button.OnSetText(VgGetVariantOfString(kChoices[i].label));
    button.OnSetOnActivate(VgSlotOf<&RecordOptionsDialog::DoActivate>(this));
    Add(&button, 0);
  }
  OnSetFocus(&buttons[0]);
}

int32_t RecordOptionsDialog::GetWeekDay(int32_t year, int32_t month, int32_t day) {
  return Record::GetWeekDay(year, month, day);
}

void RecordOptionsDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  NonMenuSystem::QORWidgetClass::Initialize(parameter);
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  Structures::VirtualChannel* channel = model->GetCurrentChannel();
  VgString caption = VgGetVariantOfString(&Strings::SID_RECORD_OPTIONS);
  caption = VgConcatString(caption, VgNewStringAnsi("     ("));
  caption = VgConcatString(caption, VgGetVariantOfString(&Strings::SID_CHANNEL));
  caption = VgConcatString(caption, VgNewStringAnsi(" "));
  caption = VgConcatString(caption, model->GetChannelNumberStr(true, channel->Major, channel->Minor));
  OnSetCaption(VgConcatString(caption, VgNewStringAnsi(")")));
}

void RecordOptionsDialog::Refresh(XObject* sender) {
  NonMenuSystem::QORWidgetClass::Refresh(sender);
  const int32_t top = separator.Point1.y + kBelowSeparator;
  for (int32_t i = 0; i < ButtonCount; ++i) {
    const VgPoint size = VgGetRectSize(buttons[i].Bounds);
    const int32_t x = (VgGetRectW(Bounds) - size.x) / 2;
    const int32_t y = top + i * (size.y + kButtonGap);
    buttons[i].OnSetBounds({x, y, x + size.x, y + size.y});
  }
}

XObject* RecordOptionsDialog::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (key && key->down && (key->keyCode == Key::Up || key->keyCode == Key::Down)) {
    int32_t focused = 0;
    while (focused < ButtonCount && Focus.get() != &buttons[focused]) ++focused;
    const int32_t step = key->keyCode == Key::Down ? 1 : ButtonCount - 1;
    OnSetFocus(&buttons[(focused % ButtonCount + step) % ButtonCount]);
    ResetTimeout();
    return this;
  }
  return NonMenuSystem::QORWidgetClass::HandleEvent(event);
}

void RecordOptionsDialog::EnterPrevState() { Close(); }

void RecordOptionsDialog::DoActivate(XObject* sender) {
  int32_t choice = 0;
  while (choice < ButtonCount && sender != &buttons[choice]) ++choice;
  if (choice == ButtonCount) return;
  if (MainApp::GetWrapper()->GetFirstAvailableTimerId() < 0) {
    if (NonMenuSystem) NonMenuSystem->ShowMessage(NonMenuSystem::DirectMsgTypeInvalidTimerId);
    Close();
    return;
  }
  if (!NonMenuSystem) {
    Close();
    return;
  }
  if (kChoices[choice].seconds == 0)
    OpenManualTimer();
  else
    RecordNow(kChoices[choice].seconds);
}

void RecordOptionsDialog::OpenManualTimer() {
  auto* param = vg_cast<SkinBin::UserRefInt>(MakeOriginParam(Constants::XPM_RECORD_SOURCE_TYPE_TIMER));
  param->Kind = Constants::MSG_FROM_NONMENUSYSTEM;
  auto* dialog = vg_cast<RecordTimerDialog>(NonMenuSystem->OpenState(&RecordTimerDialog::Class, param));
  if (dialog) {
    dialog->IsShortcut = false;
    dialog->PrevState = &RecordOptionsDialog::Class;
    dialog->NextState = nullptr;
    // A manual timer starts from now for an hour whatever is on air: the
    // dialog's fill step sets both.
    dialog->ApplySourceType();
  }
  Close();
}

void RecordOptionsDialog::RecordNow(int32_t seconds) {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  Structures::LocalTime* now = model->GetCurrentTime(0);
  Structures::VirtualChannel* channel = model->GetCurrentChannel();
  model->OnSetTimerSourceType(Constants::XPM_RECORD_SOURCE_TYPE_TIMER);
  model->OnSetTimerTimesType(Constants::XPM_TIMER_TIMES_TYPE_ONCE);
  model->OnSetTimerDaysOfWeek(1 << GetWeekDay(now->Year + 1900, now->Month + 1, now->Day));
  model->OnSetTimerStartTime(now);
  model->OnSetTimerDuration(seconds);
  model->OnSetTimerSource(model->GetCurrentTunerId() != 0 ? kSecondTunerSource : 0);
  model->OnSetTimerChannel(SkinBin::Wrapper::UniteChannelNum(channel->Major, channel->Minor));
  model->OnSetTimerMapId(model->OnGetAntCableIn());
  model->OnSetTimerStartEarly(model->GetDefaultStartEarly());
  model->OnSetTimerEndDelay(model->GetDefaultEndDelay());
  model->OnSetEnableTimer(1);
  switch (SaveTimer({.messages = NonMenuSystem, .recordSourceType = Constants::XPM_RECORD_SOURCE_TYPE_START}).outcome) {
    case SaveOutcome::Saved:
      Close();
      break;
    case SaveOutcome::Conflict: {
      Structures::EventInfo* programme = model->DB_GetCurrentProgramInfo();
      auto* old = VgNew<Structures::TimerData>();
      model->CopyTimerData(old, model->HeldTimer);
      OpenConflictDialog(NonMenuSystem, {.recordSourceType = Constants::XPM_RECORD_SOURCE_TYPE_START,
                                         .start = now,
                                         .duration = seconds,
                                         .owner = this,
                                         .oldTimer = old,
                                         .caption = programme ? VgString(programme->Title) : VgNewStringAnsi("---")});
      break;
    }
    case SaveOutcome::Refused:
    case SaveOutcome::NotStored:
      break;
  }
}

}  // namespace Record
