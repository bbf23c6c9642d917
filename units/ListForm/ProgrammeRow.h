// The rows of the guide's programme lists (the full guide's programme column
// and the mini guide) and what their couriers carry: a programme of the
// guide with the recording timer set for it, whose repetition shows as an
// icon beside the title.
#pragma once

#include <cstdint>

#include "ListForm/ListItem.h"
#include "ListForm/ProgramFocus.h"
#include "ListForm/RowColumns.h"
#include "Structures/LocalTime.h"
#include "Views/Image.h"
#include "Views/Text.h"

namespace Structures {
class EventInfo;
}

namespace ListForm {

class ListBase;

struct ProgrammeFields {
  bool Active = false;  // the programme's timer is on
  bool InfoFlag = false;
  VgPtr<Structures::LocalTime> StartTime;
  int32_t Duration = 0;  // minutes
  VgStr Description;
  int32_t Rating = 0;
  int32_t Rating2 = 0;
  int32_t RecordType = 0;  // the timer's repetition; 0 without a timer
  int32_t TimerId = 0;
};

// Fills a programme courier with the guide model's programme at the index
// and the timer that records it on that channel; "No Information Available"
// when the model holds no programme.
void ReadProgramme(ListCourier* courier, ProgrammeFields& fields, int32_t index, int32_t major, int32_t minor);
// The same from a programme of the guide on a channel of a medium (mapId).
void TakeProgramme(ListCourier* courier, ProgrammeFields& fields, Structures::EventInfo* event, int32_t mapId,
                   int32_t major, int32_t minor);
// A programme's timer as the schedule has it now, on a channel of a medium.
void ReadProgrammeTimer(ProgrammeFields& fields, int32_t mapId, int32_t major, int32_t minor);

// The row base; without a descriptor of its own.
class ProgrammeRow : public ListItem, public ProgrammeFields {
 public:
  ProgrammeRow(XObject* link, VgRect bounds, bool showsDate);

  // The courier's programme, or "No Information Available" without one.
  XObject* SetData(XObject* data) override;

  void OnSetStartTime(Structures::LocalTime* value);
  Structures::LocalTime* OnGetStartTime() const { return StartTime; }
  // The icon follows the timer's switch, which is set first.
  void OnSetRecordType(int32_t value);
  // The timer's switch (Forms::Ctrl has an Active of its own).
  bool TimerActive() const { return ProgrammeFields::Active; }
  int32_t OnGetRecordType() const { return RecordType; }

  Views::Text dateText{this};
  Views::Text timeText{this};
  Views::Image recordIcon{this};

 protected:
  // The programme of a courier of the row's class, null for anything else.
  virtual ProgrammeFields* FieldsOf(XObject* data) = 0;

 private:
  bool showsDate;
};

// A programme row of one courier class.
template <class Courier>
class ProgrammeRowOf : public ProgrammeRow {
 public:
  using ProgrammeRow::ProgrammeRow;

  XObject* GetData(XObject* data) override { return CopyOut<Courier, ProgrammeFields>(this, data); }

 protected:
  ProgrammeFields* FieldsOf(XObject* data) override { return vg_cast<Courier>(data); }
};

// The focused programme as the guide's lists hand it to their screen.
struct GuideFocus : ProgramFocus {
  int32_t FocusDuration = 0;  // minutes
  int32_t FocusRating2 = 0;

  // From the list's focused row while it shows a programme; then
  // OnProgramChanged at once with the list as sender.
  void TakeFocus(ListBase* list);
};

}  // namespace ListForm
