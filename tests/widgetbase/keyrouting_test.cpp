// The key-routing bases: the activate key of a control, and the open, close,
// modal and time-out frame of screens and groups, driven through the root on
// the manual clock.
#include <gtest/gtest.h>

#include <map>

#include "Core/KeyEvent.h"
#include "Core/Root.h"
#include "Primitives/KeyRoutingCtrl.h"
#include "Primitives/KeyRoutingForm.h"
#include "Primitives/KeyRoutingGroup.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Primitives/MessageDelivery.h"
#include "Structures/Message.h"
#include "root_fixture.h"
#include "widgetbase_fixture.h"

namespace {

using Primitives::KeyRoutingCtrl;
using Primitives::KeyRoutingForm;
using RootTest::ExpectPanic;
using RootTest::Key;
using RootTest::Log;
using RootTest::RootFixture;
using RootTest::TestCtrl;
using RootTest::TestForm;
using WidgetTest::Listener;
using WidgetTest::Screen;
using WidgetTest::SubSystemGroup;

class KeyRouting : public RootFixture {
 protected:
  void SetUp() override {
    RootFixture::SetUp();
    system = VgNew<SubSystemGroup>();
    system->Bounds = {0, 0, 960, 540};
    root->Add(system, 0);
    root->OnSetFocus(system);
  }
  // Opens a screen into the sub-system the way the shell does: a parameter,
  // Initialize, bounds, Open, and the focus.
  Screen* OpenScreen(const std::string& name, bool modal = false) {
    auto* screen = VgNew<Screen>();
    auto* parameter = VgNew<Primitives::KeyRoutingParameter>();
    parameter->OnSetParent(system);
    screen->Initialize(parameter);
    screen->OnSetBounds({100, 100, 500, 400});
    screen->OnSetIsModal(modal);
    screen->Open();
    if (screen->FocusOnOpen) system->OnSetFocus(screen);
    controls[screen] = MakeCtrl(name, {10, 10, 200, 50}, screen);
    screen->OnSetFocus(controls[screen]);
    return screen;
  }
  XObject* Press(uint16_t code) { return root->DispatchEvent(Key(code)); }

  SubSystemGroup* system = nullptr;
  std::map<Screen*, TestCtrl*> controls;
};

// ---------------------------------------------------------------- controls

TEST_F(KeyRouting, AControlTakesItsActivateKeyOnlyWhenSomeoneListens) {
  TestForm* form = MakeForm("form", {0, 0, 400, 300}, system);
  system->OnSetFocus(form);
  auto* button = VgNew<KeyRoutingCtrl>();
  form->Add(button, 0);
  form->OnSetFocus(button);
  auto* listener = VgNew<Listener>();
  VgLockObject(listener);

  Log().clear();
  EXPECT_EQ(Press(KeyRoutingCtrl::KeyActivate), nullptr);
  EXPECT_EQ(Log(), "form root ") << "declined without a listener: the key goes on to the form";

  button->OnSetOnActivate(listener->Slot());
  EXPECT_EQ(Press(KeyRoutingCtrl::KeyActivate), button);
  EXPECT_EQ(listener->count, 1);
  EXPECT_EQ(listener->sender, button);
  EXPECT_EQ(root->DispatchEvent(VgNew<Core::KeyEvent>()->Initialize(KeyRoutingCtrl::KeyActivate, false)), nullptr)
      << "the release is declined";
  EXPECT_EQ(Press(12), nullptr);
  button->OnSetActivateKey(12);
  EXPECT_EQ(Press(12), button);
  EXPECT_EQ(listener->count, 2);

  // Focus changes are reported as they happen.
  auto* other = VgNew<KeyRoutingCtrl>();
  form->Add(other, 0);
  button->OnSetOnUnfocus(listener->Slot());
  form->OnSetFocus(other);
  EXPECT_EQ(listener->count, 3);
  VgUnlockObject(listener);
}

// ---------------------------------------------------------------- screens

TEST_F(KeyRouting, AScreenOpensIntoItsParentAndClosesOutOfIt) {
  auto* screen = VgNew<Screen>();
  screen->Open();
  EXPECT_EQ(screen->owner.get(), nullptr) << "no parent: nothing happens";
  screen->Initialize(nullptr);
  EXPECT_EQ(screen->Parent.get(), nullptr);

  Screen* opened = OpenScreen("a");
  EXPECT_EQ(opened->owner.get(), system);
  EXPECT_EQ(system->registered, (std::vector<KeyRoutingForm*>{opened})) << "through the parent's Add";
  EXPECT_TRUE(opened->timeOutTimer.OnGetEnabled());
  ExpectPanic([&] { opened->Open(); }, "View already in a group");

  opened->Close();
  EXPECT_EQ(opened->owner.get(), nullptr);
  EXPECT_TRUE(system->registered.empty());
  EXPECT_FALSE(opened->timeOutTimer.OnGetEnabled());
  opened->Open();
  EXPECT_EQ(opened->owner.get(), system) << "a closed screen opens again";
}

TEST_F(KeyRouting, AStaleCloseLeavesTheScreenAndItsTimerAlone) {
  Screen* screen = OpenScreen("a");
  auto* elsewhere = VgNew<Core::Group>();
  root->Add(elsewhere, 0);
  system->Remove(screen);
  elsewhere->Add(screen, 0);
  screen->Close();
  EXPECT_EQ(screen->owner.get(), elsewhere);
  EXPECT_TRUE(screen->timeOutTimer.OnGetEnabled());
}

TEST_F(KeyRouting, AScreenTimesOutAndAKeyRestartsOnlyARunningTimeOut) {
  Screen* screen = OpenScreen("a");
  Advance(6000);
  EXPECT_EQ(Press(Screen::KeyServed), screen);
  Advance(9999);
  EXPECT_EQ(screen->owner.get(), system) << "the key started the time-out afresh";
  Advance(1);
  EXPECT_EQ(screen->owner.get(), nullptr) << "its handler closed it";

  // A key reaching a closed screen does not wake its timer.
  screen->HandleEvent(Key(Screen::KeyServed));
  EXPECT_FALSE(screen->timeOutTimer.OnGetEnabled());

  // Switching a running time-out on again does not restart it.
  screen->Open();
  Advance(6000);
  screen->SetTimeout(true);
  Advance(4000);
  EXPECT_EQ(screen->owner.get(), nullptr);
}

TEST_F(KeyRouting, ANewTimeOutValueAppliesAtOnceWhileRunning) {
  Screen* screen = OpenScreen("a");
  Advance(3000);
  screen->OnSetTimeOutValue(2000);
  Advance(1999);
  EXPECT_EQ(screen->owner.get(), system);
  Advance(1);
  EXPECT_EQ(screen->owner.get(), nullptr);

  // A negative value is kept; the timer runs it as no time-out at all.
  screen->OnSetTimeOutValue(-5);
  EXPECT_EQ(screen->TimeOutValue, -5);
  EXPECT_EQ(screen->timeOutTimer.OnGetBegin(), 0);
  screen->Open();
  Advance(60000);
  EXPECT_EQ(screen->owner.get(), system);
}

TEST_F(KeyRouting, AModalScreenTakesEveryKeyUntilItCloses) {
  Screen* below = OpenScreen("below");
  Screen* modal = OpenScreen("modal", true);
  system->OnSetFocus(below);  // the focus elsewhere does not matter to a modal screen
  EXPECT_EQ(root->modalTop.get(), modal);
  Log().clear();
  Press(40);
  EXPECT_EQ(Log(), "modal root ") << "the screen's control, then the root alone";

  modal->Close();
  EXPECT_EQ(root->modalTop.get(), nullptr);
  Log().clear();
  Press(40);
  EXPECT_EQ(Log(), "below root ");
}

TEST_F(KeyRouting, AModalScreenOpenedAwayFromTheRootOpensPlainAndClosesCleanly) {
  auto* detached = VgNew<SubSystemGroup>();
  VgLockObject(detached);
  auto* screen = VgNew<Screen>();
  screen->OnSetParent(detached);
  screen->OnSetIsModal(true);
  screen->Open();
  EXPECT_EQ(root->modalTop.get(), nullptr);
  system->Add(detached, 0);  // now the screen has a root, but is not modal on it
  screen->Close();
  EXPECT_EQ(screen->owner.get(), nullptr);
  VgUnlockObject(detached);
}

// ----------------------------------------------------------------- groups

TEST_F(KeyRouting, AGroupOpensClosesAndTimesOutThroughItsCurrentHandler) {
  auto* group = VgNew<Primitives::KeyRoutingGroup>();
  auto* parameter = VgNew<Primitives::KeyRoutingParameter>();
  parameter->OnSetParent(system);
  group->Initialize(parameter);
  group->Open();
  EXPECT_EQ(group->owner.get(), system);
  EXPECT_TRUE(group->timeOutTimer.OnGetEnabled());

  auto* listener = VgNew<Listener>();
  VgLockObject(listener);
  group->OnSetOnTimeOut(listener->Slot());
  Advance(5000);
  group->ResetTimeout();
  Advance(9999);
  EXPECT_EQ(listener->count, 0);
  Advance(1);
  EXPECT_EQ(listener->count, 1) << "a handler set after construction is heard";

  group->Close();
  EXPECT_EQ(group->owner.get(), nullptr);
  group->ResetTimeout();
  EXPECT_FALSE(group->timeOutTimer.OnGetEnabled());
  VgUnlockObject(listener);
}

// A screen's lists are initialised with the screen as their parent, some
// straight inside it, some inside a group of its own (the guide's columns).
TEST_F(KeyRouting, AScreenClosesTheFormsItHostsWithItself) {
  Screen* screen = OpenScreen("a");
  auto* hostedHere = VgNew<Screen>();
  auto* column = VgNew<Core::Group>();
  auto* hostedInColumn = VgNew<Screen>();
  auto* ownParent = VgNew<Screen>();
  auto* inner = VgNew<Screen>();
  screen->Add(hostedHere, 0);
  screen->Add(column, 0);
  column->Add(hostedInColumn, 0);
  column->Add(ownParent, 0);
  hostedHere->Add(inner, 0);
  for (Screen* hosted : {hostedHere, hostedInColumn}) hosted->OnSetParent(screen);
  ownParent->OnSetParent(column);
  inner->OnSetParent(hostedHere);
  for (Screen* form : {hostedHere, hostedInColumn, ownParent, inner}) {
    form->SetTimeout(true);
    EXPECT_FALSE(form->IsClosed());
  }
  auto* loose = VgNew<Screen>();
  EXPECT_FALSE(loose->IsClosed()) << "a form never opened into anything is not closed";

  screen->Close();
  EXPECT_TRUE(screen->IsClosed());
  EXPECT_EQ(hostedHere->owner.get(), nullptr) << "closed out of its parent";
  EXPECT_FALSE(hostedHere->timeOutTimer.OnGetEnabled());
  EXPECT_FALSE(inner->timeOutTimer.OnGetEnabled()) << "closed by the form that hosts it";
  EXPECT_EQ(inner->owner.get(), nullptr);
  EXPECT_TRUE(hostedInColumn->IsClosed()) << "its parent is closed";
  EXPECT_EQ(hostedInColumn->owner.get(), column) << "not in its parent: the close leaves it where it is";
  EXPECT_TRUE(ownParent->timeOutTimer.OnGetEnabled()) << "hosted by the column, which is no form";
  EXPECT_FALSE(ownParent->IsClosed());

  auto* moved = OpenScreen("b");
  system->Remove(moved);
  EXPECT_TRUE(moved->IsClosed()) << "out of the parent it was opened into";
}

TEST_F(KeyRouting, OnlyReceiversThatAreNotClosedAreServed) {
  Screen* screen = OpenScreen("a");
  auto* list = VgNew<Screen>();
  screen->Add(list, 0);
  list->OnSetParent(screen);
  auto* message = VgNew<Structures::Message>();
  Primitives::DeliverMessage(list, message);
  EXPECT_EQ(list->messages, 1);
  EXPECT_TRUE(Primitives::Receives(system));

  // A stale registration of a closed screen or of its list is not served.
  system->Remove(screen);
  Primitives::DeliverMessage(screen, message);
  Primitives::DeliverMessage(list, message);
  EXPECT_EQ(screen->messages, 0);
  EXPECT_EQ(list->messages, 1);

  // Nor is a sub-system taken out of the group that held it.
  auto* holder = VgNew<Primitives::KeyRoutingGroup>();
  root->Add(holder, 0);
  auto* removed = VgNew<SubSystemGroup>();
  auto* parameter = VgNew<Primitives::KeyRoutingParameter>();
  parameter->OnSetParent(holder);
  removed->Initialize(parameter);
  removed->Open();
  Primitives::DeliverMessage(removed, message);
  holder->Remove(removed);
  Primitives::DeliverMessage(removed, message);
  EXPECT_EQ(removed->messages, 1);
  EXPECT_FALSE(Primitives::Receives(removed));
}

TEST_F(KeyRouting, MessagesReachScreensAndGroupsOnly) {
  Screen* screen = OpenScreen("a");
  auto* message = VgNew<Structures::Message>();
  Primitives::DeliverMessage(screen, message);
  Primitives::DeliverMessage(system, message);
  Primitives::DeliverMessage(root, message);
  Primitives::DeliverMessage(nullptr, message);
  EXPECT_EQ(screen->messages, 1);
  EXPECT_EQ(system->messages, 1);
}

}  // namespace
