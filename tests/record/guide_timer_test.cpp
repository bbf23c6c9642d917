// The guide's timer dialog on the set of the guide timer fixture: 20:00 on
// Sunday 6 December 2026, "News" on the air on channel 7-1, watched through
// the second tuner.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Constants/Constants.h"
#include "Core/Keys.h"
#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "Record/EPGRecordTimerDialog.h"
#include "Structures/LocalTime.h"
#include "Strings.h"
#include "Structures/TimerData.h"
#include "nonmenu_fixture.h"
#include "record_fixture.h"
#include "sim_calls.h"
#include "simtv.h"
#include "xpm.h"

namespace {

using Record::EPGRecordTimerDialog;

constexpr int32_t kConfirmDialog = 0x2000005;

class GuideTimer : public NonMenuTest::NonMenuFixture {
 protected:
  void SetUp() override {
    NonMenuFixture::SetUp();
    ::RecordTest::LoadFixture("guide_timer.fixture");
  }

  SkinBin::Wrapper* Model() { return MainApp::GetWrapper(); }

  // The dialog as the guide opens it for a programme of today at 20:00.
  EPGRecordTimerDialog* OpenFor(int32_t sourceType, const ListForm::TimerEdit& edit) {
    auto* dialog = static_cast<EPGRecordTimerDialog*>(Open(&EPGRecordTimerDialog::Class, sourceType));
    dialog->EditTimer(edit);
    VgProcessSignals();
    return dialog;
  }

  Structures::LocalTime* At2000() {
    Structures::LocalTime* now = Model()->GetCurrentTime(0);
    now->Hour = 20;
    now->Minute = 0;
    return now;
  }

  static XPM_TimerInfo Stored(int32_t id) {
    XPM_TimerInfo info{};
    XPM_GetTimer(id, &info);
    return info;
  }
};

TEST_F(GuideTimer, ANewTimerRecordsTheChannelOnAirThroughItsTuner) {
  ASSERT_GE(Model()->GetFirstAvailableTimerId(), 0);
  const int32_t id = Model()->OnGetActiveTimerId();
  auto* dialog = OpenFor(2, {.start = At2000(), .durationSeconds = 3600, .caption = VgNewStringAnsi("News")});
  EXPECT_EQ(Utf8(dialog->OnGetCaption()), "News");
  EXPECT_EQ(Utf8(dialog->range.String), "08:00PM - 09:00PM");
  EXPECT_FALSE(dialog->deleteButton.Visible);
  EXPECT_FALSE(dialog->deleteButton.Enabled);
  dialog->DoneSlot();
  EXPECT_FALSE(Listed(0x2000037));
  const XPM_TimerInfo info = Stored(id);
  EXPECT_EQ(info.source, 29) << "the second tuner";
  EXPECT_EQ(info.major, 7);
  EXPECT_EQ(info.minor, 1);
  EXPECT_EQ(info.mapId, Model()->OnGetAntCableIn());
  EXPECT_EQ(info.sourceType, 2);
  EXPECT_NE(std::find(listener->codes.begin(), listener->codes.end(), Constants::MSG_UPDATE_RECORD_TYPE),
            listener->codes.end());
}

TEST_F(GuideTimer, TheProgrammeOnAirRecordsAsSoonAsItIsSaved) {
  ASSERT_GE(Model()->GetFirstAvailableTimerId(), 0);
  auto* dialog = OpenFor(3, {.start = At2000(), .durationSeconds = 3600});
  simtv_clear_calls();
  dialog->DoneSlot();
  const std::vector<std::string> calls = RecordedCalls();
  EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [](const std::string& call) {
    return call.rfind("XPM_RECORDING_START_WITH_TRY 1 7 1", 0) == 0;
  })) << "on the second tuner";
  EXPECT_NE(std::find(listener->codes.begin(), listener->codes.end(), Constants::MSG_RECORD_CURRENT_SHOW),
            listener->codes.end());
}

TEST_F(GuideTimer, AnUpdateKeepsTheStoredSourceChannelAndMargins) {
  ASSERT_GE(Model()->GetFirstAvailableTimerId(), 0);
  const int32_t id = Model()->OnGetActiveTimerId();
  auto* first = OpenFor(2, {.start = At2000(), .durationSeconds = 3600});
  Model()->OnSetTimerSource(0);
  Model()->OnSetTimerChannel(SkinBin::Wrapper::UniteChannelNum(9, 1));
  Model()->OnSetTimerStartEarly(300);
  Model()->OnSetTimerEndDelay(1800);
  first->DoneSlot();

  Model()->OnSetActiveTimerId(id);
  auto* dialog = OpenFor(2, {.isUpdate = true, .canDelete = true, .start = At2000(), .durationSeconds = 3600});
  EXPECT_EQ(Utf8(dialog->doneButton.Text), Text(Strings::SID_UPDATE));
  EXPECT_EQ(dialog->doneButton.Bounds.x1, EPGRecordTimerDialog::DoneBesideDeleteX);
  EXPECT_EQ(dialog->deleteButton.Bounds.x1, EPGRecordTimerDialog::DeleteX);
  EXPECT_EQ(dialog->deleteButton.Bounds.y1, dialog->doneButton.Bounds.y1);
  dialog->DoneSlot();
  const XPM_TimerInfo info = Stored(id);
  EXPECT_EQ(info.source, 0);
  EXPECT_EQ(info.major, 9);
  EXPECT_EQ(info.startEarly, 300);
  EXPECT_EQ(info.endDelay, 1800);
}

TEST_F(GuideTimer, AnUpdateShowsAndKeepsValuesThatNoChoiceNames) {
  ASSERT_GE(Model()->GetFirstAvailableTimerId(), 0);
  const int32_t id = Model()->OnGetActiveTimerId();
  auto* first = OpenFor(2, {.start = At2000(), .durationSeconds = 3600});
  Model()->OnSetTimerTimesType(Constants::XPM_TIMER_TIMES_TYPE_NONE);
  Model()->OnSetTimerStartEarly(900);
  Model()->OnSetTimerEndDelay(7200);
  first->DoneSlot();
  ASSERT_EQ(Stored(id).timesType, Constants::XPM_TIMER_TIMES_TYPE_NONE);

  Model()->OnSetActiveTimerId(id);
  auto* dialog = OpenFor(2, {.isUpdate = true, .canDelete = true, .start = At2000(), .durationSeconds = 3600});
  EXPECT_EQ(Utf8(dialog->typeButton.Text), "");
  EXPECT_EQ(Utf8(dialog->startEarlyButton.Text), "15 mins -");
  EXPECT_EQ(Utf8(dialog->endDelayButton.Text), "120 mins +");
  dialog->DoneSlot();
  const XPM_TimerInfo info = Stored(id);
  EXPECT_EQ(info.timesType, Constants::XPM_TIMER_TIMES_TYPE_NONE);
  EXPECT_EQ(info.startEarly, 900);
  EXPECT_EQ(info.endDelay, 7200);

  // A new timer still takes the first choice where the set gives none.
  ASSERT_GE(Model()->GetFirstAvailableTimerId(), 0);
  auto* fresh = OpenFor(2, {.start = At2000(), .durationSeconds = 3600});
  EXPECT_EQ(Utf8(fresh->typeButton.Text), "Everyday");
  EXPECT_EQ(Model()->OnGetTimerTimesType(), Constants::XPM_TIMER_TIMES_TYPE_EVERYDAY);
}

TEST_F(GuideTimer, DeleteAsksAndYesTellsEveryoneToDeleteTheGuideTimer) {
  ASSERT_GE(Model()->GetFirstAvailableTimerId(), 0);
  auto* dialog = OpenFor(2, {.isUpdate = true, .canDelete = true, .start = At2000(), .durationSeconds = 3600});
  dialog->OnSetFocus(&dialog->doneButton);
  Press(Key::Right);
  EXPECT_EQ(dialog->Focus.get(), &dialog->deleteButton);
  Press(Key::Up);
  EXPECT_EQ(dialog->Focus.get(), &dialog->endDelayButton) << "up from the buttons skips the active box";
  dialog->OnSetFocus(&dialog->deleteButton);
  Press(Key::Ok);
  EXPECT_FALSE(Listed(0x2000037));
  ASSERT_TRUE(Listed(kConfirmDialog));
  listener->codes.clear();
  listener->params.clear();
  Press(Key::Ok);
  const auto at = std::find(listener->codes.begin(), listener->codes.end(), Constants::MSG_DELETE_ITEM);
  ASSERT_NE(at, listener->codes.end());
  EXPECT_EQ(listener->params[size_t(at - listener->codes.begin())], 4);
}

}  // namespace
