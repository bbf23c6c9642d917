// The focus frame: a frame bitmap drawn around a client rectangle, grown by a
// border width on every side. Cursor::FocusFrameClass holds the properties,
// Cursor::FocusFrame draws them with one Views::Frame.
#pragma once

#include <cstdint>

#include "Core/Group.h"
#include "Resources/Bitmap.h"
#include "Views/Frame.h"
#include "vgrect.h"

namespace Cursor {

class FocusFrameClass : public Core::Group {
  VG_CLASS()

 public:
  explicit FocusFrameClass(XObject* link = nullptr);

  // Slots of the frame, in order. The abstract class only stores.
  virtual void OnSetFrameBitmap(Resources::Bitmap* bitmap);
  virtual void OnSetClientBounds(VgRect rect);
  virtual void Refresh(XObject* sender = nullptr);

  Resources::Bitmap* OnGetFrameBitmap() const { return FrameBitmap; }
  VgRect OnGetClientBounds() const { return ClientBounds; }
  int32_t OnGetBorderWidth() const { return BorderWidth; }
  // Takes effect at the next refresh.
  void OnSetBorderWidth(int32_t value) { BorderWidth = value; }

  VgPtr<Resources::Bitmap> FrameBitmap;
  int32_t BorderWidth = 0;
  VgRect ClientBounds{0, 0, 0, 0};
};

class FocusFrame : public FocusFrameClass {
  VG_CLASS()

 public:
  explicit FocusFrame(XObject* link = nullptr);

  void OnSetFrameBitmap(Resources::Bitmap* bitmap) override;
  // Posts the refresh, so that a control moving through several rectangles
  // in one event is framed once, around the last of them.
  void OnSetClientBounds(VgRect rect) override;
  void Refresh(XObject* sender = nullptr) override;

  Views::Frame frame{this};
};

}  // namespace Cursor
