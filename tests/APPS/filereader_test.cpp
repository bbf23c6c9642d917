#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SimpleFileReader.h"
#include "test_files.h"
#include "vgstring.h"

namespace {

VgString S(const char* text) { return VgNewStringUtf8(text); }

class FileReader : public ::testing::Test {
 protected:
  TestDir dir;
  std::string file = dir / "usr/share/data.txt";
  VgStr path = S("/usr/share/data.txt");  // a platform path, below the test's root
};

TEST_F(FileReader, LoadsAtMostTheBufferAsText) {
  std::filesystem::create_directories(dir / "usr/share");
  std::vector<uint8_t> content(300000);
  for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<uint8_t>('A' + i % 26);
  WriteBytes(file, content);
  VgString text = LoadStringFromFile(path);
  ASSERT_EQ(VgGetStringLength(text), kSimpleFileBufferSize);
  EXPECT_EQ(VgGetStringChar(text, kSimpleFileBufferSize - 1), u'A' + (kSimpleFileBufferSize - 1) % 26);
  EXPECT_EQ(GetFileLength(path), 300000);

  WriteBytes(file, {'c', 'a', 'f', 0xE9});  // one character per byte
  EXPECT_EQ(VgStringToUtf8(LoadStringFromFile(path)), "caf\u00e9");
}

TEST_F(FileReader, AMissingFileGivesNothing) {
  EXPECT_EQ(LoadStringFromFile(path), nullptr);
  EXPECT_EQ(GetFileLength(path), 0);
  EXPECT_EQ(ReadFromFile(path, 0, 10, 0), nullptr);
  EXPECT_EQ(GetNumReadByte(), 0);
  EXPECT_EQ(LoadStringFromFile(nullptr), nullptr);
}

TEST_F(FileReader, ReadsUtf16TextAndLeavesOtherModesInTheBuffer) {
  std::filesystem::create_directories(dir / "usr/share");
  const std::u16string text = u"Men\u00fc \u4e2d";
  std::vector<uint8_t> bytes(reinterpret_cast<const uint8_t*>(text.data()),
                             reinterpret_cast<const uint8_t*>(text.data() + text.size()));
  WriteBytes(file, bytes);
  VgString read = ReadFromFile(path, 2, 1000, 0);
  EXPECT_EQ(std::u16string(read ? read : u""), text.substr(1));
  EXPECT_EQ(GetNumReadByte(), static_cast<int32_t>(bytes.size()) - 2);
  EXPECT_EQ(ReadFromFile(path, 0, 1000, 1), nullptr);
  EXPECT_EQ(GetNumReadByte(), static_cast<int32_t>(bytes.size()));
  AllocBuffer();
  FreeBuffer();
}

}  // namespace
