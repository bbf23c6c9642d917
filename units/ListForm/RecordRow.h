// The rows of the recording lists (recorded shows, scheduled recordings,
// timers in conflict) and what their couriers carry. A courier and its row
// share the fields below, so a row takes its courier's values at once and
// hands them back the same way; the setters show what a field drives.
#pragma once

#include <cstdint>

#include "ListForm/ListItem.h"
#include "Structures/LocalTime.h"
#include "Views/Image.h"
#include "Views/Text.h"

namespace Structures {
class TimerData;
}

namespace ListForm {

// A recording or a timer: the programme, when and how long it records, on
// which channel and tuner, and its record state.
struct RecordFields {
  bool InfoFlag = false;
  VgPtr<Structures::LocalTime> RecordStartTime;  // drives the date and time texts
  int32_t RecordDuration = 0;                    // seconds; drives the length text
  VgStr Description;
  int32_t Rating = 0;
  int32_t ChannelMajor = 0;
  int32_t ChannelMinor = 0;
  VgPtr<Structures::LocalTime> EventStartTime;  // the programme's start
  int32_t InfoValue = 0;
  int32_t TunerId = 0;  // 0 the first tuner
  int32_t MapId = 0;    // 1 cable
  VgStr Title;
  int32_t Status = 0;  // Constants::XPM_RECORD_STATUS_*
};

// What a timer adds: whether it is on, how it repeats, how it was made and
// its margins.
struct TimerFields {
  bool Active = false;
  int32_t RecordIndex = 0;
  int32_t TimesType = 0;   // Constants::XPM_TIMER_TIMES_TYPE_*
  int32_t SourceType = 1;  // Constants::XPM_RECORD_SOURCE_TYPE_*: 1 by hand, 2 from the guide
  int32_t TimerId = 0;
  int32_t StartEarly = 0;  // seconds
  int32_t EndDelay = 0;    // seconds
};

// A timer's length, channel, medium, tuner, switch, repetition, origin and
// margins into a record; its start stays the caller's.
void TakeTimer(RecordFields& record, TimerFields& fields, const Structures::TimerData& timer);

// The courier of a scheduled timer and of a timer in conflict.
class ScheduledRecordListCourier : public ListCourier, public RecordFields, public TimerFields {
  VG_CLASS()

 public:
  explicit ScheduledRecordListCourier(XObject* link = nullptr) : ListCourier(link) {}
};

// How a row shows its start's date.
enum class DateForm : uint8_t { None, MonthDay, WeekdayMonthDay };

// The row base: 27 high, the caption and the column texts in the list font,
// with the time, channel and length texts and the tuner icon every recording
// row has. Without a descriptor of its own: the rows are list items.
class RecordRow : public ListItem, public RecordFields {
 public:
  RecordRow(XObject* link, int32_t width, DateForm dateForm);

  // The courier's values when it carries a record, else "No Information
  // Available"; see ListItem::SetData.
  XObject* SetData(XObject* data) override;

  // Setters of the fields that show.
  void OnSetRecordStartTime(Structures::LocalTime* value);
  Structures::LocalTime* OnGetRecordStartTime() const { return RecordStartTime; }
  void OnSetRecordDuration(int32_t value);
  int32_t OnGetRecordDuration() const { return RecordDuration; }
  void OnSetTunerId(int32_t value);
  int32_t OnGetTunerId() const { return TunerId; }
  void OnSetMapId(int32_t value) { MapId = value; }
  int32_t OnGetMapId() const { return MapId; }
  void OnSetStatus(int32_t value);
  int32_t OnGetStatus() const { return Status; }
  void SetChannel(int32_t major, int32_t minor);

  Views::Text dateText{this};
  Views::Text timeText{this};
  Views::Text channelText{this};
  Views::Text lengthText{this};
  Views::Image tunerIcon{this};

 protected:
  // The record of the row's courier class, null when data is none.
  virtual RecordFields* RecordOf(XObject* data) = 0;
  // The fields of the row's own kind, from a courier RecordOf accepted.
  virtual void TakeOwnFields(XObject* data) = 0;
  // What the record state shows; the base stores it only.
  virtual void ShowStatus() {}
  // Every field's view from the fields.
  void ShowRecord();

 private:
  DateForm dateForm;
};

// The rows of the scheduled and the conflict list, whose courier is
// ListForm::ScheduledRecordListCourier.
class TimerRow : public RecordRow, public TimerFields {
 public:
  TimerRow(XObject* link, int32_t width, DateForm dateForm);

  XObject* GetData(XObject* data) override;

  // The timer's switch (Forms::Ctrl has an Active of its own).
  void SetTimerActive(bool value);
  bool TimerActive() const { return TimerFields::Active; }
  void OnSetTimesType(int32_t value);
  int32_t OnGetTimesType() const { return TimesType; }
  void OnSetSourceType(int32_t value) { SourceType = value; }
  int32_t OnGetSourceType() const { return SourceType; }

  Views::Image repetitionIcon{this};
  Views::Image checkBox{this};

 protected:
  RecordFields* RecordOf(XObject* data) override;
  void TakeOwnFields(XObject* data) override;
};

}  // namespace ListForm
