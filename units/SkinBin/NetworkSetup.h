// The wired and wireless network interfaces as the network screens and the
// system information see them, and the list of access points of the last
// wireless scan.
#pragma once

#include <cstdint>

#include "Structures/Devices.h"
#include "vgobject.h"
#include "vgstring.h"

namespace SkinBin {

class NetworkSetup : public XObject {
  VG_CLASS()

 public:
  static constexpr int32_t kCapacity = 20;
  static constexpr int32_t kWired = 0;
  static constexpr int32_t kWireless = 1;

  explicit NetworkSetup(XObject* link = nullptr) : XObject(link) {}

  // Non-zero when the interface (0 wired, 1 wireless) is connected.
  virtual int32_t LAN_GetDevState(int32_t device);
  // 0 when the wired interface is connected, else 1 when the wireless one
  // is, else -1.
  virtual int32_t LAN_GetActivatedDev();
  // A new record of the interface's addresses; empty when they cannot be read.
  virtual ::Structures::IF_Configuration* LAN_GetIfState(int32_t device);
  // The interface's MAC address in upper case; a text of zeros when the
  // middleware cannot tell it.
  VgString LAN_GetMacAddr(int32_t device);
  // Tests the connection up to a step of 0-15 (any other step: every step);
  // the results arrive as Events::NetworkTestResultsEvent. Quit stops it.
  void LAN_TestConnection(int32_t step);
  void LAN_QuitTestConnection();

  // The wireless network (NetworkSetupWireless.cpp). A scan for every
  // network (null name) or one empties the table; its end is announced by
  // Events::WlanScanCompleteEvent, after which LoadAccessPoints fills the
  // table and returns the count (0 when the results cannot be read).
  void WLAN_ScanAccessPoint(VgString name);
  void WLAN_StopScan();
  int32_t WLAN_LoadAccessPoints();
  // Leaves the current network and asks to join; 1 when the middleware took
  // the request, whose outcome Events::WlanConnectCompleteEvent announces.
  int32_t WLAN_JoinNetwork(::Structures::WLAN_Connection* connection);
  void WLAN_QuitNetwork();
  // A new record of the current link; its state is filled even when the
  // middleware cannot tell the rest.
  ::Structures::WLAN_Info* WLAN_GetStatus();
  // Joins by push button while the request's push-button word (Value) is
  // set, else by PIN, passing its first byte on as the middleware's flag of
  // a PIN the set generated; 1 when the middleware took it. The outcome arrives as
  // Events::WlanConnectCompleteEvent.
  int32_t WPS_Join(::Structures::WPS_Connection* request);
  // A new PIN for the router; the preset PIN when the middleware has none.
  int32_t WPS_GeneratePin();

  // The network dialogs set it when the viewer steps back from a detail
  // screen, so that the list shows the last scan again.
  int32_t KeepScanResult = 0;
  VgPtrArray<::Structures::WLAN_Info, kCapacity> AccessPoints;
  int32_t NumAccessPoints = 0;
  int32_t SelectedIndex = 0;
  VgPtr<::Structures::WLAN_Info> CurrentConnection;
};

}  // namespace SkinBin
