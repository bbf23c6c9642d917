// Broken-down local time as the middleware reports it, and the arithmetic the
// guide, timers and clock screens do on it in whole seconds since 1970.
#pragma once

#include <cstdint>

#include "vgobject.h"

namespace Structures {

class LocalTime : public XObject {
  VG_CLASS()

 public:
  explicit LocalTime(XObject* link = nullptr) : XObject(link) {}

  // Seconds since 1970-01-01 00:00, cut to the 32-bit word it is kept in.
  int32_t GetTicks() const;
  // This time's seconds minus the other's; -1 without another time.
  int32_t Difference(const LocalTime* other) const;
  // A new record for this time plus the given seconds.
  LocalTime* AddTicks(int32_t seconds) const;

  // Days before a month (0 to 12) in a common and in a leap year; 0 past 12.
  static int32_t Month2days(int32_t month);
  static int32_t MonthLeapYear2days(int32_t month);

  // The same count without the cut: years past 2037 do not fit 32 bits.
  int64_t Ticks64() const;

  int32_t Second = 0;
  int32_t Minute = 0;
  int32_t Hour = 0;
  int32_t Day = 0;    // of the month, from 1
  int32_t Month = 0;  // from 0
  int32_t Year = 0;   // since 1900
  int32_t WeekDay = 0;
  int32_t YearDay = 0;
  int32_t IsDst = 0;
};

}  // namespace Structures
