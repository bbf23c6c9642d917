#include "MenuSystem/MenuItems.h"

#include <algorithm>

#include "AppServices/OptionDB.h"
#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Colors/Colors.h"
#include "Core/KeyEvent.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/HelpBar.h"
#include "OptionDatabase/OptionBinding.h"
#include "OptionDatabase/OptionData.h"
#include "Resources/Bitmap.h"
#include "Resources/Font.h"
#include "Strings.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(MenuSystem, MenuItemCourier, XObject)
VG_DEFINE_CLASS(MenuSystem, SubMenuItem, ::Button::IconButton)
VG_DEFINE_CLASS(MenuSystem, SubMenuItemValue, ::MenuSystem::SubMenuItem)
VG_DEFINE_CLASS(MenuSystem, SubMenuItemValueSelect, ::MenuSystem::SubMenuItemValue)
VG_DEFINE_CLASS(MenuSystem, SubMenuItemAdjust, ::MenuSystem::SubMenuItem)
VG_DEFINE_CLASS(MenuSystem, AdjustItemArrow, ::MenuSystem::SubMenuItemAdjust)
VG_DEFINE_CLASS(MenuSystem, AdjustItemArrowSelect, ::MenuSystem::AdjustItemArrow)
VG_DEFINE_CLASS(MenuSystem, AdjustItemSlider, ::MenuSystem::SubMenuItemAdjust)
VG_DEFINE_CLASS(MenuSystem, AdjustItemSliderSelect, ::MenuSystem::AdjustItemSlider)

namespace MenuSystem {

namespace {

// An arrow's gap from the value's edge.
constexpr int32_t kArrowInset = 7;
// The slider row: the number's width left of the slider, the gap between
// them and the slider's distance from the row's right edge.
constexpr int32_t kSliderNumberWidth = 43;
constexpr int32_t kSliderGap = 5;
constexpr int32_t kSliderRightInset = 11;
constexpr VgRect kSliderBounds{293, 3, 479, 23};

constexpr const char* kScreen = "MenuSystem row";

Resources::Bitmap* Bitmap(const VgConstant& constant) { return VgLoad<Resources::Bitmap>(constant); }

VgRect CentredV(int32_t x, VgPoint size, int32_t height) {
  const int32_t y = (height - size.y) / 2;
  return {x, y, x + size.x, y + size.y};
}

void SetupArrow(Views::Image& arrow, const VgConstant& bitmap, VgPoint at) {
  arrow.OnSetVisible(false);
  arrow.OnSetAutoSize(true);
  arrow.OnSetBitmap(Bitmap(bitmap));
  arrow.OnSetBounds(VgSetRectOrigin(arrow.Bounds, at));
}

// The framed background of the rows that edit a value.
void UseOptionButtonLook(Button::ButtonClass& row) {
  Resources::Bitmap* normal = Bitmap(Bitmaps::OptionButtonNonFocused);
  row.Nonfocused_Bitmap = normal;
  row.Default_Bitmap = normal;
  row.Disabled_Bitmap = normal;
  row.Focused_Bitmap = Bitmap(Bitmaps::OptionButtonFocused);
  row.ActivateKey = 0;
}

}  // namespace

// ------------------------------------------------------------ SubMenuItem

SubMenuItem::SubMenuItem(XObject* link) : ::Button::IconButton(link) {
  OnSetBounds({0, 0, ThirdMenuItemWidth, ThirdMenuItemHeight});
  Resources::Font* font = VgLoad<Resources::Font>(Fonts::MediumFont);
  Default_TextFont = font;
  Nonfocused_TextFont = font;
  Focused_TextFont = font;
  Disabled_TextFont = font;
  Default_TextColor = Colors::DefaultTextColor;
  Nonfocused_TextColor = Colors::StandardTextColor;
  Focused_TextColor = Colors::HighlightTextColor;
  Disabled_TextColor = Colors::DisableTextColor;
  Default_BackgroundColor = Colors::DefaultBgColor;
  Nonfocused_BackgroundColor = Colors::StandardBgColor;
  Focused_BackgroundColor = Colors::HighlightBgColor;
  Disabled_BackgroundColor = Colors::DisableBgColor;
  OnSetTextAlignH(Views::Text::AlignLeft);
  caption.OnSetAutoSize(false);
  iconImage.OnSetVisible(false);
  OnSetText(VgNewString(u"SubMenuItem"));
  SetHelp(VgGetVariantOfString(&Strings::SID_ENTER), NonMenuSystem::HelpReturn | NonMenuSystem::HelpOk);
}

void SubMenuItem::SetHelp(VgString first, int32_t mask) {
  HelpString = VgConcatString(VgConcatString(first, VgNewString(u",")), VgGetVariantOfString(&Strings::SID_BACK));
  HelpMask = mask;
}

void SubMenuItem::LeadTo(const char* target, int32_t value) {
  Target = target;
  NextState = target ? VgFindClass(target) : nullptr;
  OptionType = value;
}

void SubMenuItem::OnSetBaseColor(VgColor) {}

void SubMenuItem::SetupValueRow(Views::Text& value, const char16_t* initial) {
  value.OnSetBounds({299, 0, 482, ThirdMenuItemHeight});
  value.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  value.OnSetAlignH(Views::Text::AlignCentre);
  value.OnSetAlignV(Views::Text::AlignMiddle);
  value.OnSetEllipsis(true);
  value.OnSetString(VgNewString(initial));
  Add(&value, 0);
  UseOptionButtonLook(*this);
  SetHelp(VgGetVariantOfString(&Strings::SID_EDIT), NonMenuSystem::HelpReturn | NonMenuSystem::HelpLR);
}

XObject* SubMenuItem::HandleValueKeys(Core::Event* event) {
  const uint16_t code = Core::PressedKey(event);
  if (code == Key::Left || code == Key::Right) {
    if (Usable()) VgSignal(OnActivate, this);
    return this;
  }
  if (code == Key::Ok) return this;
  return SubMenuItem::HandleEvent(event);
}

void SubMenuItem::LayOutValueHalf(Views::Text& value) {
  const int32_t w = VgGetRectW(Bounds);
  const int32_t h = VgGetRectH(Bounds);
  caption.OnSetBounds({0, 0, w / 2, h});
  value.OnSetBounds({w / 2, 0, w, h});
  value.OnSetFont(caption.Font);
  value.OnSetColor(caption.Color);
}

XObject* SubMenuItem::HandleEvent(Core::Event* event) {
  if (!Usable()) return nullptr;
  return ::Button::IconButton::HandleEvent(event);
}

XObject* SubMenuItem::GetData(XObject* data) {
  auto* courier = vg_cast<MenuItemCourier>(data);
  if (!courier) courier = VgNew<MenuItemCourier>();
  courier->Caption = Text;
  courier->HelpString = HelpString;
  courier->Attribute1 = Attribute1;
  courier->Attribute2 = Attribute2;
  return courier;
}

XObject* SubMenuItem::SetData(XObject* data) {
  auto* courier = vg_cast<MenuItemCourier>(data);
  if (!courier) return data;
  OnSetText(courier->Caption);
  HelpString = courier->HelpString;
  Attribute1 = courier->Attribute1;
  Attribute2 = courier->Attribute2;
  return data;
}

void SubMenuItem::RefreshCtrlState(int32_t look) {
  ::Button::IconButton::RefreshCtrlState(look);
  if (look == LookFocused && IsDisabled) OnSetTextColor(Colors::FocusDisableTextColor);
}

// ------------------------------------------------------- SubMenuItemValue

SubMenuItemValue::SubMenuItemValue(XObject* link) : SubMenuItem(link) {
  SetupValueRow(valueText, u"Value");
  ValueString = valueText.String;
  SetupArrow(leftArrow, Bitmaps::OptionButtonLeftArrow, {300, 10});
  SetupArrow(rightArrow, Bitmaps::OptionButtonRightArrow, {354, 5});
  Add(&leftArrow, 0);
  Add(&rightArrow, 0);
}

XObject* SubMenuItemValue::HandleEvent(Core::Event* event) { return HandleValueKeys(event); }

void SubMenuItemValue::ShowArrows() {
  const bool show = Focused && !IsDisabled;
  leftArrow.OnSetVisible(show);
  rightArrow.OnSetVisible(show);
}

void SubMenuItemValue::HandleFocus(bool focused) {
  SubMenuItem::HandleFocus(focused);
  ShowArrows();
}

void SubMenuItemValue::Refresh(XObject* sender) {
  SubMenuItem::Refresh(sender);
  LayOutValueHalf(valueText);
  const int32_t w = VgGetRectW(Bounds);
  const int32_t h = VgGetRectH(Bounds);
  leftArrow.OnSetBounds(CentredV(valueText.Bounds.x1 + kArrowInset, VgGetRectSize(leftArrow.Bounds), h));
  const VgPoint right = VgGetRectSize(rightArrow.Bounds);
  rightArrow.OnSetBounds(CentredV(w - kArrowInset - right.x, right, h));
  ShowArrows();
}

void SubMenuItemValue::OnSetTextColor(VgColor value) {
  SubMenuItem::OnSetTextColor(value);
  valueText.OnSetColor(value);
}

void SubMenuItemValue::OnSetValueString(VgString value) {
  ValueString = value;
  valueText.OnSetString(value);
}

// ------------------------------------------------- SubMenuItemValueSelect

SubMenuItemValueSelect::SubMenuItemValueSelect(XObject* link) : SubMenuItemValue(link) {}

XObject* SubMenuItemValueSelect::HandleEvent(Core::Event* event) {
  const uint16_t code = Core::PressedKey(event);
  if (code != Key::None && (code == ToggleDecreaseKey || code == ToggleIncreaseKey)) {
    if (Usable()) ToggleOption(code == ToggleIncreaseKey);
    VgSignal(OnResetTimeout, this);
    return this;
  }
  return SubMenuItemValue::HandleEvent(event);
}

void SubMenuItemValueSelect::ToggleOption(bool increase) {
  if (ChoiceCount < 2) return;
  // An index outside the list (one the page never set, a count that shrank)
  // steps onto its first choice up and its last down; no step overflows.
  if (ChoiceIndex < 0 || ChoiceIndex >= ChoiceCount)
    ChoiceIndex = increase ? 0 : ChoiceCount - 1;
  else
    ChoiceIndex = increase ? (ChoiceIndex + 1) % ChoiceCount : (ChoiceIndex + ChoiceCount - 1) % ChoiceCount;
  OptionDatabase::OptionBinding option(MainApp::GetOptionDB(), OptionType, kScreen);
  if (option) {
    option.Write(ChoiceIndex);
    Value = option.Record()->Value;
    if (VgString text = option.ChoiceText()) OnSetValueString(text);
  }
  MainApp::GetWrapper()->MarkOptionChange(OptionType);
  VgSignal(OnValueChanged, this);
}

// ------------------------------------------------------ SubMenuItemAdjust

SubMenuItemAdjust::SubMenuItemAdjust(XObject* link) : SubMenuItem(link) {
  SetupValueRow(valueText, u"");
  ValueString = VgNewString(u"Value");
}

XObject* SubMenuItemAdjust::HandleEvent(Core::Event* event) { return HandleValueKeys(event); }

void SubMenuItemAdjust::Refresh(XObject* sender) {
  SubMenuItem::Refresh(sender);
  LayOutValueHalf(valueText);
}

void SubMenuItemAdjust::OnSetTextColor(VgColor value) {
  SubMenuItem::OnSetTextColor(value);
  valueText.OnSetColor(value);
}

void SubMenuItemAdjust::OnSetMax(int32_t value) { Max = value; }
void SubMenuItemAdjust::OnSetMin(int32_t value) { Min = value; }
void SubMenuItemAdjust::OnSetStep(int32_t value) { Step = value; }

void SubMenuItemAdjust::OnSetValue(int32_t value) {
  Value = std::max(std::min(value, Max), Min);
  valueText.OnSetString(VgNewStringInt(Value, 0));
}

void SubMenuItemAdjust::OnSetValueString(VgString value) {
  ValueString = value;
  valueText.OnSetString(value);
}

// -------------------------------------------------------- AdjustItemArrow

AdjustItemArrow::AdjustItemArrow(XObject* link) : SubMenuItemAdjust(link) {
  SetupArrow(leftArrow, Bitmaps::OptionButtonLeftArrow, {300, 10});
  SetupArrow(rightArrow, Bitmaps::OptionButtonRightArrow, {430, 0});
  Add(&leftArrow, 0);
  Add(&rightArrow, 0);
}

void AdjustItemArrow::HandleFocus(bool focused) {
  SubMenuItemAdjust::HandleFocus(focused);
  RefreshArrow();
}

void AdjustItemArrow::Refresh(XObject* sender) {
  SubMenuItemAdjust::Refresh(sender);
  const int32_t h = VgGetRectH(Bounds);
  leftArrow.OnSetBounds(CentredV(valueText.Bounds.x1 + kArrowInset, VgGetRectSize(leftArrow.Bounds), h));
  const VgPoint right = VgGetRectSize(rightArrow.Bounds);
  rightArrow.OnSetBounds(CentredV(valueText.Bounds.x2 - kArrowInset - right.x, right, h));
  RefreshArrow();
}

void AdjustItemArrow::OnSetValue(int32_t value) {
  SubMenuItemAdjust::OnSetValue(value);
  RefreshArrow();
}

void AdjustItemArrow::RefreshArrow() {
  const bool shown = Focused && !IsDisabled;
  rightArrow.OnSetVisible(shown && Value != Max);
  leftArrow.OnSetVisible(shown && Value != Min);
}

// -------------------------------------------------- AdjustItemArrowSelect

AdjustItemArrowSelect::AdjustItemArrowSelect(XObject* link) : AdjustItemArrow(link) {}

XObject* AdjustItemArrowSelect::HandleEvent(Core::Event* event) {
  const uint16_t code = Core::PressedKey(event);
  if (code != Key::Left && code != Key::Right) return AdjustItemArrow::HandleEvent(event);
  if (Usable()) {
    const int64_t step = code == Key::Right ? int64_t(Step) : -int64_t(Step);
    OnSetValue(static_cast<int32_t>(std::clamp<int64_t>(int64_t(Value) + step, INT32_MIN, INT32_MAX)));
    OptionDatabase::OptionBinding option(MainApp::GetOptionDB(), OptionType, kScreen);
    if (option) {
      option.Write(Value);
      VgSignal(OnValueChanged, this);
    }
  }
  VgSignal(OnResetTimeout, this);
  return this;
}

// ------------------------------------------------------- AdjustItemSlider

AdjustItemSlider::AdjustItemSlider(XObject* link) : SubMenuItemAdjust(link) {
  valueText.OnSetString(VgNewString(u"0"));
  slider.OnSetBounds(kSliderBounds);
  slider.OnSetMin(Min);
  slider.OnSetMax(Max);
  slider.OnSetValue(Value);
  Add(&slider, 0);
}

void AdjustItemSlider::OnSetSliderMiddlePoint(uint8_t value) {
  SliderMiddlePoint = value;
  PostRefresh();
}

void AdjustItemSlider::OnSetSliderVisible(uint8_t value) {
  SliderVisible = value;
  PostRefresh();
}

void AdjustItemSlider::OnSetMax(int32_t value) {
  SubMenuItemAdjust::OnSetMax(value);
  slider.OnSetMax(value);
}

void AdjustItemSlider::OnSetMin(int32_t value) {
  SubMenuItemAdjust::OnSetMin(value);
  slider.OnSetMin(value);
}

void AdjustItemSlider::OnSetValue(int32_t value) {
  SubMenuItemAdjust::OnSetValue(value);
  slider.OnSetValue(Value);
}

void AdjustItemSlider::OnSetStep(int32_t value) {
  SubMenuItemAdjust::OnSetStep(value);
  slider.OnSetStep(value);
}

void AdjustItemSlider::Refresh(XObject* sender) {
  SubMenuItemAdjust::Refresh(sender);
  const int32_t w = VgGetRectW(Bounds);
  const int32_t h = VgGetRectH(Bounds);
  if (SliderVisible) {
    const int32_t numberLeft = w / 2;
    valueText.OnSetBounds({numberLeft, 0, numberLeft + kSliderNumberWidth, h});
    valueText.OnSetAlignH(Views::Text::AlignRight);
    const int32_t left = numberLeft + kSliderNumberWidth + kSliderGap;
    const int32_t height = VgGetRectH(slider.Bounds);
    const int32_t top = (h - height) / 2 + 1;
    slider.OnSetBounds({left, top, w - kSliderRightInset, top + height});
    slider.OnSetVisible(true);
  } else {
    valueText.OnSetAlignH(Views::Text::AlignCentre);
    slider.OnSetVisible(false);
  }
  const bool grey = IsDisabled;
  const VgConstant& frame = SliderMiddlePoint ? (grey ? Bitmaps::GraySliderBgFrame : Bitmaps::SliderBgFrame)
                                              : (grey ? Bitmaps::GraySliderBgFrameNoY : Bitmaps::SliderBgFrameNoY);
  Resources::Bitmap* frameBitmap = Bitmap(frame);
  Resources::Bitmap* indicator = Bitmap(grey ? Bitmaps::GraySliderIndicator : Bitmaps::SliderIndicator);
  if (slider.BgFrameBitmap.get() != frameBitmap) slider.OnSetBgFrameBitmap(frameBitmap);
  if (slider.IndicatorImageBitmap.get() != indicator) slider.OnSetIndicatorImageBitmap(indicator);
}

// ------------------------------------------------- AdjustItemSliderSelect

AdjustItemSliderSelect::AdjustItemSliderSelect(XObject* link) : AdjustItemSlider(link) {
  slider.OnSetOnValueChanged(VgSlotOf<&AdjustItemSliderSelect::DoValueChanged>(this));
}

void AdjustItemSliderSelect::HandleFocus(bool focused) {
  AdjustItemSlider::HandleFocus(focused);
  if (focused) OnSetFocus(IsDisabled ? nullptr : &slider);
}

void AdjustItemSliderSelect::DoValueChanged(XObject*) {
  Value = slider.Value;
  valueText.OnSetString(VgNewStringInt(Value, 0));
  OptionDatabase::OptionBinding option(MainApp::GetOptionDB(), OptionType, kScreen);
  if (option) option.Write(Value);
  MainApp::GetWrapper()->MarkOptionChange(OptionType);
  VgSignal(OnResetTimeout, this);
  VgSignal(OnValueChanged, this);
}

}  // namespace MenuSystem
