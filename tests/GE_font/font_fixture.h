// The engine's font set-up for tests: the cache started, the system's font
// file registered, and font records that live as long as the program (glyphs
// are cached under the record's address).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "GenFont.h"
#include "gcm.h"

inline std::string SystemFontPath() {
  if (const char* root = std::getenv("TVUI_SOURCE_DIR")) {
    const std::string installed = std::string(root) + "/fonts/tt7268m_803.ttf";
    if (std::filesystem::exists(installed)) return installed;
  }
  return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
}

inline constexpr int32_t kGray = GenFontModeGray;
inline constexpr int32_t kMono = GenFontModeMono;

// One face of the system font in the height, with the mode.
template <int32_t Height, const int32_t* Mode = &kGray, int32_t Bold = 0, int32_t Italic = 0>
struct TestFont {
  static constexpr GenFontFace face{"TiresiasScreenfont", Height, Bold, Italic, 1.0f};
  static constexpr GenFontResource record{&face, nullptr, 1, 0, Mode};
};

class GenFontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(GenInitGlyphCache(20000), 0);
    ASSERT_EQ(GenRegisterFont(SystemFontPath().c_str()), 0);
  }
  void TearDown() override {
    GenDoneGlyphCache();
    EXPECT_EQ(GenCacheFirst, nullptr) << "a test left a glyph held";
  }
};

// As GenFontTest, with DirectFB's in-memory system for bitmaps.
class GenFontDrawTest : public GenFontTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(GCM_Start(1), 0);
    GenFontTest::SetUp();
  }
};
