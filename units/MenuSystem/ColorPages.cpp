#include "MenuSystem/ColorPages.h"

#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Colors/Colors.h"
#include "Core/KeyEvent.h"
#include "Core/Keys.h"
#include "Fonts/Fonts.h"
#include "MenuSystem/MenuSystem.h"
#include "NonMenuSystem/HelpBar.h"
#include "OptionDatabase/OptionTypes.h"
#include "Resources/Bitmap.h"
#include "Resources/Font.h"
#include "SkinBin/OptionTypes.h"
#include "Strings.h"
#include "WinIDs/WinIDs.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(MenuSystem, BaseColorAdjustItem, ::MenuSystem::SubMenuItem)
VG_DEFINE_CLASS(MenuSystem, BaseColorAdjustmentMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(MenuSystem, RGBFilterOptionItem, ::MenuSystem::SubMenuItemValueSelect)
VG_DEFINE_CLASS(MenuSystem, RGBFilterSliderItem, ::MenuSystem::AdjustItemSlider)
VG_DEFINE_CLASS(MenuSystem, RGBFilterMenu, ::MenuSystem::ThirdMenu)

namespace MenuSystem {

namespace {

using namespace Strings;
using OptionDatabase::Sid;
namespace O = OptionDatabase;
namespace S = SkinBin;

// ------------------------------------------------------------ the tables

constexpr const char* kBaseColorBar = "NonMenuSystem::BaseColorAdjustmentBar";
constexpr const char* kConfirmation = "NonMenuSystem::ConfirmMultiOptionDialog";
constexpr int32_t kConfirmBaseColorReset = 22;

constexpr RowDef kBaseColorRows[] = {
    Item<BaseColorAdjustItem>(Sid(SID_RED), S::OPTION_TYPE_BASECOLOR_ADJUST_RED_HUE, kBaseColorBar).Color(Colors::Red),
    Item<BaseColorAdjustItem>(Sid(SID_GREEN), S::OPTION_TYPE_BASECOLOR_ADJUST_GREEN_HUE, kBaseColorBar)
        .Color(Colors::Green),
    Item<BaseColorAdjustItem>(Sid(SID_BLUE), S::OPTION_TYPE_BASECOLOR_ADJUST_BLUE_HUE, kBaseColorBar)
        .Color(Colors::Blue),
    Item<BaseColorAdjustItem>(Sid(SID_YELLOW), S::OPTION_TYPE_BASECOLOR_ADJUST_YELLOW_HUE, kBaseColorBar)
        .Color(Colors::Yellow),
    Item<BaseColorAdjustItem>(Sid(SID_MAGENTA), S::OPTION_TYPE_BASECOLOR_ADJUST_MAGENTA_HUE, kBaseColorBar)
        .Color(Colors::Magenta),
    Item<BaseColorAdjustItem>(Sid(SID_CYAN), S::OPTION_TYPE_BASECOLOR_ADJUST_CYAN_HUE, kBaseColorBar)
        .Color(Colors::Cyan),
    Item<SubMenuItem>(Sid(SID_RESET), kConfirmBaseColorReset, kConfirmation),
};
constexpr PageTable kBaseColorMenu{.title = Sid(SID_BASE_COLOUR_ADJUST),
                                   .back = "MenuSystem::AdvancedPictureMenu",
                                   .level = 5,
                                   .rows = kBaseColorRows,
                                   .winId = WinIDs::WIN_ID_BaseColorAdjustmentMenu};

constexpr RowDef kRGBFilterRows[] = {
    Item<RGBFilterOptionItem>(Sid(SID_RED), S::OPTION_TYPE_RED_FILTER)
        .Color(Colors::Red)
        .Changed(PageSlot<&RGBFilterMenu::RefreshRGBFilter>),
    Item<RGBFilterOptionItem>(Sid(SID_GREEN), S::OPTION_TYPE_GREEN_FILTER)
        .Color(Colors::Green)
        .Changed(PageSlot<&RGBFilterMenu::RefreshRGBFilter>),
    Item<RGBFilterOptionItem>(Sid(SID_BLUE), S::OPTION_TYPE_BLUE_FILTER)
        .Color(Colors::Blue)
        .Changed(PageSlot<&RGBFilterMenu::RefreshRGBFilter>),
    Item<RGBFilterSliderItem>(Sid(SID_COLOR), O::OPTION_TYPE_COLOR, "NonMenuSystem::AdjustmentBar"),
    Item<RGBFilterSliderItem>(Sid(SID_TINT), O::OPTION_TYPE_TINT, "NonMenuSystem::AdjustmentBarTint"),
};
constexpr PageTable kRGBFilterMenu{.title = Sid(SID_RGB_FILTER),
                                   .back = "MenuSystem::ExpertPictureMenu",
                                   .level = 5,
                                   .rows = kRGBFilterRows,
                                   .winId = WinIDs::WIN_ID_RGBFilterMenu};

const PageListing kListed[] = {PageListing(kBaseColorMenu), PageListing(kRGBFilterMenu)};

// ------------------------------------------------------------- the rows

// The swatch stands at the row's left, 2 pixels inside its height.
constexpr int32_t kSwatchLeft = 7;
constexpr int32_t kSwatchInset = 2;
constexpr int32_t kSwatchGap = 7;

// The colour rows' columns: separators (2 pixels wide) at these x, the
// values between them, the arrow beyond the last.
constexpr int32_t kSeparators[] = {116, 233, 350, 467};
constexpr int32_t kSeparatorWidth = 2;
constexpr int32_t kArrowLeft = 475;

// The headings over the three value columns.
constexpr VgRect kHeadings[] = {{136, 40, 251, 60}, {253, 40, 368, 60}, {370, 40, 485, 60}};
constexpr int32_t kBaseColorItemYOffset = 60;
constexpr int32_t kBaseColorItemInterval = 2;

void SetupSwatch(Views::Rectangle& swatch, Views::Border& frame, VgColor color) {
  swatch.OnSetColor(color);
  frame.OnSetWidth(1);
  frame.OnSetColor(Colors::StandardTextColor);
}

// Places the swatch in a row of that height and returns its right edge.
int32_t PlaceSwatch(Views::Rectangle& swatch, Views::Border& frame, int32_t height) {
  const int32_t side = height - 2 * kSwatchInset;
  const VgRect bounds{kSwatchLeft, kSwatchInset, kSwatchLeft + side, kSwatchInset + side};
  swatch.OnSetBounds(bounds);
  frame.OnSetBounds(bounds);
  return bounds.x2;
}

void SetupColumnText(Views::Text& text) {
  text.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  text.OnSetColor(Colors::StandardTextColor);
  text.OnSetAlignH(Views::Text::AlignCentre);
  text.OnSetAlignV(Views::Text::AlignMiddle);
}

VgString SignedText(int32_t value) {
  VgString number = VgNewStringInt(value, 0);
  return value >= 1 ? VgConcatString(VgNewString(u"+"), number) : number;
}

}  // namespace

BaseColorAdjustItem::BaseColorAdjustItem(XObject* link) : SubMenuItem(link), BaseColor(Colors::Red) {
  ActivateKey = ::Key::Right;
  SetHelp(VgGetVariantOfString(&SID_EDIT), NonMenuSystem::HelpReturn);
  OnSetText(VgGetVariantOfString(&SID_MAGENTA));
  // The colour's name has the column before the first separator, beside the
  // swatch: the toolkit's default font, a size below the rows', fits the
  // longest ("Magenta") there.
  auto* font = VgLoad<Resources::Font>(Fonts::DefaultFont);
  Default_TextFont = Nonfocused_TextFont = Focused_TextFont = Disabled_TextFont = font;
  OnSetTextFont(font);
  SetupSwatch(swatch, swatchFrame, BaseColor);
  Add(&swatch, 0);
  Add(&swatchFrame, 0);
  for (Views::Rectangle* separator : {&separator1, &separator2, &separator3, &separator4}) {
    separator->OnSetColor(Colors::MenuBgColor);
    Add(separator, 0);
  }
  arrow.OnSetVisible(false);
  arrow.OnSetAutoSize(true);
  arrow.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::InputListRightArrow));
  Add(&arrow, 0);
  for (Views::Text* text : {&hueText, &saturationText, &brightText}) {
    SetupColumnText(*text);
    Add(text, 0);
  }
  OnSetHueValue(HueValue);
  OnSetSaturationValue(SaturationValue);
  OnSetBrightValue(BrightValue);
}

void BaseColorAdjustItem::HandleFocus(bool focused) {
  SubMenuItem::HandleFocus(focused);
  arrow.OnSetVisible(focused);
}

void BaseColorAdjustItem::Refresh(XObject* sender) {
  SubMenuItem::Refresh(sender);
  const int32_t h = VgGetRectH(Bounds);
  const int32_t swatchRight = PlaceSwatch(swatch, swatchFrame, h);
  caption.OnSetBounds({swatchRight + kSwatchGap, 0, kSeparators[0], h});
  Views::Rectangle* separators[] = {&separator1, &separator2, &separator3, &separator4};
  for (int32_t i = 0; i < 4; ++i) separators[i]->OnSetBounds({kSeparators[i], 0, kSeparators[i] + kSeparatorWidth, h});
  Views::Text* columns[] = {&hueText, &saturationText, &brightText};
  for (int32_t i = 0; i < 3; ++i)
    columns[i]->OnSetBounds({kSeparators[i] + kSeparatorWidth, caption.Bounds.y1, kSeparators[i + 1], h});
  const VgPoint size = VgGetRectSize(arrow.Bounds);
  const int32_t top = (h - size.y) / 2;
  arrow.OnSetBounds({kArrowLeft, top, kArrowLeft + size.x, top + size.y});
}

void BaseColorAdjustItem::OnSetBaseColor(VgColor value) {
  BaseColor = value;
  swatch.OnSetColor(value);
}

void BaseColorAdjustItem::OnSetHueValue(int32_t value) {
  HueValue = value;
  hueText.OnSetString(SignedText(value));
}

void BaseColorAdjustItem::OnSetSaturationValue(int32_t value) {
  SaturationValue = value;
  saturationText.OnSetString(SignedText(value));
}

void BaseColorAdjustItem::OnSetBrightValue(int32_t value) {
  BrightValue = value;
  brightText.OnSetString(SignedText(value));
}

// ----------------------------------------------------------- base colours

BaseColorAdjustmentMenu::BaseColorAdjustmentMenu() : ThirdMenu(kBaseColorMenu) {
  ItemYOffset = kBaseColorItemYOffset;
  ItemInterval = kBaseColorItemInterval;
  // The rows fill the page below the headings: nothing ever scrolls.
  PageArea = {0, 0, VgGetRectW(Bounds), VgGetRectH(Bounds)};
  const VgConstant* names[] = {&SID_HUE, &SID_SATURATION, &SID_BRIGHTNESS};
  Views::Text* headings[] = {&hueHeading, &saturationHeading, &brightnessHeading};
  for (int32_t i = 0; i < 3; ++i) {
    SetupColumnText(*headings[i]);
    // A heading has the 20 pixels above the first row, less than its
    // font's line.
    headings[i]->OnSetBoxFixed(true);
    headings[i]->OnSetString(VgGetVariantOfString(names[i]));
    Add(headings[i], 0);
  }
}

void BaseColorAdjustmentMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  const int32_t height = VgGetRectH(Bounds);
  ThirdMenu::Initialize(parameter);
  OnSetBounds({Bounds.x1, Bounds.y1, Bounds.x2, Bounds.y1 + height});
  Refresh();
}

void BaseColorAdjustmentMenu::Refresh(XObject* sender) {
  ThirdMenu::Refresh(sender);
  Views::Text* headings[] = {&hueHeading, &saturationHeading, &brightnessHeading};
  for (int32_t i = 0; i < 3; ++i) headings[i]->OnSetBounds(kHeadings[i]);
}

// ------------------------------------------------------------- RGB filter

RGBFilterOptionItem::RGBFilterOptionItem(XObject* link) : SubMenuItemValueSelect(link), BaseColor(Colors::Red) {
  OnSetText(VgGetVariantOfString(&SID_RED));
  SetupSwatch(swatch, swatchFrame, BaseColor);
  Add(&swatch, 0);
  Add(&swatchFrame, 0);
}

void RGBFilterOptionItem::Refresh(XObject* sender) {
  SubMenuItemValueSelect::Refresh(sender);
  const int32_t h = VgGetRectH(Bounds);
  const int32_t swatchRight = PlaceSwatch(swatch, swatchFrame, h);
  caption.OnSetBounds({swatchRight + kSwatchGap, 0, VgGetRectW(Bounds) / 2, h});
}

void RGBFilterOptionItem::OnSetBaseColor(VgColor value) {
  BaseColor = value;
  swatch.OnSetColor(value);
}

RGBFilterMenu::RGBFilterMenu() : ThirdMenu(kRGBFilterMenu) {}

void RGBFilterMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ThirdMenu::Initialize(parameter);
  RefreshRGBFilter();
}

// Each call counts the channels that are off from the rows themselves, so a
// row that reports without a real change cannot throw the count off.
void RGBFilterMenu::RefreshRGBFilter(XObject*) {
  OffCount = 0;
  for (int32_t i = 0; i < ItemsNum; ++i)
    if (auto* channel = vg_cast<RGBFilterOptionItem>(GetCtrlAt(i)); channel && channel->Value == 0) ++OffCount;
  const bool lastOn = OffCount == 2;
  for (int32_t i = 0; i < ItemsNum; ++i) {
    auto* channel = vg_cast<RGBFilterOptionItem>(GetCtrlAt(i));
    if (!channel) continue;
    if (lastOn && channel->Value != 0)
      channel->OnSetIsDisabled(true);
    else if (!lastOn && channel->IsDisabled)
      channel->OnSetIsDisabled(false);
  }
}

XObject* RGBFilterMenu::HandleEvent(Core::Event* event) {
  if (Core::PressedKey(event) == ::Key::Back) {
    ::SkinBin::Wrapper* model = MainApp::GetWrapper();
    if (model->GetRGBFilter() != MenuSystem::RgbFilterOpen) model->SetRGBFilter(MenuSystem::RgbFilterOpen);
  }
  return ThirdMenu::HandleEvent(event);
}

}  // namespace MenuSystem
