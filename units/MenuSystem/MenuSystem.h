// MenuSystem::MenuSystem: the sub-system of the setup menus. MENU opens the
// main menu (MenuSystem::BrcmMainMenu) or closes every menu; it opens its
// pages from SubSystem::State records and places them by menu level (the
// main menu at the corner, the pages beside it, the option pop-up right of
// them); it remembers the focused item of each level, the first level's
// across power cycles ("MainMenuIndex"); it closes every menu in one fixed
// sequence (TearDownMenus) and hands the pages' help lines to the non-menu
// system, which owns the help bar.
//
// A menu is open exactly while the sub-system has a focused page. Menus that
// hid for a screen they opened stay open while a screen on the way back to
// them is; when the last such screen is gone (a screen of its layer took its
// place and did not go back) they are torn down, so that MENU opens them.
#pragma once

#include <cstdint>

#include "SubSystem/MenuSystemClass.h"
#include "WidgetManager/Layers.h"
#include "vgstring.h"

namespace Core {
class KeyEvent;
}
namespace SubSystem {
class MenuClass;
}

namespace MenuSystem {

class MenuSystem : public SubSystem::MenuSystemClass {
  VG_CLASS()

 public:
  explicit MenuSystem(XObject* link = nullptr);

  static constexpr int32_t Levels = 9;
  // The settings key of the main menu's item (from 0).
  static constexpr const char16_t* MainMenuIndexKey = u"MainMenuIndex";
  // The layers of the menus: the main menu's, the pages', the option
  // pop-ups' and third-level pages', and the last that none takes now.
  static constexpr int32_t MenuLayers = Layers::Menus;
  static constexpr VgPoint TopLevelOrigin{0, 0};
  static constexpr VgPoint PageOrigin{160, 0};
  static constexpr VgPoint OptionMenuOrigin{710, 95};
  // The RGB filter that lets every channel through: the picture pages'
  // filter is an aid while they show, and leaving them restores this.
  static constexpr int32_t RgbFilterOpen = 0x111111;

  // Overridden slots.
  // MENU, the exit keys, and the events the menus pass on.
  XObject* HandleEvent(Core::Event* event) override;
  // The menus' minute and the main menu's own help line go with the keys:
  // they stop as the keys leave, and follow the key owner once it settled.
  void KeysMoved() override;
  void KeysSettled() override;
  // The menus that no screen goes back to close.
  void AfterScreenLeft() override;
  // Covers the screen, registers with the message agent and takes the main
  // menu's item from the settings.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Close(XObject* sender = nullptr) override;
  void HandleMessage(Structures::Message* message) override;
  // A clear tears the menus down, every page of their layers with them.
  bool ClearCloses(const Primitives::KeyRoutingForm* form) const override {
    return form && (form->Layer & MenuLayers) != 0;
  }
  // Opens a page of its own: initialised with its opening record, opened,
  // placed and focused. A page that the set opens where a screen with the
  // keys would hide it waits for that screen to go (the preferences page
  // that a factory command opens under the status check).
  Primitives::KeyRoutingForm* ChangeState(SubSystem::State* state) override;
  void OpenNow(Primitives::KeyRoutingForm* page) override;
  // The main menu and the older family's arcs span the screen from its
  // corner, the option pop-ups stand at the right, every other page beside
  // the main menu.
  VgRect WhereItWillStand(Primitives::KeyRoutingForm* form) override;
  // Levels count from 1 to Levels; others store nothing and read as 1.
  void SetMenuIndex(int32_t level, int32_t index) override;
  int32_t GetMenuIndex(int32_t level) override;

  // Closes every menu: the pages of every menu layer, the deeper levels'
  // items, the help bar, and what the picture pages switched on for the
  // viewer to see (test pattern, white-balance window, RGB filter).
  void TearDownMenus();
  // Tears down menus that are hidden with no screen left that goes back to
  // them; heard after a screen left the widget manager.
  void CloseForsakenMenus();
  // Asks every sub-system to close its screens (MSG_CLEAR_ALL); the menus
  // close through this sub-system's own HandleMessage before it returns.
  void ClearAll();
  // The help bar of the non-menu system: icons by NonMenuSystem help bits,
  // labels joined by ",".
  void UpdateHelp(int32_t mask, VgString text);
  void ClearHelpBar();

  // A network application has the screen (the demo movie does not count).
  // MENU and many rows step aside for it.
  static bool NetAppActive();
  // The widget application's modes: its widgets, or its NET TV menu.
  static constexpr int32_t WidgetsMode = 0;
  static constexpr int32_t NetTvMode = 1;
  // Starts the widget application in a mode and closes the menus; while the
  // picture is in 3D it only closes them and says why.
  static void LaunchWidgets(int32_t mode);

  // The item last focused on each level, from 1.
  int32_t MenuIndex[Levels];

 private:
  // What MENU does: opens or closes the menus, is swallowed, or is left to
  // the other sub-systems.
  enum class MenuKey { Toggle, Swallow, NotOurs };
  MenuKey RoleOfMenuKey(Core::KeyEvent* key);
  // Whether an open screen would return to this sub-system's pages.
  bool AnyScreenGoesBack();
  // The pages' minute and the main menu's own help line, by whether the
  // menus have the keys.
  void FollowTheKeys();
  // The older pages' line is on the help bar.
  bool helpBarTold_ = false;
};

// The sub-system of a menu page; null when the page has none (it does
// nothing then).
MenuSystem* SystemOf(SubSystem::MenuClass* page);

}  // namespace MenuSystem
