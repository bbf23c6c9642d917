// Screen requests: a sub-system opens its own screens, hands another family's
// screen to its owner as a message, and passes the focus on to a screen that
// claims it when the focused one closes.
#include <gtest/gtest.h>

#include "Constants/Constants.h"
#include "Primitives/WorldEvents.h"
#include "Structures/Boxes.h"
#include "Structures/Message.h"
#include "SkinBin/UserRefInt.h"
#include "SubSystem/Open.h"
#include "SubSystem/State.h"
#include "WidgetManager/Layers.h"
#include "shell_fixture.h"

namespace {

using ShellTest::NonMenuScreen;

class SubSystemTest : public ShellTest::ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    StartTheThree();
    app->OnSetFocus(menu);
    NonMenuScreen::made = 0;
  }
  SubSystem::State* Request(const VgClass* cls, XObject* param = nullptr) {
    auto* state = VgNew<SubSystem::State>();
    state->OnSetClass(cls);
    state->Param = param;
    return state;
  }
};

}  // namespace

namespace SubSystemTests {

// A sub-system of a class derived from a concrete one: it records the
// messages that reach it.
class Listener : public FactorySystem::FactorySystem {
  VG_CLASS()
 public:
  void HandleMessage(Structures::Message* message) override {
    codes.push_back(message->Code);
    FactorySystem::HandleMessage(message);
  }
  std::vector<int32_t> codes;
};

// A screen that follows every event of the set while it is on view.
class Follower : public ShellTest::Screen {
  VG_CLASS()
 public:
  bool FollowsTheWorld(Core::Event*) const override { return true; }
};

}  // namespace SubSystemTests

VG_DEFINE_CLASS(SubSystemTests, Listener, FactorySystem::FactorySystem)
VG_DEFINE_CLASS(SubSystemTests, Follower, ShellTest::Screen)

namespace {

using SubSystemTests::Listener;

TEST_F(SubSystemTest, AScreenOfAnotherSubSystemTravelsAsAChangeOfStateAndOpensThere) {
  auto* spy = StartSubSystem<Listener>();
  auto* param = VgNew<Structures::RefInt>();
  SubSystem::State* state = Request(&NonMenuScreen::Class, param);

  Primitives::KeyRoutingForm* form = menu->ChangeState(state);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(NonMenuScreen::made, 1) << "the owner opens the very screen made for the request";
  EXPECT_EQ(state->Instance.get(), form);
  EXPECT_EQ(form->owner.get(), nonMenu);
  EXPECT_EQ(static_cast<NonMenuScreen*>(form)->param, param);
  EXPECT_EQ(nonMenu->Focus.get(), form);
  EXPECT_EQ(app->Focus.get(), nonMenu) << "the owner is focused before it opens the screen";
  EXPECT_EQ(manager->FindForm(form->WinID), form);
  EXPECT_TRUE(spy->codes.empty()) << "only the owner's exact class is addressed, not a class derived from it";
  EXPECT_TRUE(menu->firstView == nullptr);
}

TEST_F(SubSystemTest, ARequestForASubSystemThatIsNotOpenOpensNothing) {
  nonMenu->Close();
  Primitives::KeyRoutingForm* form = menu->ChangeState(Request(&NonMenuScreen::Class));
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->owner.get(), nullptr);
  EXPECT_TRUE(manager->Empty());
}

TEST_F(SubSystemTest, OwnScreensTakeBackAndNextOnlyWhereTheyHaveNone) {
  auto* screen = VgNew<NonMenuScreen>();
  screen->NextState = &SubSystem::MenuClass::Class;
  SubSystem::State* state = Request(&NonMenuScreen::Class);
  state->Instance = screen;
  state->Next = &ShellTest::Page::Class;
  state->Back = &ShellTest::Screen::Class;

  EXPECT_EQ(nonMenu->ChangeState(state), screen);
  EXPECT_EQ(screen->NextState, &SubSystem::MenuClass::Class);
  EXPECT_EQ(screen->PrevState, &ShellTest::Screen::Class);
  EXPECT_EQ(screen->owner.get(), nonMenu);
}

TEST_F(SubSystemTest, RequestsThatNameNoScreenYieldNothing) {
  EXPECT_EQ(nonMenu->ChangeState(nullptr), nullptr);
  EXPECT_EQ(nonMenu->ChangeState(Request(nullptr)), nullptr);
  testing::internal::CaptureStdout();
  EXPECT_EQ(nonMenu->ChangeState(Request(&Structures::RefInt::Class)), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "SubSystem::SubSystemClass.ChangeState: Structures::RefInt is not a screen\n");

  // A screen that names no owner comes back unopened and unlisted.
  Primitives::KeyRoutingForm* form = nonMenu->ChangeState(Request(&ShellTest::Screen::Class));
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->owner.get(), nullptr);
  EXPECT_TRUE(manager->Empty());
}

TEST_F(SubSystemTest, TheFocusPassesToAScreenThatClaimsItNearestAfterFirst) {
  ShellTest::Screen* before = Open(MakeScreen("before", 1, 1), factory);
  ShellTest::Screen* focused = Open(MakeScreen("focused", 2, 2), factory);
  ShellTest::Screen* plain = Open(MakeScreen("plain", 3, 4), factory);
  ShellTest::Screen* after = Open(MakeScreen("after", 4, 8), factory);
  before->PreemptiveFocus = true;
  after->PreemptiveFocus = true;

  factory->OnSetFocus(focused);
  focused->Close();
  EXPECT_EQ(factory->Focus.get(), after);

  factory->OnSetFocus(plain);
  after->PreemptiveFocus = false;
  plain->Close();
  EXPECT_EQ(factory->Focus.get(), before) << "then the nearest before";

  before->PreemptiveFocus = false;
  factory->OnSetFocus(before);
  before->Close();
  EXPECT_EQ(factory->Focus.get(), after) << "without a claim, the next screen";
}

TEST_F(SubSystemTest, TheMenuSystemPlacesItsPagesByLevelAndRemembersTheIndex) {
  auto* top = VgNew<ShellTest::Page>();
  top->Bounds = {50, 50, 250, 150};
  top->Layer = 2;
  SubSystem::State* state = Request(&ShellTest::Page::Class);
  state->Instance = top;
  EXPECT_EQ(menu->ChangeState(state), top);
  EXPECT_EQ(top->Bounds, (VgRect{0, 0, 200, 100}));
  EXPECT_EQ(top->MenuSystem.get(), menu);
  EXPECT_EQ(menu->Focus.get(), top);

  auto* second = VgNew<ShellTest::Page>();
  second->Bounds = {0, 0, 300, 400};
  second->MenuLevel = 2;
  auto* index = VgNew<Structures::RefInt>();
  index->Value = 4;
  state = Request(&ShellTest::Page::Class, index);
  state->Instance = second;
  menu->ChangeState(state);
  EXPECT_EQ(second->Bounds, (VgRect{160, 0, 460, 400}));
  EXPECT_EQ(menu->GetMenuIndex(2), 4);
  EXPECT_EQ(menu->GetMenuIndex(1), 1);
  EXPECT_EQ(menu->GetMenuIndex(10), 1);
  EXPECT_EQ(manager->Length(), 2);
}

}  // namespace

namespace {

TEST_F(SubSystemTest, TheOpenerOpensByClassOrNameWithItsRecordAndLogsAScreenNotBuilt) {
  // A non-menu screen named by its class name, asked of the menu system: it
  // travels to its owner and reads the opening record there.
  auto* screen = static_cast<NonMenuScreen*>(
      SubSystem::Open(menu, "ShellTest::NonMenuScreen", {.back = &ShellTest::Page::Class, .value = 7, .origin = 2}));
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(screen->owner.get(), nonMenu);
  EXPECT_EQ(screen->PrevState, &ShellTest::Page::Class);
  auto* record = vg_cast<SkinBin::UserRefInt>(screen->param);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->Value, 7);
  EXPECT_EQ(record->Kind, 2);

  // A menu page with no sub-system at hand goes to its own family.
  Primitives::KeyRoutingForm* page = SubSystem::Open(nullptr, {.screen = &ShellTest::Page::Class});
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->owner.get(), menu);

  const int listed = manager->Length();
  testing::internal::CaptureStdout();
  EXPECT_EQ(SubSystem::Open(nonMenu, "Record::NoSuchDialog"), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "SubSystem::Open: would open Record::NoSuchDialog, which is not built\n");
  EXPECT_EQ(manager->Length(), listed);
  EXPECT_EQ(nonMenu->Focus.get(), screen);
}

// The opener names the pop-up's asker in the opening; the record carries it
// to the screen's own sub-system, and the screen goes when the asker does.
TEST_F(SubSystemTest, AScreenOpenedForAnAskerClosesWithIt) {
  Primitives::KeyRoutingForm* page = SubSystem::Open(nullptr, {.screen = &ShellTest::Page::Class});
  ASSERT_NE(page, nullptr);
  Primitives::KeyRoutingForm* popup = SubSystem::Open(menu, "ShellTest::NonMenuScreen", {.value = 3, .asker = page});
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->owner.get(), nonMenu);
  EXPECT_EQ(popup->Asker.get(), page);
  EXPECT_FALSE(popup->IsOrphaned());

  page->Close();
  EXPECT_EQ(popup->owner.get(), nullptr);
  EXPECT_EQ(manager->Length(), 0);
}

}  // namespace

namespace {

using Primitives::WorldEvents;

// The stage hands an event down the focus path, then to the followers.
std::string Deliver(Core::Group* stage, Core::Event* event) {
  RootTest::Log().clear();
  WorldEvents::Deliver(stage, event, [stage, event] { return stage->DispatchEvent(event); });
  return RootTest::Log();
}

TEST_F(SubSystemTest, AnEventOfTheSetReachesTheFollowersOnViewTopFirstAndEachOnce) {
  auto* grid = VgNew<SubSystemTests::Follower>();
  auto* photo = VgNew<SubSystemTests::Follower>();
  grid->name = "grid";
  photo->name = "photo";
  grid->Layer = 1;
  photo->Layer = 2;
  Open(grid, nonMenu);
  Open(photo, nonMenu);
  ShellTest::Screen* bar = Open(MakeScreen("bar", 0x2000001, 0x10000), nonMenu);
  ShellTest::Screen* page = Open(MakeScreen("page", 0, 8), menu);
  app->OnSetFocus(nonMenu);
  nonMenu->OnSetFocus(bar);
  EXPECT_EQ(Deliver(app, VgNew<Core::Event>()), "bar:event photo:event grid:event ")
      << "the screen with the keys first; the page, which follows nothing, hears nothing";
  EXPECT_EQ(Deliver(app, VgNew<Core::KeyEvent>()->Initialize(Key::Ok, true)), "bar:key ") << "a key is no news";

  nonMenu->OnSetFocus(photo);
  EXPECT_EQ(Deliver(app, VgNew<Core::Event>()), "photo:event grid:event ") << "heard down the focus path, not again";
  page->Asker = grid;
  app->OnSetFocus(menu);
  menu->OnSetFocus(page);
  EXPECT_EQ(Deliver(app, VgNew<Core::Event>()), "page:event grid:event photo:event ")
      << "the asker heard it through its pop-up";
  // An asker inside a follower: the follower hears it as the asker's host,
  // and not again as a follower.
  ShellTest::Screen* pane = Open(MakeScreen("pane", 0, 1), grid);
  page->Asker = pane;
  EXPECT_EQ(Deliver(app, VgNew<Core::Event>()), "page:event pane:event grid:event photo:event ")
      << "the host heard it through its pane";
  pane->Close();
  page->Asker = nullptr;

  // The root delivers under a modal screen, and the focus path may deliver
  // the same event again inside it: one hearing each.
  auto* news = VgNew<Core::Event>();
  WorldEvents::Deliver(app, news, [this, news] {
    EXPECT_EQ(Deliver(app, news), "page:event photo:event grid:event ");
    RootTest::Log().clear();
    return nullptr;
  });
  EXPECT_EQ(RootTest::Log(), "") << "the root's delivery finds every follower heard";
  EXPECT_FALSE(WorldEvents::Heard(grid)) << "after the delivery, the next event is new to every screen";

  photo->OnSetVisible(false);
  EXPECT_EQ(Deliver(app, VgNew<Core::Event>()), "page:event grid:event ") << "a hidden screen is not on view";
  photo->OnSetVisible(true);
  photo->take = photo->closeOnTake = true;
  photo->afterClose = [grid] { grid->Close(); };
  EXPECT_EQ(Deliver(app, VgNew<Core::Event>()), "page:event photo:event photo grid ")
      << "the grid, closed by the photo's reaction, is skipped";
}

// What the set opens where a screen that takes keys and
// stays lies over its place waits, unlisted, and opens with the keys once
// that screen has left, and so does what the work a key left opens there; a
// question that says it waits under the keys opens there; a key that asks
// for a screen there opens nothing and leaves nothing waiting.
TEST_F(SubSystemTest, AScreenTheSetOpensUnderTheKeysWaitsUntilTheyGo) {
  SubSystem::KeyOwner::Get()->Direct(app);
  const auto request = [this](NonMenuScreen* screen) {
    SubSystem::State* state = Request(&NonMenuScreen::Class);
    screen->Bounds = {100, 100, 300, 200};
    state->Instance = screen;
    return nonMenu->ChangeState(state);
  };
  const auto settle = [] {
    for (int pass = 0; pass < 4; ++pass) VgProcessSignals();
  };
  ShellTest::Screen* dialog = Open(MakeScreen("dialog", 0, 128), nonMenu);
  dialog->Bounds = {0, 0, 960, 540};
  app->OnSetFocus(nonMenu);
  nonMenu->OnSetFocus(dialog);

  auto* result = VgNew<NonMenuScreen>();
  EXPECT_EQ(request(result), nullptr);
  EXPECT_EQ(manager->FindNode(result), nullptr) << "it waits, unlisted";
  auto* orphan = VgNew<NonMenuScreen>();
  ShellTest::Screen* asker = Open(MakeScreen("asker", 0, 1), nonMenu);
  SubSystem::State* asked = Request(&NonMenuScreen::Class);
  orphan->Bounds = {100, 100, 300, 200};
  asked->Instance = orphan;
  asked->Asker = asker;
  EXPECT_EQ(nonMenu->ChangeState(asked), nullptr);
  asker->Close();
  auto* choice = VgNew<NonMenuScreen>();
  choice->Layer = Layers::Panel;
  {
    const SubSystem::KeyOwner::KeyHandling handling(true);
    EXPECT_EQ(request(choice), nullptr) << "what a key's work opens there waits too";
    const SubSystem::KeyOwner::KeyAsking asking;
    EXPECT_EQ(request(VgNew<NonMenuScreen>()), nullptr) << "a key that asks for it does not open it";
  }
  dialog->Close();
  settle();
  EXPECT_NE(manager->FindNode(result), nullptr);
  EXPECT_NE(manager->FindNode(choice), nullptr);
  EXPECT_EQ(nonMenu->Focus.get(), choice) << "the newest on top, with the keys";
  EXPECT_EQ(manager->FindNode(orphan), nullptr) << "its asker gone, it has nobody to answer";
  EXPECT_EQ(manager->Length(), 2) << "the screen a key asked for was refused, not kept";
  choice->Close();
  result->Close();

  dialog = Open(MakeScreen("dialog", 0, 128), nonMenu);
  dialog->Bounds = {0, 0, 960, 540};
  nonMenu->OnSetFocus(dialog);
  auto* forgotten = VgNew<NonMenuScreen>();
  EXPECT_EQ(request(forgotten), nullptr);
  nonMenu->ForgetWaiting();
  dialog->Close();
  settle();
  EXPECT_EQ(manager->FindNode(forgotten), nullptr) << "forgotten, it never opens";

  // A clear of every screen forgets what it would have closed on view; what
  // it leaves (a media window) waits on, and opens as the dialog goes with
  // the clear.
  dialog = Open(MakeScreen("dialog", 0, Layers::Dialog), nonMenu);
  dialog->Bounds = {0, 0, 960, 540};
  nonMenu->OnSetFocus(dialog);
  auto* cleared = VgNew<NonMenuScreen>();
  cleared->Layer = Layers::Widget;
  auto* kept = VgNew<NonMenuScreen>();
  kept->Layer = Layers::Media;
  EXPECT_EQ(request(cleared), nullptr);
  EXPECT_EQ(request(kept), nullptr);
  auto* clear = VgNew<Structures::Message>();
  clear->Code = Constants::MSG_CLEAR_ALL;
  nonMenu->HandleMessage(clear);
  settle();
  EXPECT_EQ(manager->FindNode(dialog), nullptr);
  EXPECT_EQ(manager->FindNode(cleared), nullptr) << "the clear would have closed it on view";
  EXPECT_NE(manager->FindNode(kept), nullptr) << "the clear leaves a media window";
  kept->Close();
  SubSystem::KeyOwner::Get()->Direct(nullptr);
}

}  // namespace
