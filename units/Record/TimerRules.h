// The rules every recording timer dialog shares. None of the dialogs keeps a
// timer of its own: the timer being edited is the television model's held
// record (Wrapper::Wrapper::HeldTimer, chosen by ActiveTimerId), read and
// written through the model's Timer* properties. This module knows
//
//   - the calendar: GetWeekDay, and the day set each repetition stores;
//   - the texts that show a timer: date, time, duration, start-to-end range
//     and the repetition's wording;
//   - the save: SetTimer, the refusals and the direct message each one shows
//     (kSaveRefusals), the schedule row with the timer id's check-out, the
//     announcements to every receiver, and the recording that starts at once;
//   - StartRecord, and whether a saved timer is due now (DueNow).
//
// A dialog saves with SaveTimer and reacts to its outcome: on Conflict it
// hands the timer to Record::ConflictTimerDialog (ConflictTimerDialog.h),
// which saves again with the conflicting timers resolved.
#pragma once

#include <cstdint>

#include "Constants/Constants.h"
#include "NonMenuSystem/DirectMessages.h"
#include "vgstring.h"

namespace Core {
class Event;
}
namespace NonMenuSystem {
class NonMenuSystem;
class WidgetClass;
}  // namespace NonMenuSystem
namespace SkinBin {
class Wrapper;
}
namespace Structures {
class LocalTime;
class TimerData;
}  // namespace Structures

namespace Record {

// ---------------------------------------------------------------- calendar

// 0 Sunday to 6 Saturday, of a full year, a month 1-12 and a day 1-31.
int32_t GetWeekDay(int32_t year, int32_t month, int32_t day);
// The weekday of a local time's date (its own weekday field is not trusted).
int32_t WeekDayOf(const Structures::LocalTime* time);

// Seven bits, bit 0 Sunday.
inline constexpr int32_t kEveryDay = 0x7F;
inline constexpr int32_t kMondayToFriday = 0x3E;
inline constexpr int32_t kSaturdayAndSunday = 0x41;

// The day set a repetition stores for a start on a weekday; current for a
// repetition that leaves it (none, or a type the set does not know).
constexpr int32_t DaySetFor(int32_t timesType, int32_t startWeekDay, int32_t current) {
  switch (timesType) {
    case Constants::XPM_TIMER_TIMES_TYPE_EVERYDAY:
      return kEveryDay;
    case Constants::XPM_TIMER_TIMES_TYPE_DAILY:
      return kMondayToFriday;
    case Constants::XPM_TIMER_TIMES_TYPE_WEEKENDLY:
      return kSaturdayAndSunday;
    case Constants::XPM_TIMER_TIMES_TYPE_ONCE:
    case Constants::XPM_TIMER_TIMES_TYPE_WEEKLY:
      return 1 << startWeekDay;
    default:
      return current;
  }
}

// Writes TimerDaysOfWeek of the held timer for its TimerTimesType and a start.
void WriteDaySet(SkinBin::Wrapper* model, const Structures::LocalTime* start);

// ------------------------------------------------------------------- texts

struct ClockTime {
  int32_t hour = 0;
  int32_t minute = 0;
};

// The end of a span that starts at hour:minute and lasts so many seconds
// (whole minutes count), wrapped once past midnight.
ClockTime EndTime(int32_t hour, int32_t minute, int32_t seconds);
// "Jan 30, 2011"; with two digits of the day "Jan 03, 2011".
enum class DayDigits : uint8_t { AsIs, Two };
VgString DateText(const Structures::LocalTime* time, DayDigits digits = DayDigits::AsIs);
// "08:05PM".
VgString TimeText(int32_t hour, int32_t minute);
// "01:30" for 5400 s: hours and minutes, two digits each.
VgString DurationText(int32_t seconds);
// "11:30PM - 01:00AM".
VgString RangeText(int32_t hour, int32_t minute, int32_t seconds);
// What a repetition reads as: "Every day", "Monday to Friday", "Saturday and
// Sunday", the weekday and the date text for once, "Every " and the weekday
// for weekly; empty otherwise.
VgString RepetitionText(int32_t timesType, const Structures::LocalTime* start, VgString dateText);

// -------------------------------------------------------------------- save

// A refusal of SetTimer and the direct message it shows, in a timer dialog
// and in the conflict dialog. OpenConflict opens the conflict dialog instead.
inline constexpr int32_t OpenConflict = -1;
struct SaveRefusal {
  int32_t code;
  int32_t timerDialogMessage;
  int32_t conflictDialogMessage;
};
inline constexpr SaveRefusal kSaveRefusals[] = {
    {Constants::XPM_TIMER_ERROR_INVALID_TIMERID, NonMenuSystem::DirectMsgTypeInvalidTimerId,
     NonMenuSystem::DirectMsgTypeInvalidTimerId},
    {Constants::XPM_TIMER_ERROR_INVALID_DURATION, NonMenuSystem::DirectMsgTypeInvalidTimerDuration,
     NonMenuSystem::DirectMsgTypeInvalidTimerDuration},
    {Constants::XPM_TIMER_ERROR_INVALID_STARTTIME, NonMenuSystem::DirectMsgTypeInvalidTimerStarttime,
     NonMenuSystem::DirectMsgTypeInvalidTimerStarttime},
    {Constants::XPM_TIMER_ERROR_OVERLAP, OpenConflict, NonMenuSystem::DirectMsgTypeTimerOverlap},
};
// The row of a code, or null: such a refusal shows nothing.
const SaveRefusal* FindSaveRefusal(int32_t code);

enum class SaveOutcome {
  Saved,      // stored, its schedule row written, announced
  Refused,    // SetTimer refused it; its message (if any) is showing
  Conflict,   // it overlaps stored timers: the caller opens the conflict dialog
  NotStored,  // the schedule row could not be written; the timer was put back
};

struct SaveRequest {
  // Shows the refusal's message; with none the caller shows it.
  NonMenuSystem::NonMenuSystem* messages = nullptr;
  // Constants::XPM_RECORD_SOURCE_TYPE_*: what made the timer. 3 starts the
  // recording once it is saved; it and 2 give the schedule row a title.
  int32_t recordSourceType = Constants::XPM_RECORD_SOURCE_TYPE_TIMER;
  // An existing timer edited: its row is updated from oldTimer, not inserted.
  bool isUpdate = false;
  Structures::TimerData* oldTimer = nullptr;
  // The conflict dialog saves: an overlap then shows its message, and
  // MSG_UPDATE_ALL_SCHEDULES announces the save.
  bool fromConflictDialog = false;
};

struct SaveResult {
  SaveOutcome outcome = SaveOutcome::Saved;
  // The direct message of a refusal (0: none), shown when the request names
  // a sub-system to show it.
  int32_t message = 0;
};

// Saves the held timer. A new timer whose schedule row cannot be written is
// taken back (reset: its id stays free and it must not record), and nothing
// is announced or started.
SaveResult SaveTimer(const SaveRequest& request);

// The schedule row's title and description for a timer of a source type:
// "---" each, the programme on air's for 3, the guide cursor's programme
// for 2 while the full guide is open.
struct ProgrammeTexts {
  VgString title;
  VgString description;
};
ProgrammeTexts ProgrammeTextsFor(int32_t recordSourceType);

// Starts recording the held timer at once, on its tuner and channel.
void StartRecord(SkinBin::Wrapper* model);

// Sends a message with a code to every receiver.
void Announce(int32_t code);

// The set changes no timer while it records (the openers refuse one with
// direct message 51). A dialog that updates a stored timer follows the
// recordings' news: once its timer records (HeldTimerRecords), it goes back
// as Return takes it and says why (LeaveTheRecordingTimer).
bool IsRecordingNews(Core::Event* event);
bool HeldTimerRecords();
void LeaveTheRecordingTimer(NonMenuSystem::WidgetClass* dialog);

// ------------------------------------------------------------- due at once

// Whether a timer saved now is already recording time. Minutes of the day;
// the timer's end is its start plus duration and end delay, its early start
// how far it starts before; days is its day set, weekDay today's.
struct DueCheck {
  int32_t now = 0;
  int32_t weekDay = 0;
  int32_t start = 0;
  int32_t seconds = 0;  // duration and end delay
  int32_t startEarly = 0;  // seconds
  int32_t days = 0;
};
bool DueNow(const DueCheck& check);

}  // namespace Record
