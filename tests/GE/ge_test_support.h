// Shared set-up of the engine tests: DirectFB started headless once, small
// bitmaps, pixel access and the captured console.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "GenPng.h"
#include "GraphicsEngine.h"
#include "gcm.h"

class EngineTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(GCM_Start(1), 0); }

  void TearDown() override {
    for (GenBitmap* b : bitmaps_) GenFreeBitmap(b);
    bitmaps_.clear();
  }

  // A bitmap freed after the test, filled with one colour.
  GenBitmap* Make(int32_t width, int32_t height, GenColor fill = 0) {
    GenBitmap* b = GenCreateBitmap(width, height, GenColorFormatArgb8888);
    EXPECT_NE(b, nullptr);
    if (b && fill) GenFillRectangle(b, nullptr, fill, 0, 0, width, height, 0);
    if (b) bitmaps_.push_back(b);
    return b;
  }

  static GenImage Pixels(const GenBitmap* b) {
    GenImage image;
    EXPECT_TRUE(GenReadBitmap(b, &image));
    return image;
  }

  // The pixels that differ from `background`, as "x,y" strings in row order:
  // a readable picture of what a primitive touched.
  static std::vector<std::string> Touched(const GenBitmap* b, GenColor background) {
    std::vector<std::string> out;
    GenImage image = Pixels(b);
    for (int32_t y = 0; y < image.height; ++y)
      for (int32_t x = 0; x < image.width; ++x)
        if (image.At(x, y) != background) out.push_back(std::to_string(x) + "," + std::to_string(y));
    return out;
  }

 private:
  std::vector<GenBitmap*> bitmaps_;
};

// Captures what the engine prints on the console during its life.
class Console {
 public:
  Console() { testing::internal::CaptureStdout(); }
  std::string Text() {
    if (!done_) {
      text_ = testing::internal::GetCapturedStdout();
      done_ = true;
    }
    return text_;
  }
  ~Console() { Text(); }

 private:
  bool done_ = false;
  std::string text_;
};
