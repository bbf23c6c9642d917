// The channel logo grid and setting list, and the guide's channel column, in
// the host form over the simulated set's channels.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Agent/MessageAgent.h"
#include "AppServices/Messages.h"
#include "Constants/Constants.h"
#include "ListForm/ChannelLogos.h"
#include "ListForm/ChannelRecords.h"
#include "ListForm/EPGChannelList.h"
#include "Primitives/MessageDelivery.h"
#include "list_host.h"
#include "sim_calls.h"
#include "simtv.h"
#include "xpm.h"

namespace ListTest {
namespace {

using namespace ListForm;

class LogoAndGuideLists : public ListFixture {
 protected:
  void SetUp() override {
    ListFixture::SetUp();
    UseModel();
    // The lists hear each other through the message agent.
    before = Agent::SetMessageDelivery(&Primitives::DeliverMessage);
    VgLockObject(MainApp::GetMessageAgent());
  }
  void TearDown() override {
    VgUnlockObject(MainApp::GetMessageAgent());
    Agent::SetMessageDelivery(before);
    ListFixture::TearDown();
  }
  void AddChannels(int32_t count, int32_t onAir) {
    for (int32_t i = 0; i < count; ++i) {
      XPM_ChannelInfo channel{};
      std::snprintf(channel.name, sizeof channel.name, "CH%d", 2 + i);
      channel.major = 2 + i;
      channel.minor = 1;
      channel.substituteMinor = -1;
      channel.digital = 1;
      simtv_tv_add_channel(&channel);
    }
    simtv_av_set_channel(0, 2 + onAir, 1);
    simtv_clear_calls();
  }
  static std::vector<std::string> Calls(const std::string& name) {
    std::vector<std::string> calls;
    for (const std::string& call : RecordedCalls())
      if (call.compare(0, name.size() + 1, name + " ") == 0) calls.push_back(call);
    return calls;
  }
  static void Send(int32_t code, int32_t param) { MainApp::SendMessage(code, nullptr, param); }

  Agent::MessageDelivery before = nullptr;
};

TEST_F(LogoAndGuideLists, TheGridOffersFiftyEightLogosOnTwoPagesAndTheFirstIsLogoOne) {
  AddChannels(3, 0);
  auto* settings = Embed(VgNew<ChannelLogoSettingList>());
  auto* row = vg_cast<ChannelLogoSettingItem>(settings->Focus.get());
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->LogoIndex, 0);
  EXPECT_EQ(row->logo.Bitmap.get(), nullptr) << "no logo, an empty image";

  auto* grid = Embed(VgNew<ChannelLogoGridView>());
  EXPECT_EQ(grid->DataSource->Num, 58);
  EXPECT_EQ(grid->PageCount, 2);
  EXPECT_EQ(grid->ItemNum, 40);
  auto* first = vg_cast<ChannelLogoItem>(grid->Focus.get());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->Index, 0);
  EXPECT_EQ(first->Bitmap.get(), MainApp::GetWrapper()->GetBigChannelLogo(0));
  EXPECT_EQ(first->FocusFrame.get(), &grid->focusFrame);
  EXPECT_EQ(grid->lastView, &grid->focusFrame) << "the frame stays on top of the cells";

  Press(Key::GridPageDown);
  EXPECT_EQ(grid->ItemNum, 18);
  EXPECT_EQ(Cursor(), 40);
  Press(Key::GridPageUp);
  EXPECT_EQ(Cursor(), 0);

  Press(Key::Ok);
  EXPECT_EQ(row->LogoIndex, 1);
  EXPECT_EQ(row->logo.Bitmap.get(), MainApp::GetWrapper()->GetBigChannelLogo(0));
  EXPECT_EQ(Calls("XPM_SetChannelLogoIndex"), (std::vector<std::string>{"XPM_SetChannelLogoIndex 2 1 1"}));
}

TEST_F(LogoAndGuideLists, OnlyTheDeleteOfALogoTakesItAwayAndOddLogosAreRefused) {
  AddChannels(3, 0);
  auto* settings = Embed(VgNew<ChannelLogoSettingList>());
  Press(Key::Down);
  Send(Constants::MSG_SET_CHANNEL_LOGO, 57);
  auto* row = vg_cast<ChannelLogoSettingItem>(settings->Focus.get());
  EXPECT_EQ(row->LogoIndex, 58);
  Send(Constants::MSG_DELETE_ITEM, Constants::DELETE_EPG_RECORD);
  Send(Constants::MSG_SET_CHANNEL_LOGO, 58);
  Send(Constants::MSG_SET_CHANNEL_LOGO, -1);
  EXPECT_EQ(row->LogoIndex, 58);
  Send(Constants::MSG_DELETE_ITEM, Constants::DELETE_CHANNEL_LOGO);
  EXPECT_EQ(row->LogoIndex, 0);
  EXPECT_EQ(Calls("XPM_SetChannelLogoIndex"),
            (std::vector<std::string>{"XPM_SetChannelLogoIndex 3 1 58", "XPM_SetChannelLogoIndex 3 1 0"}));

  // The next list reads the logo back from the set.
  simtv_clear_calls();
  Send(Constants::MSG_SET_CHANNEL_LOGO, 4);
  settings->Close();
  settings = Embed(VgNew<ChannelLogoSettingList>());
  EXPECT_EQ(vg_cast<ChannelLogoSettingItem>(settings->GetCtrlAt(1))->LogoIndex, 5);
}

TEST_F(LogoAndGuideLists, AGuideWithoutTuningOnlyReportsTheChannelAndBusyKeysReachTheForm) {
  AddChannels(8, 0);
  MainApp::GetWrapper()->OnSetEPGTuningMode(0);
  auto* shown = VgNew<Structures::VirtualChannel>();
  shown->Major = 2;
  shown->Minor = 1;
  auto* list = VgNew<EPGChannelList>();
  list->FocusedChannel = shown;
  list->OnFocusChanged = host->Recorder("OnFocusChanged");
  Embed(list);
  EXPECT_EQ(Cursor(), 0);
  Advance(500);
  EXPECT_FALSE(list->IsBusy) << "resting on the channel shown starts nothing";
  EXPECT_EQ(host->Count("OnFocusChanged"), 0);

  Press(Key::Down);
  Advance(499);
  EXPECT_EQ(host->Count("OnFocusChanged"), 0);
  Advance(1);
  EXPECT_EQ(host->Count("OnFocusChanged"), 1);
  EXPECT_EQ(shown->Major, 3);
  EXPECT_TRUE(list->IsBusy);
  EXPECT_TRUE(Calls("XPM_SetChannel").empty());

  const int before = host->Count("FocusMove");
  Press(Key::Down);
  Press(Key::PageDown);
  EXPECT_EQ(Cursor(), 1) << "busy: the keys only reach the form";
  EXPECT_EQ(host->Count("FocusMove"), before + 2);

  list->IsBusy = false;
  Press(Key::Up);
  Press(Key::Up);
  EXPECT_EQ(Cursor(), 7) << "up from the first channel wraps to the last";
}

TEST_F(LogoAndGuideLists, AGuideThatTunesLeavesTheChannelOnAirAlone) {
  AddChannels(4, 2);
  MainApp::GetWrapper()->OnSetEPGTuningMode(1);
  auto* list = Embed(VgNew<EPGChannelList>());
  EXPECT_EQ(Cursor(), 2) << "the column opens on the channel on air";
  auto* row = vg_cast<EPGChannelItem>(list->Focus.get());
  EXPECT_TRUE(row->rightArrow.Visible);
  EXPECT_EQ(VgStringToUtf8(row->numberText.String), "4-1");
  Advance(500);
  EXPECT_FALSE(list->IsBusy);
  EXPECT_TRUE(Calls("XPM_SetChannel").empty());

  Press(Key::Up);
  EXPECT_FALSE(row->rightArrow.Visible);
  Advance(500);
  EXPECT_EQ(Calls("XPM_SetChannel"), (std::vector<std::string>{"XPM_SetChannel 0 3 1"}));
  EXPECT_TRUE(list->IsBusy);
}

}  // namespace
}  // namespace ListTest
