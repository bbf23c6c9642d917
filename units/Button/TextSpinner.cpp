#include "Button/TextSpinner.h"

#include "Button/NumberSpinner.h"
#include "Core/KeyEvent.h"
#include "vgdebug.h"

VG_DEFINE_CLASS(Button, TextSpinner, ::Button::Button)

namespace Button {

TextSpinner::TextSpinner(XObject* link) : Button(link) {}

XObject* TextSpinner::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down || (key->keyCode != IncreaseKey && key->keyCode != DecreaseKey))
    return Button::HandleEvent(event);
  OnSetCurrent(Stepped(Current, key->keyCode == IncreaseKey ? Step : -int64_t(Step)));
  VgSignal(OnValueChange, this);
  return this;
}

// The range is the descendant's, and nothing ties it to the twelve texts: an
// entry outside them shows an empty caption instead of reading past the table.
void TextSpinner::OnSetCurrent(int32_t value) {
  if (value < Minimum)
    Current = WrapAround ? Maximum : Minimum;
  else if (value > Maximum)
    Current = WrapAround ? Minimum : Maximum;
  else
    Current = value;
  if (Current < 0 || Current >= TextCount) {
    VgPrint("Button::TextSpinner: entry %d has no text (0 to %d)\n", static_cast<int>(Current), TextCount - 1);
    OnSetText(nullptr);
    return;
  }
  OnSetText(Texts[Current]);
}

}  // namespace Button
