#include "NonMenuSystem/AdjustmentBarTint.h"

VG_DEFINE_CLASS(NonMenuSystem, AdjustmentBarTint, ::NonMenuSystem::AdjustmentBar)

namespace NonMenuSystem {

AdjustmentBarTint::AdjustmentBarTint(XObject* link) : AdjustmentBar(link) {
  row.OnSetValueLook(AdjustmentRow::ValueLook::Tint);
}

}  // namespace NonMenuSystem
