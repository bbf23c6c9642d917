#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "SkinBin/RecordData.h"
#include "model_test_support.h"

namespace ModelTest {
namespace {

using namespace SkinBin;

class Recordings : public SimulatedSet {
 protected:
  void Schedule(int32_t timerId, int32_t start, const char* title = "Show") {
    DB_ScheduledShow show{};
    show.enabled = 1;
    show.startTime = start;
    show.duration = 1800;
    std::snprintf(show.title, sizeof show.title, "%s", title);
    DB_Insert_Scheduled_Data(timerId, &show);
  }

  int32_t Record(const char* path, const char* title) {
    XPM_RecordedShow show{};
    std::snprintf(show.title, sizeof show.title, "%s", title);
    show.startTime = kNow - 86400;
    show.recordTime = kNow - 86400;
    show.duration = 3600;
    return simtv_tv_add_recording(path, &show);
  }
};

TEST_F(Recordings, ScheduledShowsFillAtMostFortySlots) {
  for (int32_t i = 0; i < 50; ++i) Schedule(i, int32_t(kNow) + 600 * (i + 1));
  auto* list = VgNew<DB_ScheduledInfo>();
  list->GetEventInfoByCount(64);
  EXPECT_EQ(list->GetNumEvents(), DB_ScheduledInfo::kCapacity);
  list->GetEventInfoByCount(5);
  EXPECT_EQ(list->GetNumEvents(), 5);
  EXPECT_EQ(list->Events[5], nullptr);  // the earlier, longer load is gone
}

TEST_F(Recordings, PassedShowsAreDeletedAndTheRestComeInOrder) {
  Schedule(3, int32_t(kNow) - 60, "Passed");
  Schedule(4, int32_t(kNow) + 7200, "Later");
  Schedule(5, int32_t(kNow) + 3600, "Sooner");
  auto* list = VgNew<DB_ScheduledInfo>();
  list->GetEventInfoByCount(10);
  ASSERT_EQ(list->GetNumEvents(), 2);
  EXPECT_EQ(Utf8(list->GetEvent(0)->Title), "Sooner");
  EXPECT_EQ(list->GetEvent(0)->TimerId, 5);
  EXPECT_TRUE(list->GetEvent(0)->Enabled);
  EXPECT_EQ(list->GetEvent(0)->StartTime.get(), nullptr);
  ASSERT_NE(list->GetEvent(0)->RecordTime.get(), nullptr);
  EXPECT_EQ(list->GetEvent(0)->RecordTime->Hour, 13);
  EXPECT_EQ(list->GetEvent(0)->RecordTime->Day, 15);
  EXPECT_EQ(simtv_db_scheduled_count(), 2);
}

TEST_F(Recordings, ShowsOfTwoTunersStartingTogetherAreBothListed) {
  Schedule(1, int32_t(kNow) + 600, "Tuner one");
  Schedule(2, int32_t(kNow) + 600, "Tuner two");
  Schedule(3, int32_t(kNow) + 1200, "After");
  auto* list = VgNew<DB_ScheduledInfo>();
  list->GetEventInfoByCount(10);
  ASSERT_EQ(list->GetNumEvents(), 3);
  EXPECT_EQ(Utf8(list->GetEvent(1)->Title), "Tuner two");
}

TEST_F(Recordings, RecordedShowsStopAtAThousand) {
  for (int32_t i = 0; i < 1200; ++i) Record("/mnt/usb/sda1", "Show");
  auto* list = VgNew<DB_RecordedInfo>();
  list->GetEventInfoByCount();
  EXPECT_EQ(list->GetNumEvents(), DB_RecordedInfo::kCapacity);
  EXPECT_EQ(list->GetEvent(999)->RecordId, 1000);
}

TEST_F(Recordings, BriefModeKeepsThreeShows) {
  for (int32_t i = 0; i < 10; ++i) Record("/mnt/usb/sda1", "Show");
  auto* list = VgNew<DB_RecordedInfo>();
  list->Brief = true;
  list->GetEventInfoByCount();
  EXPECT_EQ(list->GetNumEvents(), 3);

  simtv_tv_clear_recordings();
  Record("/mnt/usb/sda1", "One");
  Record("/mnt/usb/sda1", "Two");
  list->GetEventInfoByCount();
  EXPECT_EQ(list->GetNumEvents(), 2);
  EXPECT_EQ(list->Events[2], nullptr);
}

TEST_F(Recordings, AnUnreadableShowLeavesAnEmptySlotAtItsIndex) {
  Record("/mnt/usb/sda1", "First");
  const int32_t broken = Record("/mnt/usb/sda1", "Broken");
  Record("/mnt/usb/sda1", "Third");
  simtv_tv_set_recording_unreadable(broken, 1);
  auto* list = VgNew<DB_RecordedInfo>();
  list->GetEventInfoByCount();
  ASSERT_EQ(list->GetNumEvents(), 3);
  EXPECT_EQ(list->GetEvent(1), nullptr);
  ASSERT_NE(list->GetEvent(2), nullptr);
  EXPECT_EQ(Utf8(list->GetEvent(2)->Title), "Third");
}

TEST_F(Recordings, AFailedListReadGivesAnEmptyList) {
  Record("/mnt/usb/sda1", "Show");
  simtv_fail("XPM_Get_All_Recorded_Show_Counts", 4, 1);
  auto* list = VgNew<DB_RecordedInfo>();
  list->GetEventInfoByCount();
  EXPECT_EQ(list->GetNumEvents(), 0);
}

TEST_F(Recordings, PlaybackListHoldsTheShowsOfItsPath) {
  Record("/mnt/usb/sda1", "On the first disk");
  Record("/mnt/usb/sdb1", "On the second disk");
  auto* list = VgNew<DB_RecordPlaybackInfo>();
  list->Path = VgNewStringAnsi("/mnt/usb/sdb1");
  list->GetEventInfoByCount();
  ASSERT_EQ(list->GetNumEvents(), 1);
  EXPECT_EQ(Utf8(list->GetEvent(0)->Title), "On the second disk");
  EXPECT_EQ(list->GetEvent(0)->RecordId, 2);

  // A path longer than the 64 bytes the recorder takes matches nothing.
  list->Path = VgNewStringAnsi(std::string(80, 'x').c_str());
  list->GetEventInfoByCount();
  EXPECT_EQ(list->GetNumEvents(), 0);
}

TEST_F(Recordings, TextsThatFillTheirBuffersAreCutAtTheBuffer) {
  XPM_RecordedShow show{};
  std::memset(show.title, 'T', sizeof show.title);  // no terminating zero
  simtv_tv_add_recording("/mnt/usb/sda1", &show);
  auto* list = VgNew<DB_RecordedInfo>();
  list->GetEventInfoByCount();
  ASSERT_NE(list->GetEvent(0), nullptr);
  EXPECT_EQ(VgGetStringLength(list->GetEvent(0)->Title), XPM_RECORD_TITLE_SIZE);
}

TEST_F(Recordings, MountPointsAndConflictFlags) {
  simtv_tv_set_mount_points(2, "/mnt/usb/sda1", "/mnt/usb/sdb1");
  auto* mounted = VgNew<USBMountedInfo>();
  mounted->GetUSBMountedPoints();
  EXPECT_EQ(mounted->GetMountedNum(), 2);
  EXPECT_EQ(Utf8(mounted->MountPoints[1]), "/mnt/usb/sdb1");
  simtv_tv_set_mount_points(0, nullptr, nullptr);
  mounted->GetUSBMountedPoints();
  EXPECT_EQ(mounted->GetMountedNum(), 0);
  EXPECT_TRUE(mounted->MountPoints[0].empty());

  auto* conflicts = VgNew<ConflictTimerInfo>();
  for (int32_t i = 0; i < 3; ++i) {
    conflicts->Events[size_t(i)] = VgNew<ConflictTimerData>();
    if (i != 1) conflicts->Events[size_t(i)]->Timer = VgNew<Structures::TimerData>();
  }
  conflicts->NumEvents = 2;
  conflicts->SetTimerActiveState(true);
  EXPECT_EQ(conflicts->Events[0]->Timer->Flag, 1);
  EXPECT_EQ(conflicts->Events[2]->Timer->Flag, 0);  // beyond the count
}

}  // namespace
}  // namespace ModelTest
