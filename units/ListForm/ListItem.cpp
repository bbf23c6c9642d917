#include "ListForm/ListItem.h"

#include "Fonts/Fonts.h"
#include "SkinBin/Skin.h"

VG_DEFINE_CLASS(ListForm, ListItem, ::Button::IconButton)

namespace ListForm {

namespace Skin = SkinBin::Skin;

ListItem::ListItem(XObject* link) : IconButton(link) {
  OnSetBounds({0, 0, 280, 28});
  Resources::Font* medium = VgLoad<Resources::Font>(Fonts::MediumFont);
  OnSetTextFont(medium);
  OnSetText(VgNewStringAnsi("ListItem"));
  Nonfocused_TextColor = Skin::White;
  Focused_TextColor = Skin::MenuTextFocused;
  Disabled_TextColor = Skin::DisableTextColor;
  Default_TextColor = Skin::StandardTextColor;
  Disabled_TextFont = medium;
  Default_TextFont = medium;
  Nonfocused_TextFont = medium;
  Focused_TextFont = VgLoad<Resources::Font>(Fonts::EPGListFont);
  iconImage.OnSetBounds({11, 0, 104, 93});
}

XObject* ListItem::SetData(XObject* data) {
  auto* courier = vg_cast<ListCourier>(data);
  if (!courier) return nullptr;
  OnSetText(courier->Text);
  Index = courier->Index;
  return courier;
}

XObject* ListItem::GetData(XObject* data) {
  auto* courier = vg_cast<ListCourier>(data);
  if (!courier) courier = VgNew<ListCourier>();
  courier->Text = Text;
  courier->Index = Index;
  return courier;
}

}  // namespace ListForm
