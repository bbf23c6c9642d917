#include "Views/Line.h"

#include <algorithm>

#include "Graphics/Canvas.h"

VG_DEFINE_CLASS(Views, Line, Core::View)

namespace Views {

Line::Line(XObject* link) : Core::View(link) { layoutSet = 2; }

VgRect Line::GetExtent() {
  return {std::min(Point1.x, Point2.x), std::min(Point1.y, Point2.y), std::max(Point1.x, Point2.x) + 1,
          std::max(Point1.y, Point2.y) + 1};
}

void Line::MoveTo(VgPoint p1, VgPoint p2) {
  if (p1 == Point1 && p2 == Point2) return;
  const VgRect old = GetExtent();
  Point1 = p1;
  Point2 = p2;
  InvalidateRect(VgUnionRect(old, GetExtent()), true);
}

void Line::MoveView(VgPoint offset) { MoveTo(VgMovePointPos(Point1, offset), VgMovePointPos(Point2, offset)); }

void Line::OnSetPoint1(VgPoint value) { MoveTo(value, Point2); }

void Line::OnSetPoint2(VgPoint value) { MoveTo(Point1, value); }

void Line::OnSetColor(VgColor value) {
  if (VgCompColor(Color, value) == 0) return;
  Color = value;
  InvalidateView();
}

void Line::Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) {
  canvas->DrawLine(clip, VgMovePointPos(Point1, offset), VgMovePointPos(Point2, offset), Color, Mode);
}

}  // namespace Views
