#include "Curves/CubicBezier.h"

#include "Graphics/Canvas.h"

VG_DEFINE_CLASS(Curves, CubicBezier, Curves::Segment)

namespace Curves {

CubicBezier::CubicBezier(XObject* link) : Segment(link) {}

VgPoint CubicBezier::GetPointAt(double t) {
  const VgPoint points[] = {Point1, Point2, Point3, Point4};
  return PointAt(points, 4, t);
}

VgRect CubicBezier::GetExtent() {
  const VgPoint points[] = {Point1, Point2, Point3, Point4};
  return ExtentOf(points, 4);
}

void CubicBezier::MoveView(VgPoint offset) {
  OnSetPoint1(VgMovePointPos(Point1, offset));
  OnSetPoint2(VgMovePointPos(Point2, offset));
  OnSetPoint3(VgMovePointPos(Point3, offset));
  OnSetPoint4(VgMovePointPos(Point4, offset));
}

void CubicBezier::Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) {
  DrawMarker(canvas, clip, EndPointBitmap, VgMovePointPos(Point1, offset), 255);
  DrawMarker(canvas, clip, EndPointBitmap, VgMovePointPos(Point4, offset), 255);
  DrawMarker(canvas, clip, ControlPointBitmap, VgMovePointPos(Point2, offset), 128);
  DrawMarker(canvas, clip, ControlPointBitmap, VgMovePointPos(Point3, offset), 128);
  const VgPoint points[] = {Point1, Point2, Point3, Point4};
  DrawCurve(canvas, clip, offset, points, 4);
}

}  // namespace Curves
