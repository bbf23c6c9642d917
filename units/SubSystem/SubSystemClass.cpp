#include "SubSystem/SubSystemClass.h"

#include "Constants/Constants.h"
#include "MainApp/MessageAgent.h"
#include "MainApp/WidgetManager.h"
#include "Structures/Message.h"
#include "vgdebug.h"

VG_DEFINE_CLASS(SubSystem, SubSystemClass, Primitives::KeyRoutingGroup)

namespace SubSystem {

namespace {

Primitives::KeyRoutingForm* ClaimsFocus(Core::View* view) {
  auto* form = vg_cast<Primitives::KeyRoutingForm>(view);
  return form && form->PreemptiveFocus ? form : nullptr;
}

}  // namespace

Core::View* SubSystemClass::FindFocusable(Core::View* view) {
  if (!view) return Primitives::KeyRoutingGroup::FindFocusable(view);
  for (Core::View* next = view->nextView; next; next = next->nextView)
    if (Primitives::KeyRoutingForm* form = ClaimsFocus(next)) return form;
  for (Core::View* prev = view->prevView; prev; prev = prev->prevView)
    if (Primitives::KeyRoutingForm* form = ClaimsFocus(prev)) return form;
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

Primitives::KeyRoutingForm* SubSystemClass::ChangeState(State* state) {
  if (!state || !state->ClassRef) return nullptr;
  Primitives::KeyRoutingForm* form = nullptr;
  if (state->Instance) {
    form = vg_cast<Primitives::KeyRoutingForm>(state->Instance.get());
  } else if (VgCastClass(state->ClassRef, &Primitives::KeyRoutingForm::Class)) {
    form = vg_cast<Primitives::KeyRoutingForm>(VgNewObjectIndirect(state->ClassRef, 0));
  }
  if (!form) {
    VgPrint("SubSystem::SubSystemClass.ChangeState: %s is not a screen\n",
            state->Instance ? state->Instance->GetClass()->name : state->ClassRef->name);
    return nullptr;
  }

  if (form->SubSystemClass == GetClass()) {
    if (state->Back && !form->PrevState) form->PrevState = state->Back;
    if (state->Next && !form->NextState) form->NextState = state->Next;
    return form;
  }
  if (form->SubSystemClass) {
    state->Instance = form;
    auto* message = VgNew<Structures::Message>();
    message->Code = Constants::MSG_CHANGE_STATE;
    message->Payload = state;
    MainApp::GetMessageAgent()->Dispatch(message, form->SubSystemClass);
  }
  return form;
}

}  // namespace SubSystem
