// FactorySystem::FactorySystem: the sub-system of the factory and service
// screens. For now it opens the screens of its family that are asked of it
// directly or sent to it by the other sub-systems.
#pragma once

#include "SubSystem/SubSystemClass.h"

namespace FactorySystem {

class FactorySystem : public SubSystem::SubSystemClass {
  VG_CLASS()

 public:
  explicit FactorySystem(XObject* link = nullptr) : SubSystem::SubSystemClass(link) {}

  // Registers with the message agent, so that requests for its screens reach
  // it from the other sub-systems.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Close(XObject* sender = nullptr) override;
  void HandleMessage(Structures::Message* message) override;
  // Opens a screen of its own family: initialised with this sub-system as its
  // parent, opened, and focused when it asks for the focus.
  Primitives::KeyRoutingForm* ChangeState(SubSystem::State* state) override;
};

}  // namespace FactorySystem
