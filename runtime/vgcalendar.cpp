#include "vgcalendar.h"

// timegm and gmtime_r read no zone: the plain calendar is theirs.
int64_t VgLocalSeconds(const struct tm& parts) {
  struct tm copy = parts;
  copy.tm_isdst = 0;
  return static_cast<int64_t>(timegm(&copy));
}

struct tm VgLocalParts(int64_t seconds) {
  const time_t t = static_cast<time_t>(seconds);
  struct tm parts {};
  gmtime_r(&t, &parts);
  return parts;
}
