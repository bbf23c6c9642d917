// The media player's setup pages, menu pages of option rows: the player's
// settings (module 0x86), the photo frame's interval and music, and the
// media renderer's page, which this set never reaches (it has no renderer).
#pragma once

#include "MenuSystem/BrcmSubMenu.h"

namespace MediaPlayer {

class MediaPlayerSetupMenu : public MenuSystem::BrcmSubMenu {
  VG_CLASS()

 public:
  MediaPlayerSetupMenu();
};

class PhotoFrameSetup : public MenuSystem::BrcmSubMenu {
  VG_CLASS()

 public:
  PhotoFrameSetup();
};

class MediaRenderSetupMenu : public MenuSystem::BrcmSubMenu {
  VG_CLASS()

 public:
  MediaRenderSetupMenu();
};

}  // namespace MediaPlayer
