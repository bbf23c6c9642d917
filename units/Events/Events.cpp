#include "Events/Events.h"

#define EVENTS_DEFINE(Name, ...) VG_DEFINE_CLASS(Events, Name, Core::Event)
EVENTS_MIDDLEWARE_EVENTS(EVENTS_DEFINE)
EVENTS_USER_EVENTS(EVENTS_DEFINE)
EVENTS_OTHER_EVENTS(EVENTS_DEFINE)
#undef EVENTS_DEFINE
VG_DEFINE_CLASS(Events, StatusEvent, Core::Event)
VG_DEFINE_CLASS(Events, DMRStatusEvent, Core::Event)

namespace Events {

namespace {
#define EVENTS_ROW(Name, ...) &Name::Class,
constexpr const VgClass* kClasses[] = {
    EVENTS_MIDDLEWARE_EVENTS(EVENTS_ROW)
    EVENTS_USER_EVENTS(EVENTS_ROW)
    EVENTS_OTHER_EVENTS(EVENTS_ROW)
    &XPM_EVENT_KEY::Class,
    &XPM_EVENT_FACTORY_COMMAND::Class,
    &StatusEvent::Class,
    &DMRStatusEvent::Class,
};
#undef EVENTS_ROW
}  // namespace

std::span<const VgClass* const> AllClasses() { return kClasses; }

StatusEvent* StatusEvent::Initialize(int32_t code, int32_t sub0, int32_t sub1, int32_t sub2, int32_t sub3) {
  Code = code;
  SubCode0 = sub0;
  SubCode1 = sub1;
  SubCode2 = sub2;
  SubCode3 = sub3;
  return this;
}

DMRStatusEvent* DMRStatusEvent::Initialize(uint16_t first, uint16_t second, VgString text, const char* ansiText) {
  First = first;
  Second = second;
  Text = text;
  AnsiText = ansiText ? VgNewStringAnsi(ansiText) : nullptr;
  return this;
}

}  // namespace Events

Events::StatusEvent* EventsStatusEvent__Initialize(Events::StatusEvent* event, uint16_t code, int32_t sub0,
                                                   int32_t sub1, int32_t sub2, int32_t sub3) {
  return event ? event->Initialize(code, sub0, sub1, sub2, sub3) : nullptr;
}

Events::DMRStatusEvent* EventsDMRStatusEvent__Initialize(Events::DMRStatusEvent* event, uint16_t first,
                                                         uint16_t second, VgString text, const char* ansiText) {
  return event ? event->Initialize(first, second, text, ansiText) : nullptr;
}
