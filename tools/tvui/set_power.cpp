#include "set_power.h"

#include <atomic>

#include "Core/Keys.h"
#include "keymap.h"
#include "simtv.h"

namespace {

std::atomic<const SetPowerOps*> g_ops{nullptr};

}  // namespace

void UseSetPower(const SetPowerOps* ops) { g_ops.store(ops); }

bool SetHasStandby() { return g_ops.load() != nullptr; }

bool SetInStandby() {
  const SetPowerOps* ops = g_ops.load();
  return ops && ops->inStandby();
}

std::string SetPastSetup() {
  const SetPowerOps* ops = g_ops.load();
  return ops ? ops->pastSetup() : std::string();
}

bool IsPowerKey(uint32_t keyCode) { return GuiKeyCodeOf(int32_t(keyCode)) == Key::Power; }

void WakeByPowerKey() { simtv_wake_by_power_key(); }
