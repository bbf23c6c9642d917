// The library of the recordings on a USB medium and the choice before full
// screen playback:
//
//   Record::RecordPlaybackDialog   the recorded shows of the medium with a
//                                  live preview of the focused one, its file
//                                  name, size and place, the sort, a clock and
//                                  the play status; OK plays it full screen
//                                  (Record::RecordPlaybackFullScreenDialog),
//                                  after Record::PlayOptionsDialog when the
//                                  show was stopped part way; red deletes it
//                                  with its index file, green renames it.
//   Record::PlayStatus             the play state's icon and rate, elapsed and
//                                  total time and the progress bar, which the
//                                  library and the full-screen banner share.
//
// The medium string is the mount string the media device selection chose;
// GetUsbPath (RecordPieces.h) turns it into the folder of the recordings.
#pragma once

#include <cstdint>
#include <optional>

#include "Core/Group.h"
#include "Core/Timer.h"
#include "ListForm/ListOwners.h"
#include "ListForm/RecordPlaybackList.h"
#include "NonMenuSystem/QORWidgetClass.h"
#include "NonMenuSystem/WidgetClass.h"
#include "Record/RecordPieces.h"
#include "Record/TimerRules.h"
#include "SkinBin/Button.h"
#include "SkinBin/ProgressQOR.h"
#include "Views/Frame.h"
#include "Views/Image.h"
#include "Views/Rectangle.h"
#include "Views/Text.h"

namespace NonMenuSystem {
class DirectMessageBar;
}
namespace SkinBin {
class RecordPlaybackData;
class RecordPlaybackStatus;
}

namespace Record {

class RecordShowInfo;

// A show of the medium's recordings as the play options and the full-screen
// player hold on to it while the library is closed: by its record id, since
// the recorder adds shows to the list (newest first) meanwhile, and by its
// place, which names its neighbour once the show is gone. The library opened
// again is handed the place the show has then.
struct PlayedShow {
  // The show's place in the list when it was last looked for.
  int32_t Index = -1;
  std::optional<int32_t> Id;

  // The show at that place of the list as it is now.
  void Take(int32_t index);
  // Where the show stands now, the list read again first (in the library's
  // order) when readAgain is set; a show gone leaves its place, within the
  // list. -1 without shows.
  int32_t Find(bool readAgain);
  // The show's entry in the list; null when it is not listed.
  SkinBin::RecordPlaybackData* Entry() const;
};

class PlayStatus : public Core::Group {
  VG_CLASS()

 public:
  explicit PlayStatus(XObject* link = nullptr);

  static constexpr int32_t Width = 420;
  static constexpr int32_t Height = 56;

  // The state's icon (7 and above keep it); equal values change nothing.
  void OnSetPlayState(int32_t value);
  int32_t OnGetPlayState() const { return PlayState; }
  // The rate text of the steps 2-9, hidden otherwise.
  void OnSetPlayRate(int32_t value);
  int32_t OnGetPlayRate() const { return PlayRate; }
  // The model's status: state, rate and, while it plays, the times.
  void Show(const SkinBin::RecordPlaybackStatus* status);
  // Stopped: no progress, no time played.
  void ShowStopped();
  // No show to tell of: the times and the progress at nought.
  void ShowNone();
  // The transport keys: the state and rate they set, and the model's call
  // (Play leaves the call to the screen, which knows what to play).
  void Play();
  void Pause();
  void Stop();
  // A fast key's step, and the model's fast call.
  void Fast(FastDirection direction);

  int32_t PlayState = 2;
  int32_t PlayRate = 0;

  Views::Image stateImage{this};
  Views::Text rateText{this};
  Views::Text elapsedText{this};
  Views::Text totalText{this};
  SkinBin::ProgressQOR progress{this};
};

class RecordPlaybackDialog : public NonMenuSystem::WidgetClass, public ListForm::ItemOwner {
  VG_CLASS()

 public:
  explicit RecordPlaybackDialog(XObject* link = nullptr);

  // Overridden slots.
  XObject* HandleEvent(Core::Event* event) override;
  // The playback's news, and a recording starting or ending, which the
  // library lists as it comes.
  bool FollowsTheWorld(Core::Event* event) const override {
    return ConcernsThePlayback(event) || IsRecordingNews(event);
  }
  VgString MediumShown() const override { return Medium; }
  bool ClosesOnTheEvent(Core::Event* event) const override { return IsMediumRemoval(event, Medium); }
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Close(XObject* sender = nullptr) override;
  void HandleMessage(Structures::Message* message) override;
  void ShowHelpLine(bool shown) override { ShowHelpViews(helpIcons, helpLabels, shown); }
  VgRect OwnHelpLine() const override { return HelpViewsPlace(helpIcons, helpLabels); }
  // Back to the device selection, which shows the recordings again.
  void EnterPrevState() override;

  // ListForm::ItemOwner: OK on a row.
  void DoItemActivate(Forms::Ctrl* row) override;

  // The list's focus moved: file name, size and place of the focused show.
  void ShowFocusedInfo(XObject* sender = nullptr);
  // Reads the list afresh: on the row its opener named (the show a playback
  // went back on), else on the first row.
  void UpdateMediaList();
  // Reads the list again on the set's news of the shows, or after a
  // question or the keyboard about a show was answered: on the show it was
  // on, by its record id (ListBase::ReadAgain).
  void ReadMediaListAgain();
  void UpdateSortName();
  void StatusCheckSlot(XObject* sender = nullptr);
  void ClearVolume(XObject* sender = nullptr);
  void LaunchFullScreenPlayer(XObject* sender = nullptr);
  void LaunchPlayOptionsDialog(XObject* sender = nullptr);
  void UpdateProgramTitle(XObject* sender = nullptr);
  void RemoveWarningMessage(XObject* sender = nullptr);
  // A bar with the text over the library for two seconds, one at a time.
  void ShowWarningMessage(const VgConstant* text);
  // Leaves for good when the medium was taken out.
  void ExitByDeviceRemoved();

  void OnSetShowWaiting(int32_t value);
  int32_t OnGetShowWaiting() const { return ShowWaiting; }

  int32_t ShowWaiting = -1;
  VgStr Medium;
  VgStr ListPath;
  // 1-based row to focus when the list is next read afresh, as the opener
  // named it; -1 none.
  int32_t RowToFocus = -1;
  // The show the delete question asks about, by its record id: the list may
  // be read again under the question, and its row then names another show.
  std::optional<int32_t> DeletingId;
  // The show the rename keyboard types a title for, by its record id alike.
  std::optional<int32_t> RenamingId;
  VgPtr<NonMenuSystem::DirectMessageBar> warningBar;
  VgPtr<RecordShowInfo> infoPanel;

  Views::Image backgroundImage{this};
  Views::Image titleIcon{this};
  ListForm::RecordPlaybackList list{this};
  Views::Text clock{this};
  Views::Text fileName{this};
  Views::Text fileSize{this};
  Views::Text position{this};
  Views::Text sortText{this};
  Views::Frame previewFrame{this};
  Views::Rectangle previewArea{this};
  PlayStatus status{this};
  Views::Text volume{this};
  static constexpr int32_t HelpCount = 5;
  Views::Image helpIcons[HelpCount] = {Views::Image{this}, Views::Image{this}, Views::Image{this},
                                       Views::Image{this}, Views::Image{this}};
  Views::Text helpLabels[HelpCount] = {Views::Text{this}, Views::Text{this}, Views::Text{this},
                                       Views::Text{this}, Views::Text{this}};
  Core::Timer statusTimer{this};
  Core::Timer volumeTimer{this};

 private:
  // Fills the list from the disk, the focus as ListClass::Initialize puts it.
  void ReadMediaList();
  // The list shown or hidden by its count, the waiting circle gone, the
  // focused show's details.
  void MediaListRead();
  ListForm::RecordPlaybackListItem* FocusedRow();
  // The full-screen player or the play options, with what they return with.
  void OpenPlayer(const VgClass* screen);
  // RED: asks whether to delete the focused show, noting which it is.
  void AskDelete();
  // The question's Yes: deletes the show it asked about, if still listed.
  void DeleteAskedShow();
  void Rename(Structures::Message* message);
  SkinBin::RecordPlaybackData* StillListed(int32_t id, const char* what);
  void PlayFocused(int32_t fromMs);
  void Leave(bool back);
  void ToggleInfo();
  bool TakeKey(uint16_t code);
};

class PlayOptionsDialog : public NonMenuSystem::QORWidgetClass, public ListForm::GoesBackOnAnEntry {
  VG_CLASS()

 public:
  explicit PlayOptionsDialog(XObject* link = nullptr);

  static constexpr int32_t ButtonCount = 2;

  XObject* HandleEvent(Core::Event* event) override;
  bool FollowsTheWorld(Core::Event* event) const override { return ConcernsThePlayback(event); }
  VgString MediumShown() const override { return Medium; }
  bool ClosesOnTheEvent(Core::Event* event) const override { return IsMediumRemoval(event, Medium); }
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Refresh(XObject* sender = nullptr) override;
  // Back to the library, on the show it was opened for.
  void EnterPrevState() override;

  void DoActivate(XObject* sender);
  void LaunchFullScreenPlayer(XObject* sender = nullptr);
  void EnterPrevStateSlot(XObject* sender = nullptr);

  // ListForm::GoesBackOnAnEntry: the show the options are for.
  const VgClass* ListGoneBackTo() const override { return &ListForm::RecordPlaybackList::Class; }
  VgString EntryGoneBackTo() const override { return Show.Id ? ListForm::RecordingKey(*Show.Id) : nullptr; }

  // The show the options are for.
  PlayedShow Show;
  const VgClass* LibraryBack = nullptr;
  VgStr FileName;
  VgStr Medium;

  SkinBin::Button buttons[ButtonCount] = {SkinBin::Button{this}, SkinBin::Button{this}};
};

}  // namespace Record
