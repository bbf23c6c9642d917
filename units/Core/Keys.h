// The GUI key codes: what a Core::KeyEvent's keyCode holds once the host's key
// table has mapped the remote's hardware code. Compare key events, fill key
// fields (ActivateKey, IncreaseKey, HotKey...) and write key tables with these
// names, never with the numbers.
//
//   if (key->keyCode == Key::Back) ...
//   button->OnSetIncreaseKey(Key::Right);
//   if (Key::IsDigit(code)) Type(Key::DigitOf(code));
//
// A name says the role the screens give the key. The few codes that the key
// table produces but no screen gives a role yet are named by their number
// (Key::Code64); rename one when a screen gives it its role.
#pragma once

#include <cstdint>

namespace Key {

using Code = uint16_t;

inline constexpr Code None = 0;  // a hardware key without a mapping
inline constexpr Code Ok = 1;    // OK, select, activate
inline constexpr Code ClearAll = 2;  // closes every screen (with Exit, "the exit keys")
inline constexpr Code Menu = 3;
inline constexpr Code Up = 4;
inline constexpr Code Down = 5;
inline constexpr Code Left = 6;  // also decrease
inline constexpr Code Right = 7;  // also increase
inline constexpr Code Code8 = 8;
inline constexpr Code Code9 = 9;
inline constexpr Code Digit0 = 10;  // Digit0 to Digit9 are 10 to 19
inline constexpr Code Digit9 = 19;
inline constexpr Code Red = 20;  // the colour keys of the help bar
inline constexpr Code Green = 21;
inline constexpr Code Blue = 22;
inline constexpr Code Yellow = 23;
inline constexpr Code Code29 = 29;
inline constexpr Code Code30 = 30;
inline constexpr Code ChannelUp = 36;
inline constexpr Code ChannelDown = 37;
inline constexpr Code Code38 = 38;
inline constexpr Code PageUp = 39;  // also skip backward in the players
inline constexpr Code PageDown = 40;  // also skip forward
inline constexpr Code Back = 41;  // "Return": back to the previous screen
inline constexpr Code Dot = 44;  // the decimal separator
inline constexpr Code Exit = 45;
inline constexpr Code VolumeUp = 46;
inline constexpr Code VolumeDown = 47;
inline constexpr Code Code48 = 48;
inline constexpr Code Play = 50;
inline constexpr Code Pause = 51;
inline constexpr Code Record = 52;
inline constexpr Code Stop = 53;
inline constexpr Code Last = 54;  // goes back while a screen is open
inline constexpr Code Rewind = 58;
inline constexpr Code FastForward = 59;
inline constexpr Code Quick = 63;  // the quick menu; offered to the non-menu system alone
inline constexpr Code Code64 = 64;
inline constexpr Code Code65 = 65;
inline constexpr Code Code66 = 66;
inline constexpr Code Code69 = 69;
inline constexpr Code Code70 = 70;
inline constexpr Code Code73 = 73;
inline constexpr Code Code76 = 76;
inline constexpr Code Code77 = 77;
inline constexpr Code Info = 79;
inline constexpr Code Power = 80;
inline constexpr Code Factory = 81;  // offered to the factory system alone
inline constexpr Code Input = 83;
inline constexpr Code Mute = 84;
inline constexpr Code Code86 = 86;
inline constexpr Code Code87 = 87;
inline constexpr Code Code88 = 88;
inline constexpr Code Freeze = 89;  // the freeze key: the one key that leaves a frozen picture frozen
inline constexpr Code Code90 = 90;
inline constexpr Code Code91 = 91;
inline constexpr Code Code92 = 92;
inline constexpr Code Code94 = 94;
inline constexpr Code ThreeD = 95;  // the 3D key; in the 3D mode chooser it closes the chooser
inline constexpr Code Code96 = 96;
inline constexpr Code Code97 = 97;
inline constexpr Code Code98 = 98;
inline constexpr Code GridPageUp = 99;  // the page keys of the grids
inline constexpr Code GridPageDown = 100;
inline constexpr Code Code101 = 101;
inline constexpr Code Code102 = 102;
inline constexpr Code Code104 = 104;

// The on-screen keyboard's codes: capital letters, a code that types nothing,
// small letters, then the signs (two codes of the run, 175 and 186, have none).
inline constexpr Code LetterA = 105;  // LetterA to LetterZ are 105 to 130
// The remote's favourites key gives the letter F's code: the favourites strip
// steps on to the next favourite.
inline constexpr Code Favorites = 110;
inline constexpr Code TestReset = 122;  // the letter R: the service remote's reset
inline constexpr Code LetterZ = 130;
inline constexpr Code Blank = 131;  // what a typed space gives: no character
inline constexpr Code SmallA = 132;  // SmallA to SmallZ are 132 to 157
inline constexpr Code SmallZ = 157;
inline constexpr Code Slash = 160;  // the signs / = ; space , @ ! # $ % ^ & * ~ ?
inline constexpr Code Space = 163;
inline constexpr Code Question = 174;
inline constexpr Code Minus = 176;  // the signs - < > [ ] ( ) \ + :
inline constexpr Code Colon = 185;
inline constexpr Code Quote = 187;
inline constexpr Code Underscore = 188;
inline constexpr Code Code195 = 195;
inline constexpr Code Code196 = 196;

constexpr bool IsDigit(Code code) { return code >= Digit0 && code <= Digit9; }
// The digit 0 to 9 of a digit key.
constexpr int DigitOf(Code code) { return code - Digit0; }
constexpr bool IsArrow(Code code) { return code >= Up && code <= Right; }

}  // namespace Key
