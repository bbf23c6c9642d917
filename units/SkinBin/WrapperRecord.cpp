// The recorder of the television model: recording timers and their schedule
// rows, the on-timer's time, the tuners, recording, playback and time-shift,
// recorded files and the USB disk.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "SkinBin/MiddlewareText.h"
#include "SkinBin/Wrapper.h"
#include "Wrapper/TimerRecord.h"
#include "db.h"
#include "nvpath.h"
#include "recording.h"
#include "vgcalendar.h"
#include "vgdebug.h"
#include "xpm.h"

namespace SkinBin {

namespace {

using ::Wrapper::SecondsOf;
using ::Wrapper::kTimerDuration;
using ::Wrapper::kTimerMajor;
using ::Wrapper::kTimerMapId;
using ::Wrapper::kTimerMinor;
using ::Wrapper::kTimerSource;
using ::Wrapper::kTimerTimesType;

constexpr int32_t kOnTimer = Wrapper::kOnTimerId;
constexpr int32_t kNoChannel = -2;
constexpr int32_t kTitleCharacters = 255;
constexpr int32_t kDescriptionCharacters = 2047;
constexpr int32_t kRecordTries = 5;
constexpr int32_t kError = -1;

// The local time of the set in seconds since 1970; -1 when it cannot be read.
int64_t NowSeconds() {
  struct tm local {};
  if (XPM_GetLocalTime(&local) != 0) {
    VgPrint("Wrapper: XPM_GetLocalTime Failed\n");
    return -1;
  }
  return VgLocalSeconds(local);
}

// A text into a middleware buffer: at most so many characters, as UTF-8 cut
// on a character's boundary to fit the buffer with its zero.
void CopyText(char* buffer, size_t size, VgString text, int32_t characters) {
  std::string utf8 = VgStringToUtf8(VgStringLeft(text, characters));
  if (utf8.size() >= size) {
    size_t n = size - 1;
    while (n > 0 && (static_cast<unsigned char>(utf8[n]) & 0xC0) == 0x80) --n;
    utf8.resize(n);
  }
  std::snprintf(buffer, size, "%s", utf8.c_str());
}

// A path for the middleware; empty when it is empty or too long.
std::string PathText(VgString path) {
  std::string text = VgStringToUtf8(path);
  return text.size() < XPM_RECORD_PATH_SIZE ? text : std::string();
}

int32_t CurrentMedium() {
  int32_t medium = 0;
  return XPM_GetMedium(&medium) == 0 && medium == 1 ? 1 : 0;
}

// The medium of a map id; the one the set receives for any other value.
int32_t MediumOf(int32_t mapId) { return mapId == 0 || mapId == 1 ? mapId : CurrentMedium(); }

// The name of a channel of a medium, empty when the set does not have it.
void StationName(int32_t medium, int32_t major, int32_t minor, char (&station)[DB_STATION_SIZE]) {
  station[0] = 0;
  XPM_ChannelInfo channel{};
  if (medium == CurrentMedium()) {
    if (XPM_GetChannelInfo(major, minor, &channel) == 0) std::snprintf(station, sizeof station, "%s", channel.name);
    return;
  }
  int32_t count = 0;
  if (XPM_GetRingChannels(XPM_RING_MASTER_OTHER_MEDIUM, nullptr, 0, &count) != 0 || count <= 0) return;
  std::vector<XPM_ChannelInfo> channels(static_cast<size_t>(count));
  if (XPM_GetRingChannels(XPM_RING_MASTER_OTHER_MEDIUM, channels.data(), count, &count) != 0) return;
  for (const XPM_ChannelInfo& c : channels) {
    if (c.major != major || c.minor != minor) continue;
    std::snprintf(station, sizeof station, "%s", c.name);
    return;
  }
}

// The programme of a channel on the air at a time; false when the guide has none.
bool ProgrammeAt(int32_t medium, int32_t major, int32_t minor, int64_t at, DB_EventRecord* event) {
  int32_t count = 0;
  int32_t remaining = 0;
  return DB_Get_EPG_Events(medium, major, minor, static_cast<int32_t>(at), 0, event, 1, &count, &remaining) == 0 &&
         count > 0 && event->startTime <= at;
}

// The station and the rating of the programme at the row's start.
void DescribeScheduleRow(DB_ScheduledShow* row) {
  const int32_t medium = MediumOf(row->mapId);
  StationName(medium, row->major, row->minor, row->station);
  auto event = std::make_unique<DB_EventRecord>();
  const bool found = ProgrammeAt(medium, row->major, row->minor, row->startTime, event.get());
  row->rating = found ? event->usRating : 0;
  row->captionFlag = found ? event->captionFlag : 0;
}

// Whether a repeating schedule row records at a time after its first start:
// the same time of day, on one of its timer's days.
bool RecordsAgainAt(const DB_ScheduledShow& row, int64_t at) {
  if (row.repetition < 1 || row.repetition > 5 || row.repetition == 4 || at <= row.startTime) return false;
  const struct tm a = VgLocalParts(row.startTime);
  const struct tm b = VgLocalParts(at);
  if (a.tm_hour != b.tm_hour || a.tm_min != b.tm_min || a.tm_sec != b.tm_sec) return false;
  XPM_TimerInfo timer{};
  int32_t days = XPM_GetTimer(row.timerId, &timer) == 0 ? timer.daysOfWeek & 0x7F : 0;
  if (days == 0) days = 1 << a.tm_wday;
  return (days >> b.tm_wday & 1) != 0;
}

// A file's size word: the unit in the top two bits, the whole units below.
int32_t SizeWord(uint64_t bytes) {
  constexpr uint64_t kValueMask = (uint64_t(1) << 30) - 1;
  int32_t unit = 0;
  uint64_t value = bytes;
  if (bytes >= (uint64_t(1) << 20)) {
    unit = 2;
    value = bytes >> 20;
  } else if (bytes >= 1024) {
    unit = 1;
    value = bytes >> 10;
  }
  return static_cast<int32_t>((uint32_t(unit) << 30) | uint32_t(std::min(value, kValueMask)));
}

// Whether a path names something inside a mounted medium: below one of its
// mount points, without a step back up.
bool OnMountedMedium(const std::string& path) {
  if (path.find("/../") != std::string::npos || path.ends_with("/..")) return false;
  int32_t count = 0;
  char first[XPM_MOUNT_POINT_SIZE] = {};
  char second[XPM_MOUNT_POINT_SIZE] = {};
  if (XPM_Get_USB_MountPoint_Count(&count, first, second) != 0) return false;
  first[XPM_MOUNT_POINT_SIZE - 1] = 0;
  second[XPM_MOUNT_POINT_SIZE - 1] = 0;
  for (const char* point : {first, second}) {
    if (count-- <= 0) break;
    const std::string mount = point;
    if (!mount.empty() && path.size() > mount.size() + 1 && path.starts_with(mount + "/")) return true;
  }
  return false;
}

}  // namespace

void FillScheduleRow(DB_ScheduledShow* row, const ::Structures::TimerData* timer) {
  row->timerId = timer->Index;
  row->enabled = timer->Flag;
  row->tuner = timer->Values[kTimerSource] != 0 ? 1 : 0;
  row->major = timer->Values[kTimerMajor];
  row->minor = timer->Values[kTimerMinor];
  if (timer->StartTime) row->startTime = static_cast<int32_t>(SecondsOf(timer->StartTime));
  row->mapId = timer->Settings[kTimerMapId];
  row->duration = timer->Values[kTimerDuration];
  row->repetition = timer->Settings[kTimerTimesType];
}

// ------------------------------------------------------------------ on-timer

int32_t Wrapper::SetTimer(::Structures::TimerData* timer) {
  ::Structures::TimerData* stored = timer ? timer : HeldTimer.get();
  const int32_t status = ::Wrapper::Wrapper::SetTimer(timer);
  if (status == 0 && stored && stored->Index == kOnTimer && stored->StartTime)
    KeepOnTimerStart(static_cast<int32_t>(SecondsOf(stored->StartTime)));
  return status;
}

void Wrapper::KeepOnTimerStart(int32_t seconds) {
  onTimerStart_ = seconds;
  if (::PersistentData::PersistentData* store = Store()) store->PutInteger(VgNewStringAnsi(kOnTimerStartKey), seconds);
}

int32_t Wrapper::OnGetOnTimerTime() {
  int32_t start = onTimerStart_;
  if (::PersistentData::PersistentData* store = Store()) {
    VgString key = VgNewStringAnsi(kOnTimerStartKey);
    start = store->IsStringExist(key) ? store->GetInteger(key) : 0;
  }
  const int64_t now = NowSeconds();
  if (start <= 0 || now < 0 || start <= now) return 0;
  return static_cast<int32_t>((start - now + 59) / 60);
}

// The on-timer starts so many minutes from now: in the held record while it
// is the on-timer being edited, else stored at once.
void Wrapper::OnSetOnTimerTime(int32_t minutes) {
  const int64_t now = NowSeconds();
  if (now < 0) return;
  const int64_t start = now + int64_t(std::max(minutes, 0)) * 60;
  if (EditInPlace && HeldTimer && HeldTimer->Index == kOnTimer) {
    HeldTimer->StartTime = NewLocalTime(start);
  } else {
    bool read = false;
    ::Structures::TimerData* timer = ReadTimer(kOnTimer, &read);
    if (read) {
      timer->StartTime = NewLocalTime(start);
      SetTimer(timer);
    }
  }
  KeepOnTimerStart(static_cast<int32_t>(start));
}

void Wrapper::CancelOnTimer(bool) {
  onTimerStart_ = 0;
  if (::PersistentData::PersistentData* store = Store()) {
    VgString key = VgNewStringAnsi(kOnTimerStartKey);
    if (store->IsStringExist(key)) store->RemoveString(key);
  }
}

// ------------------------------------------------------------ schedule rows

// Ids of the pool are 0 to 31 only: any other, a negative one too, would
// stand for a timer the middleware does not have.
int32_t Wrapper::DB_CheckOutTimerId(int32_t id) {
  if (id < 0 || id >= DB_TIMER_ID_COUNT) {
    VgPrint("Wrapper: no timer id %d to check out\n", id);
    return 1;
  }
  return DB_Check_Out_Timer_Id(id) == 0 ? 0 : 1;
}

int32_t Wrapper::DB_CheckInTimerId(int32_t id) {
  if (id < 0 || id >= DB_TIMER_ID_COUNT) {
    VgPrint("Wrapper: no timer id %d to check in\n", id);
    return 1;
  }
  return DB_Check_In_Timer_Id(id) == 0 ? 0 : 1;
}

int32_t Wrapper::GetScheduleIdByTimerId(int32_t id) {
  DB_ScheduledShow row{};
  return DB_Get_Scheduled_Show_By_Timer_Id(id, &row) == 0 ? row.scheduleId : -1;
}

int32_t Wrapper::DB_DeleteScheduledRecord(int32_t scheduleId) {
  const int32_t status = XPM_Delete_Scheduled_Show(scheduleId);
  if (status != 0) VgPrint("Wrapper: XPM_Delete_Scheduled_Show(%d) = %d\n", scheduleId, status);
  return status;
}

int32_t Wrapper::DB_InsertScheduledData(::Structures::TimerData* timer, VgString title, VgString description) {
  if (!timer) return 1;
  auto row = std::make_unique<DB_ScheduledShow>();
  FillScheduleRow(row.get(), timer);
  DescribeScheduleRow(row.get());
  CopyText(row->title, sizeof row->title, title, kTitleCharacters);
  CopyText(row->description, sizeof row->description, description, kDescriptionCharacters);
  return DB_Insert_Scheduled_Data(timer->Index, row.get());
}

int32_t Wrapper::DB_UpdateScheduledData(::Structures::TimerData* before, ::Structures::TimerData* timer) {
  if (!before || !timer || before->Index != timer->Index) return 1;
  auto row = std::make_unique<DB_ScheduledShow>();
  if (DB_Get_Scheduled_Show_By_Timer_Id(timer->Index, row.get()) != 0) {
    VgPrint("Wrapper: timer %d has no schedule row to update\n", timer->Index);
    return 1;
  }
  DB_ScheduledShow was{};
  DB_ScheduledShow now{};
  FillScheduleRow(&was, before);
  FillScheduleRow(&now, timer);
  bool moved = false;
  auto take = [&](int32_t DB_ScheduledShow::* field, bool moves) {
    if (was.*field == now.*field) return;
    (*row).*field = now.*field;
    moved = moved || moves;
  };
  take(&DB_ScheduledShow::enabled, false);
  take(&DB_ScheduledShow::tuner, false);
  take(&DB_ScheduledShow::duration, false);
  take(&DB_ScheduledShow::repetition, false);
  take(&DB_ScheduledShow::major, true);
  take(&DB_ScheduledShow::minor, true);
  take(&DB_ScheduledShow::mapId, true);
  take(&DB_ScheduledShow::startTime, true);
  // Another channel or start is another programme: its station and rating.
  if (moved) DescribeScheduleRow(row.get());
  return DB_Insert_Scheduled_Data(timer->Index, row.get()) == 0 ? 0 : 1;
}

ScheduledRecordData* Wrapper::GetEPGProgramStatus(int32_t, int32_t mapId, int32_t major, int32_t minor,
                                                  ::Structures::LocalTime* start) {
  const int64_t at = SecondsOf(start);
  auto row = std::make_unique<DB_ScheduledShow>();
  if (start) {
    for (int found = DB_Get_First_Scheduled_Show(0, row.get()); found == 0;
         found = DB_Get_Scheduled_Show_Next(row->startTime, row->timerId, row.get())) {
      if (row->major != major || row->minor != minor || row->mapId != mapId) continue;
      if (row->startTime == at || RecordsAgainAt(*row, at)) return NewScheduledRecordData(*row);
    }
  }
  auto* none = VgNew<ScheduledRecordData>();
  none->TimerId = -1;
  none->Repetition = 0;
  return none;
}

::Structures::EventInfo* Wrapper::DB_GetCurrentProgramInfo() {
  ::Structures::VirtualChannel* channel = GetCurrentChannel();
  const int64_t now = NowSeconds();
  if (channel->Major == kNoChannel || now < 0) return nullptr;
  auto event = std::make_unique<DB_EventRecord>();
  if (!ProgrammeAt(CurrentMedium(), channel->Major, channel->Minor, now, event.get())) return nullptr;
  auto* info = VgNew<::Structures::EventInfo>();
  FillEventInfo(info, *event);
  return info;
}

// ------------------------------------------------------------------- tuners

int32_t Wrapper::GetActiveTimer(int32_t tuner) {
  int32_t id = -1;
  if (XPM_GetActiveTimer(tuner != 0 ? 1 : 0, &id) != 0) return -1;
  return id;
}

int32_t Wrapper::GetCurrentTunerId() {
  int32_t tuner = 0;
  if (int32_t status = XPM_GetCurrentTunerId(&tuner); status != 0) {
    VgPrint("Wrapper: XPM_GetCurrentTunerId = %d\n", status);
    return 2;
  }
  return tuner;
}

::Structures::VirtualChannel* Wrapper::GetTempCurrentChannel(bool secondTuner, int32_t mapId) {
  auto* channel = VgNew<::Structures::VirtualChannel>();
  channel->Major = kNoChannel;
  channel->Minor = kNoChannel;
  int32_t major = kNoChannel;
  int32_t minor = kNoChannel;
  if (XPM_GetTempCurrentChannel(secondTuner ? 1 : 0, MediumOf(mapId), &major, &minor) == 0) {
    channel->Major = major;
    channel->Minor = minor;
  }
  return channel;
}

void Wrapper::SetTimerRecordValid(int32_t tuner, bool once, int32_t timerId, int32_t startEarly) {
  if (int32_t status = XPM_Set_Timer_Record_Valid(tuner != 0 ? 1 : 0, once ? 1 : 0, timerId, startEarly))
    VgPrint("Wrapper: XPM_Set_Timer_Record_Valid(%d) = %d\n", timerId, status);
}

void Wrapper::SetWakeState(int32_t state, int32_t flag) {
  if (int32_t status = XPM_SetWakeState(state, flag)) VgPrint("Wrapper: XPM_SetWakeState = %d\n", status);
}

int32_t Wrapper::StartRecord(int32_t tuner, ::Structures::VirtualChannel* channel) {
  if (!channel) {
    VgPrint("Wrapper: StartRecord without a channel\n");
    return kError;
  }
  const int32_t status =
      XPM_RECORDING_START_WITH_TRY(tuner != 0 ? 1 : 0, channel->Major, channel->Minor, 0, kRecordTries);
  if (status != 0) VgPrint("Wrapper: XPM_RECORDING_START_WITH_TRY = %d\n", status);
  return status;
}

int32_t Wrapper::SetSourceRecord(int32_t source) { return xpm_setsource_record(source); }

// ------------------------------------------------------------------ playback

int32_t Wrapper::RecordPlaybackPlay(VgString path, int32_t recordId, int32_t flag, int32_t startMs) {
  const std::string text = PathText(path);
  if (text.empty()) return kError;
  return XPM_Record_Playback_Play(text.c_str(), recordId, flag, std::max(startMs, 0));
}

int32_t Wrapper::RecordPlaybackStop(int32_t flag) { return XPM_Record_Playback_Stop(flag); }
int32_t Wrapper::RecordPlaybackPause() { return XPM_Record_Playback_Pause(); }
int32_t Wrapper::RecordPlaybackFastForward() { return XPM_Record_Playback_FastForward(); }
int32_t Wrapper::RecordPlaybackFastBackward() { return XPM_Record_Playback_FastBackward(); }

int32_t Wrapper::SkipSeconds(int32_t index) {
  switch (index) {
    case 1:
      return 30;
    case 2:
      return 60;
    case 3:
      return 120;
    default:
      return 20;
  }
}

int32_t Wrapper::RecordPlaybackSkipForward(int32_t index) { return XPM_Record_Playback_Skip(SkipSeconds(index)); }
int32_t Wrapper::RecordPlaybackSkipBackward(int32_t index) { return XPM_Record_Playback_Skip(-SkipSeconds(index)); }

RecordPlaybackStatus* Wrapper::GetRecordPlaybackStatus() {
  auto* status = VgNew<RecordPlaybackStatus>();
  XPM_RecordPlaybackStatus s{};
  if (int32_t error = XPM_Get_Record_Playback_Status(&s); error != 0) {
    VgPrint("Wrapper: XPM_Get_Record_Playback_Status = %d\n", error);
    return status;
  }
  status->TotalTime = s.total;
  status->Position = s.position;
  status->Rate = s.rate;
  status->State = s.state;
  return status;
}

TimeshiftStatus* Wrapper::GetTimeshiftStatus() {
  auto* status = VgNew<TimeshiftStatus>();
  const int32_t tuner = GetCurrentTunerId();
  XPM_TimeshiftStatus s{};
  if (tuner > 1 || XPM_GetTimeshiftStatus(tuner, &s) != 0) return status;
  status->BufferedTime = s.buffered;
  status->Position = s.position;
  status->Rate = s.rate;
  status->State = s.state;
  return status;
}

int32_t Wrapper::TimeshiftKeyProc(int32_t action) { return Timeshift_KeyProc(action); }

// -------------------------------------------------------------------- files

// A recording's files may go; nothing else of the set may, whatever path the
// record database holds.
int32_t Wrapper::DeleteFile(VgString path) {
  const std::string text = VgStringToUtf8(path);
  if (text.empty()) return kError;
  if (!OnMountedMedium(text)) {
    VgPrint("Wrapper: %s is on no mounted medium; it is not deleted\n", text.c_str());
    return kError;
  }
  // Its folder as the set reaches its files: a link put in place of the
  // disk's folder never has a file of the same name elsewhere removed.
  const std::string mapped = NvPath(text.c_str());
  std::string name;
  const int folder = mapped.empty() ? -1 : NvOpenFolderOf(mapped, &name, false, nullptr);
  if (folder < 0) return kError;
  const bool removed = unlinkat(folder, name.c_str(), 0) == 0;
  close(folder);
  return removed ? 0 : kError;
}

int32_t Wrapper::DB_DeleteRecordPlayback(VgString path, int32_t recordId) {
  const std::string text = PathText(path);
  if (text.empty()) return kError;
  return XPM_Delete_Record_Playback(text.c_str(), recordId);
}

int32_t Wrapper::ChangeProgramTitle(VgString path, int32_t recordId, VgString title) {
  const std::string text = PathText(path);
  if (text.empty()) return kError;
  char name[XPM_RECORD_TITLE_SIZE];
  CopyText(name, sizeof name, title, kTitleCharacters);
  return XPM_Change_Program_Title(text.c_str(), recordId, name);
}

void Wrapper::DB_DeleteRecordedShow(int32_t id) {
  if (int32_t status = XPM_Delete_Recorded_Show(id))
    VgPrint("Wrapper: XPM_Delete_Recorded_Show(%d) = %d\n", id, status);
}

int32_t Wrapper::GetFileSize(VgString path) {
  const std::string mapped = NvPath(VgStringToUtf8(path).c_str());
  struct stat info {};
  if (mapped.empty() || stat(mapped.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return 0;
  return SizeWord(static_cast<uint64_t>(info.st_size));
}

// ----------------------------------------------------------------- USB disk

bool Wrapper::IsUSBDiskMounted() {
  XPM_USBDiskInfo info{};
  return XPM_GetUSBDiskInfo(&info) == 0 && info.mounted;
}

USBDiskStatus* Wrapper::GetUSBDiskStatus() {
  auto* status = VgNew<USBDiskStatus>();
  XPM_USBDiskInfo info{};
  if (int32_t error = XPM_GetUSBDiskInfo(&info); error != 0) {
    VgPrint("Wrapper: XPM_GetUSBDiskInfo = %d\n", error);
    return status;
  }
  if (!info.mounted) return status;
  status->Mounted = 1;
  status->MountPoint = BufferText(info.mountPoint);
  status->FileSystem = BufferText(info.fileSystem);
  status->TotalSpace = static_cast<int32_t>(info.totalKB / 1024);
  status->AvailableSpace = static_cast<int32_t>(info.freeKB / 1024);
  return status;
}

int32_t Wrapper::USBDiskFormat() { return XPM_USBDiskFormat(); }
int32_t Wrapper::USBSpeedCheck() { return XPM_USBSpeedTest(); }
void Wrapper::AbortUSBSpeedCheck() { XPM_AbortUSBSpeedTest(); }

}  // namespace SkinBin
