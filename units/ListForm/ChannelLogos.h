// The channel logos: ListForm::ChannelLogoSettingList lists the channels
// with the logo each has (in the logo setting dialog); OK on one opens the
// logo panel, whose ListForm::ChannelLogoGridView shows the 58 logos in pages
// of 8 x 5. OK on a logo closes the panel and answers MSG_SET_CHANNEL_LOGO
// with the logo's picture index, which the setting list, still open below,
// gives the focused channel; the delete-logo confirmation's MSG_DELETE_ITEM
// (kind DELETE_CHANNEL_LOGO) takes the logo away.
//
// A channel's logo index is 0 for none, else the picture index + 1.
#pragma once

#include <cstdint>

#include "ListForm/GridView.h"
#include "ListForm/ListClass.h"
#include "ListForm/ListItem.h"
#include "Media/ScalableImage.h"
#include "SkinBin/FocusFrame.h"
#include "Views/Rectangle.h"
#include "Views/Text.h"

namespace ListForm {

class ChannelLogoCourier : public ListCourier {
  VG_CLASS()

 public:
  explicit ChannelLogoCourier(XObject* link = nullptr) : ListCourier(link) {}
  VgPtr<Resources::Bitmap> Bitmap;
};

// A logo centred in its cell, shrunk to fit; the grid's focus frame marks the
// focused cell, the button's own looks are hidden.
class ChannelLogoItem : public ListItem {
  VG_CLASS()

 public:
  explicit ChannelLogoItem(XObject* link = nullptr);

  XObject* SetData(XObject* data) override;
  XObject* GetData(XObject* data) override;
  void Refresh(XObject* sender = nullptr) override;

  void OnSetBitmap(Resources::Bitmap* value);
  Resources::Bitmap* OnGetBitmap() const { return Bitmap; }

  VgPtr<Resources::Bitmap> Bitmap;
  Views::Rectangle plate{this};
  Media::ScalableImage logo{this};
};

class ChannelLogoGridView : public GridView {
  VG_CLASS()

 public:
  explicit ChannelLogoGridView(XObject* link = nullptr);

  // Every logo, from the first.
  static constexpr int32_t Logos = 58;

  // Shows the logos from the first page on, the first one focused.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // OK on a cell: closes the panel and announces the logo.
  void DoActivate(XObject* sender);

  SkinBin::FocusFrame focusFrame{this};
};

// Text is the channel's name.
class ChannelLogoSettingCourier : public ListCourier {
  VG_CLASS()

 public:
  explicit ChannelLogoSettingCourier(XObject* link = nullptr) : ListCourier(link) {}
  uint8_t IsDigital = 0;
  int32_t ChannelMajor = 0;
  int32_t ChannelMinor = 0;
  int32_t LogoIndex = 0;
};

// The channel's name, its number and its logo.
class ChannelLogoSettingItem : public ListItem {
  VG_CLASS()

 public:
  explicit ChannelLogoSettingItem(XObject* link = nullptr);

  XObject* SetData(XObject* data) override;
  XObject* GetData(XObject* data) override;
  void Refresh(XObject* sender = nullptr) override;

  // 0 clears the logo.
  void OnSetLogoIndex(int32_t value);
  int32_t OnGetLogoIndex() const { return LogoIndex; }

  int32_t ChannelMajor = 0;
  int32_t ChannelMinor = 0;
  int32_t LogoIndex = 0;
  Views::Text numberText{this};
  Media::ScalableImage logo{this};
};

class ChannelLogoSettingList : public ListClass {
  VG_CLASS()

 public:
  explicit ChannelLogoSettingList(XObject* link = nullptr);

  // A logo chosen or taken away for the focused channel.
  void HandleMessage(Structures::Message* message) override;
  int32_t GetItemsNum() override;

  // OK on a row: the logo panel over the dialog.
  void DoChannelLogoSetting(XObject* sender);
};

}  // namespace ListForm
