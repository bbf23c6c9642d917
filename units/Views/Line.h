// Views::Line: a line between two points, both end points drawn.
#pragma once

#include "Core/View.h"
#include "vgcolor.h"

namespace Views {

class Line : public Core::View {
  VG_CLASS()

 public:
  explicit Line(XObject* link = nullptr);

  VgColor Color{255, 255, 255, 255};
  VgPoint Point2{100, 100};
  VgPoint Point1{0, 0};

  void Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) override;
  void MoveView(VgPoint offset) override;
  // From the smaller to the larger coordinates, one pixel added to the larger.
  VgRect GetExtent() override;

  void OnSetColor(VgColor value);
  VgColor OnGetColor() const { return Color; }
  void OnSetPoint1(VgPoint value);
  VgPoint OnGetPoint1() const { return Point1; }
  void OnSetPoint2(VgPoint value);
  VgPoint OnGetPoint2() const { return Point2; }

 private:
  void MoveTo(VgPoint p1, VgPoint p2);
};

}  // namespace Views
