#include "Views/Rectangle.h"

#include "Graphics/Canvas.h"

VG_DEFINE_CLASS(Views, Rectangle, Core::View)

namespace Views {

Rectangle::Rectangle(XObject* link) : Core::View(link) { layoutSet = 6; }

VgRect Rectangle::GetExtent() { return Bounds; }

void Rectangle::MoveView(VgPoint offset) { OnSetBounds(VgMoveRectPos(Bounds, offset)); }

void Rectangle::OnSetBounds(VgRect value) {
  if (value == Bounds) return;
  const VgRect old = Bounds;
  Bounds = value;
  InvalidateRect(VgUnionRect(old, value), true);
}

void Rectangle::OnSetColor(VgColor value) {
  if (VgCompColor(Color, value) == 0) return;
  Color = value;
  InvalidateView();
}

void Rectangle::Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) {
  canvas->DrawRectangle(clip, VgMoveRectPos(Bounds, offset), Color, Mode);
}

}  // namespace Views
