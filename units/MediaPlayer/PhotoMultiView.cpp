#include "MediaPlayer/PhotoMultiView.h"

#include "Media/MediaWrapper.h"
#include "MediaPlayer/PhotoSingleView.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(MediaPlayer, PhotoMultiView, MediaPlayer::MediaBrowseView)

namespace MediaPlayer {

PhotoMultiView::PhotoMultiView(XObject* link) : MediaBrowseView(link) {
  WinID = WinIDs::WIN_ID_PhotoMultiView;
  grid.OnSetBounds({0, 40, 960, 40 + 420});
}

void PhotoMultiView::Play(Media::MediaItem* item) {
  if (item->Type == Media::MediaItem::Picture) OpenEntry(&PhotoSingleView::Class, item);
}

}  // namespace MediaPlayer
