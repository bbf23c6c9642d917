#include "FactorySystem/ModeIndicator.h"

#include "FactorySystem/Look.h"
#include "Fonts/Fonts.h"
#include "Resources/Font.h"
#include "WinIDs/WinIDs.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(FactorySystem, ModeIndicator, ::FactorySystem::WidgetClass)

namespace FactorySystem {

ModeIndicator::ModeIndicator(XObject* link) : WidgetClass(link) {
  WinID = WinIDs::WIN_ID_ModeIndicator;
  Layer = IndicatorLayer;
  WidgetOrigin = {870, 32};
  background.OnSetColor(Look::Indicator);
  caption.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  caption.OnSetColor(Look::Text);
  caption.OnSetAlignH(Views::Text::AlignCentre);
  caption.OnSetAlignV(Views::Text::AlignMiddle);
  caption.OnSetBounds({0, 0, Width, Height});
  caption.OnSetString(VgNewStringAnsi("M"));
  Add(&caption, 0);
  SizeAtOrigin(Width, Height);
}

void ModeIndicator::OnSetCaption(VgString value) { caption.OnSetString(value); }

}  // namespace FactorySystem
