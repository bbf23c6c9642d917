#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "payload.h"

namespace {

TEST(PayloadReader, WordsAreLittleEndianAndStopAtTheEnd) {
  const uint8_t bytes[] = {1, 0, 0, 0, 0x78, 0x56, 0x34, 0x12, 0xFF, 0xFF};
  PayloadReader payload(bytes, sizeof bytes);
  uint32_t word = 0;
  ASSERT_TRUE(payload.Word(0, &word));
  EXPECT_EQ(word, 1u);
  ASSERT_TRUE(payload.Word(1, &word));
  EXPECT_EQ(word, 0x12345678u);
  word = 7;
  EXPECT_FALSE(payload.Word(2, &word));
  EXPECT_EQ(word, 7u);
  uint16_t half = 0;
  ASSERT_TRUE(payload.U16(8, &half));
  EXPECT_EQ(half, 0xFFFF);
  EXPECT_FALSE(payload.U16(9, &half));
  uint8_t byte = 0;
  EXPECT_TRUE(payload.Byte(9, &byte));
  EXPECT_FALSE(payload.Byte(10, &byte));
}

TEST(PayloadReader, FarOffsetsDoNotWrapAround) {
  const uint8_t bytes[8] = {};
  PayloadReader payload(bytes, sizeof bytes);
  uint32_t word = 0;
  EXPECT_FALSE(payload.Has(UINT32_MAX - 2, 4));
  EXPECT_FALSE(payload.Has(4, UINT32_MAX));
  EXPECT_FALSE(payload.Word(UINT32_MAX / 4 + 2, &word));
  EXPECT_FALSE(payload.Word(0x40000000u, &word));
  char out[4];
  EXPECT_FALSE(payload.Copy(6, 4, out));
  EXPECT_TRUE(payload.Copy(4, 4, out));
}

TEST(PayloadReader, NoDataMeansNoBytes) {
  PayloadReader payload(nullptr, 100);
  EXPECT_EQ(payload.size(), 0u);
  uint32_t word = 0;
  EXPECT_FALSE(payload.Word(0, &word));
  EXPECT_TRUE(payload.Has(0, 0));
}

TEST(PayloadReader, TextsEndAtTheirMarkTheirFieldOrThePayload) {
  const char bytes[] = {'a', 'b', 'c', 0, 'd', 'e', 'f', 'g'};
  PayloadReader payload(bytes, sizeof bytes);
  std::string text;
  ASSERT_TRUE(payload.Text(0, 100, &text));
  EXPECT_EQ(text, "abc");
  ASSERT_TRUE(payload.Text(4, 100, &text));
  EXPECT_EQ(text, "defg");
  ASSERT_TRUE(payload.Text(4, 2, &text));
  EXPECT_EQ(text, "de");
  ASSERT_TRUE(payload.Text(8, 10, &text));
  EXPECT_EQ(text, "");
  EXPECT_FALSE(payload.Text(9, 10, &text));
}

}  // namespace
