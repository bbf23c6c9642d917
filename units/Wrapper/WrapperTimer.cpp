// The recording timers of the television model: reading and storing them,
// the timer being edited, and its fields as properties of the model.
#include "Wrapper/TimerRecord.h"
#include "Wrapper/Wrapper.h"
#include "vgdebug.h"

namespace Wrapper {

::Structures::TimerData* Wrapper::ReadTimer(int32_t index, bool* ok) {
  auto* timer = VgNew<::Structures::TimerData>();
  timer->Index = index;
  XPM_TimerInfo info{};
  if (int32_t status = XPM_GetTimer(index, &info); status != 0) {
    VgPrint("Wrapper: XPM_GetTimer(%d) = 0x%08X Failed\n", index, unsigned(status));
    // A screen shows and edits what it gets: an empty timer rather than
    // zeros that read as channel 0-0 on source 0.
    SetTimerDefaults(timer);
    if (ok) *ok = false;
    return timer;
  }
  FillTimerData(timer, info);
  if (ok) *ok = true;
  return timer;
}

::Structures::TimerData* Wrapper::GetTimer(int32_t index) {
  if (EditInPlace && HeldTimer) return HeldTimer;
  return ReadTimer(index, nullptr);
}

::Structures::TimerData* Wrapper::GetStoredTimer(int32_t id) {
  bool ok = false;
  ::Structures::TimerData* timer = ReadTimer(id, &ok);
  return ok ? timer : nullptr;
}

int32_t Wrapper::SetTimer(::Structures::TimerData* timer) {
  if (!timer) timer = HeldTimer;
  if (!timer) {
    VgPrint("Wrapper: SetTimer without a timer\n");
    return XPM_TIMER_ERROR_INVALID_TIMERID;
  }
  const XPM_TimerInfo info = TimerInfoOf(timer);
  const int32_t status = XPM_SetTimer(timer->Index, &info);
  if (status != 0) VgPrint("Wrapper: XPM_SetTimer(%d) = %d\n", timer->Index, status);
  return status;
}

int32_t Wrapper::GetFirstAvailableTimerId() {
  int32_t id = -1;
  if (DB_Get_Free_Timer_Id(&id) != 0) {
    VgPrint("Wrapper: no timer id is free\n");
    return -1;
  }
  OnSetActiveTimerId(id);
  return id;
}

// The record is read afresh: a record held for another timer must not stand
// in for this one.
void Wrapper::OnSetActiveTimerId(int32_t id) {
  activeTimerId_ = id;
  HeldTimer = ReadTimer(id, nullptr);
  HeldTimer->Index = id;
}

namespace {

::Structures::LocalTime* CopyOf(const ::Structures::LocalTime* time) {
  auto* copy = VgNew<::Structures::LocalTime>();
  if (!time) return copy;
  copy->Second = time->Second;
  copy->Minute = time->Minute;
  copy->Hour = time->Hour;
  copy->Day = time->Day;
  copy->Month = time->Month;
  copy->Year = time->Year;
  copy->WeekDay = time->WeekDay;
  copy->YearDay = time->YearDay;
  copy->IsDst = time->IsDst;
  return copy;
}

}  // namespace

::Structures::LocalTime* Wrapper::OnGetTimerStartTime() {
  const ::Structures::TimerData* t = EditInPlace && HeldTimer ? HeldTimer.get() : GetTimer(activeTimerId_);
  return CopyOf(t->StartTime);
}

// Like the other fields: into the held record while editing in place,
// otherwise stored at once.
void Wrapper::OnSetTimerStartTime(const ::Structures::LocalTime* time) {
  if (EditInPlace && HeldTimer) {
    HeldTimer->StartTime = CopyOf(time);
    return;
  }
  bool ok = false;
  ::Structures::TimerData* t = ReadTimer(activeTimerId_, &ok);
  if (!ok) return;
  t->StartTime = CopyOf(time);
  SetTimer(t);
}

int32_t Wrapper::ReadTimerField(TimerField field) {
  const ::Structures::TimerData* t = EditInPlace && HeldTimer ? HeldTimer.get() : GetTimer(activeTimerId_);
  switch (field) {
    case TimerField::Enable:
      return t->Flag;
    case TimerField::Source:
      return t->Values[kTimerSource];
    case TimerField::Channel:
      return UniteChannelNum(t->Values[kTimerMajor], t->Values[kTimerMinor]);
    case TimerField::MapId:
      return t->Settings[kTimerMapId];
    case TimerField::TimesType:
      return t->Settings[kTimerTimesType];
    case TimerField::StartEarly:
      return t->Extra[kTimerStartEarly];
    case TimerField::EndDelay:
      return t->Extra[kTimerEndDelay];
    case TimerField::Duration:
      return t->Values[kTimerDuration];
    case TimerField::DaysOfWeek:
      return t->Values[kTimerDays];
    case TimerField::SourceType:
      return t->Settings[kTimerSourceType];
  }
  return 0;
}

// While editing in place only the held record changes; the screen stores it
// when the viewer confirms. Otherwise the one field goes to the middleware at
// once, the rest of the timer as it stands there.
void Wrapper::WriteTimerField(TimerField field, int32_t value) {
  ::Structures::TimerData* t = nullptr;
  const bool held = EditInPlace && HeldTimer;
  if (held) {
    t = HeldTimer;
  } else {
    bool ok = false;
    t = ReadTimer(activeTimerId_, &ok);
    // Writing the stand-in record back would wipe the timer.
    if (!ok) return;
  }
  switch (field) {
    case TimerField::Enable:
      t->Flag = value != 0;
      break;
    case TimerField::Source:
      t->Values[kTimerSource] = value;
      break;
    case TimerField::Channel:
      SplitChannelNum(value, &t->Values[kTimerMajor], &t->Values[kTimerMinor]);
      break;
    case TimerField::MapId:
      t->Settings[kTimerMapId] = value;
      break;
    case TimerField::TimesType:
      t->Settings[kTimerTimesType] = value;
      break;
    case TimerField::StartEarly:
      t->Extra[kTimerStartEarly] = value;
      break;
    case TimerField::EndDelay:
      t->Extra[kTimerEndDelay] = value;
      break;
    case TimerField::Duration:
      t->Values[kTimerDuration] = value;
      break;
    case TimerField::DaysOfWeek:
      t->Values[kTimerDays] = value & 0x7F;
      break;
    case TimerField::SourceType:
      t->Settings[kTimerSourceType] = value;
      break;
  }
  if (!held) SetTimer(t);
}

int32_t Wrapper::OnGetEnableTimer() { return ReadTimerField(TimerField::Enable); }
void Wrapper::OnSetEnableTimer(int32_t value) { WriteTimerField(TimerField::Enable, value); }
int32_t Wrapper::OnGetTimerSource() { return ReadTimerField(TimerField::Source); }
void Wrapper::OnSetTimerSource(int32_t value) { WriteTimerField(TimerField::Source, value); }
int32_t Wrapper::OnGetTimerChannel() { return ReadTimerField(TimerField::Channel); }
void Wrapper::OnSetTimerChannel(int32_t value) { WriteTimerField(TimerField::Channel, value); }
int32_t Wrapper::OnGetTimerMapId() { return ReadTimerField(TimerField::MapId); }
void Wrapper::OnSetTimerMapId(int32_t value) { WriteTimerField(TimerField::MapId, value); }
int32_t Wrapper::OnGetTimerTimesType() { return ReadTimerField(TimerField::TimesType); }
void Wrapper::OnSetTimerTimesType(int32_t value) { WriteTimerField(TimerField::TimesType, value); }
int32_t Wrapper::OnGetTimerStartEarly() { return ReadTimerField(TimerField::StartEarly); }
void Wrapper::OnSetTimerStartEarly(int32_t seconds) { WriteTimerField(TimerField::StartEarly, seconds); }
int32_t Wrapper::OnGetTimerEndDelay() { return ReadTimerField(TimerField::EndDelay); }
void Wrapper::OnSetTimerEndDelay(int32_t seconds) { WriteTimerField(TimerField::EndDelay, seconds); }
int32_t Wrapper::OnGetTimerDuration() { return ReadTimerField(TimerField::Duration); }
void Wrapper::OnSetTimerDuration(int32_t seconds) { WriteTimerField(TimerField::Duration, seconds); }
int32_t Wrapper::OnGetTimerDaysOfWeek() { return ReadTimerField(TimerField::DaysOfWeek); }
void Wrapper::OnSetTimerDaysOfWeek(int32_t days) { WriteTimerField(TimerField::DaysOfWeek, days); }
int32_t Wrapper::OnGetTimerSourceType() { return ReadTimerField(TimerField::SourceType); }
void Wrapper::OnSetTimerSourceType(int32_t type) { WriteTimerField(TimerField::SourceType, type); }

}  // namespace Wrapper
