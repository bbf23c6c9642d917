#include "Graphics/Canvas.h"

#include <algorithm>

#include "GenBitmap.h"
#include "GenFont.h"
#include "Graphics/Buffer.h"
#include "GraphicsEngine.h"
#include "Resources/Font.h"

VG_DEFINE_CLASS(Graphics, Canvas, Resources::Bitmap)

namespace Graphics {

namespace {

int32_t EngineBlend(uint16_t blend) { return blend == 1 ? 1 : 0; }

GenRect EngineRect(VgRect r) { return {r.x1, r.y1, r.x2, r.y2}; }

// Where the copies of each shadow mode go, drawn in this order before the text.
struct ShadowOffsets {
  int32_t count;
  VgPoint offsets[5];
};
constexpr ShadowOffsets kShadows[] = {
    {0, {}},
    {1, {{1, 1}}},
    {3, {{2, 0}, {0, 2}, {2, 2}}},
    {5, {{3, 0}, {0, 3}, {2, 1}, {1, 2}, {3, 3}}},
};

}  // namespace

Canvas::Canvas(XObject* link) : Resources::Bitmap(link) {}

void Canvas::OnSetSize(VgPoint size) {
  if (size.x < 1 || size.y < 1) size = {0, 0};
  if (size == Size) return;
  Size = FrameSize = size;
  Realloc(size.x, size.y);
}

void Canvas::Realloc(int32_t width, int32_t height) {
  if (bitmap) GenFreeBitmap(bitmap);
  bitmap = width > 0 && height > 0 ? GenCreateBitmap(width, height, GenColorFormatArgb8888) : nullptr;
}

void Canvas::DrawRectangle(VgRect clip, VgRect rect, VgColor colour, uint16_t blend) {
  if (!bitmap) return;
  const GenRect area = EngineRect(clip);
  GenFillRectangle(bitmap, &area, EngineColor(colour), rect.x1, rect.y1, rect.x2, rect.y2, EngineBlend(blend));
}

void Canvas::DrawBorder(VgRect clip, VgRect rect, VgColor colour, int32_t width, uint16_t blend) {
  if (!bitmap) return;
  const int32_t w = std::max(width, 0);
  const int32_t wx = std::min(w, rect.x2 - rect.x1);
  const int32_t wy = std::min(w, rect.y2 - rect.y1);
  DrawRectangle(clip, {rect.x1, rect.y1, rect.x1 + wx, rect.y2}, colour, blend);
  DrawRectangle(clip, {rect.x2 - wx, rect.y1, rect.x2, rect.y2}, colour, blend);
  DrawRectangle(clip, {rect.x1 + wx, rect.y1, rect.x2 - wx, rect.y1 + wy}, colour, blend);
  DrawRectangle(clip, {rect.x1 + wx, rect.y2 - wy, rect.x2 - wx, rect.y2}, colour, blend);
}

void Canvas::DrawLine(VgRect clip, VgPoint start, VgPoint end, VgColor colour, uint16_t blend) {
  if (!bitmap) return;
  const GenRect area = EngineRect(clip);
  GenDrawLine(bitmap, &area, EngineColor(colour), start.x, start.y, end.x, end.y, EngineBlend(blend));
}

void Canvas::DrawPixel(VgRect clip, VgPoint point, VgColor colour, uint16_t blend) {
  if (!bitmap) return;
  const GenRect area = EngineRect(clip);
  GenDrawPixel(bitmap, &area, EngineColor(colour), point.x, point.y, EngineBlend(blend));
}

void Canvas::DrawBitmap(VgRect clip, VgPoint point, Resources::Bitmap* source, uint16_t blend,
                        uint8_t opacity) {
  GenBitmap* pixels = source ? source->EngineBitmap() : nullptr;
  if (!bitmap || !pixels) return;
  const GenRect area = EngineRect(clip);
  GenCopyBitmap(bitmap, &area, pixels, point.x, point.y, 0, 0, pixels->width, pixels->height,
                EngineBlend(blend), opacity);
}

void Canvas::DrawBitmapFrame(VgRect clip, VgPoint point, Resources::Bitmap* source, int32_t frame,
                             uint16_t blend, uint8_t opacity) {
  GenBitmap* pixels = source ? source->EngineBitmap() : nullptr;
  if (!bitmap || !pixels) return;
  const GenRect area = EngineRect(clip);
  GenCopyBitmapFrame(bitmap, &area, pixels, frame, point.x, point.y, 0, 0, pixels->frameWidth,
                     pixels->frameHeight, EngineBlend(blend), opacity);
}

void Canvas::TileBitmapFrame(VgRect clip, VgRect rect, Resources::Bitmap* source, int32_t frame,
                             VgRect sourceRect, uint16_t blend, uint8_t opacity) {
  GenBitmap* pixels = source ? source->EngineBitmap() : nullptr;
  if (!bitmap || !pixels) return;
  const GenRect area = EngineRect(clip);
  GenTileBitmapFrame(bitmap, &area, pixels, frame, rect.x1, rect.y1, sourceRect.x1, sourceRect.y1,
                     rect.x2 - rect.x1, rect.y2 - rect.y1, sourceRect.x2 - sourceRect.x1,
                     sourceRect.y2 - sourceRect.y1, EngineBlend(blend), opacity);
}

void Canvas::ScaleBitmapFrame(VgRect clip, VgRect rect, Resources::Bitmap* source, int32_t frame, uint16_t blend,
                              uint8_t opacity) {
  GenBitmap* pixels = source ? source->EngineBitmap() : nullptr;
  if (!bitmap || !pixels || pixels->frameWidth <= 0) return;
  // Frames lie side by side, a row of them after another.
  const int32_t perRow = std::max(pixels->width / pixels->frameWidth, 1);
  const int32_t f = std::max(frame, 0);
  const int32_t sx = (f % perRow) * pixels->frameWidth;
  const int32_t sy = (f / perRow) * pixels->frameHeight;
  const GenRect area = EngineRect(clip);
  GenScaleBitmap(bitmap, &area, pixels, rect.x1, rect.y1, rect.x2 - rect.x1, rect.y2 - rect.y1, sx, sy,
                 pixels->frameWidth, pixels->frameHeight, EngineBlend(blend), opacity);
}

void Canvas::DrawBuffer(VgRect clip, VgPoint point, Buffer* buffer, uint16_t blend, uint8_t opacity) {
  GenIndex8Bitmap* pixels = buffer ? buffer->EngineBitmap() : nullptr;
  if (!bitmap || !pixels) return;
  const GenRect area = EngineRect(clip);
  GenCopyIndex8Bitmap(bitmap, &area, pixels, point.x, point.y, 0, 0, pixels->width, pixels->height,
                      EngineBlend(blend), opacity);
}

void Canvas::DrawText(VgRect clip, VgPoint point, VgColor colour, Resources::Font* font, VgString string,
                      uint16_t blend) {
  DoDrawText(clip, point, 0, colour, font, string, 0, 0, blend);
}

void Canvas::DoDrawText(VgRect clip, VgPoint point, int32_t width, VgColor colour, Resources::Font* font,
                        VgString string, int32_t offset, int32_t count, uint16_t blend) {
  GenFont* engineFont = font ? font->EngineFont() : nullptr;
  if (!bitmap || !engineFont || !string) return;
  const GenRect area = EngineRect(clip);
  if (width == 0)
    GenDrawText(bitmap, &area, point.x, point.y, engineFont, string, offset, count, EngineColor(colour),
                EngineBlend(blend));
  else
    GenDrawTextJustify(bitmap, &area, point.x, point.y, width, engineFont, string, offset, count,
                       EngineColor(colour), EngineBlend(blend));
}

void Canvas::DrawTextEx(VgRect clip, VgPoint point, int32_t width, VgColor colour, VgColor shadowColour,
                        int32_t shadowMode, Resources::Font* font, VgString string, int32_t offset,
                        int32_t count, uint16_t blend) {
  if (shadowMode >= 1 && shadowMode <= 3) {
    const ShadowOffsets& shadow = kShadows[shadowMode];
    for (int32_t i = 0; i < shadow.count; ++i)
      DoDrawText(clip, VgMovePointPos(point, shadow.offsets[i]), width, shadowColour, font, string, offset,
                 count, blend);
  }
  DoDrawText(clip, point, width, colour, font, string, offset, count, blend);
}

}  // namespace Graphics
