// A bitmap resource: the engine bitmap unpacked from a bitmap constant, shared
// by every view that shows the constant, with its size and animation frames.
#pragma once

#include <cstdint>

#include "Core/Resource.h"
#include "vgpoint.h"

struct GenBitmap;

namespace Resources {

class Bitmap : public Core::Resource {
  VG_CLASS()

 public:
  explicit Bitmap(XObject* link = nullptr);
  ~Bitmap() override;

  // Virtual operations, in slot order. A canvas makes Size writable.
  virtual void OnSetSize(VgPoint size);

  VgPoint OnGetSize() const { return Size; }
  VgPoint OnGetFrameSize() const { return FrameSize; }
  int32_t OnGetFrameDelay() const { return FrameDelay; }
  int32_t OnGetNoOfFrames() const { return NoOfFrames; }
  bool OnGetIsAnimated() const { return IsAnimated; }
  void OnSetFrameSize(VgPoint size);
  void OnSetFrameDelay(int32_t delay);
  void OnSetNoOfFrames(int32_t count);
  void OnSetIsAnimated(bool value);

  // The engine's pixels, null when there are none.
  GenBitmap* EngineBitmap() const { return bitmap; }
  // Pixels unpacked from a bitmap constant never change (a canvas's do), so
  // pictures made from them can be kept.
  bool FromConstant() const { return resource != nullptr; }

  // Set by the owner of a bitmap whose pixels change while it is shown (a
  // group's buffer canvas): views that show it observe it for changes.
  bool Mutable = false;

 protected:
  bool IsAnimated = false;
  GenBitmap* bitmap = nullptr;
  VgPoint Size{};
  VgPoint FrameSize{};
  int32_t FrameDelay = 0;
  int32_t NoOfFrames = 0;
};

}  // namespace Resources
