// Views::Image: one frame of a bitmap, aligned in the view's bounds. With an
// animated bitmap and Animated set it plays the bitmap's frames, once or over
// and over, signalling OnFinished after each run.
#pragma once

#include <cstdint>

#include "Core/View.h"
#include "vgslot.h"

namespace Core {
class Timer;
}
namespace Resources {
class Bitmap;
}

namespace Views {

class Image : public Core::View {
  VG_CLASS()

 public:
  explicit Image(XObject* link = nullptr);

  bool AutoSize = false;
  bool Endless = true;
  bool Animated = false;
  uint16_t AlignV = 0;  // top, middle, bottom
  uint16_t AlignH = 0;  // left, centre, right
  // Exists only while an animation runs.
  VgPtr<Core::Timer> animationTimer;
  // The frame shown while the animation runs.
  int32_t animationFrame = 0;
  VgSlot OnFinished;
  // Milliseconds before the first step of each run.
  int32_t Begin = 0;
  // The frame shown when no animation runs.
  int32_t FrameNumber = 0;
  int32_t Opacity = 255;
  VgPtr<Resources::Bitmap> Bitmap;
  VgRect Bounds{0, 0, 0, 0};

  void Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) override;
  void MoveView(VgPoint offset) override;
  VgRect GetExtent() override;
  virtual void OnSetFrameNumber(int32_t value);

  void OnSetBitmap(Resources::Bitmap* value);
  Resources::Bitmap* OnGetBitmap() const { return Bitmap; }
  void OnSetAutoSize(bool value);
  bool OnGetAutoSize() const { return AutoSize; }
  void OnSetAnimated(bool value);
  bool OnGetAnimated() const { return Animated; }
  void OnSetBegin(int32_t value);
  int32_t OnGetBegin() const { return Begin; }
  void OnSetEndless(bool value);
  bool OnGetEndless() const { return Endless; }
  void OnSetOnFinished(VgSlot value);
  VgSlot OnGetOnFinished() const { return OnFinished; }
  int32_t OnGetFrameNumber() const { return FrameNumber; }
  void OnSetOpacity(int32_t value);
  int32_t OnGetOpacity() const { return Opacity; }
  void OnSetAlignH(uint16_t value);
  uint16_t OnGetAlignH() const { return AlignH; }
  void OnSetAlignV(uint16_t value);
  uint16_t OnGetAlignV() const { return AlignV; }
  void OnSetBounds(VgRect value);
  VgRect OnGetBounds() const { return Bounds; }

  // Plays the animation again from its first frame.
  void Activate();
  // Places the view on the bitmap's frame size, keeping the alignment's anchor.
  void AdjustBounds();

  // The timer's trigger: the next frame, or the end of a run.
  void animationStep(XObject* sender);
  // Observer of a bitmap whose pixels change.
  void bitmapChanged(XObject* sender);
};

}  // namespace Views
