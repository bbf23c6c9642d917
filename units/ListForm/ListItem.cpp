#include "ListForm/ListItem.h"

#include "Fonts/Fonts.h"
#include "Colors/Colors.h"
#include "Resources/Font.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(ListForm, ListItem, ::Button::IconButton)

namespace ListForm {

ListItem::ListItem(XObject* link) : IconButton(link) {
  OnSetBounds({0, 0, 280, 28});
  Resources::Font* medium = VgLoad<Resources::Font>(Fonts::MediumFont);
  OnSetTextFont(medium);
  OnSetText(VgNewStringAnsi("ListItem"));
  Nonfocused_TextColor = Colors::White;
  Focused_TextColor = Colors::DreskovMenuTextFocused;
  Disabled_TextColor = Colors::DisableTextColor;
  Default_TextColor = Colors::StandardTextColor;
  Disabled_TextFont = medium;
  Default_TextFont = medium;
  Nonfocused_TextFont = medium;
  Focused_TextFont = VgLoad<Resources::Font>(Fonts::EPGListFont);
  iconImage.OnSetBounds({11, 0, 104, 93});
}

void SetUpColumnText(Views::Text& text, VgColor colour) {
  text.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  text.OnSetColor(colour);
  text.OnSetAlignH(Views::Text::AlignLeft);
  text.OnSetAlignV(Views::Text::AlignMiddle);
  text.OnSetEllipsis(true);
}

XObject* ListItem::SetData(XObject* data) {
  auto* courier = vg_cast<ListCourier>(data);
  if (!courier) return nullptr;
  OnSetText(courier->Text);
  Index = courier->Index;
  Key = courier->Key ? courier->Key.get() : courier->Text.get();
  return courier;
}

XObject* ListItem::GetData(XObject* data) {
  auto* courier = vg_cast<ListCourier>(data);
  if (!courier) courier = VgNew<ListCourier>();
  courier->Text = Text;
  courier->Index = Index;
  courier->Key = Key;
  return courier;
}

}  // namespace ListForm
