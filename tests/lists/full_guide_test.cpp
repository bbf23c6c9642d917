// The full guide as the timer dialogs read it (the focused programme's title,
// its description as the subtitle), and the account dialog's code rule.
#include <gtest/gtest.h>

#include <string>

#include "Channels/EPGSetupDialogs.h"
#include "Channels/FullEPGDialog.h"
#include "Core/Keys.h"
#include "recording_host.h"
#include "vgstring.h"

namespace {

std::string Utf8(VgString s) { return VgStringToUtf8(s); }

class FullGuide : public RecordingTest::RecordingFixture {};

TEST_F(FullGuide, TheFocusedProgrammeIsTheTitleAndItsDescriptionTheSubtitle) {
  Watch(7, 1);
  AddProgrammes(7, 1, 10, Now() - 600);
  auto* guide = vg_cast<Channels::FullEPGDialog>(system->OpenState(&Channels::FullEPGDialog::Class, nullptr));
  ASSERT_NE(guide, nullptr);
  system->OnSetFocus(guide);
  VgProcessSignals();
  EXPECT_EQ(Utf8(guide->GetFocusedProgramTitle()), "Programme 0");
  EXPECT_EQ(Utf8(guide->GetFocusedProgramSubtitle()), "About programme 0.");
  Press(Key::Down);
  Press(Key::Down);
  auto* row = vg_cast<ListForm::EPGProgramListItem>(guide->channelForm.programmes.Focus.get());
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(Utf8(row->Text), "Programme 2");
  EXPECT_EQ(Utf8(guide->GetFocusedProgramTitle()), "Programme 2");
  EXPECT_EQ(Utf8(guide->GetFocusedProgramSubtitle()), "About programme 2.");
}

TEST(GuideAccount, TheCodeMustFitTheCountry) {
  using Channels::EPGLoginAccountDialog;
  constexpr int32_t us = EPGLoginAccountDialog::CountryUSA;
  constexpr int32_t ca = EPGLoginAccountDialog::CountryCanada;
  for (const char* code : {"90210", "00501"}) EXPECT_TRUE(EPGLoginAccountDialog::IsValidCode(us, VgNewStringUtf8(code))) << code;
  for (const char* code : {"", "9021", "902101", "9021A", "K1A 0B1"})
    EXPECT_FALSE(EPGLoginAccountDialog::IsValidCode(us, VgNewStringUtf8(code))) << code;
  for (const char* code : {"K1A 0B1", "k1a0b1", "H0H0H0"})
    EXPECT_TRUE(EPGLoginAccountDialog::IsValidCode(ca, VgNewStringUtf8(code))) << code;
  for (const char* code : {"", "K1A0B", "K1A 0B1 ", "K1A  0B1", "1KA 0B1", "K1A0B1X", "90210"})
    EXPECT_FALSE(EPGLoginAccountDialog::IsValidCode(ca, VgNewStringUtf8(code))) << code;
  EXPECT_FALSE(EPGLoginAccountDialog::IsValidCode(us, nullptr));
}

}  // namespace
