#include "NonMenuSystem/ScreenSaverWindow.h"

#include "AppServices/Wrapper.h"
#include "Core/KeyEvent.h"
#include "NonMenuSystem/ColorPad.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "PersistentData/PersistentData.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(NonMenuSystem, ScreenSaverWindow, ::NonMenuSystem::WidgetClass)

namespace NonMenuSystem {

ScreenSaverWindow::ScreenSaverWindow(XObject* link) : WidgetClass(link) {
  WinID = WinIDs::WIN_ID_ScreenSaverWindow;
  WidgetOrigin = {0, 0};
  OnSetBounds({0, 0, NonMenuSystem::ScreenWidth, NonMenuSystem::ScreenHeight});
}

void ScreenSaverWindow::Initialize(Primitives::KeyRoutingParameter* parameter) {
  WidgetClass::Initialize(parameter);
  ScreenSaverColor colour;
  colour.colour = ColorPad::ColourAt(ColorPad::DefaultRow, ColorPad::DefaultColumn);
  if (PersistentData::PersistentData* store = MainApp::GetWrapper()->OnGetPersistentData())
    ReadScreenSaverColor(store->GetString(VgNewStringAnsi(ColorPad::SettingsKey)), &colour);
  background.OnSetColor(colour.colour);
}

void ScreenSaverWindow::Open(XObject* sender) {
  WidgetClass::Open(sender);
  SetTimeout(false);
}

void ScreenSaverWindow::HandleFocus(bool focused) {
  WidgetClass::HandleFocus(focused);
  SetTimeout(false);
}

XObject* ScreenSaverWindow::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key) return WidgetClass::HandleEvent(event);
  // The release of the key that ended it belongs to nobody else either.
  if (key->down) GoBack();
  return this;
}

}  // namespace NonMenuSystem
