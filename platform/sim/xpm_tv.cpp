// The simulated television's channels, timers, recordings, rating regions,
// HDMI-CEC devices, network interfaces, wireless networks, 3D state, the set
// as a whole, the network applications and the state manager's register
// table. Everything lives in one state record behind one mutex; the GUI
// thread, the tests that drive it and the set's answers, which come later
// from the answering thread, are its callers.
#include "xpm.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "db.h"
#include "simkernel.h"
#include "simtv.h"
#include "simvalues.h"
#include "tvsm.h"
#include "vgcalendar.h"
#include "xpm_events.h"

namespace {

constexpr int32_t kErrorNoAnswer = 1;
constexpr int32_t kErrorBadArgument = 2;
constexpr int32_t kErrorNotFound = 3;

// How long the set takes over its long operations (simtv.h tells the tests).
constexpr uint32_t kScanMs = 2000;
constexpr uint32_t kJoinMs = 3000;
constexpr uint32_t kLinkDownMs = 500;
constexpr uint32_t kWpsWalkMs = 120000;
constexpr uint32_t kTestMs = 1500;
constexpr uint32_t kCecDeviceMs = 200;
constexpr uint32_t kCecAudioMs = 300;
constexpr uint32_t kLaunchMs = 1000;
constexpr uint32_t kNotifyMs = 100;

// Outcomes of a join, as the connect-complete event tells them.
constexpr int32_t kJoinNoNetwork = 0;
constexpr int32_t kJoinRefused = 1;
constexpr int32_t kJoined = 2;
// The network-status event's word for the wireless link.
constexpr int32_t kWirelessUp = 3;
constexpr int32_t kWirelessDown = 5;
constexpr uint8_t kOpenNetwork = 0;
constexpr uint8_t kAudioSystemAddress = 5;

constexpr int32_t kWidgetApp = 2;
constexpr int32_t kFlashApp = 3;
constexpr int32_t kInBackground = 0x20;

// Wednesday 15 June 2011, 19:30:00: the set's clock stands still at this time
// until it is set, so that what the guide and the recorder show is the same on
// every run.
constexpr int64_t kDefaultTime = 1308166200;

struct RatingLevel {
  std::string abbreviation;
  std::string text;
  int8_t value = 0;
};

struct RatingDimension {
  std::string name;
  bool graduated = false;
  std::vector<RatingLevel> levels;
};

struct RatingRegion {
  std::string name;
  std::vector<RatingDimension> dimensions;
};

struct Lan {
  int32_t state = 0;
  XPM_IFState config{};
};

// A router's WPS: the PIN registered with it, and until when (set's clock)
// its push button waits for the set's.
struct WpsRouter {
  std::string pin;
  uint64_t buttonUntil = 0;
};

struct State {
  // The local time set last, and the set's clock (ms) when it was set: the
  // time runs on with the clock from there.
  int64_t localTime = kDefaultTime;
  uint64_t localSetAt = 0;
  // Timers due after this local second are still to come; the answer that
  // starts the next of them.
  int64_t timersFrom = kDefaultTime;
  uint64_t dueAnswer = 0;
  int32_t powerOnHours = 0;
  std::vector<XPM_ChannelInfo> channels;
  XPM_CurrentChannelInfo current[2] = {};
  std::vector<XPM_AudioServiceInfo> audioServices;
  XPM_TimerInfo timers[XPM_TIMER_COUNT] = {};
  // The timer that the last XPM_SetTimer refused for its overlap (-1: none):
  // the conflict list holds the stored timers it collides with.
  int32_t refusedIndex = -1;
  XPM_TimerInfo refused{};
  std::map<int32_t, RatingRegion> ratingRegions;
  int32_t cecEnable = 1;
  std::vector<XPM_CECDevice> cecDevices;
  Lan lan[2];
  int32_t input3D = 1;
  int32_t mode3D = 1;
  int32_t output3D = 0;
  int32_t lrReverse = 0;
  std::vector<XPM_AppStatus> apps;
  int32_t freeze[2] = {};
  int32_t pipMode = 0;
  int32_t extOutputMute = 0;
  int32_t menuLanguage = 0;
  std::string firmwareVersion = "TV 1.02.0034";
  std::vector<XPM_WLAN_AccessPoint> accessPoints;
  std::map<std::string, std::string> wlanKeys;
  bool scanned = false;
  std::string scanName;  // of the last scan that ended; empty: every network
  uint64_t scan = 0;     // the answer of the scan that runs
  uint64_t join = 0;     // the answer of the join under way
  std::string joined;    // the network of the wireless link; empty without one
  int32_t wpsPin = 12345670;
  std::map<std::string, WpsRouter> wpsRouters;
  uint64_t pushButtonUntil = 0;  // the set's WPS push button waits until then
  uint64_t pushButtonTimeout = 0;
  int32_t lanSpeed = 20480;
  uint64_t test = 0;  // the answer of the connection test that runs
  int32_t systemAudio = 0;
  std::map<std::string, std::string> registers;
  std::map<std::string, int32_t> registerNotify;
  // Counts the resets: an answer asked for before the last one is not given.
  uint64_t generation = 0;
};

simk::StateMutex g_mutex;

XPM_TimerInfo DefaultTimer() {
  XPM_TimerInfo t{};
  t.duration = 3600;
  t.source = -1;
  t.major = -2;
  t.minor = -2;
  t.volume = 30;
  t.mapId = 2;
  t.sourceType = 1;
  t.start = VgLocalParts(kDefaultTime);
  return t;
}

State Fresh() {
  State s;
  s.localSetAt = simk::NowMs();
  for (XPM_TimerInfo& t : s.timers) t = DefaultTimer();
  for (XPM_CurrentChannelInfo& c : s.current) {
    c.major = -2;
    c.minor = -2;
  }
  return s;
}

State& S() {
  static State state = Fresh();
  return state;
}

template <size_t N>
void CopyText(char (&target)[N], const char* text) {
  std::snprintf(target, N, "%s", text ? text : "");
}

void CopyText(char* target, int32_t size, const std::string& text) {
  if (target && size > 0) std::snprintf(target, static_cast<size_t>(size), "%s", text.c_str());
}

int32_t CurrentMedium() {
  int32_t medium = 0;
  return XPM_GetMedium(&medium) == 0 && medium == 1 ? 1 : 0;
}

bool ChannelBefore(const XPM_ChannelInfo& a, const XPM_ChannelInfo& b) {
  return a.major != b.major ? a.major < b.major : a.minor < b.minor;
}

// Copies the channels that pass the filter, in channel-number order.
template <class Filter>
int32_t CopyChannels(Filter filter, XPM_ChannelInfo* out, int32_t capacity, int32_t* count) {
  if (!count || capacity < 0 || (capacity > 0 && !out)) return kErrorBadArgument;
  std::vector<const XPM_ChannelInfo*> found;
  for (const XPM_ChannelInfo& c : S().channels)
    if (filter(c)) found.push_back(&c);
  std::sort(found.begin(), found.end(), [](auto* a, auto* b) { return ChannelBefore(*a, *b); });
  const size_t n = std::min(found.size(), static_cast<size_t>(capacity));
  for (size_t i = 0; i < n; ++i) out[i] = *found[i];
  *count = static_cast<int32_t>(found.size());
  return 0;
}

const RatingDimension* FindDimension(int32_t region, int32_t dimension) {
  auto it = S().ratingRegions.find(region);
  if (it == S().ratingRegions.end() || dimension < 0) return nullptr;
  const auto& dimensions = it->second.dimensions;
  return static_cast<size_t>(dimension) < dimensions.size() ? &dimensions[static_cast<size_t>(dimension)] : nullptr;
}

RatingLevel* FindLevel(int32_t region, int32_t dimension, int32_t level) {
  auto* d = const_cast<RatingDimension*>(FindDimension(region, dimension));
  if (!d || level < 0 || static_cast<size_t>(level) >= d->levels.size()) return nullptr;
  return &d->levels[static_cast<size_t>(level)];
}

// The format the panel shows: 2D while the 3D output is off; otherwise the
// input's 3D format, or side by side for 3D made from a 2D input.
int32_t DisplayValue() {
  if (!S().output3D) return 1;
  return S().input3D >= 2 ? S().input3D : 2;
}

// A local time as seconds, -1 for none.
int64_t Seconds(const struct tm* time) { return time ? VgLocalSeconds(*time) : -1; }

// The record of a call shows a time as its seconds and a timer by what tells
// it apart: "enabled=1,channel=9-1,start=1308184200,duration=1800", then how
// it repeats and where it records: "type=1,days=0x7f,source=0,map=0".
std::string RecordedTimer(const XPM_TimerInfo* t) {
  if (!t) return "-";
  char text[96];
  std::snprintf(text, sizeof text, "enabled=%d,channel=%d-%d,start=%lld,duration=%d", t->enabled, t->major, t->minor,
                static_cast<long long>(Seconds(&t->start)), t->duration);
  return text;
}

std::string RecordedRepetition(const XPM_TimerInfo* t) {
  if (!t) return "-";
  char text[96];
  std::snprintf(text, sizeof text, "type=%d,days=0x%02x,source=%d,map=%d", t->timesType,
                static_cast<unsigned>(t->daysOfWeek), t->source, t->mapId);
  return text;
}

// Every call goes into the set's one record of calls and fails on demand
// (simtv_fail) like the set's other calls.
#define TV_CALL(name, args)        \
  simk::Record(name, args);        \
  std::lock_guard lock(g_mutex);   \
  if (int32_t code = 0; simk::Fails(name, &code)) return code

// The caller holds the mutex; so does the answer when it runs, unless the
// set was reset meanwhile.
uint64_t Later(uint32_t ms, std::function<void()> answer) {
  return simtv::AnswerLater(ms, [generation = S().generation, answer = std::move(answer)] {
    std::lock_guard lock(g_mutex);
    if (S().generation == generation) answer();
  });
}

void Withdraw(uint64_t& answer) {
  if (answer) simtv::WithdrawAnswer(answer);
  answer = 0;
}

void Event(uint32_t event, std::initializer_list<int32_t> words) {
  const std::vector<int32_t> payload(words);
  simtv_inject_event(0, event, payload.data(), uint32_t(payload.size() * sizeof(int32_t)));
}

void Command(uint32_t command, const void* payload, uint32_t size) { simtv_inject_command(command, payload, size); }

// The access points the last scan found: every one, or those of its name.
std::vector<const XPM_WLAN_AccessPoint*> ScanResults() {
  std::vector<const XPM_WLAN_AccessPoint*> found;
  if (!S().scanned) return found;
  for (const XPM_WLAN_AccessPoint& p : S().accessPoints)
    if (S().scanName.empty() || S().scanName == p.ssid) found.push_back(&p);
  return found;
}

const XPM_WLAN_AccessPoint* FindAccessPoint(const std::string& ssid) {
  for (const XPM_WLAN_AccessPoint& p : S().accessPoints)
    if (!ssid.empty() && ssid == p.ssid) return &p;
  return nullptr;
}

bool KeyFits(const XPM_WLAN_AccessPoint& point, const std::string& key) {
  if (point.security == kOpenNetwork) return true;
  auto it = S().wlanKeys.find(point.ssid);
  return it == S().wlanKeys.end() || it->second == key;
}

// The wireless link comes up with the addresses the network's server gives.
void LinkUp(const std::string& ssid) {
  S().joined = ssid;
  S().lan[1].state = 1;
  S().lan[1].config = XPM_IFState{1, {192, 168, 1, 57}, {255, 255, 255, 0}, {192, 168, 1, 1}, {192, 168, 1, 1}, {}};
  Event(XpmEvent::WlanConnectComplete, {kJoined});
  Event(XpmEvent::NetworkStatus, {kWirelessUp});
}

void LinkDown() {
  if (S().joined.empty()) return;
  S().joined.clear();
  S().lan[1].state = 0;
  Later(kLinkDownMs, [] { Event(XpmEvent::NetworkStatus, {kWirelessDown}); });
}

// The set's WPS push button and a router's meet when both wait at once.
void MatchPushButtons() {
  const uint64_t now = simtv_now_ms();
  if (S().pushButtonUntil <= now) return;
  for (auto& [ssid, router] : S().wpsRouters) {
    if (router.buttonUntil <= now || !FindAccessPoint(ssid)) continue;
    router.buttonUntil = 0;
    S().pushButtonUntil = 0;
    Withdraw(S().pushButtonTimeout);
    Withdraw(S().join);
    S().join = Later(kJoinMs, [ssid = ssid] {
      S().join = 0;
      LinkUp(ssid);
    });
    return;
  }
}

std::string Dotted(const uint8_t (&a)[4]) {
  return std::to_string(a[0]) + "." + std::to_string(a[1]) + "." + std::to_string(a[2]) + "." + std::to_string(a[3]);
}

// The record of a call shows an interface's addresses as
// "dhcp=0,10.0.0.5,255.255.255.0,10.0.0.1,10.0.0.1,0.0.0.0".
std::string RecordedAddresses(const XPM_IFState* state) {
  if (!state) return "-";
  return "dhcp=" + std::to_string(state->dhcp) + "," + Dotted(state->address) + "," + Dotted(state->mask) + "," +
         Dotted(state->gateway) + "," + Dotted(state->dns1) + "," + Dotted(state->dns2);
}

// A launched application comes to the front; the others stay behind it.
void Launch(int32_t id, const std::string& name) {
  auto& apps = S().apps;
  apps.erase(std::remove_if(apps.begin(), apps.end(), [id](const XPM_AppStatus& a) { return a.id == id; }),
             apps.end());
  for (XPM_AppStatus& a : apps) a.flags |= kInBackground;
  XPM_AppStatus app{};
  app.id = id;
  CopyText(app.name, name.c_str());
  apps.insert(apps.begin(), app);
}

void AppsChanged(int32_t id, int32_t front) {
  Command(TvsmCommand::ExternalAppStatus, nullptr, 0);
  if (id == kWidgetApp) Command(TvsmCommand::YahooNotify, &front, sizeof front);
}

// The name a Flash command line gives its movie ("--name demo"); "flash"
// without one.
std::string FlashName(const std::string& line) {
  const std::string option = "--name ";
  const size_t at = line.find(option);
  if (at == std::string::npos) return "flash";
  const size_t from = at + option.size();
  return line.substr(from, line.find(' ', from) - from);
}

// Timer 0 is the on-timer: it switches the set on and records nothing, so
// it has no duration and collides with no recording.
constexpr int32_t kOnTimer = 0;
constexpr int32_t kTimesTypeOnce = 4;
constexpr int64_t kDay = 86400;

// Every day, Monday to Friday, the weekend and weekly timers record again.
bool Repeats(const XPM_TimerInfo& t) { return t.timesType >= 1 && t.timesType <= 5 && t.timesType != kTimesTypeOnce; }

// A source of 0 records on the first tuner, any other on the second.
int32_t TunerOf(const XPM_TimerInfo& t) { return t.source != 0 ? 1 : 0; }

// The starts of a timer's recordings in [from, to): its start, and for a
// repeating timer the same time on each later day of its day set (the start's
// weekday when the set is empty).
std::vector<int64_t> Starts(const XPM_TimerInfo& t, int64_t from, int64_t to) {
  std::vector<int64_t> starts;
  const int64_t first = Seconds(&t.start);
  if (!Repeats(t)) {
    if (first >= from && first < to) starts.push_back(first);
    return starts;
  }
  // The set's days are all of one length: each later show is a whole
  // number of days after the first.
  const int32_t days = (t.daysOfWeek & 0x7F) ? (t.daysOfWeek & 0x7F) : 1 << VgLocalParts(first).tm_wday;
  for (int64_t at = first + std::max<int64_t>(0, (from - first) / kDay - 1) * kDay; at < to; at += kDay)
    if (at >= from && (days >> VgLocalParts(at).tm_wday & 1)) starts.push_back(at);
  return starts;
}

// Whether any recording of one timer runs while one of the other does. A
// repeating timer's days come round within a week of the later start.
bool Overlap(const XPM_TimerInfo& a, const XPM_TimerInfo& b) {
  const int64_t from =
      std::max(Seconds(&a.start), Seconds(&b.start)) - std::max<int64_t>({a.duration, b.duration, kDay});
  const int64_t to = from + 9 * kDay;
  for (int64_t startA : Starts(a, from, to))
    for (int64_t startB : Starts(b, from, to))
      if (startA < startB + b.duration && startB < startA + a.duration) return true;
  return false;
}

// The stored timers that would record on the same tuner as the timer
// while it does: the on-timer and the timer's own index aside.
std::vector<int32_t> Collisions(int32_t index, const XPM_TimerInfo& timer) {
  std::vector<int32_t> found;
  for (int32_t i = 0; i < XPM_TIMER_COUNT; ++i) {
    const XPM_TimerInfo& t = S().timers[i];
    if (i == index || i == kOnTimer || !t.enabled || TunerOf(t) != TunerOf(timer)) continue;
    if (Overlap(timer, t)) found.push_back(i);
  }
  return found;
}

// ----------------------------------------------------------------- the clock

// The local time now: the time set last, run on by the set's clock.
int64_t LocalNow() {
  const uint64_t now = simk::NowMs();
  return S().localTime + int64_t(now > S().localSetAt ? (now - S().localSetAt) / 1000 : 0);
}

bool Records(int32_t index, const XPM_TimerInfo& t) { return index != kOnTimer && t.enabled && t.duration > 0; }

// When a timer comes due in (from, to]: at the minute of its start less its
// early start, on each day it records.
std::vector<int64_t> DueTimes(const XPM_TimerInfo& t, int64_t from, int64_t to) {
  const int64_t early = std::max(t.startEarly, 0);
  std::vector<int64_t> due;
  for (int64_t start : Starts(t, from + early - 59, to + early + 60)) {
    const int64_t at = (start - early) / 60 * 60;
    if (at > from && at <= to) due.push_back(at);
  }
  return due;
}

// The first moment after from (a local second) when a stored timer comes
// due, within the week after it; -1 when none does.
int64_t NextDue(int64_t from) {
  int64_t next = -1;
  for (int32_t i = 0; i < XPM_TIMER_COUNT; ++i) {
    if (!Records(i, S().timers[i])) continue;
    const std::vector<int64_t> due = DueTimes(S().timers[i], from, from + 8 * kDay);
    if (!due.empty() && (next < 0 || due.front() < next)) next = due.front();
  }
  return next;
}

void TimersDue(uint64_t generation);

// Timers that come due after the local second from are to be started: the
// answer waits on the set's clock until the first of them. A timer due at
// or before from is past: one stored in the minute it comes due is started,
// if at all, by whoever stored it. The caller holds the mutex.
void ArmTimers(int64_t from) {
  if (S().dueAnswer) simtv::WithdrawAnswer(S().dueAnswer);
  S().dueAnswer = 0;
  S().timersFrom = from;
  const int64_t due = NextDue(from);
  if (due < 0) return;
  const uint64_t dueAt = S().localSetAt + uint64_t(std::max<int64_t>(due - S().localTime, 0)) * 1000;
  const uint64_t now = simk::NowMs();
  const uint64_t wait = std::min<uint64_t>(dueAt > now ? dueAt - now : 0, UINT32_MAX);
  S().dueAnswer = simtv::AnswerLater(uint32_t(wait), [generation = S().generation] { TimersDue(generation); });
}

// The timers due since the last look start their recordings, and the next
// is waited for.
void TimersDue(uint64_t generation) {
  std::vector<std::pair<int32_t, XPM_TimerInfo>> due;
  {
    std::lock_guard lock(g_mutex);
    if (S().generation != generation) return;
    const int64_t from = S().timersFrom;
    const int64_t now = LocalNow();
    for (int32_t i = 0; i < XPM_TIMER_COUNT; ++i) {
      const XPM_TimerInfo& t = S().timers[i];
      if (Records(i, t) && !DueTimes(t, from, now).empty()) due.emplace_back(i, t);
    }
    ArmTimers(now);
  }
  // On the wall clock the log tells it, where no scenario's call record
  // shows it.
  if (!due.empty() && !simk::IsVirtual()) {
    std::printf("SIMTV: %zu timer%s come%s due\n", due.size(), due.size() == 1 ? "" : "s", due.size() == 1 ? "s" : "");
    std::fflush(stdout);
  }
  // The recorder reads the timers under this file's lock as it starts.
  for (const auto& [index, timer] : due) simtv::StartTimerRecording(index, timer);
}

void SetLocalTime(int64_t seconds) {
  S().localTime = seconds;
  S().localSetAt = simk::NowMs();
  ArmTimers(seconds);
}

// The title of a timer's schedule row, empty when it has none.
std::string ScheduledTitle(int32_t timerId) {
  DB_ScheduledShow show{};
  return DB_Get_Scheduled_Show_By_Timer_Id(timerId, &show) == 0 ? std::string(show.title) : std::string();
}

}  // namespace

void simtv::WithChannels(const std::function<void(std::vector<XPM_ChannelInfo>&)>& change) {
  std::lock_guard lock(g_mutex);
  change(S().channels);
}

bool simtv::TimerOf(int32_t index, XPM_TimerInfo* timer) {
  if (index < 0 || index >= XPM_TIMER_COUNT) return false;
  std::lock_guard lock(g_mutex);
  *timer = S().timers[index];
  return true;
}

int64_t simtv::TimerRecordingEnd(int32_t index, int32_t early, int64_t now) {
  if (index < 0 || index >= XPM_TIMER_COUNT) return -1;
  std::lock_guard lock(g_mutex);
  const XPM_TimerInfo& t = S().timers[index];
  const int64_t before = std::max(early, 0);
  const int64_t after = int64_t(std::max(t.duration, 0)) + std::max(t.endDelay, 0);
  for (int64_t start : Starts(t, now - after, now + before + 60))
    if ((start - before) / 60 * 60 <= now && now < start + after) return start + after;
  return -1;
}

bool simtv::FindChannel(int32_t medium, int32_t major, int32_t minor, XPM_ChannelInfo* channel) {
  std::lock_guard lock(g_mutex);
  for (const XPM_ChannelInfo& c : S().channels) {
    if (c.cable != medium || c.major != major || c.minor != minor) continue;
    *channel = c;
    return true;
  }
  return false;
}

extern "C" {

// ---------------------------------------------------------------------- clock

int32_t XPM_GetLocalTime(struct tm* time) {
  TV_CALL("XPM_GetLocalTime", simk::CallArgs{}.Ptr());
  if (!time) return kErrorBadArgument;
  *time = VgLocalParts(LocalNow());
  return 0;
}

int32_t XPM_SetLocalTime(const struct tm* time) {
  TV_CALL("XPM_SetLocalTime", simk::CallArgs{}.Int(Seconds(time)));
  if (!time) return kErrorBadArgument;
  const int64_t seconds = VgLocalSeconds(*time);
  if (seconds == -1) return kErrorBadArgument;
  SetLocalTime(seconds);
  return 0;
}

int32_t XPM_GetPowerOnTime(int32_t* hours) {
  TV_CALL("XPM_GetPowerOnTime", simk::CallArgs{}.Ptr());
  if (!hours) return kErrorBadArgument;
  *hours = S().powerOnHours;
  return 0;
}

// ------------------------------------------------------------------- channels

int32_t XPM_GetRingChannels(int32_t ring, XPM_ChannelInfo* channels, int32_t capacity, int32_t* count) {
  const int32_t medium = CurrentMedium();
  TV_CALL("XPM_GetRingChannels", simk::CallArgs{}.Int(ring).Ptr().Int(capacity).Ptr());
  switch (ring) {
    case XPM_RING_MASTER:
    case XPM_RING_MASTER_OTHER_MEDIUM: {
      const uint8_t cable = ring == XPM_RING_MASTER ? medium : !medium;
      return CopyChannels([cable](const XPM_ChannelInfo& c) { return c.cable == cable; }, channels, capacity, count);
    }
    case XPM_RING_GUIDE:
    case XPM_RING_GUIDE_OTHER_MEDIUM: {
      const uint8_t cable = ring == XPM_RING_GUIDE ? medium : !medium;
      return CopyChannels([cable](const XPM_ChannelInfo& c) { return c.cable == cable && !c.skipped; }, channels,
                          capacity, count);
    }
    default:
      if (ring < 0 || ring >= XPM_FAVORITE_RING_COUNT) return kErrorBadArgument;
      return CopyChannels(
          [ring, medium](const XPM_ChannelInfo& c) { return c.cable == medium && (c.favoriteRings >> ring & 1u); },
          channels, capacity, count);
  }
}

int32_t XPM_GetPhysicalChannelList(int32_t physical, XPM_ChannelInfo* channels, int32_t capacity, int32_t* count) {
  const int32_t medium = CurrentMedium();
  TV_CALL("XPM_GetPhysicalChannelList", simk::CallArgs{}.Int(physical).Ptr().Int(capacity).Ptr());
  return CopyChannels(
      [physical, medium](const XPM_ChannelInfo& c) { return c.cable == medium && c.physical == physical; }, channels,
      capacity, count);
}

int32_t XPM_GetChannelInfo(int32_t major, int32_t minor, XPM_ChannelInfo* channel) {
  const int32_t medium = CurrentMedium();
  TV_CALL("XPM_GetChannelInfo", simk::CallArgs{}.Int(major).Int(minor).Ptr());
  if (!channel) return kErrorBadArgument;
  for (const XPM_ChannelInfo& c : S().channels) {
    if (c.cable == medium && c.major == major && c.minor == minor) {
      *channel = c;
      return 0;
    }
  }
  return kErrorNotFound;
}

int32_t XPM_GetCurrentChannelInfo(int32_t window, XPM_CurrentChannelInfo* info) {
  TV_CALL("XPM_GetCurrentChannelInfo", simk::CallArgs{}.Int(window).Ptr());
  if ((window != 0 && window != 1) || !info) return kErrorBadArgument;
  *info = S().current[window];
  return 0;
}

// -------------------------------------------------------------- audio service

int32_t XPM_GetCurrentAudioServiceInfo(int32_t index, XPM_AudioServiceInfo* info) {
  TV_CALL("XPM_GetCurrentAudioServiceInfo", simk::CallArgs{}.Int(index).Ptr());
  if (!info || index < 0) return kErrorBadArgument;
  if (static_cast<size_t>(index) >= S().audioServices.size()) return kErrorNotFound;
  *info = S().audioServices[static_cast<size_t>(index)];
  return 0;
}

// --------------------------------------------------------------------- timers

int32_t XPM_GetTimer(int32_t index, XPM_TimerInfo* timer) {
  TV_CALL("XPM_GetTimer", simk::CallArgs{}.Int(index).Ptr());
  if (!timer) return kErrorBadArgument;
  if (index < 0 || index >= XPM_TIMER_COUNT) return XPM_TIMER_ERROR_INVALID_TIMERID;
  *timer = S().timers[index];
  return 0;
}

int32_t XPM_SetTimer(int32_t index, const XPM_TimerInfo* timer) {
  TV_CALL("XPM_SetTimer",
          simk::CallArgs{}.Int(index).Text(RecordedTimer(timer).c_str()).Text(RecordedRepetition(timer).c_str()));
  if (!timer) return kErrorBadArgument;
  if (index < 0 || index >= XPM_TIMER_COUNT) return XPM_TIMER_ERROR_INVALID_TIMERID;
  if (timer->enabled) {
    if (index != kOnTimer && timer->duration <= 0) return XPM_TIMER_ERROR_INVALID_DURATION;
    if (timer->start.tm_year < 70) return XPM_TIMER_ERROR_INVALID_STARTTIME;
    // A timer that records once must not start before the minute the clock shows.
    if (timer->timesType == kTimesTypeOnce && Seconds(&timer->start) / 60 < LocalNow() / 60)
      return XPM_TIMER_ERROR_INVALID_STARTTIME;
    if (index != kOnTimer && !Collisions(index, *timer).empty()) {
      S().refusedIndex = index;
      S().refused = *timer;
      return XPM_TIMER_ERROR_OVERLAP;
    }
  }
  S().timers[index] = *timer;
  if (index == S().refusedIndex) S().refusedIndex = -1;
  ArmTimers(LocalNow());
  return 0;
}

int32_t XPM_Delete_Scheduled_Show(int32_t scheduleId) {
  TV_CALL("XPM_Delete_Scheduled_Show", simk::CallArgs{}.Int(scheduleId));
  return DB_Delete_Scheduled_Show(scheduleId) == 0 ? 0 : kErrorNotFound;
}

// ------------------------------------------------------------ schedule rows

int32_t XPM_Check_Update_Scheduled_Data_Status(void) {
  TV_CALL("XPM_Check_Update_Scheduled_Data_Status", simk::CallArgs{});
  const int64_t now = LocalNow();
  if (now < 0 || now > INT32_MAX) return 0;
  // A repeating timer's row names its next show; one whose timer repeats no
  // more has none.
  simtv::MoveOnScheduledShows(int32_t(now), [now](int32_t timerId) -> int64_t {
    if (timerId < 0 || timerId >= XPM_TIMER_COUNT) return -1;
    const XPM_TimerInfo& t = S().timers[timerId];
    if (!Repeats(t) || t.duration <= 0) return -1;
    const std::vector<int64_t> starts = Starts(t, now, now + 8 * kDay);
    return starts.empty() ? -1 : starts.front();
  });
  return 0;
}

// ------------------------------------------------------------------- ratings

int32_t XPM_GetRatingRegionInfo(int32_t region, char* name, int32_t size, int32_t* dimensions) {
  TV_CALL("XPM_GetRatingRegionInfo", simk::CallArgs{}.Int(region).Ptr().Int(size).Ptr());
  auto it = S().ratingRegions.find(region);
  if (it == S().ratingRegions.end()) return kErrorNotFound;
  CopyText(name, size, it->second.name);
  if (dimensions) *dimensions = static_cast<int32_t>(it->second.dimensions.size());
  return 0;
}

int32_t XPM_GetRatingDimensionInfo(int32_t region, int32_t dimension, char* name, int32_t size, uint8_t* graduated,
                                   int32_t* levels) {
  TV_CALL("XPM_GetRatingDimensionInfo", simk::CallArgs{}.Int(region).Int(dimension).Ptr().Int(size).Ptr().Ptr());
  const RatingDimension* d = FindDimension(region, dimension);
  if (!d) return kErrorNotFound;
  CopyText(name, size, d->name);
  if (graduated) *graduated = d->graduated;
  if (levels) *levels = static_cast<int32_t>(d->levels.size());
  return 0;
}

int32_t XPM_GetRatingLevelInfo(int32_t region, int32_t dimension, int32_t level, char* abbreviation,
                               int32_t abbreviationSize, char* text, int32_t textSize) {
  TV_CALL("XPM_GetRatingLevelInfo", simk::CallArgs{}.Int(region).Int(dimension).Int(level).Ptr().Int(abbreviationSize).Ptr().Int(textSize));
  const RatingLevel* l = FindLevel(region, dimension, level);
  if (!l) return kErrorNotFound;
  CopyText(abbreviation, abbreviationSize, l->abbreviation);
  CopyText(text, textSize, l->text);
  return 0;
}

int32_t XPM_GetRatingLevel(int32_t region, int32_t dimension, int32_t level, int8_t* value) {
  TV_CALL("XPM_GetRatingLevel", simk::CallArgs{}.Int(region).Int(dimension).Int(level).Ptr());
  const RatingLevel* l = FindLevel(region, dimension, level);
  if (!l) return kErrorNotFound;
  if (!value) return kErrorBadArgument;
  *value = l->value;
  return 0;
}

int32_t XPM_SetRatingLevel(int32_t region, int32_t dimension, int32_t level, int8_t value) {
  TV_CALL("XPM_SetRatingLevel", simk::CallArgs{}.Int(region).Int(dimension).Int(level).Int(value));
  RatingLevel* l = FindLevel(region, dimension, level);
  if (!l) return kErrorNotFound;
  l->value = value;
  return 0;
}

// ------------------------------------------------------------------- HDMI-CEC

int32_t XPM_CEC_GetEnable(int32_t* on) {
  TV_CALL("XPM_CEC_GetEnable", simk::CallArgs{}.Ptr());
  if (!on) return kErrorBadArgument;
  *on = S().cecEnable;
  return 0;
}

// With HDMI-CEC control off the bus is not asked; otherwise every device
// answers in turn with its name and its detection on its input.
int32_t XPM_CEC_StartDiscovery(void) {
  TV_CALL("XPM_CEC_StartDiscovery", simk::CallArgs{});
  if (!S().cecEnable) return kErrorNoAnswer;
  uint32_t delay = 0;
  for (const XPM_CECDevice& device : S().cecDevices) {
    delay += kCecDeviceMs;
    Later(delay, [device] {
      struct {
        int32_t source;
        char name[32];
      } named{device.sourceId, {}};
      CopyText(named.name, device.name);
      simtv_inject_event(0, XpmEvent::HdmiSourceNameUpdated, &named, sizeof named);
      const struct {
        int32_t source;
        uint8_t detected;
      } detected{device.sourceId, 1};
      simtv_inject_event(0, XpmEvent::SourceSignalDetected, &detected, 5);
    });
  }
  return 0;
}

int32_t XPM_CEC_GetDeviceList(XPM_CECDevice* devices, int32_t capacity, int32_t* count) {
  TV_CALL("XPM_CEC_GetDeviceList", simk::CallArgs{}.Ptr().Int(capacity).Ptr());
  if (!count || capacity < 0 || (capacity > 0 && !devices)) return kErrorBadArgument;
  const auto& list = S().cecDevices;
  const size_t n = std::min(list.size(), static_cast<size_t>(capacity));
  std::copy_n(list.begin(), n, devices);
  *count = static_cast<int32_t>(list.size());
  return 0;
}

int32_t XPM_CEC_SelectDevice(int32_t source, int32_t logicalAddress, int32_t extra) {
  TV_CALL("XPM_CEC_SelectDevice", simk::CallArgs{}.Int(source).Int(logicalAddress).Int(extra));
  return 0;
}

// ------------------------------------------------------- network interfaces

int32_t XPM_LAN_GetDeviceState(int32_t wireless, int32_t* state) {
  TV_CALL("XPM_LAN_GetDeviceState", simk::CallArgs{}.Int(wireless).Ptr());
  if (!state || (wireless != 0 && wireless != 1)) return kErrorBadArgument;
  *state = S().lan[wireless].state;
  return 0;
}

int32_t XPM_LAN_GetIFState(int32_t wireless, XPM_IFState* state) {
  TV_CALL("XPM_LAN_GetIFState", simk::CallArgs{}.Int(wireless).Ptr());
  if (!state || (wireless != 0 && wireless != 1)) return kErrorBadArgument;
  if (!S().lan[wireless].state) return kErrorNoAnswer;
  *state = S().lan[wireless].config;
  return 0;
}

int32_t XPM_LAN_SetIFConfig(int32_t wireless, const XPM_IFState* state) {
  TV_CALL("XPM_LAN_SetIFConfig", simk::CallArgs{}.Int(wireless).Text(RecordedAddresses(state).c_str()));
  if (!state || (wireless != 0 && wireless != 1)) return kErrorBadArgument;
  S().lan[wireless].config = *state;
  return 0;
}

// The test passes over either interface's link.
int32_t XPM_LAN_TestConnection(int32_t step) {
  TV_CALL("XPM_LAN_TestConnection", simk::CallArgs{}.Int(step));
  if (step < 0 || step > 15) return kErrorBadArgument;
  Withdraw(S().test);
  S().test = Later(kTestMs, [] {
    S().test = 0;
    if (S().lan[0].state || S().lan[1].state)
      Event(XpmEvent::NetworkTestResults, {1, 1, S().lanSpeed});
    else
      Event(XpmEvent::NetworkTestResults, {0, 0, 0});
  });
  return 0;
}

int32_t XPM_LAN_QuitTestConnection(void) {
  TV_CALL("XPM_LAN_QuitTestConnection", simk::CallArgs{});
  Withdraw(S().test);
  return 0;
}

// ------------------------------------------------------------------------ 3D

int32_t XPM_3DTV_GetVideoStatus(int32_t* input, int32_t* mode, int32_t* display) {
  TV_CALL("XPM_3DTV_GetVideoStatus", simk::CallArgs{}.Ptr().Ptr().Ptr());
  if (!input || !mode || !display) return kErrorBadArgument;
  *input = S().input3D;
  *mode = S().mode3D;
  *display = DisplayValue();
  return 0;
}

int32_t XPM_3DTV_SetMode(int32_t mode) {
  TV_CALL("XPM_3DTV_SetMode", simk::CallArgs{}.Int(mode));
  if (mode < 0) return kErrorBadArgument;
  S().mode3D = mode;
  return 0;
}

int32_t XPM_3DTV_SetOutput(int32_t on) {
  TV_CALL("XPM_3DTV_SetOutput", simk::CallArgs{}.Int(on));
  S().output3D = on != 0;
  return 0;
}

int32_t XPM_3DTV_Set3DLRReverse(int32_t on) {
  TV_CALL("XPM_3DTV_Set3DLRReverse", simk::CallArgs{}.Int(on));
  S().lrReverse = on;
  return 0;
}

// --------------------------------------------------------------- applications

int32_t XPM_GetActiveAppStatus(XPM_AppStatus* apps, int32_t capacity, int32_t* count) {
  TV_CALL("XPM_GetActiveAppStatus", simk::CallArgs{}.Ptr().Int(capacity).Ptr());
  if (!count || capacity < 0 || (capacity > 0 && !apps)) return kErrorBadArgument;
  const auto& list = S().apps;
  const size_t n = std::min(list.size(), static_cast<size_t>(capacity));
  std::copy_n(list.begin(), n, apps);
  *count = static_cast<int32_t>(list.size());
  return 0;
}

// ------------------------------------------------------- the set as a whole

int32_t XPM_GetFreeze(int32_t window, int32_t* on) {
  TV_CALL("XPM_GetFreeze", simk::CallArgs{}.Int(window).Ptr());
  if (!on || (window != 0 && window != 1)) return kErrorBadArgument;
  *on = S().freeze[window];
  return 0;
}

int32_t XPM_SetFreeze(int32_t window, int32_t on) {
  TV_CALL("XPM_SetFreeze", simk::CallArgs{}.Int(window).Int(on));
  if (window != 0 && window != 1) return kErrorBadArgument;
  S().freeze[window] = on != 0;
  return 0;
}

int32_t XPM_GetPIPMode(int32_t* mode) {
  TV_CALL("XPM_GetPIPMode", simk::CallArgs{}.Ptr());
  if (!mode) return kErrorBadArgument;
  *mode = S().pipMode;
  return 0;
}

int32_t XPM_SetPIPMode(int32_t mode) {
  TV_CALL("XPM_SetPIPMode", simk::CallArgs{}.Int(mode));
  if (mode < 0 || mode > 2) return kErrorBadArgument;
  S().pipMode = mode;
  return 0;
}

int32_t XPM_StandbyMode(int32_t mode, int32_t reason) {
  TV_CALL("XPM_StandbyMode", simk::CallArgs{}.Int(mode).Int(reason));
  // On the wall clock the set goes to standby as a set does: the state
  // manager stops the program and ends its period of operation, and the
  // power key begins the next. A scenario ends the period itself (its
  // standby line), so that the screens' standby is checked apart from it.
  if (!simk::IsVirtual()) simtv_standby();
  return 0;
}

int32_t XPM_ResetFactoryDefaults(void) {
  TV_CALL("XPM_ResetFactoryDefaults", simk::CallArgs{});
  S().freeze[0] = S().freeze[1] = 0;
  S().pipMode = 0;
  S().extOutputMute = 0;
  S().menuLanguage = 0;
  for (XPM_ChannelInfo& c : S().channels) c.locked = 0;
  return 0;
}

int32_t XPM_SetChannelLock(int32_t major, int32_t minor, int32_t locked) {
  const int32_t medium = CurrentMedium();
  TV_CALL("XPM_SetChannelLock", simk::CallArgs{}.Int(major).Int(minor).Int(locked));
  const bool every = major == -1 && minor == -1;
  bool found = false;
  for (XPM_ChannelInfo& c : S().channels) {
    if (c.cable != medium || (!every && (c.major != major || c.minor != minor))) continue;
    c.locked = locked != 0;
    found = true;
  }
  return found || every ? 0 : kErrorNotFound;
}

int32_t XPM_SetExtOutputMute(int32_t mute) {
  TV_CALL("XPM_SetExtOutputMute", simk::CallArgs{}.Int(mute));
  S().extOutputMute = mute != 0;
  return 0;
}

int32_t XPM_DisplayNoChannel(void) {
  TV_CALL("XPM_DisplayNoChannel", simk::CallArgs{});
  return 0;
}

int32_t XPM_SetMenuLanguage(int32_t language) {
  TV_CALL("XPM_SetMenuLanguage", simk::CallArgs{}.Int(language));
  if (language < 0 || language > 2) return kErrorBadArgument;
  S().menuLanguage = language;
  return 0;
}

int32_t XPM_GetFirmwareVersion(char* text, int32_t size) {
  TV_CALL("XPM_GetFirmwareVersion", simk::CallArgs{}.Ptr().Int(size));
  if (!text || size <= 0) return kErrorBadArgument;
  CopyText(text, size, S().firmwareVersion);
  return 0;
}

// ------------------------------------------------------------ HDMI-CEC control

int32_t XPM_CEC_SetMenuLanguage(const char* code) {
  TV_CALL("XPM_CEC_SetMenuLanguage", simk::CallArgs{}.Text(code));
  if (!code) return kErrorBadArgument;
  return 0;
}

// The audio system takes the sound when there is one to take it; the status
// tells the outcome either way.
int32_t XPM_CEC_SystemAudioControl(int32_t request) {
  TV_CALL("XPM_CEC_SystemAudioControl", simk::CallArgs{}.Int(request));
  Later(kCecAudioMs, [request] {
    bool amplifier = false;
    for (const XPM_CECDevice& d : S().cecDevices) amplifier = amplifier || d.logicalAddress == kAudioSystemAddress;
    S().systemAudio = request != 0 && amplifier && S().cecEnable;
    Event(XpmEvent::CecAudioStatus, {S().systemAudio});
  });
  return 0;
}

int32_t XPM_CEC_SetARC(int32_t on) {
  TV_CALL("XPM_CEC_SetARC", simk::CallArgs{}.Int(on));
  return 0;
}

int32_t XPM_CEC_DeckControl(int32_t source, int32_t logicalAddress, int32_t command) {
  TV_CALL("XPM_CEC_DeckControl", simk::CallArgs{}.Int(source).Int(logicalAddress).Int(command));
  if (logicalAddress < 0 || logicalAddress > 15) return kErrorBadArgument;
  return 0;
}

int32_t XPM_CEC_UserControl(int32_t source, int32_t logicalAddress, int32_t key, int32_t pressed) {
  TV_CALL("XPM_CEC_UserControl", simk::CallArgs{}.Int(source).Int(logicalAddress).Int(key).Int(pressed));
  if (logicalAddress < 0 || logicalAddress > 15) return kErrorBadArgument;
  return 0;
}

// ------------------------------------------------------------------- wireless

// The results of a scan are there once it has ended; until then those of
// the last one stay.
int32_t XPM_WLAN_ScanAccessPoints(const char* name) {
  TV_CALL("XPM_WLAN_ScanAccessPoints", simk::CallArgs{}.Text(name));
  Withdraw(S().scan);
  S().scan = Later(kScanMs, [name = std::string(name ? name : "")] {
    S().scan = 0;
    S().scanned = true;
    S().scanName = name;
    Event(XpmEvent::WlanScanComplete, {0});
  });
  return 0;
}

int32_t XPM_WLAN_StopScan(void) {
  TV_CALL("XPM_WLAN_StopScan", simk::CallArgs{});
  Withdraw(S().scan);
  return 0;
}

int32_t XPM_WLAN_GetScanResults(void* buffer, int32_t size, int32_t* count) {
  TV_CALL("XPM_WLAN_GetScanResults", simk::CallArgs{}.Ptr().Int(size).Ptr());
  if (!buffer || !count || size < 0) return kErrorBadArgument;
  const std::vector<const XPM_WLAN_AccessPoint*> found = ScanResults();
  const size_t fits = static_cast<size_t>(size) / sizeof(XPM_WLAN_AccessPoint);
  auto* out = static_cast<XPM_WLAN_AccessPoint*>(buffer);
  for (size_t i = 0; i < found.size() && i < fits; ++i) out[i] = *found[i];
  *count = static_cast<int32_t>(found.size());
  return 0;
}

int32_t XPM_WLAN_JoinNetwork(const char* ssid, int32_t security, const char* key) {
  TV_CALL("XPM_WLAN_JoinNetwork", simk::CallArgs{}.Text(ssid).Int(security).Text(key));
  if (!ssid || !*ssid) return kErrorBadArgument;
  Withdraw(S().join);
  S().join = Later(kJoinMs, [ssid = std::string(ssid), key = std::string(key ? key : "")] {
    S().join = 0;
    const XPM_WLAN_AccessPoint* point = FindAccessPoint(ssid);
    if (point && KeyFits(*point, key))
      LinkUp(ssid);
    else
      Event(XpmEvent::WlanConnectComplete, {point ? kJoinRefused : kJoinNoNetwork});
  });
  return 0;
}

int32_t XPM_WLAN_QuitNetwork(void) {
  TV_CALL("XPM_WLAN_QuitNetwork", simk::CallArgs{});
  Withdraw(S().join);
  Withdraw(S().pushButtonTimeout);
  S().pushButtonUntil = 0;
  LinkDown();
  return 0;
}

int32_t XPM_WLAN_GetLinkStatus(int32_t* state, XPM_WLAN_AccessPoint* link) {
  TV_CALL("XPM_WLAN_GetLinkStatus", simk::CallArgs{}.Ptr().Ptr());
  if (!state) return kErrorBadArgument;
  const XPM_WLAN_AccessPoint* point = FindAccessPoint(S().joined);
  *state = point ? 1 : 0;
  if (link) *link = point ? *point : XPM_WLAN_AccessPoint{};
  return 0;
}

// The set's button waits two minutes for a router's; without one it gives
// up as if no network were there.
int32_t XPM_WPS_PushButton(void) {
  TV_CALL("XPM_WPS_PushButton", simk::CallArgs{});
  Withdraw(S().pushButtonTimeout);
  S().pushButtonUntil = simtv_now_ms() + kWpsWalkMs;
  S().pushButtonTimeout = Later(kWpsWalkMs, [] {
    S().pushButtonTimeout = 0;
    S().pushButtonUntil = 0;
    Event(XpmEvent::WlanConnectComplete, {kJoinNoNetwork});
  });
  MatchPushButtons();
  return 0;
}

int32_t XPM_WPS_PinJoin(const char* ssid, const char* pin, int32_t generated) {
  TV_CALL("XPM_WPS_PinJoin", simk::CallArgs{}.Text(ssid).Text(pin).Int(generated));
  if (!ssid || !pin) return kErrorBadArgument;
  Withdraw(S().join);
  S().join = Later(kJoinMs, [ssid = std::string(ssid), pin = std::string(pin)] {
    S().join = 0;
    auto router = S().wpsRouters.find(ssid);
    if (!FindAccessPoint(ssid))
      Event(XpmEvent::WlanConnectComplete, {kJoinNoNetwork});
    else if (router == S().wpsRouters.end() || router->second.pin != pin)
      Event(XpmEvent::WlanConnectComplete, {kJoinRefused});
    else
      LinkUp(ssid);
  });
  return 0;
}

int32_t XPM_WPS_GeneratePin(int32_t* pin) {
  TV_CALL("XPM_WPS_GeneratePin", simk::CallArgs{}.Ptr());
  if (!pin) return kErrorBadArgument;
  *pin = S().wpsPin;
  return 0;
}

// ------------------------------------------------------------ timer conflicts

// The stored timers that the timer last refused for its overlap collides
// with; the refused timer itself is the one being edited, not listed.

int32_t XPM_GetConflictTimers(XPM_ConflictTimer* timers, int32_t capacity, int32_t* count) {
  TV_CALL("XPM_GetConflictTimers", simk::CallArgs{}.Ptr().Int(capacity).Ptr());
  if (!count || capacity < 0 || (capacity > 0 && !timers)) return kErrorBadArgument;
  int32_t n = 0;
  const std::vector<int32_t> found =
      S().refusedIndex >= 0 ? Collisions(S().refusedIndex, S().refused) : std::vector<int32_t>{};
  for (int32_t i : found) {
    if (n < capacity) {
      timers[n] = XPM_ConflictTimer{};
      timers[n].timerId = i;
      CopyText(timers[n].title, XPM_RECORD_TITLE_SIZE, ScheduledTitle(i));
    }
    ++n;
  }
  *count = n;
  return 0;
}

// ---------------------------------------------- the state manager's registers

int32_t TVSM_GetRegisterTable(const char* name, char* text, int32_t size) {
  TV_CALL("TVSM_GetRegisterTable", simk::CallArgs{}.Text(name).Ptr().Int(size));
  if (!name || !text || size <= 0) return kErrorBadArgument;
  auto it = S().registers.find(name);
  if (it == S().registers.end()) return kErrorNotFound;
  CopyText(text, size, it->second);
  return 0;
}

// Whoever asked to hear of an entry's changes hears of each one, the
// program's own included.
int32_t TVSM_SetRegisterTable(const char* name, const char* text) {
  TV_CALL("TVSM_SetRegisterTable", simk::CallArgs{}.Text(name).Text(text));
  if (!name || !text) return kErrorBadArgument;
  std::string& entry = S().registers[name];
  const bool changed = entry != text;
  entry = text;
  auto notify = S().registerNotify.find(name);
  if (changed && notify != S().registerNotify.end() && notify->second) {
    char payload[32] = {};
    CopyText(payload, name);
    simtv::CommandLater(kNotifyMs, TvsmCommand::RegisterTableChanged, payload, sizeof payload);
  }
  return 0;
}

int32_t TVSM_RegisterTableChangeNotify(const char* name, int32_t on) {
  TV_CALL("TVSM_RegisterTableChangeNotify", simk::CallArgs{}.Text(name).Int(on));
  if (!name) return kErrorBadArgument;
  S().registerNotify[name] = on != 0;
  return 0;
}

// --------------------------------------------------------- simulation control

void simtv_tv_reset(void) {
  {
    std::lock_guard lock(g_mutex);
    const uint64_t generation = S().generation;
    if (S().dueAnswer) simtv::WithdrawAnswer(S().dueAnswer);
    S() = Fresh();
    S().generation = generation + 1;
  }
  simtv::ResetValues();
  simtv::ResetTuner();
  simtv::ResetRecorder();
  simtv::ResetMediaLibrary();
  simtv_clear_calls();
  simk::ClearFailures();
}

void simtv_tv_set_local_time(int64_t seconds) {
  std::lock_guard lock(g_mutex);
  SetLocalTime(seconds);
}

int64_t simtv_tv_local_time(void) {
  std::lock_guard lock(g_mutex);
  return LocalNow();
}

int64_t simtv_tv_next_timer_due(void) {
  std::lock_guard lock(g_mutex);
  return NextDue(LocalNow());
}

void simtv_tv_set_power_on_time(int32_t hours) {
  std::lock_guard lock(g_mutex);
  S().powerOnHours = hours;
}

void simtv_tv_add_channel(const XPM_ChannelInfo* channel) {
  if (!channel) return;
  XPM_ChannelInfo copy = *channel;
  copy.name[XPM_CHANNEL_NAME_SIZE - 1] = 0;
  std::lock_guard lock(g_mutex);
  for (XPM_ChannelInfo& c : S().channels) {
    if (c.cable == copy.cable && c.major == copy.major && c.minor == copy.minor) {
      c = copy;
      return;
    }
  }
  S().channels.push_back(copy);
}

void simtv_tv_clear_channels(void) {
  std::lock_guard lock(g_mutex);
  S().channels.clear();
}

void simtv_tv_set_current_channel_info(int32_t window, const XPM_CurrentChannelInfo* info) {
  if ((window != 0 && window != 1) || !info) return;
  std::lock_guard lock(g_mutex);
  S().current[window] = *info;
}

void simtv_tv_set_audio_service(int32_t index, const XPM_AudioServiceInfo* info) {
  std::lock_guard lock(g_mutex);
  auto& services = S().audioServices;
  if (index < 0 || !info) {
    services.clear();
    return;
  }
  if (static_cast<size_t>(index) >= services.size()) services.resize(static_cast<size_t>(index) + 1);
  services[static_cast<size_t>(index)] = *info;
}

void simtv_tv_set_rating_region(int32_t region, const char* name, int32_t dimensions, int32_t levels) {
  std::lock_guard lock(g_mutex);
  RatingRegion r{name ? name : "", {}};
  for (int32_t d = 0; d < dimensions; ++d) {
    RatingDimension dimension{"Dimension " + std::to_string(d + 1), d == dimensions - 1, {}};
    for (int32_t l = 0; l < levels; ++l)
      dimension.levels.push_back({"L" + std::to_string(l), "Level " + std::to_string(l), 0});
    r.dimensions.push_back(dimension);
  }
  S().ratingRegions[region] = r;
}

void simtv_tv_set_rating_text(int32_t region, int32_t dimension, int32_t level, const char* text) {
  std::lock_guard lock(g_mutex);
  if (level < 0) {
    if (auto* d = const_cast<RatingDimension*>(FindDimension(region, dimension))) d->name = text ? text : "";
  } else if (RatingLevel* l = FindLevel(region, dimension, level)) {
    l->abbreviation = text ? text : "";
  }
}

void simtv_tv_set_cec_enable(int32_t on) {
  std::lock_guard lock(g_mutex);
  S().cecEnable = on != 0;
}

void simtv_tv_add_cec_device(const XPM_CECDevice* device) {
  if (!device) return;
  std::lock_guard lock(g_mutex);
  S().cecDevices.push_back(*device);
  S().cecDevices.back().name[XPM_CEC_NAME_SIZE - 1] = 0;
}

void simtv_tv_clear_cec_devices(void) {
  std::lock_guard lock(g_mutex);
  S().cecDevices.clear();
}

void simtv_tv_set_lan(int32_t wireless, int32_t state, const XPM_IFState* config) {
  if (wireless != 0 && wireless != 1) return;
  std::lock_guard lock(g_mutex);
  S().lan[wireless].state = state;
  S().lan[wireless].config = config ? *config : XPM_IFState{};
}

void simtv_tv_set_3d_input(int32_t format) {
  std::lock_guard lock(g_mutex);
  S().input3D = format;
}

void simtv_tv_set_app_status(int32_t count, const XPM_AppStatus* apps) {
  std::lock_guard lock(g_mutex);
  S().apps.clear();
  for (int32_t i = 0; apps && i < count; ++i) {
    S().apps.push_back(apps[i]);
    S().apps.back().name[XPM_APP_NAME_SIZE - 1] = 0;
  }
}

int32_t simtv_tv_freeze(int32_t window) {
  if (window != 0 && window != 1) return 0;
  std::lock_guard lock(g_mutex);
  return S().freeze[window];
}

int32_t simtv_tv_pip_mode(void) {
  std::lock_guard lock(g_mutex);
  return S().pipMode;
}

void simtv_tv_set_firmware_version(const char* text) {
  std::lock_guard lock(g_mutex);
  S().firmwareVersion = text ? text : "";
}

void simtv_tv_add_access_point(const XPM_WLAN_AccessPoint* point) {
  if (!point) return;
  std::lock_guard lock(g_mutex);
  S().accessPoints.push_back(*point);
  S().accessPoints.back().ssid[XPM_WLAN_SSID_SIZE - 1] = 0;
}

void simtv_tv_clear_access_points(void) {
  std::lock_guard lock(g_mutex);
  S().accessPoints.clear();
  S().joined.clear();
}

void simtv_tv_set_wps_pin(int32_t pin) {
  std::lock_guard lock(g_mutex);
  S().wpsPin = pin;
}

void simtv_tv_set_wlan_key(const char* ssid, const char* key) {
  if (!ssid) return;
  std::lock_guard lock(g_mutex);
  if (key)
    S().wlanKeys[ssid] = key;
  else
    S().wlanKeys.erase(ssid);
}

void simtv_tv_press_wps_button(const char* ssid) {
  if (!ssid) return;
  std::lock_guard lock(g_mutex);
  S().wpsRouters[ssid].buttonUntil = simtv_now_ms() + kWpsWalkMs;
  MatchPushButtons();
}

void simtv_tv_set_wps_router_pin(const char* ssid, const char* pin) {
  if (!ssid) return;
  std::lock_guard lock(g_mutex);
  S().wpsRouters[ssid].pin = pin ? pin : "";
}

void simtv_tv_set_lan_speed(int32_t kbps) {
  std::lock_guard lock(g_mutex);
  S().lanSpeed = kbps;
}

void simtv_tv_set_register(const char* name, const char* text) {
  if (!name) return;
  std::lock_guard lock(g_mutex);
  if (text)
    S().registers[name] = text;
  else
    S().registers.erase(name);
}

int32_t simtv_tv_register_notified(const char* name) {
  if (!name) return 0;
  std::lock_guard lock(g_mutex);
  auto it = S().registerNotify.find(name);
  return it != S().registerNotify.end() && it->second;
}

}  // extern "C"

// The state manager's side of the network applications: what the program
// reports changes the applications' status, and the state manager says so.
void simtv::AsyncReport(int32_t code, const void* data, uint32_t size) {
  std::lock_guard lock(g_mutex);
  const auto* bytes = static_cast<const char*>(data);
  switch (code) {
    case TVSM_ASYNC_LAUNCH_APP: {
      if (!data || size < sizeof(TVSM_AppLaunch)) return;
      TVSM_AppLaunch app;
      std::memcpy(&app, data, sizeof app);
      app.name[TVSM_APP_NAME_SIZE - 1] = 0;
      Later(kLaunchMs, [app] {
        Launch(app.id, app.name);
        AppsChanged(app.id, 1);
      });
      break;
    }
    case TVSM_ASYNC_LAUNCH_FLASH: {
      if (!data || size == 0) return;
      const std::string line(bytes, strnlen(bytes, size));
      Later(kLaunchMs, [name = FlashName(line)] {
        Launch(kFlashApp, name);
        AppsChanged(kFlashApp, 1);
      });
      break;
    }
    case TVSM_ASYNC_TERMINATE_APP:
    case TVSM_ASYNC_TERMINATE_FLASH: {
      int32_t id = kFlashApp;
      if (code == TVSM_ASYNC_TERMINATE_APP) {
        if (!data || size < sizeof id) return;
        std::memcpy(&id, data, sizeof id);
      }
      Later(kLaunchMs, [id] {
        auto& apps = S().apps;
        apps.erase(std::remove_if(apps.begin(), apps.end(), [id](const XPM_AppStatus& a) { return a.id == id; }),
                   apps.end());
        AppsChanged(id, 0);
      });
      break;
    }
    case TVSM_ASYNC_RELEASE_TV_RESOURCES:
      Later(kLaunchMs, [] {
        for (XPM_AppStatus& a : S().apps) a.flags |= kInBackground;
        Command(TvsmCommand::ExternalAppStatus, nullptr, 0);
      });
      break;
    default:
      break;
  }
}

