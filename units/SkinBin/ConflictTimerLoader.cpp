// The list of timers in conflict: loaded from the middleware, and stored back
// with their schedule rows once the viewer has chosen which to keep.
#include <algorithm>
#include <cstdio>
#include <ctime>

#include "AppServices/Wrapper.h"
#include "SkinBin/MiddlewareText.h"
#include "SkinBin/RecordData.h"
#include "Wrapper/TimerRecord.h"
#include "db.h"
#include "vgdebug.h"
#include "xpm.h"

namespace SkinBin {

void ConflictTimerInfo::GetEventInfoByCount() {
  for (int32_t i = 0; i < std::min(NumEvents, kCapacity); ++i) Events[size_t(i)] = nullptr;
  NumEvents = 0;
  XPM_ConflictTimer conflicts[kCapacity] = {};
  int32_t count = 0;
  if (int32_t status = XPM_GetConflictTimers(conflicts, kCapacity, &count); status != 0) {
    VgPrint("ConflictTimerInfo: XPM_GetConflictTimers = 0x%08X Failed\n", unsigned(status));
    return;
  }
  if (count > kCapacity) VgPrint("ConflictTimerInfo: %d timers in conflict, only %d listed\n", count, kCapacity);
  NumEvents = std::clamp(count, 0, kCapacity);
  for (int32_t i = 0; i < NumEvents; ++i) {
    auto* entry = VgNew<ConflictTimerData>();
    entry->TimerId = conflicts[i].timerId;
    entry->Title = BufferText(conflicts[i].title);
    // The timer is read from the middleware itself: the model's GetTimer
    // would answer with the timer being edited.
    XPM_TimerInfo info{};
    if (int32_t status = XPM_GetTimer(entry->TimerId, &info); status == 0) {
      entry->Timer = VgNew<::Structures::TimerData>();
      entry->Timer->Index = entry->TimerId;
      ::Wrapper::FillTimerData(entry->Timer, info);
    } else {
      VgPrint("ConflictTimerInfo: XPM_GetTimer(%d) = 0x%08X Failed\n", entry->TimerId, unsigned(status));
    }
    Events[size_t(i)] = entry;
  }
}

int32_t ConflictTimerInfo::UpdateAllTimers() {
  int32_t first = 0;
  ::Wrapper::Wrapper* model = MainApp::GetWrapper();
  for (int32_t i = 0; i < std::min(NumEvents, kCapacity); ++i) {
    ConflictTimerData* entry = Events[size_t(i)];
    if (!entry || !entry->Timer) continue;
    ::Structures::TimerData* timer = entry->Timer;
    timer->Index = entry->TimerId;
    const int32_t status = model->SetTimer(timer);
    if (status != 0) {
      if (first == 0) first = status;
      continue;
    }
    DB_ScheduledShow show{};
    if (DB_Get_Scheduled_Show_By_Timer_Id(entry->TimerId, &show) != 0) {
      show = DB_ScheduledShow{};
      VgStringToAnsi(entry->Title, show.title, sizeof show.title, '?');
    }
    FillScheduleRow(&show, timer);
    if (DB_Insert_Scheduled_Data(entry->TimerId, &show) != 0)
      VgPrint("ConflictTimerInfo: the schedule row of timer %d was not stored\n", entry->TimerId);
  }
  return first;
}

}  // namespace SkinBin
