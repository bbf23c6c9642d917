#include "ListForm/ListWidget.h"

#include "Constants/Constants.h"
#include "ListForm/ListBase.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "NonMenuSystem/WidgetClass.h"
#include "Primitives/KeyRoutingForm.h"
#include "Structures/Boxes.h"
#include "Structures/Message.h"

namespace ListForm {

namespace {

constexpr const char* kKeyPad = "NonMenuSystem::KeyPad";

NonMenuSystem::WidgetClass* WidgetOf(ListBase* list) {
  auto* widget = list ? vg_cast<NonMenuSystem::WidgetClass>(list->Parent.get()) : nullptr;
  return widget && widget->NonMenuSystem ? widget : nullptr;
}

}  // namespace

bool OpenOverWidget(ListBase* list, const char* screen, SubSystem::Opening opening) {
  NonMenuSystem::WidgetClass* widget = WidgetOf(list);
  if (!widget) return false;
  opening.back = widget->GetClass();
  opening.origin = widget->MenuTriggered ? Constants::MSG_FROM_MENUSYSTEM : Constants::MSG_FROM_NONMENUSYSTEM;
  opening.asker = list;
  SubSystem::Open(widget->NonMenuSystem, screen, opening);
  return true;
}

bool CloseParentScreen(ListBase* list, const char* screen) {
  const VgClass* wanted = VgFindClass(screen);
  auto* form = list ? vg_cast<Primitives::KeyRoutingForm>(list->Parent.get()) : nullptr;
  if (!wanted || !form || !VgCastClass(form->GetClass(), wanted)) return false;
  form->Close();
  return true;
}

bool AskKeyboard(ListBase* list, int32_t maxLength, VgString text) {
  return OpenOverWidget(list, kKeyPad, {.value = maxLength, .text = text});
}

bool TakeKeyboardAnswer(Structures::Message* message, VgString* text) {
  if (!message || message->Code != Constants::MSG_LABEL_CHANGE) return false;
  auto* answer = vg_cast<Structures::RefString>(message->Payload.get());
  *text = answer ? answer->Value.get() : nullptr;
  return true;
}

}  // namespace ListForm
