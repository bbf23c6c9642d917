#include "SkinBin/PinEntry.h"

#include "Bitmaps.h"
#include "SkinBin/Skin.h"

VG_DEFINE_CLASS(SkinBin, PinEntry, ::PinEntry::PinEntry)

namespace SkinBin {

PinEntry::PinEntry(XObject* link) : ::PinEntry::PinEntry(link) {
  OnSetMaxNumDigits(CellCount);
  CursorText = VgNewStringAnsi("-");
  for (int32_t i = 0; i < CellCount; ++i) {
    auto* cell = VgNew<Button>();
    // A cell is as large as its artwork.
    cell->OnSetBounds({0, 0, 27, 27});
    cell->Nonfocused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::PinButtonNonfocus);
    cell->Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::PinButtonFocus);
    cell->OnSetText(nullptr);
    Add(cell, 0);
    Cells[static_cast<size_t>(i)] = cell;
  }
  // Just large enough for the row until the screen places the field.
  ::PinEntry::PinEntry::OnSetBounds({0, 0, CellCount * 27 + (CellCount - 1) * CellGap, 27});
  LayOut(Bounds);
  OnSetFocus(Cells[0]);
}

void PinEntry::OnSetBounds(VgRect rect) {
  ::PinEntry::PinEntry::OnSetBounds(rect);
  LayOut(rect);
}

void PinEntry::LayOut(VgRect rect) {
  const VgPoint cell = VgGetRectSize(Cells[0]->Bounds);
  int32_t x = (VgGetRectW(rect) - (CellCount - 1) * CellGap - CellCount * cell.x) / 2;
  const int32_t y = (VgGetRectH(rect) - cell.y) / 2;
  for (size_t i = 0; i < Cells.size(); ++i) {
    Cells[i]->OnSetBounds(VgSetRectOrigin(Cells[i]->Bounds, {x, y}));
    x = Cells[i]->Bounds.x2 + CellGap;
  }
}

void PinEntry::refreshPin() {
  const int32_t count = DigitCount();
  for (size_t i = 0; i < Cells.size(); ++i)
    Cells[i]->OnSetText(static_cast<int32_t>(i) < count ? VgNewStringChar(Indicator, 1) : nullptr);
  if (count >= 0 && count < CellCount) {
    Button* next = Cells[static_cast<size_t>(count)];
    OnSetFocus(next);
    next->OnSetText(CursorText);
  } else if (count == CellCount) {
    VgSignal(OnCompleteEntry, this);
  }
}

}  // namespace SkinBin
