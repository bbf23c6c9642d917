#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "vgpayload.h"

namespace {

TEST(PayloadReader, WordsAreLittleEndianAndReadZeroPastTheEnd) {
  const uint8_t bytes[] = {1, 0, 0, 0, 0x78, 0x56, 0x34, 0x12, 0xFF, 0xFF};
  VgPayloadReader payload(bytes, sizeof bytes);
  EXPECT_EQ(payload.Size(), 10u);
  EXPECT_EQ(payload.Word(0), 1u);
  EXPECT_EQ(payload.Word(1), 0x12345678u);
  EXPECT_EQ(payload.Int(1), 0x12345678);
  EXPECT_EQ(payload.Word(2), 0u);  // two bytes of it only
  EXPECT_EQ(payload.U16(8), 0xFFFF);
  EXPECT_EQ(payload.U16(9), 0);
  EXPECT_EQ(payload.Byte(9), 0xFF);
  EXPECT_EQ(payload.Byte(10), 0);
  EXPECT_TRUE(payload.Has(8, 2));
  EXPECT_FALSE(payload.Has(8, 3));
}

TEST(PayloadReader, SignedWordsAndDoubles) {
  uint8_t bytes[12] = {0xFE, 0xFF, 0xFF, 0xFF};
  const double speed = 35.75;
  std::memcpy(bytes + 4, &speed, sizeof speed);
  VgPayloadReader payload(bytes, sizeof bytes);
  EXPECT_EQ(payload.Int(0), -2);
  EXPECT_EQ(payload.Double(4), 35.75);
  EXPECT_EQ(payload.Double(5), 0);
}

TEST(PayloadReader, FarOffsetsDoNotWrapAround) {
  const uint8_t bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  VgPayloadReader payload(bytes, sizeof bytes);
  EXPECT_FALSE(payload.Has(UINT32_MAX - 2, 4));
  EXPECT_FALSE(payload.Has(4, UINT32_MAX));
  EXPECT_EQ(payload.Word(UINT32_MAX / 4 + 2), 0u);
  EXPECT_EQ(payload.Word(0x40000000u), 0u);
  EXPECT_EQ(payload.U16(UINT32_MAX), 0);
  EXPECT_EQ(payload.Double(UINT32_MAX - 3), 0);
  EXPECT_EQ(payload.Text(UINT32_MAX), "");
}

TEST(PayloadReader, NoDataMeansNoBytes) {
  VgPayloadReader payload(nullptr, 100);
  EXPECT_EQ(payload.Size(), 0u);
  EXPECT_EQ(payload.Word(0), 0u);
  EXPECT_TRUE(payload.Has(0, 0));
  EXPECT_FALSE(payload.Has(0, 1));
  EXPECT_EQ(payload.Text(0), "");
}

TEST(PayloadReader, TextsEndAtTheirMarkTheirLimitOrThePayload) {
  const char bytes[] = {'a', 'b', 'c', 0, 'd', 'e', 'f', 'g'};
  VgPayloadReader payload(bytes, sizeof bytes);
  EXPECT_EQ(payload.Text(0), "abc");
  EXPECT_EQ(payload.Text(4), "defg");
  EXPECT_EQ(payload.Text(4, 2), "de");
  EXPECT_EQ(payload.Text(8, 10), "");
  EXPECT_EQ(payload.Text(9), "");
}

}  // namespace
