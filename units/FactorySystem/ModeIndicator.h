// FactorySystem::ModeIndicator: the "M" or "S" in the corner while the set is
// in the factory or the service mode. The sub-system adds it as a plain child
// rather than opening it, so that no clear-all and no layer rule takes it.
#pragma once

#include "FactorySystem/WidgetClass.h"
#include "Views/Text.h"
#include "vgstring.h"

namespace FactorySystem {

class ModeIndicator : public WidgetClass {
  VG_CLASS()

 public:
  explicit ModeIndicator(XObject* link = nullptr);

  static constexpr int32_t Width = 48;
  static constexpr int32_t Height = 40;

  VgString OnGetCaption() const { return caption.String; }
  void OnSetCaption(VgString value);

  Views::Text caption{this};
};

}  // namespace FactorySystem
