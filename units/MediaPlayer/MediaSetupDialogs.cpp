#include "MediaPlayer/MediaSetupDialogs.h"

#include "AppServices/MediaWrapper.h"
#include "Core/KeyEvent.h"
#include "Events/Events.h"
#include "ListForm/MediaListItem.h"
#include "Media/MediaEvents.h"
#include "Media/MediaWrapper.h"
#include "MediaPlayer/MediaWindow.h"
#include "Strings.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(MediaPlayer, SelectBGMusicDialog, MediaPlayer::MediaListDialog)
VG_DEFINE_CLASS(MediaPlayer, MediaServerSetupDialog, MediaPlayer::MediaListDialog)
VG_DEFINE_CLASS(MediaPlayer, SelectMediaControllerDialog, MediaPlayer::MediaListDialog)

namespace MediaPlayer {

// ------------------------------------------------------ background music

SelectBGMusicDialog::SelectBGMusicDialog(XObject* link) : MediaListDialog(link) {
  WinID = WinIDs::WIN_ID_BGM_SELECT;
  Frame(VgGetRectSize(list.Bounds), VgGetVariantOfString(&Strings::SID_BACKGROUND_MUSIC));
}

XObject* SelectBGMusicDialog::HandleEvent(Core::Event* event) {
  Media::MediaWrapper* media = MainApp::GetMediaWrapper();
  if (auto* status = vg_cast<Events::StatusEvent>(event)) {
    if (waiting_ && status->Code == Media::MediaStatus::Folder &&
        status->SubCode0 == Media::MediaWrapper::BackgroundMusic && status->SubCode2 == 0) {
      waiting_ = false;
      StartList();
      return this;
    }
    // Its songs went with the medium: the choice is the medium's to forget.
    if (MediaWindow::OpenMediumRemoved(status)) Close();
    return nullptr;
  }
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (key && key->down && key->keyCode == Key::Back && !media->BgmAtRoot()) {
    waiting_ = media->LeaveBgmFolder();
    return this;
  }
  return MediaListDialog::HandleEvent(event);
}

bool SelectBGMusicDialog::FollowsTheWorld(Core::Event* event) const {
  return vg_cast<Events::StatusEvent>(event) != nullptr;
}

VgString SelectBGMusicDialog::MediumShown() const { return MediaWindow::OpenMediumMount(); }

void SelectBGMusicDialog::DoItemActivate(Forms::Ctrl* row) {
  auto* cell = vg_cast<ListForm::MediaListItem>(row);
  Media::MediaItem* item = cell ? cell->Item.get() : nullptr;
  if (!item) return;
  Media::MediaWrapper* media = MainApp::GetMediaWrapper();
  if (item->Type == Media::MediaItem::Folder) {
    waiting_ = media->EnterBgmFolder(item->AbsoluteIndex);
    return;
  }
  media->ChooseBackgroundMusic(item->AbsoluteIndex);
  EnterPrevState();
}

// --------------------------------------------------------- media servers

MediaServerSetupDialog::MediaServerSetupDialog(XObject* link) : MediaListDialog(link) {
  Frame(VgGetRectSize(list.Bounds), VgNewStringAnsi("Media Server Setup"));
}

void MediaServerSetupDialog::ReadContent() { MainApp::GetMediaWrapper()->GetMediaServerList(); }

// ----------------------------------------------------- media controllers

SelectMediaControllerDialog::SelectMediaControllerDialog(XObject* link) : MediaListDialog(link) {
  Frame(VgGetRectSize(list.Bounds), VgNewStringAnsi("Media Controller"));
}

void SelectMediaControllerDialog::ReadContent() { MainApp::GetMediaWrapper()->RequestMediaControllorList(); }

void SelectMediaControllerDialog::Close(XObject* sender) {
  Media::MediaWrapper* media = MainApp::GetMediaWrapper();
  for (int32_t i = 0; i < media->GetMediaControllorCount(); ++i) {
    Media::MediaControllor* controller = media->GetMediaControllor(i);
    if (controller && (controller->Access != 0) != list.IsTicked(i)) media->SetControllorAccess(i, list.IsTicked(i));
  }
  MediaListDialog::Close(sender);
}

}  // namespace MediaPlayer
