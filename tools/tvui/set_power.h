// The set's power as its middleware keeps it. In standby the interface holds
// no screen, and the middleware keeps the remote's power key: it wakes the set
// (its wake-up event, reason power) instead of handing the key on. Only the
// product's root has a standby; the probe's and the non-menu screens' roots
// take every key.
#pragma once

#include <cstdint>
#include <string>

struct SetPowerOps {
  // Whether the set is in standby, and the settings of a set past the
  // first-time setup written into the store and its file (empty, or why the
  // file does not hold them); the caller holds the GUI lock.
  bool (*inStandby)();
  std::string (*pastSetup)();
};

// The root's, or null for a root without a standby.
void UseSetPower(const SetPowerOps* ops);
bool SetHasStandby();
// The caller holds the GUI lock, or every thread of the set is blocked (the
// runner between lines). A root without a standby is never in standby.
bool SetInStandby();
std::string SetPastSetup();

// Whether a hardware key code is a power key (the remote's or the front
// panel's).
bool IsPowerKey(uint32_t keyCode);
// The middleware's wake-up by the power key; after a standby that ended the
// period of operation, the next period begins with it.
void WakeByPowerKey();

// A set in standby shows a dark screen but for its red standby lamp, in the
// window and in screenshots alike.
struct StandbyLampRect {
  int32_t x, y, w, h;
};
inline constexpr StandbyLampRect kStandbyLamp{476, 520, 8, 8};
inline constexpr uint32_t kStandbyLampColour = 0xFFC80000;  // ARGB
