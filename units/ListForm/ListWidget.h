// What a list asks of the non-menu widget that holds it, written once for
// every list: screens opened over the widget in its sub-system (the on-screen
// keyboard, the channel logo panel), and the focus back to the widget when
// they answer.
//
// The keyboard round trip, for a list that edits a text (channel names, input
// labels): the keyboard answers every receiver with MSG_LABEL_CHANGE, so the
// list registers with the message agent from its Initialize to its Close and
// hands each message it gets to TakeKeyboardAnswer:
//
//   void DoChangeLabel(XObject* row) { ListForm::AskKeyboard(this, kMaxLength, label); }
//   void HandleMessage(Structures::Message* message) override {
//     VgString text = nullptr;
//     if (!ListForm::TakeKeyboardAnswer(message, &text)) return;
//     ...   // text: what the viewer typed
//   }
#pragma once

#include <cstdint>

#include "SubSystem/Open.h"
#include "vgstring.h"

namespace Structures {
class Message;
}

namespace ListForm {

class ListBase;

// Opens a screen (by class name) in the sub-system of the list's widget, with
// the widget as its way back and the widget's origin (from a menu or not) in
// the opening; the screen answers the list, and closes when the list closes
// with its widget. False, and nothing opens, when the list's parent is no
// non-menu widget or has no sub-system.
bool OpenOverWidget(ListBase* list, const char* screen, SubSystem::Opening opening = {});
// Closes the screen that holds the list when it is of that class (by class
// name); false, and nothing closes, otherwise.
bool CloseParentScreen(ListBase* list, const char* screen);

// Opens NonMenuSystem::KeyPad over the widget for at most maxLength
// characters, starting from text.
bool AskKeyboard(ListBase* list, int32_t maxLength, VgString text);
// True for the keyboard's answer: *text is the typed text (null when the
// answer carried none); the widget has the keys back as the keyboard leaves.
// False for every other message.
bool TakeKeyboardAnswer(Structures::Message* message, VgString* text);

}  // namespace ListForm
