// The GUI's timer object: signals OnTrigger after Begin ms and then every
// Period ms while Enabled. Its trigger runs inside VgProcessTimers, not in the
// signal pass.
#pragma once

#include <cstdint>

#include "vgobject.h"
#include "vgslot.h"
#include "vgtimer.h"

namespace Core {

class Timer : public XObject {
  VG_CLASS()

 public:
  explicit Timer(XObject* link = nullptr);
  ~Timer() override;

  // Called when the runtime timer fires; effects override it.
  virtual void Trigger();
  // Restarts the runtime timer with (begin, period); a begin of 0 takes the
  // period, and both 0 stop it.
  virtual void Restart(int32_t begin, int32_t period);

  // Starts the count again from Begin.
  void Activate();

  bool OnGetEnabled() const { return Enabled; }
  void OnSetEnabled(bool value);
  int32_t OnGetBegin() const { return Begin; }
  void OnSetBegin(int32_t ms);
  int32_t OnGetPeriod() const { return Period; }
  void OnSetPeriod(int32_t ms);
  VgSlot OnGetOnTrigger() const { return OnTrigger; }
  void OnSetOnTrigger(VgSlot slot) { OnTrigger = slot; }

 protected:
  bool Enabled = false;
  VgTimer* timer = nullptr;
  int32_t Begin = 0;
  int32_t Period = 1000;
  VgSlot OnTrigger;

 private:
  static void Fire(void* self);
};

}  // namespace Core
