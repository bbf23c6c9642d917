// The WPS progress steps' results and the PIN's text, on the non-menu
// sub-system.
#include <gtest/gtest.h>

#include "Network/EasySetup.h"
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
