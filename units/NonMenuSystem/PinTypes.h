// The PIN types of NonMenuSystem::EnterPinDialog: one row per type, giving
// which PIN it checks and the screen a correct PIN opens. Adding a PIN check
// is adding a row.
#pragma once

#include <cstdint>

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

struct PinType {
  int32_t type;
  PinKind kind;
  // The screen a correct PIN opens, the value it is opened with, and the
  // screen that screen returns to; null for none.
  const char* next;
  int32_t value;
  const char* backOfNext;
  PinTimeOut timeOut;
};

inline constexpr PinType kPinTypes[] = {
    {1, PinKind::Parental, "MenuSystem::PINSettingMenu", 0, "MenuSystem::PreferencesMenu", PinTimeOut::Standard},
    {2, PinKind::Parental, "MenuSystem::ParentalLocksMenu", 0, "MenuSystem::PreferencesMenu", PinTimeOut::Standard},
    {3, PinKind::Parental, "Channels::AutoTuningConfirmDialog", 3, nullptr, PinTimeOut::Standard},
    {4, PinKind::Parental, "NonMenuSystem::ConfirmMultiOptionDialog", 33, "MenuSystem::SetupMenu",
     PinTimeOut::Standard},
    {7, PinKind::Parental, "MenuSystem::ParentalLocksMenu", 0, "MenuSystem::TimerMenu", PinTimeOut::Standard},
    {9, PinKind::ThreeD, "ThreeD::ThreeDPinMenu", 0, "ThreeD::ThreeDMenu", PinTimeOut::Standard},
    {10, PinKind::ThreeD, "ThreeD::ThreeDSafetyMenu", 0, "ThreeD::ThreeDMenu", PinTimeOut::Standard},
    {11, PinKind::ThreeD, "ThreeD::Start3DWizard", 0, "NonMenuSystem::EnterPinDialog", PinTimeOut::ThreeDTimerLock},
    {12, PinKind::Parental, "Record::USBDiskFormatDialog", 0, "MenuSystem::BrcmRecordMenu", PinTimeOut::Standard},
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
