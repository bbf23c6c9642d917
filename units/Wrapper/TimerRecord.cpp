#include "Wrapper/TimerRecord.h"

#include "vgcalendar.h"

namespace Wrapper {

::Structures::LocalTime* LocalTimeOf(const struct tm& parts) {
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

struct tm PartsOf(const ::Structures::LocalTime* time) {
  struct tm parts {};
  if (!time) return parts;
  parts.tm_sec = time->Second;
  parts.tm_min = time->Minute;
  parts.tm_hour = time->Hour;
  parts.tm_mday = time->Day;
  parts.tm_mon = time->Month;
  parts.tm_year = time->Year;
  parts.tm_wday = time->WeekDay;
  parts.tm_yday = time->YearDay;
  parts.tm_isdst = time->IsDst;
  return parts;
}

int64_t SecondsOf(const ::Structures::LocalTime* time) { return time ? VgLocalSeconds(PartsOf(time)) : -1; }

XPM_TimerInfo TimerInfoOf(const ::Structures::TimerData* t) {
  XPM_TimerInfo info{};
  if (!t) return info;
  info.enabled = t->Flag;
  info.daysOfWeek = t->Values[kTimerDays];
  info.duration = t->Values[kTimerDuration];
  info.source = t->Values[kTimerSource];
  info.major = t->Values[kTimerMajor];
  info.minor = t->Values[kTimerMinor];
  info.volume = t->Values[kTimerVolume];
  info.start = PartsOf(t->StartTime);
  info.mapId = t->Settings[kTimerMapId];
  info.timesType = t->Settings[kTimerTimesType];
  info.reserved1 = t->Settings[kTimerReserved1];
  info.sourceType = t->Settings[kTimerSourceType];
  info.reserved2 = t->Settings[kTimerReserved2];
  info.startEarly = t->Extra[kTimerStartEarly];
  info.endDelay = t->Extra[kTimerEndDelay];
  return info;
}

void FillTimerData(::Structures::TimerData* t, const XPM_TimerInfo& info) {
  t->Flag = info.enabled;
  t->Values[kTimerDays] = info.daysOfWeek;
  t->Values[kTimerDuration] = info.duration;
  t->Values[kTimerSource] = info.source;
  t->Values[kTimerMajor] = info.major;
  t->Values[kTimerMinor] = info.minor;
  t->Values[kTimerVolume] = info.volume;
  t->StartTime = LocalTimeOf(info.start);
  t->Settings[kTimerMapId] = info.mapId;
  t->Settings[kTimerTimesType] = info.timesType;
  t->Settings[kTimerReserved1] = info.reserved1;
  t->Settings[kTimerSourceType] = info.sourceType;
  t->Settings[kTimerReserved2] = info.reserved2;
  t->Extra[kTimerStartEarly] = info.startEarly;
  t->Extra[kTimerEndDelay] = info.endDelay;
}

void SetTimerDefaults(::Structures::TimerData* t) {
  t->Flag = 0;
  t->Values[kTimerDays] = 0;
  t->Values[kTimerDuration] = kDefaultTimerDuration;
  t->Values[kTimerSource] = -1;
  t->Values[kTimerMajor] = kNoTimerChannel;
  t->Values[kTimerMinor] = kNoTimerChannel;
  t->Values[kTimerVolume] = kDefaultTimerVolume;
  t->Settings[kTimerMapId] = kDefaultTimerMapId;
  t->Extra[kTimerStartEarly] = 0;
  t->Extra[kTimerEndDelay] = 0;
}

}  // namespace Wrapper
