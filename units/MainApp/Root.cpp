#include "MainApp/Root.h"

VG_DEFINE_CLASS(MainApp, Root, XObject)

namespace MainApp {

Root::Root(XObject* link) : XObject(link) {}

Root::~Root() {
  if (canvas_) GenFreeBitmap(canvas_);
  canvas_ = nullptr;
}

void Root::Initialize(int32_t width, int32_t height) {
  if (canvas_) GenFreeBitmap(canvas_);
  canvas_ = GenCreateBitmapExternal(width, height, GenColorFormatArgb8888);
  pending_ = VgRect{0, 0, width, height};
}

XObject* Root::DispatchEvent(Core::Event* event) {
  (void)event;
  return nullptr;
}

VgRect Root::Update() {
  VgRect area = pending_;
  pending_ = VgRect{0, 0, 0, 0};
  return area;
}

bool Root::HasUIOnScreen() { return false; }

bool Root::IsAnimationActive() { return false; }

int32_t Root::SetTV101State(int32_t state) {
  tv101State = state == 1;
  return 0;
}

}  // namespace MainApp

extern "C" {

int32_t MainAppRoot_HasUIOnScreen(MainApp::Root* root) { return root && root->HasUIOnScreen() ? 1 : 0; }

int32_t MainAppRoot_IsAnimationActive(MainApp::Root* root) { return root && root->IsAnimationActive() ? 1 : 0; }

int32_t MainAppRoot_SetTV101State(MainApp::Root* root, int32_t state) {
  return root ? root->SetTV101State(state) : 0;
}

}  // extern "C"
