#include "remote_keys.h"

#include <strings.h>

#include "keymap.h"

namespace {

constexpr RemoteKey kKeys[] = {
    {"POWER", 2, Key::Power, "P", "power"},
    {"INPUT", 8, Key::Input, "I", "input"},
    {"0", 9, Key::Digit0, "0", "digit 0"},
    {"1", 10, Key::Digit0 + 1, "1", "digit 1"},
    {"2", 11, Key::Digit0 + 2, "2", "digit 2"},
    {"3", 12, Key::Digit0 + 3, "3", "digit 3"},
    {"4", 13, Key::Digit0 + 4, "4", "digit 4"},
    {"5", 14, Key::Digit0 + 5, "5", "digit 5"},
    {"6", 15, Key::Digit0 + 6, "6", "digit 6"},
    {"7", 16, Key::Digit0 + 7, "7", "digit 7"},
    {"8", 17, Key::Digit0 + 8, "8", "digit 8"},
    {"9", 18, Key::Digit9, "9", "digit 9"},
    {"OK", 20, Key::Ok, "Return", "activate"},
    {"MENU", 23, Key::Menu, "M", "menu"},
    {"LEFT", 30, Key::Left, "Left", "left, decrease"},
    {"RIGHT", 31, Key::Right, "Right", "right, increase"},
    {"UP", 32, Key::Up, "Up", "up"},
    {"DOWN", 33, Key::Down, "Down", "down"},
    {"VOL+", 34, Key::VolumeUp, "+", "volume up"},
    {"VOL-", 35, Key::VolumeDown, "-", "volume down"},
    {"MUTE", 36, Key::Mute, "U", "mute"},
    {"CH+", 37, Key::ChannelUp, "PageUp", "channel up"},
    {"CH-", 38, Key::ChannelDown, "PageDown", "channel down"},
    {"BACK", 134, Key::Back, "Backspace", "back to the previous screen"},
    {"EXIT", 25, Key::Exit, "Escape", "exit: closes the screen"},
    {"LAST", 29, Key::Last, "L", "last: back while a screen is open"},
    {"QUICK", 3, Key::Quick, "Q", "quick menu"},
    {"FP_POWER", 255, Key::Power, "F1", "front panel Power"},
    {"FP_VOL+", 256, Key::VolumeUp, "F2", "front panel Vol+"},
    {"FP_VOL-", 257, Key::VolumeDown, "F3", "front panel Vol-"},
    {"FP_CH+", 258, Key::ChannelUp, "F4", "front panel CH+"},
    {"FP_CH-", 259, Key::ChannelDown, "F5", "front panel CH-"},
    {"FP_MENU", 260, Key::Menu, "F6", "front panel Menu"},
    {"FP_INPUT", 261, Key::Input, "F7", "front panel Input"},
};

// Each name must give the key the host's table makes of its hardware code.
constexpr bool AgreesWithKeyMap() {
  for (const RemoteKey& key : kKeys)
    if (KeyMapGuiCode(key.keyCode) != key.guiKey) return false;
  return true;
}
static_assert(AgreesWithKeyMap());

}  // namespace

std::span<const RemoteKey> RemoteKeys() { return kKeys; }

int32_t RemoteKeyCode(const char* name) {
  for (const RemoteKey& key : kKeys)
    if (strcasecmp(key.name, name) == 0) return key.keyCode;
  return -1;
}

const RemoteKey* RemoteKeyOfPcKey(const char* pcKey) {
  for (const RemoteKey& key : kKeys)
    if (key.pcKey && strcasecmp(key.pcKey, pcKey) == 0) return &key;
  return nullptr;
}
