#include "FactorySystem/FactorySystem.h"

#include <cstdint>

#include "AppServices/MessageAgent.h"
#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Core/Keys.h"
#include "Core/Root.h"
#include "Events/Events.h"
#include "FactorySystem/AdjustmentMenu.h"
#include "FactorySystem/LargeMessage.h"
#include "FactorySystem/MessageFlags.h"
#include "FactorySystem/ModeIndicator.h"
#include "FactorySystem/SmallMessage.h"
#include "FactorySystem/ValueDisplay.h"
#include "Primitives/KeyRoutingParameter.h"
#include "SkinBin/UserRefInt.h"
#include "SkinBin/Wrapper.h"
#include "Structures/Boxes.h"
#include "Structures/Message.h"
#include "SubSystem/Open.h"
#include "WinIDs/WinIDs.h"
#include "vgdebug.h"
#include "vgslot.h"
#include "vgtrace.h"

VG_DEFINE_CLASS(FactorySystem, FactorySystem, SubSystem::SubSystemClass)

namespace FactorySystem {

namespace {

// The service mode's combination: MENU of the front panel while the key of
// the model's held-key table is held.
constexpr uint16_t kServiceModeKey = Key::Menu;

bool IsMarker(VgString mode, const char16_t* marker) {
  return mode && VgCompString(mode, const_cast<char16_t*>(marker)) == 0;
}

bool FromFrontPanel(Core::KeyEvent* key) {
  auto* remote = vg_cast<Events::XPM_EVENT_KEY>(key);
  return remote && remote->FrontPanel == 1;
}

}  // namespace

FactorySystem::FactorySystem(XObject* link) : SubSystem::SubSystemClass(link) {
  postTimer.OnSetPeriod(0);
  postTimer.OnSetOnTrigger(VgSlotOf<&FactorySystem::HandlePostEvent>(this));
}

// The mode lives in the television model and outlives normal operation when
// the first-time setup runs again (a TV reset): the sub-system that opens
// after it shows the mode's indicator again.
void FactorySystem::Initialize(Primitives::KeyRoutingParameter* parameter) {
  SubSystem::SubSystemClass::Initialize(parameter);
  OnSetBounds({0, 0, ScreenWidth, ScreenHeight});
  MainApp::GetMessageAgent()->Register(this);
  if (IsInFactoryMode() || IsInServiceMode()) ShowIndicator(MainApp::GetWrapper()->OnGetFactoryMode());
}

void FactorySystem::Close(XObject* sender) {
  SubSystem::SubSystemClass::Close(sender);
  MainApp::GetMessageAgent()->UnRegister(this);
}

void FactorySystem::HandleMessage(Structures::Message* message) {
  SubSystem::SubSystemClass::HandleMessage(message);
  if (!message) return;
  switch (message->Code) {
    case Constants::MSG_CLEAR_ALL:
      MainApp::GetWidgetManager()->CloseLayers(ClearLayers);
      break;
    case Constants::MSG_CHANGE_STATE:
      SubSystem::KeyOwner::Get()->Request(this, SubSystem::KeyOwner::Reason::Asked);
      ChangeState(vg_cast<SubSystem::State>(message->Payload.get()));
      break;
    default:
      break;
  }
}

bool FactorySystem::IsInFactoryMode() { return IsMarker(MainApp::GetWrapper()->OnGetFactoryMode(), u"M"); }

bool FactorySystem::IsInServiceMode() { return IsMarker(MainApp::GetWrapper()->OnGetFactoryMode(), u"S"); }

// --------------------------------------------------------------- events

XObject* FactorySystem::HandleEvent(Core::Event* event) {
  if (auto* key = vg_cast<Core::KeyEvent>(event)) {
    if (!key->down || key->keyCode != kServiceModeKey || !FromFrontPanel(key)) return nullptr;
    if (MainApp::GetWrapper()->GetKeyHeld(SkinBin::kHeldKeyServiceMode)) EnterMode("S");
    if (IsInServiceMode()) {
      ClearAll();
      SubSystem::Open(this, {.screen = &AdjustmentMenu::Class});
    }
    return this;
  }
  if (auto* command = vg_cast<Events::XPM_EVENT_FACTORY_COMMAND>(event)) {
    HandleFactoryCommand(command);
    return this;
  }
  return nullptr;
}

void FactorySystem::HandleFactoryCommand(Events::XPM_EVENT_FACTORY_COMMAND* command) {
  using Command = Events::XPM_EVENT_FACTORY_COMMAND;
  VgTrace("%s%i%$%i%s", u"Factory Command handled by Factory System", command->Type, command->ScreenClass,
          command->Value, command->Text.get());
  switch (command->Type) {
    case Command::TypeMenu: {
      // The screen takes the item after the command's value, stepped in 64
      // bits: the value may be any 32-bit number, and the last has none after it.
      const int64_t item = int64_t(command->Value) + 1;
      if (item > INT32_MAX) {
        VgPrint("FactorySystem: a menu command's value %d has no next page; nothing opens\n", int(command->Value));
        break;
      }
      ClearAll();
      DisplayResultMenu(command->ScreenClass, int32_t(item));
      break;
    }
    case Command::TypeValue: {
      ClearAll();
      auto* display = vg_cast<ValueDisplay>(SubSystem::Open(this, {.screen = &ValueDisplay::Class}));
      if (!display) break;
      display->OnSetFacName(command->Text);
      display->OnSetFacValue(command->Value);
      break;
    }
    case Command::TypeRawCommand:
      ProcessFacRawCommand(static_cast<uint32_t>(command->Value));
      break;
    case Command::TypeMessage:
      ShowMessage(command);
      break;
    default:
      break;
  }
}

// A message whose delay has not passed comes back without it; a factory-only
// message is for the factory mode alone, and leaves the other screens.
void FactorySystem::ShowMessage(Events::XPM_EVENT_FACTORY_COMMAND* command) {
  const MessageFlags flags = MessageFlags::Of(command->Value);
  if (flags.delaySeconds != 0) {
    command->Value = MessageFlags::WithoutDelay(command->Value);
    PostHandleEvent(command, flags.delaySeconds);
    return;
  }
  if (flags.factoryOnly && !IsInFactoryMode()) return;
  const VgClass* cls = command->ScreenClass;
  if (cls != &SmallMessage::Class && cls != &LargeMessage::Class) return;
  if (!flags.factoryOnly) ClearAll();
  auto* request = VgNew<SkinBin::UserRefInt>();
  request->Value = command->Value;
  request->Text = command->Text;
  SubSystem::Open(this, {.screen = cls, .param = request});
}

void FactorySystem::PostHandleEvent(Events::XPM_EVENT_FACTORY_COMMAND* event, int32_t seconds) {
  pendingEvent = event;
  postTimer.OnSetBegin(seconds * 1000);
  postTimer.OnSetEnabled(true);
  postTimer.Activate();
}

void FactorySystem::HandlePostEvent(XObject*) {
  Events::XPM_EVENT_FACTORY_COMMAND* event = pendingEvent;
  pendingEvent = nullptr;
  if (event) HandleEvent(event);
}

// -------------------------------------------------------------- screens

Primitives::KeyRoutingForm* FactorySystem::ChangeState(SubSystem::State* state) {
  Primitives::KeyRoutingForm* form = SubSystem::SubSystemClass::ChangeState(state);
  if (!form || form->SubSystemClass != GetClass()) return form;
  auto* widget = vg_cast<WidgetClass>(form);
  if (!widget) return form;
  auto* parameter = VgNew<Primitives::KeyRoutingParameter>();
  parameter->Parent = this;
  parameter->Param = state->Param;
  widget->FactorySystem = this;
  widget->Initialize(parameter);
  widget->MoveToOrigin();
  return OpenOrWait(state, widget);
}

void FactorySystem::OpenNow(Primitives::KeyRoutingForm* widget) {
  widget->Open();
  // The factory's displays hold the focus while they are up, though they
  // take no key.
  if (widget->owner.get() == this) SubSystem::KeyOwner::Get()->Request(widget, SubSystem::KeyOwner::Reason::Opened);
}

namespace {

Structures::RefInt* ItemOf(int32_t value) {
  auto* item = VgNew<Structures::RefInt>();
  item->Value = value;
  return item;
}

}  // namespace

void FactorySystem::DisplayResultMenu(const VgClass* cls, int32_t value) {
  SubSystem::Open(this, {.screen = cls, .param = ItemOf(value)});
}

void FactorySystem::OpenMenuPage(const char* name, int32_t value) {
  SubSystem::Open(this, name, {.param = ItemOf(value)});
}

void FactorySystem::ClearAll() {
  auto* message = VgNew<Structures::Message>();
  message->Code = Constants::MSG_CLEAR_ALL;
  MainApp::GetMessageAgent()->Dispatch(message, nullptr);
}

void FactorySystem::EnterMode(const char* marker) {
  VgString text = VgNewStringAnsi(marker);
  ShowIndicator(text);
  MainApp::GetWrapper()->OnSetFactoryMode(text);
}

// The indicator is a plain child: the widget manager neither lists it nor
// closes it with a layer.
void FactorySystem::ShowIndicator(VgString marker) {
  if (!modeIndicator) {
    modeIndicator = VgNew<ModeIndicator>();
    ManageWidget = false;
    Add(modeIndicator, 0);
    ManageWidget = true;
    modeIndicator->MoveToOrigin();
  }
  modeIndicator->OnSetCaption(marker);
}

void FactorySystem::LeaveMode() {
  if (modeIndicator) {
    if (modeIndicator->owner.get() == this) {
      ManageWidget = false;
      Remove(modeIndicator);
      ManageWidget = true;
    }
    modeIndicator = nullptr;
  }
  MainApp::GetWrapper()->OnSetFactoryMode(nullptr);
  ClearAll();
  if (Primitives::KeyRoutingForm* check = MainApp::GetWidgetManager()->FindForm(WinIDs::WIN_ID_StatusCheck))
    check->Close();
}

void FactorySystem::Dispatch(Core::Event* event) {
  Core::Root* root = GetRoot();
  if (!root) {
    VgPrint("FactorySystem::FactorySystem: no root to hand %s to\n", event->GetClass()->name);
    return;
  }
  root->DispatchEvent(event);
}

}  // namespace FactorySystem
