// The LZW decoder of the packed data units and the packers' encoder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "lzw.h"
#include "vgstring.h"

// The fuzz target itself, so the inputs kept from fuzzing replay in every run.
#include "../fuzz/fuzz_lzw.cpp"

namespace LzwTest {

uint32_t WidthFor(uint32_t next) { return next < 512 ? 9 : next < 1024 ? 10 : next < 2048 ? 11 : 12; }

// Writes codes the way the format says, tracking the decoder's dictionary only to
// know each code's width. Independent of the encoder under test.
class Stream {
 public:
  Stream& operator<<(uint32_t code) {
    buffer_ |= static_cast<uint64_t>(code) << bits_;
    bits_ += WidthFor(next_);
    while (bits_ >= 16) {
      words_.push_back(static_cast<uint16_t>(buffer_));
      buffer_ >>= 16;
      bits_ -= 16;
    }
    if (code == 256) {
      next_ = 258;
      started_ = false;
    } else if (code != 257) {
      if (started_) ++next_;
      started_ = true;
    }
    return *this;
  }
  Stream& Literals(const std::string& text) {
    for (unsigned char c : text) *this << c;
    return *this;
  }
  std::vector<uint16_t> Words() const {
    std::vector<uint16_t> w = words_;
    if (bits_) w.push_back(static_cast<uint16_t>(buffer_));
    return w;
  }

 private:
  std::vector<uint16_t> words_;
  uint64_t buffer_ = 0;
  uint32_t bits_ = 0;
  uint32_t next_ = 258;
  bool started_ = false;
};

// Decodes into a heap block of exactly `capacity` bytes, so AddressSanitizer
// catches any write past it. Returns the text, or "<-1>" for a corrupt stream.
std::string Decode(const std::vector<uint16_t>& words, size_t capacity = 1 << 16) {
  auto out = std::make_unique<uint8_t[]>(capacity ? capacity : 1);
  int32_t n = VgDecompress(words.data(), static_cast<uint32_t>(words.size()), out.get(),
                           static_cast<uint32_t>(capacity));
  if (n < 0) return "<-1>";
  EXPECT_LE(static_cast<size_t>(n), capacity);
  return std::string(reinterpret_cast<char*>(out.get()), static_cast<size_t>(n));
}

std::vector<uint8_t> RoundTrip(const std::vector<uint8_t>& data) {
  std::vector<uint16_t> codes = LzwPack(data.data(), data.size());
  std::vector<uint8_t> out(data.size());
  int32_t n = VgDecompress(codes.data(), static_cast<uint32_t>(codes.size()), out.data(),
                           static_cast<uint32_t>(out.size()));
  EXPECT_EQ(n, static_cast<int32_t>(data.size()));
  return out;
}

// Lists the codes of a well-formed stream (widths as the decoder tracks them).
std::vector<uint32_t> ListCodes(const std::vector<uint16_t>& words) {
  std::vector<uint32_t> codes;
  uint64_t buffer = 0;
  uint32_t bits = 0;
  size_t i = 0;
  uint32_t next = 258;
  bool started = false;
  for (;;) {
    uint32_t width = WidthFor(next);
    while (bits < width && i < words.size()) {
      buffer |= static_cast<uint64_t>(words[i++]) << bits;
      bits += 16;
    }
    if (bits < width) return codes;
    uint32_t code = static_cast<uint32_t>(buffer & ((1u << width) - 1));
    buffer >>= width;
    bits -= width;
    codes.push_back(code);
    if (code == 257) return codes;
    if (code == 256) {
      next = 258;
      started = false;
    } else {
      if (started) ++next;
      started = true;
    }
  }
}

// ------------------------------------------------------------ the decoder

TEST(LzwDecode, StreamBeginningWithTheEndCodeIsEmpty) {
  EXPECT_EQ(Decode((Stream() << 257).Words()), "");
  EXPECT_EQ(Decode((Stream() << 257).Words(), 0), "");
}

TEST(LzwDecode, LiteralsAndDictionaryCodes) {
  // "ab" then 258 = "ab" (added when 'b' was read), then 259 = "ba".
  EXPECT_EQ(Decode((Stream().Literals("ab") << 258 << 259 << 257).Words()), "ababba");
}

TEST(LzwDecode, CodeEqualToTheNextDictionaryCodeIsPreviousPlusItsFirstByte) {
  EXPECT_EQ(Decode((Stream() << 'a' << 258 << 257).Words()), "aaa");
  // After "a", "b" the next code is 259: it stands for "b" + "b".
  EXPECT_EQ(Decode((Stream() << 'a' << 'b' << 259 << 257).Words()), "abbb");
  // The KwKwK code whose previous string is itself a dictionary string.
  EXPECT_EQ(Decode((Stream() << 'a' << 'b' << 258 << 260 << 257).Words()), "abababa");
}

TEST(LzwDecode, ClearRightAfterClearIsAccepted) {
  EXPECT_EQ(Decode((Stream() << 256 << 256 << 'x' << 257).Words()), "x");
  EXPECT_EQ(Decode((Stream() << 'a' << 256 << 256 << 'b' << 257).Words()), "ab");
  EXPECT_EQ(Decode((Stream() << 256 << 257).Words()), "");
}

TEST(LzwDecode, ClearForgetsTheDictionary) {
  // After the clear, 258 is the KwKwK code of "c", not the old "ab".
  EXPECT_EQ(Decode((Stream().Literals("ab") << 256 << 'c' << 258 << 257).Words()), "abccc");
}

TEST(LzwDecode, WidthGrowsAfterTheEntryThatReaches512) {
  // 300 literals take the next dictionary code past 512: the later codes are 10
  // bits wide, and the decoder must switch after exactly the same entry.
  std::string text;
  for (int i = 0; i < 300; ++i) text += static_cast<char>('A' + i % 50);
  Stream s;
  s.Literals(text) << 258 << 257;
  EXPECT_EQ(Decode(s.Words()), text + text.substr(0, 2));
}

TEST(LzwDecode, CodeBeyondTheNextDictionaryCodeIsCorrupt) {
  EXPECT_EQ(Decode((Stream() << 'a' << 259 << 257).Words()), "<-1>");
  EXPECT_EQ(Decode((Stream() << 258 << 257).Words()), "<-1>");         // no previous string yet
  EXPECT_EQ(Decode((Stream() << 'a' << 256 << 258 << 257).Words()), "<-1>");
  EXPECT_EQ(Decode((Stream() << 511 << 257).Words()), "<-1>");
}

TEST(LzwDecode, StreamMustClearBeforeCode4096) {
  Stream full;
  full << 'a';
  for (int i = 0; i < 3838; ++i) full << 'b';  // adds codes 258 .. 4095
  std::vector<uint16_t> cleared = (Stream(full) << 256 << 'c' << 257).Words();
  EXPECT_EQ(Decode(cleared), "a" + std::string(3838, 'b') + "c");
  std::vector<uint16_t> owing = (Stream(full) << 'c' << 257).Words();  // would add 4096
  EXPECT_EQ(Decode(owing), "<-1>");
}

TEST(LzwDecode, TruncatedStreamIsCorrupt) {
  std::vector<uint16_t> words = (Stream().Literals("abc")).Words();  // no end code
  EXPECT_EQ(Decode(words), "<-1>");
  EXPECT_EQ(Decode({}), "<-1>");
  EXPECT_EQ(VgDecompress(nullptr, 0, nullptr, 0), -1);
  // A well-formed stream cut short by one word.
  std::vector<uint16_t> good = (Stream().Literals("hello world") << 257).Words();
  good.pop_back();
  EXPECT_EQ(Decode(good), "<-1>");
}

TEST(LzwDecode, OutputPastTheCapacityIsCorruptAndNothingIsWrittenPastIt) {
  std::vector<uint16_t> words = (Stream().Literals("abcdef") << 257).Words();
  EXPECT_EQ(Decode(words, 6), "abcdef");
  EXPECT_EQ(Decode(words, 5), "<-1>");
  EXPECT_EQ(Decode(words, 0), "<-1>");
  // A long dictionary string that crosses the end of the destination.
  std::vector<uint16_t> runs = (Stream() << 'a' << 258 << 259 << 260 << 257).Words();  // 1+2+3+4 bytes
  EXPECT_EQ(Decode(runs, 10), std::string(10, 'a'));
  EXPECT_EQ(Decode(runs, 8), "<-1>");

  uint8_t guarded[12];
  std::memset(guarded, 0xEE, sizeof guarded);
  EXPECT_EQ(VgDecompress(runs.data(), static_cast<uint32_t>(runs.size()), guarded, 8), -1);
  for (int i = 8; i < 12; ++i) EXPECT_EQ(guarded[i], 0xEE) << i;
}

TEST(LzwDecode, WithOffsetSkipsAfterEveryRow) {
  std::vector<uint16_t> words = (Stream().Literals("abcdef") << 257).Words();
  uint8_t out[12];
  std::memset(out, '.', sizeof out);
  EXPECT_EQ(VgDecompressWithOffset(words.data(), static_cast<uint32_t>(words.size()), out, 12, 2, 3), 6);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(out), 12), "ab...cd...ef");
  // The last byte would land at index 11: a capacity of 11 is too small.
  std::memset(out, '.', sizeof out);
  EXPECT_EQ(VgDecompressWithOffset(words.data(), static_cast<uint32_t>(words.size()), out, 11, 2, 3), -1);
  EXPECT_EQ(out[11], '.');
  // A row width of 0 means no rows.
  EXPECT_EQ(VgDecompressWithOffset(words.data(), static_cast<uint32_t>(words.size()), out, 6, 0, 3), 6);
}

TEST(LzwDecode, RandomWordsNeverOverrun) {
  std::mt19937 rng(1234);
  for (int round = 0; round < 3000; ++round) {
    std::vector<uint16_t> words(rng() % 64);
    for (auto& w : words) w = static_cast<uint16_t>(rng());
    size_t capacity = rng() % 200;
    std::string out = Decode(words, capacity);
    if (out != "<-1>") {
      EXPECT_LE(out.size(), capacity);
    }
  }
}

TEST(LzwDecode, DamagedStreamsNeverOverrun) {
  std::mt19937 rng(99);
  std::vector<uint8_t> data(3000);
  for (auto& b : data) b = static_cast<uint8_t>("abcdefgh"[rng() % 8]);
  const std::vector<uint16_t> good = LzwPack(data.data(), data.size());
  for (int round = 0; round < 500; ++round) {
    std::vector<uint16_t> words = good;
    for (int flips = 1 + static_cast<int>(rng() % 3); flips > 0; --flips) {
      words[rng() % words.size()] ^= static_cast<uint16_t>(1u << (rng() % 16));
    }
    if (rng() % 4 == 0) words.resize(rng() % words.size());
    Decode(words, data.size());
  }
}

// ------------------------------------------------------------ round trips

TEST(LzwRoundTrip, EmptyAndTinyInputs) {
  for (size_t n : {0, 1, 2, 3}) {
    std::vector<uint8_t> data(n, 'q');
    EXPECT_EQ(RoundTrip(data), data);
  }
  EXPECT_EQ(LzwPack(nullptr, 0), (Stream() << 257).Words());
}

TEST(LzwRoundTrip, EveryByteValue) {
  std::vector<uint8_t> data;
  for (int r = 0; r < 3; ++r) {
    for (int i = 0; i < 256; ++i) data.push_back(static_cast<uint8_t>(i));
  }
  EXPECT_EQ(RoundTrip(data), data);
}

TEST(LzwRoundTrip, RandomDataCrossesManyClears) {
  std::mt19937 rng(7);
  std::vector<uint8_t> data(200000);
  for (auto& b : data) b = static_cast<uint8_t>(rng());
  std::vector<uint16_t> words = LzwPack(data.data(), data.size());
  std::vector<uint32_t> codes = ListCodes(words);
  ASSERT_FALSE(codes.empty());
  EXPECT_EQ(codes.back(), 257u);
  EXPECT_GT(std::count(codes.begin(), codes.end(), 256u), 40);
  EXPECT_EQ(RoundTrip(data), data);
}

TEST(LzwRoundTrip, RepetitiveDataMakesLongStringsAndKwKwKCodes) {
  std::vector<uint8_t> zeros(1 << 20, 0);
  std::vector<uint16_t> words = LzwPack(zeros.data(), zeros.size());
  EXPECT_LT(words.size(), 2000u);  // strings of up to ~1450 bytes
  EXPECT_EQ(RoundTrip(zeros), zeros);

  std::vector<uint8_t> pattern;
  for (int i = 0; i < 300000; ++i) pattern.push_back(static_cast<uint8_t>("abcab"[i % 5] + (i / 7000) % 3));
  EXPECT_EQ(RoundTrip(pattern), pattern);
}

TEST(LzwRoundTrip, LengthsAroundTheFirstClear) {
  // Random bytes make about one code per byte: these lengths put the end of the
  // data just before, on and after the point where the dictionary fills.
  std::mt19937 rng(4242);
  std::vector<uint8_t> source(4600);
  for (auto& b : source) b = static_cast<uint8_t>(rng() % 256);
  for (size_t n = 3700; n <= source.size(); n += 3) {
    std::vector<uint8_t> data(source.begin(), source.begin() + static_cast<std::ptrdiff_t>(n));
    ASSERT_EQ(RoundTrip(data), data) << n;
  }
}

TEST(LzwRoundTrip, TextLikeData) {
  std::string text;
  std::mt19937 rng(5);
  const char* words[] = {"Picture ", "Sound ", "Channel ", "Settings ", "\xc3\xa9t\xc3\xa9 ", "Volume\n"};
  while (text.size() < 50000) text += words[rng() % 6];
  std::vector<uint8_t> data(text.begin(), text.end());
  EXPECT_EQ(RoundTrip(data), data);
}

// ------------------------------------------------------------ fuzzing

TEST(LzwFuzz, KeptInputsReplayCleanly) {
  std::filesystem::path corpus = std::filesystem::path(__FILE__).parent_path() / ".." / "fuzz" / "corpus" / "lzw";
  if (!std::filesystem::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
  int replayed = 0;
  for (const auto& file : std::filesystem::directory_iterator(corpus)) {
    std::ifstream in(file.path(), std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(LLVMFuzzerTestOneInput(bytes.data(), bytes.size()), 0) << file.path();
    ++replayed;
  }
  EXPECT_GT(replayed, 0);
}

}  // namespace LzwTest
