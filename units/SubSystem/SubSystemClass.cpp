#include "SubSystem/SubSystemClass.h"

#include "SubSystem/Open.h"

#include "Core/Root.h"

#include "Constants/Constants.h"
#include "MainApp/MessageAgent.h"
#include "MainApp/WidgetManager.h"
#include "MainApp/Wrapper.h"
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

Primitives::KeyRoutingForm* ClaimsFocus(Core::View* view) {
  auto* form = vg_cast<Primitives::KeyRoutingForm>(view);
  return form && form->PreemptiveFocus ? form : nullptr;
}

}  // namespace

namespace {

// Whether the form was asked for by the screen, or by a list inside it.
bool AskedBy(Primitives::KeyRoutingForm* form, Primitives::KeyRoutingForm* screen) {
  for (Core::View* asker = form->Asker.get(); asker; asker = asker->owner)
    if (asker == screen) return true;
  return false;
}

// A screen that claims the focus hands it on to the topmost pop-up it asked
// for that stands above it: the keyboard over the recordings library keeps
// the keys when the volume bar over both goes, instead of being left on view
// deaf while its library takes them.
Core::View* WithItsPopUp(Primitives::KeyRoutingForm* screen, Core::View* leaving) {
  Core::View* chosen = screen;
  for (Core::View* above = screen->nextView; above; above = above->nextView) {
    auto* popUp = vg_cast<Primitives::KeyRoutingForm>(above);
    if (above != leaving && popUp && popUp->FocusOnOpen && AskedBy(popUp, screen)) chosen = popUp;
  }
  return chosen;
}

}  // namespace

Core::View* SubSystemClass::FindFocusable(Core::View* view) {
  if (!view) return Primitives::KeyRoutingGroup::FindFocusable(view);
  for (Core::View* next = view->nextView; next; next = next->nextView)
    if (Primitives::KeyRoutingForm* form = ClaimsFocus(next)) return WithItsPopUp(form, view);
  for (Core::View* prev = view->prevView; prev; prev = prev->prevView)
    if (Primitives::KeyRoutingForm* form = ClaimsFocus(prev)) return WithItsPopUp(form, view);
  return Primitives::KeyRoutingGroup::FindFocusable(view);
}

void SubSystemClass::Add(Core::View* view, int32_t restack) {
  Primitives::KeyRoutingGroup::Add(view, restack);
  auto* form = vg_cast<Primitives::KeyRoutingForm>(view);
  // The group refuses a view it cannot take; only a screen it holds is listed.
  if (ManageWidget && form && form->owner.get() == this) MainApp::GetWidgetManager()->InsertForm(form);
}

void SubSystemClass::Remove(Core::View* view) {
  Primitives::KeyRoutingGroup::Remove(view);
  auto* form = vg_cast<Primitives::KeyRoutingForm>(view);
  if (ManageWidget && form) MainApp::GetWidgetManager()->DeleteForm(form);
}

void SubSystemClass::OnSetFocus(Core::View* view) {
  const bool moved = view != Focus.get();
  Primitives::KeyRoutingGroup::OnSetFocus(view);
  if (moved) VgNotifyObjObservers(MainApp::GetWidgetManager(), ::WidgetManager::WidgetManager::ScreenFocused);
}

namespace {

// The screen that has the keys: the newest modal screen, else the first on
// the focus path from the root.
Primitives::KeyRoutingForm* ScreenWithTheKeys(Core::View* view) {
  Core::Root* root = view ? view->GetRoot() : nullptr;
  if (!root) return nullptr;
  if (auto* modal = vg_cast<Primitives::KeyRoutingForm>(root->modalTop.get())) return modal;
  for (Core::View* at = root; at;) {
    if (auto* form = vg_cast<Primitives::KeyRoutingForm>(at)) return form;
    auto* group = vg_cast<Core::Group>(at);
    at = group ? group->Focus.get() : nullptr;
  }
  return nullptr;
}

// Whether the screen stays when a screen of the layer opens: it goes when it
// answers a screen (or a list inside one) of that layer, which gives the
// layer up.
bool StaysBeside(Primitives::KeyRoutingForm* screen, int32_t layer) {
  for (Primitives::KeyRoutingForm* form = screen; form; form = form->Asker) {
    for (Core::View* view = form; view; view = view->owner) {
      auto* holder = vg_cast<Primitives::KeyRoutingForm>(view);
      if (holder && holder->Layer == layer) return false;
    }
  }
  return true;
}

}  // namespace

// A passing notice gives way to the screen, and a display that takes no keys
// lets it open under it; a notice opens anywhere and gives way in turn.
bool SubSystemClass::OpensUnderTheKeys(Primitives::KeyRoutingForm* form) {
  if (!asking_ || !form->TakesKeys() || form->GivesWay()) return false;
  Primitives::KeyRoutingForm* keys = ScreenWithTheKeys(this);
  if (!keys || keys == form || !keys->TakesKeys() || keys->GivesWay()) return false;
  if (uint32_t(keys->Layer) <= uint32_t(form->Layer) || !StaysBeside(keys, form->Layer)) return false;
  VgPrint("SubSystem::SubSystemClass: %s does not open under %s, which has the keys\n", form->GetClass()->name,
          keys->GetClass()->name);
  return true;
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
    if (OpensUnderTheKeys(form)) return nullptr;
    if (state->Back && !form->PrevState) form->PrevState = state->Back;
    if (state->Next && !form->NextState) form->NextState = state->Next;
    if (auto* asker = vg_cast<Primitives::KeyRoutingForm>(state->Asker.get())) form->Asker = asker;
    return form;
  }
  SendToOwner(state, form);
  return form;
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
