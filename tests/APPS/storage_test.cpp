#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "storageFunction.h"
#include "test_files.h"

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

// The lines of a settings file followed by their check sequence, low byte first.
std::vector<uint8_t> Image(const std::string& lines) {
  std::vector<uint8_t> bytes(lines.begin(), lines.end());
  uint16_t fcs = CalculateChecksum(bytes.data(), static_cast<int32_t>(bytes.size()));
  bytes.push_back(static_cast<uint8_t>(fcs));
  bytes.push_back(static_cast<uint8_t>(fcs >> 8));
  return bytes;
}

Pairs PairsOf(StorageContext* context) {
  Pairs pairs;
  DoubleChain* chain = StorageChain(context);
  const char* key;
  const char* value;
  DC_Dump(chain, nullptr, nullptr);
  while (DC_Dump(chain, &key, &value) == DC_OK) pairs.emplace_back(key, value);
  return pairs;
}

class Storage : public ::testing::Test {
 protected:
  void SetUp() override { context = StorageInit(); }
  void TearDown() override { StorageDone(context); }

  // Loads a file into a fresh context and returns its code and pairs.
  std::pair<int32_t, Pairs> LoadFresh(const std::string& file) {
    StorageContext* other = StorageInit();
    int32_t code = StorageLoad(other, file.c_str());
    Pairs pairs = PairsOf(other);
    StorageDone(other);
    return {code, pairs};
  }

  TestDir dir;
  std::string file = dir / "APP_NVRAM.dat";
  StorageContext* context = nullptr;
};

TEST(StorageChecksum, MatchesTheKnownFrameCheckSequence) {
  const auto* text = reinterpret_cast<const uint8_t*>("123456789");
  uint16_t fcs = CalculateChecksum(text, 9);
  EXPECT_EQ(fcs, 0x906E);
  // Stored low byte first, the frame leaves the good residue.
  const uint8_t stored[2] = {static_cast<uint8_t>(fcs), static_cast<uint8_t>(fcs >> 8)};
  EXPECT_EQ(stored[0], 0x6E);
  EXPECT_EQ(stored[1], 0x90);
  EXPECT_EQ(FcsUpdate(FcsUpdate(0xFFFF, text, 9), stored, 2), 0xF0B8);
  EXPECT_EQ(VerifyChecksum(text, 9, 0x906E), STORAGE_OK);
  EXPECT_EQ(VerifyChecksum(text, 9, 0x6E90), STORAGE_BAD_CHECKSUM);
  EXPECT_EQ(CalculateChecksum(text, 0), 0);
}

TEST_F(Storage, WritesTheLineFormatAndReadsItBack) {
  StorageLoad(context, file.c_str());  // missing: only names the file
  ASSERT_EQ(StoragePut(context, "a", "1"), STORAGE_OK);
  ASSERT_EQ(StoragePut(context, "b", "2"), STORAGE_OK);
  ASSERT_EQ(StorageSave(context), STORAGE_OK);
  EXPECT_EQ(ReadBytes(file), Image("[a]=<1>\n[b]=<2>\n"));
  EXPECT_FALSE(FileExists(file + ".tmp"));
  EXPECT_EQ(LoadFresh(file), std::make_pair(int32_t{STORAGE_OK}, Pairs{{"a", "1"}, {"b", "2"}}));
}

TEST_F(Storage, RoundTripsManyKeysInOrder) {
  StorageLoad(context, file.c_str());
  Pairs expected;
  for (int i = 0; i < 600; ++i) {
    // Values may hold the format's other punctuation, spaces and 8-bit bytes.
    std::string key = "Key_" + std::to_string(i) + (i % 3 ? "[x" : "=<");
    std::string value = std::to_string(i * 7919) + (i % 2 ? " ]=< \xE9\t" : ",1,2,3");
    ASSERT_EQ(StoragePut(context, key.c_str(), value.c_str()), STORAGE_OK);
    expected.emplace_back(key, value);
  }
  ASSERT_EQ(StorageSave(context), STORAGE_OK);
  EXPECT_EQ(LoadFresh(file), std::make_pair(int32_t{STORAGE_OK}, expected));
}

TEST_F(Storage, ReplacingAValueKeepsTheKeysPlace) {
  StorageLoad(context, file.c_str());
  for (const char* key : {"a", "b", "c"}) StoragePut(context, key, "old");
  ASSERT_EQ(StoragePut(context, "b", "new"), STORAGE_OK);
  Pairs expected{{"a", "old"}, {"b", "new"}, {"c", "old"}};
  EXPECT_EQ(PairsOf(context), expected);
  ASSERT_EQ(StorageSave(context), STORAGE_OK);
  EXPECT_EQ(LoadFresh(file).second, expected);
}

TEST_F(Storage, AKeyTwiceInAFileKeepsTheLaterValueAtTheFirstPlace) {
  WriteBytes(file, Image("[k]=<1>\n[m]=<2>\n[k]=<3>\n"));
  EXPECT_EQ(LoadFresh(file), std::make_pair(int32_t{STORAGE_OK}, Pairs{{"k", "3"}, {"m", "2"}}));
}

TEST_F(Storage, LoadingAddsToTheChainAndReplacesValues) {
  WriteBytes(file, Image("[a]=<file>\n"));
  StoragePut(context, "z", "memory");
  StoragePut(context, "a", "memory");
  ASSERT_EQ(StorageLoad(context, file.c_str()), STORAGE_OK);
  EXPECT_EQ(PairsOf(context), (Pairs{{"z", "memory"}, {"a", "file"}}));
}

// Every file that fails its checks gives its code and leaves the chain as it was.
TEST_F(Storage, BadFilesAreRejectedAndLeaveTheChainAlone) {
  std::vector<uint8_t> good = Image("[a]=<1>\n[b]=<2>\n");
  StoragePut(context, "kept", "yes");
  const Pairs before = PairsOf(context);

  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    int32_t code;
  };
  std::vector<Case> cases;
  for (size_t i : {good.size() - 1, good.size() - 2, size_t{3}}) {
    auto flipped = good;
    flipped[i] ^= 0x01;
    cases.push_back({"flipped byte", flipped, STORAGE_BAD_CHECKSUM});
  }
  cases.push_back({"truncated", std::vector<uint8_t>(good.begin(), good.end() - 5), STORAGE_BAD_CHECKSUM});
  cases.push_back({"one byte", {'['}, STORAGE_BAD_CHECKSUM});
  cases.push_back({"64001 bytes", std::vector<uint8_t>(64001, '\n'), STORAGE_TOO_LARGE});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(file, c.bytes);
    EXPECT_EQ(StorageCheckFile(file.c_str()), c.code);
    EXPECT_EQ(StorageLoad(context, file.c_str()), c.code);
    EXPECT_EQ(PairsOf(context), before);
  }
  std::filesystem::remove(file);
  EXPECT_EQ(StorageLoad(context, file.c_str()), STORAGE_FILE_ERROR);
  EXPECT_EQ(StorageLoad(context, dir.path().c_str()), STORAGE_FILE_ERROR);  // a directory is no file
  EXPECT_EQ(StorageLoad(context, ""), STORAGE_FILE_ERROR);
  EXPECT_EQ(PairsOf(context), before);
}

TEST_F(Storage, BoundaryFilesLoad) {
  WriteBytes(file, {});
  EXPECT_EQ(LoadFresh(file), std::make_pair(int32_t{STORAGE_OK}, Pairs{}));
  // Exactly 64000 bytes, lines and check sequence.
  std::string lines = "[a]=<1>\n" + std::string(64000 - 2 - 8, '\n');
  WriteBytes(file, Image(lines));
  ASSERT_EQ(ReadBytes(file).size(), 64000u);
  EXPECT_EQ(LoadFresh(file), std::make_pair(int32_t{STORAGE_OK}, Pairs{{"a", "1"}}));
}

TEST_F(Storage, LinesAreBoundAt519Bytes) {
  StorageLoad(context, file.c_str());
  const std::string key(14, 'k');
  const std::string longest(kStoragePairLimit - 14, 'v');  // key plus value: 514 bytes
  ASSERT_EQ(StoragePut(context, key.c_str(), longest.c_str()), STORAGE_OK);
  // One byte more makes a line the file cannot hold: refused, the stored value stays.
  EXPECT_EQ(StoragePut(context, key.c_str(), (longest + "v").c_str()), STORAGE_UNSTORABLE);
  EXPECT_EQ(StoragePut(context, "other", (longest + "vvvvvvvvvv").c_str()), STORAGE_UNSTORABLE);
  EXPECT_STREQ(StorageGet(context, key.c_str()), longest.c_str());
  ASSERT_EQ(StorageSave(context), STORAGE_OK);
  EXPECT_EQ(ReadBytes(file).size(), 520u + 2u);
  EXPECT_EQ(LoadFresh(file).second, (Pairs{{key, longest}}));

  // The longest line fills the line buffer exactly, line feed included.
  char line[kStorageLineSize];
  EXPECT_EQ(ComposeKeyValue(line, kStorageLineSize, key.c_str(), longest.c_str()), STORAGE_OK);
  EXPECT_EQ(std::string(line, 520), "[" + key + "]=<" + longest + ">\n");
  EXPECT_EQ(ComposeKeyValue(line, 519, key.c_str(), longest.c_str()), STORAGE_BAD_ARGUMENT);

  // A longer line in a file is cut after 519 bytes: neither piece is a pair,
  // and the next line still loads.
  WriteBytes(file, Image("[" + key + "]=<" + longest + "v>\n[next]=<1>\n"));
  EXPECT_EQ(LoadFresh(file).second, (Pairs{{"next", "1"}}));
}

TEST(StorageLineCodec, ParsesAndRejectsLines) {
  std::string key;
  std::string value;
  auto extract = [&](const std::string& line) {
    return ExtractKeyValue(line.c_str(), static_cast<int32_t>(line.size() + 1), key, value);
  };
  EXPECT_EQ(extract("junk [Vol]=<12> junk"), STORAGE_OK);
  EXPECT_EQ(key, "Vol");
  EXPECT_EQ(value, "12");
  EXPECT_EQ(extract("[a[b]=<x]y>"), STORAGE_OK);
  EXPECT_EQ(key, "a[b");
  EXPECT_EQ(value, "x]y");
  for (const char* bad : {"", "no bracket", "[]=<1>", "[a]=<>", "[a]<1>", "[a]=1>", "[a]=<1", "[a", "\xFF\xFE"})
    EXPECT_EQ(extract(bad), STORAGE_MALFORMED) << bad;
  EXPECT_EQ(ExtractKeyValue(nullptr, 10, key, value), STORAGE_BAD_ARGUMENT);
  EXPECT_EQ(ExtractKeyValue("[a]=<1>", 0, key, value), STORAGE_BAD_ARGUMENT);
  // The size bounds the line even without a terminator inside it.
  EXPECT_EQ(ExtractKeyValue("[a]=<1>", 6, key, value), STORAGE_MALFORMED);

  char line[16];
  EXPECT_EQ(ComposeKeyValue(line, sizeof line, "k", "v"), STORAGE_OK);
  EXPECT_STREQ(line, "[k]=<v>\n");
  EXPECT_EQ(ComposeKeyValue(nullptr, 16, "k", "v"), STORAGE_BAD_ARGUMENT);
  EXPECT_EQ(ComposeKeyValue(line, 0, "k", "v"), STORAGE_BAD_ARGUMENT);
  EXPECT_EQ(ComposeKeyValue(line, sizeof line, "", "v"), STORAGE_BAD_ARGUMENT);
  EXPECT_EQ(ComposeKeyValue(line, sizeof line, "k", nullptr), STORAGE_BAD_ARGUMENT);
  EXPECT_EQ(ComposeKeyValue(line, 7, "k", "v"), STORAGE_BAD_ARGUMENT);
}

// A pair whose text would break the line format must never reach the file:
// every later key would be lost or misread with it.
TEST_F(Storage, RefusesPairsThatWouldCorruptTheFile) {
  StorageLoad(context, file.c_str());
  StoragePut(context, "Name", "Living room");
  StoragePut(context, "Later", "1");
  for (auto [key, value] : std::vector<std::pair<const char*, const char*>>{
           {"Name", "a>b"}, {"Name", "two\nlines"}, {"Na]me", "x"}, {"Na\nme", "x"}}) {
    EXPECT_EQ(StoragePut(context, key, value), STORAGE_UNSTORABLE) << key << " " << value;
  }
  EXPECT_EQ(StoragePut(context, "", "x"), STORAGE_CHAIN_REFUSED);
  EXPECT_EQ(StoragePut(context, "Name", ""), STORAGE_CHAIN_REFUSED);
  EXPECT_EQ(StoragePut(context, "Name", nullptr), STORAGE_CHAIN_REFUSED);
  ASSERT_EQ(StorageSave(context), STORAGE_OK);
  EXPECT_EQ(LoadFresh(file).second, (Pairs{{"Name", "Living room"}, {"Later", "1"}}));
}

TEST_F(Storage, RemovesKeysAndPrefixes) {
  for (const char* key : {"AutoInput_TV", "AutoInput", "Other", "AutoInput_BD"}) StoragePut(context, key, "1");
  EXPECT_EQ(StorageAdvanceRemove(context, "AutoInput_"), STORAGE_OK);
  EXPECT_EQ(PairsOf(context), (Pairs{{"AutoInput", "1"}, {"Other", "1"}}));
  EXPECT_EQ(StorageAdvanceRemove(context, "Nothing"), STORAGE_OK);
  EXPECT_EQ(StorageAdvanceRemove(context, ""), STORAGE_CHAIN_REFUSED);
  EXPECT_EQ(StorageRemove(context, "Other"), STORAGE_OK);
  EXPECT_EQ(StorageRemove(context, "Other"), STORAGE_CHAIN_REFUSED);
  EXPECT_EQ(StorageRemove(context, ""), STORAGE_CHAIN_REFUSED);
  EXPECT_EQ(StorageGet(context, "Other"), nullptr);
  EXPECT_EQ(StorageReset(context), STORAGE_OK);
  EXPECT_TRUE(PairsOf(context).empty());
  EXPECT_EQ(StoragePut(nullptr, "a", "1"), STORAGE_NO_CONTEXT);
  EXPECT_EQ(StorageSave(nullptr), STORAGE_NO_CONTEXT);
}

TEST_F(Storage, SavingBeforeAnyLoadHasNoFile) { EXPECT_EQ(StorageSave(context), STORAGE_FILE_ERROR); }

// Pairs beyond the 64000-byte bound are left out, but the save says so, and the
// file it wrote still loads with every pair that fitted.
TEST_F(Storage, SaveReportsPairsLeftOutAtTheSizeBound) {
  StorageLoad(context, file.c_str());
  const std::string value(480, 'v');
  int count = 0;
  for (int total = 0; total <= 64000; ++count) {
    std::string key = "key" + std::to_string(count);
    StoragePut(context, key.c_str(), value.c_str());
    total += static_cast<int>(key.size() + value.size() + 6);
  }
  EXPECT_EQ(StorageSave(context), STORAGE_TOO_LARGE);
  EXPECT_LE(ReadBytes(file).size(), 64000u);
  auto [code, pairs] = LoadFresh(file);
  ASSERT_EQ(code, STORAGE_OK);
  ASSERT_EQ(static_cast<int>(pairs.size()), count - 1);
  EXPECT_EQ(pairs.front().first, "key0");
  EXPECT_EQ(pairs.back().first, "key" + std::to_string(count - 2));
}

// Writing goes to a temporary file that replaces the old one only once it is
// complete: a write that cannot finish leaves the old file as it was.
TEST_F(Storage, AFailedWriteLeavesTheOldFile) {
  StorageLoad(context, file.c_str());
  StoragePut(context, "a", "1");
  ASSERT_EQ(StorageSave(context), STORAGE_OK);
  const auto before = ReadBytes(file);
  std::filesystem::create_directory(file + ".tmp");  // the temporary file cannot be made
  StoragePut(context, "b", "2");
  EXPECT_EQ(StorageSave(context), STORAGE_FILE_ERROR);
  EXPECT_EQ(ReadBytes(file), before);

  const std::string backup = file + ".bakup";
  WriteText(backup, "old backup");
  std::filesystem::create_directory(backup + ".tmp");
  EXPECT_EQ(StorageCopyFile(backup.c_str(), file.c_str()), STORAGE_FILE_ERROR);
  EXPECT_EQ(ReadBytes(backup), std::vector<uint8_t>({'o', 'l', 'd', ' ', 'b', 'a', 'c', 'k', 'u', 'p'}));
}

TEST_F(Storage, CopiesFilesByteForByte) {
  std::vector<uint8_t> bytes(100000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 31);
  WriteBytes(file, bytes);
  const std::string copy = dir / "copy";
  WriteText(copy, std::string(200000, 'x'));  // a longer destination is replaced whole
  EXPECT_EQ(StorageCopyFile(copy.c_str(), file.c_str()), STORAGE_OK);
  EXPECT_EQ(ReadBytes(copy), bytes);
  EXPECT_FALSE(FileExists(copy + ".tmp"));
  const std::string missing = dir / "missing";
  EXPECT_EQ(StorageCopyFile(copy.c_str(), missing.c_str()), STORAGE_FILE_ERROR);
  EXPECT_EQ(ReadBytes(copy), bytes);
  EXPECT_EQ(StorageCopyFile("", file.c_str()), STORAGE_FILE_ERROR);
}

}  // namespace
