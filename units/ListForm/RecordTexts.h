// The texts and icons of the recording and guide lists, written once for
// them and for the recording screens: dates, times and lengths, channel
// numbers, the margins of a timer, and the icons of the tuner, the timer's
// repetition and the record state.
//
//   date.OnSetString(ListForm::RecordTexts::WeekdayMonthDay(start));  // "Sun, Jan 03"
//   ListForm::RecordTexts::ShowIcon(stateIcon, ListForm::RecordTexts::RecordedStateIcon(status));
#pragma once

#include <cstdint>

#include "vgstring.h"

struct VgConstant;

namespace Structures {
class LocalTime;
}
namespace Views {
class Image;
}

namespace ListForm::RecordTexts {

// "Dec 30": the month's name and the two-digit day. Null without a time.
VgString MonthDay(const Structures::LocalTime* time);
// "Wed, Dec 30": the weekday's name before it (0 Sunday). Null without a time.
VgString WeekdayMonthDay(const Structures::LocalTime* time);
// "Sun, Dec 6": the date of the banners' clocks, its day without a leading
// zero. Null without a time.
VgString ClockDate(const Structures::LocalTime* time);
// "09:00PM": the time on the 12-hour clock in the language's AM or PM text.
// Null without a time.
VgString ClockTime(const Structures::LocalTime* time);
// "hh:mm" of a length in seconds, the hours as many digits as they take;
// a negative length reads 00:00.
VgString Length(int32_t seconds);
// "7-1", "7" for an analogue channel (minor below 0), "---" for no channel.
VgString ChannelNumber(int32_t major, int32_t minor);
// How long a timer starts early and ends late, counted in whole minutes:
// "On Time", "1 min -" and "2 mins -" up to 10 minutes early; "1 min +" and
// "2 mins +" up to 60 minutes late; empty outside those.
VgString StartEarly(int32_t seconds);
VgString EndDelay(int32_t seconds);
// A margin of any length the same way ("15 mins -"): a stored timer may hold
// one that the timer dialogs offer no choice for. Empty for a negative one.
VgString AnyMargin(int32_t seconds, char sign);
// The row text of a list without data: "No Information Available".
VgString NoInformation();

// The icons. Null is no icon.
// The input image of a source type (Constants::XPM_SOURCE_TYPE_*); null for
// a type without one.
const VgConstant* SourceIcon(int32_t sourceType);
// The first (0) or the second tuner (any other value).
const VgConstant* TunerIcon(int32_t tuner);
// A recorded show: stopped (3) or complete (19).
const VgConstant* RecordedStateIcon(int32_t status);
// A scheduled timer: recording, no disk, no room, failed (6 to 12), will record.
const VgConstant* ScheduleStateIcon(int32_t status);
// The enable check box of a timer.
const VgConstant* CheckBoxIcon(bool checked);

// A timer's repetition (1 every day to 5 weekly) as its icon, in the "0"
// forms for a timer that is off; 0 takes the icon away, and the values after
// 5 leave the icon as it is.
struct IconChange {
  bool change = false;
  const VgConstant* bitmap = nullptr;
};
IconChange RepetitionIcon(int32_t timesType, bool active = true);

// Shows the bitmap in the image, or hides the image without one.
void ShowIcon(Views::Image& image, const VgConstant* bitmap);
void ShowIcon(Views::Image& image, IconChange change);

}  // namespace ListForm::RecordTexts
