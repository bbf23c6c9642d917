#include "widgetbase_fixture.h"

#include <algorithm>

#include "Core/KeyEvent.h"
#include "ListForm/ListCourier.h"

VG_DEFINE_CLASS(WidgetTest, Listener, XObject)
VG_DEFINE_CLASS(WidgetTest, TrackedBar, Forms::ScrollBar)
VG_DEFINE_CLASS(WidgetTest, Row, Primitives::KeyRoutingCtrl)
VG_DEFINE_CLASS(WidgetTest, NumberList, ListForm::ListClass)
VG_DEFINE_CLASS(WidgetTest, Screen, Primitives::KeyRoutingForm)
VG_DEFINE_CLASS(WidgetTest, SubSystemGroup, Primitives::KeyRoutingGroup)

namespace WidgetTest {

Row::Row() {
  Bounds = {0, 0, 300, 30};
  frame.OnSetBounds({0, 0, 300, 30});
  frame.OnSetVisible(false);
  caption.OnSetBounds({12, 0, 290, 30});
  caption.OnSetAlignV(Views::Text::AlignMiddle);
  caption.OnSetColor({220, 220, 220, 255});
  Add(&frame, 0);
  Add(&caption, 0);
}

// The row keeps the courier it shows, so that the list can shift it on to a
// neighbouring row.
XObject* Row::GetData(XObject* data) { return data ? data : courier.get(); }

XObject* Row::SetData(XObject* data) {
  courier = vg_cast<ListForm::ListCourier>(data);
  shown = courier ? courier->Index : -1;
  caption.OnSetString(courier ? courier->Text.get() : nullptr);
  return data;
}

void Row::UpdateCtrlState(uint16_t, uint16_t newState) {
  frame.OnSetVisible(newState == StateFocused);
  caption.OnSetColor(newState == StateFocused ? VgColor{255, 230, 120, 255} : VgColor{220, 220, 220, 255});
}

XObject* NumberList::GetItemData(int32_t offset) {
  if (!DataSource) return nullptr;
  const int32_t index = DataSource->Cursor + offset;
  if (index < 0 || index >= DataSource->Num) return nullptr;
  auto* courier = VgNew<ListForm::ListCourier>();
  courier->Index = index;
  courier->Text = VgConcatString(VgNewString(u"Item "), VgNewStringInt(index, 0));
  return courier;
}

Screen::Screen() { OnSetOnTimeOut(VgSlotOf<&KeyRoutingForm::Close>(static_cast<KeyRoutingForm*>(this))); }

XObject* Screen::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down || key->keyCode != KeyServed) return KeyRoutingForm::HandleEvent(event);
  ++keys;
  ResetTimeout();
  return this;
}

void Screen::HandleMessage(Structures::Message*) { ++messages; }

void SubSystemGroup::Add(Core::View* view, int32_t restack) {
  KeyRoutingGroup::Add(view, restack);
  if (auto* form = vg_cast<Primitives::KeyRoutingForm>(view)) registered.push_back(form);
}

void SubSystemGroup::Remove(Core::View* view) {
  KeyRoutingGroup::Remove(view);
  registered.erase(std::remove(registered.begin(), registered.end(), view), registered.end());
}

void SubSystemGroup::HandleMessage(Structures::Message*) { ++messages; }

}  // namespace WidgetTest
