// The channel browser's strips: six tiles across the bottom of the screen,
// moved with LEFT and RIGHT. ListForm::CBListClass tunes the focused tile
// after a pause of 300 ms while the model's Navigation setting is on, or on
// OK while it is off, and then asks the screen to update its banner
// (OnUpdateBanner). ListForm::CBInputList holds the set's inputs and
// ListForm::CBChannelList the channels of the guide ring.
#pragma once

#include <cstdint>

#include "ListForm/ListClass.h"
#include "ListForm/ListItem.h"
#include "ListForm/RestTimer.h"
#include "SkinBin/CBFocusFrame.h"
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
