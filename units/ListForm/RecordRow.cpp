#include "ListForm/RecordRow.h"

#include "Fonts/Fonts.h"
#include "ListForm/RecordTexts.h"
#include "ListForm/RowColumns.h"
#include "Resources/Font.h"
#include "Structures/TimerData.h"
#include "Wrapper/TimerRecord.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(ListForm, ScheduledRecordListCourier, ListForm::ListCourier)

namespace ListForm {

namespace Texts = RecordTexts;

void TakeTimer(RecordFields& record, TimerFields& fields, const Structures::TimerData& timer) {
  record.RecordDuration = timer.Values[::Wrapper::kTimerDuration];
  record.ChannelMajor = timer.Values[::Wrapper::kTimerMajor];
  record.ChannelMinor = timer.Values[::Wrapper::kTimerMinor];
  record.MapId = timer.Settings[::Wrapper::kTimerMapId];
  record.TunerId = timer.Values[::Wrapper::kTimerSource] != 0 ? 1 : 0;
  fields.Active = timer.Flag != 0;
  fields.TimesType = timer.Settings[::Wrapper::kTimerTimesType];
  fields.SourceType = timer.Settings[::Wrapper::kTimerSourceType];
  fields.StartEarly = timer.Extra[::Wrapper::kTimerStartEarly];
  fields.EndDelay = timer.Extra[::Wrapper::kTimerEndDelay];
}

RecordRow::RecordRow(XObject* link, int32_t width, DateForm form) : ListItem(link), dateForm(form) {
  OnSetBounds({0, 0, width, 27});
  Nonfocused_TextFont = VgLoad<Resources::Font>(Fonts::EPGListFont0);
  Focused_TextFont = VgLoad<Resources::Font>(Fonts::MediumFont);
  caption.OnSetAutoSize(false);
  caption.OnSetEllipsis(true);
  OnSetTextAlignH(Views::Text::AlignLeft);
  StyleColumnText(dateText, form == DateForm::WeekdayMonthDay ? "Wed, Dec 30" : "Dec 30");
  StyleColumnText(timeText, "12:30PM");
  StyleColumnText(channelText, "222-222");
  StyleColumnText(lengthText, "12:30");
  StyleColumnIcon(tunerIcon);
  if (form != DateForm::None) Add(&dateText, 0);
  Add(&timeText, 0);
  Add(&channelText, 0);
  Add(&lengthText, 0);
  Add(&tunerIcon, 0);
}

XObject* RecordRow::SetData(XObject* data) {
  XObject* taken = ListItem::SetData(data);
  if (RecordFields* record = RecordOf(data)) {
    static_cast<RecordFields&>(*this) = *record;
    TakeOwnFields(data);
    ShowRecord();
    return taken;
  }
  // No entry here: the row says so. The date stays as it was.
  RecordStartTime = nullptr;
  ShowNoInformation(this, timeText, Description);
  InfoFlag = false;
  Rating = 0;
  return taken;
}

void RecordRow::ShowRecord() {
  SetChannel(ChannelMajor, ChannelMinor);
  OnSetRecordStartTime(RecordStartTime);
  OnSetRecordDuration(RecordDuration);
  OnSetTunerId(TunerId);
  OnSetStatus(Status);
}

// An entry without a start shows neither date nor time rather than those of
// the entry the row showed before.
void RecordRow::OnSetRecordStartTime(Structures::LocalTime* value) {
  RecordStartTime = value;
  switch (dateForm) {
    case DateForm::MonthDay:
      dateText.OnSetString(Texts::MonthDay(value));
      break;
    case DateForm::WeekdayMonthDay:
      dateText.OnSetString(Texts::WeekdayMonthDay(value));
      break;
    case DateForm::None:
      break;
  }
  timeText.OnSetString(Texts::ClockTime(value));
}

void RecordRow::OnSetRecordDuration(int32_t value) {
  RecordDuration = value;
  lengthText.OnSetString(Texts::Length(value));
}

void RecordRow::OnSetTunerId(int32_t value) {
  TunerId = value;
  Texts::ShowIcon(tunerIcon, Texts::TunerIcon(value));
}

void RecordRow::OnSetStatus(int32_t value) {
  Status = value;
  ShowStatus();
}

void RecordRow::SetChannel(int32_t major, int32_t minor) {
  ChannelMajor = major;
  ChannelMinor = minor;
  channelText.OnSetString(Texts::ChannelNumber(major, minor));
}

// ------------------------------------------------------------ timer rows

TimerRow::TimerRow(XObject* link, int32_t width, DateForm form) : RecordRow(link, width, form) {
  StyleColumnIcon(repetitionIcon);
  checkBox.OnSetAlignV(1);
  Texts::ShowIcon(checkBox, Texts::CheckBoxIcon(false));
  Add(&repetitionIcon, 0);
  Add(&checkBox, 0);
}

RecordFields* TimerRow::RecordOf(XObject* data) {
  auto* courier = vg_cast<ScheduledRecordListCourier>(data);
  return courier ? static_cast<RecordFields*>(courier) : nullptr;
}

void TimerRow::TakeOwnFields(XObject* data) {
  static_cast<TimerFields&>(*this) = *static_cast<ScheduledRecordListCourier*>(data);
  SetTimerActive(TimerFields::Active);
  OnSetTimesType(TimesType);
}

XObject* TimerRow::GetData(XObject* data) {
  return CopyOut<ScheduledRecordListCourier, RecordFields, TimerFields>(this, data);
}

void TimerRow::SetTimerActive(bool value) {
  TimerFields::Active = value;
  Texts::ShowIcon(checkBox, Texts::CheckBoxIcon(value));
}

void TimerRow::OnSetTimesType(int32_t value) {
  TimesType = value;
  Texts::ShowIcon(repetitionIcon, Texts::RepetitionIcon(value));
}

}  // namespace ListForm
