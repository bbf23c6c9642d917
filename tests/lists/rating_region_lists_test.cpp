// The downloadable rating-region lists in the host form: the grid of
// dimension columns, the QOR pair, the graduated rule on the scratch table
// and the apply that writes only what changed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppServices/PersistentData.h"
#include "ListForm/RatingRegionLists.h"
#include "PersistentData/PersistentData.h"
#include "golden.h"
#include "list_host.h"
#include "sim_calls.h"
#include "simtv.h"
#include "xpm.h"

namespace ListTest {
namespace {

using ListForm::QORRRTDimensionList;
using ListForm::QORRRTLevelList;
using ListForm::RRTDimensionItem;
using ListForm::RRTDimensionList;
using ListForm::RRTLevelList;

constexpr int32_t kRegion = 5;

class RatingRegionLists : public ListFixture {
 protected:
  void SetUp() override {
    ListFixture::SetUp();
    UseModel();
    Region(kRegion);
  }

  static void Region(int32_t region) {
    MainApp::GetPersistentData()->PutInteger(VgNewString(u"RRTRegion"), region);
  }

  // The set's blocking of a level.
  static int32_t InSet(int32_t dimension, int32_t level) {
    int8_t value = -1;
    XPM_GetRatingLevel(kRegion, dimension, level, &value);
    return value;
  }

  // The check marks of the rows a level list shows, top to bottom.
  static std::string Marks(ListForm::ListClass* list) {
    std::string marks;
    for (Core::View* view = list->firstView; view; view = view->nextView)
      if (auto* row = vg_cast<ParentalLocks::RatingItem>(view); row && row->Visible) marks += row->IsChecked ? 'x' : '.';
    return marks;
  }

  RRTDimensionItem* Column(RRTDimensionList* grid, int32_t i) {
    return vg_cast<RRTDimensionItem>(grid->GetCtrlAt(i));
  }

  // OK on level `level` of the focused column (from its first level).
  void Toggle(int32_t level) {
    for (int32_t i = 0; i < 8; ++i) Press(Key::Up);
    for (int32_t i = 0; i < level; ++i) Press(Key::Down);
    Press(Key::Ok);
  }
};

TEST_F(RatingRegionLists, TheGridBlocksOnTheScratchTableUntilItIsApplied) {
  simtv_tv_set_rating_region(kRegion, "Region", 3, 5);
  simtv_tv_set_rating_text(kRegion, 1, -1, "");
  simtv_tv_set_rating_text(kRegion, 2, 1, "");
  XPM_SetRatingLevel(kRegion, 0, 1, 1);
  auto* grid = Embed(VgNew<RRTDimensionList>());
  ASSERT_EQ(grid->ItemNum, 3);
  EXPECT_EQ(VgGetRectW(grid->Bounds), 634 - 2 * 126) << "two columns fewer than five";
  EXPECT_EQ(VgGetRectH(grid->Bounds), 280 - 3 * 32) << "three levels fewer than eight";
  EXPECT_EQ(VgStringToUtf8(Column(grid, 0)->Text), "Dimension 1");
  EXPECT_EQ(VgStringToUtf8(Column(grid, 1)->Text), "Dim 1") << "an unnamed dimension";
  EXPECT_EQ(Marks(&Column(grid, 0)->levels), ".x...") << "the set's blocking";

  // The last dimension is graduated.
  Press(Key::Right);
  Press(Key::Right);
  RRTLevelList* levels = &Column(grid, 2)->levels;
  EXPECT_EQ(Texts().size(), 3u);
  auto* unnamed = vg_cast<ListForm::RRTLevelItem>(levels->GetCtrlAt(1));
  EXPECT_EQ(VgStringToUtf8(unnamed->Text), "None") << "a level without an abbreviation";
  simtv_clear_calls();
  Toggle(2);
  EXPECT_EQ(Marks(levels), "..xxx");
  EXPECT_EQ(VgStringToUtf8(grid->GetButtonHelp()), "Level 2");
  Toggle(3);
  EXPECT_EQ(Marks(levels), "....x") << "allowing 3 allows the milder levels and leaves 4";
  Press(Key::Right);
  EXPECT_EQ(Marks(levels), "....x") << "no column past the last";

  // A dimension that is not graduated changes one level only.
  Press(Key::Left);
  Press(Key::Left);
  Toggle(3);
  EXPECT_EQ(Marks(&Column(grid, 0)->levels), ".x.x.");
  EXPECT_TRUE(ChangingCalls().empty()) << "nothing reaches the set before the apply";
  EXPECT_EQ(InSet(2, 2), 0);

  grid->ApplyRRT();
  EXPECT_EQ(ChangingCalls(), (std::vector<std::string>{"XPM_SetRatingLevel 5 0 3 1", "XPM_SetRatingLevel 5 2 4 1"}));
  EXPECT_EQ(InSet(2, 4), 1);
  EXPECT_EQ(InSet(0, 1), 1);

  simtv_tv_set_rating_region(kRegion, "Region", 3, 4);
  grid = Embed(VgNew<RRTDimensionList>());
  EXPECT_EQ(VgGetRectW(grid->Bounds), 634 - 2 * 126);
  EXPECT_EQ(VgGetRectH(grid->Bounds), 280 - 4 * 32) << "four levels fewer than eight";
  EXPECT_EQ(VgGetRectH(Column(grid, 0)->levels.Bounds), 252 - 4 * 32);
}

TEST_F(RatingRegionLists, TheNextKeyLeavesTheLastLevelAndTheColumnsMoveTogether) {
  simtv_tv_set_rating_region(kRegion, "Region", 2, 10);
  auto* grid = Embed(VgNew<RRTDimensionList>());
  EXPECT_EQ(VgGetRectH(grid->Bounds), 280) << "eight levels and more fill the grid";
  RRTLevelList* levels = &Column(grid, 0)->levels;
  EXPECT_EQ(levels->ItemNum, 8);
  host->keys.clear();
  for (int32_t i = 0; i < 8; ++i) Press(Key::Down);
  EXPECT_EQ(levels->DataSource->Cursor, 8) << "the rows scroll under the focus";
  EXPECT_TRUE(host->keys.empty());
  Press(Key::Down);
  Press(Key::Down);
  EXPECT_EQ(levels->DataSource->Cursor, 9);
  EXPECT_EQ(host->keys, std::vector<int32_t>{Key::Down}) << "the last level leaves the key to the screen";
  EXPECT_GE(host->Count("FocusMove"), 9) << "the column passes the level list's moves on";
  EXPECT_EQ(VgStringToUtf8(grid->GetButtonHelp()), "Level 9");
}

TEST_F(RatingRegionLists, WithoutARegionNothingShows) {
  simtv_tv_set_rating_region(kRegion, "Region", 3, 5);
  Region(0);
  auto* grid = Embed(VgNew<RRTDimensionList>());
  EXPECT_EQ(grid->ItemNum, 0);
  EXPECT_FALSE(grid->Visible);
  EXPECT_EQ(grid->GetButtonHelp(), nullptr);
  auto* dimensions = Embed(VgNew<QORRRTDimensionList>());
  EXPECT_EQ(dimensions->ItemNum, 0);
}

TEST_F(RatingRegionLists, TheQORPairOpensADimensionAndBlocksOnTheScratchTable) {
  simtv_tv_set_rating_region(kRegion, "Region", 3, 5);
  auto* dimensions = VgNew<QORRRTDimensionList>();
  dimensions->OnSetOnOpenDimension(host->Recorder("OnOpenDimension"));
  dimensions->FocusDimension = 2;
  Embed(dimensions);
  EXPECT_EQ(VgGetRectH(dimensions->Bounds), 224 - 5 * 28);
  EXPECT_EQ(Cursor(), 2) << "the dimension handed back";
  Press(Key::Ok);
  ASSERT_EQ(host->Count("OnOpenDimension"), 1);
  EXPECT_EQ(vg_cast<ListForm::ListItem>(host->LastSender("OnOpenDimension"))->Index, 2);

  auto* levels = VgNew<QORRRTLevelList>();
  levels->Dimension = 2;
  Embed(levels);
  EXPECT_EQ(levels->ItemNum, 5);
  EXPECT_EQ(VgGetRectH(levels->Bounds), 222 - 38);
  simtv_clear_calls();
  Press(Key::Down);
  Press(Key::Ok);
  EXPECT_EQ(Marks(levels), ".xxxx");
  EXPECT_TRUE(ChangingCalls().empty());
}

TEST_F(RatingRegionLists, GoldenGrid) {
  simtv_tv_set_rating_region(kRegion, "Region", 3, 5);
  simtv_tv_set_rating_text(kRegion, 1, -1, "");
  XPM_SetRatingLevel(kRegion, 2, 3, 1);
  XPM_SetRatingLevel(kRegion, 2, 4, 1);
  auto* grid = Embed(VgNew<RRTDimensionList>());
  grid->OnSetBounds(VgSetRectOrigin(grid->Bounds, {40, 40}));
  Press(Key::Right);
  Press(Key::Down);
  ExpectGolden(ViewsTest::Pixels(Render()), GoldenPath("rating_grid.png"));
}

}  // namespace
}  // namespace ListTest
