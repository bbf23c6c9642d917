#include "Button/ButtonClass.h"

#include "Cursor/FocusFrame.h"
#include "Cursor/Navigator.h"
#include "Resources/Bitmap.h"
#include "Resources/Font.h"
#include "vgslot.h"

VG_DEFINE_CLASS(Button, ButtonClass, Primitives::KeyRoutingCtrl)

namespace Button {

// A new button lays itself out once even when its screen never resizes it.
ButtonClass::ButtonClass(XObject* link) : Primitives::KeyRoutingCtrl(link) { PostRefresh(); }

void ButtonClass::PostRefresh() {
  VgPostSignal(VgSlotOf<&Primitives::KeyRoutingCtrl::Refresh>(static_cast<Primitives::KeyRoutingCtrl*>(this)));
}

void ButtonClass::HandleFocus(bool focused) {
  Primitives::KeyRoutingCtrl::HandleFocus(focused);
  PostRefresh();
}

void ButtonClass::Refresh(XObject*) {
  if (Focused) {
    if (FocusFrame) {
      FocusFrame->OnSetClientBounds(Bounds);
      FocusFrame->OnSetVisible(true);
    }
    if (Navigator) {
      Navigator->OnSetClientBounds(Bounds);
      Navigator->OnSetVisible(true);
      Navigator->OnSetUp(Up);
      Navigator->OnSetDown(Down);
      Navigator->OnSetLeft(Left);
      Navigator->OnSetRight(Right);
    }
    RefreshCtrlState(LookFocused);
    return;
  }
  if (FocusFrame) FocusFrame->OnSetVisible(false);
  if (Navigator) Navigator->OnSetVisible(false);
  if (IsDisabled)
    RefreshCtrlState(LookDisabled);
  else if (IsDefault && owner && owner->Focus.get() == this)
    RefreshCtrlState(LookDefault);
  else
    RefreshCtrlState(LookNormal);
}

void ButtonClass::OnSetText(VgString value) { Text = value; }
void ButtonClass::OnSetTextFont(Resources::Font* value) { TextFont = value; }
void ButtonClass::OnSetTextColor(VgColor value) { TextColor = value; }
void ButtonClass::OnSetBackgroundColor(VgColor value) { BackgroundColor = value; }
void ButtonClass::OnSetBackgroundBitmap(Resources::Bitmap* value) { BackgroundBitmap = value; }

void ButtonClass::OnSetIsDisabled(bool value) {
  if (value == IsDisabled) return;
  IsDisabled = value;
  PostRefresh();
}

void ButtonClass::OnSetIsDefault(bool value) {
  if (value == IsDefault) return;
  IsDefault = value;
  PostRefresh();
}

void ButtonClass::RefreshCtrlState(int32_t look) {
  switch (look) {
    case LookDisabled:
      OnSetBackgroundBitmap(Disabled_Bitmap);
      OnSetTextColor(Disabled_TextColor);
      OnSetTextFont(Disabled_TextFont);
      OnSetBackgroundColor(Disabled_BackgroundColor);
      break;
    case LookNormal:
      OnSetBackgroundBitmap(Nonfocused_Bitmap);
      OnSetTextColor(Nonfocused_TextColor);
      OnSetTextFont(Nonfocused_TextFont);
      OnSetBackgroundColor(Nonfocused_BackgroundColor);
      break;
    case LookDefault:
      OnSetBackgroundBitmap(Default_Bitmap);
      OnSetTextColor(Default_TextColor);
      OnSetTextFont(Default_TextFont);
      OnSetBackgroundColor(Default_BackgroundColor);
      break;
    case LookFocused:
      OnSetBackgroundBitmap(Focused_Bitmap);
      OnSetTextColor(Focused_TextColor);
      OnSetTextFont(Focused_TextFont);
      OnSetBackgroundColor(Focused_BackgroundColor);
      break;
    default:
      break;
  }
}

}  // namespace Button
