// Views::Frame: a bitmap frame cut into a 3 x 3 grid and stretched over the
// view: corners copied once, edges tiled along their sides, the interior tiled
// both ways. Each edge can be switched off; the parts next to it then extend
// over its place. It animates like Views::Image.
#pragma once

#include <cstdint>

#include "Core/View.h"
#include "vgslot.h"

struct GenBitmap;

namespace Core {
class Timer;
}
namespace Resources {
class Bitmap;
}

namespace Views {

class Frame : public Core::View {
  VG_CLASS()

 public:
  explicit Frame(XObject* link = nullptr);

  bool DrawInterior = true;
  bool DrawUpperEdge = true;
  bool DrawRightEdge = true;
  bool DrawBottomEdge = true;
  bool DrawLeftEdge = true;
  bool Animated = false;
  bool Endless = true;
  VgPtr<Core::Timer> animationTimer;
  int32_t animationFrame = 0;
  VgSlot OnFinished;
  int32_t Begin = 0;
  int32_t FrameNumber = 0;
  int32_t Opacity = 255;
  VgPtr<Resources::Bitmap> Bitmap;
  VgRect Bounds{0, 0, 0, 0};

  void Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) override;
  void MoveView(VgPoint offset) override;
  VgRect GetExtent() override;

  void OnSetDrawInterior(bool value);
  bool OnGetDrawInterior() const { return DrawInterior; }
  void OnSetDrawUpperEdge(bool value);
  bool OnGetDrawUpperEdge() const { return DrawUpperEdge; }
  void OnSetDrawRightEdge(bool value);
  bool OnGetDrawRightEdge() const { return DrawRightEdge; }
  void OnSetDrawBottomEdge(bool value);
  bool OnGetDrawBottomEdge() const { return DrawBottomEdge; }
  void OnSetDrawLeftEdge(bool value);
  bool OnGetDrawLeftEdge() const { return DrawLeftEdge; }
  void OnSetBitmap(Resources::Bitmap* value);
  Resources::Bitmap* OnGetBitmap() const { return Bitmap; }
  void OnSetAnimated(bool value);
  bool OnGetAnimated() const { return Animated; }
  void OnSetBegin(int32_t value);
  int32_t OnGetBegin() const { return Begin; }
  void OnSetEndless(bool value);
  bool OnGetEndless() const { return Endless; }
  void OnSetOnFinished(VgSlot value);
  VgSlot OnGetOnFinished() const { return OnFinished; }
  void OnSetFrameNumber(int32_t value);
  int32_t OnGetFrameNumber() const { return FrameNumber; }
  void OnSetOpacity(int32_t value);
  int32_t OnGetOpacity() const { return Opacity; }
  void OnSetBounds(VgRect value);
  VgRect OnGetBounds() const { return Bounds; }

  void Activate();
  void animationStep(XObject* sender);
  void bitmapChanged(XObject* sender);

 private:
  void SetFlag(bool& flag, bool value);
  int32_t CurrentFrame() const { return animationTimer ? animationFrame : FrameNumber; }
  void DrawCells(GenBitmap* target, VgRect clip, VgRect area, int32_t blend, int32_t opacity);
  GenBitmap* Picture(VgRect bounds);
  GenBitmap* PackPicture(int32_t width, int32_t height);
};

}  // namespace Views
