// What the list-hosting dialogs share.
#pragma once

#include <cstdint>

#include "vgslot.h"

namespace Core {
class Group;
}

namespace NonMenuSystem {

class QORWidgetClass;

// Places the list under the dialog's caption and sizes the dialog round it,
// its top at the given row of the screen.
void FitAroundList(QORWidgetClass* dialog, Core::Group* list, int32_t top);

// A dialog's slot for a list's own signal, given only when the list has that
// signal (the plain list that stands in for one does not).
template <class List>
void WireValueChanged(List& list, VgSlot slot) {
  if constexpr (requires { list.OnSetOnValueChanged(slot); }) list.OnSetOnValueChanged(slot);
}
template <class List>
void WireUpdateBanner(List& list, VgSlot slot) {
  if constexpr (requires { list.OnSetOnUpdateBanner(slot); }) list.OnSetOnUpdateBanner(slot);
}

}  // namespace NonMenuSystem
