#include "root_fixture.h"

VG_DEFINE_CLASS(RootTest, TestRoot, Core::Root)
VG_DEFINE_CLASS(RootTest, Probe, Core::View)
VG_DEFINE_CLASS(RootTest, Value, XObject)
VG_DEFINE_CLASS(RootTest, TestCtrl, Forms::Ctrl)
VG_DEFINE_CLASS(RootTest, TestForm, Forms::Form)

namespace RootTest {

std::string& Log() {
  static std::string log;
  return log;
}

XObject* TestRoot::HandleEvent(Core::Event*) {
  Log() += "root ";
  return takes ? this : nullptr;
}

XObject* Probe::HandleEvent(Core::Event* event) {
  Log() += name + " ";
  events.push_back(event);
  return takes ? this : nullptr;
}

XObject* TestCtrl::HandleEvent(Core::Event*) {
  Log() += name + " ";
  return takes ? this : nullptr;
}

void TestCtrl::UpdateCtrlState(uint16_t, uint16_t) { ++stateUpdates; }

XObject* TestCtrl::GetData(XObject* data) {
  auto* v = vg_cast<Value>(data);
  if (!v) v = VgNew<Value>();
  v->value = value;
  return v;
}

XObject* TestCtrl::SetData(XObject* data) {
  if (auto* v = vg_cast<Value>(data)) value = v->value;
  return data;
}

XObject* TestForm::HandleEvent(Core::Event* event) {
  Log() += name + " ";
  if (auto* key = vg_cast<Core::KeyEvent>(event); key && key->down) {
    switch (key->keyCode) {
      case Key::Up:
        SelectUpper();
        return this;
      case Key::Down:
        SelectLower();
        return this;
      case Key::Left:
        SelectLeft();
        return this;
      case Key::Right:
        SelectRight();
        return this;
      default:
        break;
    }
  }
  return takes ? this : nullptr;
}

void TestForm::Ended(XObject*) {
  ++endings;
  endData = ModalData;
}

}  // namespace RootTest
