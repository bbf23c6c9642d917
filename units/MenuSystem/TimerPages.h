// The pages of the older menus that set when the television switches itself
// on or off: the on-timer page (after a delay, on an input, channel and
// volume), the energy-saving page and the no-signal power-down page with one
// row per input source. Tables in TimerPages.cpp.
#pragma once

#include "MenuSystem/ThirdMenu.h"

namespace MenuSystem {

class OnTimerMenu : public ThirdMenu {
  VG_CLASS()

 public:
  OnTimerMenu();

  // Overridden slots.
  // Holds the on-timer's own record, so that the rows edit it and nothing
  // else, whatever timer another screen left active.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;

  // With the timer off only "Enable On Timer" and "Done" stay usable;
  // "Channel" only for the tuner input.
  void RefreshGrayout(XObject* sender = nullptr) override;
  // "Done": stores the time and a daily on-timer of no duration, then leaves.
  void SetTimerData(XObject* sender = nullptr);
  // A row entering or leaving its entry changes its help.
  void DoEditModeChanged(XObject* sender = nullptr);
};

class EnergySavingSettingsMenu : public ThirdMenu {
  VG_CLASS()

 public:
  EnergySavingSettingsMenu();
};

class NoSignalPowerDownMenu : public ThirdMenu {
  VG_CLASS()

 public:
  NoSignalPowerDownMenu();

  // Overridden slots.
  // One row per source of the set, named by it.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // Each row shows its source's bit of the power-down mask.
  void LoadSettings() override;

  // A row's change: its source's bit, the others as they are.
  void ChangeNoSignal(XObject* sender = nullptr);
};

}  // namespace MenuSystem
