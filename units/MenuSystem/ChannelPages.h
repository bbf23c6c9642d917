// The Channel and Locks topics' pages: the Channel page beside the main menu,
// the Locks page that the PIN pages lead to, and the ratings page below it.
// Their rows are the tables in ChannelPages.cpp; most open the channel,
// scan, guide and rating screens.
#pragma once

#include "MenuSystem/BrcmSubMenu.h"

namespace MenuSystem {

class BrcmChannelsMenu : public BrcmSubMenu {
  VG_CLASS()

 public:
  BrcmChannelsMenu();

  // Takes out the guide-service rows this set lacks and restores the
  // level's row.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // The guide-setup row follows the guide selection.
  void LoadSettings() override;
  // Favorites first points the channel browser at the list of the source.
  void DoActivate(XObject* sender) override;
};

class BrcmLocksMenu : public BrcmSubMenu {
  VG_CLASS()

 public:
  BrcmLocksMenu();
};

class BrcmRatingsLocksMenu : public BrcmSubMenu {
  VG_CLASS()

 public:
  BrcmRatingsLocksMenu();

  // Offers the downloadable ratings only for a stored region that has
  // dimensions.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
};

}  // namespace MenuSystem
