// Record::RecordTimerDialog: the manual recording timer ("Record Schedule
// Timer"): date, start time, active flag, repetition, tuner input, channel and
// duration of the model's held timer, then Done saves it (TimerRules.h). A
// saved active timer that is already due starts recording at once.
//
// Openers open it with a SkinBin::UserRefInt whose value is the record source
// type (Constants::XPM_RECORD_SOURCE_TYPE_*), set IsUpdate, the ways back and
// for an edited timer StartTime and Duration, then call ApplySourceType. An
// opener that cannot reach this class (the non-menu system's live key) sets
// the record's flag instead: the dialog then fills itself as a new timer; the
// lists, which open it by name too, hand it the timer through the timer
// editor's role (ListForm/TimerHooks.h).
#pragma once

#include <cstdint>

#include "ListForm/TimerHooks.h"
#include "Network/OptionButton.h"
#include "NonMenuSystem/DateTimeOwner.h"
#include "NonMenuSystem/QORWidgetClass.h"
#include "SkinBin/Button.h"
#include "SkinBin/CheckBoxButton.h"
#include "Views/Image.h"
#include "Views/MultilineText.h"
#include "Views/Text.h"

namespace Structures {
class LocalTime;
class TimerData;
}  // namespace Structures

namespace Record {

class RecordTimerDialog : public NonMenuSystem::QORWidgetClass,
                          public ListForm::TimerEditor,
                          public NonMenuSystem::DateTimeOwner {
  VG_CLASS()

 public:
  explicit RecordTimerDialog(XObject* link = nullptr);

  // A timer of the scheduled list: update mode, its start and length, then
  // the source type applied.
  void EditTimer(const ListForm::TimerEdit& edit) override;

  // The controls top to bottom.
  enum Control : int32_t { DateRow, TimeRow, ActiveRow, TypeRow, InputRow, ChannelRow, DurationRow, DoneRow, ControlCount };

  // An update whose timer begins to record goes back, whoever has the keys.
  XObject* HandleEvent(Core::Event* event) override;
  bool FollowsTheWorld(Core::Event* event) const override;
  // GREEN, which the dialog leaves to its base, opens the schedules.
  bool PassesKeysToItsAsker() const override { return false; }
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Refresh(XObject* sender = nullptr) override;
  // Gives the record source back when this dialog changed it.
  void Close(XObject* sender = nullptr) override;
  void EnterPrevState() override;

  // Fills the dialog and the held timer for the record source type.
  void ApplySourceType();
  // Enables the controls that the record source type and repetition allow.
  void RefreshGrayout();
  void OnSetIsUpdate(bool value);
  // What the pop-ups this dialog opens call at every change.
  void UpdateDateSettings(int32_t month, int32_t day, int32_t year) override;
  void UpdateTimeSettings(int32_t hour, int32_t minute, VgString ampm) override;
  void UpdateDurationSettings(int32_t hours, int32_t minutes);
  // Slots. DoActivate opens the pop-up of a button's row with this dialog as
  // its owner; DoValueChange hears an option pop-up (the sender) that chose.
  void DoActivate(XObject* sender);
  void DoValueChange(XObject* sender);
  void DoFocus(XObject* sender);
  void SetTimerActive(XObject* sender = nullptr);
  void DoneSlot(XObject* sender = nullptr);
  // The channel the timer's tuner last showed on its medium.
  void ApplyCurrentChannel();
  // 1 when reached from the record-now dialog, else 0.
  int32_t GetPrevStateType() const;

  Primitives::KeyRoutingCtrl* ControlAt(int32_t control);
  // Shows an option's current choice on its button, the option's own setup
  // run afresh (the channels of the timer's tuner, say); false when the
  // option has no text for it (the button keeps what it showed).
  static bool LoadOptionItem(Network::OptionButton* button);
  // A value of the timer that names none of the option's choices gives way
  // to the first choice, which the button then shows: for a new timer.
  static void HoldShownChoice(Network::OptionButton* button);
  // A stored timer keeps its values: the button shows the value's choice,
  // or the value itself where it names none (a margin beyond the choices, no
  // repetition).
  static void ShowStoredValue(Network::OptionButton* button);
  // After an option pop-up changed the option of that id.
  void OptionChanged(uint32_t optionType);

  bool IsUpdate = false;
  int32_t RecordSourceType = 0;
  int32_t SourceAtOpen = 0;
  int32_t Duration = 3600;
  VgPtr<Structures::LocalTime> StartTime;
  VgPtr<Structures::TimerData> OldTimer;

  SkinBin::Button dateButton{this};
  SkinBin::Button timeButton{this};
  SkinBin::CheckBoxButton activeBox{this};
  Network::OptionButton typeButton{this};
  Network::OptionButton inputButton{this};
  Network::OptionButton channelButton{this};
  SkinBin::Button durationButton{this};
  SkinBin::Button doneButton{this};
  Views::Text labels[ControlCount - 1] = {Views::Text{this}, Views::Text{this}, Views::Text{this},
                                          Views::Text{this}, Views::Text{this}, Views::Text{this},
                                          Views::Text{this}};
  Views::Image helpIcon{this};
  Views::MultilineText help{this};

 private:
  static void SetButtonEnable(Button::ButtonClass* button, bool enabled);
  void ShowStart();
  void WriteStart();
  void StartIfDue();
  VgString Summary();
  // Whether this dialog switched the record source, which Close gives back.
  bool sourceChanged_ = false;
};

}  // namespace Record
