// The direct messages: one row per message type, read by
// NonMenuSystem::DirectMessageBar. Adding a message is adding a row.
#pragma once

#include <cstdint>

#include "Strings.h"
#include "vgobject.h"

namespace NonMenuSystem {

// The names the screens use for some of the types.
inline constexpr int32_t DirectMsgTypeNotAvailable = 4;
inline constexpr int32_t DirectMsgType3DDetected = 8;
inline constexpr int32_t DirectMsgTypeNoSignalPowerDown = 10;
inline constexpr int32_t DirectMsgTypeDeviceRemoved = 21;
inline constexpr int32_t DirectMsgTypeInputLocked = 23;
inline constexpr int32_t DirectMsgTypeFactoryReset = 27;
inline constexpr int32_t DirectMsgTypeInvalidTimerId = 44;
inline constexpr int32_t DirectMsgTypeInvalidTimerDuration = 45;
inline constexpr int32_t DirectMsgTypeTimerOverlap = 46;
inline constexpr int32_t DirectMsgTypeDisableTimerSetting = 47;
inline constexpr int32_t DirectMsgTypeInvalidTimerStarttime = 48;
inline constexpr int32_t DirectMsgTypeInvalidTimerChannel = 49;
inline constexpr int32_t DirectMsgTypeDeleteInRecording = 50;
inline constexpr int32_t DirectMsgTypeActiveTimerId = 51;
// Standby refused, by what keeps the set on: a recording or live television
// paused, the only states of a window but live television that the set
// reports. Kept out of the range 0 to 51 that the message types take.
inline constexpr int32_t DirectMsgTypeRecordSleepWarning = 52;
inline constexpr int32_t DirectMsgTypePauseSleepWarning = 53;

enum class MessageIcon : uint8_t { None, Alert, Info };

// What happens when a message leaves the screen.
enum class MessageClose : uint8_t {
  Nothing,
  // The upgrade is done: the power key comes back and the set restarts.
  Reboot,
  // The next screen opens, with the message as its way back.
  OpenNext,
};

inline constexpr int32_t kDefaultMessageTime = 4000;
// The width of the short messages' narrower bar.
inline constexpr int32_t kNarrowMessageWidth = 420;

// A row names only what differs from an alert shown for the default time in
// the standard bar.
struct DirectMessage {
  int32_t type = 0;
  const VgConstant* text = nullptr;
  MessageIcon icon = MessageIcon::Alert;
  int32_t milliseconds = kDefaultMessageTime;
  // Width of the bar; 0 for the standard width.
  int32_t width = 0;
  // Top of the bar; -1 for the standard place.
  int32_t top = -1;
  MessageClose onClose = MessageClose::Nothing;
  // The screen OpenNext opens.
  const char* next = nullptr;
  // The message also leaves when its medium is taken out.
  bool closesOnRemoval = false;
};

inline constexpr DirectMessage kDirectMessages[] = {
    {.type = DirectMsgTypeNotAvailable, .text = &Strings::SID_NOT_AVAILABLE_CAPS, .milliseconds = 2000,
     .width = kNarrowMessageWidth},
    {.type = DirectMsgType3DDetected, .text = &Strings::SID_MSG_3D_VIDEO_DETECTED, .icon = MessageIcon::Info,
     .milliseconds = 2000, .onClose = MessageClose::OpenNext, .next = "ThreeD::Start3DWizard"},
    {.type = 9, .text = &Strings::SID_MSG_3D_FORMAT_NOT_SUPPORTED},
    {.type = DirectMsgTypeNoSignalPowerDown, .text = &Strings::SID_MSG_NO_SIGNAL_POWER_DOWN},
    {.type = 15, .text = &Strings::SID_NO_UPGRADE_AVAILABLE, .icon = MessageIcon::Info},
    {.type = 16, .text = &Strings::SID_SWU_MSG_WARNING},
    {.type = 17, .text = &Strings::SID_MSG_UPGRADE_ERROR},
    {.type = 18, .text = &Strings::SID_MSG_UPGRADE_COMPLETE_OFF, .icon = MessageIcon::Info, .milliseconds = 8000,
     .onClose = MessageClose::Reboot},
    {.type = 19, .text = &Strings::SID_MSG_UPGRADE_COMPLETE_REMOVE, .icon = MessageIcon::Info, .milliseconds = 8000,
     .onClose = MessageClose::Reboot, .closesOnRemoval = true},
    {.type = DirectMsgTypeDeviceRemoved, .text = &Strings::SID_DEVICE_IS_REMOVED, .width = kNarrowMessageWidth},
    {.type = 23, .text = &Strings::SID_MSG_INPUT_LOCKED, .width = kNarrowMessageWidth},
    {.type = DirectMsgTypeFactoryReset, .text = &Strings::SID_MSG_FACTORY_RESET, .icon = MessageIcon::Info},
    {.type = 29, .text = &Strings::SID_MSG_NETWORK_UNAVAILABLE},
    {.type = 32, .text = &Strings::SID_MSG_3D_NO_INTERNET_APP},
    {.type = 33, .text = &Strings::SID_MSG_APPLICATION_UNAVAILABLE},
    {.type = DirectMsgTypeInvalidTimerId, .text = &Strings::SID_MSG_TIMER_LIMIT},
    {.type = DirectMsgTypeInvalidTimerDuration, .text = &Strings::SID_MSG_TIMER_DURATION_INVALID},
    {.type = DirectMsgTypeTimerOverlap, .text = &Strings::SID_MSG_TIMER_OVERLAP},
    {.type = DirectMsgTypeDisableTimerSetting, .text = &Strings::SID_MSG_TIMER_NOT_RF, .milliseconds = 2000},
    {.type = DirectMsgTypeInvalidTimerStarttime, .text = &Strings::SID_MSG_TIMER_START_INVALID,
     .milliseconds = 5000},
    {.type = DirectMsgTypeInvalidTimerChannel, .text = &Strings::SID_MSG_TIMER_CHANNEL_INVALID},
    {.type = DirectMsgTypeDeleteInRecording, .text = &Strings::SID_MSG_DELETE_IN_RECORDING},
    {.type = DirectMsgTypeActiveTimerId, .text = &Strings::SID_MSG_TIMER_IN_USE},
    {.type = DirectMsgTypeRecordSleepWarning, .text = &Strings::SID_MSG_STANDBY_REFUSED_RECORDING},
    {.type = DirectMsgTypePauseSleepWarning, .text = &Strings::SID_MSG_STANDBY_REFUSED_PAUSED},
};

// The row of a type, or null.
constexpr const DirectMessage* FindDirectMessage(int32_t type) {
  for (const DirectMessage& row : kDirectMessages)
    if (row.type == type) return &row;
  return nullptr;
}

}  // namespace NonMenuSystem
