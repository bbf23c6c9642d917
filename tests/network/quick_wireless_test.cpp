// The framed wireless dialogs' rules: where OK leads in the scan list, what
// the manual dialog takes and joins with, and when a WPS or key dialog
// starts anything.
#include <gtest/gtest.h>

#include <string>

#include "AppServices/Wrapper.h"
#include "Events/Events.h"
#include "Network/AssistedSetup.h"
#include "Network/CancelDialog.h"
#include "Network/QuickWireless.h"
#include "Network/SecurityRules.h"
#include "Network/WpsDialogs.h"
#include "SkinBin/NetworkSetup.h"
#include "Structures/Devices.h"
#include "nonmenu_fixture.h"
#include "simtv.h"

namespace {

using Network::WirelessAdvancedDialog;

class QuickWireless : public NonMenuTest::NonMenuFixture {
 protected:
  void SetUp() override {
    NonMenuFixture::SetUp();
    simtv_tv_clear_access_points();
    simtv_clear_calls();
  }
  bool Shows(const VgClass* cls) const {
    for (Core::View* view = system->firstView; view; view = view->nextView)
      if (view->GetClass() == cls) return true;
    return false;
  }
  static SkinBin::Wrapper* Model() { return MainApp::GetWrapper(); }
  // How often the named platform call was made since the last clear.
  static int Calls(const std::string& name) {
    int count = 0;
    char text[256];
    for (int i = 0; i < simtv_call_count(); ++i)
      if (simtv_call_text(i, text, sizeof text) == 0 && std::string(text).rfind(name + " ", 0) == 0) ++count;
    return count;
  }
};

TEST_F(QuickWireless, AnEmptyScanShowsThePanelWhereItBelongs) {
  auto* scan = static_cast<Network::WirelessScanDialog*>(Open(&Network::WirelessScanDialog::Class));
  ASSERT_NE(scan, nullptr);
  EXPECT_TRUE(scan->IsScanning());
  scan->HandleEvent(VgNew<Events::WlanScanCompleteEvent>());
  ASSERT_NE(scan->NoApFoundPanel, nullptr);
  EXPECT_EQ(scan->NoApFoundPanel->Bounds.x1, 283);
  EXPECT_EQ(scan->NoApFoundPanel->Bounds.y1, 145);
  EXPECT_FALSE(scan->IsScanning());
}

TEST_F(QuickWireless, InWpsPinModeThePinModeNamesTheDialog) {
  for (int32_t pinMode : {0, 1}) {
    Model()->OnSetWPSPinMode(pinMode);
    auto* scan = static_cast<Network::WirelessScanDialog*>(
        Open(&Network::WirelessScanDialog::Class, Network::WirelessScanDialog::ModeWpsPin));
    ASSERT_NE(scan, nullptr);
    scan->HandleEvent(VgNew<Events::WlanScanCompleteEvent>());
    scan->DoSelectAP();
    EXPECT_TRUE(Shows(pinMode == 0 ? &Network::WPSGeneratePinDialog::Class : &Network::PinEnterDialog::Class))
        << pinMode;
    system->ClearAll();
  }
}

TEST_F(QuickWireless, TheManualDialogRefusesALongNameAndJoinsOnlyWhatItCan) {
  Model()->OnSetConnectMode(WirelessAdvancedDialog::ModeSecured);
  Model()->OnSetAuthentication(2);
  Model()->OnSetEncryption(3);
  auto* dialog = static_cast<WirelessAdvancedDialog*>(Open(&WirelessAdvancedDialog::Class));
  ASSERT_NE(dialog, nullptr);
  dialog->OnSetFocus(&dialog->controls[WirelessAdvancedDialog::ControlName]);
  EXPECT_EQ(dialog->UpdateLabel(VgNewStringAnsi(std::string(33, 'n').c_str())), 2);
  EXPECT_EQ(dialog->UpdateLabel(VgNewStringAnsi(std::string(32, 'n').c_str())), 1);
  dialog->OnSetFocus(&dialog->controls[WirelessAdvancedDialog::ControlPassword]);
  EXPECT_EQ(dialog->UpdateLabel(VgNewStringAnsi("short")), 3);
  EXPECT_EQ(dialog->UpdateLabel(VgNewStringAnsi("longenough")), 1);
  EXPECT_EQ(Utf8(dialog->controls[WirelessAdvancedDialog::ControlPassword].Text), "**********");
  Structures::WLAN_Connection* join = dialog->GetConnection();
  EXPECT_EQ(join->SecurityMethod, 4);
  EXPECT_EQ(join->KeyLength, 10);
  EXPECT_EQ(join->Flag, 0);

  // Found by name: any key, the security left to the middleware.
  Model()->OnSetConnectMode(WirelessAdvancedDialog::ModeByName);
  EXPECT_EQ(dialog->GetSecurityMethod(), -1);
  EXPECT_EQ(dialog->UpdateLabel(VgNewStringAnsi("k")), 1);
  EXPECT_EQ(dialog->GetConnection()->SecurityMethod, 255);
  EXPECT_EQ(dialog->GetConnection()->Flag, 1);

  // A mode of no method: the security error, and no join.
  Model()->OnSetConnectMode(3);
  EXPECT_FALSE(dialog->ConnectAp(dialog));
  EXPECT_TRUE(Shows(&Network::AssistedSetupSecureError::Class));
  EXPECT_EQ(Calls("XPM_WLAN_JoinNetwork"), 0);
}

// The question about joining without encryption answers the manual dialog
// that hid to ask it: it closes with the dialog, and an answer that comes
// all the same neither joins nor brings the closed dialog back.
TEST_F(QuickWireless, TheNoEncryptionQuestionGoesWithTheManualDialog) {
  Model()->OnSetConnectMode(WirelessAdvancedDialog::ModeSecured);
  Model()->OnSetAuthentication(Network::Security::AuthOpenShared);
  Model()->OnSetEncryption(Network::Security::EncNone);
  auto* dialog = static_cast<WirelessAdvancedDialog*>(Open(&WirelessAdvancedDialog::Class));
  ASSERT_NE(dialog, nullptr);
  ASSERT_EQ(dialog->GetSecurityMethod(), Network::Security::MethodOpen);
  EXPECT_FALSE(dialog->ConnectAp(dialog));
  Network::CheckNoEncryption* question = nullptr;
  for (Core::View* view = system->firstView; view; view = view->nextView)
    if (auto* found = vg_cast<Network::CheckNoEncryption>(view)) question = found;
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(question->OnGetAsker(), dialog);
  EXPECT_FALSE(dialog->OnGetVisible());

  dialog->Close();
  EXPECT_FALSE(Shows(&Network::CheckNoEncryption::Class));
  question->EnterNextState();
  question->EnterPrevState();
  EXPECT_EQ(Calls("XPM_WLAN_JoinNetwork"), 0);
  EXPECT_FALSE(Shows(&WirelessAdvancedDialog::Class));
}

// Without a PIN nothing is sent, and OK still goes on to the status dialog.
TEST_F(QuickWireless, PinDialogsStartNothingWithoutAPin) {
  auto* entry = static_cast<Network::PinEnterDialog*>(Open(&Network::PinEnterDialog::Class));
  ASSERT_NE(entry, nullptr);
  EXPECT_TRUE(entry->ConnectAp(entry));
  EXPECT_EQ(Calls("XPM_WPS_PinJoin"), 0);
  entry->UpdateLabel(VgNewStringAnsi("abc"));
  EXPECT_EQ(Utf8(entry->value.String), "***");

  simtv_tv_set_wps_pin(1234);
  auto* generate = static_cast<Network::WPSGeneratePinDialog*>(Open(&Network::WPSGeneratePinDialog::Class));
  ASSERT_NE(generate, nullptr);
  EXPECT_EQ(Utf8(generate->value.String), "52814073");
  generate->GeneratePin();
  EXPECT_EQ(Utf8(generate->value.String), "00001234");
  simtv_tv_set_wps_pin(int32_t(0x80000000u));
  generate->GeneratePin();
  EXPECT_EQ(Utf8(generate->value.String), "2147483648") << "a PIN has no sign";
  generate->Pin = VgNewString(u"");
  EXPECT_TRUE(generate->ConnectAp(generate));
  EXPECT_EQ(Calls("XPM_WPS_PinJoin"), 0);
}

// A shorter message does not shrink the dialog; a longer one grows it.
TEST_F(QuickWireless, AWpsDialogKeepsTheHeightOfItsLongestMessage) {
  auto* dialog = static_cast<Network::WPSPBCDialog*>(Open(&Network::WPSPBCDialog::Class));
  ASSERT_NE(dialog, nullptr);
  const int32_t tall = VgGetRectH(dialog->Bounds);
  dialog->OnSetWarningInfo(VgNewStringAnsi("Short."));
  EXPECT_EQ(VgGetRectH(dialog->Bounds), tall);
  dialog->OnSetWarningInfo(VgNewStringAnsi(std::string(12, '\n').c_str()));
  const int32_t taller = VgGetRectH(dialog->Bounds);
  EXPECT_GT(taller, tall);
  dialog->OnSetWarningInfo(VgNewStringAnsi("Short again."));
  EXPECT_EQ(VgGetRectH(dialog->Bounds), taller);
}

}  // namespace
