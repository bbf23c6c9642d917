#include "Agent/EventAgent.h"

#include "Events/Events.h"
#include "Structures/Boxes.h"

VG_DEFINE_CLASS(Agent, EventAgent, Structures::DuLinkList)

namespace Agent {

bool IsAcquisitionEvent(const XObject* event) {
  return vg_is_exactly<Events::XPM_EVENT_SOURCE_ACQUIRED>(event) ||
         vg_is_exactly<Events::XPM_EVENT_CHANNEL_ACQUIRED>(event);
}

int32_t AcquisitionWindow(const XObject* event) {
  if (vg_is_exactly<Events::XPM_EVENT_SOURCE_ACQUIRED>(event))
    return static_cast<const Events::XPM_EVENT_SOURCE_ACQUIRED*>(event)->Window;
  if (vg_is_exactly<Events::XPM_EVENT_CHANNEL_ACQUIRED>(event))
    return static_cast<const Events::XPM_EVENT_CHANNEL_ACQUIRED*>(event)->Window;
  return 0;
}

int32_t AcquisitionStatus(const XObject* event) {
  if (vg_is_exactly<Events::XPM_EVENT_SOURCE_ACQUIRED>(event))
    return static_cast<const Events::XPM_EVENT_SOURCE_ACQUIRED*>(event)->Status;
  if (vg_is_exactly<Events::XPM_EVENT_CHANNEL_ACQUIRED>(event))
    return static_cast<const Events::XPM_EVENT_CHANNEL_ACQUIRED*>(event)->Status;
  return 0;
}

EventAgent::EventAgent(XObject* link) : Structures::DuLinkList(link) {
  QueueTimer.OnSetBegin(1000);
  QueueTimer.OnSetPeriod(3000);
  QueueTimer.OnSetOnTrigger(VgSlotOf<&EventAgent::OnQueueTimer>(this));
}

void EventAgent::OnQueueTimer(XObject*) { ProcessEvents(this); }

void EventAgent::InsertEvent(Core::Event* event) {
  if (!event) return;
  Traverse(event, 1);
  Insert(0, event);
}

void EventAgent::DeleteEvent(Core::Event* event) {
  if (event) DeleteData(event);
}

Core::Event* EventAgent::FindEvent(const VgClass* cls, int32_t window) {
  auto* key = VgNew<Structures::RefClass>();
  key->Window = window;
  key->ClassRef = cls;
  Structures::DuLinkNode* node = FindNode(key);
  return node ? vg_cast<Core::Event>(node->data) : nullptr;
}

Core::Event* EventAgent::GetMainWindowAcquiredEvent() {
  if (Core::Event* e = FindEvent(&Events::XPM_EVENT_CHANNEL_ACQUIRED::Class, 0)) return e;
  return FindEvent(&Events::XPM_EVENT_SOURCE_ACQUIRED::Class, 0);
}

Core::Event* EventAgent::GetSubWindowAcquiredEvent() {
  if (Core::Event* e = FindEvent(&Events::XPM_EVENT_CHANNEL_ACQUIRED::Class, 1)) return e;
  return FindEvent(&Events::XPM_EVENT_SOURCE_ACQUIRED::Class, 1);
}

int32_t EventAgent::GetMainWindowAcquiredStatus() { return AcquisitionStatus(GetMainWindowAcquiredEvent()); }

bool EventAgent::IsMainWindowSignalAcquired() {
  if (auto* e = FindEvent(&Events::XPM_EVENT_CHANNEL_ACQUIRED::Class, 0); e && AcquisitionStatus(e) == 0)
    return true;
  auto* e = FindEvent(&Events::XPM_EVENT_SOURCE_ACQUIRED::Class, 0);
  return e && AcquisitionStatus(e) == 16;
}

void EventAgent::PostProcessEvents() { QueueTimer.Activate(); }

void EventAgent::SetTimer(int32_t period) {
  if (period > 0) QueueTimer.OnSetPeriod(period);
}

// A newer event replaces a queued one of the same class; a source or channel
// acquisition replaces any queued acquisition of the same window, of either
// kind, since only the latest state of a window matters.
void EventAgent::Visit1(XObject* argument, Structures::DuLinkNode* node) {
  XObject* queued = node->data;
  if (!argument || !queued) return;
  const bool newAcquisition = IsAcquisitionEvent(argument);
  const bool queuedAcquisition = IsAcquisitionEvent(queued);
  bool superseded = false;
  if (newAcquisition && queuedAcquisition)
    superseded = AcquisitionWindow(argument) == AcquisitionWindow(queued);
  else if (!newAcquisition && !queuedAcquisition)
    superseded = argument->GetClass() == queued->GetClass();
  if (superseded) DeleteNode(node);
}

void EventAgent::Visit2(XObject*, Structures::DuLinkNode* node) {
  auto* event = vg_cast<Core::Event>(node->data);
  if (!event || !HandleEvent(event)) NotDone = true;
}

bool EventAgent::MatchCriteria(XObject* data, XObject* criteria) {
  auto* key = vg_cast<Structures::RefClass>(criteria);
  if (!key) return Structures::DuLinkList::MatchCriteria(data, criteria);
  if (!data || data->GetClass() != key->ClassRef) return false;
  return !IsAcquisitionEvent(data) || AcquisitionWindow(data) == key->Window;
}

void EventAgent::ProcessEvents(XObject*) {
  NotDone = false;
  if (!Empty()) Traverse(nullptr, 2);
  QueueTimer.OnSetEnabled(NotDone);
}

bool EventAgent::HandleEvent(Core::Event*) { return false; }

}  // namespace Agent
