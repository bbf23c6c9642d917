// MenuSystem::CarouselMenu: the base of the menu pages whose items move as a
// carousel (MenuSystem::Carousel): the main menu's topics and the
// second-level pages' rows. It keeps the current item in CurrentItemIndex
// (the carousel, not the focus, says which it is), moves the items on UP and
// DOWN, shows, hides and takes the focus on MSG_CHANGE_APPEARANCE (1, 2, 3),
// keeps the item of its menu level in the sub-system when it closes, and
// closes every menu when it times out.
//
// A page passes the carousel's points to the constructor, builds its items as
// its controls, and calls LayOut from its Initialize once the items it shows
// are settled.
#pragma once

#include <cstdint>
#include <span>

#include "Core/Keys.h"
#include "MenuSystem/Carousel.h"
#include "SubSystem/MenuClass.h"

namespace MenuSystem {

class CarouselMenu : public SubSystem::MenuClass {
  VG_CLASS()

 public:
  CarouselMenu(std::span<const VgPoint> points, VgRect itemBounds, int32_t focusPosition);
  CarouselMenu() : CarouselMenu({}, {0, 0, 0, 0}, 0) {}

  // Arguments of MSG_CHANGE_APPEARANCE of the menus alone (the shared ones
  // are Constants::APPEARANCE_SHOW, _HIDE and _TAKE_FOCUS).
  // To the main menu: the page in the message opened after a PIN was checked
  // or set, and stands beside it.
  static constexpr int32_t AppearancePinAccepted = 11;

  // Overridden slots.
  // UP and DOWN move the carousel (swallowed while it moves).
  XObject* HandleEvent(Core::Event* event) override;
  void Close(XObject* sender = nullptr) override;
  void HandleMessage(Structures::Message* message) override;
  void OnSetCurrentItemIndex(int32_t index) override { CurrentItemIndex = index; }
  int32_t OnGetCurrentItemIndex() override { return CurrentItemIndex; }
  void DoTimeout(XObject* sender) override;

  // Focuses the current item.
  void ApplyCurrentItemIndex(XObject* sender = nullptr);
  // The item (from 0) shown at a carousel position.
  int32_t PositionIndexToItemIndex(int32_t position) const { return carousel.ItemAt(position); }
  bool OnGetAnimating() const { return carousel.Animating; }

  Carousel carousel{this};
  // The keys that bring the previous and the next item to the focus.
  uint16_t PrevKey = Key::Up;
  uint16_t NextKey = Key::Down;

 protected:
  // Shows the items at rest, index (from 1) the current one, and starts
  // listening to the other screens.
  void LayOut(int32_t index);
  // A move began; the page closes what stood beside the item that leaves.
  virtual void MoveStarted() {}
  // Makes the spare look like the item it stands in for.
  virtual void DressSpare(Core::Group* spare, Core::Group* like);

 private:
  void DressSpareSlot(XObject* sender);
  void MovedSlot(XObject* sender);
};

}  // namespace MenuSystem
