#include "lzw.h"

#include <array>
#include <memory>

namespace {

constexpr uint32_t kClear = 256;
constexpr uint32_t kEnd = 257;
constexpr uint32_t kFirstCode = 258;
constexpr uint32_t kCodeLimit = 4096;  // one past the last dictionary code

// Bits needed for a code while the decoder's next dictionary code is `next`
// (a code may equal `next`: the decoder's KwKwK case).
uint32_t WidthFor(uint32_t next) {
  if (next < 512) return 9;
  if (next < 1024) return 10;
  if (next < 2048) return 11;
  return 12;
}

class BitWriter {
 public:
  explicit BitWriter(std::vector<uint16_t>& out) : out_(out) {}
  void Put(uint32_t code, uint32_t width) {
    buffer_ |= code << bits_;
    bits_ += width;
    while (bits_ >= 16) {
      out_.push_back(static_cast<uint16_t>(buffer_ & 0xFFFF));
      buffer_ >>= 16;
      bits_ -= 16;
    }
  }
  void Flush() {
    if (bits_ > 0) out_.push_back(static_cast<uint16_t>(buffer_ & 0xFFFF));
    buffer_ = 0;
    bits_ = 0;
  }

 private:
  std::vector<uint16_t>& out_;
  uint32_t buffer_ = 0;  // never holds more than 15 + 12 bits
  uint32_t bits_ = 0;
};

// The dictionary: (prefix code, byte) -> code, open addressing. 8192 slots for
// at most 3838 entries keeps the probes short; a clear empties it in one fill.
class Dictionary {
 public:
  Dictionary() { Clear(); }
  void Clear() { keys_.fill(kEmpty); }
  // The code of prefix + byte, or 0 when absent.
  uint32_t Find(uint32_t prefix, uint8_t byte) const {
    uint32_t key = (prefix << 8) | byte;
    for (uint32_t i = Hash(key);; i = (i + 1) & kMask) {
      if (keys_[i] == kEmpty) return 0;
      if (keys_[i] == key) return codes_[i];
    }
  }
  void Add(uint32_t prefix, uint8_t byte, uint32_t code) {
    uint32_t key = (prefix << 8) | byte;
    uint32_t i = Hash(key);
    while (keys_[i] != kEmpty) i = (i + 1) & kMask;
    keys_[i] = key;
    codes_[i] = static_cast<uint16_t>(code);
  }

 private:
  static constexpr uint32_t kSlots = 8192;
  static constexpr uint32_t kMask = kSlots - 1;
  static constexpr uint32_t kEmpty = 0xFFFFFFFF;
  static uint32_t Hash(uint32_t key) { return (key * 2654435761u) >> 19; }
  std::array<uint32_t, kSlots> keys_;
  std::array<uint16_t, kSlots> codes_{};
};

}  // namespace

std::vector<uint16_t> LzwPack(const uint8_t* data, size_t size) {
  std::vector<uint16_t> out;
  out.reserve(size / 2 + 4);
  BitWriter writer(out);
  if (size == 0) {
    writer.Put(kEnd, 9);
    writer.Flush();
    return out;
  }

  auto dictionary = std::make_unique<Dictionary>();
  // The encoder's next code is one ahead of the decoder's: the decoder adds the
  // entry for a code only when it reads the code after it. So a code is written
  // with the width for (next - 1), and the first code after a clear with 9 bits.
  uint32_t next = kFirstCode;
  uint32_t current = data[0];
  for (size_t i = 1; i < size; ++i) {
    uint8_t byte = data[i];
    uint32_t found = dictionary->Find(current, byte);
    if (found) {
      current = found;
      continue;
    }
    writer.Put(current, WidthFor(next - 1));
    if (next < kCodeLimit) {
      dictionary->Add(current, byte, next);
      ++next;
    } else {
      // The decoder has just added code 4095: it must clear before another code.
      writer.Put(kClear, WidthFor(next - 1));
      dictionary->Clear();
      next = kFirstCode;
    }
    current = byte;
  }
  writer.Put(current, WidthFor(next - 1));
  // After the last code the decoder has added one more entry (unless the code
  // was the first after a clear): the end code takes that width.
  writer.Put(kEnd, WidthFor(next < kCodeLimit ? next : kCodeLimit));
  writer.Flush();
  return out;
}
