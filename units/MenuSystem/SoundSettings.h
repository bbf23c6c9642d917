// The sound setting pages of the older menus: the sound page, its advanced
// page and the equaliser page that only a front-panel key combination on the
// advanced page opens. Any change of a sound value there ends muting.
#pragma once

#include "MenuSystem/ThirdMenu.h"

namespace MenuSystem {

class SoundMenu : public ThirdMenu {
  VG_CLASS()

 public:
  SoundMenu();

  // Overridden slots.
  // The quick menu is the way back when it opened the page.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;

  // The changed slot of every row: Dynamic Volume and Dynamic Range Control
  // exclude each other, and a change ends muting.
  void UpdateSoundSettings(XObject* sender = nullptr);
};

class AdvancedSoundSettingsMenu : public ThirdMenu {
  VG_CLASS()

 public:
  AdvancedSoundSettingsMenu();

  // Overridden slots.
  // The front panel's channel-up while its channel-down is held opens the
  // equaliser page; the same key from the remote acts on the row.
  XObject* DispatchEvent(Core::Event* event) override;

  void ShowAudEQMenu(XObject* sender = nullptr);
};

class AudysseyEQMenu : public ThirdMenu {
  VG_CLASS()

 public:
  AudysseyEQMenu();
};

// The rows' changed slot of the advanced and equaliser pages.
void ExitMuteState(XObject* sender = nullptr);

}  // namespace MenuSystem
