// What a recording or guide list tells the screen around it of the focused
// entry: at every focus update the list copies the row's programme into these
// fields and signals OnProgramChanged, from which the screen fills its
// information panel. A list takes it on beside its list class and adds the
// fields of its own kind.
#pragma once

#include <cstdint>

#include "Structures/LocalTime.h"
#include "vgslot.h"
#include "vgstring.h"

namespace ListForm {

struct ProgramFocus {
  bool FocusInfoFlag = false;
  VgStr FocusTitle;
  VgPtr<Structures::LocalTime> FocusStartTime;
  VgStr FocusDescription;
  int32_t FocusRating = 0;
  // The focused row's entry in the data.
  int32_t FocusIndex = 0;
  VgSlot OnProgramChanged;

  VgSlot OnGetOnProgramChanged() const { return OnProgramChanged; }
  void OnSetOnProgramChanged(VgSlot slot) { OnProgramChanged = slot; }
};

}  // namespace ListForm
