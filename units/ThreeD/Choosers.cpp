#include "ThreeD/Choosers.h"

#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Colors/Colors.h"
#include "Core/KeyEvent.h"
#include "Events/Events.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/HelpBar.h"
#include "NonMenuSystem/Look.h"
#include "NonMenuSystem/NonMenuSystem.h"
#include "Resources/Bitmap.h"
#include "Strings.h"
#include "ThreeD/HelpText.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(ThreeD, IconButton, ::Button::IconButton)
VG_DEFINE_CLASS(ThreeD, SelectMode, ::NonMenuSystem::BorderWidgetClass)
VG_DEFINE_CLASS(ThreeD, SelectMode_Flag, ::ThreeD::SelectMode)
VG_DEFINE_CLASS(ThreeD, SelectMode_Button, ::ThreeD::SelectMode)
VG_DEFINE_CLASS(ThreeD, SelectFormat, ::ThreeD::SelectMode)
VG_DEFINE_CLASS(ThreeD, Select2DFormat, ::ThreeD::SelectMode)

namespace ThreeD {

namespace {

using Keeper = ::SkinBin::Setup3D;

::SkinBin::Wrapper* Model() { return MainApp::GetWrapper(); }
Keeper& Setup3D() { return Model()->Setup3D; }

constexpr VgRect kBounds{245, 175, 715, 365};
constexpr VgRect kText{18, 40, 253, 62};
constexpr VgRect kTwoLineText{18, 40, 453, 84};
constexpr VgRect kModeLeft{110, 80, 230, 170};
constexpr VgRect kModeRight{242, 80, 362, 170};
constexpr VgRect kFormatLeft{105, 50, 225, 180};
constexpr VgRect kFormatRight{242, 50, 362, 180};
constexpr VgRect k2DFormat[] = {{52, 50, 172, 180}, {174, 50, 294, 180}, {296, 50, 416, 180}};
constexpr int32_t kHelpMask = NonMenuSystem::HelpOk | NonMenuSystem::HelpExit;
// The text sits at the bottom of the button, under the icon.
constexpr uint16_t kTextBottom = 2;
// Remembered choices of the mode chooser and the format chooser.
constexpr int32_t kChose3D = 1;
constexpr int32_t kChose2DTo3D = 0;
constexpr int32_t kChoseSideBySide = 0;
constexpr int32_t kChoseTopAndBottom = 1;

const VgClass* Wizard() { return VgFindClass("ThreeD::Start3DWizard"); }

// A changed mode is shown from the idle pass on, after the screens drew.
void ShowMode(int32_t mode) {
  Keeper& keeper = Setup3D();
  if (keeper.Mode == mode) return;
  keeper.Mode = mode;
  keeper.ApplyStateLater();
}

}  // namespace

// ------------------------------------------------------------ icon button

IconButton::IconButton(XObject* link) : ::Button::IconButton(link) {
  Focused_TextColor = Colors::HighlightTextColor;
  Nonfocused_TextColor = Colors::HighlightTextColor;
  Default_TextColor = Colors::HighlightTextColor;
  Disabled_TextColor = Colors::HighlightTextColor;
  // The longest name ("Top and Bottom") fits the button's width only in the
  // smallest font.
  auto* font = VgLoad<Resources::Font>(Fonts::SmallestFont);
  Focused_TextFont = font;
  Nonfocused_TextFont = font;
  // A button disabled for the input (one half of a picture that has the
  // other) still names its choice.
  Disabled_TextFont = font;
  Default_TextFont = font;
  OnSetTextFont(font);
  OnSetTextColor(Colors::HighlightTextColor);
  caption.OnSetAutoSize(false);
  caption.OnSetAlignV(kTextBottom);
}

// -------------------------------------------------------------- the base

SelectMode::SelectMode(XObject* link) : BorderWidgetClass(link) {
  WinID = WinIDs::WIN_ID_3D_Dialog;
  OnSetCaption(VgGetVariantOfString(&Strings::SID_DISPLAY_MODE_SELECT));
  text.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  text.OnSetColor(Colors::StandardTextColor);
  text.OnSetBounds(kText);
  text.OnSetString(VgGetVariantOfString(&Strings::SID_SELECT_DESIRED_SETTING));
  Add(&text, 0);
  OnSetBounds(kBounds);
}

void SelectMode::SetButtons(std::initializer_list<ButtonDef> defs, VgSlot activate, VgSlot focus) {
  ButtonCount = 0;
  for (const ButtonDef& def : defs) {
    IconButton* button = Button(++ButtonCount);
    // A button without a caption has a picture that carries its name.
    if (def.caption) button->OnSetText(VgGetVariantOfString(def.caption));
    auto* icon = VgLoad<Resources::Bitmap>(*def.icon);
    button->Default_Icon = icon;
    button->Nonfocused_Icon = icon;
    button->Focused_Icon = VgLoad<Resources::Bitmap>(*def.focusedIcon);
    button->Disabled_Icon = def.disabledIcon ? VgLoad<Resources::Bitmap>(*def.disabledIcon) : icon;
    button->OnSetOnActivate(activate);
    button->OnSetOnFocus(focus);
    button->OnSetBounds(def.bounds);
    Add(button, 0);
  }
  OnSetFocus(Button(1));
}

IconButton* SelectMode::Button(int32_t n) {
  if (n < 1 || n > ButtonCount) return nullptr;
  return n == 1 ? &button1 : n == 2 ? &button2 : &button3;
}

int32_t SelectMode::ButtonNumber(XObject* sender) const {
  for (int32_t n = 1; n <= ButtonCount; ++n)
    if (sender == (n == 1 ? &button1 : n == 2 ? &button2 : &button3)) return n;
  return 0;
}

void SelectMode::MoveFocus(int32_t by) {
  if (ButtonCount == 0) return;
  const int32_t at = ButtonNumber(Focus.get());
  const int32_t next = ((at == 0 ? 1 : at) - 1 + by + ButtonCount) % ButtonCount + 1;
  OnSetFocus(Button(next));
}

void SelectMode::Initialize(Primitives::KeyRoutingParameter* parameter) {
  BorderWidgetClass::Initialize(parameter);
  if (NonMenuSystem) NonMenuSystem->UpdateHelp(kHelpMask, HelpText({&Strings::SID_OK, &Strings::SID_EXIT}), this);
}

XObject* SelectMode::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (!key || !key->down) return BorderWidgetClass::HandleEvent(event);
  switch (key->keyCode) {
    case Key::Ok:
      break;
    case Key::ClearAll:
    case Key::Exit:
      VgSignal(OnExit, this);
      break;
    case Key::Left:
      MoveFocus(-1);
      break;
    case Key::Right:
      MoveFocus(1);
      break;
    default:
      return BorderWidgetClass::HandleEvent(event);
  }
  ResetTimeout();
  return this;
}

// ------------------------------------------------------ 3D detected: 3D/2D

SelectMode_Flag::SelectMode_Flag(XObject* link) : SelectMode(link) {
  text.OnSetBounds(kTwoLineText);
  text.OnSetString(VgConcatString(VgConcatString(VgGetVariantOfString(&Strings::SID_MSG_3D_VIDEO_DETECTED),
                                                 VgNewString(u"\n")),
                                  VgGetVariantOfString(&Strings::SID_SELECT_DESIRED_SETTING)));
  const VgSlot choose = VgSlotOf<&SelectMode_Flag::Choose>(this);
  SetButtons({{nullptr, &Bitmaps::Mode3D_3D, &Bitmaps::Mode3D_3D_Focus, nullptr, kModeLeft},
              {nullptr, &Bitmaps::Mode3D_2D, &Bitmaps::Mode3D_2D_Focus, nullptr, kModeRight}},
             choose, {});
  OnExit = choose;
}

void SelectMode_Flag::Initialize(Primitives::KeyRoutingParameter* parameter) {
  SelectMode::Initialize(parameter);
  // The viewer must answer.
  OnSetOnTimeOut({});
}

XObject* SelectMode_Flag::HandleEvent(Core::Event* event) {
  if (vg_cast<Events::XPM_EVENT_REPORT_3DMODE>(event)) {
    Keeper& keeper = Setup3D();
    keeper.RefreshState();
    if (keeper.Is3DMode(keeper.InputFormat) || keeper.InputFormat == Keeper::kFormatUnsupported) return nullptr;
    // The picture never left 2D while the question waited: the keeper,
    // refreshed, says 2D, nothing is switched, and no banner tells of a
    // change that did not happen. The question goes alone.
    Close();
    return this;
  }
  if (Core::PressedKey(event) == Key::Back) return this;
  return SelectMode::HandleEvent(event);
}

bool SelectMode_Flag::FollowsTheWorld(Core::Event* event) const {
  return vg_cast<Events::XPM_EVENT_REPORT_3DMODE>(event) != nullptr;
}

void SelectMode_Flag::Choose(XObject* sender) {
  ClearAll();
  Keeper& keeper = Setup3D();
  if (sender == &button1) {
    keeper.State = Keeper::kState3D;
    NextState = Wizard();
    EnterNextState();
    return;
  }
  const int32_t was = keeper.State;
  keeper.SwitchTo2DState(false);
  if (keeper.Is3DDisplay(was)) {
    NextState = VgFindClass("ThreeD::DisplayMode");
    EnterNextState();
  }
}

// --------------------------------------------------- 3D or 2D made into 3D

SelectMode_Button::SelectMode_Button(XObject* link) : SelectMode(link) {
  SetButtons({{nullptr, &Bitmaps::Mode3D_2Dto3D, &Bitmaps::Mode3D_2Dto3D_Focus, nullptr, kModeLeft},
              {nullptr, &Bitmaps::Mode3D_3D, &Bitmaps::Mode3D_3D_Focus, nullptr, kModeRight}},
             VgSlotOf<&SelectMode_Button::Choose>(this), {});
  OnExit = VgSlotOf<&NonMenuSystem::WidgetClass::ClearAll>(static_cast<NonMenuSystem::WidgetClass*>(this));
}

void SelectMode_Button::Initialize(Primitives::KeyRoutingParameter* parameter) {
  SelectMode::Initialize(parameter);
  if (Setup3D().ModeChoice == kChose3D) OnSetFocus(&button2);
}

XObject* SelectMode_Button::HandleEvent(Core::Event* event) {
  switch (Core::PressedKey(event)) {
    case Key::Back:
      break;
    case Key::ThreeD:
      VgSignal(OnExit, this);
      break;
    default:
      return SelectMode::HandleEvent(event);
  }
  ResetTimeout();
  return this;
}

void SelectMode_Button::Choose(XObject* sender) {
  ClearAll();
  Keeper& keeper = Setup3D();
  if (sender == &button2) {
    keeper.ModeChoice = kChose3D;
    keeper.State = Keeper::kState3D;
  } else {
    keeper.State = Keeper::kState2DTo3D;
    keeper.Mode = Keeper::kFormat2D;
    keeper.ModeChoice = kChose2DTo3D;
  }
  NextState = Wizard();
  EnterNextState();
}

// ------------------------------------------------------------- 3D format

SelectFormat::SelectFormat(XObject* link) : SelectMode(link) {
  OnSetCaption(VgGetVariantOfString(&Strings::SID_3D_FORMAT_SELECT));
  text.OnSetVisible(false);
  const VgSlot exit = VgSlotOf<&SelectFormat::ExitSlot>(this);
  SetButtons({{&Strings::ThreeDimFormat2, &Bitmaps::Format3D_SBS, &Bitmaps::Format3D_SBS_Focus, nullptr, kFormatLeft},
              {&Strings::ThreeDimFormat3, &Bitmaps::Format3D_TAB, &Bitmaps::Format3D_TAB_Focus, nullptr,
               kFormatRight}},
             exit, VgSlotOf<&SelectFormat::Preview>(this));
  OnExit = exit;
  OnSetTimeOutValue(TimeOut);
  OnSetOnTimeOut(exit);
  NextState = Wizard();
}

void SelectFormat::Initialize(Primitives::KeyRoutingParameter* parameter) {
  SelectMode::Initialize(parameter);
  OnSetTimeOutValue(TimeOut);
  if (FromQuickMenu) NextState = nullptr;
  const Keeper& keeper = Setup3D();
  if (keeper.Mode == Keeper::kFormatOverUnder ||
      (keeper.Mode != Keeper::kFormatSideBySide && Model()->ThreeDFormatChoice == kChoseTopAndBottom))
    OnSetFocus(&button2);
}

XObject* SelectFormat::HandleEvent(Core::Event* event) {
  if (Core::PressedKey(event) == Key::Back && !FromQuickMenu) return this;
  return SelectMode::HandleEvent(event);
}

void SelectFormat::Preview(XObject* sender) {
  switch (ButtonNumber(sender)) {
    case 1:
      Model()->ThreeDFormatChoice = kChoseSideBySide;
      ShowMode(Keeper::kFormatSideBySide);
      break;
    case 2:
      Model()->ThreeDFormatChoice = kChoseTopAndBottom;
      ShowMode(Keeper::kFormatOverUnder);
      break;
    default:
      break;
  }
}

void SelectFormat::ExitSlot(XObject*) {
  ClearAll();
  EnterNextState();
}

// ------------------------------------------------------------- 2D format

Select2DFormat::Select2DFormat(XObject* link) : SelectMode(link) {
  OnSetCaption(VgGetVariantOfString(&Strings::SID_2D_FORMAT_SELECT));
  text.OnSetVisible(false);
  const VgSlot clear = VgSlotOf<&NonMenuSystem::WidgetClass::ClearAll>(static_cast<NonMenuSystem::WidgetClass*>(this));
  SetButtons({{&Strings::SID_NATIVE, &Bitmaps::Format3D_Native, &Bitmaps::Format3D_Native_Focus, nullptr, k2DFormat[0]},
              {&Strings::ThreeDimFormat2, &Bitmaps::Format2D_SBS, &Bitmaps::Format2D_SBS_Focus,
               &Bitmaps::Format2D_SBS_Disabled, k2DFormat[1]},
              {&Strings::ThreeDimFormat3, &Bitmaps::Format2D_TAB, &Bitmaps::Format2D_TAB_Focus,
               &Bitmaps::Format2D_TAB_Disabled, k2DFormat[2]}},
             clear, VgSlotOf<&Select2DFormat::Preview>(this));
  OnExit = clear;
  OnSetTimeOutValue(TimeOut);
}

void Select2DFormat::Initialize(Primitives::KeyRoutingParameter* parameter) {
  SelectMode::Initialize(parameter);
  OnSetTimeOutValue(TimeOut);
  const Keeper& keeper = Setup3D();
  // An input of one half has no other half to show.
  if (keeper.InputFormat == Keeper::kFormatOverUnder) {
    button2.OnSetIsDisabled(true);
    button2.Focused_Icon = VgLoad<Resources::Bitmap>(Bitmaps::Format2D_SBS_Disabled_Focus);
  } else if (keeper.InputFormat == Keeper::kFormatSideBySide) {
    button3.OnSetIsDisabled(true);
    button3.Focused_Icon = VgLoad<Resources::Bitmap>(Bitmaps::Format2D_TAB_Disabled_Focus);
  }
  if (keeper.Mode == Keeper::kFormatSideBySide)
    OnSetFocus(&button2);
  else if (keeper.Mode == Keeper::kFormatOverUnder)
    OnSetFocus(&button3);
}

void Select2DFormat::Preview(XObject* sender) {
  const int32_t n = ButtonNumber(sender);
  if (n == 0 || Button(n)->IsDisabled) return;
  // Native is the 2D mode; the others show the one half.
  ShowMode(n == 1 ? Keeper::kFormat2D : n == 2 ? Keeper::kFormatSideBySide : Keeper::kFormatOverUnder);
}

}  // namespace ThreeD
