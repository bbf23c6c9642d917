// Times as the screens show them: the 12-hour clock and day sets.
#include <cstdio>

#include "Strings.h"
#include "Structures/Devices.h"
#include "Wrapper/Wrapper.h"

namespace Wrapper {

namespace {

int32_t DayHour(int32_t hour) { return (hour % 24 + 24) % 24; }

}  // namespace

VgString Wrapper::GetTimeAMPM(int32_t hour, int32_t minute) {
  const int32_t h = DayHour(hour);
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d", h % 12 == 0 ? 12 : h % 12, (minute % 60 + 60) % 60);
  return VgConcatString(VgNewStringAnsi(text), VgGetVariantOfString(h < 12 ? &Strings::SID_AM : &Strings::SID_PM));
}

::Structures::AMPMHour* Wrapper::Convert24HourToAMPM(int32_t hour) {
  const int32_t h = DayHour(hour);
  auto* result = VgNew<::Structures::AMPMHour>();
  result->AM = h < 12 ? 1 : 0;
  result->Hour = h % 12 == 0 ? 12 : h % 12;
  return result;
}

int32_t Wrapper::GetDaysOfWeek(bool sunday, bool monday, bool tuesday, bool wednesday, bool thursday, bool friday,
                               bool saturday) {
  const bool days[] = {sunday, monday, tuesday, wednesday, thursday, friday, saturday};
  int32_t set = 0;
  for (int32_t day = 0; day < 7; ++day)
    if (days[day]) set |= 1 << day;
  return set;
}

}  // namespace Wrapper
