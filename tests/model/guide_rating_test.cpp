#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "SkinBin/GuideData.h"
#include "SkinBin/RatingData.h"
#include "model_test_support.h"

namespace ModelTest {
namespace {

using namespace SkinBin;

// ---------------------------------------------------------------- the guide

class Guide : public SimulatedSet {
 protected:
  Structures::VirtualChannel* channel = VgNew<Structures::VirtualChannel>();

  void SetUp() override {
    SimulatedSet::SetUp();
    channel->Major = 7;
    channel->Minor = 1;
  }

  // count programmes of 30 minutes from start on; the first starts at start.
  void Programmes(int32_t count, int64_t start, const char* theme = "") {
    for (int32_t i = 0; i < count; ++i) {
      DB_EventRecord e{};
      std::snprintf(e.title, sizeof e.title, "Programme %d", i);
      e.startTime = int32_t(start + 1800 * i);
      e.duration = 30;
      simtv_db_add_event(0, 7, 1, "KQRS", theme, &e);
    }
  }
};

TEST_F(Guide, ANeverLoadedGuideIsEmpty) {
  auto* guide = VgNew<EPGEventsInfo_DB>();
  EXPECT_EQ(guide->GetNumEvents(), 0);
  EXPECT_EQ(guide->GetCurrentEventSet(), 0);
  EXPECT_EQ(VgNew<DB_EPGThemeInfo>()->GetNumEvents(), 0);
}

TEST_F(Guide, ByCountStartsWithTheProgrammeOnAir) {
  Programmes(10, kNow - 900);  // the first one is on air
  auto* guide = VgNew<EPGEventsInfo_DB>();
  guide->GetEventInfoByCount(channel, 4);
  ASSERT_EQ(guide->GetNumEvents(), 4);
  EXPECT_EQ(Utf8(guide->GetEvent(0)->Title), "Programme 0");
  EXPECT_TRUE(guide->GetEvent(0)->Flag);
  EXPECT_EQ(guide->GetEvent(0)->Duration, 30);
  EXPECT_FALSE(guide->EndReached);
}

TEST_F(Guide, PagesOfEightUntilTheEnd) {
  Programmes(19, kNow);
  auto* guide = VgNew<EPGEventsInfo_DB>();
  guide->GetEventInfoByPage(channel);
  EXPECT_EQ(guide->GetNumEvents(), 8);
  guide->GetEventInfoByPage(channel);
  EXPECT_EQ(guide->GetNumEvents(), 16);
  EXPECT_FALSE(guide->EndReached);
  guide->GetEventInfoByPage(channel);
  EXPECT_EQ(guide->GetNumEvents(), 19);
  EXPECT_TRUE(guide->EndReached);
  EXPECT_EQ(Utf8(guide->GetEvent(18)->Title), "Programme 18");
  guide->GetEventInfoByPage(channel);
  EXPECT_EQ(guide->GetNumEvents(), 19);
}

TEST_F(Guide, PagesGoOnAfterTheProgrammesReadByCount) {
  Programmes(19, kNow);
  auto* guide = VgNew<EPGEventsInfo_DB>();
  guide->GetEventInfoByCount(channel, 10);
  guide->GetEventInfoByPage(channel);
  ASSERT_EQ(guide->GetNumEvents(), 18);
  EXPECT_EQ(Utf8(guide->GetEvent(10)->Title), "Programme 10");
  EXPECT_FALSE(guide->EndReached);
  guide->GetEventInfoByPage(channel);
  EXPECT_EQ(guide->GetNumEvents(), 19);
  EXPECT_TRUE(guide->EndReached);
}

TEST_F(Guide, AnUnknownChannelEndsTheGuide) {
  auto* guide = VgNew<EPGEventsInfo_DB>();
  guide->GetEventInfoByPage(channel);
  EXPECT_EQ(guide->GetNumEvents(), 0);
  EXPECT_TRUE(guide->EndReached);
}

// The guide keeps a programme's texts at their length and makes the record
// again for each caller: every field comes back as it was given, and a text
// that fills its whole array without ending comes back one short, ended.
TEST_F(Guide, AProgrammeComesBackAsItWasAdded) {
  DB_EventRecord e{};
  std::memset(e.title, 'T', sizeof e.title);
  std::snprintf(e.description, sizeof e.description, "A long walk by the sea.");
  std::snprintf(e.ratingText, sizeof e.ratingText, "TV-PG");
  e.startTime = int32_t(kNow);
  e.duration = 45;
  e.usRating = 0x30000000;
  e.canRating = 3;
  e.captionFlag = 1;
  e.theme = 7;
  const int32_t id = simtv_db_add_event(0, 7, 1, "KQRS", "Travel", &e);

  DB_EventRecord back{};
  int32_t count = 0;
  int32_t remaining = 0;
  ASSERT_EQ(DB_Get_EPG_Events(0, 7, 1, int32_t(kNow), 0, &back, 1, &count, &remaining), 0);
  ASSERT_EQ(count, 1);
  DB_ThemeProgram found{};
  ASSERT_EQ(DB_Get_Theme_Program(id, &found), 0);
  for (const DB_EventRecord* r : {&back, &found.event}) {
    EXPECT_EQ(r->eventId, id);
    EXPECT_EQ(r->startTime, int32_t(kNow));
    EXPECT_EQ(r->duration, 45);
    EXPECT_EQ(r->usRating, 0x30000000);
    EXPECT_EQ(r->canRating, 3);
    EXPECT_EQ(r->captionFlag, 1);
    EXPECT_EQ(r->theme, 7);
    EXPECT_EQ(std::string(r->title), std::string(sizeof e.title - 1, 'T'));
    EXPECT_STREQ(r->description, "A long walk by the sea.");
    EXPECT_STREQ(r->ratingText, "TV-PG");
  }
  EXPECT_STREQ(found.station, "KQRS");
  EXPECT_STREQ(found.theme, "Travel");
}

TEST_F(Guide, ThemeSearchPagesThroughTheFoundProgrammes) {
  Programmes(10, kNow, "Sports");
  Programmes(3, kNow, "News");
  auto* themes = VgNew<DB_EPGThemeInfo>();
  themes->Theme = VgNewStringAnsi("Sports");
  themes->GetEventInfoByPage();
  EXPECT_EQ(themes->GetNumEvents(), 8);
  EXPECT_EQ(Utf8(themes->GetEvent(0)->Theme), "Sports");
  EXPECT_EQ(Utf8(themes->GetEvent(0)->StationName), "KQRS");
  EXPECT_FALSE(themes->EndReached);
  themes->GetEventInfoByPage();
  EXPECT_EQ(themes->GetNumEvents(), 10);
  EXPECT_TRUE(themes->EndReached);
}

// ------------------------------------------------------------ rating codes

struct UsCode {
  uint32_t code;
  int32_t index;
  const char* text;  // null: no label
};

constexpr UsCode kUsCodes[] = {
    {0x10000000, 0, "TV_None"},
    {0x100, 1, "TV_Y"},
    {0x200, 2, "TV_Y7"},
    {0x210, 2, "TV_Y7_FV"},
    {1, 13, "N/A"},
    {2, 7, "G"},
    {3, 8, "PG"},
    {4, 9, "PG_13"},
    {5, 10, "R"},
    {6, 11, "NC_17"},
    {7, 12, "X"},
    {8, 14, "NR"},
    {0x20000000, 3, "TV_G"},
    {0x30000000, 4, "TV_PG"},
    {0x31101000, 4, "TV_PG_DLV"},
    {0x40000000, 5, "TV_14"},
    {0x41111000, 5, "TV_14_DLSV"},
    {0x50000000, 6, "TV_MA"},
    {0x50011000, 6, "TV_MA_SV"},
    {0x51000000, 6, nullptr},
    {0, -1, nullptr},
    {9, -1, nullptr},
    {0x21000000, 3, nullptr},
    {0x30000001, 4, nullptr},
};

TEST(RatingCodes, UsCodesGiveTheirIndexAndLabel) {
  for (const UsCode& row : kUsCodes) {
    SCOPED_TRACE(row.code);
    EXPECT_EQ(Ratings::UsRatingIndex(row.code), row.index);
    VgString text = Ratings::UsRatingText(row.code);
    if (row.text)
      EXPECT_EQ(Utf8(text), row.text);
    else
      EXPECT_EQ(text, nullptr);
  }
}

TEST(RatingCodes, EveryContentCombinationOfTheBasesThatTakeThem) {
  constexpr uint32_t kLetters[] = {0x01000000, 0x00100000, 0x00010000, 0x00001000};
  int32_t accepted[3] = {};
  constexpr uint32_t kBases[] = {0x30000000, 0x40000000, 0x50000000};
  for (int32_t b = 0; b < 3; ++b) {
    for (uint32_t set = 1; set < 16; ++set) {
      uint32_t code = kBases[b];
      for (int32_t i = 0; i < 4; ++i)
        if (set >> i & 1) code |= kLetters[i];
      if (Ratings::UsRatingText(code)) ++accepted[b];
    }
  }
  EXPECT_EQ(accepted[0], 15);
  EXPECT_EQ(accepted[1], 15);
  EXPECT_EQ(accepted[2], 7);  // TV-MA takes no D
}

TEST(RatingCodes, NamesOfTheListIndexes) {
  EXPECT_EQ(Utf8(Ratings::UsRatingName(0)), Text(Strings::SID_NONE));
  EXPECT_EQ(Utf8(Ratings::UsRatingName(5)), Text(Strings::SID_TV_RATING_14));
  EXPECT_EQ(Utf8(Ratings::UsRatingName(13)), "N/A");
  EXPECT_EQ(Utf8(Ratings::UsRatingName(14)), "NR");
  EXPECT_EQ(Ratings::UsRatingName(15), nullptr);
  EXPECT_EQ(Ratings::UsRatingName(-1), nullptr);
}

TEST(RatingCodes, ContentLetters) {
  EXPECT_TRUE(Ratings::UsTVContent(0x210, VgNewStringAnsi("FV")));
  EXPECT_FALSE(Ratings::UsTVContent(0x200, VgNewStringAnsi("FV")));
  EXPECT_TRUE(Ratings::UsTVContent(0x31001000, VgNewStringAnsi("V")));
  EXPECT_FALSE(Ratings::UsTVContent(0x31001000, VgNewStringAnsi("S")));
  EXPECT_FALSE(Ratings::UsTVContent(0x31001000, VgNewStringAnsi("X")));
  EXPECT_FALSE(Ratings::UsTVContent(0x31001000, nullptr));
}

TEST(RatingCodes, CanadianCodes) {
  constexpr struct {
    int32_t code;
    int32_t index;
    const char* text;
  } kRows[] = {
      {1, 11, "English_E"}, {2, 0, "English_C"}, {7, 5, "English_18PLUS"},  {16, 12, "French_E"},
      {32, 6, "French_G"},  {80, 9, "16 ans+"},  {96, 10, "French_18ANS+"}, {8, -1, nullptr},
      {97, -1, nullptr},    {112, -1, nullptr},  {0, -1, nullptr},          {-1, -1, nullptr},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.code);
    EXPECT_EQ(Ratings::CanRatingIndex(row.code), row.index);
    VgString text = Ratings::CanRatingText(row.code);
    if (row.text)
      EXPECT_EQ(Utf8(text), row.text);
    else
      EXPECT_EQ(text, nullptr);
  }
}

// ------------------------------------------------------ downloadable region

class DownloadableRegion : public SimulatedSet {};

TEST_F(DownloadableRegion, TheLastOfTwoHundredAndFiftyFiveDimensionsIsInTheArray) {
  simtv_tv_set_rating_region(5, "Region", 255, 2);
  auto* data = VgNew<DynamicRatingData>();
  data->SetRegionDimension(5, 0);
  data->SetRRTArray(0, 0, 1);  // nothing loaded yet
  EXPECT_EQ(data->GetRRTArray(0, 0), 0);
  data->LoadRRTArray();
  EXPECT_EQ(data->NumDimensions, 255);
  EXPECT_EQ(data->MaxLevels, 2);
  data->SetRRTArray(254, 1, 1);
  EXPECT_EQ(data->GetRRTArray(254, 1), 1);
  data->SetRRTArray(255, 1, 1);
  EXPECT_EQ(data->GetRRTArray(255, 1), 0);
  EXPECT_EQ(data->GetRRTArray(-1, 1), 0);
  EXPECT_EQ(data->GetRRTArray(0, 100), 0);
  data->SetRRTArray(0, -1, 1);
  EXPECT_EQ(data->GetRRTArray(0, 0), 0);
}

TEST_F(DownloadableRegion, ApplyWritesOnlyTheLevelsThatDiffer) {
  simtv_tv_set_rating_region(5, "Region", 3, 4);
  XPM_SetRatingLevel(5, 1, 1, 1);
  auto* data = VgNew<DynamicRatingData>();
  data->SetRegionDimension(5, 0);
  data->LoadRRTArray();
  EXPECT_EQ(data->GetRRTArray(1, 1), 1);
  data->SetRRTArray(2, 3, 1);
  simtv_clear_calls();
  data->ApplyRRTArray();
  EXPECT_EQ(ChangingCalls(), std::vector<std::string>{"XPM_SetRatingLevel 5 2 3 1"});
}

TEST_F(DownloadableRegion, CursorQueriesReadTheRegionAndClearOnFailure) {
  simtv_tv_set_rating_region(5, "Region Five", 2, 3);
  auto* data = VgNew<DynamicRatingData>();
  data->SetRegionDimension(5, 1);
  data->SetLevel(2);
  data->GetRegionInfo();
  data->GetDimensionInfo();
  data->GetLevelInfo();
  EXPECT_TRUE(data->RegionValid);
  EXPECT_EQ(Utf8(data->RegionName), "Region Five");
  EXPECT_EQ(data->NumDimensions, 2);
  EXPECT_EQ(Utf8(data->DimensionName), "Dimension 2");
  EXPECT_TRUE(data->DimensionGraduated);
  EXPECT_EQ(data->NumLevels, 3);
  EXPECT_EQ(Utf8(data->LevelAbbreviation), "L2");
  data->SetRatingLevel(1);
  EXPECT_EQ(data->GetRatingLevel(), 1);

  data->SetRegionDimension(6, 0);
  data->GetRegionInfo();
  data->GetDimensionInfo();
  EXPECT_FALSE(data->RegionValid);
  EXPECT_TRUE(data->RegionName.empty());
  EXPECT_TRUE(data->DimensionName.empty());
  EXPECT_EQ(data->NumLevels, 0);
}

}  // namespace
}  // namespace ModelTest
