#include "ListForm/ProgrammeRow.h"

#include "AppServices/Wrapper.h"
#include "ListForm/ListBase.h"
#include "ListForm/RecordTexts.h"
#include "ListForm/RowColumns.h"
#include "SkinBin/GuideData.h"
#include "SkinBin/RecordData.h"
#include "vgslot.h"

namespace ListForm {

namespace Texts = RecordTexts;

void ReadProgramme(ListCourier* courier, ProgrammeFields& fields, int32_t index, int32_t major, int32_t minor) {
  courier->Index = index;
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  SkinBin::EPGEventsInfo_DB* guide = model->OnGetEPGProgramList();
  if (!guide || guide->GetNumEvents() < 1) {
    SayNoInformation(courier, fields.Description);
    return;
  }
  if (Structures::EventInfo* event = guide->GetEvent(index))
    TakeProgramme(courier, fields, event, model->OnGetAntCableIn(), major, minor);
}

void TakeProgramme(ListCourier* courier, ProgrammeFields& fields, Structures::EventInfo* event, int32_t mapId,
                   int32_t major, int32_t minor) {
  fields.StartTime = event->StartTime;
  courier->Text = event->Title;
  // A programme of a guide list is its channel's at its start.
  VgString channel = VgConcatString(VgNewStringInt(mapId, 0),
                                    VgConcatString(VgNewStringAnsi(":"), VgNewStringInt(major, 0)));
  channel = VgConcatString(channel, VgConcatString(VgNewStringAnsi("-"), VgNewStringInt(minor, 0)));
  if (event->StartTime)
    courier->Key = VgConcatString(channel, VgConcatString(VgNewStringAnsi("@"),
                                                          VgNewStringInt(event->StartTime->GetTicks(), 0)));
  fields.Description = event->Description;
  fields.InfoFlag = event->Flag != 0;
  fields.Rating2 = event->Rating2;
  fields.Duration = event->Duration;
  fields.Rating = event->Rating1;
  ReadProgrammeTimer(fields, mapId, major, minor);
}

void ReadProgrammeTimer(ProgrammeFields& fields, int32_t mapId, int32_t major, int32_t minor) {
  fields.RecordType = 0;
  if (!fields.StartTime) return;
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  SkinBin::ScheduledRecordData* status =
      model->GetEPGProgramStatus(model->GetCurrentTunerId(), mapId, major, minor, fields.StartTime);
  if (!status) return;
  fields.TimerId = status->TimerId;
  fields.Active = status->Enabled != 0;
  fields.RecordType = status->Repetition;
}

// -------------------------------------------------------------------- row

ProgrammeRow::ProgrammeRow(XObject* link, VgRect bounds, bool date) : ListItem(link), showsDate(date) {
  OnSetBounds(bounds);
  // A title longer than its column runs to the column's edge and is cut
  // there, without an ellipsis, as the design's row caption is.
  caption.OnSetAutoSize(false);
  caption.OnSetClipMeant(true);
  OnSetTextAlignH(Views::Text::AlignLeft);
  StyleColumnText(dateText, "25.08");
  StyleColumnText(timeText, date ? "12:30" : "12:30AM");
  StyleColumnIcon(recordIcon);
  if (date) Add(&dateText, 0);
  Add(&timeText, 0);
  Add(&recordIcon, 0);
}

XObject* ProgrammeRow::SetData(XObject* data) {
  XObject* taken = ListItem::SetData(data);
  if (ProgrammeFields* programme = FieldsOf(data)) {
    const ProgrammeFields& fields = *programme;
    OnSetStartTime(fields.StartTime);
    Duration = fields.Duration;
    Description = fields.Description;
    Rating = fields.Rating;
    Rating2 = fields.Rating2;
    InfoFlag = fields.InfoFlag;
    TimerId = fields.TimerId;
    ProgrammeFields::Active = fields.Active;
    OnSetRecordType(fields.RecordType);
    return taken;
  }
  // No programme here: the date stays as it was.
  StartTime = nullptr;
  ShowNoInformation(this, timeText, Description);
  Rating = 0;
  Rating2 = 0;
  InfoFlag = false;
  OnSetRecordType(0);
  return taken;
}

// A programme without a start shows neither date nor time rather than those
// of the programme the row showed before.
void ProgrammeRow::OnSetStartTime(Structures::LocalTime* value) {
  StartTime = value;
  if (showsDate) dateText.OnSetString(Texts::MonthDay(value));
  timeText.OnSetString(Texts::ClockTime(value));
}

void ProgrammeRow::OnSetRecordType(int32_t value) {
  RecordType = value;
  Texts::ShowIcon(recordIcon, Texts::RepetitionIcon(value, ProgrammeFields::Active));
}

// ------------------------------------------------------------------ focus

void GuideFocus::TakeFocus(ListBase* list) {
  auto* row = dynamic_cast<ProgrammeRow*>(list->Focus.get());
  // A list without programmes keeps a focused row that shows none.
  if (!row || !list->DataSource || list->DataSource->Num < 1) return;
  FocusIndex = row->Index;
  FocusStartTime = row->StartTime;
  FocusTitle = row->Text;
  FocusDescription = row->Description;
  FocusDuration = row->Duration;
  FocusRating = row->Rating;
  FocusRating2 = row->Rating2;
  FocusInfoFlag = row->InfoFlag;
  VgSignal(OnProgramChanged, list);
}

}  // namespace ListForm
