// The simulated database keeps its records in memory. The crash handler writes
// here from a signal handler, so the state is lock-free: atomics and a fixed table.
#include "db.h"

#include <atomic>

#include "simkernel.h"
#include "simvalues.h"
#include "simtv.h"

namespace {

std::atomic<int> g_powerDownStatus{0};
std::atomic<int> g_systemLogCount{0};
std::atomic<int> g_systemLog[SIMTV_DB_SYSTEM_LOG_CAPACITY];

}  // namespace

int DB_Update_PowerDown_Status(int status) {
  g_powerDownStatus.store(status, std::memory_order_relaxed);
  return 0;
}

int DB_Get_PowerDown_Status(int* status) {
  if (status == nullptr) return -1;
  *status = g_powerDownStatus.load(std::memory_order_relaxed);
  return 0;
}

int DB_Update_System_Log(int entry) {
  const int index = g_systemLogCount.fetch_add(1, std::memory_order_relaxed);
  if (index < SIMTV_DB_SYSTEM_LOG_CAPACITY) g_systemLog[index].store(entry, std::memory_order_relaxed);
  return 0;
}

int simtv_db_system_log_count(void) { return g_systemLogCount.load(std::memory_order_relaxed); }

int simtv_db_system_log_entry(int index) {
  if (index < 0 || index >= SIMTV_DB_SYSTEM_LOG_CAPACITY || index >= g_systemLogCount.load(std::memory_order_relaxed)) return -1;
  return g_systemLog[index].load(std::memory_order_relaxed);
}

void simtv_db_reset(void) {
  g_powerDownStatus.store(0, std::memory_order_relaxed);
  g_systemLogCount.store(0, std::memory_order_relaxed);
}

// ---------------------------------------------------------------------------
// Scheduled shows and the guide. Only the GUI thread and tests reach these, so
// they live behind one mutex, apart from the lock-free records above.

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace {

// A programme of the guide with its texts as long as they are: the
// interface's record holds them in arrays of some 2.3 kB, mostly empty, and
// is made only for the caller that asks for the programme.
struct GuideEvent {
  int32_t medium;
  int32_t major;
  int32_t minor;
  std::string station;
  std::string theme;
  int32_t eventId;
  int32_t startTime;
  int32_t duration;  // minutes
  int32_t usRating;
  int32_t canRating;
  int32_t captionFlag;
  int32_t themeNumber;
  std::string title;
  std::string description;
  std::string ratingText;

  DB_EventRecord Record() const;
};

struct Programmes {
  simk::StateMutex mutex;
  std::vector<DB_ScheduledShow> scheduled;
  std::vector<GuideEvent> events;  // in order of insertion; queries sort
  int32_t nextEventId = 1;
  int32_t nextScheduleId = 1;
  bool timerIdOut[DB_TIMER_ID_COUNT] = {};
};

Programmes& P() {
  static Programmes programmes;
  return programmes;
}

bool ScheduledBefore(const DB_ScheduledShow& a, const DB_ScheduledShow& b) {
  return a.startTime != b.startTime ? a.startTime < b.startTime : a.timerId < b.timerId;
}

bool StartsBefore(const GuideEvent* a, const GuideEvent* b) {
  return a->startTime != b->startTime ? a->startTime < b->startTime : a->eventId < b->eventId;
}

bool EndedAt(const GuideEvent& event, int32_t time) {
  return int64_t(event.startTime) + int64_t(event.duration) * 60 <= time;
}

template <size_t N>
void CopyText(char (&target)[N], const char* text) {
  std::snprintf(target, N, "%s", text ? text : "");
}

// A text of a record, which its array may not end: at most the array's
// length less one, as the record is stored.
template <size_t N>
std::string TextOf(const char (&text)[N]) {
  return std::string(text, strnlen(text, N - 1));
}

DB_EventRecord GuideEvent::Record() const {
  DB_EventRecord record{};
  record.eventId = eventId;
  record.startTime = startTime;
  record.duration = duration;
  record.usRating = usRating;
  record.canRating = canRating;
  record.captionFlag = captionFlag;
  record.theme = themeNumber;
  CopyText(record.title, title.c_str());
  CopyText(record.description, description.c_str());
  CopyText(record.ratingText, ratingText.c_str());
  return record;
}

bool ValidTimerId(int32_t id) { return id >= 0 && id < DB_TIMER_ID_COUNT; }

// A row's status while its timer records.
constexpr int32_t kRecordingStatus = 1;

// The times types of timers that record once (none and once); a repeating
// timer keeps its id, since it records again.
bool RecordsOnce(const DB_ScheduledShow& s) { return s.repetition == 0 || s.repetition == 4; }

// A row whose recording runs, or whose last recording was refused or cut
// (the state it ended in), stays for the viewer to see, its show passed or
// not; only a waiting row (status 0) of a passed show is done with.
bool Standing(const DB_ScheduledShow& s) { return s.status != 0; }

}  // namespace

int DB_Delete_Scheduled_Event_Via_Starttime(int32_t now) {
  std::lock_guard lock(P().mutex);
  auto& shows = P().scheduled;
  // A show whose recording runs stays until the recorder ends it, one that
  // could not be recorded until the viewer deletes it; a repeating show stays
  // for its timer's next day.
  std::erase_if(shows, [now](const DB_ScheduledShow& s) {
    if (s.startTime >= now || Standing(s) || !RecordsOnce(s)) return false;
    if (ValidTimerId(s.timerId)) P().timerIdOut[s.timerId] = false;
    return true;
  });
  return 0;
}

void simtv::MoveOnScheduledShows(int32_t now, const std::function<int64_t(int32_t timerId)>& nextStart) {
  std::lock_guard lock(P().mutex);
  std::erase_if(P().scheduled, [&](DB_ScheduledShow& s) {
    if (s.startTime >= now || s.status == kRecordingStatus || RecordsOnce(s)) return false;
    const int64_t next = nextStart(s.timerId);
    if (next >= now && next <= INT32_MAX) {
      s.startTime = int32_t(next);
      return false;
    }
    std::fprintf(stderr, "SIMTV: the repeating schedule row of timer %d has no show to come and goes\n", s.timerId);
    if (ValidTimerId(s.timerId)) P().timerIdOut[s.timerId] = false;
    return true;
  });
}

int DB_Get_First_Scheduled_Show(int32_t now, DB_ScheduledShow* show) {
  if (!show) return -1;
  std::lock_guard lock(P().mutex);
  const DB_ScheduledShow* best = nullptr;
  for (const DB_ScheduledShow& s : P().scheduled)
    if ((s.startTime >= now || Standing(s)) && (!best || ScheduledBefore(s, *best))) best = &s;
  if (!best) return -1;
  *show = *best;
  return 0;
}

int DB_Get_Scheduled_Show_Next(int32_t previousStart, int32_t previousTimerId, DB_ScheduledShow* show) {
  if (!show) return -1;
  DB_ScheduledShow previous{};
  previous.startTime = previousStart;
  previous.timerId = previousTimerId;
  std::lock_guard lock(P().mutex);
  const DB_ScheduledShow* best = nullptr;
  for (const DB_ScheduledShow& s : P().scheduled)
    if (ScheduledBefore(previous, s) && (!best || ScheduledBefore(s, *best))) best = &s;
  if (!best) return -1;
  *show = *best;
  return 0;
}

int DB_Insert_Scheduled_Data(int32_t timerId, const DB_ScheduledShow* show) {
  simk::Record("DB_Insert_Scheduled_Data", simk::CallArgs{}.Int(timerId).Ptr());
  if (int32_t code = 0; simk::Fails("DB_Insert_Scheduled_Data", &code)) return code;
  if (!show) return -1;
  DB_ScheduledShow stored = *show;
  stored.timerId = timerId;
  stored.title[DB_TITLE_SIZE - 1] = 0;
  stored.description[DB_DESCRIPTION_SIZE - 1] = 0;
  stored.station[DB_STATION_SIZE - 1] = 0;
  std::lock_guard lock(P().mutex);
  for (DB_ScheduledShow& s : P().scheduled) {
    if (s.timerId == timerId) {
      // The recorder keeps the status; whoever rewrites the row does not.
      // Moved to another start or channel, the row names a show the recorder
      // has not tried yet: what refused or cut the one before is not this
      // show's. A recording under way stays for the recorder to end.
      const bool sameShow = stored.startTime == s.startTime && stored.major == s.major && stored.minor == s.minor &&
                            stored.mapId == s.mapId;
      stored.scheduleId = s.scheduleId;
      stored.status = sameShow || s.status == kRecordingStatus ? s.status : 0;
      s = stored;
      return 0;
    }
  }
  stored.scheduleId = P().nextScheduleId++;
  stored.status = 0;
  P().scheduled.push_back(stored);
  return 0;
}

void simtv::SetScheduleStatus(int32_t timerId, int32_t status) {
  std::lock_guard lock(P().mutex);
  for (DB_ScheduledShow& s : P().scheduled)
    if (s.timerId == timerId) s.status = status;
}

int DB_Get_Scheduled_Show_By_Timer_Id(int32_t timerId, DB_ScheduledShow* show) {
  if (!show) return -1;
  std::lock_guard lock(P().mutex);
  for (const DB_ScheduledShow& s : P().scheduled) {
    if (s.timerId != timerId) continue;
    *show = s;
    return 0;
  }
  return -1;
}

int DB_Delete_Scheduled_Show(int32_t scheduleId) {
  std::lock_guard lock(P().mutex);
  return std::erase_if(P().scheduled, [scheduleId](const DB_ScheduledShow& s) { return s.scheduleId == scheduleId; })
             ? 0
             : -1;
}

// Handing out a timer id, taking it out of the pool and writing a schedule
// row go into the set's record of calls and fail on demand, as the
// middleware's calls do.
int DB_Get_Free_Timer_Id(int32_t* id) {
  simk::Record("DB_Get_Free_Timer_Id", simk::CallArgs{}.Ptr());
  if (int32_t code = 0; simk::Fails("DB_Get_Free_Timer_Id", &code)) return code;
  if (!id) return -1;
  std::lock_guard lock(P().mutex);
  for (int32_t i = DB_FIRST_RECORDING_TIMER_ID; i < DB_TIMER_ID_COUNT; ++i) {
    if (P().timerIdOut[i]) continue;
    *id = i;
    return 0;
  }
  return -1;
}

int DB_Check_Out_Timer_Id(int32_t id) {
  simk::Record("DB_Check_Out_Timer_Id", simk::CallArgs{}.Int(id));
  if (int32_t code = 0; simk::Fails("DB_Check_Out_Timer_Id", &code)) return code;
  if (!ValidTimerId(id)) return -1;
  std::lock_guard lock(P().mutex);
  P().timerIdOut[id] = true;
  return 0;
}

int DB_Check_In_Timer_Id(int32_t id) {
  if (!ValidTimerId(id)) return -1;
  std::lock_guard lock(P().mutex);
  P().timerIdOut[id] = false;
  return 0;
}

int DB_Get_EPG_Events(int32_t medium, int32_t major, int32_t minor, int32_t from, int32_t skip,
                      DB_EventRecord* events, int32_t capacity, int32_t* count, int32_t* remaining) {
  if (!count || !remaining || capacity < 0 || (capacity > 0 && !events)) return -1;
  std::lock_guard lock(P().mutex);
  std::vector<const GuideEvent*> found;
  bool known = false;
  for (const GuideEvent& e : P().events) {
    if (e.medium != medium || e.major != major || e.minor != minor) continue;
    known = true;
    if (!EndedAt(e, from)) found.push_back(&e);
  }
  if (!known) return -1;
  std::sort(found.begin(), found.end(), StartsBefore);
  const size_t first = std::min(found.size(), size_t(std::max(skip, 0)));
  const size_t n = std::min(found.size() - first, size_t(capacity));
  for (size_t i = 0; i < n; ++i) events[i] = found[first + i]->Record();
  *count = int32_t(n);
  *remaining = int32_t(found.size() - first - n);
  return 0;
}

int DB_Search_Theme(const char* theme, int32_t from, int32_t* ids, int32_t capacity, int32_t* count) {
  if (!theme || !count || capacity < 0 || (capacity > 0 && !ids)) return -1;
  std::lock_guard lock(P().mutex);
  std::vector<const GuideEvent*> found;
  for (const GuideEvent& e : P().events)
    if (!e.theme.empty() && e.theme == theme && !EndedAt(e, from)) found.push_back(&e);
  std::sort(found.begin(), found.end(), StartsBefore);
  const size_t n = std::min(found.size(), size_t(capacity));
  for (size_t i = 0; i < n; ++i) ids[i] = found[i]->eventId;
  *count = int32_t(found.size());
  return 0;
}

int DB_Get_Theme_Program(int32_t programId, DB_ThemeProgram* program) {
  if (!program) return -1;
  std::lock_guard lock(P().mutex);
  for (const GuideEvent& e : P().events) {
    if (e.eventId != programId || e.theme.empty()) continue;
    *program = DB_ThemeProgram{};
    program->event = e.Record();
    program->programId = programId;
    program->medium = e.medium;
    program->major = e.major;
    program->minor = e.minor;
    CopyText(program->station, e.station.c_str());
    CopyText(program->theme, e.theme.c_str());
    return 0;
  }
  return -1;
}

void simtv_db_clear_programmes(void) {
  std::lock_guard lock(P().mutex);
  P().scheduled.clear();
  P().events.clear();
  P().nextEventId = 1;
  P().nextScheduleId = 1;
  std::fill(std::begin(P().timerIdOut), std::end(P().timerIdOut), false);
}

int32_t simtv_db_timer_id_out(int32_t id) {
  if (!ValidTimerId(id)) return 0;
  std::lock_guard lock(P().mutex);
  return P().timerIdOut[id] ? 1 : 0;
}

int32_t simtv_db_add_event(int32_t medium, int32_t major, int32_t minor, const char* station, const char* theme,
                           const DB_EventRecord* event) {
  if (!event) return -1;
  std::lock_guard lock(P().mutex);
  P().events.push_back({medium, major, minor, station ? station : "", theme ? theme : "", P().nextEventId++,
                        event->startTime, event->duration, event->usRating, event->canRating, event->captionFlag,
                        event->theme, TextOf(event->title), TextOf(event->description), TextOf(event->ratingText)});
  return P().events.back().eventId;
}

int32_t simtv_db_scheduled_count(void) {
  std::lock_guard lock(P().mutex);
  return int32_t(P().scheduled.size());
}
