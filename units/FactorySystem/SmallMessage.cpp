#include "FactorySystem/SmallMessage.h"

#include "FactorySystem/Look.h"
#include "FactorySystem/MessageFlags.h"
#include "Fonts/Fonts.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Resources/Font.h"
#include "SkinBin/UserRefInt.h"
#include "WinIDs/WinIDs.h"
#include "vgresmap.h"
#include "vgslot.h"

VG_DEFINE_CLASS(FactorySystem, SmallMessage, ::FactorySystem::WidgetClass)

namespace FactorySystem {

SmallMessage::SmallMessage(XObject* link) : WidgetClass(link) {
  WinID = WinIDs::WIN_ID_FactoryMessage;
  WidgetOrigin = {32, 460};
  OnSetOnTimeOut(VgSlotOf<&WidgetClass::DismissSlot>(this));
  message.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  message.OnSetColor(Look::Text);
  message.OnSetAlignH(Views::Text::AlignLeft);
  message.OnSetAlignV(Views::Text::AlignMiddle);
  message.OnSetBounds({Inset, 0, Width - Inset, Height});
  message.OnSetString(VgNewStringAnsi("Message"));
  Add(&message, 0);
  SizeAtOrigin(Width, Height);
}

void SmallMessage::Initialize(Primitives::KeyRoutingParameter* parameter) {
  WidgetClass::Initialize(parameter);
  auto* request = vg_cast<SkinBin::UserRefInt>(parameter ? parameter->Param.get() : nullptr);
  if (!request) return;
  message.OnSetString(request->Text);
  const MessageFlags flags = MessageFlags::Of(request->Value);
  if (flags.showSeconds != 0) {
    OnSetTimeOutValue(flags.showSeconds * 1000);
    ResetTimeout();
  }
  if (flags.textColour != 0) message.OnSetColor(kMessageColours[flags.textColour]);
  if (flags.backgroundColour != 0) background.OnSetColor(kMessageColours[flags.backgroundColour]);
  if (flags.factoryOnly) Layer = FactoryOnlyLayer;
}

}  // namespace FactorySystem
