// SkinBin::CheckBoxWithCaption: the skin's check box with its caption to the
// right of the box, as the settings lists show a choice that is on or off.
#pragma once

#include <cstdint>

#include "SkinBin/CheckBoxButton.h"

namespace SkinBin {

class CheckBoxWithCaption : public CheckBoxButton {
  VG_CLASS()

 public:
  explicit CheckBoxWithCaption(XObject* link = nullptr);

  // Overridden slots.
  // The box keeps its 27 x 27 frame at the left; the caption follows it.
  void Refresh(XObject* sender = nullptr) override;
  // A disabled box keeps its disabled caption colour while it has the focus.
  void RefreshCtrlState(int32_t look) override;

  // Gap between the box and its caption.
  static constexpr int32_t CaptionGap = 6;
  static constexpr int32_t IconLeft = 5;
};

}  // namespace SkinBin
