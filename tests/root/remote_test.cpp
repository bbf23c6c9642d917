// Remote-control scripts: arrow keys handed to the root one turn at a time,
// with the focused control checked after each key.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "root_fixture.h"

namespace {

using RootTest::Key;
using RootTest::Log;
using RootTest::RootFixture;
using RootTest::TestCtrl;
using RootTest::TestForm;

const std::map<std::string, uint16_t> kKeys = {
    {"up", Key::Up},     {"down", Key::Down}, {"left", Key::Left},
    {"right", Key::Right}, {"ok", 1},
};

// A screen with a 3 x 3 grid of buttons (the middle one disabled) and a wide
// button below the grid:
//
//   r0c0 r0c1 r0c2
//   r1c0 ---- r1c2
//   r2c0 r2c1 r2c2
//   [     wide     ]
class Remote : public RootFixture {
 protected:
  void SetUp() override {
    RootFixture::SetUp();
    screen = MakeForm("screen", {0, 0, 960, 540}, root);
    for (int row = 0; row < 3; ++row)
      for (int col = 0; col < 3; ++col) {
        const std::string name = "r" + std::to_string(row) + "c" + std::to_string(col);
        MakeCtrl(name, {col * 120, row * 60, col * 120 + 100, row * 60 + 40}, screen);
      }
    MakeCtrl("wide", {0, 200, 340, 240}, screen);
    Ctrl("r1c1")->OnSetEnabled(false);
    root->OnSetFocus(screen);
    screen->SelectFirst();
    Turn();
  }

  TestCtrl* Ctrl(const std::string& name) {
    for (Core::View* v = screen->firstView; v; v = v->nextView)
      if (auto* c = vg_cast<TestCtrl>(v); c && c->name == name) return c;
    return nullptr;
  }
  // The rest of a turn of the GUI loop after a dispatch.
  void Turn() {
    VgProcessSignals();
    VgReclaimMemory();
  }
  // Runs "key expected-focus" lines; stops at the first mismatch.
  void Play(TestForm* form, const std::string& script) {
    std::istringstream lines(script);
    std::string key;
    std::string expected;
    int step = 0;
    while (lines >> key >> expected) {
      ++step;
      ASSERT_TRUE(kKeys.count(key)) << "unknown key " << key;
      root->DispatchEvent(Key(kKeys.at(key)));
      Turn();
      auto* focused = vg_cast<TestCtrl>(form->Focus.get());
      ASSERT_NE(focused, nullptr) << "step " << step << " (" << key << "): nothing focused";
      ASSERT_EQ(focused->name, expected) << "step " << step << " (" << key << ")";
      ASSERT_TRUE(focused->Focused);
      ASSERT_EQ(focused->CtrlState, Forms::Ctrl::StateFocused);
    }
  }

  TestForm* screen = nullptr;
};

TEST_F(Remote, ArrowsMoveAroundTheGrid) {
  Play(screen, R"(
    right r0c1
    right r0c2
    right r0c2
    down  r1c2
    down  r2c2
    down  wide
    down  wide
    up    r2c1
    up    r0c1
    left  r0c0
    left  r0c0
    down  r1c0
    down  r2c0
    up    r1c0
    right r2c1
    right r2c2
    left  r2c1
    left  r2c0
    up    r1c0
    up    r0c0
    up    r0c0
  )");
  // Only the focused control shows the focused state.
  int focused = 0;
  for (Core::View* v = screen->firstView; v; v = v->nextView)
    if (auto* c = vg_cast<TestCtrl>(v)) focused += c->CtrlState == Forms::Ctrl::StateFocused;
  EXPECT_EQ(focused, 1);
}

TEST_F(Remote, ADisabledButtonIsStepppedOverAndReenabledOneIsReached) {
  Play(screen, R"(
    down  r1c0
    right r2c1
    up    r0c1
  )");
  Ctrl("r1c1")->OnSetEnabled(true);
  Play(screen, R"(
    down  r1c1
    left  r1c0
    right r1c1
    right r1c2
  )");
  // Disabling the focused button passes the focus on to the next one.
  Ctrl("r1c2")->OnSetEnabled(false);
  Turn();
  EXPECT_EQ(screen->Focus.get(), Ctrl("r2c0"));
  EXPECT_EQ(Ctrl("r1c2")->CtrlState, Forms::Ctrl::StateDisabled);
}

TEST_F(Remote, AModalDialogKeepsTheArrowsToItself) {
  Play(screen, "right r0c1");
  TestForm* dialog = MakeForm("dialog", {300, 300, 700, 400}, root);
  MakeCtrl("yes", {20, 20, 120, 60}, dialog);
  MakeCtrl("no", {220, 20, 320, 60}, dialog);
  dialog->SelectFirst();
  root->BeginModal(dialog, nullptr);
  Turn();
  EXPECT_EQ(screen->Focus.get(), Ctrl("r0c1"));
  EXPECT_FALSE(Ctrl("r0c1")->Focused);

  Play(dialog, R"(
    right no
    down  no
    left  yes
  )");
  // A key the dialog leaves reaches the root and nothing behind the dialog.
  Log().clear();
  root->DispatchEvent(Key(1));
  EXPECT_EQ(Log(), "yes dialog root ");

  root->EndModal(nullptr);
  Turn();
  Play(screen, "down r2c1 right r2c2");
}

}  // namespace
