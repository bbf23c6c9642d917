#include "SkinBin/NumberInput.h"

#include "Core/KeyEvent.h"
#include "SkinBin/DigitEntry.h"
#include "SkinBin/Skin.h"
#include "Wrapper/Wrapper.h"

VG_DEFINE_CLASS(SkinBin, NumberInput, Forms::Form)

namespace SkinBin {

namespace {

constexpr const char* kEmptyCell = "-";

bool HoldsDigit(VgString text) { return VgCompString(text, VgNewStringAnsi(kEmptyCell)) != 0; }

}  // namespace

NumberInput::NumberInput(XObject* link) : Forms::Form(link) {
  const VgRect bounds{0, 0, 245, 25};
  Forms::Form::OnSetBounds(bounds);
  Add(&background, 0);
  background.OnSetBounds(bounds);
  background.OnSetColor(BgColor);
  for (int32_t i = 0; i < CellCount; ++i) {
    auto* cell = VgNew<Button>();
    cell->OnSetBounds({96 + 16 * i, 2, 116 + 16 * i, 22});
    cell->OnSetText(VgNewStringAnsi(kEmptyCell));
    cell->Nonfocused_Bitmap = nullptr;
    cell->Focused_Bitmap = nullptr;
    cell->Nonfocused_TextColor = Colors::DreskovMenuTextFocused;
    FitDigitCell(cell);
    Add(cell, 0);
    Cells[static_cast<size_t>(i)] = cell;
  }
  OnSetFocus(Cells[0]);
}

void NumberInput::OnSetBgColor(VgColor value) {
  BgColor = value;
  background.OnSetColor(value);
}

void NumberInput::OnSetBounds(VgRect rect) {
  Forms::Form::OnSetBounds(rect);
  background.OnSetBounds(FillOf(rect));
  const int32_t height = VgGetRectH(rect);
  int32_t row = -CellOverlap * (CellCount - 1);
  for (size_t i = 0; i < Cells.size(); ++i) row += VgGetRectW(Cells[i]->Bounds);
  int32_t x = (VgGetRectW(rect) - row) / 2;
  for (size_t i = 0; i < Cells.size(); ++i) {
    Button* cell = Cells[i];
    const VgPoint size = VgGetRectSize(cell->Bounds);
    cell->OnSetBounds(VgSetRectOrigin(cell->Bounds, {x, (height - size.y) / 2}));
    x += size.x - CellOverlap;
  }
}

int32_t NumberInput::GetNum() {
  VgString digits = nullptr;
  for (size_t i = 0; i < Cells.size(); ++i)
    if (HoldsDigit(Cells[i]->Text)) digits = VgConcatString(digits, Cells[i]->Text);
  return ::Wrapper::Wrapper::String2Int(digits);
}

void NumberInput::RefreshButtons() {
  switch (DigitCount) {
    case 0:
      for (size_t i = 0; i < Cells.size(); ++i) Cells[i]->OnSetText(VgNewStringAnsi(kEmptyCell));
      OnSetFocus(Cells[0]);
      break;
    case 1:
    case 2:
      Cells[static_cast<size_t>(DigitCount - 1)]->OnSetText(LastDigit);
      OnSetFocus(Cells[static_cast<size_t>(DigitCount)]);
      break;
    case 3:
      Cells[2]->OnSetText(LastDigit);
      break;
    default:
      break;
  }
}

XObject* NumberInput::HandleEvent(Core::Event* event) {
  return HandleDigitEntryKey(this, event, [this] {
    Num = GetNum();
    VgSignal(OnNumChanged, this);
  });
}

}  // namespace SkinBin
