// The older menus' arcs on the booted root: the main menu's row and the
// second-level pages it opens, their keys, layout requests and icons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Constants/Constants.h"
#include "Core/Keys.h"
#include "AppServices/Wrapper.h"
#include "MenuSystem/ArcMenus.h"
#include "MenuSystem/MenuSystem.h"
#include "MenuSystem/PictureSettings.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Primitives/KeyRoutingParameter.h"
#include "xpm.h"
#include "Structures/Boxes.h"
#include "SubSystem/MenuClass.h"
#include "SubSystem/Open.h"
#include "mainapp_fixture.h"
#include "sim_calls.h"
#include "simtv.h"
#include "tvsm.h"

namespace ArcMenusTest {

using namespace MenuSystem;

// A page standing in for one that an icon opens: keeps its parameter.
int32_t openedValue = -1;
class Opened : public SubSystem::MenuClass {
  VG_CLASS()
 public:
  Opened() { SubSystemClass = &::MenuSystem::MenuSystem::Class; }
  void Initialize(Primitives::KeyRoutingParameter* parameter) override {
    SubSystem::MenuClass::Initialize(parameter);
    auto* ref = vg_cast<Structures::RefInt>(parameter->Param.get());
    openedValue = ref ? ref->Value : -1;
  }
};

class ArcMenusTest : public MainAppTest::MainAppFixture {
 protected:
  void SetUp() override {
    MainAppFixture::SetUp();
    StoreSetting("SetupStep", "9");
    BootAndWake();
    model = root->Wrapper;
    openedValue = -1;
  }
  // The effects step once a period: the clock moves a period at a time.
  void Settle(uint32_t ms) {
    Advance(0);
    for (uint32_t t = 0; t < ms; t += 50) Advance(50);
  }
  MainMenu* OpenMain(uint32_t settle = 1000) {
    auto* menu = vg_cast<MainMenu>(SubSystem::Open(nullptr, {.screen = &MainMenu::Class}));
    Settle(settle);
    return menu;
  }
  XObject* Key(uint16_t code, uint32_t settle = 1000) {
    XObject* taken = Press(code);
    Settle(settle);
    return taken;
  }
  template <class T>
  T* Shown() const {
    for (Core::View* view = App()->MenuSystem->firstView; view; view = view->nextView)
      if (auto* page = vg_cast<T>(view)) return page;
    return nullptr;
  }
  // Turns the main menu to the icon (from 1) and lets its page open.
  SecondaryMenu* PageOf(MainMenu* menu, int32_t icon) {
    while (menu->CurrentItemIndex != icon) Key(Key::Right);
    return menu->OpenPage;
  }
  ::SkinBin::Wrapper* model = nullptr;
};

TEST_F(ArcMenusTest, TheRowTurnsAroundBothEndsAndSwallowsTurnsWhileItMoves) {
  MainMenu* menu = OpenMain(0);
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(menu->OnGetAnimating());
  EXPECT_EQ(Press(Key::Left), menu) << "swallowed while the icons appear";
  Settle(1000);
  EXPECT_EQ(menu->CurrentItemIndex, 1);
  EXPECT_EQ(menu->Focus.get(), &menu->items[0]);
  EXPECT_EQ(menu->items[0].ImageSize, 4);
  EXPECT_EQ(menu->items[1].ImageSize, 1);
  EXPECT_EQ(menu->items[2].ImageSize, 0);

  Press(Key::Left);
  Advance(50);
  EXPECT_EQ(Press(Key::Left), menu);
  Settle(1000);
  EXPECT_EQ(menu->CurrentItemIndex, 5) << "one step for two presses";
  EXPECT_EQ(menu->Focus.get(), &menu->items[4]);
  Key(Key::Right);
  EXPECT_EQ(menu->CurrentItemIndex, 1);
  // Every icon stands on an arc point, the current one at the centre.
  EXPECT_EQ(menu->items[0].Bounds, VgSetRectOrigin(menu->items[0].Bounds, menu->arcOrigins[3]));
}

TEST_F(ArcMenusTest, EachIconOpensItsPageAndTheWallpaperNone) {
  MainMenu* menu = OpenMain();
  ASSERT_NE(menu->OpenPage.get(), nullptr);
  EXPECT_NE(Shown<SettingsMenu>(), nullptr);
  EXPECT_EQ(App()->MenuSystem->Focus.get(), menu) << "the main menu keeps the focus";

  SecondaryMenu* page = PageOf(menu, 4);
  EXPECT_EQ(page, nullptr);
  EXPECT_EQ(Shown<SettingsMenu>(), nullptr);
  EXPECT_EQ(Shown<SecondaryMenu>(), nullptr);
  page = PageOf(menu, 5);
  EXPECT_NE(vg_cast<TimerMenu>(page), nullptr);
}

TEST_F(ArcMenusTest, UpLowersTheRowAndDownGivesTheFocusBack) {
  MainMenu* menu = OpenMain();
  SecondaryMenu* page = menu->OpenPage;
  ASSERT_NE(page, nullptr);
  Key(Key::Up);
  EXPECT_EQ(App()->MenuSystem->Focus.get(), page);
  EXPECT_TRUE(menu->Resting);
  EXPECT_TRUE(menu->items[0].TextUp);
  EXPECT_EQ(menu->items[0].ImageSize, 3);
  EXPECT_EQ(page->Focus.get(), page->Item(1));

  Key(Key::Right);
  EXPECT_EQ(page->CurrentItemIndex, 2);
  EXPECT_EQ(page->Focus.get(), page->Item(2));
  Key(Key::Down);
  EXPECT_EQ(App()->MenuSystem->Focus.get(), menu);
  EXPECT_FALSE(menu->Resting);
  EXPECT_TRUE(page->Resting);
  EXPECT_FALSE(menu->items[0].TextUp);
  EXPECT_EQ(Shown<SettingsMenu>(), page);

  Key(Key::Down);
  EXPECT_EQ(Shown<MainMenu>(), nullptr) << "DOWN on the main menu closes every menu";
}

TEST_F(ArcMenusTest, TheWallpaperStepsAsideForANetworkApplication) {
  XPM_AppStatus app{.id = 3, .name = "netflix", .flags = 0};
  simtv_tv_set_app_status(1, &app);
  model->RefreshActiveAppStatus();
  ASSERT_TRUE(::MenuSystem::MenuSystem::NetAppActive());
  MainMenu* menu = OpenMain();
  PageOf(menu, 4);
  ASSERT_TRUE(::MenuSystem::MenuSystem::NetAppActive());
  TakeDelivered();
  Key(Key::Up);
  EXPECT_TRUE(WasDelivered("NonMenuSystem::NonMenuSystem", Constants::MSG_SHOW_MESSAGE, 4));
  EXPECT_EQ(Shown<MainMenu>(), nullptr);
}

TEST_F(ArcMenusTest, TheTimerPageGuardsTheGameTimerAndPassesSevenToTheSleepTimer) {
  ASSERT_FALSE(model->IsPinExisting());
  MainMenu* menu = OpenMain();
  auto* page = vg_cast<TimerMenu>(PageOf(menu, 5));
  ASSERT_NE(page, nullptr);
  Key(Key::Up);
  EXPECT_TRUE(page->Item(3)->IsDisabled);
  page->DoActivate(page->Item(3));
  Advance(0);
  EXPECT_EQ(Shown<TimerMenu>(), page) << "the game timer does nothing";
  EXPECT_TRUE(page->Visible);

  page->Item(2)->NextState = &Opened::Class;
  page->DoActivate(page->Item(2));
  Advance(0);
  EXPECT_EQ(openedValue, 7);
  EXPECT_FALSE(page->Visible);
  EXPECT_FALSE(menu->Visible);
}

TEST_F(ArcMenusTest, ADeeperPageOpenedFromTheSecondLevelReturnsAsFromLevelThree) {
  MainMenu* menu = OpenMain();
  SecondaryMenu* page = menu->OpenPage;
  Key(Key::Up);
  page->Item(1)->NextState = &AdvancedPictureMenu::Class;
  page->DoActivate(page->Item(1));
  Advance(0);
  auto* advanced = Shown<AdvancedPictureMenu>();
  ASSERT_NE(advanced, nullptr);
  EXPECT_TRUE(advanced->IsShortcut);
  EXPECT_FALSE(menu->Visible);

  Key(Key::Back);
  EXPECT_EQ(Shown<AdvancedPictureMenu>(), nullptr);
  EXPECT_TRUE(menu->Visible);
  EXPECT_TRUE(page->Visible);
  EXPECT_EQ(App()->MenuSystem->Focus.get(), page) << "the page keeps the focus it had";
  Key(Key::Right);
  EXPECT_EQ(page->CurrentItemIndex, 2);
}

// In 2D, NET TV starts the widget application on its NET TV menu (mode 1,
// the last word of the launch record).
TEST_F(ArcMenusTest, NetTVStartsTheNetTvMenuUnlessIn3D) {
  const std::string launch = "TVSM_ReportAsyncEvent 1 " + std::to_string(TVSM_ASYNC_LAUNCH_APP) + " ";
  MainMenu* menu = OpenMain();
  auto* page = vg_cast<NetworkMenu>(PageOf(menu, 2));
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->Item(3)->IsDisabled, model->OnGetNetworkType() == 0);
  Key(Key::Up);
  simtv_tv_set_3d_input(::SkinBin::Setup3D::kFormatOverUnder);
  XPM_3DTV_SetMode(::SkinBin::Setup3D::kFormatOverUnder);
  TakeDelivered();
  Key(Key::Ok);
  EXPECT_TRUE(WasDelivered("NonMenuSystem::NonMenuSystem", Constants::MSG_SHOW_MESSAGE, 32));
  EXPECT_EQ(Shown<MainMenu>(), nullptr);
  EXPECT_EQ(CountTvCalls(launch), 0);

  XPM_3DTV_SetMode(::SkinBin::Setup3D::kFormat2D);
  simtv_tv_set_3d_input(::SkinBin::Setup3D::kFormat2D);
  // The message has the keys over whatever opens under it: EXIT takes it away.
  Key(Key::Exit);
  menu = OpenMain();
  ASSERT_NE(PageOf(menu, 2), nullptr);
  Key(Key::Up);
  Key(Key::Ok);
  std::vector<std::string> launches;
  for (const std::string& call : RecordedCalls())
    if (call.rfind(launch, 0) == 0) launches.push_back(call);
  ASSERT_EQ(launches.size(), 1u);
  EXPECT_NE(launches[0].find(",1 40"), std::string::npos) << launches[0];
}

}  // namespace ArcMenusTest

VG_DEFINE_CLASS(ArcMenusTest, Opened, SubSystem::MenuClass)
