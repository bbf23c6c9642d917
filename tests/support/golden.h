// Exact comparison of a picture with a reference PNG (GenCompareWithPng: on a
// mismatch <name>_diff.png is written beside the reference;
// TVUI_UPDATE_GOLDENS=1 rewrites the reference).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "GenPng.h"

inline void ExpectGolden(const GenImage& actual, const std::string& path) {
  const std::string difference = GenCompareWithPng(actual, path);
  EXPECT_TRUE(difference.empty()) << difference;
}
