#include "Curves/Segment.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "Core/Group.h"
#include "Graphics/Canvas.h"
#include "Resources/Bitmap.h"
#include "vgtrace.h"

VG_DEFINE_CLASS(Curves, Segment, Core::View)

namespace Curves {

namespace {

// Truncation towards zero that stays defined for values past the int32 range
// (far points and the rounding of t near its ends).
int32_t Truncate(double v) {
  if (!(v > std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  if (!(v < std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(v);
}

// t brought into [0, 1] by whole steps; 1 stays 1, and so does any positive
// whole number.
double Wrap(double t) {
  if (!std::isfinite(t)) return 0;
  if (t > 1) t -= std::ceil(t - 1);
  if (t < 0) t += std::ceil(-t);
  return std::clamp(t, 0.0, 1.0);
}

Segment* LinkedSegment(Core::View* view) {
  auto* segment = vg_cast<Segment>(view);
  return segment && segment->IsLinked ? segment : nullptr;
}

}  // namespace

Segment::Segment(XObject* link) : Core::View(link) {}

VgPoint Segment::GetPointAt(double) { return {0, 0}; }

VgPoint BezierPoint(const VgPoint* p, int count, double t) {
  const double s = 1 - t;
  auto coordinate = [&](int32_t VgPoint::*axis) -> int32_t {
    const double a = p[0].*axis;
    const double b = p[1].*axis;
    if (count == 2) return Truncate(s * a + t * b);
    const double c = p[2].*axis;
    if (count == 3) return Truncate(s * s * a + 2 * s * t * b + t * t * c);
    const double d = p[3].*axis;
    return Truncate(s * s * s * a + 3 * s * s * t * b + 3 * s * t * t * c + t * t * t * d);
  };
  return {coordinate(&VgPoint::x), coordinate(&VgPoint::y)};
}

VgPoint Segment::PointAt(const VgPoint* points, int count, double t) {
  t = Wrap(t);
  if (IsLinked) {
    // The chain: the run of linked segments among the siblings that holds
    // this one. Each covers an equal part of the parameter range.
    Core::View* bottom = this;
    while (bottom->prevView && LinkedSegment(bottom->prevView)) bottom = bottom->prevView;
    int32_t n = 0;
    int32_t own = 0;
    for (Core::View* v = bottom; v && LinkedSegment(v); v = v->nextView) {
      if (v == this) own = n;
      ++n;
    }
    if (t >= 1) t = 0;
    Core::View* v = bottom;
    for (int32_t k = 0; k < n; ++k, v = v->nextView) {
      if (t > static_cast<double>(k + 1) / n) continue;
      if (k != own) return static_cast<Segment*>(v)->GetPointAt(t);
      t = t * n - k;
      break;
    }
  }
  if (IsInverted) t = 1 - t;
  if (t < 0) return points[0];
  if (t > 1) return points[count - 1];
  return BezierPoint(points, count, t);
}

int32_t Segment::GetDistance(VgPoint a, VgPoint b) {
  // Differences of int32 coordinates take 33 bits; their squares take 128.
  using Wide = unsigned __int128;
  const auto dx = static_cast<Wide>(std::abs(static_cast<int64_t>(b.x) - a.x));
  const auto dy = static_cast<Wide>(std::abs(static_cast<int64_t>(b.y) - a.y));
  const Wide squared = dx * dx + dy * dy;
  if (squared < 1) return 0;
  auto n = static_cast<uint64_t>(std::ceil(std::sqrt(static_cast<double>(squared))));
  while (n > 1 && static_cast<Wide>(n - 1) * (n - 1) >= squared) --n;
  while (static_cast<Wide>(n) * n < squared) ++n;
  return static_cast<int32_t>(std::min<uint64_t>(n, std::numeric_limits<int32_t>::max()));
}

double Segment::GetDeltaAt(double t) {
  const VgPoint a = GetPointAt(t);
  const VgPoint b = GetPointAt(t + 0.1);
  if (a.x == b.x) return 0;
  return (static_cast<double>(b.y) - a.y) / (static_cast<double>(b.x) - a.x);
}

int32_t Segment::GetLength() {
  // The parameter steps are i / n rather than a running sum, so that the last
  // point is reached exactly.
  int64_t length = 0;
  VgPoint previous = GetPointAt(0);
  for (int32_t i = 1; i <= NoOfDivisions; ++i) {
    const VgPoint next = GetPointAt(static_cast<double>(i) / NoOfDivisions);
    length += GetDistance(previous, next);
    previous = next;
  }
  return static_cast<int32_t>(std::min<int64_t>(length, std::numeric_limits<int32_t>::max()));
}

int32_t Segment::GetSpeedAt(double) { return 0; }

void Segment::DrawThickLine(Graphics::Canvas* canvas, VgRect clip, VgPoint from, VgPoint to, VgColor colour,
                            uint16_t blend) {
  // Only the lines that can meet the clip are drawn, so a huge thickness
  // costs no more than the clip's height.
  const int64_t top = std::min(from.y, to.y);
  const int64_t bottom = std::max(from.y, to.y);
  const int64_t first = std::max<int64_t>(0, clip.y1 - bottom);
  const int64_t last = std::min<int64_t>(Thickness, clip.y2 - top);
  for (int64_t k = first; k < last; ++k) {
    const auto dy = static_cast<int32_t>(k);
    canvas->DrawLine(clip, {from.x, from.y + dy}, {to.x, to.y + dy}, colour, blend);
  }
}

void Segment::UpdateSlot(XObject*) { VgPostSignal(OnUpdated); }

void Segment::PostUpdate() { VgPostSignal(VgSlotOf<&Segment::UpdateSlot>(this)); }

void Segment::OnSetColor(VgColor value) {
  if (value == Color) return;
  Color = value;
  InvalidateView();
}

void Segment::OnSetNoOfDivisions(int32_t value) {
  if (value <= 0) {
    VgTrace("%s", u"only positive values allowed!");
    return;
  }
  if (value == NoOfDivisions) return;
  NoOfDivisions = value;
  InvalidateView();
  PostUpdate();
}

void Segment::MovePoint(VgPoint* point, VgPoint now) {
  if (*point == now) return;
  const VgRect before = GetExtent();
  *point = now;
  InvalidateRect(VgUnionRect(before, GetExtent()), true);
  PostUpdate();
}

VgRect Segment::ExtentOf(const VgPoint* points, int count) {
  VgRect r{points[0].x, points[0].y, points[0].x, points[0].y};
  for (int i = 1; i < count; ++i) {
    r.x1 = std::min(r.x1, points[i].x);
    r.y1 = std::min(r.y1, points[i].y);
    r.x2 = std::max(r.x2, points[i].x);
    r.y2 = std::max(r.y2, points[i].y);
  }
  return VgInflateRect(r, {10, 10});
}

void Segment::DrawMarker(Graphics::Canvas* canvas, VgRect clip, Resources::Bitmap* bitmap, VgPoint point,
                         uint8_t opacity) {
  if (!bitmap) return;
  const VgPoint size = bitmap->OnGetSize();
  canvas->DrawBitmap(clip, {point.x - size.x / 2, point.y - size.y / 2}, bitmap, Mode, opacity);
}

void Segment::DrawCurve(Graphics::Canvas* canvas, VgRect clip, VgPoint offset, const VgPoint* points, int count) {
  VgPoint previous = VgMovePointPos(points[0], offset);
  for (int32_t i = 0; i < NoOfDivisions; ++i) {
    const VgPoint next = VgMovePointPos(BezierPoint(points, count, static_cast<double>(i) / NoOfDivisions), offset);
    DrawThickLine(canvas, clip, previous, next, Color, Mode);
    previous = next;
  }
  DrawThickLine(canvas, clip, previous, VgMovePointPos(points[count - 1], offset), Color, Mode);
}

}  // namespace Curves
