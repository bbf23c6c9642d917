#include "keymap.h"

#include <array>

namespace {

constexpr KeyMapRow kRows[] = {
    {2, 2, 80},       {3, 3, 63},       {6, 6, 38},       {7, 7, 77},       {8, 8, 83},
    {9, 18, 10},      {19, 19, 44},     {20, 20, 1},      {21, 21, 66},     {23, 23, 3},
    {24, 24, 79},     {25, 25, 45},     {26, 26, 110},    {27, 28, 21},     {29, 29, 54},
    {30, 31, 6},      {32, 33, 4},      {34, 35, 46},     {36, 36, 84},     {37, 38, 36},
    {39, 39, 89},     {40, 40, 70},     {42, 42, 76},     {46, 46, 97},     {49, 49, 95},
    {54, 54, 90},     {55, 56, 92},     {58, 58, 94},     {61, 61, 81},     {62, 62, 73},
    {75, 75, 65},     {76, 76, 98},     {77, 77, 64},     {78, 78, 63},     {79, 79, 98},
    {91, 91, 99},     {92, 92, 65},     {102, 102, 50},   {103, 103, 53},   {104, 104, 51},
    {107, 108, 39},   {109, 110, 58},   {111, 111, 52},   {112, 113, 20},   {114, 114, 23},
    {115, 115, 22},   {119, 119, 48},   {121, 123, 102},  {133, 133, 2},    {134, 134, 41},
    {136, 161, 105},  {162, 187, 132},  {188, 188, 2},    {190, 204, 160},  {205, 205, 44},
    {206, 224, 176},  {229, 230, 195},  {255, 255, 80},   {256, 257, 46},   {258, 259, 36},
    {260, 260, 3},    {261, 261, 83},   {262, 262, 96},   {263, 263, 91},   {265, 265, 87},
    {266, 266, 86},   {267, 267, 104},  {268, 270, 101},  {272, 272, 88},   {273, 274, 8},
    {275, 276, 99},   {277, 277, 94},
};

// The table expanded once, at compile time, so that a key costs one lookup.
constexpr std::array<uint8_t, KeyMapLastKeyCode + 1> BuildTable() {
  std::array<uint8_t, KeyMapLastKeyCode + 1> table{};
  for (const KeyMapRow& row : kRows)
    for (int32_t code = row.firstKeyCode; code <= row.lastKeyCode; ++code)
      table[size_t(code)] = uint8_t(row.firstGuiCode + (code - row.firstKeyCode));
  return table;
}

constexpr auto kTable = BuildTable();

constexpr FrontPanelKey kFrontPanel[] = {
    {255, "Power"}, {256, "Vol+"}, {257, "Vol-"}, {258, "CH+"}, {259, "CH-"}, {260, "Menu"}, {261, "Input"},
};

}  // namespace

int32_t GuiKeyCodeOf(int32_t keyCode) {
  if (keyCode < 0 || keyCode > KeyMapLastKeyCode) return 0;
  return kTable[size_t(keyCode)];
}

std::span<const KeyMapRow> KeyMapRows() { return kRows; }

const char* FrontPanelKeyName(int32_t keyCode) {
  for (const FrontPanelKey& key : kFrontPanel)
    if (key.keyCode == keyCode) return key.name;
  return nullptr;
}
