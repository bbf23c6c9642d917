// The software update screens.
//
// Update::CheckingMessage asks the model to look for newer software and
// waits, taking no key, for the update service's answer: an upgrade
// available opens the upgrade confirmation, anything else the direct
// message that says why. The service may never answer (this model's check
// starts nothing), so after CheckLimit without one the message reports the
// network unavailable.
//
// Update::UpdatingDialog follows the upgrade: it blocks every key, standby
// and the power key while it runs, polls the progress every second (the bar
// shows from the first value of 1 or more), and on the result shows the
// message of success (the power key stays blocked until that message
// restarts the set) or failure (the power key comes back).
#pragma once

#include <cstdint>

#include "Core/Timer.h"
#include "NonMenuSystem/WidgetClass.h"
#include "SkinBin/ProgressQOR.h"
#include "Views/MultilineText.h"
#include "Views/Rectangle.h"
#include "vgslot.h"

namespace Update {

// The message type that follows an update check's result code: 0 the
// upgrade offer (a confirmation type), else a direct message's type.
int32_t CheckOutcome(int32_t result);

class CheckingMessage : public NonMenuSystem::WidgetClass {
  VG_CLASS()

 public:
  explicit CheckingMessage(XObject* link = nullptr);

  // How long the check may go unanswered.
  static inline int32_t CheckLimit = 120000;

  // Overridden slots.
  // Keys do nothing; the check's result picks the next screen, under any
  // screen that has the keys.
  XObject* HandleEvent(Core::Event* event) override;
  bool FollowsTheWorld(Core::Event* event) const override;
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // Opens the next screen with MessageType; a message bar stands centred
  // where this message stood.
  void EnterNextState() override;

  // No answer within CheckLimit.
  void DoLimit(XObject* sender = nullptr);

  int32_t MessageType = 0;
  Views::MultilineText message{this};
  Core::Timer limitTimer{this};

 private:
  void Finish(int32_t result);
};

class UpdatingDialog : public NonMenuSystem::WidgetClass {
  VG_CLASS()

 public:
  explicit UpdatingDialog(XObject* link = nullptr);

  static constexpr int32_t PollPeriod = 1000;
  static constexpr int32_t BarMaximum = 100;
  // Where the progress is read; the model by default.
  static inline int32_t (*ReadProgress)() = nullptr;

  // Overridden slots.
  // Swallows everything but the update's result; the result, and a standby
  // it refuses, reach it under any screen that has the keys.
  XObject* HandleEvent(Core::Event* event) override;
  bool FollowsTheWorld(Core::Event* event) const override;
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;

  void ShowWaiting(bool show);
  // The progress poll.
  void Slot(XObject* sender = nullptr);
  // The update has ended: the critical section too, and the dialog closes.
  void StopScan();

  Views::Rectangle block{this};
  SkinBin::ProgressQOR bar{this};
  Views::MultilineText message{this};
  Core::Timer progressTimer{this};
  VgSlot OnStop;
};

}  // namespace Update
