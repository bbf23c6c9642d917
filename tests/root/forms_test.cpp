// Controls and forms: control states, enabling, activation, hot keys,
// sequential and geometric focus navigation, data shifting, scroll bars.
#include <gtest/gtest.h>

#include "Forms/Handler.h"
#include "Forms/Label.h"
#include "Forms/ScrollBar.h"
#include "root_fixture.h"

namespace {

using RootTest::ExpectPanic;
using RootTest::Key;
using RootTest::RootFixture;
using RootTest::TestCtrl;
using RootTest::TestForm;
using RootTest::Value;

class Forms_ : public RootFixture {
 protected:
  void SetUp() override {
    RootFixture::SetUp();
    form = MakeForm("form", {0, 0, 600, 400}, root);
    root->OnSetFocus(form);
  }
  TestForm* form = nullptr;
};

TEST_F(Forms_, StatesFollowFocusSelectionActivationAndEnabling) {
  TestCtrl* a = MakeCtrl("a", {0, 0, 100, 40}, form);
  TestCtrl* b = MakeCtrl("b", {0, 50, 100, 90}, form);
  form->OnSetFocus(a);
  VgProcessSignals();
  EXPECT_EQ(a->CtrlState, Forms::Ctrl::StateFocused);
  EXPECT_EQ(b->CtrlState, Forms::Ctrl::StateNormal);

  a->Activate(true);
  VgProcessSignals();
  EXPECT_EQ(a->CtrlState, Forms::Ctrl::StateActive);

  // Leaving the focus path keeps the control selected in its form.
  root->OnSetFocus(nullptr);
  VgProcessSignals();
  EXPECT_FALSE(a->Active);
  EXPECT_EQ(a->CtrlState, Forms::Ctrl::StateSelected);

  b->OnSetEnabled(false);
  VgProcessSignals();
  EXPECT_EQ(b->CtrlState, Forms::Ctrl::StateDisabled);
}

TEST_F(Forms_, SeveralChangesInOneEventRecomputeTheStateOnce) {
  TestCtrl* a = MakeCtrl("a", {0, 0, 100, 40}, form);
  VgProcessSignals();
  a->stateUpdates = 0;
  form->OnSetFocus(a);  // selection and focus
  a->Activate(true);
  VgProcessSignals();
  EXPECT_EQ(a->stateUpdates, 1);
}

TEST_F(Forms_, ActivatingAControlOffTheFocusPathDoesNothing) {
  TestCtrl* a = MakeCtrl("a", {0, 0, 100, 40}, form);
  VgProcessSignals();
  a->stateUpdates = 0;
  a->Activate(true);
  EXPECT_FALSE(a->Active);
  VgProcessSignals();
  EXPECT_EQ(a->stateUpdates, 0);
}

TEST_F(Forms_, DisablingTheFocusedControlMovesTheFocus) {
  TestCtrl* a = MakeCtrl("a", {0, 0, 100, 40}, form);
  TestCtrl* b = MakeCtrl("b", {0, 50, 100, 90}, form);
  TestCtrl* c = MakeCtrl("c", {0, 100, 100, 140}, form);
  form->OnSetFocus(b);
  b->OnSetEnabled(false);
  EXPECT_EQ(form->Focus.get(), c) << "the next enabled control";
  c->OnSetEnabled(false);
  EXPECT_EQ(form->Focus.get(), a) << "else the previous one";
  EXPECT_TRUE(a->Focused);
  a->OnSetEnabled(false);
  EXPECT_EQ(form->Focus.get(), nullptr) << "else none";
  EXPECT_FALSE(a->Focused);
  VgProcessSignals();
  EXPECT_EQ(a->CtrlState, Forms::Ctrl::StateDisabled);
}

TEST_F(Forms_, OnlyEnabledControlsOfTheFormTakeTheFocus) {
  TestCtrl* a = MakeCtrl("a", {0, 0, 100, 40}, form);
  TestCtrl* off = MakeCtrl("off", {0, 50, 100, 90}, form);
  off->OnSetEnabled(false);
  auto* plain = MakeProbe("plain", {0, 0, 5, 5});
  form->Add(plain, 0);
  TestCtrl* stranger = MakeCtrl("stranger", {0, 0, 5, 5}, root);

  form->OnSetFocus(a);
  form->OnSetFocus(off);
  EXPECT_EQ(form->Focus.get(), nullptr);
  form->OnSetFocus(a);
  form->OnSetFocus(plain);
  EXPECT_EQ(form->Focus.get(), nullptr);
  form->OnSetFocus(stranger);
  EXPECT_EQ(form->Focus.get(), nullptr);
}

TEST_F(Forms_, SequentialNavigationSkipsDisabledControlsAndDoesNotWrap) {
  TestCtrl* a = MakeCtrl("a", {0, 0, 100, 40}, form);
  TestCtrl* b = MakeCtrl("b", {0, 50, 100, 90}, form);
  TestCtrl* c = MakeCtrl("c", {0, 100, 100, 140}, form);
  b->OnSetEnabled(false);
  EXPECT_EQ(form->SelectNext(), a);
  EXPECT_EQ(form->SelectNext(), c);
  EXPECT_EQ(form->SelectNext(), nullptr);
  EXPECT_EQ(form->Focus.get(), c);
  EXPECT_EQ(form->SelectPrev(), a);
  EXPECT_EQ(form->GetCount(), 3);
  EXPECT_EQ(form->GetIndexOf(c), 2);
  EXPECT_EQ(form->GetCtrlAt(1), b);
  EXPECT_EQ(form->GetCtrlAt(3), nullptr);
  EXPECT_EQ(form->GetCtrlAt(-1), nullptr);
  EXPECT_EQ(form->GetCtrlAtPos({50, 60}), b);
  EXPECT_EQ(form->GetCtrlsArea(), (VgRect{0, 0, 100, 140}));

  TestCtrl* stranger = MakeCtrl("stranger", {0, 0, 5, 5}, root);
  ExpectPanic([&] { form->GetNextCtrl(stranger); }, "The control does not belong to the form.");
  ExpectPanic([&] { form->GetIndexOf(stranger); }, "The control does not belong to the form.");
  ExpectPanic([&] { form->GetLowerCtrl(stranger); }, "The control does not belong to the form.");
}

TEST_F(Forms_, AFormWithoutEnabledControlsSelectsNothing) {
  TestCtrl* a = MakeCtrl("a", {0, 0, 100, 40}, form);
  a->OnSetEnabled(false);
  EXPECT_EQ(form->SelectFirst(), nullptr);
  EXPECT_EQ(form->SelectLast(), nullptr);
  EXPECT_EQ(form->SelectNext(), nullptr);
  EXPECT_EQ(form->SelectPrev(), nullptr);
  EXPECT_EQ(form->SelectUpper(), nullptr);
  EXPECT_EQ(form->SelectLower(), nullptr);
  EXPECT_EQ(form->SelectLeft(), nullptr);
  EXPECT_EQ(form->SelectRight(), nullptr);
  EXPECT_EQ(form->Focus.get(), nullptr);
}

TEST_F(Forms_, GeometricSearchPrefersControlsStraightAhead) {
  TestCtrl* from = MakeCtrl("from", {200, 0, 300, 40}, form);
  // Nearer but off to the side: centre (110, 70), distance (-140, 50):
  // score (19600 + 2500) / 50 = 442. Straight below but further: centre
  // (250, 170), score 150.
  TestCtrl* side = MakeCtrl("side", {60, 50, 160, 90}, form);
  TestCtrl* below = MakeCtrl("below", {200, 150, 300, 190}, form);
  EXPECT_EQ(form->GetLowerCtrl(from), below);
  EXPECT_EQ(form->GetUpperCtrl(below), from);
  EXPECT_EQ(form->GetLeftCtrl(from), side);
  EXPECT_EQ(form->GetRightCtrl(side), from);
}

TEST_F(Forms_, EqualScoresKeepTheFirstMetInCyclicOrder) {
  // Stacking order: left, from, right. Searching from "from", the cycle
  // starts above it: right comes before left although left is lower.
  TestCtrl* left = MakeCtrl("left", {0, 100, 100, 140}, form);
  TestCtrl* from = MakeCtrl("from", {100, 0, 200, 40}, form);
  TestCtrl* right = MakeCtrl("right", {200, 100, 300, 140}, form);
  EXPECT_EQ(form->GetLowerCtrl(from), right);
  // Going up the cycle runs downwards in the stack: left comes first.
  TestCtrl* low = MakeCtrl("low", {100, 200, 200, 240}, form);
  EXPECT_EQ(form->GetUpperCtrl(low), right);
  form->RestackBack(low);
  EXPECT_EQ(form->GetUpperCtrl(low), right) << "from the bottom the cycle wraps to the top";
  form->Restack(low, 1);  // left, low, from, right
  EXPECT_EQ(form->GetUpperCtrl(low), left);
}

TEST_F(Forms_, AControlLevelWithTheCurrentOneIsNeverPickedVertically) {
  TestCtrl* from = MakeCtrl("from", {0, 0, 100, 40}, form);
  MakeCtrl("level", {150, 0, 250, 40}, form);
  EXPECT_EQ(form->GetLowerCtrl(from), nullptr);
  EXPECT_EQ(form->GetUpperCtrl(from), nullptr);
  TestCtrl* slightly = MakeCtrl("slightly", {400, 1, 500, 41}, form);
  EXPECT_EQ(form->GetLowerCtrl(from), slightly);
}

TEST_F(Forms_, TallControlsAreMeasuredFromTheirFacingSquare) {
  // A tall narrow control searches downwards from its bottom square, centre
  // (20, 180): "far" (centre (20, 410)) scores 52900 / 230 = 230 and beats
  // "near" (centre (110, 220)) with (8100 + 1600) / 40 = 242. From the full
  // centre (20, 100) near would win, 187 against 310.
  TestCtrl* tall = MakeCtrl("tall", {0, 0, 40, 200}, form);
  MakeCtrl("near", {60, 210, 160, 230}, form);
  TestCtrl* far = MakeCtrl("far", {0, 400, 40, 420}, form);
  EXPECT_EQ(form->GetLowerCtrl(tall), far);

  // A tall candidate below is measured by its upper square: "column" scores
  // 3600 / 60 = 60 from "wide" (centre (400, 20)) and beats "offside"
  // (centre (450, 120)) with (2500 + 10000) / 100 = 125. By its full centre
  // (400, 260) column would score 240 and lose.
  TestCtrl* wide = MakeCtrl("wide", {300, 0, 500, 40}, form);
  TestCtrl* column = MakeCtrl("column", {380, 60, 420, 460}, form);
  MakeCtrl("offside", {430, 110, 470, 130}, form);
  EXPECT_EQ(form->GetLowerCtrl(wide), column);
}

TEST_F(Forms_, HotKeysSearchAfterTheFocusedControlFirst) {
  TestCtrl* a = MakeCtrl("a", {0, 0, 100, 40}, form);
  TestCtrl* b = MakeCtrl("b", {0, 50, 100, 90}, form);
  TestCtrl* c = MakeCtrl("c", {0, 100, 100, 140}, form);
  a->OnSetHotKey(30);
  b->OnSetHotKey(30);
  c->OnSetHotKey(31);
  form->OnSetFocus(b);
  // The focused control and another one match: the other is found first,
  // and the form reports the key handled although that control, not being
  // focused, does not activate.
  EXPECT_EQ(root->DispatchEvent(Key(30)), form);
  EXPECT_FALSE(a->Active);
  EXPECT_FALSE(b->Active);
  form->OnSetFocus(a);
  EXPECT_EQ(root->DispatchEvent(Key(30)), form);
  EXPECT_FALSE(a->Active) << "b comes before the focused a";
  c->OnSetHotKey(0);
  b->OnSetHotKey(0);
  EXPECT_EQ(root->DispatchEvent(Key(30)), form);
  EXPECT_TRUE(a->Active) << "the focused control is examined last";
  EXPECT_EQ(root->DispatchEvent(Key(0)), nullptr);
  EXPECT_EQ(root->DispatchEvent(Key(99)), nullptr);
  EXPECT_EQ(root->DispatchEvent(VgNew<Core::KeyEvent>()->Initialize(30, false)), nullptr);
}

TEST_F(Forms_, HandlersTakeLeftOverEventsAndConfirmOnFocusLoss) {
  TestCtrl* a = MakeCtrl("a", {0, 0, 100, 40}, form);
  TestCtrl* b = MakeCtrl("b", {0, 50, 100, 90}, form);
  auto* handler = VgNew<Forms::Handler>();
  a->OnSetHandler(handler);
  EXPECT_EQ(handler->control.get(), a);
  ExpectPanic([&] { b->OnSetHandler(handler); }, "The handler is already attached to a control");
  form->OnSetFocus(a);
  a->Modified = true;
  form->OnSetFocus(b);
  EXPECT_FALSE(a->Modified) << "leaving the control applied the edit";
  a->OnSetHandler(nullptr);
  EXPECT_EQ(handler->control.get(), nullptr);
  b->OnSetHandler(handler);
  EXPECT_EQ(handler->control.get(), b);
}

TEST_F(Forms_, ALabelMovesBetweenControls) {
  TestCtrl* a = MakeCtrl("a", {0, 0, 100, 40}, form);
  TestCtrl* b = MakeCtrl("b", {0, 50, 100, 90}, form);
  auto* label = VgNew<Forms::Label>();
  a->OnSetLabel(label);
  b->OnSetLabel(label);
  EXPECT_EQ(a->Label.get(), nullptr);
  EXPECT_EQ(b->Label.get(), label);
  EXPECT_EQ(label->control.get(), b);
}

TEST_F(Forms_, ShiftingDataMovesEachValueOneControlAlong) {
  TestCtrl* only = MakeCtrl("only", {0, 0, 100, 40}, form);
  only->value = 1;
  auto* in = VgNew<Value>();
  in->value = 9;
  auto* out = vg_cast<Value>(form->ShiftNext(in));
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(out->value, 1);
  EXPECT_EQ(only->value, 9);

  TestCtrl* second = MakeCtrl("second", {0, 50, 100, 90}, form);
  TestCtrl* third = MakeCtrl("third", {0, 100, 100, 140}, form);
  second->value = 2;
  third->value = 3;
  in->value = 0;
  EXPECT_EQ(vg_cast<Value>(form->ShiftNext(in))->value, 3);
  EXPECT_EQ(only->value, 0);
  EXPECT_EQ(second->value, 9);
  EXPECT_EQ(third->value, 2);
  in->value = 5;
  EXPECT_EQ(vg_cast<Value>(form->ShiftPrev(in))->value, 0);
  EXPECT_EQ(only->value, 9);
  EXPECT_EQ(second->value, 2);
  EXPECT_EQ(third->value, 5);
  auto* empty = MakeForm("empty", {0, 0, 1, 1}, nullptr);
  EXPECT_EQ(empty->ShiftNext(in), nullptr);
}

TEST_F(Forms_, TheScrollBarShowsTheFocusedIndex) {
  TestCtrl* a = MakeCtrl("a", {0, 0, 100, 40}, form);
  TestCtrl* b = MakeCtrl("b", {0, 50, 100, 90}, form);
  MakeCtrl("c", {0, 100, 100, 140}, form);
  auto* bar = VgNew<Forms::ScrollBar>();
  form->OnSetScrollBar(bar);
  VgProcessSignals();
  EXPECT_EQ(bar->Content, 3);
  EXPECT_EQ(bar->Pos, -1);
  EXPECT_EQ(bar->Page, 3) << "no focused control: the page covers everything";

  form->OnSetFocus(b);
  VgProcessSignals();
  EXPECT_EQ(bar->Pos, 1);
  EXPECT_EQ(bar->Page, 1);

  // Scrolling the bar focuses the control at its position.
  EXPECT_TRUE(bar->Scroll(-1));
  EXPECT_EQ(form->Focus.get(), a);

  // A form being disabled disables its bar; uncoupling the bar restores it.
  form->OnSetEnabled(false);
  VgProcessSignals();
  EXPECT_FALSE(bar->Enabled);
  form->OnSetScrollBar(nullptr);
  EXPECT_TRUE(bar->Enabled);
  EXPECT_TRUE(bar->OnScroll.IsNull());
}

}  // namespace
