// The Settings, Record, Media and Networking pages: the rows each shows by
// the state of the set, and the rows with rules of their own.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "AppServices/PersistentData.h"
#include "AppServices/Wrapper.h"
#include "MainApp/ActiveApp.h"
#include "MenuSystem/RecordPages.h"
#include "MenuSystem/SettingsPages.h"
#include "NonMenuSystem/DirectMessageBar.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "PersistentData/PersistentData.h"
#include "SubSystem/Open.h"
#include "menus_fixture.h"
#include "sim_calls.h"
#include "simtv.h"

namespace MenusTest {

namespace {

template <class Page>
Page* OpenPage(MenuSystem::MenuSystem* menus) {
  return vg_cast<Page>(SubSystem::Open(menus, {.screen = &Page::Class}));
}

bool Has(const std::vector<std::string>& rows, const std::string& row) {
  return std::find(rows.begin(), rows.end(), row) != rows.end();
}

}  // namespace

TEST_F(MenusTest, TheRecordPageFollowsTheSourcePausedLiveTvRecordingsAndTheDisk) {
  Start();
  const int32_t tuner = model->GetCurrentTunerId();
  simtv_tv_set_live_tv_state(tuner, 2);
  auto* page = OpenPage<MenuSystem::BrcmRecordMenu>(Menus());
  ASSERT_NE(page, nullptr);
  std::vector<std::string> rows = Rows(page);
  EXPECT_TRUE(Has(rows, "Timeshift Status"));
  EXPECT_TRUE(Has(rows, "Program Guide"));
  for (const char* gone : {"Timeshift Duration", "USB Speed Check", "USB Disk Format", "Record All Tuner1"})
    EXPECT_FALSE(Has(rows, gone)) << gone;

  simtv_tv_set_live_tv_state(tuner, 1);
  simtv_tv_set_live_tv_state(1 - tuner, 3);
  page = OpenPage<MenuSystem::BrcmRecordMenu>(Menus());
  rows = Rows(page);
  EXPECT_TRUE(Has(rows, "Timeshift Duration"));
  EXPECT_FALSE(Has(rows, "Timeshift Status"));
  EXPECT_FALSE(Has(rows, "USB Speed Check")) << "a recording keeps the disk";
  EXPECT_FALSE(Has(rows, "USB Disk Format"));

  simtv_tv_set_live_tv_state(1 - tuner, 1);
  simtv_av_set_source_type(model->GetCurrentSource(0), 5);
  Menus()->SetMenuIndex(2, 9);
  page = OpenPage<MenuSystem::BrcmRecordMenu>(Menus());
  rows = Rows(page);
  EXPECT_EQ(rows.front(), "Manual Schedule") << "an input has no guide";
  EXPECT_EQ(page->ItemsNum, 7);
  EXPECT_EQ(page->CurrentItemIndex, 1) << "a stored row past the last falls back to the first";
}

TEST_F(MenusTest, TheDiskRowsOfTheRecordPageAskForTheDiskOrThePin) {
  Start();
  simtv_usb_remove();
  auto* page = OpenPage<MenuSystem::BrcmRecordMenu>(Menus());
  ASSERT_NE(page, nullptr);
  for (int32_t n : {5, 6, 7}) {
    EXPECT_STREQ(page->Row(n)->Target, "Record::USBDiskErrorDialog") << n;
    EXPECT_EQ(page->Row(n)->PinType, 0);
  }
  simtv_usb_insert(SIMTV_USB_DEFAULT_KB, "vfat");
  ASSERT_TRUE(model->IsUSBDiskMounted());
  page = OpenPage<MenuSystem::BrcmRecordMenu>(Menus());
  EXPECT_STREQ(page->Row(7)->Target, "Record::USBDiskFormatDialog");
  EXPECT_EQ(page->Row(7)->PinType, 12) << "the format asks for the PIN while one is set";
  EXPECT_STREQ(page->Row(5)->Target, "Record::USBDiskStatusDialog");
}

TEST_F(MenusTest, ManualScheduleWithEveryTimerTakenTellsTheViewerAndHidesTheMenus) {
  Start();
  auto* page = OpenPage<MenuSystem::BrcmScheduleRecordMenu>(Menus());
  ASSERT_NE(page, nullptr);
  simtv_fail("DB_Get_Free_Timer_Id", 1, 1);
  page->DoActivate(page->Row(2));
  EXPECT_FALSE(page->Visible);
  EXPECT_STREQ(page->Row(2)->Target, "NonMenuSystem::DirectMessageBar");
  NonMenuSystem::DirectMessageBar* bar = nullptr;
  for (Core::View* view = App()->NonMenuSystem->firstView; view; view = view->nextView)
    if (auto* found = vg_cast<NonMenuSystem::DirectMessageBar>(view)) bar = found;
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->IsShortcut);
}

TEST_F(MenusTest, TheSettingsPagesRowsAndTheirRules) {
  Start();
  auto* settings = OpenPage<MenuSystem::BrcmSettingsMenu>(Menus());
  ASSERT_NE(settings, nullptr);
  EXPECT_EQ(Rows(settings),
            (std::vector<std::string>{"Input Labels", "Scale Window", "Closed Captions", "Date & Time", "Menu Language",
                                      "System Info", "Networking", "Home Network", "Front Panel LED Display",
                                      "Reset All"}));
  EXPECT_EQ(settings->Row(14)->PinType, 4);
  EXPECT_EQ(settings->Row(14)->OptionType, 33);

  model->OnSetPipMode(0);
  auto* pip = OpenPage<MenuSystem::BrcmPIPMenu>(Menus());
  EXPECT_EQ(pip->ItemsNum, 1);
  EXPECT_TRUE(pip->Row(2)->IsDisabled);
  EXPECT_FALSE(pip->Row(1)->IsDisabled);
  model->OnSetPipMode(1);
  pip = OpenPage<MenuSystem::BrcmPIPMenu>(Menus());
  EXPECT_EQ(pip->ItemsNum, 6);
  EXPECT_FALSE(pip->Row(6)->IsDisabled);
  simtv_clear_calls();
  pip->SwapSource();
  EXPECT_EQ(Page(), nullptr) << "the menus close before the swap";
  const std::vector<std::string> calls = RecordedCalls();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "XPM_SwapSource"), 1);

  auto* scale = OpenPage<MenuSystem::BrcmScaleWindowMenu>(Menus());
  EXPECT_EQ(FocusedRow(scale), scale->Row(3)) << "opens on H-Size";
}

TEST_F(MenusTest, TheScreenSaverSwatchTakesOnlyAWellFormedColour) {
  VgColor colour{1, 2, 3, 200};
  EXPECT_TRUE(MenuSystem::ParseScreenSaverColor(VgNewString(u"00255000128"), &colour));
  EXPECT_EQ(colour.red, 255);
  EXPECT_EQ(colour.green, 0);
  EXPECT_EQ(colour.blue, 128);
  EXPECT_EQ(colour.alpha, 200);
  for (const char16_t* bad : {u"00256000128", u"0025", u"", u"00-25000128", u"002550001289"})
    EXPECT_FALSE(MenuSystem::ParseScreenSaverColor(VgNewString(bad), &colour)) << VgStringToUtf8(VgNewString(bad));
  EXPECT_EQ(colour.red, 255);

  Start();
  ::PersistentData::PersistentData* store = MainApp::GetPersistentData();
  store->PutString(VgNewString(u"ScreenSaverColor"), VgNewString(u"12010020030"));
  auto* page = OpenPage<MenuSystem::BrcmScreenSaverMenu>(Menus());
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(page->Row(2)->IsColor);
  EXPECT_EQ(page->Row(2)->Color.green, 20);
  store->PutString(VgNewString(u"ScreenSaverColor"), VgNewString(u"0025"));
  page = OpenPage<MenuSystem::BrcmScreenSaverMenu>(Menus());
  EXPECT_EQ(page->Row(2)->Color.blue, 255) << "the swatch keeps its own colour";
}

TEST_F(MenusTest, NetworkTypeShowsOrHidesWirelessSetupAtOnce) {
  Start();
  model->OnSetNetworkType(1);
  auto* page = OpenPage<MenuSystem::BrcmNetworkingMenu>(Menus());
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(Rows(page), (std::vector<std::string>{"Network Type", "Wireless Setup", "Network Setup", "Test Connection"}));
  const int32_t secondY = page->Row(2)->Bounds.y1;
  model->OnSetNetworkType(0);
  page->LoadSettings();
  EXPECT_EQ(Rows(page), (std::vector<std::string>{"Network Type", "Network Setup", "Test Connection"}));
  EXPECT_FALSE(page->Row(2)->Visible);
  EXPECT_TRUE(page->Row(3)->Visible);
  EXPECT_EQ(page->Row(3)->Bounds.y1, secondY) << "the carousel closes the gap";
}

}  // namespace MenusTest
