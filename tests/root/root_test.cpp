// The root's event dispatch, modal forms, keyboard form, stacking and
// broadcasts, with key events handed to the root as the host hands them.
#include <gtest/gtest.h>

#include "Core/LanguageEvent.h"
#include "Core/StylesEvent.h"
#include "root_fixture.h"

namespace {

using RootTest::ExpectPanic;
using RootTest::Key;
using RootTest::Log;
using RootTest::RootFixture;
using RootTest::TestCtrl;
using RootTest::TestForm;
using RootTest::Value;

class RootDispatch : public RootFixture {
 protected:
  void SetUp() override {
    RootFixture::SetUp();
    // A screen with a focused control, as the application has one.
    screen = MakeForm("screen", {0, 0, 960, 540}, root);
    ctrl = MakeCtrl("ctrl", {10, 10, 100, 50}, screen);
    screen->OnSetFocus(ctrl);
    root->OnSetFocus(screen);
    dialog = MakeForm("dialog", {100, 100, 400, 300}, root);
    keyboard = MakeForm("keyboard", {0, 400, 960, 540}, root);
    VgProcessSignals();
    Log().clear();
  }

  TestForm* screen = nullptr;
  TestCtrl* ctrl = nullptr;
  TestForm* dialog = nullptr;
  TestForm* keyboard = nullptr;
};

TEST_F(RootDispatch, KeysFollowTheFocusPathAndBubble) {
  EXPECT_EQ(CoreGroup__DispatchEvent(root, Key(1)), nullptr);
  EXPECT_EQ(Log(), "ctrl screen root ");
  Log().clear();
  screen->takes = true;
  EXPECT_EQ(root->DispatchEvent(Key(1)), screen);
  EXPECT_EQ(Log(), "ctrl screen ");
}

TEST_F(RootDispatch, AKeyTheModalFormIgnoresGoesOnlyToTheRoot) {
  root->BeginModal(dialog, nullptr);
  Log().clear();
  EXPECT_EQ(root->DispatchEvent(Key(1)), nullptr);
  EXPECT_EQ(Log(), "dialog root ");

  Log().clear();
  root->takes = true;
  EXPECT_EQ(root->DispatchEvent(Key(1)), root);
  EXPECT_EQ(Log(), "dialog root ");
}

TEST_F(RootDispatch, TheKeyboardFormSeesEventsFirstAndHidesWhatItTakes) {
  root->BeginModal(dialog, nullptr);
  root->AttachKeyboard(keyboard, nullptr);
  Log().clear();
  EXPECT_EQ(root->DispatchEvent(Key(1)), nullptr);
  EXPECT_EQ(Log(), "keyboard dialog root ");

  Log().clear();
  keyboard->takes = true;
  EXPECT_EQ(root->DispatchEvent(Key(1)), keyboard);
  EXPECT_EQ(Log(), "keyboard ");
}

TEST_F(RootDispatch, ModalFormsTakeAndReturnTheFocus) {
  EXPECT_TRUE(screen->Focused);
  EXPECT_TRUE(ctrl->Focused);
  root->BeginModal(dialog, nullptr);
  EXPECT_FALSE(screen->Focused);
  EXPECT_FALSE(ctrl->Focused);
  EXPECT_TRUE(dialog->Focused);
  EXPECT_EQ(root->lastView.get(), dialog) << "becoming modal raises the form";

  TestForm* inner = MakeForm("inner", {0, 0, 10, 10}, root);
  root->BeginModal(inner, nullptr);
  EXPECT_FALSE(dialog->Focused);
  EXPECT_EQ(inner->ModalLink.get(), dialog);
  EXPECT_EQ(root->lastView.get(), inner);

  // Ending an older form of the chain leaves the focus where it is.
  root->EndModalOf(dialog, nullptr);
  EXPECT_EQ(inner->ModalLink.get(), nullptr);
  EXPECT_TRUE(inner->Focused);
  EXPECT_EQ(dialog->endings, 1);

  root->EndModal(nullptr);
  EXPECT_EQ(root->modalTop.get(), nullptr);
  EXPECT_FALSE(inner->Focused);
  EXPECT_TRUE(screen->Focused);
  EXPECT_TRUE(ctrl->Focused);
}

TEST_F(RootDispatch, ModalDataGoesInAndComesBackWithAResult) {
  ctrl->value = 1;
  dialog->OnSetFocus(MakeCtrl("field", {0, 0, 50, 20}, dialog));
  auto* data = VgNew<Value>();
  data->value = 42;
  dialog->OnSetVisible(false);

  root->BeginModal(dialog, data);
  auto* field = static_cast<TestCtrl*>(dialog->Focus.get());
  EXPECT_EQ(field->value, 42);
  EXPECT_TRUE(dialog->Visible);
  EXPECT_EQ(dialog->ModalData.get(), data);

  field->value = 7;
  auto* result = VgNew<Value>();
  root->EndModal(result);
  EXPECT_EQ(data->value, 7);
  EXPECT_EQ(dialog->endings, 1);
  EXPECT_EQ(dialog->endData, result);
  EXPECT_EQ(dialog->ModalData.get(), nullptr);
  EXPECT_FALSE(dialog->Visible) << "visibility is restored";

  // Without a result the data object is left alone.
  root->BeginModal(dialog, data);
  field->value = 9;
  root->EndModal(nullptr);
  EXPECT_EQ(data->value, 7);
}

TEST_F(RootDispatch, TheRootKeepsItsModalAndKeyboardFormsAlive) {
  // Neither form is in the tree: only the root's references hold them.
  TestForm* modal = MakeForm("modal", {0, 0, 10, 10}, nullptr);
  TestForm* keys = MakeForm("keys", {0, 0, 10, 10}, nullptr);
  root->BeginModal(modal, VgNew<Value>());
  root->AttachKeyboard(keys, nullptr);
  VgReclaimMemory();
  Log().clear();
  root->DispatchEvent(Key(1));
  EXPECT_EQ(Log(), "keys modal root ");
  EXPECT_NE(vg_cast<Value>(modal->ModalData.get()), nullptr);
}

TEST_F(RootDispatch, MisuseOfModalFormsPanicsWithItsText) {
  ExpectPanic([&] { root->EndModal(nullptr); }, "No modal form active");
  ExpectPanic([&] { root->BeginModal(nullptr, nullptr); }, "No form to obtain the modal state.");
  ExpectPanic([&] { root->EndModalOf(nullptr, nullptr); }, "No form to end the modal state.");
  ExpectPanic([&] { root->EndModalOf(dialog, nullptr); }, "The form is not modal.");
  root->BeginModal(dialog, nullptr);
  ExpectPanic([&] { root->BeginModal(dialog, nullptr); }, "The form is already modal.");
  ExpectPanic([&] { root->AttachKeyboard(dialog, nullptr); }, "The form is already modal.");
  root->AttachKeyboard(keyboard, nullptr);
  ExpectPanic([&] { root->BeginModal(keyboard, nullptr); }, "The form serves as the 'virtual keyboard'.");
  ExpectPanic([&] { root->AttachKeyboard(screen, nullptr); },
              "The 'virtual keyboard' form is already registered.");
  ExpectPanic([&] { root->AttachKeyboard(nullptr, nullptr); }, "No form to serve as the 'virtual keyboard'.");
  root->DetachKeyboard(nullptr);
  ExpectPanic([&] { root->DetachKeyboard(nullptr); }, "No 'virtual keyboard' to detach.");
}

TEST_F(RootDispatch, DetachingTheKeyboardHandsBackDataAndAllowsTheNext) {
  auto* data = VgNew<Value>();
  keyboard->OnSetFocus(MakeCtrl("key", {0, 0, 50, 50}, keyboard));
  root->AttachKeyboard(keyboard, data);
  EXPECT_TRUE(keyboard->Focused);
  static_cast<TestCtrl*>(keyboard->Focus.get())->value = 5;
  // A receiver of the end may attach the next keyboard form at once.
  TestForm* next = MakeForm("next", {0, 0, 10, 10}, nullptr);
  keyboard->OnSetOnEndModal(VgSlotOf<&TestForm::Ended>(next));
  next->ModalData = nullptr;
  root->DetachKeyboard(data);
  EXPECT_EQ(data->value, 5);
  EXPECT_FALSE(keyboard->Focused);
  EXPECT_EQ(root->keyboardForm.get(), nullptr);
  EXPECT_EQ(next->endings, 1);
  root->AttachKeyboard(next, nullptr);
  EXPECT_EQ(root->keyboardForm.get(), next);
}

TEST_F(RootDispatch, TheKeyboardFormStaysOnTopAndNeverTakesTheFocus) {
  root->AttachKeyboard(keyboard, nullptr);
  EXPECT_EQ(root->lastView.get(), keyboard);

  auto* added = MakeForm("added", {0, 0, 10, 10}, root);
  EXPECT_EQ(root->lastView.get(), keyboard);
  EXPECT_EQ(keyboard->prevView.get(), added);

  root->RestackTop(screen);
  EXPECT_EQ(keyboard->prevView.get(), screen);
  root->Restack(dialog, 10);
  EXPECT_EQ(keyboard->prevView.get(), dialog);
  auto* behind = MakeForm("behind", {0, 0, 10, 10}, nullptr);
  root->AddBehind(behind, nullptr);
  EXPECT_EQ(keyboard->prevView.get(), behind);
  root->RestackBehind(screen, nullptr);
  EXPECT_EQ(keyboard->prevView.get(), screen);

  // A modal form opened over a keyboard form stays below it.
  root->BeginModal(added, nullptr);
  EXPECT_EQ(keyboard->prevView.get(), added);

  root->OnSetFocus(keyboard);
  EXPECT_EQ(root->Focus.get(), screen);

  // Once the keyboard form is gone the rules no longer apply.
  root->EndModal(nullptr);
  root->DetachKeyboard(nullptr);
  root->RestackTop(dialog);
  EXPECT_EQ(root->lastView.get(), dialog);
}

TEST_F(RootDispatch, LanguageAndStylesChangesAreBroadcastOnce) {
  auto* hidden = MakeProbe("hidden", {0, 0, 1, 1});
  hidden->OnSetVisible(false);
  screen->Add(hidden, 0);

  root->OnSetLanguage(root->OnGetLanguage());
  EXPECT_TRUE(hidden->events.empty());

  root->OnSetLanguage(2);
  EXPECT_EQ(root->OnGetLanguage(), 2);
  ASSERT_EQ(hidden->events.size(), 1u);
  auto* language = vg_cast<Core::LanguageEvent>(hidden->events[0]);
  ASSERT_NE(language, nullptr);
  EXPECT_EQ(language->oldLanguage, 0);
  EXPECT_EQ(language->newLanguage, 2);
  root->OnSetLanguage(0);

  hidden->events.clear();
  const uint32_t styles = root->OnGetStyles();
  root->OnSetStyles(styles);
  EXPECT_TRUE(hidden->events.empty());
  root->OnSetStyles(styles | 4);
  ASSERT_EQ(hidden->events.size(), 1u);
  auto* changed = vg_cast<Core::StylesEvent>(hidden->events[0]);
  ASSERT_NE(changed, nullptr);
  EXPECT_EQ(changed->oldStyles, styles);
  EXPECT_EQ(changed->newStyles, styles | 4);
  root->OnSetStyles(styles);
}

}  // namespace
