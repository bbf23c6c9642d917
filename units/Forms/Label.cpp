#include "Forms/Label.h"

VG_DEFINE_CLASS(Forms, Label, Core::Group)

namespace Forms {

Label::Label(XObject* link) : Core::Group(link) { Bounds = {0, 0, 100, 20}; }

}  // namespace Forms
