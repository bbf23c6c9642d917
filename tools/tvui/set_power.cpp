#include "set_power.h"

#include <atomic>

#include "Core/Keys.h"
#include "keymap.h"
#include "simtv.h"
#include "xpm_events.h"

namespace {

std::atomic<const SetPowerOps*> g_ops{nullptr};

}  // namespace

void UseSetPower(const SetPowerOps* ops) { g_ops.store(ops); }

bool SetHasStandby() { return g_ops.load() != nullptr; }

bool SetInStandby() {
  const SetPowerOps* ops = g_ops.load();
  return ops && ops->inStandby();
}

void SetPastSetup() {
  if (const SetPowerOps* ops = g_ops.load()) ops->pastSetup();
}

bool IsPowerKey(uint32_t keyCode) { return GuiKeyCodeOf(int32_t(keyCode)) == Key::Power; }

void WakeByPowerKey() {
  const int32_t reasonPower = 1;
  simtv_inject_event(0, XpmEvent::Wakeup, &reasonPower, sizeof reasonPower);
}
