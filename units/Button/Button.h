// Button::Button: the button as the screens draw it: a background frame or
// image, a background colour and a caption, all spanning the button. A
// background bitmap whose frame divides into nine equal cells stretches over
// the button as a frame; any other bitmap is drawn as an image.
#pragma once

#include <cstdint>

#include "Button/ButtonClass.h"
#include "Views/Frame.h"
#include "Views/Image.h"
#include "Views/Rectangle.h"
#include "Views/Text.h"

namespace Button {

class Button : public ButtonClass {
  VG_CLASS()

 public:
  explicit Button(XObject* link = nullptr);

  // Overridden slots.
  // Lays the button out again when its size changed.
  void OnSetBounds(VgRect rect) override;
  void Refresh(XObject* sender = nullptr) override;
  void OnSetText(VgString value) override;
  void OnSetTextFont(Resources::Font* value) override;
  void OnSetTextColor(VgColor value) override;
  void OnSetBackgroundColor(VgColor value) override;
  void OnSetBackgroundBitmap(Resources::Bitmap* value) override;
  void RefreshCtrlState(int32_t look) override;

  bool OnGetUseBgImageFrame() const { return UseBgImageFrame; }
  void OnSetUseBgImageFrame(bool value) { UseBgImageFrame = value; }
  uint16_t OnGetTextAlignH() const { return TextAlignH; }
  void OnSetTextAlignH(uint16_t value);
  int32_t OnGetTextGap() const { return TextGap; }
  void OnSetTextGap(int32_t value) { TextGap = value; }

  // Picks the frame of a multi-frame background by look: frame 0 focused,
  // 1 normal, 2 disabled, 3 default.
  bool UseBgImageFrame = false;
  uint16_t TextAlignH = Views::Text::AlignCentre;
  Views::Frame backgroundFrame{this};
  Views::Image backgroundImage{this};
  Views::Rectangle backgroundRect{this};
  Views::Text caption{this};
  // Left indent of a left-aligned caption.
  int32_t TextGap = 0;
};

}  // namespace Button
