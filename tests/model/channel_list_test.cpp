#include <gtest/gtest.h>

#include <string>

#include "SkinBin/ChannelData.h"
#include "model_test_support.h"

namespace ModelTest {
namespace {

using SkinBin::ChannelListData;

class ChannelList : public SimulatedSet {
 protected:
  ChannelListData* list = VgNew<ChannelListData>();

  void Add(int32_t major, int32_t minor, uint8_t cable = 0, int32_t physical = 20) {
    XPM_ChannelInfo c = Channel(major, minor, cable, physical);
    simtv_tv_add_channel(&c);
  }
};

TEST_F(ChannelList, MasterRingFollowsTheMediumAndTheAlternateRingTheOther) {
  Add(7, 1);
  Add(2, 1);
  Add(12, 0, 1);
  list->LoadMasterChannelTable(false);
  ASSERT_EQ(list->GetNumChannels(), 2);
  EXPECT_EQ(list->GetTableType(), ChannelListData::kMasterTable);
  EXPECT_EQ(list->GetChannel(0)->Major, 2);  // in channel-number order
  EXPECT_EQ(Utf8(list->GetChannel(1)->Name), "CH 7-1");
  EXPECT_EQ(list->GetChannel(1)->SubstituteMinor, -1);

  list->LoadMasterChannelTable(true);
  ASSERT_EQ(list->GetNumChannels(), 1);
  EXPECT_EQ(list->GetChannel(0)->CableChannel, 1);

  XPM_SetMedium(1);
  list->LoadMasterChannelTable(false);
  ASSERT_EQ(list->GetNumChannels(), 1);
  EXPECT_EQ(list->GetChannel(0)->Major, 12);
}

TEST_F(ChannelList, GuideRingLeavesOutSkippedChannels) {
  XPM_ChannelInfo skipped = Channel(4, 0);
  skipped.skipped = 1;
  simtv_tv_add_channel(&skipped);
  Add(5, 1);
  list->LoadGuideChannelTable(false);
  ASSERT_EQ(list->GetNumChannels(), 1);
  EXPECT_EQ(list->GetTableType(), ChannelListData::kGuideTable);
}

TEST_F(ChannelList, ReloadingWithFewerChannelsEmptiesTheOldSlots) {
  for (int32_t major = 2; major < 12; ++major) Add(major, 1);
  list->LoadMasterChannelTable(false);
  ASSERT_EQ(list->GetNumChannels(), 10);
  simtv_tv_clear_channels();
  Add(9, 1);
  list->LoadMasterChannelTable(false);
  EXPECT_EQ(list->GetNumChannels(), 1);
  EXPECT_EQ(list->ChannelArray[1], nullptr);
  EXPECT_EQ(list->GetChannel(1), nullptr);
}

TEST_F(ChannelList, LoadersStopAtTheirCapacity) {
  for (int32_t minor = 1; minor <= 250; ++minor) Add(30, minor, 0, 44);
  list->LoadSingleChannelTable(44);
  EXPECT_EQ(list->GetNumChannels(), ChannelListData::kSingleChannelCapacity);
  EXPECT_EQ(list->GetTableType(), ChannelListData::kSingleTable);

  for (int32_t major = 100; major < 100 + 4200; ++major) Add(major, 1);
  list->LoadMasterChannelTable(false);
  EXPECT_EQ(list->GetNumChannels(), ChannelListData::kCapacity);
}

TEST_F(ChannelList, FavouritesRingAndFailedReadGiveTheirLists) {
  XPM_ChannelInfo favourite = Channel(3, 1);
  favourite.favoriteRings = 2;
  simtv_tv_add_channel(&favourite);
  Add(6, 1);
  list->LoadFavoritesChannels(1);
  ASSERT_EQ(list->GetNumChannels(), 1);
  EXPECT_EQ(list->GetChannel(0)->Major, 3);
  EXPECT_EQ(list->GetChannel(0)->Ring, 0);  // ring 0 membership only

  simtv_fail("XPM_GetRingChannels", 9, 1);
  list->LoadMasterChannelTable(false);
  EXPECT_EQ(list->GetNumChannels(), 0);
}

TEST_F(ChannelList, SearchGivesTheFirstMatchingSlot) {
  EXPECT_EQ(list->GetChannelIndexInTable(2, 1), -1);  // never loaded
  Add(2, 1);
  Add(2, 2);
  Add(4, 0);
  list->LoadMasterChannelTable(false);
  EXPECT_EQ(list->GetChannelIndexInTable(4, 0), 2);
  EXPECT_EQ(list->GetChannelIndexInTable(4, 1), -1);

  // A repeated channel and an empty slot inside the count.
  list->ChannelArray[2] = list->ChannelArray[1];
  list->ChannelArray[0] = nullptr;
  EXPECT_EQ(list->GetChannelIndexInTable(2, 2), 1);
  EXPECT_EQ(list->GetChannelIndexInTable(2, 1), -1);
}

TEST_F(ChannelList, DumpPassesOverEmptySlots) {
  Add(2, 1);
  Add(3, 1);
  list->LoadMasterChannelTable(false);
  list->ChannelArray[0] = nullptr;
  testing::internal::CaptureStdout();
  list->DumpChannels();
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out.find("ChannelArray[0]"), std::string::npos);
  EXPECT_NE(out.find("ChannelArray[1].Major = 3"), std::string::npos);
  EXPECT_NE(out.find("ChannelArray[1].CableChannel = "), std::string::npos);
}

}  // namespace
}  // namespace ModelTest
