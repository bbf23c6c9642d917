#include "FactorySystem/WidgetClass.h"

#include "FactorySystem/FactorySystem.h"
#include "FactorySystem/Look.h"
#include "vgslot.h"

VG_DEFINE_CLASS(FactorySystem, WidgetClass, Primitives::KeyRoutingForm)

namespace FactorySystem {

WidgetClass::WidgetClass(XObject* link) : Primitives::KeyRoutingForm(link) {
  SubSystemClass = &FactorySystem::Class;
  Layer = WidgetLayer;
  OnSetTimeOutValue(DefaultTimeOut);
  background.OnSetColor(Look::Background);
  Add(&background, 0);
  Add(&frame, 0);
}

void WidgetClass::OnSetBounds(VgRect rect) {
  const VgPoint before = VgGetRectSize(Bounds);
  Primitives::KeyRoutingForm::OnSetBounds(rect);
  const VgPoint after = VgGetRectSize(Bounds);
  if (before.x != after.x || before.y != after.y) VgPostSignal(VgSlotOf<&WidgetClass::Refresh>(this));
}

void WidgetClass::Refresh(XObject*) {
  const VgRect extent{0, 0, VgGetRectW(Bounds), VgGetRectH(Bounds)};
  background.OnSetBounds(extent);
  frame.OnSetBounds(extent);
}

void WidgetClass::DismissSlot(XObject*) { Close(); }

void WidgetClass::SizeAtOrigin(int32_t width, int32_t height) {
  OnSetBounds({WidgetOrigin.x, WidgetOrigin.y, WidgetOrigin.x + width, WidgetOrigin.y + height});
}

void WidgetClass::MoveToOrigin() { SizeAtOrigin(VgGetRectW(Bounds), VgGetRectH(Bounds)); }

}  // namespace FactorySystem
