#include "walk.h"

#include <algorithm>
#include <iterator>
#include <span>
#include <vector>

#include "keymap.h"
#include "remote_keys.h"

namespace {

struct Weighted {
  int weight;
  Key::Code key;
};

// The keys that move through the screens, by the weight of a thumb.
constexpr Weighted kKeys[] = {
    {16, Key::Ok},        {6, Key::Menu},        {10, Key::Up},      {10, Key::Down},      {6, Key::Left},
    {8, Key::Right},      {4, Key::Back},        {1, Key::Exit},     {1, Key::Last},       {3, Key::Quick},
    {2, Key::Red},        {2, Key::Green},       {2, Key::Yellow},   {2, Key::Blue},       {2, Key::Info},
    {1, Key::Input},      {1, Key::ChannelUp},   {1, Key::ChannelDown}, {1, Key::VolumeUp}, {1, Key::VolumeDown},
    {1, Key::Mute},       {1, Key::Power},       {1, Key::ClearAll},
};
constexpr int kDigitWeight = 6;  // the ten digits together
constexpr int kPinWeight = 4;     // the whole parental PIN at once
constexpr int kFrontPanelWeight = 2;
constexpr int kOtherKeyWeight = 4;  // every other key the key table gives, alike
constexpr int kLetterWeight = 1;    // the keyboard remote's letters and signs
constexpr int kHoldWeight = 2;      // a front-panel key while another is held

// The keys whose holding the set asks about (INFO by its code), as the
// service mode's entry does.
constexpr const char* kHeldKeys[] = {"FP_VOL-", "FP_CH-", "24"};
constexpr const char* kWake[] = {"advance 2000", "event XPM_EVENT_WAKEUP Reason=1"};

// At live television with nothing on the screen most keys do nothing; half
// the time the viewer presses one that opens something.
constexpr Weighted kOpeners[] = {
    {6, Key::Menu}, {2, Key::Quick}, {1, Key::Input}, {1, Key::Green}, {1, Key::Blue}, {1, Key::Record},
};

// Of every hundred choices, how many are events, waits and scrolls rather
// than single keys; a scroll is up to kLongestScroll arrows and OK.
constexpr uint32_t kEventsInHundred = 7;
constexpr uint32_t kWaitsInHundred = 10;
constexpr uint32_t kScrollsInHundred = 8;
constexpr uint32_t kLongestScroll = 12;
// At live television one choice in kRouteOneIn takes a known route to a
// screen; a route is at most kLongestRoute lines.
constexpr uint32_t kRouteOneIn = 2;
constexpr uint32_t kFrontier = 8;
constexpr size_t kLongestRoute = 400;

// What the middleware and the viewer's hands do between keys: each a few
// lines in a row, so that a standby has its wake and a 3D input the report
// that announces it.
struct EventDef {
  int weight;
  const char* lines[5];
};
constexpr EventDef kEvents[] = {
    {3, {"standby", "advance 5000", "wake", "advance 1000", "event XPM_EVENT_WAKEUP Reason=1"}},
    {1, {"event XPM_EVENT_STANDBY Reason=2", "advance 2000", "event XPM_EVENT_WAKEUP Reason=1"}},
    {3, {"usb insert"}},
    {3, {"usb remove"}},
    {1, {"usb insert 3000000 NTFS"}},
    {3, {"media stick"}},
    {2, {"media remove"}},
    {1, {"dispatch device-removed 242"}},
    // Channel scans: a progress report, a channel found, the end or the
    // abort of a full and of a single scan, and the guide's scan.
    {2, {"event 14 27 2 50 4 0 0 0 0"}},
    {1, {"event 14 1 2 3 4 0 0 0 1 0 7 1"}},
    {2, {"event 15"}},
    {1, {"event 16"}},
    {1, {"event 17 1 2 3 4 0 0 0 0 0"}},
    {1, {"event 18"}},
    {1, {"event XPM_EVENT_EPG_FULL_CHANNEL_SCAN_PROGRESS Values[0]=3 Values[1]=10 Major=7 Minor=1"}},
    {1, {"event 115"}},
    {1, {"event 116"}},
    {1, {"event XPM_EVENT_CHANNEL_ACQUIRED Window=0 Major=9 Minor=1"}},
    {1, {"event XPM_EVENT_CHANNEL_NOT_ACQUIRED Window=0 Major=9 Minor=1 Status=1"}},
    {1, {"event 22 0"}},
    {1, {"event 5 0 1"}},
    {1, {"event 6 0 1 1"}},
    // Networks: a wireless search done, a join that ended each way, an
    // interface up or down, a connection test's results.
    {2, {"event 82 0"}},
    {2, {"event 84 0"}},
    {2, {"event 84 1"}},
    {2, {"event 84 2"}},
    {1, {"event 85 0"}},
    {1, {"event 85 1"}},
    {1, {"event 85 3"}},
    {1, {"event 85 5"}},
    {1, {"event 81 0 1 5000"}},
    {1, {"event 81 1 1 0"}},
    // The update service: an upgrade found, none, a failed network, a
    // failed upgrade.
    {1, {"dispatch update-result 0"}},
    {1, {"dispatch update-result 5000"}},
    {1, {"dispatch update-result 1"}},
    {1, {"dispatch update-result 6000"}},
    // HDMI-CEC devices: names changing, a source detected, a deck and an
    // amplifier reporting, a text for the screen.
    {2, {"event XPM_EVENT_HDMI_SOURCE_NAME_UPDATED SourceId=5 Name= \"Player\""}},
    {1, {"event XPM_EVENT_HDMI_SOURCE_NAME_UPDATED SourceId=6 Name= \"Receiver\""}},
    {1, {"event XPM_EVENT_HDMI_SOURCE_NAME_UPDATED SourceId=7 Name="}},
    {1, {"event 71 SourceId=6 Detected=1"}},
    {1, {"event 74 1"}},
    {1, {"event 77 2"}},
    {1, {"event XPM_EVENT_UPDATE_OSD_STRING SourceId=5 Text= \"Disc loading\""}},
    // Recording: a tuner's recording status, a disk formatted, a timer's
    // warning, playback ending and rewound to its start, the disk's speed test.
    {1, {"event 111 1 0 1"}},
    {1, {"event 112 0"}},
    {1, {"event 117 1"}},
    {1, {"event RecordPlaybackStatusEvent Value=1 Status=5"}},
    {1, {"event RecordPlaybackStatusEvent Value=1 Status=6"}},
    {1, {"event 57 0 0 0 0 0 0x40390000 zeros=16"}},
    // The picture: a 3D signal coming and going, a rating region, no signal.
    {1, {"3d-input 2", "event XPM_EVENT_REPORT_3DMODE"}},
    {1, {"3d-input 1", "event XPM_EVENT_REPORT_3DMODE"}},
    {1, {"3d-input -2", "event XPM_EVENT_REPORT_3DMODE"}},
    {1, {"3d-input 0", "event XPM_EVENT_REPORT_3DMODE"}},
    {1, {"event 24 5"}},
    {1, {"dispatch dpms 600"}},
};

// The moments between two keys.
constexpr uint32_t kPaces[] = {20, 50, 100, 150, 200, 300, 400, 600};

// How long the walk waits: mostly moments, sometimes long enough for a
// screen's time-out.
constexpr uint32_t kWaits[] = {100, 200, 300, 500, 500, 1000, 1000, 2000, 3000, 5000, 15000, 61000};

template <typename Row>
int TotalWeight(std::span<const Row> rows) {
  int total = 0;
  for (const Row& row : rows) total += row.weight;
  return total;
}

// The keys of the key table that the tables above do not weigh, below the
// keyboard's letters, and the letters and signs.
struct OtherKeys {
  std::vector<Key::Code> keys;
  std::vector<Key::Code> letters;
};

const OtherKeys& Others() {
  static const OtherKeys others = [] {
    OtherKeys o;
    for (int32_t code = 0; code < FrontPanelFirstKeyCode; ++code) {
      const auto gui = Key::Code(GuiKeyCodeOf(code));
      const bool weighed = std::any_of(std::begin(kKeys), std::end(kKeys), [gui](const Weighted& w) { return w.key == gui; });
      // The factory key belongs to the service remote, not to a viewer's.
      if (gui == Key::None || weighed || Key::IsDigit(gui) || gui == Key::Factory) continue;
      std::vector<Key::Code>& list = gui >= Key::LetterA ? o.letters : o.keys;
      if (std::find(list.begin(), list.end(), gui) == list.end()) list.push_back(gui);
    }
    return o;
  }();
  return others;
}

// A key as the runner's line names it: by its name when the runner's table
// has one (a remote key before a front-panel one), else by its GUI code.
std::string KeyByGuiCode(Key::Code gui) {
  for (const RemoteKey& key : RemoteKeys())
    if (key.guiKey == gui && (key.keyCode < FrontPanelFirstKeyCode || key.keyCode > FrontPanelLastKeyCode))
      return "key " + std::string(key.name);
  return "key gui " + std::to_string(gui);
}

std::string FrontPanelLine(int32_t keyCode) {
  for (const RemoteKey& key : RemoteKeys())
    if (key.keyCode == keyCode) return "key " + std::string(key.name);
  return "key " + std::to_string(keyCode);
}

}  // namespace

Walk::Walk(uint64_t seed) : state_(seed) {}

// SplitMix64: the same numbers from the same seed everywhere, which the
// standard library's distributions do not promise.
uint64_t Walk::Random() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

uint32_t Walk::Below(uint32_t bound) { return uint32_t(Random() % bound); }

bool Walk::IsKey(const std::string& line) { return line.compare(0, 4, "key ") == 0; }

std::string Walk::Pace() { return "advance " + std::to_string(kPaces[Below(std::size(kPaces))]); }

// One key by the weights, with the moment after it; a key of the front panel
// may be pressed while another is held, and a set sent to standby by its
// power key is woken by it again (the middleware reports the wake).
void Walk::AddKey() {
  if (liveTv_ && Below(2) == 0) {
    int pick = int(Below(uint32_t(TotalWeight<Weighted>(kOpeners))));
    for (const Weighted& w : kOpeners) {
      if ((pick -= w.weight) >= 0) continue;
      pending_.insert(pending_.end(), {KeyByGuiCode(w.key), Pace()});
      return;
    }
  }
  int pick = int(Below(uint32_t(TotalWeight<Weighted>(kKeys) + kDigitWeight + kPinWeight + kFrontPanelWeight +
                                kHoldWeight + kOtherKeyWeight + kLetterWeight)));
  Key::Code gui = Key::None;
  std::string line;
  std::string held;
  for (const Weighted& w : kKeys) {
    if ((pick -= w.weight) >= 0) continue;
    gui = w.key;
    break;
  }
  if (gui != Key::None) {
    line = KeyByGuiCode(gui);
  } else if ((pick -= kDigitWeight) < 0) {
    line = KeyByGuiCode(Key::Code(Key::Digit0 + Below(10)));
  } else if ((pick -= kPinWeight) < 0) {
    line = "key";
    for (const char* digit = kPin; *digit; ++digit) line += std::string(" ") + *digit;
  } else if ((pick -= kFrontPanelWeight + kHoldWeight) < 0) {
    if (pick >= -kHoldWeight) held = kHeldKeys[Below(std::size(kHeldKeys))];
    const int32_t code = FrontPanelFirstKeyCode + int32_t(Below(FrontPanelLastKeyCode - FrontPanelFirstKeyCode + 1));
    gui = Key::Code(GuiKeyCodeOf(code));
    line = FrontPanelLine(code);
  } else {
    const OtherKeys& others = Others();
    const std::vector<Key::Code>& list = pick < kOtherKeyWeight ? others.keys : others.letters;
    line = KeyByGuiCode(list[Below(uint32_t(list.size()))]);
  }
  if (!held.empty()) pending_.push_back("press " + held);
  pending_.push_back(line);
  if (!held.empty()) pending_.push_back("release " + held);
  pending_.push_back(Pace());
  if (gui == Key::Power) pending_.insert(pending_.end(), std::begin(kWake), std::end(kWake));
}

void Walk::Choose() {
  const uint32_t roll = Below(100);
  if (roll < kEventsInHundred) {
    int pick = int(Below(uint32_t(TotalWeight<EventDef>(kEvents))));
    const EventDef* chosen = &kEvents[0];
    for (const EventDef& e : kEvents) {
      chosen = &e;
      if ((pick -= e.weight) < 0) break;
    }
    for (const char* line : chosen->lines)
      if (line) pending_.push_back(line);
  } else if (roll < kEventsInHundred + kWaitsInHundred) {
    pending_.push_back("advance " + std::to_string(kWaits[Below(std::size(kWaits))]));
  } else if (roll < kEventsInHundred + kWaitsInHundred + kScrollsInHundred) {
    // A run of one arrow to a row further down a list, and OK on it.
    const char* arrow = Below(4) == 0 ? "key UP" : "key DOWN";
    for (uint32_t n = 1 + Below(kLongestScroll); n > 0; --n) pending_.insert(pending_.end(), {arrow, Pace()});
    pending_.insert(pending_.end(), {"key OK", Pace()});
  } else {
    AddKey();
  }
}

std::string Walk::Next() {
  // Half the routes taken lead to one of the screens found last, the
  // frontier of what the walk knows.
  if (pending_.empty() && liveTv_ && !routes_.empty() && Below(kRouteOneIn) == 0) {
    const auto count = uint32_t(routes_.size());
    const uint32_t recent = std::min(count, kFrontier);
    const std::vector<std::string>& route = routes_[Below(2) == 0 ? count - 1 - Below(recent) : Below(count)].second;
    pending_.assign(route.begin(), route.end());
  }
  if (pending_.empty()) Choose();
  // A set that went to standby of itself (a reset, a timer) takes no key
  // but its power key: the viewer wakes it with that before the next key.
  const std::string& next = pending_.front();
  if (standby_ && next != KeyByGuiCode(Key::Power) && (IsKey(next) || next.compare(0, 6, "press ") == 0)) {
    pending_.push_front("advance 1000");
    pending_.push_front(KeyByGuiCode(Key::Power));
    standby_ = false;
  }
  std::string line = pending_.front();
  pending_.pop_front();
  if (path_.size() <= kLongestRoute) path_.push_back(line);  // one more marks it too long
  return line;
}

void Walk::Saw(const std::vector<std::string>& screens, bool standby) {
  liveTv_ = screens.empty();
  standby_ = standby;
  for (const std::string& screen : screens)
    if (!known_.count(screen) && std::find(found_.begin(), found_.end(), screen) == found_.end()) found_.push_back(screen);
  // Routes begin and end between choices, never amid a held key or a
  // standby and its wake.
  if (!pending_.empty()) return;
  // A route too long to remember is not taken again.
  if (path_.size() <= kLongestRoute) {
    for (const std::string& screen : found_) {
      known_.insert(screen);
      routes_.emplace_back(screen, path_);
    }
  }
  found_.clear();
  if (liveTv_) path_.clear();
}
