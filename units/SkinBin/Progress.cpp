#include "SkinBin/Progress.h"

#include "Bitmaps.h"
#include "SkinBin/Skin.h"

VG_DEFINE_CLASS(SkinBin, Progress, ::Progress::Progress)

namespace SkinBin {

namespace {

constexpr int32_t kInset = 4;

}  // namespace

Progress::Progress(XObject* link) : ::Progress::Progress(link) {
  OnSetBgFrameBitmap(VgLoad<Resources::Bitmap>(Bitmaps::SliderBgFrame));
  backgroundFrame.OnSetDrawUpperEdge(true);
  backgroundFrame.OnSetDrawRightEdge(true);
  backgroundFrame.OnSetDrawBottomEdge(true);
  backgroundFrame.OnSetDrawLeftEdge(true);
  OnSetIndicatorImageBitmap(VgLoad<Resources::Bitmap>(Bitmaps::SliderIndicator));
  indicatorImage.OnSetAutoSize(true);
  OnSetIndicatorTopLeft({kInset, kInset});
  OnSetIndicatorBottomRight({kInset, kInset});
  OnSetValue(50);
  for (Views::Rectangle* mark : {&markA, &markB}) {
    mark->OnSetVisible(false);
    mark->OnSetColor(Colors::Transparent);
    Add(mark, 0);
  }
}

}  // namespace SkinBin
