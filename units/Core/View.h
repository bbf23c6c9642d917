// Core::View: the base of everything drawn on screen. A view lives in at most
// one group, linked with its siblings in stacking order; it draws itself on
// request, reports the area it occupies and takes events and focus changes.
#pragma once

#include <cstdint>

#include "vgobject.h"
#include "vgpoint.h"
#include "vgrect.h"

namespace Graphics {
class Canvas;
}

namespace Core {

class Event;
class Group;
class Root;

class View : public XObject {
  VG_CLASS()

 public:
  // An embedded view passes the object it lives in.
  explicit View(XObject* link = nullptr);

  // The blend argument of Mode that blends with what lies below; any other
  // value copies.
  static constexpr uint16_t ModeBlend = 1;

  bool Visible = true;
  // Set only through UpdateFocus: the view lies on its root's focus path.
  bool Focused = false;
  uint16_t Mode = ModeBlend;
  uint16_t layoutSet = 0;
  VgPtr<View> nextView;  // the sibling directly above, null for the top view
  VgPtr<View> prevView;  // the sibling directly below, null for the bottom view
  VgPtr<Group> owner;

  // Virtual operations, in slot order.
  virtual bool IsExposed();
  // clip is the part of the canvas that may be drawn; offset is the canvas
  // position of the owner's top-left corner.
  virtual void Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset);
  virtual void MoveView(VgPoint offset);
  virtual View* CursorHitTest(int32_t cursor, VgPoint point, int32_t repeatCount, View* onlyView);
  virtual VgRect GetExtent();
  virtual Root* GetRoot();
  virtual void UpdateFocus(bool focused);
  // Returns the object that took the event, or null to let it go on.
  virtual XObject* HandleEvent(Event* event);
  virtual void HandleFocus(bool focused);
  virtual void HandleSelection(bool selected);

  void OnSetVisible(bool value);
  bool OnGetVisible() const { return Visible; }
  void OnSetMode(uint16_t value);
  uint16_t OnGetMode() const { return Mode; }

  void InvalidateView();
  // rect is in the owner's coordinates.
  void InvalidateRect(VgRect rect, bool rearrange);
};

}  // namespace Core
