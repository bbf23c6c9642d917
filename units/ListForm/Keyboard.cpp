#include "ListForm/Keyboard.h"

#include "Constants/Constants.h"
#include "ListForm/ListBase.h"
#include "NonMenuSystem/KeyPad.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "NonMenuSystem/WidgetClass.h"
#include "Structures/Boxes.h"
#include "Structures/Message.h"
#include "SubSystem/Open.h"

namespace ListForm {

namespace {

NonMenuSystem::WidgetClass* WidgetOf(ListBase* list) {
  auto* widget = list ? vg_cast<NonMenuSystem::WidgetClass>(list->Parent.get()) : nullptr;
  return widget && widget->NonMenuSystem ? widget : nullptr;
}

}  // namespace

bool AskKeyboard(ListBase* list, int32_t maxLength, VgString text) {
  NonMenuSystem::WidgetClass* widget = WidgetOf(list);
  if (!widget) return false;
  const int32_t origin = widget->MenuTriggered ? Constants::MSG_FROM_MENUSYSTEM : Constants::MSG_FROM_NONMENUSYSTEM;
  SubSystem::Open(widget->NonMenuSystem, {.screen = &NonMenuSystem::KeyPad::Class,
                                          .back = widget->GetClass(),
                                          .value = maxLength,
                                          .origin = origin,
                                          .text = text});
  return true;
}

bool TakeKeyboardAnswer(ListBase* list, Structures::Message* message, VgString* text) {
  if (!message || message->Code != Constants::MSG_LABEL_CHANGE) return false;
  if (NonMenuSystem::WidgetClass* widget = WidgetOf(list)) widget->NonMenuSystem->OnSetFocus(widget);
  auto* answer = vg_cast<Structures::RefString>(message->Payload.get());
  *text = answer ? answer->Value.get() : nullptr;
  return true;
}

}  // namespace ListForm
