#include "SkinBin/EventAgent.h"

#include <vector>

#include "Constants/Constants.h"
#include "Events/Events.h"
#include "SkinBin/Wrapper.h"
#include "Structures/Message.h"
#include "WidgetManager/WidgetManager.h"

VG_DEFINE_CLASS(SkinBin, EventAgent, Agent::EventAgent)

namespace SkinBin {

namespace {

// The events the agent hands to the screens; any other queued event is
// dropped. Each has a Handled flag that the agent sets once it is taken.
template <class E>
bool MarkIf(::Core::Event* event, int32_t* handled, bool set) {
  if (!vg_is_exactly<E>(event)) return false;
  auto* e = static_cast<E*>(event);
  if (set) e->Handled = 1;
  *handled = e->Handled;
  return true;
}

// Reads (and with set, sets) the Handled flag; false for an event the agent
// does not serve.
bool HandledFlag(::Core::Event* event, int32_t* handled, bool set) {
  using namespace ::Events;
  return MarkIf<XPM_EVENT_SOURCE_ACQUIRED>(event, handled, set) ||
         MarkIf<XPM_EVENT_CHANNEL_ACQUIRED>(event, handled, set) ||
         MarkIf<XPM_EVENT_RATING_REGION_UPDATED>(event, handled, set) ||
         MarkIf<USER_EVENT_CABLE_ON_OFF>(event, handled, set) || MarkIf<USER_EVENT_LAST_CHANNEL>(event, handled, set) ||
         MarkIf<USER_EVENT_TIMER_WAKEUP>(event, handled, set) ||
         MarkIf<XPM_EVENT_UBN_UPDATE_REMIND>(event, handled, set) ||
         MarkIf<XPM_EVENT_UBN_MEDIA_INSERTED>(event, handled, set) ||
         MarkIf<USER_EVENT_CACHED_MESSAGE>(event, handled, set);
}

}  // namespace

EventAgent::EventAgent(XObject* link) : Agent::EventAgent(link) {}

void EventAgent::ProcessEvents(XObject*) {
  NotDone = false;
  std::vector<::Core::Event*> queued;
  for (Structures::DuLinkNode* node = head->next; node && node != head.get(); node = node->next)
    if (auto* event = vg_cast<::Core::Event>(node->data)) queued.push_back(event);
  for (::Core::Event* event : queued) {
    if (!FindNode(event)) continue;  // taken off by the handling of an earlier one
    if (!HandleEvent(event)) NotDone = true;
  }
  QueueTimer.OnSetEnabled(NotDone);
}

// While an external application has the screen, messages about the picture
// would cover it; acquisition events wait until the model resumes them.
bool EventAgent::CanDeliver(::Core::Event* event) {
  if (!MessageAgent) return false;
  return !(::Agent::IsAcquisitionEvent(event) && Wrapper && Wrapper->ExternalAppInFront);
}

// The screens get the event as a cached-event message, which every receiver
// handles as if the event had been dispatched to it.
void EventAgent::Deliver(::Core::Event* event) {
  auto* message = VgNew<::Structures::Message>();
  message->Code = Constants::MSG_EVENT_CACHED;
  message->Payload = event;
  MessageAgent->Dispatch(message, nullptr);
}

// Acquisition events stay queued after they were taken: they are the latest
// state of their window, which the screens and the model look up. Other
// events leave the queue once taken or given up.
bool EventAgent::HandleEvent(::Core::Event* event) {
  int32_t handled = 0;
  if (!event || !HandledFlag(event, &handled, false)) {
    DeleteEvent(event);
    return true;
  }
  const bool acquisition = ::Agent::IsAcquisitionEvent(event);
  if (handled) {
    if (!acquisition) DeleteEvent(event);
    return true;
  }
  // The set's rating region is kept in the settings whether or not a screen
  // takes the news.
  if (auto* region = vg_cast<::Events::XPM_EVENT_RATING_REGION_UPDATED>(event); region && PersistentData)
    PersistentData->PutInteger(VgNewStringAnsi(kRatingRegionKey), region->Region);
  if (!CanDeliver(event)) {
    if (KeepEventUnhandled(event)) return false;
    if (!acquisition) DeleteEvent(event);
    return true;
  }
  // Marked before it goes out, so that a screen queuing the event again does
  // not get it a second time.
  HandledFlag(event, &handled, true);
  if (auto* cached = vg_cast<::Events::USER_EVENT_CACHED_MESSAGE>(event)) {
    DeleteEvent(event);
    if (::Structures::Message* message = cached->Message) MessageAgent->Dispatch(message, message->Target);
    return true;
  }
  if (!acquisition) DeleteEvent(event);
  Deliver(event);
  return true;
}

bool EventAgent::KeepEventUnhandled(::Core::Event* event) {
  if (vg_is_exactly<::Events::XPM_EVENT_SOURCE_ACQUIRED>(event)) {
    auto* e = static_cast<::Events::XPM_EVENT_SOURCE_ACQUIRED*>(event);
    if (e->Status == 16 || e->RetryCount >= kMaxRetries) return false;
    return ++e->RetryCount < 2;
  }
  if (vg_is_exactly<::Events::XPM_EVENT_CHANNEL_ACQUIRED>(event)) {
    auto* e = static_cast<::Events::XPM_EVENT_CHANNEL_ACQUIRED*>(event);
    if (e->Status == 0 || e->Status == 48 || e->RetryCount >= kMaxRetries) return false;
    return ++e->RetryCount < 2;
  }
  return false;
}

}  // namespace SkinBin
