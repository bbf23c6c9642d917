// The pages of the older menus that fit the picture to the screen: the
// display page (automatic aspect, 4:3 stretch) and its picture-position and
// PC pages, each usable only for the signals it applies to. Tables in
// DisplayPages.cpp.
#pragma once

#include "MenuSystem/ThirdMenu.h"

namespace MenuSystem {

class DisplaySettingsMenu : public ThirdMenu {
  VG_CLASS()

 public:
  DisplaySettingsMenu();

  // The changed slot of "Auto Aspect": the stretch needs automatic aspect,
  // and goes off with it.
  void RefreshGrayout(XObject* sender = nullptr) override;
};

class PicturePositionMenu : public ThirdMenu {
  VG_CLASS()

 public:
  PicturePositionMenu();
};

class PCSettingsMenu : public ThirdMenu {
  VG_CLASS()

 public:
  PCSettingsMenu();
};

}  // namespace MenuSystem
