// The Settings topic's pages: the Settings page beside the main menu and the
// pages below it (inputs, HDMI-CEC, scale window, captions and their looks,
// picture in picture, screen saver, date and time). Their rows are the
// tables in SettingsPages.cpp; the Networking pages are in RecordPages.h.
#pragma once

#include "MenuSystem/BrcmSubMenu.h"

namespace MenuSystem {

class BrcmSettingsMenu : public BrcmSubMenu {
  VG_CLASS()

 public:
  BrcmSettingsMenu();

  // Takes out the rows this set lacks (picture in picture when the set has
  // no second window).
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
};

class BrcmInputMenu : public BrcmSubMenu {
  VG_CLASS()

 public:
  BrcmInputMenu();
};

class BrcmCECMenu : public BrcmSubMenu {
  VG_CLASS()

 public:
  BrcmCECMenu();
};

class BrcmScaleWindowMenu : public BrcmSubMenu {
  VG_CLASS()

 public:
  BrcmScaleWindowMenu();

  // Opens on "H-Size" whichever row was focused before.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
};

class BrcmCCMenu : public BrcmSubMenu {
  VG_CLASS()

 public:
  BrcmCCMenu();
};

class BrcmDTVCCStyleMenu : public BrcmSubMenu {
  VG_CLASS()

 public:
  BrcmDTVCCStyleMenu();
};

class BrcmPIPMenu : public BrcmSubMenu {
  VG_CLASS()

 public:
  BrcmPIPMenu();

  // With the second window off only "Mode" is usable.
  void LoadSettings() override;
  // "Swap": closes every menu, then swaps the two windows' sources.
  void SwapSource(XObject* sender = nullptr);
};

class BrcmScreenSaverMenu : public BrcmSubMenu {
  VG_CLASS()

 public:
  BrcmScreenSaverMenu();

  // The colour row shows the stored screen-saver colour.
  void LoadSettings() override;
};

class BrcmDateTimeMenu : public BrcmSubMenu {
  VG_CLASS()

 public:
  BrcmDateTimeMenu();
};

// The colour the colour pad stored under "ScreenSaverColor": the pad's row
// and column (one character each), then red, green and blue as three
// decimal digits each. False, and *colour untouched, for any other text.
bool ParseScreenSaverColor(VgString text, VgColor* colour);

}  // namespace MenuSystem
