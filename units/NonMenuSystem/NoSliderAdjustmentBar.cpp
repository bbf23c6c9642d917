#include "NonMenuSystem/NoSliderAdjustmentBar.h"

VG_DEFINE_CLASS(NonMenuSystem, NoSliderAdjustmentBar, ::NonMenuSystem::AdjustmentBar)

namespace NonMenuSystem {

NoSliderAdjustmentBar::NoSliderAdjustmentBar(XObject* link) : AdjustmentBar(link) {
  row.OnSetSliderLook(AdjustmentRow::SliderLook::None);
}

}  // namespace NonMenuSystem
