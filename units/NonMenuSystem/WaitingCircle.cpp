#include "NonMenuSystem/WaitingCircle.h"

#include "Bitmaps.h"
#include "NonMenuSystem/Look.h"
#include "vgdebug.h"

VG_DEFINE_CLASS(NonMenuSystem, WaitingCircle, Views::Image)

namespace NonMenuSystem {

WaitingCircle::WaitingCircle(XObject* link) : Views::Image(link) {
  OnSetAutoSize(true);
  OnSetEndless(true);
  OnSetVisible(false);
}

void WaitingCircle::Start(int32_t kind) {
  if (kind != KindCircle) VgPrint("NonMenuSystem::WaitingCircle.Start: no circle of kind %d, showing the circle\n", kind);
  if (!Bitmap) {
    OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::WaitingCircle));
    const VgRect extent = GetExtent();
    OnSetBounds({Right - VgGetRectW(extent), Top, Right, Top + VgGetRectH(extent)});
  }
  OnSetVisible(true);
  OnSetAnimated(true);
}

void WaitingCircle::Stop() {
  OnSetAnimated(false);
  OnSetVisible(false);
}

}  // namespace NonMenuSystem
