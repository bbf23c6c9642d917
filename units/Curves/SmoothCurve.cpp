#include "Curves/SmoothCurve.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "Bitmaps.h"
#include "Curves/CubicBezier.h"
#include "Curves/LinearBezier.h"
#include "Curves/SquareBezier.h"
#include "Resources/Bitmap.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(Curves, SmoothCurve, Core::Group)

namespace Curves {

namespace {

int32_t Narrow(double v) {
  if (!(v > std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  if (!(v < std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(v);
}

// Halves truncate towards zero, as the integer division they stand for.
int64_t Half(int64_t v) { return v / 2; }

}  // namespace

SmoothCurve::SmoothCurve(XObject* link) : Core::Group(link) {
  Bounds = {0, 0, 300, 200};
  background.Visible = false;
  background.Color = {0, 0, 0, 255};
  background.Bounds = {0, 0, 300, 200};
  Add(&background, 0);
}

void SmoothCurve::SetPoint(int32_t index, int32_t x, int32_t y) {
  if (index < 0 || index >= PointNum) return;
  points[index] = {x, y};
}

void SmoothCurve::OnSetPointNum(int32_t value) { PointNum = std::clamp(value, 0, capacity); }

void SmoothCurve::SetSegment(int32_t index, Segment* segment) {
  if (index < 0 || index >= Capacity) return;
  Segment* old = segments[index];
  if (old && old->owner.get() == this) Remove(old);
  segments[index] = segment;
}

void SmoothCurve::CalculateControlPoint(double smoothing) {
  const int32_t n = std::min(PointNum, capacity);
  for (int32_t i = 0; i + 1 < n; ++i) {
    midpoints[i] = {static_cast<int32_t>(Half(static_cast<int64_t>(points[i].x) + points[i + 1].x)),
                    static_cast<int32_t>(Half(static_cast<int64_t>(points[i].y) + points[i + 1].y))};
  }
  // The incoming and outgoing control points of a point lie on the line
  // through it parallel to the line joining its two midpoints, so the curve
  // passes through it without a kink; the smoothing scales their distance.
  for (int32_t i = 1; i + 1 < n; ++i) {
    auto axis = [&](int32_t VgPoint::*a, VgPoint* in, VgPoint* out) {
      const int64_t p = points[i].*a;
      const int64_t before = midpoints[i - 1].*a;
      const int64_t after = midpoints[i].*a;
      const int64_t d = p - Half(before + after);
      in->*a = Narrow(static_cast<double>(p) + std::trunc(static_cast<double>(before + d - p) * smoothing));
      out->*a = Narrow(static_cast<double>(p) + std::trunc(static_cast<double>(after + d - p) * smoothing));
    };
    axis(&VgPoint::x, &controlPoints[i][0], &controlPoints[i][1]);
    axis(&VgPoint::y, &controlPoints[i][0], &controlPoints[i][1]);
  }
}

template <class T>
T* SmoothCurve::SegmentOf(int32_t index) {
  T* segment = vg_is_exactly<T>(segments[index]) ? static_cast<T*>(segments[index]) : nullptr;
  if (!segment) {
    segment = VgNew<T>();
    SetSegment(index, segment);
  }
  if (segment->owner.get() != this) Add(segment, 0);
  return segment;
}

void SmoothCurve::CreateCurve(double smoothing, int32_t divisions) {
  const int32_t n = PointNum;
  int32_t made = 0;
  if (!Linear) {
    CalculateControlPoint(smoothing);
    if (n >= 3) {
      for (int32_t i = 0; i + 1 < n; ++i) {
        Segment* segment;
        if (i == 0 || i == n - 2) {
          auto* square = SegmentOf<SquareBezier>(i);
          square->OnSetPoint1(points[i]);
          square->OnSetPoint2(i == 0 ? controlPoints[1][0] : controlPoints[i][1]);
          square->OnSetPoint3(points[i + 1]);
          segment = square;
        } else {
          auto* cubic = SegmentOf<CubicBezier>(i);
          cubic->OnSetPoint1(points[i]);
          cubic->OnSetPoint2(controlPoints[i][1]);
          cubic->OnSetPoint3(controlPoints[i + 1][0]);
          cubic->OnSetPoint4(points[i + 1]);
          segment = cubic;
        }
        segment->OnSetColor(Color);
        segment->OnSetNoOfDivisions(divisions);
        segment->OnSetThickness(Thickness);
      }
      made = n - 1;
    }
  } else {
    auto* marker = VgLoad<Resources::Bitmap>(Bitmaps::Point);
    for (int32_t i = 0; i + 1 < n; ++i) {
      auto* line = SegmentOf<LinearBezier>(i);
      line->OnSetPoint1(points[i]);
      line->OnSetPoint2(points[i + 1]);
      line->OnSetColor(Color);
      line->OnSetThickness(Thickness);
      line->OnSetEndPointBitmap(marker);
    }
    made = std::max(n - 1, 0);
  }
  // Every slot past the segments made is emptied, so that a smooth curve of
  // fewer than three points shows nothing of an earlier curve.
  for (int32_t i = made; i < Capacity; ++i) SetSegment(i, nullptr);
}

}  // namespace Curves
