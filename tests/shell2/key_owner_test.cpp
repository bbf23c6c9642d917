// The key owner's rules, each a function of a stack of screens in the three
// sub-systems (drawn here sub-system by sub-system: non-menu, menus, factory).
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "SubSystem/KeyOwner.h"
#include "SubSystem/Open.h"
#include "shell_fixture.h"

namespace KeyOwnerTests {
// A passing notice that uses the volume keys itself.
class Notice : public ShellTest::Screen {
  VG_CLASS()
 public:
  bool GivesWay() const override { return true; }
  bool LeavesWithTheKeys() const override { return true; }
  bool UsesKey(uint16_t code) const override { return code == Key::VolumeUp; }
};
// A sub-system that notes what it hears of the keys, in order.
class Follower : public SubSystem::SubSystemClass {
  VG_CLASS()
 public:
  void KeysSettled() override { heard += "settled "; }
  void AfterScreenLeft() override {
    heard += "left ";
    if (onLeft) onLeft();
  }
  std::string heard;
  std::function<void()> onLeft;
};
}  // namespace KeyOwnerTests
VG_DEFINE_CLASS(KeyOwnerTests, Notice, ShellTest::Screen)
VG_DEFINE_CLASS(KeyOwnerTests, Follower, SubSystem::SubSystemClass)

namespace {

using KeyOwnerTests::Notice;
using ShellTest::Screen;
using Owner = SubSystem::KeyOwner;

class KeyOwnerTest : public ShellTest::ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    StartTheThree();
    Owner::Get()->Direct(app);
  }
  void TearDown() override {
    Owner::Get()->Direct(nullptr);
    ShellFixture::TearDown();
  }
  // Opened into the sub-system and, unless told, given its focus there.
  template <class T = Screen>
  T* Place(Core::Group* system, int32_t layer, VgRect bounds, bool focus = true) {
    auto* screen = VgNew<T>();
    screen->Layer = layer;
    screen->Bounds = bounds;
    Open(screen, system);
    if (focus) system->OnSetFocus(screen);
    return screen;
  }
};

TEST_F(KeyOwnerTest, HelpLinesAndTheFocusOfALeavingScreenGoByTheKeys) {
  Screen* library = Place(nonMenu, 1, {0, 0, 960, 540});
  Screen* keyboard = Place(nonMenu, 256, {0, 0, 100, 100});
  Screen* bar = Place(nonMenu, 0x10000, {0, 0, 100, 100});
  app->OnSetFocus(nonMenu);
  EXPECT_EQ(Owner::WhoseHelpLine({library, nullptr, bar}), 2);
  EXPECT_EQ(Owner::WhoseHelpLine({library, nullptr}), 1) << "while no teller has the keys, the line told for none";
  EXPECT_TRUE(Owner::KeepsHelpLine(bar) && Owner::KeepsHelpLine(nullptr) && !Owner::KeepsHelpLine(library));
  keyboard->Asker = library;
  library->PreemptiveFocus = true;
  EXPECT_EQ(Owner::ClaimantOfTheFocus(nonMenu, bar), keyboard) << "the claimant with the pop-up it asked for";
  library->PreemptiveFocus = false;
  Place(nonMenu, 512, {0, 500, 960, 540}, false)->FocusOnOpen = false;
  bar->Close();
  EXPECT_EQ(nonMenu->Focus.get(), keyboard) << "the topmost that takes keys: the help bar takes none";
  Screen* page = Place(nonMenu, 32, {200, 100, 700, 400}, false);
  page->OnSetVisible(false);
  keyboard->Asker = page;
  library->PreemptiveFocus = true;
  keyboard->Close();
  EXPECT_EQ(nonMenu->Focus.get(), page) << "unanswered, to the hidden screen that asked, before a claimant";
  Screen* list = Open(MakeScreen("list", 0, 0), page);
  Screen* question = Place(nonMenu, 256, {0, 0, 100, 100});
  question->Asker = list;
  question->Close();
  EXPECT_EQ(nonMenu->Focus.get(), page) << "asked by a list, to the screen that holds it";
}

TEST_F(KeyOwnerTest, AKeyOpensNoScreenUnderAScreenThatTakesKeys) {
  Place(nonMenu, 128, {0, 0, 400, 300});
  app->OnSetFocus(nonMenu);
  auto* list = VgNew<Screen>();
  auto* notice = VgNew<Notice>();
  list->Layer = notice->Layer = 32;
  EXPECT_FALSE(Owner::OpensUnderTheKeys(nonMenu, list)) << "an event may open it";
  const Owner::KeyAsking asking;
  EXPECT_TRUE(Owner::OpensUnderTheKeys(nonMenu, list));
  EXPECT_FALSE(Owner::OpensUnderTheKeys(nonMenu, notice)) << "a notice opens anywhere";
  Place<Notice>(nonMenu, 0x10000, {0, 0, 100, 100});
  EXPECT_TRUE(Owner::OpensUnderTheKeys(nonMenu, list)) << "nor under the dialog, beside the keys";
  list->Bounds = {500, 400, 600, 500};
  EXPECT_FALSE(Owner::OpensUnderTheKeys(nonMenu, list)) << "clear of it, a notice with the keys gives way";
}

TEST_F(KeyOwnerTest, AKeyANoticeHasNoUseForGoesToTheScreenUnderIt) {
  Screen* page = Place(menu, 4, {160, 0, 960, 540});
  Screen* dialog = Place(nonMenu, 128, {0, 0, 400, 300});
  auto* message = Place<Notice>(nonMenu, 1024, {0, 0, 400, 100});
  auto* volume = Place<Notice>(factory, 0x10000, {0, 400, 400, 500});
  EXPECT_EQ(Owner::ScreenUnder(volume), page) << "on top of the dialog, where the two overlap";
  page->FocusOnOpen = false;
  EXPECT_EQ(Owner::ScreenUnder(volume), dialog) << "past a display, and the message, a notice too";
  EXPECT_EQ(Owner::ScreenUnder(message), dialog);
  app->OnSetFocus(factory);
  EXPECT_EQ(Owner::Get()->ViewersScreen(), dialog) << "the bar has the keys; the viewer answers the dialog";
  Owner::Get()->Route(RootTest::Key(Key::VolumeUp));
  EXPECT_EQ(app->Focus.get(), factory) << "the bar uses the volume keys";
  Owner::Get()->Route(RootTest::Key(Key::Input));
  EXPECT_EQ(nonMenu->Focus.get(), dialog);
  EXPECT_EQ(app->Focus.get(), nonMenu) << "INPUT is the dialog's";
  EXPECT_EQ(Owner::Get()->ViewersScreen(), dialog);
}

TEST_F(KeyOwnerTest, AKeyAPopUpDeclinesIsItsAskersAndWhatItAsksForOpensOnlyAboveThePopUp) {
  Screen* dialog = Place(nonMenu, 128, {0, 0, 400, 300});
  Screen* popUp = Place(nonMenu, 256, {0, 0, 200, 200});
  dialog->name = "dialog";
  popUp->name = "popUp";
  popUp->Asker = dialog;
  app->OnSetFocus(nonMenu);
  RootTest::Log().clear();
  EXPECT_EQ(nonMenu->DispatchEvent(RootTest::Key(Key::Red)), nullptr);
  EXPECT_EQ(RootTest::Log(), "popUp:key dialog:key ");
  dialog->take = true;
  EXPECT_EQ(nonMenu->DispatchEvent(RootTest::Key(Key::Red)), dialog) << "taken, it rises no further";
  auto* second = VgNew<Screen>();
  second->Layer = 256;
  EXPECT_TRUE(Owner::OpensUnderTheKeys(nonMenu, second, dialog)) << "in the pop-up's place";
  second->Layer = 32;
  EXPECT_TRUE(Owner::OpensUnderTheKeys(nonMenu, second, dialog)) << "under it";
  EXPECT_FALSE(Owner::OpensUnderTheKeys(nonMenu, second, nullptr)) << "asked by none, for an event";
  second->Layer = 1024;
  EXPECT_FALSE(Owner::OpensUnderTheKeys(nonMenu, second, dialog)) << "above it";
  second->Layer = 256;
  nonMenu->OnSetFocus(dialog);
  EXPECT_FALSE(Owner::OpensUnderTheKeys(nonMenu, second, dialog)) << "the dialog has the keys again";
}

TEST_F(KeyOwnerTest, AskersThatNameEachOtherInALoopHoldUpNoWalk) {
  Screen* question = Open(MakeScreen("question", 0, 128), nonMenu);
  Screen* keyboard = Open(MakeScreen("keyboard", 0, 256), nonMenu);
  question->Asker = keyboard;
  keyboard->Asker = question;
  nonMenu->OnSetFocus(keyboard);
  app->OnSetFocus(nonMenu);
  {
    const Owner::KeyAsking asking;
    EXPECT_EQ(SubSystem::Open(nonMenu, {.screen = &ShellTest::NonMenuScreen::Class}), nullptr)
        << "opening a screen under the keyboard, which stays, looks along its askers and ends";
  }
  RootTest::Log().clear();
  EXPECT_EQ(nonMenu->DispatchEvent(RootTest::Key(Key::Red)), nullptr);
  EXPECT_EQ(RootTest::Log(), "keyboard:key question:key ") << "each hears the declined key once";
  RootTest::Log().clear();
  EXPECT_EQ(keyboard->DispatchEvent(VgNew<Core::Event>()), nullptr);
  EXPECT_EQ(RootTest::Log(), "keyboard:event question:event ") << "and each an event of the set once";
  EXPECT_FALSE(Owner::AskedBy(keyboard, nonMenu));
  EXPECT_FALSE(NonMenuSystem::NonMenuSystem::ClearsWithADevice([](Primitives::KeyRoutingForm*) { return false; }));
  Screen* list = Open(MakeScreen("list", 0, 0), question);
  keyboard->Asker = list;
  question->Asker = nullptr;
  EXPECT_TRUE(Owner::AskedBy(keyboard, question)) << "through the list it holds";
  EXPECT_TRUE(NonMenuSystem::NonMenuSystem::ClearsWithADevice(
      [question](Primitives::KeyRoutingForm* form) { return form == question; }))
      << "the keyboard answers the device's screen through its list";
}

TEST_F(KeyOwnerTest, ASubSystemThatTookAKeyGetsNoKeysWhileAnotherHasTheScreenOnTop) {
  Screen* service = Place(factory, 4096, {600, 0, 960, 100});
  Screen* question = Place(nonMenu, 32, {0, 300, 470, 490});
  app->OnSetFocus(nonMenu);
  Owner* owner = Owner::Get();
  EXPECT_FALSE(owner->Request(factory, Owner::Reason::Handled)) << "the question came after, beside it";
  EXPECT_TRUE(owner->Request(factory, Owner::Reason::Asked));
  app->OnSetFocus(nonMenu);
  question->Close();
  EXPECT_TRUE(owner->Request(factory, Owner::Reason::Handled));
  EXPECT_EQ(factory->Focus.get(), service);
  EXPECT_FALSE(owner->Request(VgNew<Screen>(), Owner::Reason::Opened)) << "a screen no sub-system holds";
  EXPECT_EQ(owner->Menus(), menu) << "a shortcut of the menus gives the keys back there";
}

// A key's work moves the focus, opens and closes screens, and leaves work
// for later in the pass (a screen that a key's work closes after the key):
// the owner settles once, after all of it, and the sub-systems hear of the
// screens that left before the keys are settled, so that what they move
// then is settled too.
TEST_F(KeyOwnerTest, TheOwnerSettlesOnceAPassAfterThePassesWork) {
  auto* follower = StartSubSystem<KeyOwnerTests::Follower>();
  VgProcessSignals();
  follower->heard.clear();
  Screen* dialog = Place(nonMenu, 128, {0, 0, 400, 300});
  Screen* bar = Place(nonMenu, 0x10000, {0, 0, 100, 100});
  app->OnSetFocus(nonMenu);
  Place(menu, 4, {0, 0, 960, 540}, false)->Close();
  VgPostSignal(VgSlotOf<&Primitives::KeyRoutingForm::Close>(bar));
  follower->onLeft = [this, dialog] { nonMenu->OnSetFocus(dialog); };
  VgProcessSignals();
  EXPECT_EQ(follower->heard, "left settled ") << "two screens left, one listed, the focus moved";
  EXPECT_EQ(nonMenu->Focus.get(), dialog);
  EXPECT_EQ(VgAnyPendingSignals(), 0) << "the move made as a screen left was settled with the rest";
  follower->onLeft = nullptr;
  follower->Close();
}

TEST_F(KeyOwnerTest, ASettleEndsWhenANoticeCannotLeaveAndAClosingStageIsLetGo) {
  Place(nonMenu, 128, {0, 0, 400, 300});
  auto* stray = VgNew<Notice>();
  stray->Parent = menu;  // held by another group than its Parent: its Close does nothing
  nonMenu->Add(stray, 0);
  app->OnSetFocus(nonMenu);
  Owner::Get()->Settle();
  EXPECT_EQ(stray->owner.get(), nonMenu);
  Owner::Get()->Direct(nullptr);
  EXPECT_EQ(Owner::Get()->Stage.get(), nullptr);
  EXPECT_EQ(Owner::Get()->Ground.get(), nullptr) << "the closed period's screens are not kept alive";
}

}  // namespace
