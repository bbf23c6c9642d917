// The one reader of payloads that reach the program from outside (middleware
// events and state-manager commands). Every read names the bytes it needs and
// fails, rather than reading past the end, when the payload is shorter.
// Words are 32-bit little-endian, counted from 0.
#pragma once

#include <cstdint>
#include <string>

class PayloadReader {
 public:
  PayloadReader(const void* data, uint32_t size) : data_(static_cast<const uint8_t*>(data)), size_(data ? size : 0) {}

  uint32_t size() const { return size_; }
  bool Has(uint32_t offset, uint32_t bytes) const {
    return uint64_t(offset) + bytes <= size_;
  }

  bool Byte(uint32_t offset, uint8_t* value) const;
  bool U16(uint32_t offset, uint16_t* value) const;
  bool Word(uint32_t index, uint32_t* value) const;
  // Reads at most maxLength characters from offset, up to a zero byte or the
  // end of the field or of the payload, whichever comes first.
  bool Text(uint32_t offset, uint32_t maxLength, std::string* text) const;
  // Copies bytes from offset; false (nothing copied) when they are not all there.
  bool Copy(uint32_t offset, uint32_t bytes, void* out) const;

 private:
  const uint8_t* data_;
  uint32_t size_;
};
