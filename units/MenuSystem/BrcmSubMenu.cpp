#include "MenuSystem/BrcmSubMenu.h"

#include <algorithm>

#include "Bitmaps.h"
#include "Colors/Colors.h"
#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Core/Keys.h"
#include "Fonts/Fonts.h"
#include "AppServices/Messages.h"
#include "MenuSystem/BrcmMainMenu.h"
#include "MenuSystem/BrcmOptionMenu.h"
#include "MenuSystem/MenuSystem.h"
#include "AppServices/OptionDB.h"
#include "OptionDatabase/OptionBinding.h"
#include "Resources/Bitmap.h"
#include "Resources/Font.h"
#include "Structures/Message.h"
#include "SubSystem/KeyOwner.h"
#include "SubSystem/Open.h"
#include "WidgetManager/Layers.h"
#include "vgresmap.h"
#include "vgslot.h"

VG_DEFINE_CLASS(MenuSystem, BrcmSubMenuItem, ::Button::IconButton)
VG_DEFINE_CLASS(MenuSystem, BrcmSubMenu, ::MenuSystem::CarouselMenu)

namespace MenuSystem {

namespace {

constexpr VgColor kCaptionColor{255, 255, 255, 255};
constexpr VgColor kFocusedCaptionColor{40, 188, 249, 255};

// The row's parts, in row coordinates.
constexpr int32_t kValueLeft = 300;
constexpr VgRect kSliderValueText{439, 25, 539, 45};
constexpr int32_t kSliderLeft = 246;
constexpr int32_t kSliderWidth = 180;
constexpr int32_t kColorLeft = 300;
// The least room between a caption's last glyph and the value or slider.
constexpr int32_t kValueGap = 10;

// The carousel's column: a point above the title's line, six positions (the
// current row first), one below.
constexpr VgPoint kPoints[] = {{20, 30}, {20, 100}, {20, 170}, {20, 215}, {20, 260}, {20, 305}, {20, 350}, {20, 395}};
constexpr VgRect kRowBounds{0, 0, 530, 70};

VgRect CentredV(int32_t x, int32_t width, int32_t height, int32_t rowHeight) {
  const int32_t y = (rowHeight - height) / 2;
  return {x, y, x + width, y + height};
}

}  // namespace

// ------------------------------------------------------------------ the row

BrcmSubMenuItem::BrcmSubMenuItem(XObject* link) : ::Button::IconButton(link) {
  OnSetBounds({0, 0, 540, 70});
  Nonfocused_TextColor = kCaptionColor;
  Focused_TextColor = kFocusedCaptionColor;
  Disabled_TextColor = Colors::DisableTextColor;
  Nonfocused_TextFont = VgLoad<Resources::Font>(Fonts::SubMenuItem);
  Disabled_TextFont = Nonfocused_TextFont;
  Default_TextFont = Nonfocused_TextFont;
  Default_TextColor = kCaptionColor;
  Focused_TextFont = VgLoad<Resources::Font>(Fonts::FocusedButton);
  OnSetTextAlignH(Views::Text::AlignLeft);
  OnSetTextGap(CaptionGap);
  caption.OnSetAutoSize(false);
  // A caption wider than its room (beside a value, or a long choice of a
  // pop-up's row) ends in "...".
  caption.OnSetEllipsis(true);
  iconImage.OnSetVisible(false);
  iconImage.OnSetBounds({260, 19, 292, 51});
  backgroundImage.OnSetBounds({0, 0, 400, 70});
  backgroundImage.OnSetAlignH(1);
  backgroundImage.OnSetAlignV(2);
  backgroundImage.OnSetAutoSize(true);

  valueText.OnSetVisible(false);
  valueText.OnSetBounds(kSliderValueText);
  // The box is 20 pixels high: the caption's fonts would lose the tails of
  // the value's letters to it.
  valueText.OnSetFont(VgLoad<Resources::Font>(Fonts::DefaultFont));
  valueText.OnSetAlignV(Views::Text::AlignMiddle);
  valueText.OnSetString(VgNewString(u"0"));
  valueText.OnSetEllipsis(true);
  Add(&valueText, 0);
  slider.OnSetVisible(false);
  slider.OnSetBounds({kSliderLeft, 25, kSliderLeft + kSliderWidth, 37});
  slider.OnSetValue(10);
  slider.OnSetPositionMode(::Progress::Progress::Horizontal);
  slider.OnSetOnValueChanged(VgSlotOf<&BrcmSubMenuItem::DoValueChanged>(this));
  Add(&slider, 0);
  rightArrow.OnSetVisible(false);
  rightArrow.OnSetBounds({506, 24, 524, 45});
  rightArrow.OnSetAutoSize(true);
  rightArrow.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::SubMenuRightArrow));
  Add(&rightArrow, 0);
  colorRect.OnSetVisible(false);
  colorRect.OnSetBounds({310, 10, 370, 40});
  colorRect.OnSetColor(Color);
  Add(&colorRect, 0);
}

void BrcmSubMenuItem::Configure(const RowDef& def) {
  OnSetText(OptionDatabase::LoadText(def.caption));
  OptionType = def.option;
  IsItemValue = false;
  IsSlider = false;
  IsSelect = false;
  NeedHideMenu = false;
  Target = def.target;
  PinType = def.pinType;
  switch (def.kind) {
    case RowKind::Value:
      IsItemValue = true;
      Target = OptionMenuClass;
      break;
    case RowKind::Slider:
      IsSlider = true;
      IsSelect = true;
      Target = nullptr;
      break;
    case RowKind::BarSlider:
      IsSlider = true;
      [[fallthrough]];
    case RowKind::Bar:
      NeedHideMenu = true;
      if (!Target) Target = AdjustmentBarClass;
      break;
    case RowKind::Dialog:
      NeedHideMenu = true;
      break;
    case RowKind::Page:
    case RowKind::Label:
      break;
  }
  NextState = Target ? VgFindClass(Target) : nullptr;
  UpdateHelpType();
  PostRowRefresh();
}

void BrcmSubMenuItem::Retarget(const char* target, int32_t pinType) {
  Target = target;
  PinType = pinType;
  NextState = target ? VgFindClass(target) : nullptr;
}

bool BrcmSubMenuItem::LeadsToOptionMenu() const { return IsItemValue && Target == OptionMenuClass; }

void BrcmSubMenuItem::PostRowRefresh() {
  VgPostSignal(VgSlotOf<&Primitives::KeyRoutingCtrl::Refresh>(static_cast<Primitives::KeyRoutingCtrl*>(this)));
}

void BrcmSubMenuItem::UpdateHelpType() {
  if (IsSlider && IsSelect) HelpType = HelpTypeLeftRight;
}

void BrcmSubMenuItem::OnSetIsEnabled(bool value) {
  if (value == IsEnabled) return;
  IsEnabled = value;
  Refresh();
}

void BrcmSubMenuItem::OnSetIsColor(bool value) {
  IsColor = value;
  PostRowRefresh();
}

void BrcmSubMenuItem::OnSetIsSlider(bool value) {
  IsSlider = value;
  UpdateHelpType();
  PostRowRefresh();
}

void BrcmSubMenuItem::OnSetIsSelect(bool value) {
  IsSelect = value;
  UpdateHelpType();
}

void BrcmSubMenuItem::OnSetIsItemValue(bool value) {
  IsItemValue = value;
  PostRowRefresh();
}

void BrcmSubMenuItem::OnSetCaptionGap(int32_t value) {
  CaptionGap = value;
  OnSetTextGap(value);
  PostRowRefresh();
}

void BrcmSubMenuItem::OnSetValueString(VgString value) {
  ValueString = value;
  valueText.OnSetString(value);
  // A value row's caption and value share the row by the value's length.
  if (IsItemValue) PostRowRefresh();
}

void BrcmSubMenuItem::OnSetValue(int32_t value) {
  Value = value;
  slider.OnSetValue(value);
  CurrentValue = value;
  OnSetValueString(VgNewStringInt(value, 0));
}

void BrcmSubMenuItem::OnSetMin(int32_t value) {
  Min = value;
  slider.OnSetMin(value);
}

void BrcmSubMenuItem::OnSetMax(int32_t value) {
  Max = value;
  slider.OnSetMax(value);
}

void BrcmSubMenuItem::OnSetColor(VgColor value) {
  Color = value;
  colorRect.OnSetColor(value);
}

XObject* BrcmSubMenuItem::HandleEvent(Core::Event* event) {
  if (Core::PressedKey(event) == Key::Right && IsItemValue) {
    VgSignal(OnActivate, this);
    return this;
  }
  return ::Button::IconButton::HandleEvent(event);
}

void BrcmSubMenuItem::HandleFocus(bool focused) {
  ::Button::IconButton::HandleFocus(focused);
  if (focused && IsSlider && IsSelect) OnSetFocus(IsDisabled ? nullptr : &slider);
  rightArrow.OnSetVisible(focused && IsItemValue);
}

void BrcmSubMenuItem::Refresh(XObject* sender) {
  ::Button::IconButton::Refresh(sender);
  OnSetTextGap(CaptionGap);
  const int32_t h = VgGetRectH(Bounds);
  const int32_t textHeight = VgGetRectH(valueText.Bounds);
  // A caption longer than the room before the value (in the larger font of
  // the focused row) pushes the value to its right and shortens the slider
  // from its left, so that neither lies over the caption's end. The whole
  // caption is measured: what it shows may have been cut for the value.
  const int32_t captionEnd =
      caption.Font ? CaptionGap + caption.Font->GetTextWidth(caption.String, 0, 0) + kValueGap : 0;
  if (IsItemValue) {
    // The value ends short of the arrow that the focused row shows at its
    // right. A long caption gives up its end to a value that would not fit
    // after it, down to the value's own column; the caption then ends in an
    // ellipsis, and so does a value longer than its column.
    const int32_t right = rightArrow.Bounds.x1 - kValueGap;
    const int32_t wanted = valueText.Font ? valueText.Font->GetTextWidth(valueText.String, 0, 0) : 0;
    const int32_t left = std::max(kValueLeft, std::min(captionEnd, right - wanted));
    if (captionEnd > left) caption.OnSetBounds({CaptionGap, 0, left - kValueGap, h});
    valueText.OnSetBounds(CentredV(left, right - left, textHeight, h));
    valueText.OnSetColor(caption.Color);
    valueText.OnSetVisible(true);
  } else if (IsSlider) {
    valueText.OnSetBounds(CentredV(kSliderValueText.x1, VgGetRectW(kSliderValueText), textHeight, h));
    valueText.OnSetColor(caption.Color);
    valueText.OnSetVisible(true);
    const int32_t left = std::max(kSliderLeft, captionEnd);
    slider.OnSetBounds(CentredV(left, kSliderLeft + kSliderWidth - left, VgGetRectH(slider.Bounds), h));
    slider.OnSetVisible(true);
  } else {
    valueText.OnSetVisible(false);
  }
  if (IsColor) {
    colorRect.OnSetBounds(CentredV(kColorLeft, VgGetRectW(colorRect.Bounds), VgGetRectH(colorRect.Bounds), h));
    colorRect.OnSetVisible(true);
  }
}

void BrcmSubMenuItem::RefreshCtrlState(int32_t look) {
  ::Button::IconButton::RefreshCtrlState(look);
  if (look == LookFocused) {
    if (!Usable()) OnSetTextColor(Colors::FocusDisableTextColor);
  } else if (!IsEnabled) {
    OnSetTextColor(Colors::DisableTextColor);
  }
}

void BrcmSubMenuItem::DoValueChanged(XObject*) {
  OnSetValueString(VgNewStringInt(slider.Value, 0));
  CurrentValue = slider.Value;
  Value = slider.Value;
  OptionDatabase::OptionBinding(MainApp::GetOptionDB(), OptionType, "MenuSystem::BrcmSubMenuItem").Write(slider.Value);
  VgSignal(OnResetTimeout, this);
  VgSignal(OnValueChanged, this);
}

// ----------------------------------------------------------------- the page

BrcmSubMenu::BrcmSubMenu() : BrcmSubMenu(PageTable{}) {}

BrcmSubMenu::BrcmSubMenu(const PageTable& pageTable) : CarouselMenu(kPoints, kRowBounds, 0), table(&pageTable) {
  OnSetBounds({0, 0, 550, 540});
  Layer = Layers::MenuPage;
  SubSystemClass = &::MenuSystem::MenuSystem::Class;
  MenuLevel = pageTable.level ? pageTable.level : 2;
  FocusOnOpen = false;
  CurrentItemIndex = 1;
  PrevState = pageTable.back ? VgFindClass(pageTable.back) : nullptr;

  title.OnSetBounds({5, 40, 46, 70});
  title.OnSetFont(VgLoad<Resources::Font>(Fonts::FocusedButton));
  title.OnSetColor(Colors::TitleTextColor);
  title.OnSetAutoSize(true);
  title.OnSetAlignV(Views::Text::AlignMiddle);
  title.OnSetString(VgNewString(u"Text"));
  Add(&title, 0);
  Build();
}

void BrcmSubMenu::Build() {
  auto* spareRow = VgNew<BrcmSubMenuItem>();
  spareRow->OnSetVisible(false);
  spareRow->OnSetMode(1);
  Add(spareRow, 0);
  int32_t n = 0;
  for (const RowDef& def : table->rows) {
    auto* row = VgNew<BrcmSubMenuItem>();
    row->Tag = ++n;
    row->Configure(def);
    row->OnActivate = VgSlotOf<&BrcmSubMenu::DoActivate>(this);
    row->OnFocus = VgSlotOf<&BrcmSubMenu::DoFocus>(this);
    // An in-place slider's every step counts as the viewer being at the menu.
    if (def.kind == RowKind::Slider) row->OnResetTimeout = VgSlotOf<&Primitives::KeyRoutingForm::ResetTimeout>(static_cast<Primitives::KeyRoutingForm*>(this));
    Add(row, 0);
  }
  ItemsNum = n;
  carousel.Spare = spareRow;
  SetCaptions();
}

void BrcmSubMenu::SetCaptions() {
  VgString text = OptionDatabase::LoadText(table->title);
  if (table->subtitle.constant || table->subtitle.fixed)
    text = VgConcatString(VgConcatString(text, VgNewString(u" - ")), OptionDatabase::LoadText(table->subtitle));
  OnSetLabelstring(text);
}

void BrcmSubMenu::ReInit() {
  CarouselMenu::ReInit();
  SetCaptions();
  for (int32_t n = 1; n <= static_cast<int32_t>(table->rows.size()); ++n)
    if (BrcmSubMenuItem* row = Row(n)) row->OnSetText(OptionDatabase::LoadText(table->rows[n - 1].caption));
  if (owner) LoadSettings();
}

void BrcmSubMenu::OnSetLabelstring(VgString value) {
  Labelstring = value;
  title.OnSetString(value);
}

BrcmSubMenuItem* BrcmSubMenu::Row(int32_t n) const {
  for (Core::View* view = firstView; view; view = view->nextView) {
    auto* row = vg_cast<BrcmSubMenuItem>(view);
    if (row && row->Tag == n) return row;
  }
  return nullptr;
}

void BrcmSubMenu::RemoveRow(int32_t n) {
  BrcmSubMenuItem* row = Row(n);
  if (!row) return;
  Remove(row);
  --ItemsNum;
}

int32_t BrcmSubMenu::StoredItemIndex() const {
  auto* system = SystemOf(const_cast<BrcmSubMenu*>(this));
  return system ? system->GetMenuIndex(MenuLevel) : 1;
}

BrcmSubMenuItem* BrcmSubMenu::CurrentRow() const {
  return vg_cast<BrcmSubMenuItem>(const_cast<BrcmSubMenu*>(this)->GetCtrlAt(CurrentItemIndex - 1));
}

void BrcmSubMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  for (uint8_t n : table->removed) RemoveRow(n);
  CarouselMenu::Initialize(parameter);
  auto* system = SystemOf(this);
  LayOut(!NeedAdjustCurrentItemIndex && system ? system->GetMenuIndex(MenuLevel) : CurrentItemIndex);
  LoadSettings();
  if (!NeedAdjustCurrentItemIndex) ApplyCurrentItemIndex();
}

void BrcmSubMenu::Close(XObject* sender) {
  CloseOptionMenu();
  CarouselMenu::Close(sender);
}

void BrcmSubMenu::LoadSettings() {
  for (int32_t i = 0; i < ItemsNum; ++i) {
    auto* row = vg_cast<BrcmSubMenuItem>(GetCtrlAt(i));
    if (!row || !row->OptionType) continue;
    if (!row->IsItemValue && !row->IsSlider) continue;
    OptionDatabase::OptionBinding option(MainApp::GetOptionDB(), row->OptionType, "MenuSystem::BrcmSubMenu");
    if (!option) continue;
    const int32_t index = option.Read();
    if (row->IsItemValue) {
      // A choice without a text keeps the one shown before.
      if (VgString text = option.ChoiceText()) row->OnSetValueString(text);
    } else {
      const OptionDatabase::SliderRange range = option.Range();
      row->OnSetMax(range.max);
      row->OnSetMin(range.min);
      row->Step = range.step;
      row->OnSetValue(index);
    }
  }
}

void BrcmSubMenu::DoFocus(XObject* sender) {
  auto* row = vg_cast<BrcmSubMenuItem>(sender);
  if (!row) return;
  CurrentItemIndex = GetIndexOf(row) + 1;
  // The pop-up opens once the focus has settled, so that passing over a row
  // opens nothing.
  if (row->LeadsToOptionMenu())
    VgIdleSignal(VgSlotOf<&BrcmSubMenu::LaunchOptionMenu>(this));
  else
    CloseOptionMenu();
  MainApp::SendMessage(Constants::MSG_UPDATE_MAIN_MENU_HELP, &BrcmMainMenu::Class, row->HelpType);
}

void BrcmSubMenu::LaunchOptionMenu(XObject*) {
  BrcmSubMenuItem* row = CurrentRow();
  auto* system = SystemOf(this);
  if (!owner || !system || !row || !row->LeadsToOptionMenu() || Focus.get() != row) return;
  // Only the page with the keys pops its row's choices up. The page may have
  // them only for a moment, while the quick menu's picture page and its
  // overlay replace one another: a pop-up opened then would close the
  // picture page on its layer, or take the keys from the overlay beside it.
  if (!SubSystem::KeyOwner::HasTheKeys(this)) return;
  // The pop-up of this very option stays as it is.
  if (OptionMenu && OptionMenu->owner && OptionMenu->OptionType == row->OptionType) return;
  CloseOptionMenu();
  // An option without choices has nothing to pop up.
  if (!BrcmOptionMenu::HasChoices(row->OptionType)) return;
  OptionMenu = vg_cast<BrcmOptionMenu>(
      SubSystem::Open(system, {.screen = &BrcmOptionMenu::Class, .back = GetClass(), .value = row->OptionType}));
}

void BrcmSubMenu::CloseOptionMenu(XObject*) {
  if (!OptionMenu) return;
  BrcmOptionMenu* menu = OptionMenu;
  OptionMenu = nullptr;
  if (menu->owner) menu->Close();
}

void BrcmSubMenu::DoActivate(XObject* sender) {
  auto* row = vg_cast<BrcmSubMenuItem>(sender);
  auto* system = SystemOf(this);
  if (!row || !row->Usable() || !system || !row->Target) return;
  // A key that went past the screen over the menus opens nothing under it,
  // and leaves the menus as they are.
  if (SubSystem::KeyOwner::ReachedUnderTheKeys(this)) {
    VgPrint("MenuSystem::BrcmSubMenu: %s opens nothing under the screen with the keys\n", GetClass()->name);
    return;
  }
  if (row->IsItemValue) {
    // OK before the pop-up had time to open opens it at once.
    if (!OptionMenu || !OptionMenu->owner) LaunchOptionMenu();
    if (OptionMenu && OptionMenu->owner) system->OnSetFocus(OptionMenu);
    return;
  }
  if (row->NeedHideMenu) {
    MainApp::SendMessage(Constants::MSG_CHANGE_APPEARANCE, &BrcmMainMenu::Class, Constants::APPEARANCE_HIDE);
    OnSetVisible(false);
  } else {
    Close();
  }
  Primitives::KeyRoutingForm* opened = SubSystem::Open(
      system, row->Target,
      {.back = GetClass(), .value = row->OptionType, .origin = Constants::MSG_FROM_MENUSYSTEM, .pinType = row->PinType});
  if (auto* page = vg_cast<BrcmSubMenu>(opened)) system->OnSetFocus(page);
}

XObject* BrcmSubMenu::HandleEvent(Core::Event* event) {
  const uint16_t code = Core::PressedKey(event);
  if (code != Key::Left && code != Key::Back) return CarouselMenu::HandleEvent(event);
  CloseOptionMenu();
  auto* system = SystemOf(this);
  if (MenuLevel <= 2) {
    // The main menu takes the focus back and keeps this page beside it.
    MainApp::SendMessage(Constants::MSG_CHANGE_APPEARANCE, &BrcmMainMenu::Class, Constants::APPEARANCE_TAKE_FOCUS,
                         this);
  } else if (system) {
    const VgClass* back = PrevState;
    Close();
    system->SetMenuIndex(MenuLevel, 1);
    if (auto* page = vg_cast<BrcmSubMenu>(SubSystem::Open(system, {.screen = back}))) system->OnSetFocus(page);
  }
  ResetTimeout();
  return this;
}

void BrcmSubMenu::HandleMessage(Structures::Message* message) {
  if (message && message->Code == Constants::MSG_OPTION_CHANGE) {
    LoadSettings();
    return;
  }
  // A page hides while a bar or a dialog that its row opened has the keys,
  // and what that screen changed is not what the rows read before: shown
  // again, the page reads its values afresh.
  const bool hidden = !Visible;
  CarouselMenu::HandleMessage(message);
  if (hidden && Visible) ReadValuesAgain();
}

void BrcmSubMenu::DressSpare(Core::Group* spare, Core::Group* like) {
  auto* stand = vg_cast<BrcmSubMenuItem>(spare);
  auto* row = vg_cast<BrcmSubMenuItem>(like);
  if (!stand || !row) return;
  stand->OnSetText(row->Text);
  stand->IsItemValue = row->IsItemValue;
  stand->IsSlider = row->IsSlider;
  stand->OnSetValueString(row->ValueString);
  stand->slider.OnSetMin(row->slider.Min);
  stand->slider.OnSetMax(row->slider.Max);
  stand->slider.OnSetValue(row->slider.Value);
  stand->Refresh();
}

}  // namespace MenuSystem
