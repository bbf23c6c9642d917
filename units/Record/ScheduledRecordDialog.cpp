#include "Record/ScheduledRecordDialog.h"

#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(Record, ScheduledRecordDialog, NonMenuSystem::WidgetClass)

namespace Record {

ScheduledRecordDialog::ScheduledRecordDialog(XObject* link) : WidgetClass(link) {
  WinID = WinIDs::WIN_ID_ScheduledRecordDialog;
}

}  // namespace Record
