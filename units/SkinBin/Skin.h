// What the skinned widgets share: the named colours (the Colors unit) and the
// loading of their bitmaps and fonts by constant.
#pragma once

#include "Colors/Colors.h"
#include "Resources/Bitmap.h"
#include "Resources/Font.h"
#include "vgresmap.h"

