// Record::ScheduledRecordDialog: the full-screen list of recording schedules
// still to come, under a banner of the input, channel and clock on air, with
// the focused schedule's details below the list. The red key deletes the
// focused schedule after the confirmation (never one that records now); the
// info key toggles the schedule's programme information
// (Record::ScheduledRecordInfo) and the blue key the last three recordings
// (Record::Last3RecordShowsDialog); the volume and mute keys show their level
// over the banner. OK on a row is the list's: it opens the row's timer.
//
// Record::ScheduledRecordInfo: the programme information of a schedule, a
// pop-up over the schedules that reads the model's schedule list; it closes
// after 6000 ms.
//
// Record::Last3RecordShowsDialog: the quick list of the last three
// recordings over the schedules; it takes no key and closes after 6000 ms.
#pragma once

#include <cstdint>

#include "Core/Timer.h"
#include "ListForm/RecordedShowsList.h"
#include "ListForm/TimerLists.h"
#include "NonMenuSystem/WidgetClass.h"
#include "Primitives/KeyRoutingForm.h"
#include "Record/RecordPieces.h"
#include "Record/RecordShowPanels.h"
#include "Views/Frame.h"
#include "Views/Image.h"
#include "Views/Line.h"
#include "Views/Rectangle.h"
#include "Views/Text.h"
#include "vgpoint.h"

namespace Record {

// What the details of a schedule read.
// Start early of 1-10 minutes: "5 min. Early"; on time "On Time"; else empty.
VgString StartEarlyText(int32_t seconds);
// End delay of 1-60 minutes: "60 min. Delay"; on time "On Time"; else empty.
VgString EndDelayText(int32_t seconds);
// The timer that made it: "Timer", "Guide", or empty.
VgString RecordingMethodText(int32_t sourceType);
// "Sunday Dec 06, 2026 at 03:30PM - 05:00PM": the repetition, then the span;
// a repetition the set does not know leaves the text starting with " at ".
VgString ScheduleTimeText(int32_t timesType, const Structures::LocalTime* start, int32_t seconds);

class ScheduledRecordInfo : public RecordShowInfo {
  VG_CLASS()

 public:
  explicit ScheduledRecordInfo(XObject* link = nullptr);

  void Exit(XObject* sender = nullptr) override;
  // The schedule at EntryIndex of the model's schedule list.
  SkinBin::RecordData* Entry() override;

  int32_t EntryIndex = 0;
};

class Last3RecordShowsDialog : public Primitives::KeyRoutingForm {
  VG_CLASS()

 public:
  explicit Last3RecordShowsDialog(XObject* link = nullptr);

  static constexpr int32_t TimeOut = 6000;
  static constexpr int32_t HeadingCount = 6;

  // Overridden slots.
  // Loads the latest recordings as it opens.
  void Open(XObject* sender = nullptr) override;

  // The time-out: the schedules forget the pop-up, which closes.
  void Exit(XObject* sender = nullptr);

  VgPoint OnGetWidgetOrigin() const { return WidgetOrigin; }
  void OnSetWidgetOrigin(VgPoint value) { WidgetOrigin = value; }
  VgPoint WidgetOrigin{10, 334};

  Views::Rectangle fill{this};
  Views::Frame background{this};
  Views::Frame captionFrame{this};
  Views::Text caption{this};
  Views::Line separator{this};
  Views::Text headings[HeadingCount] = {Views::Text{this}, Views::Text{this}, Views::Text{this},
                                        Views::Text{this}, Views::Text{this}, Views::Text{this}};
  ListForm::Last5RecordedShowsList RecentList{this};
};

class ScheduledRecordDialog : public NonMenuSystem::WidgetClass {
  VG_CLASS()

 public:
  explicit ScheduledRecordDialog(XObject* link = nullptr);

  static constexpr int32_t TimeOut = 60000;
  static constexpr int32_t HeadingCount = 6;
  static constexpr int32_t InfoCount = 6;
  static constexpr int32_t HelpCount = 7;

  // Overridden slots.
  // A recording that starts or ends changes its row's state and the clock,
  // under any screen that has the keys.
  XObject* HandleEvent(Core::Event* event) override;
  bool FollowsTheWorld(Core::Event* event) const override;
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // Closes the pop-ups with the screen.
  void Close(XObject* sender = nullptr) override;
  // The list hears every message first; a Yes of the delete confirmation
  // deletes the schedule that was asked about.
  void HandleMessage(Structures::Message* message) override;
  void ShowHelpLine(bool shown) override { ShowHelpViews(helpIcons, helpLabels, shown); }
  VgRect OwnHelpLine() const override { return HelpViewsPlace(helpIcons, helpLabels); }

  // The list's OnProgramChanged: the focused schedule into the details.
  void UpdateRecordInfo(XObject* sender = nullptr);
  void ClearVolume(XObject* sender = nullptr);

  // The pop-ups, null while closed.
  VgPtr<Primitives::KeyRoutingForm> InfoForm;
  VgPtr<Last3RecordShowsDialog> HistoryPopup;

  Views::Frame inputFrame{this};
  Views::Frame channelFrame{this};
  Views::Frame clockFrame{this};
  Views::Image inputImage{this};
  Views::Text inputText{this};
  Views::Image logo{this};
  Views::Text channelNumber{this};
  Views::Text channelName{this};
  Views::Text clock{this};
  Views::Text heading{this};
  Views::Text headings[HeadingCount] = {Views::Text{this}, Views::Text{this}, Views::Text{this},
                                        Views::Text{this}, Views::Text{this}, Views::Text{this}};
  Views::Line separator{this};
  ListForm::ScheduledRecordList ScheduleList{this};
  Views::Text infoLabels[InfoCount] = {Views::Text{this}, Views::Text{this}, Views::Text{this},
                                       Views::Text{this}, Views::Text{this}, Views::Text{this}};
  Views::Text infoValues[InfoCount] = {Views::Text{this}, Views::Text{this}, Views::Text{this},
                                       Views::Text{this}, Views::Text{this}, Views::Text{this}};
  Views::Image helpIcons[HelpCount] = {Views::Image{this}, Views::Image{this}, Views::Image{this}, Views::Image{this},
                                       Views::Image{this}, Views::Image{this}, Views::Image{this}};
  Views::Text helpLabels[HelpCount] = {Views::Text{this}, Views::Text{this}, Views::Text{this}, Views::Text{this},
                                       Views::Text{this}, Views::Text{this}, Views::Text{this}};
  Views::Text VolumeText{this};
  Core::Timer VolumeTimer{this};

  // The schedule the delete confirmation asks about: its timer and its row.
  int32_t DeletingTimerId = -1;
  int32_t DeletingScheduleId = -1;

 private:
  BannerViews Banner();
  ListForm::ScheduledRecordListItem* FocusedRow();
  void AskDelete();
  void DeleteAsked();
  // With no timer left the panel tells of none: not even whether one is on.
  void ForgetTimer();
  void ToggleInfo();
  void ToggleHistory();
  void CloseInfo();
  void CloseHistory();
};

}  // namespace Record
