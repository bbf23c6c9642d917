// Core::Root: the group at the top of the view tree. It owns the screen
// canvas and redraws what was invalidated once per turn of the GUI loop, in at
// most three update areas; it offers events first to the form holding the
// keyboard, then to the topmost modal form, else along the focus path; it
// keeps the chain of modal forms, broadcasts language and styles changes, and
// turns pointer presses, moves and holds into cursor and drag events.
#pragma once

#include <cstdint>

#include "Core/Group.h"
#include "Core/Timer.h"
#include "Core/UpdateAreas.h"
#include "Views/Rectangle.h"
#include "vgpoint.h"
#include "vgrect.h"

namespace Graphics {
class RootCanvas;
}
namespace Forms {
class Form;
}

namespace Core {

class Root : public Group {
  VG_CLASS()

 public:
  explicit Root(XObject* link = nullptr);

  // Creates the screen canvas of width x height, takes that area as Bounds
  // and invalidates all of it.
  void Initialize(int32_t width, int32_t height);
  // Redraws the pending update areas into the screen canvas and returns their
  // union (the zero rectangle when nothing was pending), for the host to show.
  VgRect Update();

  // Overridden slots.
  bool IsExposed() override;
  Root* GetRoot() override;
  void OnSetBounds(VgRect rect) override;
  void OnSetFocus(View* view) override;
  void Add(View* view, int32_t restack) override;
  void AddBehind(View* view, View* sibling) override;
  void Restack(View* view, int32_t steps) override;
  void RestackTop(View* view) override;
  void RestackBehind(View* view, View* sibling) override;
  void Invalidate(VgRect rect) override;
  XObject* DispatchEvent(Event* event) override;

  // Modal forms. Only the newest modal form and its descendants receive
  // events (after the keyboard form); data is handed to the form on entry and
  // filled from it on exit when there is a result.
  void BeginModal(Forms::Form* form, XObject* data);
  void EndModal(XObject* result);
  void EndModalOf(Forms::Form* form, XObject* result);
  // The form that holds the keyboard sees every event first and stays above
  // every view added or raised while it is attached.
  void AttachKeyboard(Forms::Form* form, XObject* data);
  void DetachKeyboard(XObject* result);

  void OnSetLanguage(int32_t id);
  int32_t OnGetLanguage() const;
  void OnSetStyles(uint32_t set);
  uint32_t OnGetStyles() const;

  // Pointer input at root positions. Both return whether an event was
  // delivered.
  bool DriveCursorHitting(bool down, int32_t cursor, int32_t x, int32_t y);
  bool DriveCursorMovement(int32_t x, int32_t y);
  // Moves the running press to another view (a null view ends it).
  bool DeflectCursor(View* view);
  // As DeflectCursor; later presses are hit-tested in that view only.
  void CaptureCursor(View* view);
  int32_t OnGetCursorSequelDelay() const { return CursorSequelDelay; }
  void OnSetCursorSequelDelay(int32_t ms);
  int32_t OnGetCursorDragLimit() const { return CursorDragLimit; }
  void OnSetCursorDragLimit(int32_t pixels);
  void cursorHoldTimerProc(XObject* sender);
  void cursorSequelTimerProc(XObject* sender);

  VgPtr<Forms::Form> modalTop;
  VgPtr<Forms::Form> keyboardForm;
  VgPtr<Graphics::RootCanvas> rootCanvas;
  // The bottom child: clears every update to fully transparent first.
  Views::Rectangle background{this};
  VgRect updateAreas[MaxUpdateAreas]{};
  VgPoint updateCentres[MaxUpdateAreas + 1]{};
  int32_t updateCount = 0;

  int32_t CursorSequelDelay = 250;
  int32_t CursorDragLimit = 4;
  int32_t cursorNumber = 0;
  VgPoint cursorPos{0, 0};  // root coordinates
  VgPtr<View> cursorTarget;
  VgPoint targetPos{0, 0};  // the target's coordinates
  VgPoint startPos{0, 0};   // where the press happened, in the target's coordinates
  int32_t holdTime = 0;
  // A press inside it, before the sequel timer fires, repeats the last one.
  VgRect repeatArea{0, 0, 0, 0};
  int32_t repeatCount = 0;
  Timer cursorHoldTimer{this};
  Timer cursorSequelTimer{this};
  VgPtr<View> captureView;

 private:
  bool IsModal(Forms::Form* form) const;
  bool KeyboardIsChild() const;
  bool RelativePosition(View* view, VgPoint* position);
  VgPoint CurrentTargetPos();
  void SendRelease(bool deflected);
  // Back to no press: the view that was the target loses a capture too.
  void Idle(View* formerTarget);
  void EndPress(bool deflected);
};

}  // namespace Core

extern "C" {
// The host's entries: set the root up for the screen, and redraw what changed.
void CoreRoot__Initialize(Core::Root* root, int32_t width, int32_t height);
VgRect CoreRoot_Update(Core::Root* root);
}
