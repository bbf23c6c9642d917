// NonMenuSystem::ScreenSaverWindow: the screen saver as the settings page's
// "Test" row shows it: the whole screen in the stored background colour
// ("ScreenSaverColor", the pad's default while none or a broken one is
// stored) until a key is pressed, which only ends it and returns to the
// page. It does not time out.
#pragma once

#include "NonMenuSystem/WidgetClass.h"

namespace NonMenuSystem {

class ScreenSaverWindow : public WidgetClass {
  VG_CLASS()

 public:
  explicit ScreenSaverWindow(XObject* link = nullptr);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  XObject* HandleEvent(Core::Event* event) override;
  void Open(XObject* sender = nullptr) override;
  void HandleFocus(bool focused) override;
};

}  // namespace NonMenuSystem
