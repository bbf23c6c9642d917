// FactorySystem::LargeMessage: the message box of the longer factory reports
// (the wireless test's), in the middle of the screen, read as the small
// message reads its request.
#pragma once

#include "FactorySystem/SmallMessage.h"

namespace FactorySystem {

class LargeMessage : public SmallMessage {
  VG_CLASS()

 public:
  explicit LargeMessage(XObject* link = nullptr);

  static constexpr int32_t Width = 470;
  static constexpr int32_t Height = 230;
};

}  // namespace FactorySystem
