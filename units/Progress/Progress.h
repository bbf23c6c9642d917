// Progress::Progress: the bar as the screens draw it: a background frame and
// a background image, and an indicator drawn as a nine-cell frame or as an
// image, laid out horizontally or vertically inside margins.
#pragma once

#include <cstdint>

#include "Progress/ProgressClass.h"
#include "Views/Frame.h"
#include "Views/Image.h"
#include "vgpoint.h"

namespace Progress {

class Progress : public ProgressClass {
  VG_CLASS()

 public:
  explicit Progress(XObject* link = nullptr);

  static constexpr uint16_t Horizontal = 1;  // any other position mode is vertical

  // Overridden slots.
  // Lays the bar out again when its size changed.
  void OnSetBounds(VgRect rect) override;
  void Refresh(XObject* sender = nullptr) override;
  // Each hands its bitmap to its view; the layout follows at the next refresh.
  void OnSetIndicatorFrameBitmap(Resources::Bitmap* value) override;
  void OnSetBgFrameBitmap(Resources::Bitmap* value) override;
  void OnSetStretchIndicator(uint16_t value) override;
  void OnSetBgImageBitmap(Resources::Bitmap* value) override;
  void OnSetIndicatorImageBitmap(Resources::Bitmap* value) override;

  bool OnGetInverse() const { return Inverse; }
  void OnSetInverse(bool value) { Inverse = value; }
  uint16_t OnGetPositionMode() const { return PositionMode; }
  void OnSetPositionMode(uint16_t value);
  VgPoint OnGetIndicatorTopLeft() const { return IndicatorTopLeft; }
  void OnSetIndicatorTopLeft(VgPoint value);
  VgPoint OnGetIndicatorBottomRight() const { return IndicatorBottomRight; }
  void OnSetIndicatorBottomRight(VgPoint value);
  VgPoint OnGetBackgroundImageTopLeft() const { return BackgroundImageTopLeft; }
  void OnSetBackgroundImageTopLeft(VgPoint value);
  VgPoint OnGetBackgroundImageBottomRight() const { return BackgroundImageBottomRight; }
  void OnSetBackgroundImageBottomRight(VgPoint value);

  // Measure from Max instead of Min.
  bool Inverse = false;
  uint16_t PositionMode = Horizontal;
  Views::Frame backgroundFrame{this};
  Views::Image backgroundImage{this};
  Views::Frame indicatorFrame{this};
  // The margins of the indicator's track: left and top, right and bottom.
  VgPoint IndicatorTopLeft{0, 0};
  VgPoint IndicatorBottomRight{0, 0};
  // The background image's top-left corner, and its bottom-right corner as
  // an offset from the bar's.
  VgPoint BackgroundImageTopLeft{0, 0};
  VgPoint BackgroundImageBottomRight{0, 0};
  Views::Image indicatorImage{this};
};

}  // namespace Progress
