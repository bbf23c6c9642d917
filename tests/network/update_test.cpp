// The update screens' rules: the check's result codes, the progress poll
// (through its seam: the model's progress is always 0) and what the
// upgrade's result leaves of the power key, the critical section and the
// update service's keys.
#include <gtest/gtest.h>

#include "AppServices/Wrapper.h"
#include "Events/Events.h"
#include "Update/UpdateScreens.h"
#include "nonmenu_fixture.h"

namespace {

using Update::UpdatingDialog;

TEST(UpdateCheck, ResultCodesPickTheirMessages) {
  EXPECT_EQ(Update::CheckOutcome(0), 50) << "the upgrade offer";
  EXPECT_EQ(Update::CheckOutcome(5000), 15);
  EXPECT_EQ(Update::CheckOutcome(6000), 16);
  EXPECT_EQ(Update::CheckOutcome(1000), 16);
  EXPECT_EQ(Update::CheckOutcome(5001), 29);
  EXPECT_EQ(Update::CheckOutcome(-1), 29);
  EXPECT_EQ(Update::CheckOutcome(-1000), 29) << "read as unsigned, no whole thousand";
}

class Updating : public NonMenuTest::NonMenuFixture {
 protected:
  void TearDown() override {
    UpdatingDialog::ReadProgress = nullptr;
    MainApp::GetWrapper()->PowerKeyControl(1);
    NonMenuFixture::TearDown();
  }
  void Result(UpdatingDialog* dialog, int32_t code) {
    auto* event = VgNew<Events::XPM_EVENT_UBN_RESULT>();
    event->Result = code;
    dialog->HandleEvent(event);
  }
  static inline int32_t progress = 0;
};

TEST_F(Updating, TheBarShowsFromTheFirstProgressAndIsClamped) {
  UpdatingDialog::ReadProgress = [] { return progress; };
  progress = 0;
  auto* dialog = static_cast<UpdatingDialog*>(Open(&UpdatingDialog::Class));
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(MainApp::GetWrapper()->IsPowerKeyBlocked());
  EXPECT_TRUE(MainApp::GetWrapper()->OnGetAppCriticalSection());
  Advance(UpdatingDialog::PollPeriod);
  EXPECT_FALSE(dialog->bar.Visible);
  progress = 1;
  Advance(UpdatingDialog::PollPeriod);
  EXPECT_TRUE(dialog->bar.Visible);
  EXPECT_EQ(dialog->bar.OnGetValue(), 1);
  progress = 250;
  Advance(UpdatingDialog::PollPeriod);
  EXPECT_EQ(dialog->bar.OnGetValue(), UpdatingDialog::BarMaximum);
}

TEST_F(Updating, SuccessKeepsThePowerKeyBlockedAndFailureReleasesIt) {
  Store("USBUpdate", "1");
  Store("ConfirmedVersion", "2.1");
  auto* dialog = static_cast<UpdatingDialog*>(Open(&UpdatingDialog::Class));
  ASSERT_NE(dialog, nullptr);
  Result(dialog, 0);
  EXPECT_TRUE(MainApp::GetWrapper()->IsPowerKeyBlocked());
  EXPECT_FALSE(MainApp::GetWrapper()->OnGetAppCriticalSection());
  EXPECT_EQ(Setting("USBUpdate"), "");
  EXPECT_EQ(Setting("ConfirmedVersion"), "");
  dialog = static_cast<UpdatingDialog*>(Open(&UpdatingDialog::Class));
  ASSERT_NE(dialog, nullptr);
  Result(dialog, 1);
  EXPECT_FALSE(MainApp::GetWrapper()->IsPowerKeyBlocked());
}

}  // namespace
