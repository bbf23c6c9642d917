#include "SkinBin/ProgressQOR.h"

#include "Bitmaps.h"
#include "SkinBin/Skin.h"

VG_DEFINE_CLASS(SkinBin, ProgressQOR, ::Progress::Progress)

namespace SkinBin {

namespace {

void DrawAllEdges(Views::Frame& frame) {
  frame.OnSetDrawUpperEdge(true);
  frame.OnSetDrawRightEdge(true);
  frame.OnSetDrawBottomEdge(true);
  frame.OnSetDrawLeftEdge(true);
}

}  // namespace

ProgressQOR::ProgressQOR(XObject* link) : ::Progress::Progress(link) {
  OnSetBounds({0, 0, 200, 12});
  OnSetValue(50);
  OnSetStretchIndicator(StretchGrow);
  OnSetBgFrameBitmap(VgLoad<Resources::Bitmap>(Bitmaps::SliderGroove));
  OnSetIndicatorFrameBitmap(VgLoad<Resources::Bitmap>(Bitmaps::SliderIndicatorRed));
  DrawAllEdges(backgroundFrame);
  backgroundFrame.OnSetBounds({0, 0, 186, 20});
  backgroundImage.OnSetVisible(false);
  backgroundImage.OnSetAlignH(1);
  backgroundImage.OnSetAlignV(1);
  backgroundImage.OnSetBounds({70, 50, 256, 70});
  DrawAllEdges(indicatorFrame);
  indicatorFrame.OnSetBounds({83, 3, 98, 15});
  indicatorImage.OnSetVisible(false);
  indicatorImage.OnSetAlignH(1);
  indicatorImage.OnSetAlignV(1);
  indicatorImage.OnSetAutoSize(true);
  for (Views::Rectangle* mark : {&markA, &markB}) {
    mark->OnSetVisible(false);
    mark->OnSetColor(Colors::Transparent);
    Add(mark, 0);
  }
  markA.OnSetBounds({50, 50, 250, 65});
  markB.OnSetBounds({110, 60, 220, 80});
}

void ProgressQOR::Refresh(XObject* sender) {
  ::Progress::Progress::Refresh(sender);
  const VgRect bar = indicatorFrame.Bounds;
  indicatorFrame.OnSetBounds({bar.x1, 0, bar.x2, VgGetRectH(Bounds)});
}

}  // namespace SkinBin
