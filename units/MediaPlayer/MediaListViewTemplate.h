// MediaPlayer::MediaListViewTemplate: a folder view over a media content
// list: the music view (MusicListView) and the movie view (MovieListView),
// whose list previews the movie the focus rests on. A file row opens the
// view's full-screen player on the entry.
#pragma once

#include <cstdint>

#include "ListForm/MediaContentList.h"
#include "MediaPlayer/MediaBrowseView.h"

namespace MediaPlayer {

class MediaListViewTemplate : public MediaBrowseView {
  VG_CLASS()

 public:
  explicit MediaListViewTemplate(XObject* link = nullptr);

  ListForm::ListBase* List() override { return &list; }
  void Play(Media::MediaItem* item) override;
  // The player a file row opens.
  virtual const VgClass* PlayerClass() const { return nullptr; }

  ListForm::MediaContentList list{this};
};

class MusicListView : public MediaListViewTemplate {
  VG_CLASS()

 public:
  explicit MusicListView(XObject* link = nullptr);
  int32_t Kind() const override { return KindMusic; }
  const VgClass* PlayerClass() const override;
};

class MovieListView : public MediaListViewTemplate {
  VG_CLASS()

 public:
  explicit MovieListView(XObject* link = nullptr);
  int32_t Kind() const override { return KindMovie; }
  bool PreviewsMovies() const override { return true; }
  const VgClass* PlayerClass() const override;
};

}  // namespace MediaPlayer
