#include "MenuSystem/CarouselMenu.h"

#include "AppServices/MessageAgent.h"
#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "MenuSystem/MenuSystem.h"
#include "Structures/Message.h"
#include "vgslot.h"

VG_DEFINE_CLASS(MenuSystem, CarouselMenu, SubSystem::MenuClass)

namespace MenuSystem {

CarouselMenu::CarouselMenu(std::span<const VgPoint> points, VgRect itemBounds, int32_t focusPosition) {
  ArrangeMode = 2;
  carousel.Setup(points, itemBounds, focusPosition, nullptr);
  carousel.OnDressSpare = VgSlotOf<&CarouselMenu::DressSpareSlot>(this);
  carousel.OnMoved = VgSlotOf<&CarouselMenu::MovedSlot>(this);
}

void CarouselMenu::LayOut(int32_t index) {
  carousel.Prepare();
  CurrentItemIndex = carousel.ValidIndex(index);
  carousel.Place();
  MainApp::GetMessageAgent()->Register(this);
}

void CarouselMenu::Close(XObject* sender) {
  SubSystem::MenuClass::Close(sender);
  if (auto* system = SystemOf(this)) system->SetMenuIndex(MenuLevel, CurrentItemIndex);
  MainApp::GetMessageAgent()->UnRegister(this);
  carousel.Stop();
}

void CarouselMenu::ApplyCurrentItemIndex(XObject*) {
  if (CurrentItemIndex >= 1) OnSetFocus(GetCtrlAt(CurrentItemIndex - 1));
}

void CarouselMenu::DoTimeout(XObject*) {
  if (auto* system = SystemOf(this)) system->TearDownMenus();
}

XObject* CarouselMenu::HandleEvent(Core::Event* event) {
  const uint16_t code = Core::PressedKey(event);
  if (code != PrevKey && code != NextKey) return SubSystem::MenuClass::HandleEvent(event);
  if (!carousel.Animating && ItemsNum >= 2) {
    // The item that has the focus is about to move away.
    OnSetFocus(nullptr);
    if (carousel.Move(code == PrevKey)) MoveStarted();
  }
  ResetTimeout();
  return this;
}

void CarouselMenu::HandleMessage(Structures::Message* message) {
  if (!message || message->Code != Constants::MSG_CHANGE_APPEARANCE) return;
  switch (message->Param) {
    case Constants::APPEARANCE_SHOW:
      OnSetVisible(true);
      break;
    case Constants::APPEARANCE_HIDE:
      OnSetVisible(false);
      break;
    case Constants::APPEARANCE_TAKE_FOCUS:
      if (owner) owner->OnSetFocus(this);
      break;
    default:
      break;
  }
}

void CarouselMenu::DressSpare(Core::Group*, Core::Group*) {}

void CarouselMenu::DressSpareSlot(XObject*) {
  if (carousel.Spare && carousel.Leaving) DressSpare(carousel.Spare, carousel.Leaving);
}

void CarouselMenu::MovedSlot(XObject*) { ApplyCurrentItemIndex(); }

}  // namespace MenuSystem
