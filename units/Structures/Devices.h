// Records of devices, networks, programmes and media that the television model
// fills from the middleware and the screens read. Only the fields the screens
// name carry meaning here; the others keep the middleware's order.
#pragma once

#include <cstdint>

#include "Structures/LocalTime.h"
#include "vgobject.h"
#include "vgstring.h"

namespace Structures {

class CECDeviceInfo : public XObject {
  VG_CLASS()

 public:
  explicit CECDeviceInfo(XObject* link = nullptr) : XObject(link) {}
  uint8_t Present = 0;  // 1 once filled
  uint8_t Kind = 0;
  uint8_t DeviceNumber = 0;
  VgStr DeviceName;
  int32_t SourceId = 0;
  uint8_t Record[4] = {};  // from the middleware's device record
};

class CaptionServiceInfo : public XObject {
  VG_CLASS()

 public:
  explicit CaptionServiceInfo(XObject* link = nullptr) : XObject(link) {}
  int32_t Service = 0;
  VgStr Text;
};

class ActiveAppStatus : public XObject {
  VG_CLASS()

 public:
  explicit ActiveAppStatus(XObject* link = nullptr) : XObject(link) {}
  int32_t AppId = 0;
  VgStr Name;
  int32_t StatusBits = 0;
};

class AllActiveAppStatus : public XObject {
  VG_CLASS()

 public:
  explicit AllActiveAppStatus(XObject* link = nullptr) : XObject(link) {}
  static constexpr int32_t kCapacity = 8;
  int32_t Count = 0;
  ActiveAppStatus Apps[kCapacity] = {ActiveAppStatus{this}, ActiveAppStatus{this}, ActiveAppStatus{this},
                                     ActiveAppStatus{this}, ActiveAppStatus{this}, ActiveAppStatus{this},
                                     ActiveAppStatus{this}, ActiveAppStatus{this}};
};

class WLAN_Info : public XObject {
  VG_CLASS()

 public:
  explicit WLAN_Info(XObject* link = nullptr) : XObject(link) {}
  uint8_t LinkState = 0;
  uint8_t Status[6] = {};
  VgStr SSID;
  VgStr HardwareAddress;  // upper case
  int32_t Value = 0;
};

class WLAN_Connection : public XObject {
  VG_CLASS()

 public:
  explicit WLAN_Connection(XObject* link = nullptr) : XObject(link) {}
  uint8_t SecurityMethod = 0;
  uint8_t Flag = 0;
  uint8_t KeyLength = 0;
  VgStr SSID;
  VgStr Key;
};

class WPS_Connection : public XObject {
  VG_CLASS()

 public:
  explicit WPS_Connection(XObject* link = nullptr) : XObject(link) {}
  uint8_t Method = 0;  // 1 when joining by PIN
  VgStr Text;
  VgStr PIN;
  int32_t Value = 0;
};

// Addresses are kept most significant byte first.
class IF_Configuration : public XObject {
  VG_CLASS()

 public:
  explicit IF_Configuration(XObject* link = nullptr) : XObject(link) {}
  uint8_t DHCP = 0;
  uint8_t Address[4] = {};
  uint8_t Mask[4] = {};
  uint8_t Gateway[4] = {};
  uint8_t DNS1[4] = {};
  uint8_t DNS2[4] = {};
};

class VideoContentInfo : public XObject {
  VG_CLASS()

 public:
  explicit VideoContentInfo(XObject* link = nullptr) : XObject(link) {}
  int32_t Values[10] = {};
};

class SignalQuality : public XObject {
  VG_CLASS()

 public:
  explicit SignalQuality(XObject* link = nullptr) : XObject(link) {}
  int32_t Values[7] = {};
};

// Hour 0 is 12 AM and hour 12 is 12 PM.
class AMPMHour : public XObject {
  VG_CLASS()

 public:
  explicit AMPMHour(XObject* link = nullptr) : XObject(link) {}
  uint8_t AM = 0;
  int32_t Hour = 0;  // 1 to 12
};

class RRTDimensionData : public XObject {
  VG_CLASS()

 public:
  explicit RRTDimensionData(XObject* link = nullptr) : XObject(link) {}
  int32_t Values[2] = {};
  VgStr Texts[3];
};

class EventInfo : public XObject {
  VG_CLASS()

 public:
  explicit EventInfo(XObject* link = nullptr) : XObject(link) {}
  uint8_t Kind = 0;
  uint8_t Flag = 0;
  VgPtr<LocalTime> StartTime;
  int32_t Duration = 0;
  VgStr Title;
  VgStr Description;
  int32_t Rating1 = 0;
  int32_t Rating2 = 0;
  VgStr RatingText;
  int32_t Values[4] = {};
};

class FolderInfo : public XObject {
  VG_CLASS()

 public:
  explicit FolderInfo(XObject* link = nullptr) : XObject(link) {}
  VgStr Path;
};

class MusicInfo : public XObject {
  VG_CLASS()

 public:
  explicit MusicInfo(XObject* link = nullptr) : XObject(link) {}
  VgStr Path;
  VgStr Title;
  VgStr Artist;
  VgStr Album;
  int32_t Duration = 0;
  int32_t Size = 0;
  VgPtr<XObject> Item;
};

class PhotoInfo : public XObject {
  VG_CLASS()

 public:
  explicit PhotoInfo(XObject* link = nullptr) : XObject(link) {}
  VgStr Path;
  VgStr Title;
  VgStr Date;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t Size = 0;
  VgPtr<XObject> Item;
};

}  // namespace Structures
