// Curves::SmoothCurve: a group that lays a curve through up to 11 points,
// either smooth (quadratic segments at the ends, cubic ones between, their
// control points on one line through each point) or straight. Changes of the
// points, colour, thickness or mode show at the next CreateCurve.
#pragma once

#include <cstdint>

#include "Core/Group.h"
#include "Views/Rectangle.h"
#include "vgcolor.h"
#include "vgpoint.h"

namespace Curves {

class Segment;

class SmoothCurve : public Core::Group {
  VG_CLASS()

 public:
  static constexpr int32_t Capacity = 11;

  explicit SmoothCurve(XObject* link = nullptr);

  bool Linear = false;
  VgPoint points[Capacity]{};
  int32_t PointNum = 0;
  int32_t capacity = Capacity;
  VgColor Color{29, 94, 145, 255};
  // Slot i joins point i and point i + 1.
  VgPtrArray<Segment, Capacity> segments;
  // Work table of CalculateControlPoint.
  VgPoint midpoints[Capacity]{};
  // Per point its incoming [0] and outgoing [1] control point; filled for the
  // points between the first and the last.
  VgPoint controlPoints[Capacity][2]{};
  // Hidden; the group's first child.
  Views::Rectangle background{this};
  int32_t Thickness = 1;

  // Sets point index when it lies below PointNum.
  void SetPoint(int32_t index, int32_t x, int32_t y);
  // Stores the segment in its slot without adding it, taking the old one out
  // of the group when it is a child.
  void SetSegment(int32_t index, Segment* segment);
  void CalculateControlPoint(double smoothing);
  void CreateCurve(double smoothing, int32_t divisions);

  bool OnGetLinear() const { return Linear; }
  void OnSetLinear(bool value) { Linear = value; }
  int32_t OnGetPointNum() const { return PointNum; }
  void OnSetPointNum(int32_t value);
  VgColor OnGetColor() const { return Color; }
  void OnSetColor(VgColor value) { Color = value; }
  int32_t OnGetThickness() const { return Thickness; }
  void OnSetThickness(int32_t value) { Thickness = value; }

 private:
  // The segment of the class in the slot, reused or made anew, on top of the
  // group.
  template <class T>
  T* SegmentOf(int32_t index);
};

}  // namespace Curves
