#include "Button/TextEdit.h"

#include "Core/KeyEvent.h"

VG_DEFINE_CLASS(Button, TextEdit, ::Button::Button)

namespace Button {

TextEdit::TextEdit(XObject* link) : Button(link) {
  CursorString = VgNewStringAnsi("_");
  DotString = VgNewStringAnsi(".");
}

bool TextEdit::HasDot(VgString text) const { return !DotString.empty() && VgStringFind(text, DotString, 0) >= 0; }

XObject* TextEdit::Enter(VgString text) {
  OnSetTextString(HandleNumber(text));
  VgSignal(TextChanged, this);
  return this;
}

XObject* TextEdit::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down || !EditModeEnabled) return Button::HandleEvent(event);
  const VgString text = TextString;
  const int32_t length = VgGetStringLength(text);
  if (EraseKey != Key::None && key->keyCode == EraseKey) {
    if (!EnableEraseKey) return Button::HandleEvent(event);
    return Enter(length > 0 ? VgStringLeft(text, length - 1) : nullptr);
  }
  if (key->keyCode >= Key::Digit0 && key->keyCode <= Key::Digit9)
    return Enter(VgConcatStringChar(text, static_cast<char16_t>(u'0' + (key->keyCode - Key::Digit0))));
  if (key->keyCode == Key::Dot && SupportDot && length >= 1 && length < MaxLength && !HasDot(text))
    return Enter(VgConcatString(text, DotString));
  return Button::HandleEvent(event);
}

VgString TextEdit::HandleNumber(VgString text) {
  const int32_t length = VgGetStringLength(text);
  if (length <= MaxLength || (length <= MaxLength + 1 && HasDot(text))) return text;
  return VgStringRight(text, 1);
}

void TextEdit::OnSetTextString(VgString value) {
  TextString = value;
  const int32_t length = VgGetStringLength(value);
  const bool dot = HasDot(value);
  if (length > MaxLength) {
    TextString = VgStringLeft(value, dot ? MaxLength + 1 : MaxLength);
    OnSetText(TextString);
  } else if (length == MaxLength && !dot) {
    OnSetText(TextString);
  } else {
    OnSetText(VgConcatString(TextString, CursorString));
  }
}

void TextEdit::ClearText() {
  TextString = nullptr;
  OnSetText(nullptr);
}

}  // namespace Button
