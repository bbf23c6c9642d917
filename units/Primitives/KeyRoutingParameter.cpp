#include "Primitives/KeyRoutingParameter.h"

VG_DEFINE_CLASS(Primitives, KeyRoutingParameter, XObject)
