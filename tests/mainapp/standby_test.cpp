// The set's life cycle: waking into the first-time setup or normal
// operation, walking the wizard, standby and its refusal while a window
// records, the factory reset and the restart of the wizard.
#include <gtest/gtest.h>

#include <filesystem>

#include "AppServices/EventAgent.h"
#include "AppServices/PersistentData.h"
#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "Constants/Constants.h"
#include "InitialSetup/DaylightSavingDialog.h"
#include "InitialSetup/HelpBar.h"
#include "InitialSetup/InitialSetupDialog.h"
#include "InitialSetup/LanguageDialog.h"
#include "NonMenuSystem/DirectMessageBar.h"
#include "Structures/Message.h"
#include "WinIDs/WinIDs.h"
#include "mainapp_fixture.h"
#include "nvpath.h"
#include "simtv.h"
#include "xpm.h"

namespace {

constexpr uint16_t kOk = 1;
constexpr uint16_t kUp = 4;
constexpr uint16_t kDown = 5;
constexpr uint16_t kLeft = 6;
constexpr uint16_t kBack = 41;
constexpr uint16_t kExit = 45;
constexpr const char* kBackup = "/mnt/nvram/APP_NVRAM.dat.bakup";

class WizardTest : public MainAppTest::MainAppFixture {
 protected:
  InitialSetup::InitialSetupDialog* Step() {
    return vg_cast<InitialSetup::InitialSetupDialog>(MainApp::GetWidgetManager()->FindForm(OpenStep()));
  }
};

TEST_F(WizardTest, ANewSetWakesIntoTheFirstStepWithItsHelpBar) {
  BootAndWake();
  ASSERT_NE(Setup(), nullptr);
  EXPECT_EQ(App(), nullptr);
  EXPECT_EQ(Standby()->Focus.get(), Setup());
  EXPECT_EQ(OpenStep(), InitialSetup::WinIdLanguage);
  InitialSetup::InitialSetupDialog* step = Step();
  ASSERT_NE(step, nullptr);
  EXPECT_EQ(Setup()->Focus.get(), step);
  EXPECT_EQ(step->InitialSetup.get(), Setup());
  EXPECT_EQ(Setup()->SetupStep, 1);
  EXPECT_EQ(step->ChoiceCount, 3) << "the three menu languages";
  // Centred on the screen.
  EXPECT_EQ(step->Bounds.x1 + step->Bounds.x2, 960);
  EXPECT_EQ(step->Bounds.y1 + step->Bounds.y2, 540);
  EXPECT_NE(vg_cast<InitialSetup::HelpBar>(MainApp::GetWidgetManager()->FindForm(WinIDs::WIN_ID_HelpBar)), nullptr);
  EXPECT_TRUE(root->HasUIOnScreen());
  EXPECT_EQ(CountTvCalls("XPM_DisplayNoChannel"), 1);
}

TEST_F(WizardTest, WalkingEveryStepCompletesTheWizardStoresStepNineAndBacksUp) {
  BootAndWake();
  ASSERT_EQ(OpenStep(), InitialSetup::WinIdLanguage);
  Press(kOk);
  EXPECT_EQ(OpenStep(), InitialSetup::WinIdTimeZone);
  EXPECT_EQ(Setup()->SetupStep, 2);
  Press(kOk);
  EXPECT_EQ(OpenStep(), InitialSetup::WinIdDaylightSaving);
  Press(kOk);
  EXPECT_EQ(OpenStep(), InitialSetup::WinIdTunerSelect);
  EXPECT_FALSE(FileExists(kBackup)) << "nothing is backed up before the end";
  // Cable rather than antenna.
  Press(kDown);
  Press(kOk);

  EXPECT_EQ(Setup(), nullptr);
  ASSERT_NE(App(), nullptr);
  EXPECT_EQ(Standby()->Focus.get(), App());
  EXPECT_EQ(Setting("SetupStep"), "9");
  ASSERT_TRUE(FileExists(kBackup));
  EXPECT_NE(FileText(kBackup).find("[SetupStep]=<9>"), std::string::npos);
  EXPECT_EQ(root->Wrapper->OnGetAntCableIn(), 1);
  EXPECT_EQ(OpenStep(), 0);
  EXPECT_EQ(MainApp::GetWidgetManager()->FindForm(WinIDs::WIN_ID_HelpBar), nullptr)
      << "the wizard's screens close with it";
  EXPECT_FALSE(root->HasUIOnScreen());
  EXPECT_FALSE(root->doFpKeyMapping()) << "the panel keys are the panel's again";
}

TEST_F(WizardTest, TheStepsGoBackWithBackOrLeftAndTheFirstStepStays) {
  BootAndWake();
  Press(kOk);
  Press(kOk);
  ASSERT_EQ(OpenStep(), InitialSetup::WinIdDaylightSaving);
  Press(kBack);
  EXPECT_EQ(OpenStep(), InitialSetup::WinIdTimeZone);
  Press(kLeft);
  EXPECT_EQ(OpenStep(), InitialSetup::WinIdLanguage);
  Press(kBack);
  EXPECT_EQ(OpenStep(), InitialSetup::WinIdLanguage);
  EXPECT_EQ(Setup()->SetupStep, 1);
}

TEST_F(WizardTest, TheMarkStopsAtTheEndsOfTheChoices) {
  BootAndWake();
  InitialSetup::InitialSetupDialog* step = Step();
  ASSERT_NE(step, nullptr);
  Press(kUp);
  EXPECT_EQ(step->ChoiceIndex, 0);
  for (int i = 0; i < 5; ++i) Press(kDown);
  EXPECT_EQ(step->ChoiceIndex, step->ChoiceCount - 1);
}

TEST_F(WizardTest, ThePanelAloneWalksTheWizard) {
  BootAndWake();
  // Input is OK, CH- moves down, Vol- goes back, Vol+ goes on.
  Press(83, true);
  EXPECT_EQ(OpenStep(), InitialSetup::WinIdTimeZone);
  Press(47, true);
  EXPECT_EQ(OpenStep(), InitialSetup::WinIdLanguage);
  Press(46, true);
  Press(46, true);
  Press(46, true);
  ASSERT_EQ(OpenStep(), InitialSetup::WinIdTunerSelect);
  Press(37, true);
  EXPECT_EQ(Step()->ChoiceIndex, 1);
  Press(83, true);
  EXPECT_NE(App(), nullptr);
  EXPECT_EQ(Setting("SetupStep"), "9");
}

TEST_F(WizardTest, AbortingOpensNormalOperationButTheNextWakeStartsTheWizardAgain) {
  BootAndWake();
  Press(kOk);
  Press(kExit);
  EXPECT_EQ(Setup(), nullptr);
  ASSERT_NE(App(), nullptr);
  EXPECT_EQ(Setting("SetupStep"), "");
  EXPECT_FALSE(FileExists(kBackup));

  Press(80);
  EXPECT_EQ(App(), nullptr);
  Wake(1);
  EXPECT_NE(Setup(), nullptr);
  EXPECT_EQ(OpenStep(), InitialSetup::WinIdLanguage);
}

TEST_F(WizardTest, TheStoredStepChoosesTheFirstDialog) {
  const struct {
    const char* stored;
    int32_t step;
  } cases[] = {{"3", InitialSetup::WinIdDaylightSaving}, {"2", InitialSetup::WinIdTimeZone},
               {"0", InitialSetup::WinIdLanguage},       {"5", InitialSetup::WinIdLanguage},
               {"8", InitialSetup::WinIdLanguage},       {"-4", InitialSetup::WinIdLanguage},
               {"12", InitialSetup::WinIdLanguage}};
  for (const auto& c : cases) {
    StoreSetting("SetupStep", c.stored);
    BootAndWake();
    EXPECT_EQ(OpenStep(), c.step) << "SetupStep " << c.stored;
    VgUnlockObject(root);
    root = nullptr;
    VgReclaimMemory();
  }
}

// A set whose setup is done boots with a backup of its settings, made then
// when the end of the setup left none; reaching step nine again makes none.
TEST_F(WizardTest, ADoneSetupBootsWithABackupAndReachingStepNineAgainMakesNone) {
  StoreSetting("SetupStep", "9");
  Boot();
  ASSERT_TRUE(FileExists(kBackup));
  EXPECT_NE(FileText(kBackup).find("[SetupStep]=<9>"), std::string::npos);
  std::filesystem::remove(NvPath(kBackup));
  auto* setup = VgNew<MainApp::InitialSetup>();
  setup->OnSetSetupStep(9);
  EXPECT_EQ(setup->SetupStep, 9);
  EXPECT_FALSE(FileExists(kBackup));
}

TEST_F(WizardTest, GoingOnFromAStepWithoutNextCompletesTheWizard) {
  BootAndWake();
  auto* dialog = VgNew<InitialSetup::DaylightSavingDialog>();
  dialog->NextState = nullptr;
  Setup()->StepForward(dialog);
  EXPECT_EQ(Setting("SetupStep"), "9");
  EXPECT_TRUE(FileExists(kBackup));
  ASSERT_NE(App(), nullptr) << "OnCompleteSetup reached the standby group";
}

TEST_F(WizardTest, UpdateHelpOpensTheHelpBarWhenNoneIsOpenAndFillsIt) {
  BootAndWake();
  Setup()->ClearHelpBar();
  ASSERT_EQ(MainApp::GetWidgetManager()->FindForm(WinIDs::WIN_ID_HelpBar), nullptr);
  Setup()->UpdateHelp(0x200, VgNewStringAnsi("Go"));
  auto* bar = vg_cast<InitialSetup::HelpBar>(MainApp::GetWidgetManager()->FindForm(WinIDs::WIN_ID_HelpBar));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->HelpType, 0x200);
  EXPECT_EQ(VgStringToUtf8(bar->HelpText), "Go");
  EXPECT_NE(Setup()->Focus.get(), bar) << "the help bar does not take the focus";
}

class LifeCycleTest : public MainAppTest::MainAppFixture {
 protected:
  void SetUp() override {
    MainAppFixture::SetUp();
    StoreSetting("SetupStep", "9");
  }
};

TEST_F(LifeCycleTest, ASetUpSetWakesIntoNormalOperationWithItsThreeSubSystemsInOrder) {
  BootAndWake();
  EXPECT_EQ(Setup(), nullptr);
  ASSERT_NE(App(), nullptr);
  EXPECT_EQ(OpenStep(), 0);
  Core::View* first = App()->firstView;
  EXPECT_EQ(first, App()->NonMenuSystem.get());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->nextView.get(), App()->MenuSystem.get());
  EXPECT_EQ(App()->lastView.get(), App()->FactorySystem.get());
  EXPECT_TRUE(root->MediaWrapper->OnGetStarted());
  EXPECT_EQ(root->Wrapper->HistoryAgent.GetHistoryNum(), 1) << "the source on screen is in the history";
}

TEST_F(LifeCycleTest, ASecondWakeChangesNothing) {
  BootAndWake();
  MainApp::ActiveApp* app = App();
  EXPECT_EQ(Standby()->wakeup(1), MainApp::Standby::AlreadyAwake);
  EXPECT_EQ(App(), app);
  EXPECT_EQ(Standby()->wakeup(2), MainApp::Standby::AlreadyAwake);
  EXPECT_EQ(App(), app);
}

TEST_F(LifeCycleTest, ThePowerKeyTakesTheSetToStandby) {
  BootAndWake();
  root->Wrapper->EnterAppCriticalSection(true);
  MainApp::GetPersistentData()->PutBool(VgNewStringAnsi("GameTimerActivated"), true);
  Press(80);
  EXPECT_EQ(App(), nullptr);
  EXPECT_EQ(Setup(), nullptr);
  EXPECT_FALSE(root->Wrapper->OnGetAppCriticalSection());
  EXPECT_EQ(Setting("GameTimerActivated"), "1") << "a running game timer is found running again";
  EXPECT_EQ(CountTvCalls("XPM_StandbyMode 0 0"), 1);
  EXPECT_TRUE(WasDelivered("MainApp::ActiveApp", Constants::MSG_CLEAR_ALL));
}

// While an update runs POWER from the remote or the panel does nothing; the
// restart after it goes to standby all the same.
TEST_F(LifeCycleTest, ABlockedPowerKeyDoesNothingAndTheUpdateRestartsTheSet) {
  BootAndWake();
  root->Wrapper->PowerKeyControl(0);
  Press(80);
  Press(80, true);
  EXPECT_NE(App(), nullptr);
  EXPECT_EQ(CountTvCalls("XPM_StandbyMode"), 0);
  root->Wrapper->UpdateReboot();
  EXPECT_EQ(App(), nullptr);
  EXPECT_EQ(CountTvCalls("XPM_StandbyMode 0 0"), 1);

  root->Wrapper->PowerKeyControl(1);
  Wake(1);
  ASSERT_NE(App(), nullptr);
  Press(80);
  EXPECT_EQ(App(), nullptr) << "released again";
}

TEST_F(LifeCycleTest, StandbyIsRefusedWhileAWindowRecordsAndTheViewerIsTold) {
  BootAndWake();
  simtv_tv_set_live_tv_state(1, 3);
  auto* standby = VgNew<Events::XPM_EVENT_STANDBY>();
  standby->Reason = 2;
  EXPECT_EQ(Dispatch(standby), Standby());
  EXPECT_NE(App(), nullptr);
  EXPECT_EQ(CountTvCalls("XPM_StandbyMode"), 0);
  EXPECT_TRUE(WasDelivered("NonMenuSystem::NonMenuSystem", Constants::MSG_RECORD_SLEEP_WARNING));

  simtv_tv_set_live_tv_state(1, 1);
  Dispatch(VgNew<Events::XPM_EVENT_STANDBY>());
  EXPECT_EQ(App(), nullptr);
}

TEST_F(LifeCycleTest, AFactoryResetShowsItsNoticeResetsAndGoesToStandbyAndTheWizardFollows) {
  BootAndWake();
  Dispatch(VgNew<Events::XPM_EVENT_FACTORY_RESET>());
  EXPECT_EQ(App(), nullptr);
  ASSERT_NE(Standby()->messageBar, nullptr);
  EXPECT_EQ(Standby()->messageBar->owner.get(), Standby()) << "the notice shows while the reset waits";
  EXPECT_EQ(CountTvCalls("XPM_ResetFactoryDefaults"), 0);

  Advance(0);
  EXPECT_EQ(CountTvCalls("XPM_ResetFactoryDefaults"), 1);
  EXPECT_EQ(Setting("SetupStep"), "1");
  EXPECT_EQ(Standby()->messageBar, nullptr);
  EXPECT_EQ(CountTvCalls("XPM_StandbyMode 0 0"), 1);

  Wake(1);
  EXPECT_NE(Setup(), nullptr);
  EXPECT_EQ(OpenStep(), InitialSetup::WinIdLanguage);
}

TEST_F(LifeCycleTest, TheRestartMessageOpensTheWizardFromTheFirstStep) {
  BootAndWake();
  auto* message = VgNew<Structures::Message>();
  message->Code = Constants::MSG_RESTART_INITIAL_SETUP;
  root->MessageAgent->Dispatch(message, nullptr);
  EXPECT_EQ(App(), nullptr);
  ASSERT_NE(Setup(), nullptr);
  EXPECT_EQ(OpenStep(), InitialSetup::WinIdLanguage);
  EXPECT_EQ(Setting("SetupStep"), "1");
}

TEST_F(LifeCycleTest, AcquisitionEventsWhileAsleepWaitInTheEventAgent) {
  Boot();
  auto* acquired = VgNew<Events::XPM_EVENT_SOURCE_ACQUIRED>();
  acquired->Status = 16;
  EXPECT_EQ(Dispatch(acquired), Standby());
  EXPECT_EQ(MainApp::GetEventAgent()->FindEvent(&Events::XPM_EVENT_SOURCE_ACQUIRED::Class, 0), acquired);
}

TEST_F(LifeCycleTest, AnAgingWakeStartsTheAgingModeAndWakesAsUsual) {
  Boot();
  Wake(5);
  EXPECT_EQ(root->Wrapper->OnGetTVAgingMode(), 1);
  EXPECT_NE(App(), nullptr);
}

}  // namespace
