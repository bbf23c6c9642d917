#include "SkinBin/EnterTime.h"

#include "Core/KeyEvent.h"
#include "SkinBin/DigitEntry.h"
#include "SkinBin/Skin.h"
#include "Wrapper/Wrapper.h"

VG_DEFINE_CLASS(SkinBin, EnterTime, Forms::Form)

namespace SkinBin {

namespace {

constexpr const char* kEmptyCell = "-";

struct CellLook {
  VgRect bounds;
  const char* text;
};

constexpr CellLook kCells[EnterTime::CellCount] = {
    {{76, 2, 96, 22}, kEmptyCell},   {{97, 2, 117, 22}, kEmptyCell}, {{118, 2, 128, 22}, ":"},
    {{129, 2, 149, 22}, kEmptyCell}, {{150, 2, 170, 22}, "0"},
};

constexpr VgColor kBackground{24, 26, 27, 255};
constexpr VgColor kDisabledBackground{40, 41, 42, 255};

bool IsEmpty(VgString text) { return VgCompString(text, VgNewStringAnsi(kEmptyCell)) == 0; }

// Digits compare as texts: "0" < "1" < ... < "9".
bool AtLeast(VgString digit, const char* bound) { return VgCompString(digit, VgNewStringAnsi(bound)) >= 0; }

}  // namespace

EnterTime::EnterTime(XObject* link) : Forms::Form(link) {
  const VgRect bounds{0, 0, 245, 25};
  Forms::Form::OnSetBounds(bounds);
  Add(&background, 0);
  background.OnSetBounds(bounds);
  background.OnSetColor(kBackground);
  for (int32_t i = 0; i < CellCount; ++i) {
    auto* cell = VgNew<Button>();
    cell->OnSetBounds(kCells[i].bounds);
    cell->OnSetText(VgNewStringAnsi(kCells[i].text));
    FitDigitCell(cell);
    Add(cell, 0);
    Cells[static_cast<size_t>(i)] = cell;
  }
  // The separator and the minute units never take a digit.
  for (Cell fixed : {Separator, MinuteUnits}) {
    At(fixed)->OnSetIsDisabled(true);
    At(fixed)->Disabled_BackgroundColor = kDisabledBackground;
  }
  OnSetFocus(At(HourTens));
}

void EnterTime::OnSetBounds(VgRect rect) {
  Forms::Form::OnSetBounds(rect);
  background.OnSetBounds(FillOf(rect));
  const int32_t height = VgGetRectH(rect);
  int32_t row = CellGap * (CellCount - 1);
  for (size_t i = 0; i < Cells.size(); ++i) row += VgGetRectW(Cells[i]->Bounds);
  int32_t x = (VgGetRectW(rect) - row) / 2;
  for (size_t i = 0; i < Cells.size(); ++i) {
    Button* cell = Cells[i];
    const VgPoint size = VgGetRectSize(cell->Bounds);
    cell->OnSetBounds(VgSetRectOrigin(cell->Bounds, {x, (height - size.y) / 2}));
    x += size.x + CellGap;
  }
}

int32_t EnterTime::GetTimeIndex() {
  VgString tens = At(HourTens)->Text;
  VgString units = At(HourUnits)->Text;
  if (IsEmpty(tens)) tens = nullptr;
  if (IsEmpty(units)) units = VgNewStringAnsi("0");
  const int32_t hours = ::Wrapper::Wrapper::String2Int(VgConcatString(tens, units));
  VgString minutes = At(MinuteTens)->Text;
  const int32_t minuteTens = IsEmpty(minutes) ? 0 : ::Wrapper::Wrapper::String2Int(minutes);
  return hours * 60 + minuteTens * 10;
}

void EnterTime::RefreshButtons() {
  switch (DigitCount) {
    case 0:
      for (Cell input : {HourTens, HourUnits, MinuteTens}) At(input)->OnSetText(VgNewStringAnsi(kEmptyCell));
      OnSetFocus(At(HourTens));
      break;
    case 1:
      if (AtLeast(LastDigit, "2")) {
        --DigitCount;
        break;
      }
      At(HourTens)->OnSetText(LastDigit);
      OnSetFocus(At(HourUnits));
      break;
    case 2:
      if (VgCompString(At(HourTens)->Text, VgNewStringAnsi("0")) != 0 && AtLeast(LastDigit, "3")) {
        --DigitCount;
        break;
      }
      At(HourUnits)->OnSetText(LastDigit);
      OnSetFocus(At(MinuteTens));
      break;
    case 3: {
      // Twelve o'clock is the last time there is: only 12:00 is accepted.
      const bool noon = VgCompString(At(HourTens)->Text, VgNewStringAnsi("1")) == 0 &&
                        VgCompString(At(HourUnits)->Text, VgNewStringAnsi("2")) == 0;
      const bool accepted = noon ? VgCompString(LastDigit, VgNewStringAnsi("0")) == 0 : !AtLeast(LastDigit, "6");
      if (accepted) At(MinuteTens)->OnSetText(LastDigit);
      // The minute tens is the last cell: further digits overwrite it.
      DigitCount = 2;
      break;
    }
    default:
      break;
  }
}

XObject* EnterTime::HandleEvent(Core::Event* event) {
  return HandleDigitEntryKey(this, event, [this] {
    Time = GetTimeIndex();
    VgSignal(OnTimeChanged, this);
  });
}

}  // namespace SkinBin
