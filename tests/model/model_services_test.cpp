// What the application root and the active application ask of the
// television model: its life cycle, the timer being edited, the set as a
// whole, the menu language, the state manager's register table, the factory
// reset and the speaker preference.
#include <gtest/gtest.h>

#include <cstring>

#include "Wrapper/TimerRecord.h"
#include "model_app_fixture.h"
#include "simtv.h"
#include "tvsm.h"
#include "xpm.h"

namespace ModelTest {
namespace {

using Services = ModelApp;
using ::Wrapper::kTimerDuration;
using ::Wrapper::kTimerSource;

XPM_TimerInfo Timer(int32_t index) {
  XPM_TimerInfo timer{};
  XPM_GetTimer(index, &timer);
  return timer;
}

void StoreTimer(int32_t index, int32_t source, int32_t duration) {
  XPM_TimerInfo timer = Timer(index);
  timer.source = source;
  timer.duration = duration;
  XPM_SetTimer(index, &timer);
}

// ------------------------------------------------------------- life cycle

TEST_F(Services, InitializeClearsTheLocksAndRemembersNoLastChannel) {
  model->OSDLock = true;
  model->WindowNumber = 1;
  model->StartAnimation();
  model->Initialize();
  EXPECT_FALSE(model->OSDLock);
  EXPECT_EQ(model->WindowNumber, 0);
  EXPECT_FALSE(model->IsAnimating());
  ASSERT_NE(model->LastChannel.get(), nullptr);
  EXPECT_EQ(model->LastChannel->Major, -1);
  EXPECT_EQ(model->LastChannel->Minor, -1);

  model->LastChannel->Major = 7;
  model->Initialize();
  EXPECT_EQ(model->LastChannel->Major, 7) << "a remembered channel stays";
}

TEST_F(Services, AnimationsCountInAndOutButNeverBelowZero) {
  model->StopAnimation();
  EXPECT_FALSE(model->IsAnimating());
  model->StartAnimation();
  model->StartAnimation();
  model->StopAnimation();
  EXPECT_TRUE(model->IsAnimating());
  model->StopAnimation();
  EXPECT_FALSE(model->IsAnimating());
  model->StartAnimation();
  EXPECT_TRUE(model->IsAnimating());
}

TEST_F(Services, TheRootsReferencesAndFlags) {
  EXPECT_EQ(model->OnGetRoot(), root);
  model->OnSetTV101State(true);
  EXPECT_TRUE(model->OnGetTV101State());
  model->OnSetTVForceOn(true);
  EXPECT_EQ(store->GetInteger(Key("TVForceOn")), 1);
  EXPECT_EQ(model->OnGetNoSignalPowerDown(), 0x3FFFFF) << "every input of a fresh set";
  EXPECT_TRUE(SkinBin::Wrapper::IsBitSet(model->OnGetNoSignalPowerDown(), 21));
  EXPECT_FALSE(SkinBin::Wrapper::IsBitSet(model->OnGetNoSignalPowerDown(), 22));
  EXPECT_FALSE(SkinBin::Wrapper::IsBitSet(-1, 32));
  EXPECT_EQ(SkinBin::Wrapper::SetBit(0, 3, true), 8);
  EXPECT_EQ(SkinBin::Wrapper::SetBit(15, 0, false), 14);
  const VgPoint centre = SkinBin::Wrapper::GetCenterPosition(960, 540, 400, 100);
  EXPECT_EQ(centre.x, 280);
  EXPECT_EQ(centre.y, 220);
  EXPECT_EQ(SkinBin::Wrapper::String2Int(VgNewStringAnsi("-42")), -42);
  EXPECT_EQ(SkinBin::Wrapper::String2Int(nullptr), 0);
}

// ------------------------------------------------------- the timer being edited

TEST_F(Services, TheTimerPropertiesEditTheHeldTimerUntilItIsStored) {
  StoreTimer(3, 5, 600);
  model->OnSetActiveTimerId(3);
  EXPECT_EQ(model->OnGetActiveTimerId(), 3);
  EXPECT_EQ(model->OnGetTimerSource(), 5);
  model->OnSetTimerDuration(1800);
  model->OnSetTimerChannel(SkinBin::Wrapper::UniteChannelNum(9, 1));
  model->OnSetTimerDaysOfWeek(0xFF);
  EXPECT_EQ(Timer(3).duration, 600) << "only the held record changed";
  EXPECT_EQ(model->OnGetTimerDuration(), 1800);
  EXPECT_EQ(model->OnGetTimerDaysOfWeek(), 0x7F) << "seven days";
  EXPECT_EQ(model->SetTimer(nullptr), 0);
  EXPECT_EQ(Timer(3).duration, 1800);
  EXPECT_EQ(Timer(3).major, 9);
  EXPECT_EQ(Timer(3).minor, 1);

  // Without editing in place a field goes to the middleware at once.
  model->EditInPlace = 0;
  model->OnSetTimerStartEarly(300);
  EXPECT_EQ(Timer(3).startEarly, 300);
  EXPECT_EQ(model->OnGetTimerStartEarly(), 300);
}

TEST_F(Services, ChoosingAnotherTimerHoldsThatTimersRecord) {
  StoreTimer(0, 1, 900);
  StoreTimer(5, 7, 1200);
  model->HeldTimer = model->GetTimer(0);
  model->OnSetActiveTimerId(5);
  EXPECT_EQ(model->HeldTimer->Index, 5);
  EXPECT_EQ(model->HeldTimer->Values[kTimerSource], 7);
  EXPECT_EQ(model->GetTimer(0)->Values[kTimerDuration], 1200) << "the held record stands for every index";
}

TEST_F(Services, ATimerThatCannotBeReadIsNeitherShownAsZerosNorWrittenBack) {
  StoreTimer(2, 4, 600);
  simtv_fail("XPM_GetTimer", 1, 1);
  Structures::TimerData* unread = model->GetTimer(2);
  EXPECT_EQ(unread->Values[kTimerSource], -1);
  EXPECT_EQ(unread->Values[kTimerDuration], 3600);

  model->EditInPlace = 0;
  model->OnSetActiveTimerId(2);
  model->HeldTimer = nullptr;
  simtv_clear_calls();
  simtv_fail("XPM_GetTimer", 1, 1);
  model->OnSetTimerSource(9);
  EXPECT_FALSE(Called(TvCalls(), "XPM_SetTimer"));
  EXPECT_EQ(Timer(2).source, 4);
  model->OnSetTimerSource(9);
  EXPECT_EQ(Timer(2).source, 9);

  StoreTimer(0, 4, 600);
  simtv_fail("XPM_GetTimer", 1, 1);
  model->OnSetOnTimerVolume(12);
  EXPECT_EQ(Timer(0).duration, 600);
}

// ------------------------------------------------------------ the whole set

TEST_F(Services, StandbyPictureInPictureAndTheClock) {
  simtv_clear_calls();
  model->Standby(0, 0);
  EXPECT_TRUE(Called(TvCalls(), "XPM_StandbyMode 0 0"));
  model->SetPIP(2);
  EXPECT_EQ(simtv_tv_pip_mode(), 2);
  EXPECT_EQ(model->GetPIPState(), 2);
  simtv_fail("XPM_GetPIPMode", 1, 1);
  EXPECT_EQ(model->GetPIPState(), 0);

  Structures::LocalTime* now = model->GetCurrentTime(1);
  EXPECT_EQ(now->Year, 111);
  EXPECT_EQ(now->Day, 15);
  EXPECT_EQ(now->Hour, 12);
  simtv_fail("XPM_GetLocalTime", 1, 1);
  now = model->GetCurrentTime(1);
  EXPECT_EQ(now->Year, 0);
  EXPECT_EQ(now->Day, 0);

  simtv_tv_set_firmware_version("TV 2.00.0001");
  EXPECT_EQ(Utf8(model->GetFirmwareVersion()), "TV 2.00.0001");
  simtv_fail("XPM_GetFirmwareVersion", 1, 1);
  EXPECT_EQ(model->GetFirmwareVersion(), nullptr);
}

TEST_F(Services, TheOnScreenDisplayLockHoldsBackLocksAndMutes) {
  XPM_ChannelInfo seven = Channel(7, 1);
  XPM_ChannelInfo nine = Channel(9, 1);
  simtv_tv_add_channel(&seven);
  simtv_tv_add_channel(&nine);
  auto* channel = VgNew<Structures::VirtualChannel>();
  channel->Major = 7;
  channel->Minor = 1;
  model->SetChannelLock(channel, true);
  XPM_ChannelInfo read{};
  XPM_GetChannelInfo(7, 1, &read);
  EXPECT_EQ(read.locked, 1);
  XPM_GetChannelInfo(9, 1, &read);
  EXPECT_EQ(read.locked, 0);

  channel->Major = -1;
  channel->Minor = -1;
  model->SetChannelLock(channel, true);
  XPM_GetChannelInfo(9, 1, &read);
  EXPECT_EQ(read.locked, 1) << "-1, -1 is every channel";

  simtv_clear_calls();
  channel->Minor = 1;
  model->SetChannelLock(channel, false);  // half a wildcard names nothing
  model->SetChannelLock(nullptr, false);
  model->OSDLock = true;
  channel->Major = 7;
  model->SetChannelLock(channel, false);
  model->SetExtOutputMute(true);
  EXPECT_TRUE(TvCalls().empty());
  model->OSDLock = false;
  model->SetExtOutputMute(true);
  EXPECT_TRUE(Called(TvCalls(), "XPM_SetExtOutputMute 1"));
}

TEST_F(Services, ThePhysicalChannelIsTheTunersUntilOneIsChosen) {
  simtv_av_set_source_type(0, 1);  // both windows show source 0, a tuner
  XPM_CurrentChannelInfo current{};
  current.major = 2;
  current.minor = 1;
  current.physical = 19;
  simtv_tv_set_current_channel_info(0, &current);
  EXPECT_EQ(model->OnGetCurrentPhysicalChannel(), 19);
  model->OnSetCurrentPhysicalChannel(33);
  EXPECT_EQ(model->OnGetCurrentPhysicalChannel(), 33);
}

// --------------------------------------------------------------- languages

TEST_F(Services, TheMenuLanguageReachesEveryPartOfTheSet) {
  simtv_clear_calls();
  model->SetMenuLanguage(2);
  EXPECT_EQ(model->GetMenuLanguage(), 2);
  EXPECT_EQ(VgGetLanguage(), 1) << "French";
  EXPECT_EQ(store->GetInteger(Key("Language")), 2);
  const std::vector<std::string> calls = TvCalls();
  EXPECT_TRUE(Called(calls, "XPM_SetMenuLanguage 2"));
  EXPECT_TRUE(Called(calls, "XPM_CEC_SetMenuLanguage fre"));
  EXPECT_TRUE(Called(calls, "TVSM_SetRegisterTable LANGUAGE_2 fre"));
  EXPECT_EQ(Utf8(model->GetStringFromRegisterTable(Key("LANGUAGE_2"))), "fre");

  model->SetMenuLanguage(1);
  EXPECT_EQ(VgGetLanguage(), 2) << "Spanish";
  model->SetMenuLanguage(3);
  model->SetMenuLanguage(-1);
  EXPECT_EQ(model->GetMenuLanguage(), 1) << "no such language";
  store->PutInteger(Key("Language"), 7);
  EXPECT_EQ(model->GetMenuLanguage(), 0);
}

TEST_F(Services, TheRegisterTableAndTheSetupStatusGoToTheStateManager) {
  model->RegisterTableChangeNotify(Key("LANGUAGE_1"), true);
  EXPECT_EQ(simtv_tv_register_notified("LANGUAGE_1"), 1);
  EXPECT_EQ(simtv_tv_register_notified("LANGUAGE_2"), 0);
  model->RegisterTableChangeNotify(Key("LANGUAGE_1"), false);
  EXPECT_EQ(simtv_tv_register_notified("LANGUAGE_1"), 0);
  EXPECT_EQ(model->GetStringFromRegisterTable(Key("NO_SUCH_ENTRY")), nullptr);
  simtv_tv_set_register("LANGUAGE_2", "spa");
  EXPECT_EQ(Utf8(model->GetStringFromRegisterTable(Key("LANGUAGE_2"))), "spa");

  model->NotifySetupStatus(2);
  EXPECT_TRUE(Called(Calls(), "TVSM_ReportAsyncEvent 1 22 2 4"));
  simtv_clear_calls();
  model->DisplayNoChannel();
  EXPECT_TRUE(Called(TvCalls(), "XPM_DisplayNoChannel"));
}

// ---------------------------------------------------------- factory reset

TEST_F(Services, AFactoryResetForgetsTheModelsOwnKeysOnly) {
  model->OnSetAudioEffect(2);
  model->OnSetMenuLanguage(2);
  model->OnSetCBListMask(3);
  store->PutString(Key("SourceLabel_5"), Key("Console"));
  store->PutInteger(Key("SetupStep"), 9);
  model->OnSetActiveTimerId(4);
  model->OnSetSleepIndex(10);
  model->OnSetIsFrozen(true);
  simtv_clear_calls();

  model->ResetAll();
  EXPECT_TRUE(Called(TvCalls(), "XPM_ResetFactoryDefaults"));
  EXPECT_FALSE(store->IsStringExist(Key("AudioEffect")));
  EXPECT_FALSE(store->IsStringExist(Key("Language")));
  EXPECT_FALSE(store->IsStringExist(Key("SourceLabel_5")));
  EXPECT_EQ(store->GetInteger(Key("SetupStep")), 9) << "the root's key stays";
  EXPECT_EQ(model->OnGetCBListMask(), 111);
  EXPECT_EQ(model->OnGetMenuLanguage(), 0);
  EXPECT_EQ(model->HeldTimer.get(), nullptr);
  EXPECT_EQ(model->OnGetSleepIndex(), 0);
  EXPECT_FALSE(model->OnGetIsFrozen());
  Minutes(20);
  EXPECT_TRUE(root->reasons.empty()) << "the sleep timer went with the reset";

  // The reset was written out: a fresh store reads the same file.
  auto* reread = VgNew<PersistentData::PersistentData>();
  ASSERT_TRUE(reread->Initialize(VgNewStringAnsi("/mnt/nvram/APP_NVRAM.dat")));
  EXPECT_FALSE(reread->IsStringExist(Key("AudioEffect")));
  EXPECT_EQ(reread->GetInteger(Key("SetupStep")), 9);
}

// --------------------------------------------------------------- HDMI-CEC

TEST_F(Services, TheSpeakerPreferenceIsSentOnlyWhenItChanges) {
  simtv_clear_calls();
  model->OnSetQuickSpeakerPreference(1);
  EXPECT_EQ(TvCalls(), (std::vector<std::string>{"XPM_CEC_SetARC 1", "XPM_CEC_SystemAudioControl 1"}));
  simtv_clear_calls();
  model->OnSetQuickSpeakerPreference(1);  // the audio system's answer
  EXPECT_TRUE(TvCalls().empty());
  model->OnSetQuickSpeakerPreference(0);
  EXPECT_EQ(TvCalls(), (std::vector<std::string>{"XPM_CEC_SystemAudioControl 0", "XPM_CEC_SetARC 0"}));
  EXPECT_EQ(model->OnGetQuickSpeakerPreference(), 0);
}

}  // namespace
}  // namespace ModelTest
