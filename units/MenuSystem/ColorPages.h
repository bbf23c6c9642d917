// The colour pages below the picture settings: the base colour adjustment
// (hue, saturation and brightness of six colours, each edited on the
// non-menu system's base-colour bar) and the RGB filter (the red, green and
// blue channels switched on and off, at least one kept on, beside the colour
// and tint rows).
#pragma once

#include <cstdint>

#include "MenuSystem/MenuItems.h"
#include "MenuSystem/ThirdMenu.h"
#include "Views/Border.h"
#include "Views/Image.h"
#include "Views/Rectangle.h"
#include "Views/Text.h"

namespace MenuSystem {

// A colour's row: its swatch and name, then its three values in columns.
// RIGHT opens the colour's bar; its option is the colour's hue, saturation
// and brightness following at + 1 and + 2.
class BaseColorAdjustItem : public SubMenuItem {
  VG_CLASS()

 public:
  explicit BaseColorAdjustItem(XObject* link = nullptr);

  // Overridden slots.
  // The arrow shows on the focused row alone.
  void HandleFocus(bool focused) override;
  void Refresh(XObject* sender = nullptr) override;
  void OnSetBaseColor(VgColor value) override;

  // Shown with their sign: "+3", "0", "-4".
  void OnSetHueValue(int32_t value);
  int32_t OnGetHueValue() const { return HueValue; }
  void OnSetSaturationValue(int32_t value);
  int32_t OnGetSaturationValue() const { return SaturationValue; }
  void OnSetBrightValue(int32_t value);
  int32_t OnGetBrightValue() const { return BrightValue; }
  VgColor OnGetBaseColor() const { return BaseColor; }

  Views::Rectangle swatch{this};
  Views::Border swatchFrame{this};
  Views::Rectangle separator1{this};
  Views::Rectangle separator2{this};
  Views::Rectangle separator3{this};
  Views::Rectangle separator4{this};
  Views::Image arrow{this};
  Views::Text hueText{this};
  Views::Text saturationText{this};
  Views::Text brightText{this};
  int32_t HueValue = 0;
  int32_t SaturationValue = 1;
  int32_t BrightValue = -2;
  VgColor BaseColor;
};

class BaseColorAdjustmentMenu : public ThirdMenu {
  VG_CLASS()

 public:
  BaseColorAdjustmentMenu();

  // Overridden slots.
  // Keeps the full height for the column headings.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Refresh(XObject* sender = nullptr) override;

  Views::Text hueHeading{this};
  Views::Text saturationHeading{this};
  Views::Text brightnessHeading{this};
};

// A channel's row: a swatch beside a choice of off and on.
class RGBFilterOptionItem : public SubMenuItemValueSelect {
  VG_CLASS()

 public:
  explicit RGBFilterOptionItem(XObject* link = nullptr);

  // Overridden slots.
  void Refresh(XObject* sender = nullptr) override;
  void OnSetBaseColor(VgColor value) override;

  VgColor OnGetBaseColor() const { return BaseColor; }

  Views::Rectangle swatch{this};
  Views::Border swatchFrame{this};
  VgColor BaseColor;
};

// The colour and tint rows of the RGB filter page; they open their bars.
class RGBFilterSliderItem : public AdjustItemSlider {
  VG_CLASS()

 public:
  explicit RGBFilterSliderItem(XObject* link = nullptr) : AdjustItemSlider(link) {}
};

class RGBFilterMenu : public ThirdMenu {
  VG_CLASS()

 public:
  RGBFilterMenu();

  // Overridden slots.
  // Return lets every channel through again before the page leaves.
  XObject* HandleEvent(Core::Event* event) override;
  // Greys the last channel left on.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;

  // The channels' changed slot: while a single channel is on, its row is
  // greyed so that it cannot go off too; otherwise every channel row is free.
  void RefreshRGBFilter(XObject* sender = nullptr);

  // The channel rows switched off, counted afresh at each change.
  int32_t OffCount = 0;
};

}  // namespace MenuSystem
