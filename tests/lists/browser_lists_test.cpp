// The channel browser's strips: tuning after the pause in navigation mode or
// on OK without it, the channel on air not tuned again, tiles without
// channels, a locked input left alone, the favourites keys, the history's
// entries by source and the HDMI-CEC devices.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "AppServices/Wrapper.h"
#include "ListForm/BrowserLists.h"
#include "Primitives/KeyRoutingParameter.h"
#include "list_host.h"
#include "sim_calls.h"
#include "simtv.h"
#include "xpm.h"

namespace ListTest {
namespace {

using namespace ListForm;

class Browser : public ListFixture {
 protected:
  void SetUp() override {
    ListFixture::SetUp();
    UseModel();
  }

  void AddChannels(int32_t count, uint32_t rings = 0) {
    for (int32_t major = 2; major < 2 + count; ++major) {
      XPM_ChannelInfo channel{};
      channel.favoriteRings = rings;
      channel.sourceType = 1;
      channel.sourceId = 1;
      std::snprintf(channel.name, sizeof channel.name, "CH%d", major);
      channel.major = major;
      channel.minor = 1;
      channel.substituteMinor = -1;
      channel.digital = 1;
      channel.physical = 20 + major;
      simtv_tv_add_channel(&channel);
    }
    simtv_av_set_channel(0, 2, 1);
    simtv_clear_calls();
  }

  template <class L>
  L* Strip(L* list) {
    list->OnSetOnUpdateBanner(host->Recorder("OnUpdateBanner"));
    return Embed(list);
  }

  static size_t Calls(const std::string& prefix) {
    size_t n = 0;
    for (const std::string& call : RecordedCalls()) n += call.rfind(prefix, 0) == 0;
    return n;
  }
  static size_t Tunes() { return Calls("XPM_SetChannel "); }

  // The tuner (source 1), a composite input (2) and an HDMI input (5) with
  // a player on it; the tuner shows.
  void AddInputs() {
    const int32_t ids[] = {1, 2, 5};
    simtv_setup_set_sources(3, ids);
    simtv_av_set_source_type(1, 1);
    simtv_av_set_source_type(2, 2);
    simtv_av_set_source_type(5, 5);
    simtv_tv_set_cec_enable(1);
    XPM_CECDevice player{};
    player.logicalAddress = 4;
    player.sourceId = 5;
    std::snprintf(player.name, sizeof player.name, "Player");
    simtv_tv_add_cec_device(&player);
    model->HdmiCecData.InitDevList();
    simtv_set_value("current_source", 1);
  }

  // The courier that a strip's reader gives for an entry.
  template <class Courier>
  static Courier* Read(const VgClass* list, int32_t index) {
    auto* source = VgNew<ListDataSource>();
    source->Num = index + 1;
    return vg_cast<Courier>(source->GetItemData(list, index));
  }

  void Reopen(ListForm::ListBase* list) {
    auto* again = VgNew<Primitives::KeyRoutingParameter>();
    again->OnSetParent(host);
    list->Initialize(again);
    VgProcessSignals();
  }
};

TEST_F(Browser, NavigationTunesAfterThePauseAndWithoutItOnlyOkTunes) {
  AddChannels(8);
  model->OnSetNavigation(1);
  auto* list = Strip(VgNew<CBChannelList>());
  ASSERT_FALSE(Texts().empty());
  EXPECT_EQ(Texts()[0], "2-1");
  for (int i = 0; i < 5; ++i) {
    Press(Key::Right);
    Advance(299);
  }
  EXPECT_EQ(Tunes(), 0u) << "each move starts the pause again";
  Advance(1);
  EXPECT_EQ(Tunes(), 1u);
  EXPECT_EQ(host->Count("OnUpdateBanner"), 1);

  // The same strip opened again after the setting went off.
  model->OnSetNavigation(0);
  simtv_clear_calls();
  auto* again = VgNew<Primitives::KeyRoutingParameter>();
  again->OnSetParent(host);
  list->Initialize(again);
  VgProcessSignals();
  Press(Key::Right);
  Advance(1000);
  EXPECT_EQ(Tunes(), 0u) << "the tiles lost the focus slot of the first opening";
  Press(Key::Ok);
  EXPECT_EQ(Tunes(), 1u);
}

TEST_F(Browser, TheChannelOnAirIsNotTunedAgainAndNoChannelsGiveNoChannelTiles) {
  AddChannels(3);
  model->OnSetNavigation(0);
  Strip(VgNew<CBChannelList>());
  EXPECT_EQ(Cursor(), 0) << "the channel on air";
  Press(Key::Ok);
  EXPECT_EQ(Tunes(), 0u);
  EXPECT_EQ(host->Count("OnUpdateBanner"), 1) << "the banner still updates";

  auto* source = VgNew<ListDataSource>();
  source->Num = 1;
  model->OnGetChannelList()->NumChannels = 0;
  auto* empty = vg_cast<CBChannelListCourier>(source->GetItemData(&CBChannelList::Class, 0));
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->MajorNumber, -2);
  EXPECT_EQ(VgStringToUtf8(empty->LabelText), "No Channel");
}

TEST_F(Browser, ALockedInputIsNotSwitchedToButTheBannerUpdates) {
  model->OnSetNavigation(0);
  model->OnSetInputLock(1);
  // A tuner, a composite and an HDMI input; the tuner shows.
  const int32_t ids[] = {1, 2, 3};
  simtv_setup_set_sources(3, ids);
  simtv_av_set_source_type(1, 1);
  simtv_av_set_source_type(2, 2);
  simtv_av_set_source_type(3, 5);
  auto* list = Strip(VgNew<CBInputList>());
  ASSERT_EQ(list->DataSource->Num, 3);
  Press(Key::Right);
  auto* tile = vg_cast<CBListItem>(list->Focus.get());
  ASSERT_NE(tile, nullptr);
  EXPECT_EQ(tile->SourceType, 2);
  simtv_clear_calls();
  Press(Key::Ok);
  for (const std::string& call : RecordedCalls()) EXPECT_NE(call.rfind("XPM_SetSource", 0), 0u) << call;
  EXPECT_EQ(host->Count("OnUpdateBanner"), 1);
}

TEST_F(Browser, FavouriteKeysChangeTheRingShownAndOnlyATunerAddsToIt) {
  AddChannels(4, 1u << 1);
  XPM_RemoveChannelFromRing(1, 5, 1);
  simtv_av_set_channel(0, 5, 1);
  model->OnSetNavigation(0);
  auto* list = Strip(VgNew<CBFavoritesList>());
  EXPECT_EQ(list->FavoriteRing, 1);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"2-1", "3-1", "4-1"}));
  EXPECT_EQ(Cursor(), 0) << "the channel on air is not a favourite";

  Press(Key::Green);
  EXPECT_EQ(Texts().size(), 4u);
  EXPECT_EQ(Cursor(), 3) << "the channel added is the one on air";
  Press(Key::Red);
  EXPECT_EQ(Texts().size(), 3u);
  Press(Key::GridPageDown);
  EXPECT_EQ(Cursor(), 1) << "the grid page key steps right";
  Press(Key::Ok);
  EXPECT_EQ(Tunes(), 1u);

  simtv_set_value("current_source", 9);
  simtv_av_set_source_type(9, 5);
  simtv_clear_calls();
  Press(Key::Green);
  EXPECT_EQ(Calls("XPM_AddChannelToRing"), 0u) << "an external input is no channel to add";
  EXPECT_EQ(Texts().size(), 3u);

  model->OnSetCurrentCBList(6);
  Reopen(list);
  EXPECT_EQ(list->FavoriteRing, 3);
  EXPECT_TRUE(Texts().empty());
}

TEST_F(Browser, TheHistoryGainsWhatTheSetShowsByItsKindAndItsTilesSwitchBack) {
  AddChannels(2);
  AddInputs();
  model->OnSetNavigation(0);
  simtv_set_value("current_source", 5);
  auto* list = Strip(VgNew<CBHistoryList>());
  simtv_set_value("current_source", 2);
  Reopen(list);
  simtv_set_value("current_source", 1);
  Reopen(list);
  // The most recent first: the channel, the composite input by its name,
  // the HDMI input with its device's name below.
  ASSERT_EQ(Texts().size(), 3u);
  EXPECT_EQ(Texts()[0], "2-1");
  auto* device = Read<CBFavHistoryListCourier>(&CBHistoryList::Class, 2);
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(device->IsCecDevice, 1);
  EXPECT_EQ(device->CecAddress, 4);
  EXPECT_EQ(VgStringToUtf8(device->LabelText), "Player");
  auto* input = Read<CBFavHistoryListCourier>(&CBHistoryList::Class, 1);
  ASSERT_NE(input, nullptr);
  EXPECT_EQ(input->SourceType, 2);
  EXPECT_EQ(Cursor(), 2) << "the oldest entry is focused";

  simtv_clear_calls();
  Press(Key::Ok);
  EXPECT_EQ(Calls("XPM_CEC_SelectDevice 5 4"), 1u) << "the device first";
  EXPECT_EQ(Calls("XPM_SetSource 0 5"), 1u);
  EXPECT_EQ(host->Count("OnUpdateBanner"), 1);
  EXPECT_EQ(Cursor(), 2);
}

TEST_F(Browser, DeviceTilesSelectTheirDeviceUnlessTheInputIsLocked) {
  AddInputs();
  model->OnSetNavigation(0);
  auto* list = Strip(VgNew<CBCECList>());
  ASSERT_EQ(list->DataSource->Num, 1);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"HDMI 1"}));
  simtv_clear_calls();
  Press(Key::Ok);
  EXPECT_EQ(Calls("XPM_CEC_SelectDevice 5 4"), 1u);
  EXPECT_EQ(Calls("XPM_SetSource 0 5"), 1u);

  model->OnSetInputLock(1);
  simtv_clear_calls();
  Press(Key::Ok);
  EXPECT_EQ(Calls("XPM_CEC_SelectDevice"), 0u);
  EXPECT_EQ(Calls("XPM_SetSource"), 0u);

  simtv_tv_clear_cec_devices();
  Reopen(list);
  auto* none = Read<CBCECListCourier>(&CBCECList::Class, 0);
  ASSERT_NE(none, nullptr);
  EXPECT_EQ(none->SourceId, 0);
  EXPECT_EQ(none->LabelText.get(), nullptr);
}

}  // namespace
}  // namespace ListTest
