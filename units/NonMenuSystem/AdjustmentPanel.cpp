#include "NonMenuSystem/AdjustmentPanel.h"

#include <algorithm>

#include "Core/KeyEvent.h"

VG_DEFINE_CLASS(NonMenuSystem, AdjustmentPanel, ::NonMenuSystem::QORWidgetClass)

namespace NonMenuSystem {

namespace {

constexpr int32_t kTop = 300;
constexpr int32_t kRowGap = 6;

}  // namespace

AdjustmentPanel::AdjustmentPanel(XObject* link) : QORWidgetClass(link) {
  for (size_t i = 0; i < rows.size(); ++i) rows[i] = VgNew<AdjustmentRow>();
}

AdjustmentRow* AdjustmentPanel::OnGetRow(int32_t index) const {
  return index >= 0 && index < RowCount ? rows[size_t(index)] : nullptr;
}

void AdjustmentPanel::SetRows(std::initializer_list<RowDef> defs) {
  for (int32_t i = 0; i < RowCount; ++i) Remove(rows[size_t(i)]);
  RowCount = std::min<int32_t>(int32_t(defs.size()), MaxRows);
  const int32_t top = ContentTop();
  const int32_t height = top + RowCount * (RowHeight + kRowGap) - kRowGap + FrameWidth;
  OnSetBounds({0, kTop, PanelWidth, kTop + height});
  int32_t i = 0;
  for (const RowDef& def : defs) {
    if (i == RowCount) break;
    AdjustmentRow* row = rows[size_t(i)];
    Add(row, 0);
    const int32_t y = top + i * (RowHeight + kRowGap);
    row->OnSetBounds({ContentLeft(), y, ContentRight(), y + RowHeight});
    row->OnSetCaption(def.caption);
    row->Bind(def.optionType);
    ++i;
  }
  Select(0);
}

void AdjustmentPanel::Select(int32_t index) {
  if (RowCount == 0) return;
  CurrentRow = std::clamp(index, 0, RowCount - 1);
  for (int32_t i = 0; i < RowCount; ++i) rows[size_t(i)]->OnSetSelected(i == CurrentRow);
}

void AdjustmentPanel::DefaultBack(const char* pageName) {
  if (!PrevState) PrevState = VgFindClass(pageName);
}

XObject* AdjustmentPanel::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down) return QORWidgetClass::HandleEvent(event);
  switch (key->keyCode) {
    case Key::Up:
      Select(CurrentRow - 1);
      break;
    case Key::Down:
      Select(CurrentRow + 1);
      break;
    case Key::Left:
    case Key::Right:
      if (AdjustmentRow* row = OnGetRow(CurrentRow)) row->Step(key->keyCode == Key::Right ? 1 : -1);
      break;
    case Key::Ok:
      GoBack();
      return this;
    default:
      return QORWidgetClass::HandleEvent(event);
  }
  ResetTimeout();
  return this;
}

}  // namespace NonMenuSystem
