// The guide's programme lists: the full guide's column in its dialog, paging
// the guide data in under the waiting circle, the timer dialog and the
// messages of its OK key, the timers of an analogue channel and the deletion
// of a programme's timer; the mini guide's three rows; a golden picture of the
// column (golden/guide_column.png).
#include <gtest/gtest.h>

#include <string>

#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Channels/FullEPGDialog.h"
#include "Constants/Constants.h"
#include "Core/Keys.h"
#include "ListForm/GuideProgramLists.h"
#include "Resources/Bitmap.h"
#include "Structures/Message.h"
#include "db.h"
#include "golden.h"
#include "recording_host.h"
#include "simtv.h"
#include "vgresmap.h"

namespace {

std::string Utf8(VgString s) { return VgStringToUtf8(s); }

bool Shows(const Views::Image& icon, const VgConstant& bitmap) {
  return icon.Visible && icon.Bitmap.get() == VgLoad<Resources::Bitmap>(bitmap);
}

class Guide : public RecordingTest::RecordingFixture {
 protected:
  // The programmes from the one on the air now.
  static int64_t OnAir() { return Now() - 600; }

  ListForm::EPGProgramList* Column(int32_t major, int32_t minor) {
    auto* list = VgNew<ListForm::EPGProgramList>();
    list->OnProgramChanged = host->Recorder("OnProgramChanged");
    EmbedIn(&Channels::FullEPGDialog::Class, list, 2);
    auto* channel = VgNew<Structures::VirtualChannel>();
    channel->Major = major;
    channel->Minor = minor;
    list->OnSetm_channel(channel);
    VgProcessSignals();
    return list;
  }

  ListForm::EPGProgramListItem* Row(int32_t i) const {
    return vg_cast<ListForm::EPGProgramListItem>(embedded->GetCtrlAt(i));
  }
};

TEST_F(Guide, TheColumnLoadsAPageWhenTheFocusPassesTheLastProgrammeRead) {
  AddProgrammes(7, 1, 20, OnAir());
  ListForm::EPGProgramList* list = Column(7, 1);
  EXPECT_EQ(list->ItemNum, 8);
  EXPECT_EQ(list->DataSource->Num, 8);
  EXPECT_EQ(Utf8(Row(0)->Text), "Programme 0");
  EXPECT_EQ(Utf8(Row(1)->dateText.String), "Jan 03");
  EXPECT_EQ(Utf8(Row(1)->timeText.String), "08:20PM");
  EXPECT_FALSE(Row(1)->recordIcon.Visible);
  EXPECT_EQ(Utf8(list->FocusTitle), "Programme 0");

  for (int i = 0; i < 7; ++i) Press(Key::Down);
  ASSERT_EQ(Cursor(), 7);
  EXPECT_EQ(system->waitingCircle.get(), nullptr);
  Press(Key::Down);
  EXPECT_TRUE(CircleCameAndWent());
  EXPECT_EQ(list->DataSource->Num, 16);
  EXPECT_EQ(Cursor(), 8);
  EXPECT_EQ(Focused(), 7);
  EXPECT_EQ(Utf8(list->FocusTitle), "Programme 8");
  EXPECT_EQ(list->FocusIndex, 8);
  EXPECT_EQ(list->FocusDuration, 30);

  // Page down at the end loads the last page too; then nothing is left.
  Press(Key::PageDown);
  Press(Key::PageDown);
  EXPECT_EQ(list->DataSource->Num, 20);
  EXPECT_EQ(Cursor(), 19);
  EXPECT_TRUE(model->OnGetEPGProgramList()->EndReached);
}

TEST_F(Guide, AtTheGuidesEndTheLastProgrammeIsTheLast) {
  AddProgrammes(7, 1, 8, OnAir());
  ListForm::EPGProgramList* list = Column(7, 1);
  ASSERT_TRUE(model->OnGetEPGProgramList()->EndReached);
  for (int i = 0; i < 7; ++i) Press(Key::Down);
  Press(Key::Down);
  Press(Key::PageDown);
  EXPECT_EQ(Cursor(), 7);
  EXPECT_EQ(system->waitingCircle.get(), nullptr) << "nothing was loaded";
  EXPECT_EQ(list->DataSource->Num, 8);
  Press(Key::Up);
  EXPECT_EQ(Cursor(), 6);
}

TEST_F(Guide, OkAsksForTheGuideTimerDialogWithTheProgramme) {
  AddProgrammes(7, 1, 4, OnAir());
  Column(7, 1);
  Press(Key::Ok);
  RecordingTest::TimerDialog* now = Opened<Record::EPGRecordTimerDialog>();
  ASSERT_NE(now, nullptr);
  EXPECT_EQ(now->ParamValue, 3) << "the programme on the air";
  EXPECT_EQ(now->ParamKind, Constants::MSG_FROM_NONMENUSYSTEM);
  EXPECT_FALSE(now->last.isUpdate);
  EXPECT_FALSE(now->last.canDelete);
  EXPECT_EQ(now->last.durationSeconds, 1800);
  EXPECT_EQ(now->startSeconds, OnAir());
  EXPECT_EQ(Utf8(now->caption), "Programme 0");
  const int32_t free = model->OnGetActiveTimerId();
  EXPECT_GE(free, 0) << "a free timer id is the one being edited";

  now->Close();
  system->OnSetFocus(screen);
  Press(Key::Down);
  Press(Key::Ok);
  RecordingTest::TimerDialog* later = Opened<Record::EPGRecordTimerDialog>();
  ASSERT_NE(later, nullptr);
  EXPECT_EQ(later->ParamValue, 2);
}

TEST_F(Guide, AnAnaloguesTimersShowAndADisabledWeeklyTimerOpensForUpdate) {
  AddProgrammes(4, -1, 4, OnAir());
  AddTimer({.id = 6, .major = 4, .minor = -1, .start = OnAir() + 1800, .timesType = 5, .enabled = false});
  ListForm::EPGProgramList* list = Column(4, -1);
  EXPECT_TRUE(Shows(Row(1)->recordIcon, Bitmaps::EPG_RecordTypeWeekly0));
  EXPECT_FALSE(Row(0)->recordIcon.Visible);

  Press(Key::Down);
  Press(Key::Ok);
  RecordingTest::TimerDialog* dialog = Opened<Record::EPGRecordTimerDialog>();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->last.isUpdate);
  EXPECT_TRUE(dialog->last.canDelete);
  EXPECT_EQ(model->OnGetActiveTimerId(), 6);

  // The viewer deletes the timer from the dialog: the confirmation tells every list.
  auto* message = VgNew<Structures::Message>();
  message->Code = Constants::MSG_DELETE_ITEM;
  message->Param = Constants::DELETE_SCHEDULED_RECORD;
  list->HandleMessage(message);
  EXPECT_TRUE(Row(1)->recordIcon.Visible) << "another kind of item";
  message->Param = Constants::DELETE_EPG_RECORD;
  model->OnSetActiveTimerId(3);
  list->HandleMessage(message);
  EXPECT_TRUE(Row(1)->recordIcon.Visible) << "the dialog deleted another programme's timer";
  EXPECT_EQ(simtv_db_timer_id_out(6), 1);
  model->OnSetActiveTimerId(6);
  list->HandleMessage(message);
  EXPECT_FALSE(Row(1)->recordIcon.Visible);
  EXPECT_EQ(simtv_db_timer_id_out(6), 0);
  DB_ScheduledShow row{};
  EXPECT_NE(DB_Get_Scheduled_Show_By_Timer_Id(6, &row), 0);

  // A programme without a timer gives up none, however often it is told.
  const int32_t scheduled = simtv_db_scheduled_count();
  list->HandleMessage(message);
  EXPECT_EQ(simtv_db_scheduled_count(), scheduled);
}

TEST_F(Guide, ASavedTimerShowsOnItsProgramme) {
  AddProgrammes(7, 1, 4, OnAir());
  ListForm::EPGProgramList* list = Column(7, 1);
  Press(Key::Down);
  AddTimer({.id = 9, .start = OnAir() + 1800, .timesType = 1});
  auto* message = VgNew<Structures::Message>();
  message->Code = Constants::MSG_UPDATE_RECORD_TYPE;
  list->HandleMessage(message);
  EXPECT_TRUE(Shows(Row(1)->recordIcon, Bitmaps::EPG_RecordTypeEveryday));
  EXPECT_EQ(Row(1)->TimerId, 9);
}

TEST_F(Guide, WithoutAFreeTimerIdANewTimerIsRefused) {
  AddProgrammes(7, 1, 4, OnAir());
  Column(7, 1);
  for (int32_t id = 0; id < DB_TIMER_ID_COUNT; ++id) DB_Check_Out_Timer_Id(id);
  Press(Key::Ok);
  EXPECT_EQ(MessageShown(), 44);
  EXPECT_EQ(Opened<Record::EPGRecordTimerDialog>(), nullptr);
}

TEST_F(Guide, TheColumnPicture) {
  AddProgrammes(7, 1, 10, OnAir());
  AddTimer({.id = 3, .start = OnAir() + 3600, .timesType = 4});
  AddTimer({.id = 4, .start = OnAir() + 5400, .timesType = 2, .enabled = false});
  Column(7, 1);
  Press(Key::Down);
  Press(Key::Down);
  ExpectGolden(ViewsTest::Pixels(Render()), ListTest::GoldenPath("guide_column.png"));
}

// --------------------------------------------------------------- mini guide

TEST_F(Guide, TheMiniGuideShowsThreeRowsOfTheChannelWatchedUpToItsTenth) {
  Watch(7, 1);
  AddProgrammes(7, 1, 12, OnAir());
  AddTimer({.id = 2, .start = OnAir() + 1800, .timesType = 4});
  auto* list = VgNew<ListForm::MiniGuideList>();
  list->OnProgramChanged = host->Recorder("OnProgramChanged");
  Embed(list);
  EXPECT_EQ(list->ItemNum, 3);
  EXPECT_EQ(list->DataSource->Num, 10);
  auto* row = vg_cast<ListForm::MiniGuideListItem>(list->GetCtrlAt(1));
  EXPECT_EQ(Utf8(row->timeText.String), "08:20PM");
  EXPECT_TRUE(Shows(row->recordIcon, Bitmaps::EPG_RecordTypeOnce));
  EXPECT_EQ(Utf8(list->FocusTitle), "Programme 0");

  for (int i = 0; i < 5; ++i) Press(Key::PageDown);
  EXPECT_EQ(Cursor(), 9);
  EXPECT_EQ(Utf8(list->FocusTitle), "Programme 9");
}

TEST_F(Guide, AMiniGuideWithoutProgrammesSaysSoInOneRow) {
  Watch(7, 1);
  Embed(VgNew<ListForm::MiniGuideList>());
  EXPECT_EQ(Texts(), std::vector<std::string>{"No Information Available"});
  auto* row = vg_cast<ListForm::MiniGuideListItem>(embedded->GetCtrlAt(0));
  EXPECT_FALSE(row->recordIcon.Visible);
  EXPECT_EQ(Utf8(row->timeText.String), "");
}

}  // namespace
