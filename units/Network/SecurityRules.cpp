#include "Network/SecurityRules.h"

#include <algorithm>

namespace Network::Security {

namespace {

bool IsHexDigit(char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'); }

}  // namespace

bool IsKeyHex(std::u16string_view text) { return !text.empty() && std::all_of(text.begin(), text.end(), IsHexDigit); }

bool CheckKey(Method method, std::u16string_view key) {
  const size_t n = key.size();
  switch (method) {
    case MethodWep:
      return n == 5 || n == 13 || ((n == 10 || n == 26) && IsKeyHex(key));
    case MethodWpaAes:
    case MethodWpaTkip:
    case MethodWpa2Aes:
    case MethodWpa2Tkip:
      return (n >= 8 && n <= 63) || (n == 64 && IsKeyHex(key));
    case MethodOpen:
    case MethodUnsupported:
      return true;
  }
  return true;
}

}  // namespace Network::Security
