// The remote-control and front-panel keys by name, as DirectFB hardware key
// codes of the set's input driver, with the PC key of the desktop window.
#pragma once

#include <cstdint>
#include <span>

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
