#include "ParentalLocks/RatingItem.h"

#include "Bitmaps.h"
#include "Colors/Colors.h"
#include "Fonts/Fonts.h"
#include "Resources/Bitmap.h"
#include "Resources/Font.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(ParentalLocks, RatingItem, ::Button::CheckBox)
VG_DEFINE_CLASS(ParentalLocks, QORRatingItem, ::ParentalLocks::RatingItem)

namespace ParentalLocks {

namespace {

constexpr VgRect kCheckImage{3, 3, 31, 27};
constexpr int32_t kCaptionLeft = 36;

}  // namespace

RatingItem::RatingItem(XObject* link) : CheckBox(link) {
  OnSetBounds({0, 0, 122, 28});
  Resources::Font* font = VgLoad<Resources::Font>(Fonts::MediumFont);
  OnSetTextFont(font);
  Default_TextFont = font;
  Disabled_TextFont = font;
  Nonfocused_TextFont = font;
  Focused_TextFont = font;
  Default_TextColor = Colors::StandardTextColor;
  Nonfocused_TextColor = Colors::StandardTextColor;
  Disabled_TextColor = Colors::DisableTextColor;
  Focused_TextColor = Colors::DreskovMenuTextFocused;
  // The rows' focus of the channel lists, whose corners round little: the
  // device list's ring, round at both ends and with an arrow at its right,
  // ran over the check box in the row's corner and the caption of a narrow
  // rating.
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::ChannelOptionButtonFocus);
  OnSetTextAlignH(Views::Text::AlignLeft);
  caption.OnSetAutoSize(false);
  caption.OnSetEllipsis(true);
  UnCheck_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::CheckBox);
  Checked_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::CheckBoxCheck);
  OnSetIsChecked(false);
}

void RatingItem::Refresh(XObject* sender) {
  CheckBox::Refresh(sender);
  iconImage.OnSetBounds(kCheckImage);
  caption.OnSetBounds({kCaptionLeft, 0, VgGetRectW(Bounds), VgGetRectH(Bounds)});
}

QORRatingItem::QORRatingItem(XObject* link) : RatingItem(link) { OnSetBounds({0, 0, 180, 32}); }

}  // namespace ParentalLocks
