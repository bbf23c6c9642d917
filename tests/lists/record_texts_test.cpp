// The texts and icons of the recording and guide rows, the file name below
// the disk's mount path, and the rows' columns, which read each text whole
// and apart from the next in every menu language.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "Bitmaps.h"
#include "Fonts/Fonts.h"
#include "ListForm/GuideProgramLists.h"
#include "ListForm/RecordTexts.h"
#include "ListForm/RecordedShowsList.h"
#include "ListForm/RowColumns.h"
#include "ListForm/ThemeLists.h"
#include "ListForm/TimerLists.h"
#include "Resources/Font.h"
#include "Strings.h"
#include "Structures/LocalTime.h"
#include "list_host.h"
#include "vgresmap.h"

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

// ------------------------------------------------------------- columns

// What a column may show, in the menu language of the moment: its i-th
// text, null past the last. A caption (a name, a title) may be longer than
// any column, and is cut.
struct ColumnTexts {
  Views::Text* view;
  VgString (*text)(int32_t i);
  bool whole = true;
};

VgString Time(int32_t i) { return i < 24 * 60 ? Texts::ClockTime(At(i / 60, i % 60)) : nullptr; }
// Every weekday, month and day of the month.
Structures::LocalTime* Day(int32_t i) { return i < 7 * 12 * 31 ? At(0, 0, i % 7, i / 7 % 12, i / 84 + 1) : nullptr; }
VgString Date(int32_t i) { return Day(i) ? Texts::MonthDay(Day(i)) : nullptr; }
VgString WeekdayDate(int32_t i) { return Day(i) ? Texts::WeekdayMonthDay(Day(i)) : nullptr; }
VgString Length(int32_t i) { return i < 100 * 60 ? Texts::Length(i * 60) : nullptr; }
VgString Channel(int32_t i) {
  constexpr int32_t kMajors[] = {-2, 1, 7, 10, 99};
  constexpr int32_t kMinors[] = {-1, 0, 1, 10, 99};
  return i < 25 ? Texts::ChannelNumber(kMajors[i / 5], kMinors[i % 5]) : nullptr;
}
// A title beginning with each capital, one longer than any column, and the
// row without an entry.
VgString Title(int32_t i) {
  if (i < 26) return VgNewStringAnsi((std::string(1, char('A' + i)) + "ews").c_str());
  if (i == 26) return VgNewStringAnsi("The Longest Title Of The Whole Evening On Any Channel Of The Set");
  return i == 27 ? Texts::NoInformation() : nullptr;
}
VgString StartEarly(int32_t i) { return i <= 10 ? Texts::StartEarly(i * 60) : nullptr; }
VgString EndDelay(int32_t i) { return i <= 60 ? Texts::EndDelay(i * 60) : nullptr; }

// In each look's font and every menu language, each column shows every
// text it may show whole (but a caption, or where the row's design cuts its
// texts) and keeps a column's spacing, glyph to glyph, from the texts of
// the next column.
void ExpectColumnsReadApart(const char* row, std::initializer_list<const VgConstant*> looks,
                            std::initializer_list<ColumnTexts> columns) {
  for (int32_t language : {0, 1, 2}) {
    VgSetLanguage(language);
    for (const VgConstant* look : looks) {
      Resources::Font* font = VgLoad<Resources::Font>(*look);
      int32_t before = INT_MIN;  // where the glyphs of the column before end at the most
      std::string widest;
      for (const ColumnTexts& column : columns) {
        Views::Text* view = column.view;
        ASSERT_EQ(view->AlignH, Views::Text::AlignLeft) << row;
        view->OnSetFont(font);
        int32_t left = INT_MAX;
        int32_t right = INT_MIN;
        std::string first;
        std::string last;
        for (int32_t i = 0; VgString text = column.text(i); ++i) {
          view->OnSetString(text);
          const std::string shown = Utf8(view->shownText);
          if (column.whole && !view->EllipsisMeant && !view->ClipMeant) {
            EXPECT_EQ(shown, Utf8(text)) << row << ": cut in " << VgGetRectW(view->Bounds) << " px, language "
                                         << language;
          }
          const VgRect glyphs = font->GetTextRect(view->shownText);
          if (view->Bounds.x1 + glyphs.x1 < left) std::tie(left, first) = std::pair(view->Bounds.x1 + glyphs.x1, shown);
          if (const int32_t end = std::min(view->Bounds.x1 + glyphs.x2, view->Bounds.x2); end > right)
            std::tie(right, last) = std::pair(end, shown);
        }
        if (before != INT_MIN) {
          EXPECT_GE(left - before, ListForm::ColumnSpacing(font))
              << row << ": \"" << widest << "\" and \"" << first << "\" read as one, language " << language;
        }
        std::tie(before, widest) = std::pair(right, last);
      }
    }
  }
  VgSetLanguage(0);
}

TEST_F(RecordTexts, EveryColumnReadsItsWidestTextWholeAndApartFromTheNext) {
  UseModel();
  const std::initializer_list<const VgConstant*> bothLooks{&Fonts::EPGListFont0, &Fonts::MediumFont};
  auto* recorded = VgNew<ListForm::RecordedShowsListItem>();
  recorded->Refresh();
  ExpectColumnsReadApart("recorded shows", bothLooks,
                         {{&recorded->channelText, Channel}, {&recorded->caption, Title, false},
                          {&recorded->dateText, Date}, {&recorded->timeText, Time}, {&recorded->lengthText, Length}});
  auto* scheduled = VgNew<ListForm::ScheduledRecordListItem>();
  scheduled->Refresh();
  ExpectColumnsReadApart("schedules", bothLooks,
                         {{&scheduled->channelText, Channel}, {&scheduled->caption, Title, false},
                          {&scheduled->dateText, WeekdayDate}, {&scheduled->timeText, Time},
                          {&scheduled->lengthText, Length}});
  // The conflict list never has the focus: its rows keep their plain look.
  auto* conflict = VgNew<ListForm::ConflictTimerListItem>();
  conflict->Refresh();
  // The design's widths: the gaps between them are the rows' own.
  EXPECT_EQ(VgGetRectW(conflict->timeText.Bounds), 80);
  EXPECT_EQ(VgGetRectW(conflict->lengthText.Bounds), 60);
  ExpectColumnsReadApart("conflict", {&Fonts::EPGListFont0},
                         {{&conflict->channelText, Channel}, {&conflict->caption, Title, false},
                          {&conflict->timeText, Time}, {&conflict->lengthText, Length},
                          {&conflict->startEarlyText, StartEarly}, {&conflict->endDelayText, EndDelay}});

  auto* guide = VgNew<ListForm::EPGProgramListItem>();
  guide->Refresh();
  ExpectColumnsReadApart("guide", bothLooks,
                         {{&guide->dateText, Date}, {&guide->timeText, Time}, {&guide->caption, Title, false}});
  auto* mini = VgNew<ListForm::MiniGuideListItem>();
  mini->Refresh();
  ExpectColumnsReadApart("mini guide", {&Fonts::MediumFont, &Fonts::EPGListFont},
                         {{&mini->timeText, Time}, {&mini->caption, Title, false}});
  auto* theme = VgNew<ListForm::EPGThemeProgramListItem>();
  theme->Refresh();
  ExpectColumnsReadApart("theme", {&Fonts::EPGListFont},
                         {{&theme->dateText, Date}, {&theme->timeText, Time}, {&theme->caption, Title, false}});
  ExpectColumnsReadApart("theme's channel", {&Fonts::EPGListFont},
                         {{&theme->channelNumberText, Channel}, {&theme->channelNameText, Title, false}});
}

}  // namespace
