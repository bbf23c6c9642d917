// Frames drawn from kept pictures: the same pixels as cell by cell, whatever
// the edges, mode, opacity, clip and frame number, and new pictures when the
// artwork changes with the language.
#include <gtest/gtest.h>

#include "Bitmaps.h"
#include "GenFrameCache.h"
#include "Views/Frame.h"
#include "views_fixture.h"

namespace {

class FrameCache : public ViewsTest::ViewsFixture {
 protected:
  void SetUp() override {
    ViewsFixture::SetUp();
    top->Bounds = {0, 0, 400, 300};
    GenFrameCacheClear();
    GenFrameCacheSetBudget(GenFrameCacheDefaultBudget);
  }
  void TearDown() override {
    GenFrameCacheSetBudget(GenFrameCacheDefaultBudget);
    VgSetLanguage(0);
    ViewsFixture::TearDown();
  }

  Views::Frame* Add(VgRect bounds, const VgConstant& artwork) {
    auto* frame = VgNew<Views::Frame>();
    frame->OnSetBounds(bounds);
    frame->OnSetBitmap(VgLoad<Resources::Bitmap>(artwork));
    top->Add(frame, 0);
    return frame;
  }

  // The tree drawn over an opaque backdrop into a fresh canvas, within the clip.
  GenImage Draw(VgRect clip = {0, 0, 400, 300}) {
    auto* canvas = VgNew<Graphics::Canvas>();
    canvas->OnSetSize({400, 300});
    canvas->DrawRectangle({0, 0, 400, 300}, {0, 0, 400, 300}, {30, 60, 90, 255}, 0);
    canvas->DrawRectangle({0, 0, 400, 300}, {0, 150, 400, 300}, {200, 40, 40, 120}, 0);
    top->Draw(canvas, clip, {0, 0});
    return ViewsTest::Pixels(canvas);
  }

  // Cell by cell: no picture may be kept.
  GenImage DrawDirect(VgRect clip = {0, 0, 400, 300}) {
    GenFrameCacheSetBudget(0);
    GenImage image = Draw(clip);
    GenFrameCacheSetBudget(GenFrameCacheDefaultBudget);
    return image;
  }
};

TEST_F(FrameCache, ColdAndKeptPicturesGiveTheCellsOwnPixels) {
  Add({10, 10, 190, 90}, Bitmaps::MediaQuickMenuBg);
  Add({200, 10, 390, 37}, Bitmaps::OptionButtonFocused)->OnSetOpacity(128);
  Add({200, 50, 390, 77}, Bitmaps::OptionButtonNonFocused)->OnSetMode(0);
  Add({10, 100, 190, 190}, Bitmaps::MediaQuickMenuBg)->OnSetDrawInterior(false);
  Views::Frame* copyHole = Add({200, 100, 390, 190}, Bitmaps::MediaQuickMenuBg);
  copyHole->OnSetDrawInterior(false);
  copyHole->OnSetDrawLeftEdge(false);
  copyHole->OnSetMode(0);
  Views::Frame* open = Add({10, 200, 190, 290}, Bitmaps::HelpBarFrame);
  open->OnSetDrawUpperEdge(false);
  open->OnSetDrawRightEdge(false);
  Add({200, 200, 215, 210}, Bitmaps::OptionButtonFocused);  // smaller than two cells: drawn cell by cell
  Add({230, 200, 390, 290}, Bitmaps::ChannelLogoBig_5)->OnSetFrameNumber(2);
  // Cells of a pattern tiled down to the view's foot, which the picture's
  // rows repeat.
  Views::Frame* footless = Add({120, 195, 220, 299}, Bitmaps::ChannelLogoBig_5);
  footless->OnSetFrameNumber(1);
  footless->OnSetDrawBottomEdge(false);

  // The counts run on from the tests before: a clear keeps them.
  const uint64_t hitsBefore = GenFrameCacheGetStats().hits;
  const GenImage direct = DrawDirect();
  const GenImage cold = Draw();
  const GenFrameCacheStats afterCold = GenFrameCacheGetStats();
  EXPECT_EQ(afterCold.pictures, 8);
  EXPECT_EQ(afterCold.hits, hitsBefore);
  const GenImage kept = Draw();
  EXPECT_EQ(GenFrameCacheGetStats().hits, hitsBefore + 8);
  EXPECT_TRUE(cold.pixels == direct.pixels) << "the first draw through the cache differs";
  EXPECT_TRUE(kept.pixels == direct.pixels) << "a draw from kept pictures differs";

  // A partial redraw, as a focus move makes, cutting through every frame.
  const VgRect clip{100, 40, 300, 250};
  EXPECT_TRUE(Draw(clip).pixels == DrawDirect(clip).pixels);
}

TEST_F(FrameCache, AChangeOfLanguageRedrawsFramesFromTheNewArtwork) {
  // Artwork that differs by language, as a screen would reload on a change.
  static const VgResourceEntry kEntries[] = {
      {0, static_cast<const VgResourceEntry*>(Bitmaps::OptionButtonFocused.entries)->value},
      {7, static_cast<const VgResourceEntry*>(Bitmaps::OptionButtonNonFocused.entries)->value}};
  static const VgConstant kBilingual{kEntries, 2, VgNoVariants};
  Views::Frame* frame = Add({20, 20, 380, 60}, kBilingual);
  const GenImage first = Draw();
  EXPECT_EQ(GenFrameCacheGetStats().pictures, 1);

  VgSetLanguage(7);
  frame->OnSetBitmap(VgLoad<Resources::Bitmap>(kBilingual));
  VgReclaimMemory();  // the first artwork is freed; a new one may take its address
  const GenImage second = Draw();
  EXPECT_EQ(GenFrameCacheGetStats().pictures, 1) << "the first language's picture is gone";
  EXPECT_FALSE(second.pixels == first.pixels);
  EXPECT_TRUE(second.pixels == DrawDirect().pixels);

  VgSetLanguage(0);
  frame->OnSetBitmap(VgLoad<Resources::Bitmap>(kBilingual));
  EXPECT_TRUE(Draw().pixels == first.pixels);
}

}  // namespace
