#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "process.h"

namespace {

std::string WriteFile(const std::string& name, const std::string& content) {
  const std::string path = (std::filesystem::temp_directory_path() / name).string();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  std::fwrite(content.data(), 1, content.size(), file);
  std::fclose(file);
  return path;
}

TEST(KernelCommandLine, OnlyTheFirst31BytesCount) {
  EXPECT_TRUE(KernelCommandLineHasNfs(WriteFile("cmdline_nfs", "root=/dev/nfs rw").c_str()));
  EXPECT_TRUE(KernelCommandLineHasNfs(WriteFile("cmdline_edge", std::string(23, 'x') + "/dev/nfs").c_str()));
  EXPECT_FALSE(KernelCommandLineHasNfs(WriteFile("cmdline_late", std::string(24, 'x') + "/dev/nfs").c_str()));
  EXPECT_FALSE(KernelCommandLineHasNfs(WriteFile("cmdline_mtd", "root=/dev/mtdblock3").c_str()));
  // A line that fills the whole read has no end mark of its own.
  EXPECT_FALSE(KernelCommandLineHasNfs(WriteFile("cmdline_full", std::string(200, 'x')).c_str()));
  EXPECT_FALSE(KernelCommandLineHasNfs("/nonexistent/cmdline"));
}

TEST(Clock, TwentyFourToTwelveHours) {
  const struct {
    int32_t hour;
    int32_t hour12;
    const char* suffix;
  } cases[] = {{0, 12, "am"}, {1, 1, "am"}, {11, 11, "am"}, {12, 12, "pm"}, {13, 1, "pm"}, {23, 11, "pm"}};
  for (const auto& c : cases) {
    int32_t hour12 = -1;
    const char* suffix = nullptr;
    convert24To12Hour(c.hour, &hour12, &suffix);
    EXPECT_EQ(hour12, c.hour12) << c.hour;
    EXPECT_STREQ(suffix, c.suffix) << c.hour;
  }
}

TEST(BuildVersion, IsTheFixedText) {
  app_buildversion();
  EXPECT_STREQ(buildversion, "ZEP.244.22.30-TEST2");
}

}  // namespace
