#include "MediaPlayer/PhotoFrame.h"

#include "AppServices/MediaWrapper.h"
#include "Core/KeyEvent.h"
#include "Events/Events.h"
#include "Media/MediaEvents.h"
#include "Media/MediaWrapper.h"
#include "WinIDs/WinIDs.h"
#include "vgdebug.h"

VG_DEFINE_CLASS(MediaPlayer, PhotoFrame, MediaPlayer::PhotoSingleView)

namespace MediaPlayer {

PhotoFrame::PhotoFrame(XObject* link) : PhotoSingleView(link) { WinID = WinIDs::WIN_ID_PhotoFrame; }

void PhotoFrame::Initialize(Primitives::KeyRoutingParameter* parameter) {
  MediaWindow::Initialize(parameter);
  Media::MediaWrapper* media = MainApp::GetMediaWrapper();
  media->RequestMediumList();
  for (int32_t i = 0; i < media->GetMediumCount(); ++i) {
    Media::MediumDevice* medium = media->GetMedium(i);
    if (!medium || medium->Type != Media::MediumDevice::UsbStorage || !medium->Available) continue;
    if (!media->OpenMedium(medium, Media::MediaItem::Picture)) break;
    waiting_ = !media->FolderReady();
    if (!waiting_) Begin();
    return;
  }
  VgPrint("PhotoFrame: no USB storage to show photos from\n");
}

void PhotoFrame::Begin() {
  waiting_ = false;
  index_ = -1;
  const int32_t first = Neighbour(1, false);
  if (first < 0) return;
  Show(first);
  StartShow();
}

XObject* PhotoFrame::HandleEvent(Core::Event* event) {
  if (auto* status = vg_cast<Events::StatusEvent>(event)) {
    if (waiting_ && status->Code == Media::MediaStatus::Folder &&
        status->SubCode0 == Media::MediaWrapper::Browser && status->SubCode2 == 0) {
      Begin();
      return this;
    }
    return PhotoSingleView::HandleEvent(event);
  }
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (key && key->down) {
    Close();
    return this;
  }
  return PhotoSingleView::HandleEvent(event);
}

void PhotoFrame::Close(XObject* sender) {
  MainApp::GetMediaWrapper()->CloseMedium();
  PhotoSingleView::Close(sender);
}

}  // namespace MediaPlayer
