#include "views_fixture.h"

VG_DEFINE_CLASS(ViewsTest, Strip, Graphics::Canvas)
