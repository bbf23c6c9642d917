#include "Network/WirelessInformation.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "AppServices/OptionDB.h"
#include "AppServices/Wrapper.h"
#include "Core/KeyEvent.h"
#include "Events/Events.h"
#include "MenuSystem/MenuItems.h"
#include "MenuSystem/MenuSystem.h"
#include "Network/Address.h"
#include "Network/AddressPages.h"
#include "NonMenuSystem/HelpBar.h"
#include "OptionDatabase/OptionBinding.h"
#include "OptionDatabase/OptionData.h"
#include "OptionDatabase/OptionTypes.h"
#include "Primitives/KeyRoutingParameter.h"
#include "SkinBin/NetworkSetup.h"
#include "Strings.h"
#include "Structures/Devices.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(Network, WirelessInformationMenu, MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(Network, WInfo_ApInfo, Primitives::KeyRoutingForm)
VG_DEFINE_CLASS(Network, WirelessInformation_ApList, Network::AssistedSetup_ApList)
VG_DEFINE_CLASS(Network, WirelessInformation_ApInfo, Network::NetworkWidgetClass)

namespace Network {

namespace {

using ::MenuSystem::Item;
using OptionDatabase::Sid;
namespace O = OptionDatabase;

// The bytes of a record's status.
enum StatusByte : int32_t { kChannelByte = 0, kLevelByte = 2, kModeByte = 3, kSecurityByte = 5 };
constexpr uint8_t kLinkUp = 1;

constexpr const VgConstant* kSignalLabels[] = {&Strings::SID_WEAK, &Strings::SID_WEAK, &Strings::SID_MEDIUM_U,
                                               &Strings::SID_MEDIUM_U, &Strings::SID_STRONG};
// By the mode bits 1 a, 2 b, 4 g, 8 n; b and n without g is no mode an
// access point offers.
constexpr const VgConstant* kModeLabels[] = {
    &Strings::SID_NONE,        &Strings::SID_WIFI_11A,     &Strings::SID_WIFI_11B,     &Strings::SID_WIFI_11A_B,
    &Strings::SID_WIFI_11G,    &Strings::SID_WIFI_11A_G,   &Strings::SID_WIFI_11B_G,   &Strings::SID_WIFI_11A_B_G,
    &Strings::SID_WIFI_11N,    &Strings::SID_WIFI_11A_N,   &Strings::SID_UNSUPPORTED,  &Strings::SID_UNSUPPORTED,
    &Strings::SID_WIFI_11G_N,  &Strings::SID_WIFI_11A_G_N, &Strings::SID_WIFI_11B_G_N, &Strings::SID_WIFI_11A_B_G_N};
// The record's rate counts units of 500 kbit/s.
constexpr int32_t kRateUnitsPerMbps = 2;
constexpr int32_t kKbitPerMbps = 1024;
constexpr char16_t kHiddenKey[] = u"*********";

constexpr ::MenuSystem::RowDef kRows[] = {
    Item<SubMenuItemValue>(Sid(Strings::SID_STATUS)),
    Item<SubMenuItemValue>(Sid(Strings::SID_SIGNAL)),
    Item<SubMenuItemValue>(Sid(Strings::SID_SPEED)),
    Item<SubMenuItemValue>(Sid(Strings::SID_MODE)),
    Item<SubMenuItemValue>(Sid(Strings::SID_CHANNEL)),
    Item<SubMenuItemValue>(Sid(Strings::SID_NETWORK_NAME)),
    Item<SubMenuItemValue>(Sid(Strings::SID_AUTHENTICATION)),
    Item<SubMenuItemValue>(Sid(Strings::SID_ENCRYPTION)),
    Item<SubMenuItemValue>(Sid(Strings::SID_SECURITY_KEY)),
    Item<SubMenuItemValue>(Sid(Strings::SID_AP_MAC_ADDRESS)),
    Item<SubMenuItemValue>(Sid(Strings::SID_MAC_ADDRESS)),
    Item<SubMenuItemValue>(Sid(Strings::SID_DHCP)),
    Item<SubMenuItemValue>(Sid(Strings::IPAddress)),
    Item<SubMenuItemValue>(Sid(Strings::SubnetMask)),
    Item<SubMenuItemValue>(Sid(Strings::DefaultGateway)),
    Item<SubMenuItemValue>(Sid(Strings::SID_DNS)),
};
// No way back of its own: the screen that opens it gives it one.
constexpr ::MenuSystem::PageTable kInformationMenu{.title = Sid(Strings::SID_WIRELESS_INFORMATION_PAGE),
                                                 .rows = kRows,
                                                 .winId = WinIDs::WIN_ID_NetworkSetupMenu};
const ::MenuSystem::PageListing kListed[] = {::MenuSystem::PageListing(kInformationMenu)};

constexpr DialogDef kApList{.caption = &Strings::SID_WIRELESS_INFORMATION_PAGE,
                            .help = &kHelpScan,
                            .waiting = kBusy,
                            .next = &WirelessInformation_ApInfo::Class,
                            .back = &WirelessInformationMenu::Class,
                            .timeout = kScanTimeout,
                            .onTimeout = DialogSlot<&ApListDialog::ScanTimeout>,
                            .bounds = {0, 110, 750, 410}};

constexpr DialogDef kApInfo{.caption = &Strings::SID_WIRELESS_INFORMATION_PAGE,
                            .help = &kHelpBack,
                            .waiting = kIdle,
                            .modal = false,
                            .next = &WirelessInformation_ApList::Class,
                            .back = &WirelessInformation_ApList::Class,
                            .bounds = {0, 140, 440, 376}};
constexpr int32_t kFormY = 50;

SkinBin::NetworkSetup& Network() { return MainApp::GetWrapper()->NetworkSetup; }
VgString Text(const VgConstant& constant) { return VgGetVariantOfString(&constant); }

VgString Number(int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  return VgNewStringAnsi(text);
}

VgString OctetText(const uint8_t (&octets)[4]) {
  return DottedText(Pack({octets[0], octets[1], octets[2], octets[3]}));
}

// The option's text for a value; a value of none of its choices reads
// "Unsupported".
VgString ChoiceText(int32_t optionType, int32_t value) {
  O::OptionBinding option(MainApp::GetOptionDB(), optionType, "Network::WirelessInformationMenu");
  if (!option) return Text(Strings::SID_UNSUPPORTED);
  option.Read();
  O::OptionDataClass* record = option.Record();
  record->Value = value;
  record->Val2Id();
  if (record->Id < 0 || record->Id >= option.Count()) return Text(Strings::SID_UNSUPPORTED);
  return option.ChoiceText(record->Id);
}

}  // namespace

LinkFacts DecodeLink(::Structures::WLAN_Info& record) {
  uint8_t& level = record.Status[kLevelByte];
  level = std::min<uint8_t>(level, uint8_t(std::size(kSignalLabels) - 1));
  uint8_t& mode = record.Status[kModeByte];
  if (mode >= std::size(kModeLabels)) mode = 0;
  return {.signal = Text(*kSignalLabels[level]),
          .mode = Text(*kModeLabels[mode]),
          .speed = MbpsText(record.Value / kRateUnitsPerMbps),
          .channel = Number(record.Status[kChannelByte])};
}

VgString MbpsText(int32_t mbps) {
  return VgConcatString(VgConcatString(Number(mbps), VgNewString(u" ")), Text(Strings::SID_MBPS));
}

// ------------------------------------------------------------ WirelessInformationMenu

WirelessInformationMenu::WirelessInformationMenu() : ThirdMenu(kInformationMenu) {
  NextState = &WirelessInformation_ApList::Class;
  if (::MenuSystem::SubMenuItem* row = Row(RowTvMac))
    row->OnSetText(VgConcatString(VgConcatString(Text(Strings::SID_TV), VgNewString(u" ")),
                                  Text(Strings::SID_MAC_ADDRESS)));
}

void WirelessInformationMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ThirdMenu::Initialize(parameter);
  // Opened from the quick menu, it goes back there, also when the viewer
  // comes back to it from its scan list.
  if (OpenedFromQuickMenu()) ReturnToQuickMenu();
  // A page to read: no row is picked.
  OnSetFocus(nullptr);
  if (auto* system = vg_cast<::MenuSystem::MenuSystem>(MenuSystem.get())) {
    const VgString labels =
        VgConcatString(VgConcatString(Text(Strings::SID_AP_SCAN), VgNewString(u",")), Text(Strings::SID_BACK));
    system->UpdateHelp(NonMenuSystem::HelpRed | NonMenuSystem::HelpReturn, labels);
  }
  SkinBin::NetworkSetup& network = Network();
  Load(network.WLAN_GetStatus(), network.LAN_GetIfState(SkinBin::NetworkSetup::kWireless),
       network.LAN_GetMacAddr(SkinBin::NetworkSetup::kWireless));
  Refresh();
}

void WirelessInformationMenu::Show(int32_t row, VgString text) {
  if (auto* value = vg_cast<::MenuSystem::SubMenuItemValue>(Row(row)))
    value->OnSetValueString(text ? text : VgNewString(u""));
}

VgString WirelessInformationMenu::ValueOf(int32_t row) const {
  auto* value = vg_cast<::MenuSystem::SubMenuItemValue>(Row(row));
  return value ? value->ValueString : nullptr;
}

void WirelessInformationMenu::Load(::Structures::WLAN_Info* link, ::Structures::IF_Configuration* interface,
                                   VgString mac) {
  ::Structures::WLAN_Info empty;
  ::Structures::WLAN_Info& r = link ? *link : empty;
  const bool up = r.LinkState == kLinkUp;
  Show(RowStatus, Text(up ? Strings::SID_CONNECTED : Strings::SID_DISCONNECTED));
  const LinkFacts facts = up ? DecodeLink(r) : LinkFacts{};
  Show(RowSignal, facts.signal);
  Show(RowSpeed, facts.speed);
  Show(RowMode, facts.mode);
  Show(RowChannel, facts.channel);
  Show(RowApMac, up ? r.HardwareAddress.get() : nullptr);

  // A state above up: no wireless device, so no network either.
  if (r.LinkState > kLinkUp) {
    for (int32_t row : {RowNetworkName, RowAuthentication, RowEncryption, RowSecurityKey}) Show(row, nullptr);
  } else {
    Show(RowNetworkName, r.SSID);
    SecurityMethod = r.Status[kSecurityByte];
    const Security::MethodRow& method = Security::kMethods[Security::MethodOfByte(SecurityMethod)];
    Authentication = method.authentication;
    Encryption = method.encryption;
    Show(RowAuthentication, ChoiceText(O::OPTION_TYPE_AUTHENTICATION, Authentication));
    Show(RowEncryption, ChoiceText(O::OPTION_TYPE_ENCRYPTION, Encryption));
    Show(RowSecurityKey, VgNewString(kHiddenKey));
  }

  Show(RowTvMac, mac);
  const bool dhcp = interface && interface->DHCP != 0;
  Show(RowDhcp, Text(dhcp ? Strings::SID_ENABLED : Strings::SID_DISABLED));
  // Addresses given by DHCP mean nothing without a link.
  const bool addresses = interface && (up || !dhcp);
  Show(RowIp, addresses ? OctetText(interface->Address) : nullptr);
  Show(RowMask, addresses ? OctetText(interface->Mask) : nullptr);
  Show(RowGateway, addresses ? OctetText(interface->Gateway) : nullptr);
  Show(RowDns, addresses ? OctetText(interface->DNS1) : nullptr);
}

bool WirelessInformationMenu::FollowsTheWorld(Core::Event* event) const {
  return vg_cast<Events::NetworkTestResultsEvent>(event) != nullptr;
}

XObject* WirelessInformationMenu::HandleEvent(Core::Event* event) {
  if (auto* test = vg_cast<Events::NetworkTestResultsEvent>(event)) {
    Show(RowSpeed, MbpsText(test->Value / kKbitPerMbps));
    return this;
  }
  switch (Core::PressedKey(event)) {
    case Key::Down:
    case Key::Up: {
      const bool down = Core::PressedKey(event) == Key::Down;
      const int32_t count = GetCount();
      Forms::Ctrl* edge = count ? GetCtrlAt(down ? count - 1 : 0) : nullptr;
      // Only while rows lie beyond the page that way.
      if (edge && (down ? edge->Bounds.y2 > PageArea.y2 : edge->Bounds.y1 < PageArea.y1)) {
        const int32_t pitch = ::MenuSystem::ThirdMenuItemHeight + ItemInterval;
        DoScrollContent(0, down ? -pitch : pitch);
      }
      RefreshArrow();
      ResetTimeout();
      return this;
    }
    case Key::Red:
      EnterNextState();
      ResetTimeout();
      return this;
    default:
      return ThirdMenu::HandleEvent(event);
  }
}

void WirelessInformationMenu::EnterNextState() {
  if (!NextState || !vg_cast<::MenuSystem::MenuSystem>(MenuSystem.get())) return;
  OpenBelow(NextState);
}

// ------------------------------------------------------------ WInfo_ApInfo

WInfo_ApInfo::WInfo_ApInfo(XObject* link) : Primitives::KeyRoutingForm(link) {
  static constexpr const VgConstant* kCaptions[RowCount] = {&Strings::SID_STATUS, &Strings::SID_SIGNAL,
                                                            &Strings::SID_SPEED,  &Strings::SID_MODE,
                                                            &Strings::SID_CHANNEL, &Strings::SID_NETWORK_NAME};
  int32_t y = 0;
  for (int32_t i = 0; i < RowCount; ++i) {
    ApInfoItem& row = rows[i];
    row.OnSetText(Text(*kCaptions[i]));
    row.OnSetBounds({0, y, ApInfo::RowWidth, y + ::MenuSystem::ThirdMenuItemHeight});
    Add(&row, 0);
    y += ApInfo::RowPitch;
  }
  OnSetBounds({0, 0, ApInfo::RowWidth, y});
}

void WInfo_ApInfo::Initialize(Primitives::KeyRoutingParameter* parameter) {
  Primitives::KeyRoutingForm::Initialize(parameter);
  auto* record = vg_cast<::Structures::WLAN_Info>(parameter ? parameter->Param.get() : nullptr);
  if (!record) {
    record = VgNew<::Structures::WLAN_Info>();
    record->Status[kSecurityByte] = Security::kDefaultMethod;
  }
  LoadWlanInfo(record);
}

void WInfo_ApInfo::Setup(Core::Group* parent, ::Structures::WLAN_Info* record) {
  auto* param = VgNew<Primitives::KeyRoutingParameter>();
  param->Parent = parent;
  param->Param = record;
  Initialize(param);
}

void WInfo_ApInfo::LoadWlanInfo(::Structures::WLAN_Info* record) {
  Record = record;
  const LinkFacts facts = DecodeLink(*record);
  rows[RowStatus].OnSetValueString(Text(record->LinkState == kLinkUp ? Strings::SID_CONNECTED
                                                                     : Strings::SID_DISCONNECTED));
  rows[RowSignal].OnSetValueString(facts.signal);
  rows[RowSpeed].OnSetValueString(facts.speed);
  rows[RowMode].OnSetValueString(facts.mode);
  rows[RowChannel].OnSetValueString(facts.channel);
  rows[RowName].OnSetValueString(record->SSID);
}

// ------------------------------------------------------------ the scan list and its page

WirelessInformation_ApList::WirelessInformation_ApList(XObject* link) : AssistedSetup_ApList(kApList, link) {
  list.OnSetProtocolMode(true);
}

WirelessInformation_ApInfo::WirelessInformation_ApInfo(XObject* link) : NetworkWidgetClass(kApInfo, link) {
  form.OnSetEnabled(false);
  form.OnSetBounds(VgSetRectOrigin(form.Bounds, {(VgGetRectW(Bounds) - ApInfo::RowWidth) / 2, kFormY}));
  Add(&form, 0);
}

void WirelessInformation_ApInfo::Initialize(Primitives::KeyRoutingParameter* parameter) {
  NetworkWidgetClass::Initialize(parameter);
  SkinBin::NetworkSetup& network = Network();
  const int32_t index = network.SelectedIndex;
  const bool chosen = index >= 0 && index < network.NumAccessPoints && index < SkinBin::NetworkSetup::kCapacity;
  form.Setup(this, chosen ? network.AccessPoints[size_t(index)] : nullptr);
}

XObject* WirelessInformation_ApInfo::HandleEvent(Core::Event* event) {
  if (Core::PressedKey(event) == Key::Ok) {
    ResetTimeout();
    return this;
  }
  return NetworkWidgetClass::HandleEvent(event);
}

void WirelessInformation_ApInfo::EnterPrevState() {
  Network().KeepScanResult = 1;
  NetworkWidgetClass::EnterPrevState();
}

}  // namespace Network
