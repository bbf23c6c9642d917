// Curves::Segment: the base of the curve segments, a view drawn as a thick
// polyline with optional marker bitmaps. A segment may run inverted, or as a
// part of a chain of linked neighbouring segments that answer one parameter
// range together.
#pragma once

#include <cstdint>

#include "Core/View.h"
#include "vgcolor.h"
#include "vgpoint.h"
#include "vgslot.h"

namespace Resources {
class Bitmap;
}

namespace Curves {

class Segment : public Core::View {
  VG_CLASS()

 public:
  explicit Segment(XObject* link = nullptr);

  bool IsInverted = false;
  bool IsLinked = false;
  VgColor Color{0, 0, 0, 255};
  int32_t NoOfDivisions = 16;
  // Posted after any change of the segment's points or divisions.
  VgSlot OnUpdated;
  VgPtr<Resources::Bitmap> EndPointBitmap;
  VgPtr<Resources::Bitmap> ControlPointBitmap;
  // Kept for the application; drawing does not read it.
  int32_t Index = 0;
  int32_t Thickness = 1;

  // The point at the parameter t: the slot after those of Core::View. The
  // base has no points and answers (0, 0).
  virtual VgPoint GetPointAt(double t);

  // The ceiling of the distance between the points; 0 for the same point.
  int32_t GetDistance(VgPoint a, VgPoint b);
  // The slope between the points at t and t + 0.1; 0 when they share x.
  double GetDeltaAt(double t);
  // The length of the polyline through the points at t = 0, 1/n, ..., 1.
  int32_t GetLength();
  int32_t GetSpeedAt(double t);
  // Thickness one-pixel lines, each one pixel below the one before.
  void DrawThickLine(Graphics::Canvas* canvas, VgRect clip, VgPoint from, VgPoint to, VgColor colour,
                     uint16_t blend);
  // Posts OnUpdated; posted itself by the changes that move the segment.
  void UpdateSlot(XObject* sender);

  bool OnGetIsInverted() const { return IsInverted; }
  void OnSetIsInverted(bool value) { IsInverted = value; }
  bool OnGetIsLinked() const { return IsLinked; }
  void OnSetIsLinked(bool value) { IsLinked = value; }
  VgColor OnGetColor() const { return Color; }
  void OnSetColor(VgColor value);
  int32_t OnGetNoOfDivisions() const { return NoOfDivisions; }
  void OnSetNoOfDivisions(int32_t value);
  VgSlot OnGetOnUpdated() const { return OnUpdated; }
  void OnSetOnUpdated(VgSlot value) { OnUpdated = value; }
  Resources::Bitmap* OnGetEndPointBitmap() const { return EndPointBitmap; }
  void OnSetEndPointBitmap(Resources::Bitmap* value) { EndPointBitmap = value; }
  Resources::Bitmap* OnGetControlPointBitmap() const { return ControlPointBitmap; }
  void OnSetControlPointBitmap(Resources::Bitmap* value) { ControlPointBitmap = value; }
  int32_t OnGetIndex() const { return Index; }
  void OnSetIndex(int32_t value) { Index = value; }
  int32_t OnGetThickness() const { return Thickness; }
  void OnSetThickness(int32_t value) { Thickness = value; }

 protected:
  // GetPointAt for a segment with these points: t brought into [0, 1], handed
  // to the segment of the chain that covers it, inverted, then evaluated.
  VgPoint PointAt(const VgPoint* points, int count, double t);
  // A point changed from old to now: redraws what the segment covered before
  // and after, and posts UpdateSlot. Nothing when the point is unchanged.
  void MovePoint(VgPoint* point, VgPoint now);
  void PostUpdate();
  // The points' bounding rectangle grown by 10 on every side.
  static VgRect ExtentOf(const VgPoint* points, int count);
  // The marker centred on the point.
  void DrawMarker(Graphics::Canvas* canvas, VgRect clip, Resources::Bitmap* bitmap, VgPoint point,
                  uint8_t opacity);
  // The curve as NoOfDivisions straight pieces, evaluated by the class's own
  // formula (neither chained nor inverted).
  void DrawCurve(Graphics::Canvas* canvas, VgRect clip, VgPoint offset, const VgPoint* points, int count);
};

// The point of the Bezier curve through 2, 3 or 4 points at t in [0, 1], per
// coordinate in double precision and truncated towards zero.
VgPoint BezierPoint(const VgPoint* points, int count, double t);

}  // namespace Curves
