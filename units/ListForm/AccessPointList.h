// The wireless access points of the last scan, as two lists: the one of the
// wireless setup dialogs (ListForm::AccessPointList: name, MAC address or
// 802.11 mode, channel, signal) and the one of the quick scan dialog
// (ListForm::QORAccessPointList: name, lock, mode, signal bar). Both read the
// access-point table of the model's network object, start a scan and load
// its result through it, and start the join to the network the viewer
// activates.
//
// The owning dialog sets OnConnectAP, calls StartScan on the red key and
// GetScanResult on Events::WlanScanCompleteEvent; GetScanResult answers 0
// when nothing was found, the list left disabled and blank.
#pragma once

#include <cstdint>

#include "ListForm/ListClass.h"
#include "ListForm/ListItem.h"
#include "SkinBin/ProgressQOR.h"
#include "Views/Image.h"
#include "Views/Rectangle.h"
#include "Views/Text.h"

namespace ListForm {

class ApCourier : public ListCourier {
  VG_CLASS()

 public:
  explicit ApCourier(XObject* link = nullptr) : ListCourier(link) {}

  // 802.11 bits: 1 a, 2 b, 4 g, 8 n.
  uint8_t Mode = 0;
  // 0 to 4.
  uint8_t Signal = 0;
  uint8_t Channel = 0;
  VgStr NetworkName;
  VgStr MacAddress;
};

class QORApCourier : public ListCourier {
  VG_CLASS()

 public:
  explicit QORApCourier(XObject* link = nullptr) : ListCourier(link) {}

  // 0 for an open network.
  uint8_t Security = 0;
  uint8_t Mode = 0;
  uint8_t Signal = 0;
  VgStr NetworkName;
  VgStr MacAddress;
};

// The names of the 802.11 modes by their bits; bits 16 and above read "None".
VgString ProtocolName(uint8_t mode);

class ApItem : public ListItem {
  VG_CLASS()

 public:
  explicit ApItem(XObject* link = nullptr);

  // Overridden slots.
  // A courier with neither name nor address is a blank row.
  XObject* SetData(XObject* data) override;
  XObject* GetData(XObject* data) override;
  void Refresh(XObject* sender = nullptr) override;
  // The columns are laid out again.
  void OnSetText(VgString value) override;

  // Levels 0 and 1 read "WEAK", 2 and 3 "MEDIUM", 4 and above "STRONG".
  void OnSetSignal(uint8_t value);
  void OnSetChannel(uint8_t value);
  // The name is the row's caption.
  void OnSetNetworkName(VgString value);
  uint8_t OnGetSignal() const { return Signal; }
  uint8_t OnGetChannel() const { return Channel; }
  VgString OnGetNetworkName() const { return NetworkName; }

  uint8_t Channel = 0;
  uint8_t Signal = 0;
  Views::Rectangle separators[3] = {Views::Rectangle{this}, Views::Rectangle{this}, Views::Rectangle{this}};
  Views::Text signalText{this};
  // The MAC address, or the 802.11 mode in a row of the mode list.
  Views::Text macText{this};
  Views::Text channelText{this};
  VgStr NetworkName;

 protected:
  // Empties every column.
  void Clear();
};

// The row of the wireless information dialog: the 802.11 mode in place of
// the MAC address.
class ApItem_Protocol : public ApItem {
  VG_CLASS()

 public:
  explicit ApItem_Protocol(XObject* link = nullptr) : ApItem(link) {}

  XObject* SetData(XObject* data) override;
  XObject* GetData(XObject* data) override;

  void OnSetProtocol(uint8_t value);
  uint8_t OnGetProtocol() const { return Protocol; }

  uint8_t Protocol = 0;
};

class QORApItem : public ListItem {
  VG_CLASS()

 public:
  explicit QORApItem(XObject* link = nullptr);

  XObject* SetData(XObject* data) override;
  XObject* GetData(XObject* data) override;
  void Refresh(XObject* sender = nullptr) override;

  // The lock shows for a secured network.
  void OnSetSecurity(int8_t value);
  // The bar shows levels 0 to 4; above 4 it is full.
  void OnSetSignal(uint8_t value);
  void OnSetProtocol(uint8_t value);
  void OnSetNetworkName(VgString value);
  int8_t OnGetSecurity() const { return Security; }
  uint8_t OnGetSignal() const { return Signal; }
  uint8_t OnGetProtocol() const { return Protocol; }
  VgString OnGetNetworkName() const { return NetworkName; }

  int8_t Security = 0;
  uint8_t Signal = 0;
  uint8_t Protocol = 0;
  VgStr NetworkName;
  SkinBin::ProgressQOR signalBar{this};
  Views::Text protocolText{this};
  Views::Image lockImage{this};
};

class AccessPointList : public ListClass {
  VG_CLASS()

 public:
  explicit AccessPointList(XObject* link = nullptr);

  // Shows the last scan again when the network object keeps it, else scans.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;

  // Scans for every network: the table empties, the list is disabled with
  // blank rows and its arrows parked.
  void StartScan();
  // Loads the scan's result and shows it; the number of access points.
  int32_t GetScanResult();
  // OnActivateOption: the row's access point becomes the chosen one, is
  // joined by WPS with PIN when one is set, and OnConnectAP hears of it. A
  // blank row does nothing.
  void ConnectAP(XObject* sender = nullptr);

  VgString OnGetPIN() const { return PIN; }
  void OnSetPIN(VgString value) { PIN = value; }
  VgSlot OnGetOnConnectAP() const { return OnConnectAP; }
  void OnSetOnConnectAP(VgSlot slot) { OnConnectAP = slot; }
  bool OnGetProtocolMode() const { return ProtocolMode; }
  void OnSetProtocolMode(bool value) { ProtocolMode = value; }

  bool ProtocolMode = false;
  Views::Text headers[4] = {Views::Text{this}, Views::Text{this}, Views::Text{this}, Views::Text{this}};
  VgStr PIN;
  VgSlot OnConnectAP;

 private:
  void PlaceIndicators(int32_t x);
};

class QORAccessPointList : public ListClass {
  VG_CLASS()

 public:
  explicit QORAccessPointList(XObject* link = nullptr);

  // Overridden slots.
  // The next-row key past the last row goes to the owning dialog, which
  // moves the focus on.
  XObject* HandleEvent(Core::Event* event) override;
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;

  void StartScan();
  int32_t GetScanResult();
  // OnActivateOption: the row's access point becomes the chosen one and its
  // security and name are kept for the dialog; an open network is joined at
  // once. A blank row does nothing.
  void ConnectAP(XObject* sender = nullptr);

  VgSlot OnGetOnConnectAP() const { return OnConnectAP; }
  void OnSetOnConnectAP(VgSlot slot) { OnConnectAP = slot; }

  // Of the access point activated last.
  uint8_t SecurityMethod = 0;
  Views::Text headers[4] = {Views::Text{this}, Views::Text{this}, Views::Text{this}, Views::Text{this}};
  VgSlot OnConnectAP;
  VgStr NetworkName;
};

}  // namespace ListForm
