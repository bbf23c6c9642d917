// What the date and time pop-ups call on the screen that opened them, at
// every change: the screen mixes this in and hands itself to the pop-up.
#pragma once

#include <cstdint>

#include "vgstring.h"

namespace NonMenuSystem {

class DateTimeOwner {
 public:
  // month 0 to 11, day of the month from 1, the full year.
  virtual void UpdateDateSettings(int32_t month, int32_t day, int32_t year) = 0;
  // hour 1 to 12, minute 0 to 59, "AM" or "PM".
  virtual void UpdateTimeSettings(int32_t hour, int32_t minute, VgString ampm) = 0;

 protected:
  ~DateTimeOwner() = default;
};

}  // namespace NonMenuSystem
