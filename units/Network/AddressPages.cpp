#include "Network/AddressPages.h"

#include <algorithm>

#include "Colors/Colors.h"
#include "Core/KeyEvent.h"
#include "Fonts/Fonts.h"
#include "Resources/Font.h"
#include "vgresmap.h"
#include "AppServices/Wrapper.h"
#include "NonMenuSystem/HelpBar.h"
#include "OptionDatabase/OptionTypes.h"
#include "SkinBin/NetworkSetup.h"
#include "Strings.h"
#include "WinIDs/WinIDs.h"

VG_DEFINE_CLASS(Network, NumberSpinner, Network::QORNumberSpinner)
VG_DEFINE_CLASS(Network, SubMenuItemNetworkAddress, ::MenuSystem::SubMenuItem)
VG_DEFINE_CLASS(Network, SubMenuItemValue, ::MenuSystem::SubMenuItemValue)
VG_DEFINE_CLASS(Network, AdvancedNetworkSetupMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(Network, AddressSetupMenu, ::MenuSystem::ThirdMenu)
VG_DEFINE_CLASS(Network, IPAddressSetupMenu, Network::AddressSetupMenu)
VG_DEFINE_CLASS(Network, DNSSetupMenu, Network::AddressSetupMenu)
VG_DEFINE_CLASS(Network, MACAddressMenu, ::MenuSystem::ThirdMenu)

namespace Network {

namespace {

using MenuSystem::Item;
using MenuSystem::PageSlot;
using MenuSystem::PageTable;
using MenuSystem::RowRule;
using MenuSystem::RowDef;
using MenuSystem::SubMenuItem;
using MenuSystem::SubMenuItemValueSelect;
using OptionDatabase::Fixed;
using OptionDatabase::Sid;
namespace O = OptionDatabase;

bool Automatic(MenuSystem::ThirdMenu&) { return MainApp::GetWrapper()->OnGetAutoSetup() == 1; }
bool ByHand(MenuSystem::ThirdMenu& page) { return !Automatic(page); }

constexpr RowDef kAdvancedRows[] = {
    Item<SubMenuItem>(Fixed("IP Address Setup"), 0, "Network::IPAddressSetupMenu"),
    Item<SubMenuItem>(Fixed("DNS Setup"), 0, "Network::DNSSetupMenu"),
    Item<SubMenuItem>(Sid(Strings::SID_MAC_ADDRESS), 0, "Network::MACAddressMenu"),
};
constexpr PageTable kAdvancedMenu{.title = Fixed("Advanced Network Setup"),
                                  .back = "MenuSystem::NetworkSetupMenu",
                                  .level = 5,
                                  .rows = kAdvancedRows,
                                  .winId = WinIDs::WIN_ID_NetworkSetupMenu};

constexpr RowDef kIPRows[] = {
    Item<SubMenuItemValueSelect>(Fixed("Auto Setup"), O::OPTION_TYPE_AUTO_SETUP)
        .Changed(PageSlot<&MenuSystem::ThirdMenu::RefreshGrayout>),
    Item<SubMenuItemNetworkAddress>(Sid(Strings::IPAddress), int32_t(AddressField::Ip)),
    Item<SubMenuItemNetworkAddress>(Sid(Strings::SubnetMask), int32_t(AddressField::Mask)),
    Item<SubMenuItemNetworkAddress>(Sid(Strings::DefaultGateway), int32_t(AddressField::Gateway)),
};
constexpr RowRule kIPDisabled[] = {{2, &Automatic}, {3, &Automatic}, {4, &Automatic}};
constexpr PageTable kIPMenu{.title = Fixed("IP Address Setup"),
                            .back = "Network::AdvancedNetworkSetupMenu",
                            .level = 6,
                            .rows = kIPRows,
                            .winId = WinIDs::WIN_ID_NetworkSetupMenu,
                            .disabled = kIPDisabled};

constexpr RowDef kDNSRows[] = {
    Item<SubMenuItemValueSelect>(Fixed("Auto Setup"), O::OPTION_TYPE_AUTO_SETUP)
        .Changed(PageSlot<&MenuSystem::ThirdMenu::RefreshGrayout>),
    Item<SubMenuItemNetworkAddress>(Fixed("Primary DNS Address"), int32_t(AddressField::Dns1)),
    Item<SubMenuItemNetworkAddress>(Fixed("Secondary DNS Address"), int32_t(AddressField::Dns2)),
};
// Automatic addressing may be turned off here, not on.
constexpr RowRule kDNSDisabled[] = {{1, &ByHand}, {2, &Automatic}, {3, &Automatic}};
constexpr PageTable kDNSMenu{.title = Fixed("DNS Setup"),
                             .back = "Network::AdvancedNetworkSetupMenu",
                             .level = 6,
                             .rows = kDNSRows,
                             .winId = WinIDs::WIN_ID_NetworkSetupMenu,
                             .disabled = kDNSDisabled};

constexpr RowDef kMACRows[] = {
    Item<SubMenuItemValue>(Sid(Strings::SID_WIRED)),
    Item<SubMenuItemValue>(Sid(Strings::SID_WIRELESS)),
};
constexpr PageTable kMACMenu{.title = Sid(Strings::SID_MAC_ADDRESS),
                             .back = "Network::AdvancedNetworkSetupMenu",
                             .level = 6,
                             .rows = kMACRows,
                             .winId = WinIDs::WIN_ID_NetworkSetupMenu};

const MenuSystem::PageListing kListed[] = {MenuSystem::PageListing(kAdvancedMenu), MenuSystem::PageListing(kIPMenu),
                                           MenuSystem::PageListing(kDNSMenu), MenuSystem::PageListing(kMACMenu)};

// The octets stand in the row's right half.
constexpr int32_t kOctetLeft = 262;
constexpr int32_t kOctetWidth = 40;
constexpr int32_t kOctetStep = 56;

constexpr int32_t kEditMask = NonMenuSystem::HelpReturn | NonMenuSystem::HelpLR;
constexpr int32_t kEditingMask = NonMenuSystem::HelpReturn | NonMenuSystem::HelpNum | NonMenuSystem::HelpLR |
                                 NonMenuSystem::HelpDown | NonMenuSystem::HelpOk;

VgString Labels(std::initializer_list<const VgConstant*> labels) {
  VgString text = nullptr;
  for (const VgConstant* label : labels) {
    VgString part = VgGetVariantOfString(label);
    text = text ? VgConcatString(VgConcatString(text, VgNewString(u",")), part) : part;
  }
  return text;
}

SkinBin::Wrapper* Model() { return MainApp::GetWrapper(); }

}  // namespace

// ------------------------------------------------------------ NumberSpinner

NumberSpinner::NumberSpinner(XObject* link) : QORNumberSpinner(link) {
  Nonfocused_Bitmap = nullptr;
  Focused_Bitmap = nullptr;
  Nonfocused_TextColor = Colors::StandardTextColor;
  Focused_TextColor = Colors::HighlightTextColor;
  Disabled_TextColor = Colors::DisableTextColor;
  Focused_BackgroundColor = Colors::HighlightOptionBgColor;
}

XObject* NumberSpinner::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (key && key->down && key->keyCode == Key::Ok) {
    if (IsBlank()) VgSignal(OnValueBack, this);
    VgSignal(OnValueSaved, this);
    return this;
  }
  if (key && key->down && key->keyCode == Key::Back) {
    VgSignal(OnValueBack, this);
    return this;
  }
  return QORNumberSpinner::HandleEvent(event);
}

// ------------------------------------------------------------ SubMenuItemNetworkAddress

SubMenuItemNetworkAddress::SubMenuItemNetworkAddress(XObject* link) : MenuSystem::SubMenuItem(link) {
  editFrame.OnSetColor(Colors::StandardOptionBgColor);
  editFrame.OnSetVisible(false);
  Add(&editFrame, 0);
  for (size_t i = 0; i < dots.size(); ++i) {
    auto* dot = VgNew<Views::Text>();
    dots[i] = dot;
    dot->OnSetString(VgNewStringAnsi("."));
    dot->OnSetFont(VgLoad<Resources::Font>(Fonts::MediumFont));
    dot->OnSetColor(Colors::StandardTextColor);
    dot->OnSetAlignH(Views::Text::AlignCentre);
    dot->OnSetAlignV(Views::Text::AlignMiddle);
    Add(dot, 0);
  }
  for (int32_t i = 0; i < 4; ++i) {
    auto* spinner = VgNew<NumberSpinner>();
    spinners[size_t(i)] = spinner;
    spinner->Index = i;
    spinner->OnSetCurrent(OctetEntry::kMaximum);
    spinner->OnSetOnValueChange(VgSlotOf<&SubMenuItemNetworkAddress::DoValueChanged>(this));
    spinner->OnValueSaved = VgSlotOf<&SubMenuItemNetworkAddress::DoValueSaved>(this);
    spinner->OnSetOnValueBack(VgSlotOf<&SubMenuItemNetworkAddress::DoBack>(this));
    Add(spinner, 0);
  }
  SetHelp(VgGetVariantOfString(&Strings::SID_EDIT), kEditMask);
}

void SubMenuItemNetworkAddress::Refresh(XObject* sender) {
  MenuSystem::SubMenuItem::Refresh(sender);
  const int32_t h = VgGetRectH(Bounds);
  caption.OnSetBounds({caption.Bounds.x1, caption.Bounds.y1, VgGetRectW(Bounds) / 2, caption.Bounds.y2});
  for (int32_t i = 0; i < 4; ++i) {
    const int32_t x = kOctetLeft + i * kOctetStep;
    spinners[size_t(i)]->OnSetBounds({x, 0, x + kOctetWidth, h});
  }
  for (int32_t i = 0; i < 3; ++i) {
    const int32_t x = kOctetLeft + i * kOctetStep + kOctetWidth;
    dots[size_t(i)]->OnSetBounds({x, 0, x + kOctetStep - kOctetWidth, h});
  }
  editFrame.OnSetBounds({kOctetLeft - 4, 0, kOctetLeft + 3 * kOctetStep + kOctetWidth + 4, h});
}

void SubMenuItemNetworkAddress::OnSetAddress(uint32_t value) {
  octets = Split(value);
  for (int32_t k = 3; k >= 0; --k) spinners[size_t(k)]->OnSetCurrent(octets[size_t(k)]);
}

void SubMenuItemNetworkAddress::OnSetAddrIndex(int32_t index) {
  if (index == AddrIndex || IsDisabled) return;
  AddrIndex = index;
  const int32_t oldMask = HelpMask;
  if (index >= 0 && index <= 3) {
    OnSetFocus(spinners[size_t(index)]);
    editFrame.OnSetVisible(true);
    HelpString = Labels({&Strings::SID_INPUT, &Strings::SID_SELECT, &Strings::SID_KEYPAD_CLEAR, &Strings::SID_SAVE,
                         &Strings::SID_BACK});
    HelpMask = kEditingMask;
  } else {
    OnSetFocus(nullptr);
    editFrame.OnSetVisible(false);
    SetHelp(VgGetVariantOfString(&Strings::SID_EDIT), kEditMask);
  }
  if (HelpMask != oldMask) VgSignal(OnFocus, this);
}

void SubMenuItemNetworkAddress::OnSetIsDisabled(bool value) {
  MenuSystem::SubMenuItem::OnSetIsDisabled(value);
  for (size_t i = 0; i < spinners.size(); ++i) spinners[i]->OnSetIsDisabled(value);
  for (size_t i = 0; i < dots.size(); ++i)
    dots[i]->OnSetColor(value ? Colors::DisableTextColor : Colors::StandardTextColor);
}

XObject* SubMenuItemNetworkAddress::HandleEvent(Core::Event* event) {
  auto* key = vg_cast<Core::KeyEvent>(event);
  if (key && key->down && (key->keyCode == Key::Left || key->keyCode == Key::Right)) {
    // From not editing, either key starts at the first octet.
    const int32_t index =
        key->keyCode == Key::Left ? std::max(AddrIndex - 1, 0) : std::min(AddrIndex + 1, 3);
    OnSetAddrIndex(index);
    VgSignal(OnResetTimeout, this);
    return this;
  }
  return MenuSystem::SubMenuItem::HandleEvent(event);
}

void SubMenuItemNetworkAddress::HandleFocus(bool focused) {
  MenuSystem::SubMenuItem::HandleFocus(focused);
  if (!focused) OnSetAddrIndex(NotEditing);
}

bool SubMenuItemNetworkAddress::TypedInto() const {
  if (AddrIndex == NotEditing) return false;
  for (size_t i = 0; i < 4; ++i)
    if (spinners[i]->TypedOver(octets[i])) return true;
  return false;
}

void SubMenuItemNetworkAddress::DoValueChanged(XObject*) { VgSignal(OnResetTimeout, this); }

void SubMenuItemNetworkAddress::DoValueSaved(XObject*) {
  for (size_t i = 0; i < 4; ++i) octets[i] = uint8_t(spinners[i]->Current);
  OnSetAddrIndex(NotEditing);
  VgSignal(OnValueSaved, this);
}

// Return undoes the octet's change first; with nothing to undo it ends
// editing; a cleared octet shows its saved value again.
void SubMenuItemNetworkAddress::DoBack(XObject* sender) {
  auto* spinner = vg_cast<NumberSpinner>(sender);
  if (!spinner) {
    OnSetAddrIndex(NotEditing);
    return;
  }
  const int32_t saved = octets[size_t(spinner->Index)];
  if (spinner->Current != saved || spinner->IsBlank())
    spinner->OnSetCurrent(saved);
  else
    OnSetAddrIndex(NotEditing);
}

// ------------------------------------------------------------ SubMenuItemValue

SubMenuItemValue::SubMenuItemValue(XObject* link) : MenuSystem::SubMenuItemValue(link) {
  SetHelp(nullptr, NonMenuSystem::HelpReturn);
  HelpString = VgGetVariantOfString(&Strings::SID_BACK);
}

void SubMenuItemValue::Refresh(XObject* sender) {
  MenuSystem::SubMenuItemValue::Refresh(sender);
  leftArrow.OnSetVisible(false);
  rightArrow.OnSetVisible(false);
}

// ------------------------------------------------------------ the pages

AdvancedNetworkSetupMenu::AdvancedNetworkSetupMenu() : ThirdMenu(kAdvancedMenu) {}

AddressSetupMenu::AddressSetupMenu(const PageTable& table) : ThirdMenu(table) {
  for (int32_t i = 0; i < ItemsNum; ++i)
    if (auto* row = vg_cast<SubMenuItemNetworkAddress>(GetCtrlAt(i))) {
      row->OnResetTimeout =
          VgSlotOf<&Primitives::KeyRoutingForm::ResetTimeout>(static_cast<Primitives::KeyRoutingForm*>(this));
      row->OnValueSaved = VgSlotOf<&AddressSetupMenu::SaveAddress>(this);
    }
}

AddressSetupMenu::AddressSetupMenu() : AddressSetupMenu(kIPMenu) {}

IPAddressSetupMenu::IPAddressSetupMenu() : AddressSetupMenu(kIPMenu) {}

DNSSetupMenu::DNSSetupMenu() : AddressSetupMenu(kDNSMenu) {}

SubMenuItemNetworkAddress* AddressSetupMenu::RowOf(AddressField field) const {
  for (int32_t i = 0; i < ItemsNum; ++i)
    if (auto* row = vg_cast<SubMenuItemNetworkAddress>(const_cast<AddressSetupMenu*>(this)->GetCtrlAt(i));
        row && row->OptionType == int32_t(field))
      return row;
  return nullptr;
}

void AddressSetupMenu::LoadSettings() {
  SkinBin::Wrapper* model = Model();
  model->OnSetIFConfiguration(model->NetworkSetup.LAN_GetIfState(model->GetCurrentLanDevId()));
  ThirdMenu::LoadSettings();
  LoadRows();
}

void AddressSetupMenu::LoadRows() {
  for (int32_t f = 0; f < 5; ++f)
    if (SubMenuItemNetworkAddress* row = RowOf(AddressField(f)))
      row->OnSetAddress(ModelValue(Model(), AddressField(f)));
}

void AddressSetupMenu::SaveAddress(XObject* sender) {
  auto* row = vg_cast<SubMenuItemNetworkAddress>(sender);
  if (!row) return;
  const auto field = AddressField(row->OptionType);
  const uint32_t value = row->OnGetAddress();
  const VgConstant* fault = AddressFault(field, value);
  if (!fault) {
    WriteModel(Model(), field, value);
    return;
  }
  refusedRow = row;
  auto* info = VgNew<AddressErrorInfo>();
  const VgPoint size = VgGetRectSize(info->Bounds);
  info->OnSetBounds({ErrorAt.x, ErrorAt.y, ErrorAt.x + size.x, ErrorAt.y + size.y});
  info->OnSetCaption(VgGetVariantOfString(fault));
  info->OnSetOnClose(VgSlotOf<&AddressSetupMenu::DoCloseErrorInfo>(this));
  errorInfo = info;
  Add(info, 0);
  OnSetFocus(info);
}

void AddressSetupMenu::DoCloseErrorInfo(XObject* sender) {
  auto* info = vg_cast<AddressErrorInfo>(sender);
  if (!info || info != errorInfo.get()) return;
  Remove(info);
  errorInfo = nullptr;
  OnSetFocus(refusedRow ? static_cast<Core::View*>(refusedRow.get()) : Row(1));
  refusedRow = nullptr;
  LoadRows();
}

MACAddressMenu::MACAddressMenu() : ThirdMenu(kMACMenu) {}

void MACAddressMenu::Initialize(Primitives::KeyRoutingParameter* parameter) {
  ThirdMenu::Initialize(parameter);
  SkinBin::NetworkSetup& network = Model()->NetworkSetup;
  for (int32_t n = 1; n <= 2; ++n)
    if (auto* row = vg_cast<MenuSystem::SubMenuItemValue>(Row(n)))
      row->OnSetValueString(network.LAN_GetMacAddr(n == 1 ? SkinBin::NetworkSetup::kWired : SkinBin::NetworkSetup::kWireless));
}

}  // namespace Network
