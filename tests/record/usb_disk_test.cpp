// The USB disk dialogs' rules that a scenario cannot reach: a format that
// never answers ends as a failure after its limit, and the confirmation's
// LEFT and RIGHT stop at their button.
#include <gtest/gtest.h>

#include "Core/Keys.h"
#include "Record/USBDiskDialogs.h"
#include "Strings.h"
#include "nonmenu_fixture.h"
#include "sim_calls.h"
#include "simtv.h"

namespace {

using namespace Record;

class UsbDisk : public NonMenuTest::NonMenuFixture {};

TEST_F(UsbDisk, AFormatWithoutAnswerFailsAtItsLimitAndOffersTheConfirmationAgain) {
  auto* dialog = static_cast<USBDiskFormatStatusDialog*>(
      Open(&USBDiskFormatStatusDialog::Class, 0, 0, &USBDiskFormatDialog::Class));
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Text(Strings::SID_FORMATTING), Utf8(dialog->status.String));
  Advance(NonMenuSystem::DotAnimation::Period);
  EXPECT_EQ(Text(Strings::SID_FORMATTING) + " ", Utf8(dialog->status.String));
  Press(Key::Back);
  Press(Key::Exit);
  EXPECT_EQ(dialog->Parent.get(), dialog->owner.get()) << "no key leaves a running format";
  EXPECT_NE(dialog->Parent.get(), nullptr);
  EXPECT_FALSE(dialog->button.Visible);

  Advance(uint32_t(USBDiskFormatStatusDialog::FormatLimit) - NonMenuSystem::DotAnimation::Period - 1);
  EXPECT_TRUE(dialog->progressTimer.OnGetEnabled());
  Advance(1);
  EXPECT_EQ(Utf8(dialog->status.String), Text(Strings::SID_FORMAT_FAILED));
  EXPECT_FALSE(dialog->progressTimer.OnGetEnabled());
  EXPECT_TRUE(dialog->button.Visible);
  EXPECT_EQ(dialog->Focus.get(), &dialog->button);
  EXPECT_EQ(dialog->PrevState, &USBDiskFormatDialog::Class);
}

TEST_F(UsbDisk, LeftAndRightStopAtTheirButton) {
  auto* dialog = static_cast<USBDiskFormatDialog*>(Open(&USBDiskFormatDialog::Class));
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->Focus.get(), &dialog->no);
  Press(Key::Right);
  EXPECT_EQ(dialog->Focus.get(), &dialog->no);
  Press(Key::Left);
  EXPECT_EQ(dialog->Focus.get(), &dialog->yes);
  Press(Key::Left);
  EXPECT_EQ(dialog->Focus.get(), &dialog->yes);
}

}  // namespace
