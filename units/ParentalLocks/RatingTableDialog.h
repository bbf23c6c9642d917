// ParentalLocks::RatingTableDialog: one of the fixed rating tables (US TV,
// US movies, Canadian English and French) as a grid of check rows, a rating
// a row, with a column for each content letter the table knows. Checked is
// blocked. Every change goes through the model's rating blocks at once:
// blocking a rating blocks the stricter ones of its scale, allowing one
// allows the milder ones; a letter follows the set's own rule for letters.
// The checks always show what the set holds afterwards.
//
// The four screens are this dialog over their table; the ratings page opens
// them by class name with itself as the way back.
#pragma once

#include <cstdint>

#include "NonMenuSystem/QORWidgetClass.h"
#include "ParentalLocks/RatingItem.h"
#include "Views/Text.h"

namespace ParentalLocks {

// The rating screens' help line: the focused rating's full text, small and
// centred under the ratings.
void StyleHelpLine(Views::Text& help);

enum class RatingTable : uint8_t { UsTv, UsMovie, CanEnglish, CanFrench };

// One rating of a table, as rating_tables.tbl lists them.
struct RatingRow {
  RatingTable table;
  const char* label;
  int32_t code;
  uint32_t letters;  // SkinBin::Ratings::kContent* bits
  int32_t scale;
  const VgConstant* help;  // what the rating means, in the menu's language
};

class RatingTableDialog : public NonMenuSystem::QORWidgetClass {
  VG_CLASS()

 public:
  explicit RatingTableDialog(XObject* link = nullptr);

  static constexpr int32_t MaxRows = 7;
  // The rating as a whole, then FV, D, L, S and V.
  static constexpr int32_t Columns = 6;

  // The arrows move among the checks; the rest is the widget's.
  XObject* HandleEvent(Core::Event* event) override;
  void Initialize(Primitives::KeyRoutingParameter* parameter) override;

  // A check's OnActivate: the change into the set, then every check reads
  // the set again.
  void DoToggle(XObject* sender = nullptr);
  // The check of row r and column c; null where the rating has no letter.
  RatingItem* Cell(int32_t r, int32_t c) const;
  // Reads every check from the set.
  void ShowBlocks();
  // The focused check's help text under the grid.
  void ShowHelp(XObject* sender = nullptr);

  RatingTable Table = RatingTable::UsTv;
  int32_t RowCount = 0;
  VgPtrArray<RatingItem, MaxRows * Columns> cells;
  Views::Text helpLine{this};

 protected:
  // The subclasses name their table and caption.
  void UseTable(RatingTable table, const VgConstant& caption);

 private:
  const RatingRow* Row(int32_t r) const;
  bool Blocked(const RatingRow& row, int32_t column);
  void Block(const RatingRow& row, int32_t column, bool block);
  void MoveFocus(int32_t dr, int32_t dc);

  const RatingRow* rows = nullptr;
};

class USTVRatingsDialog : public RatingTableDialog {
  VG_CLASS()

 public:
  explicit USTVRatingsDialog(XObject* link = nullptr);
};

class USMovieRatingsDialog : public RatingTableDialog {
  VG_CLASS()

 public:
  explicit USMovieRatingsDialog(XObject* link = nullptr);
};

class CANEnglishRatingsDialog : public RatingTableDialog {
  VG_CLASS()

 public:
  explicit CANEnglishRatingsDialog(XObject* link = nullptr);
};

class CANFrenchRatingsDialog : public RatingTableDialog {
  VG_CLASS()

 public:
  explicit CANFrenchRatingsDialog(XObject* link = nullptr);
};

}  // namespace ParentalLocks
