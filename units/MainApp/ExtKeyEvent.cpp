#include "MainApp/ExtKeyEvent.h"

#include "vgtrace.h"

VG_DEFINE_CLASS(MainApp, ExtKeyEvent, Core::KeyEvent)

// The exported name is the descriptor itself, not a copy: VgCastObject and
// the dispatch compare descriptors by address.
extern "C" const VgClass __vmt_MainAppExtKeyEvent __attribute__((alias("_ZN7MainApp11ExtKeyEvent5ClassE")));

namespace MainApp {

ExtKeyEvent* ExtKeyEvent::Initialize3(int32_t code, bool down, int32_t a, int32_t b, int32_t c) {
  VgTrace("%s", u">>>>>ExtKeyEvent.Initialize()<<<<");
  ExtParam1 = a;
  ExtParam2 = b;
  ExtParam3 = c;
  Initialize(int32_t(uint16_t(code)), down);
  return this;
}

}  // namespace MainApp

extern "C" MainApp::ExtKeyEvent* MainAppExtKeyEvent__Initialize3(MainApp::ExtKeyEvent* event, int32_t code,
                                                                 uint8_t down, int32_t a, int32_t b, int32_t c) {
  return event ? event->Initialize3(code, down != 0, a, b, c) : nullptr;
}
