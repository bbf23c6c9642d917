#include "ListForm/RestTimer.h"

VG_DEFINE_CLASS(ListForm, RestTimer, Core::Timer)

namespace ListForm {

// One shot: no period after the pause.
RestTimer::RestTimer(XObject* link) : Core::Timer(link) { OnSetPeriod(0); }

void RestTimer::Setup(int32_t ms, VgSlot act) {
  OnSetBegin(ms);
  OnSetOnTrigger(act);
}

void RestTimer::Rest() { Activate(); }

void RestTimer::Cancel() { OnSetEnabled(false); }

}  // namespace ListForm
