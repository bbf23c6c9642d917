#include "SkinBin/MenuEffect.h"

VG_DEFINE_CLASS(SkinBin, MenuEffect, Effects::RectEffect)

namespace SkinBin {

MenuEffect::MenuEffect(XObject* link) : Effects::RectEffect(link) {}

// The group's whole area, in its own coordinates.
void MenuEffect::RedrawGroup() {
  if (Group) Group->Invalidate({0, 0, VgGetRectW(Group->Bounds), VgGetRectH(Group->Bounds)});
}

void MenuEffect::Restart(int32_t begin, int32_t period) {
  Effects::RectEffect::Restart(begin, period);
  frame = 1;
}

bool MenuEffect::NextFrame(int32_t step) {
  const bool done = Effects::RectEffect::NextFrame(step);
  RedrawGroup();
  return done;
}

void MenuEffect::Finished() {
  RedrawGroup();
  Effects::RectEffect::Finished();
}

}  // namespace SkinBin
