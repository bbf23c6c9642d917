// The word a row-run picture keeps a run in, shared by the engine, which packs
// and draws such pictures, and the artwork packer, which stores them.
#pragma once

#include <algorithm>
#include <cstdint>

// A run is one 16-bit word: the index of its colour in the low bits, as many
// as the palette needs, and its length less one above them. A run longer than
// those bits hold is kept as runs of the one colour that follow each other.
// Artwork of a few colours thus keeps runs of up to thousands of pixels in a
// word, and shaded artwork of thousands of colours its runs of a few pixels.
inline constexpr uint32_t GenRunMaxColours = 1u << 15;
constexpr int32_t GenRunColourBits(uint32_t colours) {
  int32_t bits = 1;
  while (bits < 15 && (1u << bits) < colours) ++bits;
  return bits;
}

constexpr uint32_t GenRunLength(uint16_t word, int32_t bits) { return (uint32_t{word} >> bits) + 1u; }
constexpr uint32_t GenRunColour(uint16_t word, int32_t bits) { return word & ((1u << bits) - 1u); }

// The words a run of length pixels takes.
constexpr uint32_t GenRunWordCount(uint32_t length, int32_t bits) { return (length - 1u) / (1u << (16 - bits)) + 1u; }

// Calls put(word) for each word of a run of length pixels (at least one) of
// the colour at index colour.
template <class Put>
void GenRunWords(uint32_t length, uint32_t colour, int32_t bits, Put put) {
  const uint32_t longest = 1u << (16 - bits);
  for (uint32_t left = length; left > 0;) {
    const uint32_t n = std::min(left, longest);
    put(static_cast<uint16_t>((n - 1u) << bits | colour));
    left -= n;
  }
}
