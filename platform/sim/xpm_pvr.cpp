// The simulated television's recorder: the two tuners with their live,
// paused and recording states, the recordings and the record database, their
// playback, the time-shift buffers, and the USB disk with its files below the
// simulated root. Play positions move with the set's clock; what happens
// later (a recording or a playback reaching its end, a format, a speed test)
// is answered from the set's answering thread on that clock.
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>

#include "db.h"
#include "nvpath.h"
#include "recording.h"
#include "simkernel.h"
#include "simtv.h"
#include "simvalues.h"
#include "xpm.h"
#include "xpm_events.h"

namespace {

constexpr int32_t kErrorNoAnswer = 1;
constexpr int32_t kErrorBadArgument = 2;
constexpr int32_t kErrorNotFound = 3;

constexpr char kUsbMount[] = XPM_USB_DISK_MOUNT_POINT;
constexpr int32_t kTuners = 2;
constexpr int32_t kNoChannel = -2;
// The timer repetition that records once.
constexpr int32_t kTimesTypeOnce = 4;

constexpr int32_t kLiveTV = 1;
constexpr int32_t kPausedLiveTV = 2;
constexpr int32_t kRecordingLiveTV = 3;

// The record-status event's states.
enum RecordState : int32_t {
  kRecording = 1,
  kStarted = 2,
  kNoDisk = 4,
  kNoSpace = 5,
  kNotDigital = 8,
  kTunerBusy = 10,
  kNoSignal = 11,
  kComplete = 19
};
// The playback event's statuses: the end of the show, and a rewind that
// reached its start.
constexpr int32_t kPlaybackEnd = 5;
constexpr int32_t kPlaybackStart = 6;

enum PlayState : int32_t { kStop = 0, kPause = 1, kPlay = 2, kForward = 3, kBackward = 5 };

constexpr int32_t kTimeshiftSkipMs = 30000;
// A recording whose end nobody set needs room for its first minute.
constexpr int64_t kOpenEndedSeconds = 60;
// An index file holds this many bytes for each second of its recording.
constexpr int64_t kIndexBytesPerSecond = 64;

struct Recording {
  std::string path;
  XPM_RecordedShow show;
  bool unreadable = false;
};

// A position in ms that moves at speed times the set's clock from an anchor.
struct Motion {
  int64_t anchorPos = 0;
  uint64_t anchorTime = 0;
  int32_t speed = 0;  // times normal speed, negative backward, 0 still

  int64_t At(uint64_t now) const { return anchorPos + int64_t(speed) * int64_t(now - anchorTime); }
  void Set(uint64_t now, int64_t pos, int32_t newSpeed) {
    anchorPos = pos;
    anchorTime = now;
    speed = newSpeed;
  }
};

struct Playback {
  bool active = false;
  std::string path;
  int32_t recordId = 0;
  int64_t totalMs = 0;
  Motion motion;
  int32_t state = kStop;
  int32_t rate = 0;
  uint64_t token = 0;
  uint64_t edgeAnswer = 0;
};

struct Timeshift {
  bool active = false;
  uint64_t bufferStart = 0;  // the set's clock when the buffer began
  Motion motion;             // the position from the buffer's start
  int32_t state = kStop;
  int32_t rate = 0;
};

struct Tuner {
  int32_t liveState = kLiveTV;  // while it neither records nor time-shifts
  bool recording = false;
  int32_t major = kNoChannel;
  int32_t minor = kNoChannel;
  int32_t medium = 0;
  int32_t timerId = -1;
  uint64_t recordStart = 0;  // the set's clock
  int64_t localStart = 0;    // seconds since 1970
  // The length the recording holds the disk's room for from its start; -1
  // for one without an end, which takes room as it records.
  int64_t plannedSeconds = -1;
  uint64_t token = 0;
  uint64_t endAnswer = 0;
  // The timer that XPM_Set_Timer_Record_Valid named for the next recording.
  int32_t validTimer = -1;
  int32_t validOnce = 0;
  int32_t validEarly = 0;
  int32_t channels[2][2] = {{kNoChannel, kNoChannel}, {kNoChannel, kNoChannel}};  // by medium
  Timeshift timeshift;
};

struct Disk {
  uint32_t totalKB = SIMTV_USB_DEFAULT_KB;
  std::string fileSystem = "FAT32";
  int32_t speed = 25;
  uint64_t formatToken = 0;
  uint64_t formatAnswer = 0;
  uint64_t testToken = 0;
  uint64_t testAnswer = 0;
  // The answer that stops the recordings without an end when they fill it.
  uint64_t fullToken = 0;
  uint64_t fullAnswer = 0;
};

struct Recorder {
  std::vector<Recording> recordings;
  int32_t nextRecordingId = 1;
  std::vector<std::string> mountPoints;
  Tuner tuners[kTuners];
  int32_t currentTuner = 0;
  int32_t recordSource = 0;
  int32_t wakeState = 0;
  Playback playback;
  Disk disk;
};

simk::StateMutex g_mutex;
// Tokens tell an answer whether what it answers still stands; they count on
// across resets, so an answer asked for before one never matches.
std::atomic<uint64_t> g_tokens{0};

Recorder& R() {
  static Recorder recorder;
  return recorder;
}

uint64_t NewToken() { return g_tokens.fetch_add(1, std::memory_order_relaxed) + 1; }
uint64_t Now() { return simk::NowMs(); }

int64_t CeilDiv(int64_t a, int64_t b) { return a <= 0 ? 0 : (a + b - 1) / b; }

using Args = simk::CallArgs;

// Every call goes into the set's one record of calls and fails on demand
// (simtv_fail) like the set's other calls.
#define PVR_CALL(name, args)      \
  simk::Record(name, args);       \
  std::lock_guard lock(g_mutex);  \
  if (int32_t code = 0; simk::Fails(name, &code)) return code

bool ValidTuner(int32_t tuner) { return tuner >= 0 && tuner < kTuners; }

template <size_t N>
void CopyText(char (&target)[N], const char* text) {
  std::snprintf(target, N, "%s", text ? text : "");
}

int32_t CurrentMedium() { return simtv::Medium() == 1 ? 1 : 0; }

// ------------------------------------------------------------------ the disk

bool Mounted() {
  const auto& points = R().mountPoints;
  return std::find(points.begin(), points.end(), kUsbMount) != points.end();
}

bool OnDisk(const std::string& path) { return path == kUsbMount; }

std::string DiskPath(const std::string& name) { return NvPath((std::string(kUsbMount) + "/" + name).c_str()); }

// The index file beside a recording: its name with the last three characters
// replaced by "nav".
std::string IndexName(const std::string& name) {
  return name.size() >= 3 ? name.substr(0, name.size() - 3) + "nav" : name + ".nav";
}

// The disk's files are reached as the set reaches its files (nvpath.h):
// through no link that leads out of the set's folder, whatever was put in
// place of the disk's folder, and a link in place of a file is replaced or
// removed, never written through.

// Writes a file of so many bytes: empty, or why not.
std::string WriteFile(const std::string& name, uint64_t bytes) {
  const std::string path = DiskPath(name);
  if (path.empty()) return "its name could leave the disk";
  std::string file, why;
  const int folder = NvOpenFolderOf(path, &file, true, &why);
  if (folder < 0) return why;
  if (unlinkat(folder, file.c_str(), 0) != 0 && errno != ENOENT && errno != EISDIR) why = std::strerror(errno);
  const int fd = why.empty() ? openat(folder, file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644)
                             : -1;
  if (fd < 0 && why.empty()) why = std::strerror(errno);
  close(folder);
  if (fd < 0) return why;
  if (ftruncate(fd, static_cast<off_t>(bytes)) != 0) why = std::strerror(errno);
  if (close(fd) != 0 && why.empty()) why = std::strerror(errno);
  return why;
}

void RemoveFile(const std::string& name) {
  const std::string path = DiskPath(name);
  std::string file, why;
  const int folder = path.empty() ? -1 : NvOpenFolderOf(path, &file, false, &why);
  if (folder < 0) {
    if (!why.empty()) std::fprintf(stderr, "SIMTV: %s is not removed from the USB disk: %s\n", name.c_str(), why.c_str());
    return;
  }
  if (unlinkat(folder, file.c_str(), 0) != 0 && errno != ENOENT) {
    std::fprintf(stderr, "SIMTV: %s is not removed from the USB disk: %s\n", name.c_str(), std::strerror(errno));
    NvNoteUnwritten(path, std::strerror(errno));
  }
  close(folder);
}

void WriteRecordingFiles(const XPM_RecordedShow& show) {
  const std::string name = show.fileName;
  // A name with a separator, or "." or "..", stands for no file of the
  // disk's folder: the record (a fixture's name taken as written) stands
  // without files, and no folder is made for it.
  if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..") {
    std::fprintf(stderr, "SIMTV: the recording %s is kept without files: its name is no file in the disk's folder\n",
                 name.c_str());
    return;
  }
  const uint64_t seconds = uint64_t(std::max(show.duration, 0));
  std::string why = WriteFile(name, seconds * SIMTV_RECORD_BYTES_PER_SECOND);
  if (why.empty()) why = WriteFile(IndexName(name), seconds * kIndexBytesPerSecond);
  if (!why.empty()) {
    std::fprintf(stderr, "SIMTV: the recording %s could not be written on the USB disk: %s\n", name.c_str(),
                 why.c_str());
    NvNoteUnwritten(DiskPath(name), why);
  }
}

// The disk's folder, or -1.
int OpenDisk(bool make) { return NvOpenFolder(NvPath(kUsbMount), make, nullptr); }

uint64_t UsedKB() {
  const int disk = OpenDisk(false);
  if (disk < 0) return 0;
  const uint64_t used = NvKilobytesIn(disk);
  close(disk);
  return used;
}

// What a recording of so many seconds takes on the disk: its file and its
// index file, each in whole KB as the disk counts its files.
uint64_t RecordingKB(int64_t seconds) {
  const int64_t s = std::max<int64_t>(seconds, 0);
  return uint64_t(CeilDiv(s * SIMTV_RECORD_BYTES_PER_SECOND, 1024) + CeilDiv(s * kIndexBytesPerSecond, 1024));
}

int64_t RecordedSeconds(const Tuner& t, uint64_t now) { return int64_t((now - t.recordStart) / 1000); }

bool Timed(const Tuner& t) { return t.plannedSeconds >= 0; }

// The room the recordings under way that pass the filter take at the set's
// clock at: what they recorded so far, or (held) the room they hold, a timed
// one that of its whole length from its start.
template <class Filter>
uint64_t TakenKB(uint64_t at, bool held, Filter filter) {
  uint64_t kb = 0;
  for (const Tuner& t : R().tuners)
    if (t.recording && filter(t)) kb += RecordingKB(held && Timed(t) ? t.plannedSeconds : RecordedSeconds(t, at));
  return kb;
}

bool AnyRecording(const Tuner&) { return true; }

int64_t KBLeft(uint64_t takenKB) { return int64_t(R().disk.totalKB) - int64_t(UsedKB() + takenKB); }

// The space the disk has free: its files and what the recordings under way
// recorded so far are on it.
uint32_t FreeKB() { return uint32_t(std::max<int64_t>(KBLeft(TakenKB(Now(), false, AnyRecording)), 0)); }

// The room a new recording can have: the space free less what the
// recordings under way still hold for the rest of their length.
int64_t RoomKB() { return KBLeft(TakenKB(Now(), true, AnyRecording)); }

void EraseDisk() {
  if (const int disk = OpenDisk(true); disk >= 0) {
    if (std::string stays; !NvEmptyFolder(disk, &stays)) {
      std::fprintf(stderr, "SIMTV: the USB disk's files could not all be removed: %s\n", stays.c_str());
      NvNoteUnwritten(NvPath(kUsbMount), "its files could not all be removed: " + stays);
    }
    close(disk);
  }
  std::erase_if(R().recordings, [](const Recording& r) { return OnDisk(r.path); });
}

// ---------------------------------------------------------------- recordings

Recording* FindRecording(int32_t id, const char* path) {
  for (Recording& r : R().recordings)
    if (r.show.id == id && (!path || r.path == path)) return &r;
  return nullptr;
}

// The library's sort orders, as its list asks for them: by the time the show
// was recorded (0 and 1), its title (2 and 3) or its channel's number (4 and
// 5); an even order puts the later show first (the newest, Z, the highest).
enum SortKey : int32_t { kByTime, kByTitle, kByChannel };
constexpr int32_t kSortOrders = 6;
// The order of a list that asks for none, and that of the recorder's list
// of every show.
constexpr int32_t kAsRecorded = -1;
constexpr int32_t kNewestFirst = 0;

// Whether a comes before b by the key, read upwards.
bool SortsBefore(int32_t key, const XPM_RecordedShow& a, const XPM_RecordedShow& b) {
  switch (key) {
    case kByTime:
      return a.recordTime < b.recordTime;
    case kByTitle:
      return strcasecmp(a.title, b.title) < 0;
    default:
      return a.major != b.major ? a.major < b.major : a.minor < b.minor;
  }
}

int32_t ListRecordings(const char* path, int32_t* count, int32_t* ids, int32_t capacity, int32_t order = kAsRecorded) {
  if (!count || capacity < 0 || (capacity > 0 && !ids)) return kErrorBadArgument;
  std::vector<const Recording*> found;
  for (const Recording& r : R().recordings)
    if (!path || r.path == path) found.push_back(&r);
  if (order >= 0 && order < kSortOrders) {
    // Shows alike by the key keep the order they were recorded in.
    const int32_t key = order / 2;
    const bool upwards = order % 2 == 1;
    std::stable_sort(found.begin(), found.end(), [key, upwards](const Recording* a, const Recording* b) {
      return upwards ? SortsBefore(key, a->show, b->show) : SortsBefore(key, b->show, a->show);
    });
  } else if (order != kAsRecorded) {
    std::fprintf(stderr, "SIMTV: no sort order %d; the recordings are listed as they were recorded\n", order);
  }
  const size_t n = std::min(found.size(), size_t(capacity));
  for (size_t i = 0; i < n; ++i) ids[i] = found[i]->show.id;
  *count = int32_t(found.size());
  return 0;
}

int32_t ReadRecording(const char* path, int32_t id, XPM_RecordedShow* show) {
  if (!show) return kErrorBadArgument;
  const Recording* r = FindRecording(id, path);
  if (!r) return kErrorNotFound;
  if (r->unreadable) return kErrorNoAnswer;
  *show = r->show;
  return 0;
}

int32_t AddRecording(const std::string& path, const XPM_RecordedShow& show) {
  Recording r{path, show, false};
  r.show.id = R().nextRecordingId++;
  if (OnDisk(path)) WriteRecordingFiles(r.show);
  R().recordings.push_back(r);
  return r.show.id;
}

// -------------------------------------------------------------------- events

void SendRecordStatus(int32_t tuner, int32_t timerId, int32_t status) {
  const int32_t payload[3] = {tuner, timerId, status};
  simtv::EventLater(0, XpmEvent::RecordStatus, payload, sizeof payload);
}

// The show's record id, the device flag (the disk went) and the status.
void SendPlaybackStatus(int32_t recordId, bool deviceRemoved, int32_t status) {
  uint8_t payload[16] = {};
  std::memcpy(payload, &recordId, 4);
  payload[8] = deviceRemoved ? 1 : 0;
  std::memcpy(payload + 12, &status, 4);
  simtv::EventLater(0, XpmEvent::RecordPlaybackStatus, payload, sizeof payload);
}

// ------------------------------------------------------------------- playing

// Each fast call steps the rate: from another state to 2, then up to 9, then
// round to 1.
void StepRate(int32_t& state, int32_t& rate, int32_t fastState) {
  if (state != fastState) {
    state = fastState;
    rate = 2;
  } else {
    rate = rate >= 9 ? 1 : rate + 1;
  }
}

int32_t SpeedOf(int32_t rate) { return 1 << (std::clamp(rate, 1, 9) - 1); }

void SchedulePlaybackEdge();

// Brings the playback up to now: at the end of the show it stops, at its
// start (rewinding) it plays on from there; either is announced.
void SettlePlayback(uint64_t now) {
  Playback& p = R().playback;
  if (!p.active) return;
  const Motion& m = p.motion;
  if (m.speed > 0) {
    const uint64_t end = m.anchorTime + uint64_t(CeilDiv(p.totalMs - m.anchorPos, m.speed));
    if (now < end) return;
    simtv::WithdrawAnswer(p.edgeAnswer);
    p.active = false;
    p.state = kStop;
    p.rate = 0;
    p.motion.Set(end, p.totalMs, 0);
    SendPlaybackStatus(p.recordId, false, kPlaybackEnd);
  } else if (m.speed < 0) {
    const uint64_t start = m.anchorTime + uint64_t(CeilDiv(m.anchorPos, -m.speed));
    if (now < start) return;
    p.motion.Set(start, 0, 1);
    p.state = kPlay;
    p.rate = 1;
    SendPlaybackStatus(p.recordId, false, kPlaybackStart);
    SchedulePlaybackEdge();
  }
}

// The next end or start that the playback reaches, answered when it comes.
void SchedulePlaybackEdge() {
  Playback& p = R().playback;
  simtv::WithdrawAnswer(p.edgeAnswer);
  p.edgeAnswer = 0;
  if (!p.active || p.motion.speed == 0) return;
  const Motion& m = p.motion;
  const int64_t due = m.speed > 0 ? CeilDiv(p.totalMs - m.anchorPos, m.speed) : CeilDiv(m.anchorPos, -m.speed);
  const int64_t left = std::max<int64_t>(0, due - int64_t(Now() - m.anchorTime));
  const uint64_t token = p.token = NewToken();
  p.edgeAnswer = simtv::AnswerLater(uint32_t(std::min<int64_t>(left, UINT32_MAX)), [token] {
    std::lock_guard lock(g_mutex);
    if (R().playback.token == token) SettlePlayback(Now());
  });
}

int64_t PlaybackPosition(uint64_t now) {
  const Playback& p = R().playback;
  return std::clamp<int64_t>(p.motion.At(now), 0, p.totalMs);
}

// Changes the motion from now on and looks out for the next edge.
void MovePlayback(int64_t pos, int32_t speed) {
  R().playback.motion.Set(Now(), pos, speed);
  SchedulePlaybackEdge();
}

void StopPlayback() {
  Playback& p = R().playback;
  simtv::WithdrawAnswer(p.edgeAnswer);
  p.edgeAnswer = 0;
  p.active = false;
  p.state = kStop;
  p.rate = 0;
  p.motion.Set(Now(), 0, 0);
}

// ---------------------------------------------------------------- time-shift

// Brings a buffer up to now: fast forward that caught up with live television
// plays on at normal speed, a rewind that reached the buffer's start plays
// from there.
void SettleTimeshift(Timeshift& ts, uint64_t now) {
  if (!ts.active) return;
  const Motion& m = ts.motion;
  if (m.speed > 1) {
    const int64_t behind = int64_t(m.anchorTime - ts.bufferStart) - m.anchorPos;
    const uint64_t caught = m.anchorTime + uint64_t(CeilDiv(behind, m.speed - 1));
    if (now < caught) return;
    ts.motion.Set(caught, int64_t(caught - ts.bufferStart), 1);
  } else if (m.speed < 0) {
    const uint64_t start = m.anchorTime + uint64_t(CeilDiv(m.anchorPos, -m.speed));
    if (now < start) return;
    ts.motion.Set(start, 0, 1);
  } else {
    return;
  }
  ts.state = kPlay;
  ts.rate = 1;
}

int64_t TimeshiftPosition(const Timeshift& ts, uint64_t now) {
  return std::clamp<int64_t>(ts.motion.At(now), 0, int64_t(now - ts.bufferStart));
}

// ----------------------------------------------------------------- recording

int32_t LiveState(const Tuner& t) {
  if (t.recording) return kRecordingLiveTV;
  if (t.timeshift.active) return kPausedLiveTV;
  return t.liveState;
}

void ArmDiskFull();

// The recording on the tuner ends in the state given, which its timer's
// schedule row keeps: 0 once it completed.
void EndRecording(Tuner& t, int32_t state) {
  if (t.recording && t.timerId >= 0) simtv::SetScheduleStatus(t.timerId, state == kComplete ? 0 : state);
  simtv::WithdrawAnswer(t.endAnswer);
  t.endAnswer = 0;
  t.recording = false;
  t.validTimer = -1;
  ArmDiskFull();
}

// What the recorded show is called: its schedule row's, else the programme's
// on the air when it began, else the station's.
void DescribeShow(const Tuner& t, XPM_RecordedShow* show) {
  XPM_ChannelInfo channel{};
  if (simtv::FindChannel(t.medium, t.major, t.minor, &channel)) CopyText(show->channelName, channel.name);
  DB_ScheduledShow row{};
  if (t.timerId >= 0 && DB_Get_Scheduled_Show_By_Timer_Id(t.timerId, &row) == 0) {
    CopyText(show->title, row.title);
    CopyText(show->description, row.description);
    show->rating = row.rating;
    show->captionFlag = row.captionFlag > 0;
    return;
  }
  DB_EventRecord event{};
  int32_t count = 0;
  int32_t remaining = 0;
  if (DB_Get_EPG_Events(t.medium, t.major, t.minor, int32_t(t.localStart), 0, &event, 1, &count, &remaining) == 0 &&
      count > 0 && event.startTime <= t.localStart) {
    CopyText(show->title, event.title);
    CopyText(show->description, event.description);
    show->rating = event.usRating;
    show->captionFlag = event.captionFlag > 0;
    return;
  }
  CopyText(show->title, show->channelName[0] ? show->channelName : "Recording");
}

// A recording's file name: its number and its title as
// simtv_recording_file_name makes them into a name.
std::string FileNameOf(int32_t number, const std::string& title) {
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "%04d_", number);
  char name[XPM_RECORD_PATH_SIZE];
  simtv_recording_file_name(prefix, title.c_str(), name, sizeof name);
  return name;
}

// The recording ends in the state given, and so many seconds of it join the
// disk's recordings in that state.
void KeepRecording(int32_t tuner, int64_t seconds, int32_t state) {
  Tuner& t = R().tuners[tuner];
  XPM_RecordedShow show{};
  DescribeShow(t, &show);
  show.tuner = tuner;
  show.major = t.major;
  show.minor = t.minor;
  show.mapId = t.medium;
  show.startTime = t.localStart;
  show.recordTime = t.localStart;
  show.duration = int32_t(seconds);
  show.state = state;
  std::snprintf(show.fileName, sizeof show.fileName, "%s", FileNameOf(R().nextRecordingId, show.title).c_str());
  AddRecording(kUsbMount, show);
  const int32_t timerId = t.timerId;
  EndRecording(t, state);
  SendRecordStatus(tuner, timerId, state);
}

// The recording's time ran out: the show joins the disk's recordings whole.
void CompleteRecording(int32_t tuner) {
  KeepRecording(tuner, RecordedSeconds(R().tuners[tuner], Now()), kComplete);
}

// The recordings without an end, which take the disk's room as they record.
std::vector<int32_t> OpenEndedRecordings() {
  std::vector<int32_t> tuners;
  for (int32_t i = 0; i < kTuners; ++i)
    if (R().tuners[i].recording && !Timed(R().tuners[i])) tuners.push_back(i);
  return tuners;
}

// The room those recordings have together: the disk less its files and the
// room that the timed recordings hold.
int64_t OpenEndedRoomKB() { return KBLeft(TakenKB(Now(), true, Timed)); }

// Whether the recordings without an end would take more than the room at
// the set's clock at.
bool Overfull(uint64_t at, int64_t roomKB) {
  return int64_t(TakenKB(at, false, [](const Tuner& t) { return !Timed(t); })) > roomKB;
}

void DiskFull(uint64_t token);

// Looks out for the moment the recordings without an end fill the disk: the
// first second they would take more than their room. Whatever changes the
// room (a recording starts or ends, a file comes or goes) looks again.
void ArmDiskFull() {
  Disk& d = R().disk;
  simtv::WithdrawAnswer(d.fullAnswer);
  d.fullAnswer = 0;
  d.fullToken = NewToken();
  const std::vector<int32_t> tuners = OpenEndedRecordings();
  if (tuners.empty()) return;
  const uint64_t now = Now();
  const int64_t roomKB = OpenEndedRoomKB();
  // The room is filled by a second of each at most every second: past the
  // room's seconds and one more, the recordings are over it.
  uint64_t fits = now;
  uint64_t over = now + (uint64_t(std::max<int64_t>(roomKB, 0)) / 1024 + 2) * 1000;
  if (Overfull(now, roomKB)) {
    over = now;
  } else {
    while (over - fits > 1) {
      const uint64_t middle = fits + (over - fits) / 2;
      (Overfull(middle, roomKB) ? over : fits) = middle;
    }
  }
  const uint64_t token = d.fullToken;
  d.fullAnswer = simtv::AnswerLater(uint32_t(std::min<uint64_t>(over - now, UINT32_MAX)), [token] {
    std::lock_guard lock(g_mutex);
    DiskFull(token);
  });
}

// The disk is full: the recordings without an end stop and keep what they
// recorded that the disk holds, with the full-disk state. Room freed
// meanwhile lets them record on.
void DiskFull(uint64_t token) {
  if (R().disk.fullToken != token) return;
  const std::vector<int32_t> tuners = OpenEndedRecordings();
  const uint64_t now = Now();
  const int64_t roomKB = OpenEndedRoomKB();
  if (!Overfull(now, roomKB)) {
    ArmDiskFull();
    return;
  }
  std::vector<int64_t> seconds;
  for (int32_t i : tuners) seconds.push_back(RecordedSeconds(R().tuners[i], now));
  // The second that did not fit comes off the longest.
  auto kb = [&seconds] {
    uint64_t sum = 0;
    for (int64_t s : seconds) sum += RecordingKB(s);
    return int64_t(sum);
  };
  while (kb() > roomKB) {
    auto longest = std::max_element(seconds.begin(), seconds.end());
    if (*longest == 0) break;
    --*longest;
  }
  std::fprintf(stderr, "SIMTV: the USB disk is full: the recording stops\n");
  for (size_t i = 0; i < tuners.size(); ++i) KeepRecording(tuners[i], seconds[i], kNoSpace);
}

// Why a recording of so many seconds cannot start now; 0 when it can. It
// needs the room of its whole length beside what the recordings under way
// hold.
int32_t RecordRefusal(const Tuner& t, int32_t major, int32_t minor, int64_t seconds) {
  if (t.recording) return kTunerBusy;
  if (minor <= 0) return kNotDigital;
  XPM_ChannelInfo channel{};
  if (!simtv::FindChannel(t.medium, major, minor, &channel)) return kNoSignal;
  if (!Mounted()) return kNoDisk;
  if (RoomKB() < int64_t(RecordingKB(seconds))) return kNoSpace;
  return 0;
}

// A recording starts on the tuner, or the status says why it cannot. The
// caller holds the lock.
void StartRecording(int32_t tuner, int32_t major, int32_t minor, int32_t medium) {
  Tuner& t = R().tuners[tuner];
  // With a valid timer the recording ends with the timer's show, at its
  // start plus its duration and late end, however early it began; without
  // one it records until the disk goes or is full.
  XPM_TimerInfo timer{};
  const bool timed = t.validTimer >= 0 && simtv::TimerOf(t.validTimer, &timer);
  int64_t seconds = -1;
  if (timed) {
    const int64_t now = simtv_tv_local_time();
    const int64_t end = simtv::TimerRecordingEnd(t.validTimer, t.validEarly, now);
    // Started outside its show's window, it records the window's length.
    seconds = end > now ? end - now
                        : int64_t(std::max(t.validEarly, 0)) + timer.duration + std::max(timer.endDelay, 0);
  }
  t.medium = medium;
  if (int32_t refusal = RecordRefusal(t, major, minor, seconds >= 0 ? seconds : kOpenEndedSeconds)) {
    SendRecordStatus(tuner, t.validTimer, refusal);
    // The timer named for this recording is done with, and its schedule row
    // shows why it was not recorded; the timer of the recording under way
    // (a second start on a busy tuner) is not.
    if (t.validTimer >= 0 && !(t.recording && t.validTimer == t.timerId)) {
      simtv::SetScheduleStatus(t.validTimer, refusal);
      t.validTimer = -1;
    }
    return;
  }
  t.recording = true;
  t.major = major;
  t.minor = minor;
  t.timerId = timed ? t.validTimer : -1;
  t.recordStart = Now();
  t.localStart = simtv_tv_local_time();
  t.plannedSeconds = seconds;
  t.channels[medium][0] = major;
  t.channels[medium][1] = minor;
  if (t.timerId >= 0) simtv::SetScheduleStatus(t.timerId, kRecording);
  ArmDiskFull();
  SendRecordStatus(tuner, t.timerId, kStarted);
  SendRecordStatus(tuner, t.timerId, kRecording);
  if (seconds >= 0) {
    const uint64_t token = t.token = NewToken();
    t.endAnswer = simtv::AnswerLater(uint32_t(std::min<int64_t>(seconds * 1000, UINT32_MAX)), [tuner, token] {
      std::lock_guard lock(g_mutex);
      if (R().tuners[tuner].recording && R().tuners[tuner].token == token) CompleteRecording(tuner);
    });
  }
}

}  // namespace

// ------------------------------------------------------------ timers due

void simtv::StartTimerRecording(int32_t timerId, const XPM_TimerInfo& timer) {
  std::lock_guard lock(g_mutex);
  const int32_t tuner = timer.source != 0 ? 1 : 0;
  Tuner& t = R().tuners[tuner];
  t.validTimer = timerId;
  t.validOnce = timer.timesType == kTimesTypeOnce ? 1 : 0;
  t.validEarly = timer.startEarly;
  // A timer of neither medium records from the one the set is on.
  StartRecording(tuner, timer.major, timer.minor, timer.mapId == 0 || timer.mapId == 1 ? timer.mapId : CurrentMedium());
}

// ------------------------------------------------------------ recorder reset

bool simtv::UsbDiskMounted() {
  std::lock_guard lock(g_mutex);
  return Mounted();
}

void simtv::ResetRecorder() {
  std::lock_guard lock(g_mutex);
  Recorder& r = R();
  for (const Tuner& t : r.tuners) simtv::WithdrawAnswer(t.endAnswer);
  simtv::WithdrawAnswer(r.playback.edgeAnswer);
  simtv::WithdrawAnswer(r.disk.formatAnswer);
  simtv::WithdrawAnswer(r.disk.testAnswer);
  simtv::WithdrawAnswer(r.disk.fullAnswer);
  r = Recorder{};
}

extern "C" {

// ------------------------------------------------------------ recorded shows

int32_t XPM_Get_All_Recorded_Show_Counts(int32_t* count, int32_t* ids, int32_t capacity) {
  PVR_CALL("XPM_Get_All_Recorded_Show_Counts", Args{}.Ptr().Ptr().Int(capacity));
  // Newest first, by the record time: the set's own recordings, made after
  // the fixture's, come before them.
  return ListRecordings(nullptr, count, ids, capacity, kNewestFirst);
}

int32_t XPM_Get_Recorded_Show(int32_t id, XPM_RecordedShow* show) {
  PVR_CALL("XPM_Get_Recorded_Show", Args{}.Int(id).Ptr());
  return ReadRecording(nullptr, id, show);
}

int32_t XPM_Get_All_Recorded_Show_Counts_with_Path(const char* path, int32_t* count, int32_t* ids, int32_t capacity,
                                                   int32_t parameter) {
  PVR_CALL("XPM_Get_All_Recorded_Show_Counts_with_Path", Args{}.Text(path).Ptr().Ptr().Int(capacity).Int(parameter));
  if (!path) return kErrorBadArgument;
  return ListRecordings(path, count, ids, capacity, parameter);
}

int32_t XPM_Get_Recorded_Show_with_Path(const char* path, int32_t id, XPM_RecordedShow* show) {
  PVR_CALL("XPM_Get_Recorded_Show_with_Path", Args{}.Text(path).Int(id).Ptr());
  if (!path) return kErrorBadArgument;
  return ReadRecording(path, id, show);
}

int32_t XPM_Delete_Record_Playback(const char* path, int32_t recordId) {
  PVR_CALL("XPM_Delete_Record_Playback", Args{}.Text(path).Int(recordId));
  if (!path) return kErrorBadArgument;
  const size_t before = R().recordings.size();
  std::erase_if(R().recordings, [&](const Recording& r) { return r.show.id == recordId && r.path == path; });
  if (R().recordings.size() == before) return kErrorNotFound;
  return 0;
}

int32_t XPM_Change_Program_Title(const char* path, int32_t recordId, const char* title) {
  PVR_CALL("XPM_Change_Program_Title", Args{}.Text(path).Int(recordId).Text(title));
  if (!path || !title) return kErrorBadArgument;
  Recording* r = FindRecording(recordId, path);
  if (!r) return kErrorNotFound;
  CopyText(r->show.title, title);
  return 0;
}

// A show on the mounted disk goes with its files.
int32_t XPM_Delete_Recorded_Show(int32_t id) {
  PVR_CALL("XPM_Delete_Recorded_Show", Args{}.Int(id));
  Recording* r = FindRecording(id, nullptr);
  if (!r) return kErrorNotFound;
  if (OnDisk(r->path) && Mounted() && r->show.fileName[0]) {
    RemoveFile(r->show.fileName);
    RemoveFile(IndexName(r->show.fileName));
    ArmDiskFull();
  }
  std::erase_if(R().recordings, [id](const Recording& rec) { return rec.show.id == id; });
  return 0;
}

int32_t XPM_Get_USB_MountPoint_Count(int32_t* count, char* first, char* second) {
  PVR_CALL("XPM_Get_USB_MountPoint_Count", Args{}.Ptr().Ptr().Ptr());
  if (!count) return kErrorBadArgument;
  const auto& points = R().mountPoints;
  *count = static_cast<int32_t>(points.size());
  auto copy = [](char* target, const std::string& text) {
    std::snprintf(target, XPM_MOUNT_POINT_SIZE, "%s", text.c_str());
  };
  if (first) copy(first, points.size() > 0 ? points[0] : std::string());
  if (second) copy(second, points.size() > 1 ? points[1] : std::string());
  return 0;
}

// ------------------------------------------------------------------- tuners

int32_t XPM_GetLiveTVState(int32_t window, int32_t* state) {
  PVR_CALL("XPM_GetLiveTVState", Args{}.Int(window).Ptr());
  if (!state || !ValidTuner(window)) return kErrorBadArgument;
  SettleTimeshift(R().tuners[window].timeshift, Now());
  *state = LiveState(R().tuners[window]);
  return 0;
}

int32_t XPM_GetCurrentTunerId(int32_t* tuner) {
  PVR_CALL("XPM_GetCurrentTunerId", Args{}.Ptr());
  if (!tuner) return kErrorBadArgument;
  *tuner = R().currentTuner;
  return 0;
}

int32_t XPM_GetTempCurrentChannel(int32_t tuner, int32_t medium, int32_t* major, int32_t* minor) {
  PVR_CALL("XPM_GetTempCurrentChannel", Args{}.Int(tuner).Int(medium).Ptr().Ptr());
  if (!ValidTuner(tuner) || (medium != 0 && medium != 1) || !major || !minor) return kErrorBadArgument;
  *major = R().tuners[tuner].channels[medium][0];
  *minor = R().tuners[tuner].channels[medium][1];
  return 0;
}

int32_t xpm_setsource_record(int32_t source) {
  PVR_CALL("xpm_setsource_record", Args{}.Int(source));
  R().recordSource = source;
  return 0;
}

int32_t XPM_Set_Timer_Record_Valid(int32_t tuner, int32_t once, int32_t timerId, int32_t startEarly) {
  PVR_CALL("XPM_Set_Timer_Record_Valid", Args{}.Int(tuner).Int(once).Int(timerId).Int(startEarly));
  if (!ValidTuner(tuner) || timerId < 0 || timerId >= XPM_TIMER_COUNT) return kErrorBadArgument;
  Tuner& t = R().tuners[tuner];
  t.validTimer = timerId;
  t.validOnce = once;
  t.validEarly = startEarly;
  return 0;
}

int32_t XPM_SetWakeState(int32_t state, int32_t flag) {
  PVR_CALL("XPM_SetWakeState", Args{}.Int(state).Int(flag));
  R().wakeState = state;
  return 0;
}

int32_t XPM_RECORDING_START_WITH_TRY(int32_t tuner, int32_t major, int32_t minor, int32_t flags, int32_t tries) {
  const int32_t medium = CurrentMedium();
  PVR_CALL("XPM_RECORDING_START_WITH_TRY", Args{}.Int(tuner).Int(major).Int(minor).Int(flags).Int(tries));
  if (!ValidTuner(tuner)) return kErrorBadArgument;
  StartRecording(tuner, major, minor, medium);
  return 0;
}

int32_t XPM_GetActiveTimer(int32_t tuner, int32_t* timerId) {
  PVR_CALL("XPM_GetActiveTimer", Args{}.Int(tuner).Ptr());
  if (!ValidTuner(tuner) || !timerId) return kErrorBadArgument;
  *timerId = R().tuners[tuner].recording ? R().tuners[tuner].timerId : -1;
  return 0;
}

// ------------------------------------------------------------------ playback

int32_t XPM_Record_Playback_Play(const char* path, int32_t recordId, int32_t flag, int32_t startMs) {
  PVR_CALL("XPM_Record_Playback_Play", Args{}.Text(path).Int(recordId).Int(flag).Int(startMs));
  if (!path) return kErrorBadArgument;
  const Recording* r = FindRecording(recordId, path);
  if (!r || (OnDisk(r->path) && !Mounted())) return kErrorNotFound;
  if (r->unreadable) return kErrorNoAnswer;
  StopPlayback();
  Playback& p = R().playback;
  p.active = true;
  p.path = path;
  p.recordId = recordId;
  p.totalMs = int64_t(std::max(r->show.duration, 0)) * 1000;
  p.state = kPlay;
  p.rate = 1;
  MovePlayback(std::clamp<int64_t>(startMs, 0, p.totalMs), 1);
  return 0;
}

int32_t XPM_Record_Playback_Stop(int32_t keepMark) {
  PVR_CALL("XPM_Record_Playback_Stop", Args{}.Int(keepMark));
  SettlePlayback(Now());
  Playback& p = R().playback;
  if (!p.active) return 0;
  if (keepMark) {
    Recording* r = FindRecording(p.recordId, p.path.c_str());
    if (r) r->show.mark = int32_t(PlaybackPosition(Now()) / 1000);
  }
  StopPlayback();
  return 0;
}

int32_t XPM_Record_Playback_Pause(void) {
  PVR_CALL("XPM_Record_Playback_Pause", Args{});
  SettlePlayback(Now());
  Playback& p = R().playback;
  if (!p.active) return kErrorNotFound;
  const bool resume = p.state == kPause;
  p.state = resume ? kPlay : kPause;
  p.rate = 1;
  MovePlayback(PlaybackPosition(Now()), resume ? 1 : 0);
  return 0;
}

int32_t XPM_Record_Playback_FastForward(void) {
  PVR_CALL("XPM_Record_Playback_FastForward", Args{});
  SettlePlayback(Now());
  Playback& p = R().playback;
  if (!p.active) return kErrorNotFound;
  StepRate(p.state, p.rate, kForward);
  MovePlayback(PlaybackPosition(Now()), SpeedOf(p.rate));
  return 0;
}

int32_t XPM_Record_Playback_FastBackward(void) {
  PVR_CALL("XPM_Record_Playback_FastBackward", Args{});
  SettlePlayback(Now());
  Playback& p = R().playback;
  if (!p.active) return kErrorNotFound;
  StepRate(p.state, p.rate, kBackward);
  MovePlayback(PlaybackPosition(Now()), -SpeedOf(p.rate));
  return 0;
}

int32_t XPM_Record_Playback_Skip(int32_t seconds) {
  PVR_CALL("XPM_Record_Playback_Skip", Args{}.Int(seconds));
  SettlePlayback(Now());
  Playback& p = R().playback;
  if (!p.active) return kErrorNotFound;
  const int64_t to = std::clamp<int64_t>(PlaybackPosition(Now()) + int64_t(seconds) * 1000, 0, p.totalMs);
  MovePlayback(to, p.motion.speed);
  SettlePlayback(Now());
  return 0;
}

int32_t XPM_Get_Record_Playback_Status(XPM_RecordPlaybackStatus* status) {
  PVR_CALL("XPM_Get_Record_Playback_Status", Args{}.Ptr());
  if (!status) return kErrorBadArgument;
  SettlePlayback(Now());
  const Playback& p = R().playback;
  *status = XPM_RecordPlaybackStatus{};
  if (!p.active) return 0;
  status->total = int32_t(p.totalMs / 1000);
  status->position = int32_t(PlaybackPosition(Now()) / 1000);
  status->rate = p.rate;
  status->state = p.state;
  return 0;
}

// ---------------------------------------------------------------- time-shift

int32_t XPM_GetTimeshiftStatus(int32_t tuner, XPM_TimeshiftStatus* status) {
  PVR_CALL("XPM_GetTimeshiftStatus", Args{}.Int(tuner).Ptr());
  if (!ValidTuner(tuner) || !status) return kErrorBadArgument;
  Timeshift& ts = R().tuners[tuner].timeshift;
  const uint64_t now = Now();
  SettleTimeshift(ts, now);
  *status = XPM_TimeshiftStatus{};
  if (!ts.active) return 0;
  status->buffered = int32_t((now - ts.bufferStart) / 1000);
  status->position = int32_t(TimeshiftPosition(ts, now) / 1000);
  status->rate = ts.rate;
  status->state = ts.state;
  return 0;
}

int32_t Timeshift_KeyProc(int32_t action) {
  PVR_CALL("Timeshift_KeyProc", Args{}.Int(action));
  if (action < 0 || action > 7) return kErrorBadArgument;
  Timeshift& ts = R().tuners[R().currentTuner].timeshift;
  const uint64_t now = Now();
  SettleTimeshift(ts, now);
  if (!ts.active) {
    // From live television only a pause does something: the buffer begins.
    if (action == 1) {
      ts.active = true;
      ts.bufferStart = now;
      ts.motion.Set(now, 0, 0);
      ts.state = kPause;
      ts.rate = 1;
    }
    return 0;
  }
  const int64_t pos = TimeshiftPosition(ts, now);
  const int64_t live = int64_t(now - ts.bufferStart);
  auto play = [&](int64_t from) {
    ts.motion.Set(now, from, 1);
    ts.state = kPlay;
    ts.rate = 1;
  };
  switch (action) {
    case 0:
      play(pos);
      break;
    case 1:
      if (ts.state == kPause) {
        play(pos);
      } else {
        ts.motion.Set(now, pos, 0);
        ts.state = kPause;
        ts.rate = 1;
      }
      break;
    case 2:
      StepRate(ts.state, ts.rate, kForward);
      ts.motion.Set(now, pos, SpeedOf(ts.rate));
      break;
    case 3:
      StepRate(ts.state, ts.rate, kBackward);
      ts.motion.Set(now, pos, -SpeedOf(ts.rate));
      break;
    case 4:
    case 5:
      ts.motion.Set(now, std::clamp<int64_t>(pos + (action == 4 ? kTimeshiftSkipMs : -kTimeshiftSkipMs), 0, live),
                    ts.motion.speed);
      break;
    case 6:
      play(0);
      break;
    case 7:
      ts = Timeshift{};
      break;
  }
  return 0;
}

// ------------------------------------------------------------------ the disk

int32_t XPM_GetUSBDiskInfo(XPM_USBDiskInfo* info) {
  PVR_CALL("XPM_GetUSBDiskInfo", Args{}.Ptr());
  if (!info) return kErrorBadArgument;
  *info = XPM_USBDiskInfo{};
  if (!Mounted()) return 0;
  info->mounted = 1;
  CopyText(info->mountPoint, kUsbMount);
  CopyText(info->fileSystem, R().disk.fileSystem.c_str());
  info->totalKB = R().disk.totalKB;
  info->freeKB = FreeKB();
  return 0;
}

// A failure of the long operations is their result: the call accepts it and
// the event carries the code, as a disk that went away meanwhile does.
int32_t XPM_USBDiskFormat(void) {
  simk::Record("XPM_USBDiskFormat");
  int32_t failure = 0;
  simk::Fails("XPM_USBDiskFormat", &failure);
  std::lock_guard lock(g_mutex);
  Disk& d = R().disk;
  simtv::WithdrawAnswer(d.formatAnswer);
  const uint64_t token = d.formatToken = NewToken();
  d.formatAnswer = simtv::AnswerLater(SIMTV_USB_FORMAT_MS, [token, failure] {
    std::lock_guard lock(g_mutex);
    if (R().disk.formatToken != token) return;
    int32_t status = failure;
    if (status == 0 && !Mounted()) status = kErrorNotFound;
    if (status == 0) {
      EraseDisk();
      ArmDiskFull();
    }
    simtv::EventLater(0, XpmEvent::UsbFormat, &status, sizeof status);
  });
  return 0;
}

int32_t XPM_USBSpeedTest(void) {
  simk::Record("XPM_USBSpeedTest");
  int32_t failure = 0;
  simk::Fails("XPM_USBSpeedTest", &failure);
  std::lock_guard lock(g_mutex);
  Disk& d = R().disk;
  simtv::WithdrawAnswer(d.testAnswer);
  const uint64_t token = d.testToken = NewToken();
  d.testAnswer = simtv::AnswerLater(SIMTV_USB_SPEED_TEST_MS, [token, failure] {
    std::lock_guard lock(g_mutex);
    if (R().disk.testToken != token) return;
    const bool mounted = Mounted();
    const int32_t words[4] = {failure != 0 ? failure : mounted ? 0 : kErrorNotFound, 0,
                              int32_t(mounted ? R().disk.totalKB : 0), int32_t(mounted ? FreeKB() : 0)};
    const double speed = mounted && failure == 0 ? double(R().disk.speed) : 0.0;
    uint8_t payload[40] = {};
    std::memcpy(payload, words, sizeof words);
    std::memcpy(payload + 16, &speed, sizeof speed);
    std::snprintf(reinterpret_cast<char*>(payload + 24), 16, "%s", mounted ? R().disk.fileSystem.c_str() : "");
    simtv::EventLater(0, XpmEvent::PvrPerfStatus, payload, sizeof payload);
  });
  return 0;
}

int32_t XPM_AbortUSBSpeedTest(void) {
  PVR_CALL("XPM_AbortUSBSpeedTest", Args{});
  Disk& d = R().disk;
  simtv::WithdrawAnswer(d.testAnswer);
  d.testAnswer = 0;
  d.testToken = NewToken();
  return 0;
}

// --------------------------------------------------------- simulation control

int32_t simtv_tv_add_recording(const char* path, const XPM_RecordedShow* show) {
  if (!show) return -1;
  std::lock_guard lock(g_mutex);
  return AddRecording(path ? path : "", *show);
}

void simtv_tv_clear_recordings(void) {
  std::lock_guard lock(g_mutex);
  R().recordings.clear();
  R().nextRecordingId = 1;
}

void simtv_tv_set_recording_unreadable(int32_t id, int32_t unreadable) {
  std::lock_guard lock(g_mutex);
  if (Recording* r = FindRecording(id, nullptr)) r->unreadable = unreadable != 0;
}

void simtv_tv_set_mount_points(int32_t count, const char* first, const char* second) {
  bool before, after;
  {
    std::lock_guard lock(g_mutex);
    before = Mounted();
    auto& points = R().mountPoints;
    points.clear();
    if (count >= 1) points.emplace_back(first ? first : "");
    if (count >= 2) points.emplace_back(second ? second : "");
    for (int32_t i = 2; i < count; ++i) points.emplace_back("/mnt/usb/sd" + std::string(1, char('a' + i)) + "1");
    after = Mounted();
  }
  if (before != after) simtv::MediaStorageChanged(after);
}

void simtv_tv_set_live_tv_state(int32_t window, int32_t state) {
  if (!ValidTuner(window)) return;
  std::lock_guard lock(g_mutex);
  R().tuners[window].liveState = state;
}

// A long title is cut at the start of a character, never within one, so
// that the name keeps its extension, and its index name the same title,
// within the name's buffer.
void simtv_recording_file_name(const char* prefix, const char* title, char* name, size_t size) {
  if (!name || size == 0) return;
  constexpr char kExtension[] = ".trp";
  const std::string head = prefix ? prefix : "";
  std::string cut = title ? title : "";
  const size_t fixed = head.size() + (sizeof kExtension - 1);
  const size_t room = size > fixed ? size - 1 - fixed : 0;
  if (cut.size() > room) {
    size_t at = room;
    while (at > 0 && (static_cast<unsigned char>(cut[at]) & 0xC0) == 0x80) --at;
    cut.resize(at);
  }
  std::replace_if(cut.begin(), cut.end(), [](char c) { return c == '/' || c == ' ' || c == '.'; }, '_');
  std::snprintf(name, size, "%s%s%s", head.c_str(), cut.c_str(), kExtension);
}

int simtv_recording_title_fault(const char* title) {
  // Characters that draw nothing: the white space of Unicode, and the format
  // characters that only join or part others.
  constexpr uint32_t kBlank[][2] = {{0x20, 0x20},     {0xA0, 0xA0},     {0xAD, 0xAD},     {0x1680, 0x1680},
                                    {0x180E, 0x180E}, {0x2000, 0x200D}, {0x202F, 0x202F}, {0x205F, 0x2064},
                                    {0x3000, 0x3000}, {0xFEFF, 0xFEFF}};
  const auto* p = reinterpret_cast<const unsigned char*>(title ? title : "");
  bool blank = true;
  while (*p) {
    // Decoded as the screens decode it: a byte that starts no whole
    // character stands for one that draws (the replacement mark).
    const int extra = *p < 0x80 ? 0 : (*p >> 5) == 0x6 ? 1 : (*p >> 4) == 0xE ? 2 : (*p >> 3) == 0x1E ? 3 : -1;
    uint32_t c = extra > 0 ? *p & (0x3F >> extra) : *p;
    int taken = 1;
    for (; extra > 0 && taken <= extra && (p[taken] & 0xC0) == 0x80; ++taken) c = c << 6 | (p[taken] & 0x3F);
    if (extra < 0 || taken != extra + 1) {
      blank = false;
      ++p;
      continue;
    }
    p += taken;
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029) return SIMTV_TITLE_CONTROL;
    const bool drawsNothing =
        std::any_of(std::begin(kBlank), std::end(kBlank), [c](const uint32_t(&r)[2]) { return c >= r[0] && c <= r[1]; });
    blank = blank && drawsNothing;
  }
  return blank ? SIMTV_TITLE_BLANK : SIMTV_TITLE_OK;
}

void simtv_usb_insert(uint32_t totalKB, const char* fileSystem) {
  bool mounted;
  {
    std::lock_guard lock(g_mutex);
    R().disk.totalKB = totalKB;
    R().disk.fileSystem = fileSystem ? fileSystem : "";
    mounted = Mounted();
    if (!mounted) R().mountPoints.emplace_back(kUsbMount);
    ArmDiskFull();
  }
  if (!mounted) simtv::MediaStorageChanged(true);
}

void simtv_usb_remove(void) {
  {
    std::lock_guard lock(g_mutex);
    if (!Mounted()) return;
    std::erase(R().mountPoints, std::string(kUsbMount));
    Playback& p = R().playback;
    SettlePlayback(Now());
    if (p.active && OnDisk(p.path)) {
      const int32_t id = p.recordId;
      StopPlayback();
      SendPlaybackStatus(id, true, 0);
    }
    for (int32_t i = 0; i < kTuners; ++i) {
      Tuner& t = R().tuners[i];
      t.timeshift = Timeshift{};
      if (!t.recording) continue;
      const int32_t timerId = t.timerId;
      EndRecording(t, kNoDisk);
      SendRecordStatus(i, timerId, kNoDisk);
    }
  }
  simtv::MediaStorageChanged(false);
}

int simtv_usb_present(void) {
  std::lock_guard lock(g_mutex);
  return Mounted() ? 1 : 0;
}

uint32_t simtv_usb_free_kb(void) {
  std::lock_guard lock(g_mutex);
  return FreeKB();
}

int simtv_usb_write_file(const char* name, uint64_t bytes) {
  if (!name) return -1;
  std::lock_guard lock(g_mutex);
  const std::string why = WriteFile(name, bytes);
  if (!why.empty()) {
    std::fprintf(stderr, "SIMTV: %s could not be written on the USB disk: %s\n", name, why.c_str());
    NvNoteUnwritten(DiskPath(name), why);
  }
  const bool written = why.empty();
  ArmDiskFull();
  return written ? 0 : -1;
}

int simtv_usb_file_exists(const char* name) {
  if (!name) return 0;
  const std::string path = DiskPath(name);
  std::string file;
  const int folder = path.empty() ? -1 : NvOpenFolderOf(path, &file, false, nullptr);
  if (folder < 0) return 0;
  struct stat info {};
  const bool there = fstatat(folder, file.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
  close(folder);
  return there ? 1 : 0;
}

void simtv_usb_set_speed(int32_t mbPerSecond) {
  std::lock_guard lock(g_mutex);
  R().disk.speed = mbPerSecond;
}

void simtv_tv_set_current_tuner(int32_t tuner) {
  if (!ValidTuner(tuner)) return;
  std::lock_guard lock(g_mutex);
  R().currentTuner = tuner;
}

void simtv_tv_set_timeshift(int32_t tuner, int32_t buffered, int32_t position, int32_t state) {
  if (!ValidTuner(tuner) || buffered < 0) return;
  std::lock_guard lock(g_mutex);
  Timeshift& ts = R().tuners[tuner].timeshift;
  const uint64_t now = Now();
  const uint64_t bufferedMs = uint64_t(buffered) * 1000;
  ts.active = true;
  // Early on the set's clock the start lies before its zero: the clock's
  // differences are taken modulo 2^64, so the buffer's length still holds.
  ts.bufferStart = now - bufferedMs;
  ts.state = state == kPause ? kPause : kPlay;
  ts.rate = 1;
  ts.motion.Set(now, std::clamp<int64_t>(int64_t(position) * 1000, 0, int64_t(bufferedMs)), ts.state == kPlay ? 1 : 0);
}

void simtv_tv_set_tuner_channel(int32_t tuner, int32_t medium, int32_t major, int32_t minor) {
  if (!ValidTuner(tuner) || (medium != 0 && medium != 1)) return;
  std::lock_guard lock(g_mutex);
  R().tuners[tuner].channels[medium][0] = major;
  R().tuners[tuner].channels[medium][1] = minor;
}

int32_t simtv_tv_recording(int32_t tuner, int32_t* major, int32_t* minor) {
  if (!ValidTuner(tuner)) return 0;
  std::lock_guard lock(g_mutex);
  const Tuner& t = R().tuners[tuner];
  if (!t.recording) return 0;
  if (major) *major = t.major;
  if (minor) *minor = t.minor;
  return 1;
}

}  // extern "C"
