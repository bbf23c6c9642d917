// The random walk's lines: the same from the same seed, each one a line the
// runner takes, and no standby or held key left behind.
#include <gtest/gtest.h>

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
    walk.Saw(i % 3 == 0 ? std::vector<std::string>{} : std::vector<std::string>{"Screen" + std::to_string(i % 7)});
  }
  return lines;
}

bool RunnerTakes(const ScenarioTokens& t) {
  std::string name = t[0].text;
  if (name == "key" && t.size() > 1 && t[1].text == "gui") name = "key gui";
  for (const ScenarioCommand& row : ScenarioCommands())
    if (name == row.name) return true;
  for (const ScenarioCommand& row : TvuiProduct::Commands())
    if (name == row.name) return true;
  return false;
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
    EXPECT_TRUE(RunnerTakes(tokens)) << line;
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

// Whatever sends the set to standby is followed by the wake before the next
// key, and a held key is released right after the key pressed with it.
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
      ASSERT_LT(i + 2, lines.size());
      EXPECT_TRUE(lines[i + 1].rfind("key FP_", 0) == 0) << lines[i + 1];
      EXPECT_EQ(lines[i + 2], "release " + line.substr(6));
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

// The lines that first led from live television to a screen are taken again
// from live television, often.
TEST(Walk, TakesTheRouteToAScreenAgain) {
  Walk walk(5);
  walk.Next();
  walk.Saw({});
  const std::string first = walk.Next();
  walk.Saw({"Other"});
  const std::string second = walk.Next();
  walk.Saw({"Other", "Found"});
  int taken = 0;
  std::string previous;
  for (int i = 0; i < 400; ++i) {
    const std::string line = walk.Next();
    walk.Saw({});
    taken += previous == first && line == second;
    previous = line;
  }
  EXPECT_GT(taken, 20);
}

}  // namespace
