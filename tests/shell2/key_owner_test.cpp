// The key owner's rules, each a function of a stack of screens in the three
// sub-systems: whose help line shows, where the focus goes when a screen
// leaves, what a key may open under the screen with the keys, where a key
// past a notice goes, and which requests for the keys it grants.
#include <gtest/gtest.h>

#include "SubSystem/KeyOwner.h"
#include "shell_fixture.h"

namespace KeyOwnerTests {

// A passing notice (a message, the volume bar) that uses one key itself.
class Notice : public ShellTest::Screen {
  VG_CLASS()
 public:
  bool GivesWay() const override { return true; }
  bool LeavesWithTheKeys() const override { return leaves; }
  bool UsesKey(uint16_t code) const override { return code == used; }
  uint16_t used = 0;
  bool leaves = false;
};

// The service menu's kind: it hears some keys while another screen has them.
class Panel : public ShellTest::Screen {
  VG_CLASS()
 public:
  bool HearsBesideTheKeys(Core::KeyEvent*) const override { return true; }
};

}  // namespace KeyOwnerTests

VG_DEFINE_CLASS(KeyOwnerTests, Notice, ShellTest::Screen)
VG_DEFINE_CLASS(KeyOwnerTests, Panel, ShellTest::Screen)

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
  // A screen opened into the sub-system, placed, and given its keys there.
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

  NonMenuSystem::NonMenuSystem* nonMenu = nullptr;
  MenuSystem::MenuSystem* menu = nullptr;
  FactorySystem::FactorySystem* factory = nullptr;
  Owner* owner = nullptr;
};

TEST_F(KeyOwnerTest, TheHelpLineShownIsTheOneOfTheScreenWithTheKeys) {
  Screen* under = Place(nonMenu, "under", 32, {0, 0, 100, 100});
  Screen* top = Place(nonMenu, "top", 128, {0, 0, 100, 100});
  app->OnSetFocus(nonMenu);
  EXPECT_EQ(Owner::WhoseHelpLine({under, nullptr, top}), 2);
  nonMenu->OnSetFocus(under);
  EXPECT_EQ(Owner::WhoseHelpLine({nullptr, top, under}), 2);
  EXPECT_EQ(Owner::WhoseHelpLine({top, nullptr}), 1) << "while no teller has the keys, the line told for none";
  EXPECT_EQ(Owner::WhoseHelpLine({top}), -1);
  EXPECT_TRUE(Owner::KeepsHelpLine(under));
  EXPECT_TRUE(Owner::KeepsHelpLine(nullptr));
  EXPECT_FALSE(Owner::KeepsHelpLine(top));
}

TEST_F(KeyOwnerTest, TheFocusOfAScreenThatLeavesGoesToAClaimantElseToTheTopmostThatTakesKeys) {
  Screen* library = Place(nonMenu, "library", 1, {0, 0, 960, 540});
  Screen* keyboard = Place(nonMenu, "keyboard", 256, {0, 0, 100, 100});
  Screen* bar = Place(nonMenu, "bar", 0x10000, {0, 0, 100, 100});
  keyboard->Asker = library;
  library->PreemptiveFocus = true;
  EXPECT_EQ(Owner::ClaimantOfTheFocus(nonMenu, bar), keyboard) << "the claimant with the pop-up it asked for";
  keyboard->Asker = nullptr;
  EXPECT_EQ(Owner::ClaimantOfTheFocus(nonMenu, bar), library);
  library->PreemptiveFocus = false;
  EXPECT_EQ(Owner::ClaimantOfTheFocus(nonMenu, bar), nullptr);
  Screen* helpBar = Place(nonMenu, "help", 512, {0, 500, 960, 540}, false);
  helpBar->FocusOnOpen = false;
  EXPECT_EQ(Owner::NextWithTheKeys(nonMenu, bar), keyboard) << "the help bar takes no keys";
  bar->Close();
  EXPECT_EQ(nonMenu->Focus.get(), keyboard);
}

TEST_F(KeyOwnerTest, AKeyOpensNoScreenUnderTheOneWithTheKeys) {
  Screen* dialog = Place(nonMenu, "dialog", 128, {0, 0, 400, 300});
  app->OnSetFocus(nonMenu);
  auto* list = VgNew<Screen>();
  list->Layer = 32;
  EXPECT_FALSE(Owner::OpensUnderTheKeys(nonMenu, list)) << "an event may open it";
  {
    const Owner::KeyAsking asking;
    EXPECT_TRUE(Owner::OpensUnderTheKeys(nonMenu, list));
    list->Layer = 256;
    EXPECT_FALSE(Owner::OpensUnderTheKeys(nonMenu, list)) << "it opens over the dialog";
    list->Layer = 32;
    auto* notice = VgNew<Notice>();
    notice->Layer = 32;
    EXPECT_FALSE(Owner::OpensUnderTheKeys(nonMenu, notice)) << "a notice opens anywhere";
    Place<Notice>(nonMenu, "volume", 0x10000, {0, 0, 100, 100});
    EXPECT_FALSE(Owner::OpensUnderTheKeys(nonMenu, list)) << "a notice with the keys gives way";
  }
  nonMenu->OnSetFocus(dialog);
  EXPECT_FALSE(Owner::OpensUnderTheKeys(nonMenu, list)) << "once the key is done";
}

TEST_F(KeyOwnerTest, AKeyANoticeHasNoUseForGoesToTheScreenUnderIt) {
  Screen* page = Place(menu, "page", 4, {160, 0, 960, 540});
  Screen* dialog = Place(nonMenu, "dialog", 128, {0, 0, 400, 300});
  auto* message = Place<Notice>(nonMenu, "message", 1024, {0, 0, 400, 100});
  auto* volume = Place<Notice>(factory, "volume", 0x10000, {0, 400, 400, 500});
  volume->used = Key::VolumeUp;
  // Drawn here sub-system by sub-system: the non-menu screens, the page, the bar.
  EXPECT_EQ(Owner::ScreenUnder(volume), page);
  page->FocusOnOpen = false;
  EXPECT_EQ(Owner::ScreenUnder(volume), dialog) << "past a display, and the message, a notice too";
  EXPECT_EQ(Owner::ScreenUnder(message), dialog);

  app->OnSetFocus(factory);
  EXPECT_EQ(owner->Route(RootTest::Key(Key::VolumeUp)), nullptr);
  EXPECT_EQ(factory->Focus.get(), volume) << "the bar uses the volume keys";
  EXPECT_EQ(owner->Route(RootTest::Key(Key::Input)), nullptr);
  EXPECT_EQ(app->Focus.get(), nonMenu) << "INPUT is the dialog's";
  EXPECT_EQ(nonMenu->Focus.get(), dialog);

  auto* panel = Place<KeyOwnerTests::Panel>(factory, "panel", 4096, {600, 0, 960, 100}, false);
  panel->take = true;
  EXPECT_EQ(owner->Route(RootTest::Key(Key::ChannelUp)), panel) << "the panel hears its keys beside the keys";
  EXPECT_EQ(nonMenu->Focus.get(), dialog);
}

TEST_F(KeyOwnerTest, ASubSystemThatTookAKeyGetsNoKeysFromAScreenThatLiesOverItsOwn) {
  Screen* service = Place(factory, "service", 4096, {600, 0, 960, 100});
  Screen* question = Place(nonMenu, "question", 32, {0, 300, 470, 490});
  app->OnSetFocus(nonMenu);
  EXPECT_FALSE(owner->Request(factory, Owner::Reason::Handled)) << "the question came after, beside it";
  EXPECT_EQ(app->Focus.get(), nonMenu);
  EXPECT_TRUE(owner->Request(factory, Owner::Reason::Asked));
  EXPECT_EQ(app->Focus.get(), factory);
  app->OnSetFocus(nonMenu);
  question->Close();
  EXPECT_TRUE(owner->Request(factory, Owner::Reason::Handled));
  EXPECT_EQ(factory->Focus.get(), service);

  service->Close();
  Place(nonMenu, "dialog", 128, {0, 0, 400, 300});
  app->OnSetFocus(nonMenu);
  EXPECT_FALSE(owner->Request(factory, Owner::Reason::Handled)) << "nothing in focus takes no keys from a screen";
  auto* closed = VgNew<Screen>();
  EXPECT_FALSE(owner->Request(closed, Owner::Reason::Answered)) << "a screen no sub-system holds";
}

TEST_F(KeyOwnerTest, ASettleEndsWhenANoticeCannotLeaveAndAClosingStageIsLetGo) {
  Place(nonMenu, "dialog", 128, {0, 0, 400, 300});
  auto* stray = VgNew<Notice>();
  stray->leaves = true;
  stray->Layer = 0x10000;
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
