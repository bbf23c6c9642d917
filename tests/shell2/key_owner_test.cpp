// The key owner's rules, each a function of a stack of screens in the three
// sub-systems (drawn here sub-system by sub-system: non-menu, menus, factory).
#include <gtest/gtest.h>

#include "SubSystem/KeyOwner.h"
#include "shell_fixture.h"

namespace KeyOwnerTests {

// A passing notice that uses one key itself.
class Notice : public ShellTest::Screen {
  VG_CLASS()
 public:
  bool GivesWay() const override { return true; }
  bool LeavesWithTheKeys() const override { return leaves; }
  bool UsesKey(uint16_t code) const override { return code == used; }
  uint16_t used = 0;
  bool leaves = false;
};

}  // namespace KeyOwnerTests

VG_DEFINE_CLASS(KeyOwnerTests, Notice, ShellTest::Screen)

namespace {

using KeyOwnerTests::Notice;
using ShellTest::Screen;
using Owner = SubSystem::KeyOwner;

class KeyOwnerTest : public ShellTest::ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    nonMenu = StartSubSystem<NonMenuSystem::NonMenuSystem>();
    menu = StartSubSystem<MenuSystem::MenuSystem>();
    factory = StartSubSystem<FactorySystem::FactorySystem>();
    owner = Owner::Get();
    owner->Direct(app);
  }
  void TearDown() override {
    owner->Direct(nullptr);
    ShellFixture::TearDown();
  }
  // Opened into the sub-system and, unless told, given its focus there.
  template <class T = Screen>
  T* Place(Core::Group* system, const char* name, int32_t layer, VgRect bounds, bool focus = true) {
    auto* screen = VgNew<T>();
    screen->name = name;
    screen->Layer = layer;
    screen->Bounds = bounds;
    Open(screen, system);
    if (focus) system->OnSetFocus(screen);
    return screen;
  }

  NonMenuSystem::NonMenuSystem* nonMenu;
  MenuSystem::MenuSystem* menu;
  FactorySystem::FactorySystem* factory;
  Owner* owner;
};

TEST_F(KeyOwnerTest, HelpLinesAndTheFocusOfALeavingScreenGoByTheKeys) {
  Screen* library = Place(nonMenu, "library", 1, {0, 0, 960, 540});
  Screen* keyboard = Place(nonMenu, "keyboard", 256, {0, 0, 100, 100});
  Screen* bar = Place(nonMenu, "bar", 0x10000, {0, 0, 100, 100});
  app->OnSetFocus(nonMenu);
  EXPECT_EQ(Owner::WhoseHelpLine({library, nullptr, bar}), 2);
  EXPECT_EQ(Owner::WhoseHelpLine({library, nullptr}), 1) << "while no teller has the keys, the line told for none";
  EXPECT_EQ(Owner::WhoseHelpLine({library}), -1);
  EXPECT_TRUE(Owner::KeepsHelpLine(bar) && Owner::KeepsHelpLine(nullptr));
  EXPECT_FALSE(Owner::KeepsHelpLine(library));
  keyboard->Asker = library;
  library->PreemptiveFocus = true;
  EXPECT_EQ(Owner::ClaimantOfTheFocus(nonMenu, bar), keyboard) << "the claimant with the pop-up it asked for";
  library->PreemptiveFocus = false;
  EXPECT_EQ(Owner::ClaimantOfTheFocus(nonMenu, bar), nullptr);
  Place(nonMenu, "help", 512, {0, 500, 960, 540}, false)->FocusOnOpen = false;
  bar->Close();
  EXPECT_EQ(nonMenu->Focus.get(), keyboard) << "the topmost that takes keys: the help bar takes none";
}

TEST_F(KeyOwnerTest, AKeyOpensNoScreenUnderTheOneWithTheKeys) {
  Place(nonMenu, "dialog", 128, {0, 0, 400, 300});
  app->OnSetFocus(nonMenu);
  auto* list = VgNew<Screen>();
  auto* notice = VgNew<Notice>();
  list->Layer = notice->Layer = 32;
  EXPECT_FALSE(Owner::OpensUnderTheKeys(nonMenu, list)) << "an event may open it";
  const Owner::KeyAsking asking;
  EXPECT_TRUE(Owner::OpensUnderTheKeys(nonMenu, list));
  EXPECT_FALSE(Owner::OpensUnderTheKeys(nonMenu, notice)) << "a notice opens anywhere";
  list->Layer = 256;
  EXPECT_FALSE(Owner::OpensUnderTheKeys(nonMenu, list)) << "over the dialog";
  list->Layer = 32;
  Place<Notice>(nonMenu, "volume", 0x10000, {0, 0, 100, 100});
  EXPECT_TRUE(Owner::OpensUnderTheKeys(nonMenu, list)) << "nor under the dialog, beside the keys";
  list->Bounds = {500, 400, 600, 500};
  EXPECT_FALSE(Owner::OpensUnderTheKeys(nonMenu, list)) << "clear of it, a notice with the keys gives way";
}

TEST_F(KeyOwnerTest, AKeyANoticeHasNoUseForGoesToTheScreenUnderIt) {
  Screen* page = Place(menu, "page", 4, {160, 0, 960, 540});
  Screen* dialog = Place(nonMenu, "dialog", 128, {0, 0, 400, 300});
  auto* message = Place<Notice>(nonMenu, "message", 1024, {0, 0, 400, 100});
  auto* volume = Place<Notice>(factory, "volume", 0x10000, {0, 400, 400, 500});
  volume->used = Key::VolumeUp;
  EXPECT_EQ(Owner::ScreenUnder(volume), page);
  page->FocusOnOpen = false;
  EXPECT_EQ(Owner::ScreenUnder(volume), dialog) << "past a display, and the message, a notice too";
  EXPECT_EQ(Owner::ScreenUnder(message), dialog);
  app->OnSetFocus(factory);
  EXPECT_EQ(owner->Route(RootTest::Key(Key::VolumeUp)), nullptr);
  EXPECT_EQ(app->Focus.get(), factory) << "the bar uses the volume keys";
  owner->Route(RootTest::Key(Key::Input));
  EXPECT_EQ(app->Focus.get(), nonMenu);
  EXPECT_EQ(nonMenu->Focus.get(), dialog) << "INPUT is the dialog's";
}

TEST_F(KeyOwnerTest, ASubSystemThatTookAKeyGetsNoKeysFromAScreenThatLiesOverItsOwn) {
  Screen* service = Place(factory, "service", 4096, {600, 0, 960, 100});
  Screen* question = Place(nonMenu, "question", 32, {0, 300, 470, 490});
  app->OnSetFocus(nonMenu);
  EXPECT_FALSE(owner->Request(factory, Owner::Reason::Handled)) << "the question came after, beside it";
  EXPECT_TRUE(owner->Request(factory, Owner::Reason::Asked));
  app->OnSetFocus(nonMenu);
  question->Close();
  EXPECT_TRUE(owner->Request(factory, Owner::Reason::Handled));
  EXPECT_EQ(app->Focus.get(), factory);
  service->Close();
  app->OnSetFocus(nonMenu);
  Place(nonMenu, "dialog", 128, {0, 0, 400, 300});
  EXPECT_FALSE(owner->Request(factory, Owner::Reason::Handled)) << "nothing in focus takes no keys from a screen";
  EXPECT_FALSE(owner->Request(VgNew<Screen>(), Owner::Reason::Answered)) << "a screen no sub-system holds";
}

TEST_F(KeyOwnerTest, ASettleEndsWhenANoticeCannotLeaveAndAClosingStageIsLetGo) {
  Place(nonMenu, "dialog", 128, {0, 0, 400, 300});
  auto* stray = VgNew<Notice>();
  stray->leaves = true;
  stray->Parent = menu;  // held by another group than its Parent: its Close does nothing
  nonMenu->Add(stray, 0);
  app->OnSetFocus(nonMenu);
  owner->Settle();
  EXPECT_EQ(stray->owner.get(), nonMenu);
  owner->Direct(nullptr);
  EXPECT_EQ(owner->Stage.get(), nullptr);
  EXPECT_EQ(owner->Ground.get(), nullptr) << "the closed period's screens are not kept alive";
}

}  // namespace
