// Replays the kept inputs of the product root's fuzz target (seeds and former
// crashes), one period of operation each, in the normal build.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "product_fuzz.h"

namespace {

TEST(FuzzReplay, ProductRootInputs) {
  const std::filesystem::path dir = std::filesystem::path(TVUI_FUZZ_CORPUS) / "product";
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    if (entry.is_regular_file()) files.push_back(entry.path());
  // The process's state carries from one input to the next: always the same order.
  std::sort(files.begin(), files.end());
  for (const auto& file : files) {
    SCOPED_TRACE(file.string());
    std::ifstream in(file, std::ios::binary);
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(FuzzProductRoot(bytes.data(), bytes.size()), 0);
  }
  EXPECT_FALSE(files.empty()) << "no kept inputs in " << dir;
}

}  // namespace
