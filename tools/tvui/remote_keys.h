// The remote-control and front-panel keys by name, as DirectFB hardware key
// codes of the set's input driver, with the PC key of the desktop window.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "Core/Keys.h"

struct RemoteKey {
  const char* name;
  int32_t keyCode;     // DirectFB hardware key code
  Key::Code guiKey;    // what the host's key table makes of it
  const char* pcKey;   // the desktop window's key by its SDL name, or null
  const char* meaning;
};

std::span<const RemoteKey> RemoteKeys();
// The hardware key code of a name, or -1.
int32_t RemoteKeyCode(const char* name);
// The remote key of a window key by its SDL name, or null.
const RemoteKey* RemoteKeyOfPcKey(const char* pcKey);

// The hardware key that the host's key table turns into a GUI key code: the
// lowest such code, a remote's key before a front-panel one (which would also
// raise the factory command). -1 when no key gives it, and for 0.
int32_t KeyGivingGuiCode(int64_t guiCode);
// What follows "key" in a scenario's key line that presses a key the screens
// see as GUI code GUI, from the front panel when FRONTPANEL: the key's name
// ("MENU", "FP_MENU", "5"), else "gui N", else the number of a hardware key
// that gives it ("22" for GUI code 0, the code of a key without an entry).
std::string ScenarioKeyWords(int32_t gui, bool frontPanel = false);
