// LZW encoder for the packed data units.
//
// The stream is a sequence of codes written least significant bit first into
// 16-bit words (the caller stores each word little-endian). Codes 0-255 are
// literal bytes, 256 is the clear code, 257 ends the stream, dictionary codes
// run from 258 to 4095. The width starts at 9 bits and grows to 10, 11 and 12
// bits when the decoder's next dictionary code reaches 512, 1024 and 2048.
// A clear code is sent as soon as the decoder's dictionary is full (its next
// code would be 4096); the stream always ends with 257, padded with zero bits
// to a whole word.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

std::vector<uint16_t> LzwPack(const uint8_t* data, size_t size);
