// The older family's two hubs and the pages below the set-up hub: the set-up
// page (menu language, aerial input, scans, location, software, reset), the
// preferences page (3D, HDMI-CEC, network, PIN and locks, display, inputs,
// energy, indicators), the TV settings page and its local time page. Which
// rows a set shows, which are greyed and which ask for a PIN first is decided
// each time a page opens. Tables in SetupPages.cpp.
#pragma once

#include "MenuSystem/ThirdMenu.h"

namespace MenuSystem {

class SetupMenu : public ThirdMenu {
  VG_CLASS()

 public:
  SetupMenu();

  // "Reset TV" asks for a PIN while either PIN is set.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // The page on which the language changes follows at once: its caption and
  // every row's caption come again in the new language.
  void ReInit() override;
  // The changed slot of "Menu Language": the values and every row's help in
  // the new language, and the focused row's help on the help bar.
  void UpdateMenuLanguage(XObject* sender = nullptr);
};

class PreferencesMenu : public ThirdMenu {
  VG_CLASS()

 public:
  PreferencesMenu();
};

class TVSettingsMenu : public ThirdMenu {
  VG_CLASS()

 public:
  TVSettingsMenu();
};

class LocalTimeMenu : public ThirdMenu {
  VG_CLASS()

 public:
  LocalTimeMenu();
};

}  // namespace MenuSystem
