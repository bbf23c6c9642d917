// ListForm::EPGChannelList: the channel column of the full programme guide:
// the channels of the guide's channel ring with number, name and logo. Where
// the viewer rests for half a second the list tunes that channel, or, in the
// guide's browse mode (or with the guide's tuning mode off), only tells the
// guide form through OnFocusChanged and the shared channel record, and the
// form loads that channel's programmes.
//
// Every change the list starts sets its busy flag; until the form ends it
// (EndBusy) the step and page keys only reach the form (through FocusMove),
// so the column cannot run ahead of the guide. The form ends it once the
// change has ended, also when a tune fails; a change that nothing ends is
// ended after BusyTimeOut, so a tune never answered cannot leave the column
// dead.
#pragma once

#include <cstdint>

#include "ListForm/ListClass.h"
#include "ListForm/ListItem.h"
#include "ListForm/RestTimer.h"
#include "Media/ScalableImage.h"
#include "Structures/Channels.h"
#include "Views/Image.h"
#include "Views/Text.h"
#include "vgslot.h"

namespace ListForm {

// Text is the channel's name.
class EPGChannelCourier : public ListCourier {
  VG_CLASS()

 public:
  explicit EPGChannelCourier(XObject* link = nullptr) : ListCourier(link) {}
  uint8_t IsDigital = 0;
  int32_t ChannelMajor = 0;
  int32_t ChannelMinor = 0;
  int32_t LogoIndex = 0;
};

// The name, the number and the logo; an arrow while the row has the focus. The
// row of the channel shown keeps its look while the column is not focused.
class EPGChannelItem : public ListItem {
  VG_CLASS()

 public:
  explicit EPGChannelItem(XObject* link = nullptr);

  void HandleFocus(bool focused) override;
  XObject* SetData(XObject* data) override;
  XObject* GetData(XObject* data) override;
  void Refresh(XObject* sender = nullptr) override;

  // 0 shows no logo.
  void OnSetLogoIndex(int32_t value);
  int32_t OnGetLogoIndex() const { return LogoIndex; }

  int32_t ChannelMajor = 0;
  int32_t ChannelMinor = 0;
  bool IsDigital = true;
  int32_t LogoIndex = 0;
  Views::Text numberText{this};
  Media::ScalableImage logo{this};
  Views::Image rightArrow{this};

 private:
  void PlaceCaption();
};

class EPGChannelList : public ListClass {
  VG_CLASS()

 public:
  explicit EPGChannelList(XObject* link = nullptr);

  // While busy, the step and page keys go to the form instead.
  XObject* HandleEvent(Core::Event* event) override;
  // Reloads the guide's channel ring.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // The channel on air.
  int32_t GetFocusItemIndex() override;
  int32_t GetItemsNum() override;

  void DoFocus(XObject* sender);
  // The change is over: the keys are the column's again, the circle goes.
  void EndBusy(XObject* sender = nullptr);
  // The pause ended: tunes the channel, or reports it in browse mode.
  void TuneToChannel(XObject* sender = nullptr);

  bool OnGetIsBrowse() const { return IsBrowse; }
  void OnSetIsBrowse(bool value) { IsBrowse = value; }
  bool OnGetIsBusy() const { return IsBusy; }
  void OnSetIsBusy(bool value) { IsBusy = value; }
  Structures::VirtualChannel* OnGetFocusedChannel() const { return FocusedChannel; }
  void OnSetFocusedChannel(Structures::VirtualChannel* value) { FocusedChannel = value; }
  VgSlot OnGetOnFocusChanged() const { return OnFocusChanged; }
  void OnSetOnFocusChanged(VgSlot value) { OnFocusChanged = value; }

  static constexpr int32_t BusyTimeOut = 5000;

  RestTimer tuneTimer{this};
  RestTimer busyGuard{this};
  // Signalled with the list when the channel changes in browse mode.
  VgSlot OnFocusChanged;
  // Set by the form: resting on a channel reports it instead of tuning.
  bool IsBrowse = false;
  // Set by every change the list starts, cleared by the form.
  bool IsBusy = false;
  // The channel whose programmes the guide shows, the form's.
  VgPtr<Structures::VirtualChannel> FocusedChannel;

 private:
  void StartBusy();
  // 1 shows the circle of the guide the list is in, 0 removes it.
  void WaitingCircle(int32_t mode);
};

}  // namespace ListForm
