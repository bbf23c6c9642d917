// The television model's backings of its properties.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "OptionDatabase/OptionTypes.h"
#include "PersistentData/PersistentData.h"
#include "Structures/Channels.h"
#include "Structures/Devices.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"
#include "options_fixture.h"

namespace {

using OptionDatabase::OptionDataClass;

TEST_F(Options, AFailingMiddlewareLeavesTheLastKnownValue) {
  model->OnSetBass(12);
  simtv_fail("XPM_GetBass", 5, -1);
  simtv_fail("XPM_SetBass", 5, -1);
  EXPECT_EQ(model->OnGetBass(), 12);
  model->OnSetBass(-4);  // not sent, but remembered
  EXPECT_EQ(model->OnGetBass(), -4);
  simtv_fail("XPM_GetBass", 0, 0);
  simtv_fail("XPM_SetBass", 0, 0);
  EXPECT_EQ(model->OnGetBass(), 12);  // the set still has what it last accepted
}

TEST_F(Options, ScreenOnlyValuesStayInTheModel) {
  simtv_clear_calls();
  model->OnSetWB_Red(-20);
  model->OnSetAutoBrightnessSetting(1);
  EXPECT_EQ(model->OnGetWB_Red(), -20);
  EXPECT_EQ(model->OnGetAutoBrightnessSetting(), 1);
  EXPECT_TRUE(Calls().empty());
}

TEST_F(Options, TheRGBFilterSwitchesOneChannelAtATime) {
  model->OnSetRGBFilterGreen(0);
  uint32_t filter = 0;
  XPM_GetColorTemperature_RGB_Filter(&filter);
  EXPECT_EQ(filter, 0x110011u);
  EXPECT_EQ(model->OnGetRGBFilterRed(), 1);
  EXPECT_EQ(model->OnGetRGBFilterGreen(), 0);
  XPM_SetColorTemperature_RGB_Filter(0x000011);
  EXPECT_EQ(model->OnGetRGBFilterRed(), 0);
  model->OnSetRGBFilterRed(1);
  model->OnSetRGBFilterGreen(1);
  XPM_GetColorTemperature_RGB_Filter(&filter);
  EXPECT_EQ(filter, 0x111111u);
}

TEST_F(Options, VideoContentTakesTheMeasuredRateOnComputerInputs) {
  XPM_VideoContentInfo info{};
  info.width = 1280;
  info.height = 720;
  info.scanType = 2;
  info.rateIndex = 9;
  info.pcRateIndex = 13;
  info.pcSignal = 1;
  simtv_av_set_video_content(0, &info);
  const int32_t* tuner = model->GetVideoContentInfo(0)->Values;
  EXPECT_EQ(tuner[Wrapper::kVideoValid], 1);
  EXPECT_EQ(tuner[Wrapper::kVideoHeight], 720);
  EXPECT_EQ(tuner[Wrapper::kVideoWidth], 1280);
  EXPECT_EQ(tuner[Wrapper::kVideoRateIndex], 9);
  ShowSource(6, Wrapper::kSourceTypeVga);
  EXPECT_EQ(model->GetVideoContentInfo(0)->Values[Wrapper::kVideoRateIndex], 13);

  simtv_fail("XPM_GetVideoContentInfo", 3, 1);
  const int32_t* failed = model->GetVideoContentInfo(0)->Values;
  for (int i = 0; i < 10; ++i) EXPECT_EQ(failed[i], 0) << i;
}

TEST_F(Options, TheCurrentChannelIsTheTunerWindowsOrNone) {
  simtv_av_set_channel(0, 5, 3);
  auto* channel = model->GetCurrentChannel();
  EXPECT_EQ(channel->Major, 5);
  EXPECT_EQ(channel->Minor, 3);
  EXPECT_TRUE(model->IsDigitalChannel(channel->Major, channel->Minor));
  ShowSource(7, Wrapper::kSourceTypeHdmi);
  channel = model->GetCurrentChannel();
  EXPECT_EQ(channel->Major, -2);
  EXPECT_EQ(channel->Minor, -2);
}

class StoredOptions : public Options {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "tvui-options-XXXXXX").string();
    dir = mkdtemp(pattern.data());
    setenv("TVUI_ROOT", dir.c_str(), 1);
    Options::SetUp();
    store = VgNew<::PersistentData::PersistentData>();
    VgLockObject(store);
    ASSERT_TRUE(store->Initialize(VgNewStringAnsi("/mnt/nvram/APP_NVRAM.dat")));
  }
  void TearDown() override {
    VgUnlockObject(store);
    Options::TearDown();
    std::filesystem::remove_all(dir);
    unsetenv("TVUI_ROOT");
  }
  std::string dir;
  ::PersistentData::PersistentData* store = nullptr;
};

TEST_F(StoredOptions, KeyBackedOptionsLiveInTheSettingsStore) {
  // Without a store the value is only kept in the model.
  model->OnSetAudioEffect(2);
  EXPECT_EQ(model->OnGetAudioEffect(), 2);
  EXPECT_FALSE(store->IsStringExist(VgNewStringAnsi("AudioEffect")));

  model->OnSetPersistentData(store);
  OptionDataClass* effect = Read(OptionDatabase::OPTION_TYPE_AUDIO_EFFECT);
  EXPECT_EQ(ChoiceText(effect), Text(Strings::SRS));  // the key was never written
  Change(effect, 3);
  EXPECT_EQ(store->GetInteger(VgNewStringAnsi("AudioEffect")), 3);

  // The store is read again on every read, so a change behind the model shows.
  store->PutInteger(VgNewStringAnsi("AudioEffect"), 1);
  EXPECT_EQ(ChoiceText(Read(OptionDatabase::OPTION_TYPE_AUDIO_EFFECT)), Text(Strings::AUDYSSEY));

  Change(Read(SkinBin::OPTION_TYPE_STAGEHOLD), 1);
  EXPECT_EQ(store->GetInteger(VgNewStringAnsi("Stagehold")), 1);
}

}  // namespace
