#include "keymap.h"

namespace {

constexpr FrontPanelKey kFrontPanel[] = {
    {255, "Power"}, {256, "Vol+"}, {257, "Vol-"}, {258, "CH+"}, {259, "CH-"}, {260, "Menu"}, {261, "Input"},
};

}  // namespace

int32_t GuiKeyCodeOf(int32_t keyCode) { return KeyMapGuiCode(keyCode); }

std::span<const KeyMapRow> KeyMapRows() { return keymap_detail::kRows; }

const char* FrontPanelKeyName(int32_t keyCode) {
  for (const FrontPanelKey& key : kFrontPanel)
    if (key.keyCode == keyCode) return key.name;
  return nullptr;
}
