// Resource constants made at run time for tests: fonts of the Fonts unit need
// the cache started and the system font registered; bitmaps need DirectFB and
// a packed pixel stream.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "GenArtwork.h"
#include "GenFont.h"
#include "gcm.h"
#include "lzw.h"
#include "vgobject.h"
#include "vgresmap.h"

inline std::string SystemFontPath() {
  if (const char* root = std::getenv("TVUI_SOURCE_DIR")) {
    const std::string installed = std::string(root) + "/fonts/tt7268m_803.ttf";
    if (std::filesystem::exists(installed)) return installed;
  }
  return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
}

class ResourceTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(GCM_Start(1), 0);
    ASSERT_EQ(GenInitGlyphCache(20000), 0);
    ASSERT_EQ(GenRegisterFont(SystemFontPath().c_str()), 0);
  }
  void TearDown() override {
    VgReclaimMemory();  // resource objects free their engine fonts and bitmaps
    // The engine keeps artwork by the address of its record, and a test's
    // records live on its stack, where the next test's may stand: kept, a
    // picture of this test would be handed to that one.
    GenArtworkClear();
    GenDoneGlyphCache();
  }
};

// A bitmap constant of the given size and frames: every pixel of frame n has
// the colour 0xFF000000 + n + 1, so copies show which frames arrived.
class TestBitmap {
 public:
  TestBitmap(int32_t width, int32_t height, int32_t frameWidth, int32_t frameHeight, int32_t delay) {
    std::vector<uint8_t> bytes;
    for (int32_t y = 0; y < height; ++y)
      for (int32_t x = 0; x < width; ++x) {
        const uint32_t perRow = frameWidth > 0 ? static_cast<uint32_t>(width / frameWidth) : 1;
        const uint32_t frame = frameWidth > 0 && frameHeight > 0
                                   ? static_cast<uint32_t>(y / frameHeight) * perRow + static_cast<uint32_t>(x / frameWidth)
                                   : 0;
        const uint32_t colour = 0xFF000000u + frame + 1;
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<uint8_t>(colour >> shift));
      }
    codes_ = LzwPack(bytes.data(), bytes.size());
    record_ = {width, height, codes_.data(), 0, frameWidth, frameHeight, delay,
               static_cast<uint32_t>(codes_.size())};
    entry_ = {0, &record_};
    constant_ = {&entry_, 1, VgNoVariants};
  }
  TestBitmap(const TestBitmap&) = delete;
  TestBitmap& operator=(const TestBitmap&) = delete;

  const VgConstant* Constant() const { return &constant_; }

 private:
  std::vector<uint16_t> codes_;
  GenBitmapResource record_{};
  VgResourceEntry entry_{};
  VgConstant constant_{};
};
