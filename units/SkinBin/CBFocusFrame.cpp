#include "SkinBin/CBFocusFrame.h"

#include "Bitmaps.h"
#include "SkinBin/Skin.h"

VG_DEFINE_CLASS(SkinBin, CBFocusFrame, Cursor::FocusFrame)

namespace SkinBin {

CBFocusFrame::CBFocusFrame(XObject* link) : Cursor::FocusFrame(link) {
  OnSetFrameBitmap(VgLoad<Resources::Bitmap>(Bitmaps::ChBrowserCursor));
  OnSetBorderWidth(4);
  OnSetClientBounds({0, 0, 130, 40});
}

}  // namespace SkinBin
