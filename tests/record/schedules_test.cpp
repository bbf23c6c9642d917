// The scheduled recordings on the set of the schedules fixture: 14:30 on
// Sunday 6 December 2026, "Evening News" recording now on the second tuner
// and "Matinee" once from 15:30 for 90 minutes, 15 minutes early and an hour
// late.
#include <gtest/gtest.h>

#include <string>

#include "Constants/Constants.h"
#include "Core/Keys.h"
#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "Record/ScheduledRecordDialog.h"
#include "SkinBin/RecordData.h"
#include "Strings.h"
#include "Structures/LocalTime.h"
#include "NonMenuSystem/DirectMessages.h"
#include "nonmenu_fixture.h"
#include "record_fixture.h"
#include "xpm.h"
#include "sim_calls.h"
#include "simtv.h"

namespace {

using namespace Record;

class Schedules : public NonMenuTest::NonMenuFixture {
 protected:
  void SetUp() override {
    NonMenuFixture::SetUp();
    ::RecordTest::LoadFixture("schedules.fixture");
  }
};

TEST_F(Schedules, TheSetKeepsTheRecordingRowWithItsStatus) {
  int32_t major = 0;
  int32_t minor = 0;
  EXPECT_EQ(simtv_tv_recording(1, &major, &minor), 1);
  SkinBin::DB_ScheduledInfo* schedule = VgNew<SkinBin::DB_ScheduledInfo>();
  schedule->GetEventInfoByCount(64);
  ASSERT_EQ(schedule->GetNumEvents(), 2);
  EXPECT_EQ(schedule->GetEvent(0)->State, 1);
  EXPECT_EQ(schedule->GetEvent(1)->State, 0);
}

TEST(ScheduleTexts, SpansMarginsAndMethods) {
  auto* start = VgNew<Structures::LocalTime>();
  start->Year = 126;
  start->Month = 11;
  start->Day = 6;
  start->Hour = 15;
  start->Minute = 30;
  EXPECT_EQ(VgStringToUtf8(ScheduleTimeText(4, start, 90 * 60)), "Sunday Dec 06, 2026 at 03:30PM - 05:00PM");
  start->Hour = 23;
  EXPECT_EQ(VgStringToUtf8(ScheduleTimeText(9, start, 60 * 60)), " at 11:30PM - 12:30AM")
      << "an unknown repetition leaves only the span, which wraps past midnight";
  EXPECT_EQ(VgStringToUtf8(StartEarlyText(0)), "On Time");
  EXPECT_EQ(VgStringToUtf8(StartEarlyText(10 * 60)), "10 min. Early");
  EXPECT_EQ(VgStringToUtf8(StartEarlyText(15 * 60)), "") << "more than the choices offer";
  EXPECT_EQ(VgStringToUtf8(EndDelayText(60 * 60)), "60 min. Delay");
  EXPECT_EQ(VgStringToUtf8(EndDelayText(61 * 60)), "");
  EXPECT_EQ(VgStringToUtf8(RecordingMethodText(2)), "Guide");
  EXPECT_EQ(VgStringToUtf8(RecordingMethodText(3)), "");
}

class ScheduleScreen : public Schedules {
 protected:
  ScheduledRecordDialog* OpenSchedules() {
    auto* dialog = static_cast<ScheduledRecordDialog*>(Open(&ScheduledRecordDialog::Class));
    // The list tells of its focused row in the signal pass after next.
    VgProcessSignals();
    VgProcessSignals();
    return dialog;
  }
  static bool Called(const std::string& prefix) {
    for (const std::string& call : RecordedCalls())
      if (call.rfind(prefix, 0) == 0) return true;
    return false;
  }
};

TEST_F(ScheduleScreen, AScheduleThatStartedRecordingWhileAskedIsNotDeleted) {
  ScheduledRecordDialog* dialog = OpenSchedules();
  Press(Key::Down);
  Press(Key::Red);
  ASSERT_GE(dialog->DeletingTimerId, 0) << "the confirmation asks about Matinee";
  // Matinee starts recording on the first tuner before the viewer answers.
  XPM_Set_Timer_Record_Valid(0, 1, dialog->DeletingTimerId, 0);
  XPM_RECORDING_START_WITH_TRY(0, 7, 1, 0, 1);
  simtv_clear_calls();
  Press(Key::Ok);
  EXPECT_FALSE(Called("XPM_Delete_Scheduled_Show"));
  EXPECT_FALSE(Called("XPM_ResetTimer"));
  auto* bar = static_cast<NonMenuSystem::WidgetClass*>(MainApp::GetWidgetManager()->FindForm(0x2000009));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->ParamValue, NonMenuSystem::DirectMsgTypeDeleteInRecording);
}

TEST_F(ScheduleScreen, DeletingTheLastScheduleEmptiesEveryDetail) {
  // Taking the disk out ends the recording; its row stays, showing why,
  // until the viewer deletes it.
  simtv_usb_remove();
  simtv_tv_set_local_time(simtv_tv_local_time() + 60);
  ScheduledRecordDialog* dialog = OpenSchedules();
  ASSERT_EQ(dialog->ScheduleList.GetItemsNum(), 2);
  SkinBin::DB_ScheduledInfo* schedule = VgNew<SkinBin::DB_ScheduledInfo>();
  schedule->GetEventInfoByCount(64);
  ASSERT_EQ(schedule->GetNumEvents(), 2);
  EXPECT_EQ(schedule->GetEvent(0)->State, Constants::XPM_RECORD_STATUS_USB_NOT_CONNECT);
  Press(Key::Red);
  Press(Key::Ok);
  ASSERT_EQ(dialog->ScheduleList.GetItemsNum(), 1);
  EXPECT_EQ(Utf8(dialog->infoValues[5].String), "Active");
  Press(Key::Red);
  Press(Key::Ok);
  EXPECT_EQ(dialog->ScheduleList.GetItemsNum(), 0);
  for (int32_t i = 0; i < 6; ++i) EXPECT_EQ(Utf8(dialog->infoValues[i].String), "") << "detail " << i;
}

}  // namespace
