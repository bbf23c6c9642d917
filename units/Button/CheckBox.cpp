#include "Button/CheckBox.h"

#include "Core/KeyEvent.h"
#include "vgslot.h"

VG_DEFINE_CLASS(Button, CheckBox, ::Button::IconButton)

namespace Button {

CheckBox::CheckBox(XObject* link) : IconButton(link) {}

// A disabled box passes the key on to the control, which still reports it
// through OnActivate, so its screen can explain why nothing changed.
XObject* CheckBox::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (key && key->down && key->keyCode == ActivateKey && !IsDisabled) {
    OnSetIsChecked(!IsChecked);
    VgSignal(OnActivate, this);
    return this;
  }
  return IconButton::HandleEvent(event);
}

void CheckBox::OnSetIsChecked(bool value) {
  IsChecked = value;
  Resources::Bitmap* shown = value ? Checked_Bitmap.get() : UnCheck_Bitmap.get();
  Default_Icon = shown;
  Disabled_Icon = shown;
  Nonfocused_Icon = shown;
  Focused_Icon = shown;
  PostRefresh();
}

}  // namespace Button
