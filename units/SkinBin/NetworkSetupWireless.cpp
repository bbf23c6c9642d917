// The wireless network of the set: scanning for access points, the table of
// the last scan, joining and leaving a network, the current link and WPS.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>

#include "SkinBin/MiddlewareText.h"
#include "SkinBin/NetworkSetup.h"
#include "vgdebug.h"
#include "xpm.h"

namespace SkinBin {

namespace {

static_assert(sizeof(XPM_WLAN_AccessPoint) * NetworkSetup::kCapacity == XPM_WLAN_SCAN_BUFFER_SIZE,
              "the scan buffer holds the table's access points exactly");

// What the middleware takes of each text.
constexpr int32_t kMaxSSID = 32;
constexpr int32_t kMaxKey = 64;
constexpr int32_t kMaxPin = 8;
// The PIN the router is given when the middleware cannot make one.
constexpr int32_t kPresetPin = 12345670;
// The security method of a join that leaves the kind to the middleware
// (an open network, or a key typed for a network of any kind).
constexpr uint8_t kNoSecurity = 255;
constexpr uint8_t kNoDevice = 255;

// The byte positions of a record's status.
enum Status { kChannel = 0, kLevel = 2, kMode = 3, kSecurity = 5 };

// The middleware names a network's kind of security; the screens and the join
// request speak in methods (0 open, 1 WEP, 2 WPA-PSK/AES, 3 WPA-PSK/TKIP,
// 4 WPA2-PSK/AES, 5 WPA2-PSK/TKIP, 6 unsupported). A kind that says no cipher
// is taken as AES, the cipher such networks offer first; WPS alone or an
// unknown kind is a method the set cannot join by key.
constexpr uint8_t kMethodOfKind[] = {0, 1, 2, 4, 4, 6, 6};
constexpr uint8_t kUnsupportedMethod = 6;

uint8_t MethodOfKind(uint8_t kind) { return kind < std::size(kMethodOfKind) ? kMethodOfKind[kind] : kUnsupportedMethod; }

std::string Cut(VgString text, int32_t size) {
  char buffer[kMaxKey + 1] = {};
  VgStringToAnsi(text, buffer, std::min<int32_t>(size + 1, sizeof buffer), '?');
  return buffer;
}

VgString MacText(const uint8_t (&bssid)[6]) {
  char text[18];
  std::snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X", bssid[0], bssid[1], bssid[2], bssid[3], bssid[4],
                bssid[5]);
  return VgNewStringAnsi(text);
}

void Fill(::Structures::WLAN_Info* info, const XPM_WLAN_AccessPoint& point) {
  info->SSID = BufferText(point.ssid);
  info->HardwareAddress = MacText(point.bssid);
  info->Status[kChannel] = point.channel;
  info->Status[kLevel] = point.level;
  info->Status[kMode] = point.mode;
  info->Status[kSecurity] = MethodOfKind(point.security);
  info->Value = point.rate;
}

}  // namespace

void NetworkSetup::WLAN_ScanAccessPoint(VgString name) {
  for (size_t i = 0; i < AccessPoints.size(); ++i) AccessPoints[i] = nullptr;
  NumAccessPoints = 0;
  SelectedIndex = 0;
  const std::string network = name ? Cut(name, kMaxSSID) : std::string();
  if (int32_t status = XPM_WLAN_ScanAccessPoints(name ? network.c_str() : nullptr); status != 0)
    VgPrint("NetworkSetup: XPM_WLAN_ScanAccessPoints = 0x%08X Failed\n", unsigned(status));
}

void NetworkSetup::WLAN_StopScan() {
  if (int32_t status = XPM_WLAN_StopScan(); status != 0)
    VgPrint("NetworkSetup: XPM_WLAN_StopScan = 0x%08X Failed\n", unsigned(status));
}

// Hidden networks have no name to show or join by; they are left out.
int32_t NetworkSetup::WLAN_LoadAccessPoints() {
  for (size_t i = 0; i < AccessPoints.size(); ++i) AccessPoints[i] = nullptr;
  NumAccessPoints = 0;
  XPM_WLAN_AccessPoint buffer[kCapacity] = {};
  int32_t count = 0;
  if (int32_t status = XPM_WLAN_GetScanResults(buffer, sizeof buffer, &count); status != 0) {
    VgPrint("NetworkSetup: XPM_WLAN_GetScanResults = 0x%08X Failed\n", unsigned(status));
    return 0;
  }
  const int32_t found = std::clamp(count, 0, kCapacity);
  for (int32_t i = 0; i < found; ++i) {
    const XPM_WLAN_AccessPoint& point = buffer[i];
    if (point.ssid[0] == 0) continue;
    auto* info = VgNew<::Structures::WLAN_Info>();
    info->LinkState = 1;
    Fill(info, point);
    AccessPoints[size_t(NumAccessPoints++)] = info;
  }
  return NumAccessPoints;
}

int32_t NetworkSetup::WLAN_JoinNetwork(::Structures::WLAN_Connection* connection) {
  if (!connection || VgGetStringLength(connection->SSID) == 0) {
    VgPrint("NetworkSetup: no network to join\n");
    return 0;
  }
  WLAN_QuitNetwork();
  const std::string ssid = Cut(connection->SSID, kMaxSSID);
  // A join that leaves the kind of security to the middleware (255) still
  // carries the key it was given: only a join without one is open.
  const bool open = connection->SecurityMethod == kNoSecurity && VgGetStringLength(connection->Key) == 0;
  const std::string key = open ? std::string() : Cut(connection->Key, kMaxKey);
  if (int32_t status = XPM_WLAN_JoinNetwork(ssid.c_str(), connection->SecurityMethod, key.c_str()); status != 0) {
    VgPrint("NetworkSetup: XPM_WLAN_JoinNetwork = 0x%08X Failed\n", unsigned(status));
    return 0;
  }
  return 1;
}

void NetworkSetup::WLAN_QuitNetwork() {
  if (int32_t status = XPM_WLAN_QuitNetwork(); status != 0)
    VgPrint("NetworkSetup: XPM_WLAN_QuitNetwork = 0x%08X Failed\n", unsigned(status));
}

::Structures::WLAN_Info* NetworkSetup::WLAN_GetStatus() {
  auto* info = VgNew<::Structures::WLAN_Info>();
  int32_t state = 0;
  XPM_WLAN_AccessPoint link{};
  if (int32_t status = XPM_WLAN_GetLinkStatus(&state, &link); status != 0) {
    VgPrint("NetworkSetup: XPM_WLAN_GetLinkStatus = 0x%08X Failed\n", unsigned(status));
    // Without an answer the interface itself tells whether there is a link.
    info->LinkState = LAN_GetDevState(kWireless) != 0 ? 1 : 0;
    return info;
  }
  info->LinkState = state == 1 ? 1 : (state == kNoDevice ? kNoDevice : 0);
  if (state == 1) Fill(info, link);
  return info;
}

int32_t NetworkSetup::WPS_Join(::Structures::WPS_Connection* request) {
  if (!request) {
    VgPrint("NetworkSetup: no WPS request\n");
    return 0;
  }
  int32_t status = 0;
  if (request->Value != 0) {
    status = XPM_WPS_PushButton();
  } else {
    const std::string ssid = Cut(request->Text, kMaxSSID);
    const std::string pin = Cut(request->PIN, kMaxPin);
    status = XPM_WPS_PinJoin(ssid.c_str(), pin.c_str(), request->Method);
  }
  if (status != 0) {
    VgPrint("NetworkSetup: the WPS join was refused (0x%08X)\n", unsigned(status));
    return 0;
  }
  return 1;
}

int32_t NetworkSetup::WPS_GeneratePin() {
  int32_t pin = 0;
  if (int32_t status = XPM_WPS_GeneratePin(&pin); status != 0) {
    VgPrint("NetworkSetup: no WPS PIN (0x%08X), the preset one is used\n", unsigned(status));
    return kPresetPin;
  }
  return pin;
}

}  // namespace SkinBin
