// MenuSystem::BrcmMainMenu: the first level of the setup menus, which MENU
// opens: the topics as large animated icons in a carousel down the left edge
// (MenuSystem::Carousel) and a help line at the bottom. The focused icon's
// page (a MenuSystem::BrcmSubMenu) opens beside the carousel at once; RIGHT
// or OK moves the focus into it, Return closes every menu.
//
// MenuSystem::BrcmMainMenuItem is a topic's icon: it plays its animation
// while it has the focus and shows its last frame while it is the current
// topic of a page that has handed the focus on.
#pragma once

#include <cstdint>

#include "Button/IconButton.h"
#include "MenuSystem/CarouselMenu.h"
#include "Views/Image.h"
#include "Views/Rectangle.h"
#include "Views/Text.h"

namespace MenuSystem {

class BrcmSubMenu;

class BrcmMainMenuItem : public Button::IconButton {
  VG_CLASS()

 public:
  explicit BrcmMainMenuItem(XObject* link = nullptr);

  // The icon's frames: 0 at rest, LitFrame once it has played.
  static constexpr int32_t LitFrame = 7;

  // Overridden slots.
  // RIGHT activates the topic like OK.
  XObject* HandleEvent(Core::Event* event) override;
  void HandleFocus(bool focused) override;
  void RefreshCtrlState(int32_t look) override;

  void StartAnimation();
  void StopAnimation(XObject* sender = nullptr);
  void OnSetAnimationEndless(bool value);

  bool AnimationEndless = false;
  bool Stopped = true;
  // Handed to the page the topic opens, as its parameter's value.
  int32_t OptionType = 0;
  // The class name of that page ("MenuSystem::BrcmPictureMenu"); null for a
  // topic without a page.
  const char* Target = nullptr;
};

class BrcmMainMenu : public CarouselMenu {
  VG_CLASS()

 public:
  BrcmMainMenu();

  static constexpr int32_t Topics = 7;
  // The help line's first icon: OK, up/down, left/right.
  static constexpr int32_t HelpEnter = 1;
  static constexpr int32_t HelpUpDown = 2;
  static constexpr int32_t HelpLeftRight = 3;

  // Overridden slots.
  // Return closes every menu.
  XObject* HandleEvent(Core::Event* event) override;
  void HandleFocus(bool focused) override;
  // Takes the topic from the sub-system, drops the Locks topic while the live
  // picture is paused or recorded, and lays the carousel out.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Close(XObject* sender = nullptr) override;
  void HandleMessage(Structures::Message* message) override;
  void DoActivate(XObject* sender) override;
  void DoFocus(XObject* sender) override;
  void ReInit() override;

  void LaunchSecondaryMenu(XObject* sender = nullptr);
  void CloseSecondaryMenu(XObject* sender = nullptr);
  void UpdateHelp(int32_t kind);
  // The help line along the bottom tells the menus' keys: it shows only
  // while the menus have them.
  void ShowHelpLine(bool shown);
  VgRect HelpLineDrawn() const override;
  BrcmMainMenuItem* Topic(int32_t index) const;
  // The class names of the pages the topics open (tests/classes checks them).
  static void ForEachPageName(void (*visit)(const char* name, void* context), void* context);

  Views::Rectangle background{this};
  Views::Image backgroundImage{this};
  BrcmMainMenuItem items[Topics + 1] = {BrcmMainMenuItem{this}, BrcmMainMenuItem{this}, BrcmMainMenuItem{this},
                                        BrcmMainMenuItem{this}, BrcmMainMenuItem{this}, BrcmMainMenuItem{this},
                                        BrcmMainMenuItem{this}, BrcmMainMenuItem{this}};
  Views::Image helpIcons[3] = {Views::Image{this}, Views::Image{this}, Views::Image{this}};
  Views::Text helpLabels[3] = {Views::Text{this}, Views::Text{this}, Views::Text{this}};
  // The page open beside the carousel.
  VgPtr<BrcmSubMenu> SecondaryMenu;

 protected:
  void MoveStarted() override { CloseSecondaryMenu(); }
  void DressSpare(Core::Group* spare, Core::Group* like) override;

 private:
  void SetCaptions();
  BrcmMainMenuItem& Locks() { return items[4]; }
};

}  // namespace MenuSystem
