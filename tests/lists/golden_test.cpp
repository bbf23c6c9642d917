// A list page and a grid page drawn through the view tree and compared pixel
// for pixel with golden/list_page.png and golden/grid_page.png: the rows and
// cells in their looks, the focused one, and the list's indicators.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "Core/Keys.h"
#include "golden.h"
#include "list_host.h"
#include "test_lists.h"

namespace {

class Golden : public ListTest::ListFixture {};

TEST_F(Golden, AListScrolledIntoItsMiddle) {
  auto* list = VgNew<ListTest::NumberList>();
  Embed(list);
  list->OnSetCurrentItemIndex(10);
  VgProcessSignals();
  Press(Key::Up);
  ASSERT_EQ(Cursor(), 8);
  ASSERT_EQ(Focused(), 4);
  ExpectGolden(ViewsTest::Pixels(Render()), ListTest::GoldenPath("list_page.png"));
}

TEST_F(Golden, TheSecondPageOfAGrid) {
  auto* grid = VgNew<ListTest::NumberGrid>();
  grid->entries = 40;
  Embed(grid);
  Press(Key::GridPageDown);
  Press(Key::Right);
  Press(Key::Down);
  ASSERT_EQ(Cursor(), 36);
  ExpectGolden(ViewsTest::Pixels(Render()), ListTest::GoldenPath("grid_page.png"));
}

}  // namespace
