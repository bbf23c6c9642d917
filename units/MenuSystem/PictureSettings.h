// The picture setting pages of the older menus: the picture page, its
// advanced and expert pages and the pages below them (white balance, noise
// reduction, edge enhancer, the light sensors, the contrast ratio page of
// the system information). Each is a table of rows in PictureSettings.cpp;
// the classes below add what follows the set's state when a page opens.
#pragma once

#include <cstdint>

#include "MenuSystem/ThirdMenu.h"

namespace MenuSystem {

class PictureMenu : public ThirdMenu {
  VG_CLASS()

 public:
  PictureMenu();

  // Overridden slots.
  // Return ends the test pattern before the page leaves.
  XObject* HandleEvent(Core::Event* event) override;
  // The backlight row follows the light sensor, the contrast row shows
  // "Auto" in the automatic picture mode, and the quick menu is the way back
  // when it opened the page.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
};

class AdvancedPictureMenu : public ThirdMenu {
  VG_CLASS()

 public:
  AdvancedPictureMenu();

  // Overridden slots.
  // The automatic picture mode binds two rows to its own options; the
  // series decides which of the motion rows the page has.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;

  // Takes out the motion rows that the series does not have.
  void CheckSeries(int32_t series);
};

class ExpertPictureMenu : public ThirdMenu {
  VG_CLASS()

 public:
  ExpertPictureMenu();
};

class WhiteBalanceMenu : public ThirdMenu {
  VG_CLASS()

 public:
  WhiteBalanceMenu();

  // Overridden slots.
  // Return closes the white-balance window before the page leaves.
  XObject* HandleEvent(Core::Event* event) override;

  // The setting type chooses which of the two balance pages may open.
  void RefreshWBType(XObject* sender = nullptr);
};

class WhiteBalance2PMenu : public ThirdMenu {
  VG_CLASS()

 public:
  WhiteBalance2PMenu();
};

class WhiteBalance10PMenu : public ThirdMenu {
  VG_CLASS()

 public:
  WhiteBalance10PMenu();
};

class NoiseReductionMenu : public ThirdMenu {
  VG_CLASS()

 public:
  NoiseReductionMenu();
};

class ZoltaDCRMenu : public ThirdMenu {
  VG_CLASS()

 public:
  ZoltaDCRMenu();
};

class KeldrixPlusMenu : public ThirdMenu {
  VG_CLASS()

 public:
  KeldrixPlusMenu();

  // Overridden slots.
  // The automatic picture mode has its own level, without a middle mark.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
};

class AutoBrightnessSensorMenu : public ThirdMenu {
  VG_CLASS()

 public:
  AutoBrightnessSensorMenu();
};

class ColorSensorSettingsMenu : public ThirdMenu {
  VG_CLASS()

 public:
  ColorSensorSettingsMenu();
};

}  // namespace MenuSystem
