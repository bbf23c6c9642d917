// The photo grid over the media bridge and the simulated library: pages of 4 x 7 with their
// arrows, thumbnails one request at a time, a new folder from its first page,
// the empty folder, and the golden picture of a page.
#include <gtest/gtest.h>

#include <cstdlib>

#include "Bitmaps.h"
#include "Core/Keys.h"
#include "ListForm/PhotoGridView.h"
#include "golden.h"
#include "media_host.h"
#include "vgresmap.h"

namespace {

using ListForm::PhotoGridItem;
using ListForm::PhotoGridView;

class PhotoGrids : public ListTest::MediaFixture {
 protected:
  // count photos, every third without a thumbnail.
  void Photos(int count) {
    std::vector<ListTest::StickEntry> entries;
    for (int i = 0; i < count; ++i) entries.push_back(Photo("Photo " + std::to_string(i + 10), i % 3 != 2));
    Folder(entries);
  }
  PhotoGridView* MakeGrid() { return grid = Embed(VgNew<PhotoGridView>()); }
  PhotoGridItem* Cell(int32_t i) { return vg_cast<PhotoGridItem>(grid->GetCtrlAt(i)); }
  Resources::Bitmap* Bitmap(const VgConstant& constant) { return VgLoad<Resources::Bitmap>(constant); }
  // Answers the request out and waits for the next one.
  void AnswerOne() {
    ASSERT_EQ(AnswerMetadata(), 1);
    VgProcessSignals();
    Advance(ListForm::MetadataChain::ThumbnailPauseMs);
  }

  PhotoGridView* grid = nullptr;
};

TEST_F(PhotoGrids, TwentyEightPhotosMakeOnePageWithoutArrows) {
  Photos(28);
  MakeGrid();
  EXPECT_EQ(grid->PageCount, 1);
  EXPECT_EQ(grid->ItemNum, 28);
  EXPECT_FALSE(grid->leftArrow.Visible);
  EXPECT_FALSE(grid->rightArrow.Visible);
  EXPECT_EQ(Cell(8)->Bounds, (VgRect{24 + 126, 6 + 96, 24 + 126 + 112, 6 + 96 + 84})) << "row 1, column 1";
}

TEST_F(PhotoGrids, TwentyNinePhotosShowOnlyTheLeftArrowOnTheSecondPage) {
  Photos(29);
  MakeGrid();
  EXPECT_EQ(grid->PageCount, 2);
  EXPECT_FALSE(grid->leftArrow.Visible);
  EXPECT_TRUE(grid->rightArrow.Visible);
  Press(Key::GridPageDown);
  EXPECT_EQ(grid->CurrentPage, 1);
  EXPECT_EQ(grid->ItemNum, 1);
  EXPECT_TRUE(grid->leftArrow.Visible);
  EXPECT_FALSE(grid->rightArrow.Visible);

  // A smaller folder starts again on its first page.
  Photos(5);
  grid->Initialize(nullptr);
  VgProcessSignals();
  EXPECT_EQ(grid->CurrentPage, 0);
  EXPECT_EQ(grid->ItemNum, 5);
  EXPECT_EQ(Focused(), 0);
  EXPECT_EQ(Cursor(), 0);
  EXPECT_FALSE(grid->leftArrow.Visible);
  EXPECT_FALSE(grid->rightArrow.Visible);
}

TEST_F(PhotoGrids, ThumbnailsArriveOneAtATimeAndAMissingOneShowsBroken) {
  Folder({FolderEntry("Trips"), Photo("Sea"), Photo("Sunk", false)});
  MakeGrid();
  EXPECT_EQ(Cell(0)->Bitmap.get(), Bitmap(Bitmaps::MediaFolderThumb));
  EXPECT_EQ(Cell(1)->Bitmap.get(), Bitmap(Bitmaps::MediaPhotoThumb));
  EXPECT_EQ(Asked(), "PslRequestMetadata 1 1") << "folders have no thumbnail to ask for";
  AnswerOne();
  Resources::Bitmap* thumb = Cell(1)->Bitmap.get();
  ASSERT_NE(thumb, nullptr);
  EXPECT_EQ(thumb->OnGetSize(), (VgPoint{112, 84})) << "the photo fitted to the cell";
  EXPECT_EQ(Asked(), "PslRequestMetadata 2 1");
  AnswerOne();
  EXPECT_EQ(Cell(2)->Bitmap.get(), Bitmap(Bitmaps::MediaBrokenThumb));
  EXPECT_EQ(PendingMetadata(), 0);
  EXPECT_EQ(Cell(0)->Bitmap.get(), Bitmap(Bitmaps::MediaFolderThumb));

  // The owner hears of focus moves and activations.
  Press(Key::Right);
  EXPECT_GE(host->Count("UpdateMediaInfo"), 1);
  Press(Key::Ok);
  EXPECT_EQ(host->LastSender("DoItemActivate"), Cell(1));
}

TEST_F(PhotoGrids, AnEmptyFolderHidesTheGridAndItsFrameUntilPhotosCome) {
  MakeGrid();
  EXPECT_EQ(NoMediaFilesSent(), 1);
  EXPECT_FALSE(grid->Visible);
  EXPECT_FALSE(grid->focusFrame.Visible);
  for (uint16_t key : {Key::Right, Key::GridPageDown, Key::Ok, Key::Back}) Press(key);
  EXPECT_EQ(host->keys, (std::vector<int32_t>{Key::Back}));

  Photos(3);
  grid->Initialize(nullptr);
  VgProcessSignals();
  EXPECT_TRUE(grid->Visible);
  EXPECT_TRUE(grid->focusFrame.Visible);
  Press(Key::Right);
  EXPECT_EQ(Focused(), 1);
  EXPECT_EQ(grid->focusFrame.ClientBounds, Cell(1)->Bounds);
}

TEST_F(PhotoGrids, GoldenPage) {
  std::vector<ListTest::StickEntry> entries{FolderEntry("Trips"), FolderEntry("Family")};
  for (int i = 0; i < 27; ++i) entries.push_back(Photo("Photo " + std::to_string(i + 10), i % 4 != 3));
  Folder(entries);
  MakeGrid();
  for (int answers = 0; PendingMetadata() > 0 && answers < 40; ++answers) AnswerOne();
  Press(Key::Down);
  Press(Key::Right);
  ASSERT_EQ(Cursor(), 8);
  const char* root = std::getenv("TVUI_SOURCE_DIR");
  ExpectGolden(ViewsTest::Pixels(Render()), std::string(root ? root : ".") + "/tests/lists/golden/photo_grid.png");
}

}  // namespace
