// The television model's recorder over the simulated set on its virtual
// clock: timer ids and schedule rows, the timer rules of the middleware, the
// on-timer, recording, playback, time-shift, recorded files and the USB disk,
// with the events that the set sends later from its own thread.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <mutex>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "Constants/Constants.h"
#include "SkinBin/RecordData.h"
#include "Wrapper/TimerRecord.h"
#include "model_app_fixture.h"
#include "nvpath.h"
#include "vgcalendar.h"
#include "xpm_events.h"

VG_DEFINE_CLASS(ModelTest, StandbyRecorder, Core::Group)

namespace ModelTest {
namespace {

using namespace SkinBin;

// What the middleware sent, as the event bridge receives it.
struct Sent {
  uint32_t event;
  std::vector<uint8_t> payload;

  int32_t Word(size_t index) const {
    int32_t word = 0;
    if (payload.size() >= (index + 1) * 4) std::memcpy(&word, payload.data() + index * 4, 4);
    return word;
  }
};

std::mutex g_mutex;
std::vector<Sent> g_sent;

void Capture(uint32_t, uint32_t event, const void* payload, uint32_t size) {
  auto* bytes = static_cast<const uint8_t*>(payload);
  std::lock_guard lock(g_mutex);
  g_sent.push_back({event, bytes ? std::vector<uint8_t>(bytes, bytes + size) : std::vector<uint8_t>{}});
}

class Recorder : public ModelApp {
 protected:
  void SetUp() override {
    simtv_boot(1, 0);
    static const bool subscribed = XPM_SubscribeEventClient(&Capture, nullptr) == 0;
    ASSERT_TRUE(subscribed);
    ModelApp::SetUp();
    simtv_settle();
    Take();
    simtv_tv_add_channel(&(channel72 = Channel(7, 2)));
  }
  void TearDown() override {
    simtv_tv_reset();
    ModelApp::TearDown();
  }

  // The events sent since the last call.
  static std::vector<Sent> Take() {
    simtv_settle();
    std::lock_guard lock(g_mutex);
    return std::exchange(g_sent, {});
  }
  // One word of each event of a kind sent since the last call.
  static std::vector<int32_t> Words(uint32_t event, size_t index) {
    std::vector<int32_t> words;
    for (const Sent& s : Take())
      if (s.event == event) words.push_back(s.Word(index));
    return words;
  }

  // A stored recording timer of the channel so many minutes from now.
  Structures::TimerData* NewTimer(int32_t id, int32_t from, int32_t minutes, int32_t timesType = 4,
                                  int32_t source = 0) {
    model->OnSetActiveTimerId(id);
    model->OnSetTimerSource(source);
    model->OnSetTimerChannel(Wrapper::Wrapper::UniteChannelNum(7, 2));
    model->OnSetTimerMapId(0);
    model->OnSetTimerTimesType(timesType);
    model->OnSetTimerDuration(minutes * 60);
    model->OnSetEnableTimer(1);
    model->HeldTimer->StartTime = NewTime(from * 60);
    return model->HeldTimer;
  }
  static Structures::LocalTime* NewTime(int64_t fromNow) {
    return Wrapper::LocalTimeOf(VgLocalParts(kNow + fromNow));
  }
  int32_t RecordedShows() {
    int32_t count = 0;
    XPM_Get_All_Recorded_Show_Counts(&count, nullptr, 0);
    return count;
  }
  // A show of so many minutes on the USB disk.
  int32_t Show(const char* file, int32_t minutes) {
    XPM_RecordedShow show{};
    std::snprintf(show.title, sizeof show.title, "%s", file);
    std::snprintf(show.fileName, sizeof show.fileName, "%s", file);
    show.duration = minutes * 60;
    return simtv_tv_add_recording(XPM_USB_DISK_MOUNT_POINT, &show);
  }
  VgString Disk(const char* file) {
    return VgNewStringAnsi((std::string(XPM_USB_DISK_MOUNT_POINT "/") + file).c_str());
  }

  XPM_ChannelInfo channel72{};
};

// ---------------------------------------------------------------- timer ids

TEST_F(Recorder, TimerIdsComeFromThePoolAndOnlyItsIdsCheckOut) {
  EXPECT_EQ(model->GetFirstAvailableTimerId(), DB_FIRST_RECORDING_TIMER_ID);
  EXPECT_EQ(model->OnGetActiveTimerId(), 4);
  ASSERT_NE(model->HeldTimer.get(), nullptr);
  EXPECT_EQ(model->HeldTimer->Index, 4);
  EXPECT_EQ(model->GetFirstAvailableTimerId(), 4) << "free until its row is stored";

  for (int32_t id = 4; id < DB_TIMER_ID_COUNT; ++id) EXPECT_EQ(model->DB_CheckOutTimerId(id), 0);
  EXPECT_EQ(model->GetFirstAvailableTimerId(), -1);
  EXPECT_EQ(model->OnGetActiveTimerId(), 4) << "a failed search leaves the edited timer";

  EXPECT_EQ(model->DB_CheckInTimerId(9), 0);
  for (int32_t outside : {32, -1, -5, 1000}) {
    EXPECT_EQ(model->DB_CheckOutTimerId(outside), 1);
    EXPECT_EQ(model->DB_CheckInTimerId(outside), 1);
  }
  for (int32_t id = 0; id < DB_TIMER_ID_COUNT; ++id) EXPECT_EQ(simtv_db_timer_id_out(id), id >= 4 && id != 9) << id;
  EXPECT_EQ(model->GetFirstAvailableTimerId(), 9);
}

TEST_F(Recorder, APassedShowThatRecordedOnceGivesItsIdBack) {
  for (int32_t id : {5, 6}) {
    Structures::TimerData* timer = NewTimer(id, 10 * id, 5, id == 5 ? 4 : 1);
    ASSERT_EQ(model->SetTimer(nullptr), 0);
    ASSERT_EQ(model->DB_InsertScheduledData(timer, Key("Show"), Key("")), 0);
    model->DB_CheckOutTimerId(id);
  }
  DB_Delete_Scheduled_Event_Via_Starttime(int32_t(kNow + 3600));
  EXPECT_EQ(simtv_db_timer_id_out(5), 0);
  EXPECT_EQ(simtv_db_timer_id_out(6), 1) << "a repeating timer records again";
}

// ----------------------------------------------------------- the timer rules

TEST_F(Recorder, TheMiddlewareRefusesCollisionsOnOneTunerAndTimersItCannotRecord) {
  NewTimer(4, 60, 60);
  ASSERT_EQ(model->SetTimer(nullptr), 0);
  NewTimer(5, 120, 30);
  ASSERT_EQ(model->SetTimer(nullptr), 0);

  NewTimer(6, 90, 60);
  EXPECT_EQ(model->SetTimer(nullptr), XPM_TIMER_ERROR_OVERLAP);
  auto* conflicts = VgNew<ConflictTimerInfo>();
  conflicts->GetEventInfoByCount();
  ASSERT_EQ(conflicts->GetNumEvents(), 2);
  EXPECT_EQ(conflicts->Events[0]->TimerId, 4);
  EXPECT_EQ(conflicts->Events[1]->TimerId, 5);
  XPM_TimerInfo stored{};
  XPM_GetTimer(6, &stored);
  EXPECT_EQ(stored.enabled, 0) << "a refused timer is not stored";

  model->OnSetTimerSource(29);  // the second tuner records beside the first
  EXPECT_EQ(model->SetTimer(nullptr), 0);
  conflicts->GetEventInfoByCount();
  EXPECT_EQ(conflicts->GetNumEvents(), 0);

  NewTimer(7, 600, 0);
  EXPECT_EQ(model->SetTimer(nullptr), XPM_TIMER_ERROR_INVALID_DURATION);
  NewTimer(7, -10, 30);
  EXPECT_EQ(model->SetTimer(nullptr), XPM_TIMER_ERROR_INVALID_STARTTIME);
  NewTimer(7, -10, 30, 1);
  EXPECT_EQ(model->SetTimer(nullptr), 0) << "a daily timer records from tomorrow";
  // A week from now at the daily time, for a quarter of an hour.
  NewTimer(8, 7 * 24 * 60 - 5, 15);
  EXPECT_EQ(model->SetTimer(nullptr), XPM_TIMER_ERROR_OVERLAP);
}

// ------------------------------------------------------------ schedule rows

TEST_F(Recorder, ScheduleRowsKeepTheTextsAndFollowTheTimer) {
  strcpy(channel72.name, "KQRS-WX");
  simtv_tv_add_channel(&channel72);
  DB_EventRecord programme{};
  programme.startTime = int32_t(kNow + 3600);
  programme.duration = 60;
  programme.usRating = 0x20000000;
  programme.captionFlag = 1;
  simtv_db_add_event(0, 7, 2, "KQRS-WX", nullptr, &programme);

  EXPECT_EQ(model->DB_InsertScheduledData(nullptr, Key("x"), Key("y")), 1);
  Structures::TimerData* timer = NewTimer(4, 60, 30);
  ASSERT_EQ(model->SetTimer(nullptr), 0);
  const std::string longTitle(300, 'T');
  ASSERT_EQ(model->DB_InsertScheduledData(timer, VgNewStringUtf8(longTitle.c_str()), Key("About it")), 0);
  DB_ScheduledShow row{};
  ASSERT_EQ(DB_Get_Scheduled_Show_By_Timer_Id(4, &row), 0);
  EXPECT_EQ(std::string(row.title), longTitle.substr(0, 255));
  EXPECT_STREQ(row.station, "KQRS-WX");
  EXPECT_EQ(row.rating, 0x20000000);
  EXPECT_EQ(row.startTime, int32_t(kNow + 3600));
  EXPECT_EQ(model->GetScheduleIdByTimerId(4), row.scheduleId);
  EXPECT_EQ(model->GetScheduleIdByTimerId(5), -1);

  auto* before = VgNew<Structures::TimerData>();
  model->CopyTimerData(before, timer);
  model->OnSetTimerDuration(45 * 60);
  timer->StartTime = NewTime(2 * 3600);
  EXPECT_EQ(model->DB_UpdateScheduledData(before, timer), 0);
  ASSERT_EQ(DB_Get_Scheduled_Show_By_Timer_Id(4, &row), 0);
  EXPECT_EQ(row.duration, 45 * 60);
  EXPECT_EQ(row.startTime, int32_t(kNow + 7200));
  EXPECT_EQ(row.rating, 0) << "no programme there";
  EXPECT_STREQ(row.description, "About it");
  EXPECT_EQ(model->DB_UpdateScheduledData(nullptr, timer), 1);
  before->Index = 5;
  EXPECT_EQ(model->DB_UpdateScheduledData(before, timer), 1);

  simtv_clear_calls();
  EXPECT_EQ(model->DB_DeleteScheduledRecord(row.scheduleId), 0);
  EXPECT_EQ(TvCalls(), std::vector<std::string>{"XPM_Delete_Scheduled_Show " + std::to_string(row.scheduleId)});
  EXPECT_EQ(model->GetScheduleIdByTimerId(4), -1);
  EXPECT_NE(model->DB_DeleteScheduledRecord(row.scheduleId), 0);
}

TEST_F(Recorder, AProgrammeShowsTheTimerThatRecordsIt) {
  Structures::TimerData* daily = NewTimer(4, 60, 30, 1);
  model->OnSetTimerDaysOfWeek(0x7F);
  ASSERT_EQ(model->SetTimer(nullptr), 0);
  ASSERT_EQ(model->DB_InsertScheduledData(daily, Key("News"), Key("")), 0);

  ScheduledRecordData* status = model->GetEPGProgramStatus(0, 0, 7, 2, NewTime(3600));
  EXPECT_EQ(status->TimerId, 4);
  EXPECT_EQ(status->Repetition, 1);
  EXPECT_TRUE(status->Enabled);
  EXPECT_EQ(model->GetEPGProgramStatus(0, 0, 7, 2, NewTime(3600 + 86400))->TimerId, 4) << "tomorrow's news";
  for (ScheduledRecordData* none : {model->GetEPGProgramStatus(0, 0, 7, 2, NewTime(3660)),
                                    model->GetEPGProgramStatus(0, 1, 7, 2, NewTime(3600)),
                                    model->GetEPGProgramStatus(0, 0, 7, 2, nullptr)}) {
    EXPECT_EQ(none->Repetition, 0);
    EXPECT_EQ(none->TimerId, -1);
  }
}

TEST_F(Recorder, TheProgrammeOnTheAirIsTheCurrentChannelsAtTheClock) {
  EXPECT_EQ(model->DB_GetCurrentProgramInfo(), nullptr) << "no channel";
  simtv_av_set_channel(0, 7, 2);
  EXPECT_EQ(model->DB_GetCurrentProgramInfo(), nullptr) << "no guide";
  DB_EventRecord later{};
  later.startTime = int32_t(kNow + 600);
  later.duration = 30;
  simtv_db_add_event(0, 7, 2, "", nullptr, &later);
  EXPECT_EQ(model->DB_GetCurrentProgramInfo(), nullptr) << "nothing on the air yet";
  DB_EventRecord now{};
  now.startTime = int32_t(kNow - 600);
  now.duration = 20;
  strcpy(now.title, "Quiz Time");
  simtv_db_add_event(0, 7, 2, "", nullptr, &now);
  Structures::EventInfo* info = model->DB_GetCurrentProgramInfo();
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(Utf8(info->Title), "Quiz Time");
  EXPECT_EQ(info->Duration, 20);
}

// ----------------------------------------------------------------- on-timer

TEST_F(Recorder, TheOnTimersStartIsKeptInTheStore) {
  model->OnSetOnTimerTime(90);
  EXPECT_EQ(model->OnGetOnTimerTime(), 90);
  XPM_TimerInfo onTimer{};
  XPM_GetTimer(0, &onTimer);
  EXPECT_EQ(VgLocalSeconds(onTimer.start), kNow + 5400);
  EXPECT_TRUE(store->IsStringExist(Key("OnTimerStart")));

  // Storing the on-timer keeps its start, whoever set it.
  model->OnSetActiveTimerId(0);
  model->HeldTimer->StartTime = NewTime(30 * 60 - 20);
  ASSERT_EQ(model->SetTimer(nullptr), 0);
  EXPECT_EQ(model->OnGetOnTimerTime(), 30);
  // Another timer's start is not the on-timer's.
  NewTimer(4, 200, 30);
  ASSERT_EQ(model->SetTimer(nullptr), 0);
  EXPECT_EQ(model->OnGetOnTimerTime(), 30);

  model->CancelOnTimer(false);
  EXPECT_EQ(model->OnGetOnTimerTime(), 0);
  EXPECT_FALSE(store->IsStringExist(Key("OnTimerStart")));
}

// ---------------------------------------------------------------- recording

TEST_F(Recorder, ARecordingRunsForItsTimerAndLeavesAShowWithItsIndexFile) {
  simtv_usb_insert(SIMTV_USB_DEFAULT_KB, "FAT32");
  NewTimer(4, 0, 2);
  ASSERT_EQ(model->SetTimer(nullptr), 0);
  model->SetTimerRecordValid(0, true, 4, 0);
  simtv_clear_calls();
  auto* channel = VgNew<Structures::VirtualChannel>();
  channel->Major = 7;
  channel->Minor = 2;
  EXPECT_EQ(model->StartRecord(0, channel), 0);
  EXPECT_EQ(TvCalls(), std::vector<std::string>{"XPM_RECORDING_START_WITH_TRY 0 7 2 0 5"});
  EXPECT_EQ(Words(XpmEvent::RecordStatus, 2),
            (std::vector<int32_t>{Constants::XPM_RECORD_STATUS_START, Constants::XPM_RECORD_STATUS_RECORDING}));
  EXPECT_EQ(model->GetLiveTVState(0), Constants::XPM_TV_STATE_RECORDING_LIVE_TV);
  EXPECT_EQ(model->GetLiveTVState(1), Constants::XPM_TV_STATE_LIVE_TV);
  EXPECT_EQ(model->GetActiveTimer(0), 4);
  EXPECT_EQ(model->GetActiveTimer(1), -1);
  EXPECT_EQ(model->GetTempCurrentChannel(false, 0)->Minor, 2);

  model->StartRecord(0, channel);
  EXPECT_EQ(Words(XpmEvent::RecordStatus, 2), std::vector<int32_t>{Constants::XPM_RECORD_STATUS_TUNER_IN_USE})
      << "the tuner records already";

  simtv_advance(119999);
  EXPECT_TRUE(Take().empty());
  EXPECT_EQ(RecordedShows(), 0);
  simtv_advance(1);
  EXPECT_EQ(Words(XpmEvent::RecordStatus, 2), std::vector<int32_t>{Constants::XPM_RECORD_STATUS_COMPLETE});
  ASSERT_EQ(RecordedShows(), 1);
  EXPECT_EQ(model->GetLiveTVState(0), Constants::XPM_TV_STATE_LIVE_TV);
  EXPECT_EQ(model->GetActiveTimer(0), -1);
  XPM_RecordedShow show{};
  ASSERT_EQ(XPM_Get_Recorded_Show(1, &show), 0);
  EXPECT_EQ(show.duration, 120);
  const std::string file = show.fileName;
  ASSERT_EQ(file.substr(file.size() - 4), ".trp");
  EXPECT_TRUE(simtv_usb_file_exists(file.c_str()));
  EXPECT_TRUE(simtv_usb_file_exists((file.substr(0, file.size() - 3) + "nav").c_str()));
}

TEST_F(Recorder, TheClockRunsOnAndATimerComesDueAtItsMinute) {
  simtv_usb_insert(SIMTV_USB_DEFAULT_KB, "FAT32");
  // One due two minutes from now, a minute early; one stored in its own
  // minute, which the set leaves to whoever stored it.
  NewTimer(4, 2, 5);
  model->OnSetTimerStartEarly(60);
  ASSERT_EQ(model->SetTimer(nullptr), 0);
  NewTimer(5, 0, 5, 4, 29);
  ASSERT_EQ(model->SetTimer(nullptr), 0);
  Take();
  simtv_advance(59999);
  EXPECT_EQ(simtv_tv_local_time(), kNow + 59);
  EXPECT_TRUE(Words(XpmEvent::RecordStatus, 2).empty());
  simtv_advance(1);
  EXPECT_EQ(simtv_tv_local_time(), kNow + 60);
  EXPECT_EQ(Words(XpmEvent::RecordStatus, 2),
            (std::vector<int32_t>{Constants::XPM_RECORD_STATUS_START, Constants::XPM_RECORD_STATUS_RECORDING}));
  EXPECT_EQ(model->GetActiveTimer(0), 4);
  EXPECT_EQ(model->GetActiveTimer(1), -1);
  simtv_advance(6 * 60000);
  EXPECT_EQ(Words(XpmEvent::RecordStatus, 2), std::vector<int32_t>{Constants::XPM_RECORD_STATUS_COMPLETE});
  EXPECT_EQ(RecordedShows(), 1);
}

// A timer refused when it comes due keeps its schedule row, which shows the
// state that refused it: once, after its show has passed; repeating, moved on
// to its next show.
TEST_F(Recorder, ATimerRefusedWhenItComesDueKeepsItsRowWithItsState) {
  for (int32_t id : {4, 5}) {
    Structures::TimerData* timer = NewTimer(id, 1, 2, id == 4 ? 4 : 5, id == 4 ? 0 : 29);
    ASSERT_EQ(model->SetTimer(nullptr), 0);
    ASSERT_EQ(model->DB_InsertScheduledData(timer, Key("Show"), Key("")), 0);
    model->DB_CheckOutTimerId(id);
  }
  Take();
  simtv_advance(60000);
  EXPECT_EQ(Words(XpmEvent::RecordStatus, 2),
            (std::vector<int32_t>{Constants::XPM_RECORD_STATUS_USB_NOT_CONNECT,
                                  Constants::XPM_RECORD_STATUS_USB_NOT_CONNECT}));
  simtv_advance(180000);
  auto* schedule = VgNew<DB_ScheduledInfo>();
  schedule->GetEventInfoByCount(64);
  ASSERT_EQ(schedule->GetNumEvents(), 2);
  EXPECT_EQ(schedule->GetEvent(0)->TimerId, 4);
  EXPECT_EQ(schedule->GetEvent(0)->State, Constants::XPM_RECORD_STATUS_USB_NOT_CONNECT);
  EXPECT_EQ(schedule->GetEvent(1)->TimerId, 5);
  EXPECT_EQ(schedule->GetEvent(1)->State, Constants::XPM_RECORD_STATUS_USB_NOT_CONNECT);
  EXPECT_EQ(schedule->GetEvent(1)->RecordTime->Day, 22) << "a week on";
  EXPECT_EQ(simtv_db_timer_id_out(4), 1);
}

// What the disk holds never passes its size. A timer's recording needs the
// room of its whole length beside what a recording under way holds: one that
// cannot have it is refused, and its schedule row keeps that state for the
// viewer. A recording without an end takes the room left as it records and
// stops when the disk is full, keeping what it recorded.
TEST_F(Recorder, TheDiskNeverHoldsMoreThanItsSize) {
  simtv_usb_insert(200 * 1024, "FAT32");
  // Two minutes a minute from now on each tuner: 240 MB.
  for (int32_t id : {4, 5}) {
    Structures::TimerData* timer = NewTimer(id, 1, 2, 4, id == 4 ? 0 : 29);
    ASSERT_EQ(model->SetTimer(nullptr), 0);
    ASSERT_EQ(model->DB_InsertScheduledData(timer, Key("Show"), Key("")), 0);
  }
  Take();
  simtv_advance(60000);
  EXPECT_EQ(Words(XpmEvent::RecordStatus, 2),
            (std::vector<int32_t>{Constants::XPM_RECORD_STATUS_START, Constants::XPM_RECORD_STATUS_RECORDING,
                                  Constants::XPM_RECORD_STATUS_USB_NO_ENOUGH_SPACE}));
  EXPECT_EQ(model->GetActiveTimer(0), 4);
  EXPECT_EQ(model->GetActiveTimer(1), -1);
  simtv_advance(120000);
  EXPECT_EQ(Words(XpmEvent::RecordStatus, 2), std::vector<int32_t>{Constants::XPM_RECORD_STATUS_COMPLETE});
  DB_Delete_Scheduled_Event_Via_Starttime(int32_t(simtv_tv_local_time()));
  DB_ScheduledShow row{};
  EXPECT_EQ(DB_Get_Scheduled_Show_By_Timer_Id(4, &row), -1) << "recorded, its show passed";
  ASSERT_EQ(DB_Get_Scheduled_Show_By_Timer_Id(5, &row), 0) << "refused, it stays";
  EXPECT_EQ(row.status, Constants::XPM_RECORD_STATUS_USB_NO_ENOUGH_SPACE);

  // The 200 MB less the 120 MB recorded and their index's 8 KB hold 79
  // seconds more.
  auto* channel = VgNew<Structures::VirtualChannel>();
  channel->Major = 7;
  channel->Minor = 2;
  model->StartRecord(1, channel);
  EXPECT_EQ(Words(XpmEvent::RecordStatus, 2),
            (std::vector<int32_t>{Constants::XPM_RECORD_STATUS_START, Constants::XPM_RECORD_STATUS_RECORDING}));
  simtv_advance(79999);
  EXPECT_TRUE(Take().empty());
  simtv_advance(1);
  EXPECT_EQ(Words(XpmEvent::RecordStatus, 2), std::vector<int32_t>{Constants::XPM_RECORD_STATUS_USB_NO_ENOUGH_SPACE});
  ASSERT_EQ(RecordedShows(), 2);
  XPM_RecordedShow show{};
  ASSERT_EQ(XPM_Get_Recorded_Show(2, &show), 0);
  EXPECT_EQ(show.duration, 79);
  EXPECT_EQ(show.state, Constants::XPM_RECORD_STATUS_USB_NO_ENOUGH_SPACE);
  EXPECT_EQ(simtv_usb_free_kb(), 1011u);
  EXPECT_EQ(model->GetActiveTimer(1), -1);
}

TEST_F(Recorder, ARecordingNeedsADigitalChannelAndADiskThatStays) {
  auto* channel = VgNew<Structures::VirtualChannel>();
  channel->Major = 7;
  channel->Minor = 2;
  model->StartRecord(1, channel);
  EXPECT_EQ(Words(XpmEvent::RecordStatus, 2), std::vector<int32_t>{Constants::XPM_RECORD_STATUS_USB_NOT_CONNECT})
      << "no disk";
  EXPECT_EQ(model->GetLiveTVState(1), Constants::XPM_TV_STATE_LIVE_TV);
  simtv_usb_insert(SIMTV_USB_DEFAULT_KB, "FAT32");
  channel->Minor = 0;
  model->StartRecord(1, channel);
  EXPECT_EQ(Words(XpmEvent::RecordStatus, 2), std::vector<int32_t>{Constants::XPM_RECORD_STATUS_NOT_DIGITAL_CHANNEL});

  channel->Minor = 2;
  model->StartRecord(1, channel);  // no timer: until the disk goes
  EXPECT_EQ(Words(XpmEvent::RecordStatus, 2),
            (std::vector<int32_t>{Constants::XPM_RECORD_STATUS_START, Constants::XPM_RECORD_STATUS_RECORDING}));
  simtv_usb_remove();
  const std::vector<Sent> sent = Take();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].Word(0), 1) << "the second tuner";
  EXPECT_EQ(sent[0].Word(2), Constants::XPM_RECORD_STATUS_USB_NOT_CONNECT);
  EXPECT_EQ(RecordedShows(), 0);
}

// ----------------------------------------------------------------- playback

TEST_F(Recorder, PlaybackMovesWithTheClockAndSaysWhenItEnds) {
  simtv_usb_insert(SIMTV_USB_DEFAULT_KB, "FAT32");
  const int32_t id = Show("Match.trp", 5);
  VgString path = Key(XPM_USB_DISK_MOUNT_POINT);
  ASSERT_EQ(model->RecordPlaybackPlay(path, id, 0, 60000), 0);
  RecordPlaybackStatus* status = model->GetRecordPlaybackStatus();
  EXPECT_EQ(status->TotalTime, 300);
  EXPECT_EQ(status->Position, 60);
  EXPECT_EQ(status->State, 2);
  model->RecordPlaybackSkipForward(3);
  EXPECT_EQ(model->GetRecordPlaybackStatus()->Position, 180);
  model->RecordPlaybackSkipBackward(0);
  EXPECT_EQ(model->GetRecordPlaybackStatus()->Position, 160);

  model->RecordPlaybackPause();
  simtv_advance(30000);
  EXPECT_EQ(model->GetRecordPlaybackStatus()->Position, 160);
  EXPECT_EQ(model->GetRecordPlaybackStatus()->State, 1);
  model->RecordPlaybackPause();
  model->RecordPlaybackFastForward();
  model->RecordPlaybackFastForward();  // x4
  EXPECT_EQ(model->GetRecordPlaybackStatus()->Rate, 3);
  simtv_advance(10000);
  EXPECT_EQ(model->GetRecordPlaybackStatus()->Position, 200);
  EXPECT_TRUE(Take().empty());
  simtv_advance(25000);  // the end at 300 s
  EXPECT_EQ(Words(XpmEvent::RecordPlaybackStatus, 3), std::vector<int32_t>{5});
  EXPECT_EQ(model->GetRecordPlaybackStatus()->State, 0);

  model->RecordPlaybackPlay(path, id, 0, 20000);
  model->RecordPlaybackFastBackward();  // x2: at the start in 10 s
  simtv_advance(10000);
  EXPECT_EQ(Words(XpmEvent::RecordPlaybackStatus, 3), std::vector<int32_t>{6});
  EXPECT_EQ(model->GetRecordPlaybackStatus()->State, 2) << "plays on from the start";
  simtv_advance(42000);
  model->RecordPlaybackStop(1);
  XPM_RecordedShow show{};
  XPM_Get_Recorded_Show(id, &show);
  EXPECT_EQ(show.mark, 42);
  EXPECT_EQ(model->RecordPlaybackPlay(path, 99, 0, 0), 3) << "no such show";
}

TEST_F(Recorder, ARemovedDiskEndsThePlaybackWithTheDeviceFlag) {
  simtv_usb_insert(SIMTV_USB_DEFAULT_KB, "FAT32");
  const int32_t id = Show("Film.trp", 90);
  model->RecordPlaybackPlay(Key(XPM_USB_DISK_MOUNT_POINT), id, 0, 0);
  Take();
  simtv_usb_remove();
  const std::vector<Sent> sent = Take();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].event, XpmEvent::RecordPlaybackStatus);
  EXPECT_EQ(sent[0].payload[8], 1);
  EXPECT_EQ(sent[0].Word(0), id);
  EXPECT_EQ(model->GetRecordPlaybackStatus()->State, 0);
  EXPECT_NE(model->RecordPlaybackPlay(Key(XPM_USB_DISK_MOUNT_POINT), id, 0, 0), 0);
}

// --------------------------------------------------------------- time-shift

TEST_F(Recorder, PausingLiveTelevisionFillsTheBufferUntilItReturnsToLive) {
  EXPECT_EQ(model->GetTimeshiftStatus()->State, 0);
  model->TimeshiftKeyProc(1);
  simtv_advance(60000);
  TimeshiftStatus* status = model->GetTimeshiftStatus();
  EXPECT_EQ(status->BufferedTime, 60);
  EXPECT_EQ(status->Position, 0);
  EXPECT_EQ(status->State, 1);
  EXPECT_EQ(model->GetLiveTVState(0), Constants::XPM_TV_STATE_PAUSE_LIVE_TV);

  model->TimeshiftKeyProc(1);  // plays on, a minute behind
  simtv_advance(30000);
  EXPECT_EQ(model->GetTimeshiftStatus()->Position, 30);
  model->TimeshiftKeyProc(2);  // x2 catches up a second each second
  simtv_advance(59000);
  EXPECT_EQ(model->GetTimeshiftStatus()->State, 3);
  simtv_advance(2000);
  status = model->GetTimeshiftStatus();
  EXPECT_EQ(status->State, 2) << "live again, at normal speed";
  EXPECT_EQ(status->Position, status->BufferedTime);
  model->TimeshiftKeyProc(5);
  EXPECT_EQ(model->GetTimeshiftStatus()->Position, status->BufferedTime - 30);
  model->TimeshiftKeyProc(6);
  EXPECT_EQ(model->GetTimeshiftStatus()->Position, 0);

  model->TimeshiftKeyProc(7);
  EXPECT_EQ(model->GetTimeshiftStatus()->BufferedTime, 0);
  EXPECT_EQ(model->GetLiveTVState(0), Constants::XPM_TV_STATE_LIVE_TV);
  EXPECT_NE(model->TimeshiftKeyProc(8), 0);
}

// ------------------------------------------------------------ the USB disk

TEST_F(Recorder, TheDiskReportsMegabytesAndFormatsAndTestsLater) {
  EXPECT_FALSE(model->IsUSBDiskMounted());
  EXPECT_EQ(model->GetUSBDiskStatus()->Mounted, 0);
  simtv_usb_insert(2000000, "FAT32");
  USBDiskStatus* disk = model->GetUSBDiskStatus();
  EXPECT_TRUE(model->IsUSBDiskMounted());
  EXPECT_EQ(disk->TotalSpace, 1953);
  EXPECT_EQ(Utf8(disk->FileSystem), "FAT32");
  EXPECT_EQ(Utf8(disk->MountPoint), XPM_USB_DISK_MOUNT_POINT);
  Show("Old.trp", 10);  // 600 MiB and its index
  EXPECT_EQ(model->GetUSBDiskStatus()->AvailableSpace, 1953 - 600);

  model->USBDiskFormat();
  simtv_advance(SIMTV_USB_FORMAT_MS - 1);
  EXPECT_TRUE(Take().empty());
  simtv_advance(1);
  EXPECT_EQ(Words(XpmEvent::UsbFormat, 0), std::vector<int32_t>{0});
  EXPECT_EQ(RecordedShows(), 0);
  EXPECT_FALSE(simtv_usb_file_exists("Old.trp"));
  simtv_fail("XPM_USBDiskFormat", 12, 1);
  EXPECT_EQ(model->USBDiskFormat(), 0);
  simtv_advance(SIMTV_USB_FORMAT_MS);
  EXPECT_EQ(Words(XpmEvent::UsbFormat, 0), std::vector<int32_t>{12});

  model->USBSpeedCheck();
  simtv_advance(SIMTV_USB_SPEED_TEST_MS);
  const std::vector<Sent> sent = Take();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].event, XpmEvent::PvrPerfStatus);
  EXPECT_EQ(sent[0].Word(0), 0);
  double speed = 0;
  std::memcpy(&speed, sent[0].payload.data() + 16, sizeof speed);
  EXPECT_EQ(speed, 25.0);
  model->USBSpeedCheck();
  simtv_advance(1000);
  model->AbortUSBSpeedCheck();
  simtv_advance(SIMTV_USB_SPEED_TEST_MS);
  EXPECT_TRUE(Take().empty());
}

// -------------------------------------------------------------------- files

TEST_F(Recorder, FilesOfTheMountedDiskAndNothingElseCanBeDeleted) {
  simtv_usb_insert(SIMTV_USB_DEFAULT_KB, "FAT32");
  ASSERT_EQ(simtv_usb_write_file("three.trp", 3 << 20), 0);
  const auto word = static_cast<uint32_t>(model->GetFileSize(Disk("three.trp")));
  EXPECT_EQ(word >> 30, 2u);
  EXPECT_EQ(word & 0x3FFFFFFF, 3u);
  simtv_usb_write_file("small.nav", 1536);
  EXPECT_EQ(uint32_t(model->GetFileSize(Disk("small.nav"))), (1u << 30) | 1u);
  simtv_usb_write_file("tiny", 100);
  EXPECT_EQ(model->GetFileSize(Disk("tiny")), 100);
  EXPECT_EQ(model->GetFileSize(Disk("missing")), 0);

  EXPECT_EQ(model->DeleteFile(Key("")), -1);
  std::ofstream(NvPath("/mnt/nvram/keep.dat")) << "settings";
  EXPECT_EQ(model->DeleteFile(Key("/mnt/nvram/keep.dat")), -1);
  EXPECT_EQ(model->DeleteFile(Key(XPM_USB_DISK_MOUNT_POINT "/../../nvram/keep.dat")), -1);
  EXPECT_TRUE(std::filesystem::exists(NvPath("/mnt/nvram/keep.dat")));
  EXPECT_EQ(model->DeleteFile(Key(XPM_USB_DISK_MOUNT_POINT)), -1);
  EXPECT_EQ(model->DeleteFile(Disk("three.trp")), 0);
  EXPECT_FALSE(simtv_usb_file_exists("three.trp"));
  simtv_usb_remove();
  EXPECT_EQ(model->DeleteFile(Disk("tiny")), -1) << "the disk is gone";
  EXPECT_TRUE(simtv_usb_file_exists("tiny"));
}

TEST_F(Recorder, TheRecordDatabaseRenamesAndDeletesShows) {
  simtv_usb_insert(SIMTV_USB_DEFAULT_KB, "FAT32");
  VgString path = Key(XPM_USB_DISK_MOUNT_POINT);
  const int32_t kept = Show("Kept.trp", 1);
  const int32_t gone = Show("Gone.trp", 1);
  EXPECT_EQ(model->ChangeProgramTitle(path, kept, VgNewStringUtf8("Café")), 0);
  XPM_RecordedShow show{};
  XPM_Get_Recorded_Show(kept, &show);
  EXPECT_STREQ(show.title, "Café");
  EXPECT_EQ(model->DB_DeleteRecordPlayback(path, kept), 0);
  EXPECT_EQ(RecordedShows(), 1);
  EXPECT_TRUE(simtv_usb_file_exists("Kept.trp")) << "the screen deletes the files";
  model->DB_DeleteRecordedShow(gone);
  EXPECT_EQ(RecordedShows(), 0);
  EXPECT_FALSE(simtv_usb_file_exists("Gone.trp"));
  EXPECT_FALSE(simtv_usb_file_exists("Gone.nav"));
}

// -------------------------------------------------------------------- tuners

TEST_F(Recorder, TheViewersTunerAndTheChannelsTheTunersKept) {
  EXPECT_EQ(model->GetCurrentTunerId(), 0);
  simtv_tv_set_current_tuner(1);
  EXPECT_EQ(model->GetCurrentTunerId(), 1);
  simtv_fail("XPM_GetCurrentTunerId", 3, 2);
  EXPECT_EQ(model->GetCurrentTunerId(), 2);
  EXPECT_EQ(model->GetTimeshiftStatus()->State, 0) << "no tuner, no buffer";

  simtv_tv_set_tuner_channel(1, 1, 101, 2);
  EXPECT_EQ(model->GetTempCurrentChannel(true, 1)->Major, 101);
  EXPECT_EQ(model->GetTempCurrentChannel(true, 0)->Major, -2);
  EXPECT_EQ(model->GetTempCurrentChannel(false, 1)->Major, -2);
}

// --------------------------------------------------------------- time texts

TEST(TimeTexts, TwelveHourClockAndDaySets) {
  EXPECT_EQ(Utf8(Wrapper::Wrapper::GetTimeAMPM(0, 5)), "12:05AM");
  EXPECT_EQ(Utf8(Wrapper::Wrapper::GetTimeAMPM(13, 0)), "01:00PM");
  EXPECT_EQ(Utf8(Wrapper::Wrapper::GetTimeAMPM(12, 30)), "12:30PM");
  EXPECT_EQ(Utf8(Wrapper::Wrapper::GetTimeAMPM(11, 59)), "11:59AM");
  for (auto [hour, am, twelve] : {std::tuple{0, 1, 12}, {11, 1, 11}, {12, 0, 12}, {23, 0, 11}}) {
    Structures::AMPMHour* h = Wrapper::Wrapper::Convert24HourToAMPM(hour);
    EXPECT_EQ(h->AM, am) << hour;
    EXPECT_EQ(h->Hour, twelve) << hour;
  }
  EXPECT_EQ(Wrapper::Wrapper::GetDaysOfWeek(true, false, false, false, false, false, true), 65);
  EXPECT_EQ(Wrapper::Wrapper::GetDaysOfWeek(false, true, true, true, true, true, false), 62);
  EXPECT_EQ(SkinBin::Wrapper::SkipSeconds(1) + SkinBin::Wrapper::SkipSeconds(2) + SkinBin::Wrapper::SkipSeconds(3),
            210);
  EXPECT_EQ(SkinBin::Wrapper::SkipSeconds(7), 20);
}

}  // namespace
}  // namespace ModelTest
