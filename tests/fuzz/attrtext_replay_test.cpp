// Replays the kept inputs of the attributed-text fuzz target (seeds and former
// crashes) in the normal build.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "attrtext_fuzz.h"

namespace {

TEST(FuzzReplay, AttrTextInputs) {
  const std::filesystem::path dir = std::filesystem::path(TVUI_FUZZ_CORPUS) / "attrtext";
  int replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    SCOPED_TRACE(entry.path().string());
    std::ifstream in(entry.path(), std::ios::binary);
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(FuzzAttrText(bytes.data(), bytes.size()), 0);
    ++replayed;
  }
  EXPECT_GT(replayed, 0) << "no kept inputs in " << dir;
}

}  // namespace
