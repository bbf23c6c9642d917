#include "remote_keys.h"

#include <strings.h>

namespace {

constexpr RemoteKey kKeys[] = {
    {"POWER", 2, "P", "power"},
    {"INPUT", 8, "I", "input"},
    {"0", 9, "0", "digit 0"},
    {"1", 10, "1", "digit 1"},
    {"2", 11, "2", "digit 2"},
    {"3", 12, "3", "digit 3"},
    {"4", 13, "4", "digit 4"},
    {"5", 14, "5", "digit 5"},
    {"6", 15, "6", "digit 6"},
    {"7", 16, "7", "digit 7"},
    {"8", 17, "8", "digit 8"},
    {"9", 18, "9", "digit 9"},
    {"OK", 20, "Enter", "activate"},
    {"MENU", 23, "M", "menu"},
    {"LEFT", 30, "Left", "left, decrease"},
    {"RIGHT", 31, "Right", "right, increase"},
    {"UP", 32, "Up", "up"},
    {"DOWN", 33, "Down", "down"},
    {"VOL+", 34, "+", "volume up"},
    {"VOL-", 35, "-", "volume down"},
    {"CH+", 37, "PageUp", "channel up"},
    {"CH-", 38, "PageDown", "channel down"},
    {"EXIT", 134, "Escape", "exit"},
    {"FP_POWER", 255, "F1", "front panel Power"},
    {"FP_VOL+", 256, "F2", "front panel Vol+"},
    {"FP_VOL-", 257, "F3", "front panel Vol-"},
    {"FP_CH+", 258, "F4", "front panel CH+"},
    {"FP_CH-", 259, "F5", "front panel CH-"},
    {"FP_MENU", 260, "F6", "front panel Menu"},
    {"FP_INPUT", 261, "F7", "front panel Input"},
};

}  // namespace

std::span<const RemoteKey> RemoteKeys() { return kKeys; }

int32_t RemoteKeyCode(const char* name) {
  for (const RemoteKey& key : kKeys)
    if (strcasecmp(key.name, name) == 0) return key.keyCode;
  return -1;
}
