#include "remote_keys.h"

#include <strings.h>

#include <string>

#include "keymap.h"

namespace {

// Every key of the host's key table that a screen gives a role, named after
// that role, and FREEZE, which no screen takes but a viewer's remote still
// has; the keyboard's letters and signs are sent by their codes.
constexpr RemoteKey kKeys[] = {
    {"POWER", 2, Key::Power, "P", "power: to standby, and in standby out of it"},
    {"QUICK", 3, Key::Quick, "Q", "the quick menu"},
    {"INPUT", 8, Key::Input, "S", "the input list"},
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
    {"DOT", 19, Key::Dot, ".", "the decimal point of numbers typed"},
    {"OK", 20, Key::Ok, "Return", "activate"},
    {"MENU", 23, Key::Menu, "M", "the main menu"},
    {"INFO", 24, Key::Info, "I", "information: the schedules' and the library's panel, a playback's banner"},
    {"EXIT", 25, Key::Exit, "Escape", "exit: closes the screens"},
    {"FAV", 26, Key::Favorites, "F", "favourites: the next favourite of the strip"},
    {"LAST", 29, Key::Last, "L", "last: back while a screen is open"},
    {"LEFT", 30, Key::Left, "Left", "left, decrease"},
    {"RIGHT", 31, Key::Right, "Right", "right, increase"},
    {"UP", 32, Key::Up, "Up", "up"},
    {"DOWN", 33, Key::Down, "Down", "down"},
    {"VOL+", 34, Key::VolumeUp, "+", "volume up"},
    {"VOL-", 35, Key::VolumeDown, "-", "volume down"},
    {"MUTE", 36, Key::Mute, "U", "mute"},
    {"CH+", 37, Key::ChannelUp, "PageUp",
     "the previous page of the media lists and the recordings library; no channel"},
    {"CH-", 38, Key::ChannelDown, "PageDown",
     "the next page of the media lists and the recordings library; no channel"},
    {"FREEZE", 39, Key::Freeze, "Z", "nothing: no screen takes it, and nothing here freezes the picture"},
    {"3D", 49, Key::ThreeD, "D", "closes only the chooser of 3D or 2D made into 3D, which no key opens"},
    {"GRID_UP", 91, Key::GridPageUp, "Insert", "the previous page of a grid"},
    {"PLAY", 102, Key::Play, "Space", "play"},
    {"STOP", 103, Key::Stop, "X", "stop"},
    {"PAUSE", 104, Key::Pause, "K", "pause"},
    {"PAGE_UP", 107, Key::PageUp, "Home", "the previous page of a list; skip back in a recording's playback"},
    {"PAGE_DOWN", 108, Key::PageDown, "End", "the next page of a list; skip forward in a recording's playback"},
    {"REWIND", 109, Key::Rewind, "[", "rewind"},
    {"FF", 110, Key::FastForward, "]", "fast forward"},
    {"RECORD", 111, Key::Record, "O", "record"},
    {"RED", 112, Key::Red, "R", "the red key of the help bar"},
    {"GREEN", 113, Key::Green, "G", "the green key of the help bar"},
    {"YELLOW", 114, Key::Yellow, "Y", "the yellow key of the help bar"},
    {"BLUE", 115, Key::Blue, "B", "the blue key of the help bar"},
    {"CLEAR", 133, Key::ClearAll, "C", "closes every screen"},
    {"BACK", 134, Key::Back, "Backspace", "back to the previous screen"},
    {"TEST_RESET", 153, Key::TestReset, "F9", "the service remote's reset: every screen is told to clear"},
    {"GRID_DOWN", 276, Key::GridPageDown, "Delete", "the next page of a grid"},
    {"FP_POWER", 255, Key::Power, "F1", "front panel Power"},
    {"FP_VOL+", 256, Key::VolumeUp, "F2", "front panel Vol+"},
    {"FP_VOL-", 257, Key::VolumeDown, "F3", "front panel Vol-"},
    {"FP_CH+", 258, Key::ChannelUp, "F4", "front panel CH+"},
    {"FP_CH-", 259, Key::ChannelDown, "F5", "front panel CH-"},
    {"FP_MENU", 260, Key::Menu, "F6", "front panel Menu"},
    {"FP_INPUT", 261, Key::Input, "F7", "front panel Input"},
};

// Each name must give the key the host's table makes of its hardware code,
// and a name and a window key belong to one key alone.
constexpr bool SameText(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    const char ca = *a >= 'a' && *a <= 'z' ? char(*a - 32) : *a;
    const char cb = *b >= 'a' && *b <= 'z' ? char(*b - 32) : *b;
    if (ca != cb) return false;
  }
  return *a == *b;
}

constexpr bool AgreesWithKeyMap() {
  for (const RemoteKey& key : kKeys) {
    if (KeyMapGuiCode(key.keyCode) != key.guiKey) return false;
    for (const RemoteKey& other : kKeys) {
      if (&other == &key) continue;
      if (SameText(key.name, other.name)) return false;
      if (key.pcKey && other.pcKey && SameText(key.pcKey, other.pcKey)) return false;
    }
  }
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

int32_t KeyGivingGuiCode(int64_t guiCode) {
  int32_t frontPanel = -1;
  for (int32_t code = 0; code <= KeyMapLastKeyCode; ++code) {
    if (GuiKeyCodeOf(code) != guiCode || guiCode == 0) continue;
    if (code < FrontPanelFirstKeyCode || code > FrontPanelLastKeyCode) return code;
    if (frontPanel < 0) frontPanel = code;
  }
  return frontPanel;
}

std::string ScenarioKeyWords(int32_t gui, bool frontPanel) {
  auto fromFrontPanel = [](int32_t code) { return code >= FrontPanelFirstKeyCode && code <= FrontPanelLastKeyCode; };
  for (const RemoteKey& key : kKeys)
    if (key.guiKey == gui && fromFrontPanel(key.keyCode) == frontPanel) return key.name;
  if (KeyGivingGuiCode(gui) >= 0) return "gui " + std::to_string(gui);
  // A key line takes 0 to 9 as the digit keys, not as codes.
  for (int32_t code = 10; code <= KeyMapLastKeyCode; ++code)
    if (GuiKeyCodeOf(code) == gui && code != IgnoredKeyCode && !fromFrontPanel(code)) return std::to_string(code);
  return "gui " + std::to_string(gui);
}
