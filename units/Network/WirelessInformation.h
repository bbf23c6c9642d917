// The wireless information pages: the state of the wireless link on a menu
// page (Network::WirelessInformationMenu), and behind its red key a scan
// list showing each network's 802.11 mode, whose rows open a read-only page
// of the network (Network::WirelessInformation_ApInfo). Return from that
// page shows the same scan again.
//
// The link's signal level, 802.11 mode and rate are decoded by the tables
// of LinkFacts; a record's level above 4 and mode bits of 16 or more are
// clamped in the record itself, so every view of it agrees.
#pragma once

#include <cstdint>

#include "MenuSystem/ThirdMenu.h"
#include "Network/AssistedSetup.h"
#include "Network/SecurityRules.h"
#include "Primitives/KeyRoutingForm.h"
#include "vgstring.h"

namespace Structures {
class WLAN_Info;
class IF_Configuration;
}  // namespace Structures

namespace Network {

// The texts of a link's signal, mode and speed.
struct LinkFacts {
  VgString signal;
  VgString mode;
  VgString speed;
  VgString channel;
};
// Reads the record's facts, clamping its level to 4 and its mode to 0 when
// no mode of 16 or more exists.
LinkFacts DecodeLink(::Structures::WLAN_Info& record);
// A throughput in kbit/s (or a rate in 500 kbit/s units, halved first) as
// "N Mbps".
VgString MbpsText(int32_t mbps);

class WirelessInformationMenu : public MenuSystem::ThirdMenu {
  VG_CLASS()

 public:
  WirelessInformationMenu();

  // The rows, numbered from 1 as the page lists them.
  enum RowNumber : int32_t {
    RowStatus = 1,
    RowSignal,
    RowSpeed,
    RowMode,
    RowChannel,
    RowNetworkName,
    RowAuthentication,
    RowEncryption,
    RowSecurityKey,
    RowApMac,
    RowTvMac,
    RowDhcp,
    RowIp,
    RowMask,
    RowGateway,
    RowDns,
  };

  // Overridden slots.
  // UP and DOWN scroll (no row takes the focus), the red key scans; a
  // throughput measured replaces the speed, under any screen with the keys.
  XObject* HandleEvent(Core::Event* event) override;
  bool FollowsTheWorld(Core::Event* event) const override;
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;

  // Opens the scan list, returning here.
  void EnterNextState();
  // Fills the rows from the link, the wireless interface and its MAC text.
  void Load(::Structures::WLAN_Info* link, ::Structures::IF_Configuration* interface, VgString mac);
  // The text a row shows.
  VgString ValueOf(int32_t row) const;

  uint8_t SecurityMethod = Security::kDefaultMethod;
  int32_t Authentication = Security::AuthWpa2Psk;
  int32_t Encryption = Security::EncAes;

 private:
  void Show(int32_t row, VgString text);
};

// The read-only form of a scanned network: status, signal, speed, mode,
// channel and name.
class WInfo_ApInfo : public Primitives::KeyRoutingForm {
  VG_CLASS()

 public:
  explicit WInfo_ApInfo(XObject* link = nullptr);

  enum RowNumber : int32_t { RowStatus = 0, RowSignal, RowSpeed, RowMode, RowChannel, RowName, RowCount };

  // The parameter's value is the record (a Structures::WLAN_Info); without
  // one an empty WPA2-PSK/AES network.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Setup(Core::Group* parent, ::Structures::WLAN_Info* record);
  void LoadWlanInfo(::Structures::WLAN_Info* record);

  ApInfoItem rows[RowCount] = {ApInfoItem{this}, ApInfoItem{this}, ApInfoItem{this},
                               ApInfoItem{this}, ApInfoItem{this}, ApInfoItem{this}};
  VgPtr<::Structures::WLAN_Info> Record;
};

class WirelessInformation_ApList : public AssistedSetup_ApList {
  VG_CLASS()

 public:
  explicit WirelessInformation_ApList(XObject* link = nullptr);
};

class WirelessInformation_ApInfo : public NetworkWidgetClass {
  VG_CLASS()

 public:
  explicit WirelessInformation_ApInfo(XObject* link = nullptr);

  // OK only restarts the time-out.
  XObject* HandleEvent(Core::Event* event) override;
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // The list shows the same scan again.
  void EnterPrevState() override;

  WInfo_ApInfo form{this};
};

}  // namespace Network
