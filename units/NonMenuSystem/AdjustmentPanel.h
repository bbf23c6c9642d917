// NonMenuSystem::AdjustmentPanel: a framed dialog of a few options one above
// the other. UP and DOWN choose the row, LEFT and RIGHT step its option (at
// once on the television), OK or BACK return to the page that opened it.
// The screens built on it say which options their rows show.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "NonMenuSystem/AdjustmentRow.h"
#include "NonMenuSystem/QORWidgetClass.h"
#include "vgstring.h"

namespace NonMenuSystem {

class AdjustmentPanel : public QORWidgetClass {
  VG_CLASS()

 public:
  explicit AdjustmentPanel(XObject* link = nullptr);

  static constexpr int32_t MaxRows = 4;
  static constexpr int32_t PanelWidth = 640;
  static constexpr int32_t RowHeight = 44;

  XObject* HandleEvent(Core::Event* event) override;

  // One row per option, each with its caption (null: the option's name);
  // the first row is chosen.
  struct RowDef {
    int32_t optionType;
    VgString caption;
  };
  void SetRows(std::initializer_list<RowDef> rows);
  void Select(int32_t row);
  // The screen to go back to when the opener named none.
  void DefaultBack(const char* pageName);

  AdjustmentRow* OnGetRow(int32_t index) const;
  int32_t OnGetCurrentRow() const { return CurrentRow; }

  int32_t RowCount = 0;
  int32_t CurrentRow = 0;
  VgPtrArray<AdjustmentRow, MaxRows> rows;
};

}  // namespace NonMenuSystem
