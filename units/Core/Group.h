// Core::Group: a view that contains views. Its children form a doubly linked
// list from firstView (bottom, drawn first) to lastView (top, drawn last and
// offered events first); their coordinates are relative to the top-left corner
// of the group's Bounds. A group draws its children clipped to the update area,
// optionally through an off-screen buffer and with an opacity, keeps the focused
// child on the focus path and routes events down that path and back up.
#pragma once

#include <cstdint>
#include <vector>

#include "Core/View.h"
#include "vgstring.h"

namespace Core {

class Group : public View {
  VG_CLASS()

 public:
  explicit Group(XObject* link = nullptr);

  bool Buffered = false;
  VgPtr<View> firstView;
  VgPtr<View> lastView;
  VgRect Bounds{0, 0, 0, 0};
  int32_t Opacity = 255;
  VgPtr<View> Focus;
  // The group's content while Buffered is set, else null.
  VgPtr<Graphics::Canvas> bufferCanvas;
  // The part of the buffer still to redraw, in the group's coordinates.
  VgRect bufferDirty{0, 0, 0, 0};

  // Overridden slots of Core::View.
  void Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) override;
  void MoveView(VgPoint offset) override;
  View* CursorHitTest(int32_t cursor, VgPoint point, int32_t repeatCount, View* onlyView) override;
  VgRect GetExtent() override;
  void UpdateFocus(bool focused) override;

  // Slots of the group, in order.
  // Called with the view concerned after every change of the children or of
  // the bounds; layout classes re-arrange their children here.
  virtual void Rearrange(View* view);
  // The view that takes the focus when the given one leaves the group.
  virtual View* FindFocusable(View* view);
  virtual void OnSetBounds(VgRect rect);
  virtual void OnSetFocus(View* view);
  // A restack other than 0 moves the new view by that many steps afterwards.
  virtual void Add(View* view, int32_t restack);
  // Links the view directly below the sibling, on top when the sibling is null.
  virtual void AddBehind(View* view, View* sibling);
  virtual void Remove(View* view);
  // Positive steps move the view up, negative ones down, stopping at the ends.
  virtual void Restack(View* view, int32_t steps);
  virtual void RestackTop(View* view);
  virtual void RestackBack(View* view);
  // Moves the view directly below the sibling, to the top when it is null.
  virtual void RestackBehind(View* view, View* sibling);
  // rect is in the group's coordinates.
  virtual void Invalidate(VgRect rect);
  // Offers the event along the focus path, deepest view first, then each group
  // on the way back up. Returns the object that took it, or null.
  virtual XObject* DispatchEvent(Event* event);
  // Offers the event to every child from the top down, whatever their
  // visibility and focus, then to the group itself.
  virtual XObject* Broadcast(Event* event);

  VgRect OnGetBounds() const { return Bounds; }
  void OnSetOpacity(int32_t value);
  int32_t OnGetOpacity() const { return Opacity; }
  View* OnGetFocus() const { return Focus; }
  void OnSetBuffered(bool value);
  bool OnGetBuffered() const { return Buffered; }

  // Draws the visible children whose extent meets the clip, bottom first.
  virtual void DrawContent(Graphics::Canvas* canvas, VgRect clip, VgPoint origin);
  // A view the group draws, and the group whose coordinates it lies in: the
  // group itself, or a plain group inside it whose children it stacks among
  // its own.
  struct Stacked {
    View* view;
    Group* holder;
  };
  // The visible views the group draws, bottom first: its visible children in
  // their order. A group that stacks the children of inner groups among its
  // own lists them here and draws them with DrawStacked.
  virtual void Stacking(std::vector<Stacked>* views);
  // Told of each child a group is about to draw, with the canvas and the part
  // of it the child may draw: a harness that checks the order of drawing in a
  // frame sets it for the frame; the product never does.
  static inline void (*DrawWatch)(Graphics::Canvas* canvas, View* view, VgRect part) = nullptr;
  // Redraws the dirty part of the buffer; posted by Invalidate.
  void updateBufferCanvas(XObject* sender);

  // Between the group's coordinates and those of the top of its tree.
  VgPoint MakeLocal(VgPoint point);
  VgPoint MakeGlobal(VgPoint point);

  VgString GetHelpString();
  void UpdateHelpString();

 protected:
  // Draws what Stacking lists, bottom first, each clipped to its holder.
  void DrawStacked(Graphics::Canvas* canvas, VgRect clip, VgPoint origin);

 private:
  void CheckChild(View* view) const;
  void LinkBelow(View* view, View* sibling);
  void Unlink(View* view);
  void ResizeBuffer();
};

}  // namespace Core

// Exported for the host and the media library, which dispatch and broadcast
// through the root without knowing the class.
extern "C" {
XObject* CoreGroup__DispatchEvent(Core::Group* group, Core::Event* event);
XObject* CoreGroup__Broadcast(Core::Group* group, Core::Event* event);
}
