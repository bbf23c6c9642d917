// The address rules of the network screens: which values each field takes,
// the dotted text, and how typed digits build an octet.
#include <gtest/gtest.h>

#include "Network/Address.h"
#include "Strings.h"
#include "vgstring.h"

namespace {

using Network::AddressFault;
using Network::AddressField;
using Network::Pack;

constexpr uint32_t Ip(uint8_t a, uint8_t b, uint8_t c, uint8_t d) { return Pack({a, b, c, d}); }

TEST(Addresses, MasksMustBeOnesThenZeros) {
  for (uint32_t mask : {Ip(255, 255, 255, 0), Ip(128, 0, 0, 0), Ip(255, 255, 255, 255), Ip(255, 255, 252, 0)})
    EXPECT_EQ(AddressFault(AddressField::Mask, mask), nullptr) << std::hex << mask;
  for (uint32_t mask : {0u, Ip(255, 0, 255, 0), Ip(0, 255, 255, 255), Ip(255, 0, 0, 255), Ip(255, 255, 255, 1)})
    EXPECT_EQ(AddressFault(AddressField::Mask, mask), &Strings::SID_INVALID_SUBNET_MASK) << std::hex << mask;
}

TEST(Addresses, OnlyTheEmptyAddressIsRefusedAndDnsTakesAnything) {
  for (AddressField field : {AddressField::Ip, AddressField::Gateway}) {
    EXPECT_EQ(AddressFault(field, 0), &Strings::SID_INVALID_ADDRESS_MSG);
    EXPECT_EQ(AddressFault(field, Ip(0, 0, 0, 1)), nullptr);
  }
  EXPECT_EQ(AddressFault(AddressField::Dns1, 0), nullptr);
  EXPECT_EQ(AddressFault(AddressField::Dns2, 0xFFFFFFFF), nullptr);
}

TEST(Addresses, TheFirstOctetIsTheMostSignificantAndTheTextHasNoLeadingZeros) {
  EXPECT_EQ(Ip(192, 168, 1, 23), 0xC0A80117u);
  EXPECT_EQ(Network::Split(0xC0A80117u), (Network::Octets{192, 168, 1, 23}));
  EXPECT_EQ(VgStringToUtf8(Network::DottedText(Ip(10, 0, 7, 255))), "10.0.7.255");
}

TEST(Addresses, DigitsBuildAnOctetUntilItPassesTheMaximum) {
  Network::OctetEntry entry;
  EXPECT_EQ(entry.Next(255, 1, false), 1) << "a digit after the entry time starts anew";
  EXPECT_EQ(entry.Next(1, 9, true), 19);
  EXPECT_EQ(entry.Next(19, 2, true), 192);
  EXPECT_EQ(entry.Next(192, 1, true), 1921) << "the spinner shows 255";
  EXPECT_TRUE(entry.complete);
  EXPECT_EQ(entry.Next(255, 4, true), 4) << "a completed entry starts anew even in time";
  EXPECT_FALSE(entry.complete);
}

}  // namespace
