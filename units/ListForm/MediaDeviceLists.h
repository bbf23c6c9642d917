// The small lists of the media player's setup and source dialogs, over what
// the media bridge knows of the home network and the storage devices:
//   - ListForm::MediaServerList: the media servers, a tick for each one
//     registered with the bridge (at most 8);
//   - ListForm::MediaControllerList: the media controllers, a tick for each
//     one allowed to play on the set (at most 8), read by the owning dialog;
//   - ListForm::MediumDeviceList: USB storage, SD card and servers to browse,
//     only USB storage in the recordings-only mode; activating one asks the
//     owner (the ListForm::DeviceOwner role) to open the player.
#pragma once

#include <cstdint>
#include <vector>

#include "ListForm/ListClass.h"
#include "ListForm/ListItem.h"
#include "Views/Image.h"
#include "Views/Rectangle.h"
#include "Views/Text.h"

namespace ListForm {

class MediaServerCourier : public ListCourier {
  VG_CLASS()

 public:
  explicit MediaServerCourier(XObject* link = nullptr);

  uint8_t Registered = 0;
  uint16_t WakeOnLan = 0;
  VgStr MacAddress;
};

class MediaControllerCourier : public ListCourier {
  VG_CLASS()

 public:
  explicit MediaControllerCourier(XObject* link = nullptr);

  uint8_t Ticked = 0;
  VgStr MacAddress;
};

// With no device at all the reader gives this courier's defaults.
class MediumDeviceCourier : public ListCourier {
  VG_CLASS()

 public:
  explicit MediumDeviceCourier(XObject* link = nullptr) : ListCourier(link) {}

  uint8_t IsActive = 1;
  uint16_t DeviceType = 3;
  VgStr DeviceText;
};

class MediaServerListItem : public ListItem {
  VG_CLASS()

 public:
  explicit MediaServerListItem(XObject* link = nullptr);

  XObject* SetData(XObject* data) override;
  XObject* GetData(XObject* data) override;
  void Refresh(XObject* sender = nullptr) override;

  void OnSetIsChecked(bool value);
  bool OnGetIsChecked() const { return IsChecked; }
  void OnSetMacAddress(VgString value) { macText.OnSetString(value); }
  VgString OnGetMacAddress() const { return macText.String; }
  // "Support" when the low 16 bits are 1, else "Unknown".
  void OnSetIsSupportWoL(uint16_t value);
  uint16_t OnGetIsSupportWoL() const { return IsSupportWoL; }

  bool IsChecked = false;
  uint16_t IsSupportWoL = 0;
  Views::Image tickBox{this};
  Views::Rectangle separators[3] = {Views::Rectangle{this}, Views::Rectangle{this}, Views::Rectangle{this}};
  Views::Text macText{this};
  Views::Text wakeOnLanText{this};
};

class MediaControllerListItem : public ListItem {
  VG_CLASS()

 public:
  explicit MediaControllerListItem(XObject* link = nullptr);

  XObject* SetData(XObject* data) override;
  XObject* GetData(XObject* data) override;
  void Refresh(XObject* sender = nullptr) override;

  void OnSetIsChecked(bool value);
  bool OnGetIsChecked() const { return IsChecked; }
  void OnSetMacAddr(VgString value);
  VgString OnGetMacAddr() const { return MacAddr; }

  bool IsChecked = false;
  Views::Image tickBox{this};
  Views::Text macText{this};
  VgStr MacAddr;
};

class MediumDeviceItem : public ListItem {
  VG_CLASS()

 public:
  explicit MediumDeviceItem(XObject* link = nullptr);

  // The row is disabled exactly when the device cannot be chosen.
  XObject* SetData(XObject* data) override;
  XObject* GetData(XObject* data) override;
  void Refresh(XObject* sender = nullptr) override;

  bool OnGetIsActive() const { return IsActive; }
  void OnSetIsActive(bool value) { IsActive = value; }

  bool IsActive = false;
  uint16_t DeviceType = 0;
  VgStr DeviceText;
};

class MediaServerList : public ListClass {
  VG_CLASS()

 public:
  explicit MediaServerList(XObject* link = nullptr);

  // Reads the bridge's server list anew.
  int32_t GetItemsNum() override;
  // Registers an unticked server and ticks it (unless the bridge refuses),
  // or unregisters a ticked one.
  void DoOnActivateOption(XObject* sender = nullptr);

  Views::Rectangle rowBackgrounds[8] = {Views::Rectangle{this}, Views::Rectangle{this}, Views::Rectangle{this},
                                        Views::Rectangle{this}, Views::Rectangle{this}, Views::Rectangle{this},
                                        Views::Rectangle{this}, Views::Rectangle{this}};
  Views::Rectangle separators[3] = {Views::Rectangle{this}, Views::Rectangle{this}, Views::Rectangle{this}};
};

class MediaControllerList : public ListClass {
  VG_CLASS()

 public:
  explicit MediaControllerList(XObject* link = nullptr);

  // Overridden slots.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // Rows take the ticks the viewer gave, also after scrolling.
  XObject* GetItemData(int32_t offset) override;
  // Asks the bridge for its controllers.
  int32_t GetItemsNum() override;

  // Unticks a ticked controller; ticks another only while fewer than
  // MaxItemNum are ticked.
  void DoOnActivateOption(XObject* sender = nullptr);
  // The controllers ticked, on the rows and off them.
  int32_t GetCheckedNumber();
  // Whether the viewer left controller i ticked.
  bool IsTicked(int32_t i) const { return i >= 0 && size_t(i) < ticks_.size() && ticks_[size_t(i)] != 0; }

 private:
  // A tick per controller, from the bridge's access flags at Initialize and
  // the viewer's changes since.
  std::vector<uint8_t> ticks_;
};

class MediumDeviceList : public ListClass {
  VG_CLASS()

 public:
  explicit MediumDeviceList(XObject* link = nullptr);

  int32_t GetItemsNum() override;
  // "Record" in the recordings-only mode: the reader then disables every
  // device but USB storage.
  VgString GetStringParam() override;
  void DoOnActivateOption(XObject* sender = nullptr);

  bool OnGetRecordsOnly() const { return RecordsOnly; }
  void OnSetRecordsOnly(bool value) { RecordsOnly = value; }

  // Set by the owning dialog when it picks a device for recordings.
  bool RecordsOnly = false;
};

}  // namespace ListForm
