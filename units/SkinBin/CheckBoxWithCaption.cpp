#include "SkinBin/CheckBoxWithCaption.h"

#include "Fonts/Fonts.h"
#include "SkinBin/Skin.h"

VG_DEFINE_CLASS(SkinBin, CheckBoxWithCaption, ::SkinBin::CheckBoxButton)

namespace SkinBin {

// The plain check box hides its caption; this one exists to show it, in the
// skin's text colours until the screen chooses others.
CheckBoxWithCaption::CheckBoxWithCaption(XObject* link) : CheckBoxButton(link) {
  caption.OnSetVisible(true);
  OnSetTextAlignH(Views::Text::AlignLeft);
  Nonfocused_TextColor = Colors::StandardTextColor;
  Focused_TextColor = Colors::DreskovMenuTextFocused;
  Disabled_TextColor = Colors::DisableTextColor;
  Default_TextColor = Colors::StandardTextColor;
  Resources::Font* medium = VgLoad<Resources::Font>(Fonts::MediumFont);
  Nonfocused_TextFont = medium;
  Focused_TextFont = medium;
  Disabled_TextFont = medium;
  Default_TextFont = medium;
}

void CheckBoxWithCaption::Refresh(XObject* sender) {
  ::Button::IconButton::Refresh(sender);
  const VgRect box{0, 0, 27, 27};
  backgroundFrame.OnSetBounds(box);
  iconImage.OnSetBounds(VgSetRectOrigin(iconImage.Bounds, {IconLeft, iconImage.Bounds.y1}));
  VgRect place = caption.Bounds;
  place.x1 = box.x2 + CaptionGap;
  place.y1 = 2;
  caption.OnSetBounds(place);
}

void CheckBoxWithCaption::RefreshCtrlState(int32_t look) {
  ::Button::IconButton::RefreshCtrlState(look);
  if (look == LookFocused && IsDisabled) OnSetTextColor(Colors::DisableTextColor);
}

}  // namespace SkinBin
