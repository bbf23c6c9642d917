#include "SkinBin/OptionButton.h"

#include "AppServices/OptionDB.h"
#include "Bitmaps.h"
#include "Colors/Colors.h"
#include "Core/KeyEvent.h"
#include "Fonts/Fonts.h"
#include "OptionDatabase/OptionBinding.h"
#include "Resources/Bitmap.h"
#include "Resources/Font.h"
#include "Strings.h"
#include "vgdebug.h"
#include "vgref.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(SkinBin, OptionButton, ::Button::IconButton)

namespace SkinBin {

namespace {

// Gap between an arrow and the end of the row.
constexpr int32_t ArrowInset = 7;


}  // namespace

OptionButtonBase::OptionButtonBase(XObject* link, const OptionButtonLook& look) : ::Button::IconButton(link) {
  Add(&LeftArrow, 0);
  Add(&RightArrow, 0);
  Add(&ValueText, 0);

  OnSetBounds(look.bounds);
  OnSetText(VgNewStringAnsi("SubMenuItem"));
  Nonfocused_TextColor = Colors::StandardTextColor;
  Focused_TextColor = look.focusedTextColor;
  Disabled_TextColor = Colors::DisableTextColor;
  Default_TextColor = Colors::DefaultTextColor;
  auto* font = VgLoad<Resources::Font>(Fonts::MediumFont);
  Disabled_TextFont = font;
  Default_TextFont = font;
  Nonfocused_TextFont = font;
  Focused_TextFont = font;
  Nonfocused_Icon = VgLoad<Resources::Bitmap>(*look.nonfocusedIcon);
  Focused_Icon = VgLoad<Resources::Bitmap>(*look.focusedIcon);
  // The value takes the caption's place; the caption itself stays hidden.
  caption.OnSetVisible(false);

  HelpString = VgConcatString(VgConcatString(VgGetVariantOfString(&Strings::SID_ENTER), VgNewStringAnsi(",")),
                              VgGetVariantOfString(&Strings::SID_BACK));

  LeftArrow.OnSetVisible(false);
  LeftArrow.OnSetBounds({0, 10, 13, 20});
  LeftArrow.OnSetAutoSize(true);
  LeftArrow.OnSetBitmap(VgLoad<Resources::Bitmap>(*look.leftArrow));
  RightArrow.OnSetVisible(false);
  RightArrow.OnSetAlignH(2);
  RightArrow.OnSetAlignV(1);
  RightArrow.OnSetBounds({470, 10, 483, 20});
  RightArrow.OnSetAutoSize(true);
  RightArrow.OnSetBitmap(VgLoad<Resources::Bitmap>(*look.rightArrow));

  ValueString = VgNewStringAnsi("Value");
  ValueText.OnSetBounds({160, 0, 260, 20});
  ValueText.OnSetFont(font);
  ValueText.OnSetString(ValueString);
  ValueText.OnSetAlignH(Views::Text::AlignCentre);
  ValueText.OnSetAlignV(Views::Text::AlignMiddle);
}

void OptionButtonBase::OnSetOptionType(int32_t optionType) {
  OptionType = optionType;
  ::OptionDatabase::OptionBinding option(MainApp::GetOptionDB(), optionType, "SkinBin::OptionButton");
  if (!option) return;
  ChoiceIndex = option.Read();
  ChoiceCount = option.Count();
  // A slider option has no choice text to show.
  VgString text = option.ChoiceText();
  if (!text) return;
  OnSetText(option.Name());
  ValueText.OnSetString(text);
}

void OptionButtonBase::OnSetValueString(VgString value) {
  ValueString = value;
  ValueText.OnSetString(value);
}

// A row without choices (never bound, or bound to an option that has none)
// has nowhere to step to: the index would leave 0..ChoiceCount-1.
void OptionButtonBase::ToggleOption(bool increase) {
  if (ChoiceCount < 1) {
    VgPrint("SkinBin::OptionButton: option 0x%08X has no choices to step through\n",
            static_cast<unsigned>(OptionType));
    return;
  }
  if (increase)
    ChoiceIndex = ChoiceIndex < ChoiceCount - 1 ? ChoiceIndex + 1 : 0;
  else
    ChoiceIndex = ChoiceIndex >= 1 ? ChoiceIndex - 1 : ChoiceCount - 1;

  ::OptionDatabase::OptionBinding option(MainApp::GetOptionDB(), OptionType, "SkinBin::OptionButton");
  if (option) {
    option.Write(ChoiceIndex);
    if (VgString text = option.ChoiceText()) ValueText.OnSetString(text);
  }
  VgSignal(OnValueChanged, this);
}

XObject* OptionButtonBase::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down) return Primitives::KeyRoutingCtrl::HandleEvent(event);
  if (ToggleDecreaseKey != Key::None && key->keyCode == ToggleDecreaseKey)
    ToggleOption(false);
  else if (ToggleIncreaseKey != Key::None && key->keyCode == ToggleIncreaseKey)
    ToggleOption(true);
  else
    return Primitives::KeyRoutingCtrl::HandleEvent(event);
  VgSignal(OnResetTimeout, this);
  return this;
}

void OptionButtonBase::HandleFocus(bool focused) {
  ::Button::IconButton::HandleFocus(focused);
  LeftArrow.OnSetVisible(focused);
  RightArrow.OnSetVisible(focused);
}

void OptionButtonBase::Refresh(XObject* sender) {
  ::Button::IconButton::Refresh(sender);
  const VgRect place = caption.Bounds;
  ValueText.OnSetBounds(place);
  const int32_t height = VgGetRectH(Bounds);
  const VgPoint left = VgGetRectSize(LeftArrow.Bounds);
  const VgPoint right = VgGetRectSize(RightArrow.Bounds);
  LeftArrow.OnSetBounds(VgSetRectOrigin(LeftArrow.Bounds, {place.x1 + ArrowInset, (height - left.y) / 2}));
  RightArrow.OnSetBounds(
      VgSetRectOrigin(RightArrow.Bounds, {place.x2 - right.x - ArrowInset, (height - right.y) / 2}));
  if (ValueText.Font.get() != caption.Font.get()) ValueText.OnSetFont(caption.Font);
  if (ValueText.Color != caption.Color) ValueText.OnSetColor(caption.Color);
}

OptionButton::OptionButton(XObject* link)
    : OptionButtonBase(link, {{0, 0, 490, 25},
                       Colors::HighlightTextColor,
                       &Bitmaps::SelectButtonNonFocused,
                       &Bitmaps::SelectButtonFocused,
                       &Bitmaps::OptionButtonLeftArrow,
                       &Bitmaps::OptionButtonRightArrow}) {}

}  // namespace SkinBin
