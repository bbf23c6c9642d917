// The media player's list dialogs: the background music of the slide show,
// the media servers registered with the set, and the media controllers that
// may play on it.
#pragma once

#include "ListForm/ListOwners.h"
#include "ListForm/MediaContentList.h"
#include "ListForm/MediaDeviceLists.h"
#include "MediaPlayer/MediaListDialog.h"

namespace MediaPlayer {

// A folder row browses into the folder (RETURN comes back up); a music row
// becomes the background music and the dialog goes back.
class SelectBGMusicDialog : public MediaListDialog, public ListForm::ItemOwner {
  VG_CLASS()

 public:
  explicit SelectBGMusicDialog(XObject* link = nullptr);

  // The folder's pages fill the list; the list's medium taken out closes it.
  XObject* HandleEvent(Core::Event* event) override;
  bool FollowsTheWorld(Core::Event* event) const override;
  // The medium the media library has open, whose music it lists.
  VgString MediumShown() const override;
  ListForm::ListBase* List() override { return &list; }
  void DoItemActivate(Forms::Ctrl* row) override;

  ListForm::BGMList list{this};

 private:
  bool waiting_ = false;
};

class MediaServerSetupDialog : public MediaListDialog {
  VG_CLASS()

 public:
  explicit MediaServerSetupDialog(XObject* link = nullptr);

  ListForm::ListBase* List() override { return &list; }
  void ReadContent() override;

  ListForm::MediaServerList list{this};
};

// The ticks the viewer gave go to the bridge when the dialog closes.
class SelectMediaControllerDialog : public MediaListDialog {
  VG_CLASS()

 public:
  explicit SelectMediaControllerDialog(XObject* link = nullptr);

  ListForm::ListBase* List() override { return &list; }
  void ReadContent() override;
  void Close(XObject* sender = nullptr) override;

  ListForm::MediaControllerList list{this};
};

}  // namespace MediaPlayer
