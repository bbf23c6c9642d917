// Strings, their lock counts and the string-block cache.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "lzw.h"
#include "vgobject.h"
#include "vgstring.h"

namespace StrTest {

VgString S(const char* utf8) { return VgNewStringUtf8(utf8); }
std::string U(VgString s) { return VgStringToUtf8(s); }

class Strings : public testing::Test {
 protected:
  void SetUp() override {
    VgReclaimMemory();
    VgClearStringCache();
  }
  void TearDown() override {
    VgSetLanguage(0);
    VgReclaimMemory();
    VgClearStringCache();
  }
};

// A string block built the way tools/strpack builds one: a chain of records
// {distance, count 0, chars, 0} ended by {0, 0}, packed by the shared encoder.
struct Block {
  std::vector<uint16_t> unpacked;
  std::vector<uint32_t> offsets;  // of each text's first character
  std::vector<uint16_t> codes;
  VgStringBlock block{};

  explicit Block(const std::vector<std::u16string>& texts) {
    for (const auto& t : texts) {
      offsets.push_back(static_cast<uint32_t>(unpacked.size() + 2));
      unpacked.push_back(static_cast<uint16_t>(2 + t.size() + 1));
      unpacked.push_back(0);
      unpacked.insert(unpacked.end(), t.begin(), t.end());
      unpacked.push_back(0);
    }
    unpacked.push_back(0);
    unpacked.push_back(0);
    std::vector<uint8_t> bytes;
    for (uint16_t w : unpacked) {
      bytes.push_back(static_cast<uint8_t>(w));
      bytes.push_back(static_cast<uint8_t>(w >> 8));
    }
    codes = LzwPack(bytes.data(), bytes.size());
    block = {static_cast<uint32_t>(bytes.size()), codes.data(), static_cast<uint32_t>(codes.size())};
  }
  VgStringRef Ref(size_t i) const { return {&block, offsets[i]}; }
  size_t EntrySize() const { return block.unpackedSize + 16; }
};

// A block of one long text, about `bytes` unpacked bytes.
std::unique_ptr<Block> BigBlock(size_t bytes, char16_t fill) {
  return std::make_unique<Block>(std::vector<std::u16string>{u"head", std::u16string(bytes / 2 - 10, fill)});
}

// ------------------------------------------------------------ operations

TEST_F(Strings, GetCharAtTheLengthIsZeroAndOutsidePanics) {
  VgString s = S("abc");
  EXPECT_EQ(VgGetStringChar(s, 0), u'a');
  EXPECT_EQ(VgGetStringChar(s, 3), 0);
  EXPECT_EQ(VgGetStringChar(nullptr, 0), 0);
  try {
    VgGetStringChar(s, -1);
    FAIL() << "no panic";
  } catch (const VgPanicError& e) {
    EXPECT_STREQ(e.what(), "String index is out of range");
  }
  EXPECT_THROW(VgGetStringChar(s, 4), VgPanicError);
  EXPECT_THROW(VgGetStringChar(nullptr, 1), VgPanicError);
}

TEST_F(Strings, SetCharWritesInPlaceAndPanicsAtTheLength) {
  VgString s = S("abc");
  EXPECT_EQ(VgSetStringChar(s, 1, u'X'), s);
  EXPECT_EQ(U(s), "aXc");
  EXPECT_THROW(VgSetStringChar(s, 3, u'x'), VgPanicError);
  EXPECT_THROW(VgSetStringChar(s, -1, u'x'), VgPanicError);
  EXPECT_THROW(VgSetStringChar(nullptr, 0, u'x'), VgPanicError);
}

TEST_F(Strings, CreationRules) {
  EXPECT_EQ(VgNewString(nullptr), nullptr);
  EXPECT_EQ(VgNewString(u""), nullptr);
  VgString s = VgNewString(u"h\x00e9llo");
  EXPECT_EQ(U(s), "h\xc3\xa9llo");
  EXPECT_EQ(VgStringLockCount(s), 0);

  VgString ansi = VgNewStringAnsi("caf\xe9");
  ASSERT_EQ(VgGetStringLength(ansi), 4);
  EXPECT_EQ(VgGetStringChar(ansi, 3), 0x00E9);  // each byte one character, not UTF-8
  EXPECT_EQ(VgNewStringAnsi(""), nullptr);

  EXPECT_EQ(VgNewStringChar(u'x', 0), nullptr);
  EXPECT_EQ(VgNewStringChar(u'x', -3), nullptr);
  EXPECT_EQ(U(VgNewStringChar(u'x', 3)), "xxx");
}

TEST_F(Strings, IntegerFormatting) {
  EXPECT_EQ(U(VgNewStringInt(7, 3)), "007");
  EXPECT_EQ(U(VgNewStringInt(7, -1)), "7");
  EXPECT_EQ(U(VgNewStringInt(7, 0)), "7");
  EXPECT_EQ(U(VgNewStringInt(7, 40)), std::string(31, '0') + "7");
  EXPECT_EQ(U(VgNewStringInt(-7, 3)), "-07");
  EXPECT_EQ(U(VgNewStringInt(INT32_MIN, -1)), "-2147483648");
  EXPECT_EQ(U(VgNewStringUInt(4294967295u, 2)), "4294967295");
  EXPECT_EQ(U(VgNewStringUInt(42, 5)), "00042");
  EXPECT_EQ(U(VgNewStringUInt(42, 99)), std::string(30, '0') + "42");
}

TEST_F(Strings, FloatFormatting) {
  EXPECT_EQ(U(VgNewStringFloat(3.14159, 0, 2)), "3.14");
  EXPECT_EQ(U(VgNewStringFloat(2.5, 6, 1)), "0002.5");
  EXPECT_EQ(U(VgNewStringFloat(2.75, -4, -1)), "3");  // negatives become 0
  std::string capped = U(VgNewStringFloat(1.0, 40, 40));
  EXPECT_EQ(capped, "1." + std::string(32, '0'));
  EXPECT_EQ(VgGetStringLength(VgNewStringFloat(1e308, 0, 32)), 309 + 1 + 32);
}

TEST_F(Strings, ConcatReturnsTheOtherOperandItself) {
  VgString s = S("abc");
  EXPECT_EQ(VgConcatString(nullptr, s), s);
  EXPECT_EQ(VgConcatString(s, nullptr), s);
  EXPECT_EQ(VgConcatString(nullptr, nullptr), nullptr);
  VgString both = VgConcatString(s, S("de"));
  EXPECT_EQ(U(both), "abcde");
  EXPECT_NE(both, s);

  EXPECT_EQ(VgConcatStringChar(s, 0), s);
  EXPECT_EQ(VgConcatCharString(0, s), s);
  EXPECT_EQ(U(VgConcatStringChar(s, u'!')), "abc!");
  EXPECT_EQ(U(VgConcatCharString(u'>', s)), ">abc");
  EXPECT_EQ(U(VgConcatStringChar(nullptr, u'x')), "x");
  EXPECT_EQ(U(VgConcatCharString(u'x', nullptr)), "x");
}

TEST_F(Strings, CompareByCodeUnitsWithNullAsEmpty) {
  EXPECT_EQ(VgCompString(nullptr, nullptr), 0);
  EXPECT_EQ(VgCompString(nullptr, S("a")), -1);
  EXPECT_EQ(VgCompString(S("a"), nullptr), 1);
  EXPECT_EQ(VgCompString(S("ab"), S("abc")), -1);
  EXPECT_EQ(VgCompString(S("abc"), S("abc")), 0);
  EXPECT_EQ(VgCompString(S("b"), S("abc")), 1);
  // Code units, not code points or collation: U+FFFD sorts above every ASCII letter.
  EXPECT_EQ(VgCompString(VgNewString(u"\xFFFD"), S("z")), 1);
}

TEST_F(Strings, LengthOfEmptyIsZero) {
  EXPECT_EQ(VgGetStringLength(nullptr), 0);
  EXPECT_EQ(VgGetStringLength(S("four")), 4);
}

TEST_F(Strings, FindChar) {
  VgString s = S("abcabc");
  EXPECT_EQ(VgStringFindChar(s, u'c', 0), 2);
  EXPECT_EQ(VgStringFindChar(s, u'c', 3), 5);
  EXPECT_EQ(VgStringFindChar(s, u'x', 0), -1);
  EXPECT_EQ(VgStringFindChar(s, u'a', -1), -1);
  EXPECT_EQ(VgStringFindChar(s, u'a', 6), -1);
  EXPECT_EQ(VgStringFindChar(nullptr, u'a', 0), -1);
}

TEST_F(Strings, Find) {
  VgString s = S("abcabc");
  EXPECT_EQ(VgStringFind(s, S("bc"), 0), 1);
  EXPECT_EQ(VgStringFind(s, S("bc"), 2), 4);
  EXPECT_EQ(VgStringFind(s, S("bcd"), 0), -1);
  EXPECT_EQ(VgStringFind(s, S("abc"), 4), -1);  // the rest is shorter than the pattern
  EXPECT_EQ(VgStringFind(s, nullptr, 3), 3);     // an empty pattern returns the start
  EXPECT_EQ(VgStringFind(s, S("a"), -1), -1);
  EXPECT_EQ(VgStringFind(s, S("a"), 6), -1);
  EXPECT_EQ(VgStringFind(nullptr, S("a"), 0), -1);
}

TEST_F(Strings, LeftAndRight) {
  VgString s = S("abcdef");
  EXPECT_EQ(VgStringLeft(s, 6), s);
  EXPECT_EQ(VgStringLeft(s, 60), s);
  EXPECT_EQ(VgStringLeft(s, 0), nullptr);
  EXPECT_EQ(VgStringLeft(s, -1), nullptr);
  EXPECT_EQ(U(VgStringLeft(s, 2)), "ab");
  EXPECT_EQ(VgStringRight(s, 6), s);
  EXPECT_EQ(VgStringRight(s, 0), nullptr);
  EXPECT_EQ(U(VgStringRight(s, 2)), "ef");
  EXPECT_EQ(VgStringLeft(nullptr, 3), nullptr);
  EXPECT_EQ(VgStringRight(nullptr, 3), nullptr);
}

TEST_F(Strings, MiddleClipsTheRange) {
  VgString s = S("abcdef");
  EXPECT_EQ(U(VgStringMiddle(s, -2, 4)), "ab");  // the count shrinks by as much as start is below 0
  EXPECT_EQ(U(VgStringMiddle(s, 2, 100)), "cdef");
  EXPECT_EQ(U(VgStringMiddle(s, 1, 2)), "bc");
  EXPECT_EQ(VgStringMiddle(s, 0, 6), s);
  EXPECT_EQ(VgStringMiddle(s, -1, 100), s);
  EXPECT_EQ(VgStringMiddle(s, 6, 1), nullptr);
  EXPECT_EQ(VgStringMiddle(s, -4, 4), nullptr);
  EXPECT_EQ(VgStringMiddle(s, 2, 0), nullptr);
  EXPECT_EQ(VgStringMiddle(s, INT32_MIN, INT32_MAX), nullptr);
  EXPECT_EQ(U(VgStringMiddle(s, 5, INT32_MAX)), "f");
}

TEST_F(Strings, InsertClipsTheIndex) {
  VgString s = S("abc");
  VgString x = S("XY");
  EXPECT_EQ(VgStringInsert(nullptr, x, 5), x);
  EXPECT_EQ(VgStringInsert(s, nullptr, 1), s);
  EXPECT_EQ(U(VgStringInsert(s, x, 1)), "aXYbc");
  EXPECT_EQ(U(VgStringInsert(s, x, -5)), "XYabc");
  EXPECT_EQ(U(VgStringInsert(s, x, 99)), "abcXY");
}

TEST_F(Strings, RemoveClipsTheRange) {
  VgString s = S("abcdef");
  EXPECT_EQ(VgStringRemove(s, 0, 6), nullptr);  // everything: the empty string
  EXPECT_EQ(VgStringRemove(s, -3, 100), nullptr);
  EXPECT_EQ(VgStringRemove(s, 2, 0), s);        // nothing: the string itself
  EXPECT_EQ(VgStringRemove(s, 6, 3), s);
  EXPECT_EQ(VgStringRemove(s, -3, 3), s);
  EXPECT_EQ(U(VgStringRemove(s, -2, 3)), "bcdef");
  EXPECT_EQ(U(VgStringRemove(s, 4, 10)), "abcd");
  EXPECT_EQ(U(VgStringRemove(s, 1, 2)), "adef");
  EXPECT_EQ(VgStringRemove(nullptr, 0, 1), nullptr);
}

TEST_F(Strings, CaseChangesOnlyAsciiLetters) {
  VgString s = VgNewString(u"aZ\x00e4\x00c4-1");
  VgString up = VgGetStringUpper(s);
  VgString low = VgGetStringLower(s);
  EXPECT_EQ(std::u16string(up), u"AZ\x00e4\x00c4-1");
  EXPECT_EQ(std::u16string(low), u"az\x00e4\x00c4-1");
  VgString already = S("ABC");
  EXPECT_NE(VgGetStringUpper(already), already);  // a copy, safe to change in place
  EXPECT_EQ(VgGetStringUpper(nullptr), nullptr);
  EXPECT_EQ(VgGetCharUpper(u'q'), u'Q');
  EXPECT_EQ(VgGetCharLower(u'Q'), u'q');
  EXPECT_EQ(VgGetCharUpper(u'\x00e9'), u'\x00e9');
}

TEST_F(Strings, ToAnsi) {
  char buffer[8];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(VgStringToAnsi(S("abc"), buffer, 0, '?'), 0);
  EXPECT_EQ(buffer[0], '#');  // size below 1 writes nothing
  EXPECT_EQ(VgStringToAnsi(S("abcdef"), buffer, 4, '?'), 4);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(buffer[4], '#');
  EXPECT_EQ(VgStringToAnsi(VgNewString(u"a\x20ac\x00e9"), buffer, 8, '?'), 4);
  EXPECT_STREQ(buffer, "a?\xe9");
  EXPECT_EQ(VgStringToAnsi(nullptr, buffer, 8, '?'), 1);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(VgStringToAnsi(S("abc"), buffer, 1, '?'), 1);
  EXPECT_EQ(buffer[0], 0);
}

TEST_F(Strings, Utf8HelpersRoundTrip) {
  const char* text = "A\xc3\xa9\xe2\x82\xac\xf0\x9f\x93\xba";  // A, e-acute, euro, a television (astral)
  VgString s = S(text);
  EXPECT_EQ(VgGetStringLength(s), 5);  // the astral character is a surrogate pair
  EXPECT_EQ(U(s), text);
  EXPECT_EQ(U(S("\xff" "a")), "\xef\xbf\xbd" "a");  // a bad byte becomes U+FFFD
}

// ------------------------------------------------------------ lock counts

TEST_F(Strings, UnretainedStringsGoAtTheNextCollection) {
  size_t before = VgStringCount();
  S("temporary");
  S("another");
  EXPECT_EQ(VgStringCount(), before + 2);
  VgReclaimMemory();
  EXPECT_EQ(VgStringCount(), before);
}

TEST_F(Strings, RetainedStringSurvivesCollectionsUntilReleased) {
  size_t before = VgStringCount();
  VgString field = nullptr;
  VgRetainString(&field, S("kept"));
  EXPECT_EQ(VgStringLockCount(field), 1);
  for (int i = 0; i < 5; ++i) VgReclaimMemory();
  EXPECT_EQ(VgStringCount(), before + 1);
  EXPECT_EQ(U(field), "kept");

  VgReleaseString(&field);
  EXPECT_EQ(field, nullptr);
  VgReclaimMemory();
  EXPECT_EQ(VgStringCount(), before);
}

TEST_F(Strings, RetainCountsEachVariableOnceAndMovesTheCount) {
  VgString a = S("a");
  VgString b = S("b");
  VgString field = nullptr;
  VgRetainString(&field, a);
  VgRetainString(&field, a);  // already held: no second count
  EXPECT_EQ(VgStringLockCount(a), 1);
  VgRetainString(&field, b);
  EXPECT_EQ(VgStringLockCount(a), 0);
  EXPECT_EQ(VgStringLockCount(b), 1);
  VgRetainString(&field, nullptr);
  EXPECT_EQ(VgStringLockCount(b), 0);

  VgString fields[3] = {};
  for (VgString& f : fields) VgRetainString(&f, a);
  EXPECT_EQ(VgStringLockCount(a), 3);
  VgReleaseStrings(fields, 3);
  EXPECT_EQ(VgStringLockCount(a), 0);
  EXPECT_EQ(fields[2], nullptr);
}

TEST_F(Strings, ReleasingAnUnlockedStringDoesNotWrap) {
  VgString s = S("x");
  VgString field = s;  // stored without retaining
  VgReleaseString(&field);
  EXPECT_EQ(VgStringLockCount(s), 0);
}

TEST_F(Strings, VgStrFieldRetainsAndReleases) {
  size_t before = VgStringCount();
  {
    VgStr field = S("held");
    VgStr copy = field;
    EXPECT_EQ(VgStringLockCount(field), 2);
    VgReclaimMemory();
    EXPECT_EQ(U(copy), "held");
    copy = nullptr;
    EXPECT_EQ(VgStringLockCount(field), 1);
  }
  VgReclaimMemory();
  EXPECT_EQ(VgStringCount(), before);
}

// Mended: 65536 holders used to wrap the 16-bit count to 0 and the next
// collection freed a string that every one of them still held.
TEST_F(Strings, LockCountSaturatesAndASaturatedStringIsNeverFreed) {
  VgString s = S("popular");
  std::vector<VgString> fields(70000, nullptr);
  for (size_t i = 0; i < 65534; ++i) VgRetainString(&fields[i], s);
  EXPECT_EQ(VgStringLockCount(s), 65534);
  VgRetainString(&fields[65534], s);
  EXPECT_EQ(VgStringLockCount(s), VgStringLockSaturated);
  for (size_t i = 65535; i < fields.size(); ++i) VgRetainString(&fields[i], s);
  EXPECT_EQ(VgStringLockCount(s), VgStringLockSaturated);

  VgReleaseStrings(fields.data(), static_cast<int32_t>(fields.size()));
  EXPECT_EQ(VgStringLockCount(s), VgStringLockSaturated);  // it lost track: it stays
  VgReclaimMemory();
  EXPECT_EQ(U(s), "popular");
}

// ------------------------------------------------------------ the block cache

TEST_F(Strings, LoadStringUnpacksTheBlockOnce) {
  Block block({u"Hello", u"World", u"\x00e9t\x00e9"});
  EXPECT_EQ(VgStringCacheSize(), 0u);
  VgString hello = VgLoadString(block.Ref(0));
  EXPECT_EQ(U(hello), "Hello");
  EXPECT_EQ(VgStringLockCount(hello), 0);
  EXPECT_EQ(VgStringCacheSize(), block.EntrySize());
  EXPECT_EQ(std::u16string(VgLoadString(block.Ref(2))), u"\x00e9t\x00e9");

  // A second load is served from the cache: the unpacked record itself.
  VgSetStringChar(hello, 0, u'J');
  VgString again = VgLoadString(block.Ref(0));
  EXPECT_EQ(again, hello);
  EXPECT_EQ(U(again), "Jello");
  EXPECT_EQ(VgStringCacheSize(), block.EntrySize());
}

TEST_F(Strings, BlockStringsRetainAndReleaseLikeAllocatedOnes) {
  Block block({u"one", u"two"});
  size_t strings = VgStringCount();
  VgString field = nullptr;
  VgRetainString(&field, VgLoadString(block.Ref(1)));
  EXPECT_EQ(VgStringLockCount(field), 1);
  EXPECT_EQ(VgStringCount(), strings);  // not an allocated string
  VgReclaimMemory();                     // even an empty root set keeps a locked block
  EXPECT_EQ(VgStringCacheBlocks().size(), 1u);
  EXPECT_EQ(U(field), "two");
  VgReleaseString(&field);
  VgClearStringCache();
  EXPECT_TRUE(VgStringCacheBlocks().empty());
}

TEST_F(Strings, CacheHitMovesTheEntryToTheFront) {
  Block a({u"a"}), b({u"b"}), c({u"c"});
  VgLoadString(a.Ref(0));
  VgLoadString(b.Ref(0));
  VgLoadString(c.Ref(0));
  EXPECT_EQ(VgStringCacheBlocks(), (std::vector<const VgStringBlock*>{&c.block, &b.block, &a.block}));
  size_t size = VgStringCacheSize();
  VgLoadString(a.Ref(0));
  EXPECT_EQ(VgStringCacheBlocks(), (std::vector<const VgStringBlock*>{&a.block, &c.block, &b.block}));
  EXPECT_EQ(VgStringCacheSize(), size);
  VgLoadString(b.Ref(0));
  EXPECT_EQ(VgStringCacheBlocks(), (std::vector<const VgStringBlock*>{&b.block, &a.block, &c.block}));
}

TEST_F(Strings, TrimmingDropsLeastRecentlyUsedUnlockedEntriesFirst) {
  auto a = BigBlock(20000, u'a'), b = BigBlock(20000, u'b'), c = BigBlock(20000, u'c'), d = BigBlock(20000, u'd'),
       e = BigBlock(20000, u'e');
  VgString held = nullptr;
  VgRetainString(&held, VgLoadString(a->Ref(1)));  // the oldest entry is locked
  for (auto* blk : {b.get(), c.get(), d.get(), e.get()}) VgLoadString(blk->Ref(0));
  size_t entry = a->EntrySize();
  EXPECT_EQ(VgStringCacheSize(), 5 * entry);  // loading never trims

  VgDisposeStrings();
  // a is locked and stays; b and c go (after b alone the cache is still above 64 KB).
  EXPECT_EQ(VgStringCacheBlocks(), (std::vector<const VgStringBlock*>{&e->block, &d->block, &a->block}));
  EXPECT_EQ(VgStringCacheSize(), 3 * entry);
  EXPECT_LE(VgStringCacheSize(), 65536u);
  EXPECT_EQ(VgGetStringChar(held, 0), u'a');

  // At or below the budget nothing more goes, locked or not.
  VgReleaseString(&held);
  VgDisposeStrings();
  EXPECT_EQ(VgStringCacheBlocks().size(), 3u);

  // A dropped block is unpacked afresh when needed again.
  EXPECT_EQ(VgGetStringChar(VgLoadString(b->Ref(1)), 0), u'b');
  EXPECT_EQ(VgStringCacheBlocks().front(), &b->block);
}

TEST_F(Strings, ClearingTheCacheKeepsLockedEntries) {
  Block a({u"a1", u"a2"}), b({u"b1"}), c({u"c1", u"c2", u"c3"});
  VgString held = nullptr;
  VgRetainString(&held, VgLoadString(c.Ref(2)));
  VgLoadString(a.Ref(0));
  VgLoadString(b.Ref(0));
  VgClearStringCache();
  EXPECT_EQ(VgStringCacheBlocks(), (std::vector<const VgStringBlock*>{&c.block}));
  EXPECT_EQ(VgStringCacheSize(), c.EntrySize());
  VgReleaseString(&held);
  VgClearStringCache();
  EXPECT_TRUE(VgStringCacheBlocks().empty());
  EXPECT_EQ(VgStringCacheSize(), 0u);
}

TEST_F(Strings, CorruptBlockGivesTheEmptyStringAndIsNotCached) {
  Block good({u"fine", u"text"});
  std::vector<uint16_t> codes = good.codes;
  codes.pop_back();  // the end code is gone
  codes.pop_back();
  VgStringBlock truncated = {good.block.unpackedSize, codes.data(), static_cast<uint32_t>(codes.size())};
  testing::internal::CaptureStdout();
  VgString s = VgLoadString({&truncated, good.offsets[1]});
  std::string log = testing::internal::GetCapturedStdout();
  EXPECT_EQ(s, nullptr);
  EXPECT_NE(log.find("corrupt"), std::string::npos);
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1);
  EXPECT_TRUE(VgStringCacheBlocks().empty());
  EXPECT_EQ(VgStringCacheSize(), 0u);

  // A block whose unpacked size is smaller than its data is corrupt too.
  VgStringBlock small = {4, good.codes.data(), static_cast<uint32_t>(good.codes.size())};
  testing::internal::CaptureStdout();
  EXPECT_EQ(VgLoadString({&small, 2}), nullptr);
  testing::internal::GetCapturedStdout();
  EXPECT_TRUE(VgStringCacheBlocks().empty());

  // Data that decodes but is no record chain (a distance running past the end).
  std::vector<uint16_t> words = {500, 0, 'x', 0};
  std::vector<uint8_t> bytes;
  for (uint16_t w : words) {
    bytes.push_back(static_cast<uint8_t>(w));
    bytes.push_back(static_cast<uint8_t>(w >> 8));
  }
  std::vector<uint16_t> packed = LzwPack(bytes.data(), bytes.size());
  VgStringBlock chainless = {static_cast<uint32_t>(bytes.size()), packed.data(), static_cast<uint32_t>(packed.size())};
  testing::internal::CaptureStdout();
  EXPECT_EQ(VgLoadString({&chainless, 2}), nullptr);
  testing::internal::GetCapturedStdout();
  EXPECT_TRUE(VgStringCacheBlocks().empty());
}

TEST_F(Strings, OffsetsOutsideTheBlockAndEmptyRecordsGiveTheEmptyString) {
  Block block({u"", u"x"});
  EXPECT_EQ(VgLoadString({nullptr, 2}), nullptr);
  EXPECT_EQ(VgLoadString(block.Ref(0)), nullptr);  // an empty record is the empty string
  EXPECT_EQ(U(VgLoadString(block.Ref(1))), "x");
  testing::internal::CaptureStdout();
  EXPECT_EQ(VgLoadString({&block.block, 100000}), nullptr);
  EXPECT_EQ(VgLoadString({&block.block, 0}), nullptr);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("outside"), std::string::npos);
}

TEST_F(Strings, ConstantPicksTheCurrentLanguageAndFallsBackToTheDefault) {
  Block block({u"Cancel", u"Annuler"});
  const VgStringEntry entries[] = {{0, &block.block, block.offsets[0]}, {1, &block.block, block.offsets[1]}};
  const VgConstant constant = {entries, 2, VgNoVariants};
  EXPECT_EQ(U(VgGetVariantOfString(&constant)), "Cancel");
  VgSetLanguage(1);
  EXPECT_EQ(U(VgGetVariantOfString(&constant)), "Annuler");
  VgSetLanguage(2);
  EXPECT_EQ(U(VgGetVariantOfString(&constant)), "Cancel");
  VgSetLanguage(0);
  EXPECT_EQ(VgGetVariantOfString(nullptr), nullptr);
  const VgStringEntry frenchOnly[] = {{1, &block.block, block.offsets[1]}};
  const VgConstant noDefault = {frenchOnly, 1, VgNoVariants};
  EXPECT_EQ(VgGetVariantOfString(&noDefault), nullptr);
}

}  // namespace StrTest
