// The Channel, Locks and ratings pages and the PIN pages: the rows this set
// shows, the rules that follow the source and the stored rating region, and
// what each PIN type makes of its page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Core/KeyEvent.h"
#include "AppServices/PersistentData.h"
#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "PersistentData/PersistentData.h"
#include "MenuSystem/ChannelPages.h"
#include "MenuSystem/PinPages.h"
#include "SubSystem/Open.h"
#include "WinIDs/WinIDs.h"
#include "menus_fixture.h"
#include "simtv.h"

namespace MenusTest {

namespace {

template <class Page>
Page* OpenPage(MenuSystem::MenuSystem* menus, int32_t value = 0) {
  return vg_cast<Page>(SubSystem::Open(menus, {.screen = &Page::Class, .value = value}));
}

}  // namespace

TEST_F(MenusTest, TheChannelPageShowsSevenRowsAndFavoritesPicksTheBrowserListOfTheSource) {
  Start();
  auto* page = OpenPage<MenuSystem::BrcmChannelsMenu>(Menus());
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(Rows(page), (std::vector<std::string>{"Master List", "Favorites", "Tuner", "Scan Channels",
                                                  "Find Channel", "EPG Tuning Mode", "Channel Logo Setting"}));
  EXPECT_EQ(page->Row(7)->PinType, 3) << "the scan is behind the PIN";

  const int32_t source = model->GetCurrentSource(0);
  simtv_av_set_source_type(source, 5);
  model->OnSetCurrentCBList(3);
  page->DoActivate(page->Row(2));
  EXPECT_EQ(model->OnGetCurrentCBList(), 0) << "an HDMI input browses all its channels";
  EXPECT_EQ(Setting("CurrentCBList"), "0");

  // The browser that the row opened has the keys over the page: a page
  // opened by no key would wait for it to go.
  auto* browser = MainApp::GetWidgetManager()->FindForm(WinIDs::WIN_ID_ChBrowserDialog);
  ASSERT_NE(browser, nullptr);
  browser->Close();
  Advance(0);
  page = OpenPage<MenuSystem::BrcmChannelsMenu>(Menus());
  ASSERT_NE(page, nullptr);
  simtv_av_set_source_type(source, 1);
  page->DoActivate(page->Row(2));
  EXPECT_EQ(model->OnGetCurrentCBList(), 3) << "a tuner browses its favourites";
  page->DoActivate(page->Row(1));
  EXPECT_EQ(model->OnGetCurrentCBList(), 3) << "only Favorites changes the list";
}

TEST_F(MenusTest, TheRatingsPageOffersDownloadableRatingsOnlyForAStoredRegionWithDimensions) {
  Start();
  Menus()->SetMenuIndex(3, 6);
  auto* page = OpenPage<MenuSystem::BrcmRatingsLocksMenu>(Menus());
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(Rows(page), (std::vector<std::string>{"Block Unrated Shows", "USA - TV", "USA - Movie", "CAN - English",
                                                  "CAN - French"}));
  EXPECT_EQ(page->CurrentItemIndex, 1) << "a stored sixth row falls back to the first";
  EXPECT_EQ(Utf8(page->Labelstring), "Locks - Ratings Locks");
  EXPECT_EQ(page->MenuLevel, 3);

  simtv_tv_set_rating_region(5, "Region 5", 0, 0);
  MainApp::GetPersistentData()->PutInteger(VgNewString(u"RRTRegion"), 5);
  page = OpenPage<MenuSystem::BrcmRatingsLocksMenu>(Menus());
  EXPECT_EQ(page->ItemsNum, 5) << "a region without dimensions offers nothing";

  simtv_tv_set_rating_region(5, "Region 5", 2, 3);
  Menus()->SetMenuIndex(3, 6);
  page = OpenPage<MenuSystem::BrcmRatingsLocksMenu>(Menus());
  EXPECT_EQ(page->ItemsNum, 6);
  EXPECT_EQ(Utf8(page->Row(6)->Text), "DownLoadable U.S Rating");
  EXPECT_EQ(page->CurrentItemIndex, 6);
}

TEST_F(MenusTest, APinTypeSetsThePagesLevelTitleAndWays) {
  Start();
  auto* change = OpenPage<MenuSystem::ChangePinMenu>(Menus(), 3);
  ASSERT_NE(change, nullptr);
  EXPECT_EQ(change->MenuLevel, 3);
  EXPECT_EQ(Utf8(change->Labelstring), "Locks - Change PIN");
  EXPECT_EQ(change->PrevState, VgFindClass("MenuSystem::BrcmLocksMenu"));
  EXPECT_EQ(change->NextState, VgFindClass("MenuSystem::BrcmLocksMenu"));
  EXPECT_EQ(change->ItemsNum, 0);

  change = OpenPage<MenuSystem::ChangePinMenu>(Menus(), 1);
  EXPECT_EQ(change->MenuLevel, 2);
  EXPECT_EQ(Utf8(change->Labelstring), "Locks");
  EXPECT_EQ(change->PrevState, VgFindClass("MenuSystem::BrcmMainMenu"));

  auto* enter = OpenPage<MenuSystem::EnterPinMenu>(Menus(), 7);
  EXPECT_EQ(enter->EnterPinType, 7) << "an unknown type is kept";
  EXPECT_EQ(enter->MenuLevel, 2);
  EXPECT_EQ(enter->NextState, nullptr);
}

TEST_F(MenusTest, TheNewPinNeverReachesTheLog) {
  Start();
  auto* change = OpenPage<MenuSystem::ChangePinMenu>(Menus(), 1);
  testing::internal::CaptureStdout();
  for (int digit : {7, 3, 9, 1}) change->DispatchEvent(VgNew<Core::KeyEvent>()->Initialize(Key::Digit0 + digit, true));
  const std::string output = testing::internal::GetCapturedStdout();
  EXPECT_NE(output.find("store the first input password."), std::string::npos) << output;
  EXPECT_EQ(output.find("7391"), std::string::npos) << output;
  EXPECT_EQ(change->Focus.get(), &change->confirmPin);
}

}  // namespace MenusTest
