// The lists that edit the blocking of the downloadable rating region (its
// dimensions and each dimension's levels). They work on the scratch copy of
// the region's settings that the model's SkinBin::DynamicRatingData holds:
// the lists load the copy and change it level by level; nothing reaches the
// set until the screen applies it (RRTDimensionList::ApplyRRT, or the QOR
// dimension screen's apply), and leaving without it discards the changes at
// the next load.
//
// Two layouts: the grid, where RRTDimensionList shows the dimensions side by
// side as columns, each holding its own RRTLevelList; and the QOR pair, a
// list of dimensions (QORRRTDimensionList) whose OK opens the level screen
// with a QORRRTLevelList of the chosen dimension.
//
// Blocking a level of a graduated dimension blocks every stricter level, and
// allowing one allows every milder level too.
#pragma once

#include <cstdint>

#include "ListForm/ListClass.h"
#include "ListForm/ListCourier.h"
#include "ListForm/ListItem.h"
#include "ParentalLocks/RatingItem.h"
#include "Views/Rectangle.h"
#include "vgslot.h"

namespace ListForm {

// A level of a dimension: Text is its abbreviation and Index its number.
class RRTLevelCourier : public ListCourier {
  VG_CLASS()

 public:
  explicit RRTLevelCourier(XObject* link = nullptr) : ListCourier(link) {}

  bool Blocked = false;
  VgStr FullText;
};

// The region to edit, from the settings ("RRTRegion"); 0 for none.
int32_t RatingRegion();
// The name of a dimension of that region, "Dim n" for one without a name.
VgString DimensionName(int32_t dimension);
// Writes every level of the scratch table that differs from the set's.
void ApplyRatingChanges();

// The level lists of both layouts: their dimension, the graduated rule on
// activation and the focused level's full text.
class RatingLevelListBase : public ListClass {
  VG_CLASS()

 public:
  explicit RatingLevelListBase(XObject* link = nullptr) : ListClass(link) {}
  RatingLevelListBase(const ListDef& def, int32_t rowHeight, XObject* link);

  // The source's Param carries the dimension before the base reads a row.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // The levels of the dimension in the region; 0 without a region.
  int32_t GetItemsNum() override;

  // The activation slot: the row's check state into the scratch table, then
  // the graduated rule, then the rows show the table again.
  void SetRatingBlock(XObject* sender = nullptr);
  // The focused level's full text; null when no level row has the focus.
  VgString GetButtonHelp();

  int32_t OnGetDimension() const { return Dimension; }
  void OnSetDimension(int32_t value) { Dimension = value; }

  int32_t Dimension = 8;

 private:
  // The list is one row pitch lower for every row it shows less than most.
  int32_t rowHeight = 28;
};

// A column's level row.
class RRTLevelItem : public ParentalLocks::RatingItem {
  VG_CLASS()

 public:
  explicit RRTLevelItem(XObject* link = nullptr);

  // Without a level courier the row hides; with one it shows the level.
  XObject* SetData(XObject* data) override;
  XObject* GetData(XObject* data) override;

  int32_t Level = 0;
};

class QORRRTLevelItem : public ParentalLocks::QORRatingItem {
  VG_CLASS()

 public:
  explicit QORRRTLevelItem(XObject* link = nullptr);

  XObject* SetData(XObject* data) override;
  XObject* GetData(XObject* data) override;

  int32_t Level = 0;
};

class RRTLevelList : public RatingLevelListBase {
  VG_CLASS()

 public:
  explicit RRTLevelList(XObject* link = nullptr);

  // The next-level key at the last level is left to the column and the
  // screen above it.
  XObject* HandleEvent(Core::Event* event) override;
};

class QORRRTLevelList : public RatingLevelListBase {
  VG_CLASS()

 public:
  explicit QORRRTLevelList(XObject* link = nullptr);
};

// A column of the grid: the dimension's name above its level list, which
// holds the focus inside the column.
class RRTDimensionItem : public ListItem {
  VG_CLASS()

 public:
  explicit RRTDimensionItem(XObject* link = nullptr);

  // The caption is the dimension's name; the level list takes the dimension
  // and is filled afresh.
  XObject* SetData(XObject* data) override;
  XObject* GetData(XObject* data) override;
  void Refresh(XObject* sender = nullptr) override;

  // The level list's FocusMove: passed on as the column's.
  void DoFocusMove(XObject* sender = nullptr);
  VgString GetButtonHelp() { return levels.GetButtonHelp(); }

  VgSlot OnGetFocusMove() const { return FocusMove; }
  void OnSetFocusMove(VgSlot slot) { FocusMove = slot; }

  RRTLevelList levels{this};
  int32_t Dimension = 8;
  VgSlot FocusMove;
};

// The grid: up to five columns side by side; left and right move between
// them without wrapping.
class RRTDimensionList : public ListClass {
  VG_CLASS()

 public:
  explicit RRTDimensionList(XObject* link = nullptr);

  static constexpr int32_t ColumnWidth = 122;
  static constexpr int32_t LevelPitch = 32;
  static constexpr int32_t FullLevels = 8;

  // Loads the scratch table, then fits the grid to its columns and to the
  // longest dimension; hides it when no dimension has a level.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  int32_t GetItemsNum() override;
  // Every column passes its moves on as the list's FocusMove.
  void InitializeItems() override;
  void Refresh(XObject* sender = nullptr) override;

  void ApplyRRT() { ApplyRatingChanges(); }
  // The focused level's full text in the focused column; null for none.
  VgString GetButtonHelp();

  Views::Rectangle background{this};

 private:
  int32_t fullWidth = -1;
  int32_t fullHeight = -1;
};

class QORRRTDimensionItem : public ListItem {
  VG_CLASS()

 public:
  explicit QORRRTDimensionItem(XObject* link = nullptr);

  void Refresh(XObject* sender = nullptr) override;
};

// The QOR dimension list; OK on a dimension opens the level screen through
// the screen that holds the list.
class QORRRTDimensionList : public ListClass {
  VG_CLASS()

 public:
  explicit QORRRTDimensionList(XObject* link = nullptr);

  // Loads the scratch table before the rows read it, unless KeepScratch.
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  int32_t GetItemsNum() override;
  // The dimension handed back by the level screen.
  int32_t GetFocusItemIndex() override { return FocusDimension; }

  // The activation slot: asks the holding screen to open the level screen
  // of the row's dimension (ActivateDimension).
  void DoActivate(XObject* sender = nullptr);

  VgSlot OnGetOnOpenDimension() const { return OnOpenDimension; }
  void OnSetOnOpenDimension(VgSlot slot) { OnOpenDimension = slot; }

  // Signalled with the activated row as sender.
  VgSlot OnOpenDimension;
  int32_t FocusDimension = 0;
  // Set by a screen that comes back from the level screen with changes the
  // set has not had yet.
  bool KeepScratch = false;
};

}  // namespace ListForm
