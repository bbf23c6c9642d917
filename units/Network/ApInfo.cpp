#include "Network/ApInfo.h"

#include <string_view>

#include "AppServices/OptionDB.h"
#include "Colors/Colors.h"
#include "Core/KeyEvent.h"
#include "Fonts/Fonts.h"
#include "Network/AssistedSetup.h"
#include "Network/NetworkWidgetClass.h"
#include "NonMenuSystem/HelpBar.h"
#include "OptionDatabase/OptionBinding.h"
#include "OptionDatabase/OptionData.h"
#include "OptionDatabase/OptionTypes.h"
#include "Primitives/KeyRoutingParameter.h"
#include "Resources/Font.h"
#include "Strings.h"
#include "Structures/Devices.h"
#include "vgresmap.h"

VG_DEFINE_CLASS(Network, ApInfoItem, MenuSystem::SubMenuItemValue)
VG_DEFINE_CLASS(Network, ApInfo, Primitives::KeyRoutingForm)
VG_DEFINE_CLASS(Network, NoApFound, Primitives::KeyRoutingCtrl)

namespace Network {

namespace {

// The byte of an access-point record that holds its security method.
constexpr int32_t kSecurityByte = 5;
// What the key row of a read-only form shows.
constexpr char16_t kHiddenKey[] = u"******";
// The longest texts the keyboard takes for a name and a key.
constexpr int32_t kNameKeyboardLength = 128;
constexpr int32_t kKeyKeyboardLength = 64;

struct RowDef {
  const VgConstant* caption;
  int32_t option;
  // The form's property the option row edits.
  VgRef<int32_t> (*ref)(ApInfo* form);
};

template <auto Get, auto Set>
VgRef<int32_t> RefTo(ApInfo* form) {
  return VgRefOf<Get, Set>(form);
}

const RowDef kRows[ApInfo::RowCount] = {
    {&Strings::SID_NETWORK_NAME, 0, nullptr},
    {&Strings::SID_AUTHENTICATION, OptionDatabase::OPTION_TYPE_AUTHENTICATION,
     &RefTo<&ApInfo::OnGetAuthentication, &ApInfo::OnSetAuthentication>},
    {&Strings::SID_ENCRYPTION, OptionDatabase::OPTION_TYPE_ENCRYPTION,
     &RefTo<&ApInfo::OnGetEncryption, &ApInfo::OnSetEncryption>},
    {&Strings::SID_SECURITY_KEY, 0, nullptr},
    {&Strings::SID_KEY_ID, OptionDatabase::OPTION_TYPE_KEY_ID, &RefTo<&ApInfo::OnGetKeyID, &ApInfo::OnSetKeyID>},
};

std::u16string_view Chars(VgString text) { return {text ? text : u"", size_t(VgGetStringLength(text))}; }

constexpr char kScreen[] = "Network::ApInfo";

}  // namespace

// ------------------------------------------------------------- ApInfoItem

ApInfoItem::ApInfoItem(XObject* link) : MenuSystem::SubMenuItemValue(link) {
  Nonfocused_BackgroundColor = Colors::StandardOptionBgColor;
  Focused_BackgroundColor = Colors::HighlightOptionBgColor;
  Default_BackgroundColor = Colors::DefaultOptionBgColor;
  Disabled_BackgroundColor = Colors::DisableOptionBgColor;
  OnSetBounds({0, 0, ApInfo::RowWidth, MenuSystem::ThirdMenuItemHeight});
  OnSetValueString(nullptr);
}

// The form, not the model, holds the value an option row shows: the
// option's record only converts between values and choices.
void ApInfoItem::LoadOption() {
  if (!OptionType) return;
  OptionDatabase::OptionBinding option(MainApp::GetOptionDB(), OptionType, kScreen);
  if (!option) return;
  option.Read();
  ChoiceCount = option.Count();
  OptionDatabase::OptionDataClass* record = option.Record();
  record->Value = RefValue.IsNull() ? 0 : RefValue.getter(RefValue.object);
  record->Val2Id();
  ChoiceIndex = record->Id;
  Value = record->Value;
  ShowChoice(option);
}

// A value past the option's choices (the unsupported authentication or
// encryption of a network of no known method) has no choice text.
void ApInfoItem::ShowChoice(OptionDatabase::OptionBinding& option) {
  if (!option || ChoiceIndex < 0 || ChoiceIndex >= ChoiceCount) {
    OnSetValueString(VgGetVariantOfString(&Strings::SID_UNSUPPORTED));
    return;
  }
  OnSetValueString(option.ChoiceText(ChoiceIndex));
}

void ApInfoItem::ToggleOption(bool up) {
  if (IsDisabled || !OptionType || ChoiceCount < 1) return;
  OptionDatabase::OptionBinding option(MainApp::GetOptionDB(), OptionType, kScreen);
  if (!option) return;
  const bool inRange = ChoiceIndex >= 0 && ChoiceIndex < ChoiceCount;
  if (!inRange)
    ChoiceIndex = up ? 0 : ChoiceCount - 1;
  else
    ChoiceIndex = (ChoiceIndex + (up ? 1 : ChoiceCount - 1)) % ChoiceCount;
  OptionDatabase::OptionDataClass* record = option.Record();
  record->Id = ChoiceIndex;
  record->Id2Value();
  Value = record->Value;
  if (!RefValue.IsNull() && RefValue.setter) RefValue.setter(RefValue.object, Value);
  ShowChoice(option);
  VgSignal(OnValueChanged, this);
}

XObject* ApInfoItem::HandleEvent(Core::Event* event) {
  const uint16_t code = Core::PressedKey(event);
  if (code == Key::Ok) {
    if (!IsDisabled) {
      VgSignal(OnActivate, this);
      VgSignal(OnResetTimeout, this);
    }
    return this;
  }
  if (code != Key::None && (code == ToggleDecreaseKey || code == ToggleIncreaseKey)) {
    ToggleOption(code == ToggleIncreaseKey);
    VgSignal(OnResetTimeout, this);
    return this;
  }
  return MenuSystem::SubMenuItemValue::HandleEvent(event);
}

void ApInfoItem::OnSetValueString(VgString value) {
  MenuSystem::SubMenuItemValue::OnSetValueString(value);
  PostRefresh();
}

void ApInfoItem::OnSetIsDisabled(bool value) {
  MenuSystem::SubMenuItemValue::OnSetIsDisabled(value);
  UpdateArrows();
}

void ApInfoItem::HandleFocus(bool focused) {
  MenuSystem::SubMenuItemValue::HandleFocus(focused);
  UpdateArrows();
}

void ApInfoItem::Refresh(XObject* sender) {
  MenuSystem::SubMenuItemValue::Refresh(sender);
  UpdateArrows();
}

void ApInfoItem::UpdateArrows() {
  const bool shown = Focused && !IsDisabled && OptionType != 0;
  leftArrow.OnSetVisible(shown);
  rightArrow.OnSetVisible(shown);
}

// ----------------------------------------------------------------- ApInfo

ApInfo::ApInfo(XObject* link) : Primitives::KeyRoutingForm(link) {
  for (int32_t n = 0; n < RowCount; ++n) {
    ApInfoItem& row = rows[n];
    row.OnSetText(VgGetVariantOfString(kRows[n].caption));
    row.OptionType = kRows[n].option;
    if (kRows[n].ref) row.RefValue = kRows[n].ref(this);
    if (!row.OptionType) {
      row.HelpMask = NonMenuSystem::HelpOk | NonMenuSystem::HelpReturn;
      row.HelpString = HelpLabels(kHelpEnterBack);
      row.OnActivate = VgSlotOf<&ApInfo::DoActivate>(this);
    }
    row.OnFocus = VgSlotOf<&ApInfo::DoFocus>(this);
    row.OnResetTimeout = VgSlotOf<&ApInfo::ResetTimeoutSlot>(this);
    Add(&row, 0);
  }
  LayOut();
  OnSetFocus(&rows[RowName]);
}

void ApInfo::LayOut() {
  int32_t y = 0;
  for (Core::View* view = firstView; view; view = view->nextView) {
    auto* row = vg_cast<ApInfoItem>(view);
    if (!row) continue;
    row->OnSetBounds({0, y, RowWidth, y + MenuSystem::ThirdMenuItemHeight});
    y += RowPitch;
  }
  OnSetBounds({Bounds.x1, Bounds.y1, Bounds.x1 + RowWidth, Bounds.y1 + y});
}

ApInfoItem* ApInfo::FocusedRow() const { return vg_cast<ApInfoItem>(Focus.get()); }

void ApInfo::Setup(Core::Group* parent, ::Structures::WLAN_Info* record) {
  auto* parameter = VgNew<Primitives::KeyRoutingParameter>();
  parameter->Parent = parent;
  parameter->Param = record;
  Initialize(parameter);
}

void ApInfo::Initialize(Primitives::KeyRoutingParameter* parameter) {
  // The WEP key index is never asked for.
  if (rows[RowKeyId].owner.get() == this) {
    Remove(&rows[RowKeyId]);
    LayOut();
  }
  Primitives::KeyRoutingForm::Initialize(parameter);
  auto* record = vg_cast<::Structures::WLAN_Info>(parameter ? parameter->Param.get() : nullptr);
  HasRecord = record != nullptr;
  if (!record) {
    record = VgNew<::Structures::WLAN_Info>();
    record->Status[kSecurityByte] = Security::kDefaultMethod;
  }
  LoadWlanInfo(record);
}

void ApInfo::LoadWlanInfo(::Structures::WLAN_Info* record) {
  if (!record) return;
  Record = record;
  SecurityKey = nullptr;
  rows[RowName].OnSetValueString(record->SSID);
  OnSetSecurityMethod(record->Status[kSecurityByte]);
  rows[RowAuthentication].LoadOption();
  rows[RowEncryption].LoadOption();
  rows[RowKey].OnSetValueString(Enabled ? nullptr : VgNewString(kHiddenKey));
}

Security::Method ApInfo::OnGetSecurityMethod() {
  const Security::Method method = Security::MethodOf(Authentication, Encryption);
  SecurityMethod = method;
  return method;
}

// A byte past the table (a record from the middleware may carry any) is the
// unsupported method.
void ApInfo::OnSetSecurityMethod(uint8_t method) {
  const Security::MethodRow& row = Security::kMethods[Security::MethodOfByte(method)];
  Authentication = row.authentication;
  SecurityMethod = Security::MethodOfByte(method);
  OnSetEncryption(row.encryption);
}

void ApInfo::OnSetEncryption(int32_t value) {
  Encryption = value;
  rows[RowKey].OnSetIsDisabled(value == Security::EncNone);
}

void ApInfo::OnSetAuthentication(int32_t value) {
  if (value != Authentication) {
    const int32_t encryption = Security::EncryptionFor(value, Encryption);
    if (encryption != Encryption) {
      OnSetEncryption(encryption);
      rows[RowEncryption].LoadOption();
    }
  }
  Authentication = value;
}

::Structures::WLAN_Connection* ApInfo::GetConnection() {
  auto* connection = VgNew<::Structures::WLAN_Connection>();
  connection->SSID = rows[RowName].ValueString;
  connection->Key = SecurityKey;
  connection->KeyLength = uint8_t(VgGetStringLength(SecurityKey));
  connection->SecurityMethod = OnGetSecurityMethod();
  connection->Flag = HasRecord ? 0 : 1;
  return connection;
}

bool ApInfo::IsKeyHex(VgString text) { return Security::IsKeyHex(Chars(text)); }

bool ApInfo::CheckKey(VgString text) { return Security::CheckKey(OnGetSecurityMethod(), Chars(text)); }

int32_t ApInfo::UpdateLabel(VgString text) {
  ApInfoItem* row = FocusedRow();
  if (row == &rows[RowName]) {
    if (!Security::NameFits(Chars(text))) return 2;
    row->OnSetValueString(text);
    return 1;
  }
  if (row == &rows[RowKey]) {
    if (!CheckKey(text)) return 3;
    SecurityKey = text;
    const int32_t length = VgGetStringLength(text);
    row->OnSetValueString(length ? VgNewStringChar(u'*', length) : nullptr);
    return 1;
  }
  return 1;
}

void ApInfo::DoActivate(XObject* sender) {
  auto* dialog = vg_cast<AssistedSetup_ApInfo>(owner.get());
  if (!dialog) return;
  if (sender == &rows[RowName])
    dialog->ShowKeyboard(kNameKeyboardLength, rows[RowName].ValueString);
  else if (sender == &rows[RowKey])
    dialog->ShowKeyboard(kKeyKeyboardLength, nullptr);
}

void ApInfo::DoFocus(XObject*) { VgSignal(OnFocus, this); }

void ApInfo::ResetTimeoutSlot(XObject*) { VgSignal(OnResetTimeout, this); }

XObject* ApInfo::HandleEvent(Core::Event* event) {
  const uint16_t code = Core::PressedKey(event);
  if (code == Key::Up || code == Key::Down) {
    Core::View* before = Focus;
    if (code == Key::Up)
      SelectPrev();
    else
      SelectNext();
    if (Focus.get() == before) return nullptr;
    VgSignal(OnResetTimeout, this);
    return this;
  }
  return Primitives::KeyRoutingForm::HandleEvent(event);
}

// -------------------------------------------------------------- NoApFound

NoApFound::NoApFound(XObject* link) : Primitives::KeyRoutingCtrl(link) {
  background.OnSetColor(Colors::MenuBgColor);
  border.OnSetWidth(1);
  border.OnSetColor(Colors::DefaultTextColor);
  text.OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
  text.OnSetColor(Colors::StandardTextColor);
  text.OnSetAlignH(Views::Text::AlignLeft);
  text.OnSetAlignV(Views::Text::AlignMiddle);
  text.OnSetString(VgGetVariantOfString(&Strings::SID_NO_APS_FOUND));
  Add(&background, 0);
  Add(&border, 0);
  Add(&text, 0);
  OnSetBounds({0, 0, Width, Height});
}

void NoApFound::OnSetBounds(VgRect rect) {
  Primitives::KeyRoutingCtrl::OnSetBounds(rect);
  const int32_t w = VgGetRectW(Bounds);
  const int32_t h = VgGetRectH(Bounds);
  background.OnSetBounds({0, 0, w, h});
  border.OnSetBounds({0, 0, w, h});
  text.OnSetBounds({NetworkWidgetClass::TextInset, 0, w - 8, h});
}

}  // namespace Network
