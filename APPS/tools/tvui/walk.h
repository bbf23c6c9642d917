// The random walk: scenario lines from a seeded generator, as a viewer who
// presses whatever is under the thumb while the set lives its own life. The
// walk presses the remote's and the front panel's keys, weighted toward the
// keys that move through the screens (MENU, OK, the arrows, BACK, EXIT, LAST,
// QUICK, the colour keys, INFO, digits and the parental PIN), and sends the
// middleware's events between them: standby and wake, the USB disk and the
// media stick going in and out, results of scans, joins and updates,
// HDMI-CEC names.
//
// The walk learns as it goes: the lines that first led from live television
// to a screen are its route there, and from live television the walk often
// takes a known route again before it wanders on, so that it gets ever
// deeper. What it saw depends only on the lines, so the same seed gives the
// same lines, on any machine.
#pragma once

#include <cstdint>
#include <deque>
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
  // listed, none at live television, and whether the set is in standby.
  void Saw(const std::vector<std::string>& screens, bool standby = false);

  // Whether a line presses a key: the walk's length counts keys.
  static bool IsKey(const std::string& line);

  // The parental PIN that the walk types; its set starts with it.
  static constexpr const char* kPin = "1234";

 private:
  uint64_t Random();
  uint32_t Below(uint32_t bound);
  // Queues the lines of the next choice.
  void Choose();
  void AddKey();
  // The moment a thumb takes between keys.
  std::string Pace();

  uint64_t state_;
  std::deque<std::string> pending_;
  bool liveTv_ = true;
  bool standby_ = false;
  // The lines since live television, and the first such lines that led to
  // each screen, in the order the screens were found.
  std::vector<std::string> path_;
  std::vector<std::pair<std::string, std::vector<std::string>>> routes_;
  std::set<std::string> known_;
  // Screens first seen amid a choice, whose route ends with it.
  std::vector<std::string> found_;
};
