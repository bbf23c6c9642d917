// Record::ScheduledRecordDialog: the screen of the scheduled recordings,
// which holds ListForm::ScheduledRecordList. So far it is what that list asks
// of it: a non-menu screen whose sub-system opens the timer dialogs and the
// messages of the list's OK key. The list finds it by this class's name.
#pragma once

#include "NonMenuSystem/WidgetClass.h"

namespace Record {

class ScheduledRecordDialog : public NonMenuSystem::WidgetClass {
  VG_CLASS()

 public:
  explicit ScheduledRecordDialog(XObject* link = nullptr);
};

}  // namespace Record
