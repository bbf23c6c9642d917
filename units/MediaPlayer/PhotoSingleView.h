// MediaPlayer::PhotoSingleView: one photo of the folder on the whole screen,
// and the slide show through the folder's photos, a photo every interval of
// the media player's settings, round again when photo repeat is on, with the
// chosen background music behind it when that setting is on. LEFT and RIGHT
// step, OK stops and restarts the show, RETURN and EXIT go back to the grid.
#pragma once

#include <cstdint>

#include "Core/Timer.h"
#include "Media/ScalableImage.h"
#include "MediaPlayer/MediaWindow.h"

namespace MediaPlayer {

class PhotoSingleView : public MediaWindow {
  VG_CLASS()

 public:
  explicit PhotoSingleView(XObject* link = nullptr);

  // The intervals of the interval setting's choices, in seconds.
  static constexpr int32_t IntervalSeconds[] = {3, 5, 10, 15, 30, 60, 90};

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  XObject* HandleEvent(Core::Event* event) override;
  void Close(XObject* sender = nullptr) override;

  // The slide show's step.
  void NextSlide(XObject* sender = nullptr);
  int32_t OnGetIndex() const { return index_; }
  bool OnGetSlideShow() const { return slideTimer.OnGetEnabled(); }

  Media::ScalableImage picture{this};
  Core::Timer slideTimer{this};

 protected:
  // Whether the show goes round again after the last photo.
  virtual bool Wraps() const;
  // Starts the show's timer at the interval of the settings.
  void StartShow();
  // The next photo of the folder from index_ in the direction, -1 for none.
  int32_t Neighbour(int32_t step, bool wrap) const;
  void Show(int32_t index);
  int32_t index_ = -1;
  bool backgroundMusic_ = false;
};

}  // namespace MediaPlayer
