#include "SkinBin/CBFocusFrame.h"

#include "Bitmaps.h"
#include "SkinBin/Skin.h"

VG_DEFINE_CLASS(SkinBin, CBFocusFrame, Cursor::FocusFrame)

namespace SkinBin {

CBFocusFrame::CBFocusFrame(XObject* link) : Cursor::FocusFrame(link) {
  OnSetFrameBitmap(Skin::LoadBitmap(Bitmaps::ChBrowserCursor));
  OnSetBorderWidth(4);
  OnSetClientBounds({0, 0, 130, 40});
}

}  // namespace SkinBin
