// The channel screens that hold one list of the channel map:
//   - ManualTuningDialog: an RF channel chosen with LEFT and RIGHT within
//     the medium's range, the channels last found there, and OK scanning it
//     again;
//   - ChannelOptionDialog and ChannelLockDialog: the favourites ring and the
//     locks channel by channel, with two buttons for all channels (RIGHT
//     reaches them from the list, LEFT goes back);
//   - ChannelLogoSettingDialog and the ChannelLogoPanel over it: the logo of
//     each channel; the red key asks whether to take the logo away.
// The lists do the channel work themselves.
#pragma once

#include <cstdint>

#include "Button/Button.h"
#include "ListForm/ChannelLists.h"
#include "ListForm/ChannelLogos.h"
#include "NonMenuSystem/ListHost.h"
#include "NonMenuSystem/QORWidgetClass.h"
#include "Views/Text.h"

namespace Channels {

class ManualTuningDialog : public NonMenuSystem::ListHost<ListForm::ManualChannelList, NonMenuSystem::QORWidgetClass> {
  VG_CLASS()

 public:
  explicit ManualTuningDialog(XObject* link = nullptr);

  // Starts on the RF channel on air, within the medium's range.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // LEFT, RIGHT and OK are the dialog's before the list sees them.
  XObject* DispatchEvent(Core::Event* event) override;
  // The answer of the scan of the RF channel, under any screen that has the
  // keys.
  XObject* HandleEvent(Core::Event* event) override;
  bool FollowsTheWorld(Core::Event* event) const override;
  void Close(XObject* sender = nullptr) override;

  // Clamped into the range; the list follows.
  void OnSetRFChannel(int32_t value);
  int32_t OnGetRFChannel() const { return RFChannel; }
  int32_t OnGetRangeMax() const { return RangeMax; }
  void OnSetRangeMax(int32_t value) { RangeMax = value; }
  int32_t OnGetRangeMin() const { return RangeMin; }
  void OnSetRangeMin(int32_t value) { RangeMin = value; }

  int32_t RFChannel = 0;
  int32_t RangeMin = 2;
  int32_t RangeMax = 69;
  bool Scanning = false;
  Views::Text rfText{this};

 private:
  void StartScan();
  void EndScan();
};

// A channel list with a button for all channels and one for none beside it.
template <class List>
class ChannelButtonsDialog : public NonMenuSystem::ListHost<List, NonMenuSystem::QORWidgetClass> {
 public:
  explicit ChannelButtonsDialog(XObject* link = nullptr);

  XObject* DispatchEvent(Core::Event* event) override;
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;

  // What the buttons do: every channel on (true) or off.
  virtual void ApplyAll(bool on) = 0;
  void OnAll(XObject* sender = nullptr);
  void OnNone(XObject* sender = nullptr);

  Button::Button allButton{this};
  Button::Button noneButton{this};
};

class ChannelOptionDialog : public ChannelButtonsDialog<ListForm::ChannelOptionList> {
  VG_CLASS()

 public:
  explicit ChannelOptionDialog(XObject* link = nullptr);

  void ApplyAll(bool on) override;
};

class ChannelLockDialog : public ChannelButtonsDialog<ListForm::ChannelLockList> {
  VG_CLASS()

 public:
  explicit ChannelLockDialog(XObject* link = nullptr);

  void ApplyAll(bool on) override;
};

class ChannelLogoSettingDialog
    : public NonMenuSystem::ListHost<ListForm::ChannelLogoSettingList, NonMenuSystem::QORWidgetClass> {
  VG_CLASS()

 public:
  explicit ChannelLogoSettingDialog(XObject* link = nullptr);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // Red: the confirmation that takes the focused channel's logo away.
  XObject* HandleEvent(Core::Event* event) override;
};

class ChannelLogoPanel : public NonMenuSystem::ListHost<ListForm::ChannelLogoGridView, NonMenuSystem::QORWidgetClass> {
  VG_CLASS()

 public:
  explicit ChannelLogoPanel(XObject* link = nullptr);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
};

}  // namespace Channels
