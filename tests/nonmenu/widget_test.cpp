// The widget base and the sub-system around it: origins, time-outs, the ways
// forward and back, clearing, the help bar and the waiting circle.
#include <gtest/gtest.h>

#include "AppServices/MessageAgent.h"
#include "AppServices/WidgetManager.h"
#include "Constants/Constants.h"
#include "NonMenuSystem/HelpBar.h"
#include "NonMenuSystem/WaitingCircle.h"
#include "SkinBin/UserRefInt.h"
#include "Structures/Boxes.h"
#include "nonmenu_fixture.h"

namespace {

using NonMenuSystem::WidgetClass;
using NonMenuTest::OtherScreen;
using NonMenuTest::Screen;

class WidgetTest : public NonMenuTest::NonMenuFixture {
 protected:
  // Opens a screen made beforehand (on a layer of its own, say).
  WidgetClass* OpenMade(WidgetClass* widget, const VgClass* back = nullptr) {
    auto* state = VgNew<SubSystem::State>();
    state->ClassRef = widget->GetClass();
    state->Instance = widget;
    state->Back = back;
    system->ChangeState(state);
    return widget;
  }
};

TEST_F(WidgetTest, TheOriginOfTheOpeningRecordSetsTimeOutAndFlags) {
  auto* menu = static_cast<WidgetClass*>(Open(&Screen::Class, 7, Constants::MSG_FROM_MENUSYSTEM));
  EXPECT_TRUE(menu->MenuTriggered);
  EXPECT_EQ(menu->TimeOutValue, WidgetClass::MenuTimeOut);
  EXPECT_EQ(menu->ParamValue, 7);
  EXPECT_EQ(menu->NonMenuSystem.get(), system);

  auto* quick = static_cast<WidgetClass*>(VgNew<Screen>());
  quick->IsShortcut = true;
  auto* param = VgNew<SkinBin::UserRefInt>();
  param->Kind = Constants::MSG_FROM_QUICKMENU;
  auto* state = VgNew<SubSystem::State>();
  state->ClassRef = &Screen::Class;
  state->Instance = quick;
  state->Param = param;
  system->ChangeState(state);
  EXPECT_TRUE(quick->FromQuickMenu);
  EXPECT_FALSE(quick->IsShortcut) << "a screen of the quick menu goes back to it, not to the menus";
  EXPECT_EQ(quick->TimeOutValue, WidgetClass::WidgetTimeOut);

  auto* plain = VgNew<Structures::RefInt>();
  plain->Value = 12;
  auto* other = static_cast<WidgetClass*>(system->OpenState(&OtherScreen::Class, plain));
  EXPECT_EQ(other->ParamValue, 12);
  EXPECT_EQ(other->OriginTag(), Constants::MSG_FROM_NONMENUSYSTEM);
}

TEST_F(WidgetTest, AWidgetIsCentredUnlessItHasAnOrigin) {
  auto* centred = Open(&Screen::Class);
  EXPECT_EQ(centred->Bounds, (VgRect{330, 100, 630, 200}));
  auto* placed = VgNew<OtherScreen>();
  placed->WidgetOrigin = {20, 30};
  OpenMade(placed);
  EXPECT_EQ(placed->Bounds, (VgRect{20, 30, 320, 130}));
}

TEST_F(WidgetTest, APersistentWidgetCountsDownOnlyWhileFocused) {
  auto* first = static_cast<WidgetClass*>(Open(&Screen::Class));
  auto* second = VgNew<OtherScreen>();
  second->Layer = 64;
  OpenMade(second);
  EXPECT_FALSE(first->Focused);
  // The focused one is kept alive by keys; the other would have timed out.
  Advance(4000);
  Press(Key::Up);
  Advance(4000);
  EXPECT_TRUE(Listed(first->WinID)) << "an unfocused persistent widget waits";

  first->IsPersistent = false;
  first->OnSetIsPersistent(false);
  Advance(6000);
  EXPECT_FALSE(Listed(first->WinID)) << "the time-out clears all";
  EXPECT_FALSE(Listed(second->WinID));
}

TEST_F(WidgetTest, KeysClearGoBackAndRestartTheTimeOut) {
  auto* widget = static_cast<WidgetClass*>(Open(&Screen::Class));
  Advance(5000);
  Press(Key::Up);
  Advance(5000);
  EXPECT_TRUE(Listed(widget->WinID)) << "each key restarts the time-out";
  Press(Key::Exit);
  EXPECT_FALSE(Listed(widget->WinID));

  widget = static_cast<WidgetClass*>(Open(&Screen::Class));
  Press(Key::Back);
  EXPECT_FALSE(Listed(widget->WinID)) << "without a previous screen, Return closes";

  widget = static_cast<WidgetClass*>(Open(&Screen::Class));
  EXPECT_EQ(widget->HandleEvent(RootTest::Key(WidgetClass::KeyFirstUnhandled)), nullptr);
  EXPECT_EQ(widget->HandleEvent(RootTest::Key(Key::Ok)), nullptr);
}

TEST_F(WidgetTest, ForwardAndBackCarryTheOriginAndTheWayBack) {
  auto* widget = static_cast<WidgetClass*>(Open(&Screen::Class, 0, Constants::MSG_FROM_MENUSYSTEM));
  widget->NextState = &OtherScreen::Class;
  widget->EnterNextState();
  auto* next = vg_cast<OtherScreen>(MainApp::GetWidgetManager()->FindForm(0x2000051));
  ASSERT_NE(next, nullptr);
  EXPECT_FALSE(Listed(0x2000050));
  EXPECT_EQ(next->PrevState, &Screen::Class);
  EXPECT_TRUE(next->MenuTriggered) << "the menu origin travels on";

  next->EnterPrevState();
  auto* back = vg_cast<Screen>(MainApp::GetWidgetManager()->FindForm(0x2000050));
  ASSERT_NE(back, nullptr);
  EXPECT_TRUE(back->MenuTriggered);
}

TEST_F(WidgetTest, GoingBackToAScreenStillOpenFocusesItInsteadOfOpeningASecond) {
  auto* below = static_cast<WidgetClass*>(Open(&Screen::Class));
  system->UpdateHelp(NonMenuSystem::HelpOk, VgNewStringAnsi("Select"), below);
  Advance(1);
  EXPECT_TRUE(Listed(0x2000007));
  auto* popup = VgNew<OtherScreen>();
  popup->Layer = 256;
  OpenMade(popup, &Screen::Class);
  Advance(1);
  EXPECT_EQ(system->Focus.get(), popup);
  ASSERT_TRUE(Listed(below->WinID)) << "on a layer of its own, the pop-up leaves the screen below open";
  EXPECT_FALSE(Listed(0x2000007)) << "the keys of the screen below are not the pop-up's";
  popup->EnterPrevState();
  Advance(1);
  EXPECT_EQ(system->Focus.get(), below);
  EXPECT_TRUE(Listed(0x2000007)) << "its help line comes back with the keys";
  EXPECT_EQ(MainApp::GetWidgetManager()->Length(), 2);
  below->Exit();
  Advance(1);
  EXPECT_FALSE(Listed(0x2000007)) << "and goes with the screen";
}

TEST_F(WidgetTest, AShortcutGoesBackToTheMenus) {
  auto* widget = static_cast<WidgetClass*>(Open(&Screen::Class));
  system->UpdateHelp(NonMenuSystem::HelpOk, VgNewStringAnsi("Select"), widget);
  widget->IsShortcut = true;
  listener->codes.clear();
  Press(Key::Back);
  EXPECT_FALSE(Listed(widget->WinID));
  EXPECT_FALSE(Listed(0x2000007)) << "the help bar goes with it";
  ASSERT_EQ(listener->codes.size(), 1u);
  EXPECT_EQ(listener->codes[0], Constants::MSG_CHANGE_APPEARANCE);
  EXPECT_EQ(listener->params[0], 1);
}

TEST_F(WidgetTest, ClearAllSparesLayerOneAndTheFocusSkipsTheHelpBar) {
  auto* media = VgNew<Screen>();
  media->Layer = 1;
  media->WinID = 0x12000034;
  OpenMade(media);
  system->UpdateHelp(NonMenuSystem::HelpReturn, nullptr);
  auto* widget = Open(&OtherScreen::Class);
  EXPECT_EQ(system->Focus.get(), widget);

  system->ClearAll();
  EXPECT_TRUE(Listed(0x12000034));
  EXPECT_FALSE(Listed(0x2000051));
  EXPECT_FALSE(Listed(0x2000007));
  EXPECT_EQ(system->Focus.get(), media) << "never the help bar or the circle";

  auto* message = VgNew<Structures::Message>();
  message->Code = Constants::MSG_CHANGE_APPEARANCE;
  message->Param = 3;
  system->OnSetFocus(nullptr);
  MainApp::GetMessageAgent()->Dispatch(message, &NonMenuSystem::NonMenuSystem::Class);
  EXPECT_EQ(system->Focus.get(), media) << "the media window takes the focus back";
}

TEST_F(WidgetTest, TheHelpBarShowsOneLabelPerKeyInBitOrder) {
  system->UpdateHelp(0x40244 | NonMenuSystem::HelpSmallMode, VgNewStringAnsi("Adjust,Up,Select"));
  NonMenuSystem::HelpBar* bar = system->helpBar;
  ASSERT_TRUE(Listed(0x2000007));
  EXPECT_FALSE(bar->Focused) << "the bar never takes the focus";
  std::vector<std::string> shown;
  for (int32_t i = 0; i < NonMenuSystem::HelpBar::Keys; ++i)
    if (bar->labels[size_t(i)]->Visible) shown.push_back(Utf8(bar->labels[size_t(i)]->String));
  EXPECT_EQ(shown, (std::vector<std::string>{"Adjust", "Up", "Select", ""}))
      << "the fourth key has no label left";
  EXPECT_EQ(bar->Bounds.y2, NonMenuSystem::HelpBar::Bottom);
  EXPECT_NEAR((bar->Bounds.x1 + bar->Bounds.x2) / 2, 480, 1);
  Advance(60000);
  EXPECT_TRUE(Listed(0x2000007)) << "the bar never times out";

  auto* labels = VgNew<Structures::RefString>();
  labels->Value = VgNewStringAnsi("Back");
  auto* message = VgNew<Structures::Message>();
  message->Code = Constants::MSG_UPDATE_HELP_BAR;
  message->Param = NonMenuSystem::HelpReturn;
  message->Payload = labels;
  MainApp::GetMessageAgent()->Dispatch(message, &NonMenuSystem::NonMenuSystem::Class);
  EXPECT_EQ(bar->HelpType, NonMenuSystem::HelpReturn);
  message = VgNew<Structures::Message>();
  message->Code = Constants::MSG_CLEAR_HELP_BAR;
  MainApp::GetMessageAgent()->Dispatch(message, &NonMenuSystem::NonMenuSystem::Class);
  EXPECT_FALSE(Listed(0x2000007));
}

TEST_F(WidgetTest, TheWaitingCircleShowsHidesAndGoes) {
  system->ShowWaitingCircle(1, 1);
  NonMenuSystem::WaitingCircle* circle = system->waitingCircle;
  ASSERT_NE(circle, nullptr);
  EXPECT_TRUE(circle->IsRunning());
  EXPECT_EQ(circle->Bounds.x2, NonMenuSystem::WaitingCircle::Right);
  EXPECT_EQ(circle->Bounds.y1, NonMenuSystem::WaitingCircle::Top);
  EXPECT_EQ(circle->owner.get(), system);
  system->ShowWaitingCircle(2, 1);
  EXPECT_FALSE(circle->IsRunning());
  EXPECT_EQ(circle->owner.get(), system);
  system->ShowWaitingCircle(1, 1);
  system->ShowWaitingCircle(0, 1);
  EXPECT_FALSE(circle->Animated);
  EXPECT_EQ(circle->owner.get(), nullptr);
  system->ShowWaitingCircle(0, 1);
}

}  // namespace
