// The layers of the screens: one bit each. The widget manager keeps at most
// one open screen per layer, the screens of all sub-systems are drawn as one
// stack with the lower layers first (a layer compared as an unsigned word),
// and a clear closes whole layers by mask. Every screen takes its layer from
// this list, and the masks are made of its names.
#pragma once

#include <cstdint>

namespace Layers {

// The media players and the recordings' playback windows: under every
// screen, and kept through a clear.
inline constexpr int32_t Media = 0x1;
// The main menu and the first level of the older pages; the first-time
// setup's dialogs.
inline constexpr int32_t MainMenu = 0x2;
// The menus' pages.
inline constexpr int32_t MenuPage = 0x4;
// The menus' option pop-ups and third-level pages.
inline constexpr int32_t MenuPopUp = 0x8;
// The last layer of the menus, which none of their screens takes now.
inline constexpr int32_t MenuTop = 0x10;
// The screens outside the menus, by default.
inline constexpr int32_t Widget = 0x20;
// Panels over a dialog that stays open under them (the channel lists'
// settings, the address editor, the HDMI device list).
inline constexpr int32_t Panel = 0x40;
// Dialogs over a screen (the record and timer dialogs, questions).
inline constexpr int32_t Dialog = 0x80;
// Pop-ups over a dialog (option pop-ups, the keypad, the spinner, the
// conflicting timers).
inline constexpr int32_t PopUp = 0x100;
// The help bar.
inline constexpr int32_t HelpBar = 0x200;
// Messages, over the pop-ups they tell about.
inline constexpr int32_t Message = 0x400;
// The mute sign, kept through a clear.
inline constexpr int32_t Mute = 0x800;
// The factory's screens.
inline constexpr int32_t Factory = 0x1000;
// The factory's mode indicator and status check.
inline constexpr int32_t FactoryIndicator = 0x2000;
// The factory's messages of the factory mode alone.
inline constexpr int32_t FactoryOnly = 0x4000;
// The last layer the factory clears, which none of its screens takes now.
inline constexpr int32_t FactoryTop = 0x8000;
// The volume bar: a passing notice above every screen.
inline constexpr int32_t Volume = 0x10000;

// What the menus close when they close.
inline constexpr int32_t Menus = MainMenu | MenuPage | MenuPopUp | MenuTop;
// What a clear closes of the screens outside the menus: the media windows
// and the mute sign stay.
inline constexpr int32_t NonMenuClear = Widget | Panel | Dialog | PopUp | Message | Volume;
// What a clear closes of the factory's screens: its indicator and its
// factory-only messages stay.
inline constexpr int32_t FactoryClear = Factory | FactoryTop;

}  // namespace Layers
