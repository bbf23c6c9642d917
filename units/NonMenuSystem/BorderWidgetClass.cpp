#include "NonMenuSystem/BorderWidgetClass.h"

#include "Fonts/Fonts.h"
#include "NonMenuSystem/Look.h"

VG_DEFINE_CLASS(NonMenuSystem, BorderWidgetClass, ::NonMenuSystem::WidgetClass)

namespace NonMenuSystem {

BorderWidgetClass::BorderWidgetClass(XObject* link) : WidgetClass(link) {
  background.OnSetColor(Look::Black);
  border.OnSetWidth(1);
  border.OnSetColor(Look::BorderLine);
  caption.OnSetFont(VgLoad<Resources::Font>(Fonts::LargeFont));
  caption.OnSetColor(Look::Text);
  caption.OnSetAlignH(Views::Text::AlignCentre);
  caption.OnSetAlignV(Views::Text::AlignMiddle);
  caption.OnSetEllipsis(true);
  Add(&border, 0);
  Add(&caption, 0);
}

void BorderWidgetClass::OnSetBounds(VgRect rect) {
  WidgetClass::OnSetBounds(rect);
  const int32_t w = VgGetRectW(Bounds);
  border.OnSetBounds({0, 0, w, VgGetRectH(Bounds)});
  caption.OnSetBounds({8, 4, w - 8, 4 + CaptionHeight});
}

void BorderWidgetClass::OnSetCaption(VgString value) { caption.OnSetString(value); }

}  // namespace NonMenuSystem
