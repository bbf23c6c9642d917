// Buttons: the look each state picks, where the background goes, the
// layout, the decorations of the focused button and the check box's key.
#include <gtest/gtest.h>

#include "Button/Button.h"
#include "Button/CheckBox.h"
#include "Button/IconButton.h"
#include "Cursor/FocusFrame.h"
#include "Cursor/Navigator.h"
#include "widgets_fixture.h"

namespace WidgetsTest {
namespace {

constexpr VgColor kDisabled{1, 1, 1, 255}, kNormal{2, 2, 2, 255}, kDefault{3, 3, 3, 255}, kFocused{4, 4, 4, 255};

class ButtonTest : public Widgets {
 protected:
  void SetUp() override {
    Widgets::SetUp();
    form = VgNew<Core::Group>();
    form->OnSetBounds({0, 0, 960, 540});
    top->Add(form, 0);
    button = VgNew<::Button::Button>();
    button->OnSetBounds({10, 10, 210, 46});
    button->Disabled_TextColor = kDisabled;
    button->Nonfocused_TextColor = kNormal;
    button->Default_TextColor = kDefault;
    button->Focused_TextColor = kFocused;
    button->Focused_BackgroundColor = {9, 9, 9, 255};
    form->Add(button, 0);
    Advance(0);
  }
  Core::Group* form = nullptr;
  ::Button::Button* button = nullptr;
};

TEST_F(ButtonTest, EachStatePicksItsLook) {
  EXPECT_EQ(button->TextColor, kNormal);
  EXPECT_EQ(button->caption.Color, kNormal);

  // The default look belongs to the owner's focused child while the owner
  // itself is off the focus path.
  form->OnSetFocus(button);
  button->OnSetIsDefault(true);
  Advance(0);
  EXPECT_EQ(button->TextColor, kDefault);

  FocusInTop(form);
  EXPECT_EQ(button->TextColor, kFocused);
  EXPECT_EQ(button->backgroundRect.Color, (VgColor{9, 9, 9, 255}));

  top->UpdateFocus(false);
  Advance(0);
  EXPECT_EQ(button->TextColor, kDefault);

  button->OnSetIsDisabled(true);
  Advance(0);
  EXPECT_EQ(button->TextColor, kDisabled);
}

TEST_F(ButtonTest, TheFocusedButtonShowsItsFrameAndNavigatorAroundItself) {
  auto* frame = VgNew<Cursor::FocusFrame>();
  auto* navigator = VgNew<Cursor::Navigator>();
  form->Add(frame, 0);
  form->Add(navigator, 0);
  button->OnSetFocusFrame(frame);
  button->OnSetNavigator(navigator);
  button->OnSetLeft(true);
  button->OnSetDown(true);
  button->Refresh();
  EXPECT_FALSE(frame->Visible);
  EXPECT_FALSE(navigator->Visible);

  form->OnSetFocus(button);
  FocusInTop(form);
  EXPECT_TRUE(frame->Visible);
  EXPECT_EQ(frame->Bounds, (VgRect{10, 10, 210, 46}));
  EXPECT_TRUE(navigator->Visible);
  EXPECT_TRUE(navigator->Left && navigator->Down);
  EXPECT_FALSE(navigator->Up || navigator->Right);

  top->UpdateFocus(false);
  Advance(0);
  EXPECT_FALSE(frame->Visible);
  EXPECT_FALSE(navigator->Visible);
}

TEST_F(ButtonTest, NineCellBitmapsFrameTheButtonAndOthersAreImages) {
  Resources::Bitmap* frame = Blank({27, 27});
  Resources::Bitmap* image = Blank({13, 10});
  button->Nonfocused_Bitmap = frame;
  button->OnSetIsDefault(true);  // any refresh picks the look again
  Advance(0);
  EXPECT_EQ(button->backgroundFrame.Bitmap.get(), frame);
  EXPECT_EQ(button->backgroundImage.Bitmap.get(), nullptr);
  // The colour fills the frame's interior only.
  EXPECT_EQ(button->backgroundRect.Bounds, (VgRect{9, 9, 191, 27}));
  EXPECT_EQ(button->caption.Bounds, (VgRect{0, 0, 200, 36}));

  button->OnSetBackgroundBitmap(image);
  EXPECT_EQ(button->backgroundImage.Bitmap.get(), image);
  EXPECT_EQ(button->backgroundFrame.Bitmap.get(), nullptr);
  button->OnSetBackgroundBitmap(nullptr);
  EXPECT_EQ(button->backgroundImage.Bitmap.get(), nullptr);
  EXPECT_EQ(button->backgroundFrame.Bitmap.get(), nullptr);
}

TEST_F(ButtonTest, AFrameOfLooksShowsTheFrameOfEachLook) {
  Resources::Bitmap* looks = Blank({27, 27}, 4);
  button->OnSetUseBgImageFrame(true);
  button->Disabled_Bitmap = button->Default_Bitmap = button->Nonfocused_Bitmap = button->Focused_Bitmap = looks;
  const std::pair<int32_t, int32_t> frames[] = {{::Button::ButtonClass::LookFocused, 0},
                                                {::Button::ButtonClass::LookNormal, 1},
                                                {::Button::ButtonClass::LookDisabled, 2},
                                                {::Button::ButtonClass::LookDefault, 3}};
  for (auto [look, frame] : frames) {
    button->RefreshCtrlState(look);
    EXPECT_EQ(button->backgroundFrame.FrameNumber, frame) << look;
  }
}

TEST_F(Widgets, AnIconButtonCentresTheIconOfItsLook) {
  auto* button = VgNew<::Button::IconButton>();
  top->Add(button, 0);
  Resources::Bitmap* normal = Blank({13, 10});
  Resources::Bitmap* focused = Blank({20, 20});
  button->Nonfocused_Icon = normal;
  button->Focused_Icon = focused;
  button->OnSetBounds({0, 0, 200, 36});
  Advance(0);
  EXPECT_EQ(button->Icon.get(), normal);
  EXPECT_EQ(button->iconImage.Bounds, (VgRect{93, 13, 106, 23}));

  FocusInTop(button);
  EXPECT_EQ(button->Icon.get(), focused);
  EXPECT_EQ(button->iconImage.Bounds, (VgRect{90, 8, 110, 28}));
}

TEST_F(Widgets, TheCheckBoxTogglesOnOkUnlessDisabled) {
  auto* box = VgNew<::Button::CheckBox>();
  top->Add(box, 0);
  Resources::Bitmap* empty = Blank({27, 27});
  Resources::Bitmap* checked = Blank({27, 27});
  box->UnCheck_Bitmap = empty;
  box->Checked_Bitmap = checked;
  box->OnSetOnActivate(listener->Slot());
  box->OnSetIsChecked(false);
  Advance(0);
  EXPECT_EQ(box->Icon.get(), empty);

  EXPECT_EQ(box->HandleEvent(Press(1)), box);
  EXPECT_TRUE(box->IsChecked);
  EXPECT_EQ(box->Nonfocused_Icon.get(), checked);
  EXPECT_EQ(box->Focused_Icon.get(), checked);
  EXPECT_EQ(listener->count, 1);
  EXPECT_EQ(box->HandleEvent(Release(1)), nullptr);
  EXPECT_TRUE(box->IsChecked);

  // A disabled box stays as it is; OK still reaches its listener.
  box->OnSetIsDisabled(true);
  EXPECT_EQ(box->HandleEvent(Press(1)), box);
  EXPECT_TRUE(box->IsChecked);
  EXPECT_EQ(listener->count, 2);
}

}  // namespace
}  // namespace WidgetsTest
