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
// the focus and the focused control (the banners and bars that come and go
// around it take no keys), and keeps a map of them: which keys it has
// pressed in each place and where each led last. Most of its choices are
// curious: a key not yet pressed where it stands, else the known keys to
// the nearest place that has one. The rest are a viewer's thumb, keys by
// their weights and the middleware's events, which find what the map does
// not foresee. What it saw depends only on the lines, so the same seed gives
// the same lines, on any machine.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
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
  // as the runner describes it.
  void Saw(const std::vector<std::string>& screens, bool standby = false, const std::string& screen = {},
           const std::string& control = {});

  // Whether a line presses a key: the walk's length counts keys.
  static bool IsKey(const std::string& line);

  // The parental PIN that the walk types; its set starts with it.
  static constexpr const char* kPin = "1234";

  // The places the walk told apart so far.
  size_t Places() const { return places_.size(); }

 private:
  uint64_t Random();
  uint32_t Below(uint32_t bound);
  // Queues the lines of the next choice.
  void Choose();
  void AddKey();
  // Queues a curious move; false when no place it can reach has a key left
  // to try.
  bool Explore();
  // The place for what the screen shows, made when new.
  int32_t PlaceOf(const std::string& screen, const std::string& control);
  // The moment a thumb takes between keys.
  std::string Pace();

  uint64_t state_;
  std::deque<std::string> pending_;
  bool liveTv_ = true;
  bool standby_ = false;

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
  std::vector<int32_t> anywhere_;
  // How often each of those moves led to each place.
  std::vector<std::map<int32_t, uint32_t>> anywhereLed_;
  int32_t here_ = -1;
  // The move under way, and the place it was made from.
  int32_t move_ = -1;
  int32_t from_ = 0;
};
