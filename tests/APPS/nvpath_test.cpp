#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>

#include "nvpath.h"
#include "test_files.h"

namespace {

TEST(NvPath, MapsPlatformPathsBelowTheRoot) {
  TestDir dir;
  EXPECT_EQ(NvPath("/mnt/nvram/APP_NVRAM.dat"), dir / "mnt/nvram/APP_NVRAM.dat");
  // The simulated partition is there once a path into it was mapped.
  EXPECT_TRUE(std::filesystem::is_directory(dir / "mnt/nvram"));
  EXPECT_EQ(NvPath("fonts/face.ttf"), "fonts/face.ttf");
  EXPECT_EQ(NvPath("/mnt/nvram/../../etc/passwd"), "");
  EXPECT_EQ(NvPath("/mnt/..hidden"), dir / "mnt/..hidden");
  EXPECT_EQ(NvPath(""), "");
  EXPECT_EQ(NvPath(nullptr), "");

  char small[8];
  EXPECT_EQ(NvMapPath("/mnt/nvram/APP_NVRAM.dat", small, sizeof small), 0u);
  EXPECT_STREQ(small, "");
  char buffer[512];
  std::string expected = dir / "mnt/x";
  EXPECT_EQ(NvMapPath("/mnt/x", buffer, sizeof buffer), expected.size());
  EXPECT_EQ(std::string(buffer), expected);
}

TEST(NvPath, TheSetItselfMapsEveryPathToItself) {
  setenv("TVUI_ROOT", "/", 1);
  EXPECT_EQ(NvPath("/mnt/nvram/APP_NVRAM.dat"), "/mnt/nvram/APP_NVRAM.dat");
  unsetenv("TVUI_ROOT");
  EXPECT_STREQ(NvRootDir(), "rootfs");
}

}  // namespace
