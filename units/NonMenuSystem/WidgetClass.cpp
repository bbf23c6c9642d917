#include "NonMenuSystem/WidgetClass.h"

#include "AppServices/MessageAgent.h"
#include "AppServices/WidgetManager.h"
#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "NonMenuSystem/Look.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Primitives/MessageDelivery.h"
#include "SkinBin/UserRefInt.h"
#include "SubSystem/KeyOwner.h"
#include "Structures/Boxes.h"
#include "Structures/Message.h"
#include "vgdebug.h"
#include "vgslot.h"

VG_DEFINE_CLASS(NonMenuSystem, WidgetClass, Primitives::KeyRoutingForm)

namespace NonMenuSystem {

namespace {

// The open screen of exactly this class, if any: a menu page that a shortcut
// hid stays open while the widget on top of it runs, and so does a dialog
// under a pop-up of a higher layer.
Primitives::KeyRoutingForm* FindOpen(const VgClass* cls) {
  ::WidgetManager::WidgetManager* manager = MainApp::GetWidgetManager();
  for (Structures::DuLinkNode* node = manager->Sentinel()->next; node != manager->Sentinel(); node = node->next)
    if (node->data && node->data->GetClass() == cls) return vg_cast<Primitives::KeyRoutingForm>(node->data.get());
  return nullptr;
}

void SendChangeAppearance(int32_t value, const VgClass* target) {
  auto* message = VgNew<Structures::Message>();
  message->Code = Constants::MSG_CHANGE_APPEARANCE;
  message->Param = value;
  MainApp::GetMessageAgent()->Dispatch(message, target);
}

// The menus come back after a shortcut: every receiver is told to show
// itself again, and the menu sub-system to take the keys back. The key owner
// names the menu sub-system, so this unit need not link the menus.
void ReturnToMenus() {
  SendChangeAppearance(Constants::APPEARANCE_SHOW, nullptr);
  if (SubSystem::SubSystemClass* menus = SubSystem::KeyOwner::Get()->Menus())
    SendChangeAppearance(Constants::APPEARANCE_TAKE_FOCUS, menus->GetClass());
}

}  // namespace

WidgetClass::WidgetClass(XObject* link) : Primitives::KeyRoutingForm(link) {
  SubSystemClass = &NonMenuSystem::Class;
  Layer = DefaultLayer;
  OnSetTimeOutValue(WidgetTimeOut);
  OnSetOnTimeOut(VgSlotOf<&WidgetClass::ClearAll>(this));
  background.OnSetColor(Look::Panel);
  Add(&background, 0);
}

XObject* WidgetClass::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down || key->keyCode >= KeyFirstUnhandled) return nullptr;
  switch (key->keyCode) {
    case Key::ClearAll:
    case Key::Exit:
      VgPostSignal(VgSlotOf<&WidgetClass::ClearAll>(this));
      break;
    case Key::Back:
      GoBack();
      break;
    case Key::Up:
    case Key::Down:
    case Key::Left:
    case Key::Right:
      break;
    default:
      return nullptr;
  }
  ResetTimeout();
  return this;
}

bool WidgetClass::TakesClearAsExit() const {
  for (const char* kind : kClearReachesTheMedia)
    if (const VgClass* cls = VgFindClass(kind); cls && VgCastClass(GetClass(), cls)) return false;
  return true;
}

void WidgetClass::Initialize(Primitives::KeyRoutingParameter* parameter) {
  Primitives::KeyRoutingForm::Initialize(parameter);
  XObject* param = parameter ? parameter->Param.get() : nullptr;
  if (auto* user = vg_cast<SkinBin::UserRefInt>(param)) {
    ParamValue = user->Value;
    ParamKind = user->Kind;
    ParamFlag = user->Flag;
    ParamText = user->Text;
    if (user->Kind == Constants::MSG_FROM_MENUSYSTEM) {
      OnSetMenuTriggered(true);
    } else if (user->Kind == Constants::MSG_FROM_QUICKMENU) {
      FromQuickMenu = true;
      IsShortcut = false;
    }
  } else if (auto* value = vg_cast<Structures::RefInt>(param)) {
    ParamValue = value->Value;
  } else if (param) {
    VgPrint("NonMenuSystem::WidgetClass.Initialize: %s opened with a %s, read as no value\n", GetClass()->name,
            param->GetClass()->name);
  }
}

void WidgetClass::Open(XObject* sender) {
  UpdateInside();
  Primitives::KeyRoutingForm::Open(sender);
  // The owner focuses the widget after opening it; until then a persistent
  // widget does not count down, and one that never gets the focus never does.
  if (IsPersistent && !Focused) SetTimeout(false);
}

void WidgetClass::UpdateInside() {
  const bool solid = SubSystem::KeyOwner::OverAnother(this);
  VgColor colour = background.Color;
  if (solid && !madeSolid_ && colour.alpha > 0 && colour.alpha < 255) {
    backgroundAlpha_ = colour.alpha;
    colour.alpha = 255;
    madeSolid_ = true;
  } else if (!solid && madeSolid_) {
    colour.alpha = backgroundAlpha_;
    madeSolid_ = false;
  } else {
    return;
  }
  background.OnSetColor(colour);
}

void WidgetClass::HandleFocus(bool focused) {
  Primitives::KeyRoutingForm::HandleFocus(focused);
  if (!IsPersistent) return;
  const bool open = Parent && owner.get() == Parent.get();
  if (focused && open && !timeOutTimer.OnGetEnabled())
    SetTimeout(true);
  else if (!focused)
    SetTimeout(false);
}

void WidgetClass::OnSetBounds(VgRect rect) {
  Primitives::KeyRoutingForm::OnSetBounds(rect);
  background.OnSetBounds({0, 0, VgGetRectW(Bounds), VgGetRectH(Bounds)});
}

void WidgetClass::OnSetIsPersistent(bool value) {
  IsPersistent = value;
  const bool open = Parent && owner.get() == Parent.get();
  if (open) SetTimeout(!IsPersistent || Focused);
}

void WidgetClass::OnSetMenuTriggered(bool value) {
  MenuTriggered = value;
  OnSetTimeOutValue(value ? MenuTimeOut : WidgetTimeOut);
}

XObject* WidgetClass::AnswerTo(XObject* owner) const {
  if (!owner || Primitives::Receives(owner)) return owner;
  VgPrint("NonMenuSystem::WidgetClass: %s does not answer %s, which is closed\n", GetClass()->name,
          owner->GetClass()->name);
  return nullptr;
}

int32_t WidgetClass::OriginTag() const {
  if (MenuTriggered) return Constants::MSG_FROM_MENUSYSTEM;
  if (FromQuickMenu) return Constants::MSG_FROM_QUICKMENU;
  return Constants::MSG_FROM_NONMENUSYSTEM;
}

XObject* WidgetClass::MakeOriginParam(int32_t value) const {
  auto* param = VgNew<SkinBin::UserRefInt>();
  param->Kind = OriginTag();
  param->Value = value;
  return param;
}

void WidgetClass::EnterNextState() {
  Close();
  if (!NextState) return;
  if (!NonMenuSystem) {
    VgPrint("NonMenuSystem::WidgetClass.EnterNextState: %s has no owner to open %s\n", GetClass()->name,
            NextState->name);
    return;
  }
  NonMenuSystem->OpenState(NextState, MakeOriginParam(), GetClass());
}

// A widget opened as a shortcut from a menu page goes back to the menus. A
// previous screen that is still open is not opened a second time: a menu page
// (hidden while the widget ran) is shown again through the menus; a screen of
// this sub-system under a pop-up has the keys back as the pop-up leaves.
void WidgetClass::EnterPrevState() {
  Close();
  Primitives::KeyRoutingForm* previous = PrevState ? FindOpen(PrevState) : nullptr;
  if (previous && NonMenuSystem && previous->owner.get() == NonMenuSystem.get()) return;
  if (IsShortcut || previous) {
    ReturnToMenus();
    return;
  }
  if (!PrevState) return;
  if (!NonMenuSystem) {
    VgPrint("NonMenuSystem::WidgetClass.EnterPrevState: %s has no owner to open %s\n", GetClass()->name,
            PrevState->name);
    return;
  }
  NonMenuSystem->OpenState(PrevState, MakeOriginParam());
}

void WidgetClass::ClearAll(XObject*) {
  if (NonMenuSystem) {
    NonMenuSystem->ClearAll();
  } else {
    // A widget built outside the sub-system (a notice of the standby state)
    // has nobody to ask: it clears itself.
    Exit();
  }
}

void WidgetClass::Exit(XObject*) { Close(); }

bool WidgetClass::OutlivesClear() const { return (Layer & NonMenuSystem::ClearLayers) == 0; }

void WidgetClass::GoBack() {
  if (PrevState || IsShortcut)
    EnterPrevState();
  else
    Exit();
}

}  // namespace NonMenuSystem
