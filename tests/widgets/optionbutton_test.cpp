// The option buttons over the option database and the simulated set, and
// the skin's check box.
#include <gtest/gtest.h>

#include "Bitmaps.h"
#include "OptionDatabase/OptionTypes.h"
#include "SkinBin/CheckBoxButton.h"
#include "SkinBin/OptionButton.h"
#include "SkinBin/STBOptionButton.h"
#include "widgets_fixture.h"

namespace WidgetsTest {
namespace {

constexpr uint16_t kDecrease = 6, kIncrease = 7;
constexpr int32_t kDynamicVolume = OptionDatabase::OPTION_TYPE_DYNAMIC_VOLUME;  // Off, Low, High

class OptionButtonTest : public OptionWidgets {
 protected:
  void SetUp() override {
    OptionWidgets::SetUp();
    row = VgNew<SkinBin::OptionButton>();
    top->Add(row, 0);
    row->OnSetOnValueChanged(listener->Slot());
    resets = VgNew<Listener>();
    VgLockObject(resets);
    row->OnSetOnResetTimeout(resets->Slot());
  }
  void TearDown() override {
    VgUnlockObject(resets);
    OptionWidgets::TearDown();
  }
  std::string Value() { return Utf8(row->ValueText.String); }

  SkinBin::OptionButton* row = nullptr;
  Listener* resets = nullptr;
};

TEST_F(OptionButtonTest, BindingShowsTheOptionsNameAndChoice) {
  model->OnSetDynamicVolume(1);
  row->OnSetOptionType(kDynamicVolume);
  EXPECT_EQ(row->ChoiceCount, 3);
  EXPECT_EQ(row->ChoiceIndex, 1);
  EXPECT_EQ(Utf8(row->Text), Text(Strings::SID_DYNAMIC_VOLUME));
  EXPECT_EQ(Value(), Text(Strings::SID_LOW));
  EXPECT_EQ(listener->count, 0);
}

TEST_F(OptionButtonTest, StepsWrapAroundTheChoicesAndReachTheSet) {
  model->OnSetDynamicVolume(2);
  row->OnSetOptionType(kDynamicVolume);
  row->ToggleOption(true);
  EXPECT_EQ(row->ChoiceIndex, 0);
  EXPECT_EQ(model->OnGetDynamicVolume(), 0);
  EXPECT_EQ(Value(), Text(Strings::SID_OFF));
  row->ToggleOption(false);
  EXPECT_EQ(row->ChoiceIndex, 2);
  EXPECT_EQ(model->OnGetDynamicVolume(), 2);
  EXPECT_EQ(Value(), Text(Strings::SID_HIGH));
  EXPECT_EQ(listener->count, 2);
  EXPECT_EQ(resets->count, 0);  // only keys restart the screen's time-out
}

TEST_F(OptionButtonTest, TheToggleKeysStepAndRestartTheTimeOut) {
  row->OnSetOptionType(kDynamicVolume);
  model->OnSetDynamicVolume(0);
  row->OnSetOptionType(kDynamicVolume);
  EXPECT_EQ(row->HandleEvent(Press(kIncrease)), row);
  EXPECT_EQ(row->ChoiceIndex, 1);
  EXPECT_EQ(row->HandleEvent(Press(kDecrease)), row);
  EXPECT_EQ(row->ChoiceIndex, 0);
  EXPECT_EQ(resets->count, 2);
  EXPECT_EQ(row->HandleEvent(Release(kIncrease)), nullptr);
  EXPECT_EQ(row->HandleEvent(Press(1)), nullptr);

  row->OnSetToggleDecreaseKey(0);
  EXPECT_EQ(row->HandleEvent(Press(kDecrease)), nullptr);
  EXPECT_EQ(row->ChoiceIndex, 0);
  EXPECT_EQ(resets->count, 2);
}

TEST_F(OptionButtonTest, ARowWithoutChoicesIgnoresSteps) {
  EXPECT_EQ(row->HandleEvent(Press(kDecrease)), row);  // never bound
  EXPECT_EQ(row->ChoiceIndex, 0);

  row->OnSetOptionType(OptionDatabase::OPTION_TYPE_VOLUME);  // a slider
  EXPECT_EQ(row->ChoiceCount, 0);
  EXPECT_EQ(Value(), "Value");  // a slider has no choice text
  const int32_t position = row->ChoiceIndex;
  row->ToggleOption(false);
  row->ToggleOption(true);
  EXPECT_EQ(row->ChoiceIndex, position);
  EXPECT_EQ(listener->count, 0);
}

TEST_F(OptionButtonTest, AnUnknownOptionShowsNothingNew) {
  row->OnSetOptionType(0x00000003);
  EXPECT_EQ(row->OptionType, 0x00000003);
  EXPECT_EQ(Value(), "Value");
  row->OnSetValueString(VgNewStringAnsi("Custom"));
  EXPECT_EQ(Value(), "Custom");
}

TEST_F(OptionButtonTest, TheArrowsFrameTheValueWhileTheRowHasTheFocus) {
  Advance(0);
  EXPECT_FALSE(row->caption.Visible);
  EXPECT_EQ(row->ValueText.Bounds, (VgRect{0, 0, 490, 25}));
  EXPECT_EQ(row->LeftArrow.Bounds, (VgRect{7, 7, 20, 17}));
  EXPECT_EQ(row->RightArrow.Bounds, (VgRect{470, 7, 483, 17}));
  EXPECT_FALSE(row->LeftArrow.Visible || row->RightArrow.Visible);

  FocusInTop(row);
  EXPECT_TRUE(row->LeftArrow.Visible && row->RightArrow.Visible);
  EXPECT_EQ(row->ValueText.Color, row->Focused_TextColor);
  top->UpdateFocus(false);
  Advance(0);
  EXPECT_FALSE(row->LeftArrow.Visible || row->RightArrow.Visible);
  EXPECT_EQ(row->ValueText.Color, row->Nonfocused_TextColor);
}

TEST_F(OptionWidgets, TheSTBRowIsItsOwnClassWithItsOwnLook) {
  auto* row = VgNew<SkinBin::STBOptionButton>();
  top->Add(row, 0);
  EXPECT_EQ(vg_cast<SkinBin::OptionButton>(row), nullptr);
  EXPECT_NE(vg_cast<::Button::IconButton>(row), nullptr);
  EXPECT_EQ(row->Bounds, (VgRect{0, 0, 150, 27}));
  EXPECT_EQ(row->Focused_TextColor, (VgColor{40, 188, 249, 255}));
  EXPECT_EQ(row->Focused_Icon.get(), LoadBitmap(Bitmaps::NetworkButtonFocus));
  EXPECT_EQ(row->LeftArrow.Bitmap.get(), LoadBitmap(Bitmaps::ToggleButtonLeftArrow));
  EXPECT_EQ(Utf8(row->HelpString), Text(Strings::SID_ENTER) + "," + Text(Strings::SID_BACK));
}

TEST_F(OptionWidgets, TheSkinsCheckBoxShowsItsStateOnceSet) {
  auto* box = VgNew<SkinBin::CheckBoxButton>();
  top->Add(box, 0);
  EXPECT_EQ(box->Bounds, (VgRect{0, 0, 27, 27}));
  EXPECT_EQ(Utf8(box->HelpString), Text(Strings::SID_SELECT_DESELECT) + "," + Text(Strings::SID_BACK));
  box->OnSetIsChecked(false);
  Advance(0);
  EXPECT_EQ(box->Icon.get(), LoadBitmap(Bitmaps::CheckBox));
  box->HandleEvent(Press(1));
  Advance(0);
  EXPECT_EQ(box->Icon.get(), LoadBitmap(Bitmaps::CheckBoxCheck));
}

}  // namespace
}  // namespace WidgetsTest
