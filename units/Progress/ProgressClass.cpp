#include "Progress/ProgressClass.h"

#include <algorithm>

#include "Core/KeyEvent.h"
#include "Resources/Bitmap.h"

VG_DEFINE_CLASS(Progress, ProgressClass, Primitives::KeyRoutingCtrl)

namespace Progress {

ProgressClass::ProgressClass(XObject* link) : Primitives::KeyRoutingCtrl(link) {}

void ProgressClass::PostRefresh() {
  VgPostSignal(VgSlotOf<&Primitives::KeyRoutingCtrl::Refresh>(static_cast<Primitives::KeyRoutingCtrl*>(this)));
}

// The change is reported even when the clamp kept the value, so a screen
// showing the level (or beeping at the end) hears every press.
XObject* ProgressClass::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (ReadOnly || !key || (key->keyCode != IncreaseKey && key->keyCode != DecreaseKey))
    return Primitives::KeyRoutingCtrl::HandleEvent(event);
  const int64_t step = key->keyCode == IncreaseKey ? int64_t(Step) : -int64_t(Step);
  OnSetValue(static_cast<int32_t>(std::clamp<int64_t>(int64_t(Value) + step, INT32_MIN, INT32_MAX)));
  VgSignal(OnValueChanged, this);
  return this;
}

void ProgressClass::OnSetValue(int32_t value) {
  Value = std::min(std::max(value, Min), Max);
  PostRefresh();
}

void ProgressClass::OnSetIndicatorFrameBitmap(Resources::Bitmap* value) { IndicatorFrameBitmap = value; }
void ProgressClass::OnSetBgFrameBitmap(Resources::Bitmap* value) { BgFrameBitmap = value; }
void ProgressClass::OnSetStretchIndicator(uint16_t value) { StretchIndicator = value; }
void ProgressClass::OnSetBgImageBitmap(Resources::Bitmap* value) { BgImageBitmap = value; }
void ProgressClass::OnSetIndicatorImageBitmap(Resources::Bitmap* value) { IndicatorImageBitmap = value; }

}  // namespace Progress
