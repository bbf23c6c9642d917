// The timeshift banner's rules: the span of each duration setting, where the
// timeline puts a buffer and its marker, which inputs show stream attributes,
// and the rate text from the first rate on; and its ways back from the quick
// menu.
#include <gtest/gtest.h>

#include "Bitmaps.h"
#include "Constants/Constants.h"
#include "Record/RecordPieces.h"
#include "Record/TimeshiftStatusDialog.h"
#include "nonmenu_fixture.h"
#include "simtv.h"

namespace {

using namespace Record;

TEST(TimeshiftRules, SpansOfTheSettingsAndTheTimeline) {
  EXPECT_EQ(TimeshiftSpan(0), 300);
  EXPECT_EQ(TimeshiftSpan(4), 14400);
  EXPECT_EQ(TimeshiftSpan(5), 300) << "an unknown setting counts as the shortest, never 0";
  EXPECT_EQ(TimeshiftSpan(-1), 300);

  const Timeline cut = PlaceTimeline(400, 350, 300, 600);
  EXPECT_EQ(cut.buffered, 300);
  EXPECT_EQ(cut.position, 250) << "the position moves back with the cut";
  EXPECT_EQ(cut.markerX, 600 * 250 / 300 + 12);
  EXPECT_EQ(PlaceTimeline(300, 300, 300, 600).markerX, 600) << "the end of the span stops at the bar's edge";
  EXPECT_EQ(PlaceTimeline(900, 100, 300, 600).position, 0) << "a cut past the position leaves it at the start";
  EXPECT_EQ(PlaceTimeline(900, 100, 300, 600).markerX, 12);
  EXPECT_EQ(PlaceTimeline(100, 50, 0, 600).markerX, 600 * 50 / 300 + 12) << "no span: the shortest";
}

TEST(TimeshiftRules, AttributeIcons) {
  EXPECT_TRUE(ShowsStreamAttributes(1, 0));
  EXPECT_TRUE(ShowsStreamAttributes(12, 5));
  EXPECT_FALSE(ShowsStreamAttributes(12, 1)) << "not acquired";
  EXPECT_FALSE(ShowsStreamAttributes(5, 0)) << "HDMI";
  EXPECT_EQ(AudioModeIcon(1), &Bitmaps::BannerMono);
  EXPECT_EQ(AudioModeIcon(4), &Bitmaps::BannerStereo);
  EXPECT_EQ(AudioModeIcon(8), &Bitmaps::BannerMultiAudio);
  EXPECT_EQ(AudioModeIcon(9), nullptr);
  EXPECT_EQ(PictureHeightIcons(600).lines, &Bitmaps::Banner480);
  EXPECT_EQ(PictureHeightIcons(601).definition, &Bitmaps::BannerHD);
  EXPECT_EQ(PictureHeightIcons(800).lines, &Bitmaps::Banner720);
  EXPECT_EQ(PictureHeightIcons(801).lines, &Bitmaps::Banner1080);
  EXPECT_EQ(LiveStateIcon(Constants::XPM_TV_STATE_RECORDING_LIVE_TV), &Bitmaps::BannerRecord);
  EXPECT_EQ(LiveStateIcon(Constants::XPM_TV_STATE_PAUSE_LIVE_TV), &Bitmaps::BannerTimeshift);
  EXPECT_EQ(LiveStateIcon(Constants::XPM_TV_STATE_LIVE_TV), nullptr);
}

class TimeshiftBanner : public NonMenuTest::NonMenuFixture {};

TEST_F(TimeshiftBanner, AFirstRateOfTwoShowsAndTheQuickMenuIsTheWayBack) {
  simtv_tv_reset();
  auto* banner = static_cast<TimeshiftStatusDialog*>(
      Open(&TimeshiftStatusDialog::Class, 0, Constants::MSG_FROM_QUICKMENU));
  ASSERT_NE(banner, nullptr);
  const VgClass* quickMenu = VgFindClass("QuickMenu::QuickMenu");
  ASSERT_NE(quickMenu, nullptr);
  EXPECT_EQ(banner->PrevState, quickMenu);
  EXPECT_EQ(banner->NextState, quickMenu);
  banner->OnSetPlayState(PlayForward);
  banner->OnSetPlayRate(2);
  EXPECT_TRUE(banner->rateText.Visible);
  EXPECT_EQ(Utf8(banner->rateText.String), "x2");
  banner->OnSetPlayRate(1);
  EXPECT_FALSE(banner->rateText.Visible);
}

}  // namespace
