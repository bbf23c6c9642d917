// The 3D settings pages of the older family: the 3D page below the
// preferences hub, and its two pages behind the 3D PIN, the PIN page and the
// safety page. Tables in ThreeDPages.cpp.
#pragma once

#include "MenuSystem/ThirdMenu.h"

namespace ThreeD {

class ThreeDMenu : public MenuSystem::ThirdMenu {
  VG_CLASS()

 public:
  ThreeDMenu();

  // Without a 3D PIN the PIN row creates one and the safety row is greyed;
  // with one, both rows ask for it first.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // The depth of the 2D-to-3D conversion is adjustable only while it runs.
  void RefreshGrayout(XObject* sender = nullptr) override;
};

class ThreeDPinMenu : public MenuSystem::ThirdMenu {
  VG_CLASS()

 public:
  ThreeDPinMenu();
};

class ThreeDSafetyMenu : public MenuSystem::ThirdMenu {
  VG_CLASS()

 public:
  ThreeDSafetyMenu();

  // Without the 3D lock there is no timer lock: it is cleared and greyed.
  void RefreshGrayout(XObject* sender = nullptr) override;
};

}  // namespace ThreeD
