// The PIN types of NonMenuSystem::EnterPinDialog: one row per type, giving
// which PIN it checks and the screen a correct PIN opens. Adding a PIN check
// is adding a row.
#pragma once

#include <cstdint>

#include "NonMenuSystem/ConfirmTypes.h"

namespace NonMenuSystem {

enum class PinKind : uint8_t { Parental = 0, ThreeD = 1 };

// Where the PINs are kept in the settings store; empty or missing means that
// no PIN is set.
inline constexpr const char* kParentalPinKey = "Password";
inline constexpr const char* kThreeDPinKey = "ThreeDPassword";

// How long the dialog waits for digits.
enum class PinTimeOut : uint8_t {
  // As every framed widget (a minute when a menu opened it).
  Standard,
  // A minute while the 3D timer lock is on, otherwise no time-out.
  ThreeDTimerLock,
};

// The PIN types the pages open the PIN dialog with.
enum PinTypeNumber : int32_t {
  kPinTypePinSetting = 1,
  kPinTypeParentalLocks = 2,
  kPinTypeScan = 3,
  kPinTypeReset = 4,
  kPinTypeTimerLocks = 7,
  kPinTypeThreeDPinMenu = 9,
  kPinTypeThreeDSafety = 10,
  kPinTypeStart3D = 11,
  kPinTypeUsbFormat = 12,
};

// A row names only what differs from a parental PIN with the standard time-out.
struct PinType {
  int32_t type = 0;
  PinKind kind = PinKind::Parental;
  // The screen a correct PIN opens, the value it is opened with, and the
  // screen that screen returns to; null for none.
  const char* next = nullptr;
  int32_t value = 0;
  const char* backOfNext = nullptr;
  PinTimeOut timeOut = PinTimeOut::Standard;
};

inline constexpr PinType kPinTypes[] = {
    {.type = kPinTypePinSetting, .next = "MenuSystem::PINSettingMenu", .backOfNext = "MenuSystem::PreferencesMenu"},
    {.type = kPinTypeParentalLocks, .next = "MenuSystem::ParentalLocksMenu", .backOfNext = "MenuSystem::PreferencesMenu"},
    {.type = kPinTypeScan, .next = "Channels::AutoTuningConfirmDialog", .value = 3},
    {.type = kPinTypeReset, .next = "NonMenuSystem::ConfirmMultiOptionDialog", .value = ConfirmTypeTVReset,
     .backOfNext = "MenuSystem::SetupMenu"},
    {.type = kPinTypeTimerLocks, .next = "MenuSystem::ParentalLocksMenu", .backOfNext = "MenuSystem::TimerMenu"},
    {.type = kPinTypeThreeDPinMenu, .kind = PinKind::ThreeD, .next = "ThreeD::ThreeDPinMenu", .backOfNext = "ThreeD::ThreeDMenu"},
    {.type = kPinTypeThreeDSafety, .kind = PinKind::ThreeD, .next = "ThreeD::ThreeDSafetyMenu", .backOfNext = "ThreeD::ThreeDMenu"},
    {.type = kPinTypeStart3D, .kind = PinKind::ThreeD, .next = "ThreeD::Start3DWizard",
     .backOfNext = "NonMenuSystem::EnterPinDialog", .timeOut = PinTimeOut::ThreeDTimerLock},
    {.type = kPinTypeUsbFormat, .next = "Record::USBDiskFormatDialog", .backOfNext = "MenuSystem::BrcmRecordMenu"},
};

// The row of a type, or null.
constexpr const PinType* FindPinType(int32_t type) {
  for (const PinType& row : kPinTypes)
    if (row.type == type) return &row;
  return nullptr;
}

// The settings key of a kind's PIN.
constexpr const char* PinKey(PinKind kind) { return kind == PinKind::ThreeD ? kThreeDPinKey : kParentalPinKey; }

}  // namespace NonMenuSystem
