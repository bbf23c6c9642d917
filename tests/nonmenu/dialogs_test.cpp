// Direct messages, confirmations, the PIN dialogs and the keyboard.
#include <gtest/gtest.h>

#include <vector>

#include "Constants/Constants.h"
#include "AppServices/MessageAgent.h"
#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "NonMenuSystem/ChangePinDialog.h"
#include "NonMenuSystem/ConfirmMultiOptionDialog.h"
#include "NonMenuSystem/ConfirmOneOptionDialog.h"
#include "NonMenuSystem/DateSettingDialog.h"
#include "NonMenuSystem/DirectMessageBar.h"
#include "NonMenuSystem/EnterPinDialog.h"
#include "NonMenuSystem/KeyPad.h"
#include "Fonts/Fonts.h"
#include "Resources/Font.h"
#include "NonMenuSystem/OptionDialog.h"
#include "OptionDatabase/OptionTypes.h"
#include "SkinBin/UserRefInt.h"
#include "Primitives/MessageDelivery.h"
#include "Record/ScheduledRecordDialog.h"
#include "Strings.h"
#include "WinIDs/WinIDs.h"
#include "nonmenu_fixture.h"
#include "vgresmap.h"

namespace {

// The messages the agent hands the scheduled-record screen, which the
// deletion of confirmation 62 addresses by name.
std::vector<int32_t> g_scheduledCodes;
std::vector<int32_t> g_scheduledParams;

void DeliverNoting(XObject* receiver, Structures::Message* message) {
  if (vg_is_exactly<Record::ScheduledRecordDialog>(receiver)) {
    g_scheduledCodes.push_back(message->Code);
    g_scheduledParams.push_back(message->Param);
  }
  Primitives::DeliverMessage(receiver, message);
}

using NonMenuSystem::WidgetClass;
constexpr int32_t kMessageBar = 0x2000009;
constexpr int32_t kConfirm = 0x2000005;
constexpr int32_t kPin = 0x2000011;

class DialogTest : public NonMenuTest::NonMenuFixture {};

TEST_F(DialogTest, AMessageKeepsItsOwnTimeWhoeverOpensItAndUnknownTypesOpenNothing) {
  auto* bar = static_cast<NonMenuSystem::DirectMessageBar*>(
      Open(&NonMenuSystem::DirectMessageBar::Class, 47, Constants::MSG_FROM_MENUSYSTEM));
  EXPECT_EQ(bar->TimeOutValue, 2000) << "not the minute of a widget opened from a menu";
  EXPECT_EQ(Utf8(bar->message.String), Text(Strings::SID_MSG_TIMER_NOT_RF));
  EXPECT_NE(bar->icon.Bitmap.get(), nullptr);
  Advance(2000);
  EXPECT_FALSE(Listed(kMessageBar));

  testing::internal::CaptureStdout();
  EXPECT_EQ(system->ShowMessage(77), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "NonMenuSystem::NonMenuSystem.ShowMessage: no message of type 77\n");
  EXPECT_FALSE(Listed(kMessageBar));
}

TEST_F(DialogTest, AMessageOverADialogLeavesTheDialogOpen) {
  Open(&NonMenuSystem::ConfirmMultiOptionDialog::Class, 62);
  system->ShowMessage(44);
  EXPECT_TRUE(Listed(kConfirm));
  EXPECT_TRUE(Listed(kMessageBar));
  Advance(4000);
  EXPECT_FALSE(Listed(kMessageBar));
  EXPECT_TRUE(Listed(kConfirm));
  EXPECT_EQ(system->Focus.get(), MainApp::GetWidgetManager()->FindForm(kConfirm));
}

TEST_F(DialogTest, AShortcutMessageReturnsToTheMenusWhenItsTimeIsUp) {
  auto* bar = static_cast<WidgetClass*>(system->ShowMessage(4));
  bar->IsShortcut = true;
  listener->codes.clear();
  Advance(2000);
  EXPECT_FALSE(Listed(kMessageBar));
  ASSERT_FALSE(listener->codes.empty());
  EXPECT_EQ(listener->codes[0], Constants::MSG_CHANGE_APPEARANCE);
}

// The option and date pop-ups answer the dialog whose slot or values they
// carry; a screen of that dialog's layer taking its place closes them, and
// the new screen keeps the focus. Over a dialog that stays they stay.
TEST_F(DialogTest, PopUpsGoWithTheDialogWhoseValuesTheyChange) {
  auto* dialog = static_cast<WidgetClass*>(Open(&NonMenuTest::Screen::Class));
  auto* options = static_cast<NonMenuSystem::OptionDialog*>(
      Open(&NonMenuSystem::OptionDialog::Class, OptionDatabase::OPTION_TYPE_DYNAMIC_CONTRAST));
  options->OnSetOnValueChanged(VgSlotOf<&WidgetClass::Exit>(dialog));
  EXPECT_EQ(options->Asker.get(), dialog);
  Press(Key::Down);
  EXPECT_TRUE(Listed(options->WinID)) << "a key in the pop-up leaves both open";
  EXPECT_TRUE(Listed(dialog->WinID));

  auto* date = static_cast<NonMenuSystem::DateSettingDialog*>(Open(&NonMenuSystem::DateSettingDialog::Class));
  date->OnSetOwner(dialog);
  EXPECT_EQ(date->Asker.get(), dialog);

  auto* other = Open(&NonMenuTest::OtherScreen::Class);
  EXPECT_FALSE(Listed(dialog->WinID));
  EXPECT_FALSE(Listed(options->WinID));
  EXPECT_FALSE(Listed(date->WinID));
  EXPECT_TRUE(Listed(other->WinID));
  EXPECT_EQ(system->Focus.get(), other);
}

TEST_F(DialogTest, YesOfConfirmation62TellsOnlyTheScheduledRecordScreen) {
  auto* scheduled = VgNew<Record::ScheduledRecordDialog>();
  VgLockObject(scheduled);
  MainApp::GetMessageAgent()->Register(scheduled);
  g_scheduledCodes.clear();
  g_scheduledParams.clear();
  Agent::SetMessageDelivery(&DeliverNoting);
  auto* dialog = static_cast<NonMenuSystem::ConfirmMultiOptionDialog*>(system->ShowConfirmDialog(62, 0));
  EXPECT_EQ(Utf8(dialog->caption.String), Text(Strings::SID_CONFIRM_DELETE_SCHEDULED_RECORD));
  EXPECT_EQ(Utf8(dialog->warning.String), Text(Strings::SID_CONFIRM_DELETE_RECORD_TEXT));
  EXPECT_EQ(dialog->Focus.get(), &dialog->yesButton);
  listener->codes.clear();
  Press(Key::Ok);
  EXPECT_EQ(g_scheduledCodes, std::vector<int32_t>{Constants::MSG_DELETE_ITEM});
  EXPECT_EQ(g_scheduledParams, std::vector<int32_t>{3});
  EXPECT_TRUE(listener->codes.empty());
  EXPECT_FALSE(Listed(kConfirm));

  // 66 and 61 tell every receiver.
  system->ShowConfirmDialog(66, 0);
  Press(Key::Ok);
  EXPECT_EQ(listener->params.back(), NonMenuSystem::DeleteKindEPGRecord);
  Agent::SetMessageDelivery(&Primitives::DeliverMessage);
  MainApp::GetMessageAgent()->UnRegister(scheduled);
  VgUnlockObject(scheduled);
}

TEST_F(DialogTest, NoAndReturnGoBackWithoutTheAction) {
  auto* dialog = static_cast<NonMenuSystem::ConfirmMultiOptionDialog*>(system->ShowConfirmDialog(61, 0));
  Press(Key::Right);
  EXPECT_EQ(dialog->Focus.get(), &dialog->noButton);
  Press(Key::Down);
  EXPECT_EQ(dialog->Focus.get(), &dialog->yesButton);
  listener->codes.clear();
  Press(Key::Back);
  EXPECT_FALSE(Listed(kConfirm));
  EXPECT_TRUE(listener->codes.empty());
}

TEST_F(DialogTest, TheDialogGrowsWithItsQuestionAndOpensItsNextScreenByName) {
  auto* dialog = static_cast<NonMenuSystem::ConfirmMultiOptionDialog*>(system->ShowConfirmDialog(62, 0));
  const int32_t shortHeight = VgGetRectH(dialog->Bounds);
  dialog->OnSetConfirmType(50);
  EXPECT_GT(VgGetRectH(dialog->Bounds), shortHeight);
  EXPECT_EQ(dialog->Bounds.y1, 150);

  dialog->OnSetConfirmType(49);
  Press(Key::Ok);
  EXPECT_FALSE(Listed(kConfirm));
  EXPECT_TRUE(Listed(WinIDs::WIN_ID_UBN_Message)) << "the update check, a unit this one does not build on";
}

TEST_F(DialogTest, ConfirmationFiftyLeadsToSixAndDeletingThePinEmptiesIt) {
  system->ShowConfirmDialog(50, Constants::MSG_FROM_MENUSYSTEM);
  Press(Key::Ok);
  auto* six = vg_cast<NonMenuSystem::ConfirmMultiOptionDialog>(MainApp::GetWidgetManager()->FindForm(kConfirm));
  ASSERT_NE(six, nullptr);
  EXPECT_EQ(six->ConfirmType, 6);
  EXPECT_TRUE(six->MenuTriggered);

  Store("Password", "4321");
  system->ShowConfirmDialog(34, 0);
  Press(Key::Ok);
  EXPECT_EQ(Setting("Password"), "");
}

TEST_F(DialogTest, OneButtonMovesOn) {
  auto* dialog = static_cast<NonMenuSystem::ConfirmOneOptionDialog*>(Open(&NonMenuSystem::ConfirmOneOptionDialog::Class));
  dialog->OnSetYesButtonLabel(VgNewStringAnsi("Close"));
  EXPECT_EQ(Utf8(dialog->button.Text), "Close");
  EXPECT_EQ(dialog->button.Bounds.y2, VgGetRectH(dialog->Bounds) - dialog->FrameWidth - 20);
  dialog->NextState = &NonMenuTest::Screen::Class;
  Press(Key::Ok);
  EXPECT_FALSE(Listed(0x2000004));
  EXPECT_TRUE(Listed(0x2000050));
}

TEST_F(DialogTest, AWrongPinIsClearedAndTheRightOneOpensTheResetConfirmation) {
  Store("Password", "1234");
  auto* dialog = static_cast<NonMenuSystem::EnterPinDialog*>(
      Open(&NonMenuSystem::EnterPinDialog::Class, 4, Constants::MSG_FROM_MENUSYSTEM));
  EXPECT_EQ(dialog->TimeOutValue, WidgetClass::MenuTimeOut);
  testing::internal::CaptureStdout();
  Digits("9999");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "PasswordIncorrect\n");
  EXPECT_EQ(dialog->pin.DigitCount(), 0);
  EXPECT_EQ(Utf8(dialog->messageLine.String), Text(Strings::SID_MSG_LOCKS_INCORRECT_PIN_CODE));
  Digits("9999");
  EXPECT_TRUE(Listed(kPin)) << "no lock-out";
  Digits("1234");
  EXPECT_FALSE(Listed(kPin));
  auto* reset = vg_cast<NonMenuSystem::ConfirmMultiOptionDialog>(MainApp::GetWidgetManager()->FindForm(kConfirm));
  ASSERT_NE(reset, nullptr);
  EXPECT_EQ(reset->ConfirmType, 33);
  EXPECT_TRUE(reset->MenuTriggered);
}

TEST_F(DialogTest, TheThreeDWizardPinWaitsAMinuteOnlyUnderTheTimerLock) {
  MainApp::GetWrapper()->OnSetThreeDTimerLock(1);
  auto* locked = static_cast<WidgetClass*>(Open(&NonMenuSystem::EnterPinDialog::Class, 11));
  EXPECT_EQ(locked->TimeOutValue, WidgetClass::MenuTimeOut);
  locked->Close();
  MainApp::GetWrapper()->OnSetThreeDTimerLock(0);
  auto* open = static_cast<WidgetClass*>(Open(&NonMenuSystem::EnterPinDialog::Class, 11));
  EXPECT_EQ(open->TimeOutValue, 0);
  Advance(600000);
  EXPECT_TRUE(Listed(kPin));
}

TEST_F(DialogTest, ANewPinIsTypedTwiceAndNeverZeros) {
  auto* dialog = static_cast<NonMenuSystem::ChangePinDialog*>(Open(&NonMenuSystem::ChangePinDialog::Class, 2));
  Digits("00000000");
  EXPECT_EQ(Utf8(dialog->messageLine.String), Text(Strings::SID_MSG_LOCKS_ZERO_PIN_CODE));
  EXPECT_EQ(dialog->Focus.get(), &dialog->newPin);
  Digits("12345678");
  EXPECT_EQ(Utf8(dialog->messageLine.String), Text(Strings::SID_MSG_LOCKS_INCORRECT_PIN_CODE));
  EXPECT_EQ(dialog->confirmPin.DigitCount(), 0);
  Digits("24682468");
  EXPECT_FALSE(Listed(kPin));
  EXPECT_EQ(Setting("ThreeDPassword"), "2468");
  EXPECT_EQ(Setting("Password"), "");
}

TEST_F(DialogTest, TheKeyPadTypesWithinItsLengthAndAnswersEveryReceiver) {
  auto* pad = static_cast<NonMenuSystem::KeyPad*>(Open(&NonMenuSystem::KeyPad::Class, 3));
  EXPECT_FALSE(pad->TypedInto()) << "an empty pad holds nothing a key could throw away";
  Press(Key::Ok);
  EXPECT_TRUE(pad->TypedInto());
  Press(Key::Right);
  Press(Key::Ok);
  Digits("12");
  EXPECT_EQ(Utf8(pad->Text), "AB1") << "the fourth character finds no room";
  Press(Key::Up);
  EXPECT_EQ(pad->Row, 4) << "up from the top wraps to the bottom row";
  const auto& specials = pad->Column;
  EXPECT_EQ(specials, 0);
  Press(Key::Left);
  Press(Key::Ok);
  EXPECT_FALSE(Listed(0x200000A));
  EXPECT_EQ(listener->codes.back(), Constants::MSG_LABEL_CHANGE);
  EXPECT_EQ(listener->lastText, "AB1");

  pad = static_cast<NonMenuSystem::KeyPad*>(Open(&NonMenuSystem::KeyPad::Class, 500));
  EXPECT_EQ(pad->MaxLength, 64) << "a length the pad cannot hold keeps the standard one";
}

TEST_F(DialogTest, TheFullKeyPadStartsFromItsTextInLowerCaseUntilShift) {
  auto* param = VgNew<SkinBin::UserRefInt>();
  param->Value = 10;
  param->Flag = true;
  param->Text = VgNewStringAnsi("net-work-name");
  auto* pad = static_cast<NonMenuSystem::KeyPad*>(system->OpenState(&NonMenuSystem::KeyPad::Class, param));
  EXPECT_TRUE(pad->FullMode);
  EXPECT_EQ(Utf8(pad->Text), "net-work-n") << "a start text longer than the pad holds is cut";
  Press(Key::Up);
  Press(Key::Ok);
  Press(Key::Down);
  Press(Key::Ok);
  EXPECT_EQ(Utf8(pad->Text), "net-work-n") << "Shift types nothing";
  EXPECT_TRUE(pad->Shifted);
  pad->Text = nullptr;
  pad->Row = 0;
  pad->Column = 0;
  Press(Key::Down);
  Press(Key::Up);
  Press(Key::Ok);
  EXPECT_EQ(Utf8(pad->Text), "A");
}


// The special keys span the character grid above them, edge to edge, in
// every language: each keeps its label whole with room either side (the
// 14 pixels English has, less where the labels are longer: "Terminé"), and
// English keeps its equal keys.
TEST_F(DialogTest, TheKeyPadsSpecialKeysSpanTheGridInEveryLanguage) {
  auto* font = VgLoad<Resources::Font>(Fonts::MediumFont);
  for (int32_t language : {0, 1, 2}) {
    VgSetLanguage(language);
    for (bool full : {false, true}) {
      SCOPED_TRACE(testing::Message() << "language " << language << (full ? ", full pad" : ", short pad"));
      auto* param = VgNew<SkinBin::UserRefInt>();
      param->Flag = full;
      auto* pad = static_cast<NonMenuSystem::KeyPad*>(system->OpenState(&NonMenuSystem::KeyPad::Class, param));
      const int32_t row = full ? 5 : 4;
      const int32_t count = full ? 5 : 4;
      const auto key = [pad](int32_t r, int32_t c) {
        return pad->keys[size_t(r * NonMenuSystem::KeyPad::Columns + c)];
      };
      int32_t right = key(0, 0)->Bounds.x1 - NonMenuSystem::KeyPad::KeyGap;
      for (int32_t column = 0; column < count; ++column) {
        Button::Button* special = key(row, column);
        const int32_t width = VgGetRectW(special->Bounds);
        EXPECT_GE(width - font->GetTextWidth(special->caption.String, 0, 0), 2 * 4) << Utf8(special->caption.String);
        EXPECT_EQ(special->Bounds.x1, right + NonMenuSystem::KeyPad::KeyGap);
        right = special->Bounds.x2;
        if (language == 0) {
          EXPECT_EQ(width, full ? 86 : 109);
        }
      }
      EXPECT_EQ(right, key(0, NonMenuSystem::KeyPad::Columns - 1)->Bounds.x2) << "the row ends with the grid";
      pad->Close();
    }
  }
  VgSetLanguage(0);
}

}  // namespace
