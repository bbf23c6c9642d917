/* The event numbers of the records that reach the GUI thread's event table:
 * the middleware's events (the channel-scan ones renumbered by the event
 * bridge) and the internal events that the bridge posts for the state
 * manager's commands. Code names them, never writes the numbers:
 *
 *   case XpmEvent::SourceAcquired: ...
 *   simtv_inject_event(0, XpmEvent::Wakeup, &reason, sizeof reason);
 *   XpmEventName(XpmEvent::Wakeup)  ->  "XPM_EVENT_PARAMS_WAKEUP"
 *
 * The third column is the event's name in the logs and in scenarios. The
 * state manager's command numbers are in tvsm.h. */
#ifndef TVUI_PLATFORM_XPM_EVENTS_H
#define TVUI_PLATFORM_XPM_EVENTS_H

#include <stdint.h>

#define XPM_EVENTS(X)                                                                \
  X(Wakeup, 3, "XPM_EVENT_PARAMS_WAKEUP")                                            \
  X(Standby, 4, "XPM_EVENT_PARAMS_STANDBY")                                          \
  X(SourceAcquired, 5, "XPM_EVENT_SOURCE_ACQUIRED")                                  \
  X(SourceNotAcquired, 6, "XPM_EVENT_SOURCE_NOT_ACQUIRED")                           \
  X(FullScanProgress, 8, "XPM_EVENT_FULL_CHANNEL_SCAN_PROGRESS")                     \
  X(FullScanCompleted, 9, "XPM_EVENT_FULL_CHANNEL_SCAN_COMPLETED")                   \
  X(FullScanAborted, 10, "XPM_EVENT_FULL_CHANNEL_SCAN_ABORTED")                      \
  X(SingleScanCompleted, 12, "XPM_EVENT_SINGLE_CHANNEL_SCAN_COMPLETED")              \
  X(SingleScanAborted, 13, "XPM_EVENT_SINGLE_CHANNEL_SCAN_ABORTED")                  \
  X(ChannelAcquired, 19, "XPM_EVENT_CHANNEL_ACQUIRED")                               \
  X(ChannelNotAcquired, 20, "XPM_EVENT_CHANNEL_NOT_ACQUIRED")                        \
  X(ChannelMapFull, 21, "XPM_EVENT_CHANNEL_MAP_FULL")                                \
  X(ChannelMapEmpty, 22, "XPM_EVENT_CHANNEL_MAP_EMPTY")                              \
  X(RatingRegionUpdated, 24, "XPM_EVENT_RATING_REGION_UPDATED")                      \
  X(Ignored, 25, "XPM_EVENT_IGNORED")                                                \
  X(VideoResolutionChanged, 26, "XPM_EVENT_VIDEO_RESOLUTION_CHANGED")                \
  X(PvrPerfStatus, 57, "XPM_EVENT_PVR_PERF_STATUS")                                  \
  X(HdmiSourceNameUpdated, 70, "XPM_EVENT_HDMI_SOURCE_NAME_UPDATED")                 \
  X(SourceSignalDetected, 71, "XPM_EVENT_SOURCE_SIGNAL_DETECTED")                    \
  X(UpdateOsdString, 73, "XPM_EVENT_UPDATE_OSD_STRING")                              \
  X(CecDeckStatus, 74, "XPM_EVENT_UPDATE_CEC_DECK_STATUS")                           \
  X(CecFeaturesStatus, 75, "XPM_EVENT_UPDATE_CEC_FEATURES_STATUS")                   \
  X(CecAudioStatus, 77, "XPM_EVENT_PARAMS_CEC_AUDIO_STATUS_UPDATE")                  \
  X(NetworkTestResults, 81, "XPM_EVENT_NETWORK_TEST_RESULTS")                        \
  X(WlanScanComplete, 82, "XPM_EVENT_PARAMS_WLAN_SCAN_COMPLETE")                     \
  X(WlanConnectComplete, 84, "XPM_EVENT_PARAMS_WLAN_CONNECT_COMPLETE")               \
  X(NetworkStatus, 85, "XPM_EVENT_NETWORK_STATUS")                                   \
  /* Internal: the end of the events a streaming disable flushes. */                 \
  X(FlushMarker, 86, "FLUSH_MARKER")                                                 \
  /* Internal, for the state manager's commands of the same names. */                \
  X(CommandText, 87, "COMMAND_TEXT")                                                 \
  X(YahooOn, 88, "YAHOO_NOTIFY_ON")                                                  \
  X(YahooOff, 89, "YAHOO_NOTIFY_OFF")                                                \
  X(CommandApp, 90, "COMMAND_APP")                                                   \
  X(Command16, 91, "COMMAND_16")                                                     \
  X(Command17, 92, "COMMAND_17")                                                     \
  X(UsbOverCurrent, 105, "XPM_EVENT_USB_OVER_CURRENT")                               \
  X(Factory, 106, "XPM_EVENT_FACTORY")                                               \
  X(Report3DMode, 107, "XPM_EVENT_REPORT_3DMODE")                                    \
  X(RegisterTableChanged, 108, "XPM_EVENT_REPORT_REGISTER_TABLE_CHANGED")            \
  X(TV101State, 109, "XPM_EVENT_TV101_STATE")                                        \
  X(ExternalAppStatus, 110, "XPM_EVENT_UPDATE_EXTERNAL_APP_STATUS")                  \
  X(RecordStatus, 111, "XPM_EVENT_RECORD_STATUS")                                    \
  X(UsbFormat, 112, "XPM_EVENT_USB_FORMAT")                                          \
  X(TimerStandby, 113, "XPM_EVENT_TIMER_STANDBY")                                    \
  X(EpgScanProgress, 114, "XPM_EVENT_EPG_FULL_CHANNEL_SCAN_PROGRESS")                \
  X(EpgScanCompleted, 115, "XPM_EVENT_EPG_FULL_CHANNEL_SCAN_COMPLETED")              \
  X(EpgScanAborted, 116, "XPM_EVENT_EPG_FULL_CHANNEL_SCAN_ABORTED")                  \
  X(TimerRecordWarning, 117, "XPM_EVENT_TIMER_RECORD_WARNING")                       \
  X(RecordPlaybackStatus, 118, "XPM_EVENT_RECORD_PLAYBACK_STATUS")                   \
  X(CheckTmsAccount, 119, "XPM_EVENT_CHECK_TMS_ACCOUNT")

/* The middleware numbers its channel-scan events apart from the rest; the
 * bridge renumbers them (middleware number, the number the GUI sees). */
#define XPM_RENUMBERED_EVENTS(X) \
  X(14, FullScanProgress)        \
  X(15, FullScanCompleted)       \
  X(16, FullScanAborted)         \
  X(17, SingleScanCompleted)     \
  X(18, SingleScanAborted)

#ifdef __cplusplus
namespace XpmEvent {
#define XPM_EVENT_CONSTANT(id, number, name) inline constexpr uint32_t id = number;
XPM_EVENTS(XPM_EVENT_CONSTANT)
#undef XPM_EVENT_CONSTANT
}  // namespace XpmEvent

/* The event's name, or null for a number that is not in the list. */
constexpr const char* XpmEventName(uint32_t event) {
  switch (event) {
#define XPM_EVENT_NAME_CASE(id, number, name) \
  case number: return name;
    XPM_EVENTS(XPM_EVENT_NAME_CASE)
#undef XPM_EVENT_NAME_CASE
    default: return nullptr;
  }
}

/* The number the GUI sees of a number the middleware sends. */
constexpr uint32_t XpmRenumberedEvent(uint32_t event) {
  switch (event) {
#define XPM_RENUMBER_CASE(from, to) \
  case from: return XpmEvent::to;
    XPM_RENUMBERED_EVENTS(XPM_RENUMBER_CASE)
#undef XPM_RENUMBER_CASE
    default: return event;
  }
}
#endif

#endif
