#include "Events/XPM_EVENT_KEY.h"

VG_DEFINE_CLASS(Events, XPM_EVENT_KEY, Core::KeyEvent)
