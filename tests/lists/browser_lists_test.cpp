// The channel browser's strips: tuning after the pause in navigation mode or
// on OK without it, the channel on air not tuned again, tiles without
// channels, and a locked input left alone.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ListForm/BrowserLists.h"
#include "MainApp/Wrapper.h"
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

  void AddChannels(int32_t count) {
    for (int32_t major = 2; major < 2 + count; ++major) {
      XPM_ChannelInfo channel{};
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

  static size_t Tunes() {
    size_t n = 0;
    for (const std::string& call : RecordedCalls()) n += call.rfind("XPM_SetChannel ", 0) == 0;
    return n;
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
  const int32_t ids[] = {0, 1, 2};
  simtv_setup_set_sources(3, ids);
  simtv_av_set_source_type(0, 1);
  simtv_av_set_source_type(1, 2);
  simtv_av_set_source_type(2, 5);
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

}  // namespace
}  // namespace ListTest
