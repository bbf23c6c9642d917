// MainApp::ExtKeyEvent: a key event with three integers more, for code
// outside the program that makes its own key events and dispatches them
// through the root. Nothing inside the program makes one; the class's
// descriptor and its initialiser are exported under flat names for that code.
#pragma once

#include <cstdint>

#include "Core/KeyEvent.h"

namespace MainApp {

class ExtKeyEvent : public Core::KeyEvent {
  VG_CLASS()

 public:
  explicit ExtKeyEvent(XObject* link = nullptr) : Core::KeyEvent(link) {}

  // Keeps the three integers and initialises the key with the low 16 bits of
  // the code and the down flag.
  ExtKeyEvent* Initialize3(int32_t code, bool down, int32_t a, int32_t b, int32_t c);

  int32_t ExtParam1 = 0;
  int32_t ExtParam2 = 0;
  int32_t ExtParam3 = 0;
};

}  // namespace MainApp

extern "C" {
// The class descriptor, to create such events with VgNewObjectIndirect.
extern const VgClass __vmt_MainAppExtKeyEvent;
MainApp::ExtKeyEvent* MainAppExtKeyEvent__Initialize3(MainApp::ExtKeyEvent* event, int32_t code, uint8_t down,
                                                      int32_t a, int32_t b, int32_t c);
}
