#include "Views/Border.h"

#include <algorithm>

#include "Graphics/Canvas.h"

VG_DEFINE_CLASS(Views, Border, Core::View)

namespace Views {

Border::Border(XObject* link) : Core::View(link) { layoutSet = 6; }

VgRect Border::GetExtent() { return Bounds; }

void Border::MoveView(VgPoint offset) { OnSetBounds(VgMoveRectPos(Bounds, offset)); }

void Border::OnSetBounds(VgRect value) {
  if (value == Bounds) return;
  const VgRect old = Bounds;
  Bounds = value;
  InvalidateRect(VgUnionRect(old, value), true);
}

void Border::OnSetWidth(int32_t value) {
  value = std::max(value, 0);
  if (Width == value) return;
  Width = value;
  InvalidateView();
}

void Border::OnSetColor(VgColor value) {
  if (VgCompColor(Color, value) == 0) return;
  Color = value;
  InvalidateView();
}

void Border::Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) {
  canvas->DrawBorder(clip, VgMoveRectPos(Bounds, offset), Color, Width, Mode);
}

}  // namespace Views
