#include "FactorySystem/LargeMessage.h"

VG_DEFINE_CLASS(FactorySystem, LargeMessage, ::FactorySystem::SmallMessage)

namespace FactorySystem {

LargeMessage::LargeMessage(XObject* link) : SmallMessage(link) {
  WidgetOrigin = {245, 155};
  message.OnSetAlignH(Views::Text::AlignCentre);
  message.OnSetBounds({40, 20, 420, 200});
  SizeAtOrigin(Width, Height);
}

}  // namespace FactorySystem
