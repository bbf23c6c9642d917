// The event records of the interface: middleware notifications turned into
// objects by the event bridge, the key event, and the events the interface
// sends to itself. They carry data only; screens test an event's exact class
// and read its fields. Events that wait in the event agent's queue carry a
// Handled flag, set by the agent's handler once the event was taken.
//
// Every class is one row of the tables below: its name and its fields in
// order. All fields start at 0, false, empty or null unless the row says
// otherwise. The key event and the factory command event have headers of
// their own, which the event bridge shares.
#pragma once

#include <cstdint>
#include <span>

#include "Core/Event.h"
#include "Core/KeyEvent.h"
#include "Events/XPM_EVENT_FACTORY_COMMAND.h"
#include "Events/XPM_EVENT_KEY.h"
#include "Structures/Channels.h"
#include "Structures/Message.h"
#include "vgobject.h"
#include "vgstring.h"

// Middleware events that the event bridge makes.
#define EVENTS_MIDDLEWARE_EVENTS(X)                                                                         \
  X(XPM_EVENT_WAKEUP, int32_t Reason = 0; /* 1 power, 2 timer, 3 force on, 4 device, 5 aging mode */)          \
  X(XPM_EVENT_STANDBY, int32_t Reason = 0; /* 1 power, 2 timer, 3 force on, 4 DPMS, 5 sleep timer, 6 no signal, \
                                              7 immediate power-down */                                       \
    bool Refused = false; /* set by the screen that keeps the set on (a recording) */)                        \
  X(XPM_EVENT_SOURCE_ACQUIRED, int32_t Handled = 0; int32_t SourceId = 0; int32_t Window = 0;                  \
    int32_t Status = 0; /* 16 acquired, else 16 + 1 no signal, 2 invalid format, 4 rating lock */              \
    int32_t RetryCount = 0;)                                                                                   \
  X(XPM_EVENT_CHANNEL_ACQUIRED, int32_t Handled = 0; ::Structures::VirtualChannel Channel{this};               \
    int32_t Window = 0;                                                                                        \
    int32_t Status = 0; /* 0 acquired, 1 no tuner lock, 2 not in stream, 3 no video, 4 channel lock,           \
                           5 rating lock, 7 channel map empty */                                               \
    int32_t RetryCount = 0;)                                                                                   \
  X(XPM_EVENT_CHANNEL_SCAN_PROGRESS, int32_t PhysicalChannel = 0; int32_t Info = 0; int32_t Progress = 0;      \
    int32_t Count = 0; /* channels found, at most 99 */                                                        \
    VgPtrArray<::Structures::VirtualChannel, 100> Channels; int32_t ScanKind = 0;)                             \
  X(XPM_EVENT_FULL_SCAN_COMPLETE, int32_t Values[2] = {};)                                                     \
  X(XPM_EVENT_FULL_SCAN_ABORTED, int32_t Values[2] = {};)                                                      \
  X(XPM_EVENT_SINGLE_SCAN_ABORTED, )                                                                           \
  X(XPM_EVENT_CHANNEL_MAP_FULL, )                                                                              \
  X(XPM_EVENT_RATING_REGION_UPDATED, int32_t Handled = 0; int32_t Region = 0;)                                 \
  X(VideoResolutionChangedEvent, int32_t Value = 0;)                                                           \
  X(PVRPerfStatusEvent, int32_t Result = 0; int32_t TestStatus = 0; VgStr FileSystem;                          \
    int32_t TotalSpace = 0;     /* GB */                                                                       \
    int32_t AvailableSpace = 0; /* GB */                                                                       \
    int32_t Speed = 0;)         /* MB/s */                                                                     \
  X(PVRRecordStatusEvent, int32_t TunerId = 0; int32_t Status = 0;)                                            \
  X(PVRUSBFormatEvent, int32_t Status = 0;)                                                                    \
  X(RecordPlaybackStatusEvent, uint8_t DeviceFlag = 0; int32_t Value = 0; int32_t Status = 0;)                 \
  X(TimerStandbyEvent, int32_t Value = 0;)                                                                     \
  X(TimerRecordWarningEvent, int32_t Value = 0;)                                                               \
  X(TMSCheckEvent, int32_t Status = 0;)                                                                        \
  X(XPM_EVENT_EPG_CHANNEL_SCAN_PROGRESS, int32_t Values[2] = {}; VgPtr<::Structures::VirtualChannel> Channel;) \
  X(XPM_EVENT_EPG_FULL_SCAN_COMPLETE, int32_t Values[2] = {};)                                                 \
  X(XPM_EVENT_EPG_FULL_SCAN_ABORTED, int32_t Values[2] = {};)                                                  \
  X(CEC_EVENT_NAME_UPDATED, int32_t SourceId = 0; VgStr Name;)                                                 \
  X(CEC_EVENT_UPDATE_STRING, int32_t SourceId = 0; VgStr Text;)                                                \
  X(CEC_EVENT_SOURCE_DETECTED, uint8_t Detected = 0; int32_t SourceId = 0;)                                    \
  X(CEC_EVENT_UPDATE_DECK_STATUS, int32_t Status = 0;)                                                         \
  X(CEC_EVENT_UPDATE_FEATURES_STATUS, )                                                                        \
  X(CEC_EVENT_UPDATE_AUDIO_STATUS, int32_t Status = 0;)                                                        \
  X(NetworkTestResultsEvent, int32_t Value = 0; /* kbit/s */ int32_t TestKind = 0; int32_t Status = 0;)       \
  X(WlanScanCompleteEvent, int32_t Values[2] = {}; int32_t Status = 0;)                                        \
  X(WlanConnectCompleteEvent, int32_t Status = 0; /* 2 connected, 0 network not found */)                      \
  X(NetworkInterfaceUpEvent, int32_t Interface = 0; /* 0 wired, 1 wireless */)                                 \
  X(NetworkInterfaceDownEvent, int32_t Interface = 0; /* 0 wired, 1 wireless */)                               \
  X(YahooNotifyEvent, int32_t State = 0; /* 1 the widget application came to the front */)                     \
  X(XPM_EVENT_USB_OVERCURRENT, )                                                                               \
  X(XPM_EVENT_FAN_ERROR, uint8_t Values[2] = {};)                                                              \
  X(XPM_EVENT_REPORT_3DMODE, int32_t Unused = 0; int32_t TransitionType = 0; int32_t SourceId = 0;             \
    int32_t PresentationWindow = 0; int32_t Value = 0;)                                                        \
  X(XPM_EVENT_REPORT_REGISTER_TABLE_CHANGE, VgStr Name;)                                                       \
  X(XPM_EVENT_TV101_STATE, int32_t State = 0; /* 1 on */)                                                      \
  X(XPM_EVENT_UPDATE_EXTERNAL_APP_STATUS, )

// Events the interface makes for itself (besides the status events below).
#define EVENTS_USER_EVENTS(X)                                                                    \
  X(USER_EVENT_CACHED_MESSAGE, int32_t Handled = 0; VgPtr<::Structures::Message> Message;)         \
  X(USER_EVENT_TIMER_WAKEUP, uint8_t AlreadyAwake = 0; uint8_t Handled = 0;)                       \
  X(USER_EVENT_LAST_CHANNEL, int32_t Handled = 0;)                                                 \
  X(USER_EVENT_CABLE_ON_OFF, int32_t Handled = 0; int32_t Medium = 0;)                             \
  X(USER_EVENT_OSD_UPDATE, int32_t Values[2] = {};)                                                \
  X(USER_EVENT_OSD_RESTART, int32_t Value = 0;)                                                    \
  X(XPM_EVENT_FACTORY_RESET, int32_t Value = 0;)

// Classes that exist so that screens can test for them; nothing here makes them.
#define EVENTS_OTHER_EVENTS(X)                                                       \
  X(XPM_EVENT_EMERGENCY_ALERT, int32_t Start = 0;)                                    \
  X(XPM_EVENT_EPG_INFO_UPDATED, )                                                     \
  X(XPM_EVENT_DPMS, int32_t Seconds = 0; /* without signal */ int32_t Value = 0;)      \
  X(XPM_EVENT_SET_AGINGMODE, uint8_t AgingMode = 0;)                                  \
  X(XPM_EVENT_TIMER_NOTIFY, int32_t Values[2] = {};)                                  \
  X(XPM_EVENT_UBN_UPDATE_REMIND, int32_t Handled = 0;)                                \
  X(XPM_EVENT_UBN_RESULT, int32_t Result = 0; int32_t Value = 0; VgStr Text;)         \
  X(XPM_EVENT_UBN_MEDIA_INSERTED, int32_t Handled = 0; VgStr Text;)                   \
  X(MediaScanProgressEvent, int32_t Values[3] = {};)                                  \
  X(MediaScanDoneEvent, int32_t Values[4] = {};)                                      \
  X(MediaScanFailedEvent, )                                                           \
  X(MediaInsertedEvent, int32_t Value = 0;)                                           \
  X(MediaRemovedEvent, )                                                              \
  X(MultipleMediaDetectedEvent, )                                                     \
  X(PhotoListFullEvent, )                                                             \
  X(PhotoRenderedEvent, int32_t Values[3] = {};)                                      \
  X(PhotoUpdateEvent, int32_t Values[4] = {};)                                        \
  X(MP3ListFullEvent, )                                                               \
  X(MP3PlaybackDoneEvent, int32_t Value = 0;)                                         \
  X(MediaPlayDoneEvent, )                                                             \
  X(TuneToMediaEvent, int32_t Values[3] = {}; VgStr Text;)                            \
  X(MediaNotSupport, int32_t Values[3] = {}; VgStr Text;)

namespace Events {

#define EVENTS_DECLARE(Name, ...)                                  \
  class Name : public ::Core::Event {                              \
    VG_CLASS()                                                     \
                                                                   \
   public:                                                         \
    explicit Name(XObject* link = nullptr) : ::Core::Event(link) {} \
    __VA_ARGS__                                                    \
  };
EVENTS_MIDDLEWARE_EVENTS(EVENTS_DECLARE)
EVENTS_USER_EVENTS(EVENTS_DECLARE)
EVENTS_OTHER_EVENTS(EVENTS_DECLARE)
#undef EVENTS_DECLARE

// A status report of the media screens and the media library.
class StatusEvent : public ::Core::Event {
  VG_CLASS()

 public:
  explicit StatusEvent(XObject* link = nullptr) : ::Core::Event(link) {}

  StatusEvent* Initialize(int32_t code, int32_t sub0, int32_t sub1, int32_t sub2, int32_t sub3);
  int32_t OnGetSubCode0() const { return SubCode0; }
  void OnSetSubCode0(int32_t value) { SubCode0 = value; }
  int32_t OnGetSubCode1() const { return SubCode1; }
  void OnSetSubCode1(int32_t value) { SubCode1 = value; }
  int32_t OnGetSubCode2() const { return SubCode2; }
  void OnSetSubCode2(int32_t value) { SubCode2 = value; }
  int32_t OnGetSubCode3() const { return SubCode3; }
  void OnSetSubCode3(int32_t value) { SubCode3 = value; }

  int32_t Code = 1;
  int32_t SubCode0 = 0;
  int32_t SubCode1 = 0;
  int32_t SubCode2 = 0;
  int32_t SubCode3 = 0;
};

// A status report of the media renderer.
class DMRStatusEvent : public ::Core::Event {
  VG_CLASS()

 public:
  explicit DMRStatusEvent(XObject* link = nullptr) : ::Core::Event(link) {}

  // The 8-bit text is zero-terminated; null leaves the second text empty.
  DMRStatusEvent* Initialize(uint16_t first, uint16_t second, VgString text, const char* ansiText);

  uint16_t First = 0;
  uint16_t Second = 1;
  VgPtr<XObject> Item;  // not filled
  VgStr Text;
  VgStr AnsiText;
};

// Every class of the unit, for code that walks them all.
std::span<const VgClass* const> AllClasses();

}  // namespace Events

extern "C" {
// Entry points for the media library, which fills such events itself.
Events::StatusEvent* EventsStatusEvent__Initialize(Events::StatusEvent* event, uint16_t code, int32_t sub0,
                                                   int32_t sub1, int32_t sub2, int32_t sub3);
Events::DMRStatusEvent* EventsDMRStatusEvent__Initialize(Events::DMRStatusEvent* event, uint16_t first,
                                                         uint16_t second, VgString text, const char* ansiText);
}
