#include "FactorySystem/WidgetClass.h"

#include "FactorySystem/FactorySystem.h"
#include "AppServices/WidgetManager.h"
#include "FactorySystem/Look.h"
#include "Structures/DuLinkList.h"
#include "WidgetManager/WidgetManager.h"
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

namespace {

// Whether a screen on view, of the widget's layer or one below, lies under it.
bool OverAnother(WidgetClass* widget) {
  ::WidgetManager::WidgetManager* widgets = MainApp::GetWidgetManager();
  for (Structures::DuLinkNode* node = widgets->Sentinel()->next; node != widgets->Sentinel(); node = node->next) {
    auto* form = vg_cast<Primitives::KeyRoutingForm>(node->data.get());
    if (!form || form == widget || uint32_t(form->Layer) > uint32_t(widget->Layer)) continue;
    bool shown = true;
    for (Core::View* view = form; view && shown; view = view->owner) shown = view->Visible;
    if (shown && !VgIsRectEmpty(VgIntersectRect(form->Bounds, widget->Bounds))) return true;
  }
  return false;
}

}  // namespace

void WidgetClass::Open(XObject* sender) {
  VgColor colour = background.Color;
  if (colour.alpha > 0 && colour.alpha < 255 && OverAnother(this)) {
    colour.alpha = 255;
    background.OnSetColor(colour);
  }
  Primitives::KeyRoutingForm::Open(sender);
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
