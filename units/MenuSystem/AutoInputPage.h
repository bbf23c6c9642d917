// The auto input page of the older menus: automatic input switching and the
// input for each device mode of the remote control, beside a picture of the
// remote whose highlighted mode key follows the focused row. Wider than the
// other pages. It shares its window id with the 3D page: never look either
// up by id.
#pragma once

#include "MenuSystem/ThirdMenu.h"
#include "Views/Image.h"
#include "Views/MultilineText.h"

namespace MenuSystem {

class AutoInputMenu : public ThirdMenu {
  VG_CLASS()

 public:
  AutoInputMenu();

  // Overridden slots.
  // Keeps the page's full height; the remote's light shows on series 2 only.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // "Enable Auto Input" stands above the list, "Reset" 20 pixels below it.
  void Refresh(XObject* sender = nullptr) override;
  // The remote's picture highlights the focused row's mode key.
  void DoFocus(XObject* sender) override;
  // With switching off only "Enable Auto Input" is usable.
  void RefreshGrayout(XObject* sender = nullptr) override;

  Views::MultilineText explanation{this};
  Views::Image remote{this};
  Views::Image light{this};
};

}  // namespace MenuSystem
