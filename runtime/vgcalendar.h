// The set's calendar. The set keeps its local time as seconds since 1970
// counted on a plain calendar, every day 86400 seconds: the time zone and
// daylight saving of the machine the program runs on never enter it. The set
// sets its own clock (from the broadcast, or by hand), and what it shows and
// stores is that clock's reading; a host's zone would move a timer by an hour
// across its changes, or skip the hour that its spring change leaves out.
#pragma once

#include <time.h>

#include <cstdint>

// The seconds of a local date and time. Fields out of their range carry over
// as mktime's do (the 32nd of January is the 1st of February); the weekday,
// the day of the year and the daylight flag are not read.
int64_t VgLocalSeconds(const struct tm& parts);

// The local date and time at seconds since 1970, with its weekday and day of
// the year; the daylight flag is always 0.
struct tm VgLocalParts(int64_t seconds);
