// Turning the fields of middleware and database records into GUI values, for
// the loaders of the television model's lists.
#pragma once

#include <cstdint>
#include <cstring>
#include <ctime>
#include <string>

#include "Structures/LocalTime.h"
#include "vgstring.h"

namespace SkinBin {

// A text of a fixed buffer ends at its zero or at the end of the buffer,
// whichever comes first: a full buffer must not run on into the next field.
template <size_t N>
VgString BufferText(const char (&buffer)[N]) {
  return VgNewStringUtf8(std::string(buffer, strnlen(buffer, N)).c_str());
}

// A new record of the local time at seconds since 1970.
inline ::Structures::LocalTime* NewLocalTime(int64_t seconds) {
  const time_t t = static_cast<time_t>(seconds);
  struct tm parts {};
  localtime_r(&t, &parts);
  auto* time = VgNew<::Structures::LocalTime>();
  time->Second = parts.tm_sec;
  time->Minute = parts.tm_min;
  time->Hour = parts.tm_hour;
  time->Day = parts.tm_mday;
  time->Month = parts.tm_mon;
  time->Year = parts.tm_year;
  time->WeekDay = parts.tm_wday;
  time->YearDay = parts.tm_yday;
  time->IsDst = parts.tm_isdst;
  return time;
}

}  // namespace SkinBin
