// The wireless security rules of the network screens: the security methods
// (the security byte of an access-point record and of a join request) with
// the authentication and encryption each stands for, and what a network name
// and a security key may be. Plain functions over plain data, so that every
// screen that edits a wireless network (the access-point form here, the
// quick wireless setup dialogs) applies the same rules.
//
//   method  authentication     encryption
//   0       Open/Shared        None
//   1       Open/Shared        WEP
//   2       WPA-PSK            AES
//   3       WPA-PSK            TKIP
//   4       WPA2-PSK           AES
//   5       WPA2-PSK           TKIP
//   6       Unsupported        Unsupported    (also every byte above 6)
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace Network::Security {

// The choices of the authentication and encryption options; the last of
// each is shown only for a network of no known method.
enum Authentication : int32_t { AuthOpenShared = 0, AuthWpaPsk = 1, AuthWpa2Psk = 2, AuthUnsupported = 3 };
enum Encryption : int32_t { EncNone = 0, EncWep = 1, EncTkip = 2, EncAes = 3, EncUnsupported = 4 };

enum Method : uint8_t {
  MethodOpen = 0,
  MethodWep = 1,
  MethodWpaAes = 2,
  MethodWpaTkip = 3,
  MethodWpa2Aes = 4,
  MethodWpa2Tkip = 5,
  MethodUnsupported = 6,
};

struct MethodRow {
  Authentication authentication;
  Encryption encryption;
};

inline constexpr std::array<MethodRow, 7> kMethods{{
    {AuthOpenShared, EncNone},
    {AuthOpenShared, EncWep},
    {AuthWpaPsk, EncAes},
    {AuthWpaPsk, EncTkip},
    {AuthWpa2Psk, EncAes},
    {AuthWpa2Psk, EncTkip},
    {AuthUnsupported, EncUnsupported},
}};

// The method a new network starts with: WPA2-PSK with AES.
inline constexpr Method kDefaultMethod = MethodWpa2Aes;
// The longest network name the middleware takes.
inline constexpr int32_t kMaxNetworkName = 32;

// The method of a security byte as a record carries it: every byte above 6
// is a method the set does not support.
constexpr Method MethodOfByte(uint8_t byte) { return byte < MethodUnsupported ? Method(byte) : MethodUnsupported; }

// The method of a pair of choices; a pair of no method (WPA-PSK with WEP)
// is unsupported.
constexpr Method MethodOf(int32_t authentication, int32_t encryption) {
  for (uint8_t m = 0; m < MethodUnsupported; ++m)
    if (kMethods[m].authentication == authentication && kMethods[m].encryption == encryption) return Method(m);
  return MethodUnsupported;
}

// The encryption that goes with a newly chosen authentication: WEP for
// Open/Shared, AES for the WPA kinds; any other keeps the current one.
constexpr int32_t EncryptionFor(int32_t authentication, int32_t current) {
  switch (authentication) {
    case AuthOpenShared:
      return EncWep;
    case AuthWpaPsk:
    case AuthWpa2Psk:
      return EncAes;
    default:
      return current;
  }
}

// Every character is a hexadecimal digit, in either case; false when empty.
bool IsKeyHex(std::u16string_view text);

// Whether a key fits the method: WEP takes 5 or 13 characters of any kind,
// or 10 or 26 hexadecimal digits; the WPA kinds 8 to 63 of any kind, or 64
// hexadecimal digits; an open or unsupported network takes any key.
bool CheckKey(Method method, std::u16string_view key);

// Whether a network name is short enough to be joined by.
constexpr bool NameFits(std::u16string_view name) { return name.size() <= size_t(kMaxNetworkName); }

}  // namespace Network::Security
