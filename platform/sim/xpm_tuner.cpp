// The simulated set's tuner and what is on air: tuning answers, channel
// rings, names and logos, full, single-channel and guide scans, and the
// rating blocks that decide whether a programme may be shown. What takes the
// set time is answered later on the set's clock (simtv::AnswerLater); the
// set's own work (reading its tables, sending events) records no calls.
// Calls are recorded with the rest of the set's and fail on demand.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <mutex>
#include <tuple>
#include <vector>

#include "simkernel.h"
#include "simtv.h"
#include "simvalues.h"
#include "xpm.h"
#include "xpm_events.h"

namespace {

constexpr int32_t kErrorBadArgument = 2;
constexpr int32_t kErrorNotFound = 3;
constexpr int32_t kErrorBusy = 4;

// Why a channel or a source was not acquired.
constexpr int32_t kNoTunerLock = 1;
constexpr int32_t kNotInStream = 2;
constexpr int32_t kChannelLocked = 4;
constexpr int32_t kRatingBlocked = 5;
constexpr int32_t kNoSignal = 1;

constexpr int32_t kLocksOn = 2;  // PARENTAL_LOCKS: 0 off, 1 off until standby, 2 on
constexpr int32_t kFullScanKind = 0;
constexpr int32_t kSingleScanKind = 1;
constexpr int32_t kScanReportLimit = 99;

// The middleware's own number of a scan event the GUI knows by another.
constexpr uint32_t MiddlewareNumber(uint32_t event) {
#define XPM_MIDDLEWARE_NUMBER(from, to) \
  if (event == XpmEvent::to) return from;
  XPM_RENUMBERED_EVENTS(XPM_MIDDLEWARE_NUMBER)
#undef XPM_MIDDLEWARE_NUMBER
  return event;
}

enum ScanState : int32_t { kNoScan, kFullScan, kSingleScan, kGuideScan };

struct Scan {
  ScanState state = kNoScan;
  uint64_t generation = 0;
  uint64_t pending = 0;  // the answer of the next step
  int32_t options = 0;
  // Full scan: the physical channels to visit, as (medium, RF channel).
  std::vector<std::pair<uint8_t, int32_t>> steps;
  size_t step = 0;
  std::vector<XPM_ChannelInfo> found;
  std::vector<uint8_t> media;
  // Guide scan: the channels of the guide ring.
  std::vector<std::pair<int32_t, int32_t>> guide;
};

using ChannelKey = std::tuple<uint8_t, int32_t, int32_t>;  // medium, major, minor

struct Tuner {
  std::vector<simtv_broadcast_channel> air = simtv::DefaultBroadcast();
  std::map<int32_t, bool> withoutSignal;
  std::map<ChannelKey, int32_t> logos;
  uint64_t pendingTune[2] = {};
  uint64_t pendingSource[2] = {};
  Scan scan;
  // Rating blocks: the blocked parts of US TV levels 1-6, movie codes 1-8.
  uint32_t usTV[7] = {};
  bool usMovie[9] = {};
  bool unrated = false;
};

simk::StateMutex g_mutex;

Tuner& T() {
  static Tuner& tuner = *new Tuner;
  return tuner;
}

void Send(uint32_t event, const std::vector<int32_t>& words) {
  simtv_inject_event(0, event, words.data(), uint32_t(words.size() * sizeof(int32_t)));
}

ChannelKey KeyOf(const XPM_ChannelInfo& c) { return {c.cable, c.major, c.minor}; }

bool Before(const XPM_ChannelInfo& a, const XPM_ChannelInfo& b) {
  return a.major != b.major ? a.major < b.major : a.minor < b.minor;
}

// ---------------------------------------------------------------- the air

// The caller holds g_mutex.
const simtv_broadcast_channel* OnAir(uint8_t medium, int32_t major, int32_t minor) {
  for (const simtv_broadcast_channel& b : T().air)
    if (b.channel.cable == medium && b.channel.major == major && b.channel.minor == minor) return &b;
  return nullptr;
}

std::vector<XPM_ChannelInfo> OnPhysical(uint8_t medium, int32_t physical, bool digital, bool analog) {
  std::vector<XPM_ChannelInfo> found;
  for (const simtv_broadcast_channel& b : T().air) {
    const XPM_ChannelInfo& c = b.channel;
    if (c.cable != medium || c.physical != physical || !(c.digital ? digital : analog)) continue;
    found.push_back(c);
    found.back().substituteMinor = -1;
  }
  std::sort(found.begin(), found.end(), Before);
  return found;
}

// ---------------------------------------------------------------- ratings

constexpr uint32_t kTVContent = XPM_US_CONTENT_D | XPM_US_CONTENT_L | XPM_US_CONTENT_S | XPM_US_CONTENT_V;

// The parts that a US TV level has.
uint32_t LevelParts(int32_t level) {
  switch (level) {
    case 2: return XPM_US_CONTENT_LEVEL | XPM_US_CONTENT_FV;
    case 4:
    case 5: return XPM_US_CONTENT_LEVEL | kTVContent;
    case 6: return XPM_US_CONTENT_LEVEL | XPM_US_CONTENT_L | XPM_US_CONTENT_S | XPM_US_CONTENT_V;
    default: return XPM_US_CONTENT_LEVEL;
  }
}

// Blocks or allows the parts of a level on its graduated scale (first to last).
void Graduate(int32_t first, int32_t last, int32_t level, uint32_t content, bool block) {
  for (int32_t l = first; l <= last; ++l) {
    if (block && l >= level) T().usTV[l] |= content & LevelParts(l);
    if (!block && l <= level) T().usTV[l] &= ~content;
  }
}

constexpr int32_t kMovieFirstGraduated = 2;  // G
constexpr int32_t kMovieLastGraduated = 7;   // X

// Whether the programme of a rating word and a Canadian code may not be
// shown. The caller holds g_mutex.
bool Blocked(int32_t usRating, int32_t canRating) {
  const uint32_t word = uint32_t(usRating);
  bool blocked = false;
  if (word == 0 || word == 0x10000000u) {
    blocked = T().unrated;
  } else if (word >= 1 && word <= 8) {
    blocked = T().usMovie[word];
  } else {
    int32_t level = 0;
    uint32_t content = word & kTVContent;
    if (word == 0x100) level = 1;
    if (word == 0x200 || word == 0x210) level = 2;
    if (word == 0x210) content = XPM_US_CONTENT_FV;
    // TV-G to TV-MA carry their level in the top nibble, 2 to 5.
    if (level == 0 && (word >> 28) >= 2 && (word >> 28) <= 5) level = int32_t(word >> 28) + 1;
    if (level >= 3 && level <= 6) content &= LevelParts(level);
    if (level >= 1 && level <= 6) blocked = (T().usTV[level] & (XPM_US_CONTENT_LEVEL | content)) != 0;
  }
  const int32_t english = simtv::OemValue(XPM_OEM_PROP_CAN_ENGLISH_BLOCK);
  const int32_t french = simtv::OemValue(XPM_OEM_PROP_CAN_FRENCH_BLOCK);
  if (canRating >= 1 && canRating <= 7 && english != 0 && canRating >= english) blocked = true;
  if (canRating >= 16 && canRating <= 96 && french != 0 && canRating >= french) blocked = true;
  return blocked;
}

bool LocksOn() {
  return simtv::AvValue(XPM_AV_PROP_PARENTAL_LOCKS) == kLocksOn || simtv::AvValue(XPM_AV_PROP_ENABLE_RATING_BLOCK) != 0;
}

// ---------------------------------------------------------------- tuning

// Why the channel cannot be shown, 0 when it can.
int32_t TuneReason(int32_t major, int32_t minor) {
  const uint8_t medium = uint8_t(simtv::Medium() == 1);
  bool known = false;
  XPM_ChannelInfo entry{};
  simtv::WithChannels([&](std::vector<XPM_ChannelInfo>& channels) {
    for (const XPM_ChannelInfo& c : channels) {
      if (c.cable != medium || c.major != major || c.minor != minor) continue;
      entry = c;
      known = true;
    }
  });
  if (!known) return kNotInStream;
  const bool locks = LocksOn();
  std::lock_guard lock(g_mutex);
  const simtv_broadcast_channel* air = OnAir(medium, major, minor);
  if (!air) return OnPhysical(medium, entry.physical, true, true).empty() ? kNoTunerLock : kNotInStream;
  if (locks && entry.locked) return kChannelLocked;
  if (locks && Blocked(air->usRating, air->canRating)) return kRatingBlocked;
  return 0;
}

// What the middleware tells of the channel a window now shows.
void DescribeChannel(int32_t window, int32_t major, int32_t minor) {
  XPM_CurrentChannelInfo info{};
  info.major = major;
  info.minor = minor;
  info.serviceType = minor > 0 ? 2 : 0;
  const uint8_t medium = uint8_t(simtv::Medium() == 1);
  {
    std::lock_guard lock(g_mutex);
    if (const simtv_broadcast_channel* air = OnAir(medium, major, minor)) {
      std::memcpy(info.name, air->channel.name, sizeof info.name);
      info.physical = air->channel.physical;
      info.signalQuality = air->channel.signalStrength;
      info.usRating = air->usRating;
      info.canRating = air->canRating;
      info.captionFlag = 1;
    }
  }
  simtv_tv_set_current_channel_info(window, &info);
}

// ------------------------------------------------------------------ scans

// The channel table after a full scan of a medium.
void Commit(uint8_t medium, const std::vector<XPM_ChannelInfo>& found, bool additive) {
  simtv::WithChannels([&](std::vector<XPM_ChannelInfo>& channels) {
    std::vector<XPM_ChannelInfo> kept;
    std::map<ChannelKey, XPM_ChannelInfo> before;
    for (const XPM_ChannelInfo& c : channels) {
      if (c.cable == medium) before[KeyOf(c)] = c;
      if (c.cable != medium || additive) kept.push_back(c);
    }
    for (XPM_ChannelInfo c : found) {
      if (c.cable != medium) continue;
      auto old = before.find(KeyOf(c));
      c.isNew = old == before.end();
      // The viewer's choices stay with a channel that is found again.
      if (!c.isNew) {
        c.locked = old->second.locked;
        c.favoriteRings = old->second.favoriteRings;
        c.skipped = old->second.skipped;
      }
      auto same = std::find_if(kept.begin(), kept.end(), [&](const XPM_ChannelInfo& k) { return KeyOf(k) == KeyOf(c); });
      if (same != kept.end())
        *same = c;
      else
        kept.push_back(c);
    }
    channels = std::move(kept);
  });
}

std::vector<int32_t> ScanReport(int32_t physical, int32_t total, int32_t percent, int32_t kind,
                                const std::vector<XPM_ChannelInfo>& found) {
  const int32_t n = std::min<int32_t>(int32_t(found.size()), kScanReportLimit);
  std::vector<int32_t> words = {physical, total, percent, kind, 0, 0, 0, n, 0};
  for (int32_t i = 0; i < n; ++i) {
    words.push_back(found[size_t(i)].major);
    words.push_back(found[size_t(i)].minor);
  }
  return words;
}

void FullScanStep(uint64_t generation);

void ScheduleFullScanStep() {
  const uint64_t generation = T().scan.generation;
  T().scan.pending = simtv::AnswerLater(SIMTV_SCAN_STEP_MS, [generation] { FullScanStep(generation); });
}

void FullScanStep(uint64_t generation) {
  std::lock_guard lock(g_mutex);
  Scan& scan = T().scan;
  if (scan.state != kFullScan || scan.generation != generation) return;
  const auto [medium, physical] = scan.steps[scan.step];
  const std::vector<XPM_ChannelInfo> found =
      OnPhysical(medium, physical, scan.options & XPM_SCAN_DIGITAL, scan.options & XPM_SCAN_ANALOG);
  scan.found.insert(scan.found.end(), found.begin(), found.end());
  ++scan.step;
  const int32_t percent = int32_t(scan.step * 100 / scan.steps.size());
  Send(MiddlewareNumber(XpmEvent::FullScanProgress),
       ScanReport(physical, int32_t(scan.found.size()), percent, kFullScanKind, found));
  if (scan.step < scan.steps.size()) {
    ScheduleFullScanStep();
    return;
  }
  for (uint8_t m : scan.media) Commit(m, scan.found, scan.options & XPM_SCAN_ADDITIVE);
  scan.state = kNoScan;
  Send(MiddlewareNumber(XpmEvent::FullScanCompleted), {});
}

void SingleScanDone(uint64_t generation, int32_t physical, bool digital, bool analog) {
  std::lock_guard lock(g_mutex);
  Scan& scan = T().scan;
  if (scan.state != kSingleScan || scan.generation != generation) return;
  scan.state = kNoScan;
  const uint8_t medium = uint8_t(simtv::Medium() == 1);
  std::vector<XPM_ChannelInfo> found = OnPhysical(medium, physical, digital, analog);
  simtv::WithChannels([&](std::vector<XPM_ChannelInfo>& channels) {
    for (XPM_ChannelInfo& c : channels)
      if (c.cable == medium) c.scanned = 0;
    for (XPM_ChannelInfo f : found) {
      auto same =
          std::find_if(channels.begin(), channels.end(), [&](const XPM_ChannelInfo& c) { return KeyOf(c) == KeyOf(f); });
      f.scanned = 1;
      f.isNew = same == channels.end();
      if (f.isNew) {
        channels.push_back(f);
      } else {
        same->scanned = 1;
        same->isNew = 0;
        same->signalStrength = f.signalStrength;
      }
    }
  });
  Send(MiddlewareNumber(XpmEvent::SingleScanCompleted),
       ScanReport(physical, int32_t(found.size()), 100, kSingleScanKind, found));
}

void GuideScanStep(uint64_t generation) {
  std::lock_guard lock(g_mutex);
  Scan& scan = T().scan;
  if (scan.state != kGuideScan || scan.generation != generation) return;
  const auto [major, minor] = scan.guide[scan.step];
  ++scan.step;
  uint8_t payload[20] = {};
  const uint16_t percent = uint16_t(scan.step * 100 / scan.guide.size());
  const uint16_t done = uint16_t(scan.step);
  std::memcpy(payload + 6, &percent, sizeof percent);
  std::memcpy(payload + 8, &done, sizeof done);
  std::memcpy(payload + 12, &major, sizeof major);
  std::memcpy(payload + 16, &minor, sizeof minor);
  simtv_inject_event(0, XpmEvent::EpgScanProgress, payload, sizeof payload);
  if (scan.step < scan.guide.size()) {
    scan.pending = simtv::AnswerLater(SIMTV_EPG_STEP_MS, [generation] { GuideScanStep(generation); });
    return;
  }
  scan.state = kNoScan;
  Send(XpmEvent::EpgScanCompleted, {});
}

// Ends the running scan; the caller holds g_mutex.
void EndScan() {
  simtv::WithdrawAnswer(T().scan.pending);
  ++T().scan.generation;
  T().scan.state = kNoScan;
}

int32_t PhysicalFirst(uint8_t medium) { return medium ? XPM_RF_CABLE_FIRST : XPM_RF_ANTENNA_FIRST; }
int32_t PhysicalLast(uint8_t medium) { return medium ? XPM_RF_CABLE_LAST : XPM_RF_ANTENNA_LAST; }

// ------------------------------------------- channel changes, blocks

// Changes the channels of the current medium that the numbers name (-1, -1
// every one); kErrorNotFound when none matches.
int32_t ChangeChannels(int32_t major, int32_t minor, const std::function<void(XPM_ChannelInfo&)>& change) {
  const uint8_t medium = uint8_t(simtv::Medium() == 1);
  const bool every = major == -1 && minor == -1;
  bool found = false;
  simtv::WithChannels([&](std::vector<XPM_ChannelInfo>& channels) {
    for (XPM_ChannelInfo& c : channels) {
      if (c.cable != medium || (!every && (c.major != major || c.minor != minor))) continue;
      change(c);
      found = true;
    }
  });
  return found || every ? 0 : kErrorNotFound;
}

int32_t ChangeRing(const char* name, int32_t ring, int32_t major, int32_t minor, bool member) {
  int32_t code = 0;
  if (simk::Refused(name, simk::CallArgs{}.Int(ring).Int(major).Int(minor), &code)) return code;
  if (ring == XPM_RING_GUIDE)
    return ChangeChannels(major, minor, [member](XPM_ChannelInfo& c) { c.skipped = !member; });
  if (ring < 0 || ring >= XPM_FAVORITE_RING_COUNT) return kErrorBadArgument;
  const uint32_t bit = 1u << ring;
  return ChangeChannels(major, minor, [member, bit](XPM_ChannelInfo& c) {
    c.favoriteRings = member ? (c.favoriteRings | bit) : (c.favoriteRings & ~bit);
  });
}


int32_t SetUsTV(const char* name, int32_t first, int32_t last, int32_t level, uint32_t content, int32_t block,
                int32_t apply) {
  int32_t code = 0;
  if (simk::Refused(name, simk::CallArgs{}.Int(level).Int(content).Int(block).Int(apply), &code)) return code;
  if (level < first || level > last) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  Graduate(first, last, level, content, block != 0);
  return 0;
}

}  // namespace

// --------------------------------------------------------- inside the set

void simtv::ResetTuner() {
  std::lock_guard lock(g_mutex);
  Tuner& t = T();
  simtv::WithdrawAnswer(t.scan.pending);
  for (uint64_t id : {t.pendingTune[0], t.pendingTune[1], t.pendingSource[0], t.pendingSource[1]})
    simtv::WithdrawAnswer(id);
  const uint64_t generation = t.scan.generation + 1;
  t = Tuner{};
  t.scan.generation = generation;
}

void simtv::AnswerSource(int32_t window, int32_t source) {
  if (window != 0 && window != 1) return;
  std::lock_guard lock(g_mutex);
  simtv::WithdrawAnswer(T().pendingSource[window]);
  T().pendingSource[window] = simtv::AnswerLater(SIMTV_ACQUIRE_MS, [window, source] {
    bool signal = true;
    {
      std::lock_guard inner(g_mutex);
      auto it = T().withoutSignal.find(source);
      signal = it == T().withoutSignal.end() || !it->second;
    }
    if (signal)
      Send(XpmEvent::SourceAcquired, {window, source});
    else
      Send(XpmEvent::SourceNotAcquired, {window, source, kNoSignal});
  });
}

extern "C" {

// ------------------------------------------------------------------ tuning

int32_t XPM_SetChannel(int32_t window, int32_t major, int32_t minor) {
  int32_t code = 0;
  if (simk::Refused("XPM_SetChannel", simk::CallArgs{}.Int(window).Int(major).Int(minor), &code)) return code;
  if (window != 0 && window != 1) return kErrorBadArgument;
  simtv_av_set_channel(window, major, minor);
  DescribeChannel(window, major, minor);
  std::lock_guard lock(g_mutex);
  // A new tuning overtakes one that has not been answered yet.
  simtv::WithdrawAnswer(T().pendingTune[window]);
  T().pendingTune[window] = simtv::AnswerLater(SIMTV_ACQUIRE_MS, [window, major, minor] {
    const int32_t reason = TuneReason(major, minor);
    if (reason == 0)
      Send(XpmEvent::ChannelAcquired, {window, major, minor});
    else
      Send(XpmEvent::ChannelNotAcquired, {window, major, minor, reason});
  });
  return 0;
}

// ---------------------------------------------------- rings, names, logos

int32_t XPM_AddChannelToRing(int32_t ring, int32_t major, int32_t minor) {
  return ChangeRing("XPM_AddChannelToRing", ring, major, minor, true);
}

int32_t XPM_RemoveChannelFromRing(int32_t ring, int32_t major, int32_t minor) {
  return ChangeRing("XPM_RemoveChannelFromRing", ring, major, minor, false);
}

int32_t XPM_SetChannelName(int32_t major, int32_t minor, const char* name) {
  int32_t code = 0;
  if (simk::Refused("XPM_SetChannelName", simk::CallArgs{}.Int(major).Int(minor).Text(name), &code)) return code;
  if (!name || (major == -1 && minor == -1)) return kErrorBadArgument;
  return ChangeChannels(major, minor,
                        [name](XPM_ChannelInfo& c) { std::snprintf(c.name, sizeof c.name, "%s", name); });
}

int32_t XPM_GetChannelLogoIndex(int32_t major, int32_t minor, int32_t* index) {
  int32_t code = 0;
  if (simk::Refused("XPM_GetChannelLogoIndex", simk::CallArgs{}.Int(major).Int(minor), &code)) return code;
  if (!index) return kErrorBadArgument;
  if (ChangeChannels(major, minor, [](XPM_ChannelInfo&) {}) != 0) return kErrorNotFound;
  std::lock_guard lock(g_mutex);
  auto it = T().logos.find({uint8_t(simtv::Medium() == 1), major, minor});
  *index = it == T().logos.end() ? 0 : it->second;
  return 0;
}

int32_t XPM_SetChannelLogoIndex(int32_t major, int32_t minor, int32_t index) {
  int32_t code = 0;
  if (simk::Refused("XPM_SetChannelLogoIndex", simk::CallArgs{}.Int(major).Int(minor).Int(index), &code)) return code;
  if (index < 0 || index > XPM_CHANNEL_LOGO_COUNT || (major == -1 && minor == -1)) return kErrorBadArgument;
  if (ChangeChannels(major, minor, [](XPM_ChannelInfo&) {}) != 0) return kErrorNotFound;
  std::lock_guard lock(g_mutex);
  T().logos[{uint8_t(simtv::Medium() == 1), major, minor}] = index;
  return 0;
}

// ------------------------------------------------------------------- scans

int32_t XPM_StartChannelScan(int32_t kind, int32_t options) {
  int32_t code = 0;
  if (simk::Refused("XPM_StartChannelScan", simk::CallArgs{}.Int(kind).Int(options), &code)) return code;
  if (kind < XPM_SCAN_ANTENNA || kind > XPM_SCAN_ANTENNA_AND_CABLE) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  Scan& scan = T().scan;
  if (scan.state != kNoScan) return kErrorBusy;
  scan.state = kFullScan;
  scan.options = options;
  scan.steps.clear();
  scan.found.clear();
  scan.step = 0;
  scan.media.clear();
  if (kind != XPM_SCAN_CABLE) scan.media.push_back(0);
  if (kind != XPM_SCAN_ANTENNA) scan.media.push_back(1);
  for (uint8_t medium : scan.media)
    for (int32_t rf = PhysicalFirst(medium); rf <= PhysicalLast(medium); ++rf) scan.steps.emplace_back(medium, rf);
  ScheduleFullScanStep();
  return 0;
}

int32_t XPM_StopChannelScan(void) {
  int32_t code = 0;
  if (simk::Refused("XPM_StopChannelScan", {}, &code)) return code;
  std::lock_guard lock(g_mutex);
  const ScanState state = T().scan.state;
  if (state != kFullScan && state != kSingleScan) return 0;
  EndScan();
  simtv::EventLater(0, MiddlewareNumber(state == kFullScan ? XpmEvent::FullScanAborted : XpmEvent::SingleScanAborted),
                    nullptr, 0);
  return 0;
}

int32_t XPM_StartChannelDiscovery(int32_t physical, int32_t start, int32_t digital, int32_t analog, int32_t reserved,
                                  int32_t report) {
  int32_t code = 0;
  if (simk::Refused("XPM_StartChannelDiscovery",
              simk::CallArgs{}.Int(physical).Int(start).Int(digital).Int(analog).Int(reserved).Int(report), &code))
    return code;
  const uint8_t medium = uint8_t(simtv::Medium() == 1);
  if (physical < PhysicalFirst(medium) || physical > PhysicalLast(medium)) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  Scan& scan = T().scan;
  if (scan.state != kNoScan) return kErrorBusy;
  scan.state = kSingleScan;
  const uint64_t generation = scan.generation;
  scan.pending = simtv::AnswerLater(SIMTV_SINGLE_SCAN_MS, [generation, physical, digital, analog] {
    SingleScanDone(generation, physical, digital != 0, analog != 0);
  });
  return 0;
}

int32_t XPM_StartEPGScan(void) {
  int32_t code = 0;
  if (simk::Refused("XPM_StartEPGScan", {}, &code)) return code;
  const uint8_t medium = uint8_t(simtv::Medium() == 1);
  std::vector<XPM_ChannelInfo> ring;
  simtv::WithChannels([&](std::vector<XPM_ChannelInfo>& channels) {
    for (const XPM_ChannelInfo& c : channels)
      if (c.cable == medium && !c.skipped) ring.push_back(c);
  });
  std::sort(ring.begin(), ring.end(), Before);
  std::lock_guard lock(g_mutex);
  Scan& scan = T().scan;
  if (scan.state != kNoScan) return kErrorBusy;
  if (ring.empty()) {
    simtv::EventLater(0, XpmEvent::EpgScanAborted, nullptr, 0);
    return 0;
  }
  scan.state = kGuideScan;
  scan.step = 0;
  scan.guide.clear();
  for (const XPM_ChannelInfo& c : ring) scan.guide.emplace_back(c.major, c.minor);
  const uint64_t generation = scan.generation;
  scan.pending = simtv::AnswerLater(SIMTV_EPG_STEP_MS, [generation] { GuideScanStep(generation); });
  return 0;
}

int32_t XPM_StopEPGScan(void) {
  int32_t code = 0;
  if (simk::Refused("XPM_StopEPGScan", {}, &code)) return code;
  std::lock_guard lock(g_mutex);
  if (T().scan.state != kGuideScan) return 0;
  EndScan();
  simtv::EventLater(0, XpmEvent::EpgScanAborted, nullptr, 0);
  return 0;
}

// ---------------------------------------------------------- rating blocks

int32_t XPM_SetUsChildRating(int32_t level, uint32_t content, int32_t block, int32_t apply) {
  return SetUsTV("XPM_SetUsChildRating", 1, 2, level, content, block, apply);
}

int32_t XPM_SetUsAgeRating(int32_t level, uint32_t content, int32_t block, int32_t apply) {
  return SetUsTV("XPM_SetUsAgeRating", 3, 6, level, content, block, apply);
}

int32_t XPM_GetUsRatingBlocks(int32_t level, uint32_t* content) {
  int32_t code = 0;
  if (simk::Refused("XPM_GetUsRatingBlocks", simk::CallArgs{}.Int(level), &code)) return code;
  if (level < 1 || level > 6 || !content) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  *content = T().usTV[level];
  return 0;
}

int32_t XPM_SetUsMovieRating(int32_t level, int32_t block, int32_t apply) {
  int32_t code = 0;
  if (simk::Refused("XPM_SetUsMovieRating", simk::CallArgs{}.Int(level).Int(block).Int(apply), &code)) return code;
  if (level < 1 || level > 8) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  if (level < kMovieFirstGraduated || level > kMovieLastGraduated) {
    T().usMovie[level] = block != 0;
    return 0;
  }
  for (int32_t l = kMovieFirstGraduated; l <= kMovieLastGraduated; ++l)
    if (block ? l >= level : l <= level) T().usMovie[l] = block != 0;
  return 0;
}

int32_t XPM_GetUsMovieRatingBlock(int32_t level, int32_t* blocked) {
  int32_t code = 0;
  if (simk::Refused("XPM_GetUsMovieRatingBlock", simk::CallArgs{}.Int(level), &code)) return code;
  if (level < 1 || level > 8 || !blocked) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  *blocked = T().usMovie[level];
  return 0;
}

int32_t XPM_SetUnratedContent(int32_t block) {
  int32_t code = 0;
  if (simk::Refused("XPM_SetUnratedContent", simk::CallArgs{}.Int(block), &code)) return code;
  std::lock_guard lock(g_mutex);
  T().unrated = block != 0;
  return 0;
}

int32_t XPM_GetUnratedContent(int32_t* block) {
  int32_t code = 0;
  if (simk::Refused("XPM_GetUnratedContent", {}, &code)) return code;
  if (!block) return kErrorBadArgument;
  std::lock_guard lock(g_mutex);
  *block = T().unrated;
  return 0;
}

// ------------------------------------------------------ simulation control

void simtv_tv_clear_broadcast(void) {
  std::lock_guard lock(g_mutex);
  T().air.clear();
}

void simtv_tv_add_broadcast(const simtv_broadcast_channel* channel) {
  if (!channel) return;
  simtv_broadcast_channel copy = *channel;
  copy.channel.name[XPM_CHANNEL_NAME_SIZE - 1] = 0;
  std::lock_guard lock(g_mutex);
  for (simtv_broadcast_channel& b : T().air) {
    if (KeyOf(b.channel) == KeyOf(copy.channel)) {
      b = copy;
      return;
    }
  }
  T().air.push_back(copy);
}

void simtv_tv_set_source_signal(int32_t source, int32_t signal) {
  std::lock_guard lock(g_mutex);
  T().withoutSignal[source] = signal == 0;
}

int32_t simtv_tv_scan_state(void) {
  std::lock_guard lock(g_mutex);
  return T().scan.state;
}

}  // extern "C"
