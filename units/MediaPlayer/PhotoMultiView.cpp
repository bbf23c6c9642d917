#include "MediaPlayer/PhotoMultiView.h"

#include "MainApp/MediaWrapper.h"
#include "Media/MediaWrapper.h"
#include "MediaPlayer/PhotoSingleView.h"
#include "MediaPlayer/SelectedParam.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(MediaPlayer, PhotoMultiView, MediaPlayer::MediaBrowseView)

namespace MediaPlayer {

PhotoMultiView::PhotoMultiView(XObject* link) : MediaBrowseView(link) {
  WinID = WinIDs::WIN_ID_PhotoMultiView;
  grid.OnSetBounds({0, 40, 960, 40 + 420});
}

void PhotoMultiView::Play(Media::MediaItem* item) {
  ::NonMenuSystem::NonMenuSystem* system = NonMenuSystem.get();
  if (!system || item->Type != Media::MediaItem::Picture) return;
  Media::MediumDevice* medium = MainApp::GetMediaWrapper()->GetCurMedium();
  system->OpenState(&PhotoSingleView::Class,
                    SelectedParam::Make(item->AbsoluteIndex, GetClass(), medium ? VgString(medium->MountString) : nullptr),
                    GetClass());
}

}  // namespace MediaPlayer
