// FactorySystem::SmallMessage: a line of text at the foot of the screen for a
// factory result or a front-panel key. Opened with a SkinBin::UserRefInt: its
// text, and its value as the message flags word (FactorySystem/MessageFlags.h)
// that gives the display time, the colours and whether the message is the
// factory's own. It closes when its time is up.
#pragma once

#include "FactorySystem/WidgetClass.h"
#include "Views/MultilineText.h"

namespace FactorySystem {

class SmallMessage : public WidgetClass {
  VG_CLASS()

 public:
  explicit SmallMessage(XObject* link = nullptr);

  static constexpr int32_t Width = 560;
  static constexpr int32_t Height = 56;
  static constexpr int32_t Inset = 16;

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;

  Views::MultilineText message{this};
};

}  // namespace FactorySystem
