// The Record and Media topics' pages beside the main menu, the schedule page
// below Record, and the Networking page of the Settings page with its
// wireless pages. Their rows are the tables in RecordPages.cpp.
#pragma once

#include "MenuSystem/BrcmSubMenu.h"

namespace MenuSystem {

class BrcmRecordMenu : public BrcmSubMenu {
  VG_CLASS()

 public:
  BrcmRecordMenu();

  // The rows follow the source watched, paused live TV, running recordings
  // and the USB disk.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // "Manual Schedule" takes a free timer first.
  void DoActivate(XObject* sender) override;
};

class BrcmScheduleRecordMenu : public BrcmSubMenu {
  VG_CLASS()

 public:
  BrcmScheduleRecordMenu();

  // "Manual Schedule" takes a free timer first.
  void DoActivate(XObject* sender) override;
};

class BrcmMediaMenu : public BrcmSubMenu {
  VG_CLASS()

 public:
  BrcmMediaMenu();

  // The renderer setup shows only with a network renderer configured, and
  // steps aside for a network application.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
};

class BrcmNetworkingMenu : public BrcmSubMenu {
  VG_CLASS()

 public:
  BrcmNetworkingMenu();

  // "Wireless Setup" shows only for a wireless network type; a change of
  // the type in the pop-up lays the carousel out again at once.
  void LoadSettings() override;
};

class BrcmWirelessSetup : public BrcmSubMenu {
  VG_CLASS()

 public:
  BrcmWirelessSetup();
};

class BrcmWPSPinMenu : public BrcmSubMenu {
  VG_CLASS()

 public:
  BrcmWPSPinMenu();
};

}  // namespace MenuSystem
