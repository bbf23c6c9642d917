#include "Curves/LinearBezier.h"

#include "Graphics/Canvas.h"

VG_DEFINE_CLASS(Curves, LinearBezier, Curves::Segment)

namespace Curves {

LinearBezier::LinearBezier(XObject* link) : Segment(link) {}

VgPoint LinearBezier::GetPointAt(double t) {
  const VgPoint points[] = {Point1, Point2};
  return PointAt(points, 2, t);
}

VgRect LinearBezier::GetExtent() {
  const VgPoint points[] = {Point1, Point2};
  return ExtentOf(points, 2);
}

void LinearBezier::MoveView(VgPoint offset) {
  OnSetPoint1(VgMovePointPos(Point1, offset));
  OnSetPoint2(VgMovePointPos(Point2, offset));
}

void LinearBezier::Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) {
  const VgPoint from = VgMovePointPos(Point1, offset);
  const VgPoint to = VgMovePointPos(Point2, offset);
  DrawThickLine(canvas, clip, from, to, Color, Mode);
  DrawMarker(canvas, clip, EndPointBitmap, from, 255);
  DrawMarker(canvas, clip, EndPointBitmap, to, 255);
}

}  // namespace Curves
