// Placeholder until the string module lands.
#include "vgstring.h"
void VgRetainString(VgString* variable, VgString string) { *variable = string; }
void VgReleaseString(VgString* variable) { *variable = nullptr; }
void VgDisposeStrings(void) {}
void VgClearStringCache(void) {}
