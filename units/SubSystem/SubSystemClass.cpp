#include "SubSystem/SubSystemClass.h"

#include <vector>

#include "SubSystem/Open.h"

#include "Core/Root.h"

#include "AppServices/MessageAgent.h"
#include "AppServices/WidgetManager.h"
#include "AppServices/Wrapper.h"
#include "Constants/Constants.h"
#include "SkinBin/UserRefInt.h"
#include "Structures/Message.h"
#include "vgdebug.h"

VG_DEFINE_CLASS(SubSystem, SubSystemClass, Primitives::KeyRoutingGroup)

namespace SubSystem {

Primitives::KeyRoutingForm* SubSystemClass::ScreenOf(State* state, const char* caller) {
  Primitives::KeyRoutingForm* form = nullptr;
  if (state->Instance) {
    form = vg_cast<Primitives::KeyRoutingForm>(state->Instance.get());
  } else if (VgCastClass(state->ClassRef, &Primitives::KeyRoutingForm::Class)) {
    form = vg_cast<Primitives::KeyRoutingForm>(VgNewObjectIndirect(state->ClassRef, 0));
  }
  if (!form) {
    VgPrint("%s: %s is not a screen\n", caller,
            state->Instance ? state->Instance->GetClass()->name : state->ClassRef->name);
  }
  return form;
}

namespace {

// Hands the request, with the screen made for it, to the screen's own family.
void SendToOwner(State* state, Primitives::KeyRoutingForm* form) {
  if (!form->SubSystemClass) return;
  state->Instance = form;
  auto* message = VgNew<Structures::Message>();
  message->Code = Constants::MSG_CHANGE_STATE;
  message->Payload = state;
  MainApp::GetMessageAgent()->Dispatch(message, form->SubSystemClass);
}

}  // namespace

Core::View* SubSystemClass::FindFocusable(Core::View* view) { return KeyOwner::NextWithTheKeys(this, view); }

void SubSystemClass::Initialize(Primitives::KeyRoutingParameter* parameter) {
  Primitives::KeyRoutingGroup::Initialize(parameter);
  Keys = KeyOwner::Get();
  Keys->Enlist(Parent);
}

void SubSystemClass::Add(Core::View* view, int32_t restack) {
  Primitives::KeyRoutingGroup::Add(view, restack);
  auto* form = vg_cast<Primitives::KeyRoutingForm>(view);
  // The group refuses a view it cannot take; only a screen it holds is listed.
  if (!ManageWidget || !form || form->owner.get() != this) return;
  MainApp::GetWidgetManager()->InsertForm(form);
  KeyOwner::Get()->ScreenListed(form);
}

void SubSystemClass::Remove(Core::View* view) {
  Primitives::KeyRoutingGroup::Remove(view);
  auto* form = vg_cast<Primitives::KeyRoutingForm>(view);
  if (!ManageWidget || !form) return;
  MainApp::GetWidgetManager()->DeleteForm(form);
  KeyOwner::Get()->ScreenLeft();
}

void SubSystemClass::OnSetFocus(Core::View* view) {
  const bool moved = view != Focus.get();
  Primitives::KeyRoutingGroup::OnSetFocus(view);
  if (moved) KeyOwner::Get()->FocusMoved();
}

XObject* SubSystemClass::DispatchEvent(Core::Event* event) {
  auto* screen = vg_cast<Primitives::KeyRoutingForm>(Focus.get());
  if (!screen) return Primitives::KeyRoutingGroup::DispatchEvent(event);
  if (XObject* taken = screen->DispatchEvent(event)) return taken;
  if (KeyOwner::StopsAtTheTyping(screen, event)) return screen;
  // A screen under a pop-up may take every key (a wizard under its keyboard):
  // the factory's key rises to the routing as from the pop-up alone.
  if (KeyOwner::ForTheFactory(event)) return HandleEvent(event);
  if (XObject* taken = KeyOwner::Get()->ToTheAsker(screen, event)) return taken;
  return HandleEvent(event);
}

Primitives::KeyRoutingForm* SubSystemClass::ChangeState(State* state) {
  if (!state || !state->ClassRef) return nullptr;
  Primitives::KeyRoutingForm* form = ScreenOf(state, "SubSystem::SubSystemClass.ChangeState");
  if (!form) return nullptr;
  if (form->SubSystemClass == GetClass()) {
    // A sub-system that has closed (the set went to standby) opens nothing: a
    // screen asked for before it closed, by a signal still pending, would be
    // listed as open but never drawn, and no key would reach it.
    if (!owner) {
      VgPrint("SubSystem::SubSystemClass.ChangeState: %s is closed, %s does not open\n", GetClass()->name,
              form->GetClass()->name);
      return nullptr;
    }
    auto* asker = vg_cast<Primitives::KeyRoutingForm>(state->Asker.get());
    if (KeyOwner::OpensUnderTheKeys(this, form, asker)) return nullptr;
    if (state->Back && !form->PrevState) form->PrevState = state->Back;
    if (state->Next && !form->NextState) form->NextState = state->Next;
    if (asker) form->Asker = asker;
    return form;
  }
  SendToOwner(state, form);
  return form;
}

namespace {

// A screen that waited and never opened lets go of what its forms took on as
// they were initialised (a list that hears the message agent): the forms it
// hosts close, as they would with the screen.
void Hosted(Core::Group* group, Primitives::KeyRoutingForm* host, std::vector<Primitives::KeyRoutingForm*>* hosted) {
  for (Core::View* view = group->firstView; view; view = view->nextView) {
    auto* form = vg_cast<Primitives::KeyRoutingForm>(view);
    if (form && form->Parent.get() == host)
      hosted->push_back(form);
    else if (auto* inner = vg_cast<Core::Group>(view))
      Hosted(inner, host, hosted);
  }
}

void LetGo(Primitives::KeyRoutingForm* form) {
  std::vector<Primitives::KeyRoutingForm*> hosted;
  Hosted(form, form, &hosted);
  for (Primitives::KeyRoutingForm* inner : hosted) inner->Close();
}

}  // namespace

bool SubSystemClass::Waits(State* state, Primitives::KeyRoutingForm* form) {
  if (form->WaitsUnderTheKeys()) return false;
  if (!(form->TakesKeys() || form->SharesKeysWithItsPages()) || form->GivesWay()) return false;
  Primitives::KeyRoutingForm* over = KeyOwner::OverItsPlace(this, form);
  if (!over) return false;
  if (!waiting) waiting = VgNew<Structures::DuLinkList>();
  // The very screen made for the request opens when it may; at the tail, once.
  state->Instance = form;
  waiting->Insert(0, state);
  VgPrint("SubSystem::SubSystemClass: %s waits until %s, which has the keys over its place, goes\n",
          form->GetClass()->name, over->GetClass()->name);
  return true;
}

Primitives::KeyRoutingForm* SubSystemClass::OpenOrWait(State* state, Primitives::KeyRoutingForm* form) {
  if (Waits(state, form)) return nullptr;
  OpenNow(form);
  return form;
}

void SubSystemClass::OpenWaiting() {
  if (!waiting || waiting->Empty() || !owner) return;
  std::vector<State*> ready;
  for (Structures::DuLinkNode* node = waiting->Sentinel()->next; node != waiting->Sentinel(); node = node->next) {
    auto* state = vg_cast<State>(node->data.get());
    auto* form = state ? vg_cast<Primitives::KeyRoutingForm>(state->Instance.get()) : nullptr;
    // A pop-up whose asker closed meanwhile has nobody to answer.
    if (form && (form->IsOrphaned() || !KeyOwner::OverItsPlace(this, form))) ready.push_back(state);
  }
  // A screen that opens may close another, and the screens that waited for
  // that one open meanwhile: each opens once.
  for (State* state : ready) {
    if (waiting->DeleteData(state) == 0) continue;
    auto* form = vg_cast<Primitives::KeyRoutingForm>(state->Instance.get());
    if (form->IsOrphaned())
      LetGo(form);
    else
      OpenNow(form);
  }
}

std::vector<Primitives::KeyRoutingForm*> SubSystemClass::WaitingScreens() const {
  std::vector<Primitives::KeyRoutingForm*> screens;
  if (waiting)
    for (Structures::DuLinkNode* node = waiting->Sentinel()->next; node != waiting->Sentinel(); node = node->next)
      if (auto* state = vg_cast<State>(node->data.get()))
        if (auto* form = vg_cast<Primitives::KeyRoutingForm>(state->Instance.get())) screens.push_back(form);
  return screens;
}

void SubSystemClass::AfterScreenLeft() { OpenWaiting(); }

void SubSystemClass::Forget(const std::function<bool(Primitives::KeyRoutingForm*)>& forgotten, const char* why) {
  if (!waiting) return;
  std::vector<State*> gone;
  for (Structures::DuLinkNode* node = waiting->Sentinel()->next; node != waiting->Sentinel(); node = node->next) {
    auto* state = vg_cast<State>(node->data.get());
    auto* form = state ? vg_cast<Primitives::KeyRoutingForm>(state->Instance.get()) : nullptr;
    if (state && (!form || forgotten(form))) gone.push_back(state);
  }
  for (State* state : gone) {
    waiting->DeleteData(state);
    if (auto* form = vg_cast<Primitives::KeyRoutingForm>(state->Instance.get())) {
      VgPrint("SubSystem::SubSystemClass: %s, which waited, is forgotten %s\n", form->GetClass()->name, why);
      LetGo(form);
    }
  }
}

void SubSystemClass::ForgetWaiting() {
  Forget([](Primitives::KeyRoutingForm*) { return true; }, "with the screens cleared");
}

void SubSystemClass::ForgetOnTheLayerOf(Primitives::KeyRoutingForm* opened) {
  if (!opened || !opened->Layer) return;
  Forget([opened](Primitives::KeyRoutingForm* form) { return form != opened && form->Layer == opened->Layer; },
         "for the screen that opened on its layer");
}

void SubSystemClass::ForgetClosedBy(Core::Event* event) {
  Forget([event](Primitives::KeyRoutingForm* form) { return form->ClosesOnTheEvent(event); },
         "with what the event of the set closes");
}

void SubSystemClass::HandleMessage(Structures::Message* message) {
  Primitives::KeyRoutingGroup::HandleMessage(message);
  if (message && message->Code == Constants::MSG_CLEAR_ALL)
    Forget([this](Primitives::KeyRoutingForm* form) { return ClearCloses(form); }, "with the screens cleared");
}

void SubSystemClass::Close(XObject* sender) {
  ForgetWaiting();
  Primitives::KeyRoutingGroup::Close(sender);
}

// ------------------------------------------------------------------ opener

State* MakeState(const Opening& opening) {
  auto* state = VgNew<State>();
  state->ClassRef = opening.screen;
  state->Back = opening.back;
  state->Next = opening.next;
  state->Asker = opening.asker;
  if (opening.param) {
    state->Param = opening.param;
  } else if (opening.value || opening.origin || opening.text || opening.flag) {
    auto* record = VgNew<SkinBin::UserRefInt>();
    record->Value = opening.value;
    record->Kind = opening.origin;
    record->Text = opening.text;
    record->Flag = opening.flag;
    state->Param = record;
  }
  return state;
}

namespace {

// A guarded screen asks for the PIN first while a parental PIN is set.
bool PinFirst(const Opening& opening) {
  return opening.pinType != 0 && MainApp::GetWrapper()->IsPinExisting();
}

}  // namespace

Primitives::KeyRoutingForm* Open(SubSystemClass* via, const Opening& opening) {
  if (PinFirst(opening)) {
    // The PIN type's row opens the screen once the PIN is right.
    const Opening pin{.screen = VgFindClass(PinDialogClass),
                      .back = opening.back,
                      .value = opening.pinType,
                      .origin = opening.origin};
    if (!pin.screen) {
      VgPrint("SubSystem::Open: would open %s, which is not built\n", PinDialogClass);
      return nullptr;
    }
    return Open(via, pin);
  }
  if (!opening.screen) return nullptr;
  State* state = MakeState(opening);
  if (via) return via->ChangeState(state);
  Primitives::KeyRoutingForm* form = SubSystemClass::ScreenOf(state, "SubSystem::Open");
  if (!form) return nullptr;
  if (!form->SubSystemClass) {
    VgPrint("SubSystem::Open: %s belongs to no sub-system\n", opening.screen->name);
    return form;
  }
  SendToOwner(state, form);
  return form;
}

Primitives::KeyRoutingForm* Open(SubSystemClass* via, const char* screenName, Opening opening) {
  opening.screen = VgFindClass(screenName);
  // A guarded screen not built yet still asks for the PIN.
  if (!opening.screen && !PinFirst(opening)) {
    VgPrint("SubSystem::Open: would open %s, which is not built\n", screenName ? screenName : "(no name)");
    return nullptr;
  }
  return Open(via, opening);
}

}  // namespace SubSystem
