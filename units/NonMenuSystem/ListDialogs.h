// What the list-hosting dialogs share.
#pragma once

#include <cstdint>

namespace Core {
class Group;
}

namespace NonMenuSystem {

class QORWidgetClass;

// Places the list under the dialog's caption and sizes the dialog round it,
// its top at the given row of the screen.
void FitAroundList(QORWidgetClass* dialog, Core::Group* list, int32_t top);

}  // namespace NonMenuSystem
