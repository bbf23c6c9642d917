// SkinBin::ScrollBar: the skin's vertical scroll bar: a track with an arrow
// at each end and a tracker that shows where the page stands in the content.
#pragma once

#include <cstdint>

#include "Forms/ScrollBar.h"
#include "Views/Image.h"

namespace SkinBin {

class ScrollBar : public Forms::ScrollBar {
  VG_CLASS()

 public:
  explicit ScrollBar(XObject* link = nullptr);

  // Overridden slots.
  // Keeps the down arrow at the bottom of a bar of another height.
  void OnSetBounds(VgRect rect) override;
  // Places the tracker along the track between the arrows.
  void ArrangeTracker(int32_t position, int32_t page, int32_t content) override;

  Views::Image background{this};
  Views::Image upArrow{this};
  Views::Image downArrow{this};
  Views::Image tracker{this};
};

}  // namespace SkinBin
