#include "MenuSystem/EntryItems.h"

#include <algorithm>

#include "AppServices/OptionDB.h"
#include "AppServices/Wrapper.h"
#include "Colors/Colors.h"
#include "Core/KeyEvent.h"
#include "Fonts/Fonts.h"
#include "NonMenuSystem/HelpBar.h"
#include "OptionDatabase/OptionBinding.h"
#include "OptionDatabase/OptionData.h"
#include "Resources/Font.h"
#include "Strings.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(MenuSystem, TimerSetItem, ::MenuSystem::SubMenuItemValueSelect)
VG_DEFINE_CLASS(MenuSystem, VolumeSetItem, ::MenuSystem::AdjustItemArrowSelect)
VG_DEFINE_CLASS(MenuSystem, ChannelSetItem, ::MenuSystem::SubMenuItemValueSelect)

namespace MenuSystem {

namespace {

constexpr const char* kScreen = "MenuSystem entry row";
constexpr VgRect kEntryBounds{245, 0, 490, 25};
constexpr VgRect kChannelEntryBounds{313, -2, 423, 28};
constexpr int32_t kChannelLength = 7;
constexpr int32_t kBrowseHelp = NonMenuSystem::HelpReturn | NonMenuSystem::HelpNum | NonMenuSystem::HelpLR;
constexpr int32_t kEditHelp = NonMenuSystem::HelpReturn | NonMenuSystem::HelpOk | NonMenuSystem::HelpNum;

VgString Sid(const VgConstant& id) { return VgGetVariantOfString(&id); }

// "Input,Edit,Back" while stepping, "Input,Enter,Back" while typing.
void SetEntryHelp(SubMenuItem& row, bool editing) {
  VgString text = VgConcatString(Sid(Strings::SID_INPUT), VgNewString(u","));
  text = VgConcatString(text, Sid(editing ? Strings::SID_ENTER : Strings::SID_EDIT));
  row.HelpString = VgConcatString(VgConcatString(text, VgNewString(u",")), Sid(Strings::SID_BACK));
  row.HelpMask = editing ? kEditHelp : kBrowseHelp;
}

// The entry stands in for the value while the row edits; it has the row's
// own focus then.
void SwitchEntry(SubMenuItem& row, Forms::Ctrl& entry, bool editing) {
  entry.OnSetEnabled(editing);
  entry.OnSetVisible(editing);
  row.OnSetFocus(editing ? &entry : nullptr);
  SetEntryHelp(row, editing);
}

// The number and channel rows also hide their value while typing; the
// arrows come back as the row's state wants them afterwards.
void HideValue(Views::Text& value, Views::Image& left, Views::Image& right, bool editing) {
  value.OnSetVisible(!editing);
  if (editing) {
    left.OnSetVisible(false);
    right.OnSetVisible(false);
  }
}

void AddEntry(SubMenuItem& row, Forms::Ctrl& entry, VgRect bounds) {
  row.Add(&entry, 0);
  entry.OnSetBounds(bounds);
  entry.OnSetEnabled(false);
  entry.OnSetVisible(false);
}

}  // namespace

// ---------------------------------------------------------- TimerSetItem

TimerSetItem::TimerSetItem(XObject* link) : SubMenuItemValueSelect(link) {
  AddEntry(*this, entry, kEntryBounds);
  entry.OnResetTimeout = VgSlotOf<&TimerSetItem::DoResetTimeout>(this);
  entry.OnTimeChanged = VgSlotOf<&TimerSetItem::DoTimeChanged>(this);
  entry.OnCancelChange = VgSlotOf<&TimerSetItem::DoCancelChange>(this);
  SetEntryHelp(*this, false);
}

XObject* TimerSetItem::HandleEvent(Core::Event* event) {
  const uint16_t code = Core::PressedKey(event);
  if (code != Key::Ok && !Key::IsDigit(code)) return SubMenuItemValueSelect::HandleEvent(event);
  if (Usable()) {
    OnSetIsTimeEdit(true);
    entry.DigitCount = 0;
    entry.RefreshButtons();
    // OK only opens the entry; a digit is its first.
    if (code != Key::Ok) entry.HandleEvent(event);
  }
  VgSignal(OnResetTimeout, this);
  return this;
}

void TimerSetItem::HandleFocus(bool focused) {
  if (!focused && IsTimeEdit) OnSetIsTimeEdit(false);
  SubMenuItemValueSelect::HandleFocus(focused);
}

void TimerSetItem::OnSetIsTimeEdit(bool value) {
  IsTimeEdit = value;
  SwitchEntry(*this, entry, value);
  VgSignal(OnIsEditChanged, this);
}

void TimerSetItem::ToggleOption(bool increase) {
  if (ChoiceCount < 2) return;
  // A step below 1 would divide by zero: it counts as 1.
  const int32_t step = std::max(IndexStep, 1);
  const int32_t last = ChoiceCount - 1;
  const int32_t index = std::clamp(ChoiceIndex, 0, last);
  int32_t next = 0;
  if (increase) {
    next = (index / step + 1) * step;
    if (next > last) next = MinIndex;
  } else {
    next = index % step ? index / step * step : index - step;
    if (next < MinIndex) next = last;
  }
  Choose(next);
  VgSignal(OnValueChanged, this);
}

void TimerSetItem::Choose(int32_t index) {
  ChoiceIndex = index;
  OptionDatabase::OptionBinding option(MainApp::GetOptionDB(), OptionType, kScreen);
  if (!option) return;
  OptionDatabase::OptionDataClass* record = option.Record();
  if (ApplyValue) {
    option.Write(index);
    MainApp::GetWrapper()->MarkOptionChange(OptionType);
  } else {
    record->Id = index;
    record->Id2Value();
  }
  Value = record->Value;
  if (VgString text = option.ChoiceText()) OnSetValueString(text);
}

void TimerSetItem::DoTimeChanged(XObject*) {
  OnSetIsTimeEdit(false);
  OptionDatabase::OptionBinding option(MainApp::GetOptionDB(), OptionType, kScreen);
  if (!option) return;
  const int32_t last = std::max(ChoiceCount - 1, MinIndex);
  Choose(std::clamp(entry.Time, MinIndex, last));
}

void TimerSetItem::DoCancelChange(XObject*) { OnSetIsTimeEdit(false); }

void TimerSetItem::DoResetTimeout(XObject*) { VgSignal(OnResetTimeout, this); }

// --------------------------------------------------------- VolumeSetItem

VolumeSetItem::VolumeSetItem(XObject* link) : AdjustItemArrowSelect(link) {
  AddEntry(*this, entry, kEntryBounds);
  entry.OnResetTimeout = VgSlotOf<&VolumeSetItem::DoResetTimeout>(this);
  entry.OnNumChanged = VgSlotOf<&VolumeSetItem::DoNumberChanged>(this);
  entry.OnCancelChange = VgSlotOf<&VolumeSetItem::DoCancelChange>(this);
  SetEntryHelp(*this, false);
}

XObject* VolumeSetItem::HandleEvent(Core::Event* event) {
  const uint16_t code = Core::PressedKey(event);
  if (!Key::IsDigit(code)) return AdjustItemArrowSelect::HandleEvent(event);
  if (Usable()) {
    OnSetIsNumberEdit(true);
    entry.DigitCount = 0;
    entry.RefreshButtons();
    entry.HandleEvent(event);
  }
  VgSignal(OnResetTimeout, this);
  return this;
}

void VolumeSetItem::HandleFocus(bool focused) {
  if (!focused && IsNumberEdit) OnSetIsNumberEdit(false);
  AdjustItemArrowSelect::HandleFocus(focused);
}

void VolumeSetItem::OnSetIsNumberEdit(bool value) {
  IsNumberEdit = value;
  HideValue(valueText, leftArrow, rightArrow, value);
  SwitchEntry(*this, entry, value);
  if (!value) RefreshArrow();
  VgSignal(OnIsEditChanged, this);
}

void VolumeSetItem::DoNumberChanged(XObject*) {
  OnSetIsNumberEdit(false);
  if (entry.Num == Value) return;
  OnSetValue(entry.Num);
  OptionDatabase::OptionBinding option(MainApp::GetOptionDB(), OptionType, kScreen);
  if (option) option.Write(Value);
  VgSignal(OnValueChanged, this);
}

void VolumeSetItem::DoCancelChange(XObject*) { OnSetIsNumberEdit(false); }

void VolumeSetItem::DoResetTimeout(XObject*) { VgSignal(OnResetTimeout, this); }

// -------------------------------------------------------- ChannelSetItem

ChannelSetItem::ChannelSetItem(XObject* link) : SubMenuItemValueSelect(link) {
  AddEntry(*this, entry, kChannelEntryBounds);
  entry.OnSetMaxLength(kChannelLength);
  entry.OnSetSupportDot(true);
  entry.OnSetDotString(VgNewString(u"-"));
  entry.OnSetEditModeEnabled(true);
  entry.ClearText();
  Resources::Font* font = VgLoad<Resources::Font>(Fonts::MediumFont);
  for (VgPtr<Resources::Font>* slot : {&entry.Default_TextFont, &entry.Nonfocused_TextFont, &entry.Focused_TextFont,
                                       &entry.Disabled_TextFont})
    *slot = font;
  entry.Default_TextColor = Colors::White;
  entry.Nonfocused_TextColor = Colors::White;
  entry.Focused_TextColor = Colors::White;
  entry.OnActivate = VgSlotOf<&ChannelSetItem::DoChannelNumChanged>(this);
  SetEntryHelp(*this, false);
}

XObject* ChannelSetItem::HandleEvent(Core::Event* event) {
  const uint16_t code = Core::PressedKey(event);
  if (Key::IsDigit(code)) {
    if (Usable()) {
      OnSetIsChannelEdit(true);
      entry.ClearText();
      entry.HandleEvent(event);
    }
    VgSignal(OnResetTimeout, this);
    return this;
  }
  if (code == Key::Back && IsChannelEdit) {
    OnSetIsChannelEdit(false);
    VgSignal(OnResetTimeout, this);
    return this;
  }
  return SubMenuItemValueSelect::HandleEvent(event);
}

void ChannelSetItem::HandleFocus(bool focused) {
  if (!focused && IsChannelEdit) OnSetIsChannelEdit(false);
  SubMenuItemValueSelect::HandleFocus(focused);
}

void ChannelSetItem::OnSetIsChannelEdit(bool value) {
  IsChannelEdit = value;
  HideValue(valueText, leftArrow, rightArrow, value);
  SwitchEntry(*this, entry, value);
  if (!value) ShowArrows();
  VgSignal(OnChannelEditChanged, this);
}

void ChannelSetItem::DoChannelNumChanged(XObject*) {
  OnSetIsChannelEdit(false);
  const VgString typed = entry.TextString;
  ::SkinBin::Wrapper* model = MainApp::GetWrapper();
  const ::Structures::VirtualChannel* channel = model->GetVirtualChannelByString(typed, VgNewString(u"-"));
  if (!channel || !model->IsChannelExist(channel->Major, channel->Minor)) return;
  OptionDatabase::OptionBinding option(MainApp::GetOptionDB(), OptionType, kScreen);
  if (!option) return;
  OptionDatabase::OptionDataClass* record = option.Record();
  record->Value = ::Wrapper::Wrapper::UniteChannelNum(channel->Major, channel->Minor);
  const VgRef<int32_t> property = record->OnGetRefValue();
  if (!property.IsNull()) VgOnSetInt32(property, record->Value);
  record->Val2Id();
  ChoiceIndex = record->Id;
  Value = record->Value;
  OnSetValueString(typed);
}

}  // namespace MenuSystem
