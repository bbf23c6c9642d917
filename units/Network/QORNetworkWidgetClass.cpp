#include "Network/QORNetworkWidgetClass.h"

#include "AppServices/Messages.h"
#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Events/Events.h"
#include "Network/NetworkWidgetClass.h"
#include "NonMenuSystem/NonMenuSystem.h"

VG_DEFINE_CLASS(Network, QORNetworkWidgetClass, NonMenuSystem::QORWidgetClass)

namespace Network {

QORNetworkWidgetClass::QORNetworkWidgetClass(XObject* link) : QORWidgetClass(link) { IsModal = true; }

void QORNetworkWidgetClass::OnSetShowWaiting(int32_t value) {
  ShowWaiting = value;
  if (value < 0) return;
  MainApp::SendMessage(Constants::MSG_SHOW_WAITING_CIRCLE, &::NonMenuSystem::NonMenuSystem::Class, value);
}

void QORNetworkWidgetClass::Close(XObject* sender) {
  const bool open = Parent && owner.get() == Parent.get();
  QORWidgetClass::Close(sender);
  if (open && IsBusy()) MainApp::SendMessage(Constants::MSG_SHOW_WAITING_CIRCLE, &::NonMenuSystem::NonMenuSystem::Class, kIdle);
}

void QORNetworkWidgetClass::DoCancel() {
  OnSetShowWaiting(kIdle);
  Close();
}

XObject* QORNetworkWidgetClass::HandleEvent(Core::Event* event) {
  if (auto* key = vg_cast<Core::KeyEvent>(event)) {
    if (!key->down) return QORWidgetClass::HandleEvent(event);
    switch (key->keyCode) {
      case Key::Ok:
        if (!IsBusy()) EnterNextState();
        break;
      case Key::ClearAll:
      case Key::Exit:
        if (IsBusy()) DoCancel();
        ClearAll();
        break;
      case Key::Back:
        if (IsBusy()) DoCancel();
        EnterPrevState();
        break;
      case Key::Up:
        SelectPrev();
        break;
      case Key::Down:
        SelectNext();
        break;
      default:
        break;
    }
    // A key after which the dialog closed finds its timer off, and leaves it so.
    ResetTimeout();
    return this;
  }
  if (auto* standby = vg_cast<Events::XPM_EVENT_STANDBY>(event); standby && IsModal) {
    DoCancel();
    PassStandbyOn(standby);
    return this;
  }
  return QORWidgetClass::HandleEvent(event);
}

}  // namespace Network
