#include "SkinBin/ModelInfo.h"

VG_DEFINE_CLASS(SkinBin, ModelInfo, XObject)
