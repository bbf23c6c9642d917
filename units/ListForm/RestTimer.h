// ListForm::RestTimer: acts on the row the viewer rests on. Every focus move
// starts it again, so only a pause of Begin ms on one row fires its trigger;
// the list then checks that the row is not the channel or source already
// showing before it acts.
#pragma once

#include <cstdint>

#include "Core/Timer.h"

namespace ListForm {

class RestTimer : public Core::Timer {
  VG_CLASS()

 public:
  explicit RestTimer(XObject* link = nullptr);

  // The pause and what follows it; the timer stays stopped until the first
  // Rest.
  void Setup(int32_t ms, VgSlot act);
  // Called on every focus move: counts the pause from now.
  void Rest();
  void Cancel();
};

}  // namespace ListForm
