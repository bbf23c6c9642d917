#include "MenuSystem/ThirdMenu.h"

#include <algorithm>

#include "AppServices/Messages.h"
#include "AppServices/OptionDB.h"
#include "AppServices/Wrapper.h"
#include "Bitmaps.h"
#include "Colors/Colors.h"
#include "Constants/Constants.h"
#include "Core/KeyEvent.h"
#include "Core/Keys.h"
#include "Events/XPM_EVENT_KEY.h"
#include "Fonts/Fonts.h"
#include "MenuSystem/CarouselMenu.h"
#include "MenuSystem/ColorPages.h"
#include "MenuSystem/MenuItems.h"
#include "MenuSystem/MenuSystem.h"
#include "OptionDatabase/OptionBinding.h"
#include "OptionDatabase/OptionData.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Resources/Bitmap.h"
#include "Resources/Font.h"
#include "SkinBin/UserRefInt.h"
#include "SubSystem/Open.h"
#include "WidgetManager/Layers.h"
#include "vgdebug.h"
#include "vgresmap.h"
#include "vgslot.h"

VG_DEFINE_CLASS(MenuSystem, ThirdMenu, SubSystem::MenuClass)

namespace MenuSystem {

namespace {

constexpr VgRect kPageBounds{0, 0, 526, 258};
constexpr VgColor kBodyColor{9, 10, 11, 255};
constexpr int32_t kDownArrowBottomGap = 11;
constexpr const char* kScreen = "MenuSystem::ThirdMenu";

// The row's slot that hears its every change, for the rows that change a value themselves.
VgSlot* ChangedSlotOf(SubMenuItem* row) {
  if (auto* value = vg_cast<SubMenuItemValueSelect>(row)) return &value->OnValueChanged;
  if (auto* arrow = vg_cast<AdjustItemArrowSelect>(row)) return &arrow->OnValueChanged;
  if (auto* slider = vg_cast<AdjustItemSliderSelect>(row)) return &slider->OnValueChanged;
  return nullptr;
}

bool IsSliderCourier(const OptionDatabase::OptionBinding& option) {
  return option && vg_cast<OptionDatabase::SliderCourier>(option.Record()->Courier.get());
}

}  // namespace

ThirdMenu::ThirdMenu() : ThirdMenu(PageTable{}) {}

ThirdMenu::ThirdMenu(const PageTable& pageTable) : table(&pageTable) { Build(); }

void ThirdMenu::Build() {
  OnSetBounds(kPageBounds);
  OnSetAutoScroll(true);
  Layer = Layers::MenuPopUp;
  SubSystemClass = &::MenuSystem::MenuSystem::Class;
  MenuLevel = table->level ? table->level : 3;
  ArrangeMode = ArrangeColumn;
  ItemXOffset = DefaultPageArea.x1;
  ItemYOffset = DefaultPageArea.y1;
  ItemInterval = 1;
  WinID = table->winId;
  PrevStateName = table->back;
  PrevState = table->back ? VgFindClass(table->back) : nullptr;

  background.OnSetColor(kBodyColor);
  titleBand.OnSetColor(Colors::Black);
  frame.OnSetWidth(1);
  frame.OnSetColor(Colors::DialogBorder);
  title.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  title.OnSetAlignH(Views::Text::AlignLeft);
  title.OnSetAlignV(Views::Text::AlignMiddle);
  title.OnSetColor(Colors::StandardTextColor);
  upArrow.OnSetVisible(false);
  upArrow.OnSetAlignH(Views::Text::AlignCentre);
  upArrow.OnSetAutoSize(true);
  upArrow.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::OptionButtonUpArrow));
  upArrow.OnSetBounds({510, 30, 523, 43});
  downArrow.OnSetVisible(false);
  downArrow.OnSetAlignH(Views::Text::AlignCentre);
  downArrow.OnSetAlignV(Views::Text::AlignBottom);
  downArrow.OnSetAutoSize(true);
  downArrow.OnSetBitmap(VgLoad<Resources::Bitmap>(Bitmaps::OptionButtonDownArrow));
  downArrow.OnSetBounds({510, 240, 523, 253});
  for (Core::View* view : std::initializer_list<Core::View*>{&background, &titleBand, &frame, &title, &upArrow,
                                                            &downArrow})
    Add(view, 0);

  int32_t n = 0;
  for (const RowDef& def : table->rows) {
    ++n;
    const VgClass* cls = def.item ? def.item : &SubMenuItem::Class;
    auto* row = vg_cast<SubMenuItem>(VgNewObjectIndirect(cls, 0));
    if (!row) {
      VgPrint("%s: row %d of %s is no menu row\n", kScreen, n, cls->name);
      continue;
    }
    row->Tag = n;
    row->OnSetText(OptionDatabase::LoadText(def.caption));
    row->OptionType = def.option;
    row->Target = def.target;
    row->PinType = def.pinType;
    row->NextState = def.target ? VgFindClass(def.target) : nullptr;
    row->OnActivate = VgSlotOf<&ThirdMenu::DoActivate>(this);
    row->OnFocus = VgSlotOf<&ThirdMenu::DoFocus>(this);
    if (def.changed) {
      if (VgSlot* changed = ChangedSlotOf(row))
        *changed = VgSlot(this, def.changed);
      else
        VgPrint("%s: row %d of %s changes nothing itself\n", kScreen, n, cls->name);
    }
    if (def.color.alpha) row->OnSetBaseColor(def.color);
    if (auto* slider = vg_cast<AdjustItemSlider>(row); slider && (def.flags & NoMiddlePoint))
      slider->OnSetSliderMiddlePoint(0);
    Add(row, 0);
    ++ItemsNum;
  }
  OnSetCaption(OptionDatabase::LoadText(table->title));
}

void ThirdMenu::OnSetCaption(VgString value) {
  Caption = value;
  title.OnSetString(value);
}

SubMenuItem* ThirdMenu::Row(int32_t n) const {
  for (Core::View* view = firstView; view; view = view->nextView) {
    auto* row = vg_cast<SubMenuItem>(view);
    if (row && row->Tag == n) return row;
  }
  return nullptr;
}

void ThirdMenu::RemoveRow(int32_t n) {
  SubMenuItem* row = Row(n);
  if (!row) return;
  Remove(row);
  --ItemsNum;
}

bool ThirdMenu::IsExcluded(Core::View* view) {
  if (SubSystem::MenuClass::IsExcluded(view)) return true;
  // The frame and whatever a page draws beside its rows never scroll.
  return view && !vg_cast<Forms::Ctrl>(view);
}

// ---------------------------------------------------------------- opening

void ThirdMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  SubSystem::MenuClass::Initialize(parameter);
  // The origin first: rules may ask for it.
  if (auto* ref = vg_cast<SkinBin::UserRefInt>(parameter ? parameter->Param.get() : nullptr))
    fromQuickMenu = ref->Kind == Constants::MSG_FROM_QUICKMENU;
  for (uint8_t n : table->removed) RemoveRow(n);
  for (const RowRule& rule : table->removedWhen)
    if (rule.when(*this)) RemoveRow(rule.row);

  if (ItemsNum < MaxVisibleItems) {
    const int32_t height = VgGetRectH(Bounds) - (ItemInterval + ThirdMenuItemHeight) * (MaxVisibleItems - ItemsNum);
    OnSetBounds({Bounds.x1, Bounds.y1, Bounds.x2, Bounds.y1 + height});
  }

  // A remembered row that this set does not show falls back to the first.
  auto* system = SystemOf(this);
  const int32_t index = system ? system->GetMenuIndex(MenuLevel) : 1;
  OnSetCurrentItemIndex(index >= 1 && index <= GetCount() ? index : 1);

  LoadSettings();
  RefreshGrayout();
  Refresh();

  // A key that opened the page acts on it once the rows show their values.
  if (auto* ref = vg_cast<SkinBin::UserRefInt>(parameter ? parameter->Param.get() : nullptr))
    if (auto* key = vg_cast<Core::KeyEvent>(ref->Object.get())) HandleEvent(key);
}

void ThirdMenu::LoadSettings() {
  ::SkinBin::OptionDatabaseClass* database = MainApp::GetOptionDB();
  const VgSlot resetTimeout =
      VgSlotOf<&Primitives::KeyRoutingForm::ResetTimeout>(static_cast<Primitives::KeyRoutingForm*>(this));
  for (int32_t i = 0; i < ItemsNum; ++i) {
    Forms::Ctrl* ctrl = GetCtrlAt(i);
    if (auto* row = vg_cast<SubMenuItemValue>(ctrl); row && row->OptionType) {
      OptionDatabase::OptionBinding option(database, row->OptionType, kScreen);
      if (option) {
        const int32_t id = option.Read();
        row->ChoiceCount = option.Count();
        row->Value = option.Record()->Value;
        row->ChoiceIndex = id;
        if (VgString text = option.ChoiceText()) row->OnSetValueString(text);
      }
      row->OnResetTimeout = resetTimeout;
    }
    if (auto* row = vg_cast<SubMenuItemAdjust>(ctrl); row && row->OptionType) {
      OptionDatabase::OptionBinding option(database, row->OptionType, kScreen);
      if (option) {
        const int32_t id = option.Read();
        const OptionDatabase::SliderRange range = option.Range();
        if (IsSliderCourier(option)) {
          row->OnSetMax(range.max);
          row->OnSetMin(range.min);
          row->OnSetStep(range.step);
          row->OnSetValue(id);
        }
      }
      row->OnResetTimeout = resetTimeout;
    }
    if (auto* row = vg_cast<BaseColorAdjustItem>(ctrl); row && row->OptionType) {
      int32_t values[3] = {row->HueValue, row->SaturationValue, row->BrightValue};
      for (int32_t k = 0; k < 3; ++k) {
        OptionDatabase::OptionBinding option(database, row->OptionType + k, kScreen);
        if (!option) continue;
        option.Read();
        const OptionDatabase::SliderRange range = option.Range();
        if (IsSliderCourier(option)) values[k] = range.value;
      }
      row->OnSetHueValue(values[0]);
      row->OnSetSaturationValue(values[1]);
      row->OnSetBrightValue(values[2]);
    }
  }
}

void ThirdMenu::RefreshGrayout(XObject*) {
  const std::span<const RowRule> rules = table->disabled;
  for (size_t i = 0; i < rules.size(); ++i) {
    // Each row once, at its first rule: greyed while any of its rules holds.
    if (std::any_of(rules.begin(), rules.begin() + static_cast<std::ptrdiff_t>(i),
                    [&](const RowRule& rule) { return rule.row == rules[i].row; }))
      continue;
    SubMenuItem* row = Row(rules[i].row);
    if (!row) continue;
    bool disabled = false;
    for (size_t k = i; k < rules.size() && !disabled; ++k)
      if (rules[k].row == rules[i].row) disabled = rules[k].when(*this);
    row->OnSetIsDisabled(disabled);
  }
}

// ----------------------------------------------------------------- layout

void ThirdMenu::Refresh(XObject* sender) {
  SubSystem::MenuClass::Refresh(sender);
  const int32_t w = VgGetRectW(Bounds);
  const int32_t h = VgGetRectH(Bounds);
  titleBand.OnSetBounds({0, 0, w, TitleHeight});
  background.OnSetBounds({0, TitleHeight, w, h});
  frame.OnSetBounds({0, 0, w, h});
  const VgRect titleArea{DefaultPageArea.x1, 0, w - ItemXOffset, TitleHeight};
  title.OnSetBounds(titleArea);
  const VgPoint up = VgGetRectSize(upArrow.Bounds);
  const VgPoint down = VgGetRectSize(downArrow.Bounds);
  const int32_t arrowLeft = titleArea.x2 + (ItemXOffset - up.x) / 2;
  upArrow.OnSetBounds({arrowLeft, ItemYOffset, arrowLeft + up.x, ItemYOffset + up.y});
  downArrow.OnSetBounds({arrowLeft, h - down.y - kDownArrowBottomGap, arrowLeft + down.x, h - kDownArrowBottomGap});

  // The rows stand where the layout put them: the page scrolls from there.
  ScrollPos = {0, 0};
  EnsureVisible(Focus);
  DoScrollContent(0, 0);
  RefreshArrow();
}

void ThirdMenu::RefreshArrow() {
  const int32_t count = GetCount();
  Forms::Ctrl* first = count ? GetCtrlAt(0) : nullptr;
  Forms::Ctrl* last = count ? GetCtrlAt(count - 1) : nullptr;
  upArrow.OnSetVisible(first && first->Bounds.y1 < PageArea.y1);
  downArrow.OnSetVisible(last && last->Bounds.y1 > PageArea.y2);
}

// ------------------------------------------------------------------- keys

XObject* ThirdMenu::HandleEvent(Core::Event* event) {
  const uint16_t code = Core::PressedKey(event);
  switch (code) {
    case Key::Up:
    case Key::Down: {
      const int32_t count = GetCount();
      if (count > 0) {
        auto* focused = vg_cast<Forms::Ctrl>(Focus.get());
        const int32_t index = focused ? GetIndexOf(focused) : (code == Key::Down ? count - 1 : 0);
        const int32_t next = (index + (code == Key::Down ? 1 : count - 1)) % count;
        OnSetFocus(GetCtrlAt(next));
      }
      RefreshArrow();
      break;
    }
    case Key::Ok:
    case Key::Left:
    case Key::Right:
      break;
    case Key::Back:
      Return();
      break;
    default:
      return nullptr;
  }
  ResetTimeout();
  return this;
}

void ThirdMenu::Return() {
  auto* system = SystemOf(this);
  if (MenuLevel == 3 || IsShortcut) {
    Close();
    if (system) {
      system->SetMenuIndex(MenuLevel, 1);
      system->ClearHelpBar();
    }
    if (fromQuickMenu) {
      if (system && PrevState)
        SubSystem::Open(system, {.screen = PrevState});
      else if (system && PrevStateName)
        SubSystem::Open(system, PrevStateName);
    } else {
      MainApp::SendMessage(Constants::MSG_CHANGE_APPEARANCE, nullptr, Constants::APPEARANCE_SHOW);
    }
    return;
  }
  if (MenuLevel < 4 || !system || !PrevStateName) return;
  const SubSystem::Opening back{.screen = PrevState, .origin = fromQuickMenu ? Constants::MSG_FROM_QUICKMENU : 0};
  // A back page not built yet is logged, and the viewer stays here.
  if (!PrevState) {
    SubSystem::Open(system, PrevStateName, back);
    return;
  }
  Close();
  system->SetMenuIndex(MenuLevel, 1);
  SubSystem::Open(system, back);
}

bool ThirdMenu::IsHiddenPageKey(Core::Event* event, uint16_t key) {
  auto* press = vg_cast<Events::XPM_EVENT_KEY>(event);
  return press && press->down && press->FrontPanel == 1 && press->keyCode == key &&
         MainApp::GetWrapper()->GetKeyHeld(::SkinBin::kHeldKeyHiddenPage);
}

void ThirdMenu::OpenBelow(const VgClass* page) {
  auto* system = SystemOf(this);
  if (!system) return;
  const int32_t index = OnGetCurrentItemIndex();
  Close();
  system->SetMenuIndex(MenuLevel, index);
  SubSystem::Open(system, {.screen = page,
                           .back = GetClass(),
                           .origin = fromQuickMenu ? Constants::MSG_FROM_QUICKMENU : Constants::MSG_FROM_MENUSYSTEM});
}

void ThirdMenu::ReturnToQuickMenu() {
  PrevStateName = QuickMenuClass;
  PrevState = VgFindClass(QuickMenuClass);
}

// ---------------------------------------------------------------- the rows

void ThirdMenu::DoActivate(XObject* sender) {
  auto* row = vg_cast<SubMenuItem>(sender);
  auto* system = SystemOf(this);
  if (!row || row->IsDisabled || !system || (!row->NextState && !row->Target)) return;
  SubSystem::Opening opening{
      .screen = row->NextState,
      .back = GetClass(),
      .value = row->OptionType,
      .origin = fromQuickMenu ? Constants::MSG_FROM_QUICKMENU : Constants::MSG_FROM_MENUSYSTEM,
      .pinType = row->PinType};
  if (auto* slider = vg_cast<AdjustItemSlider>(row)) opening.flag = slider->SliderMiddlePoint != 0;
  // A screen not built yet is logged, and the viewer stays here.
  if (!row->NextState) {
    SubSystem::Open(system, row->Target, opening);
    return;
  }
  const int32_t index = OnGetCurrentItemIndex();
  Close();
  system->SetMenuIndex(MenuLevel, index);
  SubSystem::Open(system, opening);
}

void ThirdMenu::DoFocus(XObject* sender) {
  auto* row = vg_cast<SubMenuItem>(sender);
  auto* system = SystemOf(this);
  if (row && system) system->UpdateHelp(row->HelpMask, row->HelpString);
}

void ThirdMenu::DoTimeout(XObject*) {
  if (auto* system = SystemOf(this)) system->TearDownMenus();
}

// -------------------------------------------------------------- conditions

namespace When {

int32_t CurrentSourceType() {
  ::SkinBin::Wrapper* model = MainApp::GetWrapper();
  return model->GetSourceType(model->GetCurrentSource(0));
}

int32_t Series() { return MainApp::GetWrapper()->OnGetSeriesType(); }

int32_t PictureMode() { return MainApp::GetWrapper()->OnGetVideoPreset(); }

bool NetAppActive(ThirdMenu&) { return ::MenuSystem::MenuSystem::NetAppActive(); }

bool FromQuickMenu(ThirdMenu& page) { return page.OpenedFromQuickMenu(); }

}  // namespace When

}  // namespace MenuSystem
