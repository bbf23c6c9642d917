#include "Core/Event.h"

VG_DEFINE_CLASS(Core, Event, XObject)
