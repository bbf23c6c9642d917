// The one reader of payloads that reach the program from outside: middleware
// events, state-manager commands, and the records the host makes of them.
// Words are 32-bit little-endian values counted from 0; other values are read
// at byte offsets. Nothing is read past the payload's size: a value that does
// not lie wholly inside it reads as 0, and a text ends at its terminator, at
// its length limit or at the end of the payload, whichever comes first. A
// caller that must tell a missing value from a 0 asks Has first.
#pragma once

#include <cstdint>
#include <string>

class VgPayloadReader {
 public:
  // A null data pointer is a payload of no bytes, whatever the size says.
  VgPayloadReader(const void* data, uint32_t size)
      : data_(static_cast<const uint8_t*>(data)), size_(data ? size : 0) {}

  uint32_t Size() const { return size_; }
  // Whether the bytes from offset on, bytes of them, all lie inside the payload.
  bool Has(uint32_t offset, uint32_t bytes) const { return uint64_t{offset} + bytes <= size_; }

  uint8_t Byte(uint32_t offset) const;
  uint16_t U16(uint32_t offset) const;
  uint32_t Word(uint32_t index) const;
  int32_t Int(uint32_t index) const { return static_cast<int32_t>(Word(index)); }
  double Double(uint32_t offset) const;
  // At most maxLength 8-bit characters from offset.
  std::string Text(uint32_t offset, uint32_t maxLength = UINT32_MAX) const;

 private:
  const uint8_t* data_;
  uint32_t size_;
};
