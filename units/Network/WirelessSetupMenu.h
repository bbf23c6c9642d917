// The menu pages of the wireless setup: the Wireless Setup page that leads to
// easy, assisted and manual setup, and the Easy Setup page, which chooses the
// WPS method and starts the easy setup.
#pragma once

#include "MenuSystem/ThirdMenu.h"

namespace Network {

class WirelessSetupMenu : public MenuSystem::ThirdMenu {
  VG_CLASS()

 public:
  WirelessSetupMenu();
};

class EasySetupMenu : public MenuSystem::ThirdMenu {
  VG_CLASS()

 public:
  EasySetupMenu();

  static constexpr int32_t Height = 128;

  // The page keeps the height of its two rows.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // "Start Scan" starts the easy setup; the other rows are the page's.
  void DoActivate(XObject* sender) override;

  // Closes the page. With the PIN method the access-point list opens; with
  // the push button the join starts at once, and the dialog that waits for
  // it opens.
  void StartScanSlot(XObject* sender = nullptr);
};

}  // namespace Network
