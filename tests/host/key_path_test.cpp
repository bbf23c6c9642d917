#include <cstring>

#include "host_fixture.h"

namespace HostTest {
namespace {

using KeyPath = LoopTest;

timeval At(time_t seconds, suseconds_t micros) { return timeval{seconds, micros}; }

TEST_F(KeyPath, TheAgeLimitIsOneHundredMillisecondsInclusive) {
  PinTimeOfDay(At(1000, 500000));
  PostKey(23, DWET_KEYDOWN, At(1000, 400000));
  PostKey(20, DWET_KEYDOWN, At(1000, 399999));
  PostKey(32, DWET_KEYDOWN, At(999, 500000));
  PostKey(33, DWET_KEYDOWN, At(1003, 0));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(handleEvent(0), 0);
  EXPECT_EQ(TheRoot()->received, (std::vector<std::string>{"key 3", "key 5"}));
}

TEST_F(KeyPath, TheAgeBorrowsASecondWhenTheMicrosecondsRunOver) {
  PinTimeOfDay(At(10, 50000));
  PostKey(23, DWET_KEYDOWN, At(9, 950001));
  PostKey(20, DWET_KEYDOWN, At(9, 949999));
  handleEvent(0);
  handleEvent(0);
  EXPECT_EQ(TheRoot()->received, (std::vector<std::string>{"key 3"}));
}

TEST_F(KeyPath, KeyUpsGoToHdmiCecOnlyAndCode253Nowhere) {
  PinTimeOfDay(At(50, 0));
  PostKey(23, DWET_KEYUP, At(50, 0));
  PostKey(253, DWET_KEYDOWN, At(50, 0));
  PostKey(254, DWET_KEYDOWN, At(50, 0));
  EXPECT_EQ(handleEvent(0), 0);
  EXPECT_EQ(handleEvent(0), 0);
  EXPECT_EQ(handleEvent(0), 0);
  EXPECT_EQ(TheRoot()->received, (std::vector<std::string>{"key 0"}));
  EXPECT_EQ(Calls("xpm_relayhdmicecrcu"),
            (std::vector<std::string>{"xpm_relayhdmicecrcu 0 23", "xpm_relayhdmicecrcu 0 253",
                                      "xpm_relayhdmicecrcu 0 254"}));
}

TEST_F(KeyPath, HdmiCecTakesItsOwnKeysWhileItsRelayIsActive) {
  PinTimeOfDay(At(50, 0));
  simtv_fail("xpm_relayhdmicecrcu", 1, -1);
  simtv_fail("OAM_CEC_GetKeyType", 2, 1);
  PostKey(34, DWET_KEYDOWN, At(50, 0));
  PostKey(35, DWET_KEYDOWN, At(50, 0));
  handleEvent(0);
  handleEvent(0);
  EXPECT_EQ(TheRoot()->received, (std::vector<std::string>{"key 47"}));
}

TEST_F(KeyPath, FrontPanelKeysNameThemselvesFirst) {
  PinTimeOfDay(At(50, 0));
  PostKey(255, DWET_KEYDOWN, At(50, 0));
  PostKey(260, DWET_KEYDOWN, At(50, 0));
  const uint64_t before = simtv_now_ms();
  handleEvent(0);
  EXPECT_EQ(simtv_now_ms(), before);
  handleEvent(0);
  EXPECT_EQ(simtv_now_ms(), before + 100);
  EXPECT_EQ(TheRoot()->received, (std::vector<std::string>{"factory 3 65552 Power", "key 80 fp",
                                                           "factory 3 65552 Menu", "key 3 fp"}));
}

TEST_F(KeyPath, NothingReachesTheRootWhileTheSetIsOff) {
  PinTimeOfDay(At(50, 0));
  g_IsPowerOn = 0;
  PostKey(23, DWET_KEYDOWN, At(50, 0));
  handleEvent(0);
  g_IsPowerOn = 1;
  EXPECT_TRUE(TheRoot()->received.empty());
}

// The set's own buffer never keeps them (sim_test.cpp): the key path is
// handed one.
TEST_F(KeyPath, OtherWindowEventsAreNotKeys) {
  DFBWindowEvent focus;
  std::memset(&focus, 0, sizeof focus);
  focus.clazz = DFEC_WINDOW;
  focus.type = DWET_GOTFOCUS;
  focus.key_code = 23;
  focus.timestamp = At(50, 0);
  EXPECT_EQ(HandleWindowEvent(focus), HandleEventDone);
  EXPECT_TRUE(TheRoot()->received.empty());
}

}  // namespace
}  // namespace HostTest
