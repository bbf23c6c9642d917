// Normal operation: the order in which keys and events are offered to the
// three sub-systems, and the events the group handles for the whole set.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "AppServices/EventAgent.h"
#include "AppServices/PersistentData.h"
#include "AppServices/Wrapper.h"
#include "Constants/Constants.h"
#include "Media/MediaWrapper.h"
#include "mainapp_fixture.h"
#include "simtv.h"
#include "tvsm.h"
#include "xpm.h"

namespace {

using MainAppTest::Spy;

// The routing table as the set's key plan gives it.
std::set<int> Codes(std::initializer_list<std::pair<int, int>> ranges) {
  std::set<int> codes;
  for (auto [first, last] : ranges)
    for (int c = first; c <= last; ++c) codes.insert(c);
  return codes;
}

TEST(RouteTest, EveryKeyCodeHasTheRouteOfItsRow) {
  const std::set<int> mn = Codes({{1, 2}, {4, 9}, {39, 40}, {41, 41}, {45, 45}});
  const std::set<int> n = Codes({{10, 19}, {29, 30}, {36, 38}, {46, 48}, {50, 54}, {58, 59}, {63, 63}, {66, 66},
                                 {69, 70}, {76, 77}, {79, 79}, {83, 83}, {84, 84}, {86, 86}, {89, 97}, {99, 104},
                                 {110, 110}});
  for (int code = 0; code <= 0xFFFF; ++code) {
    std::string_view expected;
    if (mn.count(code)) expected = "mn";
    else if (code == 3) expected = "mf";
    else if (code >= 20 && code <= 23) expected = "nm";
    else if (n.count(code)) expected = "n";
    else if (code == 81) expected = "f";
    ASSERT_EQ(MainApp::RouteOfKey(uint16_t(code)), expected) << "key " << code;
  }
}

class ActiveAppTest : public MainAppTest::MainAppFixture {
 protected:
  void SetUp() override {
    MainAppFixture::SetUp();
    StoreSetting("SetupStep", "9");
    BootAndWake();
    ASSERT_NE(App(), nullptr);
  }
  // A spy on each sub-system, none focused in the group, so that the first
  // offer of a key is the group's own routing.
  void SpyOnAll() {
    // Layers of their own, so that none closes another.
    menu = OpenSpy(App()->MenuSystem, "menu", 0, 0x10000);
    nonMenu = OpenSpy(App()->NonMenuSystem, "nonmenu", 0, 0x20000);
    factory = OpenSpy(App()->FactorySystem, "factory", 0, 0x40000);
    // Drawn over every screen that a key opens, they would keep the keys
    // from it as screens that take keys: they hear the keys as displays do.
    for (Spy* spy : {menu, nonMenu, factory}) spy->FocusOnOpen = false;
    App()->OnSetFocus(nullptr);
    Log().clear();
    // The menus take MENU for themselves; from the front panel in the
    // factory's service mode they leave it to the factory, so that the whole
    // route shows.
    root->Wrapper->OnSetFactoryMode(VgNewString(u"S"));
  }
  XObject* PressKey(uint16_t code) { return Press(code, code == Key::Menu); }
  Spy* menu = nullptr;
  Spy* nonMenu = nullptr;
  Spy* factory = nullptr;
};

TEST_F(ActiveAppTest, KeysAreOfferedToTheSubSystemsOfTheirRouteInOrder) {
  SpyOnAll();
  const struct {
    uint16_t code;
    const char* offered;
  } cases[] = {
      {81, "factory:81"}, {20, "nonmenu:20 menu:20"}, {23, "nonmenu:23 menu:23"},
      {1, "menu:1 nonmenu:1"}, {12, "nonmenu:12"}, {120, ""},
  };
  for (const auto& c : cases) {
    Log().clear();
    XObject* taken = PressKey(c.code);
    EXPECT_EQ(Log(), c.offered) << "key " << c.code;
    EXPECT_EQ(taken, nullptr) << "no sub-system took key " << c.code;
  }
  // The front panel's MENU in the service mode is the factory's own: it
  // opens the service menu.
  Log().clear();
  EXPECT_NE(PressKey(3), nullptr);
  EXPECT_EQ(Log(), "menu:3 factory:3");
  EXPECT_EQ(App()->Focus.get(), App()->FactorySystem.get());
}

TEST_F(ActiveAppTest, TheSubSystemThatTakesAKeyGetsTheFocusAndTheNextKeyFirst) {
  SpyOnAll();
  factory->takes = true;
  EXPECT_NE(PressKey(3), nullptr);
  EXPECT_EQ(Log(), "menu:3 factory:3");
  EXPECT_EQ(App()->Focus.get(), App()->FactorySystem.get());
  Log().clear();
  PressKey(3);
  EXPECT_EQ(Log(), "factory:3") << "the focus path comes before the routing";
}

TEST_F(ActiveAppTest, ThePanelsMenuGoesPastTheFactoryThatHeardItsCommandToTheMenus) {
  SpyOnAll();
  root->Wrapper->OnSetFactoryMode(nullptr);
  App()->MenuSystem->OnSetFocus(nullptr);
  // The command sent ahead of the panel's key gave the factory the focus.
  App()->OnSetFocus(App()->FactorySystem);
  EXPECT_NE(PressKey(3), nullptr);
  EXPECT_EQ(Log(), "factory:3") << "the factory's screen in focus hears it first";
  EXPECT_EQ(App()->Focus.get(), App()->MenuSystem.get()) << "the menus took it, not the factory";
  auto* page = vg_cast<Primitives::KeyRoutingForm>(App()->MenuSystem->Focus.get());
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->WinID, 0x1000001) << "the main menu opened";
}

TEST_F(ActiveAppTest, ASubSystemThatEndsNormalOperationWithAKeyIsNotFocused) {
  SpyOnAll();
  nonMenu->takes = true;
  nonMenu->restartsSetup = true;
  EXPECT_NE(PressKey(Key::Ok), nullptr);
  EXPECT_EQ(Log(), "menu:1 nonmenu:1");
  EXPECT_EQ(App(), nullptr);
  ASSERT_NE(Standby()->initialSetup.get(), nullptr);
  EXPECT_EQ(Standby()->Focus.get(), Standby()->initialSetup.get());
}

std::vector<std::string>& Drawn() {
  static std::vector<std::string> drawn;
  return drawn;
}

// A menu page opens over a media window, a help bar or a pop-up over the menu
// page, the factory's indicator over everything: whichever sub-system holds a
// screen, the screens are drawn as one stack by layer.
TEST_F(ActiveAppTest, TheScreensOfEverySubSystemAreDrawnAsOneStackByLayer) {
  const struct {
    Core::Group* system;
    const char* name;
    int32_t layer;
  } screens[] = {
      {App()->NonMenuSystem, "help", 0x200}, {App()->MenuSystem, "option", 8},
      {App()->NonMenuSystem, "media", 1},    {App()->FactorySystem, "indicator", 0x2000},
      {App()->MenuSystem, "page", 4},        {App()->NonMenuSystem, "quick", 32},
  };
  for (const auto& screen : screens) OpenSpy(screen.system, screen.name, 0, screen.layer)->OnSetBounds({0, 0, 960, 540});
  Drawn().clear();
  Core::Group::DrawWatch = [](Graphics::Canvas*, Core::View* view, VgRect) {
    if (auto* spy = vg_cast<Spy>(view)) Drawn().push_back(spy->name);
  };
  root->Invalidate({0, 0, 960, 540});
  root->Update();
  Core::Group::DrawWatch = nullptr;
  EXPECT_EQ(Drawn(), (std::vector<std::string>{"media", "page", "option", "quick", "help", "indicator"}));
}

TEST_F(ActiveAppTest, KeyReleasesAndUnknownEventsGoNowhere) {
  SpyOnAll();
  auto* up = VgNew<Events::XPM_EVENT_KEY>();
  up->Initialize(3, false);
  EXPECT_EQ(MainApp::RouteOfEvent(up), "");
  EXPECT_EQ(Dispatch(up), nullptr);
  EXPECT_EQ(Log(), "");
  EXPECT_EQ(MainApp::RouteOfEvent(VgNew<Events::XPM_EVENT_FACTORY_COMMAND>()), "f");
  EXPECT_EQ(MainApp::RouteOfEvent(VgNew<Events::TimerStandbyEvent>()), "n");
  EXPECT_EQ(MainApp::RouteOfEvent(VgNew<Media::PictureEvent>()), "n");
  EXPECT_EQ(MainApp::RouteOfEvent(VgNew<Events::XPM_EVENT_EPG_INFO_UPDATED>()), "");
}

TEST_F(ActiveAppTest, TheTestResetKeyClearsEveryScreen) {
  SpyOnAll();
  TakeDelivered();
  EXPECT_EQ(Press(122), App());
  EXPECT_TRUE(WasDelivered("MainApp::ActiveApp", Constants::MSG_CLEAR_ALL));
}

TEST_F(ActiveAppTest, TheAgingModeSwallowsAllButAcquisitionAndItself) {
  SpyOnAll();
  auto* aging = VgNew<Events::XPM_EVENT_SET_AGINGMODE>();
  aging->AgingMode = 1;
  Dispatch(aging);
  EXPECT_EQ(root->Wrapper->OnGetTVAgingMode(), 1);
  EXPECT_EQ(Setting("AgingMode"), "1");
  Log().clear();
  EXPECT_EQ(Press(3), App());
  EXPECT_EQ(Log(), "") << "swallowed";
  auto* acquired = VgNew<Events::XPM_EVENT_SOURCE_ACQUIRED>();
  acquired->Status = 17;
  Dispatch(acquired);
  EXPECT_EQ(MainApp::GetEventAgent()->FindEvent(&Events::XPM_EVENT_SOURCE_ACQUIRED::Class, 0), acquired);

  aging = VgNew<Events::XPM_EVENT_SET_AGINGMODE>();
  aging->AgingMode = 0;
  Dispatch(aging);
  EXPECT_EQ(root->Wrapper->OnGetTVAgingMode(), 0);
  PressKey(3);
  // Entering the aging mode closed every menu: no menu screen is offered it.
  EXPECT_EQ(Log(), "factory:3");
}

class DpmsTest : public ActiveAppTest {
 protected:
  XObject* Dpms(int32_t seconds) {
    auto* dpms = VgNew<Events::XPM_EVENT_DPMS>();
    dpms->Seconds = seconds;
    TakeDelivered();
    return Dispatch(dpms);
  }
  bool Warned() { return WasDelivered("NonMenuSystem::NonMenuSystem", Constants::MSG_SHOW_MESSAGE, 10); }
};

TEST_F(DpmsTest, TheViewerIsWarnedAt840SecondsAndTheSetPowersDownFrom880) {
  EXPECT_EQ(Dpms(839), App());
  EXPECT_FALSE(Warned());
  Dpms(840);
  EXPECT_TRUE(Warned());
  Dpms(850);
  EXPECT_FALSE(Warned());
  EXPECT_NE(App(), nullptr);
  EXPECT_EQ(CountTvCalls("XPM_StandbyMode"), 0);
  Dpms(900);
  EXPECT_EQ(App(), nullptr);
  EXPECT_EQ(CountTvCalls("XPM_StandbyMode 0 0"), 1);
}

TEST_F(DpmsTest, TheFactoryModeAnApplicationOrTheSourcesMaskKeepTheSetOn) {
  root->Wrapper->OnSetFactoryMode(VgNewStringAnsi("M"));
  Dpms(900);
  EXPECT_NE(App(), nullptr);
  root->Wrapper->OnSetFactoryMode(nullptr);

  root->Wrapper->EnterAppCriticalSection(true);
  Dpms(900);
  EXPECT_NE(App(), nullptr);
  root->Wrapper->EnterAppCriticalSection(false);

  MainApp::GetPersistentData()->PutInteger(VgNewStringAnsi("NoSignalPowerDown"), 0);
  Dpms(840);
  EXPECT_FALSE(Warned());
  Dpms(900);
  EXPECT_NE(App(), nullptr);
}

TEST_F(ActiveAppTest, ALanguageChangeInTheRegisterTableSetsTheMenuLanguage) {
  ASSERT_EQ(TVSM_SetRegisterTable("LANGUAGE_2", "fre"), 0);
  auto* change = VgNew<Events::XPM_EVENT_REPORT_REGISTER_TABLE_CHANGE>();
  change->Name = VgNewStringAnsi("LANGUAGE_1");
  EXPECT_EQ(Dispatch(change), App());
  EXPECT_EQ(root->Wrapper->GetMenuLanguage(), 2);

  ASSERT_EQ(TVSM_SetRegisterTable("LANGUAGE_2", "xyz"), 0);
  change = VgNew<Events::XPM_EVENT_REPORT_REGISTER_TABLE_CHANGE>();
  change->Name = VgNewStringAnsi("LANGUAGE_2");
  Dispatch(change);
  EXPECT_EQ(root->Wrapper->GetMenuLanguage(), 2) << "an unknown code leaves the language alone";
  VgSetLanguage(0);
}

TEST_F(ActiveAppTest, AcquisitionUnfreezesWithoutSignalAndIsQueued) {
  root->Wrapper->OnSetIsFrozen(true);
  root->Wrapper->ExternalAppInFront = true;
  auto* acquired = VgNew<Events::XPM_EVENT_SOURCE_ACQUIRED>();
  acquired->Status = 17;
  EXPECT_EQ(Dispatch(acquired), App());
  EXPECT_FALSE(root->Wrapper->OnGetIsFrozen());
  EXPECT_FALSE(root->Wrapper->ExternalAppInFront);
  EXPECT_EQ(MainApp::GetEventAgent()->FindEvent(&Events::XPM_EVENT_SOURCE_ACQUIRED::Class, 0), acquired);
}

TEST_F(ActiveAppTest, TheChannelOfTheSetTopBoxIsLockedWhenTheInputsAreLocked) {
  XPM_ChannelInfo channel{};
  channel.major = 3;
  channel.minor = 0;
  channel.physical = 3;
  simtv_tv_add_channel(&channel);
  root->Wrapper->OnSetInputLock(2);
  auto* scan = VgNew<Events::XPM_EVENT_CHANNEL_SCAN_PROGRESS>();
  scan->ScanKind = 1;
  scan->Count = 1;
  scan->PhysicalChannel = 3;
  auto* found = VgNew<Structures::VirtualChannel>();
  found->Major = 3;
  found->Minor = 0;
  scan->Channels[0] = found;
  EXPECT_EQ(Dispatch(scan), App());
  EXPECT_EQ(CountTvCalls("XPM_SetChannelLock"), 1);
}

}  // namespace

namespace {

class ApplicationEventsTest : public ActiveAppTest {};

TEST_F(ApplicationEventsTest, AnApplicationInFrontHoldsBackTheSignalMessagesUntilItLeaves) {
  auto* front = VgNew<Events::YahooNotifyEvent>();
  front->State = 1;
  EXPECT_EQ(Dispatch(front), App());
  EXPECT_TRUE(root->Wrapper->ExternalAppInFront);
  EXPECT_TRUE(WasDelivered("NonMenuSystem::NonMenuSystem", Constants::MSG_CLEAR_MESSAGE));
  auto* back = VgNew<Events::YahooNotifyEvent>();
  back->State = 0;
  Dispatch(back);
  EXPECT_FALSE(root->Wrapper->ExternalAppInFront);
}

TEST_F(ApplicationEventsTest, TheViewerIsToldOnceWhenTheWatchedApplicationGoesToTheBackground) {
  XPM_AppStatus app{};
  app.id = 2;
  app.flags = 0x20;
  simtv_tv_set_app_status(1, &app);
  TakeDelivered();
  Dispatch(VgNew<Events::XPM_EVENT_UPDATE_EXTERNAL_APP_STATUS>());
  EXPECT_TRUE(WasDelivered("NonMenuSystem::NonMenuSystem", Constants::MSG_SHOW_MESSAGE, 33));
  TakeDelivered();
  Dispatch(VgNew<Events::XPM_EVENT_UPDATE_EXTERNAL_APP_STATUS>());
  EXPECT_FALSE(WasDelivered("NonMenuSystem::NonMenuSystem", Constants::MSG_SHOW_MESSAGE, 33)) << "only a rising bit";
  app.flags = 0;
  simtv_tv_set_app_status(1, &app);
  Dispatch(VgNew<Events::XPM_EVENT_UPDATE_EXTERNAL_APP_STATUS>());
  app.flags = 0x20;
  simtv_tv_set_app_status(1, &app);
  TakeDelivered();
  Dispatch(VgNew<Events::XPM_EVENT_UPDATE_EXTERNAL_APP_STATUS>());
  EXPECT_TRUE(WasDelivered("NonMenuSystem::NonMenuSystem", Constants::MSG_SHOW_MESSAGE, 33));
}

TEST_F(ApplicationEventsTest, TheTelevisionStateStartsAndStopsTheDemoTimer) {
  auto* off = VgNew<Events::XPM_EVENT_TV101_STATE>();
  off->State = 0;
  EXPECT_EQ(Dispatch(off), App());
  EXPECT_FALSE(root->Wrapper->IsAutoDemoTimerArmed());
  TakeDelivered();
  auto* on = VgNew<Events::XPM_EVENT_TV101_STATE>();
  on->State = 1;
  Dispatch(on);
  EXPECT_TRUE(WasDelivered("NonMenuSystem::NonMenuSystem", Constants::MSG_CLEAR_MESSAGE));
}

TEST_F(ApplicationEventsTest, HdmiCecAndNetworkNoticesAreTakenByTheGroup) {
  auto* audio = VgNew<Events::CEC_EVENT_UPDATE_AUDIO_STATUS>();
  audio->Status = 2;
  EXPECT_EQ(Dispatch(audio), App());
  EXPECT_EQ(root->Wrapper->OnGetQuickSpeakerPreference(), 2);
  EXPECT_EQ(Dispatch(VgNew<Events::CEC_EVENT_NAME_UPDATED>()), App());
  EXPECT_EQ(Dispatch(VgNew<Events::NetworkInterfaceDownEvent>()), App());
  auto* resolution = VgNew<Events::VideoResolutionChangedEvent>();
  resolution->Value = 5;
  EXPECT_EQ(Dispatch(resolution), nullptr) << "only resolution 6 is taken";
}

}  // namespace
