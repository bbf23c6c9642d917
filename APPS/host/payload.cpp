#include "payload.h"

#include <cstring>

bool PayloadReader::Byte(uint32_t offset, uint8_t* value) const {
  if (!Has(offset, 1)) return false;
  *value = data_[offset];
  return true;
}

bool PayloadReader::U16(uint32_t offset, uint16_t* value) const {
  if (!Has(offset, 2)) return false;
  *value = uint16_t(data_[offset] | data_[offset + 1] << 8);
  return true;
}

bool PayloadReader::Word(uint32_t index, uint32_t* value) const {
  if (index > UINT32_MAX / 4) return false;
  const uint32_t offset = index * 4;
  if (!Has(offset, 4)) return false;
  *value = uint32_t(data_[offset]) | uint32_t(data_[offset + 1]) << 8 | uint32_t(data_[offset + 2]) << 16 |
           uint32_t(data_[offset + 3]) << 24;
  return true;
}

bool PayloadReader::Text(uint32_t offset, uint32_t maxLength, std::string* text) const {
  if (offset > size_) return false;
  text->clear();
  for (uint32_t i = offset; i < size_ && i - offset < maxLength && data_[i] != 0; ++i)
    text->push_back(char(data_[i]));
  return true;
}

bool PayloadReader::Copy(uint32_t offset, uint32_t bytes, void* out) const {
  if (!Has(offset, bytes)) return false;
  if (bytes) std::memcpy(out, data_ + offset, bytes);
  return true;
}
