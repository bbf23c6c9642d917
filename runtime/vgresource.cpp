// The LZW decompressor of the packed data units.
// String blocks and bitmap pixel streams both come through here.
//
// Mended: the decoder this format comes from trusted its input. It wrote
// wherever the stream led it and read words until it saw code 257. Here the
// output is bounded by the destination's capacity; a code beyond the next
// dictionary code (or a dictionary code right after a clear) is rejected, and so
// is a stream that would have to add code 4096; reading stops at the last word
// given. Each of these reports a corrupt stream (-1) without writing a byte past
// the capacity.

#include <cstdint>
#include <limits>

#include "vgstring.h"

namespace {

constexpr uint32_t kClear = 256;
constexpr uint32_t kEnd = 257;
constexpr uint32_t kFirstCode = 258;
constexpr uint32_t kCodeLimit = 4096;
constexpr uint32_t kEntries = kCodeLimit - kFirstCode;  // 3838
constexpr uint32_t kStackSize = 4096;                 // longest string: 3839 bytes

// Codes least significant bit first from 16-bit words. The buffer starts with the
// first two words and takes the next word whenever fewer than 17 bits remain,
// but never reads past the words it was given.
class BitReader {
 public:
  BitReader(const uint16_t* words, uint32_t count) : words_(words), count_(count) { Fill(); }
  // False when the stream ends before the code does.
  bool Read(uint32_t width, uint32_t& code) {
    if (bits_ < width) return false;
    code = buffer_ & ((1u << width) - 1);
    buffer_ >>= width;
    bits_ -= width;
    Fill();
    return true;
  }

 private:
  void Fill() {
    while (bits_ < 17 && next_ < count_) {
      buffer_ |= static_cast<uint32_t>(words_[next_++]) << bits_;
      bits_ += 16;
    }
  }
  const uint16_t* words_;
  uint32_t count_;
  uint32_t next_ = 0;
  uint32_t buffer_ = 0;
  uint32_t bits_ = 0;
};

// Writes bytes into the destination, jumping `skip` bytes after every `width`
// bytes (width 0: no rows). Refuses a byte past the capacity.
class Output {
 public:
  Output(uint8_t* destination, uint32_t capacity, uint32_t width, uint32_t skip)
      : destination_(destination), capacity_(capacity), width_(width), skip_(skip) {}
  bool Put(uint8_t byte) {
    if (position_ >= capacity_ || written_ >= kMaxWritten) return false;
    destination_[position_++] = byte;
    ++written_;
    if (width_ && ++column_ == width_) {
      column_ = 0;
      // Saturating: a skip that jumps past the capacity just fails the next Put.
      position_ = (capacity_ - position_ < skip_) ? capacity_ : position_ + skip_;
    }
    return true;
  }
  uint32_t Written() const { return written_; }

 private:
  static constexpr uint32_t kMaxWritten = std::numeric_limits<int32_t>::max();
  uint8_t* destination_;
  uint32_t capacity_;
  uint32_t width_;
  uint32_t skip_;
  uint32_t position_ = 0;
  uint32_t column_ = 0;
  uint32_t written_ = 0;
};

uint32_t WidthFor(uint32_t next) {
  if (next < 512) return 9;
  if (next < 1024) return 10;
  if (next < 2048) return 11;
  return 12;
}

int32_t Decode(const uint16_t* stream, uint32_t words, Output& out) {
  // Fixed tables, no allocation: the GUI thread may unpack in tight memory.
  uint16_t prefix[kEntries];
  uint8_t suffix[kEntries];
  uint8_t stack[kStackSize];

  if (!stream && words) return -1;
  BitReader reader(stream, words);
  uint32_t next = kFirstCode;
  uint32_t width = 9;
  bool havePrevious = false;
  uint32_t previous = 0;
  uint8_t previousFirst = 0;  // first byte of the previous code's string

  for (;;) {
    uint32_t code;
    if (!reader.Read(width, code)) return -1;  // ran past the words given
    if (code == kEnd) return static_cast<int32_t>(out.Written());
    if (code == kClear) {
      next = kFirstCode;
      width = 9;
      havePrevious = false;
      continue;
    }
    if (!havePrevious) {
      // First code of the stream or after a clear: a literal, no new entry.
      if (code > 255) return -1;
      if (!out.Put(static_cast<uint8_t>(code))) return -1;
      havePrevious = true;
      previous = code;
      previousFirst = static_cast<uint8_t>(code);
      continue;
    }
    if (code > next) return -1;          // not defined yet, nor the KwKwK code
    if (next >= kCodeLimit) return -1;   // the stream owed a clear code

    uint32_t sp = 0;
    uint32_t current = code;
    if (code == next) {
      // KwKwK: the previous string followed by its own first byte.
      stack[sp++] = previousFirst;
      current = previous;
    }
    while (current >= kFirstCode) {
      // Entries point only at smaller codes, so this ends; the bound is a guard.
      if (sp >= kStackSize - 1) return -1;
      stack[sp++] = suffix[current - kFirstCode];
      current = prefix[current - kFirstCode];
    }
    uint8_t first = static_cast<uint8_t>(current);
    stack[sp++] = first;

    prefix[next - kFirstCode] = static_cast<uint16_t>(previous);
    suffix[next - kFirstCode] = first;
    ++next;
    width = WidthFor(next);

    while (sp > 0) {
      if (!out.Put(stack[--sp])) return -1;
    }
    previous = code;
    previousFirst = first;
  }
}

}  // namespace

int32_t VgDecompress(const uint16_t* stream, uint32_t words, uint8_t* destination, uint32_t capacity) {
  Output out(destination, capacity, 0, 0);
  return Decode(stream, words, out);
}

int32_t VgDecompressWithOffset(const uint16_t* stream, uint32_t words, uint8_t* destination,
                               uint32_t capacity, uint32_t rowWidth, uint32_t rowSkip) {
  Output out(destination, capacity, rowWidth, rowSkip);
  return Decode(stream, words, out);
}
