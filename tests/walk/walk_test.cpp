// The random walk's lines: the same from the same seed, each one a line the
// runner takes, and no standby or held key left behind.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "product_lines.h"
#include "scenario.h"
#include "walk.h"

namespace {

std::vector<std::string> Lines(uint64_t seed, size_t count) {
  Walk walk(seed);
  std::vector<std::string> lines;
  for (size_t i = 0; i < count; ++i) {
    lines.push_back(walk.Next());
    const std::string screen = i % 3 == 0 ? std::string() : "Screen" + std::to_string(i % 7);
    walk.Saw(screen.empty() ? std::vector<std::string>{} : std::vector<std::string>{screen}, false, screen,
             "Row " + std::to_string(i % 5));
  }
  return lines;
}

// The runner's or the product root's row of the line, or null.
const ScenarioCommand* RowOf(const ScenarioTokens& t) {
  std::string name = t[0].text;
  if (name == "key" && t.size() > 1 && t[1].text == "gui") name = "key gui";
  if (name == "expect" && t.size() > 1) name += " " + t[1].text;
  for (const ScenarioCommand& row : ScenarioCommands())
    if (name == row.name) return &row;
  for (const ScenarioCommand& row : TvuiProduct::Commands())
    if (name == row.name) return &row;
  return nullptr;
}

TEST(Walk, TheSameSeedGivesTheSameLines) {
  EXPECT_EQ(Lines(7, 5000), Lines(7, 5000));
  EXPECT_NE(Lines(7, 5000), Lines(8, 5000));
  EXPECT_NE(Lines(0, 5000), Lines(1, 5000));
}

TEST(Walk, EveryLineIsARunnerLine) {
  size_t keys = 0;
  ScenarioTokens tokens;
  const std::vector<std::string> lines = Lines(3, 20000);
  for (const std::string& line : lines) {
    ASSERT_TRUE(SplitScenarioLine(line, &tokens)) << line;
    ASSERT_FALSE(tokens.empty());
    const ScenarioCommand* row = RowOf(tokens);
    ASSERT_NE(row, nullptr) << line;
    // Its words are ones that a scenario's load takes.
    EXPECT_EQ(row->check(tokens), "") << line;
    // A key line names its keys, or GUI codes that keys give.
    if (tokens[0].text == "key") {
      EXPECT_GE(tokens.size(), 2u) << line;
      if (tokens[1].text == "gui") {
        EXPECT_EQ(tokens.size(), 3u) << line;
      }
    }
    keys += Walk::IsKey(line);
  }
  // Each key has the moment after it; events and waits come between.
  EXPECT_GT(keys, lines.size() / 3);
  EXPECT_LT(keys, lines.size() / 2);
}

// Now and then the viewer leaves whatever is on view: EXIT, CLEAR twice, a
// minute, and the check that nothing but live television is left, within
// every five hundred keys and never between a held key and its release.
TEST(Walk, TheWayOutComesWithinEveryFiveHundredKeys) {
  const std::vector<std::string> lines = Lines(5, 60000);
  size_t keys = 0;
  size_t checks = 0;
  bool held = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.compare(0, 6, "press ") == 0) held = true;
    if (line.compare(0, 8, "release ") == 0) held = false;
    keys += Walk::IsKey(line);
    if (line != "expect cleared") continue;
    ++checks;
    ASSERT_GE(i, 4u);
    EXPECT_EQ(lines[i - 4], "key EXIT");
    EXPECT_EQ(lines[i - 2], "key CLEAR CLEAR");
    EXPECT_EQ(lines[i - 1], "advance 61000");
    EXPECT_FALSE(held);
    EXPECT_LE(keys, 500u);
    keys = 0;
  }
  EXPECT_GT(checks, 10u);
}

// Whatever sends the set to standby is followed by the wake before the next
// key, and a held key is released right after the key pressed with it and
// the moment the set takes to read both.
TEST(Walk, StandbyEndsInAWakeAndHeldKeysAreReleased) {
  const std::vector<std::string> lines = Lines(11, 100000);
  size_t standbys = 0;
  size_t holds = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line == "standby" || line == "key POWER" || line == "key FP_POWER" ||
        line.rfind("event XPM_EVENT_STANDBY", 0) == 0) {
      ++standbys;
      size_t j = i + 1;
      while (j < lines.size() && !Walk::IsKey(lines[j]) && lines[j] != "event XPM_EVENT_WAKEUP Reason=1") ++j;
      if (j < lines.size()) {
        EXPECT_EQ(lines[j], "event XPM_EVENT_WAKEUP Reason=1") << "after line " << i << ": " << line;
      }
    }
    if (line.rfind("press ", 0) == 0) {
      ++holds;
      ASSERT_LT(i + 3, lines.size());
      EXPECT_TRUE(lines[i + 1].rfind("key FP_", 0) == 0) << lines[i + 1];
      EXPECT_TRUE(lines[i + 2].rfind("advance ", 0) == 0) << lines[i + 2];
      EXPECT_EQ(lines[i + 3], "release " + line.substr(6));
    }
  }
  EXPECT_GT(standbys, 100u);
  EXPECT_GT(holds, 100u);
}

// A set that went to standby of itself is woken by its power key before the
// walk's next key, once; events and waits go on reaching it in standby.
TEST(Walk, ASetFoundInStandbyIsWokenByItsPowerKeyBeforeTheNextKey) {
  Walk walk(4);
  size_t wakes = 0;
  for (int i = 0; i < 2000; ++i) {
    walk.Saw({}, true);
    const std::string line = walk.Next();
    if (line != "key POWER") {
      EXPECT_FALSE(Walk::IsKey(line)) << "a key sent to a set in standby: " << line;
      EXPECT_NE(line.rfind("press ", 0), 0u) << line;
      continue;
    }
    // Awake, the walk goes on to its next key without another wake.
    ++wakes;
    for (std::string next = walk.Next(); !Walk::IsKey(next) && next.rfind("press ", 0) != 0; next = walk.Next())
      walk.Saw({}, false);
  }
  EXPECT_GT(wakes, 200u);
}

// A set of five screens, one behind the other: MENU opens a page of ten
// rows, OK on its last row the next page, and so on to the deep screen. UP
// and DOWN move the focus, BACK closes the top screen, EXIT and MENU start
// again. Whatever else the walk does changes nothing.
class FivePages {
 public:
  void Take(const std::string& line) {
    if (line == "key EXIT" || line == "standby") screens_.clear();
    if (line == "key MENU") {
      screens_.assign(1, "Page");
      row_ = 0;
    }
    if (screens_.empty()) return;
    if (line == "key BACK") {
      screens_.pop_back();
      row_ = 0;
    }
    if (line == "key UP" && row_ > 0) --row_;
    if (line == "key DOWN" && row_ < kRows - 1) ++row_;
    if (line == "key OK" && row_ == kRows - 1 && screens_.size() < kDepth) {
      screens_.push_back(screens_.size() + 1 == kDepth ? "Deep" : "Page" + std::to_string(screens_.size() + 1));
      row_ = 0;
    }
  }
  const std::vector<std::string>& Screens() const { return screens_; }
  std::string Focus() const { return screens_.empty() ? std::string() : std::string("Row ") + char('A' + row_); }

 private:
  static constexpr int kRows = 10;
  static constexpr size_t kDepth = 5;
  std::vector<std::string> screens_;
  int row_ = 0;
};

// The lines it takes a walk to open the deep screen, or 0 when it never does.
size_t LinesToTheDeepScreen(uint64_t seed, size_t most, bool focusSeen) {
  Walk walk(seed);
  FivePages set;
  for (size_t i = 1; i <= most; ++i) {
    set.Take(walk.Next());
    if (!set.Screens().empty() && set.Screens().back() == "Deep") return i;
    walk.Saw(set.Screens(), false, set.Screens().empty() ? std::string() : set.Screens().back(),
             focusSeen ? set.Focus() : std::string());
  }
  return 0;
}

// Each key pressed on a row is remembered with where it led, so the walk
// comes back by known keys to the rows it has not tried everything on, and
// goes deeper each time; without the focus to tell the rows apart it is
// left to chance.
TEST(Walk, FindsTheWayToADeepScreenByWhatItLearnt) {
  size_t withFocus = 0;
  size_t blind = 0;
  for (uint64_t seed = 1; seed <= 8; ++seed) {
    const size_t lines = LinesToTheDeepScreen(seed, 20000, true);
    EXPECT_GT(lines, 0u) << "seed " << seed;
    EXPECT_LT(lines, 15000u) << "seed " << seed;
    withFocus += lines ? lines : 20000;
    const size_t blindLines = LinesToTheDeepScreen(seed, 20000, false);
    blind += blindLines ? blindLines : 20000;
  }
  EXPECT_LT(withFocus * 2, blind);
}

// A screen class seen for the first time has its way out checked while it
// is open, before the walk goes on: so every class the walk opens is.
TEST(Walk, ChecksTheWayOutOfEachScreenClassWhileItIsOpen) {
  Walk walk(6);
  FivePages set;
  std::set<std::string> seen;
  std::set<std::string> exited;
  for (size_t i = 0; i < 20000; ++i) {
    const std::string line = walk.Next();
    if (line == "key EXIT")
      for (const std::string& screen : set.Screens()) exited.insert(screen);
    set.Take(line);
    seen.insert(set.Screens().begin(), set.Screens().end());
    walk.Saw(set.Screens(), false, set.Screens().empty() ? std::string() : set.Screens().back(), set.Focus());
  }
  EXPECT_TRUE(seen.count("Deep"));
  EXPECT_EQ(exited, seen);
  EXPECT_EQ(walk.CheckedWhileOpen(), seen.size());
}

// The keys it has not pressed where it stands come first: on a screen that
// nothing changes, the walk soon tries every key that moves through the
// screens, the parental PIN, the service mode and the service commands.
TEST(Walk, TriesEveryKeyWhereItStands) {
  Walk walk(4);
  std::set<std::string> lines;
  for (int i = 0; i < 400; ++i) {
    lines.insert(walk.Next());
    walk.Saw({"Still"}, false, "Still", "Row");
  }
  for (const char* line : {"key OK", "key BACK", "key MENU", "key INFO", "key BLUE", "key 3D", "key 1 2 3 4",
                           "press FP_VOL-", "event 106 0 0x40EE20DF", "event 106 0 0x40BFB649"})
    EXPECT_TRUE(lines.count(line)) << line;
  EXPECT_EQ(walk.Places(), 1u);
}

// A page of three rows; OK on the first or the second gives way to the same
// PIN screen, and the PIN typed there opens the locks of the row that asked.
class TwoAskers {
 public:
  void Take(const std::string& line) {
    if (line == "key EXIT" || line == "standby") screen_.clear();
    if (line == "key MENU") {
      screen_ = "Page";
      row_ = 0;
    }
    if (screen_.empty()) return;
    if (line == "key BACK") screen_ = screen_ == "Page" ? std::string() : "Page";
    if (screen_ != "Page") {
      if (screen_ == "Pin" && line == "key 1 2 3 4") {
        screen_ = "Locks" + std::to_string(asker_);
        reached_.insert(screen_);
      }
      return;
    }
    if (line == "key UP" && row_ > 0) --row_;
    if (line == "key DOWN" && row_ < 2) ++row_;
    if (line == "key OK" && row_ < 2) {
      asker_ = row_;
      screen_ = "Pin";
    }
  }
  std::vector<std::string> Screens() const {
    return screen_.empty() ? std::vector<std::string>{} : std::vector<std::string>{screen_};
  }
  std::string Focus() const { return screen_ == "Page" ? "Row " + std::to_string(row_) : "Field"; }
  size_t Reached() const { return reached_.size(); }

 private:
  std::string screen_;
  int row_ = 0;
  int asker_ = 0;
  std::set<std::string> reached_;
};

// A screen that a row asks for in its own place is told apart by the row
// that asked: the PIN is typed for each asker, not once for all.
TEST(Walk, TriesAScreenForEachRowThatAsksForIt) {
  for (uint64_t seed = 1; seed <= 8; ++seed) {
    Walk walk(seed);
    TwoAskers set;
    size_t lines = 0;
    for (; lines < 1500 && set.Reached() < 2; ++lines) {
      set.Take(walk.Next());
      const std::vector<std::string> screens = set.Screens();
      walk.Saw(screens, false, screens.empty() ? std::string() : screens.back(), set.Focus());
    }
    EXPECT_EQ(set.Reached(), 2u) << "seed " << seed << " after " << lines << " lines";
  }
}

// A page whose last row is greyed on the first input; on the second OK on
// that row opens the deep page. QUICK opens a wide screen of a hundred rows,
// where a walk could stay a long while.
class GreyedRow {
 public:
  void SwitchInput() { input_ = 2; }
  void Take(const std::string& line) {
    if (line == "key EXIT" || line == "standby") screen_.clear();
    if (line == "key MENU" || line == "key QUICK") {
      screen_ = line == "key MENU" ? "Page" : "Wide";
      row_ = 0;
    }
    if (screen_.empty() || screen_ == "Deep") return;
    const int last = screen_ == "Wide" ? 99 : input_ == 2 ? 4 : 3;
    if (line == "key BACK") screen_.clear();
    if (line == "key UP" && row_ > 0) --row_;
    if (line == "key DOWN" && row_ < last) ++row_;
    if (line == "key OK" && screen_ == "Page" && row_ == 4) screen_ = "Deep";
  }
  std::vector<std::string> Screens() const {
    return screen_.empty() ? std::vector<std::string>{} : std::vector<std::string>{screen_};
  }
  std::string Focus() const { return screen_.empty() ? std::string() : "Row " + std::to_string(row_); }
  std::string Greyed() const { return screen_ == "Page" && input_ == 1 ? "4" : std::string(); }
  int Input() const { return input_; }

 private:
  std::string screen_;
  int row_ = 0;
  int input_ = 1;
};

// Rows greyed on a page are something left to try there once the input
// changed: the walk goes back to the page soon and opens the row, though it
// had tried every key on the page's other rows and has a wide screen left
// to try.
TEST(Walk, GoesBackToAGreyedRowAfterTheInputChanges) {
  constexpr size_t switched = 1000;
  size_t after = 0;
  for (uint64_t seed = 1; seed <= 8; ++seed) {
    Walk walk(seed);
    GreyedRow set;
    size_t lines = 0;
    bool deep = false;
    for (; lines < 20000 && !deep; ++lines) {
      if (lines == switched) set.SwitchInput();
      set.Take(walk.Next());
      const std::vector<std::string> screens = set.Screens();
      deep = !screens.empty() && screens.back() == "Deep";
      walk.Saw(screens, false, screens.empty() ? std::string() : screens.back(), set.Focus(), set.Greyed(),
               std::to_string(set.Input()));
    }
    ASSERT_TRUE(deep) << "seed " << seed;
    after += lines - switched;
  }
  // Left to find it by chance, eight walks take about 3,100 lines after
  // the switch; going back, about 1,800.
  EXPECT_LT(after, 2400u);
}

// A page of three rows, each of which gives way to the same keyboard; back
// from the keyboard opens the page again.
class OneKeyboard {
 public:
  void Take(const std::string& line) {
    if (line == "key EXIT" || line == "standby") screens_.clear();
    if (line == "key MENU") {
      screens_.assign(1, "Page");
      row_ = 0;
    }
    if (screens_.empty()) return;
    if (screens_[0] == "Keyboard") {
      if (line == "key BACK") screens_.assign(1, "Page");
      return;
    }
    if (line == "key BACK") screens_.clear();
    if (line == "key UP" && row_ > 0) --row_;
    if (line == "key DOWN" && row_ < 2) ++row_;
    if (line == "key OK") {
      screens_.assign(1, "Keyboard");
      askers_.insert(row_);
    }
  }
  const std::vector<std::string>& Screens() const { return screens_; }
  bool OnKeyboard() const { return !screens_.empty() && screens_[0] == "Keyboard"; }
  std::string Focus() const { return OnKeyboard() ? "Key" : "Row " + std::to_string(row_); }
  size_t Askers() const { return askers_.size(); }

 private:
  std::vector<std::string> screens_;
  int row_ = 0;
  std::set<int> askers_;
};

// A keyboard asked by three rows is three places to try keys on, but the
// keys and events that act on any screen (PAGE DOWN, a disk put in) are
// tried on it once.
TEST(Walk, TriesTheKeysOfAnyScreenOnceOnAScreenManyAskFor) {
  for (uint64_t seed = 1; seed <= 4; ++seed) {
    Walk walk(seed);
    OneKeyboard set;
    size_t pageDowns = 0;
    for (size_t lines = 0; lines < 4000; ++lines) {
      const std::string line = walk.Next();
      if (line == "key PAGE_DOWN" && set.OnKeyboard()) ++pageDowns;
      set.Take(line);
      const std::vector<std::string>& screens = set.Screens();
      walk.Saw(screens, false, screens.empty() ? std::string() : screens.back(), set.Focus());
    }
    EXPECT_EQ(set.Askers(), 3u) << "seed " << seed;
    EXPECT_LE(pageDowns, 2u) << "seed " << seed;
  }
}

}  // namespace
