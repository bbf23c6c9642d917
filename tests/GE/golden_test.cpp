// Scenes drawn through DirectFB's fill and blitter, compared with reference
// PNGs pixel for pixel (see golden.h for the diff picture and how to rewrite a
// reference).
#include "Bitmaps.h"
#include "golden.h"
#include "ge_test_support.h"
#include "vgresmap.h"

namespace {

class GoldenTest : public EngineTest {
 protected:
  void ExpectGolden(const GenBitmap* b, const std::string& name) {
    ::ExpectGolden(Pixels(b), std::string(GE_GOLDEN_DIR) + "/" + name + ".png");
  }

  // A checkerboard of two colours, so that blending over both light and dark,
  // opaque and translucent destinations shows in one picture.
  GenBitmap* Checkerboard(int32_t width, int32_t height) {
    GenBitmap* b = Make(width, height, 0xFF203040);
    for (int y = 0; y < height; y += 8)
      for (int x = (y / 8 % 2) * 8; x < width; x += 16)
        GenFillRectangle(b, nullptr, 0x80E0E0C0, x, y, x + 8, y + 8, 0);
    return b;
  }

  // A source with an opaque body, a translucent border and transparent corners.
  GenBitmap* Badge() {
    GenBitmap* s = Make(16, 16);
    GenFillRectangle(s, nullptr, 0x80FF8000, 0, 0, 16, 16, 0);
    GenFillRectangle(s, nullptr, 0xFF2060FF, 3, 3, 13, 13, 0);
    GenFillRectangle(s, nullptr, 0x00000000, 0, 0, 2, 2, 0);
    GenFillRectangle(s, nullptr, 0x00000000, 14, 14, 16, 16, 0);
    return s;
  }
};

TEST_F(GoldenTest, Fills) {
  GenBitmap* b = Checkerboard(64, 48);
  GenFillRectangle(b, nullptr, 0xFFC03020, 4, 4, 20, 20, 0);      // opaque copy
  GenFillRectangle(b, nullptr, 0x60C03020, 24, 4, 40, 20, 0);     // translucent copy
  GenFillRectangle(b, nullptr, 0x60C03020, 44, 4, 60, 20, 1);     // translucent blend
  GenFillRectangle(b, nullptr, 0xC020C040, 10, 14, 54, 30, 1);    // blend across the others
  const GenRect clip{0, 34, 40, 48};
  GenFillRectangle(b, &clip, 0x9000A0FF, 50, 44, 2, 30, 1);       // swapped corners, clipped
  ExpectGolden(b, "fills");
}

TEST_F(GoldenTest, BlendedCopies) {
  GenBitmap* b = Checkerboard(64, 48);
  GenBitmap* badge = Badge();
  GenCopyBitmap(b, nullptr, badge, 2, 2, 0, 0, 16, 16, 0, 255);   // copy keeps the alpha
  GenCopyBitmap(b, nullptr, badge, 22, 2, 0, 0, 16, 16, 1, 255);
  GenCopyBitmap(b, nullptr, badge, 42, 2, 0, 0, 16, 16, 1, 128);
  const GenRect clip{0, 24, 30, 48};
  GenCopyBitmap(b, &clip, badge, 20, 26, -4, 0, 16, 16, 1, 200);  // shifted and clipped
  GenTileBitmapFrame(b, nullptr, badge, 0, 34, 26, 4, 4, 28, 20, 8, 8, 1, 255);
  ExpectGolden(b, "copies");
}

TEST_F(GoldenTest, ScaledCopies) {
  GenBitmap* b = Checkerboard(64, 48);
  GenBitmap* badge = Badge();
  GenScaleBitmap(b, nullptr, badge, 2, 2, 28, 20, 0, 0, 16, 16, 0, 255);
  GenScaleBitmap(b, nullptr, badge, 34, 2, 28, 20, 0, 0, 16, 16, 1, 255);
  const GenRect clip{0, 26, 40, 48};
  GenScaleBitmap(b, &clip, badge, 2, 24, 60, 30, 2, 2, 12, 12, 1, 100);
  ExpectGolden(b, "scaled");
}


// A menu page of the interface's own artwork on the window surface: packed
// resources unpacked, nine-cell frames stretched by tiling, tiles and keys
// blended over a translucent background.
class MenuSceneTest : public GoldenTest {
 protected:
  GenBitmap* Load(const VgConstant& constant) {
    const auto* entry = static_cast<const VgResourceEntry*>(constant.entries);
    GenBitmap* b = GenLoadBitmap(static_cast<const GenBitmapResource*>(entry->value));
    EXPECT_NE(b, nullptr);
    if (b) loaded_.push_back(b);
    return b;
  }
  void TearDown() override {
    for (GenBitmap* b : loaded_) GenFreeBitmap(b);
    GoldenTest::TearDown();
  }

  // Corners copied, edges and interior tiled, as the frame view draws them.
  static void NineCells(GenBitmap* target, GenBitmap* frame, int x1, int y1, int x2, int y2, bool interior = true) {
    const int cw = frame->frameWidth / 3, ch = frame->frameHeight / 3;
    const int xs[4] = {x1, x1 + cw, x2 - cw, x2}, ys[4] = {y1, y1 + ch, y2 - ch, y2};
    for (int row = 0; row < 3; ++row)
      for (int col = 0; col < 3; ++col) {
        if (row == 1 && col == 1 && !interior) continue;
        GenTileBitmapFrame(target, nullptr, frame, 0, xs[col], ys[row], col * cw, row * ch, xs[col + 1] - xs[col],
                           ys[row + 1] - ys[row], cw, ch, 1, 255);
      }
  }

 private:
  std::vector<GenBitmap*> loaded_;
};

TEST_F(MenuSceneTest, MainMenuPage) {
  GenBitmap* window = GenCreateBitmapExternal(960, 540, 0);
  ASSERT_NE(window, nullptr);
  // The picture behind the interface.
  GenFillRectangle(window, nullptr, 0xFF3A5A48, 0, 0, 960, 540, 0);
  GenFillRectangle(window, nullptr, 0xFF6A8AA8, 0, 0, 960, 200, 0);
  GenCopyBitmap(window, nullptr, Load(Bitmaps::MainMenuBackground), 0, 0, 0, 0, 960, 540, 1, 255);

  GenBitmap* panel = Load(Bitmaps::MediaQuickMenuBg);
  NineCells(window, panel, 120, 110, 840, 430);
  const VgConstant* tiles[] = {&Bitmaps::MainMenuPicture0, &Bitmaps::MainMenuAudio,   &Bitmaps::MainMenuChannel0,
                               &Bitmaps::MainMenuSettings0, &Bitmaps::MainMenuLock0,  &Bitmaps::MainMenuMovie0,
                               &Bitmaps::MainMenuRecord0};
  for (int i = 0; i < 7; ++i)
    GenCopyBitmap(window, nullptr, Load(*tiles[i]), 142 + i * 94, 140, 0, 0, 90, 60, 1, 255);

  GenBitmap* normal = Load(Bitmaps::OptionButtonNonFocused);
  GenBitmap* focused = Load(Bitmaps::OptionButtonFocused);
  for (int row = 0; row < 4; ++row)
    NineCells(window, row == 1 ? focused : normal, 160, 270 + row * 34, 650, 297 + row * 34);
  GenCopyBitmap(window, nullptr, Load(Bitmaps::ToggleButtonLeftArrow), 520, 313, 0, 0, 13, 10, 1, 255);
  GenCopyBitmap(window, nullptr, Load(Bitmaps::ToggleButtonRightArrow), 620, 313, 0, 0, 13, 10, 1, 255);
  GenBitmap* check = Load(Bitmaps::CheckBoxCheck);
  GenCopyBitmap(window, nullptr, check, 680, 270, 0, 0, 27, 27, 1, 255);
  GenCopyBitmap(window, nullptr, Load(Bitmaps::CheckBox), 680, 304, 0, 0, 27, 27, 1, 255);
  GenCopyBitmapFrame(window, nullptr, Load(Bitmaps::ChannelLogoBig_5), 1, 720, 330, 0, 0, 90, 54, 1, 255);
  GenCopyBitmap(window, nullptr, Load(Bitmaps::ScrollBackground), 814, 120, 0, 0, 16, 300, 1, 255);
  GenCopyBitmap(window, nullptr, Load(Bitmaps::ScrollBar), 814, 150, 0, 0, 16, 80, 1, 255);

  const VgConstant* keys[] = {&Bitmaps::MenuHelpOk, &Bitmaps::MenuHelpUD, &Bitmaps::MenuHelpReturn};
  for (int i = 0; i < 3; ++i) GenCopyBitmap(window, nullptr, Load(*keys[i]), 210 + i * 170, 470, 0, 0, 42, 34, 1, 255);
  GenCopyBitmap(window, nullptr, Load(Bitmaps::MenuHelpExit), 720, 467, 0, 0, 40, 40, 1, 180);

  ExpectGolden(window, "menu");
  GenFreeBitmap(window);
}

}  // namespace

// The three ways a translucent picture is copied (a bitmap copy, the indexed
// copy and the scaled copy) mix its colour once and leave an opaque
// destination opaque, pixel for pixel alike: a row of sources from opaque to
// nearly transparent, each panel of the picture one way, at full opacity on
// top and at half opacity below.
TEST_F(GoldenTest, TranslucentCopiesAgree) {
  constexpr GenColor kColours[] = {0xFFFF0000, 0xC000FF40, 0x80FFFFFF, 0x40202020, 0x10FF00FF, 0x00FFFF00};
  constexpr int32_t kCells = 6, kCell = 8;
  GenBitmap* source = Make(kCells * kCell, kCell);
  GenIndex8Bitmap* indexed = GenCreateIndex8Bitmap(kCells * kCell, kCell);
  ASSERT_NE(indexed, nullptr);
  GenSetColorOfIndex8Bitmap(indexed, kColours, 0, kCells);
  uint8_t* indexes = GenLockIndex8Bitmap(indexed);
  for (int32_t i = 0; i < kCells; ++i) {
    GenFillRectangle(source, nullptr, kColours[i], i * kCell, 0, (i + 1) * kCell, kCell, 0);
    for (int32_t y = 0; y < kCell; ++y)
      for (int32_t x = 0; x < kCell; ++x) indexes[y * kCells * kCell + i * kCell + x] = uint8_t(i);
  }
  GenUnlockIndex8Bitmap(indexed);

  constexpr int32_t kPanel = kCells * kCell + 4;
  GenBitmap* b = Make(3 * kPanel, 2 * kCell + 12, 0xFF2040C0);
  for (int32_t row = 0; row < 2; ++row) {
    const int32_t opacity = row == 0 ? 255 : 128;
    const int32_t y = 4 + row * (kCell + 4);
    GenCopyBitmap(b, nullptr, source, 2, y, 0, 0, kCells * kCell, kCell, 1, opacity);
    GenCopyIndex8Bitmap(b, nullptr, indexed, kPanel + 2, y, 0, 0, kCells * kCell, kCell, 1, opacity);
    GenScaleBitmap(b, nullptr, source, 2 * kPanel + 2, y, kCells * kCell, kCell, 0, 0, kCells * kCell, kCell, 1,
                   opacity);
  }
  GenFreeIndex8Bitmap(indexed);

  const GenImage image = Pixels(b);
  for (int32_t row = 0; row < 2; ++row) {
    for (int32_t i = 0; i < kCells; ++i) {
      const int32_t x = 2 + i * kCell + 3, y = 4 + row * (kCell + 4) + 3;
      SCOPED_TRACE("colour " + std::to_string(i) + (row ? " at half opacity" : " at full opacity"));
      EXPECT_EQ(image.At(x + kPanel, y), image.At(x, y)) << "indexed copy";
      EXPECT_EQ(image.At(x + 2 * kPanel, y), image.At(x, y)) << "scaled copy";
      EXPECT_EQ(GenColorAlpha(image.At(x, y)), 255u);
    }
  }
  // Opaque red at half opacity over the ground 0x2040C0: each half, once.
  EXPECT_EQ(image.At(5, 4 + kCell + 4 + 3), GenMakeColor(128 + 0x20 / 2, 0x40 / 2, 0xC0 / 2, 255));
  ExpectGolden(b, "translucent_copies");
}
