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
inline constexpr int32_t DirectMsgTypeFactoryReset = 27;
inline constexpr int32_t DirectMsgTypeInvalidTimerId = 44;
inline constexpr int32_t DirectMsgTypeInvalidTimerDuration = 45;
inline constexpr int32_t DirectMsgTypeTimerOverlap = 46;
inline constexpr int32_t DirectMsgTypeDisableTimerSetting = 47;
inline constexpr int32_t DirectMsgTypeInvalidTimerStarttime = 48;
inline constexpr int32_t DirectMsgTypeInvalidTimerChannel = 49;
inline constexpr int32_t DirectMsgTypeDeleteInRecording = 50;
inline constexpr int32_t DirectMsgTypeActiveTimerId = 51;
// Standby refused while a screen other than live television is open; kept
// out of the range 0 to 51 that the message types take.
inline constexpr int32_t DirectMsgTypeRecordSleepWarning = 52;

enum class MessageIcon : uint8_t { None, Alert, Info };

// What happens when a message leaves the screen.
enum class MessageClose : uint8_t {
  Nothing,
  // The upgrade is done: the power key comes back and the set restarts.
  Reboot,
  // The next screen opens, with the message as its way back.
  OpenNext,
};

struct DirectMessage {
  int32_t type;
  const VgConstant* text;
  MessageIcon icon;
  int32_t milliseconds;
  // Width of the bar; 0 for the standard width.
  int32_t width;
  // Top of the bar; -1 for the standard place.
  int32_t top;
  MessageClose onClose;
  // The screen OpenNext opens.
  const char* next;
  // The message also leaves when its medium is taken out.
  bool closesOnRemoval;
};

inline constexpr int32_t kDefaultMessageTime = 4000;

inline constexpr DirectMessage kDirectMessages[] = {
    {4, &Strings::SID_NOT_AVAILABLE_CAPS, MessageIcon::Alert, 2000, 420, -1, MessageClose::Nothing, nullptr, false},
    {8, &Strings::SID_MSG_3D_VIDEO_DETECTED, MessageIcon::Info, 2000, 0, -1, MessageClose::OpenNext,
     "ThreeD::Start3DWizard", false},
    {9, &Strings::SID_MSG_3D_FORMAT_NOT_SUPPORTED, MessageIcon::Alert, 4000, 0, -1, MessageClose::Nothing, nullptr,
     false},
    {10, &Strings::SID_MSG_NO_SIGNAL_POWER_DOWN, MessageIcon::Alert, 4000, 0, -1, MessageClose::Nothing, nullptr,
     false},
    {15, &Strings::SID_NO_UPGRADE_AVAILABLE, MessageIcon::Info, 4000, 0, -1, MessageClose::Nothing, nullptr, false},
    {16, &Strings::SID_SWU_MSG_WARNING, MessageIcon::Alert, 4000, 0, -1, MessageClose::Nothing, nullptr, false},
    {17, &Strings::SID_MSG_UPGRADE_ERROR, MessageIcon::Alert, 4000, 0, -1, MessageClose::Nothing, nullptr, false},
    {18, &Strings::SID_MSG_UPGRADE_COMPLETE_OFF, MessageIcon::Info, 8000, 0, -1, MessageClose::Reboot, nullptr,
     false},
    {19, &Strings::SID_MSG_UPGRADE_COMPLETE_REMOVE, MessageIcon::Info, 8000, 0, -1, MessageClose::Reboot, nullptr,
     true},
    {21, &Strings::SID_DEVICE_IS_REMOVED, MessageIcon::Alert, 4000, 420, -1, MessageClose::Nothing, nullptr, false},
    {23, &Strings::SID_MSG_INPUT_LOCKED, MessageIcon::Alert, 4000, 420, -1, MessageClose::Nothing, nullptr, false},
    {27, &Strings::SID_MSG_FACTORY_RESET, MessageIcon::Info, 4000, 0, -1, MessageClose::Nothing, nullptr, false},
    {29, &Strings::SID_MSG_NETWORK_UNAVAILABLE, MessageIcon::Alert, 4000, 0, -1, MessageClose::Nothing, nullptr,
     false},
    {32, &Strings::SID_MSG_3D_NO_INTERNET_APP, MessageIcon::Alert, 4000, 0, -1, MessageClose::Nothing, nullptr,
     false},
    {33, &Strings::SID_MSG_APPLICATION_UNAVAILABLE, MessageIcon::Alert, 4000, 0, -1, MessageClose::Nothing, nullptr,
     false},
    {44, &Strings::SID_MSG_TIMER_LIMIT, MessageIcon::Alert, 4000, 0, -1, MessageClose::Nothing, nullptr, false},
    {45, &Strings::SID_MSG_TIMER_DURATION_INVALID, MessageIcon::Alert, 4000, 0, -1, MessageClose::Nothing, nullptr,
     false},
    {46, &Strings::SID_MSG_TIMER_OVERLAP, MessageIcon::Alert, 4000, 0, -1, MessageClose::Nothing, nullptr, false},
    {47, &Strings::SID_MSG_TIMER_NOT_RF, MessageIcon::Alert, 2000, 0, -1, MessageClose::Nothing, nullptr, false},
    {48, &Strings::SID_MSG_TIMER_START_INVALID, MessageIcon::Alert, 5000, 0, -1, MessageClose::Nothing, nullptr,
     false},
    {49, &Strings::SID_MSG_TIMER_CHANNEL_INVALID, MessageIcon::Alert, 4000, 0, -1, MessageClose::Nothing, nullptr,
     false},
    {50, &Strings::SID_MSG_DELETE_IN_RECORDING, MessageIcon::Alert, 4000, 0, -1, MessageClose::Nothing, nullptr,
     false},
    {51, &Strings::SID_MSG_TIMER_IN_USE, MessageIcon::Alert, 4000, 0, -1, MessageClose::Nothing, nullptr, false},
    {52, &Strings::SID_MSG_STANDBY_REFUSED, MessageIcon::Alert, 4000, 0, -1, MessageClose::Nothing, nullptr, false},
};

// The row of a type, or null.
constexpr const DirectMessage* FindDirectMessage(int32_t type) {
  for (const DirectMessage& row : kDirectMessages)
    if (row.type == type) return &row;
  return nullptr;
}

}  // namespace NonMenuSystem
