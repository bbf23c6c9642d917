#include "AppServices/Wrapper.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Events/Events.h"
#include "OptionDatabase/OptionTypes.h"
#include "SkinBin/Wrapper.h"
#include "Wrapper/TimerRecord.h"
#include "model_test_support.h"

namespace ModelTest {
namespace {

using SkinBin::Wrapper;

class Model : public SimulatedSet {
 protected:
  Wrapper* model = VgNew<Wrapper>();

  static Structures::VideoContentInfo* Video(int32_t valid, int32_t height, int32_t width, int32_t scan, int32_t rate) {
    auto* info = VgNew<Structures::VideoContentInfo>();
    info->Values[::Wrapper::kVideoValid] = valid;
    info->Values[::Wrapper::kVideoHeight] = height;
    info->Values[::Wrapper::kVideoWidth] = width;
    info->Values[::Wrapper::kVideoScanType] = scan;
    info->Values[::Wrapper::kVideoRateIndex] = rate;
    return info;
  }
};

TEST_F(Model, ChannelNumberTexts) {
  constexpr struct {
    bool digital;
    int32_t major;
    int32_t minor;
    const char* text;
  } kRows[] = {
      {false, 7, 0, "7"}, {true, 7, 0, "7-0"}, {false, 7, 2, "7-2"},      {true, -2, 5, "---"},
      {true, 7, -1, "7"}, {false, 7, -2, "7"}, {true, 101, 12, "101-12"},
  };
  for (const auto& row : kRows)
    EXPECT_EQ(Utf8(model->GetChannelNumberStr(row.digital, row.major, row.minor)), row.text) << row.text;
}

TEST_F(Model, ResolutionTexts) {
  constexpr struct {
    int32_t lines;
    int32_t scan;
    const char* text;
  } kRows[] = {
      {480, 2, "480p"},  {549, 1, "480i"},  {576, 0, "576i"},   {599, 2, "576p"},
      {720, 1, "720p"},  {799, 2, "720p"},  {1080, 1, "1080i"}, {1099, 2, "1080p"},
      {600, 2, nullptr}, {719, 1, nullptr}, {1100, 2, nullptr}, {0, 0, nullptr},
  };
  for (const auto& row : kRows) {
    VgString text = model->GetResolutionString(Video(1, row.lines, 0, row.scan, 0));
    if (row.text)
      EXPECT_EQ(Utf8(text), row.text) << row.lines;
    else
      EXPECT_EQ(text, nullptr) << row.lines;
  }
  EXPECT_EQ(model->GetResolutionString(nullptr), nullptr);
}

TEST_F(Model, SourceNamesStayInTheirTable) {
  EXPECT_EQ(Utf8(model->GetSourceName(5)), "HDMI 1");
  EXPECT_EQ(Utf8(model->GetSourceName(0)), Text(Strings::SID_UNKNOWN));  // an empty name
  EXPECT_EQ(Utf8(model->GetSourceName(30)), Text(Strings::SID_UNKNOWN));
  EXPECT_EQ(model->GetSourceName(-1), nullptr);  // the source of a reset timer
  EXPECT_EQ(model->GetExtSourceId(), 22);
}

TEST_F(Model, BigLogosOnlyForTheirIndexes) {
  EXPECT_EQ(model->GetBigChannelLogo(58), nullptr);
  EXPECT_EQ(model->GetBigChannelLogo(-1), nullptr);
}

TEST_F(Model, FailReasonTexts) {
  EXPECT_EQ(Utf8(model->GetFailReasonString(1)), Utf8(model->GetFailReasonString(17)));
  EXPECT_EQ(Utf8(model->GetFailReasonString(48)), Text(Strings::SID_RE_TUNE));
  EXPECT_EQ(Utf8(model->GetFailReasonString(20)), Utf8(model->GetFailReasonString(5)));
  for (int32_t unmapped : {0, 8, 16, 21, 22, 47, 49, -1}) EXPECT_EQ(model->GetFailReasonString(unmapped), nullptr);
}

TEST_F(Model, VgaInfoText) {
  EXPECT_EQ(Utf8(model->GetVGAInfo(Video(1, 768, 1024, 2, 9))), "1024x768/60Hz");
  EXPECT_EQ(Utf8(model->GetVGAInfo(Video(1, 1024, 1280, 2, 14))), "1280x1024/85Hz");
  EXPECT_EQ(model->GetVGAInfo(Video(0, 768, 1024, 2, 9)), nullptr);
  EXPECT_EQ(model->GetVGAInfo(Video(1, 768, 1024, 2, 15)), nullptr);  // past the rate table
  EXPECT_EQ(model->GetVGAInfo(Video(1, 768, 1024, 2, -1)), nullptr);
  EXPECT_EQ(model->GetVGAInfo(nullptr), nullptr);

  auto* agent = VgNew<SkinBin::EventAgent>();
  auto* noSignal = VgNew<Events::XPM_EVENT_SOURCE_ACQUIRED>();
  noSignal->Status = 17;
  agent->InsertEvent(noSignal);
  model->OnSetEventAgent(agent);
  EXPECT_EQ(Utf8(model->GetVGAInfo(Video(1, 768, 1024, 2, 9))), "No Signal");
}

TEST_F(Model, AudioServiceLanguageIsReadNoFurtherThanItsField) {
  XPM_AudioServiceInfo service{};
  std::snprintf(service.text, sizeof service.text, "Main");
  std::memcpy(service.language, "engl", 4);  // four letters, no zero
  service.format = 3;
  service.mode = 2;
  service.number = 7;
  simtv_tv_set_audio_service(0, &service);
  SkinBin::CurrentAudioServiceInfo* info = model->GetCurrentAudioServiceInfo(0);
  EXPECT_EQ(Utf8(info->Language), "engl");
  EXPECT_EQ(Utf8(info->Description), "Main");
  EXPECT_EQ(info->AudioFormat, 3);
  EXPECT_EQ(info->ServiceNumber, 7);

  SkinBin::CurrentAudioServiceInfo* unread = model->GetCurrentAudioServiceInfo(-1);
  EXPECT_EQ(Utf8(unread->Description), "WBC");
  EXPECT_EQ(unread->AudioFormat, 0);
}

TEST_F(Model, RatingQuestionsGoToTheTables) {
  EXPECT_EQ(model->GetUsRatingIndex(0x41111000), 5);
  EXPECT_EQ(Utf8(model->GetUsRatingText(0x41111000)), "TV_14_DLSV");
  EXPECT_EQ(model->GetCanRatingIndex(16), 12);
  EXPECT_EQ(model->GetCanRatingIndex(8), -1);
  EXPECT_EQ(model->GetCanRatingName(), nullptr);
}

TEST_F(Model, NetworkApplications) {
  EXPECT_EQ(model->GetActiveNetAppStatus(), nullptr);
  const XPM_AppStatus hidden[] = {{1, "TV", 0}, {2, "Widgets", 0x20}};
  simtv_tv_set_app_status(2, hidden);
  model->RefreshActiveAppStatus();
  EXPECT_FALSE(model->IsYahoo());
  EXPECT_FALSE(model->IsVuduDock());
  EXPECT_NE(model->GetNetAppStatusById(2), nullptr);

  const XPM_AppStatus running[] = {{1, "TV", 0}, {6, "Dock", 0}, {2, "Widgets", 0}};
  simtv_tv_set_app_status(3, running);
  model->RefreshActiveAppStatus();
  EXPECT_TRUE(model->IsVuduDock());
  EXPECT_EQ(Utf8(model->GetActiveNetAppStatus()->Name), "Dock");
  EXPECT_EQ(model->GetNetAppStatusById(9), nullptr);
}

TEST_F(Model, AgingPatternRunsWhileNothingIsAcquired) {
  model->ProcessAgingMode(0, 1);
  EXPECT_EQ(model->OnGetTVAgingMode(), 0);
  model->ProcessAgingMode(3, 17);
  EXPECT_EQ(model->OnGetTVAgingMode(), 3);
  model->ProcessAgingMode(5, 1);
  EXPECT_EQ(model->OnGetTVAgingMode(), 3);
  model->ProcessAgingMode(3, 16);
  EXPECT_EQ(model->OnGetTVAgingMode(), 0);
  model->ProcessAgingMode(3, 0);
  EXPECT_EQ(model->OnGetTVAgingMode(), 0);
}

TEST_F(Model, ResettingATimerStoresItsDefaults) {
  XPM_TimerInfo busy{};
  busy.enabled = 1;
  busy.duration = 600;
  busy.major = 7;
  busy.minor = 1;
  busy.start.tm_year = 111;
  busy.start.tm_mday = 1;
  XPM_SetTimer(3, &busy);
  model->ResetTimer(3);
  XPM_TimerInfo stored{};
  ASSERT_EQ(XPM_GetTimer(3, &stored), 0);
  EXPECT_EQ(stored.enabled, 0);
  EXPECT_EQ(stored.duration, 3600);
  EXPECT_EQ(stored.source, -1);
  EXPECT_EQ(stored.major, -2);
  EXPECT_EQ(stored.minor, -2);
  EXPECT_EQ(stored.volume, 30);
  EXPECT_EQ(stored.mapId, 2);
  EXPECT_EQ(model->SetTimer(nullptr), XPM_TIMER_ERROR_INVALID_TIMERID);  // nothing held
}

TEST_F(Model, ATimerIsReadAndResetByItsIdWhileAnotherIsEdited) {
  XPM_TimerInfo busy{};
  busy.enabled = 1;
  busy.duration = 600;
  busy.start.tm_year = 111;
  busy.start.tm_mday = 1;
  XPM_SetTimer(3, &busy);
  busy.duration = 900;
  busy.start.tm_mday = 2;  // not over the first one
  ASSERT_EQ(XPM_SetTimer(4, &busy), 0);
  model->OnSetActiveTimerId(4);

  ::Structures::TimerData* three = model->GetStoredTimer(3);
  ASSERT_NE(three, nullptr);
  EXPECT_EQ(three->Index, 3);
  EXPECT_EQ(three->Values[::Wrapper::kTimerDuration], 600) << "not the timer being edited";
  EXPECT_EQ(model->GetStoredTimer(XPM_TIMER_COUNT), nullptr);

  model->ResetTimer(3);
  XPM_TimerInfo stored{};
  XPM_GetTimer(3, &stored);
  EXPECT_EQ(stored.duration, 3600);
  XPM_GetTimer(4, &stored);
  EXPECT_EQ(stored.duration, 900) << "the timer being edited stays";
  EXPECT_EQ(model->OnGetActiveTimerId(), 4);
  EXPECT_EQ(model->HeldTimer->Values[::Wrapper::kTimerDuration], 900);

  model->ResetTimer(4);
  EXPECT_EQ(model->HeldTimer->Values[::Wrapper::kTimerDuration], 3600) << "its edited copy is reset with it";
}

TEST_F(Model, OnTimerVolumeWritesTheHeldTimerWhileEditing) {
  model->OnSetOnTimerVolume(44);
  XPM_TimerInfo stored{};
  XPM_GetTimer(0, &stored);
  EXPECT_EQ(stored.volume, 44);
  EXPECT_EQ(model->OnGetOnTimerVolume(), 44);

  model->HeldTimer = model->GetTimer(0);
  model->OnSetOnTimerVolume(12);
  XPM_GetTimer(0, &stored);
  EXPECT_EQ(stored.volume, 44);
  EXPECT_EQ(model->OnGetOnTimerVolume(), 12);
}

TEST_F(Model, ACopiedTimerHasAStartTimeOfItsOwn) {
  auto* source = model->GetTimer(1);
  source->Values[1] = 1800;
  auto* target = VgNew<Structures::TimerData>();
  model->CopyTimerData(target, source);
  ASSERT_NE(target->StartTime.get(), nullptr);
  EXPECT_NE(target->StartTime.get(), source->StartTime.get());
  EXPECT_EQ(target->StartTime->Hour, source->StartTime->Hour);
  EXPECT_EQ(target->Values[1], 1800);
  EXPECT_EQ(target->Index, 1);
  model->CopyTimerData(nullptr, source);
  model->CopyTimerData(target, nullptr);
}

TEST_F(Model, TheContinualTimeClearsTheLockOnlyWithThe3DOutputOff) {
  model->Setup3D.State = SkinBin::Setup3D::kState3D;
  model->OnSetRemain3DContinualTime(0);
  model->OnSetRemain3DContinualTime(5);
  EXPECT_EQ(model->OnGetRemain3DContinualTime(), 5);
  model->Setup3D.State = SkinBin::Setup3D::kState2D;
  model->OnSetRemain3DContinualTime(0);
  EXPECT_EQ(model->OnGetRemain3DContinualTime(), 0);
  EXPECT_EQ(model->OnGetRemain3DTime(), 0);
}

TEST_F(Model, AddressesAreReadFromTheHeldRecord) {
  EXPECT_EQ(model->OnGetIPAddress(), 0u);
  auto* config = VgNew<Structures::IF_Configuration>();
  config->DHCP = 1;
  const uint8_t address[4] = {192, 168, 1, 23};
  std::memcpy(config->Address, address, 4);
  model->OnSetIFConfiguration(config);
  EXPECT_EQ(model->OnGetIPAddress(), 0xC0A80117u);
  EXPECT_EQ(model->OnGetAutoSetup(), 1);
  model->OnSetIFConfiguration(nullptr);
  EXPECT_EQ(model->OnGetIPAddress(), 0xC0A80117u);  // the cached value
}

TEST_F(Model, SeriesAndSleepAndGameTime) {
  XPM_SetExtOemProperty(38, 10);
  EXPECT_EQ(model->OnGetSeriesType(), 3);
  XPM_SetExtOemProperty(38, 2);
  EXPECT_EQ(model->OnGetSeriesType(), 3);  // worked out once

  model->OnSetSleepIndex(90);
  model->RemainSleepTime = 42;
  EXPECT_EQ(model->OnGetSleepIndex(), 42);
  model->OnSetSleepIndex(0);
  model->RemainSleepTime = 42;
  EXPECT_EQ(model->OnGetSleepIndex(), 0);

  model->OnSetGameTimerIndex(3);
  EXPECT_EQ(model->OnGetRemainGameTime(), 90);
  model->OnSetGameTimerIndex(5);
  EXPECT_EQ(model->OnGetRemainGameTime(), 0);
}

TEST_F(Model, ChannelAndDetailInfoFromTheMiddleware) {
  XPM_ChannelInfo channel = Channel(7, 1);
  channel.locked = 1;
  simtv_tv_add_channel(&channel);
  Structures::ChannelData* info = model->GetChannelInfo(7, 1);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(Utf8(info->Name), "CH 7-1");
  EXPECT_EQ(info->Flags[1], 1);
  EXPECT_EQ(model->GetChannelInfo(7, 9), nullptr);

  XPM_CurrentChannelInfo current{};
  current.major = 7;
  current.minor = 1;
  current.serviceType = 3;
  current.usRating = 0x30000000;
  simtv_tv_set_current_channel_info(0, &current);
  simtv_set_value("current_source", 0);
  simtv_av_set_source_type(0, 1);  // both windows show source 0
  SkinBin::CurrentChannelInfo* detail = model->GetCurrentChannelDetailInfo();
  EXPECT_EQ(detail->ServiceType, 3);
  EXPECT_EQ(detail->UsRating, 0x30000000);

  simtv_av_set_source_type(0, 5);  // no window shows a tuner now
  detail = model->GetCurrentChannelDetailInfo();
  EXPECT_EQ(Utf8(detail->Name), "WBC");
  EXPECT_EQ(detail->UsRating, 0);

  simtv_tv_set_live_tv_state(1, 3);
  EXPECT_EQ(model->GetLiveTVState(0), 1);
  EXPECT_EQ(model->GetLiveTVState(1), 3);
}

// The option rows reach the application's own model, the auto object.
TEST_F(SimulatedSet, AnOptionIsSetByItsRowIndex) {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  VgLockObject(model);
  model->OnSetAutoSetup(0);
  model->SetRefValueFromIndex(OptionDatabase::OPTION_TYPE_AUTO_SETUP, 1);
  EXPECT_EQ(model->OnGetAutoSetup(), 1);
  model->SetRefValueFromIndex(0x7F0000FF, 1);  // no such option: nothing happens
  VgUnlockObject(model);
}

}  // namespace
}  // namespace ModelTest
