#include "NonMenuSystem/CommonVolumeBar.h"

#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "Core/KeyEvent.h"
#include "OptionDatabase/OptionTypes.h"
#include "WinIDs/WinIDs.h"
#include "vgslot.h"

VG_DEFINE_CLASS(NonMenuSystem, CommonVolumeBar, ::NonMenuSystem::AdjustmentBar)

namespace NonMenuSystem {

CommonVolumeBar::CommonVolumeBar(XObject* link) : AdjustmentBar(link) {
  WinID = WinIDs::WIN_ID_VolumeBar;
  Layer = VolumeLayer;
  // Only the bar goes when its time is up: the mute sign and the screens
  // behind stay.
  OnSetOnTimeOut(VgSlotOf<&WidgetClass::Exit>(this));
  row.OnSetMiddlePoint(false);
}

void CommonVolumeBar::Initialize(Primitives::KeyRoutingParameter* parameter) {
  WidgetClass::Initialize(parameter);
  Bind(OptionDatabase::OPTION_TYPE_VOLUME);
}

void CommonVolumeBar::StepVolume(int32_t direction) {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  if (model->OnGetMute() != 0) {
    model->OnSetMute(0);
    if (Primitives::KeyRoutingForm* mute = MainApp::GetWidgetManager()->FindForm(WinIDs::WIN_ID_MuteBar))
      mute->Close();
  }
  Step(direction);
}

bool CommonVolumeBar::UsesKey(uint16_t code) const {
  switch (code) {
    case Key::VolumeUp:
    case Key::VolumeDown:
    case Key::Left:
    case Key::Right:
    case Key::Ok:
    case Key::Back:
    case Key::Exit:
    case Key::ClearAll:
      return true;
    default:
      return false;
  }
}

XObject* CommonVolumeBar::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (key && key->down && (key->keyCode == Key::VolumeUp || key->keyCode == Key::VolumeDown)) {
    StepVolume(key->keyCode == Key::VolumeUp ? 1 : -1);
    return this;
  }
  return AdjustmentBar::HandleEvent(event);
}

}  // namespace NonMenuSystem
