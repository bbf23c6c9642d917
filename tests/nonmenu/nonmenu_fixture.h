// What the non-menu tests share: a root holding the non-menu sub-system, the
// widget manager and the message agent kept alive with the agent's delivery
// installed, the model with a settings store in a folder of its own, and a
// receiver that records the messages it is given.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "NonMenuSystem/NonMenuSystem.h"
#include "NonMenuSystem/WidgetClass.h"
#include "PersistentData/PersistentData.h"
#include "Primitives/KeyRoutingGroup.h"
#include "Structures/Message.h"
#include "root_fixture.h"

namespace NonMenuTest {

// A receiver that keeps what reaches it.
class Listener : public Primitives::KeyRoutingGroup {
  VG_CLASS()
 public:
  void HandleMessage(Structures::Message* message) override;
  std::vector<int32_t> codes;
  std::vector<int32_t> params;
  std::string lastText;
};

// A widget that counts how often it went forward and back.
class Screen : public NonMenuSystem::WidgetClass {
  VG_CLASS()
 public:
  Screen();
};

// A second widget class, for ways forward and back.
class OtherScreen : public NonMenuSystem::WidgetClass {
  VG_CLASS()
 public:
  OtherScreen();
};

class NonMenuFixture : public RootTest::RootFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Asks the sub-system for a screen with a SkinBin::UserRefInt.
  Primitives::KeyRoutingForm* Open(const VgClass* cls, int32_t value = 0, int32_t origin = 0,
                                   const VgClass* back = nullptr);
  // A key press through the root, with the signals it posts delivered.
  void Press(uint16_t code);
  void Digits(const char* digits);
  bool Listed(int32_t winId) const;
  void Store(const char* key, const char* value);
  std::string Setting(const char* key) const;
  static std::string Utf8(VgString text);
  // What a string constant reads in the language of the moment.
  static std::string Text(const VgConstant& constant);

  NonMenuSystem::NonMenuSystem* system = nullptr;
  Listener* listener = nullptr;
  PersistentData::PersistentData* store = nullptr;
  std::string dir;
};

}  // namespace NonMenuTest
