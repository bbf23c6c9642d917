// The rules of the set-up and preferences hubs, the TV settings page and the
// 3D pages: rows by series and source, greyed rows, and which rows ask for a
// PIN first, on the booted root and the simulated set.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "AppServices/PersistentData.h"
#include "MenuSystem/SetupPages.h"
#include "NonMenuSystem/ChangePinDialog.h"
#include "NonMenuSystem/EnterPinDialog.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "ThreeD/ThreeDPages.h"
#include "older_pages_fixture.h"
#include "simtv.h"
#include "xpm.h"

namespace OlderPagesTest {

using namespace MenuSystem;

class SetupPagesTest : public OlderPagesFixture {
 protected:
  void SetSourceType(int32_t type) { simtv_av_set_source_type(model->GetCurrentSource(0), type); }
  static void SetPin(const char16_t* key) {
    MainApp::GetPersistentData()->PutString(VgNewString(key), VgNewString(u"1234"));
  }
  static std::vector<int32_t> Shown(ThirdMenu* page, int32_t rows) {
    std::vector<int32_t> shown;
    for (int32_t n = 1; n <= rows; ++n)
      if (page->Row(n)) shown.push_back(n);
    return shown;
  }
  // Activates a row and returns the non-menu screen it opened.
  template <class T>
  T* Activate(ThirdMenu* page, int32_t row) {
    Focus(page, row);
    Key(Key::Ok);
    for (Core::View* view = App()->NonMenuSystem->firstView; view; view = view->nextView)
      if (auto* found = vg_cast<T>(view)) return found;
    return nullptr;
  }
};

TEST_F(SetupPagesTest, PreferencesRowsFollowTheSeriesAndThePowerOnControlNeverShows) {
  struct Case {
    int32_t series;
    std::vector<int32_t> rows;
  };
  // The media renderer row needs a configured renderer, which this set has not.
  const std::vector<int32_t> common = {2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 14, 15, 17, 18};
  auto with = [&common](std::vector<int32_t> extra) {
    extra.insert(extra.end(), common.begin(), common.end());
    std::sort(extra.begin(), extra.end());
    return extra;
  };
  for (const Case& c : {Case{0, with({})}, Case{1, with({})}, Case{2, with({1, 16})}, Case{3, with({1, 16, 19})}}) {
    model->OnSetSeriesType(c.series);
    auto* page = Open<PreferencesMenu>();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Shown(page, 19), c.rows) << "series " << c.series;
    EXPECT_EQ(page->ItemsNum, static_cast<int32_t>(c.rows.size()));
    page->Close();
  }
}

TEST_F(SetupPagesTest, WithoutAPinTheLocksAreGreyedAndThePinSettingSetsOne) {
  auto* page = Open<PreferencesMenu>();
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(page->Row(12)->IsDisabled);
  auto* change = Activate<NonMenuSystem::ChangePinDialog>(page, 11);
  ASSERT_NE(change, nullptr);
  EXPECT_EQ(change->OnGetChangePinType(), NonMenuSystem::ChangePinDialog::TypeParental);
  change->Close();

  SetPin(u"Password");
  page = Open<PreferencesMenu>();
  EXPECT_FALSE(page->Row(12)->IsDisabled);
  auto* enter = Activate<NonMenuSystem::EnterPinDialog>(page, 11);
  ASSERT_NE(enter, nullptr);
  EXPECT_EQ(enter->OnGetEnterPinType(), 1);
  enter->Close();
  enter = Activate<NonMenuSystem::EnterPinDialog>(Open<PreferencesMenu>(), 12);
  ASSERT_NE(enter, nullptr);
  EXPECT_EQ(enter->OnGetEnterPinType(), 2);
}

TEST_F(SetupPagesTest, ScanRowsNeedTheTunerAndOnlyTheParentalPinGuardsTheScan) {
  SetSourceType(::Wrapper::kSourceTypeHdmi);
  auto* page = Open<SetupMenu>();
  ASSERT_NE(page, nullptr);
  for (int32_t row : {2, 3, 4, 6}) EXPECT_TRUE(page->Row(row)->IsDisabled) << row;
  for (int32_t row : {1, 5, 7, 11}) EXPECT_FALSE(page->Row(row)->IsDisabled) << row;
  page->Close();

  SetSourceType(::Wrapper::kSourceTypeTuner);
  SetPin(u"ThreeDPassword");
  page = Open<SetupMenu>();
  for (int32_t row : {2, 3, 4, 6}) EXPECT_FALSE(page->Row(row)->IsDisabled) << row;
  // Only the 3D PIN: the reset asks for a PIN, the scan does not.
  EXPECT_EQ(Activate<NonMenuSystem::EnterPinDialog>(page, 3), nullptr);
  EXPECT_STREQ(page->Row(3)->Target, "Channels::AutoTuningConfirmDialog");
  // The scan's question closes, with the menus, before the page opens anew.
  Key(Key::Exit);
  page = Open<SetupMenu>();
  auto* enter = Activate<NonMenuSystem::EnterPinDialog>(page, 11);
  ASSERT_NE(enter, nullptr);
  EXPECT_EQ(enter->OnGetEnterPinType(), 4);
  enter->Close();

  SetPin(u"Password");
  enter = Activate<NonMenuSystem::EnterPinDialog>(Open<SetupMenu>(), 3);
  ASSERT_NE(enter, nullptr);
  EXPECT_EQ(enter->OnGetEnterPinType(), 3);
}

TEST_F(SetupPagesTest, TVSettingsRowsFollowTheSourceAndTheAerial) {
  SetSourceType(::Wrapper::kSourceTypeHdmi);
  auto* page = Open<TVSettingsMenu>();
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(page->Row(1)->IsDisabled);
  EXPECT_TRUE(page->Row(2)->IsDisabled);
  EXPECT_TRUE(page->Row(4)->IsDisabled);
  page->Close();
  SetSourceType(::Wrapper::kSourceTypeDigitalTuner);
  model->OnSetAntCableIn(0);
  page = Open<TVSettingsMenu>();
  for (int32_t row : {1, 2, 3, 4}) EXPECT_FALSE(page->Row(row)->IsDisabled) << row;
  page->Close();
  model->OnSetAntCableIn(1);
  page = Open<TVSettingsMenu>();
  EXPECT_FALSE(page->Row(1)->IsDisabled);
  EXPECT_TRUE(page->Row(4)->IsDisabled);
}

TEST_F(SetupPagesTest, ChangingTheMenuLanguageRedrawsTheSetupPageAtOnce) {
  auto* page = Open<SetupMenu>();
  ASSERT_NE(page, nullptr);
  const std::string english = VgStringToUtf8(page->Caption);
  const std::string row = VgStringToUtf8(page->Row(1)->OnGetText());
  Key(Key::Right);
  ASSERT_NE(model->OnGetMenuLanguage(), 0);
  EXPECT_NE(VgStringToUtf8(page->Caption), english);
  EXPECT_NE(VgStringToUtf8(page->Row(1)->OnGetText()), row);
  EXPECT_EQ(VgStringToUtf8(page->Row(2)->HelpString),
            VgStringToUtf8(VgGetVariantOfString(&Strings::SID_EDIT)) + "," +
                VgStringToUtf8(VgGetVariantOfString(&Strings::SID_BACK)));
}

TEST_F(SetupPagesTest, ThreeDPinRowsCreateAPinFirstAndAskForItOnceSet) {
  auto* page = Open<ThreeD::ThreeDMenu>();
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(page->Row(4)->IsDisabled);
  auto* change = Activate<NonMenuSystem::ChangePinDialog>(page, 3);
  ASSERT_NE(change, nullptr);
  EXPECT_EQ(change->OnGetChangePinType(), NonMenuSystem::ChangePinDialog::TypeThreeD);
  change->Close();

  SetPin(u"ThreeDPassword");
  page = Open<ThreeD::ThreeDMenu>();
  EXPECT_FALSE(page->Row(4)->IsDisabled);
  for (auto [row, type] : {std::pair{3, 9}, std::pair{4, 10}}) {
    auto* enter = Activate<NonMenuSystem::EnterPinDialog>(page, row);
    ASSERT_NE(enter, nullptr) << row;
    EXPECT_EQ(enter->OnGetEnterPinType(), type);
    enter->Close();
    page = Open<ThreeD::ThreeDMenu>();
  }
}

TEST_F(SetupPagesTest, TheDepthIsAdjustableOnlyWhile2DIsMadeInto3D) {
  struct Case {
    int32_t input, mode;
    bool output, enabled;
  };
  for (const Case& c : {Case{1, 1, true, true}, Case{1, 1, false, false}, Case{1, 2, true, false},
                        Case{2, 2, true, false}, Case{2, 1, false, false}}) {
    simtv_tv_set_3d_input(c.input);
    XPM_3DTV_SetMode(c.mode);
    XPM_3DTV_SetOutput(c.output);
    auto* page = Open<ThreeD::ThreeDMenu>();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(!page->Row(1)->IsDisabled, c.enabled)
        << "input " << c.input << " mode " << c.mode << " state " << model->Setup3D.State;
    page->Close();
  }
}

TEST_F(SetupPagesTest, WithoutThe3DLockTheTimerLockIsClearedAndGreyed) {
  model->OnSetThreeDLock(1);
  model->OnSetThreeDTimerLock(1);
  auto* page = Open<ThreeD::ThreeDSafetyMenu>();
  ASSERT_NE(page, nullptr);
  EXPECT_FALSE(page->Row(3)->IsDisabled);
  Focus(page, 2);
  Key(Key::Right);
  ASSERT_EQ(model->OnGetThreeDLock(), 0);
  page->Close();
  page = Open<ThreeD::ThreeDSafetyMenu>();
  EXPECT_EQ(model->OnGetThreeDTimerLock(), 0);
  EXPECT_EQ(vg_cast<SubMenuItemValue>(page->Row(3))->ChoiceIndex, 0);
  EXPECT_TRUE(page->Row(3)->IsDisabled);
}

}  // namespace OlderPagesTest
