// A key press or release, with the GUI key code and the character it stands for.
#pragma once

#include <cstdint>
#include <span>

#include "Core/Event.h"
#include "Core/Keys.h"

namespace Core {

class KeyEvent : public Event {
  VG_CLASS()

 public:
  explicit KeyEvent(XObject* link = nullptr) : Event(link) {}

  // From a GUI key code: keeps its low 16 bits and looks up the character.
  virtual KeyEvent* Initialize(int32_t code, bool isDown);
  // From a character: derives the key code (space, digits and letters only).
  virtual KeyEvent* Initialize2(char16_t character, bool isDown);

  bool down = false;
  uint16_t keyCode = 0;
  char16_t keyChar = 0;
};

// The GUI key code of a key press; Key::None for a release or any other
// event.
uint16_t PressedKey(Event* event);

// The character of a GUI key code, or 0.
char16_t KeyCharOf(uint16_t keyCode);

// A run of key codes standing for a run of consecutive characters.
struct KeyCharRow {
  uint16_t firstCode;
  uint16_t lastCode;
  char16_t firstChar;
};
// The rows of the character table, in key-code order.
std::span<const KeyCharRow> KeyCharTable();

}  // namespace Core

extern "C" {
// The event bridge's entry: builds key events of window key presses.
Core::KeyEvent* CoreKeyEvent__Initialize(Core::KeyEvent* event, int32_t code, uint8_t down);
}
