// ListForm::ScheduledRecordList: the recording timers still to come, in
// Record::ScheduledRecordDialog, one row each with its weekday and date,
// start, channel, length, tuner, repetition, check box and state. OK on a row
// opens its timer in the timer dialog it was made with (by hand or from the
// guide), unless the set is not on a tuner source or the timer records now.
//
// ListForm::ConflictTimerList: the timers that overlap the one the viewer
// tried to save, in Record::ConflictTimerDialog, with their margins; it only
// shows them.
//
// Both rows take ListForm::ScheduledRecordListCourier (ListForm/RecordRow.h).
#pragma once

#include <cstdint>

#include "ListForm/ListClass.h"
#include "ListForm/ProgramFocus.h"
#include "ListForm/RecordRow.h"

namespace Structures {
class Message;
}

namespace ListForm {

class ScheduledRecordListItem : public TimerRow {
  VG_CLASS()

 public:
  explicit ScheduledRecordListItem(XObject* link = nullptr);

  // Where the icons' columns start in the row, each under its heading of the
  // scheduled recordings' screen, which places its headings by them: the
  // repetition under "Type", the state under "Status", the check box under
  // "Active", which stands far enough on for Spanish "Estado" to keep the
  // room before it that English "Status" had.
  static constexpr int32_t TypeColumn = 690;
  static constexpr int32_t StatusColumn = 740;
  static constexpr int32_t ActiveColumn = 804;

  void Refresh(XObject* sender = nullptr) override;

  // The row again from its timer after the viewer saved it, and its start
  // into the schedule model's entry.
  void UpdateSettings();

  Views::Text validText{this};
  Views::Image stateIcon{this};

 protected:
  void ShowStatus() override;
};

class ScheduledRecordList : public ListClass, public ProgramFocus {
  VG_CLASS()

 public:
  explicit ScheduledRecordList(XObject* link = nullptr);

  // The schedule model holds no more.
  static constexpr int32_t MaxTimers = 64;

  // Overridden slots.
  // Reloads the schedule model before the base fills the list.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void forceReload(XObject* sender = nullptr) override;
  // A saved timer (its row is read again first) or any change of the
  // schedule reloads the rows.
  void HandleMessage(Structures::Message* message) override;
  int32_t GetItemsNum() override;

  // The focus slot: the focused timer into the focus fields; the screen
  // hears OnProgramChanged in the signal pass after next.
  void DoFocus(XObject* sender = nullptr);
  // The activation slot: opens the focused timer for editing.
  void UpdateRecordInfo(XObject* sender = nullptr);
  // Reads the schedule model again into the rows: their number and states.
  void ReloadSchedule();

  bool FocusActive = false;
  int32_t FocusDuration = 0;  // seconds
  int32_t FocusSourceType = 0;
  int32_t FocusTimesType = 0;
  int32_t FocusStartEarly = 0;
  int32_t FocusEndDelay = 0;
};

class ConflictTimerListItem : public TimerRow {
  VG_CLASS()

 public:
  explicit ConflictTimerListItem(XObject* link = nullptr);

  // Every field but the timer id; the title stays empty.
  XObject* GetData(XObject* data) override;
  void Refresh(XObject* sender = nullptr) override;

  void OnSetStartEarly(int32_t seconds);
  int32_t OnGetStartEarly() const { return StartEarly; }
  void OnSetEndDelay(int32_t seconds);
  int32_t OnGetEndDelay() const { return EndDelay; }

  Views::Text startEarlyText{this};
  Views::Text endDelayText{this};

 protected:
  void TakeOwnFields(XObject* data) override;
};

class ConflictTimerList : public ListClass {
  VG_CLASS()

 public:
  explicit ConflictTimerList(XObject* link = nullptr);

  // Reloads the conflict model before the base fills the list.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  int32_t GetItemsNum() override;

  VgSlot OnGetOnProgramChanged() const { return OnProgramChanged; }
  void OnSetOnProgramChanged(VgSlot slot) { OnProgramChanged = slot; }

  // Kept for the screen; the list never signals it.
  VgSlot OnProgramChanged;
};

}  // namespace ListForm
