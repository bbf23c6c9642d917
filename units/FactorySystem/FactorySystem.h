// FactorySystem::FactorySystem: the sub-system of the factory and service
// modes. It turns each factory command event (the processor's result, a
// discrete key, a front-panel key's name) into a screen: a page of the menus,
// a value display, a message box, or a raw command that it runs itself. It
// keeps the model's mode marker (FactoryMode: "M" factory, "S" service, null
// neither) and shows it in the corner; the service mode is entered from the
// front panel with MENU while VOL- is held.
//
// Layers: Layers::Factory its screens (cleared with Layers::FactoryTop by a
// clear-all), Layers::FactoryIndicator the indicator and the status check,
// Layers::FactoryOnly the factory-only messages.
#pragma once

#include <cstdint>

#include "Core/Timer.h"
#include "SubSystem/SubSystemClass.h"
#include "WidgetManager/Layers.h"
#include "vgstring.h"

namespace Events {
class XPM_EVENT_FACTORY_COMMAND;
}

namespace FactorySystem {

class ModeIndicator;
struct RawCommand;

class FactorySystem : public SubSystem::SubSystemClass {
  VG_CLASS()

 public:
  explicit FactorySystem(XObject* link = nullptr);

  static constexpr int32_t ClearLayers = Layers::FactoryClear;
  static constexpr int32_t ScreenWidth = 960;
  static constexpr int32_t ScreenHeight = 540;

  // The service-mode key press and every factory command event are taken;
  // every other event is left to the other sub-systems.
  XObject* HandleEvent(Core::Event* event) override;
  // Covers the screen and registers with the message agent, so that requests
  // for its screens reach it from the other sub-systems.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Close(XObject* sender = nullptr) override;
  // A clear-all closes its screens (ClearLayers).
  void HandleMessage(Structures::Message* message) override;
  bool ClearCloses(const Primitives::KeyRoutingForm* form) const override {
    return form && (form->Layer & ClearLayers) != 0;
  }
  // A factory widget of its own is initialised, placed at its origin, opened
  // and focused; any other screen of its own is returned unopened; a screen
  // of another sub-system goes to that sub-system. A widget that takes keys
  // and that a command opens under the status check (the adjustment menu of
  // the service mode's code) waits for the check to go
  // (SubSystem::SubSystemClass::Waits).
  Primitives::KeyRoutingForm* ChangeState(SubSystem::State* state) override;
  void OpenNow(Primitives::KeyRoutingForm* widget) override;

  // A page of that class (normally a menu page), with a Structures::RefInt
  // of the value as its parameter.
  void DisplayResultMenu(const VgClass* cls, int32_t value);
  // MSG_CLEAR_ALL to every receiver.
  void ClearAll();
  // Handles the event again after that many seconds; a later call replaces
  // an event still waiting.
  void PostHandleEvent(Events::XPM_EVENT_FACTORY_COMMAND* event, int32_t seconds);
  void HandlePostEvent(XObject* sender = nullptr);
  // Runs one raw command: a discrete key, or a mode's entry or exit.
  void ProcessFacRawCommand(uint32_t code);

  bool IsInFactoryMode();
  bool IsInServiceMode();

  // The discrete keys: whether the screens open now let one act, and whether
  // the set refuses it (which the viewer is told).
  bool DiscreteKeyNeedHandled(uint32_t code);
  bool IsDiscreteKeyNotAvailable(uint32_t code);

  VgPtr<ModeIndicator> modeIndicator;
  VgPtr<Events::XPM_EVENT_FACTORY_COMMAND> pendingEvent;
  Core::Timer postTimer{this};

 private:
  void HandleFactoryCommand(Events::XPM_EVENT_FACTORY_COMMAND* command);
  void ShowMessage(Events::XPM_EVENT_FACTORY_COMMAND* command);
  // The indicator with that caption, and the model's marker.
  void EnterMode(const char* marker);
  // The indicator alone, for the marker the model holds.
  void ShowIndicator(VgString marker);
  void LeaveMode();
  // A page named by class name, for pages of units this one does not link.
  void OpenMenuPage(const char* name, int32_t value);
  void SetMute(int32_t value);
  void SetOptionValue(const RawCommand& row);
  void SetSource(const RawCommand& row);
  void SendKey(uint16_t code);
  void Dispatch(Core::Event* event);
};

}  // namespace FactorySystem
