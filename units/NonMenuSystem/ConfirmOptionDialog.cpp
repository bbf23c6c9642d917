#include "NonMenuSystem/ConfirmOptionDialog.h"

#include "Bitmaps.h"
#include "Button/Button.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/Look.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Strings.h"

VG_DEFINE_CLASS(NonMenuSystem, ConfirmOptionDialog, ::NonMenuSystem::QORWidgetClass)

namespace NonMenuSystem {

namespace {

constexpr int32_t kDefaultTop = 150;

}  // namespace

ConfirmOptionDialog::ConfirmOptionDialog(XObject* link) : QORWidgetClass(link) {
  warning.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  warning.OnSetColor(Look::Text);
  warning.OnSetAlignH(Views::Text::AlignCentre);
  warning.OnSetAlignV(Views::Text::AlignMiddle);
  Add(&warning, 0);
  YesButtonLabel = VgGetVariantOfString(&Strings::SID_YES);
  NoButtonLabel = VgGetVariantOfString(&Strings::SID_NO);
  const int32_t left = (NonMenuSystem::ScreenWidth - DefaultWidth) / 2;
  OnSetBounds({left, kDefaultTop, left + DefaultWidth,
               kDefaultTop + 2 * FrameWidth + ButtonArea + CaptionArea + 30});
}

void ConfirmOptionDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  QORWidgetClass::Initialize(parameter);
  OnSetConfirmType(ParamValue);
}

void ConfirmOptionDialog::Refresh(XObject* sender) {
  QORWidgetClass::Refresh(sender);
  const int32_t top = HasCaption ? ContentTop() : FrameWidth;
  const int32_t bottom = VgGetRectH(Bounds) - FrameWidth - ButtonHeight - 20;
  warning.OnSetBounds({ContentLeft() + 8, top, ContentRight() - 8, bottom > top ? bottom : top});
}

void ConfirmOptionDialog::OnSetWarningInfo(VgString text) {
  warning.OnSetString(text);
  // Measure the wrapped question at the dialog's inner width.
  warning.OnSetBounds({ContentLeft() + 8, 0, ContentRight() - 8, 400});
  warning.OnSetAutoSize(true);
  const int32_t height = VgGetRectH(warning.GetExtent());
  warning.OnSetAutoSize(false);
  if (height != textHeight_) {
    textHeight_ = height;
    const int32_t total = height + 2 * FrameWidth + ButtonArea + (HasCaption ? CaptionArea : 0);
    OnSetBounds({Bounds.x1, Bounds.y1, Bounds.x2, Bounds.y1 + total});
  } else {
    Refresh();
  }
}

void ConfirmOptionDialog::OnSetYesButtonLabel(VgString text) { YesButtonLabel = text; }

void ConfirmOptionDialog::OnSetNoButtonLabel(VgString text) { NoButtonLabel = text; }

void ConfirmOptionDialog::OnSetConfirmType(int32_t type) { ConfirmType = type; }

void ConfirmOptionDialog::OnSetButtonWidth(int32_t value) {
  ButtonWidth = value;
  Refresh();
}

void ConfirmOptionDialog::OnSetButtonHeight(int32_t value) {
  ButtonHeight = value;
  Refresh();
}

void ConfirmOptionDialog::StyleButton(Button::Button* button) {
  Resources::Bitmap* normal = VgLoad<Resources::Bitmap>(Bitmaps::DialogButtonNonfocus);
  Resources::Bitmap* focused = VgLoad<Resources::Bitmap>(Bitmaps::DialogButtonFocus);
  Resources::Font* font = VgLoad<Resources::Font>(Fonts::MediumFont);
  button->Nonfocused_Bitmap = normal;
  button->Default_Bitmap = normal;
  button->Disabled_Bitmap = normal;
  button->Focused_Bitmap = focused;
  button->Nonfocused_TextColor = Look::TextDim;
  button->Default_TextColor = Look::TextDim;
  button->Disabled_TextColor = Look::TextDim;
  button->Focused_TextColor = Look::Text;
  button->Nonfocused_TextFont = font;
  button->Default_TextFont = font;
  button->Disabled_TextFont = font;
  button->Focused_TextFont = font;
  button->Refresh();
}

}  // namespace NonMenuSystem
