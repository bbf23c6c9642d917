#include "Curves/SquareBezier.h"

#include "Graphics/Canvas.h"

VG_DEFINE_CLASS(Curves, SquareBezier, Curves::Segment)

namespace Curves {

SquareBezier::SquareBezier(XObject* link) : Segment(link) {}

VgPoint SquareBezier::GetPointAt(double t) {
  const VgPoint points[] = {Point1, Point2, Point3};
  return PointAt(points, 3, t);
}

VgRect SquareBezier::GetExtent() {
  const VgPoint points[] = {Point1, Point2, Point3};
  return ExtentOf(points, 3);
}

void SquareBezier::MoveView(VgPoint offset) {
  OnSetPoint1(VgMovePointPos(Point1, offset));
  OnSetPoint2(VgMovePointPos(Point2, offset));
  OnSetPoint3(VgMovePointPos(Point3, offset));
}

void SquareBezier::Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) {
  DrawMarker(canvas, clip, EndPointBitmap, VgMovePointPos(Point1, offset), 255);
  DrawMarker(canvas, clip, EndPointBitmap, VgMovePointPos(Point3, offset), 255);
  DrawMarker(canvas, clip, ControlPointBitmap, VgMovePointPos(Point2, offset), 128);
  const VgPoint points[] = {Point1, Point2, Point3};
  DrawCurve(canvas, clip, offset, points, 3);
}

}  // namespace Curves
