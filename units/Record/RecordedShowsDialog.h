// Record::RecordedShowsDialog: the recorded shows of the record menu, one row
// each, under a banner of the input, channel and clock on air, with the
// guide information of the focused show below the list. The red key deletes
// the focused show after the confirmation; 58 and 59 page its description;
// the volume and mute keys show their level over the banner. The shows are
// the USB disk's: the screen leaves with the disk, and says so, whoever has
// the keys (OnTheDisk).
#pragma once

#include <cstdint>
#include <optional>

#include "Core/Timer.h"
#include "ListForm/RecordedShowsList.h"
#include "NonMenuSystem/WidgetClass.h"
#include "Record/OnTheDisk.h"
#include "Record/RecordPieces.h"
#include "Record/RecordShowPanels.h"
#include "Views/Frame.h"
#include "Views/Image.h"
#include "Views/Line.h"
#include "Views/Text.h"

namespace Record {

class RecordedShowsDialog : public OnTheDisk<NonMenuSystem::WidgetClass> {
  VG_CLASS()

 public:
  explicit RecordedShowsDialog(XObject* link = nullptr);

  static constexpr int32_t TimeOut = 60000;
  static constexpr int32_t HeadingCount = 6;

  // Overridden slots.
  XObject* HandleEvent(Core::Event* event) override;
  bool FollowsTheWorld(Core::Event* event) const override;
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Close(XObject* sender = nullptr) override;
  // A Yes of the delete confirmation deletes the show it asked about, while
  // that show is still listed.
  void HandleMessage(Structures::Message* message) override;
  void ShowHelpLine(bool shown) override { ShowHelpViews(info.helpIcons, info.helpLabels, shown); }
  VgRect OwnHelpLine() const override {
    return VgMoveRectPos(HelpViewsPlace(info.helpIcons, info.helpLabels), {info.Bounds.x1, info.Bounds.y1});
  }

  void UpdateBanner();
  // The list's OnProgramChanged: the focused show into the panel.
  void UpdateEPGInfo(XObject* sender = nullptr);
  void ClearVolume(XObject* sender = nullptr);

  Views::Frame inputFrame{this};
  Views::Frame channelFrame{this};
  Views::Frame clockFrame{this};
  ListForm::RecordedShowsList list{this};
  Views::Text channelNumber{this};
  Views::Text channelName{this};
  Views::Text clock{this};
  EPGInfoForm info{this};
  Views::Line separator{this};
  Views::Text headings[HeadingCount] = {Views::Text{this}, Views::Text{this}, Views::Text{this},
                                        Views::Text{this}, Views::Text{this}, Views::Text{this}};
  Views::Text inputText{this};
  Views::Text volume{this};
  Core::Timer volumeTimer{this};
  Views::Image inputImage{this};
  Views::Image logo{this};

 private:
  BannerViews Banner();
  // What the screen does with a key the list left; false leaves it to the base.
  bool TakeKey(uint16_t code, Core::Event* event);
  // RED: asks whether to delete the focused show, noting which it is (the
  // list may be read again under the question, and its row then names
  // another show).
  void AskDelete();
  void DeleteAskedShow();
  ListForm::RecordedShowsListItem* FocusedShow();

 public:
  // The show the delete question asks about, by its record id.
  std::optional<int32_t> DeletingId;
};

}  // namespace Record
