// Record::EPGRecordTimerDialog: the timer of a programme picked in the guide
// or in the scheduled recordings ("EPG Record Setting"). The programme fixes
// the channel, start and length; the viewer picks the repetition, an earlier
// start, a later end and whether the timer is on, and may delete a timer that
// exists already. Done saves through the save flow every timer dialog shares
// (TimerRules.h).
//
// Openers (the guide's programme lists, the scheduled list) open it by name
// with a SkinBin::UserRefInt whose value is the record source type and hand
// it the programme through the timer editor's role (ListForm/TimerHooks.h).
#pragma once

#include <cstdint>

#include "ListForm/TimerHooks.h"
#include "Network/OptionButton.h"
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

class EPGRecordTimerDialog : public NonMenuSystem::QORWidgetClass, public ListForm::TimerEditor {
  VG_CLASS()

 public:
  explicit EPGRecordTimerDialog(XObject* link = nullptr);

  // The option rows and the active box top to bottom, then the two buttons.
  enum Control : int32_t { TypeRow, StartEarlyRow, EndDelayRow, ActiveRow, DoneButton, DeleteButton, ControlCount };
  static constexpr int32_t Width = 432;
  static constexpr int32_t ButtonWidth = 150;
  static constexpr int32_t DoneBesideDeleteX = 55;
  static constexpr int32_t DeleteX = 227;

  void EditTimer(const ListForm::TimerEdit& edit) override;

  // An update whose timer begins to record goes back, whoever has the keys.
  XObject* HandleEvent(Core::Event* event) override;
  bool FollowsTheWorld(Core::Event* event) const override;
  bool PassesKeysToItsAsker() const override { return false; }
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Refresh(XObject* sender = nullptr) override;
  void EnterPrevState() override;

  // Fills the held timer from the programme (a new timer) or the dialog from
  // the held timer (an update), and keeps a copy of it as it was.
  void ApplySourceType();
  void OnSetcanDelete(bool value);
  void OnSetIsUpdate(bool value);

  // Slots.
  void DoFocus(XObject* sender);
  void DoActivate(XObject* sender);
  void DoValueChange(XObject* sender);
  void SetTimerActive(XObject* sender = nullptr);
  void DoneSlot(XObject* sender = nullptr);
  void DeleteSlot(XObject* sender = nullptr);

  Primitives::KeyRoutingCtrl* ControlAt(int32_t control);

  bool canDelete = false;
  bool IsUpdate = false;
  VgPtr<Structures::LocalTime> StartTime;
  int32_t RecordSourceType = 0;
  VgPtr<Structures::TimerData> OldTimer;
  int32_t Duration = 0;  // seconds

  Network::OptionButton typeButton{this};
  Network::OptionButton startEarlyButton{this};
  Network::OptionButton endDelayButton{this};
  SkinBin::CheckBoxButton activeBox{this};
  SkinBin::Button doneButton{this};
  SkinBin::Button deleteButton{this};
  Views::Text labels[DoneButton] = {Views::Text{this}, Views::Text{this}, Views::Text{this}, Views::Text{this}};
  Views::Image rangeIcon{this};
  Views::Text range{this};
  Views::MultilineText help{this};

 private:
  void ShowOptions();
  void TimeProgrammeOnAir();
};

}  // namespace Record
