// The key table: DirectFB's hardware key code of a window key event (0 to
// 277) to the GUI key code that every screen compares against.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "Core/Keys.h"

// A run of hardware key codes mapping element by element onto GUI key codes.
struct KeyMapRow {
  int32_t firstKeyCode;
  int32_t lastKeyCode;
  int32_t firstGuiCode;
};

inline constexpr int32_t KeyMapLastKeyCode = 277;
// A hardware code the key path drops before it looks at its age.
inline constexpr int32_t IgnoredKeyCode = 253;

namespace keymap_detail {
inline constexpr KeyMapRow kRows[] = {
    {2, 2, Key::Power}, {3, 3, Key::Quick}, {6, 6, Key::Code38}, {7, 7, Key::Code77}, {8, 8, Key::Input},
    {9, 18, Key::Digit0}, {19, 19, Key::Dot}, {20, 20, Key::Ok}, {21, 21, Key::Code66}, {23, 23, Key::Menu},
    {24, 24, Key::Info}, {25, 25, Key::Exit}, {26, 26, Key::Favorites}, {27, 28, Key::Green},
    {29, 29, Key::Last}, {30, 31, Key::Left}, {32, 33, Key::Up}, {34, 35, Key::VolumeUp}, {36, 36, Key::Mute},
    {37, 38, Key::ChannelUp}, {39, 39, Key::Freeze}, {40, 40, Key::Code70}, {42, 42, Key::Code76},
    {46, 46, Key::Code97}, {49, 49, Key::ThreeD}, {54, 54, Key::Code90}, {55, 56, Key::Code92},
    {58, 58, Key::Code94}, {61, 61, Key::Factory}, {62, 62, Key::Code73}, {75, 75, Key::Code65},
    {76, 76, Key::Code98}, {77, 77, Key::Code64}, {78, 78, Key::Quick}, {79, 79, Key::Code98},
    {91, 91, Key::GridPageUp}, {92, 92, Key::Code65}, {102, 102, Key::Play}, {103, 103, Key::Stop},
    {104, 104, Key::Pause}, {107, 108, Key::PageUp}, {109, 110, Key::Rewind}, {111, 111, Key::Record},
    {112, 113, Key::Red}, {114, 114, Key::Yellow}, {115, 115, Key::Blue}, {119, 119, Key::Code48},
    {121, 123, Key::Code102}, {133, 133, Key::ClearAll}, {134, 134, Key::Back}, {136, 161, Key::LetterA},
    {162, 187, Key::SmallA}, {188, 188, Key::ClearAll}, {190, 204, Key::Slash}, {205, 205, Key::Dot},
    {206, 224, Key::Minus}, {229, 230, Key::Code195}, {255, 255, Key::Power}, {256, 257, Key::VolumeUp},
    {258, 259, Key::ChannelUp}, {260, 260, Key::Menu}, {261, 261, Key::Input}, {262, 262, Key::Code96},
    {263, 263, Key::Code91}, {265, 265, Key::Code87}, {266, 266, Key::Code86}, {267, 267, Key::Code104},
    {268, 270, Key::Code101}, {272, 272, Key::Code88}, {273, 274, Key::Code8}, {275, 276, Key::GridPageUp},
    {277, 277, Key::Code94},
};

// The table expanded once, at compile time, so that a key costs one lookup.
constexpr std::array<uint8_t, KeyMapLastKeyCode + 1> BuildTable() {
  std::array<uint8_t, KeyMapLastKeyCode + 1> table{};
  for (const KeyMapRow& row : kRows)
    for (int32_t code = row.firstKeyCode; code <= row.lastKeyCode; ++code)
      table[size_t(code)] = uint8_t(row.firstGuiCode + (code - row.firstKeyCode));
  return table;
}

inline constexpr auto kTable = BuildTable();
}  // namespace keymap_detail

// The table at compile time, for tables of hardware keys that must agree with it.
constexpr int32_t KeyMapGuiCode(int32_t keyCode) {
  return keyCode < 0 || keyCode > KeyMapLastKeyCode ? 0 : keymap_detail::kTable[size_t(keyCode)];
}

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
