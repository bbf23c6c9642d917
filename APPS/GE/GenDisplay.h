// The display side of the engine. This configuration draws straight into
// DirectFB surfaces in ARGB and keeps no display context or colour table, so
// most of these calls only complete the interface that palette configurations
// of the engine need.
#pragma once

#include <cstdint>

#include "GenBitmap.h"

void GenInitDisplay();
void GenDoneDisplay();
void GenLoadClut();
void GenSetUserColor();
void GenFreeUserColor();
int32_t GenAllocUserColor();
int32_t GenFindUserColor();

// A compatibility check between two bitmaps; it never changes pixels.
void GenConvertDisplay(GenBitmap* destination, GenBitmap* source);
