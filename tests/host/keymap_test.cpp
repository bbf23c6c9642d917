#include <gtest/gtest.h>

#include <set>

#include "keymap.h"

namespace {

TEST(KeyMap, EveryRowMapsElementByElement) {
  for (const KeyMapRow& row : KeyMapRows()) {
    ASSERT_LE(row.firstKeyCode, row.lastKeyCode);
    for (int32_t code = row.firstKeyCode; code <= row.lastKeyCode; ++code)
      EXPECT_EQ(GuiKeyCodeOf(code), row.firstGuiCode + (code - row.firstKeyCode)) << "key code " << code;
  }
}

TEST(KeyMap, ExactlyTheListedCodesMapAndNothingOutsideTheTable) {
  int mapped = 0;
  std::set<int32_t> guiCodes;
  for (int32_t code = 0; code <= KeyMapLastKeyCode; ++code) {
    if (GuiKeyCodeOf(code) != 0) ++mapped;
    guiCodes.insert(GuiKeyCodeOf(code));
  }
  EXPECT_EQ(mapped, 181);
  for (int32_t skipped : {131, 158, 159, 175}) EXPECT_EQ(guiCodes.count(skipped), 0u) << skipped;
  for (int32_t code : {-1, 0, 1, 253, 254, 264, 271, 278, 100000}) EXPECT_EQ(GuiKeyCodeOf(code), 0) << code;
}

TEST(KeyMap, SharedCodes) {
  const int32_t pairs[][3] = {{2, 255, 80}, {3, 78, 63},   {75, 92, 65},  {76, 79, 98},  {133, 188, 2},
                              {19, 205, 44}, {26, 141, 110}, {113, 27, 21}, {115, 28, 22}, {58, 277, 94},
                              {121, 269, 102}, {122, 270, 103}, {123, 267, 104}};
  for (const auto& p : pairs) {
    EXPECT_EQ(GuiKeyCodeOf(p[0]), p[2]) << p[0];
    EXPECT_EQ(GuiKeyCodeOf(p[1]), p[2]) << p[1];
  }
  EXPECT_EQ(GuiKeyCodeOf(162), 132);
  EXPECT_EQ(GuiKeyCodeOf(190), 160);
  EXPECT_EQ(GuiKeyCodeOf(206), 176);
}

TEST(KeyMap, FrontPanelKeysHaveNamesAndTheirCodes) {
  const struct {
    int32_t keyCode;
    int32_t gui;
    const char* name;
  } keys[] = {{255, 80, "Power"}, {256, 46, "Vol+"}, {257, 47, "Vol-"}, {258, 36, "CH+"},
              {259, 37, "CH-"},   {260, 3, "Menu"},  {261, 83, "Input"}};
  for (const auto& k : keys) {
    EXPECT_EQ(GuiKeyCodeOf(k.keyCode), k.gui);
    ASSERT_NE(FrontPanelKeyName(k.keyCode), nullptr);
    EXPECT_STREQ(FrontPanelKeyName(k.keyCode), k.name);
  }
  EXPECT_EQ(FrontPanelKeyName(254), nullptr);
  EXPECT_EQ(FrontPanelKeyName(262), nullptr);
  EXPECT_EQ(FrontPanelKeyName(23), nullptr);
}

}  // namespace
