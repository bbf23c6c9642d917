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
    {3, Key::Input},      {1, Key::ChannelUp},   {1, Key::ChannelDown}, {1, Key::VolumeUp}, {1, Key::VolumeDown},
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
    {6, Key::Menu}, {2, Key::Quick}, {2, Key::Input}, {1, Key::Green}, {1, Key::Blue}, {1, Key::Record},
};

// Of every hundred choices, how many are curious moves, and of the rest how
// many are events, waits and scrolls rather than single keys; a scroll is up
// to kLongestScroll arrows and OK.
constexpr uint32_t kCuriousInHundred = 70;
constexpr uint32_t kEventsInHundred = 7;
constexpr uint32_t kWaitsInHundred = 10;
constexpr uint32_t kScrollsInHundred = 8;
constexpr uint32_t kLongestScroll = 12;
// The way out comes at least this often, in keys: after half as many and up
// to this many.
constexpr uint32_t kSettleKeys = 500;

// The curious moves, with where each is worth trying: on every focused
// control (the keys that act on a row or a field), once on each screen (the
// keys that act on a screen), or once in the walk (what opens a
// screen wherever the set stands).
enum class Reach : uint8_t { Control, Screens, Anywhere };
struct Move {
  const char* lines[4];
  Reach reach;
  // Tried after the keys that move through the screens (OK, the arrows,
  // BACK, the PIN) on the places near by.
  bool later = false;
};
constexpr Move kMoves[] = {
    {{"key OK"}, Reach::Control},
    {{"key UP"}, Reach::Control},
    {{"key DOWN"}, Reach::Control},
    {{"key LEFT"}, Reach::Control},
    {{"key RIGHT"}, Reach::Control},
    {{"key BACK"}, Reach::Screens},
    {{"key EXIT"}, Reach::Screens, true},
    {{"key MENU"}, Reach::Screens, true},
    {{"key QUICK"}, Reach::Screens, true},
    {{"key INFO"}, Reach::Screens, true},
    {{"key LAST"}, Reach::Screens, true},
    {{"key INPUT"}, Reach::Screens, true},
    {{"key RED"}, Reach::Screens, true},
    {{"key GREEN"}, Reach::Screens, true},
    {{"key YELLOW"}, Reach::Screens, true},
    {{"key BLUE"}, Reach::Screens, true},
    {{"key RECORD"}, Reach::Screens, true},
    {{"key PLAY"}, Reach::Screens, true},
    {{"key PAUSE"}, Reach::Screens, true},
    {{"key STOP"}, Reach::Screens, true},
    {{"key 3D"}, Reach::Screens, true},
    {{"key PAGE_DOWN"}, Reach::Screens, true},
    {{"key 0"}, Reach::Screens, true},
    {{"key 9"}, Reach::Screens, true},  // the service menu's status check
    {{"key POWER", kWake[0], kWake[1]}, Reach::Screens, true},
    {{"key 1 2 3 4"}, Reach::Screens},  // the parental PIN
    // The hidden pages of the older menus: the front panel's VOL+ (RIGHT in
    // a menu) while its CH- is held.
    {{"press FP_CH-", "key FP_VOL+", "advance 100", "release FP_CH-"}, Reach::Screens, true},
    // The viewer waits: a scan or a search runs on, a screen times out. A
    // screen that waits for the set is waited on before it is left.
    {{"advance 5000"}, Reach::Screens},
    {{"advance 61000"}, Reach::Screens, true},
    // What the middleware tells a screen that waits for it: a wireless
    // search done, a join that worked and one that failed, a connection
    // test passed and failed, an update found and none, a disk and a media
    // stick put in, a 3D signal.
    {{"event 82 0"}, Reach::Screens, true},
    {{"event 84 0"}, Reach::Screens, true},
    {{"event 84 1"}, Reach::Screens, true},
    {{"event 81 0 1 5000"}, Reach::Screens, true},
    {{"event 81 1 1 0"}, Reach::Screens, true},
    {{"dispatch update-result 0"}, Reach::Screens, true},
    {{"dispatch update-result 1"}, Reach::Screens, true},
    {{"usb insert"}, Reach::Screens, true},
    {{"media stick"}, Reach::Screens, true},
    {{"3d-input 2", "event XPM_EVENT_REPORT_3DMODE"}, Reach::Screens, true},
    // The set woken from standby (after a reset it powers down).
    {{"event XPM_EVENT_WAKEUP Reason=1"}, Reach::Anywhere},
    // The service mode: the front panel's MENU while its VOL- is held.
    {{"press FP_VOL-", "key FP_MENU", "advance 100", "release FP_VOL-"}, Reach::Anywhere},
    // The service remote's commands that show the preferences and the
    // set-up pages of the older menus (the latter on a tuner input, as it
    // changes the aerial input).
    {{"event 106 0 0x40EE20DF"}, Reach::Anywhere},
    {{"event 106 0 0x40BFB649"}, Reach::Anywhere},
};
constexpr auto kMoveCount = uint32_t(std::size(kMoves));

// A screen that makes ever new controls would make places without end: past
// this many focused controls on one screen the rest are one place.
constexpr uint32_t kFocusesPerScreen = 48;
// A curious move waits for the screens to settle (a carousel to turn, a page
// to open) before the walk looks where it led.
constexpr const char* kSettle = "advance 500";
// A screen of many controls (a keyboard, a long list) must not keep the walk
// from the others: every so many keys tried on one screen's places make
// them seem a key further away.
constexpr uint32_t kTriesPerKey = 10;
// How many keys further the later moves seem.
constexpr uint32_t kLater = 3;
// How many places the way to a key left to try may pass; past that the walk
// takes a viewer's key instead.
constexpr size_t kFarthest = 4000;
// Every so many lines the pages that had greyed rows are looked at again, as
// the set has moved on since (a picture mode, a view mode, a disk).
constexpr uint64_t kRefreshEvery = 10000;
// How many moves the walk makes toward a page to look at again before it
// takes the page for out of reach.
constexpr uint32_t kApproaches = 24;

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
    // The service remote's commands for the preferences and set-up pages.
    {1, {"event 106 0 0x40EE20DF"}},
    {1, {"event 106 0 0x40BFB649"}},
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
// has one (a remote key, not a front-panel one), else by its GUI code.
std::string KeyByGuiCode(Key::Code gui) { return "key " + ScenarioKeyWords(gui); }

std::string FrontPanelLine(int32_t keyCode) {
  for (const RemoteKey& key : RemoteKeys())
    if (key.keyCode == keyCode) return "key " + std::string(key.name);
  return "key " + std::to_string(keyCode);
}

}  // namespace

static_assert(std::size(kMoves) <= 64, "a screen keeps the moves tried on it as bits of a word");

Walk::Walk(uint64_t seed) : state_(seed), anywhere_(kMoveCount, kUntried), anywhereLed_(kMoveCount) {}

bool Walk::Untried(int32_t place, uint32_t move) const {
  switch (kMoves[move].reach) {
    case Reach::Control:
      return places_[size_t(place)].next[move] == kUntried;
    case Reach::Screens: {
      // The later moves (events, waits, colour keys) are tried once on a
      // class of screens, however many askers it has.
      const Screens& on = screens_[size_t(places_[size_t(place)].screens)];
      const uint64_t tried = kMoves[move].later ? kinds_[size_t(on.kind)].tried : on.tried;
      return !(tried & (uint64_t(1) << move));
    }
    case Reach::Anywhere:
      break;
  }
  return anywhere_[move] == kUntried;
}

// Where a move leads from a place: what it did there last, else (a key that
// acts on the screen) what it did last on another place of the screen.
int32_t Walk::Destination(int32_t place, uint32_t move) const {
  if (kMoves[move].reach == Reach::Anywhere) return anywhere_[move];
  const Place& from = places_[size_t(place)];
  if (from.next[move] != kUntried || kMoves[move].reach != Reach::Screens) return from.next[move];
  return screens_[size_t(from.screens)].next[move];
}

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
// may be pressed while another is held (released after that moment), and a
// set sent to standby by its power key is woken by it again (the middleware
// reports the wake).
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
  // The set reads the held key when the other one arrives, a moment later.
  pending_.push_back(Pace());
  if (!held.empty()) pending_.push_back("release " + held);
  if (gui == Key::Power) pending_.insert(pending_.end(), std::begin(kWake), std::end(kWake));
}

// The way to the nearest place with a move not yet made there, by the
// moves known: breadth first over the map, from here.
bool Walk::Explore() {
  if (here_ < 0) return false;
  constexpr int32_t kUnseen = -2;
  std::vector<int32_t> firstMove(places_.size(), kUnseen);
  std::vector<uint32_t> distance(places_.size(), 0);
  std::deque<int32_t> queue{here_};
  firstMove[size_t(here_)] = -1;
  const uint32_t offset = Below(kMoveCount);
  int32_t best = -1;
  uint32_t bestCost = UINT32_MAX;
  for (size_t visited = 0; !queue.empty() && visited < kFarthest; ++visited) {
    const int32_t place = queue.front();
    queue.pop_front();
    // Past the cheapest found, nothing nearer can come.
    if (distance[size_t(place)] >= bestCost) break;
    uint32_t extra = UINT32_MAX;
    for (uint32_t m = 0; m < kMoveCount && extra; ++m)
      if (Untried(place, m)) extra = std::min(extra, Extra(m));
    uint32_t cost = extra == UINT32_MAX ? UINT32_MAX : distance[size_t(place)] + Weariness(place) + extra;
    // A page to look at again is worth going to however worn.
    if (Stale(place)) cost = std::min(cost, distance[size_t(place)]);
    if (cost < bestCost) {
      best = place;
      bestCost = cost;
    }
    for (uint32_t k = 0; k < kMoveCount; ++k) {
      const uint32_t m = (k + offset) % kMoveCount;
      const int32_t next = Destination(place, m);
      if (next < 0 || firstMove[size_t(next)] != kUnseen) continue;
      firstMove[size_t(next)] = place == here_ ? int32_t(m) : firstMove[size_t(place)];
      distance[size_t(next)] = distance[size_t(place)] + 1;
      queue.push_back(next);
    }
  }
  if (best < 0 || (best == here_ && Stale(best))) return false;
  if (best == here_) {
    std::vector<uint32_t> untried;
    uint32_t least = UINT32_MAX;
    for (uint32_t m = 0; m < kMoveCount; ++m)
      if (Untried(here_, m)) least = std::min(least, Extra(m));
    for (uint32_t m = 0; m < kMoveCount; ++m)
      if (Untried(here_, m) && Extra(m) == least) untried.push_back(m);
    move_ = int32_t(untried[Below(uint32_t(untried.size()))]);
    ++screens_[size_t(places_[size_t(here_)].screens)].tries;
  } else {
    move_ = firstMove[size_t(best)];
    Kind& kind = kinds_[size_t(screens_[size_t(places_[size_t(best)].screens)].kind)];
    if (kind.stale && ++kind.approaches > kApproaches) kind.stale = false;
  }
  from_ = here_;
  for (const char* line : kMoves[move_].lines)
    if (line) pending_.push_back(line);
  pending_.push_back(kSettle);
  return true;
}

// How much further than the keys that move through the screens the others
// seem.
uint32_t Walk::Extra(uint32_t move) { return kMoves[move].later ? kLater : 0; }

// How much further than a fresh screen a worn one seems: a screen whose
// places had many keys tried waits behind the screens that had few.
uint32_t Walk::Weariness(int32_t place) const {
  return screens_[size_t(places_[size_t(place)].screens)].tries / kTriesPerKey;
}

// The screens listed when the viewer starts on the way out are the ones it
// checks.
void Walk::Settle() {
  pending_.insert(pending_.end(), {"key EXIT", "advance 300", "key CLEAR CLEAR", "advance 61000", "expect cleared"});
  checked_.insert(listed_.begin(), listed_.end());
  untilSettle_ = -1;
}

bool Walk::NewlyOpen() const {
  for (const std::string& screen : listed_)
    if (!checked_.count(screen)) return true;
  return false;
}

void Walk::Choose() {
  // A screen class on view for the first time has its way out checked
  // before anything else is tried on it, while it is open.
  if (!standby_ && NewlyOpen()) {
    Settle();
    return;
  }
  if (untilSettle_ < 0) untilSettle_ = kSettleKeys / 2 + Below(kSettleKeys / 2 + 1);
  if (untilSettle_ == 0) {
    Settle();
    return;
  }
  if (Below(100) < kCuriousInHundred && Explore()) return;
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
  if (untilSettle_ > 0 && IsKey(line)) --untilSettle_;
  // The key or the event that a screen opening next answers.
  if (line.compare(0, 8, "advance ") != 0 && line.compare(0, 6, "press ") != 0 && line.compare(0, 8, "release ") != 0)
    lastAct_ = line;
  return line;
}

// The keys that ask a screen for another: OK and RIGHT on a row, the PIN.
bool Walk::Asks(const std::string& key) {
  static const std::string pin = [] {
    std::string line = "key";
    for (const char* digit = kPin; *digit; ++digit) line += std::string(" ") + *digit;
    return line;
  }();
  return key == "key OK" || key == "key RIGHT" || key == pin;
}

int32_t Walk::PlaceOf(const std::string& screen, const std::string& control, const std::string& kind) {
  auto [set, added] = screensIds_.emplace(screen, int32_t(screens_.size()));
  if (added) {
    auto [known, fresh] = kindIds_.emplace(kind.empty() ? screen : kind, int32_t(kinds_.size()));
    if (fresh) kinds_.emplace_back();
    screens_.push_back({known->second, 0, 0, 0, std::vector<int32_t>(kMoveCount, kUntried)});
  }
  Screens& on = screens_[size_t(set->second)];
  std::string name = screen + " | " + control;
  auto found = placeIds_.find(name);
  if (found != placeIds_.end()) return found->second;
  if (++on.focuses > kFocusesPerScreen) {
    name = screen + " | ...";
    found = placeIds_.find(name);
    if (found != placeIds_.end()) return found->second;
  }
  const auto id = int32_t(places_.size());
  places_.push_back({set->second, std::vector<int32_t>(kMoveCount, kUntried)});
  placeIds_.emplace(name, id);
  return id;
}

bool Walk::Stale(int32_t place) const {
  return kinds_[size_t(screens_[size_t(places_[size_t(place)].screens)].kind)].stale;
}

void Walk::Refresh() {
  for (Kind& kind : kinds_)
    if (kind.greyed) {
      kind.stale = true;
      kind.approaches = 0;
    }
}

std::string Walk::Beneath(const std::vector<std::string>& screens, const std::string& screen) const {
  auto at = std::find(screens.rbegin(), screens.rend(), screen);
  if (at == screens.rend()) return {};
  for (++at; at != screens.rend(); ++at)
    if (focused_.count(*at)) return *at;
  return {};
}

void Walk::Saw(const std::vector<std::string>& screens, bool standby, const std::string& screen,
               const std::string& control, const std::string& greyed, const std::string& input) {
  liveTv_ = screens.empty();
  standby_ = standby;
  // Another input greys other rows; and the set moves on of itself.
  if (!input.empty() && input != input_) {
    if (!input_.empty()) Refresh();
    input_ = input;
  }
  if (++sights_ % kRefreshEvery == 0) Refresh();
  if (!screen.empty()) {
    focused_.insert(screen);
    // A screen that a key on a row opened is told by its asker: the screen
    // it stands over, or the row that asked when it took the asker's place
    // (a PIN, a confirmation, a page of the older menus); one that the
    // middleware's answer opened by the answer. A screen keeps that while
    // it is listed; one that opened of itself (a timer's reminder over
    // whatever the viewer had) has none.
    if (screen != context_.screen) {
      context_.screen = screen;
      auto known = contexts_.find(screen);
      if (known != contexts_.end() && std::find(screens.begin(), screens.end(), screen) != screens.end()) {
        context_.name = known->second;
      } else {
        const bool opened = std::find(listed_.begin(), listed_.end(), screen) == listed_.end();
        context_.name.clear();
        if (opened && Asks(lastAct_)) {
          // The asker as it stood, greyed rows and all: an option list asked
          // by a page that greyed a row is worth another try.
          const std::string below = Beneath(screens, screen);
          if (!below.empty())
            context_.name = " over " + (below == askerScreen_ ? askerName_ : below);
          else if (!asker_.empty())
            context_.name = " from " + asker_;
        } else if (opened && !lastAct_.empty() && !IsKey(lastAct_)) {
          context_.name = " after " + lastAct_;
        }
        contexts_[screen] = context_.name;
      }
    }
    asker_ = screen + " " + control;
    std::string name = screen + context_.name;
    if (!greyed.empty()) name += " greyed " + greyed;
    askerScreen_ = screen;
    askerName_ = name;
    here_ = PlaceOf(name, control, screen);
    Kind& kind = kinds_[size_t(screens_[size_t(places_[size_t(here_)].screens)].kind)];
    kind.greyed = kind.greyed || !greyed.empty();
    kind.stale = false;
  } else {
    // The focus in no screen (live television, standby, a screen just
    // opened that has not taken it yet): the screens listed and what holds
    // the focus tell the place.
    std::string listed = "(unfocused)";
    for (const std::string& name : screens) listed += " " + name;
    here_ = PlaceOf(listed, control);
    if (screens.empty()) {
      asker_.clear();
      askerScreen_.clear();
      askerName_.clear();
      context_ = {};
    }
  }
  // Screens closed forget how they were asked for.
  for (auto it = contexts_.begin(); it != contexts_.end();)
    it = std::find(screens.begin(), screens.end(), it->first) == screens.end() && it->first != screen
             ? contexts_.erase(it)
             : std::next(it);
  listed_ = screens;
  // A move ends with its last line: a key and the moment after it, a held
  // key and its release.
  if (!pending_.empty() || move_ < 0) return;
  const auto move = uint32_t(move_);
  move_ = -1;
  if (kMoves[move].reach == Reach::Anywhere) {
    // Made in standby, or where another screen holds on to the keys, a
    // move that opens a screen opens something else or nothing: its
    // destination is where it led most often.
    std::map<int32_t, uint32_t>& led = anywhereLed_[move];
    const uint32_t count = ++led[here_];
    if (anywhere_[move] == kUntried || count > led[anywhere_[move]]) anywhere_[move] = here_;
    return;
  }
  Place& from = places_[size_t(from_)];
  from.next[move] = here_;
  if (kMoves[move].reach == Reach::Screens) {
    Screens& on = screens_[size_t(from.screens)];
    on.tried |= uint64_t(1) << move;
    kinds_[size_t(on.kind)].tried |= uint64_t(1) << move;
    on.next[move] = here_;
  }
}

