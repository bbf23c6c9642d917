// Exact comparison of a picture with a reference PNG. On a mismatch
// <name>_diff.png is written beside the reference: differing pixels red over a
// dimmed copy of the result. TVUI_UPDATE_GOLDENS=1 rewrites the reference.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "GenPng.h"

inline void ExpectGolden(const GenImage& actual, const std::string& path) {
  if (std::getenv("TVUI_UPDATE_GOLDENS")) {
    ASSERT_TRUE(GenWritePng(path, actual));
    return;
  }
  GenImage expected;
  ASSERT_TRUE(GenReadPng(path, &expected)) << "no reference " << path << " (TVUI_UPDATE_GOLDENS=1 writes it)";
  ASSERT_EQ(expected.width, actual.width);
  ASSERT_EQ(expected.height, actual.height);
  int differing = 0;
  GenImage diff = actual;
  for (size_t i = 0; i < actual.pixels.size(); ++i) {
    const GenColor a = actual.pixels[i];
    if (a != expected.pixels[i]) {
      ++differing;
      diff.pixels[i] = GenMakeColor(255, 0, 0, 255);
    } else {
      diff.pixels[i] = GenMakeColor(GenColorRed(a) / 3, GenColorGreen(a) / 3, GenColorBlue(a) / 3, 255);
    }
  }
  const std::string diffPath = path.substr(0, path.size() - (path.ends_with(".png") ? 4 : 0)) + "_diff.png";
  if (differing) GenWritePng(diffPath, diff);
  EXPECT_EQ(differing, 0) << "pixels differ from " << path << "; see " << diffPath;
}
