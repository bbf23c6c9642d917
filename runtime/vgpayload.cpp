#include "vgpayload.h"

#include <bit>

uint8_t VgPayloadReader::Byte(uint32_t offset) const { return Has(offset, 1) ? data_[offset] : 0; }

uint16_t VgPayloadReader::U16(uint32_t offset) const {
  if (!Has(offset, 2)) return 0;
  return static_cast<uint16_t>(data_[offset] | data_[offset + 1] << 8);
}

uint32_t VgPayloadReader::Word(uint32_t index) const {
  // An index this far out would wrap the byte offset around to the start.
  if (index > UINT32_MAX / 4) return 0;
  const uint32_t offset = index * 4;
  if (!Has(offset, 4)) return 0;
  const uint8_t* p = data_ + offset;
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

double VgPayloadReader::Double(uint32_t offset) const {
  if (!Has(offset, 8)) return 0;
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = bits << 8 | data_[offset + i];
  return std::bit_cast<double>(bits);
}

std::string VgPayloadReader::Text(uint32_t offset, uint32_t maxLength) const {
  std::string text;
  for (uint32_t i = offset; i < size_ && i - offset < maxLength && data_[i] != 0; ++i)
    text.push_back(static_cast<char>(data_[i]));
  return text;
}
