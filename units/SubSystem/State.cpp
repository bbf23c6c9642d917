#include "SubSystem/State.h"

VG_DEFINE_CLASS(SubSystem, State, XObject)
