// A picture compared with its reference PNG a row at a time: equal pictures
// agree, differing pixels are counted and drawn red in the diff file beside
// the reference, and a missing or differently sized reference is named.
#include <cstdlib>
#include <filesystem>

#include "ge_test_support.h"

namespace {

using CompareTest = EngineTest;

std::string Folder() {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "ge-compare-test";
  std::filesystem::create_directories(folder);
  return folder.string();
}

TEST_F(CompareTest, APictureAgreesWithItsOwnReferenceAndCountsWhatDiffers) {
  GenBitmap* picture = Make(40, 30, 0x80306090);
  GenFillRectangle(picture, nullptr, 0xFFE0A040, 5, 5, 20, 12, 0);
  const std::string reference = Folder() + "/picture.png";
  GenImage image = Pixels(picture);
  ASSERT_TRUE(GenWritePng(reference, image));
  EXPECT_EQ(GenCompareBitmapWithPng(picture, reference), "");
  EXPECT_EQ(GenCompareWithPng(image, reference), "");

  GenDrawPixel(picture, nullptr, 0xFF00FF00, 3, 4, 0);
  GenDrawPixel(picture, nullptr, 0xFF00FF00, 39, 29, 0);
  const std::string diff = Folder() + "/picture_diff.png";
  std::filesystem::remove(diff);
  EXPECT_EQ(GenCompareBitmapWithPng(picture, reference), "2 pixels differ from " + reference + "; see " + diff);
  GenImage shown;
  ASSERT_TRUE(GenReadPng(diff, &shown));
  EXPECT_EQ(shown.At(3, 4), GenMakeColor(255, 0, 0, 255));
  EXPECT_EQ(shown.At(39, 29), GenMakeColor(255, 0, 0, 255));
  const GenColor agreed = image.At(10, 8);
  EXPECT_EQ(shown.At(10, 8),
            GenMakeColor(GenColorRed(agreed) / 3, GenColorGreen(agreed) / 3, GenColorBlue(agreed) / 3, 255));
}

TEST_F(CompareTest, AMissingOrDifferentlySizedReferenceIsNamed) {
  GenBitmap* picture = Make(8, 6, 0xFF102030);
  const std::string missing = Folder() + "/missing.png";
  std::filesystem::remove(missing);
  {
    Console console;
    EXPECT_EQ(GenCompareBitmapWithPng(picture, missing), "no reference " + missing + " (TVUI_UPDATE_GOLDENS=1 writes it)");
  }
  const std::string smaller = Folder() + "/smaller.png";
  ASSERT_TRUE(GenWritePng(smaller, Pixels(Make(4, 6, 0xFF102030))));
  EXPECT_EQ(GenCompareBitmapWithPng(picture, smaller), "the reference " + smaller + " is 4x6, the picture 8x6");
}

TEST_F(CompareTest, UpdatingGoldensWritesThePicture) {
  GenBitmap* picture = Make(8, 6, 0x80102030);
  const std::string reference = Folder() + "/written.png";
  std::filesystem::remove(reference);
  setenv("TVUI_UPDATE_GOLDENS", "1", 1);
  EXPECT_EQ(GenCompareBitmapWithPng(picture, reference), "");
  unsetenv("TVUI_UPDATE_GOLDENS");
  GenImage written;
  ASSERT_TRUE(GenReadPng(reference, &written));
  EXPECT_EQ(written.pixels, Pixels(picture).pixels);
}

// Only 1 rewrites: any other value, empty too, fails the comparison and
// leaves the reference as it was, whether or not it matches the picture.
TEST_F(CompareTest, UpdatingGoldensTakesOnlyOne) {
  GenBitmap* picture = Make(8, 6, 0xFF102030);
  const std::string reference = Folder() + "/kept.png";
  ASSERT_TRUE(GenWritePng(reference, Pixels(Make(8, 6, 0xFF405060))));
  for (const char* value : {"0", "", "yes", "1 "}) {
    setenv("TVUI_UPDATE_GOLDENS", value, 1);
    EXPECT_EQ(GenCompareBitmapWithPng(picture, reference),
              "TVUI_UPDATE_GOLDENS takes 1, which rewrites the reference pictures, or is left unset, which compares "
              "them with the pictures; it is set to \"" + std::string(value) + "\"");
  }
  setenv("TVUI_UPDATE_GOLDENS", "a\x01" "bcdefghijklmnopqrstuvwxyz0123456789ABCDEFGH", 1);
  EXPECT_NE(GenUpdateGoldensRefusal().find("set to \"a\\x01bcdefghijklmnopqrstuvwxyz0123456789ABC...\""),
            std::string::npos)
      << GenUpdateGoldensRefusal();
  unsetenv("TVUI_UPDATE_GOLDENS");
  GenImage kept;
  ASSERT_TRUE(GenReadPng(reference, &kept));
  EXPECT_EQ(kept.pixels, Pixels(Make(8, 6, 0xFF405060)).pixels);
}

}  // namespace
