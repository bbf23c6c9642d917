// Button::IconButton: a button with an icon centred over it; each look has
// its own icon.
#pragma once

#include <cstdint>

#include "Button/Button.h"
#include "Views/Image.h"

namespace Button {

class IconButton : public Button {
  VG_CLASS()

 public:
  explicit IconButton(XObject* link = nullptr);

  // Overridden slots.
  void Refresh(XObject* sender = nullptr) override;
  void RefreshCtrlState(int32_t look) override;

  // Slots of the icon button, in order.
  virtual void OnSetIcon(Resources::Bitmap* value);
  // Kept for descendants, which fade their captions with it.
  virtual void OnSetTextAlpha(uint8_t value);

  uint8_t OnGetTextAlpha() const { return TextAlpha; }
  Resources::Bitmap* OnGetIcon() const { return Icon; }
  Resources::Bitmap* OnGetDefault_Icon() const { return Default_Icon; }
  void OnSetDefault_Icon(Resources::Bitmap* value) { Default_Icon = value; }
  Resources::Bitmap* OnGetDisabled_Icon() const { return Disabled_Icon; }
  void OnSetDisabled_Icon(Resources::Bitmap* value) { Disabled_Icon = value; }
  Resources::Bitmap* OnGetNonfocused_Icon() const { return Nonfocused_Icon; }
  void OnSetNonfocused_Icon(Resources::Bitmap* value) { Nonfocused_Icon = value; }
  Resources::Bitmap* OnGetFocused_Icon() const { return Focused_Icon; }
  void OnSetFocused_Icon(Resources::Bitmap* value) { Focused_Icon = value; }

  uint8_t TextAlpha = 0;
  VgPtr<Resources::Bitmap> Default_Icon;
  VgPtr<Resources::Bitmap> Icon;
  VgPtr<Resources::Bitmap> Disabled_Icon;
  VgPtr<Resources::Bitmap> Nonfocused_Icon;
  VgPtr<Resources::Bitmap> Focused_Icon;
  // Takes its bitmap's size.
  Views::Image iconImage{this};
};

}  // namespace Button
