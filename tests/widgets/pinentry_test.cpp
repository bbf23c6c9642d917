// The PIN entry: digits up to the maximum, delete, and the step back to the
// previous field.
#include <gtest/gtest.h>

#include "PinEntry/PinEntry.h"
#include "widgets_fixture.h"

namespace WidgetsTest {

class CountingPin : public PinEntry::PinEntry {
  VG_CLASS()
 public:
  void refreshPin() override { ++refreshes; }
  int refreshes = 0;
};

}  // namespace WidgetsTest

VG_DEFINE_CLASS(WidgetsTest, CountingPin, PinEntry::PinEntry)

namespace WidgetsTest {
namespace {

constexpr uint16_t kDelete = 6;

class PinTest : public Widgets {
 protected:
  void SetUp() override {
    Widgets::SetUp();
    pin = VgNew<CountingPin>();
    top->Add(pin, 0);
    pin->OnSetMaxNumDigits(4);
    pin->OnSetOnResetTimeout(listener->Slot());
    previous = VgNew<Listener>();
    VgLockObject(previous);
    pin->OnSetOnPrevPin(previous->Slot());
  }
  void TearDown() override {
    VgUnlockObject(previous);
    Widgets::TearDown();
  }
  CountingPin* pin = nullptr;
  Listener* previous = nullptr;
};

TEST_F(PinTest, AFifthDigitIsTakenButNotKept) {
  for (uint16_t code : {11, 12, 13, 14, 15}) EXPECT_EQ(pin->HandleEvent(Press(code)), pin);
  EXPECT_EQ(Utf8(pin->CurrentPin()), "1234");
  EXPECT_EQ(pin->DigitCount(), 4);
  EXPECT_EQ(listener->count, 5);
  EXPECT_EQ(pin->refreshes, 4);
}

TEST_F(PinTest, DeleteTakesBackDigitsAndThenAsksForThePreviousField) {
  EXPECT_FALSE(pin->TypedInto()) << "an empty entry holds nothing a key could throw away";
  pin->HandleEvent(Press(17));
  pin->HandleEvent(Press(18));
  EXPECT_EQ(pin->HandleEvent(Press(kDelete)), pin);
  EXPECT_EQ(Utf8(pin->CurrentPin()), "7");
  EXPECT_TRUE(pin->TypedInto());
  pin->HandleEvent(Press(kDelete));
  EXPECT_EQ(pin->CurrentPin(), nullptr);
  EXPECT_FALSE(pin->TypedInto());
  EXPECT_EQ(previous->count, 0);
  EXPECT_EQ(pin->HandleEvent(Press(kDelete)), pin);
  EXPECT_EQ(previous->count, 1);
  EXPECT_EQ(listener->count, 5);
}

TEST_F(PinTest, OnlyPressesOfDigitsAndDeleteAreTaken) {
  EXPECT_EQ(pin->HandleEvent(Release(11)), nullptr);
  EXPECT_EQ(pin->HandleEvent(Press(1)), nullptr);
  EXPECT_EQ(pin->HandleEvent(VgNew<Core::Event>()), nullptr);
  EXPECT_EQ(listener->count, 0);
  pin->HandleEvent(Press(19));
  pin->Clear();
  EXPECT_EQ(pin->CurrentPin(), nullptr);
  EXPECT_EQ(pin->DigitCount(), 0);
}

}  // namespace
}  // namespace WidgetsTest
