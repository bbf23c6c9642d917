// Tuning, channels, scans and rating blocks through the television model, on
// a booted simulated set whose answers come as middleware events on its
// clock.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "SkinBin/RatingData.h"
#include "Structures/Channels.h"
#include "model_app_fixture.h"
#include "simtv.h"
#include "xpm.h"
#include "xpm_events.h"

namespace ModelTest {
namespace {

using SkinBin::Wrapper;
namespace R = SkinBin::Ratings;

struct Event {
  uint32_t number;  // as the GUI sees it
  std::vector<int32_t> words;
};

std::mutex g_mutex;
std::vector<Event> g_events;

void Collect(uint32_t, uint32_t event, const void* payload, uint32_t size) {
  Event e{XpmRenumberedEvent(event), {}};
  e.words.resize(size / 4);
  if (payload && size >= 4) std::memcpy(e.words.data(), payload, e.words.size() * 4);
  std::lock_guard lock(g_mutex);
  g_events.push_back(e);
}

class Tuner : public ModelApp {
 protected:
  void SetUp() override {
    simtv_boot(1, 0);
    ModelApp::SetUp();
    const char* source = std::getenv("TVUI_SOURCE_DIR");
    const std::string fixture = std::string(source ? source : ".") + "/tests/scenarios/fixtures/tuning.fixture";
    char error[256] = {};
    ASSERT_EQ(simtv_tv_load_fixture(fixture.c_str(), error, sizeof error), 0) << error;
    simtv_setup_reset();
    simtv_set_value("current_source", 1);
    ASSERT_EQ(XPM_SubscribeEventClient(&Collect, nullptr), 0);
    Events();
  }
  void TearDown() override {
    XPM_UnsubscribeEventClient(&Collect, nullptr);
    ModelApp::TearDown();
  }

  // The events delivered since the last call.
  static std::vector<Event> Events() {
    simtv_settle();
    std::lock_guard lock(g_mutex);
    return std::exchange(g_events, {});
  }
  static Structures::VirtualChannel* Channel(int32_t major, int32_t minor) {
    auto* channel = VgNew<Structures::VirtualChannel>();
    channel->Major = major;
    channel->Minor = minor;
    return channel;
  }
  static std::vector<XPM_ChannelInfo> Ring(int32_t ring) {
    std::vector<XPM_ChannelInfo> channels(64);
    int32_t count = 0;
    XPM_GetRingChannels(ring, channels.data(), 64, &count);
    channels.resize(size_t(count));
    return channels;
  }
  static XPM_ChannelInfo Info(int32_t major, int32_t minor) {
    XPM_ChannelInfo info{};
    EXPECT_EQ(XPM_GetChannelInfo(major, minor, &info), 0) << major << "-" << minor;
    return info;
  }
  void Tune(int32_t major, int32_t minor) {
    model->SetChannel(major, minor, 1, 1);
    simtv_advance(SIMTV_ACQUIRE_MS);
  }
  static std::vector<int32_t> Answer() {
    std::vector<Event> events = Events();
    EXPECT_EQ(events.size(), 1u);
    if (events.empty()) return {};
    std::vector<int32_t> answer = events.back().words;
    answer.insert(answer.begin(), int32_t(events.back().number));
    return answer;
  }
};

using Words = std::vector<int32_t>;

// ------------------------------------------------------------------ tuning

TEST_F(Tuner, BothFormsOfSetChannelTuneAndTheSetAnswersAfterItsDelay) {
  model->SetChannel(7, 2, 1, 0);
  simtv_advance(SIMTV_ACQUIRE_MS - 1);
  EXPECT_TRUE(Events().empty());
  simtv_advance(1);
  EXPECT_EQ(Answer(), (Words{XpmEvent::ChannelAcquired, 0, 7, 2}));
  EXPECT_EQ(model->GetCurrentChannel()->Major, 7);

  model->SetChannel(9, 1, 1, 0);
  model->SetChannel(7, 2, 1, 1);  // overtakes the tuning to 9-1
  simtv_advance(SIMTV_ACQUIRE_MS);
  EXPECT_EQ(Answer(), (Words{XpmEvent::ChannelAcquired, 0, 7, 2}));
  EXPECT_EQ(model->LastChannel->Major, 9);
  EXPECT_EQ(Utf8(model->GetCurrentChannelDetailInfo()->Name), "KQRS-WX");
}

TEST_F(Tuner, LocksAndBlockedRatingsRefuseAChannelWhileParentalLocksAreOn) {
  model->SetChannelLock(Channel(7, 2), true);
  Tune(7, 2);
  EXPECT_EQ(Answer(), (Words{XpmEvent::ChannelAcquired, 0, 7, 2})) << "parental locks are off";

  model->OnSetParentalLocks(2);
  Tune(7, 2);
  EXPECT_EQ(Answer(), (Words{XpmEvent::ChannelNotAcquired, 0, 7, 2, 4}));

  model->SetUsTVRatingBlock(4, 0, true);  // TV-PG
  Tune(9, 1);                             // TV-14
  EXPECT_EQ(Answer(), (Words{XpmEvent::ChannelNotAcquired, 0, 9, 1, 5}));
  Tune(11, 1);
  EXPECT_EQ(Answer(), (Words{XpmEvent::ChannelAcquired, 0, 11, 1}));
  model->SetCanRatingBlock(64, true);  // 13 ans+ blocks the 16 ans+ on air
  Tune(11, 1);
  EXPECT_EQ(Answer(), (Words{XpmEvent::ChannelNotAcquired, 0, 11, 1, 5}));
  Tune(7, 2);  // TV-G, locked
  EXPECT_EQ(Answer(), (Words{XpmEvent::ChannelNotAcquired, 0, 7, 2, 4}));
  Tune(7, 3);
  EXPECT_EQ(Answer(), (Words{XpmEvent::ChannelNotAcquired, 0, 7, 3, 2})) << "on air, not found by the set";
}

TEST_F(Tuner, AnInputWithoutSignalIsNotAcquired) {
  simtv_tv_set_source_signal(6, 0);
  model->SetSource(0, 6);
  simtv_advance(SIMTV_ACQUIRE_MS);
  EXPECT_EQ(Answer(), (Words{XpmEvent::SourceNotAcquired, 0, 6, 1}));
  model->SetSource(0, 5);
  simtv_advance(SIMTV_ACQUIRE_MS);
  EXPECT_EQ(Answer(), (Words{XpmEvent::SourceAcquired, 0, 5}));
}

// -------------------------------------------------------- channel changes

TEST_F(Tuner, RingsNamesAndLogosChangeTheSetsChannelsButNotUnderTheOSDLock) {
  const std::string forty(40, 'N');
  model->OSDLock = true;
  simtv_clear_calls();
  model->AddChannelToRing(1, Channel(7, 2));
  model->RemoveChannelFromRing(XPM_RING_GUIDE, Channel(7, 2));
  model->SetChannelName(Channel(7, 2), Key(forty.c_str()));
  EXPECT_TRUE(Calls().empty());

  model->OSDLock = false;
  model->AddChannelToRing(1, Channel(7, 2));
  model->RemoveChannelFromRing(XPM_RING_GUIDE, Channel(7, 2));
  model->SetChannelName(Channel(7, 2), Key(forty.c_str()));
  const XPM_ChannelInfo info = Info(7, 2);
  EXPECT_EQ(info.favoriteRings, 2u);
  EXPECT_EQ(info.skipped, 1);
  EXPECT_EQ(std::string(info.name), std::string(36, 'N'));
  // A name of wide characters keeps whole characters within the field.
  model->SetChannelName(Channel(7, 2), VgNewStringUtf8("\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"
                                                       "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"
                                                       "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"));
  EXPECT_EQ(Utf8(model->GetChannelInfo(7, 2)->Name).size(), 36u);

  model->AddChannelToRing(0, Channel(-1, -1));
  for (const XPM_ChannelInfo& c : Ring(XPM_RING_MASTER)) EXPECT_TRUE(c.favoriteRings & 1u) << c.name;
  model->AddChannelToRing(0, Channel(-1, 3));  // half a channel names none
  EXPECT_EQ(Ring(0).size(), Ring(XPM_RING_MASTER).size());

  model->SetChannelLogoIndex(7, 2, 12);
  model->SetChannelLogoIndex(7, 2, 59);  // no such logo
  EXPECT_EQ(model->GetChannelLogoIndex(7, 2), 12);
  EXPECT_EQ(model->GetChannelLogoIndex(7, 1), 0);
  EXPECT_EQ(model->GetChannelLogoIndex(70, 1), 0);
}

TEST_F(Tuner, ChannelQueriesAndTypedNumbers) {
  EXPECT_TRUE(model->IsChannelExist(7, 2));
  EXPECT_FALSE(model->IsChannelExist(7, 3));
  Tune(4, 0);
  Events();
  Structures::ChannelData* info = model->GetCurrentChannelInfo();
  EXPECT_EQ(Utf8(info->Name), "K04AB");
  EXPECT_EQ(info->Flags[0], 0) << "an analogue channel";
  simtv_set_value("current_source", 5);
  simtv_av_set_source_type(5, ::Wrapper::kSourceTypeHdmi);
  info = model->GetCurrentChannelInfo();
  EXPECT_EQ(info->Major, -2);
  EXPECT_EQ(info->Flags[0], 1) << "no window shows the tuner";

  constexpr struct {
    const char* text;
    int32_t major;
    int32_t minor;
  } kTyped[] = {{"7-2", 7, 2}, {"7", 7, 0}, {"101-12", 101, 12}, {"7-", -2, -2}, {"-2", -2, -2}, {"x-1", -2, -2},
                {"", -2, -2},  {"99999999999-1", -2, -2}};
  for (const auto& typed : kTyped) {
    Structures::VirtualChannel* channel = Wrapper::GetVirtualChannelByString(Key(typed.text), Key("-"));
    EXPECT_EQ(channel->Major, typed.major) << typed.text;
    EXPECT_EQ(channel->Minor, typed.minor) << typed.text;
  }
}

TEST_F(Tuner, InputLabelsPinsAndBrowserLists) {
  model->SetSourceLabel(5, Key("Game"));
  model->SetSourceCustomLabel(5, Key("Game"));
  model->SetSourceDisable(6, true);
  EXPECT_EQ(Utf8(model->GetSourceLabel(5)), "Game");
  EXPECT_EQ(Utf8(model->GetSourceCustomLabel(5)), "Game");
  EXPECT_TRUE(model->GetSourceDisable(6));
  model->SetSourceLabel(5, Key(""));
  model->SetSourceDisable(6, false);
  EXPECT_FALSE(store->IsStringExist(Key("SourceLabel_5"))) << "an empty label removes the stored one";
  EXPECT_FALSE(model->GetSourceDisable(6));
  model->ResetAll();
  EXPECT_EQ(model->GetSourceCustomLabel(5), nullptr);

  EXPECT_FALSE(model->IsPinExisting());
  store->PutString(Key("Password"), Key("1234"));
  store->PutString(Key("ThreeDPassword"), Key(""));
  EXPECT_TRUE(model->IsPinExisting());
  EXPECT_FALSE(model->Is3DPinExisting());
  EXPECT_EQ(model->GetCBListsNum(), 6) << "kinds 0-3, 5 and 6 of a fresh set";
}

// ------------------------------------------------------------------- scans

TEST_F(Tuner, AnAntennaScanReportsEveryPhysicalChannelAndFillsTheMasterRing) {
  ASSERT_TRUE(model->StartChannelScan(Wrapper::kScanAntenna));
  EXPECT_FALSE(model->StartChannelScan(Wrapper::kScanCable)) << "one scan at a time";
  simtv_advance(SIMTV_SCAN_STEP_MS * (XPM_RF_ANTENNA_LAST - XPM_RF_ANTENNA_FIRST + 1));
  const std::vector<Event> events = Events();
  ASSERT_EQ(events.size(), size_t(XPM_RF_ANTENNA_LAST - XPM_RF_ANTENNA_FIRST + 2));
  int32_t percent = 0;
  for (size_t i = 0; i + 1 < events.size(); ++i) {
    EXPECT_EQ(events[i].number, XpmEvent::FullScanProgress);
    EXPECT_EQ(events[i].words[0], XPM_RF_ANTENNA_FIRST + int32_t(i));
    EXPECT_GE(events[i].words[2], percent);
    percent = events[i].words[2];
  }
  EXPECT_EQ(percent, 100);
  const Event& rf27 = events[27 - XPM_RF_ANTENNA_FIRST];
  // RF 4 carried one channel before.
  EXPECT_EQ(rf27.words, (Words{27, 4, 38, 0, 0, 0, 0, 3, 0, 7, 1, 7, 2, 7, 3}));
  EXPECT_EQ(events.back().number, XpmEvent::FullScanCompleted);
  EXPECT_EQ(Ring(XPM_RING_MASTER).size(), 6u) << "the antenna channels on air";
  EXPECT_TRUE(Info(7, 3).isNew);
  EXPECT_FALSE(Info(7, 2).isNew);
  EXPECT_TRUE(Info(7, 2).locked) << "a channel found again keeps its lock";
  EXPECT_EQ(Ring(XPM_RING_MASTER_OTHER_MEDIUM).size(), 1u) << "the cable was not scanned";
  EXPECT_EQ(simtv_tv_scan_state(), 0);
}

TEST_F(Tuner, AStoppedScanKeepsTheChannelsItHad) {
  simtv_tv_clear_broadcast();
  model->OnSetAdditiveScan(0);
  ASSERT_TRUE(model->StartChannelScan(Wrapper::kScanAntenna));
  simtv_advance(SIMTV_SCAN_STEP_MS * 2);
  model->StopChannelScan();
  simtv_advance(SIMTV_SCAN_STEP_MS * 10);
  const std::vector<Event> events = Events();
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[1].words[0], 3);
  EXPECT_EQ(events[2].number, XpmEvent::FullScanAborted);
  EXPECT_EQ(Ring(XPM_RING_MASTER).size(), 5u);
}

TEST_F(Tuner, ASingleChannelScanMarksWhatItFound) {
  ASSERT_TRUE(model->StartSingleChannelScan(27));
  simtv_advance(SIMTV_SINGLE_SCAN_MS);
  const std::vector<Event> events = Events();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].number, XpmEvent::SingleScanCompleted);
  EXPECT_EQ(events[0].words, (Words{27, 3, 100, 1, 0, 0, 0, 3, 0, 7, 1, 7, 2, 7, 3}));
  EXPECT_TRUE(Info(7, 1).scanned);
  EXPECT_FALSE(Info(7, 1).isNew);
  EXPECT_TRUE(Info(7, 3).scanned);
  EXPECT_TRUE(Info(7, 3).isNew);
  EXPECT_FALSE(Info(9, 1).scanned);

  ASSERT_TRUE(model->StartSingleChannelScan(4));
  model->StopChannelScan();
  simtv_advance(SIMTV_SINGLE_SCAN_MS);
  ASSERT_EQ(Events().size(), 1u);
  EXPECT_FALSE(model->StartSingleChannelScan(70)) << "beyond the antenna's channels";
}

TEST_F(Tuner, AGuideScanVisitsTheGuideRing) {
  ASSERT_TRUE(model->StartEPGScan());
  simtv_advance(SIMTV_EPG_STEP_MS * 5);
  std::vector<Event> events = Events();
  ASSERT_EQ(events.size(), 6u) << "five antenna channels of the guide, then the end";
  EXPECT_EQ(events[0].number, XpmEvent::EpgScanProgress);
  EXPECT_EQ(events[1].words[3], 7);
  EXPECT_EQ(events[1].words[4], 1);
  EXPECT_EQ(events.back().number, XpmEvent::EpgScanCompleted);

  ASSERT_TRUE(model->StartEPGScan());
  simtv_advance(SIMTV_EPG_STEP_MS);
  model->StopEPGScan();
  simtv_advance(SIMTV_EPG_STEP_MS * 6);
  events = Events();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[1].number, XpmEvent::EpgScanAborted);
}

// ----------------------------------------------------------- rating blocks

TEST_F(Tuner, BlockingARatingBlocksTheStricterOnesOfItsScale) {
  model->SetUsTVRatingBlock(4, 0, true);  // TV-PG
  EXPECT_FALSE(model->GetUsTVRatingBlock(3, 0));
  EXPECT_TRUE(model->GetUsTVRatingBlock(5, 0));
  EXPECT_TRUE(model->GetUsTVRatingBlock(6, R::kContentV));
  EXPECT_FALSE(model->GetUsTVRatingBlock(2, 0)) << "the children's scale is apart";
  model->SetUsTVRatingBlock(5, R::kContentS, false);
  EXPECT_FALSE(model->GetUsTVRatingBlock(4, 0)) << "allowing a part allows it on the milder levels";
  EXPECT_FALSE(model->GetUsTVRatingBlock(5, R::kContentS));
  EXPECT_TRUE(model->GetUsTVRatingBlock(5, R::kContentV));
  EXPECT_TRUE(model->GetUsTVRatingBlock(6, 0));
  model->SetUsTVRatingBlock(2, R::kContentFV, true);
  EXPECT_TRUE(model->GetUsTVRatingBlock(2, R::kContentFV));
  EXPECT_FALSE(model->GetUsTVRatingBlock(1, R::kContentFV));

  model->SetCanRatingBlock(64, true);  // 13 ans+
  EXPECT_FALSE(model->GetCanRatingBlock(48));
  EXPECT_TRUE(model->GetCanRatingBlock(80));
  EXPECT_TRUE(model->GetCanRatingBlock(96));
  EXPECT_FALSE(model->GetCanRatingBlock(7)) << "English is its own scale";
  model->SetCanRatingBlock(80, false);
  EXPECT_FALSE(model->GetCanRatingBlock(64));
  EXPECT_TRUE(model->GetCanRatingBlock(96));
  model->SetCanRatingBlock(6, true);  // 14+
  EXPECT_TRUE(model->GetCanRatingBlock(7));
  EXPECT_FALSE(model->GetCanRatingBlock(5));
  EXPECT_FALSE(model->GetCanRatingBlock(17)) << "not a rating";

  model->SetUsMovieRatingBlock(4, true);  // PG-13
  EXPECT_TRUE(model->GetUsMovieRatingBlock(7));
  EXPECT_FALSE(model->GetUsMovieRatingBlock(3));
  EXPECT_FALSE(model->GetUsMovieRatingBlock(8)) << "NR stands alone";
  model->OnSetBlockUnratedContent(1);
  EXPECT_EQ(model->OnGetBlockUnratedContent(), 1);
}

}  // namespace
}  // namespace ModelTest
