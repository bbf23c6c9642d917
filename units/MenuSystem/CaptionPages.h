// The caption and lock pages of the older menus: closed captions and the
// digital caption style (with a live sample, and text and background never
// the same colour), parental control and the PIN page, both reached through
// the PIN check. Tables in CaptionPages.cpp.
#pragma once

#include <cstdint>

#include "MenuSystem/ThirdMenu.h"

namespace MenuSystem {

class ClosedCaptionMenu : public ThirdMenu {
  VG_CLASS()

 public:
  ClosedCaptionMenu();

  // With captions in state 2 neither mode row applies; otherwise the
  // digital style for digital channels, the analogue mode for the rest.
  void RefreshGrayout(XObject* sender = nullptr) override;
};

class DigitalCCMenu : public ThirdMenu {
  VG_CLASS()

 public:
  DigitalCCMenu();

  // Overridden slots.
  // Shows the sample as soon as the page opens.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // Every way out of the page takes the sample away.
  void Close(XObject* sender = nullptr) override;

  // The changed slot of the style rows: a text colour moved onto the
  // background colour (or the reverse) moves on past it the same way; then
  // the sample shows the style.
  void ShowSampleCC(XObject* sender = nullptr);
  void ResetSlot(XObject* sender = nullptr);

  bool SampleShown = false;
  int32_t LastTextColor = 0;
  int32_t LastBackgroundColor = 0;
};

class ParentalLocksMenu : public ThirdMenu {
  VG_CLASS()

 public:
  ParentalLocksMenu();

  // Overridden slots.
  // Opened over the timer page, Return shows the menus below it again.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
};

class PINSettingMenu : public ThirdMenu {
  VG_CLASS()

 public:
  PINSettingMenu();
};

}  // namespace MenuSystem
