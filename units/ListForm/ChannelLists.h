// The lists of the channel screens, one row per virtual channel of the
// model's channel table:
//   - ListForm::MasterChannelList (the scan's result): number, skip mark, type
//     and RF channel; the channel the focus rests on for 1.5 s is tuned;
//   - ListForm::ChannelOptionList (channel options): number, type, name and a
//     box for the favourites ring; the red key (20) toggles the ring, OK
//     renames the channel on the keyboard, resting tunes as above;
//   - ListForm::ChannelLockList: number, name and a lock; OK toggles the lock;
//   - ListForm::ManualChannelList (manual scan): the channels found on one RF
//     channel with type, name, a new mark and the signal strength.
// The screens that hold them call Initialize when they open; every change
// goes to the middleware through the television model.
#pragma once

#include <cstdint>

#include "ListForm/ListClass.h"
#include "ListForm/ListItem.h"
#include "ListForm/RestTimer.h"
#include "Views/Image.h"
#include "Views/ImageList.h"
#include "Views/Text.h"
#include "vgslot.h"

namespace ListForm {

// ------------------------------------------------------------------ couriers

class ChannelCourier : public ListCourier {
  VG_CLASS()

 public:
  explicit ChannelCourier(XObject* link = nullptr) : ListCourier(link) {}
  uint8_t IsDigital = 0;
  uint8_t IsSkip = 0;
  int32_t ChannelMajor = 0;
  int32_t ChannelMinor = 0;
  int32_t PhysicalChNum = 0;
};

// Text is the channel's name.
class ChannelOptionCourier : public ListCourier {
  VG_CLASS()

 public:
  explicit ChannelOptionCourier(XObject* link = nullptr) : ListCourier(link) {}
  uint8_t IsDigital = 0;
  uint8_t IsEnabled = 0;
  int32_t ChannelMajor = 0;
  int32_t ChannelMinor = 0;
};

// Text is the channel's name.
class ChannelLockCourier : public ListCourier {
  VG_CLASS()

 public:
  explicit ChannelLockCourier(XObject* link = nullptr) : ListCourier(link) {}
  uint8_t IsDigital = 0;
  uint8_t IsLocked = 0;
  int32_t ChannelMajor = 0;
  int32_t ChannelMinor = 0;
};

// Text is the channel's name.
class ManualChannelCourier : public ListCourier {
  VG_CLASS()

 public:
  explicit ManualChannelCourier(XObject* link = nullptr) : ListCourier(link) {}
  uint8_t IsScaned = 0;
  uint8_t IsNew = 0;
  uint8_t IsDigital = 0;
  int32_t ChannelMajor = 0;
  int32_t ChannelMinor = 0;
  int32_t SignalStrength = 0;
};

// ---------------------------------------------------------------------- rows
//
// A row's caption is the channel number; SetData writes it from the courier's
// numbers, and the label rows keep the courier's caption as the name.

class ChannelItem : public ListItem {
  VG_CLASS()

 public:
  explicit ChannelItem(XObject* link = nullptr);

  XObject* SetData(XObject* data) override;
  XObject* GetData(XObject* data) override;
  void Refresh(XObject* sender = nullptr) override;

  void OnSetIsDigital(bool value);
  bool OnGetIsDigital() const { return IsDigital; }
  void OnSetIsSkip(bool value);
  bool OnGetIsSkip() const { return IsSkip; }
  void OnSetPhysicalChNum(int32_t value);
  int32_t OnGetPhysicalChNum() const { return PhysicalChNum; }

  int32_t ChannelMajor = 0;
  int32_t ChannelMinor = 0;
  bool IsDigital = true;
  bool IsSkip = false;
  int32_t PhysicalChNum = 2;
  Views::Text skipText{this};
  Views::Image typeIcon{this};
  Views::Text physicalText{this};
};

class ChannelOptionItem : public ListItem {
  VG_CLASS()

 public:
  explicit ChannelOptionItem(XObject* link = nullptr);

  // The red key toggles the favourites ring.
  XObject* HandleEvent(Core::Event* event) override;
  XObject* SetData(XObject* data) override;
  XObject* GetData(XObject* data) override;
  void Refresh(XObject* sender = nullptr) override;

  // Adds the channel to favourites ring 0 or takes it out, and signals
  // FocusMove.
  void EnableChannel();
  void OnSetIsDigital(bool value);
  bool OnGetIsDigital() const { return IsDigital; }
  void OnSetIsEnabled(bool value);
  bool OnGetIsEnabled() const { return IsEnabled; }
  void OnSetChannelLabel(VgString value);
  VgString OnGetChannelLabel() const { return ChannelLabel; }

  int32_t ChannelMajor = 0;
  int32_t ChannelMinor = 0;
  bool IsDigital = true;
  bool IsEnabled = false;
  VgStr ChannelLabel;
  // The list's own, given to every row.
  VgSlot FocusMove;
  Views::Image typeIcon{this};
  Views::Text labelText{this};
  Views::Image checkBox{this};
};

class ChannelLockItem : public ListItem {
  VG_CLASS()

 public:
  explicit ChannelLockItem(XObject* link = nullptr);

  XObject* SetData(XObject* data) override;
  XObject* GetData(XObject* data) override;
  void Refresh(XObject* sender = nullptr) override;

  void OnSetIsLocked(bool value);
  bool OnGetIsLocked() const { return IsLocked; }
  void OnSetChannelLabel(VgString value);
  VgString OnGetChannelLabel() const { return ChannelLabel; }

  int32_t ChannelMajor = 0;
  int32_t ChannelMinor = 0;
  // Kept for GetData; the row shows no type.
  bool IsDigital = true;
  bool IsLocked = false;
  VgStr ChannelLabel;
  Views::Text labelText{this};
  Views::Image lockImage{this};
};

class ManualChannelItem : public ListItem {
  VG_CLASS()

 public:
  explicit ManualChannelItem(XObject* link = nullptr);

  // The strength's bars, 0 to 5.
  static constexpr int32_t SignalImages = 6;

  XObject* SetData(XObject* data) override;
  XObject* GetData(XObject* data) override;
  void Refresh(XObject* sender = nullptr) override;

  void OnSetIsScaned(bool value);
  bool OnGetIsScaned() const { return IsScaned; }
  void OnSetIsNew(bool value);
  bool OnGetIsNew() const { return IsNew; }
  void OnSetIsDigital(bool value);
  bool OnGetIsDigital() const { return IsDigital; }
  void OnSetSignalStrength(int32_t value);
  int32_t OnGetSignalStrength() const { return SignalStrength; }
  void OnSetChName(VgString value);
  VgString OnGetChName() const { return ChName; }
  // The image of a strength: none at 0 or below, full from 100 on.
  static int32_t SignalImage(int32_t strength);

  int32_t ChannelMajor = 0;
  int32_t ChannelMinor = 0;
  bool IsScaned = false;
  bool IsNew = false;
  bool IsDigital = true;
  int32_t SignalStrength = 0;
  VgStr ChName;
  Views::Text newMark{this};
  Views::Image typeIcon{this};
  Views::Text nameText{this};
  Views::ImageList signal{this};
};

// --------------------------------------------------------------------- lists

class MasterChannelList : public ListClass {
  VG_CLASS()

 public:
  explicit MasterChannelList(XObject* link = nullptr);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  int32_t GetItemsNum() override;

  // A focus move: the pause starts again.
  void DoFocus(XObject* sender);
  // The pause ended: tunes the focused channel unless it is on air.
  void TuneToChannel(XObject* sender = nullptr);

  RestTimer tuneTimer{this};
};

class ChannelOptionList : public ListClass {
  VG_CLASS()

 public:
  explicit ChannelOptionList(XObject* link = nullptr);

  // The keyboard's new name for the focused channel.
  void HandleMessage(Structures::Message* message) override;
  // Gives every row the list's FocusMove.
  void InitializeItems() override;
  // The channel on air.
  int32_t GetFocusItemIndex() override;
  int32_t GetItemsNum() override;

  void DoFocus(XObject* sender);
  void TuneToChannel(XObject* sender = nullptr);
  // OK on a row: the keyboard, starting from the channel's name.
  void DoChangeLabel(XObject* sender);
  // Every channel into favourites ring 0 or out of it.
  void EnableAllChannels(bool enable);

  // The longest name the keyboard takes.
  static constexpr int32_t MaxLabelLength = 12;

  RestTimer tuneTimer{this};
};

class ChannelLockList : public ListClass {
  VG_CLASS()

 public:
  explicit ChannelLockList(XObject* link = nullptr);

  int32_t GetItemsNum() override;

  // OK on a row: locks or unlocks its channel.
  void DoChannelLock(XObject* sender);
  void LockAllChannels(bool lock);
};

class ManualChannelList : public ListClass {
  VG_CLASS()

 public:
  explicit ManualChannelList(XObject* link = nullptr);

  // The scan's news keeps the channel; a channel set starts afresh.
  bool KeepsTheEntry() override { return true; }

  // The RF channel to list: its channels from the last scan.
  void OnSetPhysicalChannel(int32_t channel);
  int32_t OnGetPhysicalChannel() const { return PhysicalChannel; }
  // The scan of the RF channel found more: the rows follow the table.
  void LoadScanedChannels();

  int32_t PhysicalChannel = 0;

 private:
  void ShowChannels(int32_t count);
};

}  // namespace ListForm
