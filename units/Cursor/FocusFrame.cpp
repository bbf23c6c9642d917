#include "Cursor/FocusFrame.h"

#include "Resources/Bitmap.h"
#include "vgslot.h"

VG_DEFINE_CLASS(Cursor, FocusFrameClass, Core::Group)
VG_DEFINE_CLASS(Cursor, FocusFrame, ::Cursor::FocusFrameClass)

namespace Cursor {

FocusFrameClass::FocusFrameClass(XObject* link) : Core::Group(link) {}

void FocusFrameClass::OnSetFrameBitmap(Resources::Bitmap* bitmap) { FrameBitmap = bitmap; }

void FocusFrameClass::OnSetClientBounds(VgRect rect) { ClientBounds = rect; }

void FocusFrameClass::Refresh(XObject*) {}

FocusFrame::FocusFrame(XObject* link) : FocusFrameClass(link) {
  // Only the border is drawn: the control it surrounds shows through.
  frame.OnSetDrawInterior(false);
  frame.OnSetBounds({10, 10, 110, 110});
  Add(&frame, 0);
}

void FocusFrame::OnSetFrameBitmap(Resources::Bitmap* bitmap) {
  FrameBitmap = bitmap;
  frame.OnSetBitmap(bitmap);
}

void FocusFrame::OnSetClientBounds(VgRect rect) {
  ClientBounds = rect;
  VgPostSignal(VgSlotOf<&FocusFrameClass::Refresh>(static_cast<FocusFrameClass*>(this)));
}

void FocusFrame::Refresh(XObject*) {
  const int32_t b = BorderWidth;
  const VgRect box{ClientBounds.x1 - b, ClientBounds.y1 - b, ClientBounds.x2 + b, ClientBounds.y2 + b};
  OnSetBounds(box);
  frame.OnSetBounds({0, 0, VgGetRectW(box), VgGetRectH(box)});
}

}  // namespace Cursor
