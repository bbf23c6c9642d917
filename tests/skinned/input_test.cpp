// Number, time and PIN entry: what each key does to the cells, the focus and
// the reported value, as a viewer typing on the remote control sees it.
#include <gtest/gtest.h>

#include <string>

#include "SkinBin/EnterTime.h"
#include "SkinBin/NumberInput.h"
#include "SkinBin/PinEntry.h"
#include "widgets_fixture.h"

namespace WidgetsTest {
namespace {

constexpr uint16_t kConfirm = 1;
constexpr uint16_t kClear = 5;
constexpr uint16_t kCancel = 41;

uint16_t Digit(int d) { return static_cast<uint16_t>(10 + d); }

// Types a string of digits through the top group, as the root delivers keys.
void Type(Core::Group* top, const std::string& digits) {
  for (char c : digits) top->DispatchEvent(Press(Digit(c - '0')));
}

template <class Form>
std::string Shown(Form* form) {
  std::string text;
  for (size_t i = 0; i < form->Cells.size(); ++i) text += Utf8(form->Cells[i]->Text);
  return text;
}

class NumberEntry : public Widgets {
 protected:
  void SetUp() override {
    Widgets::SetUp();
    input = VgNew<SkinBin::NumberInput>();
    top->Add(input, 0);
    FocusInTop(input);
    input->OnSetOnResetTimeout(listener->Slot());
  }
  SkinBin::NumberInput* input = nullptr;
};

TEST_F(NumberEntry, StartsEmptyWithTheFocusOnTheFirstCell) {
  EXPECT_EQ(Shown(input), "---");
  EXPECT_EQ(input->Focus.get(), input->Cells[0]);
  EXPECT_EQ(input->Cells[0]->Bounds, (VgRect{96, 2, 116, 22}));
  EXPECT_EQ(input->Cells[2]->Bounds, (VgRect{128, 2, 148, 22}));
  EXPECT_EQ(input->background.Color, (VgColor{24, 27, 27, 255}));
  EXPECT_FALSE(input->Cells[0]->Focused_Bitmap);
}

TEST_F(NumberEntry, DigitsFillTheCellsAndConfirmReportsTheNumber) {
  auto* changed = VgNew<Listener>();
  VgLockObject(changed);
  input->OnSetOnNumChanged(changed->Slot());
  Type(top, "0");
  EXPECT_EQ(input->Focus.get(), input->Cells[1]);
  Type(top, "42");
  EXPECT_EQ(Shown(input), "042");
  Type(top, "7");  // a fourth digit is refused
  EXPECT_EQ(Shown(input), "042");
  EXPECT_EQ(input->HandleEvent(Press(kConfirm)), input);
  EXPECT_EQ(input->OnGetNum(), 42);
  EXPECT_EQ(changed->count, 1);
  EXPECT_EQ(listener->count, 5);  // every key taken restarts the time-out
  VgUnlockObject(changed);
}

TEST_F(NumberEntry, ClearAndCancel) {
  auto* cancelled = VgNew<Listener>();
  VgLockObject(cancelled);
  input->OnSetOnCancelChange(cancelled->Slot());
  Type(top, "12");
  input->HandleEvent(Press(kClear));
  EXPECT_EQ(Shown(input), "---");
  EXPECT_EQ(input->Focus.get(), input->Cells[0]);
  input->HandleEvent(Press(kConfirm));
  EXPECT_EQ(input->OnGetNum(), 0);  // nothing typed is 0
  input->HandleEvent(Press(kCancel));
  EXPECT_EQ(cancelled->count, 1);
  VgUnlockObject(cancelled);
}

TEST_F(NumberEntry, KeysItDoesNotUseAreLeftToTheScreen) {
  for (uint16_t code : {0, 2, 3, 4, 6, 7, 9, 20, 40, 42, 60})
    EXPECT_EQ(input->HandleEvent(Press(code)), nullptr) << code;
  EXPECT_EQ(input->HandleEvent(Release(Digit(3))), nullptr);
  EXPECT_EQ(listener->count, 0);
  EXPECT_EQ(Shown(input), "---");
}

TEST_F(NumberEntry, NewBoundsCentreTheOverlappingCells) {
  input->OnSetBounds({0, 0, 300, 40});
  // Three 20-pixel cells overlapping by 6: a 48-pixel row.
  EXPECT_EQ(input->Cells[0]->Bounds, (VgRect{126, 10, 146, 30}));
  EXPECT_EQ(input->Cells[1]->Bounds, (VgRect{140, 10, 160, 30}));
  EXPECT_EQ(input->background.Bounds, (VgRect{0, 0, 300, 40}));
  input->OnSetBgColor({1, 2, 3, 255});
  EXPECT_EQ(input->background.Color, (VgColor{1, 2, 3, 255}));
}

class TimeEntry : public Widgets {
 protected:
  void SetUp() override {
    Widgets::SetUp();
    time = VgNew<SkinBin::EnterTime>();
    top->Add(time, 0);
    FocusInTop(time);
  }
  int32_t Confirmed() {
    time->HandleEvent(Press(kConfirm));
    return time->OnGetTime();
  }
  SkinBin::EnterTime* time = nullptr;
};

TEST_F(TimeEntry, StartsAtTheHourTensWithFixedSeparatorAndMinuteUnits) {
  EXPECT_EQ(Shown(time), "--:-0");
  EXPECT_EQ(time->Focus.get(), time->Cells[SkinBin::EnterTime::HourTens]);
  EXPECT_TRUE(time->Cells[SkinBin::EnterTime::MinuteUnits]->IsDisabled);
  EXPECT_TRUE(time->Cells[SkinBin::EnterTime::Separator]->IsDisabled);
  EXPECT_EQ(time->Cells[SkinBin::EnterTime::Separator]->Disabled_BackgroundColor, (VgColor{40, 41, 42, 255}));
}

TEST_F(TimeEntry, NoonIsTheLastTime) {
  Type(top, "123");
  EXPECT_EQ(Shown(time), "12:-0");  // 12:30 does not exist
  EXPECT_EQ(time->Focus.get(), time->Cells[SkinBin::EnterTime::MinuteTens]);
  Type(top, "0");
  EXPECT_EQ(Confirmed(), 720);
}

TEST_F(TimeEntry, EveryTenMinutesBeforeNoon) {
  Type(top, "095");
  EXPECT_EQ(Shown(time), "09:50");
  EXPECT_EQ(Confirmed(), 590);
  Type(top, "3");  // further digits overwrite the minute tens
  EXPECT_EQ(Confirmed(), 570);
  Type(top, "6");  // no sixty minutes
  EXPECT_EQ(Confirmed(), 570);
}

TEST_F(TimeEntry, RefusedDigitsAndPartialTimes) {
  Type(top, "2");
  EXPECT_EQ(Shown(time), "--:-0");
  EXPECT_EQ(time->Focus.get(), time->Cells[SkinBin::EnterTime::HourTens]);
  Type(top, "1");
  EXPECT_EQ(Confirmed(), 600);  // an hour's tens alone is ten o'clock
  Type(top, "3");         // 13 o'clock is refused
  EXPECT_EQ(Shown(time), "1-:-0");
  time->HandleEvent(Press(kClear));
  EXPECT_EQ(Shown(time), "--:-0");
  EXPECT_EQ(Confirmed(), 0);
}

TEST_F(TimeEntry, NewBoundsCentreTheSpacedCells) {
  time->OnSetBounds({0, 0, 200, 30});
  // 20 + 20 + 10 + 20 + 20 pixels and four 1-pixel gaps: a 94-pixel row.
  EXPECT_EQ(time->Cells[0]->Bounds, (VgRect{53, 5, 73, 25}));
  EXPECT_EQ(time->Cells[2]->Bounds, (VgRect{95, 5, 105, 25}));
  EXPECT_EQ(time->Cells[4]->Bounds, (VgRect{127, 5, 147, 25}));
}

class PinField : public Widgets {
 protected:
  void SetUp() override {
    Widgets::SetUp();
    pin = VgNew<SkinBin::PinEntry>();
    top->Add(pin, 0);
    FocusInTop(pin);
    pin->OnSetOnCompleteEntry(listener->Slot());
  }
  SkinBin::PinEntry* pin = nullptr;
};

TEST_F(PinField, DigitsAreMaskedAndTheCursorLeads) {
  EXPECT_EQ(Shown(pin), "");
  pin->HandleEvent(Press(Digit(4)));
  pin->HandleEvent(Press(Digit(2)));
  EXPECT_EQ(Shown(pin), "**-");
  EXPECT_EQ(pin->Focus.get(), pin->Cells[2]);
  EXPECT_EQ(Utf8(pin->CurrentPin()), "42");
  pin->HandleEvent(Press(6));  // the delete key takes the last digit back
  EXPECT_EQ(Shown(pin), "*-");
  EXPECT_EQ(pin->Focus.get(), pin->Cells[1]);
  EXPECT_EQ(listener->count, 0);
}

TEST_F(PinField, TheFourthDigitCompletesTheEntry) {
  pin->OnSetIndicator(u'#');
  for (int d : {1, 2, 3, 4}) pin->HandleEvent(Press(Digit(d)));
  EXPECT_EQ(Shown(pin), "####");
  EXPECT_EQ(listener->count, 1);
  pin->HandleEvent(Press(Digit(5)));  // full: nothing changes, nothing completes again
  EXPECT_EQ(listener->count, 1);
  EXPECT_EQ(Utf8(pin->CurrentPin()), "1234");
}

TEST_F(PinField, CellsAreCentredInTheField) {
  pin->OnSetBounds({0, 0, 200, 40});
  // Four 27-pixel cells 3 pixels apart: a 117-pixel row.
  EXPECT_EQ(pin->Cells[0]->Bounds, (VgRect{41, 6, 68, 33}));
  EXPECT_EQ(pin->Cells[1]->Bounds, (VgRect{71, 6, 98, 33}));
  EXPECT_EQ(pin->Cells[3]->Bounds, (VgRect{131, 6, 158, 33}));
}

}  // namespace
}  // namespace WidgetsTest
