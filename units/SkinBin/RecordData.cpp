#include "SkinBin/RecordData.h"

#include <algorithm>
#include <ctime>
#include <memory>

#include "SkinBin/MiddlewareText.h"
#include "db.h"
#include "vgcalendar.h"
#include "vgdebug.h"
#include "xpm.h"

VG_DEFINE_CLASS(SkinBin, RecordData, XObject)
VG_DEFINE_CLASS(SkinBin, ScheduledRecordData, SkinBin::RecordData)
VG_DEFINE_CLASS(SkinBin, RecordedShowData, SkinBin::RecordData)
VG_DEFINE_CLASS(SkinBin, RecordPlaybackData, SkinBin::RecordData)
VG_DEFINE_CLASS(SkinBin, ConflictTimerData, XObject)
VG_DEFINE_CLASS(SkinBin, RecordIds, XObject)
VG_DEFINE_CLASS(SkinBin, ConflictTimerIds, XObject)
VG_DEFINE_CLASS(SkinBin, ThemeProgramIds, XObject)
VG_DEFINE_CLASS(SkinBin, DB_ScheduledInfo, XObject)
VG_DEFINE_CLASS(SkinBin, DB_RecordedInfo, XObject)
VG_DEFINE_CLASS(SkinBin, DB_RecordPlaybackInfo, XObject)
VG_DEFINE_CLASS(SkinBin, ConflictTimerInfo, XObject)
VG_DEFINE_CLASS(SkinBin, USBMountedInfo, XObject)
VG_DEFINE_CLASS(SkinBin, RecordPlaybackStatus, XObject)
VG_DEFINE_CLASS(SkinBin, TimeshiftStatus, XObject)
VG_DEFINE_CLASS(SkinBin, USBDiskStatus, XObject)

namespace SkinBin {

ScheduledRecordData* NewScheduledRecordData(const DB_ScheduledShow& show) {
  auto* r = VgNew<ScheduledRecordData>();
  r->CaptionFlag = show.captionFlag > 0;
  r->Tuner = show.tuner;
  r->Major = show.major;
  r->Minor = show.minor;
  r->MapId = show.mapId;
  r->Title = BufferText(show.title);
  r->Description = BufferText(show.description);
  r->Rating = show.rating;
  r->Duration = show.duration;
  r->RecordTime = NewLocalTime(show.startTime);
  r->ChannelName = BufferText(show.station);
  r->Enabled = show.enabled > 0;
  r->TimerId = show.timerId;
  r->Repetition = show.repetition;
  r->State = show.status;
  return r;
}

namespace {

void FillRecord(RecordData* r, const XPM_RecordedShow& show) {
  r->CaptionFlag = show.captionFlag;
  r->Value = show.value;
  r->Tuner = show.tuner;
  r->Major = show.major;
  r->Minor = show.minor;
  r->StartTime = NewLocalTime(show.startTime);
  r->MapId = show.mapId;
  r->Title = BufferText(show.title);
  r->Description = BufferText(show.description);
  r->Rating = show.rating;
  r->Duration = show.duration;
  r->RecordTime = NewLocalTime(show.recordTime);
  r->ChannelName = BufferText(show.channelName);
  r->State = show.state;
}

template <class Record>
Record* NewRecorded(const XPM_RecordedShow& show, int32_t id) {
  auto* r = VgNew<Record>();
  FillRecord(r, show);
  r->Watched = show.watched;
  r->RecordId = id;
  r->FileName = BufferText(show.fileName);
  return r;
}

template <class Slots>
void ClearSlots(Slots& slots, int32_t count) {
  for (int32_t i = 0; i < count && i < int32_t(slots.size()); ++i) slots[size_t(i)] = nullptr;
}

template <class Slots>
auto SlotAt(const Slots& slots, int32_t count, int32_t index) {
  return index >= 0 && index < count ? slots[size_t(index)] : nullptr;
}

}  // namespace

// ------------------------------------------------------------ scheduled shows

int32_t DB_ScheduledInfo::GetNumEvents() { return NumEvents; }

ScheduledRecordData* DB_ScheduledInfo::GetEvent(int32_t index) const { return SlotAt(Events, NumEvents, index); }

void DB_ScheduledInfo::GetEventInfoByCount(int32_t maximum) {
  ClearSlots(Events, NumEvents);
  NumEvents = 0;

  // Without the time nothing can be known to have passed: every show stays.
  int64_t now = 0;
  struct tm local {};
  if (XPM_GetLocalTime(&local) == 0) {
    now = std::max<int64_t>(VgLocalSeconds(local), 0);
  } else {
    VgPrint("DB_ScheduledInfo: XPM_GetLocalTime Failed\n");
  }
  DB_Delete_Scheduled_Event_Via_Starttime(int32_t(now));
  XPM_Check_Update_Scheduled_Data_Status();

  const int32_t limit = std::min(maximum, kCapacity);
  if (limit <= 0) return;
  auto show = std::make_unique<DB_ScheduledShow>();
  if (DB_Get_First_Scheduled_Show(int32_t(now), show.get()) != 0) return;
  int32_t n = 0;
  for (;;) {
    Events[size_t(n++)] = NewScheduledRecordData(*show);
    if (n >= limit) break;
    if (DB_Get_Scheduled_Show_Next(show->startTime, show->timerId, show.get()) != 0) break;
  }
  NumEvents = n;
}

// -------------------------------------------------------------- recorded shows

int32_t DB_RecordedInfo::GetNumEvents() { return NumEvents; }

RecordedShowData* DB_RecordedInfo::GetEvent(int32_t index) const { return SlotAt(Events, NumEvents, index); }

void DB_RecordedInfo::GetEventInfoByCount() {
  ClearSlots(Events, NumEvents);
  NumEvents = 0;

  auto* ids = VgNew<RecordIds>();
  int32_t count = 0;
  XPM_Get_All_Recorded_Show_Counts(&count, ids->Ids, RecordIds::kCapacity);
  count = std::clamp(count, 0, kCapacity);
  if (Brief && count > kBriefCapacity) count = kBriefCapacity;
  NumEvents = count;

  // A show whose details cannot be read leaves its slot empty, so that the
  // shows after it keep their places.
  auto show = std::make_unique<XPM_RecordedShow>();
  for (int32_t i = 0; i < count; ++i) {
    const int32_t id = ids->Ids[i];
    Events[size_t(i)] = XPM_Get_Recorded_Show(id, show.get()) == 0 ? NewRecorded<RecordedShowData>(*show, id) : nullptr;
  }
}

// ------------------------------------------------------ recordings of a path

int32_t DB_RecordPlaybackInfo::GetNumEvents() { return NumEvents; }

RecordPlaybackData* DB_RecordPlaybackInfo::GetEvent(int32_t index) const { return SlotAt(Events, NumEvents, index); }

void DB_RecordPlaybackInfo::GetEventInfoByCount() {
  ClearSlots(Events, NumEvents);
  NumEvents = 0;

  char path[kPathBytes] = {};
  VgStringToAnsi(Path, path, kPathBytes, '?');
  path[kPathBytes - 1] = 0;

  auto* ids = VgNew<RecordIds>();
  int32_t count = 0;
  XPM_Get_All_Recorded_Show_Counts_with_Path(path, &count, ids->Ids, RecordIds::kCapacity, SortOrder);
  count = std::clamp(count, 0, kCapacity);
  NumEvents = count;

  auto show = std::make_unique<XPM_RecordedShow>();
  for (int32_t i = 0; i < count; ++i) {
    const int32_t id = ids->Ids[i];
    Events[size_t(i)] = XPM_Get_Recorded_Show_with_Path(path, id, show.get()) == 0
                            ? NewRecorded<RecordPlaybackData>(*show, id)
                            : nullptr;
    if (auto* r = Events[size_t(i)]) r->Mark = show->mark;
  }
}

// ------------------------------------------------------------ conflict timers

int32_t ConflictTimerInfo::GetNumEvents() { return NumEvents; }

void ConflictTimerInfo::SetTimerActiveState(bool active) {
  for (int32_t i = 0; i < NumEvents && i < kCapacity; ++i) {
    ConflictTimerData* c = Events[size_t(i)];
    if (c && c->Timer) c->Timer->Flag = active;
  }
}

// ------------------------------------------------------------- mount points

void USBMountedInfo::GetUSBMountedPoints() {
  for (VgStr& point : MountPoints) point = nullptr;
  char first[XPM_MOUNT_POINT_SIZE] = {};
  char second[XPM_MOUNT_POINT_SIZE] = {};
  int32_t count = 0;
  XPM_Get_USB_MountPoint_Count(&count, first, second);
  if (count >= 1) MountPoints[0] = BufferText(first);
  if (count >= 2) MountPoints[1] = BufferText(second);
  MountedNum = count;
}

}  // namespace SkinBin
