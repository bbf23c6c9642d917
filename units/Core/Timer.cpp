#include "Core/Timer.h"

VG_DEFINE_CLASS(Core, Timer, XObject)

namespace Core {

Timer::Timer(XObject* link) : XObject(link), timer(VgCreateTimer(&Timer::Fire, this)) {}

// The runtime record goes with the object; this runs during collection, never
// inside VgProcessTimers.
Timer::~Timer() {
  if (timer) VgDestroyTimer(timer);
  timer = nullptr;
}

void Timer::Fire(void* self) { static_cast<Timer*>(self)->Trigger(); }

void Timer::Trigger() { VgSignal(OnTrigger, this); }

void Timer::Restart(int32_t begin, int32_t period) {
  VgResetTimer(timer);
  VgStartTimer(timer, begin, period);
}

void Timer::Activate() {
  if (Enabled) OnSetEnabled(false);
  OnSetEnabled(true);
}

void Timer::OnSetEnabled(bool value) {
  if (value == Enabled) return;
  Enabled = value;
  if (Enabled)
    Restart(Begin, Period);
  else
    Restart(0, 0);
}

void Timer::OnSetBegin(int32_t ms) {
  if (ms < 0) ms = 0;
  if (ms == Begin) return;
  Begin = ms;
  if (Enabled) Restart(Begin, Period);
}

void Timer::OnSetPeriod(int32_t ms) {
  if (ms < 0) ms = 0;
  if (ms == Period) return;
  Period = ms;
  if (Enabled) Restart(Begin, Period);
}

}  // namespace Core
