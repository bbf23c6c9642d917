// The list and the grid the framework's tests embed: numbered entries read
// by readers of their own, "Entry 0", "Entry 1"... in the list and the bare
// numbers in the grid's cells.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ListForm/GridView.h"
#include "ListForm/ListClass.h"
#include "ListForm/ListItem.h"

namespace ListTest {

// Six rows, page keys 39 and 40, indicators above and
// below the rows at the right edge.
class NumberList : public ListForm::ListClass {
  VG_CLASS()
 public:
  NumberList();
  int32_t GetItemsNum() override { return entries; }
  int32_t GetFocusItemIndex() override { return firstFocus; }
  int32_t entries = 20;
  int32_t firstFocus = 0;
};

// Derived, so without a reader of its own.
class DerivedList : public NumberList {
  VG_CLASS()
};

// Four rows of seven cells; Initialize shows its entries from page 0.
class NumberGrid : public ListForm::GridView {
  VG_CLASS()
 public:
  NumberGrid();
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  int32_t entries = 58;
};

// The list of the names in Names, each keyed "key NAME" (a key other than
// its caption), as a model that changes under the list would give them.
class NamedList : public NumberList {
  VG_CLASS()
 public:
  int32_t GetItemsNum() override { return int32_t(Names.size()); }
  static std::vector<std::string> Names;
};

// The same names in a grid of four rows of seven cells.
class NamedGrid : public NumberGrid {
  VG_CLASS()
 public:
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
};

// The row of the list: a ListItem with a focus bar and its text at the left.
class Row : public ListForm::ListItem {
  VG_CLASS()
 public:
  Row();
};

// The cell of the grid: a ListItem of cell size.
class Cell : public ListForm::ListItem {
  VG_CLASS()
 public:
  Cell();
};

}  // namespace ListTest
