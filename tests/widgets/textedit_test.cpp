// The numeric text field: its length, cursor, separator and erase rules.
#include <gtest/gtest.h>

#include "Button/TextEdit.h"
#include "widgets_fixture.h"

namespace WidgetsTest {
namespace {

constexpr uint16_t kErase = 6, kDot = 44;

class TextEditTest : public Widgets {
 protected:
  void SetUp() override {
    Widgets::SetUp();
    edit = VgNew<::Button::TextEdit>();
    top->Add(edit, 0);
    edit->OnSetEditModeEnabled(true);
    edit->OnSetTextChanged(listener->Slot());
  }
  // Presses the keys of the text ("." the separator) and expects each taken.
  void Type(const std::string& keys) {
    for (char c : keys) {
      const uint16_t code = c == '.' ? kDot : static_cast<uint16_t>(10 + (c - '0'));
      EXPECT_EQ(edit->HandleEvent(Press(code)), edit) << c;
    }
  }
  std::string Shown() { return Utf8(edit->caption.String); }
  ::Button::TextEdit* edit = nullptr;
};

TEST_F(TextEditTest, AFullFieldDropsTheCursorAndTypingOnStartsANewEntry) {
  Type("123");
  EXPECT_EQ(Shown(), "123_");
  Type("4");
  EXPECT_EQ(Utf8(edit->TextString), "1234");
  EXPECT_EQ(Shown(), "1234");
  Type("5");
  EXPECT_EQ(Utf8(edit->TextString), "5");
  EXPECT_EQ(Shown(), "5_");
  EXPECT_EQ(listener->count, 5);
}

TEST_F(TextEditTest, OneSeparatorMayJoinTheDigits) {
  Type("1");
  EXPECT_EQ(edit->HandleEvent(Press(kDot)), nullptr);  // only where supported
  edit->ClearText();
  edit->OnSetSupportDot(true);
  EXPECT_EQ(edit->HandleEvent(Press(kDot)), nullptr);  // not before a digit
  Type("12.");
  EXPECT_EQ(edit->HandleEvent(Press(kDot)), nullptr);  // not twice
  Type("3");
  EXPECT_EQ(Shown(), "12.3_");  // full length with a separator: one more digit
  Type("4");
  EXPECT_EQ(Shown(), "12.34");
  Type("5");
  EXPECT_EQ(Utf8(edit->TextString), "5");

  edit->ClearText();
  Type("1234");
  EXPECT_EQ(edit->HandleEvent(Press(kDot)), nullptr);  // a full field takes no separator
}

TEST_F(TextEditTest, EraseTakesBackTheLastCharacter) {
  Type("12");
  EXPECT_TRUE(edit->TypedInto()) << "what its screen would lose with it";
  EXPECT_EQ(edit->HandleEvent(Press(kErase)), edit);
  EXPECT_EQ(Shown(), "1_");
  edit->HandleEvent(Press(kErase));
  edit->HandleEvent(Press(kErase));  // on an empty field
  EXPECT_EQ(edit->TextString.get(), nullptr);
  EXPECT_EQ(Shown(), "_");
  EXPECT_FALSE(edit->TypedInto());

  edit->OnSetEnableEraseKey(false);
  Type("7");
  EXPECT_EQ(edit->HandleEvent(Press(kErase)), nullptr);
  EXPECT_EQ(Utf8(edit->TextString), "7");
  edit->OnSetEnabled(false);
  EXPECT_FALSE(edit->TypedInto()) << "a field switched off is no longer typed into";
}

TEST_F(TextEditTest, OutsideEditModeAndOnReleaseNoKeyIsTaken) {
  EXPECT_EQ(edit->HandleEvent(Release(11)), nullptr);
  edit->OnSetEditModeEnabled(false);
  EXPECT_EQ(edit->HandleEvent(Press(11)), nullptr);
  EXPECT_EQ(edit->TextString.get(), nullptr);
  EXPECT_EQ(listener->count, 0);
}

TEST_F(TextEditTest, ATextSetLongerThanTheFieldIsCut) {
  edit->OnSetTextString(VgNewStringAnsi("123456"));
  EXPECT_EQ(Utf8(edit->TextString), "1234");
  edit->OnSetTextString(VgNewStringAnsi("1.23456"));
  EXPECT_EQ(Utf8(edit->TextString), "1.234");
  EXPECT_EQ(Shown(), "1.234");
  edit->ClearText();
  EXPECT_EQ(edit->caption.String.get(), nullptr);
}

}  // namespace
}  // namespace WidgetsTest
