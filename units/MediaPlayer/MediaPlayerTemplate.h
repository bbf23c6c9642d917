// MediaPlayer::MediaPlayerTemplate: the full-screen movie and music players.
// The player plays the entry it was opened on and the folder's entries after
// it, repeating as the player's repeat option says; OK pauses and resumes,
// REWIND and FAST FORWARD go to the previous and next entry, RETURN and the
// end of playback go back to the folder view, MENU opens the expert picture
// settings over the player.
#pragma once

#include <cstdint>

#include "MediaPlayer/MediaWindow.h"
#include "Views/Rectangle.h"
#include "Views/Text.h"

namespace MediaPlayer {

class MediaPlayerTemplate : public MediaWindow {
  VG_CLASS()

 public:
  explicit MediaPlayerTemplate(XObject* link = nullptr);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  XObject* HandleEvent(Core::Event* event) override;

  // The option that holds the player's repeat mode.
  virtual int32_t RepeatOption() const;

  bool OnGetPaused() const { return paused_; }

  // The movie plays behind the window; the texts stand on a bar.
  Views::Rectangle bar{this};
  Views::Text title{this};
  Views::Text progress{this};

 private:
  void ShowEntry(int32_t index);
  void ShowProgress(int32_t seconds, int32_t total);
  bool paused_ = false;
};

class MoviePlayer : public MediaPlayerTemplate {
  VG_CLASS()

 public:
  explicit MoviePlayer(XObject* link = nullptr);
  int32_t RepeatOption() const override;
};

class MusicPlayer : public MediaPlayerTemplate {
  VG_CLASS()

 public:
  explicit MusicPlayer(XObject* link = nullptr);
  int32_t RepeatOption() const override;
};

}  // namespace MediaPlayer
