// The application pages of the older menus: the applications hub, its media
// player, retail demo and streaming-launcher pages, and the streaming-service
// and network set-up pages below the preferences. A launch goes through the
// television model and closes every menu. Tables in AppPages.cpp.
#pragma once

#include "MenuSystem/ThirdMenu.h"

namespace MenuSystem {

class ApplicationsMenu : public ThirdMenu {
  VG_CLASS()

 public:
  ApplicationsMenu();

  // "Widgets" and "NET TV": the widget application, unless in 3D.
  void LaunchYahoo(XObject* sender = nullptr);
  // "Favorites Browser": the channel browser on the favourites list.
  void EnterBrowser(XObject* sender = nullptr);
  // The sleep timer's row entering or leaving its entry changes its help.
  void DoEditModeChanged(XObject* sender = nullptr);
};

class AppMediaPlayerMenu : public ThirdMenu {
  VG_CLASS()

 public:
  AppMediaPlayerMenu();
};

class AutoDemoMenu : public ThirdMenu {
  VG_CLASS()

 public:
  AutoDemoMenu();

  void StartDemoSlot(XObject* sender = nullptr);
};

class DummyMenu : public ThirdMenu {
  VG_CLASS()

 public:
  DummyMenu();

  // Starts the row's streaming service.
  void DoActivateChannels(XObject* sender = nullptr);
};

class NetflixSetupMenu : public ThirdMenu {
  VG_CLASS()

 public:
  NetflixSetupMenu();
};

class NetworkSetupMenu : public ThirdMenu {
  VG_CLASS()

 public:
  NetworkSetupMenu();

  // Overridden slots.
  // Opened over the network page, Return shows the menus below it again.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
};

}  // namespace MenuSystem
