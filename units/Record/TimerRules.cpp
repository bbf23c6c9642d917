#include "Record/TimerRules.h"

#include <cstdio>
#include <initializer_list>

#include "AppServices/MessageAgent.h"
#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "Channels/FullEPGDialog.h"
#include "Events/Events.h"
#include "ListForm/TimerHooks.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Strings.h"
#include "Structures/Channels.h"
#include "Structures/Devices.h"
#include "Structures/LocalTime.h"
#include "Structures/Message.h"
#include "Structures/TimerData.h"
#include "WinIDs/WinIDs.h"
#include "vgdebug.h"

namespace Record {

namespace {

constexpr const VgConstant* kMonths[] = {&Strings::Jan, &Strings::Feb, &Strings::Mar, &Strings::Apr,
                                         &Strings::May, &Strings::Jun, &Strings::Jul, &Strings::Aug,
                                         &Strings::Sep, &Strings::Oct, &Strings::Nov, &Strings::Dec};
constexpr const VgConstant* kWeekDays[] = {&Strings::Sunday,   &Strings::Monday, &Strings::Tuesday,
                                           &Strings::Wednesday, &Strings::Thursday, &Strings::Friday,
                                           &Strings::Saturday};
constexpr int32_t kMinutesPerDay = 1440;

VgString Text(const VgConstant& constant) { return VgGetVariantOfString(&constant); }

VgString Join(std::initializer_list<VgString> parts) {
  VgString text = VgNewStringAnsi("");
  for (VgString part : parts) text = VgConcatString(text, part);
  return text;
}

VgString TwoDigits(int32_t a, int32_t b) {
  char text[24];
  std::snprintf(text, sizeof text, "%02d:%02d", a, b);
  return VgNewStringAnsi(text);
}

VgString WeekDayName(int32_t weekDay) { return Text(*kWeekDays[(weekDay % 7 + 7) % 7]); }

// Puts the stored timer back as it was before a save that could not be
// finished, keeping what the dialog holds: a new timer goes back to a reset
// one, which records nothing, and its id stays free.
void PutBack(SkinBin::Wrapper* model) {
  auto* held = VgNew<Structures::TimerData>();
  model->CopyTimerData(held, model->HeldTimer);
  model->ResetTimer(model->OnGetActiveTimerId());
  model->CopyTimerData(model->HeldTimer, held);
}

// The schedule row of a saved timer: a new one is inserted and its id checked
// out of the pool, an edited one is brought up to date. False when the new
// row could not be written; the save is then undone.
bool StoreScheduleRow(SkinBin::Wrapper* model, const SaveRequest& request, Structures::TimerData* record) {
  if (request.isUpdate) {
    if (model->DB_UpdateScheduledData(request.oldTimer, record) != 0)
      VgPrint("Record: the schedule row of timer %d was not updated\n", record->Index);
    return true;
  }
  const ProgrammeTexts texts = ProgrammeTextsFor(request.recordSourceType);
  if (model->DB_InsertScheduledData(record, texts.title, texts.description) != 0) {
    VgPrint("Record: the schedule row of timer %d was not stored; the timer is taken back\n", record->Index);
    PutBack(model);
    return false;
  }
  model->DB_CheckOutTimerId(model->OnGetActiveTimerId());
  return true;
}

}  // namespace

int32_t GetWeekDay(int32_t year, int32_t month, int32_t day) {
  if (month < 3) {
    month += 12;
    year -= 1;
  }
  const int32_t century = year / 100;
  const int32_t yy = year - century * 100;
  int32_t w = day - 1 + yy + century / 4 + yy / 4 + (13 * (month + 1)) / 5 - 2 * century;
  if (w < 0) w *= -6;
  return w % 7;
}

int32_t WeekDayOf(const Structures::LocalTime* time) {
  return time ? GetWeekDay(time->Year + 1900, time->Month + 1, time->Day) : 0;
}

void WriteDaySet(SkinBin::Wrapper* model, const Structures::LocalTime* start) {
  const int32_t current = model->OnGetTimerDaysOfWeek();
  const int32_t days = DaySetFor(model->OnGetTimerTimesType(), WeekDayOf(start), current);
  if (days != current) model->OnSetTimerDaysOfWeek(days);
}

ClockTime EndTime(int32_t hour, int32_t minute, int32_t seconds) {
  const int32_t minutes = seconds / 60;
  ClockTime end{hour + minutes / 60, minute + minutes % 60};
  if (end.minute >= 60) {
    end.minute -= 60;
    end.hour += 1;
  }
  if (end.hour >= 24) end.hour -= 24;
  return end;
}

VgString DateText(const Structures::LocalTime* time, DayDigits digits) {
  if (!time) return VgNewStringAnsi("");
  const int32_t month = time->Month >= 0 && time->Month < 12 ? time->Month : 0;
  char rest[32];
  std::snprintf(rest, sizeof rest, digits == DayDigits::Two ? " %02d, %d" : " %d, %d", time->Day, time->Year + 1900);
  return VgConcatString(Text(*kMonths[month]), VgNewStringAnsi(rest));
}

VgString TimeText(int32_t hour, int32_t minute) { return SkinBin::Wrapper::GetTimeAMPM(hour, minute); }

VgString DurationText(int32_t seconds) { return TwoDigits(seconds / 3600, seconds / 60 % 60); }

VgString RangeText(int32_t hour, int32_t minute, int32_t seconds) {
  const ClockTime end = EndTime(hour, minute, seconds);
  return Join({TimeText(hour, minute), VgNewStringAnsi(" - "), TimeText(end.hour, end.minute)});
}

VgString RepetitionText(int32_t timesType, const Structures::LocalTime* start, VgString dateText) {
  switch (timesType) {
    case Constants::XPM_TIMER_TIMES_TYPE_EVERYDAY:
      return Text(Strings::SID_EVERY_DAY);
    case Constants::XPM_TIMER_TIMES_TYPE_DAILY:
      return Text(Strings::SID_MONDAY_TO_FRIDAY);
    case Constants::XPM_TIMER_TIMES_TYPE_WEEKENDLY:
      return Text(Strings::SID_SATURDAY_AND_SUNDAY);
    case Constants::XPM_TIMER_TIMES_TYPE_ONCE:
      return Join({WeekDayName(WeekDayOf(start)), VgNewStringAnsi(" "), dateText});
    case Constants::XPM_TIMER_TIMES_TYPE_WEEKLY:
      return VgConcatString(Text(Strings::SID_EVERY), WeekDayName(WeekDayOf(start)));
    default:
      return VgNewStringAnsi("");
  }
}

const SaveRefusal* FindSaveRefusal(int32_t code) {
  for (const SaveRefusal& row : kSaveRefusals)
    if (row.code == code) return &row;
  return nullptr;
}

SaveResult SaveTimer(const SaveRequest& request) {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  if (const int32_t code = model->SetTimer(nullptr); code != 0) {
    const SaveRefusal* row = FindSaveRefusal(code);
    const int32_t message = !row ? 0 : request.fromConflictDialog ? row->conflictDialogMessage : row->timerDialogMessage;
    if (message == OpenConflict) return {SaveOutcome::Conflict};
    if (message > 0 && request.messages) request.messages->ShowMessage(message);
    return {SaveOutcome::Refused, message};
  }
  if (Structures::TimerData* record = model->HeldTimer; record && !StoreScheduleRow(model, request, record))
    return {SaveOutcome::NotStored};
  Announce(request.fromConflictDialog ? Constants::MSG_UPDATE_ALL_SCHEDULES : Constants::MSG_UPDATE_RECORD_TYPE);
  if (request.recordSourceType == Constants::XPM_RECORD_SOURCE_TYPE_START) {
    StartRecord(model);
    Announce(Constants::MSG_RECORD_CURRENT_SHOW);
  }
  return {SaveOutcome::Saved};
}

ProgrammeTexts ProgrammeTextsFor(int32_t recordSourceType) {
  ProgrammeTexts texts{VgNewStringAnsi("---"), VgNewStringAnsi("---")};
  if (recordSourceType == Constants::XPM_RECORD_SOURCE_TYPE_START) {
    if (Structures::EventInfo* info = MainApp::GetWrapper()->DB_GetCurrentProgramInfo())
      texts = {info->Title, info->Description};
  } else if (recordSourceType == Constants::XPM_RECORD_SOURCE_TYPE_GUIDE) {
    auto* guide = vg_cast<Channels::FullEPGDialog>(MainApp::GetWidgetManager()->FindForm(WinIDs::WIN_ID_FullEPGDialog));
    if (guide) texts = {guide->GetFocusedProgramTitle(), guide->GetFocusedProgramSubtitle()};
  }
  return texts;
}

void StartRecord(SkinBin::Wrapper* model) {
  const int32_t tuner = model->OnGetTimerSource() != 0 ? 1 : 0;
  const bool once = model->OnGetTimerTimesType() == Constants::XPM_TIMER_TIMES_TYPE_ONCE;
  const int32_t id = model->OnGetActiveTimerId();
  model->SetTimerRecordValid(tuner, once, id, model->OnGetTimerStartEarly());
  model->SetWakeState(id, 0);
  auto* channel = VgNew<Structures::VirtualChannel>();
  SkinBin::Wrapper::SplitChannelNum(model->OnGetTimerChannel(), &channel->Major, &channel->Minor);
  model->StartRecord(tuner, channel);
}

bool IsRecordingNews(Core::Event* event) { return vg_cast<Events::PVRRecordStatusEvent>(event) != nullptr; }

bool HeldTimerRecords() { return ListForm::IsRecordingNow(MainApp::GetWrapper()->OnGetActiveTimerId()); }

void LeaveTheRecordingTimer(NonMenuSystem::WidgetClass* dialog) {
  VgPtr<NonMenuSystem::NonMenuSystem> system = dialog->NonMenuSystem;
  dialog->EnterPrevState();
  if (system) system->ShowMessage(NonMenuSystem::DirectMsgTypeActiveTimerId);
}

void Announce(int32_t code) {
  auto* message = VgNew<Structures::Message>();
  message->Code = code;
  MainApp::GetMessageAgent()->Dispatch(message, nullptr);
}

// A timer that starts early may reach back before midnight, and one that
// ends late may run past it: today's window is then cut at midnight, and the
// neighbouring day's window covers the rest, by that day's bit.
bool DueNow(const DueCheck& check) {
  const int32_t end = check.start + check.seconds / 60;
  const int32_t early = check.startEarly / 60;
  auto on = [&](int32_t weekDay) { return (check.days >> ((weekDay % 7 + 7) % 7) & 1) != 0; };
  const bool today = on(check.weekDay);
  if (check.start < early)
    return (today && check.now <= end) || (on(check.weekDay + 1) && check.now >= check.start + kMinutesPerDay - early);
  if (end > kMinutesPerDay)
    return (today && check.now >= check.start) || (on(check.weekDay - 1) && check.now + kMinutesPerDay <= end);
  return today && check.start <= check.now && check.now <= end;
}

}  // namespace Record
