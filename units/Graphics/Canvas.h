// The drawing surface of views: a bitmap resource whose pixels are an
// off-screen engine bitmap made at run time. Every drawing operation takes the
// clip rectangle being redrawn and hands the work to the engine, converting
// GUI colours on the way. Nothing is drawn while the canvas has no pixels.
#pragma once

#include <cstdint>

#include "Resources/Bitmap.h"
#include "vgcolor.h"
#include "vgpoint.h"
#include "vgrect.h"
#include "vgstring.h"

namespace Resources {
class Font;
}

namespace Graphics {

class Buffer;

class Canvas : public Resources::Bitmap {
  VG_CLASS()

 public:
  explicit Canvas(XObject* link = nullptr);

  // Virtual operations, in slot order. A width or height below 1 leaves no
  // pixels (size 0 x 0).
  void OnSetSize(VgPoint size) override;
  // Replaces the pixels with new transparent ones of the size.
  virtual void Realloc(int32_t width, int32_t height);

  // Blend arguments: 1 blends over what is there, anything else copies.
  void DrawRectangle(VgRect clip, VgRect rect, VgColor colour, uint16_t blend);
  // The left and right strips take the full height, the top and bottom strips
  // fit between them.
  void DrawBorder(VgRect clip, VgRect rect, VgColor colour, int32_t width, uint16_t blend);
  void DrawLine(VgRect clip, VgPoint start, VgPoint end, VgColor colour, uint16_t blend);
  void DrawPixel(VgRect clip, VgPoint point, VgColor colour, uint16_t blend);
  // The whole bitmap (every frame of it), its top-left corner at the point.
  void DrawBitmap(VgRect clip, VgPoint point, Resources::Bitmap* bitmap, uint16_t blend, uint8_t opacity);
  void DrawBitmapFrame(VgRect clip, VgPoint point, Resources::Bitmap* bitmap, int32_t frame, uint16_t blend,
                       uint8_t opacity);
  // Tiles the source rectangle of the frame over the destination rectangle.
  void TileBitmapFrame(VgRect clip, VgRect rect, Resources::Bitmap* bitmap, int32_t frame, VgRect source,
                       uint16_t blend, uint8_t opacity);
  // The frame stretched or shrunk onto the destination rectangle.
  void ScaleBitmapFrame(VgRect clip, VgRect rect, Resources::Bitmap* bitmap, int32_t frame, uint16_t blend,
                        uint8_t opacity);
  void DrawBuffer(VgRect clip, VgPoint point, Buffer* buffer, uint16_t blend, uint8_t opacity);
  // Text with the pen starting at the point on the baseline.
  void DrawText(VgRect clip, VgPoint point, VgColor colour, Resources::Font* font, VgString string,
                uint16_t blend);
  // count characters from offset (0: to the end); a width other than 0
  // justifies the run to it.
  void DoDrawText(VgRect clip, VgPoint point, int32_t width, VgColor colour, Resources::Font* font,
                  VgString string, int32_t offset, int32_t count, uint16_t blend);
  // Shadow modes 1 to 3 first draw one, three or five copies in the shadow
  // colour, moved right and down; other modes draw the text alone.
  void DrawTextEx(VgRect clip, VgPoint point, int32_t width, VgColor colour, VgColor shadowColour,
                  int32_t shadowMode, Resources::Font* font, VgString string, int32_t offset,
                  int32_t count, uint16_t blend);

  // The engine's colour word: alpha << 24 | red << 16 | green << 8 | blue.
  static constexpr uint32_t EngineColor(VgColor c) {
    return static_cast<uint32_t>(c.alpha) << 24 | static_cast<uint32_t>(c.red) << 16 |
           static_cast<uint32_t>(c.green) << 8 | c.blue;
  }
};

}  // namespace Graphics
