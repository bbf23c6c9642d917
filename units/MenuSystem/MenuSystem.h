// MenuSystem::MenuSystem: the sub-system of the setup menu pages. For now it
// opens the pages of its family that are asked of it directly or sent to it
// by the other sub-systems, places them by their menu level, and remembers
// the focused item of each level.
#pragma once

#include <cstdint>

#include "SubSystem/MenuSystemClass.h"

namespace MenuSystem {

class MenuSystem : public SubSystem::MenuSystemClass {
  VG_CLASS()

 public:
  explicit MenuSystem(XObject* link = nullptr);

  static constexpr int32_t Levels = 9;

  // Covers the screen and registers with the message agent, so that requests
  // for its pages reach it from the other sub-systems.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Close(XObject* sender = nullptr) override;
  void HandleMessage(Structures::Message* message) override;
  Primitives::KeyRoutingForm* ChangeState(SubSystem::State* state) override;
  // Levels count from 1 to Levels; others store nothing and read as 1.
  void SetMenuIndex(int32_t level, int32_t index) override;
  int32_t GetMenuIndex(int32_t level) override;

  // The item last focused on each level, from 1.
  int32_t MenuIndex[Levels];
};

}  // namespace MenuSystem
