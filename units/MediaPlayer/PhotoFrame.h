// MediaPlayer::PhotoFrame: the set as a picture frame: the photos at the root
// of the first USB stick shown one after another at the slide-show interval,
// round and round; any key ends it.
#pragma once

#include "MediaPlayer/PhotoSingleView.h"

namespace MediaPlayer {

class PhotoFrame : public PhotoSingleView {
  VG_CLASS()

 public:
  explicit PhotoFrame(XObject* link = nullptr);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  XObject* HandleEvent(Core::Event* event) override;
  void Close(XObject* sender = nullptr) override;

 protected:
  bool Wraps() const override { return true; }

 private:
  void Begin();
  bool waiting_ = false;
};

}  // namespace MediaPlayer
