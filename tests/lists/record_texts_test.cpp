// The texts and icons of the recording and guide rows, and the file name
// below the disk's mount path.
#include <gtest/gtest.h>

#include <string>

#include "Bitmaps.h"
#include "ListForm/RecordTexts.h"
#include "ListForm/RecordedShowsList.h"
#include "Strings.h"
#include "Structures/LocalTime.h"
#include "list_host.h"

namespace {

namespace Texts = ListForm::RecordTexts;

std::string Utf8(VgString s) { return VgStringToUtf8(s); }

Structures::LocalTime* At(int32_t hour, int32_t minute, int32_t weekday = 0, int32_t month = 0, int32_t day = 3) {
  auto* t = VgNew<Structures::LocalTime>();
  t->Hour = hour;
  t->Minute = minute;
  t->WeekDay = weekday;
  t->Month = month;
  t->Day = day;
  return t;
}

class RecordTexts : public ListTest::ListFixture {};

TEST_F(RecordTexts, LengthsDatesAndTimes) {
  EXPECT_EQ(Utf8(Texts::Length(59)), "00:00");
  EXPECT_EQ(Utf8(Texts::Length(3600)), "01:00");
  EXPECT_EQ(Utf8(Texts::Length(3900)), "01:05");
  EXPECT_EQ(Utf8(Texts::Length(36000)), "10:00");
  EXPECT_EQ(Utf8(Texts::Length(360000)), "100:00") << "hours are not cut to two digits";
  EXPECT_EQ(Utf8(Texts::Length(-60)), "00:00");

  EXPECT_EQ(Utf8(Texts::ClockTime(At(0, 5))), "12:05AM");
  EXPECT_EQ(Utf8(Texts::ClockTime(At(12, 0))), "12:00PM");
  EXPECT_EQ(Utf8(Texts::ClockTime(At(23, 59))), "11:59PM");
  EXPECT_EQ(Texts::ClockTime(nullptr), nullptr);

  EXPECT_EQ(Utf8(Texts::WeekdayMonthDay(At(21, 0))), "Sun, Jan 03");
  EXPECT_EQ(Utf8(Texts::MonthDay(At(12, 30, 3, 11, 30))), "Dec 30");
  // A corrupt time names no month rather than another's.
  EXPECT_EQ(Utf8(Texts::MonthDay(At(0, 0, 0, 12, 1))), " 01");
  EXPECT_EQ(Texts::MonthDay(nullptr), nullptr);
}

TEST_F(RecordTexts, ChannelNumbersAndTheNoInformationRow) {
  UseModel();
  EXPECT_EQ(Utf8(Texts::ChannelNumber(-2, -2)), "---");
  EXPECT_EQ(Utf8(Texts::ChannelNumber(4, -1)), "4");
  EXPECT_EQ(Utf8(Texts::ChannelNumber(7, 0)), "7-0");
  EXPECT_EQ(Utf8(Texts::ChannelNumber(101, 2)), "101-2");
  EXPECT_EQ(Utf8(Texts::NoInformation()), "No Information Available");
}

TEST_F(RecordTexts, MarginsInWholeMinutesWithinTheirBounds) {
  const struct {
    int32_t seconds;
    const char* early;
    const char* late;
  } rows[] = {{0, "On Time", "On Time"},   {59, "On Time", "On Time"},   {60, "1 min -", "1 min +"},
              {119, "1 min -", "1 min +"}, {300, "5 mins -", "5 mins +"}, {600, "10 mins -", "10 mins +"},
              {660, "", "11 mins +"},      {3600, "", "60 mins +"},      {3660, "", ""},
              {-120, "", ""}};
  for (const auto& row : rows) {
    EXPECT_EQ(Utf8(Texts::StartEarly(row.seconds)), row.early) << row.seconds;
    EXPECT_EQ(Utf8(Texts::EndDelay(row.seconds)), row.late) << row.seconds;
  }
}

TEST_F(RecordTexts, StateRepetitionAndTunerIcons) {
  EXPECT_EQ(Texts::RecordedStateIcon(19), &Bitmaps::RecordStatusWillRecord);
  EXPECT_EQ(Texts::RecordedStateIcon(3), &Bitmaps::RecordStatusStop);
  EXPECT_EQ(Texts::RecordedStateIcon(1), nullptr);

  EXPECT_EQ(Texts::ScheduleStateIcon(1), &Bitmaps::RecordStatusInRecording);
  EXPECT_EQ(Texts::ScheduleStateIcon(4), &Bitmaps::RecordStatusNoUSB);
  EXPECT_EQ(Texts::ScheduleStateIcon(5), &Bitmaps::RecordStatusNoSize);
  for (int32_t status = 6; status <= 12; ++status)
    EXPECT_EQ(Texts::ScheduleStateIcon(status), &Bitmaps::RecordStatusFailed) << status;
  EXPECT_EQ(Texts::ScheduleStateIcon(18), &Bitmaps::RecordStatusWillRecord);
  for (int32_t status : {0, 2, 3, 13, 17, 19})
    EXPECT_EQ(Texts::ScheduleStateIcon(status), nullptr) << status;

  EXPECT_EQ(Texts::TunerIcon(0), &Bitmaps::BannerRF1Input);
  EXPECT_EQ(Texts::TunerIcon(1), &Bitmaps::BannerRF2Input);

  const Texts::IconChange none = Texts::RepetitionIcon(0);
  EXPECT_TRUE(none.change);
  EXPECT_EQ(none.bitmap, nullptr);
  EXPECT_EQ(Texts::RepetitionIcon(1).bitmap, &Bitmaps::EPG_RecordTypeEveryday);
  EXPECT_EQ(Texts::RepetitionIcon(4).bitmap, &Bitmaps::EPG_RecordTypeOnce);
  EXPECT_EQ(Texts::RepetitionIcon(5, false).bitmap, &Bitmaps::EPG_RecordTypeWeekly0);
  EXPECT_FALSE(Texts::RepetitionIcon(7).change) << "the icon stays";
  EXPECT_FALSE(Texts::RepetitionIcon(-1).change);
}

TEST_F(RecordTexts, AFileNameLosesTheMountPathOnlyAsItsLeadingPath) {
  auto below = [](const char* name, const char* path) {
    return Utf8(ListForm::FileNameBelow(VgNewStringAnsi(name), path ? VgNewStringAnsi(path) : nullptr));
  };
  EXPECT_EQ(below("/mnt/usb1/rec/a.ts", "/mnt/usb1"), "/rec/a.ts");
  EXPECT_EQ(below("/mnt/usb1/rec/a.ts", "/mnt/usb1/"), "rec/a.ts");
  EXPECT_EQ(below("/mnt/usb1/rec/a.ts", nullptr), "/mnt/usb1/rec/a.ts");
  EXPECT_EQ(below("/mnt/usb1/rec/a.ts", "/mnt/usb2"), "/mnt/usb1/rec/a.ts");
  EXPECT_EQ(below("/mnt/usb10/x", "/mnt/usb1"), "/mnt/usb10/x") << "another disk, not a path below";
  EXPECT_EQ(below("/old/mnt/usb1/x", "/mnt/usb1"), "/old/mnt/usb1/x") << "the path elsewhere in the name";
  EXPECT_EQ(below("/mnt/usb1", "/mnt/usb1"), "/mnt/usb1");
}

}  // namespace
