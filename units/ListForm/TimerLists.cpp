#include "ListForm/TimerLists.h"

#include <algorithm>

#include "Bitmaps.h"
#include "Colors/Colors.h"
#include "Constants/Constants.h"
#include "Core/Keys.h"
#include "ListForm/ListModel.h"
#include "ListForm/RecordTexts.h"
#include "ListForm/RowColumns.h"
#include "ListForm/TimerHooks.h"
#include "NonMenuSystem/DirectMessages.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Resources/Bitmap.h"
#include "Structures/Message.h"
#include "Structures/TimerData.h"
#include "vgdebug.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(ListForm, ScheduledRecordListItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, ScheduledRecordList, ListForm::ListClass)
VG_DEFINE_CLASS(ListForm, ConflictTimerListItem, ListForm::ListItem)
VG_DEFINE_CLASS(ListForm, ConflictTimerList, ListForm::ListClass)

namespace ListForm {

namespace {

namespace Texts = RecordTexts;

constexpr ListDef kScheduledRecordList{
    .bounds = {0, 0, 890, 209},
    .maxRows = 7,
    .rowClass = &ScheduledRecordListItem::Class,
    .pageUpKey = Key::PageUp,
    .pageDownKey = Key::PageDown,
    .indicators = Indicators::BottomRight,
    .prevBitmap = &Bitmaps::EPG_ListScrollUp,
    .nextBitmap = &Bitmaps::EPG_ListScrollDown,
};

// Its indicators are there for the screen to give pictures to.
constexpr ListDef kConflictTimerList{
    .bounds = {0, 0, 780, 101},
    .maxRows = 3,
    .rowClass = &ConflictTimerListItem::Class,
    .pageUpKey = Key::PageUp,
    .pageDownKey = Key::PageDown,
    .indicators = Indicators::BottomRight,
};

SkinBin::DB_ScheduledInfo* ScheduleModel() {
  return ListModel<&SkinBin::Wrapper::OnGetScheduledRecordList, &SkinBin::Wrapper::OnSetScheduledRecordList>();
}

SkinBin::ConflictTimerInfo* ConflictModel() {
  return ListModel<&SkinBin::Wrapper::OnGetConflictTimerList, &SkinBin::Wrapper::OnSetConflictTimerList>();
}

// The timer is read by its id: reading a row must not change the timer the
// viewer edits.
XObject* ReadScheduledRecord(ListDataSource*, int32_t index) {
  auto* courier = VgNew<ScheduledRecordListCourier>();
  courier->Index = index;
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  SkinBin::DB_ScheduledInfo* schedule = model->OnGetScheduledRecordList();
  if (!schedule || schedule->GetNumEvents() < 1) {
    SayNoInformation(courier, courier->Description);
    return courier;
  }
  SkinBin::ScheduledRecordData* show = schedule->GetEvent(index);
  if (!show) return courier;
  courier->TimerId = show->TimerId;
  courier->Key = VgNewStringInt(show->TimerId, 0);
  courier->EventStartTime = show->StartTime;
  courier->InfoValue = show->Value;
  courier->Text = show->ChannelName;
  courier->Title = show->Title;
  courier->Description = show->Description;
  courier->InfoFlag = show->CaptionFlag > 0;
  courier->Rating = show->Rating;
  courier->Status = show->State;
  courier->RecordStartTime = show->RecordTime;
  if (Structures::TimerData* timer = model->GetStoredTimer(show->TimerId)) TakeTimer(*courier, *courier, *timer);
  return courier;
}

XObject* ReadConflictTimer(ListDataSource*, int32_t index) {
  auto* courier = VgNew<ScheduledRecordListCourier>();
  courier->Index = index;
  SkinBin::ConflictTimerInfo* conflicts = MainApp::GetWrapper()->OnGetConflictTimerList();
  if (!conflicts || conflicts->GetNumEvents() < 1 || index >= SkinBin::ConflictTimerInfo::kCapacity) return courier;
  SkinBin::ConflictTimerData* entry = conflicts->Events[size_t(index)];
  if (!entry) return courier;
  courier->TimerId = entry->TimerId;
  courier->Key = VgNewStringInt(entry->TimerId, 0);
  courier->Title = entry->Title;
  if (Structures::TimerData* timer = entry->Timer) {
    courier->RecordStartTime = timer->StartTime;
    TakeTimer(*courier, *courier, *timer);
  }
  return courier;
}

}  // namespace

LISTFORM_REGISTER_READER(ScheduledRecordList, ReadScheduledRecord)
LISTFORM_REGISTER_READER(ConflictTimerList, ReadConflictTimer)

// --------------------------------------------------------- the schedule row

ScheduledRecordListItem::ScheduledRecordListItem(XObject* link) : TimerRow(link, 890, DateForm::WeekdayMonthDay) {
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::MediaListButtonFocus);
  StyleColumnText(validText, "Valid");
  validText.OnSetVisible(false);
  stateIcon.OnSetAlignV(1);
  Texts::ShowIcon(stateIcon, &Bitmaps::RecordStatusInRecording);
  Add(&validText, 0);
  Add(&stateIcon, 0);
}

void ScheduledRecordListItem::ShowStatus() { Texts::ShowIcon(stateIcon, Texts::ScheduleStateIcon(Status)); }

void ScheduledRecordListItem::UpdateSettings() {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  Structures::TimerData* timer = model->GetStoredTimer(TimerId);
  if (!timer) return;
  TakeTimer(*this, *this, *timer);
  RecordStartTime = timer->StartTime;
  if (SkinBin::DB_ScheduledInfo* schedule = model->OnGetScheduledRecordList())
    if (SkinBin::ScheduledRecordData* show = schedule->GetEvent(Index)) show->RecordTime = timer->StartTime;
  SetTimerActive(TimerFields::Active);
  OnSetTimesType(TimesType);
  ShowRecord();
}

void ScheduledRecordListItem::Refresh(XObject* sender) {
  TimerRow::Refresh(sender);
  LayOutColumns(this, {{&tunerIcon, Places[0]},
                       {&channelText, Places[1]},
                       {&caption, Places[2]},
                       {&dateText, Places[3]},
                       {&timeText, Places[4]},
                       {&lengthText, Places[5]},
                       {&validText, Places[6]},
                       {&repetitionIcon, Places[7]},
                       {&stateIcon, Places[8]},
                       {&checkBox, Places[9]}});
  FollowRowLook(this, {&dateText, &timeText, &channelText, &lengthText, &validText});
}

// ------------------------------------------------------- the schedule list

ScheduledRecordList::ScheduledRecordList(XObject* link) : ListClass(kScheduledRecordList, link) {
  OnActivateOption = VgSlotOf<&ScheduledRecordList::UpdateRecordInfo>(this);
  OnFocusOption = VgSlotOf<&ScheduledRecordList::DoFocus>(this);
}

void ScheduledRecordList::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ScheduleModel()->GetEventInfoByCount(MaxTimers);
  ListClass::Initialize(parameter);
}

int32_t ScheduledRecordList::GetItemsNum() { return ScheduleModel()->GetNumEvents(); }

void ScheduledRecordList::forceReload(XObject* sender) {
  ListClass::forceReload(sender);
  DoFocus(this);
}

// A timer saved or deleted changes the number of timers too.
void ScheduledRecordList::ReloadSchedule() {
  SkinBin::DB_ScheduledInfo* schedule = MainApp::GetWrapper()->OnGetScheduledRecordList();
  if (!schedule) return;
  schedule->GetEventInfoByCount(MaxTimers);
  const int32_t count = std::max(schedule->GetNumEvents(), 0);
  OnSetItemNum(std::min(count, MaxItemNum));
  if (DataSource) {
    DataSource->Num = count;
    DataSource->MoveCursor(0, MoveBy);
  }
  Reload();
  if (count < 1) {
    // The last timer went: the screen's panel tells of none.
    FocusStartTime = nullptr;
    FocusTitle = VgStr();
    VgIdleSignal(OnProgramChanged);
  }
}

void ScheduledRecordList::ReloadKeepingFocus() {
  ReadAgain([this] { ReloadSchedule(); });
}

void ScheduledRecordList::HandleMessage(Structures::Message* message) {
  ListClass::HandleMessage(message);
  if (!message) return;
  if (message->Code == Constants::MSG_UPDATE_RECORD_TYPE) {
    if (auto* row = vg_cast<ScheduledRecordListItem>(Focus.get())) row->UpdateSettings();
    ReloadKeepingFocus();
  } else if (message->Code == Constants::MSG_UPDATE_ALL_SCHEDULES) {
    ReloadKeepingFocus();
  }
}

void ScheduledRecordList::DoFocus(XObject*) {
  auto* row = vg_cast<ScheduledRecordListItem>(Focus.get());
  if (!row || GetItemsNum() < 1) return;
  FocusIndex = row->Index;
  FocusStartTime = row->RecordStartTime;
  FocusTitle = row->Title;
  FocusDescription = row->Description;
  FocusDuration = row->RecordDuration;
  FocusRating = row->Rating;
  FocusInfoFlag = row->InfoFlag;
  FocusSourceType = row->SourceType;
  FocusTimesType = row->TimesType;
  FocusStartEarly = row->StartEarly;
  FocusEndDelay = row->EndDelay;
  FocusActive = row->TimerActive();
  VgIdleSignal(OnProgramChanged);
}

void ScheduledRecordList::UpdateRecordInfo(XObject*) {
  NonMenuSystem::NonMenuSystem* system = OwnerSystem(this, kScheduledRecordDialog, 1);
  if (!system) return;
  auto* row = vg_cast<ScheduledRecordListItem>(Focus.get());
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  if (!row || !model->IsTunerSource()) {
    system->ShowMessage(NonMenuSystem::DirectMsgTypeDisableTimerSetting);
    return;
  }
  if (IsRecordingNow(row->TimerId)) {
    system->ShowMessage(NonMenuSystem::DirectMsgTypeActiveTimerId);
    return;
  }
  model->OnSetActiveTimerId(row->TimerId);
  const bool fromGuide = row->SourceType == Constants::XPM_RECORD_SOURCE_TYPE_GUIDE;
  if (!fromGuide && row->SourceType != Constants::XPM_RECORD_SOURCE_TYPE_TIMER) {
    VgPrint("ListForm::ScheduledRecordList: timer %d of source type %d has no timer dialog\n", row->TimerId,
            row->SourceType);
    return;
  }
  const TimerEdit edit{.isUpdate = true,
                       .start = row->RecordStartTime,
                       .durationSeconds = row->RecordDuration,
                       .caption = fromGuide ? FocusTitle.get() : nullptr};
  // The schedules screen is the asker: the list inside it does not count as
  // closed when the screen closes.
  OpenTimerDialog(system, fromGuide ? kEPGRecordTimerDialog : kRecordTimerDialog, row->SourceType, edit,
                  OwnerNamed(this, kScheduledRecordDialog, 1));
}

// --------------------------------------------------------- the conflict row

ConflictTimerListItem::ConflictTimerListItem(XObject* link) : TimerRow(link, 780, DateForm::None) {
  Nonfocused_TextColor = Colors::StandardTextColor;
  StyleColumnText(startEarlyText, "10 mins -");
  StyleColumnText(endDelayText, "60 mins +");
  Add(&startEarlyText, 0);
  Add(&endDelayText, 0);
}

void ConflictTimerListItem::TakeOwnFields(XObject* data) {
  TimerRow::TakeOwnFields(data);
  OnSetStartEarly(StartEarly);
  OnSetEndDelay(EndDelay);
}

XObject* ConflictTimerListItem::GetData(XObject* data) {
  auto* courier = static_cast<ScheduledRecordListCourier*>(TimerRow::GetData(data));
  courier->TimerId = 0;
  courier->Title = nullptr;
  return courier;
}

void ConflictTimerListItem::OnSetStartEarly(int32_t seconds) {
  StartEarly = seconds;
  startEarlyText.OnSetString(Texts::StartEarly(seconds));
}

void ConflictTimerListItem::OnSetEndDelay(int32_t seconds) {
  EndDelay = seconds;
  endDelayText.OnSetString(Texts::EndDelay(seconds));
}

void ConflictTimerListItem::Refresh(XObject* sender) {
  TimerRow::Refresh(sender);
  LayOutColumns(this, {{&tunerIcon, Places[0]},
                       {&channelText, Places[1]},
                       {&caption, Places[2]},
                       {&timeText, Places[3]},
                       {&lengthText, Places[4]},
                       {&startEarlyText, Places[5]},
                       {&endDelayText, Places[6]},
                       {&repetitionIcon, Places[7]},
                       {&checkBox, Places[8]}});
  FollowRowLook(this, {&timeText, &channelText, &lengthText, &startEarlyText, &endDelayText});
}

// ------------------------------------------------------- the conflict list

ConflictTimerList::ConflictTimerList(XObject* link) : ListClass(kConflictTimerList, link) {}

void ConflictTimerList::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ConflictModel()->GetEventInfoByCount();
  ListClass::Initialize(parameter);
}

int32_t ConflictTimerList::GetItemsNum() { return ConflictModel()->GetNumEvents(); }

}  // namespace ListForm
