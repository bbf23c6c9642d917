// Curves::SquareBezier: a quadratic Bezier segment from Point1 over the
// control point Point2 to Point3.
#pragma once

#include "Curves/Segment.h"

namespace Curves {

class SquareBezier : public Segment {
  VG_CLASS()

 public:
  explicit SquareBezier(XObject* link = nullptr);

  VgPoint Point1{20, 20};
  VgPoint Point2{40, 20};
  VgPoint Point3{80, 20};

  void Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) override;
  void MoveView(VgPoint offset) override;
  VgRect GetExtent() override;
  VgPoint GetPointAt(double t) override;

  VgPoint OnGetPoint1() const { return Point1; }
  void OnSetPoint1(VgPoint value) { MovePoint(&Point1, value); }
  VgPoint OnGetPoint2() const { return Point2; }
  void OnSetPoint2(VgPoint value) { MovePoint(&Point2, value); }
  VgPoint OnGetPoint3() const { return Point3; }
  void OnSetPoint3(VgPoint value) { MovePoint(&Point3, value); }
};

}  // namespace Curves
