#include "MenuSystem/BrcmOptionMenu.h"

#include "Colors/Colors.h"
#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Core/Keys.h"
#include "Fonts/Fonts.h"
#include "AppServices/Messages.h"
#include "MenuSystem/BrcmMainMenu.h"
#include "MenuSystem/BrcmSubMenu.h"
#include "MenuSystem/MenuSystem.h"
#include "AppServices/OptionDB.h"
#include "OptionDatabase/OptionBinding.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Resources/Font.h"
#include "SkinBin/UserRefInt.h"
#include "Structures/Message.h"
#include "Views/Text.h"
#include "WidgetManager/Layers.h"
#include "vgresmap.h"
#include "vgslot.h"

VG_DEFINE_CLASS(MenuSystem, BrcmOptionMenu, SubSystem::MenuClass)

namespace MenuSystem {

namespace {

constexpr VgColor kBackground{0, 0, 0, 0xA0};
constexpr int32_t kOpacity = 224;

}  // namespace

BrcmOptionMenu::BrcmOptionMenu() {
  OnSetBounds({0, 0, 200, 200});
  OnSetOpacity(kOpacity);
  Layer = Layers::MenuPopUp;
  SubSystemClass = &::MenuSystem::MenuSystem::Class;
  MenuLevel = 3;
  ArrangeMode = ArrangeColumn;
  ItemXOffset = 6;
  ItemYOffset = 10;
  ItemInterval = 5;
  FocusOnOpen = false;
  background.OnSetColor(kBackground);
  Add(&background, 0);
  border.OnSetWidth(2);
  border.OnSetColor(Colors::BannerDescription);
  Add(&border, 0);
}

bool BrcmOptionMenu::HasChoices(int32_t optionType) {
  OptionDatabase::OptionBinding option(MainApp::GetOptionDB(), optionType, "MenuSystem::BrcmOptionMenu");
  option.Read();
  return option.Count() > 0;
}

void BrcmOptionMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  SubSystem::MenuClass::Initialize(parameter);
  if (auto* value = vg_cast<::SkinBin::UserRefInt>(parameter ? parameter->Param.get() : nullptr))
    OptionType = value->Value;
  LoadingSettings();
}

void BrcmOptionMenu::LoadingSettings() {
  OptionDatabase::OptionBinding option(MainApp::GetOptionDB(), OptionType, "MenuSystem::BrcmOptionMenu");
  const int32_t current = option.Read();
  ItemNum = option.Count();
  auto* font = VgLoad<Resources::Font>(Fonts::LargeFont);
  auto* small = VgLoad<Resources::Font>(Fonts::DefaultFont);
  for (int32_t i = 0; i < ItemNum; ++i) {
    auto* row = VgNew<BrcmSubMenuItem>();
    row->OnSetBounds({0, 0, RowWidth, RowHeight});
    row->OnSetTextAlignH(Views::Text::AlignCentre);
    const VgString choice = option.ChoiceText(i);
    // A long choice (a time zone's name) takes the first of the fonts, large
    // to small, that holds it within the row, focused or not: the viewer
    // reads whole what is being chosen.
    const int32_t room = RowWidth - 2 * row->CaptionGap;
    Resources::Font* plain = Views::Text::FirstFitting(choice, room, {row->Nonfocused_TextFont.get(), small});
    row->Nonfocused_TextFont = row->Default_TextFont = row->Disabled_TextFont = plain;
    row->Focused_TextFont = Views::Text::FirstFitting(choice, room, {font, plain});
    row->OnFocus = VgSlotOf<&BrcmOptionMenu::DoFocus>(this);
    row->OnSetText(choice);
    Add(row, 0);
  }
  // A value that names no choice puts the focus on the first.
  if (ItemNum > 0) OnSetCurrentItemIndex(current >= 0 && current < ItemNum ? current + 1 : 1);
  const int32_t rows = ItemNum > 0 ? ItemNum : 1;
  const int32_t height = 2 * ItemYOffset + RowHeight + (rows - 1) * (ItemInterval + RowHeight);
  OnSetBounds(VgSetRectSize(Bounds, {2 * ItemXOffset + RowWidth, height}));
  VgPostSignal(VgSlotOf<&BrcmOptionMenu::Refresh>(this));
}

void BrcmOptionMenu::Refresh(XObject* sender) {
  SubSystem::MenuClass::Refresh(sender);
  const VgRect all{0, 0, VgGetRectW(Bounds), VgGetRectH(Bounds)};
  background.OnSetBounds(all);
  border.OnSetBounds(all);
}

void BrcmOptionMenu::DoFocus(XObject* sender) {
  auto* row = vg_cast<Forms::Ctrl>(sender);
  if (!row) return;
  // The choice the model holds already is not written again.
  OptionDatabase::OptionBinding option(MainApp::GetOptionDB(), OptionType, "MenuSystem::BrcmOptionMenu");
  const int32_t choice = GetIndexOf(row);
  if (option.Read() != choice) option.Write(choice);
  MainApp::SendMessage(Constants::MSG_OPTION_CHANGE);
}

void BrcmOptionMenu::HandleFocus(bool focused) {
  SubSystem::MenuClass::HandleFocus(focused);
  if (focused) MainApp::SendMessage(Constants::MSG_UPDATE_MAIN_MENU_HELP, &BrcmMainMenu::Class, BrcmMainMenu::HelpUpDown);
}

void BrcmOptionMenu::DoTimeout(XObject*) {
  if (auto* system = SystemOf(this)) system->TearDownMenus();
}

XObject* BrcmOptionMenu::HandleEvent(Core::Event* event) {
  switch (Core::PressedKey(event)) {
    case Key::Down:
      if (!SelectNext()) SelectFirst();
      break;
    case Key::Up:
      if (!SelectPrev()) SelectLast();
      break;
    case Key::Left:
    case Key::Back:
      // The page that opened the pop-up takes the focus back.
      MainApp::SendMessage(Constants::MSG_CHANGE_APPEARANCE, PrevState, Constants::APPEARANCE_TAKE_FOCUS);
      break;
    default:
      return SubSystem::MenuClass::HandleEvent(event);
  }
  ResetTimeout();
  return this;
}

}  // namespace MenuSystem
