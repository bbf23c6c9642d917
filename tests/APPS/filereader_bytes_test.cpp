#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "SimpleFileReader.h"
#include "test_files.h"

namespace {

class FileReaderBytes : public ::testing::Test {
 protected:
  std::vector<uint8_t> Read(const std::vector<uint8_t>& content, int32_t mode, int32_t offset = 0,
                            int32_t length = 1000) {
    WriteBytes(file, content);
    EXPECT_TRUE(SimpleReadFile(file.c_str(), offset, length, mode));
    const uint8_t* data = SimpleFileBuffer();
    return std::vector<uint8_t>(data, data + std::strlen(reinterpret_cast<const char*>(data)));
  }

  TestDir dir;
  std::string file = dir / "data.bin";
};

TEST_F(FileReaderBytes, Mode1DropsADoubleByteCharacterCutAtTheEnd) {
  // Three bytes with the top bit set at the end: the last one is half a character.
  EXPECT_EQ(Read({'a', 0xB0, 0xA1, 0xB0}, 1), (std::vector<uint8_t>{'a', 0xB0, 0xA1}));
  EXPECT_EQ(GetNumReadByte(), 3);
  EXPECT_EQ(Read({'a', 0xB0, 0xA1}, 1), (std::vector<uint8_t>{'a', 0xB0, 0xA1}));
  EXPECT_EQ(GetNumReadByte(), 3);
  EXPECT_EQ(Read({0xB0}, 1), std::vector<uint8_t>{});
  EXPECT_EQ(GetNumReadByte(), 0);
}

TEST_F(FileReaderBytes, Mode2CountsAroundACharacterCutAtTheStart) {
  EXPECT_EQ(Read({0xA1, 'a', 'b'}, 2), (std::vector<uint8_t>{0xA1, 'a', 'b'}));
  EXPECT_EQ(GetNumReadByte(), 2);
  Read({0xA1, 0xB0, 'a'}, 2);
  EXPECT_EQ(GetNumReadByte(), 3);
  Read({'a', 'b'}, 7);  // any other mode: the data as read
  EXPECT_EQ(GetNumReadByte(), 2);
}

TEST_F(FileReaderBytes, ReadsAStretchClampedToTheBuffer) {
  std::vector<uint8_t> content(300000);
  for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<uint8_t>('a' + i % 26);
  Read(content, 3, 10, 5);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(SimpleFileBuffer())), "klmno");
  Read(content, 3, 0, 1 << 30);
  EXPECT_EQ(GetNumReadByte(), kSimpleFileBufferSize);
  Read(content, 3, 0, -5);
  EXPECT_EQ(GetNumReadByte(), 0);
  Read(content, 3, 299998, 100);
  EXPECT_EQ(GetNumReadByte(), 2);
  EXPECT_EQ(SimpleLoadFile(file.c_str()), kSimpleFileBufferSize);
  EXPECT_EQ(SimpleFileLength(file.c_str()), 300000);
}

TEST_F(FileReaderBytes, AFailedReadDeliversNothing) {
  Read({'a', 'b', 'c'}, 3);
  ASSERT_EQ(GetNumReadByte(), 3);
  const std::string missing = dir / "missing";
  EXPECT_FALSE(SimpleReadFile(missing.c_str(), 0, 10, 3));
  EXPECT_EQ(GetNumReadByte(), 0);
  EXPECT_EQ(SimpleLoadFile(missing.c_str()), -1);
  EXPECT_EQ(SimpleFileLength(missing.c_str()), 0);
  EXPECT_EQ(SimpleFileLength(dir.path().c_str()), 0);
  EXPECT_EQ(SimpleFileLength(""), 0);
}

// UTF-16 text of an odd byte count must still end within the terminator bytes.
TEST_F(FileReaderBytes, Mode0TextIsTerminatedAfterAnOddByteCount) {
  std::vector<uint8_t> junk(16, 0xEE);
  WriteBytes(file, junk);
  SimpleReadFile(file.c_str(), 0, 16, 0);  // leaves nonzero bytes behind the next data
  WriteBytes(file, {'a', 0, 'b'});
  ASSERT_TRUE(SimpleReadFile(file.c_str(), 0, 3, 0));
  const auto* text = reinterpret_cast<const char16_t*>(SimpleFileBuffer());
  EXPECT_EQ(std::u16string(text), std::u16string(u"a") + char16_t{'b'});
}

}  // namespace
