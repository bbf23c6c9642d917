#include "NonMenuSystem/AdjustmentBarQOR.h"

VG_DEFINE_CLASS(NonMenuSystem, AdjustmentBarQOR, ::NonMenuSystem::AdjustmentBar)

namespace NonMenuSystem {

AdjustmentBarQOR::AdjustmentBarQOR(XObject* link) : AdjustmentBar(link) { UseFrame(FramedWidth, FramedHeight); }

}  // namespace NonMenuSystem
