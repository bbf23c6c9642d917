#include "Progress/Progress.h"

#include <algorithm>

#include "Resources/Bitmap.h"

VG_DEFINE_CLASS(Progress, Progress, ::Progress::ProgressClass)

namespace Progress {

namespace {

// The layout is written once, along the bar: a horizontal bar measures along
// x, a vertical one along y, with x and y exchanged everywhere.
struct Axis {
  bool vertical;

  int32_t Along(VgPoint p) const { return vertical ? p.y : p.x; }
  int32_t Across(VgPoint p) const { return vertical ? p.x : p.y; }
  int32_t Start(VgRect r) const { return vertical ? r.y1 : r.x1; }
  int32_t End(VgRect r) const { return vertical ? r.y2 : r.x2; }
  int32_t Length(VgRect r) const { return End(r) - Start(r); }
  int32_t Thickness(VgRect r) const { return vertical ? VgGetRectW(r) : VgGetRectH(r); }
  // A rectangle from its extent along the bar and across it.
  VgRect Make(int32_t start, int32_t across, int32_t length, int32_t thickness) const {
    return vertical ? VgRect{across, start, across + thickness, start + length}
                    : VgRect{start, across, start + length, across + thickness};
  }
};

int32_t Narrow(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// length x d / range, truncated, without overflowing on long ranges.
int32_t Share(int64_t length, int64_t d, int64_t range) { return Narrow(length * d / range); }

}  // namespace

Progress::Progress(XObject* link) : ProgressClass(link) {
  backgroundFrame.OnSetBounds({0, 0, 200, 20});
  backgroundImage.OnSetBounds({56, 0, 56, 0});
  indicatorFrame.OnSetBounds({20, 0, 170, 12});
  indicatorImage.OnSetBounds({46, 56, 94, 104});
  // The frames tile their interior over the whole view; descendants that
  // want a border switch its edges on.
  for (Views::Frame* frame : {&backgroundFrame, &indicatorFrame}) {
    frame->OnSetDrawUpperEdge(false);
    frame->OnSetDrawRightEdge(false);
    frame->OnSetDrawBottomEdge(false);
    frame->OnSetDrawLeftEdge(false);
  }
  Add(&backgroundFrame, 0);
  Add(&backgroundImage, 0);
  Add(&indicatorFrame, 0);
  Add(&indicatorImage, 0);
}

void Progress::OnSetBounds(VgRect rect) {
  const bool resized = VgGetRectW(rect) != VgGetRectW(Bounds) || VgGetRectH(rect) != VgGetRectH(Bounds);
  ProgressClass::OnSetBounds(rect);
  if (resized) PostRefresh();
}

void Progress::OnSetIndicatorFrameBitmap(Resources::Bitmap* value) {
  IndicatorFrameBitmap = value;
  indicatorFrame.OnSetBitmap(value);
}

void Progress::OnSetBgFrameBitmap(Resources::Bitmap* value) {
  BgFrameBitmap = value;
  backgroundFrame.OnSetBitmap(value);
}

void Progress::OnSetBgImageBitmap(Resources::Bitmap* value) {
  BgImageBitmap = value;
  backgroundImage.OnSetBitmap(value);
}

void Progress::OnSetIndicatorImageBitmap(Resources::Bitmap* value) {
  IndicatorImageBitmap = value;
  indicatorImage.OnSetBitmap(value);
}

void Progress::OnSetStretchIndicator(uint16_t value) {
  StretchIndicator = value;
  PostRefresh();
}

void Progress::OnSetPositionMode(uint16_t value) {
  PositionMode = value;
  PostRefresh();
}

void Progress::OnSetIndicatorTopLeft(VgPoint value) {
  IndicatorTopLeft = value;
  PostRefresh();
}

void Progress::OnSetIndicatorBottomRight(VgPoint value) {
  IndicatorBottomRight = value;
  PostRefresh();
}

void Progress::OnSetBackgroundImageTopLeft(VgPoint value) {
  BackgroundImageTopLeft = value;
  PostRefresh();
}

void Progress::OnSetBackgroundImageBottomRight(VgPoint value) {
  BackgroundImageBottomRight = value;
  PostRefresh();
}

// d is the distance of the value from the start of the bar (from Max for an
// inverse bar). A bar at its start (d of 0) shows an empty growing indicator
// and a one-step indicator flush with the track's start; an inverse bar is at
// its start at Max, so its indicator fills the track at Min.
void Progress::Refresh(XObject* sender) {
  ProgressClass::Refresh(sender);
  const int32_t w = VgGetRectW(Bounds);
  const int32_t h = VgGetRectH(Bounds);
  if (BgFrameBitmap) backgroundFrame.OnSetBounds({0, 0, w, h});
  if (BgImageBitmap)
    backgroundImage.OnSetBounds({BackgroundImageTopLeft.x, BackgroundImageTopLeft.y, w + BackgroundImageBottomRight.x,
                                 h + BackgroundImageBottomRight.y});

  if (Max == Min && Min < INT32_MAX) Max = Min + 1;
  // Only a minimum at the very top of the integers still gives an empty range.
  int64_t range = int64_t(Max) - Min;
  if (range == 0) range = 1;
  const int64_t d = Inverse ? int64_t(Max) - Value : int64_t(Value) - Min;
  const bool atStart = d <= 0;

  const Axis axis{PositionMode != Horizontal};
  const VgRect bar{0, 0, w, h};
  const int32_t length = axis.Length(bar);  // W for a horizontal bar
  const int32_t thickness = axis.Thickness(bar);  // H for a horizontal bar
  const int32_t lead = axis.Along(IndicatorTopLeft);
  const int32_t trail = axis.Along(IndicatorBottomRight);
  const int32_t across = axis.Across(IndicatorTopLeft);

  if (IndicatorFrameBitmap) {
    const int32_t cell = axis.Along(IndicatorFrameBitmap->OnGetFrameSize()) / 3;
    VgRect frame = axis.Make(lead, across, axis.Length(indicatorFrame.Bounds), thickness);
    const int32_t track = length - lead - trail - 2 * cell;
    switch (StretchIndicator) {
      case StretchNone:
        // A square thumb, as thick as the bar.
        frame = axis.Make(Share(int64_t(length) - trail - lead - thickness, d, range) + lead, across, thickness,
                          thickness);
        break;
      case StretchStep: {
        const int32_t start = Narrow(int64_t(2) * cell + lead + Share(track, d, range));
        frame = axis.Make(start, across, std::max(Narrow(track / range), 1), thickness);
        if (atStart) frame = axis.Make(lead, across, axis.End(frame) - lead, thickness);
        break;
      }
      case StretchGrow:
        frame = axis.Make(lead, across, atStart ? 0 : Narrow(int64_t(Share(track, d, range)) + 2 * cell), thickness);
        break;
      default:
        break;
    }
    indicatorFrame.OnSetBounds(frame);
    CurrentIndicatorPos = axis.End(frame) - cell;
    return;
  }

  if (IndicatorImageBitmap) {
    const int32_t track = length - lead - trail;
    VgRect image = indicatorImage.Bounds;
    const int32_t imageThickness = axis.Thickness(image);
    auto centredAt = [&](int32_t size) {
      return axis.Make(Narrow(int64_t(Share(track, d, range)) + lead - size / 2), across, size, imageThickness);
    };
    switch (StretchIndicator) {
      case StretchNone:
        image = centredAt(axis.Length(image));
        break;
      case StretchStep:
        image = centredAt(std::max(Narrow(track / range), 1));
        if (atStart) image = axis.Make(lead, across, axis.End(image) - lead, imageThickness);
        break;
      case StretchGrow:
        image = axis.Make(lead, across, atStart ? 0 : Share(track, d, range), imageThickness);
        break;
      default:
        break;
    }
    indicatorImage.OnSetBounds(image);
    CurrentIndicatorPos = axis.End(image);
    return;
  }

  CurrentIndicatorPos = std::clamp(Narrow(int64_t(Share(int64_t(length) - trail - lead, d, range)) + lead), 0, length);
}

}  // namespace Progress
