// The Picture topic's pages: the page beside the main menu and the pages it
// opens. Their rows are the tables in PicturePages.cpp.
#pragma once

#include "MenuSystem/BrcmSubMenu.h"

namespace MenuSystem {

class BrcmPictureMenu : public BrcmSubMenu {
  VG_CLASS()

 public:
  BrcmPictureMenu();
};

class BrcmPictureSettingsMenu : public BrcmSubMenu {
  VG_CLASS()

 public:
  BrcmPictureSettingsMenu();
};

class BrcmAdvancedSettingsMenu : public BrcmSubMenu {
  VG_CLASS()

 public:
  BrcmAdvancedSettingsMenu();
};

class BrcmHVsizeMenu : public BrcmSubMenu {
  VG_CLASS()

 public:
  BrcmHVsizeMenu();
};

}  // namespace MenuSystem
