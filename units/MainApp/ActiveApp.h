// MainApp::ActiveApp: the group of normal television operation. It owns the
// three sub-systems that own every screen (the non-menu, menu and factory
// systems), offers each key to them in a fixed order per key, and handles
// itself the events that concern the whole set: signal acquisition, the
// aging mode, the power-down without signal, the register-table language,
// the network applications and HDMI-CEC notifications.
#pragma once

#include <cstdint>
#include <string_view>

#include "Core/Event.h"
#include "Primitives/KeyRoutingForm.h"
#include "Primitives/KeyRoutingGroup.h"
#include "vgobject.h"

namespace MenuSystem {
class MenuSystem;
}
namespace NonMenuSystem {
class NonMenuSystem;
}
namespace FactorySystem {
class FactorySystem;
}
namespace SubSystem {
class SubSystemClass;
}

namespace MainApp {

// The sub-systems an event is offered to, in order: "m" the menu system, "n"
// the non-menu system, "f" the factory system. Empty: none.
std::string_view RouteOfKey(uint16_t keyCode);
// The route of an event: a key-down key event by its code, some event
// classes by class; empty for anything else.
std::string_view RouteOfEvent(Core::Event* event);

class ActiveApp : public Primitives::KeyRoutingGroup {
  VG_CLASS()

 public:
  explicit ActiveApp(XObject* link = nullptr);

  // Seconds without signal at which the viewer is warned, and from which
  // the set powers down.
  static constexpr int32_t DpmsWarning = 840;
  static constexpr int32_t DpmsPowerDown = 880;

  // Overridden slots.
  XObject* HandleEvent(Core::Event* event) override;
  void HandleMessage(Structures::Message* message) override;
  // Opens the three sub-systems, starts the event queue and records the
  // source on screen in the history.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Close(XObject* sender = nullptr) override;
  // Tells the key owner that the keys moved.
  void OnSetFocus(Core::View* view) override;
  // A key goes down the focus as the key owner routes it: to a screen that
  // hears it beside the keys, or past a passing notice that has no use for
  // it; the front panel's MENU past the factory system to the routing
  // (PanelMenuPastTheFactory). An event of the set goes down the focus, then
  // to the screens on view that follow it (Primitives::WorldEvents).
  XObject* DispatchEvent(Core::Event* event) override;
  // The screens of every sub-system in one stack, by layer: see Stacking.
  void DrawContent(Graphics::Canvas* canvas, VgRect clip, VgPoint origin) override;
  void Stacking(std::vector<Stacked>* views) override;

  // Creates, initialises and opens a sub-system of that class, once.
  void InitSubSystem(const VgClass* cls);
  // Offers the event to the sub-systems of its route until one takes it.
  bool MapEventHandler(Core::Event* event);
  // After CLEAR and the work it left: when it closed the screen that had it,
  // the media and playback windows under that screen, which its clear keeps,
  // hear CLEAR too, as they would with the keys.
  void ClearTheMedia(XObject* sender = nullptr);

  VgPtr<::MenuSystem::MenuSystem> MenuSystem;
  VgPtr<::NonMenuSystem::NonMenuSystem> NonMenuSystem;
  VgPtr<::FactorySystem::FactorySystem> FactorySystem;
  // The screen that had the keys when CLEAR came, until ClearTheMedia.
  VgPtr<Primitives::KeyRoutingForm> ClearedFrom;

 private:
  // The key or event down the focus as the key owner routes it.
  XObject* ToTheScreens(Core::Event* event);
  // Whether the event is the front panel's MENU while the factory system,
  // which heard the panel's command just before it, has the stage's focus:
  // only a screen of the factory's in focus hears it there first, and the
  // routing offers it to the menus before the factory system itself.
  bool PanelMenuPastTheFactory(Core::Event* event) const;
  void HandleAcquisition(Core::Event* event, int32_t status);
  void HandleDpms(int32_t seconds);
  void RecordSourceHistory();
  ::SubSystem::SubSystemClass* SubSystemOf(char letter) const;
};

}  // namespace MainApp
