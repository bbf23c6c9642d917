#include "MediaPlayer/MediaListViewTemplate.h"

#include "AppServices/MediaWrapper.h"
#include "Media/MediaWrapper.h"
#include "MediaPlayer/MediaPlayerTemplate.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(MediaPlayer, MediaListViewTemplate, MediaPlayer::MediaBrowseView)
VG_DEFINE_CLASS(MediaPlayer, MusicListView, MediaPlayer::MediaListViewTemplate)
VG_DEFINE_CLASS(MediaPlayer, MovieListView, MediaPlayer::MediaListViewTemplate)

namespace MediaPlayer {

namespace {
// The list stands left of the information column.
constexpr VgRect kListBounds{60, 80, 60 + 336, 80 + 26 * 14 + 3};
}  // namespace

MediaListViewTemplate::MediaListViewTemplate(XObject* link) : MediaBrowseView(link) {
  list.OnSetBounds(kListBounds);
}

void MediaListViewTemplate::Play(Media::MediaItem* item) {
  // The preview gives way to the player.
  MainApp::GetMediaWrapper()->RequestStop();
  OpenEntry(PlayerClass(), item);
}

MusicListView::MusicListView(XObject* link) : MediaListViewTemplate(link) {
  WinID = WinIDs::WIN_ID_MusicListView;
  list.Filter = ListForm::MediaContentList::FilterMusic;
}

const VgClass* MusicListView::PlayerClass() const { return &MusicPlayer::Class; }

MovieListView::MovieListView(XObject* link) : MediaListViewTemplate(link) {
  WinID = WinIDs::WIN_ID_MovieListView;
  list.Filter = ListForm::MediaContentList::FilterMovie;
}

const VgClass* MovieListView::PlayerClass() const { return &MoviePlayer::Class; }

}  // namespace MediaPlayer
