#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz_targets.h"

namespace {

void ReplayAll(const char* target, int (*body)(const uint8_t*, size_t)) {
  const std::filesystem::path dir = std::filesystem::path(TVUI_FUZZ_CORPUS) / target;
  int replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    SCOPED_TRACE(entry.path().string());
    std::ifstream in(entry.path(), std::ios::binary);
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(body(bytes.data(), bytes.size()), 0);
    ++replayed;
  }
  EXPECT_GT(replayed, 0) << "no kept inputs in " << dir;
}

TEST(FuzzReplay, SettingsFileInputs) { ReplayAll("settings", &FuzzSettingsFile); }
TEST(FuzzReplay, FileReaderInputs) { ReplayAll("filereader", &FuzzFileReader); }

}  // namespace
