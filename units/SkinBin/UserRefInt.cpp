#include "SkinBin/UserRefInt.h"

VG_DEFINE_CLASS(SkinBin, UserRefInt, XObject)
