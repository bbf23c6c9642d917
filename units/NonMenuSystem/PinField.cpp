#include "NonMenuSystem/PinField.h"

#include "Bitmaps.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/Look.h"

VG_DEFINE_CLASS(NonMenuSystem, PinField, PinEntry::PinEntry)

namespace NonMenuSystem {

PinField::PinField(XObject* link) : PinEntry::PinEntry(link) {
  MaxNumDigits = Digits;
  // The field lives inside a screen, which keeps the time.
  OnSetTimeOutValue(0);
  Views::Frame* cells[Digits] = {&cell0, &cell1, &cell2, &cell3};
  Views::Text* digits[Digits] = {&digit0, &digit1, &digit2, &digit3};
  Resources::Font* font = VgLoad<Resources::Font>(Fonts::LargeFont);
  for (int32_t i = 0; i < Digits; ++i) {
    const int32_t x = i * (CellSize + CellGap);
    cells[i]->OnSetBounds({x, 0, x + CellSize, CellSize});
    digits[i]->OnSetBounds({x, 0, x + CellSize, CellSize});
    digits[i]->OnSetFont(font);
    digits[i]->OnSetColor(Look::Text);
    digits[i]->OnSetAlignH(Views::Text::AlignCentre);
    digits[i]->OnSetAlignV(Views::Text::AlignMiddle);
    Add(cells[i], 0);
    Add(digits[i], 0);
  }
  Bounds = {0, 0, Width, CellSize};
  refreshPin();
}

XObject* PinField::HandleEvent(Core::Event* event) {
  const int32_t before = digitCount;
  XObject* taken = PinEntry::PinEntry::HandleEvent(event);
  if (taken && digitCount == Digits && before < Digits) VgSignal(OnCompleteEntry, this);
  return taken;
}

void PinField::HandleFocus(bool focused) {
  PinEntry::PinEntry::HandleFocus(focused);
  refreshPin();
}

void PinField::refreshPin() {
  Views::Frame* cells[Digits] = {&cell0, &cell1, &cell2, &cell3};
  Views::Text* digits[Digits] = {&digit0, &digit1, &digit2, &digit3};
  Resources::Bitmap* normal = VgLoad<Resources::Bitmap>(Bitmaps::PinButtonNonfocus);
  Resources::Bitmap* lit = VgLoad<Resources::Bitmap>(Bitmaps::PinButtonFocus);
  const char16_t star[2] = {Indicator, 0};
  for (int32_t i = 0; i < Digits; ++i) {
    const bool next = Focused && i == digitCount;
    cells[i]->OnSetBitmap(next ? lit : normal);
    digits[i]->OnSetString(i < digitCount ? VgNewString(star) : nullptr);
  }
}

}  // namespace NonMenuSystem
