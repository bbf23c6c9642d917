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
#include "ListForm/RowColumns.h"

namespace Structures {
class Message;
}

namespace ListForm {

class ScheduledRecordListItem : public TimerRow {
  VG_CLASS()

 public:
  explicit ScheduledRecordListItem(XObject* link = nullptr);

  // The columns from the left: tuner, channel, caption, date, time, length,
  // the hidden text, then the icons: repetition, state and check box. Each
  // text column holds its widest text whole in either look and every menu
  // language ("Wed, May 04", Spanish "01:00am"), and stands a column's
  // spacing from the next (ColumnSpacing). The icons stand so far apart that
  // their headings, "Type", "Status" and "Active" in every language (Spanish
  // "Estado" the widest), keep that spacing too.
  static constexpr ColumnPlace Places[] = {{18, 30}, {6, 64}, {4, 220}, {10, 128}, {4, 88},
                                           {4, 72},  {4, 70}, {4, 20},  {26, 20},  {41, 27}};
  // Where the scheduled recordings' screen sets its headings.
  static constexpr int32_t DateColumn = ColumnLeft(Places, 3);
  static constexpr int32_t TimeColumn = ColumnLeft(Places, 4);
  static constexpr int32_t LengthColumn = ColumnLeft(Places, 5);
  static constexpr int32_t TypeColumn = ColumnLeft(Places, 7);
  static constexpr int32_t StatusColumn = ColumnLeft(Places, 8);
  static constexpr int32_t ActiveColumn = ColumnLeft(Places, 9);

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

  // Saved timers and the set's news keep the timer by its id.
  bool KeepsTheEntry() override { return true; }

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
  // The same, for a list read again (a recording started or ended: its daily
  // or weekly timer moves to its next start, a once timer out of the list; a
  // timer saved, or the set's news of every timer): the focus stays on the
  // timer it was on, found by its id, else on its neighbour
  // (ListBase::ReadAgain). A timer deleted initialises the list instead.
  void ReloadKeepingFocus();

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

  // The columns from the left: tuner, channel, caption (empty: a timer in
  // conflict has none), time, length, start early, end delay, then the
  // repetition and the check box. The list never has the focus, its
  // screen's buttons do: each text column holds its widest text whole in
  // the rows' plain look in every menu language (Spanish "01:00am", "10 mins
  // +"), and stands a column's spacing from the next (ColumnSpacing): the
  // time's 80 px hold "01:00am" (78), and the length stands 5 px on. The
  // check box stands far enough on for its heading to keep that spacing
  // from the repetition's.
  static constexpr ColumnPlace Places[] = {{4, 30}, {6, 64},   {4, 194}, {10, 80}, {5, 60},
                                           {4, 100}, {4, 100}, {4, 20},  {20, 27}};
  // Where the conflict screen sets its headings.
  static constexpr int32_t ChannelColumn = ColumnLeft(Places, 1);
  static constexpr int32_t TimeColumn = ColumnLeft(Places, 3);
  static constexpr int32_t LengthColumn = ColumnLeft(Places, 4);
  static constexpr int32_t StartEarlyColumn = ColumnLeft(Places, 5);
  static constexpr int32_t EndDelayColumn = ColumnLeft(Places, 6);
  static constexpr int32_t TypeColumn = ColumnLeft(Places, 7);
  static constexpr int32_t ActiveColumn = ColumnLeft(Places, 8);

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
