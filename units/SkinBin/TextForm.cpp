#include "SkinBin/TextForm.h"

#include <algorithm>

#include "Core/KeyEvent.h"
#include "Resources/Font.h"
#include "vgslot.h"

VG_DEFINE_CLASS(SkinBin, TextForm, Forms::ScrollForm)

namespace SkinBin {

TextForm::TextForm(XObject* link) : Forms::ScrollForm(link) {
  Add(&textView, 0);
  textView.OnSetBounds({0, 0, 200, 100});
  textView.OnSetAutoSize(true);
  textView.OnSetColor(Color);
  textView.OnSetShadowColor(ShadowColor);
}

VgRect TextForm::GetTextViewArea() const { return {0, 0, VgGetRectW(Bounds), VgGetRectH(Bounds)}; }

void TextForm::TextChanged() {
  VgPostSignal(VgSlotOf<&TextForm::updateScrollPos>(this));
  VgPostSignal(VgSlotOf<&Forms::Form::updateScrollBars>(static_cast<Forms::Form*>(this)));
}

// The text is laid out anew at the top of the page and then moved by the
// kept scroll position, so the page stays where the viewer had it; the
// posted position update pulls it back when the text became shorter.
void TextForm::OnSetBounds(VgRect rect) {
  const bool widthChanged = VgGetRectW(rect) != VgGetRectW(Bounds);
  Forms::ScrollForm::OnSetBounds(rect);
  if (!widthChanged) return;
  isScrolling = true;
  textView.OnSetBounds(VgMoveRectNeg(GetTextViewArea(), ScrollPos));
  if (textView.AutoSize && textView.Font && !textView.String.empty()) textView.AdjustBounds();
  isScrolling = false;
  TextChanged();
}

void TextForm::OnSetString(VgString value) {
  if (VgCompString(String, value) == 0) return;
  String = value;
  textView.OnSetString(value);
  TextChanged();
}

void TextForm::OnSetFont(Resources::Font* value) {
  if (Font.get() == value) return;
  Font = value;
  textView.OnSetFont(value);
  TextChanged();
}

void TextForm::OnSetColor(VgColor value) {
  if (Color == value) return;
  Color = value;
  textView.OnSetColor(value);
}

void TextForm::OnSetAlignH(uint16_t value) {
  if (AlignH == value) return;
  AlignH = value;
  textView.OnSetAlignH(value);
}

void TextForm::OnSetShadow(int32_t value) {
  value = std::clamp(value, 0, 3);
  if (Shadow == value) return;
  Shadow = value;
  textView.OnSetShadow(value);
  TextChanged();
}

void TextForm::OnSetShadowColor(VgColor value) {
  if (ShadowColor == value) return;
  ShadowColor = value;
  textView.OnSetShadowColor(value);
}

bool TextForm::Scrolled(bool pages, int32_t dx, int32_t dy) {
  const VgPoint before = ScrollPos;
  if (pages)
    ScrollPages(dx, dy);
  else
    ScrollLines(dx, dy);
  return ScrollPos != before;
}

// Only presses scroll: a key's release belongs to the same step. A page key
// of 0 stands for none, so it never takes the key the set reports for an
// unmapped button.
XObject* TextForm::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down) return Forms::ScrollForm::HandleEvent(event);
  const uint16_t code = key->keyCode;
  bool taken = false;
  if (PageUpKey != Key::None && code == PageUpKey)
    taken = Scrolled(true, 0, -1);
  else if (PageDownKey != Key::None && code == PageDownKey)
    taken = Scrolled(true, 0, 1);
  else if (code == KeyLineUp)
    taken = Scrolled(false, 0, -1);
  else if (code == KeyLineDown)
    taken = Scrolled(false, 0, 1);
  else if (code == Key::Left || code == Key::Right) {
    Scrolled(false, code == Key::Left ? -1 : 1, 0);
    taken = true;
  } else {
    return Forms::ScrollForm::HandleEvent(event);
  }
  if (!taken) return nullptr;
  VgSignal(OnResetTimeout, this);
  return this;
}

}  // namespace SkinBin
