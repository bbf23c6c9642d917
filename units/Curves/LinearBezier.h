// Curves::LinearBezier: a straight segment from Point1 to Point2, with the
// end point marker on both ends.
#pragma once

#include "Curves/Segment.h"

namespace Curves {

class LinearBezier : public Segment {
  VG_CLASS()

 public:
  explicit LinearBezier(XObject* link = nullptr);

  VgPoint Point1{20, 20};
  VgPoint Point2{40, 20};

  void Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) override;
  void MoveView(VgPoint offset) override;
  VgRect GetExtent() override;
  VgPoint GetPointAt(double t) override;

  VgPoint OnGetPoint1() const { return Point1; }
  void OnSetPoint1(VgPoint value) { MovePoint(&Point1, value); }
  VgPoint OnGetPoint2() const { return Point2; }
  void OnSetPoint2(VgPoint value) { MovePoint(&Point2, value); }
};

}  // namespace Curves
