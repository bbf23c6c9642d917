// The WPS progress steps' results and the PIN's text, on the non-menu
// sub-system.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Network/EasySetup.h"
#include "Structures/Devices.h"
#include "NonMenuSystem/HelpBar.h"
#include "Strings.h"
#include "nonmenu_fixture.h"

namespace {

using Network::EasySetupPBC;
using Network::EasySetupPIN;

class WpsSteps : public NonMenuTest::NonMenuFixture {};

TEST_F(WpsSteps, PushButtonResultsEndTheWaitExceptJoinedAndSeveralApsShareOneText) {
  auto* pbc = static_cast<EasySetupPBC*>(Open(&EasySetupPBC::Class));
  ASSERT_NE(pbc, nullptr);
  EXPECT_TRUE(pbc->IsBusy());
  pbc->OnSetAP_Num(1);
  EXPECT_EQ(Utf8(pbc->Info), Text(Strings::SID_PBC_AP_FOUND));
  EXPECT_TRUE(pbc->IsBusy());
  for (int32_t several : {3, 7, 100}) {
    pbc->OnSetAP_Num(several);
    EXPECT_EQ(Utf8(pbc->Info), Text(Strings::SID_PBC_MULTIPLE_APS)) << several;
  }
  EXPECT_FALSE(pbc->IsBusy());
  EXPECT_EQ(pbc->HelpMask, NonMenuSystem::HelpOk);
  EXPECT_EQ(Utf8(pbc->HelpString), Text(Strings::SID_ENTER));
  pbc->OnSetAP_Num(2);
  EXPECT_EQ(Utf8(pbc->Info), Text(Strings::SID_WPS_WRONG_NAME));
  pbc->OnSetAP_Num(0);
  EXPECT_EQ(Utf8(pbc->Info), Text(Strings::SID_PBC_NOT_FOUND));
}

TEST_F(WpsSteps, PinResultsOfNoTextKeepTheBodyButEndTheWait) {
  auto* pin = static_cast<EasySetupPIN*>(Open(&EasySetupPIN::Class));
  ASSERT_NE(pin, nullptr);
  pin->OnSetAP_Status(-1);
  EXPECT_EQ(Utf8(pin->Info), Text(Strings::SID_WPS_PLEASE_WAIT));
  EXPECT_TRUE(pin->IsBusy());
  pin->OnSetAP_Status(3);
  EXPECT_EQ(Utf8(pin->Info), Text(Strings::SID_PIN_INCORRECT));
  EXPECT_FALSE(pin->IsBusy());
  pin->OnSetAP_Status(9);
  EXPECT_EQ(Utf8(pin->Info), Text(Strings::SID_PIN_INCORRECT));
  pin->OnSetAP_Status(0);
  EXPECT_EQ(Utf8(pin->Info), Text(Strings::SID_PIN_TIMED_OUT));
}

TEST(WpsPin, APinShowsAtLeastEightDigits) {
  EXPECT_EQ(VgStringToUtf8(Network::EasySetupPIN_ApList::PinText(1234)), "00001234");
  EXPECT_EQ(VgStringToUtf8(Network::EasySetupPIN_ApList::PinText(0)), "00000000");
  EXPECT_EQ(VgStringToUtf8(Network::EasySetupPIN_ApList::PinText(123456789)), "123456789");
}

}  // namespace

namespace {

using Network::ApInfo;
namespace Security = Network::Security;

class AccessPointForm : public NonMenuTest::NonMenuFixture {
 protected:
  ApInfo* NewForm(Structures::WLAN_Info* record = nullptr) {
    auto* form = VgNew<ApInfo>();
    VgLockObject(form);
    form->Setup(root, record);
    forms.push_back(form);
    return form;
  }
  void TearDown() override {
    for (ApInfo* form : forms) VgUnlockObject(form);
    NonMenuFixture::TearDown();
  }
  static std::string Shown(ApInfo* form, int32_t row) { return Utf8(form->Row(row)->ValueString); }
  std::vector<ApInfo*> forms;
};

TEST_F(AccessPointForm, ANewNetworkIsWpa2AesAndTheKeyRowFollowsTheEncryption) {
  ApInfo* form = NewForm();
  EXPECT_EQ(form->OnGetSecurityMethod(), Security::MethodWpa2Aes);
  EXPECT_EQ(Shown(form, ApInfo::RowAuthentication), "WPA2-PSK");
  EXPECT_EQ(Shown(form, ApInfo::RowEncryption), "AES");
  EXPECT_EQ(form->GetConnection()->Flag, 1) << "no access-point record";
  form->OnSetAuthentication(Security::AuthOpenShared);
  EXPECT_EQ(Shown(form, ApInfo::RowEncryption), "WEP");
  EXPECT_FALSE(form->Row(ApInfo::RowKey)->IsDisabled);
  form->Row(ApInfo::RowEncryption)->ToggleOption(false);
  EXPECT_EQ(form->OnGetEncryption(), Security::EncNone);
  EXPECT_TRUE(form->Row(ApInfo::RowKey)->IsDisabled);
  EXPECT_EQ(form->OnGetSecurityMethod(), Security::MethodOpen);
  form->OnSetAuthentication(Security::AuthWpaPsk);
  EXPECT_EQ(Shown(form, ApInfo::RowEncryption), "AES");
  form->OnSetEncryption(Security::EncWep);
  EXPECT_EQ(form->OnGetSecurityMethod(), Security::MethodUnsupported);
}

TEST_F(AccessPointForm, TheKeyboardsTextIsTakenOnlyWhenItFits) {
  ApInfo* form = NewForm();
  form->OnSetFocus(form->Row(ApInfo::RowName));
  EXPECT_EQ(form->UpdateLabel(VgNewStringAnsi(std::string(33, 'n').c_str())), 2);
  EXPECT_EQ(Shown(form, ApInfo::RowName), "");
  EXPECT_EQ(form->UpdateLabel(VgNewStringAnsi("Attic")), 1);
  EXPECT_EQ(Shown(form, ApInfo::RowName), "Attic");
  form->OnSetFocus(form->Row(ApInfo::RowKey));
  EXPECT_EQ(form->UpdateLabel(VgNewStringAnsi("short")), 3);
  EXPECT_EQ(Shown(form, ApInfo::RowKey), "");
  EXPECT_EQ(form->UpdateLabel(VgNewStringAnsi("12345678")), 1);
  EXPECT_EQ(Shown(form, ApInfo::RowKey), "********");
  Structures::WLAN_Connection* connection = form->GetConnection();
  EXPECT_EQ(Utf8(connection->SSID), "Attic");
  EXPECT_EQ(Utf8(connection->Key), "12345678");
  EXPECT_EQ(connection->KeyLength, 8);
  EXPECT_EQ(connection->SecurityMethod, Security::MethodWpa2Aes);
}

TEST_F(AccessPointForm, ARecordsSecurityByteBeyondTheTableShowsUnsupported) {
  for (int byte : {7, 128, 255}) {
    auto* record = VgNew<Structures::WLAN_Info>();
    record->SSID = VgNewStringAnsi("Odd");
    record->Status[5] = uint8_t(byte);
    ApInfo* form = NewForm(record);
    EXPECT_EQ(form->OnGetSecurityMethod(), Security::MethodUnsupported) << byte;
    EXPECT_EQ(Shown(form, ApInfo::RowAuthentication), Text(Strings::SID_UNSUPPORTED)) << byte;
    EXPECT_EQ(form->GetConnection()->Flag, 0);
  }
}

}  // namespace
