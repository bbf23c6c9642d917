// What the root and forms tests share: DirectFB's in-memory system for the
// screen canvas, the manual clock, a root locked in the root set, and views
// and forms that record what reaches them.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Core/KeyEvent.h"
#include "Core/Root.h"
#include "Forms/Ctrl.h"
#include "Forms/Form.h"
#include "gcm.h"
#include "vgclock.h"
#include "vgdebug.h"
#include "vgslot.h"
#include "vgtimer.h"

namespace RootTest {

class Environment : public testing::Environment {
 public:
  void SetUp() override {
    ASSERT_EQ(GCM_Start(1), 0);
    VgClockSetManual(true);
  }
};
inline testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new Environment);

// One log shared by every probe, so that tests can check the order of calls.
std::string& Log();

// A root as the application derives it: it records the events it handles.
class TestRoot : public Core::Root {
  VG_CLASS()
 public:
  XObject* HandleEvent(Core::Event* event) override;
  bool takes = false;
};

// A leaf view with a fixed extent that records events and draws.
class Probe : public Core::View {
  VG_CLASS()
 public:
  VgRect GetExtent() override { return extent; }
  XObject* HandleEvent(Core::Event* event) override;
  Core::View* CursorHitTest(int32_t, VgPoint, int32_t, Core::View*) override { return hits ? this : nullptr; }
  void Draw(Graphics::Canvas*, VgRect clip, VgPoint) override { drawn.push_back(clip); }

  std::string name;
  VgRect extent{0, 0, 10, 10};
  bool takes = false;
  bool hits = true;
  std::vector<VgRect> drawn;
  std::vector<Core::Event*> events;
};

// A control that records its state changes and carries an integer value
// that GetData and SetData move through Value objects.
class Value : public XObject {
  VG_CLASS()
 public:
  int32_t value = 0;
};

class TestCtrl : public Forms::Ctrl {
  VG_CLASS()
 public:
  XObject* HandleEvent(Core::Event* event) override;
  void UpdateCtrlState(uint16_t oldState, uint16_t newState) override;
  XObject* GetData(XObject* data) override;
  XObject* SetData(XObject* data) override;

  std::string name;
  int32_t value = 0;
  bool takes = false;
  int stateUpdates = 0;
};

// A form as screens derive it: arrow keys move the focus geometrically, and
// it records the events it is offered.
class TestForm : public Forms::Form {
  VG_CLASS()
 public:

  XObject* HandleEvent(Core::Event* event) override;
  void Ended(XObject* sender);

  std::string name;
  bool takes = false;
  int endings = 0;
  XObject* endData = nullptr;
};

inline Core::KeyEvent* Key(uint16_t code) { return VgNew<Core::KeyEvent>()->Initialize(code, true); }

// Runs f and expects it to panic with exactly the text.
inline void ExpectPanic(const std::function<void()>& f, const std::string& text) {
  try {
    f();
    ADD_FAILURE() << "no panic, expected \"" << text << "\"";
  } catch (const VgPanicError& e) {
    EXPECT_EQ(std::string(e.what()), text);
  }
}

class RootFixture : public testing::Test {
 protected:
  void SetUp() override {
    Log().clear();
    root = VgNew<TestRoot>();
    VgLockObject(root);
    CoreRoot__Initialize(root, 960, 540);
    CoreRoot_Update(root);
  }
  void TearDown() override {
    VgDiscardSignals();
    VgUnlockObject(root);
    VgReclaimMemory();
  }

  Probe* MakeProbe(const std::string& name, VgRect extent) {
    auto* p = VgNew<Probe>();
    p->name = name;
    p->extent = extent;
    return p;
  }
  TestCtrl* MakeCtrl(const std::string& name, VgRect bounds, Core::Group* owner) {
    auto* c = VgNew<TestCtrl>();
    c->name = name;
    c->Bounds = bounds;
    if (owner) owner->Add(c, 0);
    return c;
  }
  TestForm* MakeForm(const std::string& name, VgRect bounds, Core::Group* owner) {
    auto* f = VgNew<TestForm>();
    f->name = name;
    f->Bounds = bounds;
    f->OnSetOnEndModal(VgSlotOf<&TestForm::Ended>(f));
    if (owner) owner->Add(f, 0);
    return f;
  }
  // One turn of the GUI loop after moving the clock.
  void Advance(uint32_t ms) {
    VgClockAdvance(ms);
    VgProcessTimers();
    VgProcessSignals();
  }

  TestRoot* root = nullptr;
};

}  // namespace RootTest
