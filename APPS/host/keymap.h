// The key table: DirectFB's hardware key code of a window key event (0 to
// 277) to the GUI key code that every screen compares against.
#pragma once

#include <cstdint>
#include <span>

// A run of hardware key codes mapping element by element onto GUI key codes.
struct KeyMapRow {
  int32_t firstKeyCode;
  int32_t lastKeyCode;
  int32_t firstGuiCode;
};

inline constexpr int32_t KeyMapLastKeyCode = 277;

// The GUI key code of a hardware key code; 0 for codes without an entry and
// for every code outside 0 to 277.
int32_t GuiKeyCodeOf(int32_t keyCode);

std::span<const KeyMapRow> KeyMapRows();

// Front-panel keys: hardware key codes 255 to 261, each also named to the
// factory and service mode.
struct FrontPanelKey {
  int32_t keyCode;
  const char* name;
};

inline constexpr int32_t FrontPanelFirstKeyCode = 255;
inline constexpr int32_t FrontPanelLastKeyCode = 261;
inline constexpr int32_t FrontPanelMenuKeyCode = 260;

// The name of a front-panel key, or null for any other key code.
const char* FrontPanelKeyName(int32_t keyCode);
