#include "Views/Frame.h"

#include <algorithm>

#include "Core/Timer.h"
#include "GenFrameCache.h"
#include "GraphicsEngine.h"
#include "Graphics/Canvas.h"
#include "Resources/Bitmap.h"
#include "Views/Animation.h"

VG_DEFINE_CLASS(Views, Frame, Core::View)

namespace Views {

namespace Anim = AnimationDetail;

Frame::Frame(XObject* link) : Core::View(link) { layoutSet = 6; }

VgRect Frame::GetExtent() { return Bounds; }

void Frame::MoveView(VgPoint offset) { OnSetBounds(VgMoveRectPos(Bounds, offset)); }

void Frame::OnSetBounds(VgRect value) {
  if (value == Bounds) return;
  const VgRect old = Bounds;
  Bounds = value;
  InvalidateRect(VgUnionRect(old, value), true);
}

void Frame::SetFlag(bool& flag, bool value) {
  if (flag == value) return;
  flag = value;
  InvalidateView();
}

void Frame::OnSetDrawInterior(bool value) { SetFlag(DrawInterior, value); }
void Frame::OnSetDrawUpperEdge(bool value) { SetFlag(DrawUpperEdge, value); }
void Frame::OnSetDrawRightEdge(bool value) { SetFlag(DrawRightEdge, value); }
void Frame::OnSetDrawBottomEdge(bool value) { SetFlag(DrawBottomEdge, value); }
void Frame::OnSetDrawLeftEdge(bool value) { SetFlag(DrawLeftEdge, value); }

void Frame::OnSetBitmap(Resources::Bitmap* value) {
  if (Bitmap.get() == value) return;
  Anim::ReplaceBitmap<Frame, &Frame::bitmapChanged>(this, value);
  Anim::Restart<Frame, &Frame::animationStep>(this);
  InvalidateView();
}

void Frame::OnSetAnimated(bool value) { Anim::SetAnimated<Frame, &Frame::animationStep>(this, value); }

void Frame::OnSetBegin(int32_t value) {
  if (Begin == value) return;
  Begin = value;
  Anim::Restart<Frame, &Frame::animationStep>(this);
}

void Frame::OnSetEndless(bool value) { Endless = value; }

void Frame::OnSetOnFinished(VgSlot value) { OnFinished = value; }

void Frame::Activate() {
  if (Animated) OnSetAnimated(false);
  OnSetAnimated(true);
}

void Frame::OnSetFrameNumber(int32_t value) {
  if (value < 0) value = 0;
  if (FrameNumber == value) return;
  FrameNumber = value;
  InvalidateView();
}

void Frame::OnSetOpacity(int32_t value) {
  if (value < 0) value = 0;
  if (value > 255) value = 255;
  if (Opacity == value) return;
  Opacity = value;
  InvalidateView();
}

void Frame::animationStep(XObject*) { Anim::Advance<Frame, &Frame::animationStep>(this); }

void Frame::bitmapChanged(XObject*) {
  Anim::Restart<Frame, &Frame::animationStep>(this);
  InvalidateView();
}

namespace {

// The language the kept frame pictures were drawn in: artwork may differ by
// language, so a change of language starts the cache afresh.
int32_t g_pictureLanguage = 0;

GenRect EngineRect(VgRect r) { return {r.x1, r.y1, r.x2, r.y2}; }

}  // namespace

// The nine cells over the rectangle a, cut to the clip.
void Frame::DrawCells(GenBitmap* target, VgRect clip, VgRect a, int32_t blend, int32_t opacity) {
  GenBitmap* source = Bitmap->EngineBitmap();
  const VgPoint frameSize = Bitmap->OnGetFrameSize();
  const int32_t cw = frameSize.x / 3;
  const int32_t ch = frameSize.y / 3;
  const int32_t frame = CurrentFrame();

  // A switched-off edge is pushed out of the view, so the parts beside it
  // reach the view's border; the clip keeps the edge itself from showing.
  if (!DrawLeftEdge) a.x1 -= cw;
  if (!DrawUpperEdge) a.y1 -= ch;
  if (!DrawRightEdge) a.x2 += cw;
  if (!DrawBottomEdge) a.y2 += ch;

  // A corner is the whole frame placed so that the cell lands on its target,
  // cut to that target.
  auto corner = [&](VgRect target_, int32_t column, int32_t row) {
    const VgRect part = VgIntersectRect(clip, target_);
    if (VgIsRectEmpty(part)) return;
    const GenRect area = EngineRect(part);
    GenCopyBitmapFrame(target, &area, source, frame, target_.x1 - column * cw, target_.y1 - row * ch, 0, 0,
                       source->frameWidth, source->frameHeight, blend, opacity);
  };
  auto tile = [&](VgRect target_, int32_t column, int32_t row) {
    if (VgIsRectEmpty(VgIntersectRect(clip, target_))) return;
    const GenRect area = EngineRect(clip);
    GenTileBitmapFrame(target, &area, source, frame, target_.x1, target_.y1, column * cw, row * ch,
                       target_.x2 - target_.x1, target_.y2 - target_.y1, cw, ch, blend, opacity);
  };

  if (DrawUpperEdge || DrawLeftEdge) corner({a.x1, a.y1, a.x1 + cw, a.y1 + ch}, 0, 0);
  if (DrawUpperEdge) tile({a.x1 + cw, a.y1, a.x2 - cw, a.y1 + ch}, 1, 0);
  if (DrawUpperEdge || DrawRightEdge) corner({a.x2 - cw, a.y1, a.x2, a.y1 + ch}, 2, 0);
  if (DrawRightEdge) tile({a.x2 - cw, a.y1 + ch, a.x2, a.y2 - ch}, 2, 1);
  if (DrawInterior) tile({a.x1 + cw, a.y1 + ch, a.x2 - cw, a.y2 - ch}, 1, 1);
  if (DrawLeftEdge) tile({a.x1, a.y1 + ch, a.x1 + cw, a.y2 - ch}, 0, 1);
  if (DrawBottomEdge || DrawLeftEdge) corner({a.x1, a.y2 - ch, a.x1 + cw, a.y2}, 0, 2);
  if (DrawBottomEdge) tile({a.x1 + cw, a.y2 - ch, a.x2 - cw, a.y2}, 1, 2);
  if (DrawBottomEdge || DrawRightEdge) corner({a.x2 - cw, a.y2 - ch, a.x2, a.y2}, 2, 2);
}

// The frame's picture as row runs, drawn a band of rows at a time so that
// no surface of the whole picture is ever made; null when its runs would take
// more than the cache keeps. The band is the engine's, kept for the next
// frame packed. Below the upper edge the cells are tiled down to the
// bottom edge, so that a row there is the row a cell's height above it: only
// the first cell's height of them is drawn, and the rest share those rows'
// runs.
GenBitmap* Frame::PackPicture(int32_t width, int32_t height) {
  constexpr int32_t kBandRows = 16;
  GenBitmap* band = GenTakeDrawingBand(width, kBandRows);
  if (!band) return nullptr;
  const ptrdiff_t stride = band->width + band->padding;
  const int32_t ch = Bitmap->OnGetFrameSize().y / 3;
  const int32_t repeatFrom = (DrawUpperEdge ? ch : 0) + ch;
  const int32_t repeatTo = DrawBottomEdge ? height - ch : height;
  GenRowRunPacker packer(width, height, GenFrameCacheLimit());
  bool packing = true;
  for (int32_t top = 0; top < height && packing;) {
    if (top >= repeatFrom && top < repeatTo) {
      packing = packer.AddRowLike(top - ch);
      ++top;
      continue;
    }
    const int32_t rows = std::min({kBandRows, height - top, top < repeatFrom ? repeatFrom - top : kBandRows});
    const GenRect inBand{0, 0, width, rows};
    GenFillRectangle(band, &inBand, 0, 0, 0, width, rows, 0);
    DrawCells(band, {0, 0, width, rows}, {0, -top, width, height - top}, 0, 255);
    auto* memory = static_cast<const GenColor*>(GenLockMemory(band->surface));
    if (!memory) break;
    for (int32_t row = 0; row < rows && packing; ++row) packing = packer.AddRow(memory + row * stride);
    GenUnlockMemory(band->surface);
    top += rows;
  }
  GenGiveDrawingBand(band);
  return packer.Finish();
}

// The frame's picture at the view's size, drawn once and then kept, or null
// where the frame is drawn cell by cell: pixels that may change, cells that
// overlap (each pixel must be written exactly once for a blended copy of the
// picture to equal the cells' own), or a picture too large to keep.
GenBitmap* Frame::Picture(VgRect bounds) {
  if (!Bitmap->FromConstant()) return nullptr;
  const VgPoint frameSize = Bitmap->OnGetFrameSize();
  const int32_t cw = frameSize.x / 3;
  const int32_t ch = frameSize.y / 3;
  const int32_t width = bounds.x2 - bounds.x1;
  const int32_t height = bounds.y2 - bounds.y1;
  if (cw < 1 || ch < 1) return nullptr;
  if (width + (DrawLeftEdge ? 0 : cw) + (DrawRightEdge ? 0 : cw) < 2 * cw) return nullptr;
  if (height + (DrawUpperEdge ? 0 : ch) + (DrawBottomEdge ? 0 : ch) < 2 * ch) return nullptr;
  if (VgGetLanguage() != g_pictureLanguage) {
    GenFrameCacheClear();
    g_pictureLanguage = VgGetLanguage();
  }
  const uint32_t edges = uint32_t(DrawInterior) | uint32_t(DrawUpperEdge) << 1 | uint32_t(DrawRightEdge) << 2 |
                         uint32_t(DrawBottomEdge) << 3 | uint32_t(DrawLeftEdge) << 4;
  const GenFrameKey key{Bitmap->EngineBitmap(), CurrentFrame(), width, height, edges};
  if (GenBitmap* kept = GenFrameCacheFind(key)) return kept;
  if (GenFrameCacheRefused(key)) return nullptr;
  return GenFrameCacheKeep(key, PackPicture(width, height));
}

void Frame::Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) {
  GenBitmap* target = canvas ? canvas->EngineBitmap() : nullptr;
  if (!Bitmap || !Bitmap->EngineBitmap() || !target) return;
  const int32_t blend = Mode == ModeBlend ? 1 : 0;
  if (blend && Opacity <= 0) return;
  const VgRect bounds = VgMoveRectPos(Bounds, offset);
  clip = VgIntersectRect(clip, bounds);
  if (VgIsRectEmpty(clip)) return;
  GenBitmap* picture = Picture(bounds);
  if (!picture) {
    DrawCells(target, clip, bounds, blend, Opacity);
    return;
  }
  // Without its interior the frame leaves the middle alone: the picture is
  // copied around the hole.
  VgRect hole{0, 0, 0, 0};
  if (!DrawInterior) {
    const VgPoint frameSize = Bitmap->OnGetFrameSize();
    const int32_t cw = frameSize.x / 3;
    const int32_t ch = frameSize.y / 3;
    hole = {DrawLeftEdge ? bounds.x1 + cw : bounds.x1, DrawUpperEdge ? bounds.y1 + ch : bounds.y1,
            DrawRightEdge ? bounds.x2 - cw : bounds.x2, DrawBottomEdge ? bounds.y2 - ch : bounds.y2};
    hole = VgIntersectRect(hole, clip);
  }
  auto copy = [&](VgRect part) {
    if (VgIsRectEmpty(part)) return;
    const GenRect area = EngineRect(part);
    GenCopyBitmap(target, &area, picture, bounds.x1, bounds.y1, 0, 0, picture->width, picture->height, blend,
                  Opacity);
  };
  if (VgIsRectEmpty(hole)) {
    copy(clip);
    return;
  }
  copy({clip.x1, clip.y1, clip.x2, hole.y1});
  copy({clip.x1, hole.y2, clip.x2, clip.y2});
  copy({clip.x1, hole.y1, hole.x1, hole.y2});
  copy({hole.x2, hole.y1, clip.x2, hole.y2});
}

}  // namespace Views
