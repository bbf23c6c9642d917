// MainApp::Root: the application root that the GUI loop creates, initialises
// for the screen, sends every event to and redraws once per turn.
#pragma once

#include <cstdint>

#include "Core/Event.h"
#include "GenBitmap.h"
#include "vgrect.h"

namespace MainApp {

class Root : public XObject {
  VG_CLASS()

 public:
  explicit Root(XObject* link = nullptr);
  ~Root() override;

  void Initialize(int32_t width, int32_t height);
  XObject* DispatchEvent(Core::Event* event);
  VgRect Update();
  GenBitmap* Canvas() const { return canvas_; }

  bool HasUIOnScreen();
  bool IsAnimationActive();
  int32_t SetTV101State(int32_t state);

  // Whether the television runs the program's own interface (state 1) or an
  // external application has the screen.
  bool tv101State = false;

 private:
  GenBitmap* canvas_ = nullptr;
  VgRect pending_{0, 0, 0, 0};
};

}  // namespace MainApp

extern "C" {
int32_t MainAppRoot_HasUIOnScreen(MainApp::Root* root);
int32_t MainAppRoot_IsAnimationActive(MainApp::Root* root);
int32_t MainAppRoot_SetTV101State(MainApp::Root* root, int32_t state);
}
