#include "FactorySystem/FactorySystem.h"

#include "Constants/Constants.h"
#include "MainApp/MessageAgent.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Structures/Message.h"

VG_DEFINE_CLASS(FactorySystem, FactorySystem, SubSystem::SubSystemClass)

namespace FactorySystem {

void FactorySystem::Initialize(Primitives::KeyRoutingParameter* parameter) {
  SubSystem::SubSystemClass::Initialize(parameter);
  MainApp::GetMessageAgent()->Register(this);
}

void FactorySystem::Close(XObject* sender) {
  SubSystem::SubSystemClass::Close(sender);
  MainApp::GetMessageAgent()->UnRegister(this);
}

void FactorySystem::HandleMessage(Structures::Message* message) {
  if (!message || message->Code != Constants::MSG_CHANGE_STATE) return;
  if (owner) owner->OnSetFocus(this);
  ChangeState(vg_cast<SubSystem::State>(message->Payload.get()));
}

Primitives::KeyRoutingForm* FactorySystem::ChangeState(SubSystem::State* state) {
  Primitives::KeyRoutingForm* form = SubSystem::SubSystemClass::ChangeState(state);
  if (!form || form->SubSystemClass != GetClass()) return form;
  auto* parameter = VgNew<Primitives::KeyRoutingParameter>();
  parameter->Parent = this;
  parameter->Param = state->Param;
  form->Initialize(parameter);
  form->Open();
  if (form->FocusOnOpen && form->owner.get() == this) OnSetFocus(form);
  return form;
}

}  // namespace FactorySystem
