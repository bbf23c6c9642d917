// The basic and advanced television, application setup, preference and
// media player options over the simulated set.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>

#include "OptionDatabase/OptionTypes.h"
#include "PersistentData/PersistentData.h"
#include "SkinBin/ChannelData.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"
#include "options_fixture.h"
#include "simtv.h"
#include "xpm.h"

namespace {

using OptionDatabase::OptionCourier;
using OptionDatabase::OptionDataClass;
using OptionDatabase::SliderCourier;
namespace O = OptionDatabase;
namespace S = SkinBin;

constexpr int32_t kTuner = 1;
constexpr int32_t kHdmi = 5;

class SetupOptions : public Options {
 protected:
  void SetUp() override {
    simtv_setup_reset();
    simtv_tv_reset();
    Options::SetUp();
  }
  void TearDown() override {
    Options::TearDown();
    simtv_setup_reset();
    simtv_tv_reset();
  }

  // The step of an option button: one choice on, wrapping after the last.
  void StepUp(OptionDataClass* record) { Change(record, (record->Id + 1) % record->OnGetNum()); }

  static int32_t Index(OptionDataClass* record) { return vg_cast<OptionCourier>(record->Courier)->Index; }

  static XPM_TimerInfo OnTimer() {
    XPM_TimerInfo timer{};
    XPM_GetTimer(0, &timer);
    return timer;
  }

  static void AddChannel(int32_t major, int32_t minor, bool cable, bool skipped = false) {
    XPM_ChannelInfo channel{};
    std::snprintf(channel.name, sizeof channel.name, "CH %d-%d", major, minor);
    channel.major = major;
    channel.minor = minor;
    channel.digital = minor > 0;
    channel.cable = cable;
    channel.skipped = skipped;
    simtv_tv_add_channel(&channel);
  }

  // The text of a choice, besides the fixture's text of a string constant.
  using Options::Text;
  std::string Text(OptionDataClass* record, int32_t id) {
    record->Id = id;
    record->GetData();
    return ChoiceText(record);
  }
};

TEST_F(SetupOptions, EveryNewModuleHasItsOptionCount) {
  struct Count {
    uint32_t module;
    int32_t options;
  };
  for (Count c : {Count{3, 32}, Count{4, 14}, Count{0x83, 34}, Count{0x84, 25}, Count{0x85, 19}, Count{0x86, 17}}) {
    ASSERT_NE(db->GetModule(c.module), nullptr) << c.module;
    EXPECT_EQ(db->GetModule(c.module)->OptionCount(), c.options) << c.module;
    for (int32_t i = 0; i < c.options; ++i) {
      int32_t id = O::OptionId(c.module, static_cast<uint32_t>(i));
      OptionDataClass* record = db->GetOptionData(id);
      ASSERT_NE(record, nullptr) << std::hex << id;
      EXPECT_EQ(record->OptionType, id);
    }
    EXPECT_EQ(db->GetOptionData(O::OptionId(c.module, static_cast<uint32_t>(c.options))), nullptr) << c.module;
  }
}

TEST_F(SetupOptions, TimeZonesMapThroughTheMiddlewaresNumbers) {
  const VgConstant* names[] = {&Strings::SID_EASTERN, &Strings::SID_NEWFOUNDLAND, &Strings::SID_ATLANTIC,
                               &Strings::SID_HAWAII,  &Strings::SID_ALASKA,       &Strings::SID_PACIFIC,
                               &Strings::SID_MOUNTAIN, &Strings::SID_CENTRAL};
  const int32_t zones[] = {5, 7, 6, 1, 0, 2, 3, 4};
  for (int32_t id = 0; id < 8; ++id) {
    XPM_SetTimeZone(zones[id]);
    OptionDataClass* record = Read(O::OPTION_TYPE_TIME_ZONE);
    EXPECT_EQ(record->Id, id) << zones[id];
    EXPECT_EQ(ChoiceText(record), Text(*names[id]));
    EXPECT_EQ(Index(record), id);
  }
  XPM_SetTimeZone(0);
  OptionDataClass* record = Read(O::OPTION_TYPE_TIME_ZONE);
  ASSERT_EQ(record->Id, 4);
  Change(record, 7);
  StepUp(record);
  int32_t zone = -1;
  XPM_GetTimeZone(&zone);
  EXPECT_EQ(record->Id, 0);
  EXPECT_EQ(zone, 5);
  // The numbered zones show the same setting without conversion.
  EXPECT_EQ(ChoiceText(Read(O::OPTION_TYPE_TIME_ZONE_QOR)), Text(Strings::TimeZone6));
}

TEST_F(SetupOptions, ScreenSaverDelaysAreMinutesAndUnknownOnesKeepTheRow) {
  OptionDataClass* record = Record(O::OPTION_TYPE_SCREEN_SAVER_DELAY);
  const int32_t minutes[] = {0, 1, 2, 3, 5, 10, 15, 30};
  for (int32_t id = 0; id < 8; ++id) {
    record->Value = minutes[id];
    record->Val2Id();
    EXPECT_EQ(record->Id, id) << minutes[id];
  }
  Change(record, 3);
  model->OnSetScreenSaverDelay(4);
  record = Read(O::OPTION_TYPE_SCREEN_SAVER_DELAY);
  EXPECT_EQ(record->Id, 3);
  EXPECT_EQ(ChoiceText(record), Text(Strings::ScreenSaver3min));
}

TEST_F(SetupOptions, CaptionColoursCarryTheColourAsIndex) {
  const uint32_t colours[] = {0xFF000000u, 0x00000000u, 0x00ABABABu, 0x0000AB00u, 0x000000ABu,
                              0x00AB0000u, 0x0000ABABu, 0x00ABAB00u, 0x00AB00ABu};
  const VgConstant* names[] = {&Strings::SID_AUTO, &Strings::SID_BLACK, &Strings::SID_WHITE,
                               &Strings::SID_GREEN, &Strings::SID_BLUE,  &Strings::SID_RED,
                               &Strings::SID_CYAN,  &Strings::SID_YELLOW, &Strings::SID_MAGENTA};
  for (int32_t option : {O::OPTION_TYPE_CC_EDGE_COLOR, O::OPTION_TYPE_CC_FG_COLOR, O::OPTION_TYPE_CC_BG_COLOR,
                         O::OptionId(3, 0x15)}) {
    for (int32_t id = 0; id < 9; ++id) {
      OptionDataClass* record = Record(option);
      record->Value = static_cast<int32_t>(colours[id]);
      record->Val2Id();
      record->GetData();
      EXPECT_EQ(record->Id, id) << std::hex << option;
      EXPECT_EQ(ChoiceText(record), Text(*names[id]));
      EXPECT_EQ(static_cast<uint32_t>(Index(record)), colours[id]);
    }
  }
  model->OnSetCC708_FontColor(0x00AB0000);
  OptionDataClass* red = Read(O::OPTION_TYPE_CC_FG_COLOR);
  EXPECT_EQ(red->Id, 5);
  EXPECT_EQ(Index(red), 0x00AB0000);
  // A colour outside the table keeps the row where it was.
  model->OnSetCC708_FontColor(0x00123456);
  EXPECT_EQ(Read(O::OPTION_TYPE_CC_FG_COLOR)->Id, 5);
}

TEST_F(SetupOptions, CaptionStateIsStoredAsTwoForOffAndOneForOn) {
  for (int32_t option : {O::OptionId(3, 0x0A), S::OPTION_TYPE_CLOSED_CAPTION_STATE}) {
    model->OnSetClosedCaptionState(2);
    OptionDataClass* record = Read(option);
    EXPECT_EQ(record->Id, 0) << std::hex << option;
    EXPECT_EQ(ChoiceText(record), Text(Strings::SID_OFF));
    StepUp(record);
    EXPECT_EQ(model->OnGetClosedCaptionState(), 1);
    EXPECT_EQ(ChoiceText(record), Text(Strings::SID_ON));
  }
}

TEST_F(SetupOptions, QuestionsWithoutASettingStartAtTheirDefault) {
  OptionDataClass* basic = Read(O::OPTION_TYPE_YES_NO);
  EXPECT_EQ(ChoiceText(basic), Text(Strings::SID_NO));
  StepUp(basic);
  EXPECT_EQ(ChoiceText(basic), Text(Strings::SID_YES));
  EXPECT_EQ(ChoiceText(Read(O::OPTION_TYPE_YES_NO)), Text(Strings::SID_NO));
  EXPECT_EQ(ChoiceText(Read(S::OPTION_TYPE_SELECT_YESNO)), Text(Strings::SID_YES));

  OptionDataClass* key = Read(O::OPTION_TYPE_KEY_ID);
  EXPECT_EQ(key->OnGetNum(), 4);
  for (int32_t id = 0; id < 4; ++id) EXPECT_EQ(Text(key, id), std::to_string(id + 1));
}

TEST_F(SetupOptions, TimerTimesShowHoursAndMinutes) {
  for (int32_t option : {S::OPTION_TYPE_SLEEP_TIMER, S::OPTION_TYPE_ONTIMER_TIME}) {
    OptionDataClass* record = Record(option);
    EXPECT_EQ(record->OnGetNum(), 721);
    EXPECT_EQ(Text(record, 75), "01 : 15");
    EXPECT_EQ(Index(record), 75);
    EXPECT_EQ(Text(record, 0), "00 : 00");
    EXPECT_EQ(Text(record, 720), "12 : 00");
    EXPECT_EQ(Text(record, 721), "");
  }
  model->OnSetOnTimerTime(75);
  EXPECT_EQ(ChoiceText(Read(S::OPTION_TYPE_ONTIMER_TIME)), "01 : 15");
}

TEST_F(SetupOptions, RecordingTimerMarginsAreSeconds) {
  OptionDataClass* delay = Read(S::OPTION_TYPE_TIMER_END_DELAY);
  EXPECT_EQ(delay->OnGetNum(), 10);
  model->OnSetTimerEndDelay(1800);
  delay = Read(S::OPTION_TYPE_TIMER_END_DELAY);
  EXPECT_EQ(delay->Id, 8);
  EXPECT_EQ(ChoiceText(delay), "30 mins +");
  StepUp(delay);
  EXPECT_EQ(OnTimer().endDelay, 3600);
  StepUp(delay);
  EXPECT_EQ(delay->Id, 0);
  EXPECT_EQ(OnTimer().endDelay, 0);
  EXPECT_EQ(ChoiceText(delay), "On Time");

  OptionDataClass* early = Read(S::OPTION_TYPE_TIMER_START_EARLY);
  EXPECT_EQ(early->OnGetNum(), 11);
  Change(early, 10);
  EXPECT_EQ(OnTimer().startEarly, 600);

  // The repetitions are kept from 1, and the courier says so.
  OptionDataClass* times = Read(S::OPTION_TYPE_TIMER_TIMES_TYPE);
  Change(times, 3);
  EXPECT_EQ(OnTimer().timesType, 4);
  EXPECT_EQ(ChoiceText(times), "Once");
  EXPECT_EQ(Index(times), 4);
}

TEST_F(SetupOptions, CaptionKeyReadsAnUnknownValueAsOff) {
  OptionDataClass* key = Read(S::OPTION_TYPE_CC_KEY);
  EXPECT_EQ(key->OnGetNum(), 9);
  Change(key, 3);
  EXPECT_EQ(model->OnGetCCKey(), 3);
  EXPECT_EQ(Index(key), 3);
  model->OnSetCCKey(12);
  key = Read(S::OPTION_TYPE_CC_KEY);
  EXPECT_EQ(key->Id, 0);
  EXPECT_EQ(ChoiceText(key), Text(Strings::SID_OFF));

  // The model id keeps the row on a value outside its table.
  OptionDataClass* model_id = Read(S::OPTION_TYPE_TV_MODEL_ID);
  Change(model_id, 4);
  EXPECT_EQ(Index(model_id), 0x31);
  EXPECT_EQ(ChoiceText(model_id), "");
  model->OnSetTVModelId(0x40);
  EXPECT_EQ(Read(S::OPTION_TYPE_TV_MODEL_ID)->Id, 4);
}

TEST_F(SetupOptions, CaptionKeyOfADigitalChannelListsItsServices) {
  simtv_av_set_channel(0, 7, 1);
  simtv_setup_set_caption_service(0, 1, "eng");
  simtv_setup_set_caption_service(1, 2, "spa");
  simtv_setup_set_caption_service(1, 5, "");
  model->OnSetCCKeyDigital(6);
  OptionDataClass* key = Read(S::OPTION_TYPE_CC_KEY);
  ASSERT_EQ(key->OnGetNum(), 4);
  EXPECT_EQ(key->Id, 2);
  // A service's text is followed by the name of its language, which the set
  // knows in English only.
  EXPECT_EQ(ChoiceText(key), Text(Strings::DTVCaptionMenuCC2) + " (Spanish)");
  EXPECT_EQ(Index(key), 6);
  EXPECT_EQ(Text(key, 0), Text(Strings::SID_OFF));
  EXPECT_EQ(Text(key, 1), Text(Strings::SID_CC1) + " (English)");
  EXPECT_EQ(Text(key, 3), Text(Strings::DTVCaptionMenuCC5));
  Change(key, 3);
  EXPECT_EQ(model->OnGetCCKeyDigital(), 9);
  EXPECT_EQ(model->OnGetCCKey(), 0);

  // A channel that announces nothing offers the usual services.
  simtv_setup_reset();
  key = Read(S::OPTION_TYPE_CC_KEY);
  ASSERT_EQ(key->OnGetNum(), 9);
  const int32_t values[] = {0, 1, 3, 5, 6, 7, 8, 9, 10};
  for (int32_t id = 0; id < 9; ++id) {
    key->Id = id;
    key->GetData();
    EXPECT_EQ(Index(key), values[id]);
  }
  EXPECT_EQ(Text(key, 2), Text(Strings::SID_CC3));
}

TEST_F(SetupOptions, MediaPlayerSortOffersNameNewestAndOldest) {
  OptionDataClass* sort = Read(S::OPTION_TYPE_MM_SORT);
  Change(sort, 1);
  EXPECT_EQ(model->OnGetMM_SortMode(), 2);
  model->OnSetMM_SortMode(1);
  sort = Read(S::OPTION_TYPE_MM_SORT);
  EXPECT_EQ(sort->Id, 1);
  model->OnSetMM_SortMode(3);
  sort = Read(S::OPTION_TYPE_MM_SORT);
  EXPECT_EQ(ChoiceText(sort), Text(Strings::SID_DLNA_OLD));
  EXPECT_EQ(Index(sort), 3);
}

TEST_F(SetupOptions, RepeatRowsWrapToOff) {
  for (int32_t option : {S::OPTION_TYPE_MOVIE_REPEAT, S::OPTION_TYPE_MUSIC_REPEAT, S::OPTION_TYPE_PLAYBACK_REPEAT}) {
    OptionDataClass* repeat = Read(option);
    Change(repeat, 2);
    EXPECT_EQ(ChoiceText(repeat), Text(Strings::SID_1));
    EXPECT_EQ(Index(repeat), 2);
    StepUp(repeat);
    EXPECT_EQ(repeat->Id, 0);
    EXPECT_EQ(VgOnGetInt32(repeat->OnGetRefValue()), 0) << std::hex << option;
    EXPECT_EQ(ChoiceText(repeat), Text(Strings::SID_OFF));
  }
}

TEST_F(SetupOptions, ChannelBrowserOffersTheListsOfTheInput) {
  OptionDataClass* lists = Read(S::OPTION_TYPE_CURRENT_CBLIST);
  // A fresh set offers every list but the linked devices'.
  EXPECT_EQ(lists->OnGetNum(), 4);
  EXPECT_EQ(Text(lists, 3), Text(Strings::SID_FAVORITES_LIST));

  model->OnSetCurrentCBList(1);
  ShowSource(7, kHdmi);
  lists = Read(S::OPTION_TYPE_CURRENT_CBLIST);
  ASSERT_EQ(lists->OnGetNum(), 2);
  EXPECT_EQ(Text(lists, 0), Text(Strings::SID_HISTORY_LIST));
  EXPECT_EQ(Text(lists, 1), Text(Strings::SID_INPUTS_LIST));
  EXPECT_EQ(Index(lists), 2);
  // The antenna list is gone, so the browser falls back to the first list.
  EXPECT_EQ(model->OnGetCurrentCBList(), 0);
  EXPECT_EQ(model->OnGetAntCableList(), 0);
  EXPECT_EQ(model->OnGetFavoritesList(), 0);

  model->OnSetNOVIQLinkList(1);
  ShowSource(1, kTuner);
  lists = Read(S::OPTION_TYPE_CURRENT_CBLIST);
  EXPECT_EQ(lists->OnGetNum(), 5);
  Change(lists, 4);
  EXPECT_EQ(model->OnGetCurrentCBList(), 4);
}

TEST_F(SetupOptions, AutomaticInputsChooseAmongTheInputsOrNone) {
  const int32_t inputs[] = {0, 4, 9};
  simtv_setup_set_sources(3, inputs);
  OptionDataClass* aux = Read(S::OPTION_TYPE_AUTO_INPUT_AUX);
  EXPECT_EQ(aux->OnGetNum(), 4);
  EXPECT_EQ(aux->Id, 0);
  EXPECT_EQ(ChoiceText(aux), "--");
  Change(aux, 2);
  EXPECT_EQ(model->OnGetAutoInputAUX(), 4);
  EXPECT_EQ(ChoiceText(aux), VgStringToUtf8(model->GetSourceName(4)));
  Change(aux, 0);
  EXPECT_EQ(model->OnGetAutoInputAUX(), -1);
  // An input the set no longer has reads as none.
  model->OnSetAutoInputAUX(5);
  EXPECT_EQ(Read(S::OPTION_TYPE_AUTO_INPUT_AUX)->Id, 0);
}

TEST_F(SetupOptions, PictureInPictureOffersTheInputsThatCanBeChosen) {
  const int32_t inputs[] = {0, 3, 5, 8};
  simtv_setup_set_sources(4, inputs);
  simtv_setup_set_selectable(3, 0);
  OptionDataClass* pip = Read(S::OPTION_TYPE_PIP_INPUT);
  ASSERT_EQ(pip->OnGetNum(), 3);
  Change(pip, 2);
  EXPECT_EQ(model->OnGetPipSource(), 8);
  EXPECT_EQ(Index(pip), 8);
  EXPECT_EQ(ChoiceText(pip), VgStringToUtf8(model->GetSourceName(8)));
  // The unselectable input is not offered; a value naming it keeps the row.
  model->OnSetPipSource(3);
  EXPECT_EQ(Read(S::OPTION_TYPE_PIP_INPUT)->Id, 2);

  OptionDataClass* onTimer = Read(S::OPTION_TYPE_ONTIMER_INPUT);
  EXPECT_EQ(onTimer->OnGetNum(), 2);
  Change(onTimer, 1);
  EXPECT_EQ(OnTimer().source, 3);
}

TEST_F(SetupOptions, ARecordingTimersInputOffersItsTunersAsTheSetReadsThem) {
  ASSERT_GE(model->GetFirstAvailableTimerId(), 0);
  model->OnSetTimerSource(0);
  OptionDataClass* input = Read(S::OPTION_TYPE_ONTIMER_INPUT);
  ASSERT_EQ(input->OnGetNum(), 2);
  EXPECT_EQ(input->Id, 0);
  EXPECT_EQ(Text(input, 0), Text(Strings::SID_TUNER_1));
  EXPECT_EQ(Text(input, 1), Text(Strings::SID_TUNER_2));
  Change(input, 1);
  EXPECT_EQ(model->OnGetTimerSource(), S::Wrapper::kSecondTunerTimerSource);
  Change(input, 0);
  EXPECT_EQ(model->OnGetTimerSource(), 0);
  // Any other source records through the second tuner, and reads so.
  model->OnSetTimerSource(1);
  EXPECT_EQ(Read(S::OPTION_TYPE_ONTIMER_INPUT)->Id, 1);

  // The on-timer's row lists the set's inputs still, the tuner's first.
  model->OnSetActiveTimerId(S::Wrapper::kOnTimerId);
  EXPECT_EQ(Text(Read(S::OPTION_TYPE_ONTIMER_INPUT), 0), VgStringToUtf8(model->GetSourceName(kTuner)));
}

TEST_F(SetupOptions, RearAudioNamesTheSharedInput) {
  EXPECT_EQ(Text(Read(S::OPTION_TYPE_REAR_AUDIO), 0), Text(Strings::SID_PC));
  model->OnSetSharedPCInput(1);
  OptionDataClass* rear = Read(S::OPTION_TYPE_REAR_AUDIO);
  EXPECT_EQ(Text(rear, 0), Text(Strings::SID_PRISMAL_HD2));
  EXPECT_EQ(Text(rear, 1), Text(Strings::SID_HDMI_4));
}

TEST_F(SetupOptions, ChannelRowsListTheChannelsOfTheTable) {
  OptionDataClass* guide = Read(S::OPTION_TYPE_GUIDE_CHANNEL);
  EXPECT_EQ(guide->OnGetNum(), 1);
  EXPECT_EQ(ChoiceText(guide), "---");
  EXPECT_EQ(Index(guide), Wrapper::Wrapper::UniteChannelNum(-2, -2));

  AddChannel(2, 1, false);
  AddChannel(7, 0, false);
  AddChannel(9, 3, false, true);  // not in the guide
  AddChannel(15, 0, true);
  simtv_av_set_channel(0, 7, 0);
  guide = Read(S::OPTION_TYPE_GUIDE_CHANNEL);
  ASSERT_EQ(guide->OnGetNum(), 2);
  EXPECT_EQ(guide->Id, 1);
  EXPECT_EQ(ChoiceText(guide), "7");
  EXPECT_EQ(Text(guide, 0), "2-1");
  Change(guide, 0);
  int32_t major = 0;
  int32_t minor = 0;
  XPM_GetCurrentChannel(0, &major, &minor);
  EXPECT_EQ(major, 2);
  EXPECT_EQ(minor, 1);

  // The on-timer offers every channel of the timer's medium.
  OptionDataClass* timer = Read(S::OPTION_TYPE_ONTIMER_CHANNEL);
  ASSERT_EQ(timer->OnGetNum(), 3);
  // Its channel names none of them yet: it reads as the placeholder, and the
  // rows read the channels they store, the first as well.
  EXPECT_EQ(ChoiceText(timer), "---");
  OptionDatabase::OptionBinding binding(db, S::OPTION_TYPE_ONTIMER_CHANNEL, "Options");
  EXPECT_EQ(VgStringToUtf8(binding.StoredChoiceText(0)), "2-1");
  EXPECT_EQ(VgStringToUtf8(binding.ChoiceText()), "---") << "the record keeps its choice and value";
  Change(timer, 2);
  EXPECT_EQ(OnTimer().major, 9);
  EXPECT_EQ(OnTimer().minor, 3);
  // On cable the stored antenna channel names none of the list's: the row
  // reads the placeholder, and the list's one row the channel it stores.
  model->OnSetTimerMapId(1);
  timer = Read(S::OPTION_TYPE_ONTIMER_CHANNEL);
  ASSERT_EQ(timer->OnGetNum(), 1);
  EXPECT_EQ(Text(timer, 0), "---");
  EXPECT_EQ(VgStringToUtf8(binding.StoredChoiceText(0)), "15");
}

TEST_F(SetupOptions, EveryChoiceOfEveryOptionRoundTripsThroughTheSet) {
  // A timer that the middleware accepts once it is switched on.
  XPM_TimerInfo timer{};
  timer.duration = 3600;
  timer.start.tm_year = 111;
  XPM_SetTimer(0, &timer);
  AddChannel(4, 1, false);
  AddChannel(5, 0, false);
  for (uint32_t module : {3u, 4u, 0x83u, 0x84u, 0x85u, 0x86u}) {
    for (int32_t index = 0; index < db->GetModule(module)->OptionCount(); ++index) {
      int32_t option = O::OptionId(module, static_cast<uint32_t>(index));
      OptionDataClass* record = Read(option);
      ASSERT_NE(record->Courier.get(), nullptr) << std::hex << option;
      if (record->OnGetRefValue().IsNull()) continue;
      if (record->OnGetNum() == 0) {
        ASSERT_NE(vg_cast<SliderCourier>(record->Courier), nullptr) << std::hex << option;
        continue;
      }
      // The channel-browser row rewrites the current list as it reads.
      if (option == S::OPTION_TYPE_CURRENT_CBLIST || option == S::OPTION_TYPE_SLEEP_TIMER) continue;
      int32_t last = std::min(record->OnGetNum(), 16) - 1;
      for (int32_t id = last; id >= 0; --id) {
        Change(record, id);
        EXPECT_EQ(Read(option)->Id, id) << std::hex << option << " choice " << id;
      }
    }
  }
}

TEST_F(SetupOptions, SettingsLiveUnderTheKeysOfTheStoresDefaults) {
  std::string pattern = (std::filesystem::temp_directory_path() / "tvui-setup-XXXXXX").string();
  std::string dir = mkdtemp(pattern.data());
  setenv("TVUI_ROOT", dir.c_str(), 1);
  auto* store = VgNew<::PersistentData::PersistentData>();
  VgLockObject(store);
  ASSERT_TRUE(store->Initialize(VgNewStringAnsi("/mnt/nvram/APP_NVRAM.dat")));
  model->OnSetPersistentData(store);

  // Keys never written read as the defaults a fresh store gets.
  EXPECT_EQ(ChoiceText(Read(O::OPTION_TYPE_SCREEN_SAVER_DELAY)), Text(Strings::SID_30_MINUTES));
  EXPECT_EQ(ChoiceText(Read(S::OPTION_TYPE_AUTO_INPUT_CABLE_SAT)), "--");
  struct Case {
    int32_t option;
    int32_t id;
    const char* key;
    int32_t stored;
  };
  const Case cases[] = {
      {O::OPTION_TYPE_SCREEN_SAVER_DELAY, 5, "ScreenSaverActivationDelay", 10},
      {O::OPTION_TYPE_MENU_LANGUAGE, 1, "Language", 1},
      {S::OPTION_TYPE_AUTO_INPUT_CABLE_SAT, 3, "AutoInput_Cable", 3},
      {S::OPTION_TYPE_HISTORY_LIST, 0, "CBListMask", 110},
      {S::OPTION_TYPE_3D_AUTO_START, 2, "ThreeD_AutoStart", 2},
      {S::OPTION_TYPE_MM_INTERVAL_TIME, 4, "MM_IntervalTime", 4},
      {S::OPTION_TYPE_PLAYBACK_SORT_TYPE, 5, "PlaybackSortType", 5},
  };
  for (const Case& c : cases) {
    Change(Read(c.option), c.id);
    EXPECT_EQ(store->GetInteger(VgNewStringAnsi(c.key)), c.stored) << c.key;
    EXPECT_EQ(Read(c.option)->Id, c.id) << c.key;
  }

  model->OnSetPersistentData(nullptr);
  VgUnlockObject(store);
  std::filesystem::remove_all(dir);
  unsetenv("TVUI_ROOT");
}

TEST_F(SetupOptions, NamesFollowTheLanguage) {
  OptionDataClass* zone = Read(O::OPTION_TYPE_TIME_ZONE);
  VgSetLanguage(1);
  EXPECT_EQ(VgStringToUtf8(zone->OnGetName()), Text(Strings::SID_TIME_ZONE));
  zone->GetData();
  EXPECT_EQ(ChoiceText(zone), Text(Strings::SID_EASTERN));
  VgSetLanguage(2);
  EXPECT_EQ(VgStringToUtf8(Record(S::OPTION_TYPE_MM_INTERVAL_TIME)->OnGetName()), Text(Strings::SID_INTERVAL_TIME));
}

TEST(OptionDump, ListsAllElevenModules) {
  FILE* pipe = popen(OPTDUMP_PATH " 2>&1", "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  std::array<char, 4096> buffer{};
  while (size_t n = fread(buffer.data(), 1, buffer.size(), pipe)) output.append(buffer.data(), n);
  EXPECT_EQ(pclose(pipe), 0);
  const char* headers[] = {"# module 0x01: 30 options", "# module 0x02: 20 options", "# module 0x03: 32 options",
                           "# module 0x04: 14 options", "# module 0x81: 33 options", "# module 0x82: 8 options",
                           "# module 0x83: 34 options", "# module 0x84: 25 options", "# module 0x85: 19 options",
                           "# module 0x86: 17 options", "# module 0x87: 28 options"};
  for (const char* header : headers) EXPECT_NE(output.find(header), std::string::npos) << header;
  EXPECT_EQ(output.find(": none"), std::string::npos);
  EXPECT_NE(output.find("0x03000002"), std::string::npos);
  EXPECT_NE(output.find("0x86000010"), std::string::npos);
  // A dump that could not be written (a full disk) was not given: status 1.
  EXPECT_EQ(std::system(OPTDUMP_PATH " 0x81 >/dev/full 2>/dev/null"), 1 << 8);
}

TEST(OptionDump, HelpEndsWellAndNamesTheLanguages) {
  FILE* pipe = popen(OPTDUMP_PATH " --help", "r");
  ASSERT_NE(pipe, nullptr);
  std::array<char, 4096> buffer{};
  const std::string help(buffer.data(), fread(buffer.data(), 1, buffer.size(), pipe));
  EXPECT_EQ(pclose(pipe), 0);
  EXPECT_NE(help.find("0 English (the default), 1 Spanish, 2 French"), std::string::npos) << help;
  // Unless the usage could not be written: it was not given.
  EXPECT_NE(std::system(OPTDUMP_PATH " --help >/dev/full 2>/dev/null"), 0);
}

// optdump's languages are numbered as the set stores its menu language: each
// prints the names the menus show once that language is chosen. A slider
// reads as the menus show it, at the stored value less its offset.
TEST_F(Options, OptionDumpReadsAsTheMenus) {
  auto dump = [](const std::string& words) {
    FILE* pipe = popen((std::string(OPTDUMP_PATH) + words).c_str(), "r");
    std::string output;
    if (!pipe) return output;
    std::array<char, 4096> buffer{};
    while (size_t n = fread(buffer.data(), 1, buffer.size(), pipe)) output.append(buffer.data(), n);
    EXPECT_EQ(pclose(pipe), 0) << words;
    return output;
  };
  for (int32_t language : {0, 1, 2}) {
    model->SetMenuLanguage(language);
    const std::string output = dump(" --lang " + std::to_string(language) + " 2");
    EXPECT_NE(output.find("0x02000003  " + Text(Strings::SID_TREBLE) + " "), std::string::npos)
        << "language " << language << ":\n" << output;
  }
  model->SetMenuLanguage(0);

  const std::string audio = dump(" 2");
  for (const char* line : {"Treble                          stored     50  slider -50..50 step 1 at 0\n",
                           "Lip Sync                        stored      3  slider -3..3 step 1 at 0\n",
                           "Volume                          stored     20  slider 0..100 step 1 at 20\n"})
    EXPECT_NE(audio.find(line), std::string::npos) << line << audio;
  EXPECT_NE(dump(" 1").find("Horizontal Position             stored     50  slider -10..10 step 1 at 0\n"),
            std::string::npos);
}

// A command line the tool cannot take is refused with status 2 before
// anything is dumped, saying what was wrong: a module the database lacks
// (before a good module named beside it), an unknown option, a language out
// of range; the usage follows a mistake in the words.
TEST(OptionDump, SaysWhatIsWrongWithACommandLine) {
  const std::pair<const char*, const char*> cases[] = {
      {" 0x99", "optdump: there is no module 0x99 "},
      {" 1 0x99", "optdump: there is no module 0x99 "},
      {" 0x80 2", "optdump: there is no module 0x80 "},
      {" --bogus", "optdump: unknown option --bogus\nusage: optdump "},
      {" --lang 7", "optdump: --lang takes 0, 1 or 2, not 7\nusage: optdump "},
      {" 1 --lang", "optdump: --lang needs a language: 0, 1 or 2\nusage: optdump "},
      {" abc", "optdump: abc is not a module: a number from 1 to 0xFF, such as 2 or 0x81\nusage: optdump "},
      {" 0x100", "optdump: 0x100 is not a module: a number from 1 to 0xFF, such as 2 or 0x81\nusage: optdump "},
  };
  for (const auto& [words, said] : cases) {
    FILE* pipe = popen((std::string(OPTDUMP_PATH) + words + " 2>&1").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::array<char, 4096> buffer{};
    const std::string output(buffer.data(), fread(buffer.data(), 1, buffer.size(), pipe));
    const int status = pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << words << ": status " << status;
    EXPECT_TRUE(output.starts_with(said)) << words << ": " << output;
    EXPECT_EQ(output.find("# module"), std::string::npos) << words << ": " << output;
  }
}

}  // namespace
