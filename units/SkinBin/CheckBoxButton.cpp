#include "SkinBin/CheckBoxButton.h"

#include "Bitmaps.h"
#include "Resources/Bitmap.h"
#include "Strings.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(SkinBin, CheckBoxButton, ::Button::CheckBox)

namespace SkinBin {

// Both icons start as the check mark; the screen shows the box's real state
// by setting IsChecked, which replaces every icon.
CheckBoxButton::CheckBoxButton(XObject* link) : ::Button::CheckBox(link) {
  OnSetBounds({0, 0, 27, 27});
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::CheckBoxButtonFocus);
  Nonfocused_Icon = VgLoad<Resources::Bitmap>(Bitmaps::CheckBoxCheck);
  Focused_Icon = Nonfocused_Icon;
  caption.OnSetVisible(false);
  UnCheck_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::CheckBox);
  Checked_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::CheckBoxCheck);
  HelpString = VgConcatString(VgConcatString(VgGetVariantOfString(&Strings::SID_SELECT_DESELECT), VgNewStringAnsi(",")),
                              VgGetVariantOfString(&Strings::SID_BACK));
}

}  // namespace SkinBin
