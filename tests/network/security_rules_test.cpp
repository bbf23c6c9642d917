// The wireless security rules: which keys and names a method takes, and the
// method of an authentication and encryption pair or of a record's byte.
#include <gtest/gtest.h>

#include <string>

#include "Network/SecurityRules.h"

namespace {

using namespace Network::Security;

std::u16string Key(size_t length, char16_t fill = u'k') { return std::u16string(length, fill); }

TEST(SecurityRules, WepTakesFiveOrThirteenOfAnythingAndTenOrTwentySixHexDigits) {
  EXPECT_TRUE(CheckKey(MethodWep, u"a!b c"));
  EXPECT_TRUE(CheckKey(MethodWep, Key(13)));
  EXPECT_TRUE(CheckKey(MethodWep, u"0123456789"));
  EXPECT_TRUE(CheckKey(MethodWep, u"ABCDEFabcdef0123456789ABCD"));
  EXPECT_FALSE(CheckKey(MethodWep, u"012345678g")) << "ten characters, one not hex";
  EXPECT_FALSE(CheckKey(MethodWep, Key(26)));
  for (size_t n : {0, 4, 6, 9, 11, 12, 14, 25, 27}) EXPECT_FALSE(CheckKey(MethodWep, Key(n, u'a'))) << n;
}

TEST(SecurityRules, WpaTakesEightToSixtyThreeOfAnythingOrSixtyFourHexDigits) {
  for (Method m : {MethodWpaAes, MethodWpaTkip, MethodWpa2Aes, MethodWpa2Tkip}) {
    EXPECT_FALSE(CheckKey(m, Key(7))) << int(m);
    EXPECT_TRUE(CheckKey(m, Key(8))) << int(m);
    EXPECT_TRUE(CheckKey(m, Key(63))) << int(m);
    EXPECT_FALSE(CheckKey(m, Key(64))) << int(m);
    EXPECT_TRUE(CheckKey(m, Key(64, u'F'))) << int(m);
    EXPECT_FALSE(CheckKey(m, Key(65, u'f'))) << int(m);
  }
  EXPECT_FALSE(CheckKey(MethodWpa2Aes, u"short"));
}

TEST(SecurityRules, OpenAndUnsupportedNetworksTakeAnyKeyAndHexNeedsOneDigit) {
  EXPECT_TRUE(CheckKey(MethodOpen, u""));
  EXPECT_TRUE(CheckKey(MethodUnsupported, Key(100)));
  EXPECT_FALSE(IsKeyHex(u""));
  EXPECT_TRUE(IsKeyHex(u"aF09"));
  EXPECT_FALSE(IsKeyHex(u"0x12"));
}

TEST(SecurityRules, ANameTakesAtMostThirtyTwoCharacters) {
  EXPECT_TRUE(NameFits(u""));
  EXPECT_TRUE(NameFits(Key(32)));
  EXPECT_FALSE(NameFits(Key(33)));
}

TEST(SecurityRules, EveryByteBeyondTheTableIsTheUnsupportedMethod) {
  for (int byte = 0; byte < 6; ++byte) EXPECT_EQ(MethodOfByte(uint8_t(byte)), Method(byte));
  for (int byte : {6, 7, 127, 128, 255}) EXPECT_EQ(MethodOfByte(uint8_t(byte)), MethodUnsupported) << byte;
}

TEST(SecurityRules, APairNamesItsMethodAndAPairOfNoneIsUnsupported) {
  for (uint8_t m = 0; m < kMethods.size(); ++m)
    EXPECT_EQ(MethodOf(kMethods[m].authentication, kMethods[m].encryption), Method(m));
  EXPECT_EQ(MethodOf(AuthWpaPsk, EncWep), MethodUnsupported);
  EXPECT_EQ(MethodOf(AuthOpenShared, EncAes), MethodUnsupported);
  EXPECT_EQ(EncryptionFor(AuthOpenShared, EncNone), EncWep);
  EXPECT_EQ(EncryptionFor(AuthWpaPsk, EncWep), EncAes);
  EXPECT_EQ(EncryptionFor(AuthWpa2Psk, EncTkip), EncAes);
  EXPECT_EQ(EncryptionFor(AuthUnsupported, EncTkip), EncTkip);
}

}  // namespace
