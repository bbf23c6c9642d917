// The simulated set's content: the demo set of a set in everyday use, and
// fixtures, small text files that give a test the channels, recordings,
// timers, guide, devices and networks it needs. Both fill the set through
// the same few builders, and leave the record of calls empty.
//
// A fixture holds one record a line; blank lines and lines starting with #
// are ignored. A channel of the set's table is on air too (unless off-air);
// a broadcast channel is on air only, for a scan to find; no-broadcast takes
// the default air (the demo set's channels) away first. A record is its kind, its values in order, then options
// name=value and flags; a value with spaces is quoted ("Main audio",
// description="Bread in one hour."). CHANNEL is MAJOR-MINOR, or MAJOR alone
// for an analogue channel. A fixture is checked whole before the set takes
// any of it, and its recordings go on the disk last.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "db.h"
#include "simtv.h"
#include "simvalues.h"
#include "vgcalendar.h"
#include "xpm.h"

namespace {

constexpr char kDisk[] = XPM_USB_DISK_MOUNT_POINT;

// A text too long for its field is cut between two characters, never
// within one.
template <size_t N>
void Name(char (&target)[N], const std::string& text) {
  size_t length = text.size();
  if (length >= N) {
    length = N - 1;
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
  }
  std::snprintf(target, N, "%.*s", int(length), text.c_str());
}

struct ChannelDef {
  std::string name;
  int32_t major = 0;
  int32_t minor = 0;
  bool cable = false;
  bool locked = false;
  bool skipped = false;
  uint32_t favorites = 0;
  int32_t physical = 0;
  int32_t signal = 80;
};

struct RecordingDef {
  std::string title;
  std::string description;
  int32_t major = 0;
  int32_t minor = 0;
  int32_t daysAgo = 1;
  int32_t minutes = 30;
  int32_t rating = 0;
  std::string disk = kDisk;
  bool unreadable = false;
  int64_t kb = -1;  // the recording file's size when given, else as long as it plays
  std::string file;  // the file's name as the disk's records hold it, when given
};

struct TimerDef {
  std::string title;
  int32_t major = 0;
  int32_t minor = 0;
  int32_t hoursAhead = 1;
  int32_t minutes = 30;
  int32_t repeat = 0;  // the timer's times type
  int32_t source = 1;  // 0 records on the first tuner, any other value on the second
  int32_t sourceType = 1;  // what made it: 1 by hand, 2 the guide
  int32_t startEarly = 0;  // minutes
  int32_t endDelay = 0;    // minutes
  bool recording = false;  // its recording runs from the start
};

struct ProgrammeDef {
  std::string title;
  std::string theme;
  std::string description;
  int32_t start = 0;  // seconds since 1970
  int32_t minutes = 30;
  int32_t rating = 0;
};

// What the air carries of a channel.
XPM_ChannelInfo OnAir(const ChannelDef& d) {
  XPM_ChannelInfo c{};
  Name(c.name, d.name);
  c.major = d.major;
  c.minor = d.minor;
  c.substituteMinor = -1;
  c.digital = d.minor > 0;
  c.cable = d.cable;
  c.signalStrength = d.signal;
  c.physical = d.physical;
  c.sourceId = 1;
  c.sourceType = 1;
  return c;
}

// The channel as a scan found it, with the viewer's locks, favourites and
// guide choices.
void AddChannel(const ChannelDef& d) {
  XPM_ChannelInfo c = OnAir(d);
  c.locked = d.locked;
  c.skipped = d.skipped;
  c.favoriteRings = d.favorites;
  simtv_tv_add_channel(&c);
}

void Broadcast(const ChannelDef& d, int32_t rating, int32_t canRating) {
  const simtv_broadcast_channel air{OnAir(d), rating, canRating};
  simtv_tv_add_broadcast(&air);
}

// The file a recording of the set's is named after: its title as the set's
// recorder makes a name of it (simtv_recording_file_name: separators, spaces
// and dots made underscores), then the channel and the extension. A long
// title is cut first, between two characters, so that the name keeps its
// channel and extension and the index file's name follows from it.
std::string RecordingFileName(const std::string& title, int32_t major, int32_t minor) {
  constexpr char kExtension[] = ".trp";
  const std::string end = "_" + std::to_string(major) + "-" + std::to_string(minor) + kExtension;
  char name[XPM_RECORD_PATH_SIZE];
  // The room the rule is given leaves the channel's room free; the rule
  // ends the name with the extension, taken off again.
  simtv_recording_file_name("", title.c_str(), name, sizeof name - end.size() + (sizeof kExtension - 1));
  std::string file = name;
  file.resize(file.size() - (sizeof kExtension - 1));
  return file + end;
}

// A recording as the disk's records hold it: the show, and what goes on the
// disk with it once the whole fixture is read.
struct MadeRecording {
  XPM_RecordedShow show{};
  std::string disk;
  bool unreadable = false;
  int64_t kb = -1;
};

MadeRecording MakeRecording(const RecordingDef& d, int64_t now) {
  MadeRecording made{{}, d.disk, d.unreadable, d.kb};
  XPM_RecordedShow& s = made.show;
  // A recording carries the name of the channel it was made from, as the
  // recorder names its own; the set's channel of that number, on the
  // recording's medium first.
  XPM_ChannelInfo channel{};
  const int32_t medium = d.major > 99 ? 1 : 0;
  if (simtv::FindChannel(medium, d.major, d.minor, &channel) || simtv::FindChannel(!medium, d.major, d.minor, &channel))
    Name(s.channelName, channel.name);
  Name(s.title, d.title);
  Name(s.description, d.description);
  s.major = d.major;
  s.minor = d.minor;
  s.mapId = medium;
  s.startTime = now - int64_t(d.daysAgo) * 86400 - 3600;
  s.recordTime = s.startTime;
  s.duration = d.minutes * 60;
  s.rating = d.rating;
  s.captionFlag = 1;
  s.state = 19;
  Name(s.fileName, d.file.empty() ? RecordingFileName(d.title, d.major, d.minor) : d.file);
  return made;
}

// A name that stands for a file in the disk's folder itself: no separator,
// and neither "." nor "..".
bool PlainFileName(const std::string& name) {
  return !name.empty() && name.find('/') == std::string::npos && name != "." && name != "..";
}

void AddRecording(const MadeRecording& made) {
  const int32_t id = simtv_tv_add_recording(made.disk.c_str(), &made.show);
  if (made.unreadable) simtv_tv_set_recording_unreadable(id, 1);
  if (made.kb >= 0 && made.disk == kDisk) simtv_usb_write_file(made.show.fileName, uint64_t(made.kb) * 1024);
}

void AddRecording(const RecordingDef& d, int64_t now) { AddRecording(MakeRecording(d, now)); }

// A timer with its row in the schedule and its id checked out of the pool.
void AddTimer(int32_t index, const TimerDef& d, int64_t now) {
  XPM_TimerInfo t{};
  XPM_GetTimer(index, &t);
  t.enabled = 1;
  t.source = d.source;
  t.major = d.major;
  t.minor = d.minor;
  t.duration = d.minutes * 60;
  t.timesType = d.repeat;
  t.sourceType = d.sourceType;
  t.startEarly = d.startEarly * 60;
  t.endDelay = d.endDelay * 60;
  t.mapId = 0;
  const int64_t start = now + int64_t(d.hoursAhead) * 3600;
  t.start = VgLocalParts(start);
  XPM_SetTimer(index, &t);

  DB_ScheduledShow show{};
  show.enabled = 1;
  show.major = d.major;
  show.minor = d.minor;
  show.startTime = static_cast<int32_t>(start);
  show.duration = t.duration;
  show.repetition = d.repeat;
  show.tuner = d.source != 0 ? 1 : 0;
  Name(show.title, d.title);
  if (XPM_ChannelInfo channel{}; simtv::FindChannel(0, d.major, d.minor, &channel)) Name(show.station, channel.name);
  Name(show.description, d.title + " on channel " + std::to_string(d.major) + "-" + std::to_string(d.minor) + ".");
  DB_Insert_Scheduled_Data(index, &show);
  DB_Check_Out_Timer_Id(index);
  if (d.recording) {
    const int32_t tuner = show.tuner;
    XPM_Set_Timer_Record_Valid(tuner, d.repeat == 4 ? 1 : 0, index, 0);
    XPM_RECORDING_START_WITH_TRY(tuner, d.major, d.minor, 0, 1);
  }
}

void AddProgramme(const ChannelDef& channel, const ProgrammeDef& p) {
  DB_EventRecord e{};
  Name(e.title, p.title);
  Name(e.description, p.description.empty() ? p.title + " on " + channel.name + "." : p.description);
  e.startTime = p.start;
  e.duration = p.minutes;
  e.usRating = p.rating;
  e.captionFlag = 1;
  simtv_db_add_event(channel.cable, channel.major, channel.minor, channel.name.c_str(), p.theme.c_str(), &e);
}

void SetCurrentChannel(int32_t window, const ChannelDef& channel, int32_t rating) {
  XPM_CurrentChannelInfo current{};
  current.major = channel.major;
  current.minor = channel.minor;
  current.serviceType = 2;
  current.physical = channel.physical;
  current.captionFlag = 1;
  current.usRating = rating;
  Name(current.name, channel.name);
  simtv_tv_set_current_channel_info(window, &current);
  simtv_av_set_channel(window, channel.major, channel.minor);
}

void AddAudio(const std::string& text, const std::string& language, int32_t format, int32_t mode, int32_t index) {
  XPM_AudioServiceInfo audio{};
  Name(audio.text, text);
  // The middleware does not always end the code: up to four bytes, as given.
  std::memcpy(audio.language, language.data(), std::min(language.size(), sizeof audio.language));
  audio.format = format;
  audio.mode = mode;
  audio.number = index + 1;
  simtv_tv_set_audio_service(index, &audio);
}

void AddAccessPoint(const std::string& ssid, uint8_t channel, uint8_t level, uint8_t mode, uint8_t security,
                    uint8_t last) {
  XPM_WLAN_AccessPoint p{};
  Name(p.ssid, ssid);
  const uint8_t bssid[6] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, last};
  std::memcpy(p.bssid, bssid, sizeof bssid);
  p.channel = channel;
  p.level = level;
  p.mode = mode;
  p.security = security;
  p.rate = mode & 0x08 ? 600 : 108;
  simtv_tv_add_access_point(&p);
}

// ------------------------------------------------------------------ demo set

// The demo set's channels, which are also what a reset set receives on air:
// each with the rating of the programme it shows now.
constexpr struct {
  const char* name;
  int32_t major;
  int32_t minor;
  bool cable;
  bool locked;
  uint32_t favorites;
  int32_t physical;
  int32_t signal;
  int32_t rating;
} kDemoChannels[] = {
    {"KTVA-HD", 2, 1, false, false, 1, 19, 92, 0x20000000}, {"KTVA-SD", 2, 2, false, false, 0, 19, 92, 0x100},
    {"K04AB", 4, 0, false, false, 0, 4, 61, 0},             {"KLMN", 5, 1, false, true, 0, 31, 78, 0x41001000},
    {"KQRS", 7, 1, false, false, 1, 27, 85, 0x30000000},    {"KQRS-WX", 7, 2, false, false, 0, 27, 85, 0x20000000},
    {"KNEWS", 9, 1, false, false, 2, 33, 70, 0x10000000},   {"K11CD", 11, 0, false, false, 0, 11, 55, 0},
    {"CABLE 3", 3, 0, true, false, 0, 3, 80, 0x30100000},   {"CABLE 8", 8, 0, true, false, 1, 8, 80, 0x200},
    {"METRO", 12, 1, true, false, 1, 77, 88, 0x40000000},   {"SPORTS 1", 15, 0, true, false, 0, 15, 80, 0x20000000},
    {"MOVIES", 101, 1, true, false, 2, 95, 90, 5},          {"MOVIES 2", 101, 2, true, false, 0, 95, 90, 3},
};

ChannelDef DemoChannel(size_t i) {
  const auto& d = kDemoChannels[i];
  // The analogue channels are left out of the guide.
  return {d.name, d.major, d.minor, d.cable, d.locked, d.minor == 0, d.favorites, d.physical, d.signal};
}

constexpr struct {
  const char* title;
  const char* description;
  int32_t major;
  int32_t minor;
  int32_t daysAgo;
  int32_t minutes;
  int32_t rating;
} kDemoRecordings[] = {
    {"Evening News", "The day's headlines.", 9, 1, 1, 30, 0x10000000},
    {"Nature Hour", "Wolves of the northern forest.", 2, 1, 2, 60, 0x20000000},
    {"Late Movie", "A detective story.", 101, 1, 3, 115, 4},
    {"Cooking Today", "Bread in one hour.", 7, 1, 5, 30, 0x30000000},
    {"Match of the Week", "Second half and highlights.", 5, 1, 6, 90, 0x41001000},
};

constexpr struct {
  const char* title;
  int32_t major;
  int32_t minor;
  int32_t hoursAhead;
  int32_t minutes;
  int32_t repeat;
} kDemoTimers[] = {{"Evening News", 9, 1, 5, 30, 2}, {"Championship Live", 5, 1, 20, 120, 4},
                   {"Feature Film", 2, 1, 26, 120, 4}};

constexpr struct {
  const char* title;
  const char* theme;
  int32_t minutes;
  int32_t rating;
} kDemoProgrammes[] = {
    {"Morning Report", "News", 60, 0x10000000}, {"Quiz Time", "", 30, 0x20000000},
    {"City Stories", "", 30, 0x30100000},       {"Championship Live", "Sports", 120, 0x40000000},
    {"Evening News", "News", 30, 0x10000000},   {"Feature Film", "Movies", 120, 0x31000000},
};

constexpr struct {
  const char* ssid;
  uint8_t channel;
  uint8_t level;
  uint8_t mode;
  uint8_t security;
} kDemoAccessPoints[] = {
    {"HomeNet", 6, 4, 0x0E, 3},
    {"Neighbour-5G", 36, 2, 0x09, 3},
    {"", 11, 1, 0x06, 2},  // a hidden network
    {"CoffeeShop", 1, 3, 0x06, 0},
};

void LoadDemo() {
  const int64_t now = simtv_tv_local_time();
  for (size_t i = 0; i < std::size(kDemoChannels); ++i) AddChannel(DemoChannel(i));
  for (const auto& d : kDemoRecordings)
    AddRecording({d.title, d.description, d.major, d.minor, d.daysAgo, d.minutes, d.rating, kDisk, false}, now);
  int32_t index = DB_FIRST_RECORDING_TIMER_ID;
  for (const auto& d : kDemoTimers) AddTimer(index++, {d.title, d.major, d.minor, d.hoursAhead, d.minutes, d.repeat}, now);
  // Six programmes a digital channel, from the hour before now.
  const int32_t from = static_cast<int32_t>(now - now % 3600 - 3600);
  for (size_t i = 0; i < std::size(kDemoChannels); ++i) {
    const ChannelDef channel = DemoChannel(i);
    if (channel.minor == 0) continue;
    int32_t start = from + (channel.major % 2) * 1800;
    for (const auto& p : kDemoProgrammes) {
      AddProgramme(channel, {p.title, p.theme, "", start, p.minutes, p.rating});
      start += p.minutes * 60;
    }
  }
  simtv_usb_insert(488386584, "NTFS");
  simtv_tv_set_power_on_time(1234);
  AddAudio("Main audio", "eng", 3, 2, 0);
  SetCurrentChannel(0, DemoChannel(0), 0x20000000);
  // The second dimension has no name and one level no abbreviation, as
  // broadcasts sometimes send them.
  simtv_tv_set_rating_region(5, "Downloadable Region", 3, 5);
  simtv_tv_set_rating_text(5, 1, -1, "");
  simtv_tv_set_rating_text(5, 0, 4, "");

  const XPM_CECDevice devices[] = {{4, 0x1000, 5, "BD Player"}, {5, 0x2000, 6, "AV Receiver"}, {8, 0x2100, 6, ""}};
  for (const XPM_CECDevice& d : devices) simtv_tv_add_cec_device(&d);
  const XPM_IFState wired = {1, {192, 168, 1, 23}, {255, 255, 255, 0}, {192, 168, 1, 1}, {192, 168, 1, 1}, {0, 0, 0, 0}};
  simtv_tv_set_lan(0, 1, &wired);
  uint8_t last = 0x10;
  for (const auto& d : kDemoAccessPoints) AddAccessPoint(d.ssid, d.channel, d.level, d.mode, d.security, last++);
}

// ------------------------------------------------------------------- fixtures

// One record of a fixture: its values in order, its options and flags.
struct Record {
  const char* kind = nullptr;
  std::vector<std::string> values;
  std::map<std::string, std::string> options;
  std::vector<std::string> flags;
};

// Splits a line into words; a quote may start anywhere in a word and runs to
// the next quote (name="two words"). False for a quote left open.
bool SplitWords(const std::string& line, std::vector<std::string>* words) {
  std::string word;
  bool inWord = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"') {
      const size_t end = line.find('"', i + 1);
      if (end == std::string::npos) return false;
      word += line.substr(i + 1, end - i - 1);
      inWord = true;
      i = end;
    } else if (c == ' ' || c == '\t' || c == '\r') {
      if (inWord) words->push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words->push_back(word);
  return true;
}

// What a fixture built so far: its channels by number, for the records that
// name a channel. A fixture is read twice: first to check every record,
// changing nothing of the set, then, when all of them hold, to give the set
// what they say (APPLY); the recordings go on the disk last, so that a
// record the set refuses even then (no timer left) leaves no file behind.
struct Loader {
  bool apply = false;
  int64_t now = 0;
  std::vector<ChannelDef> channels;
  int32_t nextAudio = 0;
  uint8_t nextAccessPoint = 0x10;
  int32_t timers = 0;
  std::vector<MadeRecording> recordings;
};

using Handler = std::string (*)(const Record& record, Loader& loader);

struct Kind {
  const char* name;
  const char* usage;
  size_t values;
  const char* options;  // space-separated: options end with =, flags do not
  Handler handler;
};

bool Number(const std::string& text, int64_t* value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  *value = std::strtoll(text.c_str(), &end, 0);
  return errno == 0 && *end == '\0';
}

// The option as a number within [low, high], or fallback when not given.
bool Option(const Record& r, const char* name, int64_t low, int64_t high, int64_t fallback, int64_t* value) {
  auto it = r.options.find(name);
  if (it == r.options.end()) {
    *value = fallback;
    return true;
  }
  return Number(it->second, value) && *value >= low && *value <= high;
}

std::string Text(const Record& r, const char* name, const std::string& fallback = {}) {
  auto it = r.options.find(name);
  return it == r.options.end() ? fallback : it->second;
}

bool Flag(const Record& r, const char* name) {
  for (const std::string& flag : r.flags)
    if (flag == name) return true;
  return false;
}

// "7-1", or "3" for an analogue channel.
bool ChannelNumber(const std::string& text, int32_t* major, int32_t* minor) {
  const size_t dash = text.find('-');
  int64_t a = 0;
  int64_t b = 0;
  if (!Number(text.substr(0, dash), &a) || a < 0 || a > 9999) return false;
  if (dash != std::string::npos && (!Number(text.substr(dash + 1), &b) || b < 0 || b > 9999)) return false;
  *major = int32_t(a);
  *minor = int32_t(b);
  return true;
}

const ChannelDef* FindChannel(const Loader& loader, const std::string& number, std::string* error) {
  int32_t major = 0;
  int32_t minor = 0;
  if (!ChannelNumber(number, &major, &minor)) {
    *error = number + " is not a channel number (7-1, or 3 for an analogue channel)";
    return nullptr;
  }
  for (const ChannelDef& c : loader.channels)
    if (c.major == major && c.minor == minor) return &c;
  *error = "no channel " + number + " before this line";
  return nullptr;
}

bool Address(const std::string& text, uint8_t (&out)[4]) {
  unsigned a, b, c, d;
  char extra;
  if (std::sscanf(text.c_str(), "%u.%u.%u.%u%c", &a, &b, &c, &d, &extra) != 4 || a > 255 || b > 255 || c > 255 ||
      d > 255)
    return false;
  out[0] = uint8_t(a), out[1] = uint8_t(b), out[2] = uint8_t(c), out[3] = uint8_t(d);
  return true;
}

std::string TimeRecord(const Record& r, Loader& loader) {
  struct tm t {};
  char extra;
  if (std::sscanf((r.values[0] + " " + r.values[1]).c_str(), "%d-%d-%d %d:%d%c", &t.tm_year, &t.tm_mon, &t.tm_mday,
                  &t.tm_hour, &t.tm_min, &extra) != 5)
    return "a time is YYYY-MM-DD HH:MM";
  t.tm_year -= 1900;
  t.tm_mon -= 1;
  const int64_t seconds = VgLocalSeconds(t);
  if (seconds == -1) return "no such time";
  if (loader.apply) simtv_tv_set_local_time(seconds);
  loader.now = seconds;
  return {};
}

// A channel of the set's table (channel) or only on air (broadcast).
std::string ChannelRecord(const Record& r, Loader& loader) {
  ChannelDef c;
  if (!ChannelNumber(r.values[0], &c.major, &c.minor)) return r.values[0] + " is not a channel number";
  c.name = r.values[1];
  c.cable = Flag(r, "cable");
  c.locked = Flag(r, "locked");
  c.skipped = Flag(r, "skipped");
  int64_t favorites, physical, signal, rating, can, logo;
  if (!Option(r, "favorites", 0, UINT32_MAX, 0, &favorites) || !Option(r, "physical", 0, 999, c.major, &physical) ||
      !Option(r, "signal", 0, 100, 80, &signal) || !Option(r, "rating", INT32_MIN, UINT32_MAX, 0, &rating) ||
      !Option(r, "can", 0, 255, 0, &can) || !Option(r, "logo", 0, XPM_CHANNEL_LOGO_COUNT, 0, &logo))
    return "favorites takes a ring mask, physical a channel, signal 0 to 100, rating a rating word, can a Canadian "
           "rating code, logo a logo's number";
  c.favorites = uint32_t(favorites);
  c.physical = int32_t(physical);
  c.signal = int32_t(signal);
  const bool scanned = r.kind == std::string("channel");
  if (scanned) loader.channels.push_back(c);
  if (!loader.apply) return {};
  if (scanned) {
    AddChannel(c);
    if (logo > 0) XPM_SetChannelLogoIndex(c.major, c.minor, int32_t(logo));
  }
  if (!scanned || !Flag(r, "off-air")) Broadcast(c, int32_t(rating), int32_t(can));
  return {};
}

// What kind of input a source is (XPM_SOURCE_TYPE_*: 5 HDMI ...).
std::string SourceTypeRecord(const Record& r, Loader& loader) {
  int64_t source = 0;
  int64_t type = 0;
  if (!Number(r.values[0], &source) || !Number(r.values[1], &type) || source < 0 || source > 255 || type < 0 ||
      type > 255)
    return "source-type takes a source and a type, each 0 to 255";
  if (loader.apply) simtv_av_set_source_type(int32_t(source), int32_t(type));
  return {};
}

std::string NoBroadcastRecord(const Record&, Loader& loader) {
  if (loader.apply) simtv_tv_clear_broadcast();
  return {};
}

std::string CurrentRecord(const Record& r, Loader& loader) {
  std::string error;
  const ChannelDef* channel = FindChannel(loader, r.values[0], &error);
  if (!channel) return error;
  int64_t window, rating, tuner;
  if (!Option(r, "window", 0, 1, 0, &window) || !Option(r, "rating", INT32_MIN, UINT32_MAX, 0, &rating) ||
      !Option(r, "tuner", 1, 2, 1, &tuner))
    return "window is 0 or 1, rating a rating word, tuner 1 or 2";
  if (!loader.apply) return {};
  SetCurrentChannel(int32_t(window), *channel, int32_t(rating));
  simtv_tv_set_current_tuner(int32_t(tuner) - 1);
  return {};
}

std::string TimeshiftRecord(const Record& r, Loader& loader) {
  int64_t buffered, position, tuner;
  if (!Number(r.values[0], &buffered) || buffered < 0 || buffered > 86400 || !Number(r.values[1], &position) ||
      position < 0 || position > buffered || !Option(r, "tuner", 1, 2, 1, &tuner))
    return "timeshift takes the seconds buffered, a position within them and tuner 1 or 2";
  if (loader.apply)
    simtv_tv_set_timeshift(int32_t(tuner) - 1, int32_t(buffered), int32_t(position), Flag(r, "paused") ? 1 : 2);
  return {};
}

std::string AudioRecord(const Record& r, Loader& loader) {
  int64_t format, mode;
  if (!Option(r, "format", 0, 255, 3, &format) || !Option(r, "mode", 0, 255, 2, &mode))
    return "format and mode take numbers";
  const int32_t index = loader.nextAudio++;
  if (loader.apply) AddAudio(r.values[0], Text(r, "language", "eng"), int32_t(format), int32_t(mode), index);
  return {};
}

std::string RecordingRecord(const Record& r, Loader& loader) {
  RecordingDef s;
  if (!ChannelNumber(r.values[0], &s.major, &s.minor)) return r.values[0] + " is not a channel number";
  s.title = r.values[1];
  if (const int fault = simtv_recording_title_fault(s.title.c_str()); fault != SIMTV_TITLE_OK)
    return fault == SIMTV_TITLE_BLANK ? "a recording's title is not empty nor only blanks"
                                      : "a recording's title holds no tab, line end or other control character";
  s.description = Text(r, "description");
  s.disk = Text(r, "disk", kDisk);
  s.file = Text(r, "file");
  // A name of the disk's records taken as written (one another recorder
  // made); only a plain name in the disk's folder gets files (xpm_pvr.cpp).
  if (r.options.count("file") &&
      (s.file.empty() || s.file.size() >= XPM_RECORD_PATH_SIZE || simtv_recording_title_fault(s.file.c_str()) != SIMTV_TITLE_OK))
    return "file takes a name of at most " + std::to_string(XPM_RECORD_PATH_SIZE - 1) +
           " bytes that is not blank and holds no control character";
  s.unreadable = Flag(r, "unreadable");
  int64_t days, minutes, rating;
  if (!Option(r, "days-ago", 0, 3650, 1, &days) || !Option(r, "minutes", 1, 1440, 30, &minutes) ||
      !Option(r, "rating", INT32_MIN, UINT32_MAX, 0, &rating) || !Option(r, "kb", -1, INT32_MAX, -1, &s.kb))
    return "days-ago, minutes, rating and kb take numbers";
  if (s.kb >= 0 && !s.file.empty() && !PlainFileName(s.file))
    return "kb writes the file, and " + s.file + " is no plain name in the disk's folder";
  s.daysAgo = int32_t(days);
  s.minutes = int32_t(minutes);
  s.rating = int32_t(rating);
  if (loader.apply) loader.recordings.push_back(MakeRecording(s, loader.now));
  return {};
}

std::string TimerRecord(const Record& r, Loader& loader) {
  TimerDef t;
  if (!ChannelNumber(r.values[0], &t.major, &t.minor)) return r.values[0] + " is not a channel number";
  t.title = r.values[1];
  int64_t hours, minutes, repeat, tuner, early, delay;
  if (!Option(r, "in-hours", -720, 8760, 1, &hours) || !Option(r, "minutes", 1, 1440, 30, &minutes) ||
      !Option(r, "repeat", 0, 255, 0, &repeat) || !Option(r, "tuner", 1, 2, 2, &tuner) ||
      !Option(r, "early", 0, 1440, 0, &early) || !Option(r, "delay", 0, 1440, 0, &delay))
    return "in-hours, minutes, repeat, tuner, early and delay take numbers";
  // More timers than the set has are refused as the fixture is checked;
  // which are free (another content's timers took some) only as they are
  // added.
  if (++loader.timers > DB_TIMER_ID_COUNT - DB_FIRST_RECORDING_TIMER_ID) return "every timer of the set is in use";
  if (!loader.apply) return {};
  int32_t id = 0;
  if (DB_Get_Free_Timer_Id(&id) != 0 || id >= XPM_TIMER_COUNT) return "every timer of the set is in use";
  t.hoursAhead = int32_t(hours);
  t.minutes = int32_t(minutes);
  t.repeat = int32_t(repeat);
  t.source = tuner == 1 ? 0 : 1;
  t.startEarly = int32_t(early);
  t.endDelay = int32_t(delay);
  t.sourceType = Flag(r, "guide") ? 2 : 1;
  t.recording = Flag(r, "recording");
  AddTimer(id, t, loader.now);
  return {};
}

std::string ProgrammeRecord(const Record& r, Loader& loader) {
  std::string error;
  const ChannelDef* channel = FindChannel(loader, r.values[0], &error);
  if (!channel) return error;
  int64_t at, minutes, rating;
  if (!Option(r, "at", -100000, 100000, 0, &at) || !Option(r, "minutes", 1, 1440, 30, &minutes) ||
      !Option(r, "rating", INT32_MIN, UINT32_MAX, 0, &rating))
    return "at (minutes from the set's time), minutes and rating take numbers";
  if (loader.apply)
    AddProgramme(*channel, {r.values[1], Text(r, "theme"), Text(r, "description"),
                          int32_t(loader.now + at * 60), int32_t(minutes), int32_t(rating)});
  return {};
}

std::string UsbRecord(const Record& r, Loader& loader) {
  int64_t kb;
  if (!Option(r, "kb", 1024, UINT32_MAX, SIMTV_USB_DEFAULT_KB, &kb)) return "kb takes the disk's size in KB";
  if (loader.apply) simtv_usb_insert(uint32_t(kb), Text(r, "format", "NTFS").c_str());
  return {};
}

std::string RatingRegionRecord(const Record& r, Loader& loader) {
  int64_t region, dimensions, levels;
  if (!Number(r.values[0], &region) || region < 0 || region > 255 || !Option(r, "dimensions", 1, 16, 3, &dimensions) ||
      !Option(r, "levels", 1, 16, 6, &levels))
    return "a rating region has a number, dimensions and levels";
  if (loader.apply)
    simtv_tv_set_rating_region(int32_t(region), r.values[1].c_str(), int32_t(dimensions), int32_t(levels));
  return {};
}

std::string CecRecord(const Record& r, Loader& loader) {
  int64_t address, physical, input;
  if (!Number(r.values[0], &address) || address < 0 || address > 15 ||
      !Option(r, "physical", 0, 0xFFFF, 0x1000, &physical) || !Option(r, "input", 0, 255, 5, &input))
    return "a device has a logical address 0 to 15; physical and input take numbers";
  XPM_CECDevice device{uint8_t(address), uint16_t(physical), int32_t(input), {}};
  Name(device.name, r.values[1]);
  if (loader.apply) simtv_tv_add_cec_device(&device);
  return {};
}

std::string LanRecord(const Record& r, Loader& loader) {
  const std::string& medium = r.values[0];
  if (medium != "wired" && medium != "wireless") return "a link is wired or wireless";
  XPM_IFState state{};
  state.dhcp = Flag(r, "static") ? 0 : 1;
  if (!Address(r.values[1], state.address) || !Address(Text(r, "mask", "255.255.255.0"), state.mask) ||
      !Address(Text(r, "gateway", "0.0.0.0"), state.gateway) || !Address(Text(r, "dns", "0.0.0.0"), state.dns1))
    return "addresses are written 192.168.1.23";
  if (loader.apply) simtv_tv_set_lan(medium == "wireless" ? 1 : 0, 1, &state);
  return {};
}

std::string AccessPointRecord(const Record& r, Loader& loader) {
  int64_t channel, level, mode, security;
  if (!Option(r, "channel", 1, 200, 6, &channel) || !Option(r, "level", 0, 4, 3, &level) ||
      !Option(r, "mode", 0, 15, 0x0E, &mode) || !Option(r, "security", 0, 6, 3, &security))
    return "channel, level (0 to 4), mode and security (0 to 6) take numbers";
  const uint8_t last = loader.nextAccessPoint++;
  if (loader.apply) AddAccessPoint(r.values[0], uint8_t(channel), uint8_t(level), uint8_t(mode), uint8_t(security), last);
  return {};
}

constexpr Kind kKinds[] = {
    {"time", "time YYYY-MM-DD HH:MM", 2, "", &TimeRecord},
    {"channel",
     "channel CHANNEL NAME [cable] [locked] [skipped] [off-air] [favorites=MASK] [physical=N] [signal=0-100] "
     "[rating=WORD] [can=CODE] [logo=N]",
     2, "cable locked skipped off-air favorites= physical= signal= rating= can= logo=", &ChannelRecord},
    {"broadcast", "broadcast CHANNEL NAME [cable] [physical=N] [signal=0-100] [rating=WORD] [can=CODE]", 2,
     "cable physical= signal= rating= can=", &ChannelRecord},
    {"no-broadcast", "no-broadcast", 0, "", &NoBroadcastRecord},
    {"source-type", "source-type SOURCE TYPE", 2, "", &SourceTypeRecord},
    {"current", "current CHANNEL [window=0|1] [rating=WORD] [tuner=1|2]", 1, "window= rating= tuner=", &CurrentRecord},
    {"audio", "audio TEXT [language=eng] [format=N] [mode=N]", 1, "language= format= mode=", &AudioRecord},
    {"recording",
     "recording CHANNEL TITLE [description=TEXT] [days-ago=N] [minutes=N] [rating=WORD] [kb=SIZE] [disk=PATH] "
     "[file=NAME] [unreadable]",
     2, "description= days-ago= minutes= rating= kb= disk= file= unreadable", &RecordingRecord},
    {"timer",
     "timer CHANNEL TITLE [in-hours=N] [minutes=N] [repeat=N] [tuner=1|2] [early=MIN] [delay=MIN] [guide] [recording]",
     2, "in-hours= minutes= repeat= tuner= early= delay= guide recording", &TimerRecord},
    {"timeshift", "timeshift SECONDS POSITION [tuner=1|2] [paused]", 2, "tuner= paused", &TimeshiftRecord},
    {"programme", "programme CHANNEL TITLE [at=MINUTES] [minutes=N] [theme=TEXT] [rating=WORD] [description=TEXT]", 2,
     "at= minutes= theme= rating= description=", &ProgrammeRecord},
    {"usb", "usb [kb=SIZE] [format=NAME]", 0, "kb= format=", &UsbRecord},
    {"rating-region", "rating-region NUMBER NAME [dimensions=N] [levels=N]", 2, "dimensions= levels=",
     &RatingRegionRecord},
    {"cec", "cec ADDRESS NAME [physical=N] [input=N]", 2, "physical= input=", &CecRecord},
    {"lan", "lan wired|wireless ADDRESS [mask=A] [gateway=A] [dns=A] [static]", 2, "mask= gateway= dns= static",
     &LanRecord},
    {"access-point", "access-point SSID [channel=N] [level=0-4] [mode=N] [security=0-6]", 1,
     "channel= level= mode= security=", &AccessPointRecord},
};

// Sorts the words after the kind into values, options and flags as the kind
// takes them.
bool ReadRecord(const Kind& kind, const std::vector<std::string>& words, Record* record, std::string* error) {
  const std::string known = std::string(" ") + kind.options + " ";
  for (size_t i = 1; i < words.size(); ++i) {
    const std::string& word = words[i];
    const size_t equals = word.find('=');
    if (equals != std::string::npos && known.find(" " + word.substr(0, equals + 1) + " ") != std::string::npos) {
      record->options[word.substr(0, equals)] = word.substr(equals + 1);
    } else if (equals == std::string::npos && known.find(" " + word + " ") != std::string::npos) {
      record->flags.push_back(word);
    } else if (record->values.size() < kind.values && record->options.empty() && record->flags.empty()) {
      record->values.push_back(word);
    } else {
      *error = "unexpected " + word;
      return false;
    }
  }
  if (record->values.size() != kind.values) {
    *error = "too few values";
    return false;
  }
  return true;
}

std::string KindList() {
  std::string list;
  for (const Kind& kind : kKinds) list += std::string(list.empty() ? "" : ", ") + kind.name;
  return list;
}

// Reads the fixture through: checks every record, or (APPLY) gives the set
// what they say. 0, or -1 with the message in error.
int ReadFixture(const char* path, bool apply, char* error, int size) {
  auto fail = [&](const std::string& message) {
    if (error && size > 0) std::snprintf(error, size_t(size), "%s", message.c_str());
    return -1;
  };
  std::ifstream file(path ? path : "");
  if (!file) return fail(std::string("cannot read ") + (path ? path : "(no file)"));
  Loader loader;
  loader.apply = apply;
  loader.now = simtv_tv_local_time();
  int number = 0;
  for (std::string line; std::getline(file, line);) {
    ++number;
    const std::string where = std::string(path) + ":" + std::to_string(number) + ": ";
    std::vector<std::string> words;
    if (!SplitWords(line, &words)) return fail(where + "a quote is not closed");
    if (words.empty() || words[0][0] == '#') continue;
    const Kind* kind = nullptr;
    for (const Kind& k : kKinds)
      if (words[0] == k.name) kind = &k;
    if (!kind) return fail(where + "no record kind " + words[0] + " (" + KindList() + ")");
    Record record;
    record.kind = kind->name;
    std::string message;
    if (!ReadRecord(*kind, words, &record, &message) || !(message = kind->handler(record, loader)).empty())
      return fail(where + message + "; a " + kind->name + " line reads: " + kind->usage);
  }
  // A read that fails ends the lines as the end of the file would.
  if (file.bad()) return fail(std::string("cannot read ") + path);
  if (!apply) return 0;
  for (const MadeRecording& made : loader.recordings) AddRecording(made);
  simtv_clear_calls();
  return 0;
}

}  // namespace

std::vector<simtv_broadcast_channel> simtv::DefaultBroadcast() {
  std::vector<simtv_broadcast_channel> air;
  for (size_t i = 0; i < std::size(kDemoChannels); ++i)
    air.push_back({OnAir(DemoChannel(i)), kDemoChannels[i].rating, 0});
  return air;
}

extern "C" {

void simtv_tv_load_demo(void) {
  simtv_tv_reset();
  simtv_db_clear_programmes();
  LoadDemo();
  simtv_clear_calls();
}

int simtv_tv_check_fixture(const char* path, char* error, int size) { return ReadFixture(path, false, error, size); }

int simtv_tv_load_fixture(const char* path, char* error, int size) {
  if (ReadFixture(path, false, error, size) != 0) return -1;
  return ReadFixture(path, true, error, size);
}

}  // extern "C"
