// The Audio topic's pages: the page beside the main menu, whose rows follow
// the source, the channel and the sound effect of the moment, and the treble
// and bass page it opens. Their rows are the tables in AudioPages.cpp.
#pragma once

#include "MenuSystem/BrcmSubMenu.h"

namespace MenuSystem {

class BrcmAudioMenu : public BrcmSubMenu {
  VG_CLASS()

 public:
  BrcmAudioMenu();

  // Takes out the preference that the source or channel does not have.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // Rows 3 and 4 are the sound effect's own settings.
  void LoadSettings() override;
};

class BrcmTrebleBassMenu : public BrcmSubMenu {
  VG_CLASS()

 public:
  BrcmTrebleBassMenu();
};

}  // namespace MenuSystem
