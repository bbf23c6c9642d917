// The access-point lists over the model's network object and the simulated
// set, which answers a scan two seconds later on its clock: the columns and
// names of a row, the scanning and result states, joins by WPS PIN and to an
// open network, and a golden picture of a scan's result.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Core/Keys.h"
#include "Forms/Indicator.h"
#include "ListForm/AccessPointList.h"
#include "SkinBin/Wrapper.h"
#include "answering_set.h"
#include "golden.h"
#include "list_host.h"
#include "sim_calls.h"
#include "xpm_events.h"

namespace {

using namespace ListForm;
using Strings = std::vector<std::string>;

struct Point {
  const char* ssid;
  uint8_t level;
  uint8_t mode;
  uint8_t security;
  uint8_t channel;
};

constexpr Point kNeighbourhood[] = {{"HomeNet", 4, 0x0E, 3, 6},  {"Cafe", 1, 0x04, 0, 11},
                                    {"Attic", 7, 0x0A, 2, 1},    {"Garden", 2, 0x10, 0, 3},
                                    {"Upstairs", 3, 0x0F, 1, 36}};

class AccessPoints : public ListTest::ListFixture, protected ModelTest::SetAnswers {
 protected:
  void SetUp() override {
    ListFixture::SetUp();
    UseModel();
    Start();
    simtv_tv_clear_access_points();
    uint8_t mac = 0x10;
    for (const Point& p : kNeighbourhood) {
      XPM_WLAN_AccessPoint point{};
      std::snprintf(point.ssid, sizeof point.ssid, "%s", p.ssid);
      const uint8_t bssid[6] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, mac++};
      std::copy(std::begin(bssid), std::end(bssid), point.bssid);
      point.level = p.level;
      point.mode = p.mode;
      point.security = p.security;
      point.channel = p.channel;
      simtv_tv_add_access_point(&point);
    }
    simtv_clear_calls();
  }
  void TearDown() override {
    Stop();
    ListFixture::TearDown();
  }

  // The set answers the scan; the dialog loads its result and gives the list
  // the focus, which it lost while disabled.
  template <class List>
  int32_t ScanEnds(List* list) {
    EXPECT_EQ(Briefly(SetAnswers::Advance(2000)), Strings{"event " + std::to_string(XpmEvent::WlanScanComplete) + " 0"});
    const int32_t count = list->GetScanResult();
    host->OnSetFocus(list);
    VgProcessSignals();
    return count;
  }
  static Strings Calls(const std::string& prefix) {
    Strings calls;
    for (const std::string& call : RecordedCalls())
      if (call.rfind(prefix, 0) == 0) calls.push_back(call);
    return calls;
  }
  template <class Row>
  Row* RowAt(ListBase* list, int32_t i) {
    return vg_cast<Row>(list->GetCtrlAt(i));
  }
};

TEST_F(AccessPoints, AScanShowsBlankRowsUntilItsResultLoads) {
  auto* list = Embed(VgNew<AccessPointList>());
  EXPECT_EQ(Calls("XPM_WLAN_ScanAccessPoints"), Strings{"XPM_WLAN_ScanAccessPoints -"});
  EXPECT_FALSE(list->Enabled);
  EXPECT_EQ(Texts(), Strings(8, ""));
  EXPECT_EQ(list->PrevIndicator->Bounds.x1, 710) << "parked";

  EXPECT_EQ(ScanEnds(list), 5);
  EXPECT_TRUE(list->Enabled);
  EXPECT_EQ(Texts(), (Strings{"HomeNet", "Cafe", "Attic", "Garden", "Upstairs", "", "", ""}));
  EXPECT_EQ(list->PrevIndicator->Bounds.x1, 690);
  auto* attic = RowAt<ApItem>(list, 2);
  EXPECT_EQ(VgStringToUtf8(attic->signalText.String), "STRONG") << "level 7";
  EXPECT_EQ(VgStringToUtf8(attic->macText.String), "00:1A:2B:3C:4D:12");
  EXPECT_EQ(VgStringToUtf8(attic->channelText.String), "1");
  EXPECT_EQ(VgStringToUtf8(RowAt<ApItem>(list, 1)->signalText.String), "WEAK");
  EXPECT_EQ(VgStringToUtf8(RowAt<ApItem>(list, 3)->signalText.String), "MEDIUM");
  EXPECT_EQ(VgStringToUtf8(RowAt<ApItem>(list, 5)->signalText.String), "") << "a blank row";

  // Activation without a PIN only chooses and tells the dialog.
  Press(Key::Down);
  Press(Key::Down);
  simtv_clear_calls();
  Press(Key::Ok);
  EXPECT_EQ(model->NetworkSetup.SelectedIndex, 2);
  EXPECT_EQ(host->Count("OnConnectAP"), 0) << "no slot set";
  list->OnSetOnConnectAP(host->Recorder("OnConnectAP"));
  Press(Key::Ok);
  EXPECT_EQ(host->LastSender("OnConnectAP"), list);
  EXPECT_TRUE(Calls("XPM_WPS").empty());

  // With the dialog's PIN the network is joined by WPS.
  list->OnSetPIN(VgNewStringAnsi("12345670"));
  Press(Key::Up);
  Press(Key::Ok);
  EXPECT_EQ(Calls("XPM_WPS"), Strings{"XPM_WPS_PinJoin Cafe 12345670 1"});
  EXPECT_EQ(model->NetworkSetup.SelectedIndex, 1);

  // A blank row neither joins nor signals.
  auto* blank = RowAt<ApItem>(list, 6);
  const int signalled = host->Count("OnConnectAP");
  list->ConnectAP(blank);
  EXPECT_EQ(host->Count("OnConnectAP"), signalled);
  EXPECT_EQ(Calls("XPM_WPS").size(), 1u);

  // Stepping back from a detail screen shows the same result again.
  model->NetworkSetup.KeepScanResult = 1;
  simtv_clear_calls();
  list->Initialize(nullptr);
  VgProcessSignals();
  EXPECT_TRUE(Calls("XPM_WLAN_ScanAccessPoints").empty());
  EXPECT_EQ(Texts()[4], "Upstairs");
  EXPECT_EQ(model->NetworkSetup.KeepScanResult, 0);
}

TEST_F(AccessPoints, AnEmptyScanLeavesTheListDisabledAndBlank) {
  simtv_tv_clear_access_points();
  auto* list = Embed(VgNew<AccessPointList>());
  EXPECT_EQ(ScanEnds(list), 0);
  EXPECT_FALSE(list->Enabled);
  EXPECT_EQ(Texts(), Strings(8, ""));
}

TEST_F(AccessPoints, TheModeColumnNamesTheModeBits) {
  auto* list = VgNew<AccessPointList>();
  list->OnSetProtocolMode(true);
  Embed(list);
  ScanEnds(list);
  EXPECT_EQ(VgStringToUtf8(list->headers[1].String), "Mode");
  auto mode = [&](int32_t row) { return VgStringToUtf8(RowAt<ApItem_Protocol>(list, row)->macText.String); };
  EXPECT_EQ(mode(0), "11b/g/n");
  EXPECT_EQ(mode(2), "Unsupported") << "bits 10";
  EXPECT_EQ(mode(3), "None") << "bits 16";
  EXPECT_EQ(mode(4), "11a/b/g/n");
  EXPECT_EQ(mode(5), "") << "a blank row";
  EXPECT_EQ(ProtocolName(11), ProtocolName(10));
}

TEST_F(AccessPoints, TheQuickScanJoinsAnOpenNetworkAtOnceAndHandsTheLastRowOn) {
  auto* list = VgNew<QORAccessPointList>();
  list->OnSetOnConnectAP(host->Recorder("OnConnectAP"));
  Embed(list);
  EXPECT_EQ(ScanEnds(list), 5);
  auto* attic = RowAt<QORApItem>(list, 2);
  EXPECT_EQ(attic->signalBar.OnGetValue(), 4) << "level 7: a full bar";
  EXPECT_TRUE(attic->lockImage.Visible);
  EXPECT_EQ(VgStringToUtf8(attic->protocolText.String), "Unsupported");
  EXPECT_FALSE(RowAt<QORApItem>(list, 1)->lockImage.Visible);

  // A secured network: the dialog asks for its key first.
  simtv_clear_calls();
  Press(Key::Ok);
  EXPECT_EQ(list->SecurityMethod, 4) << "the scan's WPA2 kind as the WPA2-PSK/AES method";
  EXPECT_EQ(VgStringToUtf8(list->NetworkName), "HomeNet");
  EXPECT_EQ(host->Count("OnConnectAP"), 1);
  EXPECT_TRUE(Calls("XPM_WLAN_JoinNetwork").empty());
  // An open one is joined at once.
  Press(Key::Down);
  Press(Key::Ok);
  EXPECT_EQ(list->SecurityMethod, 0);
  EXPECT_EQ(Calls("XPM_WLAN_JoinNetwork"), Strings{"XPM_WLAN_JoinNetwork Cafe 255 \"\""});
  EXPECT_EQ(host->Count("OnConnectAP"), 2);

  for (int i = 0; i < 3; ++i) Press(Key::Down);
  ASSERT_EQ(Cursor(), 4);
  EXPECT_TRUE(host->keys.empty());
  Press(Key::Down);
  EXPECT_EQ(host->keys, (std::vector<int32_t>{Key::Down})) << "past the last row the dialog takes the key";
  EXPECT_EQ(Cursor(), 4);
}

TEST_F(AccessPoints, GoldenScanResult) {
  auto* list = Embed(VgNew<AccessPointList>());
  list->OnSetBounds({120, 100, 830, 350});
  ScanEnds(list);
  Press(Key::Down);
  const char* root = std::getenv("TVUI_SOURCE_DIR");
  ExpectGolden(ViewsTest::Pixels(Render()), std::string(root ? root : ".") + "/tests/lists/golden/access_points.png");
}

}  // namespace
