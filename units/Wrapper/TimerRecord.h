// A recording timer as the middleware keeps it (XPM_TimerInfo) and as the
// screens edit it (Structures::TimerData): the one place that knows which
// field of the record holds what.
#pragma once

#include <cstdint>
#include <ctime>

#include "Structures/LocalTime.h"
#include "Structures/TimerData.h"
#include "xpm.h"

namespace Wrapper {

// The record's six values: days of the week (bit 0 Sunday), duration in
// seconds, source, channel major and minor, volume.
enum TimerValue : int32_t { kTimerDays, kTimerDuration, kTimerSource, kTimerMajor, kTimerMinor, kTimerVolume };
// The five values after the start time: map id (1 cable), times type, a
// reserved value, the source type and another reserved value.
enum TimerSetting : int32_t { kTimerMapId, kTimerTimesType, kTimerReserved1, kTimerSourceType, kTimerReserved2 };
// The two values the middleware adds: early start and late end, in seconds.
enum TimerExtra : int32_t { kTimerStartEarly, kTimerEndDelay };

// What a reset timer holds: off, one hour, no source, no channel, volume 30,
// map id 2, no margins.
inline constexpr int32_t kDefaultTimerDuration = 3600;
inline constexpr int32_t kDefaultTimerVolume = 30;
inline constexpr int32_t kDefaultTimerMapId = 2;
inline constexpr int32_t kNoTimerChannel = -2;

::Structures::LocalTime* LocalTimeOf(const struct tm& parts);
struct tm PartsOf(const ::Structures::LocalTime* time);
// Seconds since 1970 of a local time on the set's calendar (vgcalendar.h); -1
// without one.
int64_t SecondsOf(const ::Structures::LocalTime* time);

XPM_TimerInfo TimerInfoOf(const ::Structures::TimerData* timer);
void FillTimerData(::Structures::TimerData* timer, const XPM_TimerInfo& info);
// Gives the record the reset values above; the start time stays.
void SetTimerDefaults(::Structures::TimerData* timer);

}  // namespace Wrapper
