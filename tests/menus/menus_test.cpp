// The setup menus on the booted root: what MENU does and leaves to others,
// the closing sequence, the carousel's move, the second-level pages' rows and
// the option pop-up's reading and writing, against the simulated set.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppServices/OptionDB.h"
#include "AppServices/PersistentData.h"
#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "Core/Keys.h"
#include "MenuSystem/BrcmMainMenu.h"
#include "MenuSystem/BrcmOptionMenu.h"
#include "MenuSystem/BrcmSubMenu.h"
#include "MenuSystem/MenuSystem.h"
#include "NonMenuSystem/AdjustmentBar.h"
#include "OptionDatabase/OptionBinding.h"
#include "OptionDatabase/OptionTypes.h"
#include "SkinBin/OptionTypes.h"
#include "SubSystem/Open.h"
#include "WinIDs/WinIDs.h"
#include "mainapp_fixture.h"
#include "menus_fixture.h"
#include "sim_calls.h"
#include "simtv.h"
#include "xpm.h"

namespace MenusTest {

// ------------------------------------------------------------ the sub-system

TEST_F(MenusTest, MenuOpensTheStoredTopicWithItsPageAndClosingStoresTheTopicMoved) {
  StoreSetting("MainMenuIndex", "1");
  Start();
  EXPECT_NE(Key(Key::Menu), nullptr);
  BrcmMainMenu* main = Main();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(MainApp::GetWidgetManager()->FindForm(WinIDs::WIN_ID_MainMenu), main);
  EXPECT_EQ(main->Bounds, (VgRect{0, 0, 710, 540}));
  EXPECT_EQ(Menus()->Focus.get(), main);
  EXPECT_EQ(main->CurrentItemIndex, 2);
  ASSERT_NE(Page(), nullptr);
  EXPECT_STREQ(Page()->GetClass()->name, "MenuSystem::BrcmAudioMenu");
  EXPECT_EQ(Page()->Bounds, (VgRect{160, 0, 710, 540}));
  EXPECT_EQ(main->Topic(1)->Bounds, (VgRect{60, 100, 160, 170})) << "the current topic stands second";

  Key(Key::Menu);
  EXPECT_EQ(Main(), nullptr);
  EXPECT_EQ(Page(), nullptr);
  EXPECT_EQ(Setting("MainMenuIndex"), "1");

  Key(Key::Menu);
  Key(Key::Down);
  Run(300);
  Key(Key::Menu);
  EXPECT_EQ(Setting("MainMenuIndex"), "2");
}

TEST_F(MenusTest, MenuIsLeftToTheFactoryThePlayersAndTheApplicationsAndExitNeedsAMenu) {
  Start();
  auto refused = [&](Core::Event* event) { return Menus()->DispatchEvent(event) == nullptr && !Main(); };
  model->OnSetFactoryMode(VgNewString(u"S"));
  EXPECT_TRUE(refused(KeyOf(Key::Menu, true))) << "the front panel in the service mode";
  EXPECT_FALSE(refused(KeyOf(Key::Menu))) << "the remote's MENU stays the menus'";
  Key(Key::Menu);
  model->OnSetFactoryMode(VgNewString(u""));
  XPM_SetExtOemProperty(XPM_OEM_KEY_HELD_VOLUME_DOWN, 1);
  EXPECT_TRUE(refused(KeyOf(Key::Menu, true))) << "half of the service-mode combination";
  XPM_SetExtOemProperty(XPM_OEM_KEY_HELD_VOLUME_DOWN, 0);

  OpenSpy(App()->NonMenuSystem, "player", WinIDs::WIN_ID_MediaPlayer + 1, 0x100);
  EXPECT_TRUE(refused(KeyOf(Key::Menu))) << "a media player is open";

  EXPECT_EQ(Menus()->DispatchEvent(KeyOf(Key::Exit)), nullptr) << "no menu to exit";
  EXPECT_EQ(Menus()->DispatchEvent(KeyOf(Key::ClearAll)), nullptr);
}

TEST_F(MenusTest, ATimeOutClosesEveryLayerAndPutsThePictureAidsAway) {
  Start();
  BrcmSubMenu* page = EnterPage(1, 4);
  ASSERT_NE(page, nullptr);
  ASSERT_NE(PopUp(), nullptr);
  model->OnSetTestPattern(1);
  model->OnSetWB_WindowDisplay(1);
  model->SetRGBFilter(0x010001);
  Menus()->SetMenuIndex(5, 3);

  Advance(59999);
  EXPECT_NE(Main(), nullptr);
  Advance(1);
  EXPECT_EQ(Main(), nullptr);
  EXPECT_EQ(Page(), nullptr);
  EXPECT_EQ(PopUp(), nullptr);
  EXPECT_EQ(Menus()->Focus.get(), nullptr);
  EXPECT_EQ(model->OnGetTestPattern(), 0);
  EXPECT_EQ(model->OnGetWB_WindowDisplay(), 0);
  EXPECT_EQ(model->GetRGBFilter(), 0x111111);
  for (int32_t level = 2; level <= MenuSystem::MenuSystem::Levels; ++level)
    EXPECT_EQ(Menus()->GetMenuIndex(level), 1) << "level " << level;
  EXPECT_EQ(Menus()->GetMenuIndex(1), 1);
}

// -------------------------------------------------------------- the carousel

TEST_F(MenusTest, TheCarouselWrapsInSixFramesAndSwallowsKeysMeanwhile) {
  StoreSetting("MainMenuIndex", "6");
  Start();
  Key(Key::Menu);
  BrcmMainMenu* main = Main();
  ASSERT_EQ(main->CurrentItemIndex, 7);
  EXPECT_NE(Key(Key::Down), nullptr);
  EXPECT_TRUE(main->OnGetAnimating());
  EXPECT_TRUE(model->IsAnimating());
  EXPECT_EQ(Page(), nullptr) << "the page leaves with the move";

  // Two frames in: the Locks topic comes in from below as the CC topic
  // leaves above.
  Run(100);
  EXPECT_EQ(main->Topic(4)->Opacity, 2 * 40 + 15);
  EXPECT_EQ(main->Topic(5)->Opacity, 255 - 2 * 40);
  // Swallowed: the move goes on as it was.
  EXPECT_NE(Key(Key::Down), nullptr);
  EXPECT_NE(Key(Key::Up), nullptr);
  Run(190);
  EXPECT_EQ(main->CurrentItemIndex, 7);
  Run(10);
  EXPECT_FALSE(main->OnGetAnimating());
  EXPECT_EQ(main->CurrentItemIndex, 1);
  EXPECT_EQ(main->Focus.get(), main->Topic(0));
  EXPECT_EQ(main->Topic(0)->Bounds, (VgRect{60, 100, 160, 170}));
  EXPECT_FALSE(main->Topic(5)->Visible) << "the topic that left above";
  ASSERT_NE(Page(), nullptr);
  EXPECT_STREQ(Page()->GetClass()->name, "MenuSystem::BrcmPictureMenu");
  // The focused topic's tile lights up, and then the model leaves its
  // animation mode.
  EXPECT_TRUE(model->IsAnimating());
  Run(8 * 40);
  EXPECT_FALSE(model->IsAnimating());
  EXPECT_EQ(main->Topic(0)->iconImage.FrameNumber, BrcmMainMenuItem::LitFrame);
}

TEST_F(MenusTest, WhileTheLivePictureIsHeldThereIsNoLocksTopicAndAStoredSeventhTopicIsTheFirst) {
  StoreSetting("MainMenuIndex", "6");
  Start();
  simtv_tv_set_live_tv_state(1, 3);
  Key(Key::Menu);
  BrcmMainMenu* main = Main();
  EXPECT_EQ(main->ItemsNum, 6);
  EXPECT_EQ(main->CurrentItemIndex, 1);
  EXPECT_EQ(main->items[4].owner.get(), nullptr);
  // Every topic is on show: the spare stands in for the one that wraps.
  Key(Key::Up);
  Run(100);
  EXPECT_TRUE(main->items[BrcmMainMenu::Topics].Visible);
  Run(200);
  EXPECT_FALSE(main->items[BrcmMainMenu::Topics].Visible);
  EXPECT_EQ(main->CurrentItemIndex, 6);
  EXPECT_EQ(main->Topic(5)->Bounds, (VgRect{60, 100, 160, 170}));
  EXPECT_EQ(main->Topic(4)->Bounds, (VgRect{60, 15, 160, 85}));
}

TEST_F(MenusTest, ARestoredRowThatThePageNoLongerHasGivesTheFirstRow) {
  Start();
  BrcmSubMenu* page = EnterPage(1, 8);
  ASSERT_EQ(page->ItemsNum, 6);
  EXPECT_EQ(page->CurrentItemIndex, 1);
  EXPECT_EQ(Utf8(FocusedRow(page)->Text), "Picture Settings");
  EXPECT_EQ(FocusedRow(page)->Bounds, (VgRect{20, 100, 550, 170}));
}

// ---------------------------------------------------------------- the pop-up

TEST_F(MenusTest, TheOptionPopUpOpensUnfocusedAndWritesEachChoiceTheFocusTakes) {
  Start();
  Menus()->SetMenuIndex(2, 4);
  Key(Key::Menu);
  BrcmSubMenu* page = Page();
  EXPECT_EQ(PopUp(), nullptr) << "no pop-up while the page has no focus";
  // The pop-up waits for the focus to settle: one idle pass.
  Press(Key::Right);
  VgProcessSignals();
  EXPECT_EQ(PopUp(), nullptr);
  VgProcessSignals();
  BrcmOptionMenu* popUp = PopUp();
  ASSERT_NE(popUp, nullptr);
  EXPECT_EQ(Utf8(FocusedRow(page)->Text), "View Mode");
  EXPECT_EQ(popUp->OptionType, SkinBin::OPTION_TYPE_PICTURE_SIZE);
  EXPECT_EQ(popUp->Bounds.x1, 710);
  EXPECT_EQ(popUp->Bounds.y1, 95);
  EXPECT_FALSE(popUp->Focused);
  EXPECT_EQ(popUp->CurrentItemIndex, 1);

  simtv_clear_calls();
  Key(Key::Right);
  EXPECT_EQ(Menus()->Focus.get(), popUp);
  EXPECT_TRUE(ChangingCalls().empty()) << "entering the pop-up changes nothing";
  const std::string second = Utf8(vg_cast<BrcmSubMenuItem>(popUp->GetCtrlAt(1))->Text);
  Key(Key::Down);
  EXPECT_EQ(ViewMode(), 1);
  EXPECT_FALSE(ChangingCalls().empty());
  EXPECT_EQ(Utf8(FocusedRow(page)->ValueString), second) << "the row behind shows the choice";

  Key(Key::Left);
  EXPECT_EQ(Menus()->Focus.get(), page);
  Advance(0);
  EXPECT_EQ(PopUp(), popUp) << "the pop-up stays beside the page";
  EXPECT_EQ(ViewMode(), 1);
}

// A page of a value row whose option the database does not have, then one
// that it has.
constexpr MenuSystem::RowDef kMissingOptionRows[] = {
    {OptionDatabase::Fixed("Missing"), MenuSystem::RowKind::Value, OptionDatabase::OptionId(1, 0x7F)},
    {OptionDatabase::Fixed("Noise"), MenuSystem::RowKind::Value, SkinBin::OPTION_TYPE_DNR},
};
constexpr MenuSystem::PageTable kMissingOptionPage{.title = OptionDatabase::Fixed("Test"),
                                                   .rows = kMissingOptionRows};
class MissingOptionPage : public BrcmSubMenu {
  VG_CLASS()

 public:
  MissingOptionPage() : BrcmSubMenu(kMissingOptionPage) {}
};

}  // namespace MenusTest
VG_DEFINE_CLASS(MenusTest, MissingOptionPage, ::MenuSystem::BrcmSubMenu)
namespace MenusTest {

TEST_F(MenusTest, AValueRowWithoutAnOptionOpensNoPopUpAndKeepsItsText) {
  Start();
  Key(Key::Menu);
  auto* page = vg_cast<BrcmSubMenu>(SubSystem::Open(Menus(), {.screen = &MissingOptionPage::Class}));
  page->Row(1)->OnSetValueString(VgNewString(u"kept"));
  Menus()->OnSetFocus(page);
  Advance(0);
  EXPECT_EQ(PopUp(), nullptr);
  Key(Key::Ok);
  EXPECT_EQ(PopUp(), nullptr);
  EXPECT_EQ(Menus()->Focus.get(), page);
  EXPECT_EQ(Utf8(page->Row(1)->ValueString), "kept");
  Key(Key::Down);
  Run(300);
  ASSERT_NE(PopUp(), nullptr);
  EXPECT_EQ(PopUp()->OptionType, SkinBin::OPTION_TYPE_DNR);
}

// A value row shares its width between caption and value: the value stops
// short of the arrow the focused row shows, a caption too long for both ends
// in an ellipsis where the value begins, and a value too long for its column
// ends in one; a caption that fits again is shown whole. The value's font
// fits the height of its box.
TEST_F(MenusTest, AValueRowsValueEndsBeforeItsArrowAndALongCaptionYieldsToIt) {
  Start();
  auto* row = VgNew<BrcmSubMenuItem>();
  VgLockObject(row);
  row->OnSetIsItemValue(true);
  row->OnSetText(VgNewString(u"Bloquear programas sin clasificar en todas las entradas"));
  row->OnSetValueString(VgNewString(u"Apagado"));
  row->Refresh();
  const VgRect value = row->valueText.Bounds;
  EXPECT_LE(value.x2, row->rightArrow.Bounds.x1);
  EXPECT_EQ(value.x2 - value.x1, row->valueText.Font->GetTextWidth(row->valueText.String, 0, 0))
      << "the value keeps its whole width";
  EXPECT_LE(row->valueText.Font->OnGetAscent() + row->valueText.Font->OnGetDescent(), value.y2 - value.y1)
      << "the value's letters keep their tails in its box";
  EXPECT_LT(row->caption.Bounds.x2, value.x1);
  EXPECT_NE(Utf8(row->caption.shownText), Utf8(row->caption.String)) << "the caption ends in an ellipsis";

  row->OnSetValueString(VgNewString(u"Zone 6 - Eastern Standard Time of North America"));
  row->OnSetText(VgNewString(u"Time Zone"));
  row->Refresh();
  EXPECT_EQ(Utf8(row->caption.shownText), "Time Zone");
  EXPECT_EQ(row->valueText.Bounds.x1, 300) << "the value keeps its column";
  EXPECT_LE(row->valueText.Bounds.x2, row->rightArrow.Bounds.x1);
  EXPECT_NE(Utf8(row->valueText.shownText), Utf8(row->valueText.String)) << "the value ends in an ellipsis";
  VgUnlockObject(row);
}

TEST_F(MenusTest, APopUpIsAsTallAsItsChoicesAndAnOptionWithoutChoicesHasNone) {
  Start();
  Key(Key::Menu);
  auto open = [&](int32_t option) {
    return vg_cast<BrcmOptionMenu>(
        SubSystem::Open(Menus(), {.screen = &BrcmOptionMenu::Class, .value = option}));
  };
  EXPECT_EQ(VgGetRectSize(open(0x8300000A)->Bounds), (VgPoint{212, 55}));
  EXPECT_EQ(VgGetRectSize(open(SkinBin::OPTION_TYPE_DNR)->Bounds), (VgPoint{212, 215}));
  EXPECT_TRUE(BrcmOptionMenu::HasChoices(SkinBin::OPTION_TYPE_DNR));
  EXPECT_FALSE(BrcmOptionMenu::HasChoices(OptionDatabase::OptionId(1, 0x7F)));
}

}  // namespace MenusTest

namespace MenusTest {

// ------------------------------------------------------------------ the pages

TEST_F(MenusTest, ThePicturePagesShowTheRowsOfThisSetAndABarRowHidesTheMenu) {
  Start();
  BrcmSubMenu* picture = EnterPage(1, 1);
  EXPECT_EQ(Rows(picture), (std::vector<std::string>{"Picture Settings", "Advanced Settings", "Auto Aspect",
                                                     "View Mode", "RESET PICTURE", "HDMI Output Resolution"}));
  Menus()->SetMenuIndex(3, 7);
  Key(Key::Ok);
  BrcmSubMenu* settings = Page();
  ASSERT_STREQ(settings->GetClass()->name, "MenuSystem::BrcmPictureSettingsMenu");
  EXPECT_EQ(Utf8(settings->Labelstring), "Picture - Picture Settings");
  EXPECT_EQ(Menus()->Focus.get(), settings);
  EXPECT_TRUE(settings->Row(1)->slider.Visible) << "Brightness shows its value as a slider";
  EXPECT_FALSE(settings->Row(7)->slider.Visible) << "Color Temperature does not";
  EXPECT_EQ(Utf8(FocusedRow(settings)->Text), "Color Temperature");

  Key(Key::Ok);
  auto* bar = vg_cast<NonMenuSystem::AdjustmentBar>(MainApp::GetWidgetManager()->FindForm(WinIDs::WIN_ID_AdjustmentBar));
  ASSERT_NE(bar, nullptr) << "the bar opens over the hidden menu";
  EXPECT_STREQ(bar->GetClass()->name, "NonMenuSystem::AdjustmentBarQOR");
  EXPECT_EQ(bar->row.OptionType, SkinBin::OPTION_TYPE_COLOR_TEMPERATURE);
  EXPECT_FALSE(Main()->Visible);
  EXPECT_FALSE(settings->Visible);

  // A page opened by no key would wait while the bar has the keys over it.
  bar->Close();
  Advance(0);
  auto* advanced = vg_cast<BrcmSubMenu>(SubSystem::Open(Menus(), "MenuSystem::BrcmAdvancedSettingsMenu"));
  ASSERT_NE(advanced, nullptr);
  EXPECT_EQ(Rows(advanced), (std::vector<std::string>{"Dynamic Contrast"}));
}

// Menus hidden for a screen they opened stay open while a screen would go
// back to them: one a menu row opened, or one whose way back is an open page,
// and screens that leave meanwhile change nothing. Once the last such screen
// is replaced by one that does not go back, they close after the key that
// replaced it (not during it), and MENU opens them again.
TEST_F(MenusTest, HiddenMenusCloseWhenNoScreenIsLeftToGoBackToThem) {
  Start();
  EnterPage(1, 1);
  Menus()->SetMenuIndex(3, 7);
  Key(Key::Ok);
  BrcmSubMenu* settings = Page();
  Key(Key::Ok);
  ::WidgetManager::WidgetManager* widgets = MainApp::GetWidgetManager();
  auto* bar = widgets->FindForm(WinIDs::WIN_ID_AdjustmentBar);
  ASSERT_NE(bar, nullptr);
  ASSERT_FALSE(settings->Visible);
  NonMenuSystem::NonMenuSystem* others = App()->NonMenuSystem;

  OpenSpy(others, "banner", 0, 0x4000)->Close();
  Advance(0);
  EXPECT_EQ(Menus()->Focus.get(), settings) << "the bar still goes back to the menus";

  // A screen of the bar's layer whose way back is the hidden page.
  auto* step = VgNew<MainAppTest::Spy>();
  step->Layer = bar->Layer;
  step->PrevState = settings->GetClass();
  step->Parent = others;
  step->Open();
  EXPECT_EQ(bar->owner.get(), nullptr);
  Advance(0);
  EXPECT_EQ(Menus()->Focus.get(), settings) << "the step goes back to the page";

  OpenSpy(others, "quick", 0, bar->Layer);
  EXPECT_NE(Main(), nullptr) << "the menus close after the key, when a screen going back has got there";
  Advance(0);
  EXPECT_EQ(Main(), nullptr);
  EXPECT_EQ(Page(), nullptr);
  EXPECT_EQ(Menus()->Focus.get(), nullptr);
  EXPECT_EQ(Menus()->GetMenuIndex(3), 1);

  Key(Key::Menu);
  ASSERT_NE(Main(), nullptr);
  EXPECT_EQ(Main()->CurrentItemIndex, 1) << "the topic is remembered";
  EXPECT_TRUE(Main()->Visible);
  OpenSpy(others, "banner", 0, 0x4000)->Close();
  Advance(0);
  EXPECT_NE(Main(), nullptr) << "menus in sight are open";
}

TEST_F(MenusTest, TheAudioPageFollowsTheSourceTheChannelAndTheSoundEffect) {
  Start();
  auto rows = [&] {
    auto* page = vg_cast<BrcmSubMenu>(SubSystem::Open(Menus(), "MenuSystem::BrcmAudioMenu"));
    return Rows(page);
  };
  const int32_t source = model->GetCurrentSource(0);
  simtv_av_set_source_type(source, 5);
  EXPECT_EQ(rows(), (std::vector<std::string>{"Treble & Bass", "Equalizer", "Optical Out (SPDIF)", "Balance",
                                              "RESET AUDIO"}))
      << "an HDMI input has neither preference";
  simtv_av_set_source_type(source, 1);
  simtv_av_set_channel(0, 7, 1);
  EXPECT_EQ(rows()[3], "Digital Perference");
  simtv_av_set_channel(0, 7, 0);
  EXPECT_EQ(rows()[3], "Analog Perference");

  model->OnSetAudioEffect(1);
  std::vector<std::string> shown = rows();
  EXPECT_EQ(shown[0], "Dynamic Volume");
  EXPECT_EQ(shown[1], "AEQ");
  model->OnSetAudioEffect(0);
  EXPECT_EQ(rows()[0], "Treble & Bass");
  EXPECT_STREQ(Page()->Row(3)->Target, "MenuSystem::BrcmTrebleBassMenu");
  EXPECT_FALSE(Page()->Row(3)->IsItemValue);
}

TEST_F(MenusTest, LeftOnAnInPlaceSliderChangesTheSoundAtOnce) {
  Start();
  simtv_av_set_source_type(model->GetCurrentSource(0), 5);
  BrcmSubMenu* page = EnterPage(2, 4);
  BrcmSubMenuItem* balance = FocusedRow(page);
  ASSERT_EQ(Utf8(balance->Text), "Balance");
  EXPECT_EQ(balance->Focus.get(), &balance->slider);
  const int32_t before = model->OnGetBalance();
  simtv_clear_calls();
  Key(Key::Left);
  EXPECT_EQ(model->OnGetBalance(), before - 1);
  EXPECT_FALSE(ChangingCalls().empty());
  EXPECT_EQ(Menus()->Focus.get(), page) << "the page keeps the focus";
  EXPECT_EQ(Utf8(balance->ValueString), std::to_string(balance->slider.Value));
}

}  // namespace MenusTest
