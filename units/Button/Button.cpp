#include "Button/Button.h"

#include "Resources/Bitmap.h"
#include "Resources/Font.h"

VG_DEFINE_CLASS(Button, Button, ::Button::ButtonClass)

namespace Button {

Button::Button(XObject* link) : ButtonClass(link) {
  backgroundRect.OnSetColor({0, 0, 0, 0});
  caption.OnSetColor({0, 0, 0, 0});
  caption.OnSetAlignH(Views::Text::AlignCentre);
  caption.OnSetAlignV(Views::Text::AlignMiddle);
  Add(&backgroundFrame, 0);
  Add(&backgroundImage, 0);
  Add(&backgroundRect, 0);
  Add(&caption, 0);
}

void Button::OnSetBounds(VgRect rect) {
  const bool resized = VgGetRectW(rect) != VgGetRectW(Bounds) || VgGetRectH(rect) != VgGetRectH(Bounds);
  ButtonClass::OnSetBounds(rect);
  if (resized) PostRefresh();
}

void Button::OnSetText(VgString value) {
  ButtonClass::OnSetText(value);
  if (VgCompString(caption.String, Text) != 0) caption.OnSetString(Text);
}

void Button::OnSetTextFont(Resources::Font* value) {
  ButtonClass::OnSetTextFont(value);
  if (caption.Font.get() != value) caption.OnSetFont(value);
}

void Button::OnSetTextColor(VgColor value) {
  ButtonClass::OnSetTextColor(value);
  if (caption.Color != value) caption.OnSetColor(value);
}

void Button::OnSetBackgroundColor(VgColor value) {
  ButtonClass::OnSetBackgroundColor(value);
  if (backgroundRect.Color != value) backgroundRect.OnSetColor(value);
}

void Button::OnSetTextAlignH(uint16_t value) {
  TextAlignH = value;
  caption.OnSetAlignH(value);
}

// The view that does not take the bitmap is emptied, so a button whose looks
// mix frame and plain bitmaps never shows two backgrounds at once.
void Button::OnSetBackgroundBitmap(Resources::Bitmap* value) {
  ButtonClass::OnSetBackgroundBitmap(value);
  if (!value) {
    backgroundImage.OnSetBitmap(nullptr);
    backgroundFrame.OnSetBitmap(nullptr);
    return;
  }
  const VgPoint size = value->OnGetFrameSize();
  if (size.x % 3 == 0 && size.y % 3 == 0) {
    backgroundImage.OnSetBitmap(nullptr);
    backgroundFrame.OnSetBitmap(value);
  } else {
    backgroundFrame.OnSetBitmap(nullptr);
    backgroundImage.OnSetBitmap(value);
  }
}

void Button::RefreshCtrlState(int32_t look) {
  ButtonClass::RefreshCtrlState(look);
  if (!UseBgImageFrame || !backgroundFrame.Bitmap) return;
  switch (look) {
    case LookNormal:
      backgroundFrame.OnSetFrameNumber(1);
      break;
    case LookDisabled:
      backgroundFrame.OnSetFrameNumber(2);
      break;
    case LookDefault:
      backgroundFrame.OnSetFrameNumber(3);
      break;
    case LookFocused:
      backgroundFrame.OnSetFrameNumber(0);
      break;
    default:
      break;
  }
}

void Button::Refresh(XObject* sender) {
  ButtonClass::Refresh(sender);
  const int32_t w = VgGetRectW(Bounds);
  const int32_t h = VgGetRectH(Bounds);
  const VgRect all{0, 0, w, h};
  backgroundFrame.OnSetBounds(all);
  backgroundImage.OnSetBounds(all);
  caption.OnSetBounds(TextAlignH == Views::Text::AlignLeft ? VgRect{TextGap, 0, w, h} : all);
  // The colour fills only the frame's interior, inside its border cells.
  if (Resources::Bitmap* frame = backgroundFrame.Bitmap) {
    const VgPoint cell{frame->OnGetFrameSize().x / 3, frame->OnGetFrameSize().y / 3};
    backgroundRect.OnSetBounds({cell.x, cell.y, w - cell.x, h - cell.y});
  } else {
    backgroundRect.OnSetBounds(all);
  }
}

}  // namespace Button
