// Record::RecordPlaybackFullScreenDialog plays one recorded show over the
// whole screen. The transport keys drive the playback and show the banner,
// Record::PlaybackFullScreenBanner (file name and size, play status, repeat
// mode), for 8 s; pause keeps it up. Left and right step to the previous and
// next show of the medium; at the end of a show the repeat mode plays the
// next one, the same one again, or returns to the library, which then
// focuses the show last played.
#pragma once

#include <cstdint>

#include "Core/Timer.h"
#include "NonMenuSystem/WidgetClass.h"
#include "Primitives/KeyRoutingForm.h"
#include "Record/RecordPlayback.h"
#include "Views/Frame.h"
#include "Views/Image.h"
#include "Views/Text.h"
#include "vgpoint.h"

namespace Record {

class PlaybackFullScreenBanner : public Primitives::KeyRoutingForm {
  VG_CLASS()

 public:
  explicit PlaybackFullScreenBanner(XObject* link = nullptr);

  static constexpr int32_t TimeOut = 6000;

  // Fills the file texts and the repeat mode from the dialog it opens on.
  void Open(XObject* sender = nullptr) override;
  // The medium of the playback it opens on.
  VgString MediumShown() const override;

  // The file name and size of the dialog's show.
  void ShowFile();
  // A new time-out, counted from now.
  void ChangeTimeOut(int32_t ms);
  // The time-out hides the banner.
  void Exit(XObject* sender = nullptr);
  void StatusCheckSlot(XObject* sender = nullptr);

  void OnSetRepeatMode(int32_t value);
  int32_t OnGetRepeatMode() const { return RepeatMode; }
  VgPoint OnGetWidgetOrigin() const { return WidgetOrigin; }
  void OnSetWidgetOrigin(VgPoint value) { WidgetOrigin = value; }

  int32_t RepeatMode = -1;
  VgPoint WidgetOrigin{80, 380};

  Views::Frame frame{this};
  Views::Text fileName{this};
  Views::Text fileSize{this};
  PlayStatus status{this};
  Views::Image repeatImage{this};
  Core::Timer statusTimer{this};
};

class RecordPlaybackFullScreenDialog : public NonMenuSystem::WidgetClass, public ListForm::GoesBackOnAnEntry {
  VG_CLASS()

 public:
  explicit RecordPlaybackFullScreenDialog(XObject* link = nullptr);

  // Overridden slots.
  XObject* HandleEvent(Core::Event* event) override;
  bool FollowsTheWorld(Core::Event* event) const override { return ConcernsThePlayback(event); }
  VgString MediumShown() const override { return Medium; }
  bool ClosesOnTheEvent(Core::Event* event) const override { return IsMediumRemoval(event, Medium); }
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // Plays the show, from where the viewer left it unless told otherwise.
  void Open(XObject* sender = nullptr) override;
  void Close(XObject* sender = nullptr) override;
  void HandleMessage(Structures::Message* message) override;
  // Back to the library, on the show last played.
  void EnterPrevState() override;
  void EnterPrevStateSlot(XObject* sender = nullptr);

  // The previous or next show of the medium, round from either end; needs
  // two shows at least.
  void SkipPlayback(bool forward);

  // ListForm::GoesBackOnAnEntry: the show that plays, in the library.
  const VgClass* ListGoneBackTo() const override { return &ListForm::RecordPlaybackList::Class; }
  VgString EntryGoneBackTo() const override { return Show.Id ? ListForm::RecordingKey(*Show.Id) : nullptr; }

  // The show that plays.
  PlayedShow Show;
  const VgClass* LibraryBack = nullptr;
  VgStr FileName;
  VgStr Medium;
  VgPtr<PlaybackFullScreenBanner> banner;

 private:
  // The show was played as the screen first opened.
  bool started_ = false;
  bool TakeKey(uint16_t code);
  void PlayEntry(int32_t fromMs);
  void ShowBanner(int32_t ms);
  void EndOfShow();
};

}  // namespace Record
