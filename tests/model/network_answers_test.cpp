// The network over the simulated set: the interface's addresses, the
// outcomes of joins and WPS, and the connection test, as the set answers
// them later on its own clock.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "SkinBin/NetworkSetup.h"
#include "answering_set.h"
#include "model_app_fixture.h"
#include "sim_calls.h"

namespace ModelTest {
namespace {

using Strings = std::vector<std::string>;


constexpr XPM_IFState kWired = {0, {192, 168, 1, 23}, {255, 255, 255, 0}, {192, 168, 1, 1}, {192, 168, 1, 2}, {}};

class Addresses : public ModelApp {
 protected:
  void SetUp() override {
    ModelApp::SetUp();
    simtv_tv_set_lan(0, 1, &kWired);
    simtv_clear_calls();
  }
};

TEST_F(Addresses, AnAddressGoesIntoTheRecordAndToTheInterfaceInUseAtOnce) {
  auto* record = model->NetworkSetup.LAN_GetIfState(SkinBin::NetworkSetup::kWired);
  model->OnSetIFConfiguration(record);
  model->OnSetIPAddress(0x0A000005);
  EXPECT_EQ(TvCalls(), Strings{"XPM_LAN_SetIFConfig 0 dhcp=0,10.0.0.5,255.255.255.0,192.168.1.1,192.168.1.2,0.0.0.0"});
  EXPECT_EQ(record->Address[0], 10);
  EXPECT_EQ(record->Address[3], 5);
  EXPECT_EQ(model->OnGetIPAddress(), 0x0A000005u);
  // What the set now holds, read back as the address pages read it.
  model->OnSetIFConfiguration(model->NetworkSetup.LAN_GetIfState(SkinBin::NetworkSetup::kWired));
  EXPECT_EQ(model->OnGetIPAddress(), 0x0A000005u);
  EXPECT_EQ(model->OnGetDNS1(), 0xC0A80102u);

  simtv_clear_calls();
  model->OnSetNetworkType(1);
  EXPECT_EQ(model->GetCurrentLanDevId(), 1);
  model->OnSetAutoSetup(1);
  EXPECT_EQ(TvCalls(), Strings{"XPM_LAN_SetIFConfig 1 dhcp=1,10.0.0.5,255.255.255.0,192.168.1.1,192.168.1.2,0.0.0.0"})
      << "the wireless interface is the one in use now";
}

// Without a record the setters once wrote through nothing: they apply the
// values kept from the last record and the setters since.
TEST_F(Addresses, WithoutARecordTheKeptValuesAreApplied) {
  model->OnSetIFConfiguration(model->NetworkSetup.LAN_GetIfState(SkinBin::NetworkSetup::kWired));
  model->OnSetDNS2(0x08080808);
  model->OnSetIFConfiguration(nullptr);
  simtv_clear_calls();
  model->OnSetSubnetMask(0xFFFF0000);
  model->OnSetDefaultGateway(0xC0A801FE);
  EXPECT_EQ(TvCalls(),
            (Strings{"XPM_LAN_SetIFConfig 0 dhcp=0,192.168.1.23,255.255.0.0,192.168.1.1,192.168.1.2,8.8.8.8",
                     "XPM_LAN_SetIFConfig 0 dhcp=0,192.168.1.23,255.255.0.0,192.168.1.254,192.168.1.2,8.8.8.8"}));
  EXPECT_EQ(model->OnGetSubnetMask(), 0xFFFF0000u);

  simtv_fail("XPM_LAN_SetIFConfig", 5, 1);
  model->OnSetDNS1(0x01010101);
  EXPECT_EQ(model->OnGetDNS1(), 0x01010101u) << "a refused apply keeps the value for the next one";
}

// ------------------------------------------------------------ wireless joins

class Joins : public SimulatedSet, protected SetAnswers {
 protected:
  void SetUp() override {
    SimulatedSet::SetUp();
    Start();
    XPM_WLAN_AccessPoint home{};
    std::snprintf(home.ssid, sizeof home.ssid, "HomeNet");
    home.security = 3;
    simtv_tv_add_access_point(&home);
    simtv_tv_set_wlan_key("HomeNet", "right-key");
  }
  void TearDown() override { Stop(); }

  int32_t Join(const char* ssid, const char* key) {
    auto* connection = VgNew<Structures::WLAN_Connection>();
    connection->SSID = VgNewStringAnsi(ssid);
    connection->SecurityMethod = 3;
    connection->Key = VgNewStringAnsi(key);
    return network->WLAN_JoinNetwork(connection);
  }

  SkinBin::NetworkSetup* network = VgNew<SkinBin::NetworkSetup>();
};

TEST_F(Joins, TheOutcomeComesLaterAndTheLinkFollowsTheRightKey) {
  ASSERT_EQ(Join("Elsewhere", "key"), 1);
  EXPECT_TRUE(Advance(2999).empty());
  EXPECT_EQ(Briefly(Advance(1)), Strings{"event 84 0"}) << "no such network";

  Join("HomeNet", "wrong-key");
  const Strings refused = Briefly(Advance(3000));
  ASSERT_EQ(refused.size(), 1u);
  EXPECT_NE(refused[0], "event 84 0");
  EXPECT_NE(refused[0], "event 84 2");
  EXPECT_EQ(network->WLAN_GetStatus()->LinkState, 0);

  Join("HomeNet", "right-key");
  EXPECT_EQ(Briefly(Advance(3000)), (Strings{"event 84 2", "event 85 3"})) << "joined, then the wireless link is up";
  Structures::WLAN_Info* status = network->WLAN_GetStatus();
  EXPECT_EQ(status->LinkState, 1);
  EXPECT_EQ(Utf8(status->SSID), "HomeNet");
  EXPECT_EQ(network->LAN_GetDevState(SkinBin::NetworkSetup::kWireless), 1);

  network->WLAN_QuitNetwork();
  EXPECT_EQ(Briefly(Advance(1000)), Strings{"event 85 5"});
  EXPECT_EQ(network->WLAN_GetStatus()->LinkState, 0);
}

TEST_F(Joins, APushButtonJoinsOnlyOnceTheRoutersButtonIsPressedToo) {
  auto* request = VgNew<Structures::WPS_Connection>();
  request->Value = 1;
  ASSERT_EQ(network->WPS_Join(request), 1);
  EXPECT_TRUE(Advance(60000).empty()) << "the set waits for the router";
  simtv_tv_press_wps_button("HomeNet");
  EXPECT_EQ(Briefly(Advance(3000)), (Strings{"event 84 2", "event 85 3"}));
  EXPECT_TRUE(Advance(120000).empty()) << "the join ended the wait";

  network->WPS_Join(request);
  EXPECT_EQ(Briefly(Advance(120000)), Strings{"event 84 0"}) << "two minutes without the router";

  // The router's button may come first.
  simtv_tv_press_wps_button("HomeNet");
  Advance(30000);
  network->WPS_Join(request);
  EXPECT_EQ(Briefly(Advance(3000)), (Strings{"event 84 2", "event 85 3"}));
}

TEST_F(Joins, APinJoinsWhenTheRouterKnowsIt) {
  simtv_tv_set_wps_router_pin("HomeNet", "12345670");
  auto* request = VgNew<Structures::WPS_Connection>();
  request->Text = VgNewStringAnsi("HomeNet");
  request->PIN = VgNewStringAnsi("11112222");
  network->WPS_Join(request);
  EXPECT_EQ(Briefly(Advance(3000)), Strings{"event 84 1"});
  request->PIN = VgNewStringAnsi("12345670");
  network->WPS_Join(request);
  EXPECT_EQ(Briefly(Advance(3000)), (Strings{"event 84 2", "event 85 3"}));
}

// ---------------------------------------------------------- connection test

class ConnectionTest : public Joins {};

// The test has steps 0-15: every other step, below -1 too, asks for all.
TEST_F(ConnectionTest, AStepOutsideTheTestAsksForEveryStep) {
  simtv_clear_calls();
  for (int32_t step : {-1, -7, 16, INT32_MIN, 0, 5, 15}) network->LAN_TestConnection(step);
  EXPECT_EQ(ChangingCalls(), (Strings{"XPM_LAN_TestConnection 15", "XPM_LAN_TestConnection 15",
                                "XPM_LAN_TestConnection 15", "XPM_LAN_TestConnection 15",
                                "XPM_LAN_TestConnection 0", "XPM_LAN_TestConnection 5",
                                "XPM_LAN_TestConnection 15"}));
}

TEST_F(ConnectionTest, AResultOfKindOneWithTheSpeedOverALinkOfKindZeroWithout) {
  network->LAN_TestConnection(-1);
  std::vector<SetAnswer> results = Advance(1500);
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].number, 81u);
  EXPECT_EQ(results[0].Word(1), 0) << "kind 0: no link";

  simtv_tv_set_lan(0, 1, &kWired);
  simtv_tv_set_lan_speed(18000);
  network->LAN_TestConnection(-1);
  results = Advance(1500);
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].Word(0), 1);
  EXPECT_EQ(results[0].Word(1), 1);
  EXPECT_EQ(results[0].Word(2), 18000) << "kbit/s";

  network->LAN_TestConnection(15);
  network->LAN_QuitTestConnection();
  EXPECT_TRUE(Advance(5000).empty()) << "a stopped test gives no result";
}

TEST_F(ConnectionTest, TheMacAddressInUpperCaseOrZeros) {
  simtv_info_set_mac(1, "0a:1b:2c:3d:4e:5f");
  EXPECT_EQ(Utf8(network->LAN_GetMacAddr(SkinBin::NetworkSetup::kWireless)), "0A:1B:2C:3D:4E:5F");
  simtv_fail("XPM_LAN_GetMacAddr", 3, 1);
  EXPECT_EQ(Utf8(network->LAN_GetMacAddr(SkinBin::NetworkSetup::kWired)), "00:00:00:00:00:00");
  simtv_info_reset();
}

}  // namespace
}  // namespace ModelTest
