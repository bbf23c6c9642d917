#include "Events/MiddlewareEvent.h"

VG_DEFINE_CLASS(Events, MiddlewareEvent, Core::Event)
