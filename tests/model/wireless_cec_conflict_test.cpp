// The wireless network (scan, table, join, WPS, link), HDMI-CEC control of
// devices and the list of timers in conflict, over the simulated set.
#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "AppServices/Wrapper.h"
#include "SkinBin/HdmiCecData.h"
#include "SkinBin/NetworkSetup.h"
#include "SkinBin/RecordData.h"
#include "answering_set.h"
#include "db.h"
#include "model_test_support.h"
#include "vgcalendar.h"

namespace ModelTest {
namespace {

using namespace SkinBin;

std::vector<std::string> TvCalls() { return ChangingCalls(); }

XPM_WLAN_AccessPoint Point(const char* ssid, uint8_t security = 3, uint8_t last = 1) {
  XPM_WLAN_AccessPoint p{};
  std::snprintf(p.ssid, sizeof p.ssid, "%s", ssid);
  const uint8_t bssid[6] = {0x00, 0x1a, 0x2b, 0xcd, 0xef, last};
  std::memcpy(p.bssid, bssid, 6);
  p.channel = 6;
  p.level = 3;
  p.mode = 0x0E;
  p.security = security;
  p.rate = 108;
  return p;
}

// The set answers scans and joins later, on its clock.
class Wireless : public SimulatedSet, protected SetAnswers {
 protected:
  void SetUp() override {
    SimulatedSet::SetUp();
    Start();
    simtv_tv_clear_access_points();
    simtv_clear_calls();
  }
  void TearDown() override {
    simtv_tv_clear_access_points();
    Stop();
  }

  void Add(const XPM_WLAN_AccessPoint& p) { simtv_tv_add_access_point(&p); }
  void Scan(VgString name) {
    network->WLAN_ScanAccessPoint(name);
    EXPECT_EQ(Briefly(Advance(2000)), std::vector<std::string>{"event 82 0"});
  }

  NetworkSetup* network = VgNew<NetworkSetup>();
};

TEST_F(Wireless, AScanFillsTheTableWithTheNamedNetworks) {
  Add(Point("HomeNet", 3, 1));
  Add(Point("", 2, 2));  // hidden
  Add(Point("CoffeeShop", 0, 3));
  network->WLAN_ScanAccessPoint(nullptr);
  EXPECT_EQ(network->WLAN_LoadAccessPoints(), 0) << "nothing before the scan has ended";
  EXPECT_TRUE(Advance(1999).empty());
  EXPECT_EQ(Briefly(Advance(1)), std::vector<std::string>{"event 82 0"});
  ASSERT_EQ(network->WLAN_LoadAccessPoints(), 2);
  EXPECT_EQ(network->NumAccessPoints, 2);
  Structures::WLAN_Info* home = network->AccessPoints[0];
  EXPECT_EQ(Utf8(home->SSID), "HomeNet");
  EXPECT_EQ(Utf8(home->HardwareAddress), "00:1A:2B:CD:EF:01");
  EXPECT_EQ(home->LinkState, 1);
  EXPECT_EQ(home->Status[0], 6);     // channel
  EXPECT_EQ(home->Status[2], 3);     // level
  EXPECT_EQ(home->Status[3], 0x0E);  // b, g and n
  EXPECT_EQ(home->Status[5], 4) << "a WPA2 network joins as WPA2-PSK with AES";
  EXPECT_EQ(home->Value, 108);
  EXPECT_EQ(Utf8(network->AccessPoints[1]->SSID), "CoffeeShop");
  EXPECT_EQ(network->AccessPoints[2], nullptr);

  network->SelectedIndex = 1;
  network->WLAN_ScanAccessPoint(VgNewStringAnsi("CoffeeShop"));
  EXPECT_EQ(network->NumAccessPoints, 0) << "a new scan empties the table";
  EXPECT_EQ(network->AccessPoints[0], nullptr);
  EXPECT_EQ(network->SelectedIndex, 0);
  EXPECT_EQ(network->WLAN_LoadAccessPoints(), 2) << "the last scan's results until this one ends";
  Advance(2000);
  EXPECT_EQ(network->WLAN_LoadAccessPoints(), 1);
  EXPECT_EQ(Utf8(network->AccessPoints[0]->SSID), "CoffeeShop");
}

TEST_F(Wireless, TheTableHoldsTwentyAccessPointsAndFailuresLeaveItEmpty) {
  for (uint8_t i = 0; i < 25; ++i) Add(Point(("Net" + std::to_string(i)).c_str(), 3, i));
  Scan(nullptr);
  EXPECT_EQ(network->WLAN_LoadAccessPoints(), NetworkSetup::kCapacity);
  EXPECT_EQ(Utf8(network->AccessPoints[19]->SSID), "Net19");

  simtv_fail("XPM_WLAN_GetScanResults", 7, 1);
  EXPECT_EQ(network->WLAN_LoadAccessPoints(), 0);
  EXPECT_EQ(network->NumAccessPoints, 0);
  EXPECT_EQ(network->AccessPoints[0], nullptr);
}

TEST_F(Wireless, JoiningLeavesTheCurrentNetworkFirstAndCutsTheTexts) {
  Add(Point("HomeNet"));
  auto* connection = VgNew<Structures::WLAN_Connection>();
  connection->SSID = VgNewStringAnsi("HomeNet");
  connection->SecurityMethod = 3;
  connection->Key = VgNewStringAnsi("secret-key");
  EXPECT_EQ(network->WLAN_JoinNetwork(connection), 1);
  EXPECT_EQ(TvCalls(),
            (std::vector<std::string>{"XPM_WLAN_QuitNetwork", "XPM_WLAN_JoinNetwork HomeNet 3 secret-key"}));
  EXPECT_EQ(network->WLAN_GetStatus()->LinkState, 0) << "joined only when the set says so";
  Advance(3000);
  Structures::WLAN_Info* status = network->WLAN_GetStatus();
  EXPECT_EQ(status->LinkState, 1);
  EXPECT_EQ(Utf8(status->SSID), "HomeNet");

  simtv_clear_calls();
  connection->SSID = VgNewStringAnsi(std::string(40, 'a').c_str());
  // Security left to the middleware: a key typed for the network goes out,
  // an open network has none.
  connection->SecurityMethod = 255;
  EXPECT_EQ(network->WLAN_JoinNetwork(connection), 1);
  EXPECT_EQ(TvCalls().back(), "XPM_WLAN_JoinNetwork " + std::string(32, 'a') + " 255 secret-key");
  connection->Key = nullptr;
  EXPECT_EQ(network->WLAN_JoinNetwork(connection), 1);
  EXPECT_EQ(TvCalls().back(), "XPM_WLAN_JoinNetwork " + std::string(32, 'a') + " 255 \"\"");
  Advance(3000);
  EXPECT_EQ(network->WLAN_GetStatus()->LinkState, 0) << "no such network";

  simtv_fail("XPM_WLAN_JoinNetwork", 4, 1);
  EXPECT_EQ(network->WLAN_JoinNetwork(connection), 0);
  EXPECT_EQ(network->WLAN_JoinNetwork(nullptr), 0);
  connection->SSID = nullptr;
  EXPECT_EQ(network->WLAN_JoinNetwork(connection), 0);
}

TEST_F(Wireless, TheLinkStateComesFromTheInterfaceWhenTheMiddlewareCannotTell) {
  simtv_tv_set_lan(1, 1, nullptr);
  simtv_fail("XPM_WLAN_GetLinkStatus", 3, 1);
  Structures::WLAN_Info* status = network->WLAN_GetStatus();
  EXPECT_EQ(status->LinkState, 1);
  EXPECT_EQ(status->SSID.get(), nullptr);
}

// The push-button word chooses the method; the first byte goes with a PIN.
TEST_F(Wireless, WpsByPinOrPushButton) {
  auto* request = VgNew<Structures::WPS_Connection>();
  request->Method = 1;
  request->Text = VgNewStringAnsi("HomeNet");
  request->PIN = VgNewStringAnsi("1234567890");
  EXPECT_EQ(network->WPS_Join(request), 1);
  request->Method = 0;
  EXPECT_EQ(network->WPS_Join(request), 1) << "the router's own PIN";
  request->Value = 1;
  EXPECT_EQ(network->WPS_Join(request), 1);
  EXPECT_EQ(TvCalls(), (std::vector<std::string>{"XPM_WPS_PinJoin HomeNet 12345678 1", "XPM_WPS_PinJoin HomeNet 12345678 0",
                                                 "XPM_WPS_PushButton"}));
  simtv_fail("XPM_WPS_PushButton", 9, 1);
  EXPECT_EQ(network->WPS_Join(request), 0);
  EXPECT_EQ(network->WPS_Join(nullptr), 0);

  simtv_tv_set_wps_pin(11112222);
  EXPECT_EQ(network->WPS_GeneratePin(), 11112222);
  simtv_fail("XPM_WPS_GeneratePin", 1, 1);
  EXPECT_EQ(network->WPS_GeneratePin(), 12345670);
}

// ------------------------------------------------------------------ HDMI-CEC

TEST_F(Wireless, DeckCommandsAndKeysGoToTheDevice) {
  auto* cec = VgNew<HdmiCecData>();
  EXPECT_EQ(cec->DeckControl(5, 4, 2), 0);
  EXPECT_EQ(cec->UserControl(5, 4, 0x44), 0);
  EXPECT_EQ(cec->DeckControl(5, 16, 2), -1);
  EXPECT_EQ(cec->UserControl(5, -1, 0x44), -1);
  EXPECT_EQ(TvCalls(), (std::vector<std::string>{"XPM_CEC_DeckControl 5 4 2", "XPM_CEC_UserControl 5 4 68 1",
                                                 "XPM_CEC_UserControl 5 4 68 0"}));
  simtv_clear_calls();
  simtv_fail("XPM_CEC_UserControl", 6, 1);
  EXPECT_EQ(cec->UserControl(5, 4, 0x44), 6);
  EXPECT_EQ(TvCalls(), (std::vector<std::string>{"XPM_CEC_UserControl 5 4 68 1", "XPM_CEC_UserControl 5 4 68 0"}))
      << "the failed press is released all the same";
}

// ------------------------------------------------------------ timer conflicts

class Conflicts : public SimulatedSet {
 protected:
  void SetUp() override {
    SimulatedSet::SetUp();
    model = MainApp::GetWrapper();
    VgLockObject(model);
  }
  void TearDown() override { VgUnlockObject(model); }

  // An enabled recording timer so many minutes after the set's time, all on
  // one tuner.
  static XPM_TimerInfo Timer(int32_t index, int32_t from, int32_t minutes) {
    XPM_TimerInfo t{};
    XPM_GetTimer(index, &t);
    t.enabled = 1;
    t.major = 7;
    t.minor = index + 1;
    t.duration = minutes * 60;
    t.start = VgLocalParts(kNow + int64_t(from) * 60);
    return t;
  }

  // The timer, stored with a schedule row.
  static void Schedule(int32_t index, int32_t from, int32_t minutes, const char* title) {
    XPM_TimerInfo t = Timer(index, from, minutes);
    const time_t start = static_cast<time_t>(kNow + int64_t(from) * 60);
    ASSERT_EQ(XPM_SetTimer(index, &t), 0);
    DB_ScheduledShow show{};
    show.enabled = 1;
    show.major = 7;
    show.minor = index + 1;
    show.startTime = static_cast<int32_t>(start);
    show.duration = t.duration;
    std::snprintf(show.title, sizeof show.title, "%s", title);
    std::snprintf(show.description, sizeof show.description, "About %s.", title);
    DB_Insert_Scheduled_Data(index, &show);
  }

  static DB_ScheduledShow Row(int32_t timerId) {
    DB_ScheduledShow show{};
    for (int found = DB_Get_First_Scheduled_Show(0, &show); found == 0;
         found = DB_Get_Scheduled_Show_Next(show.startTime, show.timerId, &show))
      if (show.timerId == timerId) return show;
    return DB_ScheduledShow{};
  }

  // The news from minute 60 to 120 and the match from 120 to 150; a new timer
  // from 90 to 150 is refused for them, the film at 300 is in nobody's way.
  void Collide() {
    Schedule(4, 60, 60, "News");
    Schedule(5, 120, 30, "Match");
    Schedule(6, 300, 60, "Film");
    XPM_TimerInfo refused = Timer(7, 90, 60);
    ASSERT_EQ(XPM_SetTimer(7, &refused), XPM_TIMER_ERROR_OVERLAP);
  }

  SkinBin::Wrapper* model = nullptr;
  ConflictTimerInfo* list = VgNew<ConflictTimerInfo>();
};

TEST_F(Conflicts, OverlappingTimersAreListedWithTheirTitlesAndRecords) {
  Collide();
  list->GetEventInfoByCount();
  ASSERT_EQ(list->GetNumEvents(), 2);
  EXPECT_EQ(list->Events[0]->TimerId, 4);
  EXPECT_EQ(Utf8(list->Events[0]->Title), "News");
  ASSERT_NE(list->Events[1]->Timer.get(), nullptr);
  EXPECT_EQ(list->Events[1]->Timer->Index, 5);
  EXPECT_EQ(list->Events[1]->Timer->Values[1], 1800);
  EXPECT_EQ(list->Events[2], nullptr);

  // The held record of the model does not stand in for the listed timers.
  model->OnSetActiveTimerId(6);
  list->GetEventInfoByCount();
  EXPECT_EQ(list->Events[0]->Timer->Values[1], 3600);
  model->HeldTimer = nullptr;

  simtv_fail("XPM_GetConflictTimers", 2, 1);
  list->GetEventInfoByCount();
  EXPECT_EQ(list->GetNumEvents(), 0);
  EXPECT_EQ(list->Events[0], nullptr);
}

TEST_F(Conflicts, TheChosenTimersAreStoredWithTheirScheduleRows) {
  Collide();
  list->GetEventInfoByCount();
  ASSERT_EQ(list->GetNumEvents(), 2);
  list->Events[1]->Timer->Flag = 0;  // the viewer drops the match
  EXPECT_EQ(list->UpdateAllTimers(), 0);
  XPM_TimerInfo stored{};
  XPM_GetTimer(5, &stored);
  EXPECT_EQ(stored.enabled, 0);
  EXPECT_EQ(Row(5).enabled, 0);
  EXPECT_STREQ(Row(5).description, "About Match.") << "the rest of the row stays";
  EXPECT_EQ(Row(4).enabled, 1);

  list->GetEventInfoByCount();
  EXPECT_EQ(list->GetNumEvents(), 1) << "only the news is still in the way";
}

TEST_F(Conflicts, AnEmptyRecordIsNotStoredAndErrorsAreReported) {
  Collide();
  list->GetEventInfoByCount();
  list->Events[0]->Timer = nullptr;
  list->Events[1]->Timer->Values[1] = 0;  // no duration: refused
  EXPECT_EQ(list->UpdateAllTimers(), XPM_TIMER_ERROR_INVALID_DURATION);
  XPM_TimerInfo stored{};
  XPM_GetTimer(5, &stored);
  EXPECT_EQ(stored.duration, 1800);
}

}  // namespace
}  // namespace ModelTest
