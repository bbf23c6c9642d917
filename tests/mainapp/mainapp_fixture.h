// What the application tests share: a fresh settings folder and a fresh
// simulated set for each test, the real root built on the manual clock, a
// record of every message the agent delivers, and screens that record the
// keys offered to them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Core/KeyEvent.h"
#include "Events/Events.h"
#include "FactorySystem/FactorySystem.h"
#include "MainApp/ActiveApp.h"
#include "MainApp/InitialSetup.h"
#include "MainApp/Root.h"
#include "MainApp/Standby.h"
#include "Media/MediaWrapper.h"
#include "MenuSystem/MenuSystem.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Primitives/KeyRoutingForm.h"

namespace MainAppTest {

// A message as the agent handed it to a receiver.
struct Delivered {
  std::string receiver;
  int32_t code;
  int32_t param;
};

// A screen that logs "name:code" for every key-down offered to it and takes
// the key only when told to.
class Spy : public Primitives::KeyRoutingForm {
  VG_CLASS()
 public:
  XObject* HandleEvent(Core::Event* event) override;
  std::string name;
  bool takes = false;
  // A key it takes ends normal operation, as a confirmation of the
  // first-time setup does.
  bool restartsSetup = false;
};

class MainAppFixture : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Builds the root as the GUI loop does; the settings are read then.
  void Boot();
  // The root, then the set wakes up (reason 1 by default).
  void BootAndWake(int32_t reason = 1);
  XObject* Dispatch(Core::Event* event);
  XObject* Wake(int32_t reason);
  // A remote (or front-panel) key press as the event bridge makes it.
  Events::XPM_EVENT_KEY* KeyOf(uint16_t code, bool frontPanel = false);
  XObject* Press(uint16_t code, bool frontPanel = false);
  // Moves the clock and runs the timers and two signal passes, so that idle
  // signals run too.
  void Advance(uint32_t ms);
  // Writes a settings file holding only the key, as a set that was set up
  // before would have.
  void StoreSetting(const std::string& key, const std::string& value);
  std::string Setting(const std::string& key);
  std::string FileText(const std::string& path);
  bool FileExists(const std::string& path);
  // The window id of the first-time setup step on screen, 0 for none.
  int32_t OpenStep();
  // Opens a spy on the sub-system, listed with the window id and layer.
  Spy* OpenSpy(Core::Group* system, const std::string& name, int32_t winId = 0, int32_t layer = 0);
  // Messages delivered since the last call, "Receiver code param".
  std::vector<Delivered> TakeDelivered();
  bool WasDelivered(const std::string& receiver, int32_t code, int32_t param = -1);
  // Calls of the simulated set since the test began that start with text.
  int CountTvCalls(const std::string& text);

  MainApp::Standby* Standby() const { return root->standbyGroup; }
  MainApp::ActiveApp* App() const { return root->standbyGroup->activeApp; }
  MainApp::InitialSetup* Setup() const { return root->standbyGroup->initialSetup; }

  MainApp::Root* root = nullptr;
  std::string folder;

 public:
  // What the spies were offered, in order.
  static std::string& Log();
};

}  // namespace MainAppTest
