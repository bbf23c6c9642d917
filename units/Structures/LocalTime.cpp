#include "Structures/LocalTime.h"

VG_DEFINE_CLASS(Structures, LocalTime, XObject)

namespace Structures {

namespace {

constexpr int32_t kDaysBefore[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};

constexpr int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
constexpr int64_t FloorMod(int64_t a, int64_t b) { return a - FloorDiv(a, b) * b; }

}  // namespace

int32_t LocalTime::Month2days(int32_t month) {
  if (month < 0 || month > 12) return 0;
  return kDaysBefore[month];
}

int32_t LocalTime::MonthLeapYear2days(int32_t month) {
  if (month < 0 || month > 12) return 0;
  return kDaysBefore[month] + (month >= 2 ? 1 : 0);
}

// The broadcast clock counts every fourth year as a leap year; 2100 lies beyond
// the life of the set.
int64_t LocalTime::Ticks64() const {
  int64_t year = Year;
  int64_t days = (year % 4 == 0 ? MonthLeapYear2days(Month) : Month2days(Month)) + int64_t{Day} - 1 +
                 (year - 70) * 365;
  if (year > 68) days += (year - 69) / 4;
  return days * 86400 + int64_t{Hour} * 3600 + int64_t{Minute} * 60 + Second;
}

int32_t LocalTime::GetTicks() const { return static_cast<int32_t>(static_cast<uint32_t>(Ticks64())); }

int32_t LocalTime::Difference(const LocalTime* other) const {
  if (!other) return -1;
  return static_cast<int32_t>(static_cast<uint32_t>(Ticks64() - other->Ticks64()));
}

LocalTime* LocalTime::AddTicks(int32_t seconds) const {
  const int64_t t = Ticks64() + seconds;
  const int64_t d = FloorDiv(t, 86400) + 365;  // days since 1969-01-01
  const int64_t q = FloorMod(d, 1461);
  int64_t y = q / 365;
  if (y > 3) y = 3;
  const bool leap = y == 3;  // 1972, 1976, ...
  const int64_t r = q - 365 * y;
  int32_t month = static_cast<int32_t>(r / 32) + 1;
  const int32_t before = leap ? MonthLeapYear2days(month) : Month2days(month);
  if (r < before) --month;

  auto* result = VgNew<LocalTime>();
  result->Year = static_cast<int32_t>(1969 + 4 * FloorDiv(d, 1461) + y - 1900);
  result->Month = month;
  result->Day = static_cast<int32_t>(r + 1 - (leap ? MonthLeapYear2days(month) : Month2days(month)));
  result->Hour = static_cast<int32_t>(FloorMod(FloorDiv(t, 3600), 24));
  result->Minute = static_cast<int32_t>(FloorMod(FloorDiv(t, 60), 60));
  result->Second = static_cast<int32_t>(FloorMod(t, 60));
  return result;
}

}  // namespace Structures
