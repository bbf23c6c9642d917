// The wireless information page's reading of the link: the decoding of a
// record's level, mode and rate, and which rows a link's state empties.
#include <gtest/gtest.h>

#include <string>

#include "Network/WirelessInformation.h"
#include "Strings.h"
#include "Structures/Devices.h"
#include "nonmenu_fixture.h"

namespace {

using Network::WirelessInformationMenu;
using Row = WirelessInformationMenu::RowNumber;

class WirelessInformation : public NonMenuTest::NonMenuFixture {
 protected:
  void SetUp() override {
    NonMenuFixture::SetUp();
    page = VgNew<WirelessInformationMenu>();
    VgLockObject(page);
  }
  void TearDown() override {
    VgUnlockObject(page);
    NonMenuFixture::TearDown();
  }
  std::string Shown(int32_t row) const { return Utf8(page->ValueOf(row)); }

  static Structures::WLAN_Info* Link(uint8_t state, uint8_t level, uint8_t mode, int32_t rate) {
    auto* link = VgNew<Structures::WLAN_Info>();
    link->LinkState = state;
    link->Status[2] = level;
    link->Status[3] = mode;
    link->Status[0] = 11;
    link->Status[5] = 4;
    link->Value = rate;
    link->SSID = VgNewStringAnsi("Attic");
    return link;
  }
  static Structures::IF_Configuration* Interface(bool dhcp) {
    auto* interface = VgNew<Structures::IF_Configuration>();
    interface->DHCP = dhcp ? 1 : 0;
    const uint8_t address[4] = {192, 168, 1, 40};
    for (int i = 0; i < 4; ++i) interface->Address[i] = address[i];
    return interface;
  }

  WirelessInformationMenu* page = nullptr;
};

TEST_F(WirelessInformation, LevelsAndModesBeyondTheTablesAreClampedInTheRecord) {
  Structures::WLAN_Info* link = Link(1, 7, 10, 109);
  Network::LinkFacts facts = Network::DecodeLink(*link);
  EXPECT_EQ(Utf8(facts.signal), Text(Strings::SID_STRONG));
  EXPECT_EQ(link->Status[2], 4);
  EXPECT_EQ(Utf8(facts.mode), Text(Strings::SID_UNSUPPORTED));
  EXPECT_EQ(Utf8(facts.speed), "54 Mbps") << "the rate counts 500 kbit/s";
  link->Status[3] = 11;
  EXPECT_EQ(Utf8(Network::DecodeLink(*link).mode), Text(Strings::SID_UNSUPPORTED));
  link->Status[3] = 20;
  EXPECT_EQ(Utf8(Network::DecodeLink(*link).mode), Text(Strings::SID_NONE));
  EXPECT_EQ(link->Status[3], 0);
  link->Status[2] = 1;
  EXPECT_EQ(Utf8(Network::DecodeLink(*link).signal), Text(Strings::SID_WEAK));
}

TEST_F(WirelessInformation, AConnectedLinkFillsEveryRow) {
  page->Load(Link(1, 3, 14, 600), Interface(true), VgNewStringAnsi("00:11:22:33:44:55"));
  EXPECT_EQ(Shown(Row::RowStatus), Text(Strings::SID_CONNECTED));
  EXPECT_EQ(Shown(Row::RowSignal), Text(Strings::SID_MEDIUM_U));
  EXPECT_EQ(Shown(Row::RowSpeed), "300 Mbps");
  EXPECT_EQ(Shown(Row::RowMode), "11b/g/n");
  EXPECT_EQ(Shown(Row::RowChannel), "11");
  EXPECT_EQ(Shown(Row::RowNetworkName), "Attic");
  EXPECT_EQ(Shown(Row::RowAuthentication), "WPA2-PSK");
  EXPECT_EQ(Shown(Row::RowEncryption), "AES");
  EXPECT_EQ(Shown(Row::RowSecurityKey), "*********");
  EXPECT_EQ(Shown(Row::RowTvMac), "00:11:22:33:44:55");
  EXPECT_EQ(Shown(Row::RowDhcp), Text(Strings::SID_ENABLED));
  EXPECT_EQ(Shown(Row::RowIp), "192.168.1.40");
}

TEST_F(WirelessInformation, WithoutADeviceTheNetworkRowsEmptyButTheSetsOwnStay) {
  page->Load(Link(255, 3, 14, 600), Interface(false), VgNewStringAnsi("00:11:22:33:44:55"));
  EXPECT_EQ(Shown(Row::RowStatus), Text(Strings::SID_DISCONNECTED));
  for (int32_t row : {Row::RowSignal, Row::RowSpeed, Row::RowMode, Row::RowChannel, Row::RowNetworkName,
                      Row::RowAuthentication, Row::RowEncryption, Row::RowSecurityKey, Row::RowApMac})
    EXPECT_EQ(Shown(row), "") << row;
  EXPECT_EQ(Shown(Row::RowTvMac), "00:11:22:33:44:55");
  EXPECT_EQ(Shown(Row::RowDhcp), Text(Strings::SID_DISABLED));
  EXPECT_EQ(Shown(Row::RowIp), "192.168.1.40") << "static addresses show without a link";
}

TEST_F(WirelessInformation, DisconnectedWithDhcpShowsNoAddresses) {
  page->Load(Link(0, 3, 14, 600), Interface(true), VgNewStringAnsi("00:11:22:33:44:55"));
  EXPECT_EQ(Shown(Row::RowNetworkName), "Attic");
  for (int32_t row : {Row::RowIp, Row::RowMask, Row::RowGateway, Row::RowDns}) EXPECT_EQ(Shown(row), "") << row;
}

}  // namespace
