// The generated Strings unit against the language tables it is packed from, and
// the packer's table parser and record layout.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "Strings.h"
#include "strtable.h"
#include "vgobject.h"
#include "vgstring.h"

namespace StringsUnitTest {

struct LanguageTable {
  int32_t id;
  const char* file;
};
constexpr LanguageTable kLanguages[] = {{0, "Default.txt"}, {1, "French.txt"}, {2, "Spanish.txt"}};

std::map<std::string, std::u16string> Load(const char* file) {
  strpack::Table table = strpack::ReadTable(std::string(STRINGS_TABLE_DIR) + "/" + file);
  EXPECT_TRUE(table.errors.empty()) << table.errors.front();
  std::map<std::string, std::u16string> texts;
  for (const auto& e : table.entries) texts[e.key] = e.text;
  return texts;
}

std::u16string Text(VgString s) { return s ? std::u16string(s) : std::u16string(); }

class StringsUnit : public testing::Test {
 protected:
  void TearDown() override {
    VgSetLanguage(0);
    VgReclaimMemory();
    VgClearStringCache();
  }
};

TEST_F(StringsUnit, EveryKeyOfTheDefaultTableIsAConstantInTableOrder) {
  strpack::Table table = strpack::ReadTable(std::string(STRINGS_TABLE_DIR) + "/Default.txt");
  ASSERT_EQ(Strings::KeyCount, table.entries.size());
  for (size_t i = 0; i < Strings::KeyCount; ++i) EXPECT_EQ(Strings::Keys[i].name, table.entries[i].key);
  EXPECT_EQ(Strings::Keys[0].constant, &Strings::SID_OK);
}

TEST_F(StringsUnit, EveryLanguageRoundTripsThroughThePackerWithFallbackToTheDefault) {
  const auto defaults = Load("Default.txt");
  for (const LanguageTable& language : kLanguages) {
    const auto texts = Load(language.file);
    VgSetLanguage(language.id);
    for (size_t i = 0; i < Strings::KeyCount; ++i) {
      const Strings::KeyEntry& key = Strings::Keys[i];
      auto own = texts.find(key.name);
      const std::u16string& expected = own != texts.end() ? own->second : defaults.at(key.name);
      EXPECT_EQ(Text(VgGetVariantOfString(key.constant)), expected) << language.file << " " << key.name;
    }
  }
}

TEST_F(StringsUnit, LanguagesReallyDiffer) {
  std::vector<std::u16string> seen;
  for (const LanguageTable& language : kLanguages) {
    VgSetLanguage(language.id);
    seen.push_back(Text(VgGetVariantOfString(&Strings::SID_CANCEL)));
  }
  EXPECT_NE(seen[0], seen[1]);
  EXPECT_NE(seen[0], seen[2]);
  EXPECT_NE(seen[1], seen[2]);
}

TEST_F(StringsUnit, AKeyLeftOutOfATranslationHasNoEntryForThatLanguage) {
  const auto french = Load("French.txt");
  ASSERT_EQ(french.count("SID_OK"), 0u) << "the fallback example moved: pick another key";
  auto* entries = static_cast<const VgStringEntry*>(Strings::SID_OK.entries);
  for (uint32_t i = 0; i < Strings::SID_OK.count; ++i) EXPECT_NE(entries[i].language, 1);
}

TEST_F(StringsUnit, RetainedConstantTextSurvivesALanguageChangeAndCollections) {
  VgString field = nullptr;
  VgRetainString(&field, VgGetVariantOfString(&Strings::SID_SETTINGS));
  std::u16string before = Text(field);
  VgSetLanguage(1);
  VgReclaimMemory();  // an empty root set also clears the cache: the locked block stays
  EXPECT_EQ(Text(field), before);
  EXPECT_NE(Text(VgGetVariantOfString(&Strings::SID_SETTINGS)), before);
  VgReleaseString(&field);
}

TEST_F(StringsUnit, EveryBlockIsAWellFormedRecordChain) {
  for (size_t b = 0; b < Strings::BlockCount; ++b) {
    const VgStringBlock* block = Strings::AllBlocks[b];
    std::vector<uint8_t> bytes(block->unpackedSize);
    ASSERT_EQ(VgDecompress(block->codes, block->codeCount, bytes.data(), block->unpackedSize),
              static_cast<int32_t>(block->unpackedSize));
    std::vector<uint16_t> words(bytes.size() / 2);
    for (size_t i = 0; i < words.size(); ++i) words[i] = static_cast<uint16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    size_t i = 0;
    while (words.at(i) != 0) {
      EXPECT_EQ(words.at(i + 1), 0) << "lock count inside the packed data";
      i += words[i];
    }
    EXPECT_EQ(i + 2, words.size());  // the terminating record {0, 0} ends the block
  }
}

// ------------------------------------------------------------ the packer

TEST(StrTable, ParsesKeysTextsCommentsAndEscapes) {
  strpack::Table t = strpack::ParseTable(
      "\xEF\xBB\xBF# comment\n"
      "\n"
      "   # indented comment\n"
      "SID_A\tHello, world  \r\n"
      "SID_B\tline one\\nline two\\ttab \\\\ \\u20AC\n"
      "SID_C\t\xc3\xa9t\xc3\xa9 \xf0\x9f\x93\xba\n"
      "SID_EMPTY\t\n",
      "t.txt");
  ASSERT_TRUE(t.errors.empty()) << t.errors.front();
  ASSERT_EQ(t.entries.size(), 4u);
  EXPECT_EQ(t.entries[0].key, "SID_A");
  EXPECT_EQ(t.entries[0].text, u"Hello, world  ");  // trailing spaces belong to the text
  EXPECT_EQ(t.entries[0].line, 4);
  EXPECT_EQ(t.entries[1].text, u"line one\nline two\ttab \\ \x20AC");
  EXPECT_EQ(t.entries[2].text, u"\x00e9t\x00e9 \xD83D\xDCFA");
  EXPECT_EQ(t.entries[3].text, u"");
}

TEST(StrTable, ReportsEachBadLineWithItsPlace) {
  strpack::Table t = strpack::ParseTable(
      "SID_A\tfine\n"
      "no tab here\n"
      "SID_A\tduplicate\n"
      "9BAD\tkey\n"
      "SID_B\tbad \\q escape\n"
      "SID_C\tbad \xff utf-8\n"
      "SID_D\ttrailing \\\n"
      "SID_E\tshort \\u12\n",
      "t.txt");
  ASSERT_EQ(t.entries.size(), 1u);
  ASSERT_EQ(t.errors.size(), 7u);
  EXPECT_EQ(t.errors[0].rfind("t.txt:2: ", 0), 0u);
  EXPECT_NE(t.errors[1].find("duplicate"), std::string::npos);
  EXPECT_EQ(t.errors[6].rfind("t.txt:8: ", 0), 0u);
  EXPECT_FALSE(strpack::ReadTable("/nonexistent/table.txt").errors.empty());
}

TEST(StrTable, LayoutSplitsIntoChunksOfRecordChains) {
  std::vector<std::u16string> texts;
  for (int i = 0; i < 40; ++i) texts.push_back(std::u16string(static_cast<size_t>(5 + i), static_cast<char16_t>(u'A' + i % 26)));
  texts.push_back(u"");
  strpack::Layout layout = strpack::LayOut(texts, 256);
  EXPECT_GT(layout.chunks.size(), 5u);
  ASSERT_EQ(layout.placements.size(), texts.size());
  for (const auto& chunk : layout.chunks) {
    EXPECT_LE(chunk.size() * 2, 256u);
    EXPECT_EQ(chunk[chunk.size() - 2], 0);
    EXPECT_EQ(chunk.back(), 0);
  }
  for (size_t i = 0; i < texts.size(); ++i) {
    const auto& p = layout.placements[i];
    const auto& chunk = layout.chunks.at(p.chunk);
    EXPECT_EQ(chunk.at(p.offset - 2), texts[i].size() + 3);
    EXPECT_EQ(chunk.at(p.offset - 1), 0);
    EXPECT_EQ(std::u16string(chunk.begin() + p.offset, chunk.begin() + p.offset + static_cast<std::ptrdiff_t>(texts[i].size())),
              texts[i]);
    EXPECT_EQ(chunk.at(p.offset + texts[i].size()), 0);
  }
  // A record larger than the chunk size gets a chunk of its own.
  strpack::Layout big = strpack::LayOut({u"a", std::u16string(300, u'x'), u"b"}, 256);
  EXPECT_EQ(big.chunks.size(), 3u);
  EXPECT_THROW(strpack::LayOut({std::u16string(70000, u'x')}, 4096), std::length_error);
}

}  // namespace StringsUnitTest
