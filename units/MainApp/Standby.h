// MainApp::Standby: the group of the set's life cycle. Asleep it holds
// nothing; a wake-up opens normal operation (MainApp::ActiveApp) or, until
// the first-time setup is done, the setup wizard (MainApp::InitialSetup). It
// takes the set to standby, resets it to its factory settings and restarts
// the wizard, and keeps the acquisition events that arrive while nothing is
// open to take them.
#pragma once

#include <cstdint>

#include "Core/Event.h"
#include "Primitives/KeyRoutingGroup.h"
#include "vgobject.h"

namespace NonMenuSystem {
class DirectMessageBar;
}

namespace MainApp {

class ActiveApp;
class InitialSetup;

class Standby : public Primitives::KeyRoutingGroup {
  VG_CLASS()

 public:
  explicit Standby(XObject* link = nullptr);

  // Wake-up reasons.
  static constexpr int32_t WakeupPower = 1;
  static constexpr int32_t WakeupTimer = 2;
  static constexpr int32_t WakeupForceOn = 3;
  static constexpr int32_t WakeupDevice = 4;
  static constexpr int32_t WakeupAgingMode = 5;
  // wakeup's answer when the set was already awake.
  static constexpr int32_t AlreadyAwake = 2;
  // The standby reason of a factory reset: power down at once.
  static constexpr int32_t StandbyImmediately = 7;
  // The direct message shown while the factory reset runs.
  static constexpr int32_t FactoryResetMessage = 27;

  // Overridden slots.
  XObject* HandleEvent(Core::Event* event) override;
  void HandleMessage(Structures::Message* message) override;
  // Covers the screen and registers with the message agent.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Close(XObject* sender = nullptr) override;

  // 2 when the set was awake already; otherwise 0.
  int32_t wakeup(int32_t reason);
  void standby(int32_t reason);
  // Closes every screen and the group that holds them.
  void ClearApp();
  void EnterNormalTVState(XObject* sender = nullptr);
  void EnterInitialSetupState(XObject* sender = nullptr);
  void ResetFactory();
  void DoResetFactory(XObject* sender = nullptr);
  void RestartInitialSetup();

  VgPtr<MainApp::ActiveApp> activeApp;
  VgPtr<MainApp::InitialSetup> initialSetup;
  VgPtr<::NonMenuSystem::DirectMessageBar> messageBar;
};

}  // namespace MainApp
