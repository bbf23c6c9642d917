#include "SkinBin/FocusFrame.h"

VG_DEFINE_CLASS(SkinBin, FocusFrame, Cursor::FocusFrame)

namespace SkinBin {

FocusFrame::FocusFrame(XObject* link) : Cursor::FocusFrame(link) { OnSetClientBounds({0, 0, 77, 77}); }

}  // namespace SkinBin
