// The pages of the older menus that set up outside equipment: the AV
// connection page, its HDMI page and the hidden HDMI input-mode page behind
// a front-panel key combination, the HDMI-CEC page and the channel
// browser's set-up. Tables in ConnectionPages.cpp.
#pragma once

#include "MenuSystem/ThirdMenu.h"

namespace MenuSystem {

class AVConnectionMenu : public ThirdMenu {
  VG_CLASS()

 public:
  AVConnectionMenu();
};

class HDMISettingsMenu : public ThirdMenu {
  VG_CLASS()

 public:
  HDMISettingsMenu();

  // Overridden slots.
  // The front panel's channel-up while its channel-down is held opens the
  // input-mode page; the same key from the remote acts on the row.
  XObject* DispatchEvent(Core::Event* event) override;

  void ShowInputModeMenu(XObject* sender = nullptr);
};

class HDMIInputModeMenu : public ThirdMenu {
  VG_CLASS()

 public:
  HDMIInputModeMenu();
};

class CECSetupMenu : public ThirdMenu {
  VG_CLASS()

 public:
  CECSetupMenu();

  // With HDMI-CEC control off its rows are greyed and the browser's device
  // list is switched off.
  void RefreshGrayout(XObject* sender = nullptr) override;
  // The speaker preference needs the amplifier control; without it the
  // preference goes back to the TV speakers.
  void RefreshSpeaker(XObject* sender = nullptr);
};

class ChBrowserSetupMenu : public ThirdMenu {
  VG_CLASS()

 public:
  ChBrowserSetupMenu();

  // Overridden slots.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // "Reset" stands centred in the space below the lists.
  void Refresh(XObject* sender = nullptr) override;
};

}  // namespace MenuSystem
