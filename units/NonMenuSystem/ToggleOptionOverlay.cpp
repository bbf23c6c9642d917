#include "NonMenuSystem/ToggleOptionOverlay.h"

#include "Core/KeyEvent.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(NonMenuSystem, ToggleOptionOverlay, ::NonMenuSystem::AdjustmentBar)

namespace NonMenuSystem {

ToggleOptionOverlay::ToggleOptionOverlay(XObject* link) : AdjustmentBar(link) {
  WinID = WinIDs::WIN_ID_ToggleOptionOverlay;
  row.WrapChoices = true;
  row.OnSetSliderLook(AdjustmentRow::SliderLook::None);
  OnSetBounds({0, Top, OverlayWidth, Top + Height});
}

XObject* ToggleOptionOverlay::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (key && key->down && key->keyCode == Key::Ok) {
    Step(1);
    return this;
  }
  return AdjustmentBar::HandleEvent(event);
}

}  // namespace NonMenuSystem
