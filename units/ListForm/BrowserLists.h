// The channel browser's strips: six tiles across the bottom of the screen,
// moved with LEFT and RIGHT. ListForm::CBListClass tunes the focused tile
// after a pause of 300 ms while the model's Navigation setting is on, or on
// OK while it is off, and then asks the screen to update its banner
// (OnUpdateBanner). ListForm::CBFavoritesList holds a favourites ring,
// ListForm::CBHistoryList what the viewer watched (the model's history),
// ListForm::CBInputList the set's inputs, ListForm::CBChannelList the
// channels of the guide ring and ListForm::CBCECList the HDMI-CEC devices.
#pragma once

#include <cstdint>

#include "ListForm/ListClass.h"
#include "ListForm/ListItem.h"
#include "ListForm/RestTimer.h"
#include "SkinBin/CBFocusFrame.h"
#include "Views/Border.h"
#include "Views/Image.h"
#include "Views/Text.h"
#include "vgslot.h"

namespace ListForm {

class CBListCourier : public ListCourier {
  VG_CLASS()

 public:
  explicit CBListCourier(XObject* link = nullptr) : ListCourier(link) {}

  VgStr LabelText;
  int32_t SourceType = 0;
  int32_t SourceId = 0;
};

class CBChannelListCourier : public CBListCourier {
  VG_CLASS()

 public:
  explicit CBChannelListCourier(XObject* link = nullptr) : CBListCourier(link) {}

  uint8_t IsDigital = 0;
  int32_t MajorNumber = -2;
  int32_t MinorNumber = -2;
};

class CBFavHistoryListCourier : public CBListCourier {
  VG_CLASS()

 public:
  explicit CBFavHistoryListCourier(XObject* link = nullptr) : CBListCourier(link) {}

  uint8_t IsDigital = 0;
  uint8_t IsCecDevice = 0;
  uint8_t CecAddress = 0;
  int32_t MajorNumber = -2;
  int32_t MinorNumber = -2;
};

class CBCECListCourier : public CBListCourier {
  VG_CLASS()

 public:
  explicit CBCECListCourier(XObject* link = nullptr) : CBListCourier(link) {}

  uint8_t CecAddress = 0;
};

class CBInputListCourier : public CBListCourier {
  VG_CLASS()

 public:
  explicit CBInputListCourier(XObject* link = nullptr) : CBListCourier(link) {}
};

// The tile: the source's icon, the tile's text (a channel number or an input
// name) and its label below.
class CBListItem : public ListItem {
  VG_CLASS()

 public:
  explicit CBListItem(XObject* link = nullptr);

  XObject* SetData(XObject* data) override;
  XObject* GetData(XObject* data) override;
  void Refresh(XObject* sender = nullptr) override;

  void OnSetLabelText(VgString value);
  VgString OnGetLabelText() const { return LabelText; }
  void OnSetNameText(VgString value);
  VgString OnGetNameText() const { return NameText; }
  // The icon follows the source type.
  void OnSetSourceType(int32_t value);
  int32_t OnGetSourceType() const { return SourceType; }

  Views::Image sourceIcon{this};
  Views::Text labelView{this};
  Views::Text nameView{this};
  VgStr LabelText;
  int32_t SourceType = 0;
  VgStr NameText;
  int32_t SourceId = 0;
};

class CBChannelListItem : public CBListItem {
  VG_CLASS()

 public:
  explicit CBChannelListItem(XObject* link = nullptr) : CBListItem(link) {}

  // The tile's text is the channel number.
  XObject* SetData(XObject* data) override;
  XObject* GetData(XObject* data) override;

  uint8_t IsDigital = 0;
  int32_t MajorNumber = -2;
  int32_t MinorNumber = -2;
};

// A favourite or a history entry: a channel, an input or an HDMI-CEC device.
class CBFavHistoryListItem : public CBListItem {
  VG_CLASS()

 public:
  explicit CBFavHistoryListItem(XObject* link = nullptr);

  // A tuner's tile shows the channel number.
  XObject* SetData(XObject* data) override;
  XObject* GetData(XObject* data) override;

  uint8_t IsDigital = 0;
  uint8_t IsCecDevice = 0;
  uint8_t CecAddress = 0;
  int32_t MajorNumber = -2;
  int32_t MinorNumber = -2;
};

class CBCECListItem : public CBListItem {
  VG_CLASS()

 public:
  explicit CBCECListItem(XObject* link = nullptr) : CBListItem(link) {}

  XObject* SetData(XObject* data) override;
  XObject* GetData(XObject* data) override;

  uint8_t CecAddress = 0;
};

class CBInputListItem : public CBListItem {
  VG_CLASS()

 public:
  explicit CBInputListItem(XObject* link = nullptr);

  XObject* GetData(XObject* data) override;
};

class CBListClass : public ListClass {
  VG_CLASS()

 public:
  explicit CBListClass(XObject* link = nullptr);

  // The pause after the last move before the focused tile is tuned.
  static constexpr int32_t TuneDelayMs = 300;

  // Wires the tuning to the Navigation setting as it is now, the tiles too,
  // then fills the strip.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // Every tile draws the one focus frame.
  void InitializeItems() override;

  // The focus slot in navigation mode: the pause starts again.
  void DoFocus(XObject* sender = nullptr);
  // Tunes the focused tile; the base only asks for the banner.
  virtual void TuneAction(XObject* sender = nullptr);
  // Whether an input is locked: a locked input of the browser shows message
  // 23 and is not switched to. Tuners are never locked.
  bool IsInputLock(int32_t sourceType);

  VgSlot OnGetOnUpdateBanner() const { return OnUpdateBanner; }
  void OnSetOnUpdateBanner(VgSlot slot) { OnUpdateBanner = slot; }

  SkinBin::CBFocusFrame focusFrame{this};
  VgSlot OnUpdateBanner;
  RestTimer tuneTimer{this};

 protected:
  explicit CBListClass(const ListDef& def, XObject* link = nullptr);
  // The focused tile, null without one.
  CBListItem* FocusedTile() const;
  // Tunes a favourite or history tile: a tuner's channel unless it is on
  // the air, else the input (its device first) unless it is locked. True
  // when the input was switched.
  bool TuneFavHistoryTile(CBFavHistoryListItem* tile);
};

class CBFavoritesList : public CBListClass {
  VG_CLASS()

 public:
  explicit CBFavoritesList(XObject* link = nullptr);

  // Loads the ring the browser chose: further rings 2 and 3 for the
  // browser kinds 5 and 6, else ring 1.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  int32_t GetItemsNum() override;
  int32_t GetFocusItemIndex() override;
  void TuneAction(XObject* sender = nullptr) override;
  // Green adds the channel on the air to the ring, red takes the focused
  // tile's channel out of it; the grid page and F keys step right.
  XObject* HandleEvent(Core::Event* event) override;
  // Reads the ring again and focuses what the set shows.
  void RefreshFavList();

  // The hint of the green and red keys at the strip's right end, hidden.
  Views::Border hintBorder{this};
  Views::Text holdText{this};
  Views::Text addText{this};
  Views::Text deleteText{this};
  Views::Image addImage{this};
  Views::Image deleteImage{this};
  uint8_t FavoriteRing = 1;
};

class CBHistoryList : public CBListClass {
  VG_CLASS()

 public:
  explicit CBHistoryList(XObject* link = nullptr);

  // Each opening adds what the set shows to the history first.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  int32_t GetItemsNum() override;
  int32_t GetFocusItemIndex() override;
  void TuneAction(XObject* sender = nullptr) override;
};

class CBCECList : public CBListClass {
  VG_CLASS()

 public:
  explicit CBCECList(XObject* link = nullptr);

  // Reads the devices afresh first.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  int32_t GetItemsNum() override;
  // The model marks no device as the selected one: the first is focused.
  // Selects the tile's device and switches to its input unless locked.
  void TuneAction(XObject* sender = nullptr) override;
};

class CBInputList : public CBListClass {
  VG_CLASS()

 public:
  explicit CBInputList(XObject* link = nullptr);

  int32_t GetItemsNum() override;
  int32_t GetFocusItemIndex() override;
  // Switches to the tile's input unless it is showing or locked.
  void TuneAction(XObject* sender = nullptr) override;
};

class CBChannelList : public CBListClass {
  VG_CLASS()

 public:
  explicit CBChannelList(XObject* link = nullptr);

  // Loads the guide's channels first.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  int32_t GetItemsNum() override;
  int32_t GetFocusItemIndex() override;
  // Tunes the tile's channel unless it is on the air.
  void TuneAction(XObject* sender = nullptr) override;
};

}  // namespace ListForm
