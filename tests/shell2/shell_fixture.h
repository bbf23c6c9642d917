// What the shell tests share: screens that record their closing, screens and
// a menu page owned by the concrete sub-systems, and an application group on
// a root that holds the sub-systems, with the widget manager and the message
// agent kept alive and the agent's delivery installed.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Agent/MessageAgent.h"
#include "AppServices/MessageAgent.h"
#include "AppServices/WidgetManager.h"
#include "Core/KeyEvent.h"
#include "FactorySystem/FactorySystem.h"
#include "MenuSystem/MenuSystem.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Primitives/KeyRoutingGroup.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Primitives/MessageDelivery.h"
#include "SubSystem/MenuClass.h"
#include "root_fixture.h"

namespace ShellTest {

// A screen that logs its name when it really closes and may then run more
// (a close that cascades).
class Screen : public Primitives::KeyRoutingForm {
  VG_CLASS()
 public:
  void Close(XObject* sender = nullptr) override;
  // Logs "name:key" or "name:event" for each event heard; takes it, and
  // closes on it, when asked to.
  XObject* HandleEvent(Core::Event* event) override;
  std::string name;
  int closes = 0;
  bool take = false;
  bool closeOnTake = false;
  std::function<void()> afterClose;
};

// A screen of the non-menu family; counts how many were made and keeps the
// parameter it was initialised with.
class NonMenuScreen : public Screen {
  VG_CLASS()
 public:
  NonMenuScreen();
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  static inline int made = 0;
  XObject* param = nullptr;
};

// A page of the menu family that counts its time-outs.
class Page : public SubSystem::MenuClass {
  VG_CLASS()
 public:
  Page();
  void DoTimeout(XObject* sender) override;
  int timeouts = 0;
};

class ShellFixture : public RootTest::RootFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  Screen* MakeScreen(const std::string& name, int32_t id, int32_t layer);
  // Opens the screen into the group the way a sub-system does.
  Screen* Open(Screen* screen, Core::Group* parent);
  // Initialises and opens a sub-system in the application group.
  template <class T>
  T* StartSubSystem() {
    auto* system = VgNew<T>();
    auto* parameter = VgNew<Primitives::KeyRoutingParameter>();
    parameter->Parent = app;
    system->Initialize(parameter);
    system->Open();
    return system;
  }
  // The three sub-systems of normal operation, in the order it opens them.
  void StartTheThree() {
    nonMenu = StartSubSystem<NonMenuSystem::NonMenuSystem>();
    menu = StartSubSystem<MenuSystem::MenuSystem>();
    factory = StartSubSystem<FactorySystem::FactorySystem>();
  }
  // The names of the listed screens, oldest first.
  std::string Listed() const;
  // The names of the group's screens, bottom first.
  static std::string Stack(Core::Group* group);

  ::WidgetManager::WidgetManager* manager = nullptr;
  Agent::MessageAgent* agent = nullptr;
  Primitives::KeyRoutingGroup* app = nullptr;
  Agent::MessageDelivery previousDelivery = nullptr;
  NonMenuSystem::NonMenuSystem* nonMenu = nullptr;
  MenuSystem::MenuSystem* menu = nullptr;
  FactorySystem::FactorySystem* factory = nullptr;
};

}  // namespace ShellTest
