#include "Record/RecordTimerDialog.h"

#include <iterator>

#include "AppServices/OptionDB.h"
#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Channels/FullEPGDialog.h"
#include "Core/KeyEvent.h"
#include "Fonts/Fonts.h"
#include "ListForm/RecordTexts.h"
#include "NonMenuSystem/DateSettingDialog.h"
#include "NonMenuSystem/Look.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "NonMenuSystem/OptionDialog.h"
#include "NonMenuSystem/TimeSettingDialog.h"
#include "OptionDatabase/OptionBinding.h"
#include "OptionDatabase/OptionData.h"
#include "Record/ConflictTimerDialog.h"
#include "Record/RecordOptionsDialog.h"
#include "Record/TimerDurationDialog.h"
#include "Record/TimerRules.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"
#include "Structures/Channels.h"
#include "Structures/Devices.h"
#include "Structures/LocalTime.h"
#include "Structures/TimerData.h"
#include "SubSystem/Open.h"
#include "WidgetManager/Layers.h"
#include "WinIDs/WinIDs.h"
#include "vgdebug.h"
#include "vgslot.h"

VG_DEFINE_CLASS(Record, RecordTimerDialog, NonMenuSystem::QORWidgetClass)

namespace Record {

namespace {

using Dialog = RecordTimerDialog;

constexpr int32_t kWidth = 520;
constexpr int32_t kTop = 40;
constexpr int32_t kRowPitch = 35;
constexpr int32_t kButtonWidth = 200;
constexpr int32_t kHelpHeight = 40;
constexpr int32_t kNewTimerSeconds = 3600;
constexpr int32_t kShortestGuideTimer = 300;

// The controls top to bottom: label (none: centred), help, the option an
// option button edits, the screen a button opens, and the sample text it
// shows until filled.
struct ControlRow {
  const VgConstant* label;
  const VgConstant* help;
  uint32_t option;
  const char* opens;
  const char* sample;
};
constexpr ControlRow kControls[Dialog::ControlCount] = {
    {&Strings::SID_DATE, &Strings::SID_TIMER_HELP_DATE, 0, "NonMenuSystem::DateSettingDialog", "Jan 30, 2011"},
    {&Strings::Time, &Strings::SID_TIMER_HELP_TIME, 0, "NonMenuSystem::TimeSettingDialog", "12:00PM"},
    {&Strings::SID_ACTIVE, &Strings::SID_TIMER_HELP_ACTIVE, 0, nullptr, nullptr},
    {&Strings::SID_TYPE, &Strings::SID_TIMER_HELP_TYPE, uint32_t(SkinBin::OPTION_TYPE_TIMER_TIMES_TYPE),
     "NonMenuSystem::OptionDialog", "Everyday"},
    {&Strings::SID_INPUT, &Strings::SID_TIMER_HELP_INPUT, uint32_t(SkinBin::OPTION_TYPE_ONTIMER_INPUT),
     "NonMenuSystem::OptionDialog", "Tuner 1"},
    {&Strings::SID_CH_NUM, &Strings::SID_TIMER_HELP_CHANNEL, uint32_t(SkinBin::OPTION_TYPE_ONTIMER_CHANNEL),
     "NonMenuSystem::OptionDialog", "222-222"},
    {&Strings::Duration, &Strings::SID_TIMER_HELP_DURATION, 0, "Record::TimerDurationDialog", "1:00"},
    {nullptr, &Strings::SID_TIMER_HELP_DONE, 0, nullptr, nullptr},
};

// Which controls the record source type and the repetition leave enabled.
enum class Grey : uint8_t { Keep, On, Off };
struct GrayoutRow {
  int32_t sourceType;  // 0: any other
  int8_t datedRepetition;  // once or weekly: 1, another: 0, either: -1
  Grey date;
  Grey timeInputChannel;
  Grey duration;
};
constexpr GrayoutRow kGrayout[] = {
    {Constants::XPM_RECORD_SOURCE_TYPE_TIMER, 1, Grey::On, Grey::On, Grey::On},
    {Constants::XPM_RECORD_SOURCE_TYPE_TIMER, 0, Grey::Off, Grey::On, Grey::On},
    {Constants::XPM_RECORD_SOURCE_TYPE_GUIDE, -1, Grey::Off, Grey::On, Grey::Off},
    {Constants::XPM_RECORD_SOURCE_TYPE_START, -1, Grey::Off, Grey::On, Grey::On},
    {0, -1, Grey::Off, Grey::Keep, Grey::Keep},
};

const GrayoutRow& GrayoutFor(int32_t sourceType, int32_t timesType) {
  const bool dated =
      timesType == Constants::XPM_TIMER_TIMES_TYPE_ONCE || timesType == Constants::XPM_TIMER_TIMES_TYPE_WEEKLY;
  for (const GrayoutRow& row : kGrayout)
    if ((row.sourceType == sourceType || row.sourceType == 0) && (row.datedRepetition < 0 || row.datedRepetition == dated))
      return row;
  return kGrayout[std::size(kGrayout) - 1];
}

VgString TwoDigitTime(int32_t a, int32_t b) { return DurationText((a * 60 + b) * 60); }

int32_t MinuteOfDay(const Structures::LocalTime* time) { return time ? time->Hour * 60 + time->Minute : 0; }

}  // namespace

RecordTimerDialog::RecordTimerDialog(XObject* link) : NonMenuSystem::QORWidgetClass(link) {
  WinID = WinIDs::WIN_ID_RecordTimerDialog;
  Layer = Layers::Dialog;
  IsShortcut = true;
  OnSetOnTimeOut(VgSlotOf<&NonMenuSystem::WidgetClass::Exit>(this));
  OnSetCaption(VgGetVariantOfString(&Strings::SID_RECORD_SCHEDULE_TIMER));
  Resources::Font* font = VgLoad<Resources::Font>(Fonts::MediumFont);
  for (int32_t i = 0; i < ControlCount; ++i) {
    const ControlRow& row = kControls[i];
    if (row.label) {
      labels[i].OnSetString(VgGetVariantOfString(row.label));
      labels[i].OnSetFont(font);
      labels[i].OnSetColor(NonMenuSystem::Look::Text);
      labels[i].OnSetAlignV(Views::Text::AlignMiddle);
      Add(&labels[i], 0);
    }
    Primitives::KeyRoutingCtrl* control = ControlAt(i);
    control->OnSetOnFocus(VgSlotOf<&RecordTimerDialog::DoFocus>(this));
    if (auto* button = vg_cast<SkinBin::Button>(control)) {
      button->OnSetBounds({0, 0, kButtonWidth, SkinBin::Button::FocusedTextHeight});
      button->OnSetHelpString(VgGetVariantOfString(row.help));
      if (row.sample) button->OnSetText(VgNewStringAnsi(row.sample));
      button->OnSetOnActivate(VgSlotOf<&RecordTimerDialog::DoActivate>(this));
    }
    if (auto* option = vg_cast<Network::OptionButton>(control)) option->OnSetOptionType(row.option);
    Add(control, 0);
  }
  activeBox.OnSetHelpString(VgGetVariantOfString(kControls[ActiveRow].help));
  activeBox.OnSetOnActivate(VgSlotOf<&RecordTimerDialog::SetTimerActive>(this));
  doneButton.OnSetText(VgGetVariantOfString(&Strings::SID_DONE));
  doneButton.OnSetOnActivate(VgSlotOf<&RecordTimerDialog::DoneSlot>(this));
  helpIcon.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::RecordTimerInfo));
  help.OnSetFont(VgLoad<Resources::Font>(Fonts::SmallFont));
  help.OnSetColor(NonMenuSystem::Look::TextDim);
  Add(&helpIcon, 0);
  Add(&help, 0);
  const int32_t height = CaptionHeight + 24 + ControlCount * kRowPitch + kHelpHeight;
  OnSetBounds({0, kTop, kWidth + 2 * FrameWidth, kTop + height + 2 * FrameWidth});
  OnSetFocus(&dateButton);
}

Primitives::KeyRoutingCtrl* RecordTimerDialog::ControlAt(int32_t control) {
  Primitives::KeyRoutingCtrl* controls[ControlCount] = {&dateButton,  &timeButton,    &activeBox,      &typeButton,
                                                        &inputButton, &channelButton, &durationButton, &doneButton};
  return control >= 0 && control < ControlCount ? controls[control] : nullptr;
}

void RecordTimerDialog::Refresh(XObject* sender) {
  NonMenuSystem::QORWidgetClass::Refresh(sender);
  const int32_t w = VgGetRectW(Bounds);
  const int32_t top = separator.Point1.y + 14;
  const int32_t left = ContentLeft() + 20;
  const int32_t x = ContentRight() - 20 - kButtonWidth;
  for (int32_t i = 0; i < ControlCount; ++i) {
    const int32_t y = top + i * kRowPitch;
    Primitives::KeyRoutingCtrl* control = ControlAt(i);
    const VgPoint size = VgGetRectSize(control->Bounds);
    if (!kControls[i].label) {
      control->OnSetBounds({(w - size.x) / 2, y, (w + size.x) / 2, y + size.y});
      continue;
    }
    labels[i].OnSetBounds({left, y, x - 8, y + size.y});
    control->OnSetBounds({x, y, x + size.x, y + size.y});
  }
  const int32_t y = top + ControlCount * kRowPitch;
  helpIcon.OnSetBounds({left, y, left + 27, y + 27});
  help.OnSetBounds({left + 36, y, ContentRight() - 20, VgGetRectH(Bounds) - FrameWidth});
}

void RecordTimerDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  NonMenuSystem::QORWidgetClass::Initialize(parameter);
  RecordSourceType = ParamValue;
  ::WidgetManager::WidgetManager* manager = MainApp::GetWidgetManager();
  for (int32_t id : {WinIDs::WIN_ID_FullEPGDialog, WinIDs::WIN_ID_RecordedShowsDialog, WinIDs::WIN_ID_ScheduledRecordDialog})
    if (manager->FindForm(id)) {
      frame.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::MediaQuickMenuBg));
      FrameEdge = SolidFrameEdge;
    }
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  SourceAtOpen = model->GetCurrentSource(0);
  // A timer fresh from the set records from no source: the Input row names
  // the first tuner, and the timer holds it. Its repetition waits for the
  // opener, which tells a new timer from a stored one.
  ShowStoredValue(&typeButton);
  if (model->OnGetTimerSource() < 0) model->OnSetTimerSource(0);
  LoadOptionItem(&inputButton);
  LoadOptionItem(&channelButton);
  if (ParamFlag) {
    IsUpdate = false;
    IsShortcut = false;
    ApplySourceType();
  }
}

bool RecordTimerDialog::LoadOptionItem(Network::OptionButton* button) {
  if (!button || button->OptionType == 0) return false;
  OptionDatabase::OptionBinding option(MainApp::GetOptionDB(), int32_t(button->OptionType), "Record::RecordTimerDialog");
  if (!option) return false;
  option.Read();
  VgString text = option.ChoiceText();
  if (text) button->OnSetText(text);
  return text != nullptr;
}

namespace {

// The choice that the timer's value names, or -1 for none.
int32_t StoredChoice(OptionDatabase::OptionBinding& option) {
  // A value that no choice converts to leaves the choice it had: start from none.
  option.Record()->Id = -1;
  const int32_t choice = option.Read();
  return choice >= 0 && choice < option.Count() ? choice : -1;
}

// The text of a value that names none of its option's choices.
VgString UnlistedValueText(uint32_t optionType, int32_t value) {
  switch (int32_t(optionType)) {
    case SkinBin::OPTION_TYPE_TIMER_START_EARLY:
      return ListForm::RecordTexts::AnyMargin(value, '-');
    case SkinBin::OPTION_TYPE_TIMER_END_DELAY:
      return ListForm::RecordTexts::AnyMargin(value, '+');
    default:
      // No repetition, as the schedules show it: nothing.
      return VgNewStringAnsi("");
  }
}

}  // namespace

void RecordTimerDialog::HoldShownChoice(Network::OptionButton* button) {
  if (!button || button->OptionType == 0) return;
  OptionDatabase::OptionBinding option(MainApp::GetOptionDB(), int32_t(button->OptionType), "Record::RecordTimerDialog");
  if (!option) return;
  if (option.Count() > 0 && StoredChoice(option) < 0) option.Write(0);
  LoadOptionItem(button);
}

void RecordTimerDialog::ShowStoredValue(Network::OptionButton* button) {
  if (!button || button->OptionType == 0) return;
  OptionDatabase::OptionBinding option(MainApp::GetOptionDB(), int32_t(button->OptionType), "Record::RecordTimerDialog");
  if (!option) return;
  if (StoredChoice(option) >= 0) {
    if (VgString text = option.ChoiceText()) button->OnSetText(text);
    return;
  }
  button->OnSetText(UnlistedValueText(button->OptionType, option.Record()->Value));
}

void RecordTimerDialog::EditTimer(const ListForm::TimerEdit& edit) {
  OnSetIsUpdate(edit.isUpdate);
  // The list that asked stays open below: leaving goes back to it, not to a
  // menu page.
  IsShortcut = false;
  // A copy: the dialog changes its start as the viewer edits it.
  StartTime = edit.start ? edit.start->AddTicks(0) : nullptr;
  Duration = edit.durationSeconds;
  ApplySourceType();
}

void RecordTimerDialog::ApplySourceType() {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  // A new timer holds the repetition its row shows (a timer fresh from the
  // set repeats in no way); a stored one keeps its own.
  if (IsUpdate)
    ShowStoredValue(&typeButton);
  else
    HoldShownChoice(&typeButton);
  RefreshGrayout();
  model->OnSetTimerSourceType(Constants::XPM_RECORD_SOURCE_TYPE_TIMER);
  const bool fromGuideOrNow = RecordSourceType == Constants::XPM_RECORD_SOURCE_TYPE_GUIDE ||
                              RecordSourceType == Constants::XPM_RECORD_SOURCE_TYPE_START;
  if (IsUpdate) {
    if (fromGuideOrNow) {
      StartTime = model->OnGetTimerStartTime();
      Duration = model->OnGetTimerDuration();
    } else {
      for (Primitives::KeyRoutingCtrl* control : {ControlAt(InputRow), ControlAt(ChannelRow), ControlAt(DurationRow)})
        SetButtonEnable(static_cast<Button::ButtonClass*>(control), true);
      if (!StartTime) StartTime = model->OnGetTimerStartTime();
      WriteStart();
      model->OnSetTimerDuration(Duration);
    }
    activeBox.OnSetIsChecked(model->OnGetEnableTimer() != 0);
  } else {
    if (fromGuideOrNow) {
      if (!StartTime) StartTime = model->GetCurrentTime(0);
      if (Duration < kShortestGuideTimer) Duration = kShortestGuideTimer;
    } else {
      for (Primitives::KeyRoutingCtrl* control : {ControlAt(InputRow), ControlAt(ChannelRow), ControlAt(DurationRow)})
        SetButtonEnable(static_cast<Button::ButtonClass*>(control), true);
      StartTime = model->GetCurrentTime(0);
      Duration = kNewTimerSeconds;
    }
    WriteStart();
    model->OnSetTimerDuration(Duration);
    activeBox.OnSetIsChecked(true);
    SetTimerActive();
  }
  ShowStart();
  WriteDaySet(model, StartTime);
  model->OnSetTimerStartEarly(model->GetDefaultStartEarly());
  model->OnSetTimerEndDelay(model->GetDefaultEndDelay());
  OldTimer = VgNew<Structures::TimerData>();
  model->CopyTimerData(OldTimer, model->HeldTimer);
  // The date of a timer that repeats is not chosen: the time comes first.
  if (Focus.get() == &dateButton && !dateButton.Enabled) OnSetFocus(&timeButton);
}

void RecordTimerDialog::WriteStart() { MainApp::GetWrapper()->OnSetTimerStartTime(StartTime); }

void RecordTimerDialog::ShowStart() {
  dateButton.OnSetText(DateText(StartTime));
  timeButton.OnSetText(TimeText(StartTime ? StartTime->Hour : 0, StartTime ? StartTime->Minute : 0));
  durationButton.OnSetText(DurationText(Duration));
}

void RecordTimerDialog::SetButtonEnable(Button::ButtonClass* button, bool enabled) {
  if (!button || button->Enabled == enabled) return;
  button->OnSetIsDisabled(!enabled);
  button->OnSetEnabled(enabled);
}

void RecordTimerDialog::RefreshGrayout() {
  const GrayoutRow& row = GrayoutFor(RecordSourceType, MainApp::GetWrapper()->OnGetTimerTimesType());
  auto apply = [](Grey grey, std::initializer_list<Primitives::KeyRoutingCtrl*> controls) {
    if (grey == Grey::Keep) return;
    for (Primitives::KeyRoutingCtrl* control : controls)
      SetButtonEnable(static_cast<Button::ButtonClass*>(control), grey == Grey::On);
  };
  apply(row.date, {&dateButton});
  apply(row.timeInputChannel, {&timeButton, &inputButton, &channelButton});
  apply(row.duration, {&durationButton});
}

void RecordTimerDialog::OnSetIsUpdate(bool value) {
  IsUpdate = value;
  doneButton.OnSetText(VgGetVariantOfString(value ? &Strings::SID_UPDATE : &Strings::SID_DONE));
}

void RecordTimerDialog::DoActivate(XObject* sender) {
  int32_t control = 0;
  while (control < ControlCount && sender != ControlAt(control)) ++control;
  if (control == ControlCount || !kControls[control].opens) return;
  ResetTimeout();
  if (!NonMenuSystem) return;
  const ControlRow& row = kControls[control];
  Primitives::KeyRoutingForm* popup =
      SubSystem::Open(NonMenuSystem, row.opens, {.value = int32_t(row.option), .origin = OriginTag(), .asker = this});
  if (auto* options = vg_cast<NonMenuSystem::OptionDialog>(popup)) {
    options->OnSetOnValueChanged(VgSlotOf<&RecordTimerDialog::DoValueChange>(this));
    return;
  }
  if (!StartTime) StartTime = MainApp::GetWrapper()->GetCurrentTime(0);
  // The values first, the owner last: setting them calls nobody.
  if (auto* date = vg_cast<NonMenuSystem::DateSettingDialog>(popup)) {
    date->OnSetMonthVal(StartTime->Month);
    date->OnSetDateVal(StartTime->Day);
    date->OnSetYearVal(StartTime->Year + 1900);
    date->OnSetOwner(this);
  } else if (auto* time = vg_cast<NonMenuSystem::TimeSettingDialog>(popup)) {
    const int32_t hour = StartTime->Hour;
    time->OnSetHourVal(hour % 12 == 0 ? 12 : hour % 12);
    time->OnSetMinVal(StartTime->Minute);
    time->OnSetAMPMVal(hour < 12 ? NonMenuSystem::TimeSettingDialog::AM : NonMenuSystem::TimeSettingDialog::PM);
    time->OnSetOwner(this);
  } else if (auto* duration = vg_cast<TimerDurationDialog>(popup)) {
    duration->OnSetOwner(this);
    duration->OnSetHourVal(Duration / 3600);
    duration->OnSetMinVal(Duration / 60 % 60);
  }
}

void RecordTimerDialog::DoValueChange(XObject* sender) {
  if (auto* options = vg_cast<NonMenuSystem::OptionDialog>(sender)) OptionChanged(uint32_t(options->OptionType));
}

void RecordTimerDialog::OptionChanged(uint32_t optionType) {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  switch (int32_t(optionType)) {
    case SkinBin::OPTION_TYPE_TIMER_TIMES_TYPE:
      LoadOptionItem(&typeButton);
      RefreshGrayout();
      break;
    case SkinBin::OPTION_TYPE_ONTIMER_INPUT:
      LoadOptionItem(&inputButton);
      model->SetSourceRecord(model->OnGetTimerSource());
      sourceChanged_ = true;
      ApplyCurrentChannel();
      LoadOptionItem(&channelButton);
      break;
    case SkinBin::OPTION_TYPE_ONTIMER_CHANNEL:
      LoadOptionItem(&channelButton);
      break;
    default:
      break;
  }
}

void RecordTimerDialog::ApplyCurrentChannel() {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  Structures::VirtualChannel* channel = model->GetTempCurrentChannel(model->OnGetTimerSource() > 0, model->OnGetTimerMapId());
  model->OnSetTimerChannel(SkinBin::Wrapper::UniteChannelNum(channel->Major, channel->Minor));
}

void RecordTimerDialog::UpdateDateSettings(int32_t month, int32_t day, int32_t year) {
  if (!StartTime) StartTime = VgNew<Structures::LocalTime>();
  StartTime->Day = day;
  StartTime->Month = month;
  StartTime->Year = year - 1900;
  dateButton.OnSetText(DateText(StartTime));
  WriteStart();
}

void RecordTimerDialog::UpdateTimeSettings(int32_t hour, int32_t minute, VgString ampm) {
  if (!StartTime) StartTime = VgNew<Structures::LocalTime>();
  // The pop-up names the half of the day in a word of no language.
  const bool pm = ampm && VgCompString(ampm, VgNewStringAnsi("PM")) == 0;
  timeButton.OnSetText(VgConcatString(TwoDigitTime(hour, minute), ampm));
  StartTime->Minute = minute;
  if (hour == 12)
    StartTime->Hour = pm ? 12 : 0;
  else
    StartTime->Hour = pm ? hour + 12 : hour;
  WriteStart();
}

void RecordTimerDialog::UpdateDurationSettings(int32_t hours, int32_t minutes) {
  durationButton.OnSetText(TwoDigitTime(hours, minutes));
  Duration = (hours * 60 + minutes) * 60;
  MainApp::GetWrapper()->OnSetTimerDuration(Duration);
}

void RecordTimerDialog::SetTimerActive(XObject*) {
  MainApp::GetWrapper()->OnSetEnableTimer(activeBox.IsChecked ? 1 : 0);
  ResetTimeout();
}

VgString RecordTimerDialog::Summary() {
  const int32_t hour = StartTime ? StartTime->Hour : 0;
  const int32_t minute = StartTime ? StartTime->Minute : 0;
  VgString text = VgGetVariantOfString(&Strings::SID_TIMER_NEW_SCHEDULE);
  text = VgConcatString(text, RepetitionText(MainApp::GetWrapper()->OnGetTimerTimesType(), StartTime, dateButton.Text));
  text = VgConcatString(text, VgGetVariantOfString(&Strings::SID_TIMER_AT));
  text = VgConcatString(text, RangeText(hour, minute, Duration));
  text = VgConcatString(text, VgNewStringAnsi("\n"));
  return VgConcatString(text, doneButton.HelpString);
}

void RecordTimerDialog::DoFocus(XObject* sender) {
  if (sender == &doneButton)
    help.OnSetString(Summary());
  else if (sender == &activeBox)
    help.OnSetString(activeBox.HelpString);
  else if (auto* button = vg_cast<SkinBin::Button>(sender))
    help.OnSetString(button->HelpString);
}

void RecordTimerDialog::DoneSlot(XObject*) {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  WriteDaySet(model, StartTime);
  if (model->HeldTimer) {
    int32_t major = 0;
    int32_t minor = 0;
    SkinBin::Wrapper::SplitChannelNum(model->OnGetTimerChannel(), &major, &minor);
    if (major < 1) {
      if (NonMenuSystem) NonMenuSystem->ShowMessage(NonMenuSystem::DirectMsgTypeInvalidTimerChannel);
      return;
    }
  }
  const SaveResult result = SaveTimer(
      {.messages = NonMenuSystem, .recordSourceType = RecordSourceType, .isUpdate = IsUpdate, .oldTimer = OldTimer});
  if (result.outcome == SaveOutcome::Conflict) {
    Structures::EventInfo* programme = model->DB_GetCurrentProgramInfo();
    OpenConflictDialog(NonMenuSystem, {.recordSourceType = RecordSourceType,
                                       .isUpdate = IsUpdate,
                                       .start = StartTime,
                                       .duration = Duration,
                                       .owner = this,
                                       .oldTimer = OldTimer,
                                       .caption = programme ? VgString(programme->Title) : nullptr});
    return;
  }
  if (result.outcome != SaveOutcome::Saved) return;
  if (RecordSourceType == Constants::XPM_RECORD_SOURCE_TYPE_TIMER && model->OnGetEnableTimer()) StartIfDue();
  if (IsShortcut)
    EnterPrevState();
  else
    Close();
}

void RecordTimerDialog::StartIfDue() {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  Structures::LocalTime* now = model->GetCurrentTime(0);
  const DueCheck check{.now = MinuteOfDay(now),
                       .weekDay = WeekDayOf(now),
                       .start = MinuteOfDay(model->OnGetTimerStartTime()),
                       .seconds = model->OnGetTimerDuration() + model->OnGetTimerEndDelay(),
                       .startEarly = model->OnGetTimerStartEarly(),
                       .days = model->OnGetTimerDaysOfWeek()};
  if (DueNow(check)) StartRecord(model);
}

int32_t RecordTimerDialog::GetPrevStateType() const { return PrevState == &RecordOptionsDialog::Class ? 1 : 0; }

void RecordTimerDialog::EnterPrevState() {
  if (IsShortcut) {
    NonMenuSystem::QORWidgetClass::EnterPrevState();
    return;
  }
  Close();
  if (!PrevState || PrevState == &Channels::FullEPGDialog::Class || !NonMenuSystem) return;
  NonMenuSystem->OpenState(PrevState, MakeOriginParam(GetPrevStateType()));
}

void RecordTimerDialog::Close(XObject* sender) {
  if (sourceChanged_) {
    sourceChanged_ = false;
    MainApp::GetWrapper()->SetSourceRecord(SourceAtOpen);
  }
  NonMenuSystem::QORWidgetClass::Close(sender);
}

bool RecordTimerDialog::FollowsTheWorld(Core::Event* event) const { return IsUpdate && IsRecordingNews(event); }

XObject* RecordTimerDialog::HandleEvent(Core::Event* event) {
  if (IsUpdate && IsRecordingNews(event) && HeldTimerRecords()) {
    LeaveTheRecordingTimer(this);
    // The news goes on to the schedules under it.
    return nullptr;
  }
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down) return NonMenuSystem::QORWidgetClass::HandleEvent(event);
  auto* focused = vg_cast<Forms::Ctrl>(Focus.get());
  Forms::Ctrl* next = nullptr;
  switch (key->keyCode) {
    case Key::ClearAll:
    case Key::Green:
    case Key::Back:
    case Key::Exit:
      return NonMenuSystem::QORWidgetClass::HandleEvent(event);
    case Key::Blue:
      if (!PrevState && !IsUpdate) {
        ClearAll();
        return this;
      }
      break;
    case Key::Up:
    case Key::Down: {
      // The controls stand in one column: the nearest enabled one that way.
      const int32_t step = key->keyCode == Key::Down ? 1 : -1;
      int32_t at = 0;
      while (at < ControlCount && ControlAt(at) != focused) ++at;
      for (int32_t i = at + step; at < ControlCount && i >= 0 && i < ControlCount && !next; i += step)
        if (ControlAt(i)->Enabled) next = ControlAt(i);
      break;
    }
    case Key::Left:
      if (focused == &timeButton && dateButton.Enabled)
        next = &dateButton;
      else if (focused)
        next = GetLeftCtrl(focused);
      break;
    case Key::Right:
      if (focused == &channelButton && !dateButton.Enabled)
        next = &timeButton;
      else if (focused)
        next = GetRightCtrl(focused);
      break;
    default:
      break;
  }
  if (next) OnSetFocus(next);
  ResetTimeout();
  return this;
}

}  // namespace Record
