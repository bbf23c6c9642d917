// The random walk: scenario lines from a seeded generator, as a viewer who
// presses whatever is under the thumb while the set lives its own life. The
// walk presses the remote's and the front panel's keys, weighted toward the
// keys that move through the screens (MENU, OK, the arrows, BACK, EXIT, LAST,
// QUICK, the colour keys, INFO, digits and the parental PIN), and sends the
// middleware's events between them: standby and wake, the USB disk and the
// media stick going in and out, results of scans, joins and updates,
// HDMI-CEC names.
//
// The walk learns as it goes. It tells places apart by the screen that holds
// the focus, what asked for it (the screen it stands over, the row whose key
// opened it in that screen's place, the middleware's answer: a keyboard or a
// PIN asked by one page leads elsewhere than the same one asked by another),
// the rows greyed on it and the focused control (the banners and bars that
// come and go around it take no keys), and keeps a map of them: which keys
// it has pressed in each place and where each led last. Rows greyed on a
// page may open once the set has moved on (another input, another picture
// mode): when the input changes, and now and then, the walk goes back to the
// pages that had greyed rows to look at them again. Most of its choices are
// curious: a key not yet pressed where it stands, else the known keys to
// the nearest place that has one. The rest are a viewer's thumb, keys by
// their weights and the middleware's events, which find what the map does
// not foresee. What it saw depends only on the lines, so the same seed gives
// the same lines, on any machine.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

class Walk {
 public:
  explicit Walk(uint64_t seed);

  // The next line. A choice may make several lines in a row (a key and the
  // moment after it, a standby and its wake), which come before the next.
  std::string Next();
  // What the line left on the screen: the class names of the screens
  // listed (none at live television), whether the set is in standby, the
  // class name of the screen that holds the focus and the focused control
  // as the runner describes it, which of the screen's controls are greyed
  // (empty when none is) and the input the set shows.
  void Saw(const std::vector<std::string>& screens, bool standby = false, const std::string& screen = {},
           const std::string& control = {}, const std::string& greyed = {}, const std::string& input = {});

  // Whether a line presses a key: the walk's length counts keys.
  static bool IsKey(const std::string& line);

  // The parental PIN that the walk types; its set starts with it.
  static constexpr const char* kPin = "1234";

  // The places the walk told apart so far.
  size_t Places() const { return places_.size(); }
  // The screen classes that were open when the walk took the way out.
  size_t CheckedWhileOpen() const { return checked_.size(); }

 private:
  uint64_t Random();
  uint32_t Below(uint32_t bound);
  // Queues the lines of the next choice.
  void Choose();
  void AddKey();
  // Queues a curious move; false when no place it can reach has a key left
  // to try.
  bool Explore();
  // The place for what the screen shows, made when new: the screen is told
  // by its class, what it stands over and its greyed controls.
  int32_t PlaceOf(const std::string& screen, const std::string& control, const std::string& kind = {});
  // The screen that the focused one stands over: the nearest listed below it
  // that has held the focus (the bars that never take keys tell nothing).
  std::string Beneath(const std::vector<std::string>& screens, const std::string& screen) const;
  // Marks the screens that had greyed controls to be looked at again.
  void Refresh();
  // Whether the place's screen is one to look at again.
  bool Stale(int32_t place) const;
  // The moment a thumb takes between keys.
  std::string Pace();
  // The viewer's way out, the first time a screen class is open and at
  // least every kSettleKeys keys: EXIT, CLEAR twice and a minute without a
  // key, after which nothing but live television may be left. CLEAR over a
  // screen that takes it as EXIT lets a screen that waited for that one
  // come, as EXIT does; the second CLEAR closes it.
  void Settle();
  // Whether a screen class is listed whose way out was never checked.
  bool NewlyOpen() const;

  uint64_t state_;
  std::deque<std::string> pending_;
  bool liveTv_ = true;
  bool standby_ = false;
  // Keys to go before the next way out; -1 until it is drawn.
  int64_t untilSettle_ = -1;
  // The screen classes whose way out was checked while they were open.
  std::set<std::string> checked_;

  // The map: for each place, its screen and the place that each of the
  // curious moves led to when last made there (or kUntried); the moves that
  // lead to one place wherever they are made keep one destination for all.
  // A screen keeps the moves tried on it, how many focused controls it
  // showed and how many keys the walk tried on them.
  static constexpr int32_t kUntried = -1;
  struct Place {
    int32_t screens;
    std::vector<int32_t> next;
  };
  struct Screens {
    // The screen's class, as the walk numbers them.
    int32_t kind = 0;
    uint64_t tried = 0;
    uint32_t focuses = 0;
    uint32_t tries = 0;
    // Where each key that acts on the screen led when last made on it.
    std::vector<int32_t> next;
  };
  bool Untried(int32_t place, uint32_t move) const;
  int32_t Destination(int32_t place, uint32_t move) const;
  uint32_t Weariness(int32_t place) const;
  static uint32_t Extra(uint32_t move);
  std::vector<Place> places_;
  std::map<std::string, int32_t> placeIds_;
  std::vector<Screens> screens_;
  std::map<std::string, int32_t> screensIds_;
  // The screen classes: the later moves tried on them, whether one was ever
  // seen with greyed controls, and whether it is to be looked at again (and
  // how many moves the walk made toward it since).
  struct Kind {
    // The later moves tried on any screen of the class.
    uint64_t tried = 0;
    bool greyed = false;
    bool stale = false;
    uint32_t approaches = 0;
  };
  std::vector<Kind> kinds_;
  std::map<std::string, int32_t> kindIds_;
  // The screens that held the focus.
  std::set<std::string> focused_;
  // Whether a key asks a screen for another.
  static bool Asks(const std::string& key);
  // The last key pressed or event sent; the screen and control that last
  // held the focus; the screens listed at the last line; what tells the
  // screen that holds the focus from the same screen asked elsewhere.
  std::string lastAct_;
  std::string asker_;
  // The class and the whole name of the screen that last held the focus.
  std::string askerScreen_;
  std::string askerName_;
  std::vector<std::string> listed_;
  struct Context {
    std::string screen;
    std::string name;
  };
  Context context_;
  // The same for each screen listed that held the focus.
  std::map<std::string, std::string> contexts_;
  std::string input_;
  uint64_t sights_ = 0;
  std::vector<int32_t> anywhere_;
  // How often each of those moves led to each place.
  std::vector<std::map<int32_t, uint32_t>> anywhereLed_;
  int32_t here_ = -1;
  // The move under way, and the place it was made from.
  int32_t move_ = -1;
  int32_t from_ = 0;
};
