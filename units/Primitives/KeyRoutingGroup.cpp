#include "Primitives/KeyRoutingGroup.h"

#include "Primitives/KeyRoutingParameter.h"

VG_DEFINE_CLASS(Primitives, KeyRoutingGroup, Core::Group)

namespace Primitives {

KeyRoutingGroup::KeyRoutingGroup(XObject* link) : Core::Group(link) {
  timeOutTimer.OnSetPeriod(0);
  timeOutTimer.OnSetBegin(DefaultTimeOut);
  timeOutTimer.OnSetOnTrigger(OnTimeOut);
}

XObject* KeyRoutingGroup::HandleEvent(Core::Event*) { return nullptr; }

void KeyRoutingGroup::Initialize(KeyRoutingParameter* parameter) {
  if (parameter) Parent = parameter->Parent.get();
}

void KeyRoutingGroup::HandleMessage(Structures::Message*) {}

void KeyRoutingGroup::Open(XObject*) {
  if (!Parent) return;
  Parent->Add(this, 0);
  timeOutTimer.OnSetEnabled(true);
}

void KeyRoutingGroup::Close(XObject*) {
  if (!Parent || owner.get() != Parent.get()) return;
  timeOutTimer.OnSetEnabled(false);
  Parent->Remove(this);
}

void KeyRoutingGroup::Refresh(XObject*) {}

void KeyRoutingGroup::ResetTimeout(XObject*) {
  if (timeOutTimer.OnGetEnabled()) timeOutTimer.Activate();
}

void KeyRoutingGroup::OnSetTimeOutValue(int32_t ms) {
  TimeOutValue = ms;
  timeOutTimer.OnSetBegin(ms);
  timeOutTimer.OnSetPeriod(0);
}

// The timer fires OnTimeOut itself, so a handler set after construction is
// the one it reaches; a timer tied to the empty slot of a new group would
// otherwise expire without anyone hearing it.
void KeyRoutingGroup::OnSetOnTimeOut(VgSlot slot) {
  OnTimeOut = slot;
  timeOutTimer.OnSetOnTrigger(slot);
}

}  // namespace Primitives
