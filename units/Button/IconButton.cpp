#include "Button/IconButton.h"

#include "Resources/Bitmap.h"

VG_DEFINE_CLASS(Button, IconButton, ::Button::Button)

namespace Button {

IconButton::IconButton(XObject* link) : Button(link) {
  caption.OnSetAutoSize(true);
  iconImage.OnSetAutoSize(true);
  Add(&iconImage, 0);
}

void IconButton::OnSetIcon(Resources::Bitmap* value) {
  Icon = value;
  if (iconImage.Bitmap.get() != value) iconImage.OnSetBitmap(value);
}

void IconButton::OnSetTextAlpha(uint8_t value) { TextAlpha = value; }

void IconButton::RefreshCtrlState(int32_t look) {
  Button::RefreshCtrlState(look);
  switch (look) {
    case LookNormal:
      OnSetIcon(Nonfocused_Icon);
      break;
    case LookDisabled:
      OnSetIcon(Disabled_Icon);
      break;
    case LookDefault:
      OnSetIcon(Default_Icon);
      break;
    case LookFocused:
      OnSetIcon(Focused_Icon);
      break;
    default:
      break;
  }
}

void IconButton::Refresh(XObject* sender) {
  Button::Refresh(sender);
  const VgPoint icon = VgGetRectSize(iconImage.Bounds);
  iconImage.OnSetBounds(VgSetRectOrigin(iconImage.Bounds, {(VgGetRectW(Bounds) - icon.x) / 2,
                                                          (VgGetRectH(Bounds) - icon.y) / 2}));
}

}  // namespace Button
