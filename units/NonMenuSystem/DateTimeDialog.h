// NonMenuSystem::DateTimeDialog: "Manual Time Setting": the set's date and
// time on two rows. OK on a row opens the date or the time pop-up over the
// dialog; each change in the pop-up sets the clock at once. BACK returns to
// the date and time page.
#pragma once

#include <cstdint>

#include "Button/Button.h"
#include "NonMenuSystem/DateTimeOwner.h"
#include "NonMenuSystem/QORWidgetClass.h"
#include "Structures/LocalTime.h"
#include "Views/Text.h"

namespace NonMenuSystem {

class DateTimeDialog : public QORWidgetClass, public DateTimeOwner {
  VG_CLASS()

 public:
  explicit DateTimeDialog(XObject* link = nullptr);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  XObject* HandleEvent(Core::Event* event) override;

  void UpdateDateSettings(int32_t month, int32_t day, int32_t year) override;
  void UpdateTimeSettings(int32_t hour, int32_t minute, VgString ampm) override;

  // Opens the pop-up of the focused row.
  void EditFocused();

  // The time the dialog shows and last set.
  VgPtr<Structures::LocalTime> Time;
  Views::Text dateLabel{this};
  Views::Text timeLabel{this};
  Button::Button dateButton{this};
  Button::Button timeButton{this};

 private:
  void ShowTime();
  void SetClock();
  void PlaceUnder(Primitives::KeyRoutingForm* popup, Button::Button* row);
};

}  // namespace NonMenuSystem
