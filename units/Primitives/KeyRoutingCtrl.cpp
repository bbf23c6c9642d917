#include "Primitives/KeyRoutingCtrl.h"

#include "Core/KeyEvent.h"

VG_DEFINE_CLASS(Primitives, KeyRoutingCtrl, Forms::Ctrl)

namespace Primitives {

KeyRoutingCtrl::KeyRoutingCtrl(XObject* link) : Forms::Ctrl(link) {}

// Only the press counts: the release of OK that follows it goes on like any
// other key, so a screen opened by the press does not see it as its own.
XObject* KeyRoutingCtrl::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down || key->keyCode != ActivateKey || OnActivate.IsNull()) return nullptr;
  VgSignal(OnActivate, this);
  return this;
}

void KeyRoutingCtrl::HandleFocus(bool focused) {
  Forms::Ctrl::HandleFocus(focused);
  VgSignal(focused ? OnFocus : OnUnfocus, this);
}

void KeyRoutingCtrl::Refresh(XObject*) {}

}  // namespace Primitives
