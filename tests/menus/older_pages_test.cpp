// The rules of the older connection, display, caption, lock, auto input and
// application pages, on the booted root and the simulated set.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppServices/EventAgent.h"
#include "AppServices/MediaWrapper.h"
#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Constants/Constants.h"
#include "Core/Keys.h"
#include "Events/Events.h"
#include "Media/MediaWrapper.h"
#include "MenuSystem/AppPages.h"
#include "MenuSystem/AutoInputPage.h"
#include "MenuSystem/CaptionPages.h"
#include "MenuSystem/ConnectionPages.h"
#include "MenuSystem/DisplayPages.h"
#include "MenuSystem/MenuItems.h"
#include "MenuSystem/MenuSystem.h"
#include "Resources/Bitmap.h"
#include "SubSystem/Open.h"
#include "older_pages_fixture.h"
#include "simtv.h"
#include "tvsm.h"
#include "vgresmap.h"
#include "xpm.h"

namespace OlderPagesTest {

using namespace MenuSystem;

class OlderPagesTest : public OlderPagesFixture {
 protected:
  void SetSourceType(int32_t type) { simtv_av_set_source_type(model->GetCurrentSource(0), type); }
  static int32_t Choice(ThirdMenu* page, int32_t row) { return vg_cast<SubMenuItemValue>(page->Row(row))->ChoiceIndex; }
};

TEST_F(OlderPagesTest, AVConnectionRowsFollowTheSeriesAndHdmiSettingsTheSource) {
  struct Case {
    int32_t series;
    std::vector<int32_t> rows;
  };
  for (const Case& c : {Case{0, {1, 5, 6, 7, 8}}, Case{1, {1, 2, 3, 4, 7, 8}}, Case{3, {1, 2, 3, 4, 7, 8}}}) {
    model->OnSetSeriesType(c.series);
    SetSourceType(::Wrapper::kSourceTypeHdmi);
    auto* page = Open<AVConnectionMenu>();
    ASSERT_NE(page, nullptr);
    std::vector<int32_t> shown;
    for (int32_t n = 1; n <= 8; ++n)
      if (page->Row(n)) shown.push_back(n);
    EXPECT_EQ(shown, c.rows) << "series " << c.series;
    EXPECT_EQ(page->ItemsNum, static_cast<int32_t>(c.rows.size()));
    EXPECT_FALSE(page->Row(7)->IsDisabled);
    page->Close();
  }
  SetSourceType(::Wrapper::kSourceTypeDvi);
  EXPECT_FALSE(Open<AVConnectionMenu>()->Row(7)->IsDisabled);
  SetSourceType(::Wrapper::kSourceTypeTuner);
  EXPECT_TRUE(Open<AVConnectionMenu>()->Row(7)->IsDisabled);
}

TEST_F(OlderPagesTest, CecOffGreysItsRowsAndTheBrowserListAndAmplifierOffResetsTheSpeaker) {
  model->OnSetEnableNOVIQ(1);
  model->OnSetAmplifierControl(1);
  model->OnSetSpeakerPreference(1);
  model->OnSetNOVIQLinkList(1);
  auto* page = Open<CECSetupMenu>();
  ASSERT_NE(page, nullptr);
  for (int32_t n = 2; n <= 5; ++n) EXPECT_FALSE(page->Row(n)->IsDisabled) << n;

  // Amplifier control off: the preference goes back to the TV and greys.
  Focus(page, 4);
  Key(Key::Right);
  ASSERT_EQ(model->OnGetAmplifierControl(), 0);
  EXPECT_EQ(model->OnGetSpeakerPreference(), 0);
  EXPECT_EQ(Choice(page, 5), 0);
  EXPECT_TRUE(page->Row(5)->IsDisabled);
  EXPECT_FALSE(page->Row(4)->IsDisabled);

  Focus(page, 1);
  Key(Key::Right);
  ASSERT_EQ(model->OnGetEnableNOVIQ(), 0);
  for (int32_t n = 2; n <= 5; ++n) EXPECT_TRUE(page->Row(n)->IsDisabled) << n;
  EXPECT_EQ(model->OnGetNOVIQLinkList(), 0);
  page->Close();
  EXPECT_TRUE(Open<ChBrowserSetupMenu>()->Row(6)->IsDisabled);
}

TEST_F(OlderPagesTest, TheBrowserResetStaysCentredAtAnyWidth) {
  auto* page = Open<ChBrowserSetupMenu>();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(VgGetRectH(page->Bounds), 258);
  for (int32_t width : {526, 601}) {
    page->OnSetBounds({page->Bounds.x1, page->Bounds.y1, page->Bounds.x1 + width, page->Bounds.y2});
    page->Refresh();
    const VgRect reset = page->Row(7)->Bounds;
    EXPECT_EQ(VgGetRectW(reset), 140);
    EXPECT_EQ(reset.x1, (width - 140) / 2);
    EXPECT_EQ(reset.y1, (258 + page->Row(6)->Bounds.y2 - VgGetRectH(reset)) / 2);
  }
}

TEST_F(OlderPagesTest, DisplayRowsFollowAspectSignalAndChannel) {
  model->OnSetAutoAspect(1);
  model->OnSetStretch43(1);
  SetSourceType(::Wrapper::kSourceTypeVga);
  auto* acquired = VgNew<Events::XPM_EVENT_SOURCE_ACQUIRED>();
  acquired->SourceId = model->GetCurrentSource(0);
  acquired->Status = 16;
  MainApp::GetEventAgent()->InsertEvent(acquired);
  auto* page = Open<DisplaySettingsMenu>();
  ASSERT_NE(page, nullptr);
  EXPECT_FALSE(page->Row(2)->IsDisabled);
  EXPECT_FALSE(page->Row(4)->IsDisabled) << "a PC signal";
  EXPECT_TRUE(page->Row(3)->IsDisabled);

  // Auto aspect off turns the stretch off and greys it in one step.
  Key(Key::Right);
  ASSERT_LE(model->OnGetAutoAspect(), 0);
  EXPECT_EQ(model->OnGetStretch43(), 0);
  EXPECT_EQ(Choice(page, 2), 0);
  EXPECT_TRUE(page->Row(2)->IsDisabled);
  page->Close();

  auto* lost = VgNew<Events::XPM_EVENT_SOURCE_ACQUIRED>();
  lost->SourceId = model->GetCurrentSource(0);
  lost->Status = 17;
  MainApp::GetEventAgent()->InsertEvent(lost);
  page = Open<DisplaySettingsMenu>();
  EXPECT_TRUE(page->Row(3)->IsDisabled);
  EXPECT_TRUE(page->Row(4)->IsDisabled) << "no signal";
  page->Close();

  model->OnSetViewMode(3);
  SetSourceType(::Wrapper::kSourceTypeTuner);
  simtv_av_set_channel(0, 7, 0);
  EXPECT_FALSE(Open<DisplaySettingsMenu>()->Row(3)->IsDisabled) << "an analogue channel in zoom";
  Shown<DisplaySettingsMenu>()->Close();
  simtv_av_set_channel(0, 7, 1);
  EXPECT_TRUE(Open<DisplaySettingsMenu>()->Row(3)->IsDisabled) << "a digital channel";
}

TEST_F(OlderPagesTest, TheTextColourSkipsTheBackgroundColourTheWayItMoved) {
  // Choice 0 is the broadcaster's colour.
  model->OnSetCC708_FontColor(static_cast<int32_t>(0xFF000000u));
  model->OnSetCC708_BgColor(static_cast<int32_t>(0xFF000000u));
  auto* page = Open<DigitalCCMenu>();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(CountTvCalls("XPM_ShowSampleCaption 1"), 1) << "the sample shows at once";
  // Both at 0 (the broadcaster's colours) is allowed.
  EXPECT_EQ(Choice(page, 4), 0);
  EXPECT_EQ(Choice(page, 6), 0);
  Focus(page, 6);
  Key(Key::Left);
  ASSERT_EQ(Choice(page, 6), 8);
  Focus(page, 4);
  Key(Key::Left);
  EXPECT_EQ(Choice(page, 4), 7) << "down from 0 past 8, taken";
  Key(Key::Right);
  EXPECT_EQ(Choice(page, 4), 0) << "up from 7 past 8";
  Key(Key::Back);
  EXPECT_EQ(Shown<DigitalCCMenu>(), nullptr);
  EXPECT_GE(CountTvCalls("XPM_ShowSampleCaption 0"), 1) << "Return takes the sample away";
}

TEST_F(OlderPagesTest, CaptionStateTwoGreysBothRowsAndTheChannelChoosesTheOther) {
  model->OnSetClosedCaptionState(2);
  auto* page = Open<ClosedCaptionMenu>();
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(page->Row(2)->IsDisabled);
  EXPECT_TRUE(page->Row(3)->IsDisabled);
  page->Close();
  model->OnSetClosedCaptionState(1);
  SetSourceType(::Wrapper::kSourceTypeTuner);
  simtv_av_set_channel(0, 7, 1);
  page = Open<ClosedCaptionMenu>();
  EXPECT_TRUE(page->Row(2)->IsDisabled);
  EXPECT_FALSE(page->Row(3)->IsDisabled);
}

TEST_F(OlderPagesTest, AutoInputGreysFollowsTheFocusAndPlacesResetBelowAux) {
  model->OnSetEnableAutoInput(0);
  model->OnSetSeriesType(1);
  auto* page = Open<AutoInputMenu>();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(VgGetRectH(page->Bounds), 320);
  for (int32_t n = 2; n <= 6; ++n) EXPECT_TRUE(page->Row(n)->IsDisabled) << n;
  EXPECT_GE(page->light.Bounds.x1, VgGetRectW(page->Bounds)) << "no light off series 2";
  EXPECT_EQ(page->Row(6)->Bounds.y1, page->Row(5)->Bounds.y2 + 20);

  Key(Key::Right);
  for (int32_t n = 2; n <= 6; ++n) EXPECT_FALSE(page->Row(n)->IsDisabled) << n;
  Focus(page, 3);
  EXPECT_EQ(page->remote.Bitmap.get(), VgLoad<Resources::Bitmap>(Bitmaps::AutoInputCable));
  Focus(page, 6);
  EXPECT_EQ(page->remote.Bitmap.get(), VgLoad<Resources::Bitmap>(Bitmaps::AutoInputBase));
  page->Close();

  model->OnSetSeriesType(2);
  page = Open<AutoInputMenu>();
  EXPECT_EQ(page->light.Bounds.x1, 163);
  EXPECT_EQ(page->light.Bounds.y1, 178);
}

TEST_F(OlderPagesTest, ApplicationRowsFollowLocationNetAppsAndMedia) {
  model->OnSetLocation(0);
  auto* page = Open<ApplicationsMenu>();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->Row(3), nullptr) << "no Dummy";
  EXPECT_EQ(page->Row(9), nullptr) << "no Auto Demo at home";
  EXPECT_EQ(page->ItemsNum, 7);
  page->Close();

  model->OnSetLocation(1);
  XPM_AppStatus app{.id = 3, .name = "Netflix", .flags = 0};
  simtv_tv_set_app_status(1, &app);
  model->RefreshActiveAppStatus();
  page = Open<ApplicationsMenu>();
  for (int32_t n : {4, 5, 6, 9}) EXPECT_TRUE(page->Row(n)->IsDisabled) << n;
  page->Close();
  EXPECT_TRUE(Open<NetflixSetupMenu>()->Row(2)->IsDisabled) << "no deactivation while it runs";
  Shown<NetflixSetupMenu>()->Close();

  auto* media = Open<AppMediaPlayerMenu>();
  ASSERT_EQ(MainApp::GetMediaWrapper()->GetMediumCount() + MainApp::GetMediaWrapper()->GetRegisteredServerCount(), 0);
  for (int32_t n : {1, 2, 3}) EXPECT_TRUE(media->Row(n)->IsDisabled) << n;
  EXPECT_FALSE(media->Row(4)->IsDisabled);
}

TEST_F(OlderPagesTest, WidgetsLaunchThroughTheModelUnlessIn3D) {
  auto* page = Open<ApplicationsMenu>();
  ASSERT_NE(page, nullptr);
  simtv_tv_set_3d_input(::SkinBin::Setup3D::kFormatOverUnder);
  XPM_3DTV_SetMode(::SkinBin::Setup3D::kFormatOverUnder);
  TakeDelivered();
  Key(Key::Ok);
  EXPECT_TRUE(WasDelivered("NonMenuSystem::NonMenuSystem", Constants::MSG_SHOW_MESSAGE, 32));
  EXPECT_EQ(Shown<ApplicationsMenu>(), nullptr);
  const std::string launch = "TVSM_ReportAsyncEvent 1 " + std::to_string(TVSM_ASYNC_LAUNCH_APP) + " ";
  EXPECT_EQ(CountTvCalls(launch), 0);

  XPM_3DTV_SetMode(::SkinBin::Setup3D::kFormat2D);
  simtv_tv_set_3d_input(::SkinBin::Setup3D::kFormat2D);
  page = Open<ApplicationsMenu>();
  Key(Key::Down);
  Key(Key::Ok);
  EXPECT_EQ(CountTvCalls(launch), 1) << "NET TV";
  EXPECT_EQ(Shown<ApplicationsMenu>(), nullptr);
}

}  // namespace OlderPagesTest
