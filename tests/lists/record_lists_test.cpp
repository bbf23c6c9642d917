// The recording lists in their screens: the recorded shows (full and short),
// the scheduled recordings with the OK key's checks and the timer dialogs it
// asks for, and the timers in conflict; a golden picture of the recorded
// shows (golden/recorded_shows.png).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Channels/FullEPGDialog.h"
#include "Constants/Constants.h"
#include "Core/Keys.h"
#include "ListForm/RecordedShowsList.h"
#include "ListForm/TimerLists.h"
#include "Record/RecordTimerDialog.h"
#include "Record/ScheduledRecordDialog.h"
#include "Resources/Bitmap.h"
#include "Structures/Message.h"
#include "Wrapper/TimerRecord.h"
#include "golden.h"
#include "recording_host.h"
#include "simtv.h"
#include "vgresmap.h"
#include "xpm.h"

namespace {

using RecordingTest::TimerDef;

std::string Utf8(VgString s) { return VgStringToUtf8(s); }

bool Shows(const Views::Image& icon, const VgConstant& bitmap) {
  return icon.Visible && icon.Bitmap.get() == VgLoad<Resources::Bitmap>(bitmap);
}

class RecordLists : public RecordingTest::RecordingFixture {
 protected:
  // A recorded show, kept outside the disk so that no file is written.
  void AddRecording(const char* channel, int32_t major, int32_t minor, const char* file, int32_t state,
                    int64_t recordTime, int32_t seconds, int32_t tuner = 0) {
    XPM_RecordedShow s{};
    std::snprintf(s.title, sizeof s.title, "Show %s", channel);
    std::snprintf(s.channelName, sizeof s.channelName, "%s", channel);
    std::snprintf(s.fileName, sizeof s.fileName, "%s", file);
    std::snprintf(s.description, sizeof s.description, "About %s.", channel);
    s.major = major;
    s.minor = minor;
    s.startTime = recordTime - 60;
    s.recordTime = recordTime;
    s.duration = seconds;
    s.state = state;
    s.tuner = tuner;
    s.captionFlag = 1;
    simtv_tv_add_recording("/archive", &s);
  }

  void FiveRecordings() {
    simtv_usb_insert(SIMTV_USB_DEFAULT_KB, "FAT32");
    const std::string disk = XPM_USB_DISK_MOUNT_POINT;
    AddRecording("KNEWS", 9, 1, (disk + "/rec/a.ts").c_str(), 19, RecordingTest::LocalSeconds(2021, 1, 2, 0, 5), 59);
    AddRecording("METRO", 12, 1, (disk + "10/b.ts").c_str(), 3, RecordingTest::LocalSeconds(2020, 12, 30, 12, 0),
                 3600, 1);
    AddRecording("K04AB", 4, -1, "/elsewhere/c.ts", 1, RecordingTest::LocalSeconds(2020, 12, 29, 23, 59), 36000);
    AddRecording("NONE", -2, -2, "d.ts", 19, RecordingTest::LocalSeconds(2020, 12, 28, 18, 30), 5400);
    AddRecording("KQRS", 7, 0, "e.ts", 19, RecordingTest::LocalSeconds(2020, 12, 27, 9, 15), 1800);
  }

  template <class Row>
  Row* RowAt(int32_t i) const {
    return vg_cast<Row>(embedded->GetCtrlAt(i));
  }
};

TEST_F(RecordLists, RecordedShowsShowTheirRecordingsAndHandTheFocusedOneOn) {
  FiveRecordings();
  auto* list = VgNew<ListForm::RecordedShowsList>();
  list->OnProgramChanged = host->Recorder("OnProgramChanged");
  Embed(list);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"KNEWS", "METRO", "K04AB", "NONE", "KQRS"}));
  EXPECT_GE(host->Count("OnProgramChanged"), 1);
  EXPECT_EQ(host->LastSender("OnProgramChanged"), list);
  EXPECT_EQ(Utf8(list->FocusTitle), "KNEWS");
  EXPECT_EQ(Utf8(list->FocusDescription), "About KNEWS.");
  EXPECT_TRUE(list->FocusInfoFlag);

  auto* first = RowAt<ListForm::RecordedShowsListItem>(0);
  EXPECT_EQ(Utf8(first->dateText.String), "Jan 02");
  EXPECT_EQ(Utf8(first->timeText.String), "12:05AM");
  EXPECT_EQ(Utf8(first->lengthText.String), "00:00");
  EXPECT_EQ(Utf8(first->channelText.String), "9-1");
  EXPECT_EQ(Utf8(first->fileNameText.String), "/rec/a.ts");
  EXPECT_TRUE(Shows(first->stateIcon, Bitmaps::RecordStatusWillRecord));
  EXPECT_TRUE(Shows(first->tunerIcon, Bitmaps::BannerRF1Input));
  auto* second = RowAt<ListForm::RecordedShowsListItem>(1);
  EXPECT_EQ(Utf8(second->timeText.String), "12:00PM");
  EXPECT_EQ(Utf8(second->lengthText.String), "01:00");
  EXPECT_EQ(Utf8(second->fileNameText.String), std::string(XPM_USB_DISK_MOUNT_POINT) + "10/b.ts");
  EXPECT_TRUE(Shows(second->stateIcon, Bitmaps::RecordStatusStop));
  EXPECT_TRUE(Shows(second->tunerIcon, Bitmaps::BannerRF2Input));
  EXPECT_FALSE(RowAt<ListForm::RecordedShowsListItem>(2)->stateIcon.Visible);

  const int heard = host->Count("OnProgramChanged");
  Press(Key::Down);
  EXPECT_GT(host->Count("OnProgramChanged"), heard);
  EXPECT_EQ(list->FocusIndex, 1);
  EXPECT_EQ(Utf8(list->FocusTitle), "METRO");
  ASSERT_NE(list->FocusStartTime.get(), nullptr);
  EXPECT_EQ(list->FocusStartTime->Minute, 59) << "the programme's start, not the recording's";
}

TEST_F(RecordLists, TheShortListShowsTheFirstThreeAndAnEmptyDiskNone) {
  FiveRecordings();
  auto* brief = Embed(VgNew<ListForm::Last5RecordedShowsList>());
  EXPECT_EQ(brief->ItemNum, 3);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"KNEWS", "METRO", "K04AB"}));
  EXPECT_TRUE(model->OnGetRecordedShowsList()->Brief);

  // The full list after it takes the same model out of its brief mode.
  auto* full = VgNew<ListForm::RecordedShowsList>();
  host->Remove(brief);
  Embed(full);
  EXPECT_EQ(full->ItemNum, 5);
  EXPECT_FALSE(model->OnGetRecordedShowsList()->Brief);

  simtv_tv_clear_recordings();
  full->OnProgramChanged = host->Recorder("OnProgramChanged");
  full->Initialize(nullptr);
  VgProcessSignals();
  EXPECT_EQ(full->ItemNum, 0);
  EXPECT_EQ(Focused(), -1);
  EXPECT_EQ(host->Count("OnProgramChanged"), 0);

  // A row asked for with nothing to show says so.
  auto* row = VgNew<ListForm::RecordedShowsListItem>();
  row->SetData(nullptr);
  EXPECT_EQ(Utf8(row->Text), "No Information Available");
  EXPECT_EQ(Utf8(row->timeText.String), "");
}

TEST_F(RecordLists, TheRecordedShowsPicture) {
  FiveRecordings();
  Embed(VgNew<ListForm::RecordedShowsList>());
  Press(Key::Down);
  ExpectGolden(ViewsTest::Pixels(Render()), ListTest::GoldenPath("recorded_shows.png"));
}

// ------------------------------------------------------------ the schedule

class Schedule : public RecordLists {
 protected:
  // n timers a day apart from tomorrow at 21:00, ids from 10.
  void DailyTimers(int32_t n) {
    for (int32_t i = 0; i < n; ++i)
      AddTimer({.id = 10 + i, .start = RecordingTest::LocalSeconds(2021, 1, 4 + i, 21, 0), .title = "Daily"});
  }
};

TEST_F(Schedule, RowsShowTheirTimersAndScrollingLeavesTheTimerBeingEdited) {
  AddTimer({.id = 3,
            .major = 4,
            .minor = -1,
            .start = RecordingTest::LocalSeconds(2021, 1, 3, 21, 0),
            .minutes = 90,
            .timesType = 0,
            .enabled = false,
            .tuner = 1,
            .title = "Sunday Film"});
  DailyTimers(8);
  model->OnSetActiveTimerId(20);
  auto* list = VgNew<ListForm::ScheduledRecordList>();
  list->OnProgramChanged = host->Recorder("OnProgramChanged");
  EmbedIn(&Record::ScheduledRecordDialog::Class, list);
  EXPECT_EQ(list->ItemNum, 7);

  auto* row = RowAt<ListForm::ScheduledRecordListItem>(0);
  EXPECT_EQ(Utf8(row->dateText.String), "Sun, Jan 03");
  EXPECT_EQ(Utf8(row->timeText.String), "09:00PM");
  EXPECT_EQ(Utf8(row->lengthText.String), "01:30");
  EXPECT_EQ(Utf8(row->channelText.String), "4");
  EXPECT_EQ(Utf8(row->Text), "Sunday Film");
  EXPECT_FALSE(row->repetitionIcon.Visible);
  EXPECT_TRUE(Shows(row->checkBox, Bitmaps::CheckBox));
  EXPECT_TRUE(Shows(row->tunerIcon, Bitmaps::BannerRF2Input));
  auto* daily = RowAt<ListForm::ScheduledRecordListItem>(1);
  EXPECT_TRUE(Shows(daily->repetitionIcon, Bitmaps::EPG_RecordTypeOnce));
  EXPECT_TRUE(Shows(daily->checkBox, Bitmaps::CheckBoxCheck));
  // A repetition the icons do not know leaves the icon as it was; states by their table.
  daily->OnSetTimesType(7);
  EXPECT_TRUE(Shows(daily->repetitionIcon, Bitmaps::EPG_RecordTypeOnce));
  daily->OnSetStatus(7);
  EXPECT_TRUE(Shows(daily->stateIcon, Bitmaps::RecordStatusFailed));
  daily->OnSetStatus(19);
  EXPECT_FALSE(daily->stateIcon.Visible);

  // The screen hears of the focus in the signal pass after next.
  const int heard = host->Count("OnProgramChanged");
  for (int i = 0; i < 8; ++i) Press(Key::Down);
  VgProcessSignals();
  EXPECT_EQ(Cursor(), 8);
  EXPECT_GT(host->Count("OnProgramChanged"), heard);
  EXPECT_EQ(list->FocusIndex, 8);
  EXPECT_EQ(Utf8(list->FocusTitle), "Daily");
  EXPECT_EQ(list->FocusDuration, 1800);
  EXPECT_TRUE(list->FocusActive);
  EXPECT_EQ(model->OnGetActiveTimerId(), 20) << "reading rows changes no timer being edited";
}

TEST_F(Schedule, OkOpensTheTimerInTheDialogItWasMadeWith) {
  AddTimer({.id = 2, .start = RecordingTest::LocalSeconds(2021, 1, 4, 21, 0), .sourceType = 1, .title = "By hand"});
  AddTimer({.id = 5, .start = RecordingTest::LocalSeconds(2021, 1, 5, 21, 0), .sourceType = 2, .title = "Guide"});
  auto* list = EmbedIn(&Record::ScheduledRecordDialog::Class, VgNew<ListForm::ScheduledRecordList>());

  Press(Key::Ok);
  auto* manual = Opened<Record::RecordTimerDialog>();
  ASSERT_NE(manual, nullptr);
  EXPECT_EQ(manual->ParamValue, 1);
  EXPECT_EQ(manual->ParamKind, Constants::MSG_FROM_NONMENUSYSTEM);
  EXPECT_TRUE(manual->IsUpdate);
  ASSERT_NE(manual->StartTime.get(), nullptr);
  EXPECT_EQ(::Wrapper::SecondsOf(manual->StartTime), RecordingTest::LocalSeconds(2021, 1, 4, 21, 0));
  EXPECT_EQ(manual->Duration, 1800);
  EXPECT_EQ(manual->NextState, nullptr);
  EXPECT_EQ(model->OnGetActiveTimerId(), 2);

  manual->Close();
  system->OnSetFocus(screen);
  Press(Key::Down);
  VgProcessSignals();
  Press(Key::Ok);
  RecordingTest::TimerDialog* guide = Opened<Record::EPGRecordTimerDialog>();
  ASSERT_NE(guide, nullptr);
  EXPECT_EQ(guide->ParamValue, 2);
  EXPECT_TRUE(guide->last.isUpdate);
  EXPECT_FALSE(guide->last.canDelete);
  EXPECT_EQ(Utf8(guide->caption), "Guide");
  EXPECT_EQ(model->OnGetActiveTimerId(), 5);
  EXPECT_EQ(list->FocusIndex, 1);
}

TEST_F(Schedule, OkRefusesOffATunerSourceAndForTheTimerRecordingNow) {
  AddTimer({.id = 4, .start = RecordingTest::LocalSeconds(2021, 1, 4, 21, 0), .tuner = 1});
  EmbedIn(&Record::ScheduledRecordDialog::Class, VgNew<ListForm::ScheduledRecordList>());

  const int32_t source = model->GetCurrentSource(0);
  simtv_av_set_source_type(source, Constants::XPM_SOURCE_TYPE_AV_HDMI);
  Press(Key::Ok);
  EXPECT_EQ(MessageShown(), 47);
  EXPECT_EQ(Opened<Record::RecordTimerDialog>(), nullptr);
  CloseMessages();

  // Back on the tuner, the timer records now on the second tuner.
  simtv_av_set_source_type(source, Constants::XPM_SOURCE_TYPE_RF_TUNER);
  simtv_usb_insert(SIMTV_USB_DEFAULT_KB, "FAT32");
  XPM_ChannelInfo channel{};
  channel.major = 7;
  channel.minor = 1;
  channel.digital = 1;
  simtv_tv_add_channel(&channel);
  ASSERT_EQ(XPM_Set_Timer_Record_Valid(1, 1, 4, 0), 0);
  ASSERT_EQ(XPM_RECORDING_START_WITH_TRY(1, 7, 1, 0, 1), 0);
  ASSERT_EQ(model->GetActiveTimer(1), 4);
  Press(Key::Ok);
  EXPECT_EQ(MessageShown(), 51);
  EXPECT_EQ(Opened<Record::RecordTimerDialog>(), nullptr);
}

TEST_F(Schedule, ASavedTimerAndAChangedScheduleReloadTheRows) {
  DailyTimers(2);
  auto* list = EmbedIn(&Record::ScheduledRecordDialog::Class, VgNew<ListForm::ScheduledRecordList>());
  auto* row = RowAt<ListForm::ScheduledRecordListItem>(0);

  // The viewer saved the first timer weekly and two hours long.
  XPM_TimerInfo saved{};
  XPM_GetTimer(10, &saved);
  saved.timesType = 5;
  saved.duration = 7200;
  ASSERT_EQ(XPM_SetTimer(10, &saved), 0);
  auto* message = VgNew<Structures::Message>();
  message->Code = Constants::MSG_UPDATE_RECORD_TYPE;
  list->HandleMessage(message);
  EXPECT_TRUE(Shows(row->repetitionIcon, Bitmaps::EPG_RecordTypeWeekly));
  EXPECT_EQ(Utf8(row->lengthText.String), "02:00");

  AddTimer({.id = 9, .start = RecordingTest::LocalSeconds(2021, 1, 9, 21, 0)});
  message->Code = Constants::MSG_UPDATE_ALL_SCHEDULES;
  list->HandleMessage(message);
  VgProcessSignals();
  EXPECT_EQ(list->ItemNum, 3);
  EXPECT_EQ(Texts().size(), 3u);
}

// ----------------------------------------------------------- the conflicts

TEST_F(Schedule, ConflictRowsShowTheTimersInTheWayWithTheirMargins) {
  AddTimer({.id = 6,
            .start = RecordingTest::LocalSeconds(2021, 1, 4, 0, 30),
            .minutes = 60,
            .timesType = 2,
            .startEarly = 119,
            .endDelay = 660});
  XPM_TimerInfo refused{};
  XPM_GetTimer(6, &refused);
  refused.duration = 600;
  ASSERT_EQ(XPM_SetTimer(7, &refused), XPM_TIMER_ERROR_OVERLAP);
  auto* list = Embed(VgNew<ListForm::ConflictTimerList>());
  ASSERT_EQ(list->ItemNum, 1);
  auto* row = RowAt<ListForm::ConflictTimerListItem>(0);
  EXPECT_EQ(Utf8(row->timeText.String), "12:30AM");
  EXPECT_EQ(Utf8(row->lengthText.String), "01:00");
  EXPECT_EQ(Utf8(row->startEarlyText.String), "1 min -");
  EXPECT_EQ(Utf8(row->endDelayText.String), "11 mins +");
  EXPECT_TRUE(Shows(row->repetitionIcon, Bitmaps::EPG_RecordTypeDaily));
  EXPECT_EQ(row->TimerId, 6);

  auto* courier = vg_cast<ListForm::ScheduledRecordListCourier>(row->GetData(nullptr));
  EXPECT_EQ(courier->TimerId, 0) << "not handed back";
  EXPECT_EQ(courier->Title.get(), nullptr);
  EXPECT_EQ(courier->StartEarly, 119);
  EXPECT_EQ(host->Count("OnProgramChanged"), 0);
}

}  // namespace
