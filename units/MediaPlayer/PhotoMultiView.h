// MediaPlayer::PhotoMultiView: the photo view, a grid of the folder's
// thumbnails; OK on a photo shows it full-screen (PhotoSingleView).
#pragma once

#include "ListForm/PhotoGridView.h"
#include "MediaPlayer/MediaBrowseView.h"

namespace MediaPlayer {

class PhotoMultiView : public MediaBrowseView {
  VG_CLASS()

 public:
  explicit PhotoMultiView(XObject* link = nullptr);

  ListForm::ListBase* List() override { return &grid; }
  int32_t Kind() const override { return KindPhoto; }
  void Play(Media::MediaItem* item) override;

  ListForm::PhotoGridView grid{this};
};

}  // namespace MediaPlayer
