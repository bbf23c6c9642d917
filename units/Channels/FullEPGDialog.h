// Channels::FullEPGDialog: the full-screen programme guide. Here only what
// the recording timer dialogs read of it: the title and subtitle of the
// programme under the guide's cursor, which the guide keeps as it moves; and
// what its programme column (ListForm::EPGProgramList, which finds it by
// name two owners up) asks of it: being a non-menu screen whose sub-system
// shows the waiting circle and opens the timer dialog and the messages.
#pragma once

#include "NonMenuSystem/QORWidgetClass.h"
#include "vgstring.h"

namespace Channels {

class FullEPGDialog : public NonMenuSystem::QORWidgetClass {
  VG_CLASS()

 public:
  explicit FullEPGDialog(XObject* link = nullptr);

  VgString GetFocusedProgramTitle() const { return FocusedProgramTitle; }
  VgString GetFocusedProgramSubtitle() const { return FocusedProgramSubtitle; }
  void OnSetFocusedProgram(VgString title, VgString subtitle);

  VgStr FocusedProgramTitle;
  VgStr FocusedProgramSubtitle;
};

}  // namespace Channels
