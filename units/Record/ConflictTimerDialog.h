// Record::ConflictTimerDialog: opens when a timer cannot be saved because it
// overlaps stored timers. It shows the new timer's span and the timers it
// collides with (the model's conflict list), and offers three ways out:
// Modify keeps the new timer and stores the others inactive, Cancel keeps
// the others and drops the new one, Back returns to the dialog below to
// change it. While the focus rests on Modify or Cancel the list already
// shows the active states that choice gives.
#pragma once

#include <cstdint>

#include "ListForm/TimerLists.h"
#include "NonMenuSystem/QORWidgetClass.h"
#include "SkinBin/Button.h"
#include "Views/Image.h"
#include "Views/MultilineText.h"
#include "Views/Text.h"
#include "vgstring.h"

namespace Structures {
class LocalTime;
class TimerData;
}  // namespace Structures

namespace Record {

class ConflictTimerDialog : public NonMenuSystem::QORWidgetClass {
  VG_CLASS()

 public:
  explicit ConflictTimerDialog(XObject* link = nullptr);

  static constexpr int32_t ConflictTimeOut = 60000;
  static constexpr int32_t HeadingCount = 7;

  // 2, 41 and 45 are the base's; LEFT and RIGHT move between the buttons,
  // UP, DOWN and the page keys scroll the list while the focus stays on them.
  XObject* HandleEvent(Core::Event* event) override;
  bool PassesKeysToItsAsker() const override { return false; }
  // Loads the conflict list and previews Modify: every listed timer inactive.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  void Refresh(XObject* sender = nullptr) override;
  // Back: closes, leaving the dialog below as it was.
  void EnterPrevState() override;

  // Shows the span and completes the caption; the opener calls it once the
  // fields are set.
  void ApplySourceType();
  void OnSetIsUpdate(bool value);
  // Slots of the buttons.
  void DoFocus(XObject* sender);
  void DoneSlot(XObject* sender);
  void BackSlot(XObject* sender);

  bool IsUpdate = false;
  int32_t RecordSourceType = 0;
  int32_t Duration = 0;
  VgPtr<Structures::LocalTime> StartTime;
  VgPtr<Structures::TimerData> OldTimer;
  // The timer dialog (or the record-now dialog) below; may be none.
  VgPtr<NonMenuSystem::WidgetClass> OwnerDialog;

  SkinBin::Button modifyButton{this};
  SkinBin::Button cancelButton{this};
  SkinBin::Button backButton{this};
  Views::Image rangeIcon{this};
  Views::Text range{this};
  Views::Image warningIcon{this};
  Views::Text warning{this};
  Views::Text headings[HeadingCount] = {Views::Text{this}, Views::Text{this}, Views::Text{this}, Views::Text{this},
                                        Views::Text{this}, Views::Text{this}, Views::Text{this}};
  Views::MultilineText help{this};
  ListForm::ConflictTimerList list{this};

 private:
  // Gives every listed timer an active state and shows it.
  void PreviewConflicts(bool active);
};

// What a dialog hands over when its timer overlaps stored ones.
struct ConflictHandOff {
  int32_t recordSourceType = 0;
  bool isUpdate = false;
  const Structures::LocalTime* start = nullptr;
  int32_t duration = 0;
  NonMenuSystem::WidgetClass* owner = nullptr;
  // The held timer as it was before the edit.
  Structures::TimerData* oldTimer = nullptr;
  // The programme's title; none or "---" names the tuner and channel.
  VgString caption = nullptr;
};

// Opens the conflict dialog above the dialog that saved; null when the
// sub-system opens none.
ConflictTimerDialog* OpenConflictDialog(NonMenuSystem::NonMenuSystem* system, const ConflictHandOff& handOff);

}  // namespace Record
