// The recording timer rules and the dialogs that share them, on the set of
// the recording fixture: 19:30 on Wednesday 15 June 2011, channel 7-1 on the
// first tuner with nothing in the guide, and a timer that records 9-1 on the
// first tuner from now for an hour.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Constants/Constants.h"
#include "AppServices/MessageAgent.h"
#include "AppServices/WidgetManager.h"
#include "ListForm/TimerHooks.h"
#include "AppServices/Wrapper.h"
#include "Record/ConflictTimerDialog.h"
#include "Record/RecordOptionsDialog.h"
#include "Record/RecordTimerDialog.h"
#include "Record/TimerDurationDialog.h"
#include "Record/TimerRules.h"
#include "SkinBin/OptionTypes.h"
#include "SkinBin/RecordData.h"
#include "Strings.h"
#include "Structures/LocalTime.h"
#include "nonmenu_fixture.h"
#include "record_fixture.h"
#include "sim_calls.h"
#include "simtv.h"

namespace RecordTest {

// The messages with the number of platform calls made before each.
struct Heard {
  int calls;
  std::string name;
};
std::vector<Heard>* g_heard = nullptr;

class Trail : public NonMenuTest::Listener {
  VG_CLASS()
 public:
  void HandleMessage(Structures::Message* message) override {
    if (g_heard) g_heard->push_back({simtv_call_count(), std::string(Constants::MessageCodeName(message->Code))});
  }
};

}  // namespace RecordTest

VG_DEFINE_CLASS(RecordTest, Trail, NonMenuTest::Listener)

namespace {

using namespace Record;
using RecordTest::Heard;
using RecordTest::Trail;
using RecordTest::g_heard;

constexpr int32_t kMessageBar = 0x2000009;

class RecordTest : public NonMenuTest::NonMenuFixture {
 protected:
  void SetUp() override {
    NonMenuFixture::SetUp();
    ::RecordTest::LoadFixture("recording.fixture");
  }

  SkinBin::Wrapper* Model() { return MainApp::GetWrapper(); }

  RecordOptionsDialog* OpenOptions() {
    return static_cast<RecordOptionsDialog*>(Open(&RecordOptionsDialog::Class));
  }

  RecordTimerDialog* OpenManualTimer() {
    auto* options = OpenOptions();
    options->DoActivate(&options->buttons[4]);
    return static_cast<RecordTimerDialog*>(MainApp::GetWidgetManager()->FindForm(0x2000036));
  }

  static bool Called(const std::string& prefix) {
    for (const std::string& call : RecordedCalls())
      if (call.rfind(prefix, 0) == 0) return true;
    return false;
  }

  bool StoredEnabled(int32_t id) {
    XPM_TimerInfo info{};
    return XPM_GetTimer(id, &info) == 0 && info.enabled;
  }
};

TEST(TimerRules, WeekdaysDaySetsAndTexts) {
  EXPECT_EQ(GetWeekDay(2011, 1, 30), 0);
  EXPECT_EQ(GetWeekDay(2000, 3, 1), 3);
  EXPECT_EQ(GetWeekDay(2011, 12, 31), 6);
  EXPECT_EQ(GetWeekDay(2012, 1, 1), 0) << "January counts as the previous year's thirteenth month";
  EXPECT_EQ(DaySetFor(1, 3, 0), 127);
  EXPECT_EQ(DaySetFor(2, 6, 0), 62) << "whatever the start date";
  EXPECT_EQ(DaySetFor(3, 3, 0), 65);
  EXPECT_EQ(DaySetFor(4, 6, 0), 64);
  EXPECT_EQ(DaySetFor(5, 0, 0), 1);
  EXPECT_EQ(DaySetFor(0, 3, 42), 42) << "no repetition leaves the set";
  EXPECT_EQ(VgStringToUtf8(RangeText(23, 30, 90 * 60)), "11:30PM - 01:00AM");
  EXPECT_EQ(VgStringToUtf8(RangeText(10, 45, 30 * 60 + 59)), "10:45AM - 11:15AM") << "whole minutes count";
  EXPECT_EQ(VgStringToUtf8(DurationText(5400)), "01:30");
  EXPECT_EQ(FindSaveRefusal(7), nullptr) << "a code of its own shows nothing";
  EXPECT_EQ(FindSaveRefusal(39)->timerDialogMessage, OpenConflict);
  EXPECT_EQ(FindSaveRefusal(39)->conflictDialogMessage, 46);
}

TEST(TimerRules, DueNowAcrossMidnight) {
  constexpr int32_t wednesday = 3;
  const int32_t everyDay = 127;
  const int32_t onlyTuesday = 1 << 2;
  const int32_t onlyThursday = 1 << 4;
  // 20:00 for an hour, saved at 20:10 and at 21:01.
  EXPECT_TRUE(DueNow({.now = 1210, .weekDay = wednesday, .start = 1200, .seconds = 3600, .days = everyDay}));
  EXPECT_FALSE(DueNow({.now = 1261, .weekDay = wednesday, .start = 1200, .seconds = 3600, .days = everyDay}));
  EXPECT_FALSE(DueNow({.now = 1210, .weekDay = wednesday, .start = 1200, .seconds = 3600, .days = onlyThursday}));
  // Tuesday 23:30 for two hours still records at 00:45 on Wednesday.
  EXPECT_TRUE(DueNow({.now = 45, .weekDay = wednesday, .start = 1410, .seconds = 7200, .days = onlyTuesday}));
  EXPECT_FALSE(DueNow({.now = 95, .weekDay = wednesday, .start = 1410, .seconds = 7200, .days = onlyTuesday}));
  // Thursday 00:05 starting ten minutes early begins at 23:55 on Wednesday.
  EXPECT_TRUE(DueNow({.now = 1436, .weekDay = wednesday, .start = 5, .seconds = 1800, .startEarly = 600,
                      .days = onlyThursday}));
  EXPECT_FALSE(DueNow({.now = 1430, .weekDay = wednesday, .start = 5, .seconds = 1800, .startEarly = 600,
                       .days = onlyThursday}));
}

TEST_F(RecordTest, RecordNowStoresStartsAndAnnouncesInOrder) {
  // The fixture's timer is on the first tuner: record on the second.
  simtv_tv_set_current_tuner(1);
  simtv_tv_set_tuner_channel(1, 0, 7, 1);
  std::vector<Heard> heard;
  g_heard = &heard;
  auto* trail = VgNew<Trail>();
  VgLockObject(trail);
  MainApp::GetMessageAgent()->Register(trail);
  auto* options = OpenOptions();
  simtv_clear_calls();
  options->DoActivate(&options->buttons[1]);
  MainApp::GetMessageAgent()->UnRegister(trail);
  VgUnlockObject(trail);
  g_heard = nullptr;
  EXPECT_FALSE(Listed(0x2000038));
  EXPECT_EQ(Model()->OnGetTimerDuration(), 3600);
  EXPECT_EQ(Model()->OnGetTimerSource(), 29) << "the second tuner";
  EXPECT_EQ(Model()->OnGetTimerDaysOfWeek(), 1 << 3) << "a Wednesday";
  // The steps that change the set, with the messages where they were sent.
  std::vector<std::string> steps;
  const std::vector<std::string> calls = RecordedCalls();
  size_t next = 0;
  const char* kSteps[] = {"XPM_SetTimer", "DB_Insert_Scheduled_Data", "DB_Check_Out_Timer_Id",
                          "XPM_Set_Timer_Record_Valid", "XPM_SetWakeState", "XPM_RECORDING_START_WITH_TRY"};
  for (size_t i = 0; i <= calls.size(); ++i) {
    for (; next < heard.size() && size_t(heard[next].calls) == i; ++next) steps.push_back(heard[next].name);
    if (i == calls.size()) break;
    for (const char* name : kSteps)
      if (calls[i].rfind(std::string(name) + " ", 0) == 0) steps.push_back(name);
  }
  const std::vector<std::string> expected = {
      "XPM_SetTimer",     "DB_Insert_Scheduled_Data", "DB_Check_Out_Timer_Id", "MSG_UPDATE_RECORD_TYPE",
      "XPM_Set_Timer_Record_Valid", "XPM_SetWakeState", "XPM_RECORDING_START_WITH_TRY", "MSG_RECORD_CURRENT_SHOW"};
  EXPECT_EQ(steps, expected);
  EXPECT_NE(std::find(calls.begin(), calls.end(), "XPM_RECORDING_START_WITH_TRY 1 7 1 0 5"), calls.end());
}

TEST_F(RecordTest, AFailedScheduleInsertTakesTheTimerBackAndStartsNothing) {
  auto* options = OpenOptions();
  simtv_tv_set_current_tuner(1);
  simtv_fail("DB_Insert_Scheduled_Data", 1, 1);
  listener->codes.clear();
  options->DoActivate(&options->buttons[0]);
  const int32_t id = Model()->OnGetActiveTimerId();
  EXPECT_TRUE(Listed(0x2000038)) << "the dialog stays for another try";
  EXPECT_TRUE(listener->codes.empty()) << "nothing is announced";
  EXPECT_FALSE(StoredEnabled(id)) << "the stored timer is reset and records nothing";
  EXPECT_EQ(simtv_db_timer_id_out(id), 0) << "its id stays free";
  EXPECT_FALSE(Called("XPM_RECORDING_START_WITH_TRY"));
  EXPECT_EQ(Model()->OnGetTimerDuration(), 1800) << "the held timer keeps the dialog's values";
}

TEST_F(RecordTest, AnOverlapOpensTheConflictDialogAndCancelSavesNothing) {
  auto* options = OpenOptions();
  options->DoActivate(&options->buttons[0]);
  auto* conflict = static_cast<ConflictTimerDialog*>(MainApp::GetWidgetManager()->FindForm(0x2000042));
  ASSERT_NE(conflict, nullptr);
  EXPECT_TRUE(Listed(0x2000038)) << "record options stay below";
  EXPECT_FALSE(Listed(kMessageBar));
  EXPECT_EQ(Utf8(conflict->caption.String), "Tuner 1 - 7-1");
  EXPECT_EQ(Utf8(conflict->range.String), "07:30PM - 08:00PM");
  SkinBin::ConflictTimerInfo* list = Model()->OnGetConflictTimerList();
  ASSERT_EQ(list->NumEvents, 1);
  const int32_t stored = list->Events[0]->TimerId;
  EXPECT_EQ(list->Events[0]->Timer->Flag, 0) << "Modify is focused: its preview";
  auto* row = vg_cast<ListForm::ConflictTimerListItem>(conflict->list.GetCtrlAt(0));
  ASSERT_NE(row, nullptr);
  EXPECT_FALSE(row->TimerActive());
  Press(Key::Right);
  EXPECT_EQ(list->Events[0]->Timer->Flag, 1) << "Cancel keeps the stored timers active";
  EXPECT_EQ(Model()->OnGetEnableTimer(), 0);
  EXPECT_TRUE(row->TimerActive()) << "the list shows the preview";
  Press(Key::Left);
  EXPECT_EQ(list->Events[0]->Timer->Flag, 0);
  EXPECT_FALSE(row->TimerActive());
  // The list's keys scroll the list; the focus stays on the buttons.
  Press(Key::Down);
  Press(Key::PageDown);
  EXPECT_EQ(conflict->Focus.get(), &conflict->modifyButton);
  Press(Key::Right);
  simtv_clear_calls();
  Press(Key::Ok);
  EXPECT_FALSE(Listed(0x2000042));
  EXPECT_FALSE(Listed(0x2000038)) << "the owner goes back, which closes record options";
  EXPECT_FALSE(Called("XPM_SetTimer"));
  EXPECT_FALSE(Called("DB_Insert_Scheduled_Data"));
  EXPECT_TRUE(StoredEnabled(stored));
}

TEST_F(RecordTest, ModifyStoresTheOthersInactiveThenRecords) {
  auto* options = OpenOptions();
  options->DoActivate(&options->buttons[0]);
  listener->codes.clear();
  const int32_t stored = Model()->OnGetConflictTimerList()->Events[0]->TimerId;
  Press(Key::Ok);
  EXPECT_FALSE(StoredEnabled(stored));
  EXPECT_TRUE(StoredEnabled(Model()->OnGetActiveTimerId()));
  const std::vector<int32_t> expected = {Constants::MSG_UPDATE_ALL_SCHEDULES, Constants::MSG_RECORD_CURRENT_SHOW};
  EXPECT_EQ(listener->codes, expected);
  EXPECT_TRUE(Called("XPM_RECORDING_START_WITH_TRY 0 7 1"));
  EXPECT_FALSE(Listed(0x2000042));
}

TEST_F(RecordTest, ARefusedModifyLeavesTheOtherTimersActive) {
  auto* options = OpenOptions();
  options->DoActivate(&options->buttons[0]);
  // A length the set refuses: the save after the others were stored fails.
  Model()->OnSetTimerDuration(0);
  const int32_t stored = Model()->OnGetConflictTimerList()->Events[0]->TimerId;
  simtv_clear_calls();
  Press(Key::Ok);
  EXPECT_TRUE(StoredEnabled(stored)) << "stored active again";
  EXPECT_EQ(Model()->OnGetConflictTimerList()->Events[0]->Timer->Flag, 1);
  ASSERT_TRUE(Listed(kMessageBar)) << "the message takes the conflict dialog's layer";
  EXPECT_TRUE(Listed(0x2000038)) << "record options stay for another try";
  auto* bar = MainApp::GetWidgetManager()->FindForm(kMessageBar);
  EXPECT_EQ(static_cast<NonMenuSystem::WidgetClass*>(bar)->ParamValue, NonMenuSystem::DirectMsgTypeInvalidTimerDuration);
}

TEST_F(RecordTest, TheManualTimerStartsNowForAnHourAndNeedsAChannel) {
  RecordTimerDialog* dialog = OpenManualTimer();
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(Listed(0x2000038));
  EXPECT_EQ(Utf8(dialog->dateButton.Text), "Jun 15, 2011");
  EXPECT_EQ(Utf8(dialog->timeButton.Text), "07:30PM");
  EXPECT_EQ(Utf8(dialog->durationButton.Text), "01:00");
  EXPECT_TRUE(dialog->activeBox.IsChecked);
  EXPECT_EQ(Model()->OnGetEnableTimer(), 1);
  EXPECT_EQ(Model()->OnGetTimerStartEarly(), 0);
  EXPECT_FALSE(dialog->dateButton.Enabled) << "no dated repetition yet";
  simtv_clear_calls();
  dialog->DoneSlot();
  EXPECT_TRUE(ChangingCalls().empty()) << "a timer without a channel is not saved";
  auto* bar = static_cast<NonMenuSystem::WidgetClass*>(MainApp::GetWidgetManager()->FindForm(kMessageBar));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->ParamValue, NonMenuSystem::DirectMsgTypeInvalidTimerChannel);

  dialog->UpdateTimeSettings(12, 5, VgGetVariantOfString(&Strings::SID_AM));
  EXPECT_EQ(Model()->OnGetTimerStartTime()->Hour, 0);
  dialog->UpdateTimeSettings(12, 5, VgGetVariantOfString(&Strings::SID_PM));
  EXPECT_EQ(Model()->OnGetTimerStartTime()->Hour, 12);
  dialog->UpdateTimeSettings(8, 0, VgGetVariantOfString(&Strings::SID_PM));
  EXPECT_EQ(Model()->OnGetTimerStartTime()->Hour, 20);
  EXPECT_EQ(Utf8(dialog->timeButton.Text), "08:00PM");
}

TEST_F(RecordTest, AnEveryDayTimerAlreadyDueRecordsAtOnce) {
  simtv_tv_set_local_time(simtv_tv_local_time() + 40 * 60);  // 20:10
  RecordTimerDialog* dialog = OpenManualTimer();
  Model()->OnSetTimerTimesType(Constants::XPM_TIMER_TIMES_TYPE_EVERYDAY);
  Model()->OnSetTimerSource(29);
  Model()->OnSetTimerChannel(SkinBin::Wrapper::UniteChannelNum(7, 1));
  dialog->UpdateTimeSettings(8, 0, VgGetVariantOfString(&Strings::SID_PM));
  simtv_clear_calls();
  dialog->DoneSlot();
  EXPECT_FALSE(Listed(0x2000036));
  EXPECT_EQ(Model()->OnGetTimerDaysOfWeek(), 127);
  EXPECT_TRUE(Called("XPM_RECORDING_START_WITH_TRY 1 7 1"));
}

TEST_F(RecordTest, AStoredTimerWithoutRepetitionKeepsItThroughAnUpdate) {
  RecordTimerDialog* dialog = OpenManualTimer();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Model()->OnGetTimerTimesType(), Constants::XPM_TIMER_TIMES_TYPE_EVERYDAY) << "a new timer holds its row";
  const int32_t id = Model()->OnGetActiveTimerId();
  Model()->OnSetTimerTimesType(Constants::XPM_TIMER_TIMES_TYPE_NONE);
  Model()->OnSetTimerChannel(SkinBin::Wrapper::UniteChannelNum(7, 1));
  dialog->UpdateTimeSettings(10, 0, VgGetVariantOfString(&Strings::SID_PM));
  dialog->DoneSlot();
  XPM_TimerInfo info{};
  ASSERT_EQ(XPM_GetTimer(id, &info), 0);
  ASSERT_EQ(info.timesType, Constants::XPM_TIMER_TIMES_TYPE_NONE);

  // Opened again as the scheduled recordings open it.
  Model()->OnSetActiveTimerId(id);
  auto* edit = static_cast<RecordTimerDialog*>(
      Open(&RecordTimerDialog::Class, Constants::XPM_RECORD_SOURCE_TYPE_TIMER, Constants::MSG_FROM_NONMENUSYSTEM));
  ASSERT_NE(edit, nullptr);
  edit->EditTimer({.isUpdate = true, .start = Model()->OnGetTimerStartTime(), .durationSeconds = 3600});
  EXPECT_EQ(Utf8(edit->typeButton.Text), "") << "no repetition shows none";
  edit->DoneSlot();
  ASSERT_EQ(XPM_GetTimer(id, &info), 0);
  EXPECT_EQ(info.timesType, Constants::XPM_TIMER_TIMES_TYPE_NONE);
  EXPECT_EQ(info.start.tm_hour, 22);
}

TEST_F(RecordTest, AnInputChangeSwitchesTheRecordSourceUntilTheDialogCloses) {
  simtv_tv_set_tuner_channel(1, 0, 9, 1);
  RecordTimerDialog* dialog = OpenManualTimer();
  dialog->Close();
  EXPECT_FALSE(Called("xpm_setsource_record")) << "an input left alone is not given back";
  dialog = OpenManualTimer();
  Model()->OnSetTimerSource(29);
  simtv_clear_calls();
  dialog->OptionChanged(SkinBin::OPTION_TYPE_ONTIMER_INPUT);
  EXPECT_TRUE(Called("xpm_setsource_record 29"));
  EXPECT_EQ(Model()->OnGetTimerChannel(), SkinBin::Wrapper::UniteChannelNum(9, 1));
  EXPECT_EQ(Utf8(dialog->channelButton.Text), "9-1");
  const int32_t before = Model()->GetCurrentSource(0);
  simtv_clear_calls();
  dialog->Close();
  EXPECT_TRUE(Called("xpm_setsource_record " + std::to_string(before)));
}

TEST_F(RecordTest, TheDurationPopUpKeepsFiveMinutesAndWritesEveryChange) {
  RecordTimerDialog* dialog = OpenManualTimer();
  auto* popup = static_cast<TimerDurationDialog*>(Open(&TimerDurationDialog::Class));
  popup->Owner = dialog;
  popup->OnSetHourVal(1);
  popup->OnSetMinVal(3);
  popup->hours.OnSetCurrent(0);
  popup->ValueChanged();
  EXPECT_EQ(popup->minutes.Current, 5);
  EXPECT_EQ(Model()->OnGetTimerDuration(), 300);
  EXPECT_EQ(Utf8(dialog->durationButton.Text), "00:05");
  popup->hours.OnSetCurrent(23);
  popup->minutes.OnSetCurrent(59);
  popup->ValueChanged();
  EXPECT_EQ(Model()->OnGetTimerDuration(), 86340);
  popup->OnSetHourVal(1);
  popup->OnSetMinVal(30);
  EXPECT_EQ(popup->hours.Current, 1);
  EXPECT_EQ(popup->minutes.Current, 30);
  popup->hours.OnSetCurrent(0);
  popup->minutes.processDigit(1);
  EXPECT_EQ(popup->minutes.Current, 1) << "the first digit of 15 stays on screen";
  EXPECT_EQ(Model()->OnGetTimerDuration(), 300) << "while the timer keeps five minutes";
}

}  // namespace
