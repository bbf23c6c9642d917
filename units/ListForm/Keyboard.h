// The on-screen keyboard for a list that edits a text, written once for every
// such list (channel names, input labels). The list lives in a non-menu
// widget; the keyboard opens over that widget in its sub-system and answers
// every receiver with MSG_LABEL_CHANGE, so the list registers with the
// message agent from its Initialize to its Close and hands each message it
// gets to TakeKeyboardAnswer:
//
//   void DoChangeLabel(XObject* row) { ListForm::AskKeyboard(this, kMaxLength, label); }
//   void HandleMessage(Structures::Message* message) override {
//     VgString text = nullptr;
//     if (!ListForm::TakeKeyboardAnswer(this, message, &text)) return;
//     ...   // text: what the viewer typed
//   }
#pragma once

#include <cstdint>

#include "vgstring.h"

namespace Structures {
class Message;
}

namespace ListForm {

class ListBase;

// Opens NonMenuSystem::KeyPad for at most maxLength characters, starting from
// text, with the list's widget as the way back and the widget's origin (from
// a menu or not). False, and nothing opens, when the list's parent is no
// non-menu widget or has no sub-system.
bool AskKeyboard(ListBase* list, int32_t maxLength, VgString text);

// True for the keyboard's answer: the list's widget has the focus back in its
// sub-system, and *text is the typed text (null when the answer carried
// none). False for every other message.
bool TakeKeyboardAnswer(ListBase* list, Structures::Message* message, VgString* text);

}  // namespace ListForm
