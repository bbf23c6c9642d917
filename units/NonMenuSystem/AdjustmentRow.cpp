#include "NonMenuSystem/AdjustmentRow.h"

#include <algorithm>
#include <cstdio>

#include "AppServices/OptionDB.h"
#include "Bitmaps.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/Look.h"
#include "OptionDatabase/OptionBinding.h"
#include "SkinBin/Progress.h"
#include "SkinBin/ProgressQOR.h"

VG_DEFINE_CLASS(NonMenuSystem, AdjustmentRow, Core::Group)

namespace NonMenuSystem {

namespace {

constexpr int32_t kGap = 10;
constexpr int32_t kArrowSize = 20;
constexpr int32_t kValueWidth = 64;
constexpr int32_t kPlainSliderHeight = 24;
constexpr int32_t kQORSliderHeight = 12;

OptionDatabase::OptionBinding Binding(int32_t optionType) {
  return OptionDatabase::OptionBinding(MainApp::GetOptionDB(), optionType, "NonMenuSystem::AdjustmentRow");
}

}  // namespace

AdjustmentRow::AdjustmentRow(XObject* link) : Core::Group(link) {
  caption.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  caption.OnSetColor(Look::Text);
  caption.OnSetAlignV(Views::Text::AlignMiddle);
  caption.OnSetEllipsis(true);
  value.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  value.OnSetColor(Look::Text);
  value.OnSetAlignV(Views::Text::AlignMiddle);
  leftArrow.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::OptionButtonLeftArrow));
  rightArrow.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::OptionButtonRightArrow));
  for (Views::Image* arrow : {&leftArrow, &rightArrow}) {
    arrow->OnSetAlignH(Views::Text::AlignCentre);
    arrow->OnSetAlignV(Views::Text::AlignMiddle);
  }
  Add(&caption, 0);
  Add(&leftArrow, 0);
  Add(&value, 0);
  Add(&rightArrow, 0);
  OnSetSliderLook(SliderLook::Plain);
}

void AdjustmentRow::OnSetBounds(VgRect rect) {
  Core::Group::OnSetBounds(rect);
  Layout();
}

void AdjustmentRow::OnSetSliderLook(SliderLook look) {
  if (slider && Look == look) return;
  Look = look;
  if (slider) Remove(slider);
  slider = nullptr;
  if (look == SliderLook::Plain) slider = VgNew<SkinBin::Progress>();
  if (look == SliderLook::QOR) slider = VgNew<SkinBin::ProgressQOR>();
  if (slider) {
    slider->OnSetReadOnly(true);
    Add(slider, 0);
  }
  OnSetMiddlePoint(MiddlePoint);
  ShowValue();
  Layout();
}

void AdjustmentRow::OnSetValueLook(ValueLook look) {
  ValueFormat = look;
  ShowValue();
}

void AdjustmentRow::OnSetMiddlePoint(bool on) {
  MiddlePoint = on;
  if (Look == SliderLook::Plain && slider)
    slider->OnSetBgFrameBitmap(
        VgLoad<Resources::Bitmap>(on ? Bitmaps::SliderBgFrame : Bitmaps::SliderBgFrameNoY));
}

void AdjustmentRow::OnSetCaption(VgString text) {
  Caption = text;
  if (text) caption.OnSetString(text);
}

void AdjustmentRow::OnSetSelected(bool on) {
  Selected = on;
  caption.OnSetColor(on ? Look::Caption : Look::Text);
}

void AdjustmentRow::Bind(int32_t optionType) {
  OptionType = optionType;
  Load();
}

void AdjustmentRow::Load() {
  OptionDatabase::OptionBinding option = Binding(OptionType);
  caption.OnSetString(Caption ? Caption.get() : option.Name());
  Choices = option.Count();
  IsChoice = Choices > 0;
  Choice = option.Read();
  if (!IsChoice) {
    // The range counts in the record's own steps, as Read does (a value
    // kept with an offset in the set reads from its middle).
    const OptionDatabase::SliderRange range = option.Range();
    Min = range.min;
    Max = std::max(range.min, range.max);
    StepSize = std::max(1, range.step);
    Value = Choice;
  }
  if (slider) {
    slider->OnSetMin(Min);
    slider->OnSetMax(Max);
    slider->OnSetValue(Value);
  }
  ShowValue();
  Layout();
  if (IsChoice) value.OnSetString(option.ChoiceText());
}

bool AdjustmentRow::Step(int32_t direction) {
  OptionDatabase::OptionBinding option = Binding(OptionType);
  if (!option) return false;
  const int32_t sign = direction > 0 ? 1 : -1;
  const int32_t current = option.Read();
  if (option.Count() > 0) {
    const int32_t count = option.Count();
    int32_t next = current + sign;
    next = WrapChoices ? (next % count + count) % count : std::clamp(next, 0, count - 1);
    if (next == current) return false;
    option.Write(next);
  } else {
    const OptionDatabase::SliderRange range = option.Range();
    const int32_t next =
        std::clamp(current + sign * std::max(1, range.step), range.min, std::max(range.min, range.max));
    if (next == current) return false;
    option.Write(next);
  }
  Load();
  return true;
}

void AdjustmentRow::ShowValue() {
  const bool slides = slider && !IsChoice;
  if (slider) slider->OnSetVisible(slides);
  const bool arrows = !slides;
  const bool wraps = IsChoice && WrapChoices;
  const int32_t position = IsChoice ? Choice : Value;
  const int32_t low = IsChoice ? 0 : Min;
  const int32_t high = IsChoice ? Choices - 1 : Max;
  leftArrow.OnSetVisible(arrows && (wraps || position > low));
  rightArrow.OnSetVisible(arrows && (wraps || position < high));
  value.OnSetAlignH(slides ? Views::Text::AlignRight : Views::Text::AlignCentre);
  if (IsChoice) return;
  char text[24];
  if (ValueFormat == ValueLook::Tint) {
    const int32_t offset = Value - (Min + Max) / 2;
    if (offset == 0)
      std::snprintf(text, sizeof text, "0");
    else
      std::snprintf(text, sizeof text, "%c %d", offset > 0 ? 'R' : 'G', offset > 0 ? offset : -offset);
  } else {
    std::snprintf(text, sizeof text, "%d", Value);
  }
  value.OnSetString(VgNewStringAnsi(text));
}

void AdjustmentRow::Layout() {
  const int32_t w = VgGetRectW(Bounds);
  const int32_t h = VgGetRectH(Bounds);
  const int32_t captionRight = w * 32 / 100;
  caption.OnSetBounds({0, 0, captionRight, h});
  const int32_t left = captionRight + kGap;
  if (slider && !IsChoice) {
    const int32_t sliderHeight = Look == SliderLook::QOR ? kQORSliderHeight : kPlainSliderHeight;
    const int32_t top = (h - sliderHeight) / 2;
    slider->OnSetBounds({left, top, w - kValueWidth - kGap, top + sliderHeight});
    value.OnSetBounds({w - kValueWidth, 0, w, h});
    return;
  }
  leftArrow.OnSetBounds({left, 0, left + kArrowSize, h});
  rightArrow.OnSetBounds({w - kArrowSize, 0, w, h});
  value.OnSetBounds({left + kArrowSize, 0, w - kArrowSize, h});
}

}  // namespace NonMenuSystem
