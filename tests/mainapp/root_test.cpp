// The root: the singletons and the settings it loads, the defaults of a new
// set, the front-panel keys it turns into navigation, the key that becomes
// "back" while a screen is open, and the exported key event.
#include <gtest/gtest.h>

#include "Agent/MessageAgent.h"
#include "AppServices/EventAgent.h"
#include "AppServices/MediaWrapper.h"
#include "AppServices/MessageAgent.h"
#include "AppServices/OptionDB.h"
#include "AppServices/PersistentData.h"
#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "MainApp/ExtKeyEvent.h"
#include "WinIDs/WinIDs.h"
#include "mainapp_fixture.h"

namespace {

using MainAppTest::Spy;

class ApplicationRootTest : public MainAppTest::MainAppFixture {};

TEST_F(ApplicationRootTest, TheRootHoldsTheSevenSingletonsAndHandsThemToTheModelAndTheAgent) {
  Boot();
  EXPECT_EQ(root->WidgetManager.get(), MainApp::GetWidgetManager());
  EXPECT_EQ(root->PersistentData.get(), MainApp::GetPersistentData());
  EXPECT_EQ(root->EventAgent.get(), MainApp::GetEventAgent());
  EXPECT_EQ(root->MessageAgent.get(), MainApp::GetMessageAgent());
  EXPECT_EQ(root->Wrapper.get(), MainApp::GetWrapper());
  EXPECT_EQ(root->OptionDB.get(), MainApp::GetOptionDB());
  EXPECT_EQ(root->MediaWrapper.get(), MainApp::GetMediaWrapper());
  // A collection keeps them: the root holds them, so they are the same after.
  VgReclaimMemory();
  EXPECT_EQ(root->Wrapper.get(), MainApp::GetWrapper());
  EXPECT_EQ(root->PersistentData.get(), MainApp::GetPersistentData());

  EXPECT_EQ(root->Wrapper->OnGetRoot(), root);
  EXPECT_EQ(root->Wrapper->OnGetPersistentData(), root->PersistentData.get());
  EXPECT_EQ(root->Wrapper->OnGetEventAgent(), root->EventAgent.get());
  EXPECT_EQ(root->EventAgent->Wrapper.get(), root->Wrapper.get());
  EXPECT_EQ(root->EventAgent->WidgetManager.get(), root->WidgetManager.get());
  EXPECT_EQ(root->EventAgent->MessageAgent.get(), root->MessageAgent.get());
  EXPECT_EQ(root->EventAgent->PersistentData.get(), root->PersistentData.get());

  ASSERT_NE(Standby(), nullptr);
  EXPECT_EQ(Standby()->owner.get(), root);
  EXPECT_EQ(root->Focus.get(), Standby());
  EXPECT_EQ(Standby()->OnGetBounds(), (VgRect{0, 0, 960, 540}));
  EXPECT_EQ(App(), nullptr) << "the set sleeps until it is woken";
  EXPECT_EQ(Setup(), nullptr);
}

TEST_F(ApplicationRootTest, ANewSetWritesItsThirtyOneDefaultsOnceInTheirOrder) {
  Boot();
  const std::string file = FileText("/mnt/nvram/APP_NVRAM.dat");
  size_t previous = 0;
  for (const MainApp::DefaultSetting& setting : MainApp::kDefaultSettings) {
    const std::string key = VgStringToUtf8(VgNewString(setting.key));
    const size_t at = file.find("[" + key + "]=<");
    ASSERT_NE(at, std::string::npos) << key;
    EXPECT_GE(at, previous) << key << " is written out of order";
    previous = at;
  }
  EXPECT_EQ(Setting("Language"), "0");
  EXPECT_EQ(Setting("OSDLockStatus"), "0");
  EXPECT_EQ(Setting("AutoInput_Cable"), "-1");
  EXPECT_EQ(Setting("NoSignalPowerDown"), "4194303");
  EXPECT_EQ(Setting("ScreenSaverColor"), "06017017017");
  EXPECT_EQ(Setting("EPGTuningMode"), "1");
  EXPECT_EQ(Setting("SetupStep"), "") << "a new set has no setup step: the wizard starts";
}

TEST_F(ApplicationRootTest, ASetWithItsSettingsKeepsThemAndGetsNoDefaults) {
  StoreSetting("CBListMask", "5");
  Boot();
  EXPECT_EQ(Setting("CBListMask"), "5");
  EXPECT_EQ(Setting("StickerDemo"), "") << "defaults are only for a set without settings";
}

TEST_F(ApplicationRootTest, TheTelevisionStateAndTheAnimationAreTheModels) {
  Boot();
  MainAppRoot_SetTV101State(root, 1);
  EXPECT_TRUE(root->Wrapper->OnGetTV101State());
  MainAppRoot_SetTV101State(root, 2);
  EXPECT_FALSE(root->Wrapper->OnGetTV101State());
  EXPECT_EQ(MainAppRoot_IsAnimationActive(root), 0);
  root->Wrapper->StartAnimation();
  EXPECT_EQ(MainAppRoot_IsAnimationActive(root), 1);
  root->Wrapper->StopAnimation();
  EXPECT_EQ(MainAppRoot_HasUIOnScreen(nullptr), 0);
}

class FrontPanelTest : public MainAppTest::MainAppFixture {
 protected:
  void SetUp() override {
    MainAppFixture::SetUp();
    StoreSetting("SetupStep", "9");
    BootAndWake();
    ASSERT_NE(App(), nullptr);
  }
  uint16_t Remapped(uint16_t code) {
    auto* key = KeyOf(code, true);
    root->RemapFpKey(key);
    return key->keyCode;
  }
};

TEST_F(FrontPanelTest, PanelKeysStayThemselvesWhileNoScreenWantsNavigation) {
  for (uint16_t code : {80, 46, 47, 36, 37, 3, 83}) EXPECT_EQ(Remapped(code), code);
}

TEST_F(FrontPanelTest, TheMainMenuTurnsThePanelIntoNavigation) {
  OpenSpy(App()->MenuSystem, "menu", WinIDs::WIN_ID_MainMenu, 2);
  EXPECT_EQ(Remapped(46), 7) << "Vol+";
  EXPECT_EQ(Remapped(47), 6) << "Vol-";
  EXPECT_EQ(Remapped(36), 4) << "CH+";
  EXPECT_EQ(Remapped(37), 5) << "CH-";
  EXPECT_EQ(Remapped(3), 41) << "Menu";
  EXPECT_EQ(Remapped(83), 1) << "Input";
  EXPECT_EQ(Remapped(80), 80) << "Power";
  // Remote keys of the same codes are the remote's own.
  auto* remote = KeyOf(46, false);
  root->RemapFpKey(remote);
  EXPECT_EQ(remote->keyCode, 46);
}

TEST_F(FrontPanelTest, AMediaPlayerWindowKeepsTheVolumeKeysEvenOverTheMainMenu) {
  OpenSpy(App()->MenuSystem, "menu", WinIDs::WIN_ID_MainMenu, 2);
  OpenSpy(App()->NonMenuSystem, "player", WinIDs::WIN_ID_MoviePlayer, 1);
  EXPECT_EQ(Remapped(46), 46);
  EXPECT_EQ(Remapped(47), 47);
}

TEST_F(FrontPanelTest, ARemappedPanelKeyReachesTheScreenAsNavigation) {
  Spy* menu = OpenSpy(App()->MenuSystem, "menu", WinIDs::WIN_ID_MainMenu, 2);
  menu->takes = true;
  App()->OnSetFocus(App()->MenuSystem);
  Press(46, true);
  EXPECT_EQ(Log(), "menu:7");
}

TEST_F(FrontPanelTest, TheFactoryMModeSilencesThePanelButNotTheRemote) {
  Spy* menu = OpenSpy(App()->MenuSystem, "menu", WinIDs::WIN_ID_MainMenu, 2);
  menu->takes = true;
  App()->OnSetFocus(App()->MenuSystem);
  root->Wrapper->OnSetFactoryMode(VgNewStringAnsi("M"));
  EXPECT_EQ(Press(36, true), root) << "dropped, and reported as handled";
  EXPECT_EQ(Log(), "");
  Press(4);
  EXPECT_EQ(Log(), "menu:4");
}

TEST_F(FrontPanelTest, Key54GoesBackOnlyWhileAScreenIsOpen) {
  auto* key = VgNew<Core::KeyEvent>()->Initialize(54, true);
  root->DispatchEvent(key);
  EXPECT_EQ(key->keyCode, 54) << "no screen open";

  Spy* playback = OpenSpy(App()->NonMenuSystem, "playback", WinIDs::WIN_ID_RecordPlaybackFullscreenDialog, 1);
  EXPECT_FALSE(root->HasUIOnScreen()) << "the full-screen playback is the picture, not a screen over it";
  key = VgNew<Core::KeyEvent>()->Initialize(54, true);
  root->DispatchEvent(key);
  EXPECT_EQ(key->keyCode, 41);
  playback->Close();

  OpenSpy(App()->NonMenuSystem, "banner", WinIDs::WIN_ID_HelpBar, 0x200);
  EXPECT_TRUE(root->HasUIOnScreen());
  key = VgNew<Core::KeyEvent>()->Initialize(54, true);
  root->DispatchEvent(key);
  EXPECT_EQ(key->keyCode, 41);
}

TEST_F(FrontPanelTest, AKeyEndsTheDemoAndTheFreezeButTheVolumeAndFreezeKeysDoNot) {
  root->Wrapper->OnSetIsFrozen(true);
  Press(89);
  EXPECT_TRUE(root->Wrapper->OnGetIsFrozen()) << "the freeze key itself";
  Press(46);
  EXPECT_FALSE(root->Wrapper->OnGetIsFrozen());

  root->Wrapper->OnSetIsFrozen(true);
  root->Wrapper->EnterAppCriticalSection(true);
  Press(10);
  EXPECT_TRUE(root->Wrapper->OnGetIsFrozen()) << "an application owns the set";
  root->Wrapper->EnterAppCriticalSection(false);
}

TEST_F(ApplicationRootTest, AnOutsideKeyEventIsMadeFromTheExportedDescriptor) {
  StoreSetting("SetupStep", "9");
  BootAndWake();
  ASSERT_NE(App(), nullptr);
  XObject* made = VgNewObjectIndirect(&__vmt_MainAppExtKeyEvent, 0);
  auto* key = vg_cast<MainApp::ExtKeyEvent>(made);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(MainAppExtKeyEvent__Initialize3(key, 0x10050, 1, 7, 8, 9), key);
  EXPECT_EQ(key->keyCode, 80) << "the low 16 bits";
  EXPECT_TRUE(key->down);
  EXPECT_EQ(key->ExtParam1, 7);
  EXPECT_EQ(key->ExtParam3, 9);
  // Power from outside goes straight to standby: it is no remote key that
  // the root would turn into a standby event.
  CoreGroup__DispatchEvent(root, key);
  EXPECT_EQ(App(), nullptr);
  EXPECT_EQ(CountTvCalls("XPM_StandbyMode 0 0"), 1);
}

}  // namespace
