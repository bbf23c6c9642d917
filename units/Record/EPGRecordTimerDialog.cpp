#include "Record/EPGRecordTimerDialog.h"

#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Core/KeyEvent.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/ConfirmTypes.h"
#include "NonMenuSystem/Look.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "NonMenuSystem/OptionDialog.h"
#include "Record/ConflictTimerDialog.h"
#include "Record/RecordTimerDialog.h"
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
#include "vgslot.h"

VG_DEFINE_CLASS(Record, EPGRecordTimerDialog, NonMenuSystem::QORWidgetClass)

namespace Record {

namespace {

using Dialog = EPGRecordTimerDialog;

constexpr int32_t kTop = 60;
constexpr int32_t kRowPitch = 35;
constexpr int32_t kRowHeight = 27;
// The option buttons are taller: the focus ring at their foot keeps clear of
// the tails of "Everyday".
constexpr int32_t kOptionHeight = SkinBin::Button::FocusedTextHeight;
constexpr int32_t kOptionWidth = 180;
constexpr int32_t kHelpHeight = 64;
constexpr int32_t kLeft = 20;
constexpr int32_t kCaptionTop = 6;
// The length timed when no programme is known to be on the air.
constexpr int32_t kProgrammeOnAirSeconds = 3600;

// The controls: label (none for the buttons), help text, the option a row
// edits and what it shows until the option is read.
struct ControlRow {
  const VgConstant* label;
  const VgConstant* help;
  int32_t option;
  const char* sample;
};
constexpr ControlRow kControls[Dialog::ControlCount] = {
    {&Strings::SID_TYPE, &Strings::SID_TIMER_HELP_TYPE, SkinBin::OPTION_TYPE_TIMER_TIMES_TYPE, "Everyday"},
    {&Strings::SID_TIMER_START_LABEL, &Strings::SID_TIMER_HELP_START_EARLY, SkinBin::OPTION_TYPE_TIMER_START_EARLY,
     "On Time"},
    {&Strings::SID_TIMER_END_LABEL, &Strings::SID_TIMER_HELP_END_DELAY, SkinBin::OPTION_TYPE_TIMER_END_DELAY, "On Time"},
    {&Strings::SID_ACTIVE, &Strings::SID_TIMER_HELP_ACTIVE, 0, nullptr},
    {nullptr, &Strings::SID_TIMER_HELP_SAVE, 0, nullptr},
    {nullptr, &Strings::SID_TIMER_HELP_DELETE, 0, nullptr},
};

// The type and active labels are the words of the rows with a colon.
VgString LabelText(const ControlRow& row) {
  VgString text = VgGetVariantOfString(row.label);
  if (row.label == &Strings::SID_TYPE || row.label == &Strings::SID_ACTIVE)
    text = VgConcatString(text, VgGetVariantOfString(&Strings::SID_LABEL_COLON));
  return text;
}

int32_t ButtonsTop() { return kTop + (Dialog::ActiveRow + 2) * kRowPitch + 6; }

}  // namespace

EPGRecordTimerDialog::EPGRecordTimerDialog(XObject* link) : NonMenuSystem::QORWidgetClass(link) {
  WinID = WinIDs::WIN_ID_EPGRecordTimerDialog;
  Layer = Layers::Dialog;
  IsShortcut = true;
  OnSetFrameWidth(0);
  OnSetOnTimeOut(VgSlotOf<&NonMenuSystem::WidgetClass::Exit>(this));
  OnSetCaption(VgGetVariantOfString(&Strings::SID_EPG_RECORD_SETTING));
  frame.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::MediaQuickMenuBg));
  FrameEdge = SolidFrameEdge;
  // A programme's title too long for the caption is cut with the ellipsis
  // by design.
  caption.OnSetEllipsis(true);
  caption.OnSetEllipsisMeant(true);
  Resources::Font* font = VgLoad<Resources::Font>(Fonts::MediumFont);
  for (int32_t i = 0; i < ControlCount; ++i) {
    const ControlRow& row = kControls[i];
    if (row.label) {
      labels[i].OnSetString(LabelText(row));
      labels[i].OnSetFont(font);
      labels[i].OnSetColor(NonMenuSystem::Look::Text);
      labels[i].OnSetAlignV(Views::Text::AlignMiddle);
      Add(&labels[i], 0);
    }
    Primitives::KeyRoutingCtrl* control = ControlAt(i);
    control->OnSetOnFocus(VgSlotOf<&EPGRecordTimerDialog::DoFocus>(this));
    if (auto* button = vg_cast<SkinBin::Button>(control)) {
      const bool option = i < ActiveRow;
      button->OnSetBounds({0, 0, option ? kOptionWidth : ButtonWidth, option ? kOptionHeight : kRowHeight});
      button->OnSetHelpString(VgGetVariantOfString(row.help));
      if (row.sample) button->OnSetText(VgNewStringAnsi(row.sample));
    }
    if (auto* option = vg_cast<Network::OptionButton>(control)) {
      option->OnSetOptionType(uint32_t(row.option));
      option->OnSetOnActivate(VgSlotOf<&EPGRecordTimerDialog::DoActivate>(this));
    }
    Add(control, 0);
  }
  activeBox.OnSetHelpString(VgGetVariantOfString(kControls[ActiveRow].help));
  activeBox.OnSetOnActivate(VgSlotOf<&EPGRecordTimerDialog::SetTimerActive>(this));
  doneButton.OnSetText(VgGetVariantOfString(&Strings::SID_DONE));
  doneButton.OnSetOnActivate(VgSlotOf<&EPGRecordTimerDialog::DoneSlot>(this));
  deleteButton.OnSetText(VgGetVariantOfString(&Strings::SID_DELETE));
  deleteButton.OnSetOnActivate(VgSlotOf<&EPGRecordTimerDialog::DeleteSlot>(this));
  rangeIcon.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::RecordTimerInfo));
  range.OnSetFont(font);
  range.OnSetColor(NonMenuSystem::Look::Text);
  range.OnSetAlignV(Views::Text::AlignMiddle);
  range.OnSetString(VgNewStringAnsi("09:30AM - 10:30AM"));
  help.OnSetFont(VgLoad<Resources::Font>(Fonts::SmallFont));
  help.OnSetColor(NonMenuSystem::Look::TextDim);
  Add(&rangeIcon, 0);
  Add(&range, 0);
  Add(&help, 0);
  OnSetcanDelete(false);
  OnSetBounds({0, kTop, Width, kTop + ButtonsTop() + kRowHeight + 12 + kHelpHeight});
  OnSetFocus(&typeButton);
}

Primitives::KeyRoutingCtrl* EPGRecordTimerDialog::ControlAt(int32_t control) {
  Primitives::KeyRoutingCtrl* controls[ControlCount] = {&typeButton, &startEarlyButton, &endDelayButton,
                                                        &activeBox,  &doneButton,       &deleteButton};
  return control >= 0 && control < ControlCount ? controls[control] : nullptr;
}

void EPGRecordTimerDialog::Refresh(XObject* sender) {
  NonMenuSystem::QORWidgetClass::Refresh(sender);
  const int32_t w = VgGetRectW(Bounds);
  // Without a frame the caption keeps a margin of its own.
  caption.OnSetBounds({kLeft, kCaptionTop, w - kLeft, kCaptionTop + CaptionHeight});
  separator.OnSetPoint1({kLeft, kCaptionTop + CaptionHeight + 2});
  separator.OnSetPoint2({w - kLeft, kCaptionTop + CaptionHeight + 2});
  const int32_t top = separator.Point1.y + 12;
  const int32_t x = w - kLeft - kOptionWidth;
  for (int32_t i = 0; i <= ActiveRow; ++i) {
    const int32_t y = top + i * kRowPitch;
    Primitives::KeyRoutingCtrl* control = ControlAt(i);
    const VgPoint size = VgGetRectSize(control->Bounds);
    labels[i].OnSetBounds({kLeft, y, x - 8, y + size.y});
    control->OnSetBounds({x, y, x + size.x, y + size.y});
  }
  const int32_t y = top + (ActiveRow + 1) * kRowPitch;
  rangeIcon.OnSetBounds({kLeft, y, kLeft + 27, y + 27});
  range.OnSetBounds({kLeft + 36, y, w - kLeft, y + kRowHeight});
  // The buttons: Done alone in the middle, or Done and Delete side by side.
  const int32_t buttons = ButtonsTop();
  const int32_t doneX = canDelete ? DoneBesideDeleteX : (w - ButtonWidth) / 2;
  doneButton.OnSetBounds({doneX, buttons, doneX + ButtonWidth, buttons + kRowHeight});
  deleteButton.OnSetBounds({DeleteX, buttons, DeleteX + ButtonWidth, buttons + kRowHeight});
  const int32_t helpTop = buttons + kRowHeight + 12;
  help.OnSetBounds({kLeft, helpTop, w - kLeft, helpTop + kHelpHeight});
}

void EPGRecordTimerDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  NonMenuSystem::QORWidgetClass::Initialize(parameter);
  RecordSourceType = ParamValue;
  if (ParamFlag) TimeProgrammeOnAir();
}

// An opener without a programme of its own (the record flag of the opening
// record) times the programme on the air as a new timer on a free id.
void EPGRecordTimerDialog::TimeProgrammeOnAir() {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  if (model->GetFirstAvailableTimerId() < 0) {
    if (NonMenuSystem) NonMenuSystem->ShowMessage(::NonMenuSystem::DirectMsgTypeInvalidTimerId);
    return;
  }
  Structures::EventInfo* programme = model->DB_GetCurrentProgramInfo();
  ListForm::TimerEdit edit{.durationSeconds = kProgrammeOnAirSeconds};
  if (programme) {
    edit.start = programme->StartTime;
    edit.durationSeconds = programme->Duration * 60;
    edit.caption = programme->Title;
  }
  if (ParamText) edit.caption = ParamText;
  EditTimer(edit);
}

void EPGRecordTimerDialog::EditTimer(const ListForm::TimerEdit& edit) {
  OnSetIsUpdate(edit.isUpdate);
  OnSetcanDelete(edit.canDelete);
  IsShortcut = false;
  StartTime = edit.start ? edit.start->AddTicks(0) : nullptr;
  Duration = edit.durationSeconds;
  if (edit.caption) OnSetCaption(edit.caption);
  ApplySourceType();
  // A list of several channels names the programme's own channel.
  if (const ListForm::TimerTarget* target = edit.target; target && !IsUpdate) {
    SkinBin::Wrapper* model = MainApp::GetWrapper();
    model->OnSetTimerSource(target->source);
    model->OnSetTimerChannel(target->channel);
    model->OnSetTimerMapId(target->mapId);
    model->CopyTimerData(OldTimer, model->HeldTimer);
  }
}

void EPGRecordTimerDialog::ApplySourceType() {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  model->OnSetTimerSourceType(Constants::XPM_RECORD_SOURCE_TYPE_GUIDE);
  if (IsUpdate) {
    StartTime = model->OnGetTimerStartTime();
    activeBox.OnSetIsChecked(model->OnGetEnableTimer() != 0);
  } else {
    activeBox.OnSetIsChecked(true);
    SetTimerActive();
    if (!StartTime) StartTime = model->GetCurrentTime(0);
    model->OnSetTimerStartTime(StartTime);
    model->OnSetTimerDuration(Duration);
    model->OnSetTimerSource(model->GetCurrentTunerId() != 0 ? ListForm::kSecondTunerTimerSource : 0);
    Structures::VirtualChannel* channel = model->GetCurrentChannel();
    model->OnSetTimerChannel(SkinBin::Wrapper::UniteChannelNum(channel->Major, channel->Minor));
    model->OnSetTimerMapId(model->OnGetAntCableIn());
    model->OnSetTimerStartEarly(model->GetDefaultStartEarly());
    model->OnSetTimerEndDelay(model->GetDefaultEndDelay());
  }
  range.OnSetString(RangeText(StartTime ? StartTime->Hour : 0, StartTime ? StartTime->Minute : 0, Duration));
  // The rows first: a repetition that the timer took from its row decides
  // the day set.
  ShowOptions();
  WriteDaySet(model, StartTime);
  OldTimer = VgNew<Structures::TimerData>();
  model->CopyTimerData(OldTimer, model->HeldTimer);
}

void EPGRecordTimerDialog::ShowOptions() {
  for (Network::OptionButton* button : {&typeButton, &startEarlyButton, &endDelayButton})
    if (IsUpdate)
      RecordTimerDialog::ShowStoredValue(button);
    else
      RecordTimerDialog::HoldShownChoice(button);
}

void EPGRecordTimerDialog::OnSetcanDelete(bool value) {
  canDelete = value;
  deleteButton.OnSetVisible(value);
  deleteButton.OnSetIsDisabled(!value);
  deleteButton.OnSetEnabled(value);
  if (!value && Focus.get() == &deleteButton) OnSetFocus(&doneButton);
  Refresh();
}

void EPGRecordTimerDialog::OnSetIsUpdate(bool value) {
  IsUpdate = value;
  doneButton.OnSetText(VgGetVariantOfString(value ? &Strings::SID_UPDATE : &Strings::SID_DONE));
}

void EPGRecordTimerDialog::DoFocus(XObject* sender) {
  if (sender == &activeBox)
    help.OnSetString(activeBox.HelpString);
  else if (auto* button = vg_cast<SkinBin::Button>(sender))
    help.OnSetString(button->HelpString);
}

void EPGRecordTimerDialog::DoActivate(XObject* sender) {
  auto* button = vg_cast<Network::OptionButton>(sender);
  ResetTimeout();
  if (!button || !NonMenuSystem) return;
  Primitives::KeyRoutingForm* popup =
      SubSystem::Open(NonMenuSystem, "NonMenuSystem::OptionDialog",
                      {.value = int32_t(button->OptionType), .origin = OriginTag(), .asker = this});
  if (auto* options = vg_cast<NonMenuSystem::OptionDialog>(popup))
    options->OnSetOnValueChanged(VgSlotOf<&EPGRecordTimerDialog::DoValueChange>(this));
}

void EPGRecordTimerDialog::DoValueChange(XObject*) {
  ShowOptions();
  ResetTimeout();
}

void EPGRecordTimerDialog::SetTimerActive(XObject*) {
  MainApp::GetWrapper()->OnSetEnableTimer(activeBox.IsChecked ? 1 : 0);
  ResetTimeout();
}

void EPGRecordTimerDialog::DoneSlot(XObject*) {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  WriteDaySet(model, StartTime);
  const SaveResult result = SaveTimer(
      {.messages = NonMenuSystem, .recordSourceType = RecordSourceType, .isUpdate = IsUpdate, .oldTimer = OldTimer});
  if (result.outcome == SaveOutcome::Conflict) {
    OpenConflictDialog(NonMenuSystem, {.recordSourceType = RecordSourceType,
                                       .isUpdate = IsUpdate,
                                       .start = StartTime,
                                       .duration = Duration,
                                       .owner = this,
                                       .oldTimer = OldTimer,
                                       .caption = OnGetCaption()});
    return;
  }
  if (result.outcome == SaveOutcome::Saved) Close();
}

void EPGRecordTimerDialog::DeleteSlot(XObject*) {
  ::NonMenuSystem::NonMenuSystem* system = NonMenuSystem;
  // The question answers the list that asked for this dialog (the list hears
  // the deletion), so it goes with that list; closing forgets the asker.
  VgPtr<Primitives::KeyRoutingForm> asker = OnGetAsker();
  Close();
  if (system)
    system->ShowConfirmDialog(::NonMenuSystem::ConfirmTypeDeleteEPGRecord, Constants::MSG_FROM_NONMENUSYSTEM,
                              asker.get());
}

void EPGRecordTimerDialog::EnterPrevState() {
  Close();
}

bool EPGRecordTimerDialog::FollowsTheWorld(Core::Event* event) const { return IsUpdate && IsRecordingNews(event); }

XObject* EPGRecordTimerDialog::HandleEvent(Core::Event* event) {
  if (IsUpdate && IsRecordingNews(event) && HeldTimerRecords()) {
    LeaveTheRecordingTimer(this);
    // The news goes on to the schedules under it.
    return nullptr;
  }
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down) return NonMenuSystem::QORWidgetClass::HandleEvent(event);
  auto* focused = vg_cast<Forms::Ctrl>(Focus.get());
  const bool onButtons = focused == &doneButton || focused == &deleteButton;
  Forms::Ctrl* next = nullptr;
  switch (key->keyCode) {
    case Key::ClearAll:
    case Key::Back:
    case Key::Exit:
      return NonMenuSystem::QORWidgetClass::HandleEvent(event);
    case Key::Up:
      next = onButtons ? &endDelayButton : (focused ? GetUpperCtrl(focused) : nullptr);
      break;
    case Key::Down:
      next = focused ? GetLowerCtrl(focused) : nullptr;
      break;
    case Key::Left:
      next = focused == &deleteButton ? &doneButton : (focused ? GetLeftCtrl(focused) : nullptr);
      break;
    case Key::Right:
      // The hidden Delete button takes no focus.
      if (focused == &doneButton)
        next = canDelete ? &deleteButton : nullptr;
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
