// The list in its host screen: rows shown for the entries, the four keys with
// and without wrap and list mode, the focus set by entry and read by row, the
// slots the owner hears, the bar and indicators, the shrink rule, the rest
// timer and the model made on first use.
#include <gtest/gtest.h>

#include <algorithm>

#include "Forms/ImageIndicator.h"
#include "Forms/ScrollBar.h"
#include "ListForm/ListModel.h"
#include "ListForm/RestTimer.h"
#include "Core/Keys.h"
#include "list_host.h"
#include "test_lists.h"

namespace {

using ListTest::NumberList;

std::string Utf8(VgString text) { return text ? VgStringToUtf8(text) : std::string(); }

std::vector<std::string> Entries(int32_t first, int32_t count) {
  std::vector<std::string> texts;
  for (int32_t i = first; i < first + count; ++i) texts.push_back("Entry " + std::to_string(i));
  return texts;
}

class Lists : public ListTest::ListFixture {
 protected:
  NumberList* MakeList(int32_t entries, bool wrap = true) {
    auto* list = VgNew<NumberList>();
    list->entries = entries;
    list->OnSetWrapAround(wrap);
    return Embed(list);
  }
};

TEST_F(Lists, FewerEntriesThanRowsHideAndDisableTheOtherRows) {
  NumberList* list = MakeList(4);
  EXPECT_EQ(list->ItemNum, 4);
  EXPECT_EQ(Texts(), Entries(0, 4));
  for (int32_t i = 4; i < 6; ++i) {
    EXPECT_FALSE(list->GetCtrlAt(i)->Visible) << i;
    EXPECT_FALSE(list->GetCtrlAt(i)->Enabled) << i;
  }
  EXPECT_EQ(Focused(), 0);

  // A pop-up list fits its rows: 28-pixel rows 2 apart, two rows missing.
  list->ShrinkToRows(28);
  list->ShrinkToRows(28);
  EXPECT_EQ(VgGetRectH(list->Bounds), 180 - 2 * 30);

  // Initialize again with more entries shows every row.
  list->entries = 9;
  list->Initialize(nullptr);
  VgProcessSignals();
  EXPECT_EQ(list->ItemNum, 6);
  EXPECT_TRUE(list->GetCtrlAt(5)->Visible);
  EXPECT_TRUE(list->GetCtrlAt(5)->Enabled);
  EXPECT_EQ(Texts(), Entries(0, 6));
  list->ShrinkToRows(28);
  EXPECT_EQ(VgGetRectH(list->Bounds), 180);

  // No entries: every row hidden, no cursor, no focus.
  list->entries = 0;
  list->Initialize(nullptr);
  VgProcessSignals();
  EXPECT_EQ(Cursor(), -1);
  EXPECT_EQ(Focused(), -1);
  EXPECT_TRUE(Texts().empty());
}

TEST_F(Lists, WrapTakesTheKeysRoundTheEnds) {
  MakeList(20);
  Press(Key::Up);
  EXPECT_EQ(Cursor(), 19);
  EXPECT_EQ(Focused(), 5);
  EXPECT_EQ(Texts(), Entries(14, 6));
  Press(Key::Down);
  EXPECT_EQ(Cursor(), 0);
  EXPECT_EQ(Focused(), 0);
  EXPECT_EQ(Texts(), Entries(0, 6));

  // A list shorter than its rows wraps within them.
  MakeList(4);
  Press(Key::Up);
  EXPECT_EQ(Cursor(), 3);
  EXPECT_EQ(Focused(), 3);
  Press(Key::Down);
  EXPECT_EQ(Cursor(), 0);
  EXPECT_EQ(Focused(), 0);
}

TEST_F(Lists, WithoutWrapTheKeysStopButStillReport) {
  NumberList* list = MakeList(20, false);
  host->Take();
  Press(Key::Up);
  EXPECT_EQ(Cursor(), 0);
  EXPECT_EQ(Focused(), 0);
  EXPECT_EQ(host->Take(), "FocusMove");
  EXPECT_EQ(host->LastSender("FocusMove"), list);
  EXPECT_TRUE(host->keys.empty()) << "the list took the key";
  list->OnSetCurrentItemIndex(20);
  VgProcessSignals();
  Press(Key::Down);
  EXPECT_EQ(Cursor(), 19);
  EXPECT_EQ(Focused(), 5);
  EXPECT_EQ(host->Count("FocusMove"), 2);
}

TEST_F(Lists, PageKeysWorkInListModeOnlyAndKeyZeroIsNoKey) {
  NumberList* list = MakeList(20);
  Press(Key::PageDown);
  EXPECT_EQ(Cursor(), 6);
  EXPECT_EQ(Texts(), Entries(6, 6));
  Press(Key::PageUp);
  EXPECT_EQ(Cursor(), 0);

  // Without list mode the keys move the focus over the rows, which keep
  // their entries; the cursor follows the focus.
  list->OnSetListMode(false);
  Press(Key::Down);
  Press(Key::Down);
  EXPECT_EQ(Focused(), 2);
  EXPECT_EQ(Cursor(), 2);
  EXPECT_EQ(Texts(), Entries(0, 6));
  list->Reload();
  VgProcessSignals();
  EXPECT_EQ(Texts(), Entries(0, 6)) << "a reload shows the same rows";
  const int moves = host->Count("FocusMove");
  Press(Key::PageDown);
  EXPECT_EQ(Cursor(), 2);
  EXPECT_EQ(host->keys, std::vector<int32_t>{Key::PageDown}) << "the page key reaches the owner";
  EXPECT_EQ(host->Count("FocusMove"), moves);

  list->OnSetPageUpKey(0);
  Press(Key::None);
  EXPECT_EQ(host->keys, (std::vector<int32_t>{Key::PageDown, 0}));
  EXPECT_EQ(host->Count("FocusMove"), moves);
}

TEST_F(Lists, WithoutListModeTheFocusSkipsRowsWithoutEntries) {
  NumberList* list = MakeList(4);
  list->OnSetListMode(false);
  Press(Key::Up);
  EXPECT_EQ(Focused(), 3) << "round to the last row that shows an entry";
  EXPECT_EQ(Cursor(), 3);
  Press(Key::Down);
  EXPECT_EQ(Focused(), 0);
  EXPECT_EQ(Cursor(), 0);
}

TEST_F(Lists, TheCurrentItemIsSetByEntryAndReadByRow) {
  NumberList* list = MakeList(20);
  list->OnSetCurrentItemIndex(5);
  VgProcessSignals();
  EXPECT_EQ(Cursor(), 4);
  EXPECT_EQ(Focused(), 4);
  EXPECT_EQ(list->OnGetCurrentItemIndex(), 5);

  list->OnSetCurrentItemIndex(12);
  VgProcessSignals();
  EXPECT_EQ(Cursor(), 11);
  EXPECT_EQ(Focused(), 5);
  EXPECT_EQ(Texts(), Entries(6, 6));
  EXPECT_EQ(list->OnGetCurrentItemIndex(), 6) << "the getter counts rows";
  EXPECT_EQ(list->LastItemIndex, 12);

  // The first focus comes from the hook.
  auto* other = VgNew<NumberList>();
  other->firstFocus = 7;
  Embed(other);
  EXPECT_EQ(Cursor(), 7);
  EXPECT_EQ(Focused(), 5);
}

TEST_F(Lists, TheOwnerHearsOfEveryMoveOnceAndNeverOfReleases) {
  NumberList* list = MakeList(20);
  for (int i = 0; i < 5; ++i) Press(Key::Down);
  host->Take();
  Press(Key::Down);
  EXPECT_EQ(host->Take(), "OnFocusOption FocusMove") << "the entry under the focused row changed";
  EXPECT_EQ(host->LastSender("OnFocusOption"), list);
  Press(Key::PageDown);
  EXPECT_EQ(host->Take(), "OnFocusOption FocusMove");

  Release(Key::Down);
  EXPECT_EQ(host->Take(), "");
  EXPECT_EQ(host->keys, std::vector<int32_t>{-Key::Down});
  EXPECT_EQ(Cursor(), 12);

  Press(Key::Ok);
  EXPECT_EQ(host->Take(), "OnActivateOption");
  EXPECT_EQ(host->LastSender("OnActivateOption"), list->GetCtrlAt(5));
}

TEST_F(Lists, TheBarAndIndicatorsShowWhereTheRowsStand) {
  NumberList* list = MakeList(20);
  auto* bar = VgNew<Forms::ScrollBar>();
  list->Add(bar, 0);
  list->OnSetScrollBar(bar);
  auto* prev = vg_cast<Forms::ImageIndicator>(list->PrevIndicator.get());
  auto* next = vg_cast<Forms::ImageIndicator>(list->NextIndicator.get());
  ASSERT_NE(prev, nullptr);
  ASSERT_NE(next, nullptr);
  EXPECT_NE(prev->EnabledBitmap.get(), nullptr);
  // At the right edge, above and below the rows, in their own size.
  EXPECT_EQ(prev->Bounds, (VgRect{300, -4, 320, 16}));
  EXPECT_EQ(next->Bounds, (VgRect{300, 164, 320, 184}));

  Press(Key::PageDown);
  Press(Key::Down);
  EXPECT_EQ(bar->Content, 20);
  EXPECT_EQ(bar->Pos, 7);
  EXPECT_TRUE(prev->Enabled);
  EXPECT_TRUE(next->Enabled);
  Press(Key::Up);
  Press(Key::Up);
  EXPECT_EQ(bar->Pos, 5);
  list->ScrollToFirst();
  VgProcessSignals();
  EXPECT_EQ(bar->Pos, 0);
  EXPECT_FALSE(prev->Enabled);
  EXPECT_TRUE(next->Enabled);

  // A new size moves the indicators with the edges.
  list->OnSetBounds({40, 60, 260, 300});
  VgProcessSignals();
  EXPECT_EQ(next->Bounds, (VgRect{200, 224, 220, 244}));
}

TEST_F(Lists, TheRestTimerActsOnlyAfterAPause) {
  auto* timer = VgNew<ListForm::RestTimer>();
  VgLockObject(timer);
  timer->Setup(500, host->Recorder("Rested"));
  timer->Rest();
  Advance(400);
  timer->Rest();
  Advance(400);
  EXPECT_EQ(host->Count("Rested"), 0);
  Advance(100);
  EXPECT_EQ(host->Count("Rested"), 1);
  Advance(2000);
  EXPECT_EQ(host->Count("Rested"), 1) << "one shot";
  VgUnlockObject(timer);
}

TEST_F(Lists, AListModelIsMadeInItsSlotOnFirstUse) {
  SkinBin::Wrapper* tv = UseModel();
  EXPECT_EQ(tv->OnGetRecordedShowsList(), nullptr);
  auto* shows =
      ListForm::ListModel<&SkinBin::Wrapper::OnGetRecordedShowsList, &SkinBin::Wrapper::OnSetRecordedShowsList>();
  ASSERT_NE(shows, nullptr);
  EXPECT_EQ(tv->OnGetRecordedShowsList(), shows);
  EXPECT_EQ((ListForm::ListModel<&SkinBin::Wrapper::OnGetRecordedShowsList,
                                 &SkinBin::Wrapper::OnSetRecordedShowsList>()),
            shows);
}

}  // namespace

// A list read again keeps the entry the viewer chose by its key: the
// recorder adds shows before it, the order changes; gone, its neighbour
// takes the focus and stands in for it until the viewer moves.
TEST_F(Lists, ReadAgainTheFocusKeepsItsEntryNotItsRow) {
  using ListTest::NamedList;
  NamedList::Names = {"Alpha", "Bravo", "Charlie", "Delta", "Echo", "Foxtrot", "Golf", "Hotel"};
  auto* list = Embed(VgNew<NamedList>());
  list->OnSetCurrentItemIndex(6);
  VgProcessSignals();
  ASSERT_EQ(Utf8(list->FocusedKey()), "key Foxtrot");
  auto readAgain = [list] {
    list->ReadAgain([list] { list->Initialize(nullptr); });
    VgProcessSignals();
  };

  NamedList::Names.insert(NamedList::Names.begin(), {"New 1", "New 2"});
  readAgain();
  EXPECT_EQ(Cursor(), 7);
  EXPECT_EQ(Utf8(list->FocusedKey()), "key Foxtrot") << "not the entry now at the row it stood on";

  std::reverse(NamedList::Names.begin(), NamedList::Names.end());
  readAgain();
  EXPECT_EQ(Cursor(), 2);
  EXPECT_EQ(Texts()[size_t(Focused())], "Foxtrot");

  // Gone: the entry that took its place; back before a key: it again.
  NamedList::Names.erase(NamedList::Names.begin() + 2);
  readAgain();
  EXPECT_EQ(Cursor(), 2);
  EXPECT_EQ(Utf8(list->FocusedKey()), "key Echo");
  NamedList::Names.push_back("Foxtrot");
  readAgain();
  EXPECT_EQ(Utf8(list->FocusedKey()), "key Foxtrot");

  // Once a key reached the list (a step, OK on the entry), the entry the
  // focus is on is the choice.
  NamedList::Names.erase(NamedList::Names.end() - 1);
  readAgain();
  EXPECT_EQ(Utf8(list->FocusedKey()), "key New 1") << "the last stands in for one gone from the end";
  Press(Key::Up);
  NamedList::Names.push_back("Foxtrot");
  readAgain();
  EXPECT_EQ(Utf8(list->FocusedKey()), "key New 2");
  NamedList::Names.erase(NamedList::Names.begin() + 7);
  readAgain();
  EXPECT_EQ(Utf8(list->FocusedKey()), "key New 1");
  Press(Key::Ok);
  NamedList::Names.insert(NamedList::Names.begin() + 7, "New 2");
  readAgain();
  EXPECT_EQ(Utf8(list->FocusedKey()), "key New 1") << "OK on the neighbour chose it";

  // Nothing noted, nothing listed: the focus is left alone.
  EXPECT_FALSE(list->FocusAgain({}));
  NamedList::Names.clear();
  readAgain();
  EXPECT_EQ(list->FocusedKey(), nullptr);
}

// Whoever noted the focused entry can ask the list whether it was read
// afresh since, its focus put where its rules put it: read again, keeping
// its entry, it says no, whatever the read did on the way.
TEST_F(Lists, AListTellsWhetherItWasReadAfreshSinceTheEntryWasNoted) {
  using ListTest::NamedList;
  NamedList::Names = {"Alpha", "Bravo", "Charlie", "Delta"};
  auto* list = Embed(VgNew<NamedList>());
  list->OnSetCurrentItemIndex(3);
  VgProcessSignals();
  const uint64_t noted = ListForm::ListBase::FreshReads();
  EXPECT_LE(list->ReadAfreshAt(), noted);

  list->ReadAgain([list] { list->Initialize(nullptr); });
  VgProcessSignals();
  EXPECT_EQ(list->ReadAfreshAt(), 0u) << "the Initialize inside a read again is no fresh read";
  EXPECT_EQ(Utf8(list->FocusedKey()), "key Charlie");
  list->FocusKeptEntry(1);
  EXPECT_EQ(list->ReadAfreshAt(), 0u) << "an entry its opener found for the viewer's is kept";

  list->Initialize(nullptr);
  VgProcessSignals();
  EXPECT_GT(list->ReadAfreshAt(), noted);
  EXPECT_EQ(Utf8(list->FocusedKey()), "key Alpha");
  NamedList::Names.clear();
}

TEST_F(Lists, AGridFocusesTheEntryKeptOnItsPage) {
  using ListTest::NamedList;
  NamedList::Names.clear();
  for (int i = 0; i < 40; ++i) NamedList::Names.push_back("Photo " + std::to_string(i));
  auto* grid = Embed(VgNew<ListTest::NamedGrid>());
  ASSERT_TRUE(grid->FocusAgain({VgNewStringAnsi("key Photo 33"), 0}));
  VgProcessSignals();
  EXPECT_EQ(grid->OnGetCurrentPage(), 1);
  EXPECT_EQ(Cursor(), 33);
  EXPECT_EQ(Utf8(grid->FocusedKey()), "key Photo 33");
  NamedList::Names.clear();
}
