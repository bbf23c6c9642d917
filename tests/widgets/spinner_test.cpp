// The number spinner's keys and digit entry on the manual clock, its range
// setters, and the text spinner.
#include <gtest/gtest.h>

#include "Button/NumberSpinner.h"
#include "Button/TextSpinner.h"
#include "widgets_fixture.h"

namespace WidgetsTest {
namespace {

constexpr uint16_t kIncrease = 4, kDecrease = 5;
uint16_t Digit(int d) { return static_cast<uint16_t>(10 + d); }

class SpinnerTest : public Widgets {
 protected:
  ::Button::NumberSpinner* Spinner(int32_t minimum, int32_t maximum) {
    auto* s = VgNew<::Button::NumberSpinner>();
    top->Add(s, 0);
    s->OnSetMaximum(maximum);
    s->OnSetMinimum(minimum);
    s->OnSetOnValueChange(listener->Slot());
    return s;
  }
  void Type(::Button::NumberSpinner* s, int digit) { EXPECT_EQ(s->HandleEvent(Press(Digit(digit))), s); }
};

TEST_F(SpinnerTest, DigitsTypedWithinThreeSecondsBuildOneNumber) {
  auto* s = Spinner(1, 12);
  Type(s, 1);
  EXPECT_EQ(s->Current, 1);
  Advance(2999);
  Type(s, 2);
  EXPECT_EQ(s->Current, 12);
  Type(s, 3);  // 123 is past the maximum: the digit starts a new number
  EXPECT_EQ(s->Current, 3);
  EXPECT_EQ(listener->count, 3);

  Advance(3000);  // the entry ends
  Type(s, 1);
  EXPECT_EQ(s->Current, 1);
  Advance(3000);
  Type(s, 2);
  EXPECT_EQ(s->Current, 2);
}

TEST_F(SpinnerTest, ANumberTypedBelowTheRangeGivesWayToTheDefaultWhenEntryEnds) {
  auto* s = Spinner(1, 12);
  s->OnSetDefaultValue(6);
  Type(s, 0);
  EXPECT_EQ(s->Current, 0);
  Advance(2999);
  EXPECT_EQ(s->Current, 0);
  Advance(1);
  EXPECT_EQ(s->Current, 6);
  EXPECT_FALSE(s->verifyTimer.OnGetEnabled());
}

TEST_F(SpinnerTest, AOneDigitMaximumReplacesTheValueWithEachDigit) {
  auto* s = Spinner(0, 9);
  Type(s, 4);
  Type(s, 2);
  EXPECT_EQ(s->Current, 2);
  EXPECT_EQ(Utf8(s->Text), "2");
}

TEST_F(SpinnerTest, TheCaptionIsPaddedToTheDigitsOfTheMaximum) {
  auto* s = Spinner(0, 9999);
  Type(s, 0);
  Type(s, 0);
  Type(s, 0);
  Type(s, 7);
  EXPECT_EQ(s->Current, 7);
  EXPECT_EQ(Utf8(s->caption.String), "0007");
  s->OnSetHasLeadingZeros(false);
  s->OnSetCurrent(7);
  EXPECT_EQ(Utf8(s->Text), "7");
  s->typing = true;  // only a number being typed may leave the range
  s->OnSetCurrent(-1);
  EXPECT_EQ(Utf8(s->Text), "--");
}

TEST_F(SpinnerTest, StepsClampOrWrapAtTheEnds) {
  auto* s = Spinner(1, 12);
  s->OnSetCurrent(12);
  EXPECT_EQ(s->HandleEvent(Press(kIncrease)), s);
  EXPECT_EQ(s->Current, 12);
  EXPECT_EQ(listener->count, 1);
  s->OnSetWrapAround(true);
  s->HandleEvent(Press(kIncrease));
  EXPECT_EQ(s->Current, 1);
  s->HandleEvent(Press(kDecrease));
  EXPECT_EQ(s->Current, 12);
  EXPECT_EQ(s->HandleEvent(Release(kDecrease)), nullptr);
  EXPECT_EQ(s->HandleEvent(Press(30)), nullptr);
  EXPECT_EQ(s->Current, 12);
}

TEST_F(SpinnerTest, AKeyOtherThanADigitEndsTyping) {
  auto* s = Spinner(5, 50);
  Type(s, 1);  // below the minimum while typed
  EXPECT_EQ(s->Current, 1);
  s->HandleEvent(Press(kDecrease));  // no longer typing: clamped
  EXPECT_EQ(s->Current, 5);
}

TEST_F(SpinnerTest, RangeAndStepSettersKeepTheirLimits) {
  auto* s = Spinner(0, 100);
  s->OnSetMinimum(-3);
  EXPECT_EQ(s->Minimum, 0);
  s->OnSetMaximum(20000);
  EXPECT_EQ(s->Maximum, 9999);
  s->OnSetMinimum(5);
  s->OnSetMaximum(2);
  EXPECT_EQ(s->Maximum, 5);
  // A step of 3 stays 3 whatever the minimum; only a step below 1 becomes 1.
  s->OnSetStep(3);
  EXPECT_EQ(s->Step, 3);
  s->OnSetStep(0);
  EXPECT_EQ(s->Step, 1);
  s->OnSetStep(-2);
  EXPECT_EQ(s->Step, 1);
}

class TextSpinnerTest : public Widgets {
 protected:
  void SetUp() override {
    Widgets::SetUp();
    spinner = VgNew<::Button::TextSpinner>();
    top->Add(spinner, 0);
    for (int32_t i = 0; i < ::Button::TextSpinner::TextCount; ++i)
      spinner->Texts[i] = VgNewStringUtf8(("Entry " + std::to_string(i)).c_str());
    spinner->OnSetOnValueChange(listener->Slot());
  }
  ::Button::TextSpinner* spinner = nullptr;
};

TEST_F(TextSpinnerTest, StepsShowTheirEntryAndStopOrWrapAtTheEnds) {
  spinner->OnSetCurrent(10);
  EXPECT_EQ(spinner->HandleEvent(Press(kIncrease)), spinner);
  EXPECT_EQ(Utf8(spinner->Text), "Entry 11");
  spinner->HandleEvent(Press(kIncrease));
  EXPECT_EQ(spinner->Current, 11);
  EXPECT_EQ(listener->count, 2);
  spinner->OnSetWrapAround(true);
  spinner->HandleEvent(Press(kIncrease));
  EXPECT_EQ(Utf8(spinner->Text), "Entry 0");
  spinner->HandleEvent(Press(kDecrease));
  EXPECT_EQ(spinner->Current, 11);
}

TEST_F(TextSpinnerTest, AnEntryPastTheTwelveTextsShowsNothing) {
  spinner->OnSetMaximum(14);
  spinner->OnSetCurrent(14);
  EXPECT_EQ(spinner->Current, 14);
  EXPECT_EQ(spinner->Text.get(), nullptr);
  EXPECT_EQ(spinner->caption.String.get(), nullptr);
}

}  // namespace
}  // namespace WidgetsTest
