// Fuzz target for the LZW decoder of the packed data units, and a round trip
// through the packers' encoder (the fuzz preset builds it; scripts/fuzz.sh runs it).
// Seeds and inputs that once failed are kept in tests/fuzz/corpus/lzw; runtime_tests
// replays them (this file is included there).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "lzw.h"
#include "vgstring.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 5) return 0;
  uint8_t mode = data[0];
  data += 1;
  size -= 1;
  if (mode & 1) {
    // Any bytes must survive the encoder and the decoder unchanged.
    std::vector<uint16_t> codes = LzwPack(data, size);
    auto out = std::make_unique<uint8_t[]>(size + 1);
    int32_t n = VgDecompress(codes.data(), static_cast<uint32_t>(codes.size()), out.get(), static_cast<uint32_t>(size));
    if (n != static_cast<int32_t>(size) || std::memcmp(out.get(), data, size) != 0) std::abort();
    return 0;
  }
  // Any words must decode or be rejected within the destination: a block of
  // exactly the capacity, so a write past it is caught.
  uint32_t capacity = (static_cast<uint32_t>(data[0]) | static_cast<uint32_t>(data[1]) << 8) % 8192;
  uint32_t rowWidth = data[2] % 16;
  uint32_t rowSkip = data[3] % 16;
  data += 4;
  size -= 4;
  std::vector<uint16_t> words(size / 2);
  for (size_t i = 0; i < words.size(); ++i) words[i] = static_cast<uint16_t>(data[2 * i] | data[2 * i + 1] << 8);
  auto out = std::make_unique<uint8_t[]>(capacity ? capacity : 1);
  int32_t n = VgDecompressWithOffset(words.data(), static_cast<uint32_t>(words.size()), out.get(), capacity, rowWidth,
                                     rowSkip);
  if (n > static_cast<int32_t>(capacity)) std::abort();
  return 0;
}
