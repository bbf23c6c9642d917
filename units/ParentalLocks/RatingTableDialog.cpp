#include "ParentalLocks/RatingTableDialog.h"

#include <algorithm>
#include <iterator>

#include "AppServices/Wrapper.h"
#include "Core/KeyEvent.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/Look.h"
#include "Resources/Font.h"
#include "SkinBin/RatingData.h"
#include "Strings.h"
#include "WinIDs/WinIDs.h"
#include "vgresmap.h"
#include "vgslot.h"

VG_DEFINE_CLASS(ParentalLocks, RatingTableDialog, ::NonMenuSystem::QORWidgetClass)
VG_DEFINE_CLASS(ParentalLocks, USTVRatingsDialog, ::ParentalLocks::RatingTableDialog)
VG_DEFINE_CLASS(ParentalLocks, USMovieRatingsDialog, ::ParentalLocks::RatingTableDialog)
VG_DEFINE_CLASS(ParentalLocks, CANEnglishRatingsDialog, ::ParentalLocks::RatingTableDialog)
VG_DEFINE_CLASS(ParentalLocks, CANFrenchRatingsDialog, ::ParentalLocks::RatingTableDialog)

namespace ParentalLocks {

namespace {

namespace Letters {
using namespace SkinBin::Ratings;
constexpr uint32_t FV = kContentFV;
constexpr uint32_t D = kContentD;
constexpr uint32_t L = kContentL;
constexpr uint32_t S = kContentS;
constexpr uint32_t V = kContentV;
}  // namespace Letters

constexpr RatingRow kRatingRows[] = {
#define RATING(table, label, code, letters, scale, help) \
  {RatingTable::table, label, code, [] { using namespace Letters; return uint32_t(letters); }(), scale, help},
#include "ParentalLocks/rating_tables.tbl"
#undef RATING
};

// The letter of each column after the first, and its caption.
struct LetterColumn {
  uint32_t bit;
  const char* text;
};
constexpr LetterColumn kLetterColumns[RatingTableDialog::Columns - 1] = {
    {Letters::FV, "FV"}, {Letters::D, "D"}, {Letters::L, "L"}, {Letters::S, "S"}, {Letters::V, "V"}};

constexpr int32_t kRatingWidth = 130;
constexpr int32_t kLetterWidth = 68;
constexpr int32_t kRowHeight = 32;
constexpr int32_t kRowPitch = 36;
constexpr int32_t kHelpHeight = 30;
constexpr int32_t kMinWidth = 360;

uint32_t LetterOf(int32_t column) { return column == 0 ? 0 : kLetterColumns[column - 1].bit; }

}  // namespace

void StyleHelpLine(Views::Text& help) {
  help.OnSetFont(VgLoad<Resources::Font>(Fonts::SmallFont));
  help.OnSetColor(NonMenuSystem::Look::TextDim);
  help.OnSetAlignH(Views::Text::AlignCentre);
  help.OnSetAlignV(Views::Text::AlignMiddle);
  help.OnSetEllipsis(true);
}

RatingTableDialog::RatingTableDialog(XObject* link) : QORWidgetClass(link) {
  WinID = WinIDs::WIN_ID_RatingTableDialog;
  StyleHelpLine(helpLine);
  Add(&helpLine, 0);
}

void RatingTableDialog::UseTable(RatingTable table, const VgConstant& caption) {
  Table = table;
  const RatingRow* first = std::find_if(std::begin(kRatingRows), std::end(kRatingRows),
                                        [table](const RatingRow& row) { return row.table == table; });
  rows = first;
  RowCount = int32_t(std::count_if(first, std::end(kRatingRows), [table](const RatingRow& r) { return r.table == table; }));
  RowCount = std::min(RowCount, MaxRows);
  OnSetCaption(VgGetVariantOfString(&caption));

  bool anyLetters = false;
  for (int32_t r = 0; r < RowCount; ++r) anyLetters = anyLetters || rows[r].letters != 0;
  const int32_t columns = anyLetters ? Columns : 1;
  const int32_t left = FrameWidth;
  const int32_t top = ContentTop();
  for (int32_t r = 0; r < RowCount; ++r) {
    for (int32_t c = 0; c < columns; ++c) {
      if (c > 0 && !(rows[r].letters & LetterOf(c))) continue;
      auto* cell = VgNew<RatingItem>();
      const int32_t x = c == 0 ? left : left + kRatingWidth + (c - 1) * kLetterWidth;
      const int32_t w = c == 0 ? kRatingWidth : kLetterWidth;
      cell->OnSetBounds({x, top + r * kRowPitch, x + w, top + r * kRowPitch + kRowHeight});
      cell->OnSetText(VgNewStringUtf8(c == 0 ? rows[r].label : kLetterColumns[c - 1].text));
      VgString help = VgNewStringUtf8(rows[r].label);
      if (c > 0) help = VgConcatString(VgConcatString(help, VgNewStringAnsi(" ")), VgNewStringAnsi(kLetterColumns[c - 1].text));
      help = VgConcatString(help, VgGetVariantOfString(&Strings::SID_LABEL_COLON));
      help = VgConcatString(help, VgNewStringAnsi(" "));
      cell->HelpText = VgConcatString(help, VgGetVariantOfString(rows[r].help));
      cell->OnSetOnActivate(VgSlotOf<&RatingTableDialog::DoToggle>(this));
      cell->OnSetOnFocus(VgSlotOf<&RatingTableDialog::ShowHelp>(this));
      cells[size_t(r * Columns + c)] = cell;
      Add(cell, 0);
    }
  }
  const int32_t width = std::max(2 * FrameWidth + kRatingWidth + (columns - 1) * kLetterWidth, kMinWidth);
  const int32_t helpTop = top + RowCount * kRowPitch;
  OnSetBounds({0, 0, width, helpTop + kHelpHeight + FrameWidth});
  helpLine.OnSetBounds({ContentLeft(), helpTop, ContentRight(), helpTop + kHelpHeight});
  if (RatingItem* first = Cell(0, 0)) OnSetFocus(first);
}

const RatingRow* RatingTableDialog::Row(int32_t r) const { return rows && r >= 0 && r < RowCount ? &rows[r] : nullptr; }

RatingItem* RatingTableDialog::Cell(int32_t r, int32_t c) const {
  if (r < 0 || r >= RowCount || c < 0 || c >= Columns) return nullptr;
  return cells[size_t(r * Columns + c)];
}

void RatingTableDialog::Initialize(Primitives::KeyRoutingParameter* parameter) {
  QORWidgetClass::Initialize(parameter);
  ShowBlocks();
  ShowHelp();
}

bool RatingTableDialog::Blocked(const RatingRow& row, int32_t column) {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  switch (row.table) {
    case RatingTable::UsTv:
      return model->GetUsTVRatingBlock(row.code, LetterOf(column));
    case RatingTable::UsMovie:
      return model->GetUsMovieRatingBlock(row.code);
    default:
      return model->GetCanRatingBlock(row.code);
  }
}

void RatingTableDialog::Block(const RatingRow& row, int32_t column, bool block) {
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  switch (row.table) {
    case RatingTable::UsTv:
      model->SetUsTVRatingBlock(row.code, LetterOf(column), block);
      break;
    case RatingTable::UsMovie:
      model->SetUsMovieRatingBlock(row.code, block);
      break;
    default:
      model->SetCanRatingBlock(row.code, block);
      break;
  }
}

void RatingTableDialog::ShowBlocks() {
  for (int32_t r = 0; r < RowCount; ++r)
    for (int32_t c = 0; c < Columns; ++c)
      if (RatingItem* cell = Cell(r, c)) cell->OnSetIsChecked(Blocked(rows[r], c));
}

void RatingTableDialog::DoToggle(XObject* sender) {
  for (int32_t r = 0; r < RowCount; ++r) {
    for (int32_t c = 0; c < Columns; ++c) {
      if (Cell(r, c) != sender) continue;
      const bool block = Cell(r, c)->IsChecked;
      if (c > 0) {
        Block(rows[r], c, block);
      } else {
        // The set keeps its scales apart (the children's TV ratings from the
        // others); the screen's scale runs over the whole table.
        for (int32_t other = 0; other < RowCount; ++other) {
          const bool inRange = block ? other >= r : other <= r;
          if (inRange && rows[other].scale == rows[r].scale && Blocked(rows[other], 0) != block)
            Block(rows[other], 0, block);
        }
      }
      ShowBlocks();
      return;
    }
  }
}

void RatingTableDialog::MoveFocus(int32_t dr, int32_t dc) {
  int32_t row = -1;
  int32_t column = -1;
  for (int32_t r = 0; r < RowCount && row < 0; ++r)
    for (int32_t c = 0; c < Columns; ++c)
      if (Cell(r, c) && Cell(r, c) == Focus.get()) {
        row = r;
        column = c;
        break;
      }
  if (row < 0) return;
  // Up and down keep the column when the next rating has that letter, else
  // go to the rating as a whole; left and right skip the letters it lacks.
  for (int32_t r = row + dr, c = column + dc; r >= 0 && r < RowCount && c >= 0 && c < Columns; r += dr, c += dc) {
    RatingItem* to = Cell(r, c);
    if (!to && dr != 0) to = Cell(r, 0);
    if (to) {
      OnSetFocus(to);
      return;
    }
  }
}

void RatingTableDialog::ShowHelp(XObject*) {
  auto* cell = vg_cast<RatingItem>(Focus.get());
  helpLine.OnSetString(cell ? VgString(cell->HelpText) : nullptr);
}

XObject* RatingTableDialog::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (key && key->down && Key::IsArrow(key->keyCode)) {
    switch (key->keyCode) {
      case Key::Up:
        MoveFocus(-1, 0);
        break;
      case Key::Down:
        MoveFocus(1, 0);
        break;
      case Key::Left:
        MoveFocus(0, -1);
        break;
      default:
        MoveFocus(0, 1);
        break;
    }
    ShowHelp();
    ResetTimeout();
    return this;
  }
  return QORWidgetClass::HandleEvent(event);
}

USTVRatingsDialog::USTVRatingsDialog(XObject* link) : RatingTableDialog(link) {
  UseTable(RatingTable::UsTv, Strings::RatingLocksMenuUSATV);
}

USMovieRatingsDialog::USMovieRatingsDialog(XObject* link) : RatingTableDialog(link) {
  UseTable(RatingTable::UsMovie, Strings::RatingLocksMenuUSAMovie);
}

CANEnglishRatingsDialog::CANEnglishRatingsDialog(XObject* link) : RatingTableDialog(link) {
  UseTable(RatingTable::CanEnglish, Strings::RatingLocksMenuCANEnglish);
}

CANFrenchRatingsDialog::CANFrenchRatingsDialog(XObject* link) : RatingTableDialog(link) {
  UseTable(RatingTable::CanFrench, Strings::RatingLocksMenuCANFrench);
}

}  // namespace ParentalLocks
